#include "aaa.h"

#include <algorithm>
#include <memory>

namespace sim {

namespace {

const Oid AaaHostEntry = "1.3.6.1.4.1.88508.12.5.10.1"_oid;
const Oid AaaGroupEntry = "1.3.6.1.4.1.88508.12.5.9.1"_oid;
const Oid AaaMembership = "1.3.6.1.4.1.88508.12.5.12.1.4"_oid;
const Oid LoginMethodEntry = "1.3.6.1.4.1.88508.12.5.3.1"_oid;
const Oid EnableMethodEntry = "1.3.6.1.4.1.88508.12.5.4.1"_oid;
const Oid LoginAssignments = "1.3.6.1.4.1.88508.12.5.7.1"_oid;
const Oid EnableAssignments = "1.3.6.1.4.1.88508.12.5.7.2"_oid;

constexpr uint32_t GroupSlots = 8;
constexpr int64_t ProtocolOther = 6;

Bytes FourOctets(const Oid &suffix, size_t pos)
{
    Bytes bytes;
    for (size_t i = 0; i < 4; ++i)
        bytes += static_cast<char>(suffix[pos + i]);
    return bytes;
}

// A server group member slot: address column 2k, protocol column 2k + 1.
Oid SlotAddress(uint32_t slot, const Oid &group)
{
    return AaaGroupEntry + Oid{2 * slot} + group;
}

Oid SlotProtocol(uint32_t slot, const Oid &group)
{
    return AaaGroupEntry + Oid{2 * slot + 1} + group;
}

Oid GroupIndex(std::string_view name)
{
    Oid index{static_cast<uint32_t>(name.size())};
    for (unsigned char c : name)
        index.append(c);
    return index;
}

const char *const BuiltInGroups[] = {"tacacs", "xtacacs", "tacacs+", "radius"};

// The protocol whose servers a built-in group holds, 0 for any other group.
uint32_t BuiltInProtocol(const Oid &index)
{
    for (uint32_t protocol = 1; protocol <= 4; ++protocol) {
        if (index == GroupIndex(BuiltInGroups[protocol - 1]))
            return protocol;
    }
    return 0;
}

bool IsBuiltInGroup(const Oid &index)
{
    return BuiltInProtocol(index) != 0;
}

// 0.0.0.0 and 255.255.255.255 name no server.
bool IsHostAddress(const Oid &index)
{
    if (index.size() < 4)
        return false;
    const auto all = [&index](uint32_t part) {
        return index[0] == part && index[1] == part && index[2] == part && index[3] == part;
    };
    return !all(0) && !all(255);
}

Oid DefaultList()
{
    return GroupIndex("default");
}

// Adds and removes server group members by a SET of the membership control
// object on group name (length-prefixed), server address and protocol; an
// add carries two more sub-identifiers, which are ignored.
class MembershipAction final : public Action
{
public:
    explicit MembershipAction(Store &store)
        : m_store(store)
    {}

    int check(const Oid &suffix, const Value &value) const override
    {
        Member member;
        if (!parse(suffix, member))
            return NoCreation;
        if (!m_store.value(AaaGroupEntry + Oid{18} + member.group))
            return InconsistentValue;
        const int64_t slot = find(member);
        if (value.number() == 2)
            return slot > 0 ? NoError : InconsistentValue;
        const uint32_t builtIn = BuiltInProtocol(member.group);
        if (builtIn != 0 && builtIn != member.protocol)
            return InconsistentValue;
        const Oid host = FourOctetsOid(member.address) + Oid{member.protocol};
        if (slot > 0 || !m_store.value(AaaHostEntry + Oid{7} + host) || freeSlot(member.group) == 0)
            return InconsistentValue;
        return NoError;
    }

    void apply(const Oid &suffix, const Value &value) override
    {
        Member member;
        parse(suffix, member);
        if (value.number() == 2)
            Remove(m_store, member.group, member.address, member.protocol);
        else
            Add(m_store, member.group, member.address, member.protocol);
    }

    static void Add(Store &store, const Oid &group, const Bytes &address, uint32_t protocol)
    {
        for (uint32_t slot = 1; slot <= GroupSlots; ++slot) {
            if (store.number(SlotProtocol(slot, group), ProtocolOther) == ProtocolOther) {
                store.put(SlotAddress(slot, group), Value::ipAddress(address));
                store.put(SlotProtocol(slot, group), Value::integer(protocol));
                return;
            }
        }
    }

    static void Remove(Store &store, const Oid &group, const Bytes &address, uint32_t protocol)
    {
        uint32_t to = 1;
        for (uint32_t from = 1; from <= GroupSlots; ++from) {
            const auto a = store.value(SlotAddress(from, group));
            const int64_t p = store.number(SlotProtocol(from, group), ProtocolOther);
            if (a && a->bytes() == address && p == protocol)
                continue;
            if (to != from) {
                store.put(SlotAddress(to, group), a ? *a : Value::ipAddress(Bytes(4, '\0')));
                store.put(SlotProtocol(to, group), Value::integer(p));
            }
            ++to;
        }
        for (; to <= GroupSlots; ++to) {
            store.put(SlotAddress(to, group), Value::ipAddress(Bytes(4, '\0')));
            store.put(SlotProtocol(to, group), Value::integer(ProtocolOther));
        }
    }

private:
    struct Member
    {
        Oid group;
        Bytes address;
        uint32_t protocol = 0;
    };

    static Oid FourOctetsOid(const Bytes &bytes)
    {
        Oid oid;
        for (unsigned char c : bytes)
            oid.append(c);
        return oid;
    }

    static bool parse(const Oid &suffix, Member &member)
    {
        if (suffix.empty())
            return false;
        const size_t length = suffix[0];
        const size_t rest = suffix.size() - std::min(suffix.size(), length + 1);
        if (rest != 5 && rest != 7)
            return false;
        member.group = Oid(std::vector<uint32_t>(
            suffix.ids().begin(), suffix.ids().begin() + static_cast<std::ptrdiff_t>(length + 1)));
        const size_t pos = length + 1;
        for (size_t i = 0; i < 4; ++i) {
            if (suffix[pos + i] > 255)
                return false;
        }
        member.address = FourOctets(suffix, pos);
        member.protocol = suffix[pos + 4];
        return true;
    }

    int64_t find(const Member &member) const
    {
        for (uint32_t slot = 1; slot <= GroupSlots; ++slot) {
            const auto a = m_store.value(SlotAddress(slot, member.group));
            if (a && a->bytes() == member.address
                && m_store.number(SlotProtocol(slot, member.group)) == member.protocol)
                return slot;
        }
        return 0;
    }

    uint32_t freeSlot(const Oid &group) const
    {
        for (uint32_t slot = 1; slot <= GroupSlots; ++slot) {
            if (m_store.number(SlotProtocol(slot, group), ProtocolOther) == ProtocolOther)
                return slot;
        }
        return 0;
    }

    Store &m_store;
};

} // namespace

AaaServers::AaaServers(Store &store)
    : m_store(store)
{}

void AaaServers::install()
{
    if (m_store.object(AaaMembership))
        m_store.setAction(AaaMembership, std::make_unique<MembershipAction>(m_store));
    installChecks();
}

void AaaServers::committed(const Oid &oid, const Value &value)
{
    if (!oid.startsWith(AaaHostEntry + Oid{7}))
        return;
    const Oid index = oid.tail(AaaHostEntry.size() + 1);
    if (value.number() == RowCreateAndGo || value.number() == RowCreateAndWait)
        hostAdded(index);
    else if (value.number() == RowDestroy)
        hostRemoved(index);
}

// The built-in server groups and the default method lists stay; an
// application can only be given a method list that exists.
void AaaServers::installChecks()
{
    m_store.setCheck(AaaHostEntry + Oid{7}, [](const Oid &index, const Value &) {
        return IsHostAddress(index) ? NoError : NoCreation;
    });
    m_store.setCheck(AaaGroupEntry + Oid{18}, [](const Oid &index, const Value &value) {
        return value.number() == RowDestroy && IsBuiltInGroup(index) ? InconsistentValue : NoError;
    });
    for (const Oid &list : {LoginMethodEntry, EnableMethodEntry}) {
        m_store.setCheck(list + Oid{10}, [](const Oid &index, const Value &value) {
            return value.number() == RowDestroy && index == DefaultList() ? InconsistentValue
                                                                          : NoError;
        });
    }
    for (uint32_t application = 1; application <= 4; ++application) {
        for (const auto &[assignments, lists] : {std::pair{LoginAssignments, LoginMethodEntry},
                                                 std::pair{EnableAssignments, EnableMethodEntry}}) {
            m_store.setCheck(
                assignments + Oid{application}, [this, lists](const Oid &, const Value &value) {
                    const Oid index = GroupIndex(value.bytes());
                    return m_store.value(lists + Oid{10} + index) ? NoError : InconsistentValue;
                });
        }
    }
}

void AaaServers::hostAdded(const Oid &index)
{
    if (index.size() != 5 || index[4] < 1 || index[4] > 4)
        return;
    const Oid group = GroupIndex(BuiltInGroups[index[4] - 1]);
    if (!m_store.value(AaaGroupEntry + Oid{18} + group))
        return;
    MembershipAction::Add(m_store, group, FourOctets(index, 0), index[4]);
}

void AaaServers::hostRemoved(const Oid &index)
{
    if (index.size() != 5)
        return;
    const TableDef *groups = m_store.table(AaaGroupEntry);
    if (!groups)
        return;
    for (const Oid &group : m_store.rowIndexes(*groups))
        MembershipAction::Remove(m_store, group, FourOctets(index, 0), index[4]);
}

} // namespace sim
