#pragma once

namespace sim {

class Store;
class Switch;

// Serves the store through net-snmp's agent: GET and GET-NEXT (GETBULK by
// the agent's own loop) from the store, SETs checked, applied all or none
// across the agent's phases and handed to the switch once committed. Each
// scalar and each table is its own registration, beside the library's
// SNMPv3 tables. Call between init_agent() and init_snmp().
void RegisterStore(Store &store, Switch &device);

} // namespace sim
