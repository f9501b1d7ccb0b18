#pragma once

#include "forms/listtext.h"

#include <QWidget>

#include <map>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class StatisticsPoller;
struct RateSample;
struct StatisticsRow;

// The Statistics page: one row per port with its etherStats totals or rates
// per second and its utilization, polled on an interval, and a chart of the
// selected ports' recent rates.
class TStatisticsPage final : public QWidget
{
    Q_OBJECT

public:
    explicit TStatisticsPage(QWidget *parent = nullptr);
    ~TStatisticsPage() override;

    StatisticsPoller &poller() { return *m_poller; }
    // The list as shown, for Save.
    KxListText listText() const;

    void btnStatisticsRefreshClick();
    void btnStatisticsSaveClick();
    void btnStatisticsSaveChartClick();
    // Creates a statistics row for the port chosen among those without one.
    void btnStatisticsCreateClick();

private:
    QWidget *createControls();
    void createChart();
    void intervalChanged();
    void showStatistics();
    void showRow(QTreeWidgetItem &item, const StatisticsRow &row) const;
    void showChart();
    std::vector<quint32> chartedRows() const;
    void showFailure(const QString &message);
    void showMissingPorts();
    void rowCreated();
    void creationFailed(const QString &message);

    StatisticsPoller *m_poller = nullptr;
    QTimer *m_timer = nullptr;
    QTreeWidget *m_list = nullptr;
    QComboBox *m_show = nullptr;
    QComboBox *m_interval = nullptr;
    QComboBox *m_quantity = nullptr;
    QChart *m_chart = nullptr;
    QChartView *m_chartView = nullptr;
    QLabel *m_status = nullptr;
    QComboBox *m_missing = nullptr;
    QPushButton *m_create = nullptr;
    std::map<quint32, QTreeWidgetItem *> m_items;
    int m_columnFits = 0;
};
