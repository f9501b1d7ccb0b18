#include "rmon/rmonwindow.h"

#include "rmon/alarmeventpage.h"
#include "rmon/historypage.h"
#include "rmon/statisticspage.h"

#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr int WindowWidth = 1000;
constexpr int WindowHeight = 640;

} // namespace

TRmonWindow::TRmonWindow(const QString &address, RmonPage page, QWidget *parent)
    : QMainWindow(parent)
{
    setWindowTitle(u"RMON :"_s + address);
    m_pages = new QTabWidget;
    m_pages->setObjectName(u"RmonPages"_s);
    m_statistics = new TStatisticsPage;
    m_statistics->setObjectName(u"StatisticsPage"_s);
    m_pages->addTab(m_statistics, u"Statistics"_s);
    m_history = new THistoryPage;
    m_history->setObjectName(u"HistoryPage"_s);
    m_pages->addTab(m_history, u"History"_s);
    m_alarmEvent = new TAlarmEventPage;
    m_alarmEvent->setObjectName(u"AlarmEventPage"_s);
    m_pages->addTab(m_alarmEvent, u"Alarm/Event"_s);
    m_pages->setCurrentIndex(static_cast<int>(page));
    setCentralWidget(m_pages);
    resize(WindowWidth, WindowHeight);
}

// The pages go first: a poll under way may process events while it is ended,
// and the window must still be whole then.
TRmonWindow::~TRmonWindow()
{
    delete m_alarmEvent;
    delete m_history;
    delete m_statistics;
}

RmonPage TRmonWindow::currentPage() const
{
    return static_cast<RmonPage>(m_pages->currentIndex());
}
