#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace sim {

class Store;
class Switch;
struct SnmpUser;

// Sockets and timers of the simulator's single event loop.
class EventLoop
{
public:
    virtual ~EventLoop() = default;
    virtual void watch(int fd, std::function<void()> readable) = 0;
    virtual void unwatch(int fd) = 0;
    // Runs `callback` once after `ms` milliseconds; returns an id for cancel.
    virtual unsigned after(int ms, std::function<void()> callback) = 0;
    virtual void cancel(unsigned timer) = 0;
};

// net-snmp's agent library as a master agent serving the store on one UDP
// address, with the SNMPv3 standard tables of the library itself.
class Agent final : public EventLoop
{
public:
    Agent(Store &store, Switch &device);
    ~Agent();
    Agent(const Agent &) = delete;
    Agent &operator=(const Agent &) = delete;

    // Sets up the library, the access control and the SNMPv3 users, then
    // listens on "address:port"; an IPv6 address goes in brackets
    // ("[::1]"). Returns an empty text or the reason.
    std::string
    start(const std::string &address, uint16_t port, const std::vector<SnmpUser> &users);
    uint16_t port() const { return m_port; }

    // Processes requests until stop() or SIGINT/SIGTERM.
    void run();
    void stop();

    void watch(int fd, std::function<void()> readable) override;
    void unwatch(int fd) override;
    unsigned after(int ms, std::function<void()> callback) override;
    void cancel(unsigned timer) override;

private:
    std::string openTransport(const std::string &address, uint16_t port);
    void fillCommunityEngineIds();
    void syncCommunities();
    void syncIpv6Communities(const std::vector<std::pair<std::string, std::string>> &communities);

    Store &m_store;
    Switch &m_switch;
    uint16_t m_port = 0;
    bool m_ipv6 = false;
    bool m_running = false;
};

} // namespace sim
