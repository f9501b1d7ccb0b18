#include "forms/pageddialog.h"

#include "forms/bindingpage.h"
#include "forms/dialogsupport.h"
#include "forms/formbuilder.h"
#include "snmp/errors.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTime>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TPagedBindingDialog::TPagedBindingDialog(const QString &name,
                                         const QString &pagesName,
                                         QWidget *parent)
    : QDialog(parent)
    , m_pages(new QTabWidget)
    , m_apply(makeButton(u"Apply"_s, u"btnApply"_s))
    , m_refresh(makeButton(u"Refresh"_s, u"btnRefresh"_s))
    , m_resultTime(makeLabel({}, u"stbResultTime"_s))
    , m_resultText(makeLabel({}, u"stbResultText"_s))
    , m_work(this, [this] {
        for (TBindingPage *page : m_pageList)
            page->stop();
    })
{
    setObjectName(name);
    m_pages->setObjectName(pagesName);
    m_pages->setTabBarAutoHide(true);

    QPushButton *close = makeCloseButton(this);
    QPushButton *help = makeHelpButton();
    for (QPushButton *button : {m_apply, m_refresh, close, help})
        button->setToolTip(button->text());
    auto *status = new QStatusBar;
    status->setObjectName(u"stbResult"_s);
    status->setSizeGripEnabled(false);
    status->addWidget(m_resultTime);
    status->addWidget(m_resultText, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(makeButtonBar({m_apply, m_refresh, close, help}));
    layout->addWidget(status);

    m_work.lock({m_apply, m_refresh, m_pages->tabBar()});
    connect(m_apply, &QPushButton::clicked, this, &TPagedBindingDialog::btnApplyClick);
    connect(m_refresh, &QPushButton::clicked, this, &TPagedBindingDialog::btnRefreshClick);
}

TPagedBindingDialog::~TPagedBindingDialog() = default;

void TPagedBindingDialog::addPage(TBindingPage *page)
{
    m_pageList.push_back(page);
    m_pages->addTab(page, page->caption());
    page->setResultHandler([this](const KxSNMPError &result) { showResult(result); });
}

TBindingPage *TPagedBindingDialog::currentPage() const
{
    return m_pageList.at(static_cast<size_t>(m_pages->currentIndex()));
}

void TPagedBindingDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_created)
        return;
    m_created = true;
    // The first reads run once the window is on the screen.
    QMetaObject::invokeMethod(this, &TPagedBindingDialog::FormCreate, Qt::QueuedConnection);
}

void TPagedBindingDialog::FormCreate()
{
    for (TBindingPage *page : m_pageList) {
        if (m_work.closing())
            break;
        runOnPage(page, PageAction::Read);
    }
}

void TPagedBindingDialog::btnRefreshClick()
{
    runOnPage(currentPage(), PageAction::Read);
}

void TPagedBindingDialog::btnApplyClick()
{
    m_applying = true;
    m_applyFailed = false;
    runOnPage(currentPage(), PageAction::Apply);
    m_applying = false;
}

void TPagedBindingDialog::showResult(const KxSNMPError &result)
{
    // After a refused SET the page is read again: the refusal stays in sight.
    if (m_applyFailed)
        return;
    m_resultTime->setText(QLocale::c().toString(QTime::currentTime(), u"hh:mm:ss"_s));
    m_resultText->setText(result.message);
    if (m_applying && result.code != 0) {
        m_applyFailed = true;
        showPlainMessage(this, result.message);
    }
}

void TPagedBindingDialog::runOnPage(TBindingPage *target, PageAction action)
{
    if (!target->busy())
        m_work.run([target, action] { RunPageAction(*target, action); });
}

void TPagedBindingDialog::done(int result)
{
    if (!m_work.holdClose())
        QDialog::done(result);
}
