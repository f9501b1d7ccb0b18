#include "forms/tablepages.h"

#include "forms/formbuilder.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>

TTablePagesDialog::TTablePagesDialog(QWidget *parent)
    : QDialog(parent)
    , m_guard(std::make_shared<KxReadingGuard>())
    , m_pages(new QTabWidget)
{
    m_pages->setObjectName(QStringLiteral("PageControl"));
    // Every tab stays in sight; the dialog grows to fit them.
    m_pages->setUsesScrollButtons(false);
    connect(m_pages, &QTabWidget::currentChanged, this, &TTablePagesDialog::followCurrentPage);
}

TTablePagesDialog::~TTablePagesDialog() = default;

void TTablePagesDialog::addTablePage(TTablePage *page, const QString &caption)
{
    m_pageList.push_back({page, page, [page] {
                              page->readTable();
                          }});
    m_pages->addTab(page, caption);
    for (QAction *shared : page->findChildren<QAction *>(Qt::FindDirectChildrenOnly))
        connect(shared, &QAction::changed, this, &TTablePagesDialog::followCurrentPage);
}

void TTablePagesDialog::addPage(QWidget *page, const QString &caption, std::function<void()> read)
{
    m_pageList.push_back({page, nullptr, [this, read = std::move(read)] {
                              readGuarded(read);
                          }});
    m_pages->addTab(page, caption);
}

void TTablePagesDialog::readGuarded(const std::function<void()> &read)
{
    if (m_guard->reading || !read)
        return;
    m_guard->reading = true;
    read();
    m_guard->reading = false;
    if (!m_opening)
        closeIfPending();
}

QHBoxLayout *TTablePagesDialog::makeSharedButtons(std::initializer_list<KxTableButton> buttons)
{
    auto *bar = new QHBoxLayout;
    bar->addStretch(1);
    for (const KxTableButton &entry : buttons) {
        QPushButton *button
            = makeButton(QString::fromLatin1(entry.text), QString::fromLatin1(entry.name));
        const KxTableAction action = entry.action;
        connect(button, &QPushButton::clicked, this, [this, action] {
            if (TTablePage *page = currentTablePage())
                page->action(action)->trigger();
        });
        m_shared.emplace_back(action, button);
        bar->addWidget(button);
    }
    followCurrentPage();
    return bar;
}

TTablePage *TTablePagesDialog::currentTablePage() const
{
    for (const Page &page : m_pageList) {
        if (page.widget == m_pages->currentWidget())
            return page.table;
    }
    return nullptr;
}

void TTablePagesDialog::followCurrentPage()
{
    TTablePage *page = currentTablePage();
    for (const auto &[action, button] : m_shared)
        button->setEnabled(page && page->action(action)->isEnabled());
}

void TTablePagesDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // The reads start once the window is on the screen.
    QMetaObject::invokeMethod(this, &TTablePagesDialog::FormShow, Qt::QueuedConnection);
}

void TTablePagesDialog::FormShow()
{
    m_opening = true;
    for (const Page &page : m_pageList) {
        if (m_closePending)
            break;
        page.read();
    }
    m_opening = false;
    closeIfPending();
}

void TTablePagesDialog::closeIfPending()
{
    if (m_closePending && isVisible())
        QDialog::done(Rejected);
}

void TTablePagesDialog::done(int result)
{
    if (!m_opening && !m_guard->reading) {
        QDialog::done(result);
        return;
    }
    m_closePending = true;
    for (const Page &page : m_pageList) {
        if (page.table && page.table->reading())
            page.table->closeAfterWalk();
    }
}
