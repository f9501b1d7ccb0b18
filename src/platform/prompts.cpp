#include "platform/prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

Prompts *installed = nullptr;

} // namespace

Prompts &prompts()
{
    static QtPrompts qtPrompts;
    return installed ? *installed : qtPrompts;
}

void setPrompts(Prompts *service)
{
    installed = service;
}

void QtPrompts::message(QWidget *parent, Kind kind, const QString &title, const QString &text)
{
    switch (kind) {
    case Kind::Warning:
        QMessageBox::warning(parent, title, text);
        break;
    case Kind::Error:
        QMessageBox::critical(parent, title, text);
        break;
    case Kind::Information:
    case Kind::Question:
        QMessageBox::information(parent, title, text);
        break;
    }
}

bool QtPrompts::question(QWidget *parent, const QString &title, const QString &text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

bool QtPrompts::confirm(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(
        QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

QString QtPrompts::saveFileName(QWidget *parent,
                                const QString &title,
                                const QString &defaultSuffix,
                                const QString &filter)
{
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool QtPrompts::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtPrompts::beep(int, int)
{
    QApplication::beep();
}
