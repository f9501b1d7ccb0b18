// The simulated switch's object store and data file, without the wire.
#include "datafile.h"
#include "store.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace sim;

namespace {

// A small switch: two scalars, a VLAN-like table with a RowStatus column, a
// forwarding-like table whose entries go with status invalid(2) and an
// RMON-like table with an EntryStatus column (row 1 valid, row 2 under creation).
const char Schema[] = R"(
scalar 1.1.1 name text rw size 0..8 = "sw"
scalar 1.1.2 descr text ro = "RQ5160"
scalar 1.1.3 state integer rw values 2,3 = 3
table 1.2.1 vlanEntry index integer:1..4094 rowstatus 5
column 1 vlanIndex integer na
column 2 vlanName text rw size 0..32 default ""
column 3 vlanPorts portlist rw default 0x000000
column 5 vlanStatus integer rw values 1..6
row 1 = "default" 0xFFFFFF 1
table 1.3.1 staticEntry index integer mac status 4 delete 2
column 3 staticPorts portlist rw
column 4 staticStatus integer rw values 1..5
row 1 001CA8000001 = 0x080000 3
table 1.5.1 statsEntry index integer:1..65535 entrystatus 4
column 2 statsSource oid rw fixed default 0.0
column 3 statsOwner text rw size 0..8 default ""
column 4 statsStatus integer rw values 1..4
row 1 = 1.3.6.1.2.1.2.2.1.1.1 "monitor" 1
row 2 = 0.0 "" 3
)";

Oid O(const char *text)
{
    return *Oid::parse(text);
}

VarBind Bind(const char *oid, Value value)
{
    return {O(oid), std::move(value)};
}

Value Text(const char *text)
{
    return Value::octets(text);
}

Value Int(int64_t v)
{
    return Value::integer(v);
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<Store>();
        QCOMPARE(QString::fromStdString(LoadDataText(Schema, "schema", *m_store)), QString());
    }

    void walksInstancesInOrderAndStaysInItsSubtree()
    {
        auto next = m_store->next(O("1.2.1"), O("1.2.1"));
        QVERIFY(next);
        QCOMPARE(next->first, O("1.2.1.2.1"));
        next = m_store->next(O("1.2.1.5.1"), O("1.2.1"));
        QVERIFY(!next);
        // A request before the subtree starts at its first instance.
        next = m_store->next(O("1.1.1.0"), O("1.3.1"));
        QVERIFY(next);
        QCOMPARE(next->first, O("1.3.1.3.1.0.28.168.0.0.1"));
    }

    void getTellsMissingObjectsFromMissingInstances()
    {
        Value value;
        QCOMPARE(m_store->get(O("1.1.2.0"), value), Lookup::Found);
        QCOMPARE(value.bytes(), std::string("RQ5160"));
        QCOMPARE(m_store->get(O("1.1.2.1"), value), Lookup::NoSuchInstance);
        QCOMPARE(m_store->get(O("1.2.1.1.1"), value), Lookup::NoSuchObject); // not accessible
        QCOMPARE(m_store->get(O("1.9.0"), value), Lookup::NoSuchObject);
    }

    void checksEachBinding_data()
    {
        QTest::addColumn<QString>("oid");
        QTest::addColumn<int>("kind"); // 0 integer, 1 text, 2 ip address, 3 object id
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("status");
        QTest::newRow("writable") << u"1.1.1.0"_s << 1 << u"core"_s << int(NoError);
        QTest::newRow("read-only") << u"1.1.2.0"_s << 1 << u"x"_s << int(NotWritable);
        QTest::newRow("unknown object") << u"1.9.0"_s << 0 << u"1"_s << int(NotWritable);
        QTest::newRow("not accessible") << u"1.2.1.1.1"_s << 0 << u"1"_s << int(NotWritable);
        QTest::newRow("wrong type") << u"1.1.1.0"_s << 0 << u"5"_s << int(WrongType);
        QTest::newRow("ip for text") << u"1.1.1.0"_s << 2 << u""_s << int(WrongType);
        QTest::newRow("too long") << u"1.1.1.0"_s << 1 << u"ninechars"_s << int(WrongLength);
        QTest::newRow("not in enumeration") << u"1.1.3.0"_s << 0 << u"4"_s << int(WrongValue);
        QTest::newRow("enumeration") << u"1.1.3.0"_s << 0 << u"2"_s << int(NoError);
        QTest::newRow("scalar instance not .0") << u"1.1.3.1"_s << 0 << u"2"_s << int(NoCreation);
        QTest::newRow("existing row") << u"1.2.1.2.1"_s << 1 << u"lan"_s << int(NoError);
        QTest::newRow("missing row") << u"1.2.1.2.7"_s << 1 << u"lan"_s << int(NoCreation);
        QTest::newRow("index out of range") << u"1.2.1.5.4095"_s << 0 << u"4"_s << int(NoCreation);
        QTest::newRow("createAndGo") << u"1.2.1.5.7"_s << 0 << u"4"_s << int(NoError);
        QTest::newRow("createAndGo on a row")
            << u"1.2.1.5.1"_s << 0 << u"4"_s << int(InconsistentValue);
        QTest::newRow("active on no row")
            << u"1.2.1.5.7"_s << 0 << u"1"_s << int(InconsistentValue);
        QTest::newRow("notReady") << u"1.2.1.5.1"_s << 0 << u"3"_s << int(WrongValue);
        QTest::newRow("destroy a missing row") << u"1.2.1.5.7"_s << 0 << u"6"_s << int(NoError);
        QTest::newRow("status creates static entry")
            << u"1.3.1.4.1.0.28.168.0.0.9"_s << 0 << u"3"_s << int(NoError);
        QTest::newRow("bad MAC index")
            << u"1.3.1.4.1.0.28.168.0.300.9"_s << 0 << u"3"_s << int(NoCreation);
        QTest::newRow("createRequest") << u"1.5.1.4.7"_s << 0 << u"2"_s << int(NoError);
        QTest::newRow("createRequest on a row")
            << u"1.5.1.4.1"_s << 0 << u"2"_s << int(InconsistentValue);
        QTest::newRow("valid on no row") << u"1.5.1.4.7"_s << 0 << u"1"_s << int(InconsistentValue);
        QTest::newRow("underCreation is the agent's")
            << u"1.5.1.4.2"_s << 0 << u"3"_s << int(WrongValue);
        QTest::newRow("underCreation on no row")
            << u"1.5.1.4.7"_s << 0 << u"3"_s << int(WrongValue);
        QTest::newRow("invalid on no row") << u"1.5.1.4.7"_s << 0 << u"4"_s << int(NoError);
        QTest::newRow("column of no entry") << u"1.5.1.3.7"_s << 1 << u"me"_s << int(NoCreation);
        QTest::newRow("owner of a valid entry") << u"1.5.1.3.1"_s << 1 << u"me"_s << int(NoError);
        QTest::newRow("fixed column under creation")
            << u"1.5.1.2.2"_s << 3 << u"1.3.6.1.2.1.2.2.1.1.5"_s << int(NoError);
        QTest::newRow("fixed column of a valid entry")
            << u"1.5.1.2.1"_s << 3 << u"1.3.6.1.2.1.2.2.1.1.5"_s << int(InconsistentValue);
    }

    void checksEachBinding()
    {
        QFETCH(QString, oid);
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(int, status);
        Value v = kind == 0   ? Int(value.toLongLong())
                  : kind == 1 ? Text(qPrintable(value))
                  : kind == 2 ? Value::ipAddress(std::string(4, '\0'))
                              : Value::objectId(*Oid::parse(value.toStdString()));
        const SetResult result = m_store->check({{*Oid::parse(oid.toStdString()), v}});
        QCOMPARE(result.status, status);
    }

    void reportsTheFirstFailingBinding()
    {
        const SetResult result = m_store->check(
            {Bind("1.1.1.0", Text("ok")), Bind("1.1.3.0", Int(9)), Bind("1.1.2.0", Text("x"))});
        QCOMPARE(result.status, int(WrongValue));
        QCOMPARE(result.index, size_t(1));
    }

    void createAndGoMakesAnActiveRowWithDefaults()
    {
        const std::vector<VarBind> set
            = {Bind("1.2.1.2.10", Text("lab")), Bind("1.2.1.5.10", Int(RowCreateAndGo))};
        QCOMPARE(m_store->check(set).status, int(NoError));
        m_store->apply(set);
        QCOMPARE(m_store->value(O("1.2.1.2.10"))->bytes(), std::string("lab"));
        QCOMPARE(m_store->value(O("1.2.1.3.10"))->bytes(), std::string(3, '\0'));
        QCOMPARE(m_store->number(O("1.2.1.5.10")), int64_t(RowActive));
    }

    void createRequestPutsAnEntryUnderCreationUntilValid()
    {
        const std::vector<VarBind> create
            = {Bind("1.5.1.4.9", Int(EntryCreateRequest)), Bind("1.5.1.3.9", Text("rq5160"))};
        QCOMPARE(m_store->check(create).status, int(NoError));
        m_store->apply(create);
        QCOMPARE(m_store->number(O("1.5.1.4.9")), int64_t(EntryUnderCreation));
        QCOMPARE(m_store->value(O("1.5.1.2.9"))->oid(), O("0.0"));
        QCOMPARE(m_store->value(O("1.5.1.3.9"))->bytes(), std::string("rq5160"));
        const std::vector<VarBind> activate
            = {Bind("1.5.1.2.9", Value::objectId(O("1.3.6.1.2.1.2.2.1.1.9"))),
               Bind("1.5.1.4.9", Int(EntryValid))};
        QCOMPARE(m_store->check(activate).status, int(NoError));
        m_store->apply(activate);
        QCOMPARE(m_store->number(O("1.5.1.4.9")), int64_t(EntryValid));
        const std::vector<VarBind> remove = {Bind("1.5.1.4.9", Int(EntryInvalid))};
        QCOMPARE(m_store->check(remove).status, int(NoError));
        m_store->apply(remove);
        QVERIFY(!m_store->rowExists(*m_store->table(O("1.5.1")), O("9")));
    }

    void destroyAndInvalidRemoveRows()
    {
        m_store->apply({Bind("1.2.1.2.1", Text("gone")), Bind("1.2.1.5.1", Int(RowDestroy))});
        const TableDef *vlans = m_store->table(O("1.2.1"));
        QVERIFY(m_store->rowIndexes(*vlans).empty());
        m_store->apply({Bind("1.3.1.4.1.0.28.168.0.0.1", Int(2))});
        QVERIFY(!m_store->next(O("1.3.1"), O("1.3.1")));
    }

    void revertTakesBackEveryChange()
    {
        const auto before = m_store->values();
        const Journal journal = m_store->apply({Bind("1.1.1.0", Text("new")),
                                                Bind("1.2.1.5.1", Int(RowDestroy)),
                                                Bind("1.2.1.2.5", Text("five")),
                                                Bind("1.2.1.5.5", Int(RowCreateAndGo))});
        QVERIFY(m_store->values() != before);
        m_store->revert(journal);
        QVERIFY(m_store->values() == before);
    }

    void limitsTheRowsOfATable()
    {
        Store store;
        LoadDataText("table 1.4.1 e index integer rowstatus 2 maxrows 3\n"
                     "column 2 s integer rw values 1..6\nrow 1 = 1\n",
                     "limit",
                     store);
        // Two new rows fit, also in one SET; a third new row in the same SET does not.
        QCOMPARE(store
                     .check({Bind("1.4.1.2.2", Int(RowCreateAndGo)),
                             Bind("1.4.1.2.3", Int(RowCreateAndGo))})
                     .status,
                 int(NoError));
        const auto tooMany = store.check({Bind("1.4.1.2.2", Int(RowCreateAndGo)),
                                          Bind("1.4.1.2.3", Int(RowCreateAndGo)),
                                          Bind("1.4.1.2.4", Int(RowCreateAndGo))});
        QCOMPARE(tooMany.status, int(ResourceUnavailable));
        QCOMPARE(tooMany.index, size_t(2));
        store.apply(
            {Bind("1.4.1.2.2", Int(RowCreateAndGo)), Bind("1.4.1.2.3", Int(RowCreateAndGo))});
        QCOMPARE(store.check({Bind("1.4.1.2.4", Int(RowCreateAndGo))}).status,
                 int(ResourceUnavailable));
    }

    void dataFileErrorsNameTheLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("keyword") << u"scalr 1.1 a integer ro = 1"_s << u"x:1: unknown keyword"_s;
        QTest::newRow("syntax") << u"\nscalar 1.1 a number ro = 1"_s << u"x:2: unknown syntax"_s;
        QTest::newRow("access") << u"scalar 1.1 a integer rx = 1"_s << u"x:1: access must be"_s;
        QTest::newRow("value") << u"scalar 1.1 a integer ro = one"_s << u"x:1: not a number"_s;
        QTest::newRow("quote") << u"scalar 1.1 a text ro = \"open"_s << u"x:1: unterminated"_s;
        QTest::newRow("hex") << u"scalar 1.1 a octets ro = 0xABC"_s << u"x:1: odd number"_s;
        QTest::newRow("ip") << u"scalar 1.1 a ipaddress ro = 10.0.0.256"_s
                            << u"x:1: not an IP address"_s;
        QTest::newRow("row outside table") << u"row 1 = 1"_s << u"x:1: row outside a table"_s;
        QTest::newRow("row width") << u"table 1.2 e index integer\ncolumn 2 c integer ro\n"
                                      u"row 1 = 1 2"_s
                                   << u"x:3: row of e needs 1 values"_s;
        QTest::newRow("row index") << u"table 1.2 e index integer:1..4\ncolumn 2 c integer ro\n"
                                      u"row 5 = 1"_s
                                   << u"x:3: index outside"_s;
    }

    void dataFileErrorsNameTheLine()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        Store store;
        const QString result = QString::fromStdString(LoadDataText(text.toStdString(), "x", store));
        QVERIFY2(result.startsWith(error), qPrintable(result));
    }

private:
    std::unique_ptr<Store> m_store;
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
