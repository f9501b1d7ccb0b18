#include "dialogtest.h"
#include "forms/tablepage.h"
#include "layer2/macfdb.h"
#include "layer2/staticmac.h"
#include "layer2/stormcontrol.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "simulator.h"
#include "snmp/records.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString unicastEntry = u"1.3.6.1.2.1.17.7.1.3.1.1"_s;
const QString multicastEntry = u"1.3.6.1.2.1.17.7.1.3.2.1"_s;
const QString fdbStatus = u"1.3.6.1.2.1.17.7.1.2.2.1.3"_s;
const QString stormControl = u"1.3.6.1.4.1.88508.11.68.1.2.13"_s;
// VLAN 1, address 00:1C:A8:AA:00:0N, receive port 0.
QString unicastInstance(int n)
{
    return u"1.0.28.168.170.0.%1.0"_s.arg(n);
}

QTreeWidgetItem *rowWithAddress(const TTablePage &page, const QString &address)
{
    const QList<QTreeWidgetItem *> rows
        = page.list()->findItems(address, Qt::MatchExactly, StaticAddressColumn);
    return rows.isEmpty() ? nullptr : rows.constFirst();
}

QStringList addresses(const TTablePage &page)
{
    QStringList found;
    for (int i = 0; i < page.list()->topLevelItemCount(); ++i)
        found.append(page.list()->topLevelItem(i)->text(FdbAddressColumn));
    return found;
}

void select(TTablePage &page, QTreeWidgetItem *row)
{
    page.list()->setCurrentItem(row);
    row->setSelected(true);
}

struct FilterCriteria
{
    bool all = false;
    bool orCondition = false;
    std::optional<QString> vlanId; // none: unticked
    std::optional<QString> address;
    std::optional<QString> port;
};

void fillFilter(QDialog &filter, const FilterCriteria &criteria)
{
    child<RadioGroup>(filter, u"rgpFilterCondition"_s)->setItemIndex(criteria.orCondition ? 1 : 0);
    child<QCheckBox>(filter, u"cbxFilterAllRecord"_s)->setChecked(criteria.all);
    const std::pair<const char *, std::optional<QString>> boxes[]
        = {{"VlanId", criteria.vlanId}, {"Address", criteria.address}, {"Port", criteria.port}};
    for (const auto &[name, text] : boxes) {
        child<QCheckBox>(filter, u"cbxFilter"_s + QLatin1StringView(name))
            ->setChecked(text.has_value());
        child<QLineEdit>(filter, u"edtFilter"_s + QLatin1StringView(name))
            ->setText(text.value_or(QString()));
    }
}

// The shipped switch without forwarding rows and static unicast entries.
QString withoutForwardingRows(const QString &path)
{
    QFile shipped(QStringLiteral(RQ5160_SOURCE_DIR "/sim/data/rq5160.sim"));
    if (!shipped.open(QIODevice::ReadOnly))
        qFatal("cannot read the switch data");
    static const QRegularExpression forwardingRow(
        u"^row \\d+ [0-9A-F]{12} (0 )?= (\\d+ \\d+|0x[0-9A-F]+ \\d+)$"_s);
    QStringList kept;
    for (const QString &line : QString::fromUtf8(shipped.readAll()).split(u'\n')) {
        if (!forwardingRow.match(line).hasMatch())
            kept.append(line);
    }
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(kept.join(u'\n').toUtf8()) < 0)
        qFatal("cannot write the switch data");
    return path;
}

} // namespace

Q_DECLARE_METATYPE(FilterCriteria)

class TestMacFdb : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    std::unique_ptr<TfrmMacManagement> openDialog()
    {
        auto dialog = std::make_unique<TfrmMacManagement>();
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

    // Creates a static unicast entry (instance suffix ".vlan.address.port") with status static.
    void addUnicastEntry(const QString &entry, const QString &ports) const
    {
        const auto made = m_switch.runTool(u"snmpset"_s,
                                           {u"-v2c"_s,
                                            u"-cgranite"_s,
                                            unicastEntry + u".3"_s + entry,
                                            u"x"_s,
                                            ports,
                                            unicastEntry + u".4"_s + entry,
                                            u"i"_s,
                                            u"3"_s});
        QCOMPARE(made.exitCode, 0);
    }

    int fdbRowsOnSwitch() const
    {
        const QString out
            = m_switch
                  .runTool(u"snmpwalk"_s,
                           {u"-v2c"_s, u"-ctundra"_s, u"1.3.6.1.2.1.17.7.1.2.2.1.3"_s})
                  .out.trimmed();
        return out.isEmpty() ? 0 : static_cast<int>(out.count(u'\n') + 1);
    }

    // Edits the selected static row: the egress selection picks the ports
    // (none: not opened), then Apply.
    void editSelected(TfrmMacManagement &dialog, StaticMacKind kind, const QList<int> &ports)
    {
        const bool unicast = kind == StaticMacKind::Unicast;
        const QString prefix = unicast ? u"Unicast"_s : u"Multicast"_s;
        onModal(u"frm"_s + prefix + u"MacAddressInsert"_s, [&](QDialog &editor) {
            if (!ports.isEmpty()) {
                onModal(unicast ? u"frmInsertSelectVlanEgress"_s
                                : u"frmMulticastInsertSelectVlanEgress"_s,
                        [&](QDialog &selection) {
                            for (int port : ports)
                                click(selection, u"btnPort%1"_s.arg(port));
                            click(selection, u"btnOk"_s);
                        });
                click(editor, u"sbn"_s + prefix + u"AllowedToGoTo"_s);
            }
            click(editor, u"btnInsertAction"_s);
        });
        click(dialog, u"btn"_s + prefix + u"Edit"_s);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void openingReadsEveryPage()
    {
        auto dialog = openDialog();
        const TTablePage &fdb = *dialog->fdbPage();
        // 32 generated rows, the switch's own, two static entries and three of the data file.
        QCOMPARE(fdbRowsOnSwitch(), 38);
        QCOMPARE(fdb.list()->topLevelItemCount(), 38);
        const QTreeWidgetItem *first = fdb.list()->topLevelItem(0);
        QCOMPARE(first->text(FdbVlanColumn), u"1"_s);
        QCOMPARE(first->text(FdbAddressColumn), u"001CA8000000"_s);
        QCOMPARE(first->text(FdbPortColumn),
                 onSwitch(u"1.3.6.1.2.1.17.7.1.2.2.1.2.1.0.28.168.0.0.0"_s));
        QCOMPARE(first->text(FdbStatusColumn), u"learned"_s);
        QVERIFY(child(*dialog, u"btnMacFDBFilter"_s)->isEnabled());
        QVERIFY(child(*dialog, u"btnMacFDBSave"_s)->isEnabled());

        QCOMPARE(dialog->unicastPage()->list()->topLevelItemCount(), 2);
        QCOMPARE(dialog->multicastPage()->list()->topLevelItemCount(), 2);
        QCOMPARE(dialog->trafficPage()->list()->topLevelItemCount(), 24);
        QCOMPARE(dialog->trafficPage()->list()->topLevelItem(0)->text(1), u"enabled"_s);
        QVERIFY(!child(*dialog, u"btnTPCEdit"_s)->isEnabled());
        QCOMPARE(child<RadioGroup>(*dialog, u"rgp_BcastStromCtrl"_s)->itemIndex(), 1);
        QVERIFY(!child(*dialog, u"rgp_BcastStromCtrl"_s)->isEnabled());
        QVERIFY(child(*dialog, u"btnBMStormControlEdit"_s)->isEnabled());
    }

    void anEmptyTableOffersNoFilterSaveOrPrint()
    {
        QTemporaryDir files;
        SimulatedSwitch::Options options;
        options.fdbSize = 0;
        options.dataFile = withoutForwardingRows(files.filePath(u"empty.sim"_s));
        SimulatedSwitch empty(options);
        QVERIFY(ConnectModuleTo(empty));
        const auto back = qScopeGuard([this] { QVERIFY(ConnectModuleTo(m_switch)); });
        auto dialog = openDialog();
        QCOMPARE(dialog->fdbPage()->list()->topLevelItemCount(), 0);
        for (const char *name : {"btnMacFDBFilter", "btnMacFDBSave", "btnMacFDBPrint"})
            QVERIFY2(!child(*dialog, QString::fromLatin1(name))->isEnabled(), name);
        QVERIFY(!dialog->fdbPage()->action(KxTableAction::Filter)->isEnabled());
    }

    void filterRefusesIncompleteCriteria_data()
    {
        QTest::addColumn<FilterCriteria>("criteria");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing ticked")
            << FilterCriteria{false, false, std::nullopt, std::nullopt, std::nullopt}
            << u"Please specify the filtering criteria! "_s;
        QTest::newRow("empty VLAN ID")
            << FilterCriteria{false, false, u""_s, u""_s, std::nullopt}
            << u"Please specify the string criteria for 'VlanId' or uncheck this item!"_s;
        QTest::newRow("empty address")
            << FilterCriteria{false, false, std::nullopt, u""_s, std::nullopt}
            << u"Please specify the string criteria for 'Address' or uncheck this item!"_s;
        QTest::newRow("empty port")
            << FilterCriteria{false, false, std::nullopt, std::nullopt, u""_s}
            << u"Please specify the string criteria for 'Port' or uncheck this item!"_s;
        QTest::newRow("VLAN ID not digits")
            << FilterCriteria{false, false, u"1a"_s, u"xyz"_s, std::nullopt}
            << u"Invalid 'VlanId' value!"_s;
        QTest::newRow("11 digits")
            << FilterCriteria{false, false, std::nullopt, u"001CA800000"_s, std::nullopt}
            << u"Invalid 'Address' value!"_s;
        QTest::newRow("13 digits")
            << FilterCriteria{false, false, std::nullopt, u"001CA80000000"_s, std::nullopt}
            << u"Invalid 'Address' value!"_s;
        QTest::newRow("not hex")
            << FilterCriteria{false, false, std::nullopt, u"001CA800000G"_s, std::nullopt}
            << u"Invalid 'Address' value!"_s;
        QTest::newRow("port not digits")
            << FilterCriteria{false, false, std::nullopt, std::nullopt, u"-5"_s}
            << u"Invalid 'Port' value!"_s;
    }

    void filterRefusesIncompleteCriteria()
    {
        QFETCH(FilterCriteria, criteria);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        auto dialog = openDialog();
        const QStringList before = addresses(*dialog->fdbPage());
        bool stayedOpen = false;
        onModal(u"frmMacFDBFilter"_s, [&](QDialog &filter) {
            fillFilter(filter, criteria);
            click(filter, u"btnFilterAction"_s);
            stayedOpen = filter.isVisible();
        });
        click(*dialog, u"btnMacFDBFilter"_s);
        QVERIFY(stayedOpen);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(addresses(*dialog->fdbPage()), before);
    }

    void filterKeepsTheMatchingRows_data()
    {
        QTest::addColumn<FilterCriteria>("criteria");
        QTest::addColumn<QStringList>("kept");
        // The generated rows: VLAN 1, address 001CA80000NN, port NN % 24 + 1.
        // The static entry 001CA8AA0001 goes to port 5.
        const QStringList port5{u"001CA8000004"_s, u"001CA800001C"_s, u"001CA8AA0001"_s};
        QTest::newRow("and: VLAN 1, port 5")
            << FilterCriteria{false, false, u"1"_s, std::nullopt, u"5"_s} << port5;
        QTest::newRow("and: port written 05")
            << FilterCriteria{false, false, std::nullopt, std::nullopt, u"05"_s} << port5;
        QTest::newRow("and: VLAN 20, port 9")
            << FilterCriteria{false, false, u"20"_s, std::nullopt, u"9"_s}
            << QStringList{u"00505620B002"_s};
        QTest::newRow("and: VLAN 2")
            << FilterCriteria{false, false, u"2"_s, std::nullopt, std::nullopt} << QStringList{};
        QTest::newRow("and: lower-case address")
            << FilterCriteria{false, false, std::nullopt, u"001ca800001f"_s, std::nullopt}
            << QStringList{u"001CA800001F"_s};
        QTest::newRow("or: address or port 5")
            << FilterCriteria{false, true, std::nullopt, u"001CA8000001"_s, u"5"_s}
            << QStringList{
                   u"001CA8000001"_s, u"001CA8000004"_s, u"001CA800001C"_s, u"001CA8AA0001"_s};
        QTest::newRow("or: VLAN 2 or port 24")
            << FilterCriteria{false, true, u"2"_s, std::nullopt, u"24"_s}
            << QStringList{u"001CA8000017"_s};
    }

    void filterKeepsTheMatchingRows()
    {
        QFETCH(FilterCriteria, criteria);
        QFETCH(QStringList, kept);
        auto dialog = openDialog();
        onModal(u"frmMacFDBFilter"_s, [&](QDialog &filter) {
            fillFilter(filter, criteria);
            click(filter, u"btnFilterAction"_s);
        });
        click(*dialog, u"btnMacFDBFilter"_s);
        QCOMPARE(addresses(*dialog->fdbPage()), kept);
        click(*dialog, u"btnMacFDBRefresh"_s);
        QCOMPARE(dialog->fdbPage()->list()->topLevelItemCount(), fdbRowsOnSwitch());
    }

    void stormControlWritesTheChangedValues()
    {
        auto dialog = openDialog();
        dialog->pages()->setCurrentWidget(dialog->stormPage());
        child<RadioGroup>(*dialog, u"rgp_BMStromthreshold"_s)->setItemIndex(2); // packets-1000
        child<RadioGroup>(*dialog, u"rgp_McastStromCtrl"_s)->setItemIndex(1);   // enabled
        child<RadioGroup>(*dialog, u"rgp_DLFStromCtrl"_s)->setItemIndex(1);
        click(*dialog, u"btnBMStormControlEdit"_s);
        // The switch refuses the whole SET should it carry the read-only object.
        QCOMPARE(onSwitch(stormControl + u".1.0"_s), u"3"_s);
        QCOMPARE(onSwitch(stormControl + u".3.0"_s), u"3"_s);
        QCOMPARE(onSwitch(stormControl + u".4.0"_s), u"3"_s);
        QVERIFY(m_switch.set(stormControl + u".1.0"_s, u"i"_s, u"2"_s));
        QVERIFY(m_switch.set(stormControl + u".3.0"_s, u"i"_s, u"2"_s));
        QVERIFY(m_switch.set(stormControl + u".4.0"_s, u"i"_s, u"2"_s));
        click(*dialog, u"btnBMStormControlRefresh"_s);
        QCOMPARE(child<RadioGroup>(*dialog, u"rgp_BMStromthreshold"_s)->itemIndex(), 1);

        const quint32 before = m_switch.setRequests();
        click(*dialog, u"btnBMStormControlEdit"_s);
        QCOMPARE(m_switch.setRequests(), before); // nothing changed, nothing sent
    }

    void closeAndRefreshDuringTheOpeningReads()
    {
        SimulatedSwitch::Options options;
        options.fdbSize = 20000;
        SimulatedSwitch large(options);
        QVERIFY(ConnectModuleTo(large));
        const auto back = qScopeGuard([this] { QVERIFY(ConnectModuleTo(m_switch)); });
        auto dialog = std::make_unique<TfrmMacManagement>();
        QTimer::singleShot(200, dialog.get(), [&dialog] {
            click(*dialog, u"btnMacFDBRefresh"_s);
            click(*dialog, u"btnMacFDBClose"_s);
        });
        QElapsedTimer clock;
        clock.start();
        dialog->exec();
        QVERIFY(clock.elapsed() < 20000);
        const QTreeWidget *list = dialog->fdbPage()->list();
        QVERIFY(list->topLevelItemCount() < 20000);
        QSet<QString> keys;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            keys.insert(list->topLevelItem(i)->text(FdbAddressColumn));
        QCOMPARE(keys.size(), list->topLevelItemCount());
        // The reads after the one that was running were skipped.
        QCOMPARE(dialog->unicastPage()->list()->topLevelItemCount(), 0);
        QCOMPARE(dialog->trafficPage()->list()->topLevelItemCount(), 0);
    }

    void staticListsShowTheirPorts_data()
    {
        QTest::addColumn<QString>("ports");
        QTest::addColumn<QString>("unicast");
        QTest::addColumn<QString>("multicast");
        QTest::newRow("ports 3 and 7") << u"220000"_s << u"3"_s << u"3,7"_s;
        QTest::newRow("port 24") << u"000001"_s << u"24"_s << u"24"_s;
        QTest::newRow("none") << u"000000"_s << u"0"_s << QString();
        QTest::newRow("ports 2 and 5") << u"480000"_s << u"2"_s << u"2,5"_s;
    }

    void staticListsShowTheirPorts()
    {
        QFETCH(QString, ports);
        QFETCH(QString, unicast);
        QFETCH(QString, multicast);
        QVERIFY(m_switch.set(unicastEntry + u".3."_s + unicastInstance(2), u"x"_s, ports));
        QVERIFY(m_switch.set(multicastEntry + u".3.1.1.0.94.1.1.1.0"_s, u"x"_s, ports));
        auto dialog = openDialog();
        QCOMPARE(rowWithAddress(*dialog->unicastPage(), u"001CA8AA0002"_s)->text(StaticPortsColumn),
                 unicast);
        QCOMPARE(
            rowWithAddress(*dialog->multicastPage(), u"01005E010101"_s)->text(StaticPortsColumn),
            multicast);
        QVERIFY(m_switch.set(unicastEntry + u".3."_s + unicastInstance(2), u"x"_s, u"220000"_s));
        QVERIFY(m_switch.set(multicastEntry + u".3.1.1.0.94.1.1.1.0"_s, u"x"_s, u"480000"_s));
    }

    void unicastEditWritesOnlyTheChosenPort()
    {
        QVERIFY(m_switch.set(unicastEntry + u".4."_s + unicastInstance(1), u"i"_s, u"4"_s));
        auto dialog = openDialog();
        TStaticMacPage &page = *dialog->unicastPage();
        select(page, rowWithAddress(page, u"001CA8AA0001"_s));
        editSelected(*dialog, StaticMacKind::Unicast, {12});
        QCOMPARE(onSwitch(unicastEntry + u".3."_s + unicastInstance(1)), u"001000"_s);
        QCOMPARE(onSwitch(unicastEntry + u".4."_s + unicastInstance(1)), u"4"_s); // status kept
        QCOMPARE(rowWithAddress(page, u"001CA8AA0001"_s)->text(StaticPortsColumn), u"12"_s);
        QCOMPARE(rowWithAddress(page, u"001CA8AA0001"_s)->text(StaticStatusColumn),
                 u"deleteOnReset"_s);
        QVERIFY(m_switch.set(unicastEntry + u".3."_s + unicastInstance(1), u"x"_s, u"080000"_s));
        QVERIFY(m_switch.set(unicastEntry + u".4."_s + unicastInstance(1), u"i"_s, u"3"_s));
    }

    void unicastEditWithoutAChoiceKeepsEveryPort()
    {
        auto dialog = openDialog();
        TStaticMacPage &page = *dialog->unicastPage();
        select(page, rowWithAddress(page, u"001CA8AA0002"_s)); // ports 3 and 7
        const quint32 before = m_switch.setRequests();
        editSelected(*dialog, StaticMacKind::Unicast, {});
        QCOMPARE(m_switch.setRequests(), before);
        QCOMPARE(onSwitch(unicastEntry + u".3."_s + unicastInstance(2)), u"220000"_s);
    }

    void multicastEditTogglesPorts()
    {
        auto dialog = openDialog();
        TStaticMacPage &page = *dialog->multicastPage();
        select(page, rowWithAddress(page, u"01005E010101"_s)); // ports 2 and 5
        editSelected(*dialog, StaticMacKind::Multicast, {5, 9});
        QCOMPARE(onSwitch(multicastEntry + u".3.1.1.0.94.1.1.1.0"_s), u"408000"_s);
        QCOMPARE(rowWithAddress(page, u"01005E010101"_s)->text(StaticPortsColumn), u"2,9"_s);
        QVERIFY(m_switch.set(multicastEntry + u".3.1.1.0.94.1.1.1.0"_s, u"x"_s, u"480000"_s));
    }

    void egressSelectionOffersTheVlanPortsAfterAClick()
    {
        const QString vlan = u"1.3.6.1.2.1.17.7.1.4.3.1"_s;
        const auto made = m_switch.runTool(u"snmpset"_s,
                                           {u"-v2c"_s,
                                            u"-cgranite"_s,
                                            vlan + u".2.10"_s,
                                            u"x"_s,
                                            u"F00000"_s,
                                            vlan + u".5.10"_s,
                                            u"i"_s,
                                            u"4"_s});
        QCOMPARE(made.exitCode, 0);
        const QString entry = u".10.0.28.168.170.0.9.0"_s;
        addUnicastEntry(entry, u"400000"_s);
        const auto cleanUp = qScopeGuard([&] {
            m_switch.set(unicastEntry + u".4"_s + entry, u"i"_s, u"2"_s);
            m_switch.set(vlan + u".5.10"_s, u"i"_s, u"6"_s);
        });
        ScriptedPrompts prompts;
        auto dialog = openDialog();
        TStaticMacPage &page = *dialog->unicastPage();
        select(page, rowWithAddress(page, u"001CA8AA0009"_s));
        bool checked = false;
        onModal(u"frmUnicastMacAddressInsert"_s, [&](QDialog &editor) {
            onModal(u"frmInsertSelectVlanEgress"_s, [&](QDialog &selection) {
                QCOMPARE(selection.windowTitle(), u"Unicast MAC Address Egress Option"_s);
                for (int port = 1; port <= 24; ++port)
                    QCOMPARE(child(selection, u"btnPort%1"_s.arg(port))->isEnabled(), port <= 4);
                click(selection, u"btnOk"_s);
                QCOMPARE(prompts.lastText(), u"Please select a egress port first!"_s);
                QVERIFY(selection.isVisible());
                checked = true;
            });
            click(editor, u"sbnUnicastAllowedToGoTo"_s);
        });
        click(*dialog, u"btnUnicastEdit"_s);
        QVERIFY(checked);
    }

    void deleteRemovesTheEntry()
    {
        const QString entry = u".1.0.28.168.170.0.8.0"_s;
        addUnicastEntry(entry, u"010000"_s);
        QCOMPARE(onSwitch(fdbStatus + u".1.0.28.168.170.0.8"_s), u"5"_s);
        QCOMPARE(onSwitch(u"1.3.6.1.2.1.17.7.1.2.2.1.2.1.0.28.168.170.0.8"_s), u"8"_s);
        auto dialog = openDialog();
        TStaticMacPage &page = *dialog->unicastPage();
        select(page, rowWithAddress(page, u"001CA8AA0008"_s));
        click(*dialog, u"btnUnicastDelete"_s);
        QVERIFY(!rowWithAddress(page, u"001CA8AA0008"_s));
        QVERIFY(onSwitch(unicastEntry + u".4"_s + entry).startsWith(u"NoSuch"_s));
        // The forwarding table held it as mgmt until then.
        QVERIFY(onSwitch(fdbStatus + u".1.0.28.168.170.0.8"_s).startsWith(u"NoSuch"_s));
    }

    void refusedDeleteKeepsTheEntry()
    {
        const QString writer = GlobalSecurity().writeCommunity;
        GlobalSecurity().writeCommunity = u"tundra"_s; // reads only
        const auto back = qScopeGuard([writer] { GlobalSecurity().writeCommunity = writer; });
        auto dialog = openDialog();
        TStaticMacPage &page = *dialog->multicastPage();
        select(page, rowWithAddress(page, u"01005E7FFFFA"_s));
        click(*dialog, u"btnMulticastDelete"_s);
        QVERIFY(rowWithAddress(page, u"01005E7FFFFA"_s));
        QCOMPARE(rowWithAddress(page, u"01005E7FFFFA"_s)->text(StaticStatusColumn), u"Static"_s);
        QCOMPARE(onSwitch(multicastEntry + u".5.1.1.0.94.127.255.250.0"_s), u"3"_s);
    }
};

QTEST_MAIN(TestMacFdb)
#include "tst_macfdb.moc"
