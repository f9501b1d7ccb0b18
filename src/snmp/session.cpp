#include "snmp/session.h"

#include "platform/paths.h"
#include "snmp/bootcounter.h"
#include "snmp/errors.h"
#include "snmp/kxexception.h"
#include "snmp/netsnmpsetup.h"
#include "snmp/records.h"

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-includes.h>

#include <QSocketNotifier>

#include <algorithm>
#include <optional>

#include <poll.h>

namespace {

bool sessionCreated = false;
quint32 engineBoots = 0;
int defaultTimeout = 100;
int defaultBulkRepetitions = 0;

// The module is never the authoritative engine of an exchange, so net-snmp
// needs only the engine ID; the boots counter is kept in the module's own file.
bool initialiseLibrary()
{
    PrepareNetSnmpLibrary();
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_ALARM_DONT_USE_SIG, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_QUICK_PRINT, 1);
    init_snmp("rq5160");
    static char engineId[] = "KxSNMP_PP_Application";
    if (setup_engineID(nullptr, engineId) < 0)
        return false;
    return true;
}

int socketOf(void *handle)
{
    const netsnmp_transport *transport = snmp_sess_transport(handle);
    return transport ? transport->sock : -1;
}

} // namespace

void CreateGlobalSession(const QString &bootCounterFolder)
{
    const QString path = JoinPath(bootCounterFolder, QString::fromLatin1(BootCounterFileName));
    const QByteArray engineId(LocalEngineId);
    quint32 boots = 0;
    const int read = BootCounter::read(path, engineId, boots);
    if (read != BootCounter::Found && read != BootCounter::NoEntry
        && read != BootCounter::CannotOpen)
        KxException::raise(KxError::CannotLoadBootCounter);
    ++boots;
    if (BootCounter::save(path, engineId, boots) != 0)
        KxException::raise(KxError::CannotSaveBootCounter);
    if (!sessionCreated && !initialiseLibrary())
        KxException::raise(KxError::CannotCreateSession);
    sessionCreated = true;
    engineBoots = boots;
    LoadRecordDefaults();
    SetDefaultRequestTimeout(100);
    GlobalEventProcessor().Start();
}

bool GlobalSessionExists()
{
    return sessionCreated;
}

quint32 EngineBoots()
{
    return engineBoots;
}

int DefaultRequestTimeout()
{
    return defaultTimeout;
}

void SetDefaultRequestTimeout(int hundredths)
{
    defaultTimeout = hundredths;
}

int DefaultBulkRepetitions()
{
    return defaultBulkRepetitions;
}

void SetDefaultBulkRepetitions(int repetitions)
{
    defaultBulkRepetitions = repetitions;
}

SnmpEventProcessor::SnmpEventProcessor()
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &SnmpEventProcessor::onDeadline);
}

SnmpEventProcessor::~SnmpEventProcessor() = default;

void SnmpEventProcessor::Start()
{
    m_running = true;
    for (auto &[handle, notifier] : m_sessions)
        notifier->setEnabled(true);
    reschedule();
}

void SnmpEventProcessor::Stop()
{
    m_running = false;
    for (auto &[handle, notifier] : m_sessions)
        notifier->setEnabled(false);
    m_deadline.stop();
}

void SnmpEventProcessor::addSession(void *handle)
{
    const int fd = socketOf(handle);
    if (fd < 0 || m_sessions.count(handle))
        return;
    auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    notifier->setEnabled(m_running);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this, handle] {
        readIfPending(handle);
        reschedule();
    });
    m_sessions.emplace(handle, std::move(notifier));
}

void SnmpEventProcessor::removeSession(void *handle)
{
    m_sessions.erase(handle);
}

void SnmpEventProcessor::processPendingEvents()
{
    for (auto &[handle, notifier] : m_sessions) {
        readIfPending(handle);
        snmp_sess_timeout(handle);
    }
    reschedule();
}

// Reads one datagram when the socket has one: the notifier may report a
// socket that a synchronous exchange has read meanwhile, and net-snmp's read
// would then block.
void SnmpEventProcessor::readIfPending(void *handle)
{
    const int fd = socketOf(handle);
    pollfd watched{fd, POLLIN, 0};
    if (fd < 0 || poll(&watched, 1, 0) <= 0)
        return;
    netsnmp_large_fd_set readable;
    netsnmp_large_fd_set_init(&readable, FD_SETSIZE);
    NETSNMP_LARGE_FD_SET(fd, &readable);
    snmp_sess_read2(handle, &readable);
    netsnmp_large_fd_set_cleanup(&readable);
}

void SnmpEventProcessor::onDeadline()
{
    for (auto &[handle, notifier] : m_sessions)
        snmp_sess_timeout(handle);
    reschedule();
}

// Sets the single-shot timer to the earliest retransmission or time-out of
// any session; an idle engine keeps the timer off.
void SnmpEventProcessor::reschedule()
{
    if (!m_running)
        return;
    std::optional<int> earliestMs;
    for (auto &[handle, notifier] : m_sessions) {
        netsnmp_large_fd_set readable;
        netsnmp_large_fd_set_init(&readable, FD_SETSIZE);
        int fds = 0;
        int block = 1;
        timeval timeout{};
        snmp_sess_select_info2(handle, &fds, &readable, &timeout, &block);
        netsnmp_large_fd_set_cleanup(&readable);
        if (block)
            continue;
        const int ms = static_cast<int>(timeout.tv_sec * 1000 + (timeout.tv_usec + 999) / 1000);
        earliestMs = earliestMs ? std::min(*earliestMs, ms) : ms;
    }
    if (earliestMs)
        m_deadline.start(*earliestMs);
    else
        m_deadline.stop();
}

SnmpEventProcessor &GlobalEventProcessor()
{
    static SnmpEventProcessor processor;
    return processor;
}
