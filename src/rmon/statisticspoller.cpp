#include "rmon/statisticspoller.h"

#include "rmon/rmonentry.h"
#include "rmon/rmontable.h"
#include "snmp/varlist.h"

#include <QLoggingCategory>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(lcRmon, "rq5160.rmon")

using namespace KxSyntax;
using namespace KxAccess;

const KxSNMPVarDesc speedTable[] = {
    {"1.3.6.1.2.1.2.2.1.1", "ifIndex", Integer, NotAccess},
    {"1.3.6.1.2.1.2.2.1.3", "ifType", Integer, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.5", "ifSpeed", Gauge, ReadOnly},
    {},
};

const KxSNMPVarDesc etherStatsTable[] = {
    {"1.3.6.1.2.1.16.1.1.1.1", "etherStatsIndex", Integer, NotAccess},
    {"1.3.6.1.2.1.16.1.1.1.2", "etherStatsDataSource", ObjectId, ReadWrite},
    {"1.3.6.1.2.1.16.1.1.1.3", "etherStatsDropEvents", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.4", "etherStatsOctets", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.5", "etherStatsPkts", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.6", "etherStatsBroadcastPkts", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.7", "etherStatsMulticastPkts", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.8", "etherStatsCRCAlignErrors", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.9", "etherStatsUndersizePkts", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.10", "etherStatsOversizePkts", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.11", "etherStatsFragments", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.12", "etherStatsJabbers", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.13", "etherStatsCollisions", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.14", "etherStatsPkts64Octets", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.15", "etherStatsPkts65to127Octets", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.16", "etherStatsPkts128to255Octets", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.17", "etherStatsPkts256to511Octets", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.18", "etherStatsPkts512to1023Octets", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.19", "etherStatsPkts1024to1518Octets", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.1.1.1.20", "etherStatsOwner", DisplayStr, ReadWrite},
    {"1.3.6.1.2.1.16.1.1.1.21", "etherStatsStatus", Integer, ReadWrite},
    {},
};
// ifType of an Ethernet port (ethernetCsmacd); the switch's other interfaces
// (its VLAN interface, loopback) have no statistics rows.
constexpr int EthernetType = 6;
constexpr int DataSourceColumn = 1;
constexpr int FirstCounterColumn = 2;
constexpr int OwnerColumn = FirstCounterColumn + EtherCounterCount;
constexpr int StatusColumn = OwnerColumn + 1;

} // namespace

StatisticsPoller::StatisticsPoller(QObject *parent)
    : QObject(parent)
    , m_speeds(std::make_unique<RmonTable>(speedTable, 1))
    , m_stats(std::make_unique<RmonTable>(etherStatsTable, 1))
    , m_creation(std::make_unique<RmonTable>(etherStatsTable, 1))
{
    m_elapsed.start();
    clock = [this] {
        return static_cast<double>(m_elapsed.nsecsElapsed()) / 1e9;
    };
    connect(m_speeds.get(), &RmonTable::tableRead, this, &StatisticsPoller::speedsRead);
    connect(m_stats.get(), &RmonTable::tableRead, this, &StatisticsPoller::statisticsRead);
    connect(m_speeds.get(), &RmonTable::failed, this, &StatisticsPoller::fail);
    connect(m_stats.get(), &RmonTable::failed, this, &StatisticsPoller::fail);
    connect(m_creation.get(), &RmonTable::written, this, &StatisticsPoller::created);
    connect(m_creation.get(), &RmonTable::failed, this, &StatisticsPoller::creationFailed);
}

StatisticsPoller::~StatisticsPoller()
{
    for (RmonTable *table : {m_speeds.get(), m_stats.get(), m_creation.get()})
        table->end();
}

void StatisticsPoller::poll()
{
    if (m_busy)
        return;
    m_busy = true;
    m_speeds->read();
}

void StatisticsPoller::speedsRead()
{
    m_bitsPerSecond.clear();
    m_ethernetPorts.clear();
    for (const QStringList &row : m_speeds->rows()) {
        m_bitsPerSecond[row[0].toInt()] = row[2].toDouble();
        if (row[1].toInt() == EthernetType)
            m_ethernetPorts.insert(row[0].toInt());
    }
    m_stats->read();
}

void StatisticsPoller::statisticsRead()
{
    std::map<quint32, int> served;
    const double now = clock();
    for (const QStringList &row : m_stats->rows()) {
        if (row[StatusColumn].toInt() != EntryStatus::Valid)
            continue;
        const quint32 index = row[0].toUInt();
        const int port = PortOfDataSource(row[DataSourceColumn]);
        EtherCounters totals{};
        for (int c = 0; c < EtherCounterCount; ++c)
            totals[c] = row[FirstCounterColumn + c].toUInt();
        const auto speed = m_bitsPerSecond.find(port);
        m_statistics.update(
            index, port, totals, now, speed == m_bitsPerSecond.end() ? 0 : speed->second);
        served[index] = port;
    }
    m_statistics.keepOnly(served);
    m_busy = false;
    Q_EMIT polled();
}

void StatisticsPoller::fail(const QString &message)
{
    m_busy = false;
    qCInfo(lcRmon) << "statistics poll:" << message;
    Q_EMIT failed(message);
}

std::vector<int> StatisticsPoller::portsWithoutRow() const
{
    std::set<int> counted;
    for (const auto &[index, row] : m_statistics.rows())
        counted.insert(row.port);
    std::vector<int> ports;
    for (int port : m_ethernetPorts) {
        if (!counted.contains(port))
            ports.push_back(port);
    }
    return ports;
}

bool StatisticsPoller::createRow(int port)
{
    if (m_busy)
        return false;
    std::vector<quint32> used;
    for (const QStringList &row : m_stats->rows())
        used.push_back(row[0].toUInt());
    const RmonRowValues status{{StatusColumn, QString::number(EntryStatus::CreateRequest)}};
    const RmonRowValues columns{{DataSourceColumn, DataSourceOfPort(port)},
                                {OwnerColumn, RmonOwner}};
    const RmonRowValues valid{{StatusColumn, QString::number(EntryStatus::Valid)}};
    return m_creation->write({FreeIndex(used)},
                             {status, columns, valid},
                             {{StatusColumn, QString::number(EntryStatus::Invalid)}});
}
