#pragma once

#include "forms/bindingpage.h"
#include "forms/dialogwork.h"

#include <QDialog>

#include <vector>

struct KxSNMPError;
class QLabel;
class QPushButton;
class QTabWidget;
class TBindingPage;

// A dialog of settings pages, each a TBindingPage with a binding of its own.
// Every page is read when the dialog is first shown; Apply and Refresh act on
// the page shown and are ignored while an exchange is running. The result of
// each exchange goes to the status bar `stbResult` (time, text). A refused
// SET is also shown in a message, and the page then shows what the switch has.
class TPagedBindingDialog : public QDialog
{
public:
    TPagedBindingDialog(const QString &name, const QString &pagesName, QWidget *parent);
    ~TPagedBindingDialog() override;

    QTabWidget *pages() const { return m_pages; }

    // Closing during an exchange closes once it has ended.
    void done(int result) override;

protected:
    // Adds a page as the next tab; a single page is shown without a tab bar.
    void addPage(TBindingPage *page);
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void btnApplyClick();
    void btnRefreshClick();
    void showResult(const KxSNMPError &result);
    // Runs an action of a page with the buttons and tabs locked.
    void runOnPage(TBindingPage *target, PageAction action);
    TBindingPage *currentPage() const;

    QTabWidget *m_pages;
    std::vector<TBindingPage *> m_pageList;
    QPushButton *m_apply;
    QPushButton *m_refresh;
    QLabel *m_resultTime;
    QLabel *m_resultText;
    bool m_created = false;
    bool m_applying = false;
    bool m_applyFailed = false;
    KxDialogWork m_work;
};
