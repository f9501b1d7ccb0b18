#include "rmon/rmonwindow.h"

#include "rmon/statisticspage.h"

#include <QLabel>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr int WindowWidth = 1000;
constexpr int WindowHeight = 640;

QWidget *comingPage(const QString &text)
{
    auto *label = new QLabel(text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

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
    m_pages->addTab(comingPage(u"RMON history is not available in this version."_s), u"History"_s);
    m_pages->addTab(comingPage(u"RMON alarms and events are not available in this version."_s),
                    u"Alarm/Event"_s);
    m_pages->setCurrentIndex(static_cast<int>(page));
    setCentralWidget(m_pages);
    resize(WindowWidth, WindowHeight);
}

// The pages go first: a poll under way may process events while it is ended,
// and the window must still be whole then.
TRmonWindow::~TRmonWindow()
{
    delete m_statistics;
}

RmonPage TRmonWindow::currentPage() const
{
    return static_cast<RmonPage>(m_pages->currentIndex());
}
