#pragma once

#include "platform/prompts.h"

#include <QList>

#include <deque>

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
