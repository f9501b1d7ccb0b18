#pragma once

#include "aaa.h"
#include "clock.h"
#include "dot1x.h"
#include "filetable.h"
#include "forwarding.h"
#include "igmp.h"
#include "rmon.h"
#include "spanningtree.h"
#include "store.h"
#include "traffic.h"
#include "transfers.h"

#include <chrono>
#include <functional>
#include <map>
#include <ostream>

namespace sim {

// The RQ5160's behaviour on top of its object store: clocks, LEDs, port links,
// saving and resetting, counts; the authentication servers, the
// 802.1X authenticator, the file table and the RMON probe keep their own books.
class Switch
{
public:
    using Clock = SwitchClock::Source;

    explicit Switch(Store &store, Clock clock = &std::chrono::steady_clock::now);

    // Installs the computed values and actions; call once after loading.
    void install();
    // Adds `count` learned entries to the forwarding table.
    void generateForwardingTable(int count);
    void setFileTransfers(FileTransfers *transfers) { m_files.setTransfers(transfers); }
    void setTftpPort(uint16_t port) { m_files.setTftpPort(port); }
    // Called whenever the community table may have changed.
    void setCommunitiesChanged(std::function<void()> changed)
    {
        m_communitiesChanged = std::move(changed);
    }

    // Brings what time drives (RMON history buckets, alarm samples) up to the
    // present; the agent calls it before it answers a request.
    void update();
    // Every SET applied from now on is written to `log`, one line per
    // variable: "set OID VALUE", numbers in decimal and octets in hex.
    void setSetLog(std::ostream *log) { m_setLog = log; }
    // Reacts to a SET that has been applied.
    void committed(const std::vector<VarBind> &bindings);
    // The error status for a binding that disagrees with the other objects
    // of the same SET (`staged`) or with what the switch holds; NoError if none.
    int consistent(const Oid &oid, const std::map<Oid, Value> &staged) const;

    // The front-panel LED status bytes at this moment.
    Bytes ledStatus() const;
    uint32_t upTimeTicks() const;

private:
    void committedBinding(const Oid &oid, const Value &value);
    void logSet(const std::vector<VarBind> &bindings) const;
    void updatePortLink(uint32_t port);
    void updatePortSpeed(uint32_t port);
    void installChecks();
    void save();
    void reset();
    void cleanCounters();
    void installTraffic();
    void installInterfaceCounters(uint32_t port);
    void advanceClock(int64_t seconds);
    uint32_t ticksAt(std::chrono::steady_clock::time_point at) const;

    Store &m_store;
    AaaServers m_aaa;
    Dot1xAuthenticator m_dot1x;
    FileTable m_files;
    SpanningTree m_stp;
    IgmpSnooping m_igmp;
    Forwarding m_forwarding;
    PortTraffic m_traffic;
    SwitchClock m_clock;
    std::chrono::steady_clock::time_point m_boot;
    Rmon m_rmon;
    std::map<Oid, Value> m_saved;
    std::map<uint32_t, bool> m_cabled; // ports with a cable plugged in
    std::function<void()> m_communitiesChanged;
    std::ostream *m_setLog = nullptr;
};

} // namespace sim
