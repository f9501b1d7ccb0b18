#include "scriptedprompts.h"

#include <QPrinter>

namespace {

QString takeFront(std::deque<QString> &queue)
{
    if (queue.empty())
        return {};
    QString value = queue.front();
    queue.pop_front();
    return value;
}

} // namespace

ScriptedPrompts::ScriptedPrompts()
{
    setPrompts(this);
}

ScriptedPrompts::~ScriptedPrompts()
{
    setPrompts(nullptr);
}

void ScriptedPrompts::message(QWidget *, Kind kind, const QString &title, const QString &text)
{
    shown.append({kind, title, text});
}

bool ScriptedPrompts::question(QWidget *, const QString &title, const QString &text)
{
    shown.append({Kind::Question, title, text});
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

bool ScriptedPrompts::confirm(QWidget *parent, const QString &title, const QString &text)
{
    return question(parent, title, text);
}

QString ScriptedPrompts::saveFileName(QWidget *, const QString &, const QString &, const QString &)
{
    return takeFront(savePaths);
}

bool ScriptedPrompts::choosePrinter(QWidget *, QPrinter &printer)
{
    const QString file = takeFront(printFiles);
    if (file.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
}

void ScriptedPrompts::beep(int, int)
{
    ++beeps;
}

QString ScriptedPrompts::lastText() const
{
    return shown.isEmpty() ? QString() : shown.constLast().text;
}
