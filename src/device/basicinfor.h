#pragma once

#include "forms/bindingpage.h"
#include "forms/dialogwork.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTabWidget;
class TBindingPage;

// The basic-information dialog: the switch's system group, chassis,
// device-wide layer-2 controls, topology alarms, interfaces and supported
// MIBs, one page each. Apply and Refresh act on the page that is shown.
class TBasicInforForm final : public QDialog
{
public:
    explicit TBasicInforForm(QWidget *parent = nullptr);
    ~TBasicInforForm() override;

    QTabWidget *pages() const { return m_pages; }

    // Closing during a walk stops it first and closes once it has ended.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void pageShown(int index);
    void btnApplyClick();
    void btnRefreshClick();
    // Runs an action of a page with the buttons and tabs locked.
    void runOnPage(TBindingPage *target, PageAction action);
    TBindingPage *page(int index) const;
    TBindingPage *currentPage() const;

    QTabWidget *m_pages;
    std::vector<TBindingPage *> m_pageList;
    QPushButton *m_apply;
    QPushButton *m_refresh;
    bool m_created = false;
    KxDialogWork m_work;
};
