#include "forms/dialogwork.h"

#include "forms/tablepage.h"

#include <QDialog>

KxDialogWork::KxDialogWork(QDialog *dialog, std::function<void()> stop)
    : m_dialog(dialog)
    , m_stop(std::move(stop))
{}

void KxDialogWork::lock(std::initializer_list<QWidget *> controls)
{
    for (QWidget *control : controls)
        m_locked.emplace_back(control);
}

void KxDialogWork::run(const std::function<void()> &action)
{
    if (m_working)
        return;
    m_working = true;
    std::vector<bool> enabled;
    for (QWidget *control : m_locked) {
        enabled.push_back(control && control->isEnabled());
        if (control)
            control->setEnabled(false);
    }
    action();
    for (size_t i = 0; i < m_locked.size(); ++i) {
        if (m_locked[i])
            m_locked[i]->setEnabled(enabled[i]);
    }
    m_working = false;
    if (m_closePending)
        QMetaObject::invokeMethod(m_dialog, &QDialog::reject, Qt::QueuedConnection);
}

bool KxDialogWork::holdClose()
{
    if (!m_working)
        return false;
    m_closePending = true;
    if (m_stop)
        m_stop();
    return true;
}

bool HoldCloseForWalkingList(QWidget *dialog)
{
    bool walking = false;
    for (TTablePage *list : dialog->findChildren<TTablePage *>()) {
        if (list->reading()) {
            list->closeAfterWalk();
            walking = true;
        }
    }
    return walking;
}
