#include "snmp/varlist.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const KxOptionList states({{2, "disabled"}, {3, "enabled"}});
const QString initialValue = u"7"_s;
const QString initialLastOid = u"1.3.6.1.2.1.2.2.1.2.7"_s;

const KxSNMPVarDesc ifTable[] = {
    {"1.3.6.1.2.1.2.2.1.1", "Index", KxSyntax::Integer, KxAccess::NotAccess},
    {"1.3.6.1.2.1.2.2.1.2", "Descr", KxSyntax::DisplayStr, KxAccess::ReadOnly},
    {"1.3.6.1.2.1.2.2.1.7", "Admin", KxSyntax::Integer, KxAccess::ReadWrite, &states},
    {"1.3.6.1.2.1.2.2.1.99", "Secret", KxSyntax::OctetStr, KxAccess::WriteOnly},
    {"1.3.6.1.4.1.88508.1",
     "Implied key",
     KxSyntax::DisplayStr,
     KxAccess::NotAccess | KxAccess::Implied},
    {},
};

const KxSNMPVarDesc withInitials[] = {
    {"1.3.6.1.2.1.1.5",
     "Name",
     KxSyntax::DisplayStr,
     KxAccess::ReadWrite,
     nullptr,
     "$0",
     nullptr,
     "spare",
     &initialValue,
     &initialLastOid},
    {},
};

const KxSNMPVarDesc empty[] = {{}};

} // namespace

class TestVarList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buildsFromTable();
    void nullOrEmptyTableAddsNothing();
    void addKeepsExistingVariablesFirst();
    void assignCopiesDeeplyAndKeepsSuffix();
    void accessPredicates_data();
    void accessPredicates();
    void keyColumnsOfTablesAreWritable();
    void invalidBitHidesEverything();
    void nameTables_data();
    void nameTables();
};

void TestVarList::buildsFromTable()
{
    const KxSNMPVarList list(ifTable, MVT_FMV, 1);
    QCOMPARE(list.Count(), 5);
    QCOMPARE(list.kind, MVT_FMV);
    QCOMPARE(list.keyCount, 1);
    QVERIFY(list.indexSuffix.isEmpty());
    QCOMPARE(list.Item(2).oid, u"1.3.6.1.2.1.2.2.1.7"_s);
    QCOMPARE(list.Item(2).name, u"Admin"_s);
    QCOMPARE(list.Item(2).options, &states);
    QVERIFY(list.Item(2).value.isEmpty());

    const KxSNMPVarList initials(withInitials, SVT_SV, 0);
    QCOMPARE(initials.Item(0).value, initialValue);
    QCOMPARE(initials.Item(0).lastOid, initialLastOid);
    QCOMPARE(initials.Item(0).getExpression, u"$0"_s);
    QVERIFY(initials.Item(0).setExpression.isNull());
    QCOMPARE(initials.Item(0).spare, u"spare"_s);
}

void TestVarList::nullOrEmptyTableAddsNothing()
{
    KxSNMPVarList list(empty, SVT_SV, 0);
    QCOMPARE(list.Count(), 0);
    list.Add(nullptr);
    QCOMPARE(list.Count(), 0);
    const KxSNMPVarList none;
    QCOMPARE(none.kind, SVT_SV);
    QCOMPARE(none.keyCount, 0);
}

void TestVarList::addKeepsExistingVariablesFirst()
{
    KxSNMPVarList list(withInitials, SVT_SV, 0);
    list.Add(ifTable);
    QCOMPARE(list.Count(), 6);
    QCOMPARE(list.Item(0).name, u"Name"_s);
    QCOMPARE(list.Item(1).name, u"Index"_s);
}

void TestVarList::assignCopiesDeeplyAndKeepsSuffix()
{
    KxSNMPVarList source(ifTable, MVT_UMV, 1);
    source.indexSuffix = u"3"_s;
    source.name = u"Interfaces"_s;
    source.Item(1).value = u"eth0"_s;
    source.Item(1).access |= KxAccess::Invalid;

    KxSNMPVarList target(withInitials, SVT_SV, 0);
    target.indexSuffix = u"7"_s;
    target.Assign(source);
    QCOMPARE(target.indexSuffix, u"7"_s);
    QCOMPARE(target.kind, MVT_UMV);
    QCOMPARE(target.keyCount, 1);
    QCOMPARE(target.name, u"Interfaces"_s);
    QCOMPARE(target.Count(), 5);
    QCOMPARE(target.Item(1).value, u"eth0"_s);
    QCOMPARE(target.Item(1).access, KxAccess::ReadOnly | KxAccess::Invalid);
    QCOMPARE(target.Item(2).options, &states);

    source.Item(1).value = u"changed"_s;
    QCOMPARE(target.Item(1).value, u"eth0"_s);

    const KxSNMPVarList copy(source);
    QVERIFY(copy.indexSuffix.isEmpty());
    QCOMPARE(copy.Item(1).value, u"changed"_s);
}

void TestVarList::accessPredicates_data()
{
    QTest::addColumn<int>("access");
    QTest::addColumn<bool>("implied");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("hiddenColumn");
    // A scalar list, so key columns get no special treatment.
    QTest::newRow("index") << 1 << false << false << false << true << false;
    QTest::newRow("read-only") << 2 << false << true << false << true << false;
    QTest::newRow("write-only") << 4 << false << false << true << false << true;
    QTest::newRow("read-write") << 6 << false << true << true << true << false;
    QTest::newRow("derived") << 8 << false << false << false << true << false;
    QTest::newRow("hidden read-only") << 18 << false << true << false << false << true;
    QTest::newRow("implied index") << 65 << true << false << false << true << false;
    QTest::newRow("invalid read-write") << 38 << false << false << false << false << true;
}

void TestVarList::accessPredicates()
{
    QFETCH(int, access);
    QFETCH(bool, implied);
    QFETCH(bool, readable);
    QFETCH(bool, writable);
    QFETCH(bool, shown);
    QFETCH(bool, hiddenColumn);
    const KxSNMPVarDesc table[] = {{"1.3.6.1.2.1.1.1", "x", KxSyntax::Integer, access}, {}};
    const KxSNMPVarList list(table, SVT_SV, 0);
    QCOMPARE(list.IsImplied(0), implied);
    QCOMPARE(list.IsReadable(0), readable);
    QCOMPARE(list.IsWritable(0), writable);
    QCOMPARE(list.IsShown(0), shown);
    QCOMPARE(list.IsHiddenColumn(0), hiddenColumn);
}

void TestVarList::keyColumnsOfTablesAreWritable()
{
    const KxSNMPVarList table(ifTable, MVT_FMV, 1);
    QVERIFY(table.IsWritable(0));
    QVERIFY(!table.IsWritable(1));
    QVERIFY(!table.IsWritable(4));
    const KxSNMPVarList instance(ifTable, MVT_SV, 1);
    QVERIFY(!instance.IsWritable(0));
    QCOMPARE(table.ShownCount(), 4);
    QCOMPARE(table.HiddenColumnCount(), 1);
}

void TestVarList::invalidBitHidesEverything()
{
    KxSNMPVarList list(ifTable, MVT_FMV, 1);
    list.Item(2).access |= KxAccess::Invalid;
    QVERIFY(!list.IsReadable(2));
    QVERIFY(!list.IsWritable(2));
    QVERIFY(!list.IsShown(2));
    QVERIFY(list.IsHiddenColumn(2));
    list.Item(0).access |= KxAccess::Invalid;
    QVERIFY(!list.IsWritable(0));
    QCOMPARE(list.ShownCount(), 2);
    QCOMPARE(list.HiddenColumnCount(), 3);
}

void TestVarList::nameTables_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("kind 0") << 0 << 0 << u"SVT_SV"_s;
    QTest::newRow("kind 3") << 0 << 3 << u"MVT_UMV"_s;
    QTest::newRow("syntax 66") << 1 << 66 << u"guage"_s;
    QTest::newRow("syntax 76") << 1 << 76 << u"displaystr"_s;
    QTest::newRow("syntax 198") << 1 << 198 << u"uint16"_s;
    QTest::newRow("access 6") << 2 << 6 << u"readwrite"_s;
    QTest::newRow("access 32") << 2 << 32 << u"invalid"_s;
    QTest::newRow("access 64 has no name") << 2 << 64 << u"64"_s;
}

void TestVarList::nameTables()
{
    QFETCH(int, table);
    QFETCH(int, code);
    QFETCH(QString, name);
    const KxOptionList &names = table == 0   ? KindNames()
                                : table == 1 ? SyntaxNames()
                                             : AccessNames();
    QCOMPARE(names.ValueToText(QString::number(code)), name);
    QCOMPARE(KindNames().Count(), 4);
    QCOMPARE(SyntaxNames().Count(), 25);
    QCOMPARE(AccessNames().Count(), 7);
}

QTEST_APPLESS_MAIN(TestVarList)
#include "tst_varlist.moc"
