#pragma once

#include <QPointer>

#include <functional>
#include <initializer_list>
#include <vector>

class QDialog;
class QWidget;

// One action at a time in a dialog of pages: while an action runs its
// controls are disabled, and a close asked for meanwhile stops the running
// exchange and closes the dialog once the action has returned (never by
// waiting inside it).
class KxDialogWork
{
public:
    // stop: ends the exchanges of the dialog's pages after the reply at hand.
    KxDialogWork(QDialog *dialog, std::function<void()> stop);

    // The controls disabled while an action runs; they get their state back.
    void lock(std::initializer_list<QWidget *> controls);
    bool busy() const { return m_working; }
    // A close waits for the running action.
    bool closing() const { return m_closePending; }
    // Runs the action unless another one runs.
    void run(const std::function<void()> &action);
    // For QDialog::done: true when the close waits for the running action.
    bool holdClose();

private:
    QDialog *m_dialog;
    std::function<void()> m_stop;
    std::vector<QPointer<QWidget>> m_locked;
    bool m_working = false;
    bool m_closePending = false;
};

// For QDialog::done: every list page of the dialog that is walking is stopped
// and closes the dialog once its walk has returned; true when there was one.
bool HoldCloseForWalkingList(QWidget *dialog);
