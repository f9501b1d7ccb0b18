#pragma once

#include <QtGlobal>

#include <optional>

// The change of a Counter32 between two readings, per second. A reading
// below the one before is one wrap when the wrapped change is plausible (at
// most maxPerSecond); otherwise the counter started again (a switch reset, a
// recreated row) and there is no rate for that interval: a gap. No rate
// either for an empty or negative interval.
std::optional<double>
CounterRate(quint32 before, quint32 after, double seconds, double maxPerSecond);

// The share of the line an Ethernet port used, in percent: every packet also
// takes 20 octets of preamble and inter-frame gap.
double Utilization(double octetsPerSecond, double packetsPerSecond, double bitsPerSecond);

// The most octets and packets per second a port of that speed can carry
// (a packet takes at least 84 octets on the line).
double MaxOctetsPerSecond(double bitsPerSecond);
double MaxPacketsPerSecond(double bitsPerSecond);
