#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace sim {

// The switch's time: a steady source (the host's clock, or a test's) moved on
// by the simulator's clock control, and held at one instant while the switch
// takes samples that fell due in the past.
class SwitchClock
{
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Source = std::function<TimePoint()>;

    explicit SwitchClock(Source source)
        : m_source(std::move(source))
    {}

    TimePoint now() const { return m_held ? *m_held : live(); }
    // The present, even while held.
    TimePoint live() const { return m_source() + m_advanced; }
    void advance(std::chrono::seconds by) { m_advanced += by; }
    std::chrono::seconds advanced() const { return m_advanced; }
    void hold(TimePoint at) { m_held = at; }
    void release() { m_held.reset(); }

private:
    Source m_source;
    std::chrono::seconds m_advanced{0};
    std::optional<TimePoint> m_held;
};

} // namespace sim
