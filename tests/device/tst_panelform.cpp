#include "binding/leds.h"
#include "device/panelform.h"
#include "moduletest.h"
#include "simulator.h"

#include <QFrame>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QRgb Off = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb Green = qRgb(0, 255, 0);

// A unit whose LED status is only 51 bytes long, all green.
const QByteArray shortStatusData
    = "table 1.3.6.1.4.1.88508.99.4.1 shortLedEntry index integer:1..1\n"
      "column 5 shortLedStatus octets ro\n"
      "row 1 = 0x"
      + QByteArray(51 * 2, '2').replace("22", "02") + "\n";
const char shortStatusOid[] = "1.3.6.1.4.1.88508.99.4.1.5";

using Led = KxSNMPRequest2Leds::Led;

// The LEDs on one panel of the form, left to right.
std::vector<const Led *> ledsOn(const TPanelForm &form, const QString &panelName)
{
    std::vector<const Led *> found;
    for (const Led &led : form.leds()->leds()) {
        if (led.shape && led.shape->parentWidget()->objectName() == panelName)
            found.push_back(&led);
    }
    return found;
}

struct Status
{
    QString time;
    QString result;
};

} // namespace

class TestPanelForm : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<SimulatedSwitch> m_switch;

    std::unique_ptr<TPanelForm> startedPanel(Status &status)
    {
        auto form = std::make_unique<TPanelForm>();
        form->StartPolling([&status](const QString &time, const QString &result) {
            status = {time, result};
        });
        return form;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_switch = ConnectModuleToSwitchWith(m_dir.path(), shortStatusData);
        QVERIFY(m_switch);
        // Only port 1 (copper, 1 Gbit/s) keeps its link: the switch then
        // shows it active, 0x82, in byte 3 and its speed, 0x02, in byte 4.
        QStringList args{u"-v2c"_s, u"-c"_s, u"granite"_s};
        for (int port = 2; port <= 24; ++port)
            args << u"1.3.6.1.2.1.2.2.1.7.%1"_s.arg(port) << u"i"_s << u"2"_s;
        const SimulatedSwitch::ToolResult set = m_switch->runTool(u"snmpset"_s, args);
        QVERIFY2(set.exitCode == 0, qPrintable(set.err));
    }

    void ledPanelsLieOverThePicture_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QList<int>>("bytes");
        QTest::addColumn<int>("ledSize");
        QTest::addColumn<bool>("comboSlot");
        QTest::newRow("power") << u"PowerLedPanel"_s << QRect(67, 35, 8, 8) << QList{0} << 7
                               << false;
        QTest::newRow("rps") << u"RPSLedPanel"_s << QRect(67, 54, 8, 8) << QList{2} << 7 << false;
        QTest::newRow("console") << u"ConsoleLedPanel"_s << QRect(67, 73, 8, 8) << QList{1} << 7
                                 << false;
        QTest::newRow("odd speed")
            << u"LedPanel1"_s << QRect(113, 20, 141, 7) << QList{4, 8, 12} << 6 << false;
        QTest::newRow("odd link") << u"LedPanel2"_s << QRect(113, 40, 141, 7) << QList{3, 7, 11}
                                  << 6 << false;
        QTest::newRow("even speed")
            << u"LedPanel3"_s << QRect(113, 57, 141, 7) << QList{6, 10, 14} << 6 << false;
        QTest::newRow("even link")
            << u"LedPanel4"_s << QRect(113, 77, 141, 7) << QList{5, 9, 13} << 6 << false;
        QTest::newRow("combo 21") << u"PortLinkStateLed"_s << QRect(632, 40, 7, 7) << QList{51} << 7
                                  << true;
        QTest::newRow("combo 22") << u"PortLinkSpeedLed"_s << QRect(662, 40, 7, 7) << QList{52} << 7
                                  << true;
        QTest::newRow("combo 23") << u"GPortLinkStateLed"_s << QRect(688, 40, 7, 7) << QList{53}
                                  << 7 << true;
        QTest::newRow("combo 24") << u"GPortLinkSpeedLed"_s << QRect(719, 40, 7, 7) << QList{54}
                                  << 7 << true;
    }

    void ledPanelsLieOverThePicture()
    {
        QFETCH(QString, panel);
        QFETCH(QRect, geometry);
        QFETCH(QList<int>, bytes);
        QFETCH(int, ledSize);
        QFETCH(bool, comboSlot);
        Status status;
        const auto form = startedPanel(status);

        QCOMPARE(form->size(), QSize(748, 95));
        QCOMPARE(form->findChild<QLabel *>(u"Image1"_s)->pixmap().size(), QSize(748, 93));
        const auto *frame = form->findChild<QFrame *>(panel);
        QVERIFY(frame);
        QCOMPARE(frame->geometry(), geometry);
        QCOMPARE(frame->frameShape(), QFrame::NoFrame);

        const std::vector<const Led *> leds = ledsOn(*form, panel);
        QCOMPARE(int(leds.size()), bytes.size() == 1 ? 1 : 12);
        for (int i = 0; i < bytes.size(); ++i) {
            const Led &led = *leds.at(static_cast<size_t>(i));
            QCOMPARE(led.byteIndex, bytes.at(i));
            QCOMPARE(led.shape->geometry(), QRect(1 + i * (6 + ledSize), 1, ledSize, ledSize));
            QCOMPARE(led.map, comboSlot ? &form->mapB() : &form->mapA());
        }
    }

    void showsTheSwitchLedsAndReportsThePoll()
    {
        Status status;
        const auto form = startedPanel(status);

        QVERIFY(form->leds()->isPolling());
        QCOMPARE(form->leds()->pollIntervalMs(), 3000);
        QTRY_COMPARE(status.result, u"Success."_s);
        QVERIFY(QTime::fromString(status.time, Qt::TextDate).isValid());

        const Led &port1Link = *ledsOn(*form, u"LedPanel2"_s).front();
        QCOMPARE(port1Link.color, Green);
        QVERIFY(port1Link.flashing);
        const Led &port1Speed = *ledsOn(*form, u"LedPanel1"_s).front();
        QCOMPARE(port1Speed.color, Green);
        QVERIFY(!port1Speed.flashing);
        QCOMPARE(ledsOn(*form, u"LedPanel2"_s).at(1)->color, Off);
        QCOMPARE(ledsOn(*form, u"PowerLedPanel"_s).front()->color, Green);
        QCOMPARE(ledsOn(*form, u"ConsoleLedPanel"_s).front()->color, Off);
        QCOMPARE(ledsOn(*form, u"PortLinkStateLed"_s).front()->color, Off);

        // Driven past its limit, the flashing LED settles lit and its timer stops.
        for (int step = 0; step <= KxSNMPRequest2Leds::FlashLimit + 1; ++step)
            form->leds()->FlashStep();
        QCOMPARE(port1Link.shape->color(), Green);
        QVERIFY(!form->leds()->isFlashTimerRunning());
    }

    void shortStatusShowsTheComboLedsWhite()
    {
        Status status;
        const auto form = startedPanel(status);
        QTRY_VERIFY(!form->leds()->busy());
        form->leds()->varList().Item(0).oid = QString::fromLatin1(shortStatusOid);

        form->leds()->PollTick();

        QTRY_COMPARE(ledsOn(*form, u"LedPanel3"_s).back()->color, Green);
        for (const char *combo :
             {"PortLinkStateLed", "PortLinkSpeedLed", "GPortLinkStateLed", "GPortLinkSpeedLed"}) {
            const Led &led = *ledsOn(*form, QString::fromLatin1(combo)).front();
            QCOMPARE(led.color, White);
            QVERIFY(!led.flashing);
        }
    }

    // Last: it stops the switch.
    void unreachableSwitchShowsTimeOutWithoutFreezing()
    {
        Status status;
        const auto form = startedPanel(status);
        QTRY_COMPARE(status.result, u"Success."_s);
        const Led &port1Speed = *ledsOn(*form, u"LedPanel1"_s).front();
        QCOMPARE(port1Speed.color, Green);

        // GIVEN a switch that no longer answers (a short time-out keeps the test quick)
        m_switch->stop();
        form->leds()->request().timeout = 250;
        status = {};

        // WHEN the next poll goes out, the window handles its events while it waits
        form->leds()->PollTick();
        QVERIFY(form->leds()->busy());
        std::optional<bool> busyWhenHandled;
        QMetaObject::invokeMethod(
            form.get(), [&] { busyWhenHandled = form->leds()->busy(); }, Qt::QueuedConnection);
        QTRY_VERIFY(busyWhenHandled.has_value());
        QVERIFY(*busyWhenHandled);

        // THEN the poll ends with "Time out." and the LEDs stay as they were
        QTRY_COMPARE(status.result, u"Time out."_s);
        QVERIFY(!status.time.isEmpty());
        QCOMPARE(port1Speed.color, Green);
    }
};

QTEST_MAIN(TestPanelForm)
#include "tst_panelform.moc"
