#pragma once

#include "store.h"

#include <cstdint>
#include <functional>

namespace sim {

// IGMP snooping: every static VLAN has its snooping control and query rows,
// made and removed with the VLAN, and the query counters go up as the
// switch sends and sees queries.
class IgmpSnooping
{
public:
    using Ticks = std::function<uint32_t()>;

    IgmpSnooping(Store &store, Ticks ticks);

    void install();
    // Follows a SET that has been applied.
    void committed(const Oid &oid, const Value &value);

private:
    void countQueries(const Oid &vlan);

    Store &m_store;
    Ticks m_ticks;
};

} // namespace sim
