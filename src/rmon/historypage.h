#pragma once

#include "forms/listtext.h"

#include <QWidget>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QTreeWidget;
class RmonTable;

// The History page: the switch's history entries (historyControlTable), the
// buckets of the chosen entry (etherHistoryTable) as a table and as a chart
// over time, and the entries made and removed here.
class THistoryPage final : public QWidget
{
    Q_OBJECT

public:
    explicit THistoryPage(QWidget *parent = nullptr);
    ~THistoryPage() override;

    bool busy() const;
    // The bucket list as shown, for Save.
    KxListText listText() const;

    // Reads the entries, then the buckets.
    void btnHistoryRefreshClick();
    // Checks the port, interval and buckets and creates the entry.
    void btnHistoryCreateClick();
    // Removes the chosen entry (invalid).
    void btnHistoryRemoveClick();
    void btnHistorySaveClick();
    void btnHistorySaveChartClick();

Q_SIGNALS:
    // The entries and buckets read and shown.
    void refreshed();
    // A create or remove the switch took.
    void changed();

protected:
    // A page chosen again is read again at once.
    void showEvent(QShowEvent *event) override;

private:
    QWidget *createControls();
    void createChart();
    void showEntries();
    void showBuckets();
    void showChart();
    void entryWritten();
    void showRefusal(const QString &message);
    quint32 chosenEntry() const;

    RmonTable *m_control = nullptr;
    RmonTable *m_buckets = nullptr;
    RmonTable *m_writer = nullptr;
    QTimer *m_timer = nullptr;
    QTreeWidget *m_entries = nullptr;
    QTreeWidget *m_bucketList = nullptr;
    QComboBox *m_port = nullptr;
    QLineEdit *m_interval = nullptr;
    QLineEdit *m_bucketCount = nullptr;
    QComboBox *m_quantity = nullptr;
    QChart *m_chart = nullptr;
    QChartView *m_chartView = nullptr;
    QLabel *m_status = nullptr;
    QString m_writing;
    quint32 m_created = 0; // the entry to choose once it is read
};
