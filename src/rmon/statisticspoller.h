#pragma once

#include "rmon/portstatistics.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>
#include <map>
#include <memory>

class KxSNMPRequest;
struct KxSNMPError;

// Reads the switch's etherStatsTable and the ports' speeds asynchronously,
// one poll at a time, into the statistics rows.
class StatisticsPoller final : public QObject
{
    Q_OBJECT

public:
    explicit StatisticsPoller(QObject *parent = nullptr);
    ~StatisticsPoller() override;

    // Starts a poll unless one is under way.
    void poll();
    bool busy() const { return m_busy; }

    const PortStatistics &statistics() const { return m_statistics; }

    // Seconds on a steady clock; tests may drive it.
    std::function<double()> clock;

Q_SIGNALS:
    void polled();
    void failed(const QString &message);

private:
    using RowHandler = void (StatisticsPoller::*)();
    using DoneHandler = void (StatisticsPoller::*)();

    void walk(KxSNMPRequest &request, bool first, RowHandler row, DoneHandler done);
    void takeSpeed();
    void takeStatisticsRow();
    void speedsRead();
    void statisticsRead();
    void fail(const KxSNMPError &error);

    std::unique_ptr<KxSNMPRequest> m_speeds;
    std::unique_ptr<KxSNMPRequest> m_stats;
    std::map<int, double> m_bitsPerSecond; // by ifIndex
    std::map<quint32, int> m_served;       // etherStats index -> port
    PortStatistics m_statistics;
    QElapsedTimer m_elapsed;
    bool m_busy = false;
};
