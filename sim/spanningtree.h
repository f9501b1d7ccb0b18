#pragma once

#include "store.h"

#include <cstdint>
#include <functional>

namespace sim {

// The switch's spanning tree: MST instances beyond the CIST come and go with
// their per-port rows, a VLAN belongs to at most one MST instance, priorities
// are multiples of their step, the 802.1D timers keep their relation, a
// disabled spanning tree forwards on every port, and every change of the
// topology is counted and timed.
class SpanningTree
{
public:
    using Ticks = std::function<uint32_t()>;

    SpanningTree(Store &store, Ticks ticks);

    void install();
    // Follows a SET that has been applied.
    void committed(const Oid &oid, const Value &value);

private:
    void installChecks();
    SetResult checkTimers(const std::vector<VarBind> &bindings) const;
    int checkVlanRange(const Oid &index, uint32_t column, const Value &value) const;
    void instanceCreated(uint32_t instance);
    void instanceRemoved(uint32_t instance);
    void rangeMapped(uint32_t instance, uint32_t column);
    void showPortStates();
    void topologyChanged();
    void provideTopologyTime(const Oid &instanceIndex);

    Store &m_store;
    Ticks m_ticks;
    uint32_t m_lastChange = 0;
};

} // namespace sim
