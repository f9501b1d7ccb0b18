#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace sim {

// "2026/01/31 23:59:58" (UTC of the given moment).
std::string ClockText(std::time_t when);
// "3 days 04:05:06".
std::string DurationText(uint32_t seconds);

} // namespace sim
