#pragma once

#include <QtGlobal>

#include <array>
#include <deque>
#include <map>
#include <optional>

// The counters of an etherStatsTable row, in column order (etherStatsDropEvents
// ... etherStatsPkts1024to1518Octets).
enum EtherCounter : int {
    DropEvents,
    Octets,
    Packets,
    Broadcast,
    Multicast,
    CrcAlign,
    Undersize,
    Oversize,
    Fragments,
    Jabbers,
    Collisions,
    Pkts64,
    Pkts65to127,
    Pkts128to255,
    Pkts256to511,
    Pkts512to1023,
    Pkts1024to1518,
    EtherCounterCount
};
using EtherCounters = std::array<quint32, EtherCounterCount>;
using EtherRates = std::array<std::optional<double>, EtherCounterCount>;

// One point of a port's recent rates; a missing value is a gap.
struct RateSample
{
    double seconds = 0;
    std::optional<double> utilization;
    std::optional<double> octets;
    std::optional<double> packets;
    std::optional<double> errors;
};

struct StatisticsRow
{
    int port = 0;
    EtherCounters totals{};
    EtherRates rates{};
    std::optional<double> utilization;
    double seconds = 0;
    std::deque<RateSample> recent;
};

// The statistics rows of the switch as read poll by poll: the totals, the
// rates per second since the poll before and the rates of the last minutes.
class PortStatistics
{
public:
    static constexpr double KeptSeconds = 600;

    // Takes the row's reading at that moment (seconds on a steady clock) from
    // a port of that speed; the first reading of a row has no rates yet.
    void update(
        quint32 index, int port, const EtherCounters &totals, double seconds, double bitsPerSecond);
    // Rows no longer served.
    void keepOnly(const std::map<quint32, int> &served);

    const std::map<quint32, StatisticsRow> &rows() const { return m_rows; }

private:
    std::map<quint32, StatisticsRow> m_rows;
};

// The errors a port counted: CRC/alignment, undersize, oversize, fragments, jabbers.
std::optional<double> ErrorRate(const EtherRates &rates);
