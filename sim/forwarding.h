#pragma once

#include "store.h"

namespace sim {

// The forwarding database and the tables that feed it: static unicast and
// multicast entries (checked against the VLANs, shown in the forwarding
// table as mgmt), trunks (members, master, type) and the LACP port table.
class Forwarding
{
public:
    explicit Forwarding(Store &store);

    // Installs the checks and the rows of the static entries; call once after loading.
    void install();
    // Adds `count` learned entries to the rows of the data file.
    void generate(int count);
    // Reacts to a SET that has been applied.
    void committed(const Oid &oid, const Value &value);

private:
    void installStaticChecks(const Oid &entry, bool multicast);
    void installTrunkChecks();
    // The forwarding rows of the static unicast entries, made again.
    void showStaticEntries();
    void vlanRemoved(uint32_t vlan);

    Store &m_store;
};

} // namespace sim
