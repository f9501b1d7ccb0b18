#include "simulator.h"
#include "snmp/adapter.h"
#include "snmp/errors.h"
#include "snmp/kxexception.h"
#include "snmp/request.h"
#include "snmp/session.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

using namespace Qt::StringLiterals;

namespace {

const KxSNMPVarDesc sysName[] = {
    {"1.3.6.1.2.1.1.5", "Name", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {},
};

struct Credentials
{
    QString user;
    qint32 level = SnmpCode::AuthPriv;
    quint32 auth = SnmpCode::AuthSha;
    QString authPassword = u"authpass123"_s;
    quint32 priv = SnmpCode::PrivAes128;
    QString privPassword = u"privpass123"_s;
};

} // namespace

Q_DECLARE_METATYPE(Credentials)

class TestAdapter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void v3OutcomesMapToTheirCodes_data();
    void v3OutcomesMapToTheirCodes();
    void wrongPasswordNeitherPoisonsNorIsHiddenByTheRightOne();
    void engineIsDiscoveredOncePerTarget();
    void asyncRequestsShareOneDiscovery();
    void deadAgentFailsWithoutBlocking();
    void synchronousWaitServesTheEventLoop();
    void invalidAddressRaisesAtTheFirstRequest_data();
    void invalidAddressRaisesAtTheFirstRequest();

private:
    // Reads sysName with the credentials; the code reported, 0 when none.
    int readAs(const Credentials &credentials, QString *value = nullptr);
    // The target of a v3 read of sysName, taken from the records.
    SnmpTarget targetAs(const Credentials &credentials);
    quint32 discoveries() const;

    QTemporaryDir m_dir;
    SimulatedSwitch m_switch;
};

void TestAdapter::initTestCase()
{
    QVERIFY(m_switch.start());
    CreateGlobalSession(m_dir.path());
}

void TestAdapter::init()
{
    LoadRecordDefaults();
    GlobalDevice().address = m_switch.address();
    GlobalDevice().port = m_switch.port();
}

int TestAdapter::readAs(const Credentials &credentials, QString *value)
{
    GlobalSecurity() = targetAs(credentials).security;
    KxSNMPRequest request;
    request.timeout = 20;
    request.varList.Assign(KxSNMPVarList(sysName, SVT_SV, 0));
    int code = 0;
    request.errorHandler = [&code](const KxSNMPError &error) {
        code = error.code;
    };
    bool ok = true;
    request.Read(true, ok);
    if (value)
        *value = request.varList.Item(0).value;
    return code;
}

SnmpTarget TestAdapter::targetAs(const Credentials &credentials)
{
    SnmpTarget target;
    target.device = GlobalDevice();
    target.security = GlobalSecurity();
    KxSNMPSecurity &security = target.security;
    security.version = SnmpCode::Version3;
    security.securityModel = SnmpCode::ModelUsm;
    security.securityName = credentials.user;
    security.securityLevel = credentials.level;
    security.authProtocol = credentials.auth;
    security.authPassword = credentials.authPassword;
    security.privProtocol = credentials.priv;
    security.privPassword = credentials.privPassword;
    target.timeout = 20;
    target.retries = 0;
    return target;
}

quint32 TestAdapter::discoveries() const
{
    const auto result = m_switch.runTool(
        u"snmpget"_s, {u"-v2c"_s, u"-c"_s, u"tundra"_s, u"-Oqv"_s, u"1.3.6.1.6.3.15.1.1.4.0"_s});
    return result.out.trimmed().toUInt();
}

void TestAdapter::v3OutcomesMapToTheirCodes_data()
{
    QTest::addColumn<Credentials>("credentials");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    QTest::newRow("SHA+AES") << Credentials{u"authPrivShaAes"_s} << 0 << u"(KxSNMP++) Ok!"_s;
    QTest::newRow("MD5+DES") << Credentials{u"authPrivMd5Des"_s,
                                            3,
                                            SnmpCode::AuthMd5,
                                            u"authpass123"_s,
                                            SnmpCode::PrivDes}
                             << 0 << u"(KxSNMP++) Ok!"_s;
    QTest::newRow("SHA-256+AES-256") << Credentials{u"authPrivSha256Aes256"_s,
                                                    3,
                                                    SnmpCode::AuthSha256,
                                                    u"authpass123"_s,
                                                    SnmpCode::PrivAes256}
                                     << 0 << u"(KxSNMP++) Ok!"_s;
    QTest::newRow("no authentication")
        << Credentials{u"noAuthUser"_s, SnmpCode::NoAuthNoPriv} << 0 << u"(KxSNMP++) Ok!"_s;
    QTest::newRow("wrong authentication password")
        << Credentials{u"authNoPrivSha"_s,
                       SnmpCode::AuthNoPriv,
                       SnmpCode::AuthSha,
                       u"wrongpass99"_s}
        << -308 << u"(SNMPv3USM) Authentication failure!"_s;
    QTest::newRow("unknown user") << Credentials{u"nobody"_s, SnmpCode::NoAuthNoPriv} << -304
                                  << u"(SNMPv3USM) Unknown SecurityName!"_s;
    QTest::newRow("level above the user's") << Credentials{u"noAuthUser"_s, SnmpCode::AuthNoPriv}
                                            << -303 << u"(SNMPv3USM) Unsupported SecurityLevel!"_s;
    QTest::newRow("IDEA privacy") << Credentials{u"authPrivShaAes"_s,
                                                 3,
                                                 SnmpCode::AuthSha,
                                                 u"authpass123"_s,
                                                 SnmpCode::PrivIdea}
                                  << -313 << u"(SNMPv3USM) Unsupported PrivProtocol!"_s;
    QTest::newRow("unknown authentication protocol")
        << Credentials{u"authPrivShaAes"_s, 3, 8} << -312
        << u"(SNMPv3USM) Unsupported AuthProtocol!"_s;
    // The agent cannot decrypt and drops the message.
    QTest::newRow("wrong privacy password") << Credentials{u"authPrivShaAes"_s,
                                                           3,
                                                           SnmpCode::AuthSha,
                                                           u"authpass123"_s,
                                                           SnmpCode::PrivAes128,
                                                           u"wrongpriv99"_s}
                                            << -405 << u"(SNMPClass) SNMP request timed out!"_s;
}

void TestAdapter::v3OutcomesMapToTheirCodes()
{
    QFETCH(Credentials, credentials);
    QFETCH(int, code);
    QFETCH(QString, message);
    QString value;
    QCOMPARE(readAs(credentials, &value), code);
    QCOMPARE(ErrorMessage(code), message);
    if (code == 0)
        QCOMPARE(value, u"RQ5160-Lab"_s);
}

// net-snmp keeps one USM user table for the process: a user registered with
// one password must not answer for the same name with another.
void TestAdapter::wrongPasswordNeitherPoisonsNorIsHiddenByTheRightOne()
{
    const Credentials right{u"authPrivShaAes"_s};
    Credentials wrong = right;
    wrong.authPassword = u"wrongpass99"_s;
    QCOMPARE(readAs(right), 0);
    QCOMPARE(readAs(wrong), -308);
    QCOMPARE(readAs(right), 0);
    QCOMPARE(readAs(wrong), -308);
}

void TestAdapter::engineIsDiscoveredOncePerTarget()
{
    // A target of its own: a user no other test uses.
    const Credentials md5{
        u"authPrivMd5Des"_s, 3, SnmpCode::AuthMd5, u"authpass123"_s, SnmpCode::PrivDes};
    const int sessionsBefore = SnmpAdapter::instance().sessionCount();
    const quint32 before = discoveries();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(readAs(md5), 0);
    QVERIFY(discoveries() - before <= 1);
    QVERIFY(SnmpAdapter::instance().sessionCount() - sessionsBefore <= 1);

    const int sessions = SnmpAdapter::instance().sessionCount();
    const quint32 discovered = discoveries();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(readAs(md5), 0);
    QCOMPARE(discoveries(), discovered);
    QCOMPARE(SnmpAdapter::instance().sessionCount(), sessions);

    Credentials other = md5;
    other.user = u"authNoPrivSha"_s;
    other.level = SnmpCode::AuthNoPriv;
    other.auth = SnmpCode::AuthSha;
    QCOMPARE(readAs(other), 0);
    QCOMPARE(discoveries(), discovered + 1);
    QCOMPARE(SnmpAdapter::instance().sessionCount(), sessions + 1);
}

// Requests sent before the engine is known wait for one probe, then go out.
void TestAdapter::asyncRequestsShareOneDiscovery()
{
    // A target no other test uses: the same agent under another name.
    GlobalDevice().address = u"localhost"_s;
    const SnmpTarget target = targetAs(Credentials{u"authPrivShaAes"_s});
    const quint32 before = discoveries();
    std::vector<SnmpReply> replies;
    for (int i = 0; i < 3; ++i) {
        int status = -1;
        const quint64 id = SnmpAdapter::instance().send(
            target,
            SnmpPduType::Get,
            {{u"1.3.6.1.2.1.1.5.0"_s, {}}},
            [&replies](SnmpReply &reply) { replies.push_back(reply); },
            status);
        QVERIFY(id != 0);
        QCOMPARE(status, 0);
    }
    QVERIFY(replies.empty());
    QTRY_COMPARE(replies.size(), size_t(3));
    for (const SnmpReply &reply : replies) {
        QCOMPARE(reply.status, 0);
        QCOMPARE(reply.bindings.at(0).value.octets, QByteArray("RQ5160-Lab"));
    }
    QCOMPARE(discoveries(), before + 1);
}

// GIVEN an SNMPv3 target where nothing answers
// WHEN a request is sent
// THEN the send returns at once and the request later fails as a time-out,
//      and so does the next one, which tries the discovery again.
void TestAdapter::deadAgentFailsWithoutBlocking()
{
    QUdpSocket silent;
    QVERIFY(silent.bind(QHostAddress::LocalHost, 0));
    GlobalDevice().port = silent.localPort();
    const SnmpTarget target = targetAs(Credentials{u"authPrivShaAes"_s});
    for (int attempt = 0; attempt < 2; ++attempt) {
        int status = -1;
        int replied = 1;
        const quint64 id = SnmpAdapter::instance().send(
            target,
            SnmpPduType::Get,
            {{u"1.3.6.1.2.1.1.5.0"_s, {}}},
            [&replied](SnmpReply &reply) { replied = reply.status; },
            status);
        QVERIFY(id != 0);
        QCOMPARE(status, 0);
        QCOMPARE(replied, 1);
        QTRY_COMPARE(replied, -5);
    }
    QVERIFY(silent.hasPendingDatagrams());

    GlobalSecurity() = target.security;
    KxSNMPRequest request;
    request.timeout = 10;
    request.retries = 0;
    request.varList.Assign(KxSNMPVarList(sysName, SVT_SV, 0));
    int code = 0;
    request.errorHandler = [&code](const KxSNMPError &error) {
        code = error.code;
    };
    bool ok = true;
    request.Read(true, ok);
    QCOMPARE(code, -405);
}

// GIVEN a switch that does not answer
// WHEN a synchronous read waits for it
// THEN timers keep running while it waits, so the window keeps painting.
void TestAdapter::synchronousWaitServesTheEventLoop()
{
    QUdpSocket silent;
    QVERIFY(silent.bind(QHostAddress::LocalHost, 0));
    GlobalDevice().port = silent.localPort();
    GlobalSecurity().version = SnmpCode::Version2c;
    KxSNMPRequest request;
    request.timeout = 30;
    request.retries = 0;
    request.varList.Assign(KxSNMPVarList(sysName, SVT_SV, 0));
    int code = 0;
    request.errorHandler = [&code](const KxSNMPError &error) {
        code = error.code;
    };
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(0);
    bool ok = true;
    request.Read(true, ok);
    QCOMPARE(code, -405);
    QVERIFY(ticks > 0);
}

void TestAdapter::invalidAddressRaisesAtTheFirstRequest_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("not a name") << u"no such host!"_s;
    QTest::newRow("numbers out of range") << u"300.1.2.3"_s;
    QTest::newRow("empty") << QString();
}

void TestAdapter::invalidAddressRaisesAtTheFirstRequest()
{
    QFETCH(QString, address);
    GlobalDevice().address = address;
    GlobalSecurity().version = SnmpCode::Version2c;
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(sysName, SVT_SV, 0));
    bool ok = true;
    for (const bool async : {false, true}) {
        try {
            if (async)
                request.ReadAsync(true, {}, nullptr, ok);
            else
                request.Read(true, ok);
            QFAIL("no exception");
        } catch (const KxException &error) {
            QCOMPARE(error.helpContext(), KxError::InvalidAddress);
            QCOMPARE(error.message(), u"(KxSNMP++) Invalid IP Address or DNS name!"_s);
        }
    }
    QCOMPARE(request.pending(), 0);
}

QTEST_MAIN(TestAdapter)
#include "tst_adapter.moc"
