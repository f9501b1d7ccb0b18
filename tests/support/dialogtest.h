#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>

// Finding and driving the controls of a dialog by their object names.

// The control of that name below the parent; a missing one ends the test run.
template<typename T = QWidget>
T *child(const QWidget &parent, const QString &name)
{
    T *found = parent.findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Shows the dialog and lets its first reads run (they start once it is on the screen).
template<typename Dialog, typename... Args>
std::unique_ptr<Dialog> openDialog(Args &&...args)
{
    auto dialog = std::make_unique<Dialog>(std::forward<Args>(args)...);
    dialog->show();
    QCoreApplication::processEvents();
    return dialog;
}

inline void click(const QWidget &parent, const QString &name)
{
    child<QAbstractButton>(parent, name)->click();
}

// Runs the action on the modal dialog of that name once it is shown; a dialog
// the action left open is closed so that a failing test cannot hang. The
// application owns the watch until it has run.
inline void onModal(const QString &name, const std::function<void(QDialog &)> &action)
{
    auto *timer = new QTimer(QApplication::instance());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, name, action] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != name)
            return;
        timer->stop();
        timer->deleteLater();
        action(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start();
}
