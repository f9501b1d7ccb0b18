#pragma once

#include "store.h"

namespace sim {

// The switch's authentication servers: a host joins the built-in server group
// of its protocol, a control object adds and removes group members, the
// built-in groups and the default method lists stay, and an application can
// only be given a method list that exists.
class AaaServers
{
public:
    explicit AaaServers(Store &store);

    void install();
    // Keeps the built-in groups in step after a SET of the host table.
    void committed(const Oid &oid, const Value &value);

private:
    void installChecks();
    void hostAdded(const Oid &index);
    void hostRemoved(const Oid &index);

    Store &m_store;
};

} // namespace sim
