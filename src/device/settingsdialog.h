#pragma once

#include <QDialog>

class TBindingPage;

// A dialog of one settings page with "Apply" (bbtnApply) and "Close"
// (bbtnClose). With readOnShow the page is read once the dialog is on the
// screen.
class TSettingsDialog : public QDialog
{
public:
    TSettingsDialog(TBindingPage *page, QWidget *parent, bool readOnShow = true);

    TBindingPage *page() const { return m_page; }

protected:
    void showEvent(QShowEvent *event) override;
    // Writes the page; dialogs that close after Apply override it.
    virtual void bbtnApplyClick();

private:
    TBindingPage *m_page;
    bool m_read;
};
