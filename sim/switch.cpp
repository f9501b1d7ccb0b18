#include "switch.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <memory>

namespace sim {

namespace {

Oid O(std::string_view text)
{
    return *Oid::parse(text);
}

const Oid SysUpTime = O("1.3.6.1.2.1.1.3.0");
const Oid IfSpeed = O("1.3.6.1.2.1.2.2.1.5");
const Oid IfAdminStatus = O("1.3.6.1.2.1.2.2.1.7");
const Oid IfOperStatus = O("1.3.6.1.2.1.2.2.1.8");
const Oid IfLastChange = O("1.3.6.1.2.1.2.2.1.9");
const Oid PortInfoType = O("1.3.6.1.4.1.88508.11.68.1.2.3.1.1.3");
const Oid PortInfoLink = O("1.3.6.1.4.1.88508.11.68.1.2.3.1.1.4");
const Oid PortInfoNway = O("1.3.6.1.4.1.88508.11.68.1.2.3.1.1.5");
const Oid PortCtrlAdmin = O("1.3.6.1.4.1.88508.11.68.1.2.3.2.1.3");
const Oid ConsoleInUse = O("1.3.6.1.4.1.88508.12.1.1.3.0");
const Oid LedStatus = O("1.3.6.1.4.1.88508.12.11.1.9.4.1.5.1");
const Oid SaveConfig = O("1.3.6.1.4.1.88508.12.1.2.6.0");
const Oid SystemReset = O("1.3.6.1.4.1.88508.12.1.2.3.0");
const Oid FileEntry = O("1.3.6.1.4.1.88508.12.1.2.1.1");
const Oid TransferStatus = O("1.3.6.1.4.1.88508.12.1.1.5.0");
const Oid TrunkEntry = O("1.3.6.1.4.1.88508.11.68.1.2.9.3.1");
const Oid TrunkCount = O("1.3.6.1.4.1.88508.11.68.1.2.9.2.0");
const Oid CurrentTime = O("1.3.6.1.4.1.88508.12.10.10.1.0");
const Oid UpTimeText = O("1.3.6.1.4.1.88508.12.10.10.2.0");
const Oid BootTimeText = O("1.3.6.1.4.1.88508.12.10.10.3.0");
const Oid TimeZone = O("1.3.6.1.4.1.88508.12.10.10.4.0");
const Oid FdbEntry = O("1.3.6.1.2.1.17.7.1.2.2.1");
const Oid AaaHostEntry = O("1.3.6.1.4.1.88508.12.5.10.1");
const Oid AaaGroupEntry = O("1.3.6.1.4.1.88508.12.5.9.1");
const Oid AaaMembership = O("1.3.6.1.4.1.88508.12.5.12.1.4");
const Oid CommunityEntry = O("1.3.6.1.6.3.18.1.1.1");
const Oid VlanStaticEntry = O("1.3.6.1.2.1.17.7.1.4.3.1");
const Oid VlanCount = O("1.3.6.1.2.1.17.7.1.1.4.0");
const Oid LoginMethodEntry = O("1.3.6.1.4.1.88508.12.5.3.1");
const Oid EnableMethodEntry = O("1.3.6.1.4.1.88508.12.5.4.1");
const Oid LoginAssignments = O("1.3.6.1.4.1.88508.12.5.7.1");
const Oid EnableAssignments = O("1.3.6.1.4.1.88508.12.5.7.2");
const Oid CleanCounters = O("1.3.6.1.4.1.88508.11.68.1.2.1.2.4.0");
const Oid PaePortEntry = O("1.0.8802.1.1.1.1.1.2.1");
const Oid AuthConfigEntry = O("1.0.8802.1.1.1.1.2.1.1");
const Oid AuthStatsEntry = O("1.0.8802.1.1.1.1.2.2.1");
const Oid AuthDiagEntry = O("1.0.8802.1.1.1.1.2.3.1");

constexpr uint32_t PortCount = 24;
constexpr size_t LedBytes = 55;
constexpr uint32_t GroupSlots = 8;
constexpr int64_t ProtocolOther = 6;

enum FileStatus : int64_t {
    StatusInProcess = 2,
    StatusInvalidFile = 3,
    StatusViolation = 4,
    StatusFileNotFound = 5,
    StatusDiskFull = 6,
    StatusComplete = 7,
    StatusTimeOut = 8,
};

// LED status values: the colour in the low three bits, 0x80 for blinking.
enum Led : uint8_t { LedGreen = 2, LedBlue = 4, LedOff = 6, LedBlink = 0x80 };

Bytes FourOctets(const Oid &suffix, size_t pos)
{
    Bytes bytes;
    for (size_t i = 0; i < 4; ++i)
        bytes += static_cast<char>(suffix[pos + i]);
    return bytes;
}

std::string FormatClock(std::time_t when)
{
    std::tm parts{};
    gmtime_r(&when, &parts);
    std::array<char, 32> text{};
    std::strftime(text.data(), text.size(), "%Y/%m/%d %H:%M:%S", &parts);
    return text.data();
}

std::string FormatDuration(uint32_t seconds)
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

bool IsBuiltInGroup(const Oid &index)
{
    for (const char *name : BuiltInGroups) {
        if (index == GroupIndex(name))
            return true;
    }
    return false;
}

Oid DefaultList()
{
    return GroupIndex("default");
}

int64_t RowCount(const Store &store, const Oid &entry)
{
    const TableDef *table = store.table(entry);
    return table ? static_cast<int64_t>(store.rowIndexes(*table).size()) : 0;
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

Switch::Switch(Store &store, Clock clock)
    : m_store(store)
    , m_clock(std::move(clock))
    , m_boot(m_clock())
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
        return Value::octets(FormatClock(std::time(nullptr) + zoneMinutes * 60));
    });
    m_store.setProvider(UpTimeText,
                        [this] { return Value::octets(FormatDuration(upTimeTicks() / 100)); });
    m_store.setProvider(BootTimeText, [this] {
        const int64_t zoneMinutes = m_store.number(TimeZone);
        return Value::octets(
            FormatClock(std::time(nullptr) - upTimeTicks() / 100 + zoneMinutes * 60));
    });
    m_store.setCheck(FileEntry + Oid{8}, [this](const Oid &, const Value &value) {
        return value.number() == 3 && m_transferRunning ? InconsistentValue : NoError;
    });
    if (m_store.object(AaaMembership))
        m_store.setAction(AaaMembership, std::make_unique<MembershipAction>(m_store));
    installAaaChecks();
    m_saved = m_store.values();
}

// The built-in server groups and the default method lists stay; an
// application can only be given a method list that exists.
void Switch::installAaaChecks()
{
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

uint32_t Switch::upTimeTicks() const
{
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(m_clock() - m_boot);
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
    const TableDef *fdb = m_store.table(FdbEntry);
    if (!fdb)
        return;
    for (const Oid &index : m_store.rowIndexes(*fdb))
        m_store.eraseRow(*fdb, index);
    for (int i = 0; i < count; ++i) {
        const uint32_t n = static_cast<uint32_t>(i);
        const Oid index{1, 0x00, 0x1C, 0xA8, (n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF};
        m_store.put(FdbEntry + Oid{2} + index, Value::integer(n % PortCount + 1));
        m_store.put(FdbEntry + Oid{3} + index, Value::integer(3));
    }
    m_saved = m_store.values();
}

void Switch::committed(const std::vector<VarBind> &bindings)
{
    for (const VarBind &binding : bindings)
        committedBinding(binding.oid, binding.value);
}

void Switch::committedBinding(const Oid &oid, const Value &value)
{
    if (oid == SaveConfig && value.number() == 3) {
        save();
    } else if (oid == SystemReset && value.number() == 2) {
        reset();
    } else if (oid.startsWith(IfAdminStatus) && oid.size() == IfAdminStatus.size() + 1) {
        updatePortLink(oid.ids().back());
    } else if (oid.startsWith(PortCtrlAdmin) && oid.size() == PortCtrlAdmin.size() + 1) {
        updatePortLink(oid.ids().back());
    } else if (oid.startsWith(FileEntry + Oid{8}) && oid.size() == FileEntry.size() + 2
               && value.number() == 3) {
        startTransfer(oid.ids().back());
    } else if (oid.startsWith(AaaHostEntry + Oid{7})) {
        const Oid index = oid.tail(AaaHostEntry.size() + 1);
        if (value.number() == RowCreateAndGo || value.number() == RowCreateAndWait)
            hostAdded(index);
        else if (value.number() == RowDestroy)
            hostRemoved(index);
    } else if (oid.startsWith(TrunkEntry + Oid{3}) || oid.startsWith(TrunkEntry + Oid{7})) {
        const Oid index = oid.tail(TrunkEntry.size() + 1);
        if (m_store.value(TrunkEntry + Oid{7} + index))
            m_store.put(TrunkEntry + Oid{5} + index,
                        Value::integer(m_store.number(TrunkEntry + Oid{3} + index)));
    } else if (oid.startsWith(AuthConfigEntry + Oid{6}) || oid.startsWith(PaePortEntry + Oid{4})
               || oid.startsWith(PaePortEntry + Oid{5})) {
        authenticate(oid.ids().back());
    } else if (oid == CleanCounters && value.number() == 2) {
        cleanCounters();
    } else if (oid.startsWith(CommunityEntry) && m_communitiesChanged) {
        m_communitiesChanged();
    }
}

// The authenticator state of a port after its port control changed or it
// was initialized or reauthenticated; both actions are one-shot.
void Switch::authenticate(uint32_t port)
{
    const Oid index{port};
    m_store.put(PaePortEntry + Oid{4} + index, Value::integer(2));
    m_store.put(PaePortEntry + Oid{5} + index, Value::integer(2));
    const int64_t control = m_store.number(AuthConfigEntry + Oid{6} + index);
    const bool linked = m_store.number(IfOperStatus + index) == 1;
    int64_t state = linked ? 5 : 2; // authenticated or disconnected
    if (control == 1)
        state = 9; // forceUnauth
    else if (control == 3)
        state = 8; // forceAuth
    const bool authorized = state == 5 || state == 8;
    m_store.put(AuthConfigEntry + Oid{1} + index, Value::integer(state));
    m_store.put(AuthConfigEntry + Oid{5} + index, Value::integer(authorized ? 1 : 2));
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
    if (!up)
        m_store.put(PortInfoNway + Oid{port}, Value::integer(2));
    if (before != (up ? 1 : 2))
        m_store.put(IfLastChange + Oid{port}, Value::unsignedOf(Type::TimeTicks, upTimeTicks()));
}

void Switch::save()
{
    m_store.put(SaveConfig, Value::integer(2));
    m_saved = m_store.values();
}

void Switch::reset()
{
    if (m_transfers && m_transferRunning)
        m_transfers->cancel();
    m_transferRunning = false;
    m_store.restore(m_saved);
    m_store.put(SystemReset, Value::integer(4));
    m_boot = m_clock();
    if (m_communitiesChanged)
        m_communitiesChanged();
}

void Switch::startTransfer(uint32_t row)
{
    const Oid index{row};
    TransferRequest request;
    const auto server = m_store.value(FileEntry + Oid{3} + index);
    request.server = server ? server->bytes() : Bytes(4, '\0');
    request.port = m_tftpPort;
    const auto file = m_store.value(FileEntry + Oid{5} + index);
    request.file = file ? file->bytes() : Bytes();
    request.upload = m_store.number(FileEntry + Oid{7} + index) == 2;
    // Firmware can only be fetched and the log only sent.
    if ((row == 1 && request.upload) || (row == 2 && !request.upload) || request.file.empty()
        || !m_transfers) {
        m_store.put(TransferStatus, Value::integer(StatusInvalidFile));
        m_store.put(FileEntry + Oid{8} + index, Value::integer(2));
        return;
    }
    if (request.upload)
        request.data = row == 2 ? logText() : configurationText();
    m_transferRunning = true;
    m_store.put(TransferStatus, Value::integer(StatusInProcess));
    m_transfers->start(request, [this, row](TransferOutcome outcome, const Bytes &received) {
        finishTransfer(row, outcome, received);
    });
}

void Switch::finishTransfer(uint32_t row, TransferOutcome outcome, const Bytes &received)
{
    static const std::map<TransferOutcome, int64_t> statuses = {
        {TransferOutcome::Complete, StatusComplete},
        {TransferOutcome::FileNotFound, StatusFileNotFound},
        {TransferOutcome::Violation, StatusViolation},
        {TransferOutcome::DiskFull, StatusDiskFull},
        {TransferOutcome::TimeOut, StatusTimeOut},
        {TransferOutcome::InvalidFile, StatusInvalidFile},
    };
    m_transferRunning = false;
    int64_t status = statuses.at(outcome);
    // An empty download cannot be a firmware image or a configuration.
    const bool upload = m_store.number(FileEntry + Oid{7} + Oid{row}) == 2;
    if (outcome == TransferOutcome::Complete && !upload && received.empty())
        status = StatusInvalidFile;
    m_store.put(TransferStatus, Value::integer(status));
    m_store.put(FileEntry + Oid{8} + Oid{row}, Value::integer(2));
}

Bytes Switch::configurationText() const
{
    Bytes text = "# RQ5160 configuration\n";
    for (const ObjectDef *def : m_store.objects()) {
        if (def->access != Access::ReadWrite || def->table)
            continue;
        const auto v = m_store.value(def->oid + Oid{0});
        if (!v)
            continue;
        text += def->name + " = ";
        text += IsNumeric(v->type()) ? std::to_string(v->number()) : "\"" + v->bytes() + "\"";
        text += "\n";
    }
    return text;
}

Bytes Switch::logText() const
{
    return "#1 " + FormatDuration(0) + " System started up\n#2 "
           + FormatDuration(upTimeTicks() / 100) + " Log uploaded by TFTP\n";
}

void Switch::hostAdded(const Oid &index)
{
    if (index.size() != 5 || index[4] < 1 || index[4] > 4)
        return;
    const Oid group = GroupIndex(BuiltInGroups[index[4] - 1]);
    if (!m_store.value(AaaGroupEntry + Oid{18} + group))
        return;
    MembershipAction::Add(m_store, group, FourOctets(index, 0), index[4]);
}

void Switch::hostRemoved(const Oid &index)
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
