#include "simulator.h"
#include "simulatoruser.h"
#include "snmp/adapter.h"
#include "snmp/request.h"
#include "snmp/session.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Tables of 0, 1, 200 and 3 rows (the last object of the view), and a
// ragged one whose columns have holes and end at different rows.
QByteArray testTables()
{
    QByteArray data = R"(
table 1.3.6.1.4.1.88508.90.1.1 emptyEntry index integer
column 1 emptyIndex integer na
column 2 emptyName text ro
column 3 emptyPort integer ro

table 1.3.6.1.4.1.88508.90.2.1 oneEntry index integer
column 1 oneIndex integer na
column 2 oneName text ro
column 3 onePort integer ro
row 7 = "seven" 7

table 1.3.6.1.4.1.88508.90.3.1 raggedEntry index integer
column 1 raggedIndex integer na
column 2 raggedName text ro
column 3 raggedPort integer ro
row 1 = "a1" 1
row 2 = - 2
row 5 = "a5" -
row 6 = - 6
row 9 = - 9

table 1.3.6.1.4.1.88508.90.5.1 threeEntry index integer
column 1 threeIndex integer na
column 2 threeName text ro
column 3 threePort integer ro
row 1 = "one" 1
row 2 = "two" 2
row 3 = "three" 3

table 1.3.6.1.4.1.88508.90.4.1 bigEntry index integer
column 1 bigIndex integer na
column 2 bigName text ro
column 3 bigPort integer ro
)";
    for (int row = 1; row <= 200; ++row)
        data += QByteArray("row ") + QByteArray::number(row * 3) + " = \"port "
                + QByteArray::number(row) + "\" " + QByteArray::number(row % 24 + 1) + "\n";
    return data;
}

// The descriptors of a test table: its index and two readable columns.
class TestColumns
{
public:
    explicit TestColumns(const char *entry)
    {
        for (int c = 0; c < 3; ++c)
            m_oids[c] = QByteArray(entry) + '.' + QByteArray::number(c + 1);
        m_descs[0] = {m_oids[0].constData(), "Index", KxSyntax::Integer, KxAccess::NotAccess};
        m_descs[1] = {m_oids[1].constData(), "Name", KxSyntax::DisplayStr, KxAccess::ReadOnly};
        m_descs[2] = {m_oids[2].constData(), "Port", KxSyntax::Integer, KxAccess::ReadOnly};
    }
    TestColumns(const TestColumns &) = delete;
    TestColumns &operator=(const TestColumns &) = delete;

    const KxSNMPVarDesc *descs() const { return m_descs; }

private:
    QByteArray m_oids[3];
    KxSNMPVarDesc m_descs[4];
};

// Everything a caller sees of a row: values and where each column stands.
QStringList rowOf(const KxSNMPVarList &list)
{
    QStringList row;
    for (int i = 0; i < list.Count(); ++i)
        row << list.Item(i).value << list.Item(i).lastOid;
    return row;
}

struct Walk
{
    QList<QStringList> rows;
    QStringList end;
    quint64 errors = 0;
};

} // namespace

class TestBulkWalkWire : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void bulkWalkReturnsTheRowsOfTheGetNextWalk_data();
    void bulkWalkReturnsTheRowsOfTheGetNextWalk();
    void v1WalksRowByRowDespiteTheOption();
    void stopDuringBulkWalkKeepsTheRowsRead_data();
    void stopDuringBulkWalkKeepsTheRowsRead();

private:
    std::unique_ptr<KxSNMPRequest> request(const TestColumns &columns);
    Walk walk(const TestColumns &columns, bool async, int repetitions);

    QTemporaryDir m_dir;
    std::unique_ptr<SimulatedSwitch> m_switch;
};

void TestBulkWalkWire::initTestCase()
{
    const QString data = m_dir.filePath(u"switch.sim"_s);
    QVERIFY(WriteSwitchData(data, testTables()));
    SimulatedSwitch::Options options;
    options.dataFile = data;
    m_switch = std::make_unique<SimulatedSwitch>(options);
    QVERIFY(m_switch->start());
    CreateGlobalSession(m_dir.path());
}

void TestBulkWalkWire::init()
{
    LoadRecordDefaults();
    GlobalDevice().address = m_switch->address();
    GlobalDevice().port = m_switch->port();
    GlobalSecurity().version = SnmpCode::Version2c;
}

std::unique_ptr<KxSNMPRequest> TestBulkWalkWire::request(const TestColumns &columns)
{
    auto made = std::make_unique<KxSNMPRequest>();
    made->varList.Assign(KxSNMPVarList(columns.descs(), MVT_FMV, 1));
    return made;
}

Walk TestBulkWalkWire::walk(const TestColumns &columns, bool async, int repetitions)
{
    SetDefaultBulkRepetitions(repetitions);
    auto walker = request(columns);
    SetDefaultBulkRepetitions(0);
    Walk result;
    bool ok = true;
    if (async) {
        bool done = false;
        KxCompletion next = [&](void *, const KxSNMPError &error, KxSNMPVarList &list) {
            if (error.code != 0)
                ++result.errors;
            if (error.done) {
                done = true;
                return;
            }
            result.rows.append(rowOf(list));
            walker->ReadAsync(false, next, nullptr, ok);
        };
        walker->ReadAsync(true, next, nullptr, ok);
        if (!QTest::qWaitFor([&done] { return done; }, 10000))
            result.errors = 1000;
    } else {
        for (bool more = walker->Read(true, ok); more; more = walker->Read(false, ok))
            result.rows.append(rowOf(walker->varList));
    }
    result.end = rowOf(walker->varList);
    result.errors += walker->ErrorCount();
    return result;
}

void TestBulkWalkWire::bulkWalkReturnsTheRowsOfTheGetNextWalk_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("async");
    QTest::addColumn<int>("repetitions");
    const struct
    {
        const char *name;
        const char *entry;
        int rows;
    } tables[] = {
        {"0 rows", "1.3.6.1.4.1.88508.90.1.1", 0},
        {"1 row", "1.3.6.1.4.1.88508.90.2.1", 1},
        {"3 rows, end of view", "1.3.6.1.4.1.88508.90.5.1", 3},
        {"200 rows", "1.3.6.1.4.1.88508.90.4.1", 200},
        {"ragged columns", "1.3.6.1.4.1.88508.90.3.1", -1},
    };
    for (const auto &table : tables) {
        for (const bool async : {false, true}) {
            const char *mode = async ? "async" : "sync";
            QTest::addRow("%s, v2c, %s, 50", table.name, mode)
                << QByteArray(table.entry) << table.rows << 1 << async << 50;
            QTest::addRow("%s, v2c, %s, 7", table.name, mode)
                << QByteArray(table.entry) << table.rows << 1 << async << 7;
            QTest::addRow("%s, v3, %s, 2", table.name, mode)
                << QByteArray(table.entry) << table.rows << 3 << async << 2;
        }
    }
}

void TestBulkWalkWire::bulkWalkReturnsTheRowsOfTheGetNextWalk()
{
    QFETCH(QByteArray, entry);
    QFETCH(int, rows);
    QFETCH(int, version);
    QFETCH(bool, async);
    QFETCH(int, repetitions);
    KxSNMPSecurity &security = GlobalSecurity();
    security.version = static_cast<qint8>(version);
    if (version == SnmpCode::Version3)
        UseSimulatorAuthPrivUser(security);
    const TestColumns columns(entry.constData());

    const Walk rowByRow = walk(columns, async, 0);
    const Walk bulk = walk(columns, async, repetitions);

    if (rows >= 0)
        QCOMPARE(rowByRow.rows.size(), rows);
    QCOMPARE(bulk.rows, rowByRow.rows);
    QCOMPARE(bulk.end, rowByRow.end);
    QCOMPARE(bulk.errors, 0u);
    QCOMPARE(rowByRow.errors, 0u);
    QTRY_COMPARE(SnmpAdapter::instance().outstanding(), 0);
}

void TestBulkWalkWire::v1WalksRowByRowDespiteTheOption()
{
    GlobalSecurity().version = SnmpCode::Version1;
    const TestColumns columns("1.3.6.1.4.1.88508.90.4.1");
    for (const bool async : {false, true}) {
        const Walk bulk = walk(columns, async, 50);
        QCOMPARE(bulk.rows.size(), 200);
        QCOMPARE(bulk.errors, 0u);
        QCOMPARE(bulk.rows.last().at(2), u"port 200"_s);
    }
}

void TestBulkWalkWire::stopDuringBulkWalkKeepsTheRowsRead_data()
{
    QTest::addColumn<bool>("async");
    QTest::newRow("sync") << false;
    QTest::newRow("async") << true;
}

void TestBulkWalkWire::stopDuringBulkWalkKeepsTheRowsRead()
{
    QFETCH(bool, async);
    SetDefaultBulkRepetitions(50);
    const TestColumns columns("1.3.6.1.4.1.88508.90.4.1");
    auto walker = request(columns);
    SetDefaultBulkRepetitions(0);
    QStringList names;
    bool ok = true;
    bool ended = false;
    // The Stop button: after the fifth row, in the middle of the first batch.
    const auto keep = [&](const KxSNMPVarList &list) {
        names << list.Item(1).value;
        if (names.size() == 5)
            walker->active = false;
    };
    if (async) {
        KxCompletion next = [&](void *, const KxSNMPError &error, KxSNMPVarList &list) {
            if (error.done) {
                ended = true;
                return;
            }
            keep(list);
            walker->ReadAsync(false, next, nullptr, ok);
            ended = !ok;
        };
        walker->ReadAsync(true, next, nullptr, ok);
        QTRY_VERIFY(ended);
    } else {
        for (bool more = walker->Read(true, ok); more; more = walker->Read(false, ok))
            keep(walker->varList);
    }
    QVERIFY(!ok);
    QCOMPARE(names, QStringList({u"port 1"_s, u"port 2"_s, u"port 3"_s, u"port 4"_s, u"port 5"_s}));
    QCOMPARE(walker->varList.Item(1).value, u"port 5"_s);
    QCOMPARE(walker->ErrorCount(), 0u);

    // Refresh: the walk starts again from the first row.
    walker->active = true;
    QVERIFY(walker->Read(true, ok));
    QCOMPARE(walker->varList.Item(1).value, u"port 1"_s);
}

QTEST_MAIN(TestBulkWalkWire)
#include "tst_bulkwalk_wire.moc"
