#pragma once

#include "rmon/rmonpage.h"

#include <QMainWindow>

class QTabWidget;
class TAlarmEventPage;
class THistoryPage;
class TStatisticsPage;

// The RMON program's window: one tab per RMON group, opened on the page the
// module's menu item asked for.
class TRmonWindow final : public QMainWindow
{
    Q_OBJECT

public:
    TRmonWindow(const QString &address, RmonPage page, QWidget *parent = nullptr);
    ~TRmonWindow() override;

    RmonPage currentPage() const;
    TStatisticsPage &statisticsPage() { return *m_statistics; }
    THistoryPage &historyPage() { return *m_history; }
    TAlarmEventPage &alarmEventPage() { return *m_alarmEvent; }

private:
    QTabWidget *m_pages = nullptr;
    TStatisticsPage *m_statistics = nullptr;
    THistoryPage *m_history = nullptr;
    TAlarmEventPage *m_alarmEvent = nullptr;
};
