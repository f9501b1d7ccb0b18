#include "rmon/portstatistics.h"

#include "rmon/counterrate.h"

namespace {

bool CountsOctets(int counter)
{
    return counter == Octets;
}

} // namespace

void PortStatistics::update(
    quint32 index, int port, const EtherCounters &totals, double seconds, double bitsPerSecond)
{
    auto [it, added] = m_rows.try_emplace(index);
    StatisticsRow &row = it->second;
    if (!added && row.port == port) {
        const double elapsed = seconds - row.seconds;
        for (int c = 0; c < EtherCounterCount; ++c) {
            const double most = CountsOctets(c) ? MaxOctetsPerSecond(bitsPerSecond)
                                                : MaxPacketsPerSecond(bitsPerSecond);
            row.rates[c] = CounterRate(row.totals[c], totals[c], elapsed, most);
        }
        row.utilization.reset();
        if (row.rates[Octets] && row.rates[Packets])
            row.utilization = Utilization(*row.rates[Octets], *row.rates[Packets], bitsPerSecond);
        row.recent.push_back({seconds,
                              row.utilization,
                              row.rates[Octets],
                              row.rates[Packets],
                              ErrorRate(row.rates)});
        while (!row.recent.empty() && row.recent.front().seconds < seconds - KeptSeconds)
            row.recent.pop_front();
    } else {
        row = StatisticsRow{};
    }
    row.port = port;
    row.totals = totals;
    row.seconds = seconds;
}

void PortStatistics::keepOnly(const std::map<quint32, int> &served)
{
    std::erase_if(m_rows, [&served](const auto &entry) { return !served.contains(entry.first); });
}

std::optional<double> ErrorRate(const EtherRates &rates)
{
    double sum = 0;
    for (int c : {CrcAlign, Undersize, Oversize, Fragments, Jabbers}) {
        if (!rates[c])
            return std::nullopt;
        sum += *rates[c];
    }
    return sum;
}
