#include "undoguard.h"

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-includes.h>

#include <net-snmp/agent/net-snmp-agent-includes.h>

#include <cstring>
#include <set>

namespace sim {

namespace {

const char Before[] = "sim-undo-guard-before";

void FreeVarbind(void *varbind)
{
    snmp_free_varbind(static_cast<netsnmp_variable_list *>(varbind));
}

// Runs the next handler in the given modes for one instance that is not part
// of the request; true when each mode went through.
bool RunAlone(netsnmp_mib_handler *handler,
              netsnmp_handler_registration *registration,
              netsnmp_agent_request_info *info,
              netsnmp_variable_list *varbind,
              std::initializer_list<int> modes)
{
    netsnmp_request_info alone{};
    alone.requestvb = varbind;
    alone.agent_req_info = info;
    const int mode = info->mode;
    bool done = true;
    for (const int step : modes) {
        info->mode = step;
        netsnmp_call_next_handler_one_request(handler, registration, info, &alone);
        if (alone.status != SNMP_ERR_NOERROR) {
            done = false;
            break;
        }
    }
    info->mode = mode;
    netsnmp_free_request_data_sets(&alone);
    return done;
}

// The instance's current value, or null when the row does not have it.
netsnmp_variable_list *CurrentValue(netsnmp_mib_handler *handler,
                                    netsnmp_handler_registration *registration,
                                    netsnmp_agent_request_info *info,
                                    const netsnmp_request_info *request)
{
    netsnmp_variable_list *varbind = snmp_clone_varbind(request->requestvb);
    if (!varbind)
        return nullptr;
    snmp_set_var_typed_value(varbind, ASN_NULL, nullptr, 0);
    if (!RunAlone(handler, registration, info, varbind, {MODE_GET}) || varbind->type == ASN_NULL
        || varbind->type == SNMP_NOSUCHINSTANCE || varbind->type == SNMP_NOSUCHOBJECT) {
        snmp_free_varbind(varbind);
        return nullptr;
    }
    return varbind;
}

bool SameValue(const netsnmp_variable_list *a, const netsnmp_variable_list *b)
{
    return a->type == b->type && a->val_len == b->val_len
           && (a->val_len == 0 || std::memcmp(a->val.string, b->val.string, a->val_len) == 0);
}

void RememberBefore(netsnmp_mib_handler *handler,
                    netsnmp_handler_registration *registration,
                    netsnmp_agent_request_info *info,
                    netsnmp_request_info *requests)
{
    for (netsnmp_request_info *request = requests; request; request = request->next) {
        if (netsnmp_request_get_list_data(request, Before))
            continue;
        if (netsnmp_variable_list *before = CurrentValue(handler, registration, info, request))
            netsnmp_request_add_list_data(request,
                                          netsnmp_create_data_list(Before, before, FreeVarbind));
    }
}

void PutBackBefore(netsnmp_mib_handler *handler,
                   netsnmp_handler_registration *registration,
                   netsnmp_agent_request_info *info,
                   netsnmp_request_info *requests)
{
    for (netsnmp_request_info *request = requests; request; request = request->next) {
        const auto *before
            = static_cast<netsnmp_variable_list *>(netsnmp_request_get_list_data(request, Before));
        if (!before)
            continue;
        netsnmp_variable_list *now = CurrentValue(handler, registration, info, request);
        const bool unchanged = now && SameValue(now, before);
        snmp_free_varbind(now);
        if (unchanged)
            continue;
        netsnmp_variable_list *value
            = snmp_clone_varbind(const_cast<netsnmp_variable_list *>(before));
        if (!RunAlone(handler,
                      registration,
                      info,
                      value,
                      {MODE_SET_RESERVE1, MODE_SET_RESERVE2, MODE_SET_ACTION, MODE_SET_COMMIT}))
            snmp_log(LOG_ERR, "a refused SET could not put a value back\n");
        snmp_free_varbind(value);
    }
}

int GuardHandler(netsnmp_mib_handler *handler,
                 netsnmp_handler_registration *registration,
                 netsnmp_agent_request_info *info,
                 netsnmp_request_info *requests)
{
    if (info->mode == MODE_SET_RESERVE1)
        RememberBefore(handler, registration, info, requests);
    const int status = netsnmp_call_next_handler(handler, registration, info, requests);
    if (info->mode == MODE_SET_FREE || info->mode == MODE_SET_UNDO)
        PutBackBefore(handler, registration, info, requests);
    return status;
}

} // namespace

void GuardUndo(const std::vector<std::vector<uint32_t>> &columns)
{
    std::set<netsnmp_handler_registration *> guarded;
    for (const std::vector<uint32_t> &column : columns) {
        const std::vector<oid> name(column.begin(), column.end());
        netsnmp_subtree *subtree = netsnmp_subtree_find(name.data(), name.size(), nullptr, "");
        if (!subtree || !subtree->reginfo || !guarded.insert(subtree->reginfo).second)
            continue;
        netsnmp_inject_handler(subtree->reginfo, netsnmp_create_handler("undoGuard", GuardHandler));
    }
}

} // namespace sim
