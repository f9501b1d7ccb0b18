#pragma once

#include "snmp/records.h"
#include "snmp/snmpvalue.h"

#include <QObject>

#include <functional>
#include <memory>

// Where and how an exchange goes: copies of the records, plus the time-out
// (hundredths of a second), the number of retransmissions and the
// max-repetitions of a GETBULK.
struct SnmpTarget
{
    KxSNMPDevice device;
    KxSNMPScope scope;
    KxSNMPSecurity security;
    int timeout = 100;
    int retries = 1;
    int bulkRepetitions = 0;

    bool operator==(const SnmpTarget &) const = default;
};

using SnmpCompletion = std::function<void(SnmpReply &reply)>;

// The access layer's only door to net-snmp. It keeps one net-snmp session per
// distinct target (address, port, version, credentials) for the life of the
// process, so an SNMPv3 agent's engine is discovered once, and it translates
// every outcome into the status values of the message tables.
class SnmpAdapter final : public QObject
{
public:
    static SnmpAdapter &instance();
    ~SnmpAdapter() override;

    // Sends and waits on the socket until the reply or the last time-out,
    // time-out × (retries + 1). A target's first SNMPv3 exchange discovers
    // the agent's engine first. Raises KxException -509 for an address that
    // is neither a numeric IPv4 or IPv6 address nor a resolvable name, and -506 before
    // CreateGlobalSession.
    SnmpReply exchange(const SnmpTarget &target, SnmpPduType type, const SnmpBindings &bindings);

    // exchange() in two steps, so that the caller can work while the agent
    // answers: start() sends (0 with the status when it could not), reply()
    // waits for the answer of a started exchange.
    quint64
    start(const SnmpTarget &target, SnmpPduType type, const SnmpBindings &bindings, int &status);
    SnmpReply reply(quint64 id);

    // Sends without waiting: the exchange's id, or 0 with the status when it
    // could not be sent. The completion runs later from the event loop, never
    // inside this call. Raises -509 like exchange().
    quint64 send(const SnmpTarget &target,
                 SnmpPduType type,
                 const SnmpBindings &bindings,
                 SnmpCompletion completion,
                 int &status);

    // Completes with a reply known without asking the agent: the completion
    // runs later from the event loop, as a received reply's does.
    quint64 post(SnmpReply reply, SnmpCompletion completion);

    // The exchange's completion will never run.
    void abandon(quint64 id);

    // Exchanges sent and not yet completed or abandoned.
    int outstanding() const;
    // net-snmp sessions opened so far.
    int sessionCount() const;

    // Called by net-snmp for every event of an exchange.
    int onEvent(int operation, void *session, void *pdu, quint64 id);

private:
    SnmpAdapter();
    void deliverReady();

    struct Private;
    std::unique_ptr<Private> d;
};
