#include "igmp.h"

#include <algorithm>

namespace sim {

namespace {

const Oid VlanStatus = "1.3.6.1.2.1.17.7.1.4.3.1.5"_oid;
const Oid ControlEntry = "1.3.6.1.4.1.88508.11.68.1.2.11.3.1"_oid;
const Oid QueryEntry = "1.3.6.1.4.1.88508.11.68.1.2.11.4.1"_oid;

constexpr uint32_t QueryIntervalColumn = 2;
constexpr uint32_t QueryCountColumn = 2;
constexpr uint32_t TxQueryCountColumn = 3;
constexpr uint32_t TicksPerSecond = 100;
// Another querier on the VLAN sends one query for every four of the switch's.
constexpr uint32_t QueriesSeenEvery = 4;

} // namespace

IgmpSnooping::IgmpSnooping(Store &store, Ticks ticks)
    : m_store(store)
    , m_ticks(std::move(ticks))
{}

void IgmpSnooping::install()
{
    const TableDef *queries = m_store.table(QueryEntry);
    if (!queries)
        return;
    for (const Oid &vlan : m_store.rowIndexes(*queries))
        countQueries(vlan);
}

void IgmpSnooping::committed(const Oid &oid, const Value &value)
{
    if (!oid.startsWith(VlanStatus) || oid.size() != VlanStatus.size() + 1)
        return;
    const TableDef *control = m_store.table(ControlEntry);
    const TableDef *queries = m_store.table(QueryEntry);
    if (!control || !queries)
        return;
    const Oid vlan = oid.tail(VlanStatus.size());
    if (value.number() == RowCreateAndGo || value.number() == RowCreateAndWait) {
        m_store.createRow(*control, vlan);
        m_store.createRow(*queries, vlan);
        countQueries(vlan);
    } else if (value.number() == RowDestroy) {
        m_store.eraseRow(*control, vlan);
        m_store.eraseRow(*queries, vlan);
    }
}

// One query sent every query interval since start, on top of the stored counts.
void IgmpSnooping::countQueries(const Oid &vlan)
{
    const auto sent = [this, vlan] {
        const int64_t interval
            = m_store.number(ControlEntry + Oid{QueryIntervalColumn} + vlan, 125);
        return static_cast<int64_t>(m_ticks() / TicksPerSecond) / std::max<int64_t>(interval, 1);
    };
    const int64_t seenBase = m_store.number(QueryEntry + Oid{QueryCountColumn} + vlan);
    const int64_t sentBase = m_store.number(QueryEntry + Oid{TxQueryCountColumn} + vlan);
    m_store.setProvider(QueryEntry + Oid{QueryCountColumn} + vlan, [sent, seenBase] {
        return Value::integer(seenBase + sent() / QueriesSeenEvery);
    });
    m_store.setProvider(QueryEntry + Oid{TxQueryCountColumn} + vlan,
                        [sent, sentBase] { return Value::integer(sentBase + sent()); });
}

} // namespace sim
