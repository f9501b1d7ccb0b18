#include "device/basicinfor.h"

#include "device/basicinforpages.h"
#include "forms/formbuilder.h"

#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int ProtocolControlPage = 2;

} // namespace

TBasicInforForm::TBasicInforForm(QWidget *parent)
    : QDialog(parent)
    , m_pages(new QTabWidget)
    , m_apply(makeButton(u"Apply"_s, u"btnApply"_s))
    , m_refresh(makeButton(u"Refresh"_s, u"btnRefresh"_s))
    , m_work(this, [this] {
        for (TBindingPage *page : m_pageList)
            page->stop();
    })
{
    setObjectName(u"BasicInforForm"_s);
    setWindowTitle(u"System Basic Information : "_s);
    m_pages->setObjectName(u"PageControl"_s);
    // The pages keep their own sizes; a tab bar wider than a page scrolls.
    m_pages->setUsesScrollButtons(true);
    m_pages->tabBar()->setElideMode(Qt::ElideNone);
    m_pageList = {makeBasicSystemPage(),
                  makeBasicChassisPage(),
                  new TBasicProtocolPage,
                  makeBasicTopologyPage(),
                  new TBasicInterfacesPage,
                  new TBasicMibPage};
    for (TBindingPage *page : m_pageList)
        m_pages->addTab(page, page->caption());

    QPushButton *close = makeCloseButton(this);
    QPushButton *help = makeHelpButton();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(makeButtonBar({m_apply, m_refresh, close, help}));

    m_work.lock({m_apply, m_refresh, m_pages->tabBar()});
    connect(m_apply, &QPushButton::clicked, this, &TBasicInforForm::btnApplyClick);
    connect(m_refresh, &QPushButton::clicked, this, &TBasicInforForm::btnRefreshClick);
    m_pages->setCurrentIndex(ProtocolControlPage);
    connect(m_pages, &QTabWidget::currentChanged, this, &TBasicInforForm::pageShown);
    resize(574, 427);
}

TBasicInforForm::~TBasicInforForm() = default;

TBindingPage *TBasicInforForm::page(int index) const
{
    return m_pageList.at(static_cast<size_t>(index));
}

TBindingPage *TBasicInforForm::currentPage() const
{
    return page(m_pages->currentIndex());
}

void TBasicInforForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_created)
        return;
    m_created = true;
    // The first reads run once the window is on the screen.
    QMetaObject::invokeMethod(this, &TBasicInforForm::FormCreate, Qt::QueuedConnection);
}

// Reads the system group and the page the dialog opens on.
void TBasicInforForm::FormCreate()
{
    runOnPage(page(0), PageAction::Read);
    pageShown(m_pages->currentIndex());
}

// Each page is read and sets the dialog's size when it is shown. Hidden pages
// do not count towards the size, so a small page gets a small dialog.
void TBasicInforForm::pageShown(int index)
{
    for (TBindingPage *each : m_pageList) {
        const auto policy = each == page(index) ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        each->setSizePolicy(policy, policy);
    }
    runOnPage(currentPage(), PageAction::Read);
    // The read may have filled radio groups: measure afterwards.
    m_pages->updateGeometry();
    layout()->activate();
    resize(currentPage()->formSize().expandedTo(minimumSizeHint()));
}

void TBasicInforForm::btnRefreshClick()
{
    pageShown(m_pages->currentIndex());
}

void TBasicInforForm::btnApplyClick()
{
    runOnPage(currentPage(), PageAction::Apply);
}

void TBasicInforForm::runOnPage(TBindingPage *target, PageAction action)
{
    m_work.run([target, action] { RunPageAction(*target, action); });
}

void TBasicInforForm::done(int result)
{
    if (!m_work.holdClose())
        QDialog::done(result);
}
