#pragma once

#include "rmon/portstatistics.h"

#include <QElapsedTimer>
#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

class RmonTable;

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

    // The Ethernet ports of the switch without a statistics row, as of the last poll.
    std::vector<int> portsWithoutRow() const;
    // Creates a statistics row for the port (createRequest, its data source
    // and owner, then valid); false while a poll or a creation is under way
    // (the new row's index is chosen from the rows the last poll read).
    bool createRow(int port);

    // Seconds on a steady clock; tests may drive it.
    std::function<double()> clock;

Q_SIGNALS:
    void polled();
    void failed(const QString &message);
    void created();
    void creationFailed(const QString &message);

private:
    void speedsRead();
    void statisticsRead();
    void fail(const QString &message);

    std::map<int, double> m_bitsPerSecond; // by ifIndex
    std::set<int> m_ethernetPorts;
    PortStatistics m_statistics;
    QElapsedTimer m_elapsed;
    bool m_busy = false;
    // Last, so that they go first: their requests may process events while
    // they are ended, and the poller must still be whole then.
    std::unique_ptr<RmonTable> m_speeds;
    std::unique_ptr<RmonTable> m_stats;
    std::unique_ptr<RmonTable> m_creation;
};
