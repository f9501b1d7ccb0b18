#include "app/about.h"
#include "app/mainform.h"
#include "binding/leds.h"
#include "device/panelform.h"
#include "forms/configform.h"
#include "moduletest.h"
#include "platform/paths.h"
#include "scriptedprompts.h"
#include "simulator.h"
#include "snmp/records.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString confirmation = u"Are you sure?\nIt will spend a lot time !\nPlease wait !"_s;

QAction *action(const QWidget &window, const char *name)
{
    return window.findChild<QAction *>(QString::fromLatin1(name));
}

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Takes the URLs the module hands to the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;
    Q_INVOKABLE void open(const QUrl &url) { urls << url; }
};

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    // The module's arguments for the simulated switch, then the extra ones.
    QStringList arguments(const QStringList &extra = {}) const
    {
        return QStringList{
                   u"/I127.0.0.1"_s, u"/t%1"_s.arg(m_switch.port()), u"/Rtundra"_s, u"/Wgranite"_s}
               + extra;
    }

    void snmpset(const QString &oid, const QString &type, const QString &value)
    {
        const auto set
            = m_switch.runTool(u"snmpset"_s, {u"-v2c"_s, u"-c"_s, u"granite"_s, oid, type, value});
        QVERIFY2(set.exitCode == 0, qPrintable(set.err));
    }

    QString sysName() const
    {
        const auto get = m_switch.runTool(
            u"snmpget"_s, {u"-v2c"_s, u"-Ovq"_s, u"-c"_s, u"tundra"_s, u"1.3.6.1.2.1.1.5.0"_s});
        return get.out.trimmed().remove(u'"');
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(ConnectModuleTo(m_switch));
        qputenv("RQ5160_TFTP_PORT", "0");
    }

    void titleAndLayout()
    {
        TMainForm window(arguments());
        QCOMPARE(window.windowTitle(), u"RQ5160 :127.0.0.1"_s);
        QCOMPARE(window.size(), QSize(760, 160));
        QVERIFY(window.findChild<QWidget *>(u"MainScrollBox"_s));
        QVERIFY(window.findChild<QWidget *>(u"StatusBar"_s));
        QCOMPARE(window.findChild<QWidget *>(u"MainScrollBox"_s)->palette().color(QPalette::Window),
                 QColor(84, 84, 84));
        QCOMPARE(window.panelForm()->parentWidget(), window.panelArea());
    }

    void frontPanelReportsInTheStatusBar()
    {
        TMainForm window(arguments());
        QTRY_COMPARE(window.statusPanelText(1), u"Success."_s);
        QVERIFY(QTime::fromString(window.statusPanelText(0), Qt::TextDate).isValid());
    }

    void snmpv3ItemFollowsVersion_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("v1") << u"/v0"_s << false;
        QTest::newRow("v2c") << u"/v1"_s << false;
        QTest::newRow("v3") << u"/v3"_s << true;
    }

    void snmpv3ItemFollowsVersion()
    {
        QFETCH(QString, version);
        QFETCH(bool, enabled);
        TMainForm window(arguments({version}));
        QCOMPARE(action(window, "SNMPv31")->isEnabled(), enabled);
        QVERIFY(action(window, "SNMPv31")->isVisible());
    }

    void menuItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("hint");
        QTest::newRow("single ip")
            << u"SingleIP1"_s << u"Single IP"_s << false << false << QString();
        QTest::newRow("layer3") << u"Layer31Action"_s << u"Layer3"_s << false << false << QString();
        QTest::newRow("snmp configure")
            << u"SNMPV1V2c1"_s << u"SNMP Conifigure"_s << false << false << QString();
        QTest::newRow("N10") << u"N10"_s << QString() << false << false << QString();
        QTest::newRow("files") << u"Files1"_s << u"Files"_s << true << true << QString();
        QTest::newRow("vlans") << u"VLANs1"_s << u"VLANs"_s << true << true << QString();
        QTest::newRow("basic information")
            << u"Basic1"_s << u"Basic Information"_s << true << true << QString();
        QTest::newRow("lag") << u"LAG1"_s << u"LAG Mangement"_s << true << true << QString();
        QTest::newRow("save") << u"Save1"_s << u"Save Configuration"_s << true << true << QString();
        QTest::newRow("reset") << u"Reset1"_s << u"Reset"_s << true << true << QString();
        QTest::newRow("port trunk")
            << u"PortTrunk1"_s << u"Port Trunk"_s << true << true << QString();
        QTest::newRow("exit") << u"FileExitItem"_s << u"E&xit"_s << true << true
                              << u"Exit this application"_s;
        QTest::newRow("help") << u"HelpHowToUseItem"_s << u"&Help"_s << true << true
                              << u"Help on using the help system"_s;
        QTest::newRow("about") << u"HelpAboutItem"_s << u"&About..."_s << true << true
                               << u"Show program information"_s;
    }

    void menuItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        QFETCH(QString, hint);
        TMainForm window(arguments());
        const QAction *item = window.findChild<QAction *>(name);
        QVERIFY2(item, qPrintable(name));
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->isVisible(), visible);
        QCOMPARE(item->isEnabled(), enabled);
        QCOMPARE(item->statusTip(), hint);
    }

    void noArgumentsSaysSo()
    {
        ScriptedPrompts prompts;
        TMainForm window({});
        QVERIFY(!window.hasParameters());
        QCOMPARE(prompts.lastText(), u"No parameter input"_s);
    }

    void configurationFileFoundThroughStationSettings()
    {
        // GIVEN the station's settings naming its folder, and the switch's file beside it
        const QString station = QDir::currentPath() + u"/station/bin/"_s;
        writeFile(qEnvironmentVariable("XDG_CONFIG_DIRS") + u"/Orvane/Vantrel5.1.conf"_s,
                  "[ExePath]\nPath=" + station.toUtf8() + "\n");
        writeFile(station + u"../Conf/MBF/127.0.0.1.cfg"_s,
                  "[Program Information]\nAgentPort=" + QByteArray::number(m_switch.port())
                      + "\nVersion=3\nSecurityModel=3\nSecurityName=noAuthUser\n"
                        "SecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n");

        TMainForm window({u"/I127.0.0.1"_s});
        QFile::remove(station + u"../Conf/MBF/127.0.0.1.cfg"_s);

        QCOMPARE(GlobalDevice().port, m_switch.port());
        QVERIFY(window.startup().flags.configFileFound);
        QVERIFY(action(window, "SNMPv31")->isEnabled());
        QTRY_COMPARE(window.findChild<QLabel *>(u"StaticText1"_s)->text(), u"enabled"_s);
        QTRY_COMPARE(window.statusPanelText(1), u"Success."_s);
    }

    void saveAndResetWriteTheSwitchAfterYes()
    {
        ScriptedPrompts prompts;
        TMainForm window(arguments());

        // Save: the switch keeps what it has now ...
        snmpset(u"1.3.6.1.2.1.1.5.0"_s, u"s"_s, u"Saved"_s);
        prompts.answers = {true};
        action(window, "Save1")->trigger();
        QCOMPARE(prompts.lastText(), confirmation);

        // ... and Reset brings it back after a change.
        snmpset(u"1.3.6.1.2.1.1.5.0"_s, u"s"_s, u"Unsaved"_s);
        prompts.answers = {true};
        action(window, "Reset1")->trigger();
        QCOMPARE(prompts.lastText(), confirmation);
        QCOMPARE(sysName(), u"Saved"_s);
        QCOMPARE(prompts.shown.size(), 2);
    }

    void saveAndResetSendNothingAfterNo()
    {
        ScriptedPrompts prompts;
        TMainForm window(arguments());
        snmpset(u"1.3.6.1.2.1.1.5.0"_s, u"s"_s, u"Before"_s);
        prompts.answers = {true};
        action(window, "Save1")->trigger();
        snmpset(u"1.3.6.1.2.1.1.5.0"_s, u"s"_s, u"Changed"_s);

        prompts.answers = {false, false};
        action(window, "Save1")->trigger();
        action(window, "Reset1")->trigger();
        QCOMPARE(sysName(), u"Changed"_s); // no reset

        prompts.answers = {true};
        action(window, "Reset1")->trigger();
        QCOMPARE(sysName(), u"Before"_s); // and no save before it
    }

    void rmonStateEnablesTheLaunchItems()
    {
        TMainForm window(arguments());
        const auto *state = window.findChild<QLabel *>(u"StaticText1"_s);
        const char *items[] = {"AlarmManager1", "Alarms1", "Control1"};
        // The window is whole before the answer: the state follows it.
        QCOMPARE(state->text(), u"ST_RmonState"_s);
        QTRY_COMPARE(state->text(), u"enabled"_s);

        snmpset(u"1.3.6.1.4.1.88508.11.68.1.2.1.2.3.0"_s, u"i"_s, u"2"_s);
        window.UpdateRmonMenu();
        QTRY_COMPARE(state->text(), u"disabled"_s);
        for (const char *item : items)
            QVERIFY2(!action(window, item)->isEnabled(), item);
        QVERIFY(action(window, "Option1")->isVisible());

        snmpset(u"1.3.6.1.4.1.88508.11.68.1.2.1.2.3.0"_s, u"i"_s, u"3"_s);
        window.UpdateRmonMenu();
        QTRY_VERIFY(action(window, items[0])->isEnabled());
        for (const char *item : items)
            QVERIFY2(action(window, item)->isEnabled(), item);
    }

    void rmonItemLaunchesTheProgramWithTheCommandLine()
    {
        // GIVEN a stand-in RMON program beside the executable that writes its arguments
        const QString program = ExecutableFolder() + u"Rmon.EXE"_s;
        const QString output = QDir::currentPath() + u"/rmon-arguments.txt"_s;
        QFile::remove(output);
        writeFile(program, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$RQ5160_RMON_OUT\"\n");
        QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
        qputenv("RQ5160_RMON_OUT", output.toUtf8());
        TMainForm window(arguments());

        action(window, "Alarms1")->trigger();

        QTRY_VERIFY(QFileInfo(output).size() > 0);
        QFile written(output);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(
            QString::fromUtf8(written.readAll()).split(u'\n', Qt::SkipEmptyParts),
            QStringList({u"/I127.0.0.1"_s, u"/Rtundra"_s, u"/Wgranite"_s, u"/TRmon_History"_s}));
        QFile::remove(program);
    }

    void dialogItemOpensItsDialogOnceWithTitle()
    {
        TMainForm window(arguments());
        QStringList titles;
        int nestedOpened = -1;
        window.dialogs().show = [&](QDialog &dialog) {
            titles << dialog.windowTitle();
            QCOMPARE(window.dialogs().openDialog(u"Files1"_s), &dialog);
            QCOMPARE(dialog.parentWidget(), &window);
            nestedOpened = titles.size();
            action(window, "Files1")->trigger();
            nestedOpened = titles.size() - nestedOpened;
        };

        action(window, "Files1")->trigger();

        QCOMPARE(titles, QStringList{u"File System :127.0.0.1"_s});
        QCOMPARE(nestedOpened, 0);
        QVERIFY(!window.dialogs().openDialog(u"Files1"_s));
        QVERIFY(!window.findChild<QDialog *>());
    }

    void portTrunkAsksThenShowsTheAlgorithmForm()
    {
        ScriptedPrompts prompts;
        TMainForm window(arguments());
        QStringList shown;
        QStringList values;
        window.dialogs().show = [](QDialog &) {
        }; // the trunk dialog that follows
        window.showModal = [&](QDialog &dialog) {
            shown << dialog.windowTitle();
            QVERIFY(dynamic_cast<TConfigForm *>(&dialog));
            QTRY_VERIFY(!dialog.findChild<QLineEdit *>()->text().isEmpty());
            for (const QLineEdit *edit : dialog.findChildren<QLineEdit *>())
                values << edit->text();
            values << dialog.findChild<QComboBox *>()->currentText();
        };

        prompts.answers = {false};
        action(window, "PortTrunk1")->trigger();

        QCOMPARE(prompts.shown.front().title, u"Trunk Algorithm Selection"_s);
        QCOMPARE(prompts.shown.front().text,
                 u"Are you sure to reserve the default Trunk_Algorithm?"_s);
        QCOMPARE(shown, QStringList{u"Trunk Algorithm :127.0.0.1"_s});
        // the switch's maximum of 6 trunks and its algorithm
        QVERIFY2(values.contains(u"6"_s), qPrintable(values.join(u',')));
        QVERIFY2(values.contains(u"mac-source-dest"_s), qPrintable(values.join(u',')));

        // Yes keeps the default: no algorithm form.
        prompts.answers = {true};
        action(window, "PortTrunk1")->trigger();
        QCOMPARE(shown.size(), 1);
    }

    void helpOpensTheUserGuideBesideTheExecutable()
    {
        TMainForm window(arguments());
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(u"file"_s, &catcher, "open");

        action(window, "HelpHowToUseItem")->trigger();
        QDesktopServices::unsetUrlHandler(u"file"_s);

        QCOMPARE(catcher.urls,
                 QList<QUrl>{QUrl::fromLocalFile(ExecutableFolder() + u"RQ-5160 dr2.html"_s)});
        QVERIFY(QFile::exists(QStringLiteral(RQ5160_BINARY_DIR) + u"/src/app/RQ-5160 dr2.html"_s));
    }

    void aboutShowsTheBuildOnShiftAltF3()
    {
        TMainForm window(arguments());
        QString title;
        QString before;
        QString after;
        bool closedByOk = false;
        window.showModal = [&](QDialog &dialog) {
            title = dialog.windowTitle();
            auto *ok = dialog.findChild<QPushButton *>(u"OKButton"_s);
            auto *release = dialog.findChild<QLabel *>(u"Release"_s);
            QTest::keyClick(ok, Qt::Key_F3, Qt::AltModifier);
            before = release->text();
            QTest::keyClick(ok, Qt::Key_F3, Qt::ShiftModifier | Qt::AltModifier);
            after = release->text();
            ok->click();
            closedByOk = dialog.result() == QDialog::Accepted;
        };

        action(window, "HelpAboutItem")->trigger();

        QCOMPARE(title, u"About RQ5160  Module :127.0.0.1"_s);
        QCOMPARE(before, QString());
        QCOMPARE(after, u"R06(Build 2006/07/25)"_s);
        QVERIFY(closedByOk);
    }

    // Last: it stops the switch.
    void unreachableSwitchShowsTimeOutWhileTheWindowAnswers()
    {
        TMainForm window(arguments());
        window.show();
        QTRY_COMPARE(window.statusPanelText(1), u"Success."_s);
        KxSNMPRequest2Leds &leds = *window.panelForm()->leds();
        QTRY_VERIFY(!leds.busy());

        m_switch.stop();
        leds.request().timeout = 40; // the test does not wait out 5 s
        leds.PollTick();
        // The event loop runs while the poll waits for its answer.
        std::optional<bool> busyWhenHandled;
        QMetaObject::invokeMethod(
            &window, [&] { busyWhenHandled = leds.busy(); }, Qt::QueuedConnection);
        QTRY_VERIFY(busyWhenHandled.has_value());
        QVERIFY(*busyWhenHandled);

        QTRY_COMPARE(window.statusPanelText(1), u"Time out."_s);
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
