#include "rmon/statisticspoller.h"

#include "snmp/request.h"

#include <QLoggingCategory>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(lcRmon, "rq5160.rmon")

using namespace KxSyntax;
using namespace KxAccess;

const KxSNMPVarDesc speedTable[] = {
    {"1.3.6.1.2.1.2.2.1.1", "ifIndex", Integer, NotAccess},
    {"1.3.6.1.2.1.2.2.1.5", "ifSpeed", Gauge, ReadOnly},
    {},
};

const KxSNMPVarDesc etherStatsTable[] = {
    {"1.3.6.1.2.1.16.1.1.1.1", "etherStatsIndex", Integer, NotAccess},
    {"1.3.6.1.2.1.16.1.1.1.2", "etherStatsDataSource", ObjectId, ReadOnly},
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
    {"1.3.6.1.2.1.16.1.1.1.21", "etherStatsStatus", Integer, ReadOnly},
    {},
};
constexpr int DataSourceColumn = 1;
constexpr int FirstCounterColumn = 2;
constexpr int StatusColumn = FirstCounterColumn + EtherCounterCount;
constexpr int EntryValid = 1;

const QString IfIndexPrefix = u"1.3.6.1.2.1.2.2.1.1."_s;

std::unique_ptr<KxSNMPRequest> TableRequest(const KxSNMPVarDesc *table)
{
    auto request = std::make_unique<KxSNMPRequest>();
    request->varList.Assign(KxSNMPVarList(table, MVT_FMV, 1));
    return request;
}

// The ifIndex an etherStatsDataSource names, or 0.
int PortOfDataSource(QString source)
{
    if (source.startsWith(u'.'))
        source.remove(0, 1);
    if (!source.startsWith(IfIndexPrefix))
        return 0;
    return source.mid(IfIndexPrefix.size()).toInt();
}

} // namespace

StatisticsPoller::StatisticsPoller(QObject *parent)
    : QObject(parent)
    , m_speeds(TableRequest(speedTable))
    , m_stats(TableRequest(etherStatsTable))
{
    m_elapsed.start();
    clock = [this] {
        return static_cast<double>(m_elapsed.nsecsElapsed()) / 1e9;
    };
}

StatisticsPoller::~StatisticsPoller() = default;

void StatisticsPoller::poll()
{
    if (m_busy)
        return;
    m_busy = true;
    m_bitsPerSecond.clear();
    walk(*m_speeds, true, &StatisticsPoller::takeSpeed, &StatisticsPoller::speedsRead);
}

void StatisticsPoller::walk(KxSNMPRequest &request, bool first, RowHandler row, DoneHandler done)
{
    bool ok = true;
    request.ReadAsync(
        first,
        [this, &request, row, done](void *, const KxSNMPError &reply, KxSNMPVarList &) {
            if (reply.code != 0) {
                fail(reply);
                return;
            }
            if (reply.done) {
                (this->*done)();
                return;
            }
            (this->*row)();
            walk(request, false, row, done);
        },
        this,
        ok);
    if (!ok) {
        m_busy = false;
        Q_EMIT failed(u"The request could not be sent."_s);
    }
}

void StatisticsPoller::takeSpeed()
{
    const KxSNMPVarList &list = m_speeds->varList;
    m_bitsPerSecond[list.Item(0).value.toInt()] = list.Item(1).value.toDouble();
}

void StatisticsPoller::speedsRead()
{
    m_served.clear();
    walk(*m_stats, true, &StatisticsPoller::takeStatisticsRow, &StatisticsPoller::statisticsRead);
}

void StatisticsPoller::takeStatisticsRow()
{
    const KxSNMPVarList &list = m_stats->varList;
    if (list.Item(StatusColumn).value.toInt() != EntryValid)
        return;
    const quint32 index = list.Item(0).value.toUInt();
    const int port = PortOfDataSource(list.Item(DataSourceColumn).value);
    EtherCounters totals{};
    for (int c = 0; c < EtherCounterCount; ++c)
        totals[c] = list.Item(FirstCounterColumn + c).value.toUInt();
    const auto speed = m_bitsPerSecond.find(port);
    m_statistics.update(
        index, port, totals, clock(), speed == m_bitsPerSecond.end() ? 0 : speed->second);
    m_served[index] = port;
}

void StatisticsPoller::statisticsRead()
{
    m_statistics.keepOnly(m_served);
    m_busy = false;
    Q_EMIT polled();
}

void StatisticsPoller::fail(const KxSNMPError &error)
{
    m_busy = false;
    qCInfo(lcRmon) << "statistics poll:" << error.code << error.message;
    Q_EMIT failed(error.message);
}
