#include "agent.h"

#include "handler.h"
#include "store.h"
#include "switch.h"
#include "undoguard.h"
#include "users.h"

#include "snmp/netsnmpsetup.h"

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-includes.h>

#include <net-snmp/agent/net-snmp-agent-includes.h>
#include <net-snmp/library/snmpUDPDomain.h>
#include <net-snmp/library/snmpUDPIPv6Domain.h>

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

extern "C" {
// SNMPv3 standard MIB modules of net-snmp's agent library (no public header).
void init_snmpEngine(void);
void init_snmpMPDStats(void);
void init_usmStats(void);
void init_usmUser(void);
void init_vacm_vars(void);
void init_vacm_context(void);
void init_snmpTargetAddrEntry(void);
void init_snmpTargetAddrEntry_data(void);
void init_snmpTargetParamsEntry(void);
void init_snmpTargetParamsEntry_data(void);
void init_target_counters(void);
void init_snmpNotifyTable(void);
void init_vacm_conf(void);
void init_usmConf(void);
}

namespace sim {

// The library's com2sec6 list has no removal of single entries; this frees
// it whole (exported by libnetsnmp, missing from its public header).
extern "C" void netsnmp_udp6_com2Sec6List_free(void);

namespace {

const char AppName[] = "rq5160-sim";
const Oid CommunityEntry{1, 3, 6, 1, 6, 3, 18, 1, 1, 1};
const Oid InSetRequests{1, 3, 6, 1, 2, 1, 11, 17, 0};
const Oid InTotalSetVars{1, 3, 6, 1, 2, 1, 11, 14, 0};
int StopPipe[2] = {-1, -1};

// The write end of the self-pipe is the only thing a signal handler touches.
void OnSignal(int)
{
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = write(StopPipe[1], &byte, 1);
}

std::map<int, std::function<void()>> &Watches()
{
    static std::map<int, std::function<void()>> watches;
    return watches;
}

void OnReadable(int fd, void *)
{
    const auto it = Watches().find(fd);
    if (it != Watches().end()) {
        const auto callback = it->second;
        callback();
    }
}

std::map<unsigned, std::function<void()>> &Timers()
{
    static std::map<unsigned, std::function<void()>> timers;
    return timers;
}

void OnAlarm(unsigned int id, void *)
{
    const auto it = Timers().find(id);
    if (it == Timers().end())
        return;
    const auto callback = std::move(it->second);
    Timers().erase(it);
    callback();
}

std::vector<com2SecEntry *> &CommunityEntries()
{
    static std::vector<com2SecEntry *> entries;
    return entries;
}

const char *const AgentConfiguration[] = {
    "view all included .1",
    "group tundra v1 tundra",
    "group tundra v2c tundra",
    "group granite v1 granite",
    "group granite v2c granite",
    "access tundra \"\" v1 noauth exact all none all",
    "access tundra \"\" v2c noauth exact all none all",
    "access granite \"\" v1 noauth exact all all all",
    "access granite \"\" v2c noauth exact all all all",
    "access v3noauth \"\" usm noauth exact all all all",
    "access v3auth \"\" usm auth exact all all all",
    "access v3priv \"\" usm priv exact all all all",
    // Two notification hosts, as the SNMPv3 dialog names them; nonVolatile
    // so that they can be deleted.
    "targetParams trap.tundra.192.168.1.20 1 2 tundra 1 3 1",
    "targetAddr trap.tundra.192.168.1.20 .1.3.6.1.6.1.1 0xC0A8011400A2 200 3 \"trap\" "
    "trap.tundra.192.168.1.20 3 1",
    "targetParams trap.authPrivShaAes.10.1.1.5 3 3 authPrivShaAes 3 3 1",
    "targetAddr trap.authPrivShaAes.10.1.1.5 .1.3.6.1.6.1.1 0x0A01010500A2 200 3 \"trap\" "
    "trap.authPrivShaAes.10.1.1.5 3 1",
    // The switch's notifications go as traps to every host tagged "trap".
    "snmpNotifyTable trap trap 1 3 1",
};

// A configuration word in quotes, as the library's word reader takes it back.
std::string Quoted(const std::string &word)
{
    std::string quoted = "\"";
    for (const char c : word) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

// The columns of the target and notification tables a SET may write.
std::vector<std::vector<uint32_t>> WritableColumns()
{
    const std::pair<std::vector<uint32_t>, uint32_t> tables[] = {
        {{1, 3, 6, 1, 6, 3, 12, 1, 2, 1}, 9}, // snmpTargetAddrEntry
        {{1, 3, 6, 1, 6, 3, 12, 1, 3, 1}, 7}, // snmpTargetParamsEntry
        {{1, 3, 6, 1, 6, 3, 13, 1, 1, 1}, 5}, // snmpNotifyEntry
    };
    std::vector<std::vector<uint32_t>> columns;
    for (const auto &[entry, lastColumn] : tables) {
        for (uint32_t column = 2; column <= lastColumn; ++column) {
            columns.push_back(entry);
            columns.back().push_back(column);
        }
    }
    return columns;
}

std::string ApplyConfigLine(const std::string &line)
{
    std::vector<char> text(line.begin(), line.end());
    text.push_back('\0');
    return netsnmp_config(text.data()) == SNMPERR_SUCCESS ? std::string() : "cannot apply: " + line;
}

// Configured mappings are permanent; the switch's own can be deleted.
void MakeDeletable(int securityModel, const std::string &securityName)
{
    if (vacm_groupEntry *group = vacm_getGroupEntry(securityModel, securityName.c_str()))
        group->storageType = SNMP_STORAGE_NONVOLATILE;
}

std::string CreateUsers(const std::vector<SnmpUser> &users)
{
    u_char engineId[SNMP_MAXBUF_SMALL];
    const size_t engineIdLength = snmpv3_get_engineID(engineId, sizeof(engineId));
    for (const SnmpUser &user : users) {
        std::string line = "createUser " + user.name;
        if (!user.authProtocol.empty())
            line += " " + user.authProtocol + " \"" + user.authPassword + "\"";
        if (!user.privProtocol.empty())
            line += " " + user.privProtocol + " \"" + user.privPassword + "\"";
        if (std::string error = ApplyConfigLine(line); !error.empty())
            return error;
        if (!usm_get_user(engineId, engineIdLength, const_cast<char *>(user.name.c_str())))
            return "net-snmp refused the user " + user.name;
        if (std::string error = ApplyConfigLine("group " + user.group() + " usm " + user.name);
            !error.empty())
            return error;
        MakeDeletable(SNMP_SEC_MODEL_USM, user.name);
    }
    return {};
}

} // namespace

Agent::Agent(Store &store, Switch &device)
    : m_store(store)
    , m_switch(device)
{}

Agent::~Agent()
{
    snmp_shutdown(AppName);
}

std::string
Agent::start(const std::string &address, uint16_t port, const std::vector<SnmpUser> &users)
{
    // The library creates this folder when it is missing, and says so.
    const std::string folder = PrepareNetSnmpLibrary();
    std::error_code ignored;
    std::filesystem::create_directories(folder + "/cert_indexes", ignored);
    m_ipv6 = address.size() > 1 && address.front() == '[' && address.back() == ']';
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_ROLE, 0);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_NO_ROOT_ACCESS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_AGENTX_MASTER, 0);
    netsnmp_ds_set_boolean(
        NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_DONT_LOG_TCPWRAPPERS_CONNECTS, 1);
    add_to_init_list(const_cast<char *>("-smux"));
    init_agent(AppName);
    init_vacm_conf();
    init_usmConf();

    // The agent library counts the SET requests it receives; the store's
    // handler counts the objects they changed.
    m_store.setProvider(InSetRequests, [] {
        return Value::unsignedOf(Type::Counter32, snmp_get_statistic(STAT_SNMPINSETREQUESTS));
    });
    m_store.setProvider(InTotalSetVars, [] {
        return Value::unsignedOf(Type::Counter32, snmp_get_statistic(STAT_SNMPINTOTALSETVARS));
    });
    RegisterStore(m_store, m_switch);
    init_snmpEngine();
    init_snmpMPDStats();
    init_usmStats();
    init_usmUser();
    init_vacm_vars();
    init_vacm_context();
    init_snmpTargetAddrEntry();
    init_snmpTargetAddrEntry_data();
    init_snmpTargetParamsEntry();
    init_snmpTargetParamsEntry_data();
    init_target_counters();
    init_snmpNotifyTable();
    GuardUndo(WritableColumns());
    // The access control is in place when the library starts, so that it
    // finds a configured agent.
    for (const char *line : AgentConfiguration)
        netsnmp_config_remember(const_cast<char *>(line));
    init_snmp(AppName);
    // Logged from here on: what goes wrong while serving, not the library's
    // notes about its private folder.
    snmp_enable_stderrlog();

    if (std::string error = CreateUsers(users); !error.empty())
        return error;
    fillCommunityEngineIds();
    syncCommunities();
    m_switch.setCommunitiesChanged([this] { syncCommunities(); });
    return openTransport(address, port);
}

std::string Agent::openTransport(const std::string &address, uint16_t port)
{
    const std::string endpoint = (m_ipv6 ? "udp6:" : "udp:") + address + ":" + std::to_string(port);
    netsnmp_transport *transport = netsnmp_transport_open_server(AppName, endpoint.c_str());
    if (!transport)
        return "cannot listen on " + address + ":" + std::to_string(port);
    if (netsnmp_register_agent_nsap(transport) == 0) {
        netsnmp_transport_free(transport);
        return "cannot serve " + endpoint;
    }
    sockaddr_storage bound{};
    socklen_t length = sizeof(bound);
    if (getsockname(transport->sock, reinterpret_cast<sockaddr *>(&bound), &length) != 0)
        return "cannot read the bound address";
    m_port = ntohs(bound.ss_family == AF_INET6
                       ? reinterpret_cast<const sockaddr_in6 *>(&bound)->sin6_port
                       : reinterpret_cast<const sockaddr_in *>(&bound)->sin_port);

    if (pipe(StopPipe) != 0)
        return "cannot create the stop pipe";
    fcntl(StopPipe[0], F_SETFL, O_NONBLOCK);
    fcntl(StopPipe[1], F_SETFL, O_NONBLOCK);
    watch(StopPipe[0], [this] { stop(); });
    struct sigaction action
    {};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    return {};
}

void Agent::fillCommunityEngineIds()
{
    const TableDef *communities = m_store.table(CommunityEntry);
    if (!communities)
        return;
    u_char engineId[SNMP_MAXBUF_SMALL];
    const size_t length = snmpv3_get_engineID(engineId, sizeof(engineId));
    const Value id = Value::octets(Bytes(reinterpret_cast<const char *>(engineId), length));
    const Oid column = communities->entry + Oid{4};
    m_store.setDefault(column, id);
    for (const Oid &index : m_store.rowIndexes(*communities)) {
        const auto current = m_store.value(column + index);
        if (!current || current->bytes().empty())
            m_store.put(column + index, id);
    }
}

void Agent::syncCommunities()
{
    for (com2SecEntry *entry : CommunityEntries()) {
        netsnmp_udp_com2SecList_remove(entry);
        netsnmp_udp_com2Sec_free(entry);
    }
    CommunityEntries().clear();
    const TableDef *communities = m_store.table(CommunityEntry);
    if (!communities)
        return;
    in_addr any{};
    std::vector<std::pair<std::string, std::string>> active;
    for (const Oid &index : m_store.rowIndexes(*communities)) {
        const auto name = m_store.value(communities->entry + Oid{2} + index);
        const auto securityName = m_store.value(communities->entry + Oid{3} + index);
        if (!name || !securityName
            || m_store.number(communities->entry + Oid{8} + index) != RowActive)
            continue;
        active.emplace_back(name->bytes(), securityName->bytes());
        com2SecEntry *entry = nullptr;
        if (netsnmp_udp_com2SecEntry_create(&entry,
                                            name->bytes().c_str(),
                                            securityName->bytes().c_str(),
                                            nullptr,
                                            &any,
                                            &any,
                                            0)
            == C2SE_ERR_SUCCESS)
            CommunityEntries().push_back(entry);
    }
    if (m_ipv6)
        syncIpv6Communities(active);
}

// Requests over IPv6 find their community in the library's com2sec6 list.
void Agent::syncIpv6Communities(const std::vector<std::pair<std::string, std::string>> &communities)
{
    netsnmp_udp6_com2Sec6List_free();
    for (const auto &[community, securityName] : communities) {
        std::string line = Quoted(securityName) + " default " + Quoted(community);
        netsnmp_udp6_parse_security("com2sec6", line.data());
    }
}

void Agent::run()
{
    m_running = true;
    while (m_running)
        agent_check_and_process(1);
}

void Agent::stop()
{
    char drained[16];
    while (read(StopPipe[0], drained, sizeof(drained)) > 0) {
    }
    m_running = false;
}

void Agent::watch(int fd, std::function<void()> readable)
{
    Watches()[fd] = std::move(readable);
    register_readfd(fd, OnReadable, nullptr);
}

void Agent::unwatch(int fd)
{
    unregister_readfd(fd);
    Watches().erase(fd);
}

} // namespace sim

namespace sim {

unsigned Agent::after(int ms, std::function<void()> callback)
{
    timeval delay{ms / 1000, (ms % 1000) * 1000};
    const unsigned id = snmp_alarm_register_hr(delay, 0, OnAlarm, nullptr);
    if (id != 0)
        Timers()[id] = std::move(callback);
    return id;
}

void Agent::cancel(unsigned timer)
{
    if (Timers().erase(timer) != 0)
        snmp_alarm_unregister(timer);
}

} // namespace sim
