// The simulated switch seen through net-snmp's command-line tools.
#include "datafile.h"
#include "simulator.h"
#include "store.h"
#include "switch.h"

#include <QMap>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList ReadV2c{u"-v2c"_s, u"-c"_s, u"tundra"_s};
const QStringList WriteV2c{u"-v2c"_s, u"-c"_s, u"granite"_s};
const QStringList WriteV1{u"-v1"_s, u"-c"_s, u"granite"_s};
const QStringList AdminV3{u"-v3"_s,
                          u"-l"_s,
                          u"authPriv"_s,
                          u"-u"_s,
                          u"authPrivShaAes"_s,
                          u"-a"_s,
                          u"SHA"_s,
                          u"-A"_s,
                          u"authpass123"_s,
                          u"-x"_s,
                          u"AES"_s,
                          u"-X"_s,
                          u"privpass123"_s};
const QStringList Quick{u"-t"_s, u"0.3"_s, u"-r"_s, u"0"_s};

const QString SysName = u"1.3.6.1.2.1.1.5.0"_s;
const QString SysContact = u"1.3.6.1.2.1.1.4.0"_s;
const QString RmonState = u"1.3.6.1.4.1.88508.11.68.1.2.1.2.3.0"_s;
const QString VlanEntry = u"1.3.6.1.2.1.17.7.1.4.3.1"_s;

// OID -> "TYPE: value" of a tool's output (numeric OIDs, one binding a line).
QMap<QString, QString> Bindings(const QString &out)
{
    QMap<QString, QString> result;
    for (const QString &line : out.split(u'\n')) {
        const qsizetype equals = line.indexOf(u" = "_s);
        if (line.startsWith(u'.') && equals > 0)
            result.insert(line.left(equals).mid(1), line.mid(equals + 3));
    }
    return result;
}

// The OID text of a name as a length-prefixed index ("ab" -> "2.97.98").
QString Named(const QString &name)
{
    QString index = QString::number(name.size());
    for (QChar c : name)
        index += u'.' + QString::number(c.unicode());
    return index;
}

QString Implied(const QString &name)
{
    return Named(name).section(u'.', 1);
}

} // namespace

class TestSimulator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One switch for the tests that read; tests that change it start their own.
    void initTestCase()
    {
        m_switch = std::make_unique<SimulatedSwitch>(SimulatedSwitch::Options{{}, {}, 5, -1});
        QVERIFY(m_switch->start());
    }

    void cleanupTestCase() { m_switch.reset(); }

    void answersEveryVersionAndSecurityLevel_data()
    {
        QTest::addColumn<QStringList>("credentials");
        QTest::newRow("v1") << QStringList{u"-v1"_s, u"-c"_s, u"tundra"_s};
        QTest::newRow("v2c") << ReadV2c;
        QTest::newRow("v3 noAuthNoPriv")
            << QStringList{u"-v3"_s, u"-l"_s, u"noAuthNoPriv"_s, u"-u"_s, u"noAuthUser"_s};
        QTest::newRow("v3 authNoPriv SHA") << QStringList{u"-v3"_s,
                                                          u"-l"_s,
                                                          u"authNoPriv"_s,
                                                          u"-u"_s,
                                                          u"authNoPrivSha"_s,
                                                          u"-a"_s,
                                                          u"SHA"_s,
                                                          u"-A"_s,
                                                          u"authpass123"_s};
        QTest::newRow("v3 authPriv SHA AES") << AdminV3;
        QTest::newRow("v3 authPriv MD5 DES") << QStringList{u"-v3"_s,
                                                            u"-l"_s,
                                                            u"authPriv"_s,
                                                            u"-u"_s,
                                                            u"authPrivMd5Des"_s,
                                                            u"-a"_s,
                                                            u"MD5"_s,
                                                            u"-A"_s,
                                                            u"authpass123"_s,
                                                            u"-x"_s,
                                                            u"DES"_s,
                                                            u"-X"_s,
                                                            u"privpass123"_s};
        QTest::newRow("v3 authPriv SHA-256 AES-256") << QStringList{u"-v3"_s,
                                                                    u"-l"_s,
                                                                    u"authPriv"_s,
                                                                    u"-u"_s,
                                                                    u"authPrivSha256Aes256"_s,
                                                                    u"-a"_s,
                                                                    u"SHA-256"_s,
                                                                    u"-A"_s,
                                                                    u"authpass123"_s,
                                                                    u"-x"_s,
                                                                    u"AES-256"_s,
                                                                    u"-X"_s,
                                                                    u"privpass123"_s};
    }

    void answersEveryVersionAndSecurityLevel()
    {
        QFETCH(QStringList, credentials);
        const auto result = m_switch->runTool(u"snmpget"_s, credentials << u"1.3.6.1.2.1.1.1.0"_s);
        QCOMPARE(result.exitCode, 0);
        QVERIFY2(result.out.contains(u"RQ5160"_s), qPrintable(result.out + result.err));
    }

    void refusesWrongCredentials_data()
    {
        QTest::addColumn<QStringList>("credentials");
        QTest::addColumn<QString>("error");
        QTest::newRow("wrong authentication password") << QStringList{u"-v3"_s,
                                                                      u"-l"_s,
                                                                      u"authNoPriv"_s,
                                                                      u"-u"_s,
                                                                      u"authNoPrivSha"_s,
                                                                      u"-a"_s,
                                                                      u"SHA"_s,
                                                                      u"-A"_s,
                                                                      u"wrongpass123"_s}
                                                       << u"Authentication failure"_s;
        QTest::newRow("wrong privacy password") << QStringList{u"-v3"_s,
                                                               u"-l"_s,
                                                               u"authPriv"_s,
                                                               u"-u"_s,
                                                               u"authPrivShaAes"_s,
                                                               u"-a"_s,
                                                               u"SHA"_s,
                                                               u"-A"_s,
                                                               u"authpass123"_s,
                                                               u"-x"_s,
                                                               u"AES"_s,
                                                               u"-X"_s,
                                                               u"wrongpass123"_s}
                                                << u"Timeout"_s;
        QTest::newRow("unknown user")
            << QStringList{u"-v3"_s, u"-l"_s, u"noAuthNoPriv"_s, u"-u"_s, u"nobody"_s}
            << u"Unknown user name"_s;
        QTest::newRow("below the user's security level") << QStringList{u"-v3"_s,
                                                                        u"-l"_s,
                                                                        u"authNoPriv"_s,
                                                                        u"-u"_s,
                                                                        u"authPrivShaAes"_s,
                                                                        u"-a"_s,
                                                                        u"SHA"_s,
                                                                        u"-A"_s,
                                                                        u"authpass123"_s}
                                                         << u"authorizationError"_s;
        QTest::newRow("unknown community")
            << QStringList{u"-v2c"_s, u"-c"_s, u"public"_s} << u"Timeout"_s;
    }

    void refusesWrongCredentials()
    {
        QFETCH(QStringList, credentials);
        QFETCH(QString, error);
        const auto result = m_switch->runTool(u"snmpget"_s, Quick + credentials << SysName);
        QVERIFY2(!result.out.contains(u"RQ5160"_s), qPrintable(result.out));
        QVERIFY2((result.out + result.err).contains(error), qPrintable(result.out + result.err));
    }

    // Every instance of the store answers a walk, in v2c (GETBULK) and in v1
    // (GET-NEXT, which skips Counter64), and nothing else of ours appears.
    void walkServesEveryInstanceOfTheStore()
    {
        sim::Store store;
        QCOMPARE(QString::fromStdString(
                     sim::LoadDataFile(RQ5160_SOURCE_DIR "/sim/data/rq5160.sim", store)),
                 QString());
        sim::Switch device(store);
        device.install();
        device.generateForwardingTable(5);
        QSet<QString> expected;
        for (const auto &[oid, value] : store.values())
            expected.insert(QString::fromStdString(oid.toString()));

        const auto v2
            = m_switch->runTool(u"snmpbulkwalk"_s, ReadV2c + QStringList{u"-Cr50"_s, u".1"_s});
        QCOMPARE(v2.exitCode, 0);
        const QMap<QString, QString> walked = Bindings(v2.out);
        QSet<QString> ours;
        QSet<QString> counter64;
        for (auto it = walked.begin(); it != walked.end(); ++it) {
            if (!it.key().startsWith(u"1.3.6.1.6.3.1"_s)
                || it.key().startsWith(u"1.3.6.1.6.3.18."_s))
                ours.insert(it.key());
            if (it.value().startsWith(u"Counter64"_s))
                counter64.insert(it.key());
        }
        QCOMPARE(ours.size(), expected.size());
        QCOMPARE(ours, expected);
        // The SNMPv3 tables of the engine answer beside the store.
        QVERIFY(walked.contains(u"1.3.6.1.6.3.10.2.1.1.0"_s));
        QVERIFY(walked.keys().filter(u"1.3.6.1.6.3.15.1.2.2.1.3."_s).size() >= 4);

        const auto v1 = m_switch->runTool(u"snmpwalk"_s, {u"-v1"_s, u"-c"_s, u"tundra"_s, u".1"_s});
        QCOMPARE(v1.exitCode, 0);
        const QMap<QString, QString> v1Bindings = Bindings(v1.out);
        const QSet<QString> v1Walked(v1Bindings.keyBegin(), v1Bindings.keyEnd());
        QCOMPARE(v1Walked, QSet<QString>(walked.keyBegin(), walked.keyEnd()) - counter64);
    }

    void walkEndsByVersion_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("end");
        QTest::newRow("v1") << u"-v1"_s << u"noSuchName"_s;
        QTest::newRow("v2c") << u"-v2c"_s << u"No more variables left in this MIB View"_s;
    }

    void walkEndsByVersion()
    {
        QFETCH(QString, version);
        QFETCH(QString, end);
        const auto last = m_switch->runTool(u"snmpbulkwalk"_s, ReadV2c + QStringList{u".1"_s});
        const QString lastOid = Bindings(last.out).lastKey();
        const auto next
            = m_switch->runTool(u"snmpgetnext"_s, {version, u"-c"_s, u"tundra"_s, lastOid});
        QVERIFY2((next.out + next.err).contains(end), qPrintable(next.out + next.err));
    }

    void setChecksEachBinding_data()
    {
        QTest::addColumn<QStringList>("credentials");
        QTest::addColumn<QStringList>("binding");
        QTest::addColumn<QString>("error");
        QTest::newRow("read-only")
            << WriteV2c << QStringList{u"1.3.6.1.2.1.1.1.0"_s, u"s"_s, u"x"_s} << u"notWritable"_s;
        QTest::newRow("wrong type")
            << WriteV2c << QStringList{SysName, u"i"_s, u"3"_s} << u"wrongType"_s;
        QTest::newRow("outside the enumeration")
            << WriteV2c << QStringList{RmonState, u"i"_s, u"7"_s} << u"wrongValue"_s;
        QTest::newRow("outside the range")
            << WriteV2c << QStringList{u"1.3.6.1.4.1.88508.12.15.1.3.0"_s, u"i"_s, u"100"_s}
            << u"wrongValue"_s;
        QTest::newRow("too long") << WriteV2c << QStringList{SysName, u"s"_s, QString(256, u'x')}
                                  << u"wrongLength"_s;
        QTest::newRow("row without createAndGo")
            << WriteV2c << QStringList{VlanEntry + u".1.100"_s, u"s"_s, u"lab"_s}
            << u"noCreation"_s;
        QTest::newRow("read community")
            << ReadV2c << QStringList{SysName, u"s"_s, u"x"_s} << u"noAccess"_s;
        QTest::newRow("v1 read-only")
            << WriteV1 << QStringList{u"1.3.6.1.2.1.1.1.0"_s, u"s"_s, u"x"_s} << u"noSuchName"_s;
        QTest::newRow("v1 bad value")
            << WriteV1 << QStringList{RmonState, u"i"_s, u"7"_s} << u"badValue"_s;
    }

    void setChecksEachBinding()
    {
        QFETCH(QStringList, credentials);
        QFETCH(QStringList, binding);
        QFETCH(QString, error);
        const auto result = m_switch->runTool(u"snmpset"_s, credentials + binding);
        QVERIFY(result.exitCode != 0);
        QVERIFY2(result.err.contains(error), qPrintable(result.err));
    }

    void setIsAllOrNothing()
    {
        SimulatedSwitch own;
        QVERIFY(own.start());
        const auto before = own.runTool(u"snmpget"_s, ReadV2c + QStringList{SysContact});
        const auto result = own.runTool(
            u"snmpset"_s,
            WriteV2c + QStringList{SysContact, u"s"_s, u"changed"_s, RmonState, u"i"_s, u"7"_s});
        QVERIFY(result.err.contains(u"Failed object: .%1"_s.arg(RmonState)));
        const auto after = own.runTool(u"snmpget"_s, ReadV2c + QStringList{SysContact});
        QCOMPARE(after.out, before.out);
    }

    void rowsComeAndGo()
    {
        SimulatedSwitch own;
        QVERIFY(own.start());
        const QString name = VlanEntry + u".1.100"_s;
        auto result = own.runTool(u"snmpset"_s,
                                  WriteV2c
                                      + QStringList{name,
                                                    u"s"_s,
                                                    u"lab"_s,
                                                    VlanEntry + u".2.100"_s,
                                                    u"x"_s,
                                                    u"FFF000"_s,
                                                    VlanEntry + u".5.100"_s,
                                                    u"i"_s,
                                                    u"4"_s});
        QCOMPARE(result.exitCode, 0);
        auto walk = Bindings(own.runTool(u"snmpwalk"_s, ReadV2c + QStringList{VlanEntry}).out);
        QCOMPARE(walk.value(name), u"STRING: \"lab\""_s);
        QCOMPARE(walk.value(VlanEntry + u".5.100"_s), u"INTEGER: 1"_s);            // active
        QCOMPARE(walk.value(VlanEntry + u".3.100"_s), u"Hex-STRING: 00 00 00 "_s); // default

        result = own.runTool(u"snmpset"_s,
                             WriteV2c + QStringList{VlanEntry + u".5.100"_s, u"i"_s, u"6"_s});
        QCOMPARE(result.exitCode, 0);
        walk = Bindings(own.runTool(u"snmpwalk"_s, ReadV2c + QStringList{VlanEntry}).out);
        QVERIFY(!walk.contains(name));
        QVERIFY(walk.contains(VlanEntry + u".1.1"_s));

        // A static unicast entry goes when its status becomes invalid(2).
        const QString unicast = u"1.3.6.1.2.1.17.7.1.3.1.1"_s;
        const QString entry = u"1.0.28.168.170.0.1.0"_s;
        result = own.runTool(u"snmpset"_s,
                             WriteV2c + QStringList{unicast + u".4."_s + entry, u"i"_s, u"2"_s});
        QCOMPARE(result.exitCode, 0);
        walk = Bindings(own.runTool(u"snmpwalk"_s, ReadV2c + QStringList{unicast}).out);
        QVERIFY(!walk.contains(unicast + u".3."_s + entry));
        QCOMPARE(walk.size(), 2);
    }

    // The RMON probe over the wire, with the simulator's clock moved on by SETs
    // of simClockAdvance instead of waiting out intervals.
    void rmonEntriesWorkWithTheClockMovedOn()
    {
        SimulatedSwitch own;
        QVERIFY(own.start());
        const QString stats = u"1.3.6.1.2.1.16.1.1.1"_s;
        const QString historyControl = u"1.3.6.1.2.1.16.2.1.1"_s;
        const QString alarm = u"1.3.6.1.2.1.16.3.1.1"_s;
        const QString event = u"1.3.6.1.2.1.16.9.1.1"_s;
        const QString port5 = u"1.3.6.1.2.1.2.2.1.1.5"_s;
        const auto set = [&own](const QStringList &bindings) {
            return own.runTool(u"snmpset"_s, WriteV2c + bindings);
        };
        const auto advance = [&set](int seconds) {
            return set({u"1.3.6.1.4.1.88508.99.2.1.0"_s, u"i"_s, QString::number(seconds)})
                .exitCode;
        };
        // The instances a walk finds (an empty table answers "No Such Object").
        const auto walk = [&own](const QString &oid) {
            auto found = Bindings(own.runTool(u"snmpwalk"_s, ReadV2c + QStringList{oid}).out);
            found.removeIf(
                [](const auto &binding) { return binding.value().startsWith(u"No Such"_s); });
            return found;
        };

        // An etherStats row: createRequest puts it under creation, valid puts it to work.
        QCOMPARE(
            set({stats + u".21.30"_s, u"i"_s, u"2"_s, stats + u".20.30"_s, u"s"_s, u"rq5160"_s})
                .exitCode,
            0);
        QCOMPARE(own.get(stats + u".21.30"_s), u"3"_s);
        QCOMPARE(
            set({stats + u".2.30"_s, u"o"_s, port5, stats + u".21.30"_s, u"i"_s, u"1"_s}).exitCode,
            0);
        QCOMPARE(own.get(stats + u".21.30"_s), u"1"_s);

        // A history of 50 buckets of 30 s fills at once when 1500 s pass.
        QCOMPARE(set({historyControl + u".7.10"_s,
                      u"i"_s,
                      u"2"_s,
                      historyControl + u".2.10"_s,
                      u"o"_s,
                      port5,
                      historyControl + u".5.10"_s,
                      u"i"_s,
                      u"30"_s})
                     .exitCode,
                 0);
        QCOMPARE(set({historyControl + u".7.10"_s, u"i"_s, u"1"_s}).exitCode, 0);
        QCOMPARE(advance(1500), 0);
        const auto buckets = walk(u"1.3.6.1.2.1.16.2.2.1.5.10"_s);
        QCOMPARE(buckets.size(), 50);
        for (const QString &octets : buckets) {
            const qint64 count = octets.section(u' ', 1).toLongLong();
            QVERIFY2(qAbs(count - 36000000) <= 1, qPrintable(octets)); // 1,200,000 octets/s
        }
        QCOMPARE(own.get(u"1.3.6.1.4.1.88508.99.2.1.0"_s), u"1500"_s);

        // An alarm on a text object is refused as it is made valid.
        QCOMPARE(set({alarm + u".12.2"_s, u"i"_s, u"2"_s}).exitCode, 0);
        const auto refused = set({alarm + u".3.2"_s,
                                  u"o"_s,
                                  u"1.3.6.1.2.1.1.1.0"_s,
                                  alarm + u".12.2"_s,
                                  u"i"_s,
                                  u"1"_s});
        QVERIFY2(refused.err.contains(u"badValue"_s), qPrintable(refused.err));

        // An alarm on port 5's octets logs one event per burst that crosses its
        // rising threshold, and again only after falling to the falling one.
        QCOMPARE(
            set({event + u".7.1"_s, u"i"_s, u"2"_s, event + u".3.1"_s, u"i"_s, u"2"_s}).exitCode,
            0);
        QCOMPARE(set({event + u".7.1"_s, u"i"_s, u"1"_s}).exitCode, 0);
        QCOMPARE(set({alarm + u".12.1"_s,
                      u"i"_s,
                      u"2"_s,
                      alarm + u".2.1"_s,
                      u"i"_s,
                      u"10"_s,
                      alarm + u".3.1"_s,
                      u"o"_s,
                      stats + u".4.5"_s,
                      alarm + u".7.1"_s,
                      u"i"_s,
                      u"50000000"_s,
                      alarm + u".8.1"_s,
                      u"i"_s,
                      u"20000000"_s,
                      alarm + u".9.1"_s,
                      u"i"_s,
                      u"1"_s})
                     .exitCode,
                 0);
        QCOMPARE(set({alarm + u".12.1"_s, u"i"_s, u"1"_s}).exitCode, 0);
        const QString burst = u"1.3.6.1.4.1.88508.99.1.1.2.5"_s;
        const QString logTime = u"1.3.6.1.2.1.16.9.2.1.3"_s;
        QCOMPARE(advance(10), 0);
        QCOMPARE(walk(logTime).size(), 0);
        const auto burstThenSample = [&] {
            return set({burst, u"u"_s, u"100000000"_s}).exitCode == 0 && advance(10) == 0;
        };
        QVERIFY(burstThenSample());
        QCOMPARE(walk(logTime).size(), 1);
        QVERIFY(burstThenSample()); // still high: not re-armed
        QCOMPARE(walk(logTime).size(), 1);
        QCOMPARE(advance(10), 0); // quiet again: falls, re-arms
        QVERIFY(burstThenSample());
        QCOMPARE(walk(logTime).size(), 2);
        // Deleting the alarm removes it.
        QCOMPARE(set({alarm + u".12.1"_s, u"i"_s, u"4"_s}).exitCode, 0);
        QVERIFY(!walk(alarm + u".12"_s).contains(alarm + u".12.1"_s));
    }

    void resetReturnsToTheSavedConfiguration()
    {
        SimulatedSwitch own;
        QVERIFY(own.start());
        const QString save = u"1.3.6.1.4.1.88508.12.1.2.6.0"_s;
        const QString reset = u"1.3.6.1.4.1.88508.12.1.2.3.0"_s;
        auto set = [&own](const QStringList &binding) {
            return own.runTool(u"snmpset"_s, WriteV2c + binding).exitCode;
        };
        QCOMPARE(set({SysName, u"s"_s, u"saved"_s}), 0);
        QCOMPARE(set({save, u"i"_s, u"3"_s}), 0);
        QCOMPARE(set({SysName, u"s"_s, u"not saved"_s}), 0);
        const auto readUpTime = [&own](QString *name = nullptr) {
            const auto values = Bindings(
                own.runTool(u"snmpget"_s, ReadV2c + QStringList{SysName, u"1.3.6.1.2.1.1.3.0"_s})
                    .out);
            if (name)
                *name = values.value(SysName);
            const QRegularExpression ticks(u"Timeticks: \\((\\d+)\\)"_s);
            return ticks.match(values.value(u"1.3.6.1.2.1.1.3.0"_s)).captured(1).toInt();
        };
        // GIVEN an up-time a restart would visibly set back
        QVERIFY(QTest::qWaitFor([&] { return readUpTime() >= 30; }, 10000));
        QCOMPARE(set({reset, u"i"_s, u"2"_s}), 0);
        QString name;
        const int upTime = readUpTime(&name);
        QCOMPARE(name, u"STRING: \"saved\""_s);
        QVERIFY2(upTime < 30, qPrintable(QString::number(upTime)));
    }

    void ledStatusHasEveryLedAndTraffic()
    {
        const auto result = m_switch->runTool(
            u"snmpget"_s,
            ReadV2c + QStringList{u"-Ox"_s, u"1.3.6.1.4.1.88508.12.11.1.9.4.1.5.1"_s});
        QCOMPARE(result.exitCode, 0);
        const QString hex = result.out.section(u"Hex-STRING: "_s, 1).simplified();
        const QStringList bytes = hex.split(u' ');
        QCOMPARE(bytes.size(), 55);
        QCOMPARE(bytes[0], u"02"_s);
        QVERIFY(bytes.contains(u"82"_s));
    }

    // A community, and an SNMPv3 user, created through SNMP can talk to the
    // switch, with the rights of their group.
    void createdCommunityAndUserMayTalk()
    {
        SimulatedSwitch own;
        QVERIFY(own.start());
        const QStringList get = Quick + QStringList{SysName};
        QVERIFY(
            own.runTool(u"snmpget"_s, QStringList{u"-v2c"_s, u"-c"_s, u"basalt"_s} + get).exitCode
            != 0);
        const QString group = Named(u"basalt"_s);
        const QString access = u"1.3.6.1.6.3.16.1.4.1.%1."_s + group + u".0.2.1"_s;
        const QString mapping = u"1.3.6.1.6.3.16.1.2.1.%1.2."_s + group;
        const QString community = u"1.3.6.1.6.3.18.1.1.1.%1."_s + Implied(u"basalt"_s);
        for (const QStringList &set :
             {QStringList{access.arg(5),
                          u"s"_s,
                          u"all"_s,
                          access.arg(7),
                          u"s"_s,
                          u"all"_s,
                          access.arg(9),
                          u"i"_s,
                          u"4"_s},
              QStringList{mapping.arg(3), u"s"_s, u"basalt"_s, mapping.arg(5), u"i"_s, u"4"_s},
              QStringList{community.arg(2),
                          u"s"_s,
                          u"basalt"_s,
                          community.arg(3),
                          u"s"_s,
                          u"basalt"_s,
                          community.arg(8),
                          u"i"_s,
                          u"4"_s}}) {
            const auto result = own.runTool(u"snmpset"_s, AdminV3 + set);
            QVERIFY2(result.exitCode == 0, qPrintable(result.err));
        }
        const QStringList basalt{u"-v2c"_s, u"-c"_s, u"basalt"_s};
        QCOMPARE(own.runTool(u"snmpget"_s, basalt + get).exitCode, 0);
        const auto write = own.runTool(u"snmpset"_s, basalt + QStringList{SysName, u"s"_s, u"x"_s});
        QVERIFY2(write.err.contains(u"noAccess"_s), qPrintable(write.err)); // no write view

        QCOMPARE(own.runTool(u"snmpusm"_s,
                             AdminV3 + QStringList{u"create"_s, u"newUser"_s, u"authPrivShaAes"_s})
                     .exitCode,
                 0);
        QCOMPARE(
            own.runTool(u"snmpvacm"_s,
                        AdminV3
                            + QStringList{u"createSec2Group"_s, u"3"_s, u"newUser"_s, u"v3priv"_s})
                .exitCode,
            0);
        QStringList newUser = AdminV3;
        newUser[newUser.indexOf(u"authPrivShaAes"_s)] = u"newUser"_s;
        const auto result = own.runTool(u"snmpget"_s, newUser + get);
        QVERIFY2(result.out.contains(u"RQ5160-Lab"_s), qPrintable(result.out + result.err));
    }

    void stoppedSwitchAnswersNothing()
    {
        SimulatedSwitch own;
        QVERIFY(own.start());
        own.stop();
        const auto result = own.runTool(u"snmpget"_s, ReadV2c + Quick + QStringList{SysName});
        QVERIFY(result.exitCode != 0);
        QVERIFY2(result.err.contains(u"Timeout"_s), qPrintable(result.err));
    }

private:
    std::unique_ptr<SimulatedSwitch> m_switch;
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
