#include "app/mainform.h"
#include "platform/prompts.h"
#include "snmp/records.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void titleAndLayout()
    {
        TMainForm window({u"/I127.0.0.1"_s});
        QCOMPARE(window.windowTitle(), u"RQ5160 :127.0.0.1"_s);
        QCOMPARE(window.size(), QSize(760, 160));
        QVERIFY(window.findChild<QWidget *>(u"MainScrollBox"_s));
        QVERIFY(window.findChild<QWidget *>(u"StatusBar"_s));
        QCOMPARE(window.findChild<QWidget *>(u"MainScrollBox"_s)->palette().color(QPalette::Window),
                 QColor(84, 84, 84));
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
        TMainForm window({u"/I127.0.0.1"_s, version});
        QCOMPARE(action(window, "SNMPv31")->isEnabled(), enabled);
        QVERIFY(action(window, "SNMPv31")->isVisible());
    }

    void hiddenItemsExistButAreHidden_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("visible");
        QTest::newRow("single ip") << u"SingleIP1"_s << u"Single IP"_s << false;
        QTest::newRow("layer3") << u"Layer31Action"_s << u"Layer3"_s << false;
        QTest::newRow("snmp configure") << u"SNMPV1V2c1"_s << u"SNMP Conifigure"_s << false;
        QTest::newRow("lag") << u"LAG1"_s << u"LAG Mangement"_s << true;
        QTest::newRow("ports") << u"Port2"_s << u"Ports"_s << true;
        QTest::newRow("exit") << u"FileExitItem"_s << u"E&xit"_s << true;
        QTest::newRow("N10") << u"N10"_s << QString() << false;
    }

    void hiddenItemsExistButAreHidden()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, visible);
        TMainForm window({u"/I127.0.0.1"_s});
        const QAction *item = window.findChild<QAction *>(name);
        QVERIFY2(item, qPrintable(name));
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->isVisible(), visible);
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
        const QString home = QDir::currentPath();
        const QString station = home + u"/station/bin/"_s;
        writeFile(qEnvironmentVariable("XDG_CONFIG_DIRS") + u"/Orvane/Vantrel5.1.conf"_s,
                  "[ExePath]\nPath=" + station.toUtf8() + "\n");
        writeFile(station + u"../Conf/MBF/10.2.2.2.cfg"_s,
                  "[Program Information]\nAgentPort=1161\nVersion=3\nSecurityModel=3\n"
                  "SecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n");

        TMainForm window({u"/I10.2.2.2"_s});

        QCOMPARE(GlobalDevice().port, quint16(1161));
        QVERIFY(window.startup().flags.configFileFound);
        QVERIFY(action(window, "SNMPv31")->isEnabled());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
