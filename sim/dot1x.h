#pragma once

#include "store.h"

#include <functional>

namespace sim {

// The switch's 802.1X authenticator: port states follow the port control and
// the global switch, MAC-based mode lists its supplicants, the operational
// controlled direction follows the administrative one, session times grow,
// and the RADIUS servers keep their keys to themselves.
class Dot1xAuthenticator
{
public:
    using UpTime = std::function<uint32_t()>;

    Dot1xAuthenticator(Store &store, UpTime upTime);

    void install();
    // Reacts to an applied SET of one object.
    void committed(const Oid &oid, const Value &value);

private:
    void authenticate(uint32_t port);
    void authenticateAll();
    void showSupplicants();
    void growSessionTimes();

    Store &m_store;
    UpTime m_upTime;
};

} // namespace sim
