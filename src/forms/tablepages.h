#pragma once

#include "forms/tablepage.h"

#include <QDialog>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class QHBoxLayout;
class QPushButton;
class QTabWidget;

// A dialog of several pages, most of them table pages, that share one
// reading guard: one read runs at a time and the commands of every page are
// ignored meanwhile. Opening reads the pages in the order they were added,
// each to its end before the next; closing during a read stops it, closes
// once it has returned and skips the reads still to come.
class TTablePagesDialog : public QDialog
{
public:
    explicit TTablePagesDialog(QWidget *parent = nullptr);
    ~TTablePagesDialog() override;

    QTabWidget *pages() const { return m_pages; }
    // Give it to the descriptions of the table pages.
    const std::shared_ptr<KxReadingGuard> &readingGuard() const { return m_guard; }
    bool opening() const { return m_opening; }

    // Adds a table page made with this dialog's guard.
    void addTablePage(TTablePage *page, const QString &caption);
    // Adds another page; `read` reads it on opening and when asked to.
    void addPage(QWidget *page, const QString &caption, std::function<void()> read);
    // Runs the read of a page that is not a table under the guard.
    void readGuarded(const std::function<void()> &read);

    // Buttons that act on the table page shown and follow its command states.
    QHBoxLayout *makeSharedButtons(std::initializer_list<KxTableButton> buttons);
    // The table page shown, or null.
    TTablePage *currentTablePage() const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct Page
    {
        QWidget *widget;
        TTablePage *table; // null for another page
        std::function<void()> read;
    };

    void FormShow();
    void followCurrentPage();
    void closeIfPending();

    std::shared_ptr<KxReadingGuard> m_guard;
    QTabWidget *m_pages;
    std::vector<Page> m_pageList;
    std::vector<std::pair<KxTableAction, QPushButton *>> m_shared;
    bool m_shown = false;
    bool m_opening = false;
    bool m_closePending = false;
};
