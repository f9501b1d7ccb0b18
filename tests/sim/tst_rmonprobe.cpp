// The simulated switch's RMON probe (statistics, history, alarms, events) on
// the shipped data file, with a clock the test drives.
#include "datafile.h"
#include "store.h"
#include "switch.h"

#include <QTest>

using namespace sim;
using namespace std::chrono_literals;

namespace {

Oid O(const std::string &text)
{
    return *Oid::parse(text);
}

const std::string Stats = "1.3.6.1.2.1.16.1.1.1";
const std::string HistoryControl = "1.3.6.1.2.1.16.2.1.1";
const std::string History = "1.3.6.1.2.1.16.2.2.1";
const std::string Alarm = "1.3.6.1.2.1.16.3.1.1";
const std::string Event = "1.3.6.1.2.1.16.9.1.1";
const std::string Log = "1.3.6.1.2.1.16.9.2.1";
const std::string IfIndex = "1.3.6.1.2.1.2.2.1.1";
const std::string Burst = "1.3.6.1.4.1.88508.99.1.1.2";
const std::string IfInOctets = "1.3.6.1.2.1.2.2.1.10.5";

// Port 5 carries 1,200,000 octets/s in the shipped data.
constexpr int64_t Port5Rate = 1200000;

std::string At(const std::string &entry, int column, int index)
{
    return entry + "." + std::to_string(column) + "." + std::to_string(index);
}

VarBind Int(const std::string &oid, int64_t v)
{
    return {O(oid), Value::integer(v)};
}

VarBind Id(const std::string &oid, const std::string &value)
{
    return {O(oid), Value::objectId(O(value))};
}

} // namespace

class TestRmonProbe : public QObject
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
    }

    void createRequestThenValidMakesACountingStatisticsRow()
    {
        // GIVEN a new row created with its owner: under creation, counting nothing
        set({Int(At(Stats, 21, 30), EntryCreateRequest),
             {O(At(Stats, 20, 30)), Value::octets("rq5160")}});
        QCOMPARE(number(At(Stats, 21, 30)), int64_t(EntryUnderCreation));
        QCOMPARE(number(At(Stats, 1, 30)), int64_t(30));
        QCOMPARE(m_store->value(O(At(Stats, 2, 30)))->oid(), O("0.0"));
        advance(10s);
        QCOMPARE(number(At(Stats, 4, 30)), int64_t(0));
        // A data source that is not an Ethernet port (the loopback) cannot be made valid.
        QCOMPARE(check({Id(At(Stats, 2, 30), IfIndex + ".26"), Int(At(Stats, 21, 30), EntryValid)}),
                 int(InconsistentValue));
        QCOMPARE(check({Int(At(Stats, 21, 30), EntryValid)}), int(InconsistentValue));
        // WHEN it is made valid on port 5
        set({Id(At(Stats, 2, 30), IfIndex + ".5"), Int(At(Stats, 21, 30), EntryValid)});
        QCOMPARE(number(At(Stats, 21, 30)), int64_t(EntryValid));
        const int64_t seeded = number(At(Stats, 4, 5));
        const int64_t seededPackets = number(At(Stats, 5, 5));
        advance(10s);
        // THEN it counts port 5's traffic from then on, as the seeded row does
        QCOMPARE(number(At(Stats, 4, 30)), 10 * Port5Rate);
        QCOMPARE(number(At(Stats, 4, 5)) - seeded, 10 * Port5Rate);
        QCOMPARE(number(At(Stats, 5, 30)), number(At(Stats, 5, 5)) - seededPackets);
        // Its data source is fixed while valid; it cannot be created twice.
        QCOMPARE(check({Id(At(Stats, 2, 30), IfIndex + ".6")}), int(InconsistentValue));
        QCOMPARE(check({Int(At(Stats, 21, 30), EntryCreateRequest)}), int(InconsistentValue));
        // invalid removes it.
        set({Int(At(Stats, 21, 30), EntryInvalid)});
        QVERIFY(!m_store->value(O(At(Stats, 4, 30))));
    }

    void anEntryLeftUnderCreationIsAgedOut()
    {
        set({Int(At(Alarm, 12, 7), EntryCreateRequest)});
        advance(599s);
        QCOMPARE(number(At(Alarm, 12, 7)), int64_t(EntryUnderCreation));
        advance(1s);
        QVERIFY(!m_store->value(O(At(Alarm, 12, 7))));
    }

    void historyFillsEveryIntervalAndDropsItsOldest()
    {
        // GIVEN a history of port 5 asking for more buckets than the switch grants
        set({Int(At(HistoryControl, 7, 10), EntryCreateRequest),
             Id(At(HistoryControl, 2, 10), IfIndex + ".5"),
             Int(At(HistoryControl, 3, 10), 80),
             Int(At(HistoryControl, 5, 10), 30)});
        QCOMPARE(number(At(HistoryControl, 4, 10)), int64_t(50));
        set({Int(At(HistoryControl, 3, 10), 50), Int(At(HistoryControl, 7, 10), EntryValid)});
        const int64_t octetsBefore = number(At(Stats, 4, 5));
        const int64_t ifOctetsBefore = number(IfInOctets);
        const int64_t startTicks = number("1.3.6.1.2.1.1.3.0");
        // WHEN 50 intervals of 30 s pass, with a burst in the 10th
        advance(285s);
        set({{O(Burst + ".5"), Value::unsignedOf(Type::Gauge32, 4528000)}});
        advance(1215s);
        // THEN there are 50 buckets, each with its interval's traffic
        QCOMPARE(samples(10), (range(1, 50)));
        for (int sample = 1; sample <= 50; ++sample) {
            const std::string row = "10." + std::to_string(sample);
            QCOMPARE(number(History + ".3." + row), startTicks + (sample - 1) * 3000);
            QCOMPARE(number(History + ".5." + row), 30 * Port5Rate + (sample == 10 ? 4528000 : 0));
        }
        // they add up to what the statistics and the interface counted in the same time
        int64_t sum = 0;
        for (int sample = 1; sample <= 50; ++sample)
            sum += number(History + ".5.10." + std::to_string(sample));
        QCOMPARE(sum, number(At(Stats, 4, 5)) - octetsBefore);
        QCOMPARE(sum, number(IfInOctets) - ifOctetsBefore);
        // 36,000,000 octets and 79,505 packets in 30 s on a gigabit port: 1.00 %
        QCOMPARE(number(History + ".6.10.1"), int64_t(79505));
        QCOMPARE(number(History + ".15.10.1"), int64_t(100));
        // Past the buckets granted the oldest go, also over a long time at once.
        advance(60s);
        QCOMPARE(samples(10), (range(3, 52)));
        advance(24h);
        QCOMPARE(samples(10), (range(2883, 2932)));
        QCOMPARE(number(History + ".5.10.2932"), 30 * Port5Rate);
        // Fewer buckets requested keep only the newest.
        set({Int(At(HistoryControl, 3, 10), 5)});
        QCOMPARE(samples(10), (range(2928, 2932)));
        // The seeded 30 s history of port 1 filled too; invalid removes an entry's buckets.
        QCOMPARE(samples(1).size(), size_t(50));
        set({Int(At(HistoryControl, 7, 10), EntryInvalid)});
        QVERIFY(samples(10).empty());
        QVERIFY(!m_store->value(O(At(HistoryControl, 3, 10))));
    }

    void alarmFiresOncePerCrossingAndRearmsAtTheFallingThreshold()
    {
        // GIVEN an event that logs and an alarm on port 5's octets per 10 s
        set({Int(At(Event, 7, 1), EntryCreateRequest),
             {O(At(Event, 2, 1)), Value::octets("Port 5 busy")},
             Int(At(Event, 3, 1), 2)});
        set({Int(At(Event, 7, 1), EntryValid)});
        createAlarm(3, At(Stats, 4, 5), 50000000, 20000000);
        // WHEN bursts come (octets per interval, in millions) ...
        const struct
        {
            int64_t burst;
            int logs;
        } steps[] = {
            {0, 0},   // 12: quiet, first sample
            {100, 1}, // 112: rising, logged
            {100, 1}, // 112: still high, not re-armed
            {30, 1},  // 42: between the thresholds
            {100, 1}, // 112: up again without having fallen: nothing
            {0, 1},   // 12: falling, re-arms
            {100, 2}, // 112: rising again, logged
        };
        for (const auto &step : steps) {
            if (step.burst)
                set({{O(Burst + ".5"), Value::unsignedOf(Type::Gauge32, step.burst * 1000000)}});
            advance(10s);
            // THEN the log grows by one per rising crossing only
            QCOMPARE(logs(1), step.logs);
            QCOMPARE(number(At(Alarm, 5, 3)), (12 + step.burst) * 1000000);
        }
        const int64_t upTime = number("1.3.6.1.2.1.1.3.0");
        QCOMPARE(number(Log + ".3.1.2"), upTime);
        QCOMPARE(number(At(Event, 5, 1)), upTime);
        const std::string description = m_store->value(O(Log + ".4.1.1"))->bytes();
        QVERIFY2(description.find("Port 5 busy: rising alarm 3") == 0, description.c_str());
        // Deleting the alarm removes it and its sampling; deleting the event its log.
        set({Int(At(Alarm, 12, 3), EntryInvalid)});
        QVERIFY(!m_store->value(O(At(Alarm, 5, 3))));
        set({{O(Burst + ".5"), Value::unsignedOf(Type::Gauge32, 100000000)}});
        advance(10s);
        QCOMPARE(logs(1), 2);
        set({Int(At(Event, 7, 1), EntryInvalid)});
        QCOMPARE(logs(1), 0);
    }

    void startupAlarmFiresOnTheFirstSampleOnlyWhenItNamesThatDirection_data()
    {
        QTest::addColumn<int>("startup");
        QTest::addColumn<int>("logs");
        QTest::newRow("rising") << 1 << 1;
        QTest::newRow("falling") << 2 << 0;
        QTest::newRow("rising or falling") << 3 << 1;
    }

    void startupAlarmFiresOnTheFirstSampleOnlyWhenItNamesThatDirection()
    {
        QFETCH(int, startup);
        QFETCH(int, logs);
        set({Int(At(Event, 7, 1), EntryCreateRequest), Int(At(Event, 3, 1), 2)});
        set({Int(At(Event, 7, 1), EntryValid)});
        // Absolute value of a counter already past the rising threshold.
        createAlarm(4, At(Stats, 4, 5), 1000, 500, 1, startup);
        advance(10s);
        advance(10s);
        QCOMPARE(this->logs(1), logs);
    }

    void alarmActivationChecksItsEntry_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<int>("rising");
        QTest::addColumn<int>("falling");
        QTest::addColumn<int>("status");
        QTest::newRow("counter") << QString::fromStdString(At(Stats, 4, 5)) << 10 << 5
                                 << int(NoError);
        QTest::newRow("time-ticks") << "1.3.6.1.2.1.1.3.0" << 10 << 5 << int(NoError);
        QTest::newRow("integer") << "1.3.6.1.2.1.2.2.1.8.1" << 2 << 1 << int(NoError);
        QTest::newRow("equal thresholds") << "1.3.6.1.2.1.1.3.0" << 5 << 5 << int(NoError);
        QTest::newRow("text") << "1.3.6.1.2.1.1.1.0" << 10 << 5 << int(BadValue);
        QTest::newRow("object identifier") << "1.3.6.1.2.1.1.2.0" << 10 << 5 << int(BadValue);
        QTest::newRow("no such instance")
            << "1.3.6.1.2.1.16.1.1.1.4.99" << 10 << 5 << int(BadValue);
        QTest::newRow("a table, not an instance")
            << QString::fromStdString(Stats) << 10 << 5 << int(BadValue);
        QTest::newRow("falling above rising")
            << "1.3.6.1.2.1.1.3.0" << 5 << 10 << int(InconsistentValue);
    }

    void alarmActivationChecksItsEntry()
    {
        QFETCH(QString, variable);
        QFETCH(int, rising);
        QFETCH(int, falling);
        QFETCH(int, status);
        set({Int(At(Alarm, 12, 5), EntryCreateRequest)});
        const std::vector<VarBind> activate = {Id(At(Alarm, 3, 5), variable.toStdString()),
                                               Int(At(Alarm, 7, 5), rising),
                                               Int(At(Alarm, 8, 5), falling),
                                               Int(At(Alarm, 12, 5), EntryValid)};
        QCOMPARE(check(activate), status);
        if (status != NoError)
            return;
        set(activate);
        // Once valid, what it samples is fixed; its owner is not.
        QCOMPARE(check({Int(At(Alarm, 7, 5), rising + 1)}), int(InconsistentValue));
        QCOMPARE(check({{O(At(Alarm, 11, 5)), Value::octets("noc")}}), int(NoError));
    }

    void deltaAlarmSeesItsIntervalAcrossACounterWrap()
    {
        // Port 21 carries 14,500,000 octets/s: its 32-bit counter wraps within 300 s.
        createAlarm(8, At(Stats, 4, 21), 2000000000, 1000000000);
        const int64_t before = number(At(Stats, 4, 21));
        for (int interval = 0; interval < 30; ++interval) {
            advance(10s);
            QCOMPARE(number(At(Alarm, 5, 8)), int64_t(145000000));
        }
        const int64_t counted = before + 300 * int64_t(14500000);
        QVERIFY(counted > 4294967295); // it did wrap
        QCOMPARE(number(At(Stats, 4, 21)), counted % 4294967296);
    }

    void anAlarmWhoseVariableGoesIsMadeInvalid()
    {
        set({Int(At(Stats, 21, 30), EntryCreateRequest), Id(At(Stats, 2, 30), IfIndex + ".5")});
        set({Int(At(Stats, 21, 30), EntryValid)});
        createAlarm(6, At(Stats, 4, 30), 50000000, 20000000);
        advance(10s);
        QCOMPARE(number(At(Alarm, 5, 6)), 10 * Port5Rate);
        set({Int(At(Stats, 21, 30), EntryInvalid)});
        advance(10s);
        QVERIFY(!m_store->value(O(At(Alarm, 12, 6))));
    }

    void aResetClearsBucketsAndLogAndRestartsValidEntries()
    {
        advance(300s);
        QCOMPARE(samples(1).size(), size_t(10));
        set({Int("1.3.6.1.4.1.88508.12.1.2.3.0", 2)});
        QVERIFY(samples(1).empty());
        advance(30s);
        QCOMPARE(samples(1), (range(1, 1)));
        QCOMPARE(number(History + ".5.1.1"), int64_t(30 * 2400000));
    }

private:
    void createAlarm(int index,
                     const std::string &variable,
                     int64_t rising,
                     int64_t falling,
                     int64_t sampleType = 2,
                     int64_t startup = 1)
    {
        set({Int(At(Alarm, 12, index), EntryCreateRequest),
             Int(At(Alarm, 2, index), 10),
             Id(At(Alarm, 3, index), variable),
             Int(At(Alarm, 4, index), sampleType),
             Int(At(Alarm, 6, index), startup),
             Int(At(Alarm, 7, index), rising),
             Int(At(Alarm, 8, index), falling),
             Int(At(Alarm, 9, index), 1)});
        set({Int(At(Alarm, 12, index), EntryValid)});
    }

    void advance(std::chrono::seconds by)
    {
        m_now += by;
        m_switch->update();
    }

    int64_t number(const std::string &oid) { return m_store->number(O(oid), -1); }

    // The sample indexes of a history entry's buckets, oldest first.
    std::vector<uint32_t> samples(uint32_t history)
    {
        std::vector<uint32_t> result;
        for (const Oid &row : m_store->rowIndexes(*m_store->table(O(History)))) {
            if (row[0] == history)
                result.push_back(row[1]);
        }
        return result;
    }

    static std::vector<uint32_t> range(uint32_t first, uint32_t last)
    {
        std::vector<uint32_t> result;
        for (uint32_t i = first; i <= last; ++i)
            result.push_back(i);
        return result;
    }

    int logs(uint32_t event)
    {
        int count = 0;
        for (const Oid &row : m_store->rowIndexes(*m_store->table(O(Log))))
            count += row[0] == event ? 1 : 0;
        return count;
    }

    int check(const std::vector<VarBind> &bindings)
    {
        m_switch->update();
        return m_store->check(bindings).status;
    }

    // As the agent does: up to date, checked, applied, then the switch reacts.
    void set(const std::vector<VarBind> &bindings)
    {
        m_switch->update();
        const SetResult result = m_store->check(bindings);
        QCOMPARE(result.status, int(NoError));
        m_store->apply(bindings);
        m_switch->committed(bindings);
    }

    std::chrono::steady_clock::time_point m_now;
    std::unique_ptr<Store> m_store;
    std::unique_ptr<Switch> m_switch;
};

QTEST_GUILESS_MAIN(TestRmonProbe)
#include "tst_rmonprobe.moc"
