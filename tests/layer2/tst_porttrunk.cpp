#include "dialogtest.h"
#include "forms/tablepage.h"
#include "layer2/lagmangement.h"
#include "layer2/porttrunk.h"
#include "moduletest.h"
#include "scriptedprompts.h"
#include "simulator.h"

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

const QString trunkEntry = u"1.3.6.1.4.1.88508.11.68.1.2.9.3.1"_s;
const QString mirror = u"1.3.6.1.4.1.88508.11.68.1.2.10"_s;
const QString nway = u"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.4"_s;
const QString aggregator = u"1.3.6.1.4.1.88508.12.4.1.1.1.1"_s;
const QString aggregationPort = u"1.3.6.1.4.1.88508.12.4.1.2.1.1"_s;

QTreeWidgetItem *rowWithId(const TTablePage &page, const QString &id)
{
    const QList<QTreeWidgetItem *> rows = page.list()->findItems(id, Qt::MatchExactly, 0);
    return rows.isEmpty() ? nullptr : rows.constFirst();
}

void select(TTablePage &page, QTreeWidgetItem *row)
{
    page.list()->setCurrentItem(row);
    row->setSelected(true);
}

void clickPorts(QDialog &selection, const QList<int> &ports)
{
    for (int port : ports)
        click(selection, u"btnPort%1"_s.arg(port));
    click(selection, u"btnOk"_s);
}

} // namespace

class TestPortTrunk : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    template<typename Dialog>
    std::unique_ptr<Dialog> open()
    {
        auto dialog = std::make_unique<Dialog>();
        dialog->show();
        QCoreApplication::processEvents(); // the opening reads
        return dialog;
    }

    QString onSwitch(const QString &oid) const
    {
        return m_switch.runTool(u"snmpget"_s, {u"-v2c"_s, u"-ctundra"_s, u"-Oqvx"_s, oid})
            .out.remove(u'"')
            .remove(u' ')
            .trimmed();
    }

    // Fills the insert dialog: group id, name, master port, member ports.
    static void fillInsert(QDialog &insert,
                           const QString &id,
                           const QString &name,
                           int master,
                           const QList<int> &members)
    {
        child<QLineEdit>(insert, u"edtPortTrunkInsertGroupId"_s)->setText(id);
        child<QLineEdit>(insert, u"edtPortTrunkInsertName"_s)->setText(name);
        if (master) {
            onModal(u"frmPortTrunkInsertMasterPort"_s,
                    [master](QDialog &selection) { clickPorts(selection, {master}); });
            click(insert, u"sbnPortTrunkInsertMasterPort"_s);
        }
        if (!members.isEmpty()) {
            onModal(u"frmPortTrunkInsertMemberPort"_s,
                    [members](QDialog &selection) { clickPorts(selection, members); });
            click(insert, u"sbnPortTrunkInsertMemberPort"_s);
        }
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void openingListsTrunksAndLacpPorts()
    {
        auto dialog = open<TfrmTrunkMangement>();
        const QTreeWidgetItem *servers = rowWithId(*dialog->trunkPage(), u"1"_s);
        QVERIFY(servers);
        QCOMPARE(servers->text(TrunkNameColumn), u"Servers"_s);
        QCOMPARE(servers->text(TrunkMemberColumn), u"000C00"_s);
        QCOMPARE(servers->text(TrunkTypeColumn), u"static"_s);
        QCOMPARE(dialog->lacpPage()->list()->topLevelItemCount(), 24);
        QVERIFY(child(*dialog, u"btnInsert"_s)->isEnabled());
        QVERIFY(!child(*dialog, u"btnEdit"_s)->isEnabled());
    }

    void insertChecksItsEntries_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("master");
        QTest::addColumn<QList<int>>("members");
        QTest::addColumn<QString>("message");
        const QString range = u"GroupId value must a integer ,whose scope is between 0 and 6!"_s;
        QTest::newRow("no id") << QString() << u"x"_s << 0 << QList<int>{}
                               << u"Please specify GroupId value!"_s;
        QTest::newRow("not digits")
            << u"2a"_s << u"x"_s << 0 << QList<int>{} << u"GroupId value must a integer!"_s;
        QTest::newRow("above the maximum") << u"7"_s << u"x"_s << 0 << QList<int>{} << range;
        QTest::newRow("too long for 32 bits")
            << u"99999999999"_s << u"x"_s << 0 << QList<int>{} << range;
        QTest::newRow("listed, written 01")
            << u"01"_s << u"x"_s << 0 << QList<int>{} << u"GroupId value have existed!"_s;
        QTest::newRow("21 characters") << u"2"_s << QString(21, u'n') << 0 << QList<int>{}
                                       << u"Name length must be less than 20 chars!"_s;
        QTest::newRow("no master") << u"2"_s << QString(20, u'n') << 0 << QList<int>{}
                                   << u"Please specify MasterPort value!"_s;
        QTest::newRow("no members")
            << u"2"_s << u"x"_s << 5 << QList<int>{} << u"Please specify MemberPort value!"_s;
    }

    void insertChecksItsEntries()
    {
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(int, master);
        QFETCH(QList<int>, members);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        auto dialog = open<TfrmTrunkMangement>();
        const quint32 before = m_switch.setRequests();
        onModal(u"frmPortTrunkInsert"_s, [&](QDialog &insert) {
            QCOMPARE(child<QLabel>(insert, u"stxPortTrunkInsertMax"_s)->text(), u"6"_s);
            fillInsert(insert, id, name, master, members);
            click(insert, u"btnInsertAction"_s);
            QVERIFY(insert.isVisible());
        });
        click(*dialog, u"btnInsert"_s);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), before);
    }

    void memberSelectionCounts_data()
    {
        QTest::addColumn<QList<int>>("clicked");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("master only") << QList<int>{} << false;
        QTest::newRow("master and one") << QList<int>{6} << true;
        QTest::newRow("nine ports") << QList<int>{6, 7, 9, 10, 11, 12, 15, 16} << false;
    }

    void memberSelectionCounts()
    {
        QFETCH(QList<int>, clicked);
        QFETCH(bool, accepted);
        ScriptedPrompts prompts;
        auto dialog = open<TfrmTrunkMangement>();
        onModal(u"frmPortTrunkInsert"_s, [&](QDialog &insert) {
            fillInsert(insert, u"2"_s, u"x"_s, 5, {});
            onModal(u"frmPortTrunkInsertMemberPort"_s, [&](QDialog &selection) {
                clickPorts(selection, clicked);
                QCOMPARE(selection.isVisible(), !accepted);
            });
            click(insert, u"sbnPortTrunkInsertMemberPort"_s);
        });
        click(*dialog, u"btnInsert"_s);
        QCOMPARE(prompts.lastText(),
                 accepted ? QString() : u"The scope of selected MemberPort count is 2 to 8!"_s);
    }

    void unfitPortsCannotBeChosen()
    {
        QVERIFY(m_switch.set(mirror + u".1.0"_s, u"i"_s, u"20"_s));
        QVERIFY(m_switch.set(mirror + u".4.0"_s, u"i"_s, u"3"_s));
        QVERIFY(m_switch.set(nway + u".7"_s, u"i"_s, u"3"_s));
        const auto back = qScopeGuard([this] {
            m_switch.set(mirror + u".4.0"_s, u"i"_s, u"2"_s);
            m_switch.set(nway + u".7"_s, u"i"_s, u"2"_s);
        });
        auto dialog = open<TfrmTrunkMangement>();
        QList<int> disabled;
        onModal(u"frmPortTrunkInsert"_s, [&](QDialog &insert) {
            onModal(u"frmPortTrunkInsertMasterPort"_s, [&](QDialog &selection) {
                for (int port = 1; port <= 24; ++port) {
                    if (!child(selection, u"btnPort%1"_s.arg(port))->isEnabled())
                        disabled.append(port);
                }
            });
            click(insert, u"sbnPortTrunkInsertMasterPort"_s);
        });
        click(*dialog, u"btnInsert"_s);
        // Mirror target 20, forced half duplex 7 (and 8 as shipped), trunk 1's members 13 and 14.
        QCOMPARE(disabled, (QList<int>{7, 8, 13, 14, 20}));
    }

    void trunkCreatedEditedAndDestroyed()
    {
        QVERIFY(m_switch.set(nway + u".8"_s, u"i"_s, u"2"_s)); // full duplex for this test
        const auto back = qScopeGuard([this] { m_switch.set(nway + u".8"_s, u"i"_s, u"5"_s); });
        ScriptedPrompts prompts;
        auto dialog = open<TfrmTrunkMangement>();
        TTablePage &trunks = *dialog->trunkPage();
        onModal(u"frmPortTrunkInsert"_s, [](QDialog &insert) {
            fillInsert(insert, u"3"_s, u"Uplink-12345678901234"_s.left(20), 5, {6, 7, 8});
            QCOMPARE(child<QLineEdit>(insert, u"edtPortTrunkInsertMemberPort"_s)->text(),
                     u"0F0000"_s);
            click(insert, u"btnInsertAction"_s);
        });
        click(*dialog, u"btnInsert"_s);
        QCOMPARE(onSwitch(trunkEntry + u".4.3"_s), u"0F0000"_s);
        QCOMPARE(m_switch.get(trunkEntry + u".2.3"_s), u"Uplink-1234567890123"_s);
        QVERIFY(rowWithId(trunks, u"3"_s));
        QCOMPARE(rowWithId(trunks, u"3"_s)->text(TrunkMemberColumn), u"0F0000"_s);

        select(trunks, rowWithId(trunks, u"3"_s));
        onModal(u"frmPortTrunkEdit"_s, [](QDialog &edit) {
            child<QLineEdit>(edit, u"edtPortTrunkEditName"_s)->setText(u"Uplink"_s);
            child<QComboBox>(edit, u"cbxPortTrunkEditType"_s)->setCurrentText(u"lacp"_s);
            click(edit, u"btnEditAction"_s);
        });
        click(*dialog, u"btnEdit"_s);
        QCOMPARE(m_switch.get(trunkEntry + u".2.3"_s), u"Uplink"_s);
        QCOMPARE(onSwitch(trunkEntry + u".6.3"_s), u"3"_s);
        QCOMPARE(rowWithId(trunks, u"3"_s)->text(TrunkTypeColumn), u"lacp"_s);

        select(trunks, rowWithId(trunks, u"3"_s));
        prompts.answers = {true};
        click(*dialog, u"btnDelete"_s);
        QCOMPARE(prompts.shown.last().title, u"Port Trunk Delete"_s);
        QVERIFY(!rowWithId(trunks, u"3"_s));
        QVERIFY(onSwitch(trunkEntry + u".7.3"_s).startsWith(u"NoSuch"_s));
    }

    void refusedInsertShowsTheSwitchTable()
    {
        auto dialog = open<TfrmTrunkMangement>();
        const int before = dialog->trunkPage()->list()->topLevelItemCount();
        onModal(u"frmPortTrunkInsert"_s, [](QDialog &insert) {
            // Group 0 passes the dialog; the switch has no such group.
            fillInsert(insert, u"0"_s, u"zero"_s, 5, {6});
            click(insert, u"btnInsertAction"_s);
        });
        click(*dialog, u"btnInsert"_s);
        QCOMPARE(dialog->trunkPage()->list()->topLevelItemCount(), before);
        QVERIFY(!rowWithId(*dialog->trunkPage(), u"0"_s));
    }

    void aggregatorPriorityEdited()
    {
        auto dialog = open<TfrmLAGMangement>();
        QCOMPARE(dialog->portListPage()->list()->topLevelItemCount(), 24);
        QCOMPARE(dialog->aggregatorPage()->list()->topLevelItemCount(), 24);
        TTablePage &aggregators = *dialog->aggregatorPage();
        dialog->pages()->setCurrentWidget(&aggregators);
        select(aggregators, rowWithId(aggregators, u"2"_s));
        onModal(u"frmAggTableEdit"_s, [](QDialog &edit) {
            child<QLineEdit>(edit, u"ED_ActorSystemPriority"_s)->setText(u"4096"_s);
            click(edit, u"btnEditAction"_s);
        });
        click(*dialog, u"BtnEdit"_s);
        QCOMPARE(onSwitch(aggregator + u".3.2"_s), u"4096"_s);
        QCOMPARE(rowWithId(aggregators, u"2"_s)->text(2), u"4096"_s);
    }

    void aggregationPortSendsOnlyWhatChanged()
    {
        ScriptedPrompts prompts;
        auto dialog = open<TfrmLAGMangement>();
        TTablePage &ports = *dialog->aggregationPortPage();
        QCOMPARE(ports.list()->topLevelItemCount(), 24);
        dialog->pages()->setCurrentWidget(&ports);
        select(ports, rowWithId(ports, u"3"_s));
        const quint32 before = m_switch.setRequests();
        onModal(u"frmAggPortEntryEdit"_s, [](QDialog &edit) {
            child<QLineEdit>(edit, u"ED_PartnerAdminSystemID"_s)->setText(u"001CA800000"_s);
            click(edit, u"btnEditAction"_s);
            QVERIFY(edit.isVisible()); // 11 digits
            child<QLineEdit>(edit, u"ED_PartnerAdminSystemID"_s)->setText(u"001CA8000099"_s);
            child<QLineEdit>(edit, u"ED_ActorPortPriority"_s)->setText(u"64"_s);
            click(edit, u"btnEditAction"_s);
        });
        click(*dialog, u"BtnEdit"_s);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(m_switch.setRequests(), before + 1);
        QCOMPARE(onSwitch(aggregationPort + u".8.3"_s), u"001CA8000099"_s);
        QCOMPARE(onSwitch(aggregationPort + u".15.3"_s), u"64"_s);
        QCOMPARE(onSwitch(aggregationPort + u".20.3"_s), u"05"_s);
    }
};

QTEST_MAIN(TestPortTrunk)
#include "tst_porttrunk.moc"
