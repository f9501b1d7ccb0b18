#include "switch.h"

#include "timetext.h"

#include <ctime>

namespace sim {

namespace {

const Oid SysUpTime = "1.3.6.1.2.1.1.3.0"_oid;
const Oid IfSpeed = "1.3.6.1.2.1.2.2.1.5"_oid;
const Oid IfAdminStatus = "1.3.6.1.2.1.2.2.1.7"_oid;
const Oid IfOperStatus = "1.3.6.1.2.1.2.2.1.8"_oid;
const Oid IfLastChange = "1.3.6.1.2.1.2.2.1.9"_oid;
const Oid IfInOctets = "1.3.6.1.2.1.2.2.1.10"_oid;
const Oid IfInUcastPkts = "1.3.6.1.2.1.2.2.1.11"_oid;
const Oid IfInNUcastPkts = "1.3.6.1.2.1.2.2.1.12"_oid;
const Oid IfInErrors = "1.3.6.1.2.1.2.2.1.14"_oid;
const Oid PortInfoType = "1.3.6.1.4.1.88508.11.68.1.2.3.1.1.3"_oid;
const Oid PortInfoLink = "1.3.6.1.4.1.88508.11.68.1.2.3.1.1.4"_oid;
const Oid PortInfoNway = "1.3.6.1.4.1.88508.11.68.1.2.3.1.1.5"_oid;
const Oid PortCtrlAdmin = "1.3.6.1.4.1.88508.11.68.1.2.3.2.1.3"_oid;
const Oid PortCtrlNway = "1.3.6.1.4.1.88508.11.68.1.2.3.2.1.4"_oid;
const Oid MstpPortMigration = "1.3.6.1.4.1.88508.12.15.2.4.1.6"_oid;
const Oid MirrorTarget = "1.3.6.1.4.1.88508.11.68.1.2.10.1.0"_oid;
const Oid MirrorIngress = "1.3.6.1.4.1.88508.11.68.1.2.10.2.0"_oid;
const Oid MirrorEgress = "1.3.6.1.4.1.88508.11.68.1.2.10.3.0"_oid;
const Oid RepeatSummerStart = "1.3.6.1.4.1.88508.12.10.12.3"_oid;
const Oid RepeatSummerEnd = "1.3.6.1.4.1.88508.12.10.12.4"_oid;
const Oid AnnualSummerStart = "1.3.6.1.4.1.88508.12.10.12.5"_oid;
const Oid AnnualSummerEnd = "1.3.6.1.4.1.88508.12.10.12.6"_oid;
const Oid ConsoleInUse = "1.3.6.1.4.1.88508.12.1.1.3.0"_oid;
const Oid LedStatus = "1.3.6.1.4.1.88508.12.11.1.9.4.1.5.1"_oid;
const Oid SaveConfig = "1.3.6.1.4.1.88508.12.1.2.6.0"_oid;
const Oid SystemReset = "1.3.6.1.4.1.88508.12.1.2.3.0"_oid;
const Oid TrunkEntry = "1.3.6.1.4.1.88508.11.68.1.2.9.3.1"_oid;
const Oid TrunkCount = "1.3.6.1.4.1.88508.11.68.1.2.9.2.0"_oid;
const Oid CurrentTime = "1.3.6.1.4.1.88508.12.10.10.1.0"_oid;
const Oid UpTimeText = "1.3.6.1.4.1.88508.12.10.10.2.0"_oid;
const Oid BootTimeText = "1.3.6.1.4.1.88508.12.10.10.3.0"_oid;
const Oid TimeZone = "1.3.6.1.4.1.88508.12.10.10.4.0"_oid;
const Oid CommunityEntry = "1.3.6.1.6.3.18.1.1.1"_oid;
const Oid VlanStaticEntry = "1.3.6.1.2.1.17.7.1.4.3.1"_oid;
const Oid VlanCount = "1.3.6.1.2.1.17.7.1.1.4.0"_oid;
const Oid CleanCounters = "1.3.6.1.4.1.88508.11.68.1.2.1.2.4.0"_oid;
const Oid AuthStatsEntry = "1.0.8802.1.1.1.1.2.2.1"_oid;
const Oid AuthDiagEntry = "1.0.8802.1.1.1.1.2.3.1"_oid;
const Oid TrafficRate = "1.3.6.1.4.1.88508.99.1.1.1"_oid;
const Oid TrafficBurst = "1.3.6.1.4.1.88508.99.1.1.2"_oid;
const Oid ClockAdvance = "1.3.6.1.4.1.88508.99.2.1.0"_oid;

constexpr uint32_t PortCount = 24;
constexpr size_t LedBytes = 55;

// LED status values: the colour in the low three bits, 0x80 for blinking.
enum Led : uint8_t { LedGreen = 2, LedBlue = 4, LedOff = 6, LedBlink = 0x80 };

// A forced speed and duplex (port control Nway state): the Nway status the
// port reports with it and its speed in bit/s. Nway enabled negotiates the
// port's best (gigabit, full duplex).
struct NwayOutcome
{
    int64_t status;
    uint64_t speed;
};

NwayOutcome NwayOutcomeOf(int64_t setting)
{
    switch (setting) {
    case 3:
        return {3, 10000000};
    case 4:
        return {4, 10000000};
    case 5:
        return {5, 100000000};
    case 6:
        return {6, 100000000};
    default:
        return {8, 1000000000};
    }
}

bool IsGigabitFibre(int64_t portType)
{
    return portType >= 5 && portType <= 8;
}

// Summer-time points: repeating (week, day as two octets, month, hour,
// minute) and annual (day of month, month, hour, minute).
int CheckRepeatingPoint(const Value &value)
{
    const Bytes &b = value.bytes();
    const auto at = [&b](size_t i) {
        return static_cast<uint8_t>(b[i]);
    };
    const unsigned day = at(1) * 256u + at(2);
    const bool valid = at(0) <= 4 && day >= 1 && day <= 7 && at(3) >= 1 && at(3) <= 12
                       && at(4) <= 23 && at(5) <= 59;
    return valid ? NoError : WrongValue;
}

int CheckAnnualPoint(const Value &value)
{
    static const int daysIn[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const Bytes &b = value.bytes();
    const auto at = [&b](size_t i) {
        return static_cast<uint8_t>(b[i]);
    };
    const bool monthValid = at(1) >= 1 && at(1) <= 12;
    const bool valid
        = monthValid && at(0) >= 1 && at(0) <= daysIn[at(1) - 1] && at(2) <= 23 && at(3) <= 59;
    return valid ? NoError : WrongValue;
}

int64_t RowCount(const Store &store, const Oid &entry)
{
    const TableDef *table = store.table(entry);
    return table ? static_cast<int64_t>(store.rowIndexes(*table).size()) : 0;
}

// A value as the SET log writes it: numbers in decimal, an object identifier
// dotted, octets in hex ("" when empty).
std::string LogText(const Value &value)
{
    if (value.type() == Type::ObjectId)
        return value.oid().toString();
    if (value.type() != Type::OctetString && value.type() != Type::IpAddress)
        return std::to_string(value.number());
    static const char Digits[] = "0123456789ABCDEF";
    std::string hex = "\"";
    for (unsigned char c : value.bytes()) {
        hex += Digits[c >> 4];
        hex += Digits[c & 15];
    }
    return hex + '"';
}

} // namespace

Switch::Switch(Store &store, Clock clock)
    : m_store(store)
    , m_aaa(store)
    , m_dot1x(store, [this] { return upTimeTicks(); })
    , m_files(store, [this] { return upTimeTicks(); })
    , m_stp(store, [this] { return upTimeTicks(); })
    , m_igmp(store, [this] { return upTimeTicks(); })
    , m_forwarding(store)
    , m_clock(std::move(clock))
    , m_boot(m_clock.now())
    , m_rmon(store, m_traffic, m_clock, [this](auto at) { return ticksAt(at); })
{}

void Switch::install()
{
    for (uint32_t port = 1; port <= PortCount; ++port)
        m_cabled[port] = m_store.number(IfOperStatus + Oid{port}) == 1;
    m_store.setProvider(SysUpTime,
                        [this] { return Value::unsignedOf(Type::TimeTicks, upTimeTicks()); });
    m_store.setProvider(LedStatus, [this] { return Value::octets(ledStatus()); });
    m_store.setProvider(TrunkCount,
                        [this] { return Value::integer(RowCount(m_store, TrunkEntry)); });
    m_store.setProvider(VlanCount, [this] {
        return Value::unsignedOf(Type::Gauge32,
                                 static_cast<uint64_t>(RowCount(m_store, VlanStaticEntry)));
    });
    m_store.setProvider(CurrentTime, [this] {
        const int64_t zoneMinutes = m_store.number(TimeZone);
        return Value::octets(ClockText(std::time(nullptr) + zoneMinutes * 60));
    });
    m_store.setProvider(UpTimeText,
                        [this] { return Value::octets(DurationText(upTimeTicks() / 100)); });
    m_store.setProvider(BootTimeText, [this] {
        const int64_t zoneMinutes = m_store.number(TimeZone);
        return Value::octets(
            ClockText(std::time(nullptr) - upTimeTicks() / 100 + zoneMinutes * 60));
    });
    m_aaa.install();
    m_dot1x.install();
    m_files.install();
    installChecks();
    m_stp.install();
    m_igmp.install();
    m_forwarding.install();
    installTraffic();
    m_saved = m_store.values();
}

void Switch::installChecks()
{
    // A gigabit fibre port runs at one gigabit only.
    m_store.setCheck(PortCtrlNway, [this](const Oid &suffix, const Value &value) {
        const bool slow = value.number() >= 3 && value.number() <= 6;
        return slow && IsGigabitFibre(m_store.number(PortInfoType + suffix)) ? WrongValue : NoError;
    });
    for (const Oid &point : {RepeatSummerStart, RepeatSummerEnd})
        m_store.setCheck(
            point, [](const Oid &, const Value &value) { return CheckRepeatingPoint(value); });
    for (const Oid &point : {AnnualSummerStart, AnnualSummerEnd})
        m_store.setCheck(point,
                         [](const Oid &, const Value &value) { return CheckAnnualPoint(value); });
}

int Switch::consistent(const Oid &oid, const std::map<Oid, Value> &staged) const
{
    if (oid != MirrorTarget && oid != MirrorIngress && oid != MirrorEgress)
        return NoError;
    const auto after = [&](const Oid &object) {
        const auto it = staged.find(object);
        return it != staged.end() ? it->second.number() : m_store.number(object);
    };
    // The target port receives the copies: it cannot be a mirrored port itself.
    const int64_t target = after(MirrorTarget);
    return target == after(MirrorIngress) || target == after(MirrorEgress) ? InconsistentValue
                                                                           : NoError;
}

// The steady traffic of each port, which the interface counters and the
// RMON probe count alike.
void Switch::installTraffic()
{
    for (uint32_t port = 1; port <= PortCount; ++port) {
        m_traffic.setRate(
            port, static_cast<uint64_t>(m_store.number(TrafficRate + Oid{port})), m_clock.now());
        installInterfaceCounters(port);
    }
    m_store.setProvider(ClockAdvance,
                        [this] { return Value::integer(m_clock.advanced().count()); });
    m_rmon.install();
}

// ifTable's receive counters of a port, from the same traffic as its
// etherStats counters (columns 4 octets, 5 packets, 6 broadcast, 7 multicast,
// 8 CRC errors, 11 fragments).
void Switch::installInterfaceCounters(uint32_t port)
{
    const auto serve = [this, port](const Oid &column, auto count) {
        m_store.setProvider(column + Oid{port}, [this, port, count] {
            const auto stats = [this, port](uint32_t statsColumn) {
                return m_traffic.etherStatsCounter(statsColumn, port, m_clock.now());
            };
            return Value::unsignedOf(Type::Counter32, count(stats) & 0xFFFFFFFFu);
        });
    };
    serve(IfInOctets, [](auto stats) { return stats(4); });
    serve(IfInUcastPkts, [](auto stats) { return stats(5) - stats(6) - stats(7); });
    serve(IfInNUcastPkts, [](auto stats) { return stats(6) + stats(7); });
    serve(IfInErrors, [](auto stats) { return stats(8) + stats(11); });
}

void Switch::update()
{
    m_rmon.update();
}

// What fell due before the clock moves on is done at its own time, then
// everything that falls due in the time skipped.
void Switch::advanceClock(int64_t seconds)
{
    m_rmon.update();
    m_clock.advance(std::chrono::seconds(seconds));
    m_rmon.update();
}

uint32_t Switch::upTimeTicks() const
{
    return ticksAt(m_clock.now());
}

uint32_t Switch::ticksAt(std::chrono::steady_clock::time_point at) const
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(at - m_boot);
    return static_cast<uint32_t>(elapsed.count() / 10);
}

Bytes Switch::ledStatus() const
{
    Bytes leds(LedBytes, static_cast<char>(LedOff));
    leds[0] = static_cast<char>(LedGreen);
    leds[1] = static_cast<char>(m_store.number(ConsoleInUse) == 2 ? LedGreen : LedOff);
    // Traffic moves between the linked ports every two seconds; at least one
    // linked port always shows activity.
    const uint32_t phase = upTimeTicks() / 200;
    bool anyBlinking = false;
    uint32_t firstLinked = 0;
    for (uint32_t port = 1; port <= PortCount; ++port) {
        if (m_store.number(IfOperStatus + Oid{port}) != 1)
            continue;
        const int64_t type = m_store.number(PortInfoType + Oid{port});
        const bool fibre = type >= 5 && type <= 8;
        const size_t link = fibre ? 51 + (port - 21) : 2 * port + 1;
        if (fibre && port < 21)
            continue;
        firstLinked = firstLinked ? firstLinked : port;
        const bool active = (phase + port) % 3 == 0;
        anyBlinking = anyBlinking || active;
        leds[link] = static_cast<char>(LedGreen | (active ? LedBlink : 0));
        if (!fibre) {
            const bool gigabit = m_store.number(IfSpeed + Oid{port}) >= 1000000000;
            leds[2 * port + 2] = static_cast<char>(gigabit ? LedGreen : LedBlue);
        }
    }
    if (!anyBlinking && firstLinked != 0)
        leds[2 * firstLinked + 1] = static_cast<char>(LedGreen | LedBlink);
    return leds;
}

void Switch::generateForwardingTable(int count)
{
    m_forwarding.generate(count);
    m_saved = m_store.values();
}

void Switch::committed(const std::vector<VarBind> &bindings)
{
    // Samples due before this SET see the switch as it was.
    m_rmon.update();
    logSet(bindings);
    for (const VarBind &binding : bindings)
        committedBinding(binding.oid, binding.value);
}

void Switch::logSet(const std::vector<VarBind> &bindings) const
{
    if (!m_setLog)
        return;
    for (const VarBind &binding : bindings) {
        *m_setLog << "set " << binding.oid.toString() << ' ' << LogText(binding.value) << '\n';
    }
    m_setLog->flush();
}

void Switch::committedBinding(const Oid &oid, const Value &value)
{
    m_aaa.committed(oid, value);
    m_dot1x.committed(oid, value);
    m_files.committed(oid, value);
    m_stp.committed(oid, value);
    m_igmp.committed(oid, value);
    m_forwarding.committed(oid, value);
    m_rmon.committed(oid, value);
    if (oid == SaveConfig && value.number() == 3) {
        save();
    } else if (oid == SystemReset && value.number() == 2) {
        reset();
    } else if (oid.startsWith(IfAdminStatus) && oid.size() == IfAdminStatus.size() + 1) {
        updatePortLink(oid.ids().back());
    } else if (oid.startsWith(PortCtrlAdmin) && oid.size() == PortCtrlAdmin.size() + 1) {
        updatePortLink(oid.ids().back());
    } else if (oid.startsWith(PortCtrlNway) && oid.size() == PortCtrlNway.size() + 1) {
        updatePortSpeed(oid.ids().back());
    } else if (oid.startsWith(MstpPortMigration) && value.number() == 1) {
        m_store.put(oid, Value::integer(2)); // a one-shot protocol migration
    } else if (oid.startsWith(TrunkEntry + Oid{3}) || oid.startsWith(TrunkEntry + Oid{7})) {
        const Oid index = oid.tail(TrunkEntry.size() + 1);
        if (m_store.value(TrunkEntry + Oid{7} + index))
            m_store.put(TrunkEntry + Oid{5} + index,
                        Value::integer(m_store.number(TrunkEntry + Oid{3} + index)));
    } else if (oid.startsWith(TrafficRate) && oid.size() == TrafficRate.size() + 1) {
        m_traffic.setRate(oid.ids().back(), static_cast<uint64_t>(value.number()), m_clock.now());
    } else if (oid.startsWith(TrafficBurst) && oid.size() == TrafficBurst.size() + 1) {
        m_traffic.addBurst(oid.ids().back(), static_cast<uint64_t>(value.number()));
    } else if (oid == ClockAdvance) {
        advanceClock(value.number());
    } else if (oid == CleanCounters && value.number() == 2) {
        cleanCounters();
    } else if (oid.startsWith(CommunityEntry) && m_communitiesChanged) {
        m_communitiesChanged();
    }
}

void Switch::cleanCounters()
{
    m_store.put(CleanCounters, Value::integer(1));
    for (const Oid &entry : {AuthStatsEntry, AuthDiagEntry}) {
        const TableDef *table = m_store.table(entry);
        if (!table)
            continue;
        for (const ObjectDef *def : table->columns) {
            if (def->syntax != Syntax::Counter)
                continue;
            for (const Oid &index : m_store.rowIndexes(*table))
                m_store.put(def->oid + index, Value::unsignedOf(Type::Counter32, 0));
        }
    }
}

void Switch::updatePortLink(uint32_t port)
{
    const bool up = m_cabled[port] && m_store.number(IfAdminStatus + Oid{port}, 1) == 1
                    && m_store.number(PortCtrlAdmin + Oid{port}, 3) != 2;
    const int64_t before = m_store.number(IfOperStatus + Oid{port});
    m_store.put(IfOperStatus + Oid{port}, Value::integer(up ? 1 : 2));
    m_store.put(PortInfoLink + Oid{port}, Value::integer(up ? 2 : 3));
    if (up)
        updatePortSpeed(port);
    else
        m_store.put(PortInfoNway + Oid{port}, Value::integer(2));
    if (before != (up ? 1 : 2))
        m_store.put(IfLastChange + Oid{port}, Value::unsignedOf(Type::TimeTicks, upTimeTicks()));
}

// The speed and duplex a linked port runs at after its Nway setting.
void Switch::updatePortSpeed(uint32_t port)
{
    const NwayOutcome outcome = NwayOutcomeOf(m_store.number(PortCtrlNway + Oid{port}, 2));
    m_store.put(IfSpeed + Oid{port}, Value::unsignedOf(Type::Gauge32, outcome.speed));
    if (m_store.number(IfOperStatus + Oid{port}) == 1)
        m_store.put(PortInfoNway + Oid{port}, Value::integer(outcome.status));
}

void Switch::save()
{
    m_store.put(SaveConfig, Value::integer(2));
    m_saved = m_store.values();
}

void Switch::reset()
{
    m_files.cancel();
    m_store.restore(m_saved);
    m_store.put(SystemReset, Value::integer(4));
    m_boot = m_clock.now();
    m_traffic.reset(m_boot);
    m_rmon.reset();
    if (m_communitiesChanged)
        m_communitiesChanged();
}

} // namespace sim
