#pragma once

#include <QObject>
#include <QTimer>

#include <map>
#include <memory>

class QSocketNotifier;

// The local SNMPv3 engine ID and the engine-boots counter file.
inline constexpr char LocalEngineId[] = "KxSNMP_PP_Application";
inline constexpr char BootCounterFileName[] = "KxSNMP_PP_BootCounter";

// Initialises the SNMP engine for the whole process: advances and saves the
// engine-boots counter in the folder (empty = current directory), loads the
// record defaults, sets the default request time-out and starts the event
// processor. Raises KxException -506, -507 or -508.
void CreateGlobalSession(const QString &bootCounterFolder);
bool GlobalSessionExists();

// The engine boots of this run (0 before CreateGlobalSession).
quint32 EngineBoots();

// Time-out every new request starts with, in hundredths of a second.
int DefaultRequestTimeout();
void SetDefaultRequestTimeout(int hundredths);

// Rows per exchange every new request's table walks ask for with GETBULK
// (SNMPv2c and SNMPv3); 0 walks one row per GET-NEXT.
int DefaultBulkRepetitions();
void SetDefaultBulkRepetitions(int repetitions);

// Delivers the replies and time-outs of asynchronous exchanges on the GUI
// thread: it watches the sockets of the open net-snmp sessions and wakes at
// the engine's next retransmission or time-out deadline.
class SnmpEventProcessor final : public QObject
{
public:
    SnmpEventProcessor();
    ~SnmpEventProcessor() override;

    void Start();
    void Stop();
    bool isRunning() const { return m_running; }

    // Sessions of the adapter (opaque net-snmp single-session handles).
    void addSession(void *handle);
    void removeSession(void *handle);

    // Handles everything due now without waiting, then re-arms the deadline.
    void processPendingEvents();
    // Re-arms the deadline after the engine's requests changed (a send).
    void reschedule();

private:
    void readIfPending(void *handle);
    void onDeadline();

    std::map<void *, std::unique_ptr<QSocketNotifier>> m_sessions;
    QTimer m_deadline;
    bool m_running = false;
};

SnmpEventProcessor &GlobalEventProcessor();
