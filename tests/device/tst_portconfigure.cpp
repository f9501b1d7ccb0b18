#include "device/portconfiguredisplay.h"
#include "device/portconfigureedit.h"
#include "dialogtest.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "simulator.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString portCtrl = u"1.3.6.1.4.1.88508.11.68.1.2.3.2.1"_s;

// A change made in the editor: a radio entry or, for an edit box, its text.
struct EditorChange
{
    QString control;
    QString value;
};

void change(QDialog &editor, const EditorChange &edit)
{
    if (auto *box = editor.findChild<QLineEdit *>(edit.control)) {
        box->setText(edit.value);
        return;
    }
    auto *group = child<RadioGroup>(editor, edit.control);
    const int index = static_cast<int>(group->items().indexOf(edit.value));
    QVERIFY2(index >= 0, qPrintable(edit.value));
    group->button(index)->click();
}

QTreeWidgetItem *rowOfPort(QTreeWidget &list, int port)
{
    const auto rows = list.findItems(QString::number(port), Qt::MatchExactly, 0);
    return rows.isEmpty() ? nullptr : rows.constFirst();
}

// Selects the ports, the first one as the current row.
void selectPorts(QTreeWidget &list, const QList<int> &ports)
{
    list.clearSelection();
    list.setCurrentItem(rowOfPort(list, ports.constFirst()));
    for (int port : ports)
        rowOfPort(list, port)->setSelected(true);
}

} // namespace

Q_DECLARE_METATYPE(EditorChange)

class TestPortConfigure : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    std::unique_ptr<TfrmPortConfigureDisplay> openPorts()
    {
        auto ports = std::make_unique<TfrmPortConfigureDisplay>();
        ports->setWindowTitle(u" Port(s) :127.0.0.1"_s);
        ports->show();
        [&] {
            QTRY_VERIFY(ports->interfaceReady());
        }();
        [&] {
            QTRY_VERIFY(ports->list(VlanPage)->topLevelItemCount() > 0);
        }();
        [&] {
            QTRY_VERIFY(!QApplication::activeModalWidget()
                        || QApplication::activeModalWidget() == ports.get());
        }();
        return ports;
    }

    // Edits the ports on a page with the changes and applies them.
    void editPorts(TfrmPortConfigureDisplay &ports,
                   PortPage page,
                   const QList<int> &selected,
                   const QList<EditorChange> &changes)
    {
        ports.pages()->setCurrentIndex(page);
        selectPorts(*ports.list(page), selected);
        onModal(u"frmPortConfigureEdit"_s, [&changes](QDialog &editor) {
            for (const EditorChange &each : changes)
                change(editor, each);
            click(editor, u"btnPortEditApply"_s);
            click(editor, u"btnPortEditClose"_s);
        });
        click(ports, u"btnPortEdit"_s);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void openingJoinsTheTablesByPort()
    {
        auto ports = openPorts();
        QTreeWidget &list = *ports->list(InterfacePage);
        QCOMPARE(list.topLevelItemCount(), 24); // the system and loopback interfaces are no ports
        const QTreeWidgetItem *uplink = rowOfPort(list, 24);
        QVERIFY(uplink);
        QCOMPARE(uplink->text(PortTypeColumn), u"portType-1000Base-SX"_s);
        QCOMPARE(uplink->text(PortDescriptionColumn), u"Uplink"_s);
        QCOMPARE(uplink->text(LinkTrapColumn), u"Enabled"_s);
        QCOMPARE(rowOfPort(list, 8)->text(NwayStateColumn), u"nway-disabled-100Mbps-Half"_s);
        QCOMPARE(ports->list(StpPage)->topLevelItemCount(), 24);
        QCOMPARE(ports->list(VlanPage)->topLevelItemCount(), 24);
    }

    void pageSwitchKeepsTheSelectedPorts()
    {
        auto ports = openPorts();
        selectPorts(*ports->list(InterfacePage), {3, 5});
        ports->pages()->setCurrentIndex(StpPage);
        QStringList selected;
        for (const QTreeWidgetItem *row : ports->list(StpPage)->selectedItems())
            selected.append(row->text(0));
        selected.sort();
        QCOMPARE(selected, (QStringList{u"3"_s, u"5"_s}));
    }

    void editorShowsTheFirstPortAndNamesAll()
    {
        auto ports = openPorts();
        ports->pages()->setCurrentIndex(StpPage);
        selectPorts(*ports->list(StpPage), {3, 5});
        onModal(u"frmPortConfigureEdit"_s, [](QDialog &editor) {
            QCOMPARE(editor.windowTitle(), u" Port(s) :127.0.0.1 : \"3,5,\""_s);
            QCOMPARE(child<QLabel>(editor, u"lblPortSTPIndexValue"_s)->text(), u"3,5,"_s);
            QCOMPARE(child<QLineEdit>(editor, u"edtPortSTPPathCostValue"_s)->text(), u"200000"_s);
            QCOMPARE(child<RadioGroup>(editor, u"rgpPortSTPStatusValue"_s)->itemIndex(), 0);
            QCOMPARE(child<RadioGroup>(editor, u"rgpAdminP2P"_s)->itemIndex(), 2); // auto
            QVERIFY(!child(editor, u"btnPortEditApply"_s)->isEnabled());
            change(editor, {u"rgpPortSTPStatusValue"_s, u"Disabled"_s});
            QVERIFY(child(editor, u"btnPortEditApply"_s)->isEnabled());
        });
        click(*ports, u"btnPortEdit"_s);
    }

    void editWritesOnlyTheChangedCells_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QList<int>>("ports");
        QTest::addColumn<QList<EditorChange>>("changes");
        QTest::addColumn<QStringList>("written"); // OID=value on the switch afterwards
        QTest::addColumn<quint32>("sets");

        QTest::newRow("forced speed")
            << int(InterfacePage) << QList<int>{3}
            << QList<EditorChange>{{u"rgpPortInterfaceAdminSpeedDuplexValue"_s,
                                    u"nway-disabled-100Mbps-Full"_s}}
            << QStringList{portCtrl + u".4.3=6"_s, u"1.3.6.1.2.1.2.2.1.5.3=100000000"_s} << 1u;
        QTest::newRow("flow control of two ports keeps each description")
            << int(InterfacePage) << QList<int>{23, 24}
            << QList<EditorChange>{{u"rgpPortInterfaceFlowCtrlStateValue"_s, u"enabled"_s}}
            << QStringList{portCtrl + u".5.23=3"_s,
                           portCtrl + u".5.24=3"_s,
                           portCtrl + u".9.24=Uplink"_s,
                           portCtrl + u".9.23="_s}
            << 2u;
        QTest::newRow("two ports, one SET each")
            << int(InterfacePage) << QList<int>{1, 2}
            << QList<EditorChange>{{u"rgpPortInterfaceAddressLearningState"_s, u"enabled"_s},
                                   {u"edtPortInterfacePortDiscriptionValue"_s, u"lab"_s}}
            << QStringList{portCtrl + u".7.1=3"_s,
                           portCtrl + u".7.2=3"_s,
                           portCtrl + u".9.1=lab"_s,
                           portCtrl + u".9.2=lab"_s}
            << 2u;
        QTest::newRow("admin state and link trap")
            << int(InterfacePage) << QList<int>{1}
            << QList<EditorChange>{{u"rgpPortInterfaceAdminState"_s, u"disabled"_s},
                                   {u"rgpPortInterfaceLinkTrapValue"_s, u"Disabled"_s}}
            << QStringList{portCtrl + u".3.1=2"_s,
                           u"1.3.6.1.2.1.31.1.1.1.14.1=2"_s,
                           u"1.3.6.1.2.1.2.2.1.8.1=2"_s}
            << 2u;
        QTest::newRow("STP enable")
            << int(StpPage) << QList<int>{7}
            << QList<EditorChange>{{u"rgpPortSTPStatusValue"_s, u"Enabled"_s}}
            << QStringList{u"1.3.6.1.4.1.88508.12.15.2.4.1.4.7=1"_s} << 1u;
        QTest::newRow("STP migration is a trigger")
            << int(StpPage) << QList<int>{6}
            << QList<EditorChange>{{u"rgpPortSTPMIgration"_s, u"true"_s}}
            << QStringList{u"1.3.6.1.4.1.88508.12.15.2.4.1.6.6=2"_s} << 1u;
        QTest::newRow("VLAN frame types")
            << int(VlanPage) << QList<int>{5}
            << QList<EditorChange>{{u"rgpPortVLANAcceptableFrameTypesValue"_s,
                                    u"admitOnlyVlanTagged"_s}}
            << QStringList{u"1.3.6.1.2.1.17.7.1.4.5.1.2.5=2"_s} << 1u;
    }

    void editWritesOnlyTheChangedCells()
    {
        ScriptedPrompts prompts; // outlives the dialog and its last focus change
        QFETCH(int, page);
        QFETCH(QList<int>, ports);
        QFETCH(QList<EditorChange>, changes);
        QFETCH(QStringList, written);
        QFETCH(quint32, sets);
        QVERIFY(m_switch.set(u"1.3.6.1.4.1.88508.12.15.2.4.1.4.7"_s, u"i"_s, u"2"_s));
        auto display = openPorts();
        prompts.answers = {true};
        const quint32 before = m_switch.setRequests();

        editPorts(*display, static_cast<PortPage>(page), ports, changes);

        QCOMPARE(m_switch.setRequests() - before, sets);
        for (const QString &each : written) {
            const QString oid = each.section(u'=', 0, 0);
            QCOMPARE(oid + u'=' + m_switch.get(oid), each);
        }
    }

    void rereadShowsWhatTheSwitchHas()
    {
        ScriptedPrompts prompts; // outlives the dialog and its last focus change
        auto display = openPorts();
        prompts.answers = {true};
        editPorts(*display,
                  InterfacePage,
                  {4},
                  {{u"rgpPortInterfaceAdminSpeedDuplexValue"_s, u"nway-disabled-10Mbps-Full"_s},
                   {u"rgpPortInterfaceAdminState"_s, u"disabled"_s}});
        QTreeWidgetItem *row = rowOfPort(*display->list(InterfacePage), 4);
        QCOMPARE(row->text(IfSpeedColumn), u"10000000"_s);
        QCOMPARE(row->text(AdminStateColumn), u"disabled"_s);
        QCOMPARE(row->text(NwayStateColumn), u"nway-disabled-10Mbps-Full"_s);
    }

    void refusedSetIsReportedAndReadAgain()
    {
        ScriptedPrompts prompts; // outlives the dialog and its last focus change
        auto display = openPorts();
        prompts.answers = {true};
        // Port 24 is a gigabit fibre port: the switch refuses 10 Mbit/s.
        editPorts(*display,
                  InterfacePage,
                  {24},
                  {{u"rgpPortInterfaceAdminSpeedDuplexValue"_s, u"nway-disabled-10Mbps-Half"_s}});
        QCOMPARE(prompts.lastText(), u"The switch did not take the settings of port 24!"_s);
        QCOMPARE(m_switch.get(portCtrl + u".4.24"_s), u"2"_s);
        QCOMPARE(rowOfPort(*display->list(InterfacePage), 24)->text(NwayStateColumn),
                 u"nway-enabled"_s);
    }

    void stpEntriesAreChecked_data()
    {
        QTest::addColumn<QString>("hello");
        QTest::addColumn<QString>("pathCost");
        QTest::addColumn<QString>("message");
        QTest::newRow("path cost 0") << u"200"_s << u"0"_s << u"PathCost value is wrong!"_s;
        QTest::newRow("path cost too big")
            << u"200"_s << u"200000001"_s << u"PathCost value is wrong!"_s;
        QTest::newRow("path cost no number")
            << u"200"_s << u"1e5"_s << u"PathCost value is wrong!"_s;
        QTest::newRow("hello 99") << u"99"_s << u"20000"_s << u"Priority value is wrong!"_s;
        QTest::newRow("hello 1001") << u"1001"_s << u"20000"_s << u"Priority value is wrong!"_s;
        QTest::newRow("hello empty") << QString() << u"20000"_s << u"Priority value is wrong!"_s;
    }

    void stpEntriesAreChecked()
    {
        ScriptedPrompts prompts; // outlives the dialog and its last focus change
        QFETCH(QString, hello);
        QFETCH(QString, pathCost);
        QFETCH(QString, message);
        auto display = openPorts();
        prompts.answers = {true};
        const quint32 before = m_switch.setRequests();
        editPorts(
            *display,
            StpPage,
            {2},
            {{u"edtPortSTPPriorityValue"_s, hello}, {u"edtPortSTPPathCostValue"_s, pathCost}});
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), before);
    }

    void descriptionHoldsAtMost32Characters()
    {
        auto display = openPorts();
        selectPorts(*display->list(InterfacePage), {9});
        onModal(u"frmPortConfigureEdit"_s, [](QDialog &editor) {
            auto *box = child<QLineEdit>(editor, u"edtPortInterfacePortDiscriptionValue"_s);
            box->setText(QString(40, u'x'));
            QCOMPARE(box->text().size(), 32);
        });
        click(*display, u"btnPortEdit"_s);
    }

    // Last: stops the switch.
    void walkOfAStoppedSwitchLeavesNoRows()
    {
        auto display = openPorts();
        m_switch.stop();
        click(*display, u"btnPortRefresh"_s);
        QCOMPARE(display->list(InterfacePage)->topLevelItemCount(), 0);
        click(*display, u"btnPortEdit"_s); // nothing to edit, nothing opens
        QVERIFY(!QApplication::activeModalWidget()
                || QApplication::activeModalWidget() == display.get());
    }
};

QTEST_MAIN(TestPortConfigure)
#include "tst_portconfigure.moc"
