#pragma once

#include <QString>

class QPrinter;
class QWidget;

// Every message box, confirmation, save or print dialog and beep of the module
// goes through this one service, so that tests can script the answers.
class Prompts
{
public:
    enum class Kind { Information, Warning, Error, Question };

    virtual ~Prompts() = default;

    // A message box with one OK button.
    virtual void message(QWidget *parent, Kind kind, const QString &title, const QString &text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(QWidget *parent, const QString &title, const QString &text) = 0;
    // A confirmation with OK and Cancel buttons; true for OK.
    virtual bool confirm(QWidget *parent, const QString &title, const QString &text) = 0;
    // A save dialog; the chosen path, or an empty text when cancelled.
    virtual QString saveFileName(QWidget *parent,
                                 const QString &title,
                                 const QString &defaultSuffix,
                                 const QString &filter)
        = 0;
    // A print dialog set up on the printer; true when the user chose to print.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
    virtual void beep(int frequencyHz, int durationMs) = 0;
};

// The service the module uses: the installed one, else the Qt dialogs.
Prompts &prompts();
// Installs another service (tests); nullptr restores the Qt dialogs.
void setPrompts(Prompts *service);

// Qt's own dialogs.
class QtPrompts final : public Prompts
{
public:
    void message(QWidget *parent, Kind kind, const QString &title, const QString &text) override;
    bool question(QWidget *parent, const QString &title, const QString &text) override;
    bool confirm(QWidget *parent, const QString &title, const QString &text) override;
    QString saveFileName(QWidget *parent,
                         const QString &title,
                         const QString &defaultSuffix,
                         const QString &filter) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
    void beep(int frequencyHz, int durationMs) override;
};
