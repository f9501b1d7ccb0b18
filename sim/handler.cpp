#include "handler.h"

#include "store.h"
#include "switch.h"

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-includes.h>

#include <net-snmp/agent/net-snmp-agent-includes.h>

#include <map>
#include <optional>
#include <vector>

namespace sim {

namespace {

Oid ToOid(const oid *ids, size_t length)
{
    return Oid(std::vector<uint32_t>(ids, ids + length));
}

std::vector<oid> FromOid(const Oid &value)
{
    return std::vector<oid>(value.ids().begin(), value.ids().end());
}

void SetValue(netsnmp_variable_list *vb, const Value &value)
{
    switch (value.type()) {
    case Type::Integer: {
        const long v = static_cast<long>(value.number());
        snmp_set_var_typed_value(vb, ASN_INTEGER, &v, sizeof(v));
        return;
    }
    case Type::Counter32:
    case Type::Gauge32:
    case Type::TimeTicks: {
        static const std::map<Type, u_char> types = {{Type::Counter32, ASN_COUNTER},
                                                     {Type::Gauge32, ASN_GAUGE},
                                                     {Type::TimeTicks, ASN_TIMETICKS}};
        const u_long v = static_cast<u_long>(value.number()) & 0xFFFFFFFFUL;
        snmp_set_var_typed_value(vb, types.at(value.type()), &v, sizeof(v));
        return;
    }
    case Type::Counter64: {
        const auto v = static_cast<uint64_t>(value.number());
        counter64 c{static_cast<u_long>(v >> 32), static_cast<u_long>(v & 0xFFFFFFFFUL)};
        snmp_set_var_typed_value(vb, ASN_COUNTER64, &c, sizeof(c));
        return;
    }
    case Type::OctetString:
    case Type::IpAddress:
        snmp_set_var_typed_value(vb,
                                 value.type() == Type::IpAddress ? ASN_IPADDRESS : ASN_OCTET_STR,
                                 value.bytes().data(),
                                 value.bytes().size());
        return;
    case Type::ObjectId: {
        const std::vector<oid> ids = FromOid(value.oid());
        snmp_set_var_typed_value(vb, ASN_OBJECT_ID, ids.data(), ids.size() * sizeof(oid));
        return;
    }
    }
}

// The value of a SET binding; nullopt for types the switch never holds.
std::optional<Value> ValueOf(const netsnmp_variable_list *vb)
{
    switch (vb->type) {
    case ASN_INTEGER:
        return Value::integer(*vb->val.integer);
    case ASN_COUNTER:
        return Value::unsignedOf(Type::Counter32,
                                 static_cast<u_long>(*vb->val.integer) & 0xFFFFFFFFUL);
    case ASN_GAUGE:
        return Value::unsignedOf(Type::Gauge32,
                                 static_cast<u_long>(*vb->val.integer) & 0xFFFFFFFFUL);
    case ASN_TIMETICKS:
        return Value::unsignedOf(Type::TimeTicks,
                                 static_cast<u_long>(*vb->val.integer) & 0xFFFFFFFFUL);
    case ASN_COUNTER64:
        return Value::unsignedOf(Type::Counter64,
                                 (static_cast<uint64_t>(vb->val.counter64->high) << 32)
                                     | (vb->val.counter64->low & 0xFFFFFFFFUL));
    case ASN_OCTET_STR:
        return Value::octets(Bytes(reinterpret_cast<const char *>(vb->val.string), vb->val_len));
    case ASN_IPADDRESS:
        return Value::ipAddress(Bytes(reinterpret_cast<const char *>(vb->val.string), vb->val_len));
    case ASN_OBJECT_ID:
        return Value::objectId(ToOid(vb->val.objid, vb->val_len / sizeof(oid)));
    default:
        return std::nullopt;
    }
}

struct HandlerContext
{
    Store *store = nullptr;
    Switch *device = nullptr;
    Journal pending;             // changes of the SET in progress, across registrations
    std::map<Oid, Value> staged; // the values of the SET in progress, across registrations
};

HandlerContext &Context()
{
    static HandlerContext context;
    return context;
}

void HandleGet(netsnmp_agent_request_info *reqinfo, netsnmp_request_info *requests)
{
    for (netsnmp_request_info *request = requests; request; request = request->next) {
        if (request->processed)
            continue;
        netsnmp_variable_list *vb = request->requestvb;
        Value value;
        switch (Context().store->get(ToOid(vb->name, vb->name_length), value)) {
        case Lookup::Found:
            SetValue(vb, value);
            break;
        case Lookup::NoSuchInstance:
            netsnmp_set_request_error(reqinfo, request, SNMP_NOSUCHINSTANCE);
            break;
        case Lookup::NoSuchObject:
            netsnmp_set_request_error(reqinfo, request, SNMP_NOSUCHOBJECT);
            break;
        }
    }
}

void HandleGetNext(netsnmp_handler_registration *reginfo, netsnmp_request_info *requests)
{
    const Oid root = ToOid(reginfo->rootoid, reginfo->rootoid_len);
    for (netsnmp_request_info *request = requests; request; request = request->next) {
        if (request->processed)
            continue;
        netsnmp_variable_list *vb = request->requestvb;
        const auto next = Context().store->next(ToOid(vb->name, vb->name_length), root);
        if (!next)
            continue; // left unanswered: the agent asks the next subtree
        const std::vector<oid> name = FromOid(next->first);
        snmp_set_var_objid(vb, name.data(), name.size());
        SetValue(vb, next->second);
    }
}

std::vector<netsnmp_request_info *> Pending(netsnmp_request_info *requests)
{
    std::vector<netsnmp_request_info *> list;
    for (netsnmp_request_info *request = requests; request; request = request->next) {
        if (!request->processed)
            list.push_back(request);
    }
    return list;
}

// Returns the bindings of this registration's part of a SET; a binding of a
// type the switch never holds fails the SET with wrongType.
bool Bindings(netsnmp_agent_request_info *reqinfo,
              const std::vector<netsnmp_request_info *> &requests,
              std::vector<VarBind> &bindings)
{
    for (netsnmp_request_info *request : requests) {
        const netsnmp_variable_list *vb = request->requestvb;
        const auto value = ValueOf(vb);
        if (!value) {
            netsnmp_set_request_error(reqinfo, request, SNMP_ERR_WRONGTYPE);
            return false;
        }
        bindings.push_back({ToOid(vb->name, vb->name_length), *value});
    }
    return true;
}

int HandleRequest(netsnmp_mib_handler *,
                  netsnmp_handler_registration *reginfo,
                  netsnmp_agent_request_info *reqinfo,
                  netsnmp_request_info *requests)
{
    HandlerContext &context = Context();
    const std::vector<netsnmp_request_info *> pending = Pending(requests);
    std::vector<VarBind> bindings;
    if (reqinfo->mode == MODE_GET || reqinfo->mode == MODE_GETNEXT
        || reqinfo->mode == MODE_SET_RESERVE1)
        context.device->update();
    switch (reqinfo->mode) {
    case MODE_GET:
        HandleGet(reqinfo, requests);
        break;
    case MODE_GETNEXT:
        HandleGetNext(reginfo, requests);
        break;
    case MODE_SET_RESERVE1:
        if (Bindings(reqinfo, pending, bindings)) {
            const SetResult result = context.store->check(bindings);
            if (result.status != NoError)
                netsnmp_set_request_error(reqinfo, pending[result.index], result.status);
            for (const VarBind &binding : bindings)
                context.staged[binding.oid] = binding.value;
        }
        break;
    case MODE_SET_RESERVE2:
        // Every part of the SET is known now: objects that must agree are checked.
        if (Bindings(reqinfo, pending, bindings)) {
            for (size_t i = 0; i < bindings.size(); ++i) {
                const int status = context.device->consistent(bindings[i].oid, context.staged);
                if (status != NoError)
                    netsnmp_set_request_error(reqinfo, pending[i], status);
            }
        }
        break;
    case MODE_SET_ACTION:
        if (Bindings(reqinfo, pending, bindings)) {
            const Journal journal = context.store->apply(bindings);
            context.pending.before.insert(
                context.pending.before.end(), journal.before.begin(), journal.before.end());
        }
        break;
    case MODE_SET_UNDO:
        context.store->revert(context.pending);
        context.pending = {};
        context.staged.clear();
        break;
    case MODE_SET_COMMIT:
        context.pending = {};
        context.staged.clear();
        if (Bindings(reqinfo, pending, bindings)) {
            context.device->committed(bindings);
            snmp_increment_statistic_by(STAT_SNMPINTOTALSETVARS, static_cast<int>(bindings.size()));
        }
        break;
    case MODE_SET_FREE:
        context.pending = {};
        context.staged.clear();
        break;
    default:
        break;
    }
    return SNMP_ERR_NOERROR;
}

// The subtrees the store serves: each scalar and each table on its own, so
// that net-snmp's own SNMPv3 tables stay beside them.
std::vector<Oid> RegistrationRoots(const Store &store)
{
    std::vector<Oid> roots;
    for (const TableDef *table : store.tables())
        roots.push_back(table->entry);
    for (const ObjectDef *def : store.objects()) {
        if (!def->table && def->access != Access::NotAccessible)
            roots.push_back(def->oid);
    }
    return roots;
}

} // namespace

void RegisterStore(Store &store, Switch &device)
{
    Context().store = &store;
    Context().device = &device;
    for (const Oid &root : RegistrationRoots(store)) {
        const std::vector<oid> ids = FromOid(root);
        netsnmp_handler_registration *registration = netsnmp_create_handler_registration(
            "rq5160", HandleRequest, ids.data(), ids.size(), HANDLER_CAN_RWRITE);
        netsnmp_register_handler(registration);
    }
}

} // namespace sim
