#include "device/basicinfor.h"
#include "dialogtest.h"
#include "forms/bindingpage.h"
#include "forms/progresswindow.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "simulator.h"
#include "snmp/records.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString stpState = u"1.3.6.1.4.1.88508.11.68.1.2.1.2.1.0"_s;
const QString sysName = u"1.3.6.1.2.1.1.5.0"_s;

enum Page { System, Chassis, ProtocolControl, TopologyAlarm, Interfaces, MibCapability };

} // namespace

class TestBasicInfor : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    std::unique_ptr<TBasicInforForm> openForm() { return openDialog<TBasicInforForm>(); }

    QString onSwitch(const QString &oid) const { return m_switch.get(oid); }

    void setOnSwitch(const QString &oid, const QString &type, const QString &value)
    {
        QVERIFY(m_switch.set(oid, type, value));
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void opensOnProtocolControl()
    {
        auto form = openForm();
        QCOMPARE(form->pages()->tabText(form->pages()->currentIndex()), u"Protocol Control"_s);
        QCOMPARE(form->size(), QSize(610, 420).expandedTo(form->minimumSizeHint()));
        QCOMPARE(child<QLabel>(*form, u"LbTotalofNumPortValue"_s)->text(), u"24"_s);
        QCOMPARE(child<RadioGroup>(*form, u"RgpMulticastfilterCtrl"_s)->itemIndex(), 0);
        // The system group was read when the form was created.
        QCOMPARE(child<QLineEdit>(*form, u"EditName"_s)->text(), u"RQ5160-Lab"_s);

        // Showing "System" resizes the form and reads the group again.
        setOnSwitch(sysName, u"s"_s, u"core-7"_s);
        const auto restore = qScopeGuard([this] { setOnSwitch(sysName, u"s"_s, u"RQ5160-Lab"_s); });
        form->pages()->setCurrentIndex(System);
        QCOMPARE(form->size(), QSize(470, 512).expandedTo(form->minimumSizeHint()));
        QCOMPARE(child<QLineEdit>(*form, u"EditName"_s)->text(), u"core-7"_s);
        QCOMPARE(child<QLabel>(*form, u"LableDescr"_s)->text(),
                 u"RQ5160 24-Port Gigabit Managed Layer 2 Switch"_s);
        QCOMPARE(child<RadioGroup>(*form, u"rgp_ConsolePortBaudRate"_s)->itemIndex(), 3);
        QVERIFY(!child(*form, u"rgpConsoleInUse"_s)->isEnabled());
    }

    void systemPageWritesItsValues()
    {
        auto form = openForm();
        form->pages()->setCurrentIndex(System);
        const auto restore = qScopeGuard([this] { setOnSwitch(sysName, u"s"_s, u"RQ5160-Lab"_s); });
        child<QLineEdit>(*form, u"EditName"_s)->setText(u"edge-3"_s);
        click(*form, u"btnApply"_s);
        QCOMPARE(onSwitch(sysName), u"edge-3"_s);
    }

    // Enabling spanning tree asks first; OK applies it under the progress
    // window, Cancel writes nothing. The page is read again either way.
    void enablingStpAsksFirst_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("after");
        QTest::newRow("OK") << true << u"3"_s;
        QTest::newRow("Cancel") << false << u"2"_s;
    }

    void enablingStpAsksFirst()
    {
        QFETCH(bool, ok);
        QFETCH(QString, after);
        setOnSwitch(stpState, u"i"_s, u"2"_s);
        QList<ProgressWindowRequest> windows;
        setProgressWindowShower([&windows](const ProgressWindowRequest &request) {
            windows.append(request);
            request.work();
        });
        const auto uninstall = qScopeGuard([] { setProgressWindowShower({}); });
        ScriptedPrompts prompts;
        prompts.answers = {ok};
        auto form = openForm();
        auto *stp = child<RadioGroup>(*form, u"rpgStpState"_s);
        QCOMPARE(stp->itemIndex(), 0);

        stp->setItemIndex(1);
        click(*form, u"btnApply"_s);

        QCOMPARE(prompts.lastText(),
                 u"To enable STP may take a long time. Do you want to go on?"_s);
        QCOMPARE(onSwitch(stpState), after);
        QCOMPARE(stp->itemIndex(), after == u"3"_s ? 1 : 0);
        QCOMPARE(windows.size(), ok ? 1 : 0);
        if (ok) {
            QCOMPARE(windows.constFirst().caption, u"Enable STP Progress"_s);
            QCOMPARE(windows.constFirst().prompt, u"Enable STP is doing..."_s);
            QCOMPARE(windows.constFirst().parent, form.get());
        }
    }

    void disablingStpDoesNotAsk()
    {
        setOnSwitch(stpState, u"i"_s, u"3"_s);
        ScriptedPrompts prompts;
        auto form = openForm();
        child<RadioGroup>(*form, u"rpgStpState"_s)->setItemIndex(0);
        click(*form, u"btnApply"_s);
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(onSwitch(stpState), u"2"_s);
    }

    void selectedInterfaceCanBeSetDown()
    {
        const QString admin = u"1.3.6.1.2.1.2.2.1.7.4"_s;
        const auto restore = qScopeGuard([&] { setOnSwitch(admin, u"i"_s, u"1"_s); });
        auto form = openForm();
        form->pages()->setCurrentIndex(Interfaces);
        auto *list = child<QTreeWidget>(*form, u"LV_Interfaces"_s);
        auto *status = child<QComboBox>(*form, u"Combo_AdminStatus"_s);
        QCOMPARE(list->topLevelItemCount(), 26);
        QCOMPARE(list->headerItem()->text(0), u"Index"_s);
        QCOMPARE(list->topLevelItem(0)->text(2), u"ethernet-csmacd"_s);
        QVERIFY(!status->isEnabled());

        list->setCurrentItem(list->topLevelItem(3));
        QVERIFY(status->isEnabled());
        QCOMPARE(child<QLabel>(*form, u"ST_Index"_s)->text(), u"4"_s);
        QCOMPARE(status->currentText(), u"up"_s);
        status->setCurrentText(u"down"_s);
        click(*form, u"btnApply"_s);

        QCOMPARE(onSwitch(admin), u"2"_s);
        QCOMPARE(list->topLevelItemCount(), 26);
        QCOMPARE(list->topLevelItem(3)->text(6), u"down"_s);
        QVERIFY(!status->isEnabled());
    }

    void mibCapabilityListsTheMibs()
    {
        auto form = openForm();
        form->pages()->setCurrentIndex(MibCapability);
        auto *list = child<QTreeWidget>(*form, u"lv_MibCapability"_s);
        QCOMPARE(list->topLevelItemCount(), 10);
        QCOMPARE(list->topLevelItem(0)->text(0), u"1"_s);
        QCOMPARE(list->topLevelItem(0)->text(1), u"RFC1213 MIB-II"_s);
        QCOMPARE(list->topLevelItem(9)->text(3), u"proprietary"_s);
    }

    void unreachableSwitchLeavesTheControls()
    {
        SimulatedSwitch other;
        QVERIFY(other.start());
        const quint16 port = GlobalDevice().port;
        auto form = openForm();
        GlobalDevice().port = other.port();
        const auto back = qScopeGuard([port] { GlobalDevice().port = port; });
        other.stop();
        ScriptedPrompts prompts;
        // The bindings copied the records when they were built: a new page
        // talks to the stopped switch.
        form->pages()->setCurrentIndex(TopologyAlarm);
        QCOMPARE(child<RadioGroup>(*form, u"rgpSTPAlarm"_s)->itemIndex(), -1);
        form->pages()->setCurrentIndex(ProtocolControl);
        QCOMPARE(child<QLabel>(*form, u"LbTotalofNumPortValue"_s)->text(), u"24"_s);
        QVERIFY(prompts.shown.isEmpty());
    }
};

QTEST_MAIN(TestBasicInfor)
#include "tst_basicinfor.moc"
