#pragma once

#include <QList>
#include <QString>

#include <deque>

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

// Records what would have been shown and answers as scripted. Installs itself
// for its lifetime.
class ScriptedPrompts final : public Prompts
{
public:
    struct Shown
    {
        Kind kind;
        QString title;
        QString text;
    };

    ScriptedPrompts();
    ~ScriptedPrompts() override;

    // Answers for the next questions and confirmations, in order; an unscripted
    // one is answered No (Cancel).
    std::deque<bool> answers;
    // Paths for the next save dialogs; an unscripted one is cancelled.
    std::deque<QString> savePaths;
    // PDF files the next print dialogs print to; an unscripted one is cancelled.
    std::deque<QString> printFiles;

    QList<Shown> shown;
    int beeps = 0;

    void message(QWidget *parent, Kind kind, const QString &title, const QString &text) override;
    bool question(QWidget *parent, const QString &title, const QString &text) override;
    bool confirm(QWidget *parent, const QString &title, const QString &text) override;
    QString saveFileName(QWidget *parent,
                         const QString &title,
                         const QString &defaultSuffix,
                         const QString &filter) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
    void beep(int frequencyHz, int durationMs) override;

    // The text of the last message or question, or an empty text.
    QString lastText() const;
};
