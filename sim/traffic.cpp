#include "traffic.h"

namespace sim {

namespace {

// The packet-size mix in tenths, per bucket 64, 65-127, 128-255, 256-511,
// 512-1023 and 1024-1518 octets; its mean packet is 452.8 octets.
constexpr uint64_t BucketTenths[] = {3, 2, 1, 1, 1, 2};
constexpr uint64_t MeanPacketTenthOctets = 4528;

double Seconds(std::chrono::steady_clock::duration elapsed)
{
    return std::chrono::duration<double>(elapsed).count();
}

} // namespace

void PortTraffic::setRate(uint32_t port, uint64_t octetsPerSecond, TimePoint now)
{
    Port &entry = m_ports[port];
    entry.octets = static_cast<double>(octets(port, now));
    entry.since = now;
    entry.rate = octetsPerSecond;
}

void PortTraffic::addBurst(uint32_t port, uint64_t octets)
{
    m_ports[port].octets += static_cast<double>(octets);
}

void PortTraffic::reset(TimePoint now)
{
    for (auto &[port, entry] : m_ports) {
        entry.octets = 0;
        entry.since = now;
    }
}

uint64_t PortTraffic::octets(uint32_t port, TimePoint now) const
{
    const auto it = m_ports.find(port);
    const Port &entry = it == m_ports.end() ? m_none : it->second;
    const double elapsed = now > entry.since ? Seconds(now - entry.since) : 0.0;
    return static_cast<uint64_t>(entry.octets + static_cast<double>(entry.rate) * elapsed);
}

uint64_t PortTraffic::etherStatsCounter(uint32_t column, uint32_t port, TimePoint now) const
{
    const uint64_t octetCount = octets(port, now);
    const uint64_t packets = octetCount * 10 / MeanPacketTenthOctets;
    switch (column) {
    case 4:
        return octetCount;
    case 5:
        return packets;
    case 6:
        return packets / 50;
    case 7:
        return packets / 20;
    case 8:
        return packets / 100000;
    case 11:
        return packets / 200000;
    case 14:
    case 15:
    case 16:
    case 17:
    case 18:
    case 19:
        return packets * BucketTenths[column - 14] / 10;
    default: // drop events, undersize, oversize, jabbers, collisions: full duplex, no faults
        return 0;
    }
}

} // namespace sim
