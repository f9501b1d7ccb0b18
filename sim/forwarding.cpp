#include "forwarding.h"

#include <bit>

namespace sim {

namespace {

const Oid FdbEntry = "1.3.6.1.2.1.17.7.1.2.2.1"_oid;
const Oid UnicastEntry = "1.3.6.1.2.1.17.7.1.3.1.1"_oid;
const Oid MulticastEntry = "1.3.6.1.2.1.17.7.1.3.2.1"_oid;
const Oid VlanStaticEntry = "1.3.6.1.2.1.17.7.1.4.3.1"_oid;
const Oid TrunkEntry = "1.3.6.1.4.1.88508.11.68.1.2.9.3.1"_oid;
const Oid TrunkMaxEntries = "1.3.6.1.4.1.88508.11.68.1.2.9.1.0"_oid;

constexpr uint32_t PortCount = 24;
constexpr int64_t FdbMgmt = 5;
constexpr int64_t FdbLearned = 3;
constexpr int64_t StaticOther = 1;
constexpr int64_t StaticInvalid = 2;
constexpr size_t MinTrunkPorts = 2;
constexpr size_t MaxTrunkPorts = 8;

// The ports of a port list as a mask, port 1 the lowest bit; bits past the
// switch's ports set the second value.
std::pair<uint32_t, bool> PortMask(const Bytes &octets)
{
    uint32_t mask = 0;
    bool beyond = false;
    for (size_t i = 0; i < octets.size(); ++i) {
        const auto octet = static_cast<uint8_t>(octets[i]);
        for (uint32_t bit = 0; bit < 8; ++bit) {
            if (!(octet & (0x80u >> bit)))
                continue;
            const size_t port = i * 8 + bit + 1;
            if (port > PortCount)
                beyond = true;
            else
                mask |= 1u << (port - 1);
        }
    }
    return {mask, beyond};
}

uint32_t PortsOf(const std::optional<Value> &value)
{
    return value && value->type() == Type::OctetString ? PortMask(value->bytes()).first : 0;
}

uint32_t LowestPort(uint32_t mask)
{
    return mask ? static_cast<uint32_t>(std::countr_zero(mask)) + 1 : 0;
}

bool IsRowStatusLive(int64_t status)
{
    return status != RowDestroy;
}

} // namespace

Forwarding::Forwarding(Store &store)
    : m_store(store)
{}

void Forwarding::install()
{
    installStaticChecks(UnicastEntry, false);
    installStaticChecks(MulticastEntry, true);
    installTrunkChecks();
    showStaticEntries();
}

void Forwarding::generate(int count)
{
    for (int i = 0; i < count; ++i) {
        const uint32_t n = static_cast<uint32_t>(i);
        const Oid index{1, 0x00, 0x1C, 0xA8, (n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF};
        m_store.put(FdbEntry + Oid{2} + index, Value::integer(n % PortCount + 1));
        m_store.put(FdbEntry + Oid{3} + index, Value::integer(FdbLearned));
    }
}

// A static entry names an existing VLAN and an address of its kind, its
// ports are ports of that VLAN, and static and forbidden ports never meet.
void Forwarding::installStaticChecks(const Oid &entry, bool multicast)
{
    const uint32_t statusColumn = multicast ? 5 : 4;
    const auto checkEntry
        = [this, entry, multicast, statusColumn](const Oid &index, const Store::SetView &after) {
              if (index.size() != 8)
                  return static_cast<int>(InconsistentName);
              const bool groupAddress = (index[1] & 1) != 0;
              if (groupAddress != multicast)
                  return static_cast<int>(InconsistentName);
              const Oid vlan{index[0]};
              if (!m_store.value(VlanStaticEntry + Oid{5} + vlan))
                  return static_cast<int>(InconsistentValue);
              const uint32_t egress = PortsOf(m_store.value(VlanStaticEntry + Oid{2} + vlan));
              const uint32_t ports = PortsOf(after(entry + Oid{3} + index));
              if ((ports & ~egress) != 0)
                  return static_cast<int>(InconsistentValue);
              if (multicast && (ports & PortsOf(after(entry + Oid{4} + index))) != 0)
                  return static_cast<int>(InconsistentValue);
              const std::optional<Value> status = after(entry + Oid{statusColumn} + index);
              if (status && status->number() == StaticOther)
                  return static_cast<int>(WrongValue);
              return static_cast<int>(NoError);
          };
    std::vector<uint32_t> columns{3, statusColumn};
    if (multicast)
        columns.push_back(4);
    for (uint32_t column : columns) {
        m_store.setRowCheck(entry + Oid{column},
                            [checkEntry, column, statusColumn](
                                const Oid &index, const Value &value, const Store::SetView &after) {
                                if (column != statusColumn && PortMask(value.bytes()).second)
                                    return static_cast<int>(WrongValue);
                                if (column == statusColumn && value.number() == StaticInvalid)
                                    return static_cast<int>(NoError); // removing is always allowed
                                return checkEntry(index, after);
                            });
    }
}

// A trunk has 2 to 8 member ports including its master, shares no port with
// another trunk, and its group id is within the switch's maximum.
void Forwarding::installTrunkChecks()
{
    const auto checkTrunk = [this](const Oid &index, const Store::SetView &after) {
        const std::optional<Value> state = after(TrunkEntry + Oid{7} + index);
        if (!state || !IsRowStatusLive(state->number()))
            return static_cast<int>(NoError);
        if (index.size() != 1 || index[0] < 1
            || index[0] > static_cast<uint32_t>(m_store.number(TrunkMaxEntries)))
            return static_cast<int>(NoCreation);
        const uint32_t members = PortsOf(after(TrunkEntry + Oid{4} + index));
        const size_t count = static_cast<size_t>(std::popcount(members));
        const std::optional<Value> master = after(TrunkEntry + Oid{3} + index);
        if (count < MinTrunkPorts || count > MaxTrunkPorts || !master
            || !(members & (1u << (static_cast<uint32_t>(master->number()) - 1))))
            return static_cast<int>(InconsistentValue);
        const TableDef *trunks = m_store.table(TrunkEntry);
        for (const Oid &other : trunks ? m_store.rowIndexes(*trunks) : std::vector<Oid>{}) {
            if (other != index && (PortsOf(m_store.value(TrunkEntry + Oid{4} + other)) & members))
                return static_cast<int>(InconsistentValue);
        }
        return static_cast<int>(NoError);
    };
    for (uint32_t column : {2u, 3u, 4u, 6u, 7u}) {
        m_store.setRowCheck(
            TrunkEntry + Oid{column},
            [checkTrunk](const Oid &index, const Value &, const Store::SetView &after) {
                return checkTrunk(index, after);
            });
    }
}

void Forwarding::committed(const Oid &oid, const Value &value)
{
    if (oid.startsWith(UnicastEntry)) {
        showStaticEntries();
    } else if (oid.startsWith(VlanStaticEntry + Oid{5}) && oid.size() == VlanStaticEntry.size() + 2
               && value.number() == RowDestroy) {
        vlanRemoved(oid.ids().back());
    }
}

void Forwarding::showStaticEntries()
{
    const TableDef *fdb = m_store.table(FdbEntry);
    const TableDef *unicast = m_store.table(UnicastEntry);
    if (!fdb || !unicast)
        return;
    for (const Oid &index : m_store.rowIndexes(*fdb)) {
        if (m_store.number(FdbEntry + Oid{3} + index) == FdbMgmt)
            m_store.eraseRow(*fdb, index);
    }
    for (const Oid &index : m_store.rowIndexes(*unicast)) {
        // The forwarding row: the VLAN and the address, without the receive port.
        const Oid fdbIndex{std::vector<uint32_t>(index.ids().begin(), index.ids().begin() + 7)};
        const uint32_t port = LowestPort(PortsOf(m_store.value(UnicastEntry + Oid{3} + index)));
        m_store.put(FdbEntry + Oid{2} + fdbIndex, Value::integer(port));
        m_store.put(FdbEntry + Oid{3} + fdbIndex, Value::integer(FdbMgmt));
    }
}

void Forwarding::vlanRemoved(uint32_t vlan)
{
    for (const Oid &entry : {UnicastEntry, MulticastEntry}) {
        const TableDef *table = m_store.table(entry);
        if (!table)
            continue;
        for (const Oid &index : m_store.rowIndexes(*table)) {
            if (index[0] == vlan)
                m_store.eraseRow(*table, index);
        }
    }
    showStaticEntries();
}

} // namespace sim
