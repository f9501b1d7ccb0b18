#include "rmon/counterrate.h"

namespace {

constexpr double CounterModulus = 4294967296.0;
constexpr double OverheadOctetsPerPacket = 20.0;
constexpr double MinimumLineOctetsPerPacket = 84.0;
// Speeds are nominal; a little more than the line rate is still a wrap.
constexpr double LineTolerance = 1.05;

} // namespace

std::optional<double>
CounterRate(quint32 before, quint32 after, double seconds, double maxPerSecond)
{
    if (seconds <= 0.0)
        return std::nullopt;
    if (after >= before)
        return static_cast<double>(after - before) / seconds;
    const double wrapped
        = CounterModulus - static_cast<double>(before) + static_cast<double>(after);
    const double rate = wrapped / seconds;
    if (rate > maxPerSecond)
        return std::nullopt;
    return rate;
}

double Utilization(double octetsPerSecond, double packetsPerSecond, double bitsPerSecond)
{
    if (bitsPerSecond <= 0.0)
        return 0.0;
    const double lineOctets = octetsPerSecond + packetsPerSecond * OverheadOctetsPerPacket;
    return lineOctets * 8.0 * 100.0 / bitsPerSecond;
}

double MaxOctetsPerSecond(double bitsPerSecond)
{
    return bitsPerSecond / 8.0 * LineTolerance;
}

double MaxPacketsPerSecond(double bitsPerSecond)
{
    return bitsPerSecond / 8.0 / MinimumLineOctetsPerPacket * LineTolerance;
}
