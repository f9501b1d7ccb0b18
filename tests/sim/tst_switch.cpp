// The simulated switch's behaviour on the shipped data file, with a clock the
// test drives.
#include "datafile.h"
#include "store.h"
#include "switch.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace sim;
using namespace std::chrono_literals;

namespace {

Oid O(const std::string &text)
{
    return *Oid::parse(text);
}

const std::string Agent = "1.3.6.1.4.1.88508.12.1";
const std::string Led = "1.3.6.1.4.1.88508.12.11.1.9.4.1.5.1";
const std::string SysName = "1.3.6.1.2.1.1.5.0";
const std::string File = Agent + ".2.1.1";
const std::string TransferStatus = Agent + ".1.5.0";
const std::string Aaa = "1.3.6.1.4.1.88508.12.5";
const std::string Trunk = "1.3.6.1.4.1.88508.11.68.1.2.9";

// Index of a length-prefixed name.
std::string Named(const std::string &name)
{
    std::string index = std::to_string(name.size());
    for (unsigned char c : name)
        index += "." + std::to_string(c);
    return index;
}

class FakeTransfers final : public FileTransfers
{
public:
    void start(const TransferRequest &request, Done done) override
    {
        started.push_back(request);
        m_done = std::move(done);
    }
    void cancel() override { m_done = nullptr; }
    void finish(TransferOutcome outcome, const Bytes &received = "image")
    {
        if (m_done)
            m_done(outcome, received);
    }

    std::vector<TransferRequest> started;

private:
    Done m_done;
};

} // namespace

class TestSwitch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_now = std::chrono::steady_clock::time_point(100s);
        m_store = std::make_unique<Store>();
        const std::string error = LoadDataFile(RQ5160_SOURCE_DIR "/sim/data/rq5160.sim", *m_store);
        QCOMPARE(QString::fromStdString(error), QString());
        m_switch = std::make_unique<Switch>(*m_store, [this] { return m_now; });
        m_switch->install();
        m_switch->setFileTransfers(&m_transfers);
        m_transfers.started.clear();
    }

    void ledsFollowPortLinksAndTrafficMoves()
    {
        const Bytes first = m_switch->ledStatus();
        QCOMPARE(first.size(), size_t(55));
        QCOMPARE(int(first[0]), 2);                     // power green
        QCOMPARE(int(first[3] & 0x07), 2);              // port 1 linked
        QCOMPARE(int(first[9]), 6);                     // port 4 without link: off
        QCOMPARE(int(first[54] & 0x07), 2);             // port 24 on its fibre slot
        QVERIFY(first.find(char(0x82)) != Bytes::npos); // some port shows traffic
        m_now += 2s;
        QVERIFY(m_switch->ledStatus() != first);
        QCOMPARE(m_store->value(O(Led))->bytes(), m_switch->ledStatus());
    }

    void adminDownTakesThePortLinkDown()
    {
        set({{O("1.3.6.1.2.1.2.2.1.7.1"), Value::integer(2)}});
        QCOMPARE(m_store->number(O("1.3.6.1.2.1.2.2.1.8.1")), int64_t(2));
        QCOMPARE(m_store->number(O("1.3.6.1.4.1.88508.11.68.1.2.3.1.1.4.1")), int64_t(3));
        QCOMPARE(int(m_switch->ledStatus()[3]), 6);
        set({{O("1.3.6.1.2.1.2.2.1.7.1"), Value::integer(1)}});
        QCOMPARE(m_store->number(O("1.3.6.1.2.1.2.2.1.8.1")), int64_t(1));
        // A port without a cable stays down whatever its admin status.
        set({{O("1.3.6.1.2.1.2.2.1.7.4"), Value::integer(1)}});
        QCOMPARE(m_store->number(O("1.3.6.1.2.1.2.2.1.8.4")), int64_t(2));
    }

    void resetRestoresTheSavedConfigurationAndRestartsTheClock()
    {
        m_now += 5s;
        QCOMPARE(m_store->number(O("1.3.6.1.2.1.1.3.0")), int64_t(500));
        set({{O(SysName), Value::octets("saved")}});
        set({{O(Agent + ".2.6.0"), Value::integer(3)}});
        QCOMPARE(m_store->number(O(Agent + ".2.6.0")), int64_t(2)); // idle again
        set({{O(SysName), Value::octets("unsaved")}});
        set({{O(Agent + ".2.3.0"), Value::integer(2)}});
        QCOMPARE(m_store->value(O(SysName))->bytes(), std::string("saved"));
        QCOMPARE(m_store->number(O("1.3.6.1.2.1.1.3.0")), int64_t(0));
        QCOMPARE(m_store->number(O(Agent + ".2.3.0")), int64_t(4)); // no-reset
    }

    void etherStatsCountersFollowTheTrafficAndWrap()
    {
        const std::string stats = "1.3.6.1.2.1.16.1.1.1";
        const auto counter = [this, &stats](int column, int port) {
            return m_store->number(
                O(stats + "." + std::to_string(column) + "." + std::to_string(port)));
        };
        // GIVEN port 5 carrying 1,200,000 octets/s and port 4 without traffic
        const int64_t before = counter(4, 5);
        m_now += 10s;
        QCOMPARE(counter(4, 5) - before, int64_t(12000000));
        QCOMPARE(counter(4, 4), int64_t(0));
        // A burst adds its octets at once, and packets in the same mix.
        set({{O("1.3.6.1.4.1.88508.99.1.1.2.5"), Value::unsignedOf(Type::Gauge32, 4528000)}});
        QCOMPARE(counter(4, 5) - before, int64_t(16528000));
        QCOMPARE(counter(5, 5), int64_t(16528000 * 10 / 4528));
        QCOMPARE(counter(14, 5), counter(5, 5) * 3 / 10);
        // A rate change keeps what was counted; the 32-bit counter wraps.
        set({{O("1.3.6.1.4.1.88508.99.1.1.1.5"), Value::unsignedOf(Type::Gauge32, 1000000000)}});
        m_now += 5s;
        QCOMPARE(counter(4, 5), int64_t((16528000 + 5000000000LL) % 4294967296LL));
        // A switch reset restarts every count.
        set({{O(Agent + ".2.3.0"), Value::integer(2)}});
        QCOMPARE(counter(4, 5), int64_t(0));
    }

    void trunkBookkeeping()
    {
        QCOMPARE(m_store->number(O(Trunk + ".2.0")), int64_t(1));
        set({{O(Trunk + ".3.1.3.2"), Value::integer(5)},
             {O(Trunk + ".3.1.4.2"), Value::octets(std::string("\x0F\x00\x00", 3))},
             {O(Trunk + ".3.1.7.2"), Value::integer(RowCreateAndGo)}});
        QCOMPARE(m_store->number(O(Trunk + ".2.0")), int64_t(2));
        QCOMPARE(m_store->number(O(Trunk + ".3.1.5.2")), int64_t(5)); // floods on the master
    }

    void serverHostsJoinTheirBuiltInGroup()
    {
        const std::string host = "127.0.0.9.1"; // TACACS
        set({{O(Aaa + ".10.1.7." + host), Value::integer(RowCreateAndGo)}});
        const std::string tacacs = Named("tacacs");
        QCOMPARE(m_store->value(O(Aaa + ".9.1.2." + tacacs))->bytes(),
                 std::string("\x7F\0\0\x09", 4));
        QCOMPARE(m_store->number(O(Aaa + ".9.1.3." + tacacs)), int64_t(1));
        set({{O(Aaa + ".10.1.7." + host), Value::integer(RowDestroy)}});
        QCOMPARE(m_store->number(O(Aaa + ".9.1.3." + tacacs)), int64_t(6)); // free again
    }

    void membershipControlAddsAndRemovesGroupMembers()
    {
        const std::string group = Named("ops");
        set({{O(Aaa + ".9.1.18." + group), Value::integer(RowCreateAndGo)}});
        const std::string member = group + ".10.90.90.5.3";
        set({{O(Aaa + ".12.1.4." + member + ".1.2"), Value::integer(1)}});
        QCOMPARE(m_store->number(O(Aaa + ".9.1.3." + group)), int64_t(3));
        // The same member twice, or a server that is no host, is refused.
        QCOMPARE(check(Aaa + ".12.1.4." + member + ".1.2", 1), int(InconsistentValue));
        QCOMPARE(check(Aaa + ".12.1.4." + group + ".10.1.1.1.3.1.2", 1), int(InconsistentValue));
        set({{O(Aaa + ".12.1.4." + member), Value::integer(2)}});
        QCOMPARE(m_store->number(O(Aaa + ".9.1.3." + group)), int64_t(6));
        QCOMPARE(check(Aaa + ".12.1.4." + member, 2), int(InconsistentValue));
    }

    void builtInGroupsHoldTheirProtocolOnly()
    {
        // 10.90.90.5 is a TACACS+ server, 10.90.90.6 a RADIUS one.
        QCOMPARE(check(Aaa + ".12.1.4." + Named("radius") + ".10.90.90.5.3.1.2", 1),
                 int(InconsistentValue));
        QCOMPARE(check(Aaa + ".12.1.4." + Named("tacacs+") + ".10.90.90.6.4.1.2", 1),
                 int(InconsistentValue));
    }

    void hostsNeedAHostAddress()
    {
        QCOMPARE(check(Aaa + ".10.1.7.0.0.0.0.1", RowCreateAndGo), int(NoCreation));
        QCOMPARE(check(Aaa + ".10.1.7.255.255.255.255.4", RowCreateAndGo), int(NoCreation));
        QCOMPARE(check(Aaa + ".10.1.7.10.1.1.1.4", RowCreateAndGo), int(NoError));
    }

    void builtInEntriesStay()
    {
        QCOMPARE(check(Aaa + ".9.1.18." + Named("radius"), RowDestroy), int(InconsistentValue));
        QCOMPARE(check(Aaa + ".3.1.10." + Named("default"), RowDestroy), int(InconsistentValue));
        QCOMPARE(m_store->check({{O(Aaa + ".7.1.2.0"), Value::octets("nolist")}}).status,
                 int(InconsistentValue));
        QCOMPARE(m_store->check({{O(Aaa + ".7.1.2.0"), Value::octets("default")}}).status,
                 int(NoError));
    }

    void fileTransferStatusFollowsTheTransfer_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("status");
        QTest::newRow("complete") << int(TransferOutcome::Complete) << 7;
        QTest::newRow("file not found") << int(TransferOutcome::FileNotFound) << 5;
        QTest::newRow("time-out") << int(TransferOutcome::TimeOut) << 8;
        QTest::newRow("access violation") << int(TransferOutcome::Violation) << 4;
    }

    void fileTransferStatusFollowsTheTransfer()
    {
        QFETCH(int, outcome);
        QFETCH(int, status);
        startTransfer(1, 3, "fw.had");
        QCOMPARE(m_transfers.started.size(), size_t(1));
        QCOMPARE(m_transfers.started[0].file, std::string("fw.had"));
        QVERIFY(!m_transfers.started[0].upload);
        QCOMPARE(m_store->number(O(TransferStatus)), int64_t(2));  // in-process
        QCOMPARE(check(File + ".8.1", 3), int(InconsistentValue)); // one transfer at a time
        m_transfers.finish(TransferOutcome(outcome));
        QCOMPARE(m_store->number(O(TransferStatus)), int64_t(status));
        QCOMPARE(m_store->number(O(File + ".8.1")), int64_t(2)); // inactive
    }

    void uploadSendsTheConfigurationAndRefusesWrongDirections()
    {
        startTransfer(3, 2, "rq5160.cfg");
        QCOMPARE(m_transfers.started.size(), size_t(1));
        QVERIFY(m_transfers.started[0].upload);
        QVERIFY(m_transfers.started[0].data.find("sysName = \"RQ5160-Lab\"") != Bytes::npos);
        m_transfers.finish(TransferOutcome::Complete);
        QCOMPARE(m_store->number(O(TransferStatus)), int64_t(7));
        startTransfer(1, 2, "fw.had"); // firmware cannot be uploaded
        QCOMPARE(m_transfers.started.size(), size_t(1));
        QCOMPARE(m_store->number(O(TransferStatus)), int64_t(3)); // invalid-file
        startTransfer(1, 3, "empty.had");
        m_transfers.finish(TransferOutcome::Complete, ""); // an empty image is invalid
        QCOMPARE(m_store->number(O(TransferStatus)), int64_t(3));
    }

    void portControlDecidesTheAuthenticatorState()
    {
        const std::string config = "1.0.8802.1.1.1.1.2.1.1";
        set({{O(config + ".6.1"), Value::integer(1)}}); // forceUnauthorized
        QCOMPARE(m_store->number(O(config + ".1.1")), int64_t(9));
        QCOMPARE(m_store->number(O(config + ".5.1")), int64_t(2));
        set({{O(config + ".6.1"), Value::integer(3)}}); // forceAuthorized
        QCOMPARE(m_store->number(O(config + ".1.1")), int64_t(8));
        QCOMPARE(m_store->number(O(config + ".5.1")), int64_t(1));
    }

    void forcedSpeedAndLinkReportTheRealNwayStatus()
    {
        const std::string nwaySetting = "1.3.6.1.4.1.88508.11.68.1.2.3.2.1.4.1";
        const std::string nwayStatus = "1.3.6.1.4.1.88508.11.68.1.2.3.1.1.5.1";
        set({{O(nwaySetting), Value::integer(6)}}); // 100 Mbit/s full duplex
        QCOMPARE(m_store->number(O(nwayStatus)), int64_t(6));
        QCOMPARE(m_store->number(O("1.3.6.1.2.1.2.2.1.5.1")), int64_t(100000000));
        QCOMPARE(int(m_switch->ledStatus()[4]), 4); // speed LED blue
        set({{O("1.3.6.1.2.1.2.2.1.7.1"), Value::integer(2)}});
        QCOMPARE(m_store->number(O(nwayStatus)), int64_t(2)); // link-down
        set({{O("1.3.6.1.2.1.2.2.1.7.1"), Value::integer(1)}});
        QCOMPARE(m_store->number(O(nwayStatus)), int64_t(6));
    }

    void portAndSummerTimeSettingsAreChecked_data()
    {
        QTest::addColumn<QString>("oid");
        QTest::addColumn<QByteArray>("octets"); // empty: the number is set
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("status");
        const QString nway = u"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.4."_s;
        const QString repeatStart = u"1.3.6.1.4.1.88508.12.10.12.3.0"_s;
        const QString annualStart = u"1.3.6.1.4.1.88508.12.10.12.5.0"_s;
        QTest::newRow("fibre port at 10 Mbit/s")
            << nway + u"24"_s << QByteArray() << 3 << int(WrongValue);
        QTest::newRow("fibre port at 1 Gbit/s")
            << nway + u"24"_s << QByteArray() << 9 << int(NoError);
        QTest::newRow("copper port at 100 Mbit/s")
            << nway + u"2"_s << QByteArray() << 6 << int(NoError);
        QTest::newRow("repeating, 2nd Mon Apr 01:30")
            << repeatStart << QByteArray::fromHex("02000204011E") << 0 << int(NoError);
        QTest::newRow("repeating, month 13")
            << repeatStart << QByteArray::fromHex("0200020D011E") << 0 << int(WrongValue);
        QTest::newRow("repeating, hour 24")
            << repeatStart << QByteArray::fromHex("020002041800") << 0 << int(WrongValue);
        QTest::newRow("repeating, day 8")
            << repeatStart << QByteArray::fromHex("020008040100") << 0 << int(WrongValue);
        QTest::newRow("annual, 29 Feb")
            << annualStart << QByteArray::fromHex("1D020300") << 0 << int(NoError);
        QTest::newRow("annual, 30 Feb")
            << annualStart << QByteArray::fromHex("1E020300") << 0 << int(WrongValue);
        QTest::newRow("annual, 31 Apr")
            << annualStart << QByteArray::fromHex("1F040300") << 0 << int(WrongValue);
        QTest::newRow("annual, minute 60")
            << annualStart << QByteArray::fromHex("0104033C") << 0 << int(WrongValue);
    }

    void portAndSummerTimeSettingsAreChecked()
    {
        QFETCH(QString, oid);
        QFETCH(QByteArray, octets);
        QFETCH(int, number);
        QFETCH(int, status);
        const Value value
            = octets.isEmpty() ? Value::integer(number) : Value::octets(octets.toStdString());
        QCOMPARE(m_store->check({{O(oid.toStdString()), value}}).status, status);
    }

    void mirrorTargetMustNotBeMirrored()
    {
        const Oid target = O("1.3.6.1.4.1.88508.11.68.1.2.10.1.0");
        const Oid ingress = O("1.3.6.1.4.1.88508.11.68.1.2.10.2.0");
        // The switch holds target 24, ingress and egress 1.
        QCOMPARE(m_switch->consistent(target, {{target, Value::integer(1)}}),
                 int(InconsistentValue));
        QCOMPARE(m_switch->consistent(target, {{target, Value::integer(5)}}), int(NoError));
        // The other bindings of the same SET count, not what the switch held.
        QCOMPARE(m_switch->consistent(ingress,
                                      {{ingress, Value::integer(24)}, {target, Value::integer(7)}}),
                 int(NoError));
    }

    void stpMigrationIsATrigger()
    {
        const std::string migration = "1.3.6.1.4.1.88508.12.15.2.4.1.6.3";
        set({{O(migration), Value::integer(1)}});
        QCOMPARE(m_store->number(O(migration)), int64_t(2));
    }

    void authenticatorFollowsTheGlobalSwitchAndMode()
    {
        const std::string config = "1.0.8802.1.1.1.1.2.1.1";
        const std::string macState = "1.3.6.1.4.1.88508.12.3.6.1.1.3";
        QCOMPARE(m_store->number(O(config + ".1.4")), int64_t(2)); // no link: disconnected
        set({{O("1.0.8802.1.1.1.1.1.1.0"), Value::integer(2)}});
        QCOMPARE(m_store->number(O(config + ".1.4")), int64_t(8));
        QCOMPARE(m_store->number(O(config + ".5.4")), int64_t(1));
        set({{O("1.0.8802.1.1.1.1.1.1.0"), Value::integer(1)}});
        QCOMPARE(m_store->number(O(config + ".5.4")), int64_t(2));

        QVERIFY(!m_store->next(O(macState), O(macState)));
        set({{O("1.3.6.1.4.1.88508.12.3.1.2.0"), Value::integer(2)}});
        std::vector<uint32_t> ports;
        for (auto at = m_store->next(O(macState), O(macState)); at;
             at = m_store->next(at->first, O(macState)))
            ports.push_back(at->first.ids().back());
        QCOMPARE(ports, (std::vector<uint32_t>{5, 5, 8}));
        set({{O("1.3.6.1.4.1.88508.12.3.1.2.0"), Value::integer(1)}});
        QVERIFY(!m_store->next(O(macState), O(macState)));

        set({{O(config + ".3.2"), Value::integer(1)}});
        QCOMPARE(m_store->number(O(config + ".4.2")), int64_t(1));
    }

    void sessionTimeGrowsAndServerKeysStayHidden()
    {
        const Oid session = O("1.0.8802.1.1.1.1.2.4.1.7.1");
        const int64_t before = m_store->number(session);
        m_now += 5s;
        QCOMPARE(m_store->number(session), before + 500);

        const std::string key = "1.3.6.1.4.1.88508.12.3.2.4.1.3";
        QCOMPARE(m_store->value(O(key + ".1"))->bytes(), Bytes());
        set({{O(key + ".2"), Value::octets("new-secret")}});
        QCOMPARE(m_store->value(O(key + ".2"))->bytes(), Bytes());
        // AAA server keys, seeded or set with the row that creates the host.
        const std::string aaaKey = Aaa + ".10.1.4.";
        QCOMPARE(m_store->value(O(aaaKey + "10.90.90.5.3"))->bytes(), Bytes());
        set({{O(Aaa + ".10.1.7.127.0.0.8.3"), Value::integer(RowCreateAndGo)},
             {O(aaaKey + "127.0.0.8.3"), Value::octets("host-secret")}});
        QCOMPARE(m_store->value(O(aaaKey + "127.0.0.8.3"))->bytes(), Bytes());
        const Oid address = O("1.3.6.1.4.1.88508.12.3.2.4.1.2.1");
        QCOMPARE(m_store->check({{address, Value::ipAddress(Bytes(4, '\0'))}}).status,
                 int(WrongValue));
    }

private:
    int check(const std::string &oid, int64_t value)
    {
        return m_store->check({{O(oid), Value::integer(value)}}).status;
    }

    void set(const std::vector<VarBind> &bindings)
    {
        const SetResult result = m_store->check(bindings);
        QCOMPARE(result.status, int(NoError));
        m_store->apply(bindings);
        m_switch->committed(bindings);
    }

    void startTransfer(int row, int loadType, const std::string &file)
    {
        const std::string index = "." + std::to_string(row);
        set({{O(File + ".3" + index), Value::ipAddress(std::string("\x7F\0\0\x01", 4))},
             {O(File + ".5" + index), Value::octets(file)},
             {O(File + ".7" + index), Value::integer(loadType)},
             {O(File + ".8" + index), Value::integer(3)}});
    }

    std::chrono::steady_clock::time_point m_now;
    std::unique_ptr<Store> m_store;
    std::unique_ptr<Switch> m_switch;
    FakeTransfers m_transfers;
};

QTEST_GUILESS_MAIN(TestSwitch)
#include "tst_switch.moc"
