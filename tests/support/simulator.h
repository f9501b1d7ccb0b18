#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

// The simulated RQ5160 (rq5160-sim) on an ephemeral loopback port, for tests
// that cross the wire. Read community "tundra", write community "granite";
// the default users file holds the SNMPv3 users listed in sim/data/users.conf.
class SimulatedSwitch
{
public:
    struct Options
    {
        QString dataFile;       // empty: the shipped switch
        QString usersFile;      // empty: the shipped users
        int fdbSize = -1;       // forwarding-table entries; -1: the simulator's default
        int tftpPort = -1;      // port of the TFTP server its file transfers use; -1: 69
        int tftpTimeoutMs = -1; // its TFTP client's retransmission time-out; -1: 1000
        bool logSets = false;   // keep the SETs it applies, for appliedValue()
    };

    SimulatedSwitch();
    explicit SimulatedSwitch(Options options);
    ~SimulatedSwitch();
    SimulatedSwitch(const SimulatedSwitch &) = delete;
    SimulatedSwitch &operator=(const SimulatedSwitch &) = delete;

    // Starts it on 127.0.0.1:0 and waits (about 5 s at most) until it answers;
    // false with a warning saying why.
    bool start();
    // Stops it (SIGTERM, then waits); a stopped switch answers nothing.
    void stop();

    quint16 port() const { return m_port; }
    QString address() const;
    QString usersFile() const;

    struct ToolResult
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    // Runs a net-snmp tool (snmpget, snmpset, snmpwalk, ...) against the switch
    // with the given options and OIDs; the target "127.0.0.1:<port>" goes after
    // the options. The tool reads no configuration of the machine or the user
    // and prints numeric OIDs (-On).
    ToolResult runTool(const QString &tool, const QStringList &args) const;

    // The value of one instance as snmpget prints it alone (-Oqv), quotes
    // removed; hex octets with -Ox when hex is set.
    QString get(const QString &oid, bool hex = false) const;
    // Sets one instance with snmpset's type letter ("i", "s", "x", "a"...);
    // true when the switch took it.
    bool set(const QString &oid, const QString &type, const QString &value) const;
    // The SET requests the switch has received so far (snmpInSetRequests).
    quint32 setRequests() const;
    // The last value a SET applied to the instance, as the simulator's SET
    // log writes it (numbers in decimal, octets as quoted hex); empty when
    // none did. Needs Options::logSets.
    std::optional<QString> appliedValue(const QString &oid) const;

private:
    bool waitUntilAnswering();

    Options m_options;
    std::unique_ptr<QProcess> m_process;
    QTemporaryDir m_toolConfig;
    quint16 m_port = 0;
    mutable QString m_setLog;
};

// Writes the shipped switch's data file followed by the extra lines to the
// path, for a SimulatedSwitch::Options::dataFile; false when it cannot.
bool WriteSwitchData(const QString &path, const QByteArray &extraLines);
