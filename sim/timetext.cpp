#include "timetext.h"

#include <array>
#include <cstdio>

namespace sim {

std::string ClockText(std::time_t when)
{
    std::tm parts{};
    gmtime_r(&when, &parts);
    std::array<char, 32> text{};
    std::strftime(text.data(), text.size(), "%Y/%m/%d %H:%M:%S", &parts);
    return text.data();
}

std::string DurationText(uint32_t seconds)
{
    std::array<char, 48> text{};
    std::snprintf(text.data(),
                  text.size(),
                  "%u days %02u:%02u:%02u",
                  seconds / 86400,
                  seconds / 3600 % 24,
                  seconds / 60 % 60,
                  seconds % 60);
    return text.data();
}

} // namespace sim
