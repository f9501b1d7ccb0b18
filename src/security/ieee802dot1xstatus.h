#pragma once

#include "forms/bindingpage.h"
#include "forms/dialogwork.h"

#include <QDialog>

class RadioGroup;
class TBindingPage;
class TResultBar;

// The switch's global 802.1X settings: on or off, the authentication
// protocol and the authentication method. Apply writes what the user chose;
// the result of every exchange shows in the status bar.
class TIEEE802dot1XStatusForm final : public QDialog
{
public:
    explicit TIEEE802dot1XStatusForm(QWidget *parent = nullptr);
    ~TIEEE802dot1XStatusForm() override;

    // Closing during a read closes once it has returned.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void btnRefreshClick();
    void btnApplyClick();
    void rgpIEEE802dot1XStatusClick(int index);
    void showChoices();
    // Runs a read or write of the page; Close waits for it.
    void run(PageAction operation);

    TBindingPage *m_page;
    RadioGroup *m_status;
    RadioGroup *m_protocol;
    RadioGroup *m_method;
    TResultBar *m_result;
    bool m_created = false;
    KxDialogWork m_work;
};
