#include "simulator.h"
#include "snmp/adapter.h"
#include "snmp/errors.h"
#include "snmp/kxexception.h"
#include "snmp/request.h"
#include "snmp/session.h"

#include <QElapsedTimer>
#include <QFile>
#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// A small switch: four writable scalars, a checked integer and a three-row
// table that is the last object of the MIB view.
const char TestData[] = R"(
scalar 1.3.6.1.2.1.1.1 sysDescr text ro = "RQ5160 test switch"
scalar 1.3.6.1.2.1.1.4 sysContact text rw size 0..255 = "contact"
scalar 1.3.6.1.2.1.1.5 sysName text rw size 0..255 = "RQ5160-Lab"
scalar 1.3.6.1.2.1.1.6 sysLocation text rw size 0..255 = "closet"
scalar 1.3.6.1.4.1.88508.7.1 testCounter integer rw values 1..100 = 10
scalar 1.3.6.1.4.1.88508.7.2 testState integer rw values 1,2,3 = 2

table 1.3.6.1.6.3.18.1.1.1 snmpCommunityEntry index implied:1..32 rowstatus 8
column 1 snmpCommunityIndex text na
column 2 snmpCommunityName octets rw size 0..255 default ""
column 3 snmpCommunitySecurityName text rw size 1..32 default ""
column 4 snmpCommunityContextEngineID octets ro size 5..32
column 5 snmpCommunityContextName text rw size 0..32 default ""
column 6 snmpCommunityTransportTag text rw size 0..255 default ""
column 7 snmpCommunityStorageType integer rw values 1..5 default 3
column 8 snmpCommunityStatus integer rw values 1..6
row "tundra" = "tundra" "tundra" "" "" "" 3 1
row "granite" = "granite" "granite" "" "" "" 3 1

table 1.3.6.1.6.3.99.1 testEntry index integer mac
column 1 testVlan integer na
column 2 testMac mac na
column 3 testName text ro
column 4 testPort integer ro
row 1 000102030405 = "first" 3
row 1 000102030406 = "second" 4
row 2 000102030405 = "third" 5
)";

const KxOptionList states({{1, "other"}, {2, "disabled"}, {3, "enabled"}});

const KxSNMPVarDesc scalars[] = {
    {"1.3.6.1.2.1.1.1", "Description", KxSyntax::DisplayStr, KxAccess::ReadOnly},
    {"1.3.6.1.2.1.1.5", "Name", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.1.4", "Hidden input", KxSyntax::DisplayStr, KxAccess::WriteOnly},
    {"1.3.6.1.2.1.1.6", "Key", KxSyntax::DisplayStr, KxAccess::NotAccess},
    {"1.3.6.1.4.1.88508.7.2", "State", KxSyntax::Integer, KxAccess::ReadWrite, &states},
    {},
};

const KxSNMPVarDesc writables[] = {
    {"1.3.6.1.2.1.1.4", "Contact", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.1.5", "Name", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.1.6", "Location", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {"1.3.6.1.4.1.88508.7.1", "Counter", KxSyntax::Integer, KxAccess::ReadWrite},
    {},
};

const KxSNMPVarDesc testTable[] = {
    {"1.3.6.1.6.3.99.1.1", "VLAN", KxSyntax::Gauge, KxAccess::NotAccess},
    {"1.3.6.1.6.3.99.1.2", "MAC", KxSyntax::MacAddress, KxAccess::NotAccess},
    {"1.3.6.1.6.3.99.1.3", "Name", KxSyntax::DisplayStr, KxAccess::ReadOnly},
    {"1.3.6.1.6.3.99.1.4", "Port", KxSyntax::Integer, KxAccess::ReadOnly},
    {},
};

struct Row
{
    QString vlan, mac, name, port;
    bool operator==(const Row &) const = default;
};

Row rowOf(const KxSNMPVarList &list)
{
    return {list.Item(0).value, list.Item(1).value, list.Item(2).value, list.Item(3).value};
}

const QList<Row> expectedRows = {
    {u"1"_s, u"000102030405"_s, u"first"_s, u"3"_s},
    {u"1"_s, u"000102030406"_s, u"second"_s, u"4"_s},
    {u"2"_s, u"000102030405"_s, u"third"_s, u"5"_s},
};

void addVersionRows()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("user");
    QTest::addColumn<quint32>("auth");
    QTest::addColumn<quint32>("priv");
    QTest::newRow("v1") << 0 << QString() << 1u << 1u;
    QTest::newRow("v2c") << 1 << QString() << 1u << 1u;
    QTest::newRow("v3 SHA+AES") << 3 << u"authPrivShaAes"_s << quint32(SnmpCode::AuthSha)
                                << quint32(SnmpCode::PrivAes128);
    QTest::newRow("v3 MD5+DES") << 3 << u"authPrivMd5Des"_s << quint32(SnmpCode::AuthMd5)
                                << quint32(SnmpCode::PrivDes);
}

} // namespace

class TestRequestWire : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void scalarsAreReadWithDotZero_data() { addVersionRows(); }
    void scalarsAreReadWithDotZero();
    void readNextOnSingleValueListRaisesBeforeSending();
    void tableWalksOneRowPerExchange_data() { addVersionRows(); }
    void tableWalksOneRowPerExchange();
    void v1EndOfViewEndsWalkWithoutReport();
    void walkFollowsTheListBetweenRows();
    void writeSendsChosenPositionsAndRestoresList_data() { addVersionRows(); }
    void writeSendsChosenPositionsAndRestoresList();
    void wrongValueIsReportedAndValuesKept();
    void stoppedAgentTimesOut_data();
    void stoppedAgentTimesOut();
    void readsAreSentAgainEarlySetsOnlyAtTheTimeOut_data();
    void readsAreSentAgainEarlySetsOnlyAtTheTimeOut();
    void asyncWalkCompletesThroughEventProcessor_data() { addVersionRows(); }
    void asyncWalkCompletesThroughEventProcessor();
    void asyncWriteCompletes();
    void destroyingRequestDropsOutstandingCompletion();
    void destroyingRequestWaitsForAnsweringAgent();

private:
    void useVersion();
    std::unique_ptr<KxSNMPRequest> request(const KxSNMPVarDesc *table, quint8 kind, int keys);
    QString agentValue(const QString &oid) const;

    QTemporaryDir m_dir;
    std::unique_ptr<SimulatedSwitch> m_switch;
    QList<KxSNMPError> m_reports;
};

void TestRequestWire::initTestCase()
{
    QFile data(m_dir.filePath(u"switch.sim"_s));
    QVERIFY(data.open(QIODevice::WriteOnly));
    data.write(TestData);
    data.close();
    m_switch
        = std::make_unique<SimulatedSwitch>(SimulatedSwitch::Options{data.fileName(), {}, -1, -1});
    QVERIFY(m_switch->start());
    CreateGlobalSession(m_dir.path());
}

void TestRequestWire::init()
{
    LoadRecordDefaults();
    GlobalDevice().address = m_switch->address();
    GlobalDevice().port = m_switch->port();
    m_reports.clear();
}

// Puts the version and credentials of the current data row into the records.
void TestRequestWire::useVersion()
{
    QFETCH(int, version);
    QFETCH(QString, user);
    QFETCH(quint32, auth);
    QFETCH(quint32, priv);
    KxSNMPSecurity &security = GlobalSecurity();
    security.version = static_cast<qint8>(version);
    if (version == SnmpCode::Version3) {
        security.securityModel = SnmpCode::ModelUsm;
        security.securityLevel = SnmpCode::AuthPriv;
        security.securityName = user;
        security.authProtocol = auth;
        security.authPassword = u"authpass123"_s;
        security.privProtocol = priv;
        security.privPassword = u"privpass123"_s;
    }
}

std::unique_ptr<KxSNMPRequest>
TestRequestWire::request(const KxSNMPVarDesc *table, quint8 kind, int keys)
{
    auto made = std::make_unique<KxSNMPRequest>();
    made->varList.Assign(KxSNMPVarList(table, kind, keys));
    made->errorHandler = [this](const KxSNMPError &error) {
        m_reports.append(error);
    };
    return made;
}

QString TestRequestWire::agentValue(const QString &oid) const
{
    const auto result
        = m_switch->runTool(u"snmpget"_s, {u"-v2c"_s, u"-c"_s, u"tundra"_s, u"-Oqv"_s, oid});
    return result.out.trimmed().remove(u'"');
}

void TestRequestWire::scalarsAreReadWithDotZero()
{
    useVersion();
    auto get = request(scalars, SVT_SV, 0);
    get->varList.Item(2).value = u"untouched"_s;
    get->varList.Item(3).value = u"key"_s;
    bool ok = true;
    QVERIFY(!get->Read(true, ok));
    QVERIFY(ok);
    QCOMPARE(m_reports.size(), 0);
    QCOMPARE(get->varList.Item(0).value, u"RQ5160 test switch"_s);
    QCOMPARE(get->varList.Item(0).lastOid, u"1.3.6.1.2.1.1.1.0"_s);
    QCOMPARE(get->varList.Item(1).value, u"RQ5160-Lab"_s);
    QCOMPARE(get->varList.Item(4).value, u"disabled"_s);
    QCOMPARE(get->varList.Item(2).value, u"untouched"_s);
    QCOMPARE(get->varList.Item(3).value, u"key"_s);
}

void TestRequestWire::readNextOnSingleValueListRaisesBeforeSending()
{
    auto get = request(scalars, MVT_SV, 0);
    get->varList.indexSuffix = u"0"_s;
    get->useGetNext = true;
    bool ok = true;
    QVERIFY(!get->Read(true, ok));
    QVERIFY(ok);
    get->varList.Item(0).value = u"kept"_s;
    const int before = SnmpAdapter::instance().outstanding();
    try {
        get->Read(false, ok);
        QFAIL("no exception");
    } catch (const KxException &error) {
        QCOMPARE(error.helpContext(), KxError::GetNextOnSingleValue);
        QCOMPARE(error.message(), ErrorMessage(KxError::GetNextOnSingleValue));
    }
    QCOMPARE(SnmpAdapter::instance().outstanding(), before);
    QCOMPARE(get->varList.Item(0).value, u"kept"_s);
    QCOMPARE(m_reports.size(), 0);
}

void TestRequestWire::tableWalksOneRowPerExchange()
{
    useVersion();
    auto walk = request(testTable, MVT_FMV, 2);
    QList<Row> rows;
    bool ok = true;
    int exchanges = 1;
    bool more = walk->Read(true, ok);
    while (more) {
        rows.append(rowOf(walk->varList));
        ++exchanges;
        more = walk->Read(false, ok);
    }
    QCOMPARE(rows, expectedRows);
    QCOMPARE(exchanges, 4);
    QCOMPARE(m_reports.size(), 0);
    QFETCH(int, version);
    if (version == SnmpCode::Version1)
        return; // the end of the view ends an SNMPv1 walk, see below
    QCOMPARE(walk->varList.Item(2).value, u"(NOTDONE)"_s);
    QCOMPARE(walk->varList.Item(3).value, u"(NOTDONE)"_s);
    // An ended column points at the last row it had.
    QCOMPARE(walk->varList.Item(3).lastOid, u"1.3.6.1.6.3.99.1.4.2.0.1.2.3.4.5"_s);
}

void TestRequestWire::v1EndOfViewEndsWalkWithoutReport()
{
    GlobalSecurity().version = SnmpCode::Version1;
    auto walk = request(testTable, MVT_UMV, 2);
    bool ok = true;
    int rows = 0;
    for (bool more = walk->Read(true, ok); more; more = walk->Read(false, ok))
        ++rows;
    QCOMPARE(rows, 3);
    QCOMPARE(m_reports.size(), 0);
    QCOMPARE(walk->ErrorCount(), 0u);
    QCOMPARE(walk->varList.Item(2).value, u"third"_s);
}

// The next row is asked for before the caller handles a row; a caller that
// restarts, moves or stops the walk still gets what it asked for.
void TestRequestWire::walkFollowsTheListBetweenRows()
{
    GlobalSecurity().version = SnmpCode::Version2c;
    auto walk = request(testTable, MVT_FMV, 2);
    bool ok = true;
    QVERIFY(walk->Read(true, ok));
    QVERIFY(walk->Read(false, ok));
    QCOMPARE(rowOf(walk->varList), expectedRows.at(1));
    QVERIFY(walk->Read(true, ok));
    QCOMPARE(rowOf(walk->varList), expectedRows.at(0));

    // Back to the start of the third row's predecessor.
    walk->varList.Item(2).lastOid = u"1.3.6.1.6.3.99.1.3.1.0.1.2.3.4.6"_s;
    walk->varList.Item(3).lastOid = u"1.3.6.1.6.3.99.1.4.1.0.1.2.3.4.6"_s;
    QVERIFY(walk->Read(false, ok));
    QCOMPARE(rowOf(walk->varList), expectedRows.at(2));

    QVERIFY(walk->Read(true, ok));
    walk->active = false;
    QVERIFY(!walk->Read(false, ok));
    QVERIFY(!ok);
    QCOMPARE(rowOf(walk->varList), expectedRows.at(0));
    walk.reset();
    QTRY_COMPARE(SnmpAdapter::instance().outstanding(), 0);
    QCOMPARE(m_reports.size(), 0);
}

void TestRequestWire::writeSendsChosenPositionsAndRestoresList()
{
    useVersion();
    const QString tag = QString::fromLatin1(QTest::currentDataTag()).remove(u' ');
    auto set = request(writables, SVT_SV, 0);
    const QStringList before = {agentValue(u"1.3.6.1.2.1.1.4.0"_s),
                                agentValue(u"1.3.6.1.2.1.1.5.0"_s),
                                agentValue(u"1.3.6.1.2.1.1.6.0"_s),
                                agentValue(u"1.3.6.1.4.1.88508.7.1.0"_s)};
    for (int i = 0; i < 4; ++i)
        set->varList.Item(i).value = u"listed %1"_s.arg(i);
    set->varList.Item(3).value = u"99"_s;

    const QStringList values = {u"contact "_s + tag, u"location "_s + tag};
    bool ok = true;
    QVERIFY(!set->Write(false, u"0,2"_s, &values, ok));
    QVERIFY(ok);
    QCOMPARE(m_reports.size(), 0);
    QCOMPARE(agentValue(u"1.3.6.1.2.1.1.4.0"_s), values.at(0));
    QCOMPARE(agentValue(u"1.3.6.1.2.1.1.5.0"_s), before.at(1));
    QCOMPARE(agentValue(u"1.3.6.1.2.1.1.6.0"_s), values.at(1));
    QCOMPARE(agentValue(u"1.3.6.1.4.1.88508.7.1.0"_s), before.at(3));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(set->varList.Item(i).value, u"listed %1"_s.arg(i));
        QCOMPARE(set->varList.Item(i).access, KxAccess::ReadWrite);
    }
    QCOMPARE(set->varList.Item(3).value, u"99"_s);
}

void TestRequestWire::wrongValueIsReportedAndValuesKept()
{
    GlobalSecurity().version = SnmpCode::Version2c;
    const KxSNMPVarDesc state[]
        = {{"1.3.6.1.4.1.88508.7.2", "State", KxSyntax::Integer, KxAccess::ReadWrite, &states}, {}};
    auto set = request(state, MVT_SV, 0);
    set->varList.indexSuffix = u"0"_s;
    set->varList.Item(0).value = u"7"_s;
    bool ok = true;
    set->Write(false, QString(), nullptr, ok);
    QVERIFY(!ok);
    QCOMPARE(m_reports.size(), 1);
    QCOMPARE(m_reports.at(0).code, -110);
    QCOMPARE(m_reports.at(0).message, u"(SNMP) Cannot create/set variable, Wrong Value!"_s);
    QCOMPARE(set->varList.Item(0).value, u"7"_s);
    QCOMPARE(agentValue(u"1.3.6.1.4.1.88508.7.2.0"_s), u"2"_s);

    set->varList.Item(0).value = u"enabled"_s;
    ok = true;
    set->Write(false, QString(), nullptr, ok);
    QVERIFY(ok);
    QCOMPARE(agentValue(u"1.3.6.1.4.1.88508.7.2.0"_s), u"3"_s);
}

void TestRequestWire::stoppedAgentTimesOut_data()
{
    QTest::addColumn<int>("version");
    QTest::newRow("v2c") << 1;
    QTest::newRow("v3 discovery") << 3;
}

void TestRequestWire::stoppedAgentTimesOut()
{
    QFETCH(int, version);
    SimulatedSwitch stopped;
    QVERIFY(stopped.start());
    const quint16 port = stopped.port();
    stopped.stop();
    GlobalDevice().port = port;
    KxSNMPSecurity &security = GlobalSecurity();
    security.version = static_cast<qint8>(version);
    security.securityName = u"authNoPrivSha"_s;
    security.securityLevel = SnmpCode::AuthNoPriv;
    security.authProtocol = SnmpCode::AuthSha;
    security.authPassword = u"authpass123"_s;

    auto get = request(scalars, SVT_SV, 0);
    get->timeout = 20;
    get->retries = 1;
    QElapsedTimer clock;
    clock.start();
    bool ok = true;
    get->Read(true, ok);
    const qint64 elapsed = clock.elapsed();
    QVERIFY(!ok);
    QCOMPARE(m_reports.size(), 1);
    QCOMPARE(m_reports.at(0).code, KxError::Timeout);
    QCOMPARE(m_reports.at(0).message, u"(SNMPClass) SNMP request timed out!"_s);
    // Time-out × (retries + 1) is 0.4 s (a closed loopback port may fail
    // sooner); the bound only rules out a hang.
    QVERIFY2(elapsed < 3000, qPrintable(QString::number(elapsed)));
    if (version == SnmpCode::Version3)
        return; // the discovery failed: nothing was sent
    // A failed read stores what a binding without value gives.
    QCOMPARE(get->varList.Item(0).value, QString());
    QCOMPARE(get->varList.Item(4).value, u"(NULL)"_s);
}

void TestRequestWire::readsAreSentAgainEarlySetsOnlyAtTheTimeOut_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("user");
    QTest::addColumn<quint32>("auth");
    QTest::addColumn<quint32>("priv");
    QTest::addColumn<bool>("async");
    for (const bool async : {false, true}) {
        QTest::addRow("v2c %s", async ? "async" : "sync") << 1 << QString() << 1u << 1u << async;
        QTest::addRow("v3 %s", async ? "async" : "sync")
            << 3 << u"authPrivShaAes"_s << quint32(SnmpCode::AuthSha)
            << quint32(SnmpCode::PrivAes128) << async;
    }
}

// A read goes out again a few round trips after the first copy, a SET only
// after the configured time-out; both fail at time-out × (retries + 1).
void TestRequestWire::readsAreSentAgainEarlySetsOnlyAtTheTimeOut()
{
    QFETCH(bool, async);
    SimulatedSwitch agent;
    QVERIFY(agent.start());
    const quint16 port = agent.port();
    GlobalDevice().port = port;
    useVersion();
    auto get = request(scalars, SVT_SV, 0);
    auto set = request(writables, SVT_SV, 0);
    bool ok = true;
    get->Read(true, ok); // the agent's round trip is known from here on
    QVERIFY(ok);
    agent.stop();
    // The agent falls silent: a socket on its port that never answers.
    QUdpSocket silent;
    QVERIFY(silent.bind(QHostAddress::LocalHost, port));
    const auto copiesReceived = [&silent] {
        int copies = 0;
        while (silent.hasPendingDatagrams()) {
            silent.receiveDatagram();
            ++copies;
        }
        return copies;
    };

    for (KxSNMPRequest *exchange : {get.get(), set.get()}) {
        exchange->timeout = 20;
        exchange->retries = 1;
    }
    // Waits for the outcome, synchronously or through the event loop.
    const auto failure = [this, async](KxSNMPRequest &exchange, bool write) {
        bool ok = true;
        if (!async) {
            if (write)
                exchange.Write(false, u"1"_s, nullptr, ok);
            else
                exchange.Read(true, ok);
            return ok || m_reports.isEmpty() ? 0 : m_reports.last().code;
        }
        std::optional<int> code;
        const KxCompletion done = [&code](void *, const KxSNMPError &error, KxSNMPVarList &) {
            code = error.code;
        };
        if (write)
            exchange.WriteAsync(done, nullptr, false, u"1"_s, nullptr, ok);
        else
            exchange.ReadAsync(true, done, nullptr, ok);
        return QTest::qWaitFor([&code] { return code.has_value(); }, 5000) ? *code : 0;
    };
    QElapsedTimer clock;
    clock.start();
    const int readCode = failure(*get, false);
    const qint64 readFailedAfter = clock.elapsed();
    const int readCopies = copiesReceived();
    clock.restart();
    const int setCode = failure(*set, true);
    const qint64 setFailedAfter = clock.elapsed();
    const int setCopies = copiesReceived();

    QCOMPARE(readCode, KxError::Timeout);
    QCOMPARE(setCode, KxError::Timeout);
    QVERIFY2(readCopies > 2, qPrintable(QString::number(readCopies)));
    QCOMPARE(setCopies, 2);
    for (const qint64 elapsed : {readFailedAfter, setFailedAfter})
        QVERIFY2(elapsed >= 390 && elapsed < 3000, qPrintable(QString::number(elapsed)));
}

void TestRequestWire::asyncWalkCompletesThroughEventProcessor()
{
    useVersion();
    auto walk = request(testTable, MVT_FMV, 2);
    QList<Row> rows;
    QList<KxSNMPError> completions;
    bool ok = true;
    KxCompletion next;
    next = [&](void *user, const KxSNMPError &error, KxSNMPVarList &list) {
        QCOMPARE(user, static_cast<void *>(this));
        completions.append(error);
        if (error.done)
            return;
        rows.append(rowOf(list));
        walk->ReadAsync(false, next, user, ok);
    };
    walk->ReadAsync(true, next, this, ok);
    QVERIFY(ok);
    QCOMPARE(walk->pending(), 1);
    QVERIFY(completions.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!completions.isEmpty() && completions.last().done, 5000);
    QCOMPARE(rows, expectedRows);
    QCOMPARE(completions.size(), 4);
    QCOMPARE(completions.last().code, 0);
    QCOMPARE(completions.first().agentAddress, u"127.0.0.1"_s);
    QCOMPARE(completions.first().agentPort, m_switch->port());
    QFETCH(int, version);
    QCOMPARE(walk->varList.Item(2).value,
             version == SnmpCode::Version1 ? u"third"_s : u"(NOTDONE)"_s);
    QCOMPARE(walk->pending(), 0);
    QCOMPARE(m_reports.size(), 0);
}

void TestRequestWire::asyncWriteCompletes()
{
    GlobalSecurity().version = SnmpCode::Version2c;
    auto set = request(writables, SVT_SV, 0);
    set->varList.Item(1).value = u"async name"_s;
    std::optional<KxSNMPError> result;
    bool ok = true;
    set->WriteAsync(
        [&result](void *, const KxSNMPError &error, KxSNMPVarList &) { result = error; },
        nullptr,
        false,
        u"1"_s,
        nullptr,
        ok);
    QVERIFY(ok);
    QCOMPARE(set->varList.Item(0).access, KxAccess::ReadWrite);
    QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 5000);
    QCOMPARE(result->code, 0);
    QVERIFY(result->done);
    QCOMPARE(agentValue(u"1.3.6.1.2.1.1.5.0"_s), u"async name"_s);
}

void TestRequestWire::destroyingRequestDropsOutstandingCompletion()
{
    // An agent that never answers: a bound socket nobody reads.
    QUdpSocket silent;
    QVERIFY(silent.bind(QHostAddress::LocalHost, 0));
    GlobalDevice().port = silent.localPort();
    GlobalSecurity().version = SnmpCode::Version2c;
    KxSNMPRequest::setTeardownWait(50);
    auto get = request(scalars, SVT_SV, 0);
    get->timeout = 20;
    int calls = 0;
    bool ok = true;
    get->ReadAsync(
        true, [&calls](void *, const KxSNMPError &, KxSNMPVarList &) { ++calls; }, nullptr, ok);
    QVERIFY(ok);
    QElapsedTimer clock;
    clock.start();
    get.reset();
    QVERIFY(clock.elapsed() < 1000);
    // net-snmp times the abandoned exchange out; its completion never runs.
    QTRY_COMPARE(SnmpAdapter::instance().outstanding(), 0);
    QCOMPARE(calls, 0);
    KxSNMPRequest::setTeardownWait(KxSNMPRequest::DefaultTeardownWaitMs);
}

void TestRequestWire::destroyingRequestWaitsForAnsweringAgent()
{
    GlobalSecurity().version = SnmpCode::Version2c;
    auto get = request(scalars, SVT_SV, 0);
    int calls = 0;
    bool ok = true;
    get->ReadAsync(
        true, [&calls](void *, const KxSNMPError &, KxSNMPVarList &) { ++calls; }, nullptr, ok);
    get.reset();
    QCOMPARE(calls, 1);
}

QTEST_MAIN(TestRequestWire)
#include "tst_request_wire.moc"
