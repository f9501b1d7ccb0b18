#include "rmon.h"

#include <algorithm>
#include <limits>

namespace sim {

namespace {

using namespace std::chrono_literals;

const Oid IfIndex = "1.3.6.1.2.1.2.2.1.1"_oid;
const Oid IfType = "1.3.6.1.2.1.2.2.1.3"_oid;
const Oid IfSpeed = "1.3.6.1.2.1.2.2.1.5"_oid;
const Oid EtherStatsEntry = "1.3.6.1.2.1.16.1.1.1"_oid;
const Oid HistoryControlEntry = "1.3.6.1.2.1.16.2.1.1"_oid;
const Oid EtherHistoryEntry = "1.3.6.1.2.1.16.2.2.1"_oid;
const Oid AlarmEntry = "1.3.6.1.2.1.16.3.1.1"_oid;
const Oid EventEntry = "1.3.6.1.2.1.16.9.1.1"_oid;
const Oid LogEntry = "1.3.6.1.2.1.16.9.2.1"_oid;

constexpr int64_t EthernetCsmacd = 6;
constexpr uint32_t FirstCounter = 3; // etherStatsDropEvents
constexpr uint32_t LastCounter = 19; // etherStatsPkts1024to1518Octets
constexpr uint32_t StatsDataSource = 2;
constexpr uint32_t StatsStatus = 21;
enum HistoryControl : uint32_t {
    HistoryDataSource = 2,
    BucketsRequested = 3,
    BucketsGranted = 4,
    HistoryInterval = 5,
    HistoryStatus = 7
};
// etherHistory columns 4 (drop events) to 14 (collisions) are the etherStats
// columns 3 to 13 over one interval.
constexpr uint32_t FirstHistoryCounter = 4;
constexpr uint32_t LastHistoryCounter = 14;
constexpr uint32_t HistoryUtilization = 15;
enum AlarmColumn : uint32_t {
    AlarmInterval = 2,
    AlarmVariable = 3,
    AlarmSampleType = 4,
    AlarmValue = 5,
    AlarmStartup = 6,
    AlarmRising = 7,
    AlarmFalling = 8,
    AlarmRisingEvent = 9,
    AlarmFallingEvent = 10,
    AlarmStatus = 12
};
enum EventColumn : uint32_t {
    EventDescription = 2,
    EventType = 3,
    EventLastTimeSent = 5,
    EventStatus = 7
};
constexpr int64_t DeltaValue = 2;
constexpr int64_t StartupRising = 1;
constexpr int64_t StartupFalling = 2;
constexpr int64_t EventLog = 2;
constexpr int64_t EventLogAndTrap = 4;

constexpr int64_t MaxBucketsGranted = 50;
constexpr uint32_t LogsPerEvent = 100;
constexpr uint32_t MaxSampleIndex = 2147483647;
constexpr auto UnderCreationLifetime = 600s;

// The (single) index of a control-table instance: entry.column.index.
bool InstanceOf(const Oid &oid, const Oid &entry, uint32_t &column, uint32_t &index)
{
    if (!oid.startsWith(entry) || oid.size() != entry.size() + 2)
        return false;
    column = oid[entry.size()];
    index = oid[entry.size() + 1];
    return true;
}

int64_t ClampToInteger32(int64_t v)
{
    return std::clamp<int64_t>(
        v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
}

// The change of a sampled variable since the last sample; counters wrap.
int64_t Delta(Type type, int64_t value, int64_t last)
{
    if (type == Type::Counter32)
        return static_cast<int64_t>((static_cast<uint64_t>(value) - static_cast<uint64_t>(last))
                                    & 0xFFFFFFFFu);
    if (type == Type::Counter64)
        return static_cast<int64_t>(
            std::min<uint64_t>(static_cast<uint64_t>(value) - static_cast<uint64_t>(last),
                               static_cast<uint64_t>(std::numeric_limits<int64_t>::max())));
    return value - last;
}

std::chrono::seconds Seconds(int64_t count)
{
    return std::chrono::seconds(count);
}

// The port a data source names (ifIndex.N of an Ethernet port), or 0.
uint32_t PortOfDataSource(const Store &store, const std::optional<Value> &source)
{
    if (!source || source->type() != Type::ObjectId || !source->oid().startsWith(IfIndex)
        || source->oid().size() != IfIndex.size() + 1)
        return 0;
    const uint32_t port = source->oid().ids().back();
    return store.number(IfType + Oid{port}) == EthernetCsmacd ? port : 0;
}

} // namespace

Rmon::Rmon(Store &store, const PortTraffic &traffic, SwitchClock &clock, Ticks ticks)
    : m_store(store)
    , m_traffic(traffic)
    , m_clock(clock)
    , m_ticks(std::move(ticks))
{}

void Rmon::install()
{
    installChecks();
    if (const TableDef *stats = m_store.table(EtherStatsEntry)) {
        for (const Oid &index : m_store.rowIndexes(*stats))
            installCounters(index[0]);
    }
    reset();
}

// Setting an entry valid needs a sound configuration: a data source that is an
// Ethernet port; an alarm variable of integer value and thresholds in order.
void Rmon::installChecks()
{
    const auto sourceCheck = [this](const Oid &entry, uint32_t statusColumn, uint32_t source) {
        const Oid status = entry + Oid{statusColumn};
        m_store.setRowCheck(
            status,
            [this, entry, status, source](
                const Oid &index, const Value &value, const Store::SetView &after) {
                if (value.number() != EntryValid || m_store.number(status + index) == EntryValid)
                    return int(NoError);
                return PortOfDataSource(m_store, after(entry + Oid{source} + index)) != 0
                           ? int(NoError)
                           : int(InconsistentValue);
            });
    };
    sourceCheck(EtherStatsEntry, StatsStatus, StatsDataSource);
    sourceCheck(HistoryControlEntry, HistoryStatus, HistoryDataSource);
    const Oid alarmStatus = AlarmEntry + Oid{AlarmStatus};
    m_store.setRowCheck(
        alarmStatus,
        [this, alarmStatus](const Oid &index, const Value &value, const Store::SetView &after) {
            if (value.number() != EntryValid || m_store.number(alarmStatus + index) == EntryValid)
                return int(NoError);
            const auto variable = after(AlarmEntry + Oid{AlarmVariable} + index);
            const auto sampled = variable && variable->type() == Type::ObjectId
                                     ? m_store.value(variable->oid())
                                     : std::nullopt;
            if (!sampled || !IsNumeric(sampled->type()))
                return int(BadValue);
            const auto rising = after(AlarmEntry + Oid{AlarmRising} + index);
            const auto falling = after(AlarmEntry + Oid{AlarmFalling} + index);
            return rising && falling && falling->number() > rising->number()
                       ? int(InconsistentValue)
                       : int(NoError);
        });
}

// Each counter counts the traffic of its data source since the row became
// valid; a row not valid counts nothing. They are 32-bit counters and wrap.
void Rmon::installCounters(uint32_t index)
{
    for (uint32_t col = FirstCounter; col <= LastCounter; ++col) {
        m_store.setProvider(EtherStatsEntry + Oid{col, index}, [this, col, index] {
            const auto base = m_statsBase.find(index);
            if (base == m_statsBase.end())
                return Value::unsignedOf(Type::Counter32, 0);
            const uint64_t now
                = countsAt(portOf(EtherStatsEntry, StatsDataSource, index), m_clock.now())[col];
            return Value::unsignedOf(Type::Counter32, (now - base->second[col]) & 0xFFFFFFFFu);
        });
    }
}

void Rmon::reset()
{
    for (const Oid &entry : {EtherHistoryEntry, LogEntry}) {
        if (const TableDef *table = m_store.table(entry)) {
            for (const Oid &index : m_store.rowIndexes(*table))
                m_store.eraseRow(*table, index);
        }
    }
    m_statsBase.clear();
    m_histories.clear();
    m_alarms.clear();
    m_lastLog.clear();
    m_creating.clear();
    for (const Oid &entry : {EtherStatsEntry, HistoryControlEntry, AlarmEntry, EventEntry}) {
        const TableDef *table = m_store.table(entry);
        if (!table)
            continue;
        for (const Oid &index : m_store.rowIndexes(*table)) {
            if (m_store.number(entry + Oid{table->controlColumn} + index) == EntryValid)
                activate(entry, index[0]);
            else
                m_store.eraseRow(*table, index);
        }
    }
}

void Rmon::committed(const Oid &oid, const Value &value)
{
    uint32_t col = 0;
    uint32_t index = 0;
    for (const Oid &entry : {EtherStatsEntry, HistoryControlEntry, AlarmEntry, EventEntry}) {
        if (!InstanceOf(oid, entry, col, index))
            continue;
        const TableDef *table = m_store.table(entry);
        if (table && col == table->controlColumn)
            committedStatus(entry, index, value.number());
        else if (entry == HistoryControlEntry && col == BucketsRequested)
            grantBuckets(index);
    }
}

void Rmon::committedStatus(const Oid &entry, uint32_t index, int64_t status)
{
    if (status == EntryCreateRequest)
        created(entry, index);
    else if (status == EntryInvalid)
        removed(entry, index);
    else if (status == EntryValid && m_creating.erase({entry, index}) != 0)
        activate(entry, index);
}

void Rmon::created(const Oid &entry, uint32_t index)
{
    m_store.put(entry + Oid{1, index}, Value::integer(index));
    m_creating[{entry, index}] = m_clock.now();
    if (entry == EtherStatsEntry)
        installCounters(index);
    else if (entry == HistoryControlEntry)
        grantBuckets(index);
}

void Rmon::activate(const Oid &entry, uint32_t index)
{
    const TimePoint now = m_clock.now();
    if (entry == EtherStatsEntry) {
        m_statsBase[index] = countsAt(portOf(entry, StatsDataSource, index), now);
    } else if (entry == HistoryControlEntry) {
        m_histories[index] = {now, 1, countsAt(portOf(entry, HistoryDataSource, index), now)};
    } else if (entry == AlarmEntry) {
        Alarm alarm;
        alarm.next = now + Seconds(column(entry, AlarmInterval, index));
        const auto value = m_store.value(variableOf(index));
        alarm.lastValue = value ? value->number() : 0;
        m_alarms[index] = alarm;
    }
}

// An entry made invalid is gone, and with it what it collected.
void Rmon::removed(const Oid &entry, uint32_t index)
{
    m_creating.erase({entry, index});
    Oid collected;
    if (entry == EtherStatsEntry) {
        m_statsBase.erase(index);
    } else if (entry == HistoryControlEntry) {
        m_histories.erase(index);
        collected = EtherHistoryEntry;
    } else if (entry == AlarmEntry) {
        m_alarms.erase(index);
    } else if (entry == EventEntry) {
        m_lastLog.erase(index);
        collected = LogEntry;
    }
    const TableDef *table = collected.empty() ? nullptr : m_store.table(collected);
    if (!table)
        return;
    for (const Oid &row : m_store.rowIndexes(*table)) {
        if (row[0] == index)
            m_store.eraseRow(*table, row);
    }
}

void Rmon::update()
{
    const TimePoint until = m_clock.live();
    forgetRemoved();
    skipPastBuckets(until);
    for (Due due = nextDue(until); due.work != Work::None; due = nextDue(until)) {
        m_clock.hold(due.at);
        if (due.work == Work::Bucket)
            closeBucket(due.index);
        else if (due.work == Work::Sample)
            sampleAlarm(due.index);
        else
            ageOut(due.entry, due.index);
    }
    m_clock.release();
}

// Timed entries a SET has just removed stop working before their removal is
// reported, so that nothing samples a row that is no longer there.
void Rmon::forgetRemoved()
{
    std::vector<std::pair<Oid, uint32_t>> gone;
    const auto collect
        = [this, &gone](const Oid &entry, uint32_t statusColumn, const auto &states) {
              for (const auto &state : states) {
                  if (column(entry, statusColumn, state.first) != EntryValid)
                      gone.emplace_back(entry, state.first);
              }
          };
    collect(HistoryControlEntry, HistoryStatus, m_histories);
    collect(AlarmEntry, AlarmStatus, m_alarms);
    for (const auto &[entry, index] : gone)
        removed(entry, index);
}

// Buckets that would be dropped again before the present are not filled: a
// history idle for a long time starts with its oldest bucket still kept.
void Rmon::skipPastBuckets(TimePoint until)
{
    for (auto &[index, history] : m_histories) {
        const auto interval = Seconds(column(HistoryControlEntry, HistoryInterval, index));
        const int64_t granted = column(HistoryControlEntry, BucketsGranted, index);
        const int64_t pending = (until - history.start) / interval;
        if (pending <= granted)
            continue;
        const int64_t skipped = pending - granted;
        history.start += skipped * interval;
        history.nextSample
            = static_cast<uint32_t>((history.nextSample - 1 + skipped) % MaxSampleIndex + 1);
        history.atStart
            = countsAt(portOf(HistoryControlEntry, HistoryDataSource, index), history.start);
    }
}

Rmon::Due Rmon::nextDue(TimePoint until) const
{
    Due due{until, Work::None, {}, 0};
    const auto consider = [&due](TimePoint at, Work work, const Oid &entry, uint32_t index) {
        if (at <= due.at && (due.work == Work::None || at < due.at))
            due = {at, work, entry, index};
    };
    for (const auto &[index, history] : m_histories)
        consider(history.start + Seconds(column(HistoryControlEntry, HistoryInterval, index)),
                 Work::Bucket,
                 {},
                 index);
    for (const auto &[index, alarm] : m_alarms)
        consider(alarm.next, Work::Sample, {}, index);
    for (const auto &[row, since] : m_creating)
        consider(since + UnderCreationLifetime, Work::Age, row.first, row.second);
    return due;
}

// A bucket holds the traffic of its interval; the utilisation counts each
// packet's preamble and gap (20 octets) against the port's speed.
void Rmon::closeBucket(uint32_t index)
{
    History &history = m_histories.at(index);
    const int64_t interval = column(HistoryControlEntry, HistoryInterval, index);
    const uint32_t port = portOf(HistoryControlEntry, HistoryDataSource, index);
    const TimePoint end = history.start + Seconds(interval);
    const Counts counts = countsAt(port, end);
    const Oid row{index, history.nextSample};
    const auto put = [this, &row](uint32_t col, Value value) {
        m_store.put(EtherHistoryEntry + Oid{col} + row, std::move(value));
    };
    put(1, Value::integer(index));
    put(2, Value::integer(history.nextSample));
    put(3, Value::unsignedOf(Type::TimeTicks, m_ticks(history.start)));
    for (uint32_t col = FirstHistoryCounter; col <= LastHistoryCounter; ++col)
        put(col,
            Value::unsignedOf(Type::Gauge32,
                              (counts[col - 1] - history.atStart[col - 1]) & 0xFFFFFFFFu));
    const double octets = static_cast<double>(counts[4] - history.atStart[4]);
    const double packets = static_cast<double>(counts[5] - history.atStart[5]);
    const double speed = static_cast<double>(m_store.number(IfSpeed + Oid{port}));
    const double hundredths
        = speed > 0 ? (octets + packets * 20) * 8 * 10000 / (speed * static_cast<double>(interval))
                    : 0;
    put(HistoryUtilization, Value::integer(static_cast<int64_t>(std::min(hundredths, 10000.0))));
    history.start = end;
    history.atStart = counts;
    history.nextSample = history.nextSample % MaxSampleIndex + 1;
    trimBuckets(index);
}

void Rmon::grantBuckets(uint32_t index)
{
    const int64_t requested = column(HistoryControlEntry, BucketsRequested, index);
    m_store.put(HistoryControlEntry + Oid{BucketsGranted, index},
                Value::integer(std::min(requested, MaxBucketsGranted)));
    trimBuckets(index);
}

// Past the buckets granted, the oldest go.
void Rmon::trimBuckets(uint32_t index)
{
    const TableDef *table = m_store.table(EtherHistoryEntry);
    const auto history = m_histories.find(index);
    if (!table || history == m_histories.end())
        return;
    const int64_t granted = column(HistoryControlEntry, BucketsGranted, index);
    const int64_t newest = history->second.nextSample - 1;
    for (const Oid &row : m_store.rowIndexes(*table)) {
        const int64_t age
            = (newest - static_cast<int64_t>(row[1]) + MaxSampleIndex) % MaxSampleIndex;
        if (row[0] == index && age >= granted)
            m_store.eraseRow(*table, row);
    }
}

// An alarm whose variable has gone is made invalid, as a probe does.
void Rmon::sampleAlarm(uint32_t index)
{
    Alarm &alarm = m_alarms.at(index);
    const auto value = m_store.value(variableOf(index));
    if (!value || !IsNumeric(value->type())) {
        m_store.eraseRow(*m_store.table(AlarmEntry), Oid{index});
        m_alarms.erase(index);
        return;
    }
    const bool delta = column(AlarmEntry, AlarmSampleType, index) == DeltaValue;
    const int64_t sample = ClampToInteger32(
        delta ? Delta(value->type(), value->number(), alarm.lastValue) : value->number());
    alarm.lastValue = value->number();
    m_store.put(AlarmEntry + Oid{AlarmValue, index}, Value::integer(sample));
    alarm.next += Seconds(column(AlarmEntry, AlarmInterval, index));
    crossings(index, alarm, sample);
}

// One event per crossing: after a rising event the next one waits until the
// sample has come down to the falling threshold, and the other way round. The
// first sample fires when it is already past a threshold the startup alarm names.
void Rmon::crossings(uint32_t index, Alarm &alarm, int64_t sample)
{
    const int64_t rising = column(AlarmEntry, AlarmRising, index);
    const int64_t falling = column(AlarmEntry, AlarmFalling, index);
    const int64_t startup = column(AlarmEntry, AlarmStartup, index);
    const bool crossedUp = alarm.first ? startup != StartupFalling : alarm.lastSample < rising;
    const bool crossedDown = alarm.first ? startup != StartupRising : alarm.lastSample > falling;
    const std::string what = "alarm " + std::to_string(index) + " on "
                             + variableOf(index).toString() + ": " + std::to_string(sample);
    if (sample >= rising && crossedUp && alarm.last != Crossed::Rising) {
        alarm.last = Crossed::Rising;
        fire(static_cast<uint32_t>(column(AlarmEntry, AlarmRisingEvent, index)),
             "rising " + what + " >= " + std::to_string(rising));
    } else if (sample <= falling && crossedDown && alarm.last != Crossed::Falling) {
        alarm.last = Crossed::Falling;
        fire(static_cast<uint32_t>(column(AlarmEntry, AlarmFallingEvent, index)),
             "falling " + what + " <= " + std::to_string(falling));
    }
    alarm.first = false;
    alarm.lastSample = sample;
}

// A valid event notes the time it was sent; of type log or log-and-trap it
// adds a log row, keeping the last ones.
void Rmon::fire(uint32_t eventIndex, const std::string &what)
{
    if (eventIndex == 0 || column(EventEntry, EventStatus, eventIndex) != EntryValid)
        return;
    const uint32_t now = m_ticks(m_clock.now());
    m_store.put(EventEntry + Oid{EventLastTimeSent, eventIndex},
                Value::unsignedOf(Type::TimeTicks, now));
    const int64_t type = column(EventEntry, EventType, eventIndex);
    if (type != EventLog && type != EventLogAndTrap)
        return;
    const uint32_t logIndex = ++m_lastLog[eventIndex];
    const Oid row{eventIndex, logIndex};
    const auto description = m_store.value(EventEntry + Oid{EventDescription, eventIndex});
    std::string text = (description ? description->bytes() + ": " : std::string()) + what;
    text.resize(std::min<size_t>(text.size(), 255));
    m_store.put(LogEntry + Oid{1} + row, Value::integer(eventIndex));
    m_store.put(LogEntry + Oid{2} + row, Value::integer(logIndex));
    m_store.put(LogEntry + Oid{3} + row, Value::unsignedOf(Type::TimeTicks, now));
    m_store.put(LogEntry + Oid{4} + row, Value::octets(text));
    if (logIndex > LogsPerEvent)
        m_store.eraseRow(*m_store.table(LogEntry), Oid{eventIndex, logIndex - LogsPerEvent});
}

// An entry left under creation is removed after a while, as its creator is
// taken to have gone.
void Rmon::ageOut(const Oid &entry, uint32_t index)
{
    m_creating.erase({entry, index});
    if (const TableDef *table = m_store.table(entry))
        m_store.eraseRow(*table, Oid{index});
}

uint32_t Rmon::portOf(const Oid &entry, uint32_t dataSourceColumn, uint32_t index) const
{
    return PortOfDataSource(m_store, m_store.value(entry + Oid{dataSourceColumn, index}));
}

Rmon::Counts Rmon::countsAt(uint32_t port, TimePoint at) const
{
    Counts counts{};
    for (uint32_t col = FirstCounter; col <= LastCounter; ++col)
        counts[col] = port != 0 ? m_traffic.etherStatsCounter(col, port, at) : 0;
    return counts;
}

Oid Rmon::variableOf(uint32_t alarmIndex) const
{
    const auto variable = m_store.value(AlarmEntry + Oid{AlarmVariable, alarmIndex});
    return variable && variable->type() == Type::ObjectId ? variable->oid() : Oid{};
}

int64_t Rmon::column(const Oid &entry, uint32_t col, uint32_t index) const
{
    return m_store.number(entry + Oid{col, index});
}

} // namespace sim
