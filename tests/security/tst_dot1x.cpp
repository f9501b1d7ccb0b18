#include "dialogtest.h"
#include "forms/resultbar.h"
#include "forms/tablepage.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "security/dot1xobjects.h"
#include "security/ieee802dot1xinfo.h"
#include "security/ieee802dot1xpaeport.h"
#include "security/ieee802dot1xstatus.h"
#include "simulator.h"
#include "snmp/records.h"
#include "snmp/request.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString systemControl = u"1.0.8802.1.1.1.1.1.1.0"_s;
const QString authMode = u"1.3.6.1.4.1.88508.12.3.1.2.0"_s;
const QString authConfig = u"1.0.8802.1.1.1.1.2.1.1"_s;
const QString paeInitialize = u"1.0.8802.1.1.1.1.1.2.1.4"_s;

template<typename Dialog>
std::unique_ptr<Dialog> open()
{
    auto dialog = std::make_unique<Dialog>();
    dialog->show();
    QCoreApplication::processEvents(); // the first reads
    return dialog;
}

QTreeWidgetItem *rowOfPort(QTreeWidget *list, int port)
{
    const QList<QTreeWidgetItem *> rows
        = list->findItems(QString::number(port), Qt::MatchExactly, 0);
    return rows.isEmpty() ? nullptr : rows.constFirst();
}

void selectPorts(QTreeWidget *list, const QList<int> &ports)
{
    list->clearSelection();
    for (int port : ports) {
        QTreeWidgetItem *row = rowOfPort(list, port);
        if (!row)
            qFatal("no row for port %d", port);
        row->setSelected(true);
        list->setCurrentItem(row, 0, QItemSelectionModel::Select);
    }
}

QStringList selectedPorts(QTreeWidget *list)
{
    QStringList ports;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->isSelected())
            ports.append(list->topLevelItem(i)->text(0));
    }
    return ports;
}

RadioGroup *group(const QWidget &parent, const QString &name)
{
    return child<RadioGroup>(parent, name);
}

} // namespace

class TestDot1x : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    QString onSwitch(const QString &oid) const { return m_switch.get(oid); }

    void setOnSwitch(const QString &oid, int value)
    {
        QVERIFY(m_switch.set(oid, u"i"_s, QString::number(value)));
    }

    // Opens the Information dialog on its configuration page with the ports selected.
    std::unique_ptr<TIEEE802dot1XInfoForm> configurationOf(const QList<int> &ports)
    {
        auto info = open<TIEEE802dot1XInfoForm>();
        info->pages()->setCurrentIndex(1);
        selectPorts(info->configurationPage()->list(), ports);
        return info;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void cleanup()
    {
        setOnSwitch(systemControl, 1);
        setOnSwitch(authMode, 1);
    }

    void statusShowsAndWritesTheChoices()
    {
        auto status = open<TIEEE802dot1XStatusForm>();
        RadioGroup *control = group(*status, u"rgpIEEE802dot1XStatus"_s);
        RadioGroup *protocol = group(*status, u"rgpPortInterfaceAdminSpeedDuplexValue"_s);
        RadioGroup *method = group(*status, u"rgpPortInterfaceAddressLearningState"_s);
        QCOMPARE(control->items(), (QStringList{u"enabled"_s, u"disabled"_s}));
        QCOMPARE(method->items(), (QStringList{u"portBase"_s, u"macBase"_s, u"none"_s}));
        QCOMPARE(control->itemIndex(), 0);
        QCOMPARE(protocol->itemIndex(), 0);
        QCOMPARE(method->itemIndex(), 0);
        QVERIFY(!method->isEnabled());
        QVERIFY(child<TResultBar>(*status, u"stbIEEE802dot1xStatus"_s)->isVisible());

        // The method chosen reaches the switch.
        control->button(0)->click();
        QVERIFY(method->isEnabled());
        method->button(1)->click();
        click(*status, u"btnApply"_s);
        QCOMPARE(onSwitch(authMode), u"2"_s);

        // Switching 802.1X off keeps the method.
        control->button(1)->click();
        QVERIFY(!protocol->isEnabled() && !method->isEnabled());
        click(*status, u"btnApply"_s);
        QCOMPARE(onSwitch(systemControl), u"2"_s);
        QCOMPARE(onSwitch(authMode), u"2"_s);
        QVERIFY(!child<TResultBar>(*status, u"stbIEEE802dot1xStatus"_s)->timeText().isEmpty());
    }

    void statusRefusesAnEmptyChoice()
    {
        ScriptedPrompts prompts;
        auto status = open<TIEEE802dot1XStatusForm>();
        group(*status, u"rgpPortInterfaceAdminSpeedDuplexValue"_s)->setItemIndex(-1);
        const quint32 sets = m_switch.setRequests();
        click(*status, u"btnApply"_s);
        QCOMPARE(prompts.lastText(), u"You should set Authentication Protocol."_s);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void informationShowsTheStateOfTheMode()
    {
        auto info = open<TIEEE802dot1XInfoForm>();
        QCOMPARE(info->windowTitle(), u"802.1X Information (Port-Based)"_s);
        QTreeWidget *ports = info->portStatePage()->list();
        QVERIFY(ports->isVisible());
        QCOMPARE(ports->topLevelItemCount(), 24);
        QCOMPARE(rowOfPort(ports, 1)->text(1), u"authenticated"_s);
        QCOMPARE(rowOfPort(ports, 13)->text(1), u"forceAuth"_s);
        QCOMPARE(info->configurationPage()->list()->topLevelItemCount(), 24);

        setOnSwitch(authMode, 2);
        click(*info, u"btnRefresh"_s);
        QCOMPARE(info->windowTitle(), u"802.1X Information (MAC-Based)"_s);
        QTreeWidget *macs = info->macStatePage()->list();
        QVERIFY(macs->isVisible() && !ports->isVisible());
        QCOMPARE(macs->topLevelItemCount(), 3);
        QCOMPARE(macs->topLevelItem(0)->text(0), u"001A2B3C4D5E"_s);
        QCOMPARE(macs->topLevelItem(0)->text(1), u"5"_s);
        QCOMPARE(macs->topLevelItem(2)->text(4), u"authorized"_s);

        setOnSwitch(systemControl, 2);
        click(*info, u"btnRefresh"_s);
        QCOMPARE(macs->topLevelItemCount(), 0);
        QCOMPARE(ports->topLevelItemCount(), 0);
    }

    // The statistics lists of the mode are read with the dialog; their tab is
    // not shown. A MAC-based row's MAC address shows in hex, like the state list's.
    void statisticsFollowTheMode()
    {
        using Kind = TIEEE802dot1XInfoForm::StatisticsKind;
        auto info = open<TIEEE802dot1XInfoForm>();
        QVERIFY(!info->pages()->isTabVisible(2));
        for (Kind kind : {Kind::AuthStatistics, Kind::AuthDiagnostics, Kind::AuthSession}) {
            QCOMPARE(info->statisticsList(kind, TIEEE802dot1XInfoForm::PortBased)
                         ->list()
                         ->topLevelItemCount(),
                     24);
            QCOMPARE(info->statisticsList(kind, TIEEE802dot1XInfoForm::MacBased)
                         ->list()
                         ->topLevelItemCount(),
                     0);
        }
        QTreeWidget *sessions
            = info->statisticsList(Kind::AuthSession, TIEEE802dot1XInfoForm::PortBased)->list();
        QCOMPARE(rowOfPort(sessions, 1)->text(6), u"remoteAuthServer"_s);
        QCOMPARE(rowOfPort(sessions, 1)->text(8), u"notTerminatedYet"_s);

        setOnSwitch(authMode, 2);
        info->pages()->setCurrentIndex(2);
        info->statisticsPages()->setCurrentIndex(Kind::AuthSession);
        click(*info, u"btnRefresh"_s);
        QTreeWidget *macSessions
            = info->statisticsList(Kind::AuthSession, TIEEE802dot1XInfoForm::MacBased)->list();
        auto *shown = qobject_cast<QStackedWidget *>(info->statisticsPages()->currentWidget());
        QCOMPARE(shown->currentWidget(),
                 info->statisticsList(Kind::AuthSession, TIEEE802dot1XInfoForm::MacBased));
        QCOMPARE(macSessions->topLevelItemCount(), 3);
        QCOMPARE(macSessions->topLevelItem(0)->text(0), u"001A2B3C4D5E"_s);
        QCOMPARE(macSessions->topLevelItem(0)->text(1), u"5"_s);
        QCOMPARE(macSessions->topLevelItem(0)->text(10), u"user5"_s);
    }

    void disabledSwitchLeavesTheStatePageEmpty()
    {
        setOnSwitch(systemControl, 2);
        auto info = open<TIEEE802dot1XInfoForm>();
        QCOMPARE(info->dot1xState(), TIEEE802dot1XInfoForm::Disabled);
        QCOMPARE(info->portStatePage()->list()->topLevelItemCount(), 0);
        QCOMPARE(info->macStatePage()->list()->topLevelItemCount(), 0);
        QCOMPARE(info->configurationPage()->list()->topLevelItemCount(), 24);
    }

    void editRefusesABadNumber_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("Tx Period 65536") << u"edtTxPeriod"_s << u"65536"_s
                                         << u"Please input valid integer in field Tx Period."_s;
        QTest::newRow("MaxReq 0") << u"edtMaxReq"_s << u"0"_s
                                  << u"Please input valid integer in field MaxReq."_s;
        QTest::newRow("MaxReq 11")
            << u"edtMaxReq"_s << u"11"_s << u"Please input valid integer in field MaxReq."_s;
        QTest::newRow("Quiet Period not a number")
            << u"edtQuietPeriod"_s << u"5s"_s
            << u"Please input valid integer in field Quiet Period."_s;
        QTest::newRow("SuppTimeout 0") << u"edtSuppTimeout"_s << u"0"_s
                                       << u"Please input valid integer in field SuppTimeout."_s;
        QTest::newRow("Server Timeout empty")
            << u"edtServerTimeout"_s << QString()
            << u"Please input valid integer in field ServerTimeout."_s;
        QTest::newRow("ReAuthentication Period 0")
            << u"edtReAuthPeriod"_s << u"0"_s
            << u"Please input valid integer in field ReAuthentication Period."_s;
    }

    void editRefusesABadNumber()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        auto info = configurationOf({1, 2, 5});
        const quint32 sets = m_switch.setRequests();
        onModal(u"IEEE802dot1XInfoEditForm"_s, [&](QDialog &editor) {
            QCOMPARE(child<QLabel>(editor, u"lblPortsValue"_s)->text(), u"1,2,5"_s);
            child<QLineEdit>(editor, box)->setText(text);
            click(editor, u"btnApply"_s);
            QVERIFY(editor.isVisible());
        });
        click(*info, u"btnEdit"_s);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void editWritesEverySelectedPort()
    {
        auto info = configurationOf({1, 2, 5});
        const quint32 sets = m_switch.setRequests();
        onModal(u"IEEE802dot1XInfoEditForm"_s, [](QDialog &editor) {
            QCOMPARE(child<QLabel>(editor, u"lblIEEE802dot1xStateValue"_s)->text(), u"enabled"_s);
            QCOMPARE(child<QLabel>(editor, u"lblAuthModeValue"_s)->text(), u"portBase"_s);
            QCOMPARE(group(editor, u"rgpPortControl"_s)->itemIndex(), 1);  // auto
            QCOMPARE(group(editor, u"rgpReauthStatus"_s)->itemIndex(), 1); // false
            child<QLineEdit>(editor, u"edtQuietPeriod"_s)->setText(u"0"_s);
            child<QLineEdit>(editor, u"edtMaxReq"_s)->setText(u"10"_s);
            click(editor, u"btnApply"_s);
        });
        click(*info, u"btnEdit"_s);
        QCOMPARE(m_switch.setRequests(), sets + 3);
        for (int port : {1, 2, 5}) {
            QCOMPARE(onSwitch(u"%1.7.%2"_s.arg(authConfig).arg(port)), u"0"_s);
            QCOMPARE(onSwitch(u"%1.11.%2"_s.arg(authConfig).arg(port)), u"10"_s);
            QCOMPARE(onSwitch(u"%1.8.%2"_s.arg(authConfig).arg(port)), u"30"_s);
        }
        QCOMPARE(onSwitch(authConfig + u".7.3"_s), u"60"_s);
        QTreeWidget *list = info->configurationPage()->list();
        QCOMPARE(selectedPorts(list), (QStringList{u"1"_s, u"2"_s, u"5"_s}));
        QCOMPARE(rowOfPort(list, 5)->text(MaxReqColumn), u"10"_s);
        for (int port : {1, 2, 5}) {
            QVERIFY(m_switch.set(u"%1.7.%2"_s.arg(authConfig).arg(port), u"u"_s, u"60"_s));
            QVERIFY(m_switch.set(u"%1.11.%2"_s.arg(authConfig).arg(port), u"u"_s, u"2"_s));
        }
    }

    // Port 4's port control holds a value the module has no name for: the
    // editor shows no choice, and the port's write leaves it out.
    void unknownChoiceIsNotWrittenBack()
    {
        QTemporaryDir files;
        const QString data = files.filePath(u"unknown-control.sim"_s);
        QVERIFY(WriteEditedSwitchData(data, [](QString &text) {
            text.replace(u"row 4 = 2 6 0 0 2 2 60 30 30 30 2 3600 2"_s,
                         u"row 4 = 2 6 0 0 2 7 60 30 30 30 2 3600 2"_s);
        }));
        SimulatedSwitch::Options options;
        options.dataFile = data;
        options.logSets = true;
        SimulatedSwitch other(options);
        QVERIFY(other.start());
        const ModuleRetargeted onIt(other);

        auto info = configurationOf({4});
        onModal(u"IEEE802dot1XInfoEditForm"_s, [](QDialog &editor) {
            QCOMPARE(group(editor, u"rgpPortControl"_s)->itemIndex(), -1);
            child<QLineEdit>(editor, u"edtQuietPeriod"_s)->setText(u"45"_s);
            click(editor, u"btnApply"_s);
        });
        click(*info, u"btnEdit"_s);
        QCOMPARE(other.appliedValue(authConfig + u".7.4"_s), std::optional(u"45"_s));
        QCOMPARE(other.appliedValue(authConfig + u".6.4"_s), std::nullopt);
        QCOMPARE(other.get(authConfig + u".6.4"_s), u"7"_s);
    }

    void forceUnauthorizedShowsInTheState()
    {
        auto info = configurationOf({2});
        onModal(u"IEEE802dot1XInfoEditForm"_s, [](QDialog &editor) {
            group(editor, u"rgpPortControl"_s)->button(0)->click();
            click(editor, u"btnApply"_s);
        });
        click(*info, u"btnEdit"_s);
        QCOMPARE(onSwitch(authConfig + u".6.2"_s), u"1"_s);
        info->pages()->setCurrentIndex(0);
        click(*info, u"btnRefresh"_s);
        const QTreeWidgetItem *state = rowOfPort(info->portStatePage()->list(), 2);
        QCOMPARE(state->text(1), u"forceUnauth"_s);
        QCOMPARE(state->text(3), u"unauthorized"_s);
        setOnSwitch(authConfig + u".6.2"_s, 2);
    }

    void editorShowsTheOperationalDirection()
    {
        setOnSwitch(authConfig + u".3.3"_s, 1);
        const auto back = qScopeGuard([this] { setOnSwitch(authConfig + u".3.3"_s, 0); });
        auto info = configurationOf({3});
        QString open;
        int admin = -2;
        onModal(u"IEEE802dot1XInfoEditForm"_s, [&](QDialog &editor) {
            open = child<QLabel>(editor, u"lblOpen"_s)->text();
            admin = group(editor, u"rgpIEEE802dot1XStatus"_s)->itemIndex();
        });
        click(*info, u"btnEdit"_s);
        QCOMPARE(open, u"in"_s);
        QCOMPARE(admin, 1);
    }

    void refusedWriteShowsTheResult()
    {
        const QString writer = GlobalSecurity().writeCommunity;
        GlobalSecurity().writeCommunity = GlobalSecurity().readCommunity;
        const auto back = qScopeGuard([writer] { GlobalSecurity().writeCommunity = writer; });
        auto info = configurationOf({4});
        TResultBar *result = info->resultBar();
        QVERIFY(!result->isVisible());
        onModal(u"IEEE802dot1XInfoEditForm"_s, [](QDialog &editor) {
            child<QLineEdit>(editor, u"edtTxPeriod"_s)->setText(u"40"_s);
            click(editor, u"btnApply"_s);
        });
        click(*info, u"btnEdit"_s);
        QVERIFY(result->isVisible());
        QVERIFY(!result->resultText().isEmpty());
        QCOMPARE(onSwitch(authConfig + u".8.4"_s), u"30"_s);
        QCOMPARE(rowOfPort(info->configurationPage()->list(), 4)->text(TxPeriodColumn), u"30"_s);
    }

    void paeInitializeIsOneShot()
    {
        auto pae = open<TIEEE802dot1XPaePortForm>();
        QTreeWidget *list = pae->list();
        QCOMPARE(list->topLevelItemCount(), 24);
        QCOMPARE(rowOfPort(list, 3)->text(CapabilitiesColumn), u"Authenticator"_s);
        QVERIFY(!child(*pae, u"btnEdit"_s)->isEnabled());
        selectPorts(list, {3});
        const quint32 sets = m_switch.setRequests();
        onModal(u"IEEE802dot1XPaePortEditForm"_s, [](QDialog &editor) {
            QCOMPARE(child<QLabel>(editor, u"lblPAEPortValue"_s)->text(), u"3"_s);
            QCOMPARE(child<QLabel>(editor, u"lblCapabilityValue"_s)->text(), u"Authenticator"_s);
            group(editor, u"rgpIEEE802dot1xPaePortInitial"_s)->button(0)->click();
            click(editor, u"btnApply"_s);
        });
        click(*pae, u"btnEdit"_s);
        QCOMPARE(m_switch.setRequests(), sets + 1);
        click(*pae, u"btnRefresh"_s);
        QCOMPARE(rowOfPort(list, 3)->text(InitializeColumn), u"false"_s);
        QCOMPARE(onSwitch(paeInitialize + u".3"_s), u"2"_s);
    }

    // Reads of a dead switch block until their time-out; a Close pressed
    // meanwhile closes the dialog once they have returned, and no read
    // starts after it.
    void closeWhileReadingAStoppedSwitch()
    {
        SimulatedSwitch other;
        QVERIFY(other.start());
        const quint16 port = GlobalDevice().port;
        GlobalDevice().port = other.port();
        const auto back = qScopeGuard([port] { GlobalDevice().port = port; });
        other.stop();
        TIEEE802dot1XInfoForm info;
        QTimer::singleShot(0, &info, [&info] { click(info, u"btnClose"_s); });
        QElapsedTimer clock;
        clock.start();
        info.show();
        QTRY_VERIFY_WITH_TIMEOUT(!info.isVisible(), 15000);
        QVERIFY(clock.elapsed() < 10000);
        QCOMPARE(info.configurationPage()->list()->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(TestDot1x)
#include "tst_dot1x.moc"
