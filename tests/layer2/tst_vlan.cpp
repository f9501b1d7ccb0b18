#include "dialogtest.h"
#include "layer2/vlan.h"
#include "moduletest.h"
#include "scriptedprompts.h"
#include "simulator.h"
#include "snmp/records.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString staticEntry = u"1.3.6.1.2.1.17.7.1.4.3.1"_s;
enum StaticColumn { NameColumnOid = 1, EgressOid, ForbiddenOid, UntaggedOid, StatusOid };

// Toggles the ports in a port-selection dialog and confirms it.
void pickPorts(QDialog &selection, const QList<int> &ports)
{
    for (int port : ports)
        click(selection, u"btnPort%1"_s.arg(port));
    click(selection, u"btnOk"_s);
}

// Opens the port selection of one set in an editor and picks the ports.
void choosePorts(QDialog &editor, const QString &set, const QList<int> &ports)
{
    const QString prefix = editor.objectName().mid(3); // "VLanInsert" or "VLanEdit"
    onModal(u"frm"_s + prefix + set, [ports](QDialog &selection) { pickPorts(selection, ports); });
    click(editor, u"sbn"_s + prefix + set);
}

QString edit(const QWidget &parent, const QString &name)
{
    return child<QLineEdit>(parent, name)->text();
}

QTreeWidgetItem *rowOf(const TfrmVLan &vlan, int id)
{
    const QList<QTreeWidgetItem *> rows
        = vlan.list()->findItems(QString::number(id), Qt::MatchExactly, IdColumn);
    return rows.isEmpty() ? nullptr : rows.constFirst();
}

QString countText(const TfrmVLan &vlan)
{
    return child<QLabel>(vlan, u"stxVLanCount"_s)->text();
}

// A copy of the shipped switch whose data the edit changes.
QString switchData(const QTemporaryDir &dir,
                   const QString &name,
                   const std::function<void(QString &)> &edit)
{
    const QString path = dir.filePath(name);
    if (!WriteEditedSwitchData(path, edit))
        qFatal("cannot write the switch data");
    return path;
}

} // namespace

class TestVLan : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;
    SimulatedSwitch m_switch;

    std::unique_ptr<TfrmVLan> openVLan() { return openDialog<TfrmVLan>(); }

    QString onSwitch(int column, int id, const SimulatedSwitch *other = nullptr) const
    {
        const SimulatedSwitch &target = other ? *other : m_switch;
        return target
            .runTool(u"snmpget"_s,
                     {u"-v2c"_s,
                      u"-ctundra"_s,
                      u"-Oqvx"_s,
                      u"%1.%2.%3"_s.arg(staticEntry).arg(column).arg(id)})
            .out.remove(u'"')
            .trimmed();
    }

    void createVLan(int id,
                    const QString &name,
                    const QString &egress,
                    const QString &forbidden,
                    const QString &untagged)
    {
        const QString row = u".%1"_s.arg(id);
        const auto result = m_switch.runTool(u"snmpset"_s,
                                             {u"-v2c"_s,
                                              u"-cgranite"_s,
                                              staticEntry + u".1"_s + row,
                                              u"s"_s,
                                              name,
                                              staticEntry + u".2"_s + row,
                                              u"x"_s,
                                              egress,
                                              staticEntry + u".3"_s + row,
                                              u"x"_s,
                                              forbidden,
                                              staticEntry + u".4"_s + row,
                                              u"x"_s,
                                              untagged,
                                              staticEntry + u".5"_s + row,
                                              u"i"_s,
                                              u"4"_s});
        QCOMPARE(result.exitCode, 0);
    }

    int vlansOnSwitch() const
    {
        const QString out
            = m_switch.runTool(u"snmpwalk"_s, {u"-v2c"_s, u"-ctundra"_s, staticEntry + u".5"_s})
                  .out.trimmed();
        return out.isEmpty() ? 0 : static_cast<int>(out.count(u'\n') + 1);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(ConnectModuleTo(m_switch));
    }

    void openingShowsThePortListsAsPortNumbers()
    {
        auto vlan = openVLan();
        const QTreeWidgetItem *first = rowOf(*vlan, 1);
        QVERIFY(first);
        QVERIFY(vlan->list()->isVisible());
        QCOMPARE(first->text(NameColumn), u"default"_s);
        QCOMPARE(first->text(MembersColumn),
                 u"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24"_s);
        QCOMPARE(first->text(ForbiddenColumn), u"0"_s);
        QCOMPARE(first->text(StatusColumn), u"active"_s);
        QCOMPARE(countText(*vlan), u"%1 Item(s)"_s.arg(vlan->list()->topLevelItemCount()));
        QVERIFY(child(*vlan, u"btnVLanInsert"_s)->isEnabled());
        QVERIFY(!child(*vlan, u"btnVLanEdit"_s)->isEnabled());
        QVERIFY(!child(*vlan, u"btnVLanDelete"_s)->isEnabled());
        QVERIFY(child(*vlan, u"btnVLanSave"_s)->isEnabled());

        vlan->list()->setCurrentItem(vlan->list()->topLevelItem(0));
        QVERIFY(!child(*vlan, u"btnVLanInsert"_s)->isEnabled());
        QVERIFY(child(*vlan, u"btnVLanEdit"_s)->isEnabled());
        QVERIFY(child(*vlan, u"btnVLanDelete"_s)->isEnabled());
    }

    void insertCreatesTheRowOnTheSwitch()
    {
        auto vlan = openVLan();
        onModal(u"frmVLanInsert"_s, [](QDialog &editor) {
            QCOMPARE(editor.windowTitle(), u"VLANs Insert"_s);
            child<QLineEdit>(editor, u"edtVLanInsertId"_s)->setText(u"10"_s);
            child<QLineEdit>(editor, u"edtVLanInsertName"_s)->setText(u"sales"_s);
            choosePorts(editor, u"PortMembers"_s, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
            QCOMPARE(edit(editor, u"edtVLanInsertPortMembers"_s), u"1,2,3,4,5,6,7,8,9,10,11,12,"_s);
            click(editor, u"btnVLanInsert"_s);
        });
        click(*vlan, u"btnVLanInsert"_s);

        QCOMPARE(onSwitch(EgressOid, 10), u"FF F0 00"_s);
        QCOMPARE(onSwitch(ForbiddenOid, 10), u"00 00 00"_s);
        QCOMPARE(onSwitch(StatusOid, 10), u"1"_s);
        const QTreeWidgetItem *row = rowOf(*vlan, 10);
        QVERIFY(row);
        QCOMPARE(row->text(NameColumn), u"sales"_s);
        QCOMPARE(row->text(MembersColumn), u"1,2,3,4,5,6,7,8,9,10,11,12"_s);
        QCOMPARE(countText(*vlan), u"%1 Item(s)"_s.arg(vlan->list()->topLevelItemCount()));
    }

    void insertRefusesBadInput_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("members");
        QTest::addColumn<QString>("message");
        const QString idMessage = u"VLAN ID must be a number from 1 to 4094!"_s;
        QTest::newRow("ID 0") << u"0"_s << u"x"_s << true << idMessage;
        QTest::newRow("ID 4095") << u"4095"_s << u"x"_s << true << idMessage;
        QTest::newRow("ID not a number") << u"1a"_s << u"x"_s << true << idMessage;
        QTest::newRow("empty name") << u"20"_s << QString() << true << u"Name can't be empty!"_s;
        QTest::newRow("21 characters")
            << u"20"_s << QString(21, u'n') << true << u"Name length must be less than 20 chars!"_s;
        QTest::newRow("20 characters, no members")
            << u"20"_s << QString(20, u'n') << false << u"Please specify PortMembers value!"_s;
    }

    void insertRefusesBadInput()
    {
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(bool, members);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        auto vlan = openVLan();
        const int before = vlansOnSwitch();
        onModal(u"frmVLanInsert"_s, [&](QDialog &editor) {
            child<QLineEdit>(editor, u"edtVLanInsertId"_s)->setText(id);
            child<QLineEdit>(editor, u"edtVLanInsertName"_s)->setText(name);
            if (members)
                choosePorts(editor, u"PortMembers"_s, {3});
            click(editor, u"btnVLanInsert"_s);
            QVERIFY(editor.isVisible());
        });
        click(*vlan, u"btnVLanInsert"_s);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(vlansOnSwitch(), before);
    }

    void portSelectionsStayConsistent()
    {
        ScriptedPrompts prompts;
        auto vlan = openVLan();
        onModal(u"frmVLanInsert"_s, [&](QDialog &editor) {
            click(editor, u"sbnVLanInsertForbiddenPorts"_s);
            QCOMPARE(prompts.lastText(), u"Please specify PortMembers value first!"_s);
            click(editor, u"sbnVLanInsertUntaggedPorts"_s);
            QCOMPARE(prompts.lastText(), u"Please specify Port Members value first!"_s);

            choosePorts(editor, u"PortMembers"_s, {1, 2, 3});
            choosePorts(editor, u"ForbiddenPorts"_s, {2, 4});
            QCOMPARE(edit(editor, u"edtVLanInsertPortMembers"_s), u"1,3,"_s);
            QCOMPARE(edit(editor, u"edtVLanInsertForbiddenPorts"_s), u"2,4,"_s);
            // Adding port 4 to the members takes it out of the forbidden ports.
            choosePorts(editor, u"PortMembers"_s, {4});
            QCOMPARE(edit(editor, u"edtVLanInsertPortMembers"_s), u"1,3,4,"_s);
            QCOMPARE(edit(editor, u"edtVLanInsertForbiddenPorts"_s), u"2,"_s);
        });
        click(*vlan, u"btnVLanInsert"_s);
    }

    void untaggedChoiceIsLimited()
    {
        const auto restore = qScopeGuard([this] {
            m_switch.runTool(
                u"snmpset"_s,
                {u"-v2c"_s, u"-cgranite"_s, staticEntry + u".4.1"_s, u"x"_s, u"FFFFFF"_s});
        });
        QCOMPARE(
            m_switch
                .runTool(u"snmpset"_s,
                         {u"-v2c"_s, u"-cgranite"_s, staticEntry + u".4.1"_s, u"x"_s, u"FFF000"_s})
                .exitCode,
            0);
        auto vlan = openVLan();

        // Inserting: a port untagged in another VLAN, or not a member, cannot be chosen.
        onModal(u"frmVLanInsert"_s, [](QDialog &editor) {
            choosePorts(editor, u"PortMembers"_s, {1, 13, 14});
            onModal(u"frmVLanInsertUntaggedPorts"_s, [](QDialog &selection) {
                QCOMPARE(selection.windowTitle(), u"VLAN Insert Untagged Ports"_s);
                QVERIFY(!child(selection, u"btnPort1"_s)->isEnabled());
                QVERIFY(child(selection, u"btnPort13"_s)->isEnabled());
                QVERIFY(!child(selection, u"btnPort15"_s)->isEnabled());
                pickPorts(selection, {13});
            });
            click(editor, u"sbnVLanInsertUntaggedPorts"_s);
            QCOMPARE(edit(editor, u"edtVLanInsertUntaggedPorts"_s), u"13,"_s);
        });
        click(*vlan, u"btnVLanInsert"_s);

        // Editing: only membership limits the choice; the VLAN's own untagged
        // ports start chosen.
        vlan->list()->setCurrentItem(rowOf(*vlan, 1));
        onModal(u"frmVLanEdit"_s, [](QDialog &editor) {
            QCOMPARE(edit(editor, u"edtVLanEditUntaggedPorts"_s), u"1,2,3,4,5,6,7,8,9,10,11,12"_s);
            onModal(u"frmVLanEditUntaggedPorts"_s, [](QDialog &selection) {
                auto *first = child<QAbstractButton>(selection, u"btnPort1"_s);
                QVERIFY(first->isEnabled() && first->isChecked());
                auto *thirteenth = child<QAbstractButton>(selection, u"btnPort13"_s);
                QVERIFY(thirteenth->isEnabled() && !thirteenth->isChecked());
                click(selection, u"btnClose"_s);
            });
            click(editor, u"sbnVLanEditUntaggedPorts"_s);
        });
        click(*vlan, u"btnVLanEdit"_s);
    }

    void editWritesThePortSets()
    {
        createVLan(11, u"eng"_s, u"F00000"_s, u"000000"_s, u"000000"_s);
        auto vlan = openVLan();
        vlan->list()->setCurrentItem(rowOf(*vlan, 11));
        onModal(u"frmVLanEdit"_s, [](QDialog &editor) {
            QCOMPARE(editor.windowTitle(), u"VLANs Edit"_s);
            QCOMPARE(edit(editor, u"edtVLanEditId"_s), u"11"_s);
            QCOMPARE(edit(editor, u"edtVLanEditPortMembers"_s), u"1,2,3,4"_s);
            choosePorts(editor, u"PortMembers"_s, {5, 6});
            choosePorts(editor, u"ForbiddenPorts"_s, {9});
            choosePorts(editor, u"UntaggedPorts"_s, {1, 2});
            click(editor, u"btnVLanEdit"_s);
        });
        click(*vlan, u"btnVLanEdit"_s);

        QCOMPARE(onSwitch(EgressOid, 11), u"FC 00 00"_s);
        QCOMPARE(onSwitch(ForbiddenOid, 11), u"00 80 00"_s);
        QCOMPARE(onSwitch(UntaggedOid, 11), u"C0 00 00"_s);
        QCOMPARE(onSwitch(NameColumnOid, 11), u"65 6E 67"_s); // "eng"
        QCOMPARE(rowOf(*vlan, 11)->text(MembersColumn), u"1,2,3,4,5,6"_s);
    }

    // With the forbidden ports read-only on the switch, one SET carrying every
    // port set would fail whole; the member SET of its own still succeeds.
    void eachPortSetIsWrittenByItself()
    {
        const QString data = switchData(m_files, u"forbidden-ro.sim"_s, [](QString &text) {
            text.replace(u"dot1qVlanForbiddenEgressPorts portlist rw"_s,
                         u"dot1qVlanForbiddenEgressPorts portlist ro"_s);
        });
        SimulatedSwitch other(SimulatedSwitch::Options{data, {}, -1, -1});
        QVERIFY(other.start());
        const ModuleRetargeted onIt(other);

        auto vlan = openVLan();
        vlan->list()->setCurrentItem(rowOf(*vlan, 1));
        onModal(u"frmVLanEdit"_s, [](QDialog &editor) {
            choosePorts(editor, u"PortMembers"_s, {24});
            click(editor, u"btnVLanEdit"_s);
        });
        click(*vlan, u"btnVLanEdit"_s);
        QCOMPARE(onSwitch(EgressOid, 1, &other), u"FF FF FE"_s);
        QCOMPARE(onSwitch(UntaggedOid, 1, &other), u"FF FF FE"_s);
        QCOMPARE(rowOf(*vlan, 1)->text(MembersColumn).section(u',', -1), u"23"_s);
    }

    void deleteAsksAndRemovesTheRow()
    {
        createVLan(12, u"gone"_s, u"000F00"_s, u"000000"_s, u"000000"_s);
        ScriptedPrompts prompts;
        prompts.answers = {false, true};
        auto vlan = openVLan();
        const int rows = vlan->list()->topLevelItemCount();

        vlan->list()->setCurrentItem(rowOf(*vlan, 12));
        click(*vlan, u"btnVLanDelete"_s);
        QCOMPARE(prompts.shown.constLast().title, u"VLans Delete"_s);
        QCOMPARE(prompts.lastText(), u"Are you sure to delete the selected entry?"_s);
        QCOMPARE(onSwitch(StatusOid, 12), u"1"_s);

        click(*vlan, u"btnVLanDelete"_s);
        QVERIFY(onSwitch(StatusOid, 12).contains(u"No Such Instance"_s));
        QVERIFY(!rowOf(*vlan, 12));
        QCOMPARE(countText(*vlan), u"%1 Item(s)"_s.arg(rows - 1));
    }

    void refusedDeleteKeepsTheRow()
    {
        createVLan(13, u"kept"_s, u"000F00"_s, u"000000"_s, u"000000"_s);
        const QString writer = GlobalSecurity().writeCommunity;
        GlobalSecurity().writeCommunity = u"tundra"_s; // reads only
        const auto back = qScopeGuard([writer] { GlobalSecurity().writeCommunity = writer; });
        ScriptedPrompts prompts;
        prompts.answers = {true};
        auto vlan = openVLan();
        vlan->list()->setCurrentItem(rowOf(*vlan, 13));
        click(*vlan, u"btnVLanDelete"_s);
        QCOMPARE(onSwitch(StatusOid, 13), u"1"_s);
        const QTreeWidgetItem *row = rowOf(*vlan, 13);
        QVERIFY(row);
        QCOMPARE(row->text(MembersColumn), u"13,14,15,16"_s);
        QCOMPARE(row->text(StatusColumn), u"active"_s);
    }

    void saveWritesTheListAsText()
    {
        createVLan(30, u"lab"_s, u"F00000"_s, u"080000"_s, u"C00000"_s);
        ScriptedPrompts prompts;
        const QString path = m_files.filePath(u"vlans.txt"_s);
        const QString unwritable = m_files.filePath(u"missing/vlans.txt"_s);
        prompts.savePaths = {path, unwritable};
        auto vlan = openVLan();
        click(*vlan, u"btnVLanSave"_s);

        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(saved.readAll()).split(u'\n');
        QCOMPARE(
            lines.value(0),
            u"     ID                Name          Port Members          Forbidden Ports          Untagged Ports    Status"_s);
        QCOMPARE(lines.value(1), QString(110, u'='));
        QVERIFY(lines.contains(
            u"     30 lab                 1,2,3,4              5                       1,2                    active    "_s));
        // A cell longer than its width is written whole, a blank still after it.
        QVERIFY(lines.value(2).startsWith(
            u"      1 default             1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24 0"_s));
        QCOMPARE(lines.size(), vlan->list()->topLevelItemCount() + 3);

        click(*vlan, u"btnVLanSave"_s);
        QCOMPARE(prompts.lastText(), u"Could not save file "_s + unwritable);
    }

    void printMakesOneDocument()
    {
        ScriptedPrompts prompts;
        const QString pdf = m_files.filePath(u"vlans.pdf"_s);
        prompts.printFiles = {pdf, m_files.filePath(u"missing/vlans.pdf"_s)};
        auto vlan = openVLan();
        click(*vlan, u"btnVLanPrint"_s);
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QVERIFY(printed.readAll().startsWith("%PDF"));
        QVERIFY(prompts.shown.isEmpty());

        click(*vlan, u"btnVLanPrint"_s);
        QCOMPARE(prompts.lastText(), u"Could not print file !"_s);
    }

    void stopKeepsTheRowsReadSoFar()
    {
        const QString data = switchData(m_files, u"vlans200.sim"_s, [](QString &text) {
            QString rows;
            for (int id = 2; id <= 200; ++id)
                rows += u"row %1 = \"vlan%1\" 0x000001 0x000000 0x000000 1\n"_s.arg(id);
            const QString first = u"row 1 = \"default\" 0xFFFFFF 0x000000 0xFFFFFF 1\n"_s;
            text.replace(first, first + rows);
        });
        SimulatedSwitch big(SimulatedSwitch::Options{data, {}, -1, -1});
        QVERIFY(big.start());
        const ModuleRetargeted onIt(big);

        auto vlan = std::make_unique<TfrmVLan>();
        QTimer stopper;
        connect(&stopper, &QTimer::timeout, vlan.get(), [&] {
            if (vlan->list()->topLevelItemCount() > 0) {
                stopper.stop();
                click(*vlan, u"btnVLanStop"_s);
            }
        });
        stopper.start(0);
        vlan->show();
        QCoreApplication::processEvents();
        const int read = vlan->list()->topLevelItemCount();
        QVERIFY2(read > 0 && read < 200, qPrintable(QString::number(read)));
        QCOMPARE(countText(*vlan), u"%1 Item(s)"_s.arg(read));
        QCOMPARE(vlan->list()->topLevelItem(read - 1)->text(IdColumn), QString::number(read));
        QCOMPARE(vlan->list()->topLevelItem(read - 1)->text(MembersColumn),
                 read == 1 ? u"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24"_s
                           : u"24"_s);

        // Stop ended that walk only.
        click(*vlan, u"btnVLanRefresh"_s);
        QCOMPARE(vlan->list()->topLevelItemCount(), 200);
        QCOMPARE(countText(*vlan), u"200 Item(s)"_s);

        // Closing during a walk stops it and closes once it has ended.
        QTimer closer;
        connect(&closer, &QTimer::timeout, vlan.get(), [&] {
            closer.stop();
            click(*vlan, u"btnVLanClose"_s);
        });
        closer.start(0);
        click(*vlan, u"btnVLanRefresh"_s);
        QVERIFY(vlan->list()->topLevelItemCount() < 200);
        QTRY_VERIFY(!vlan->isVisible());
    }
};

QTEST_MAIN(TestVLan)
#include "tst_vlan.moc"
