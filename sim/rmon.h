#pragma once

#include "clock.h"
#include "store.h"
#include "traffic.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace sim {

// The RMON probe of the switch (RMON-MIB groups 1, 2, 3 and 9): etherStats
// counters of the port traffic, history buckets taken every interval, alarms
// sampled on their interval with rising and falling events, and the event log.
// Work that fell due is done when the switch next looks (update), at the
// instants it fell due, so driven time and the host's time give the same books.
class Rmon
{
public:
    using TimePoint = SwitchClock::TimePoint;
    // sysUpTime in hundredths of a second at an instant.
    using Ticks = std::function<uint32_t(TimePoint)>;

    Rmon(Store &store, const PortTraffic &traffic, SwitchClock &clock, Ticks ticks);

    // Installs the activation checks and puts the valid entries of the data to work.
    void install();
    // Takes every history bucket and alarm sample due up to now, and ages out
    // entries left under creation.
    void update();
    // Reacts to a SET that has been applied.
    void committed(const Oid &oid, const Value &value);
    // After a switch reset: buckets and log are gone, valid entries start again.
    void reset();

    // The etherStats counter columns 3 to 19 of a port at an instant, unwrapped.
    using Counts = std::array<uint64_t, 20>;

private:
    struct History
    {
        TimePoint start;         // of the bucket being filled
        uint32_t nextSample = 1; // its sample index
        Counts atStart{};
    };
    enum class Crossed { None, Rising, Falling };
    struct Alarm
    {
        TimePoint next;
        int64_t lastValue = 0; // the variable at the last sample, for delta sampling
        int64_t lastSample = 0;
        bool first = true;
        Crossed last = Crossed::None;
    };
    enum class Work { None, Bucket, Sample, Age };
    struct Due
    {
        TimePoint at;
        Work work = Work::None;
        Oid entry; // Age: the table's entry
        uint32_t index = 0;
    };

    void installChecks();
    void installCounters(uint32_t index);
    void committedStatus(const Oid &entry, uint32_t index, int64_t status);
    void created(const Oid &entry, uint32_t index);
    void activate(const Oid &entry, uint32_t index);
    void removed(const Oid &entry, uint32_t index);
    void forgetRemoved();
    void skipPastBuckets(TimePoint until);
    Due nextDue(TimePoint until) const;
    void closeBucket(uint32_t index);
    void grantBuckets(uint32_t index);
    void trimBuckets(uint32_t index);
    void sampleAlarm(uint32_t index);
    void crossings(uint32_t index, Alarm &alarm, int64_t sample);
    void fire(uint32_t eventIndex, const std::string &what);
    void ageOut(const Oid &entry, uint32_t index);
    uint32_t portOf(const Oid &entry, uint32_t dataSourceColumn, uint32_t index) const;
    Counts countsAt(uint32_t port, TimePoint at) const;
    Oid variableOf(uint32_t alarmIndex) const;
    int64_t column(const Oid &entry, uint32_t column, uint32_t index) const;

    Store &m_store;
    const PortTraffic &m_traffic;
    SwitchClock &m_clock;
    Ticks m_ticks;
    std::map<uint32_t, Counts> m_statsBase; // valid etherStats rows: counts at activation
    std::map<uint32_t, History> m_histories;
    std::map<uint32_t, Alarm> m_alarms;
    std::map<uint32_t, uint32_t> m_lastLog; // per event
    std::map<std::pair<Oid, uint32_t>, TimePoint> m_creating;
};

} // namespace sim
