#include "binding/leds.h"
#include "moduletest.h"
#include "scriptedprompts.h"
#include "simulator.h"

#include <QFrame>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QRgb Off = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Red = qRgb(255, 0, 0);

// Ten status bytes, one LED per byte.
const char statusData[] = "scalar 1.3.6.1.4.1.88508.99.1 ledBytes octets ro = "
                          "0x00820405070685030146\n";
constexpr int StatusBytes = 10;

const KxSNMPVarDesc statusTable[] = {
    {"1.3.6.1.4.1.88508.99.1", "ledBytes", KxSyntax::OctetStr, KxAccess::ReadOnly},
    {},
};

KxSNMPLedColorMapList colorMap(std::optional<QRgb> outOfRange)
{
    return KxSNMPLedColorMapList(
        {{0, White}, {1, White}, {2, Green}, {3, Green}, {4, Blue}, {5, Red}},
        0x07,
        0x80,
        Off,
        outOfRange);
}

QRgb shown(const KxSNMPRequest2Leds &leds, int i)
{
    return leds.leds().at(static_cast<size_t>(i)).shape->color();
}

} // namespace

class TestLeds : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<SimulatedSwitch> m_switch;
    KxSNMPLedColorMapList m_map = colorMap(White);
    KxSNMPLedColorMapList m_strictMap = colorMap(std::nullopt);
    QFrame m_panel;

    // A synchronous binding with one LED per byte index of the list.
    std::unique_ptr<KxSNMPRequest2Leds> binding(const QString &indexes,
                                                const KxSNMPLedColorMapList &map)
    {
        auto made = std::make_unique<KxSNMPRequest2Leds>(&m_panel);
        made->varList().Assign(KxSNMPVarList(statusTable, SVT_SV, 0));
        made->asynchronous = false;
        made->AddLedRow(0, indexes, &map, &m_panel, 1, 6, LedShape::Kind::Rectangle, 6, 6);
        return made;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_switch = ConnectModuleToSwitchWith(m_dir.path(), statusData);
        QVERIFY(m_switch);
    }

    void colourAndBlinkOfEachStatusByte_data()
    {
        QTest::addColumn<int>("byteIndex");
        QTest::addColumn<QRgb>("color");
        QTest::addColumn<bool>("flashing");
        QTest::newRow("0x00 white") << 0 << White << false;
        QTest::newRow("0x82 green, flashing") << 1 << Green << true;
        QTest::newRow("0x04 blue") << 2 << Blue << false;
        QTest::newRow("0x05 red") << 3 << Red << false;
        QTest::newRow("0x07 no entry: black") << 4 << Off << false;
        QTest::newRow("0x06 no entry: black") << 5 << Off << false;
        QTest::newRow("0x85 red, flashing") << 6 << Red << true;
        QTest::newRow("0x03 green") << 7 << Green << false;
        QTest::newRow("0x01 white") << 8 << White << false;
        QTest::newRow("0x46 outside both masks: black") << 9 << Off << false;
        QTest::newRow("beyond the value: out-of-range colour") << StatusBytes << White << false;
    }

    void colourAndBlinkOfEachStatusByte()
    {
        QFETCH(int, byteIndex);
        QFETCH(QRgb, color);
        QFETCH(bool, flashing);
        auto leds = binding(QString::number(byteIndex), m_map);
        QCOMPARE(shown(*leds, 0), Off);

        QVERIFY(leds->Refresh());

        const KxSNMPRequest2Leds::Led &led = leds->leds().front();
        QCOMPARE(led.color, color);
        QCOMPARE(led.flashing, flashing);
    }

    void flashingLedAlternatesThenStaysLit()
    {
        // GIVEN a flashing green LED (0x82) and a steady blue one (0x04)
        auto leds = binding(u"1,2"_s, m_map);
        QVERIFY(leds->Refresh());

        // WHEN the flash timer ticks on after the poll
        QList<QRgb> flashing{shown(*leds, 0)};
        QList<QRgb> steady{shown(*leds, 1)};
        for (int tick = 0; tick < 9; ++tick) {
            leds->FlashStep();
            flashing << shown(*leds, 0);
            steady << shown(*leds, 1);
        }

        // THEN it alternates with off for about seven ticks, then stays lit
        const QList<QRgb> expected{Green, Off, Green, Off, Green, Off, Green, Green, Green, Green};
        QCOMPARE(flashing, expected);
        QCOMPARE(steady, QList<QRgb>(10, Blue));
        // and the flash timer rests until the next poll
        QVERIFY(!leds->isFlashTimerRunning());

        // and the next poll starts flashing again
        QVERIFY(leds->Refresh());
        QVERIFY(leds->isFlashTimerRunning());
        QCOMPARE(shown(*leds, 0), Off);
        leds->FlashStep();
        QCOMPARE(shown(*leds, 0), Green);
    }

    void flashingLedsOutOfStepBothEndLit()
    {
        // GIVEN two flashing LEDs (0x82, 0x85), the red one still lit from before
        auto leds = binding(u"1,6"_s, m_map);
        leds->leds().at(1).shape->setColor(Red);
        QVERIFY(leds->Refresh());
        QCOMPARE(shown(*leds, 0), Green);
        QCOMPARE(shown(*leds, 1), Off);

        // WHEN the flash timer runs until it rests
        int ticks = 0;
        while (leds->isFlashTimerRunning() && ticks < 20) {
            leds->FlashStep();
            ++ticks;
        }

        // THEN both stay lit
        QVERIFY(!leds->isFlashTimerRunning());
        QCOMPARE(shown(*leds, 0), Green);
        QCOMPARE(shown(*leds, 1), Red);
    }

    void byteBeyondTheValueWithoutColourRaisesAndResets()
    {
        // GIVEN a lit LED and one beyond the value, on a map without an out-of-range colour
        auto leds = binding(u"2,"_s + QString::number(StatusBytes), m_strictMap);

        // THEN Refresh raises -519 and every LED is back to off
        QCOMPARE(RaisedCode([&] { leds->Refresh(); }), -519);
        QCOMPARE(shown(*leds, 0), Off);
        QVERIFY(!leds->busy());

        // and so does the first poll of StartPolling, which keeps polling
        QCOMPARE(RaisedCode([&] { leds->StartPolling(300); }), -519);
        QCOMPARE(shown(*leds, 0), Off);
        QVERIFY(leds->isPolling());
        QCOMPARE(leds->pollIntervalMs(), 3000);
    }

    void pollExceptionResetsAndIsLogged_data()
    {
        QTest::addColumn<bool>("asynchronous");
        QTest::newRow("synchronous") << false;
        QTest::newRow("asynchronous") << true;
    }

    void pollExceptionResetsAndIsLogged()
    {
        QFETCH(bool, asynchronous);
        ScriptedPrompts prompts;
        QLabel log;
        auto leds = binding(u"2,"_s + QString::number(StatusBytes), m_strictMap);
        leds->SetLogControl(&log);
        leds->AddLed(0, 2, &m_map, new LedShape(LedShape::Kind::Circle, &m_panel));
        leds->asynchronous = asynchronous;
        leds->ResetLeds();
        for (const auto &led : leds->leds())
            led.shape->setColor(Blue);

        leds->PollTick();
        QTRY_VERIFY(!leds->busy());

        for (int i = 0; i < 3; ++i)
            QCOMPARE(shown(*leds, i), Off);
        QVERIFY2(log.text().startsWith(u"Get: (KxSNMP++) Out of range"_s), qPrintable(log.text()));
        QVERIFY(prompts.shown.isEmpty());
    }

    void asynchronousPollingColoursAndSkipsWhileBusy()
    {
        auto leds = binding(u"1,2,3"_s, m_map);
        leds->asynchronous = true;

        leds->StartPolling(300);
        QVERIFY(leds->busy());
        leds->PollTick();
        QCOMPARE(leds->request().pending(), 1);
        QTRY_COMPARE(leds->leds().at(1).color, Blue);
        QCOMPARE(leds->leds().at(2).color, Red);
        QVERIFY(leds->leds().at(0).flashing);

        leds->StopPolling();
        QVERIFY(!leds->isPolling());
        QVERIFY(!leds->isFlashTimerRunning());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(shown(*leds, i), Off);
    }

    void reportErrorResetsAndLogs()
    {
        QLabel log;
        auto leds = binding(u"2"_s, m_map);
        leds->SetLogControl(&log);
        QVERIFY(leds->Refresh());
        QCOMPARE(shown(*leds, 0), Blue);

        leds->ReportError(u"Broken"_s);

        QCOMPARE(shown(*leds, 0), Off);
        QVERIFY2(log.text().startsWith(u"Get: Broken. Receive at "_s), qPrintable(log.text()));
    }

    void addLedRowPlacesShapesOnThePanel()
    {
        QFrame panel;
        panel.setFrameStyle(QFrame::Panel | QFrame::Raised);
        KxSNMPRequest2Leds leds(&panel);

        leds.AddLedRow(0, u"3,7,11"_s, &m_map, &panel, 1, 6, LedShape::Kind::Rectangle, 6, 6);

        QCOMPARE(leds.leds().size(), size_t(3));
        const int expectedLeft[] = {1, 13, 25};
        const int expectedByte[] = {3, 7, 11};
        for (int i = 0; i < 3; ++i) {
            const KxSNMPRequest2Leds::Led &led = leds.leds().at(static_cast<size_t>(i));
            QCOMPARE(led.shape->parentWidget(), &panel);
            QCOMPARE(led.shape->geometry(), QRect(expectedLeft[i], 1, 6, 6));
            QCOMPARE(led.byteIndex, expectedByte[i]);
            QCOMPARE(led.shape->color(), Off);
            QVERIFY(!led.shape->isHidden());
        }
        QCOMPARE(panel.frameShape(), QFrame::NoFrame);
    }
};

QTEST_MAIN(TestLeds)
#include "tst_leds.moc"
