#include "device/filesys.h"
#include "files/kxtftpserver.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "simulator.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <QUdpSocket>

using namespace Qt::StringLiterals;

namespace {

enum PageIndex { Firmware = 0, Configuration = 1, Log = 2 };

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

const quint16 tftpPort = [] {
    const quint16 port = freeUdpPort();
    qputenv("RQ5160_TFTP_PORT", QByteArray::number(port));
    return port;
}();

template<typename T>
T *on(TfrmFileSystem &dialog, int page, const char *name)
{
    return dialog.pages()->widget(page)->findChild<T *>(QString::fromLatin1(name));
}

// Shows the window and drives its ticks until it closes; the transfer runs
// between them. The bound only keeps a broken transfer from hanging the test.
void driveTicks(TransferWindow &window)
{
    window.show();
    const bool closed = QTest::qWaitFor(
        [&window] {
            window.tick();
            return !window.isVisible();
        },
        30000);
    if (!closed)
        qWarning("the transfer window did not close");
}

} // namespace

class TestFileSystem : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files{QDir::tempPath() + u"/rq5160-XXXXXX"_s};
    SimulatedSwitch m_switch{SimulatedSwitch::Options{{}, {}, -1, tftpPort}};

    QString fileRow(int row, int column) const { return fileRowOf(m_switch, row, column); }

    static QString fileRowOf(const SimulatedSwitch &simulated, int row, int column)
    {
        return simulated
            .runTool(u"snmpget"_s,
                     {u"-v2c"_s,
                      u"-ctundra"_s,
                      u"-Oqv"_s,
                      u"1.3.6.1.4.1.88508.12.1.2.1.1.%1.%2"_s.arg(column).arg(row)})
            .out.trimmed();
    }

    // Fills a page and presses Apply, answering the confirmation; what was shown.
    QList<ScriptedPrompts::Shown> apply(TfrmFileSystem &dialog,
                                        int page,
                                        const QString &path,
                                        int action,
                                        bool yes,
                                        const QString &server = u"127.0.0.1"_s)
    {
        ScriptedPrompts prompts;
        prompts.answers = {yes};
        dialog.pages()->setCurrentIndex(page);
        on<QLineEdit>(dialog, page, "edtServerAddress")->setText(server);
        on<QLineEdit>(dialog, page, "edtPathAndFileName")->setText(path);
        on<RadioGroup>(dialog, page, "rgpAction")->button(action)->click();
        QTest::mouseClick(on<QPushButton>(dialog, page, "btnApply"), Qt::LeftButton);
        return prompts.shown;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void opensOnFirmwareWithTheSwitchRow()
    {
        TfrmFileSystem dialog;
        QVERIFY(dialog.tftpServer()->isStarted());
        QCOMPARE(dialog.tftpServer()->port(), tftpPort);
        QVERIFY(!dialog.tftpServer()->listensOnIpv6());
        QVERIFY(on<QLabel>(dialog, Firmware, "lblServerAddressNote")->isHidden());
        QCOMPARE(dialog.statusPanel(0)->text(), u"FirmwareDownload:"_s);
        QCOMPARE(on<QLineEdit>(dialog, Firmware, "edtPathAndFileName")->text(),
                 u"rq5160_fw_4.00.B04.had"_s);
        auto *action = on<RadioGroup>(dialog, Firmware, "rgpAction");
        QVERIFY(!action->button(0)->isEnabled());
        QVERIFY(!on<QPushButton>(dialog, Firmware, "btnApply")->isEnabled());
        action->button(1)->click();
        QVERIFY(on<QPushButton>(dialog, Firmware, "btnApply")->isEnabled());
    }

    void configurationDownloadCompletes()
    {
        const QString path = m_files.filePath(u"switch.cfg"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("hostname core-7\n");
        file.close();
        TfrmFileSystem dialog;
        dialog.showTransferWindow = driveTicks;

        apply(dialog, Configuration, path, 1, true);

        QCOMPARE(fileRow(3, 5), u"\"%1\""_s.arg(path));
        QCOMPARE(fileRow(3, 7), u"3"_s);
        QCOMPARE(dialog.statusPanel(1)->text(), u"Transfer complete!"_s);
        QCOMPARE(TfrmFileSystem::TftpRootFolder(), path);
    }

    void logUploadArrivesOnThePc()
    {
        const QString path = m_files.filePath(u"switch.log"_s);
        TfrmFileSystem dialog;
        dialog.showTransferWindow = driveTicks;

        apply(dialog, Log, path, 0, true);

        QCOMPARE(dialog.statusPanel(1)->text(), u"Transfer complete!"_s);
        QFile log(path);
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.size() > 0);
    }

    // GIVEN the switch still holds "complete" from the transfer before
    // WHEN it refuses the next start SET
    // THEN the dialog reports the refusal and opens no transfer window.
    void refusedStartIsReported()
    {
        TfrmFileSystem dialog;
        QCOMPARE(dialog.readTransferStatus(), 6);
        bool windowShown = false;
        dialog.showTransferWindow = [&windowShown](TransferWindow &) {
            windowShown = true;
        };
        const QString writeCommunity = GlobalSecurity().writeCommunity;
        GlobalSecurity().writeCommunity = GlobalSecurity().readCommunity;
        ScriptedPrompts prompts;
        prompts.answers = {true};
        dialog.pages()->setCurrentIndex(Configuration);
        on<QLineEdit>(dialog, Configuration, "edtPathAndFileName")->setText(u"next.cfg"_s);
        on<RadioGroup>(dialog, Configuration, "rgpAction")->button(1)->click();
        QTest::mouseClick(on<QPushButton>(dialog, Configuration, "btnApply"), Qt::LeftButton);
        GlobalSecurity().writeCommunity = writeCommunity;

        QVERIFY(!windowShown);
        QCOMPARE(prompts.shown.constLast().kind, Prompts::Kind::Error);
        QCOMPARE(dialog.statusPanel(1)->text(), prompts.lastText());
        QVERIFY(dialog.statusPanel(1)->text() != u"Transfer complete!"_s);
    }

    // A read that raises leaves the boxes as they were and its reason in the log.
    void droppedReadIsLogged()
    {
        const QString address = GlobalDevice().address;
        GlobalDevice().address = u"not a host"_s;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"dropped: -509"_s));
        TfrmFileSystem dialog;
        GlobalDevice().address = address;
        QCOMPARE(on<QLineEdit>(dialog, Firmware, "edtServerAddress")->text(), u"0.0.0.0"_s);
        QCOMPARE(on<QTreeWidget>(dialog, Firmware, "lvwFile")->topLevelItemCount(), 0);
    }

    void missingFileEndsWithFileNotFound()
    {
        TfrmFileSystem dialog;
        dialog.showTransferWindow = driveTicks;
        apply(dialog, Firmware, m_files.filePath(u"missing.had"_s), 1, true);
        QCOMPARE(dialog.statusPanel(1)->text(), u"File not found!"_s);
    }

    void noWritesNothing()
    {
        TfrmFileSystem dialog;
        const QString before = fileRow(1, 5);
        apply(dialog, Firmware, u"/elsewhere/image.had"_s, 1, false);
        QCOMPARE(fileRow(1, 5), before);
    }

    void pathLengths_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("status");
        QTest::newRow("firmware 56") << int(Firmware) << 56 << u"Invalid PathAndFilename!"_s
                                     << u"Size of PathAndFilename too long!"_s;
        QTest::newRow("log 56") << int(Log) << 56 << u"Invalid Path And File Name!"_s
                                << u"Size of Path And File Name too long!"_s;
        QTest::newRow("empty") << int(Configuration) << 0 << u"Invalid Path And File Name!"_s
                               << u"Path And File Name is NULL!"_s;
        QTest::newRow("55 accepted") << int(Configuration) << 55 << u"Confirm"_s << QString();
    }

    void pathLengths()
    {
        QFETCH(int, page);
        QFETCH(int, length);
        QFETCH(QString, message);
        QFETCH(QString, status);
        ScriptedPrompts prompts;
        TfrmFileSystem dialog;
        dialog.pages()->setCurrentIndex(page);
        on<QLineEdit>(dialog, page, "edtPathAndFileName")->setText(QString(length, u'x'));
        on<RadioGroup>(dialog, page, "rgpAction")->button(page == Firmware ? 1 : 0)->click();
        QTest::mouseClick(on<QPushButton>(dialog, page, "btnApply"), Qt::LeftButton);

        const auto &shown = prompts.shown.constLast();
        QCOMPARE(shown.kind == Prompts::Kind::Question ? shown.title : shown.text, message);
        QCOMPARE(dialog.statusPanel(1)->text(), status);
    }

    // GIVEN a switch managed over IPv6, whose file table holds IPv4 addresses
    // THEN the dialog names this PC's IPv6 address, refuses an IPv6 server
    // address without writing anything, and an IPv4 one still transfers.
    void ipv6SwitchIsRefusedAnIpv6ServerAddress()
    {
        if (!SimulatedSwitch::HasIpv6Loopback())
            QSKIP("this machine has no IPv6 loopback address (::1): no IPv6 wire test");
        SimulatedSwitch::Options options{{}, {}, -1, tftpPort};
        options.ipv6 = true;
        SimulatedSwitch six(options);
        QVERIFY(six.start());
        const ModuleRetargeted retargeted(six);
        TfrmFileSystem dialog;
        dialog.showTransferWindow = driveTicks;
        QVERIFY(dialog.tftpServer()->listensOnIpv6());
        QCOMPARE(dialog.tftpServer()->record().serverAddress, u"::1"_s);
        const auto *note = on<QLabel>(dialog, Configuration, "lblServerAddressNote");
        QVERIFY(!note->isHidden());
        QVERIFY(note->text().contains(u"(this PC: ::1)"_s));

        const QString path = m_files.filePath(u"six.cfg"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("hostname core-6\n");
        file.close();
        const quint32 sets = six.setRequests();
        const auto shown = apply(dialog, Configuration, path, 1, true, u"::1"_s);
        QCOMPARE(six.setRequests(), sets);
        QCOMPARE(fileRowOf(six, 3, 3), u"0.0.0.0"_s);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.constFirst().kind, Prompts::Kind::Error);
        QVERIFY(shown.constFirst().text.contains(u"IPv6 address ::1"_s));
        QCOMPARE(dialog.statusPanel(1)->text(),
                 u"IPv6 server address not supported by the switch!"_s);

        apply(dialog, Configuration, path, 1, true);
        QCOMPARE(fileRowOf(six, 3, 3), u"127.0.0.1"_s);
        QCOMPARE(dialog.statusPanel(1)->text(), u"Transfer complete!"_s);
    }

    void stopEndsTheServer()
    {
        ScriptedPrompts prompts;
        prompts.answers = {true};
        TfrmFileSystem dialog;
        TfrmRemoteFileTransfer window(dialog, &dialog);
        QTest::mouseClick(window.stopButton(), Qt::LeftButton);
        QVERIFY(!window.isTimerActive());
        QVERIFY(window.closeButton()->isEnabled());
        QVERIFY(!window.stopButton()->isEnabled());
        QVERIFY(!dialog.tftpServer()->isStarted());
    }

    void busyPortIsReportedAndTheDialogStays()
    {
        ScriptedPrompts prompts;
        TfrmFileSystem first;
        TfrmFileSystem second;
        QVERIFY(prompts.lastText().startsWith(u"TFTP Service Init Error:"_s));
        QVERIFY(!second.tftpServer()->isStarted());
    }
};

QTEST_MAIN(TestFileSystem)
#include "tst_filesys.moc"
