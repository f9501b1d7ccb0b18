#include "dot1x.h"

#include <array>

namespace sim {

namespace {

const Oid SystemAuthControl = "1.0.8802.1.1.1.1.1.1.0"_oid;
const Oid AuthMode = "1.3.6.1.4.1.88508.12.3.1.2.0"_oid;
const Oid PaePortEntry = "1.0.8802.1.1.1.1.1.2.1"_oid;
const Oid AuthConfigEntry = "1.0.8802.1.1.1.1.2.1.1"_oid;
const Oid SessionTime = "1.0.8802.1.1.1.1.2.4.1.7"_oid;
const Oid MacPaeEntry = "1.3.6.1.4.1.88508.12.3.6.1.1"_oid;
const Oid MacStatsEntry = "1.3.6.1.4.1.88508.12.3.6.2.1"_oid;
const Oid MacDiagEntry = "1.3.6.1.4.1.88508.12.3.6.3.1"_oid;
const Oid MacSessionEntry = "1.3.6.1.4.1.88508.12.3.6.4.1"_oid;
const Oid RadiusEntry = "1.3.6.1.4.1.88508.12.3.2.4.1"_oid;
const Oid IfOperStatus = "1.3.6.1.2.1.2.2.1.8"_oid;

constexpr uint32_t PortCount = 24;
constexpr int64_t ControlEnabled = 1;
constexpr int64_t MacBased = 2;
enum PaeState : int64_t { Disconnected = 2, Authenticated = 5, ForceAuth = 8, ForceUnauth = 9 };

struct Supplicant
{
    std::array<uint32_t, 6> mac;
    uint32_t port;
    const char *user;
};

// The supplicants MAC-based mode has authenticated: two on port 5, one on port 8.
const Supplicant Supplicants[] = {
    {{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, 5, "user5"},
    {{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x6F}, 5, "guest5"},
    {{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x80}, 8, "user8"},
};

Oid MacIndex(const Supplicant &supplicant)
{
    Oid index;
    for (uint32_t octet : supplicant.mac)
        index.append(octet);
    index.append(supplicant.port);
    return index;
}

// The statistics tables index the MAC address as a length-prefixed string.
Oid StringMacIndex(const Supplicant &supplicant)
{
    return Oid{6} + MacIndex(supplicant);
}

Bytes MacBytes(const Supplicant &supplicant)
{
    Bytes bytes;
    for (uint32_t octet : supplicant.mac)
        bytes += static_cast<char>(octet);
    return bytes;
}

Value Counter(uint64_t n)
{
    return Value::unsignedOf(Type::Counter32, n);
}

void EraseRows(Store &store, const Oid &entry)
{
    const TableDef *table = store.table(entry);
    if (!table)
        return;
    for (const Oid &index : store.rowIndexes(*table))
        store.eraseRow(*table, index);
}

} // namespace

Dot1xAuthenticator::Dot1xAuthenticator(Store &store, UpTime upTime)
    : m_store(store)
    , m_upTime(std::move(upTime))
{}

void Dot1xAuthenticator::install()
{
    m_store.setCheck(RadiusEntry + Oid{2}, [](const Oid &, const Value &value) {
        return value.bytes() == Bytes(4, '\0') ? WrongValue : NoError;
    });
    showSupplicants();
    authenticateAll();
    growSessionTimes();
}

void Dot1xAuthenticator::committed(const Oid &oid, const Value &value)
{
    if (oid == SystemAuthControl) {
        authenticateAll();
    } else if (oid == AuthMode) {
        showSupplicants();
    } else if (oid.startsWith(AuthConfigEntry + Oid{3})) {
        m_store.put(AuthConfigEntry + Oid{4} + oid.tail(AuthConfigEntry.size() + 1), value);
    } else if (oid.startsWith(AuthConfigEntry + Oid{6}) || oid.startsWith(PaePortEntry + Oid{4})
               || oid.startsWith(PaePortEntry + Oid{5})) {
        authenticate(oid.ids().back());
    }
}

void Dot1xAuthenticator::authenticateAll()
{
    for (uint32_t port = 1; port <= PortCount; ++port)
        authenticate(port);
}

// The authenticator state of a port after its port control changed or it
// was initialized or reauthenticated; both actions are one-shot. With 802.1X
// off every port is forced authorized.
void Dot1xAuthenticator::authenticate(uint32_t port)
{
    const Oid index{port};
    if (!m_store.value(AuthConfigEntry + Oid{1} + index))
        return;
    m_store.put(PaePortEntry + Oid{4} + index, Value::integer(2));
    m_store.put(PaePortEntry + Oid{5} + index, Value::integer(2));
    const int64_t control = m_store.number(AuthConfigEntry + Oid{6} + index);
    const bool linked = m_store.number(IfOperStatus + index) == 1;
    int64_t state = linked ? Authenticated : Disconnected;
    if (m_store.number(SystemAuthControl) != ControlEnabled || control == 3)
        state = ForceAuth;
    else if (control == 1)
        state = ForceUnauth;
    const bool authorized = state == Authenticated || state == ForceAuth;
    m_store.put(AuthConfigEntry + Oid{1} + index, Value::integer(state));
    m_store.put(AuthConfigEntry + Oid{5} + index, Value::integer(authorized ? 1 : 2));
}

// MAC-based mode lists every authenticated supplicant; port-based mode none.
void Dot1xAuthenticator::showSupplicants()
{
    for (const Oid &entry : {MacPaeEntry, MacStatsEntry, MacDiagEntry, MacSessionEntry})
        EraseRows(m_store, entry);
    if (m_store.number(AuthMode) != MacBased)
        return;
    uint64_t n = 0;
    for (const Supplicant &supplicant : Supplicants) {
        ++n;
        const Oid pae = MacIndex(supplicant);
        m_store.put(MacPaeEntry + Oid{3} + pae, Value::integer(Authenticated));
        m_store.put(MacPaeEntry + Oid{4} + pae, Value::integer(6));
        m_store.put(MacPaeEntry + Oid{5} + pae, Value::integer(1));
        const Oid stats = StringMacIndex(supplicant);
        const std::array<uint64_t, 10> frames{
            40 * n, 50 * n, 10 * n, 3 * n, 10 * n, 20 * n, 10 * n, 30 * n, 0, 0};
        for (uint32_t column = 1; column <= frames.size(); ++column)
            m_store.put(MacStatsEntry + Oid{column} + stats, Counter(frames[column - 1]));
        m_store.put(MacStatsEntry + Oid{11} + stats, Value::unsignedOf(Type::Gauge32, 1));
        m_store.put(MacStatsEntry + Oid{12} + stats, Value::octets(MacBytes(supplicant)));
        const std::array<uint64_t, 18> diag{3, 0, 3, 2, 1, 0, 0, 0, 0, 1, 0, 0, 9, 6, 0, 3, 2, 1};
        for (uint32_t column = 1; column <= diag.size(); ++column)
            m_store.put(MacDiagEntry + Oid{column} + stats, Counter(diag[column - 1]));
        m_store.put(MacSessionEntry + Oid{1} + stats,
                    Value::unsignedOf(Type::Counter64, 5000000000 + n));
        m_store.put(MacSessionEntry + Oid{2} + stats,
                    Value::unsignedOf(Type::Counter64, 120000 + n));
        m_store.put(MacSessionEntry + Oid{3} + stats, Counter(9000 + n));
        m_store.put(MacSessionEntry + Oid{4} + stats, Counter(8000 + n));
        m_store.put(MacSessionEntry + Oid{5} + stats,
                    Value::octets("RQ5160-MAC-000" + std::to_string(n)));
        m_store.put(MacSessionEntry + Oid{6} + stats, Value::integer(1));
        m_store.put(MacSessionEntry + Oid{7} + stats, Value::unsignedOf(Type::TimeTicks, 0));
        m_store.put(MacSessionEntry + Oid{8} + stats, Value::integer(999));
        m_store.put(MacSessionEntry + Oid{9} + stats, Value::octets(supplicant.user));
        const Oid time = MacSessionEntry + Oid{7} + stats;
        m_store.setProvider(time,
                            [this] { return Value::unsignedOf(Type::TimeTicks, m_upTime()); });
    }
}

// An open session's time grows with the switch's uptime.
void Dot1xAuthenticator::growSessionTimes()
{
    for (uint32_t port = 1; port <= PortCount; ++port) {
        const Oid instance = SessionTime + Oid{port};
        const auto base = m_store.value(instance);
        if (!base || base->number() == 0)
            continue;
        const int64_t start = base->number();
        m_store.setProvider(instance, [this, start] {
            return Value::unsignedOf(Type::TimeTicks, static_cast<uint64_t>(start) + m_upTime());
        });
    }
}

} // namespace sim
