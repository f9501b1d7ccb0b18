#include "simulator.h"
#include "simulatoruser.h"
#include "snmp/request.h"
#include "snmp/session.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A three-row table after the shipped switch's objects.
const char TestTable[] = R"(
table 1.3.6.1.6.3.99.1 testEntry index integer
column 1 testIndex integer na
column 2 testName text ro
row 1 = "first"
row 2 = "second"
row 3 = "third"
)";

const KxSNMPVarDesc names[] = {
    {"1.3.6.1.2.1.1.5", "Name", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {},
};

const KxSNMPVarDesc testTable[] = {
    {"1.3.6.1.6.3.99.1.1", "Index", KxSyntax::Integer, KxAccess::NotAccess},
    {"1.3.6.1.6.3.99.1.2", "Name", KxSyntax::DisplayStr, KxAccess::ReadOnly},
    {},
};

const QStringList expectedRows = {u"1 first"_s, u"2 second"_s, u"3 third"_s};

QString rowOf(const KxSNMPVarList &list)
{
    return list.Item(0).value + u' ' + list.Item(1).value;
}

} // namespace

// The module's access layer against the simulated switch listening on [::1]:
// the session goes over udp6 for every way of writing the address.
class TestIpv6Wire : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<SimulatedSwitch> m_switch;

    std::unique_ptr<KxSNMPRequest> request(const KxSNMPVarDesc *table, quint8 kind, int keys)
    {
        QFETCH(QString, address);
        QFETCH(int, version);
        LoadRecordDefaults();
        GlobalDevice() = {address, m_switch->port()};
        KxSNMPSecurity &security = GlobalSecurity();
        security.version = static_cast<qint8>(version);
        if (version == SnmpCode::Version3)
            UseSimulatorAuthPrivUser(security);
        auto made = std::make_unique<KxSNMPRequest>();
        made->varList.Assign(KxSNMPVarList(table, kind, keys));
        made->errorHandler = [](const KxSNMPError &error) {
            QFAIL(qPrintable(error.message));
        };
        return made;
    }

    static void addRows()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("version");
        QTest::newRow("::1, v1") << u"::1"_s << 0;
        QTest::newRow("[::1], v2c") << u"[::1]"_s << 1;
        QTest::newRow("written out, v3") << u"0:0:0:0:0:0:0:1"_s << 3;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (!SimulatedSwitch::HasIpv6Loopback())
            QSKIP("this machine has no IPv6 loopback address (::1): no IPv6 wire tests");
        SimulatedSwitch::Options options;
        options.dataFile = m_dir.filePath(u"switch.sim"_s);
        options.ipv6 = true;
        QVERIFY(WriteSwitchData(options.dataFile, TestTable));
        m_switch = std::make_unique<SimulatedSwitch>(options);
        QVERIFY(m_switch->start());
        CreateGlobalSession(m_dir.path());
    }

    void getAndSetOverIpv6_data() { addRows(); }
    void getAndSetOverIpv6()
    {
        auto name = request(names, SVT_SV, 0);
        bool ok = true;
        name->Read(true, ok);
        QVERIFY(ok);
        QCOMPARE(name->varList.Item(0).value, m_switch->get(u"1.3.6.1.2.1.1.5.0"_s));

        const QString written = u"core-%1"_s.arg(QString::fromLatin1(QTest::currentDataTag()));
        name->varList.Item(0).value = written;
        name->Write(false, QString(), nullptr, ok);
        QVERIFY(ok);
        QCOMPARE(m_switch->get(u"1.3.6.1.2.1.1.5.0"_s), written);
    }

    void walkOverIpv6_data() { addRows(); }
    void walkOverIpv6()
    {
        auto walk = request(testTable, MVT_FMV, 1);
        QStringList rows;
        bool ok = true;
        for (bool more = walk->Read(true, ok); more; more = walk->Read(false, ok))
            rows.append(rowOf(walk->varList));
        QCOMPARE(rows, expectedRows);
    }

    void asyncBulkWalkOverIpv6_data() { addRows(); }
    void asyncBulkWalkOverIpv6()
    {
        auto walk = request(testTable, MVT_FMV, 1);
        walk->bulkRepetitions = 2;
        QStringList rows;
        KxSNMPError last;
        bool ok = true;
        KxCompletion next = [&](void *, const KxSNMPError &error, KxSNMPVarList &list) {
            last = error;
            if (error.done)
                return;
            rows.append(rowOf(list));
            walk->ReadAsync(false, next, nullptr, ok);
        };
        walk->ReadAsync(true, next, nullptr, ok);
        QVERIFY(ok);
        QTRY_VERIFY_WITH_TIMEOUT(last.done, 5000);
        QCOMPARE(last.code, 0);
        QCOMPARE(rows, expectedRows);
        QCOMPARE(last.agentAddress, u"::1"_s);
        QCOMPARE(last.agentPort, m_switch->port());
    }
};

QTEST_MAIN(TestIpv6Wire)
#include "tst_ipv6_wire.moc"
