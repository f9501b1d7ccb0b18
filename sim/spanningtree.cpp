#include "spanningtree.h"

#include <algorithm>
#include <array>

namespace sim {

namespace {

const Oid StpAdminState = "1.3.6.1.4.1.88508.12.15.1.1.0"_oid;
const Oid StpMaxAge = "1.3.6.1.4.1.88508.12.15.1.3.0"_oid;
const Oid StpHelloTime = "1.3.6.1.4.1.88508.12.15.1.4.0"_oid;
const Oid StpForwardDelay = "1.3.6.1.4.1.88508.12.15.1.5.0"_oid;
const Oid InstanceEntry = "1.3.6.1.4.1.88508.12.15.2.3.1"_oid;
const Oid MstPortEntry = "1.3.6.1.4.1.88508.12.15.2.5.1"_oid;
const Oid IfOperStatus = "1.3.6.1.2.1.2.2.1.8"_oid;

constexpr uint32_t PortCount = 24;
constexpr uint32_t FirstRangeColumn = 2;
constexpr uint32_t LastRangeColumn = 9;
constexpr uint32_t PriorityColumn = 12;
constexpr uint32_t TopologyTimeColumn = 21;
constexpr uint32_t TopologyCountColumn = 22;
constexpr uint32_t RowStatusColumn = 24;
constexpr uint32_t PortPriorityColumn = 5;
constexpr uint32_t PortStatusColumn = 6;
constexpr uint32_t PortRoleColumn = 7;
constexpr int64_t BridgePriorityStep = 4096;
constexpr int64_t PortPriorityStep = 16;
constexpr int64_t StpDisabled = 2;
constexpr int64_t Forwarding = 5;
constexpr int64_t PortDisabled = 2;
constexpr int64_t DesignatedRole = 4;
constexpr int64_t DisabledRole = 0;
constexpr int64_t NonStpRole = 6;
// The timers are in hundredths of a second.
constexpr int64_t OneSecond = 100;

int StepCheck(const Value &value, int64_t step)
{
    return value.number() % step == 0 ? NoError : WrongValue;
}

Bytes Without(Bytes bits, const Bytes &taken)
{
    for (size_t i = 0; i < bits.size() && i < taken.size(); ++i)
        bits[i] = static_cast<char>(bits[i] & ~taken[i]);
    return bits;
}

bool Overlap(const Bytes &a, const Bytes &b)
{
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] & b[i])
            return true;
    }
    return false;
}

} // namespace

SpanningTree::SpanningTree(Store &store, Ticks ticks)
    : m_store(store)
    , m_ticks(std::move(ticks))
{}

void SpanningTree::install()
{
    if (!m_store.table(InstanceEntry))
        return;
    installChecks();
    for (const Oid &index : m_store.rowIndexes(*m_store.table(InstanceEntry)))
        provideTopologyTime(index);
}

void SpanningTree::installChecks()
{
    m_store.setCheck(InstanceEntry + Oid{PriorityColumn}, [](const Oid &, const Value &value) {
        return StepCheck(value, BridgePriorityStep);
    });
    m_store.setCheck(MstPortEntry + Oid{PortPriorityColumn}, [](const Oid &, const Value &value) {
        return StepCheck(value, PortPriorityStep);
    });
    // The CIST is always there.
    m_store.setCheck(
        InstanceEntry + Oid{RowStatusColumn}, [](const Oid &index, const Value &value) {
            return index == Oid{0} && value.number() == RowDestroy ? InconsistentValue : NoError;
        });
    for (uint32_t column = FirstRangeColumn; column <= LastRangeColumn; ++column) {
        m_store.setCheck(InstanceEntry + Oid{column},
                         [this, column](const Oid &index, const Value &value) {
                             return checkVlanRange(index, column, value);
                         });
    }
    m_store.addRequestCheck(
        [this](const std::vector<VarBind> &bindings) { return checkTimers(bindings); });
}

// A VLAN of an MST instance is in no other MST instance.
int SpanningTree::checkVlanRange(const Oid &index, uint32_t column, const Value &value) const
{
    if (index == Oid{0})
        return NoError;
    for (const Oid &other : m_store.rowIndexes(*m_store.table(InstanceEntry))) {
        if (other == index || other == Oid{0})
            continue;
        const auto bits = m_store.value(InstanceEntry + Oid{column} + other);
        if (bits && Overlap(bits->bytes(), value.bytes()))
            return InconsistentValue;
    }
    return NoError;
}

// 2 x (Forward Delay - 1 s) >= Max Age >= 2 x (Hello Time + 1 s), with the
// values this SET brings in place of those the switch has.
SetResult SpanningTree::checkTimers(const std::vector<VarBind> &bindings) const
{
    std::array<int64_t, 3> timers{
        m_store.number(StpMaxAge), m_store.number(StpHelloTime), m_store.number(StpForwardDelay)};
    const std::array<Oid, 3> oids{StpMaxAge, StpHelloTime, StpForwardDelay};
    size_t first = bindings.size();
    for (size_t i = 0; i < bindings.size(); ++i) {
        for (size_t t = 0; t < oids.size(); ++t) {
            if (bindings[i].oid != oids[t])
                continue;
            timers[t] = bindings[i].value.number();
            first = std::min(first, i);
        }
    }
    if (first == bindings.size())
        return {};
    const auto [maxAge, hello, forwardDelay] = timers;
    if (2 * (forwardDelay - OneSecond) >= maxAge && maxAge >= 2 * (hello + OneSecond))
        return {};
    return {InconsistentValue, first};
}

void SpanningTree::committed(const Oid &oid, const Value &value)
{
    if (oid == StpAdminState) {
        showPortStates();
        topologyChanged();
        return;
    }
    if (!oid.startsWith(InstanceEntry) || oid.size() != InstanceEntry.size() + 2)
        return;
    const uint32_t column = oid[InstanceEntry.size()];
    const uint32_t instance = oid.ids().back();
    if (column == RowStatusColumn && value.number() == RowCreateAndGo)
        instanceCreated(instance);
    else if (column == RowStatusColumn && value.number() == RowDestroy)
        instanceRemoved(instance);
    else if (column >= FirstRangeColumn && column <= LastRangeColumn && instance != 0)
        rangeMapped(instance, column);
}

// A new instance has every port, with the CIST's port values to start from.
void SpanningTree::instanceCreated(uint32_t instance)
{
    const TableDef *ports = m_store.table(MstPortEntry);
    if (!ports)
        return;
    for (uint32_t port = 1; port <= PortCount; ++port) {
        for (const ObjectDef *def : ports->columns) {
            if (def->access == Access::NotAccessible)
                continue;
            if (const auto cist = m_store.value(def->oid + Oid{port, 0}))
                m_store.put(def->oid + Oid{port, instance}, *cist);
        }
    }
    for (uint32_t column = FirstRangeColumn; column <= LastRangeColumn; ++column)
        rangeMapped(instance, column);
    provideTopologyTime(Oid{instance});
    showPortStates();
    topologyChanged();
}

// The instance's ports go with it.
void SpanningTree::instanceRemoved(uint32_t instance)
{
    if (const TableDef *ports = m_store.table(MstPortEntry)) {
        for (uint32_t port = 1; port <= PortCount; ++port)
            m_store.eraseRow(*ports, Oid{port, instance});
    }
    topologyChanged();
}

void SpanningTree::rangeMapped(uint32_t instance, uint32_t column)
{
    const auto mapped = m_store.value(InstanceEntry + Oid{column, instance});
    const Oid cist = InstanceEntry + Oid{column, 0};
    const auto cistBits = m_store.value(cist);
    if (mapped && cistBits)
        m_store.put(cist, Value::octets(Without(cistBits->bytes(), mapped->bytes())));
}

// Without spanning tree every port forwards; with it a linked port is a
// designated forwarding port and an unlinked one is disabled.
void SpanningTree::showPortStates()
{
    const TableDef *ports = m_store.table(MstPortEntry);
    if (!ports)
        return;
    const bool stp = m_store.number(StpAdminState) != StpDisabled;
    for (const Oid &index : m_store.rowIndexes(*ports)) {
        const bool linked = m_store.number(IfOperStatus + Oid{index[0]}) == 1;
        int64_t status = Forwarding;
        int64_t role = NonStpRole;
        if (stp) {
            status = linked ? Forwarding : PortDisabled;
            role = linked ? DesignatedRole : DisabledRole;
        }
        m_store.put(MstPortEntry + Oid{PortStatusColumn} + index, Value::integer(status));
        m_store.put(MstPortEntry + Oid{PortRoleColumn} + index, Value::integer(role));
    }
}

void SpanningTree::topologyChanged()
{
    m_lastChange = m_ticks();
    const TableDef *instances = m_store.table(InstanceEntry);
    for (const Oid &index : m_store.rowIndexes(*instances)) {
        const Oid count = InstanceEntry + Oid{TopologyCountColumn} + index;
        m_store.put(
            count,
            Value::unsignedOf(Type::Counter32, static_cast<uint64_t>(m_store.number(count)) + 1));
    }
}

// The time since the last topology change, as the switch counts it.
void SpanningTree::provideTopologyTime(const Oid &instanceIndex)
{
    m_store.setProvider(InstanceEntry + Oid{TopologyTimeColumn} + instanceIndex, [this] {
        return Value::unsignedOf(Type::TimeTicks, m_ticks() - m_lastChange);
    });
}

} // namespace sim
