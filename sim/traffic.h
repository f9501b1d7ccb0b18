#pragma once

#include <chrono>
#include <cstdint>
#include <map>

namespace sim {

// The traffic each port carries: a steady rate in octets per second plus the
// bursts added on top, and the RMON statistics counters that traffic makes
// (a fixed mix of packet sizes, a few broadcasts and multicasts, rare errors).
class PortTraffic
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    void setRate(uint32_t port, uint64_t octetsPerSecond, TimePoint now);
    void addBurst(uint32_t port, uint64_t octets);
    // Every count starts again from 0, as after a switch reset.
    void reset(TimePoint now);

    uint64_t octets(uint32_t port, TimePoint now) const;
    // The etherStatsTable counter of that column (3 DropEvents ... 19
    // Pkts1024to1518Octets), not yet wrapped to 32 bits.
    uint64_t etherStatsCounter(uint32_t column, uint32_t port, TimePoint now) const;

private:
    struct Port
    {
        uint64_t rate = 0;
        double octets = 0; // counted up to `since`
        TimePoint since;
    };

    Port m_none;
    std::map<uint32_t, Port> m_ports;
};

} // namespace sim
