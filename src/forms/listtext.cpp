#include "forms/listtext.h"

#include "platform/prompts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>

using namespace Qt::StringLiterals;

QString padCell(const QString &cell, const KxTextColumn &column)
{
    return column.alignRight ? cell.rightJustified(column.width) : cell.leftJustified(column.width);
}

QString listTextLine(const QStringList &cells, const QList<KxTextColumn> &columns)
{
    QString line;
    for (qsizetype i = 0; i < cells.size() && i < columns.size(); ++i)
        line += padCell(cells.at(i), columns.at(i));
    return line;
}

SaveListResult saveListText(QWidget *parent, const QString &text)
{
    SaveListResult result;
    result.path = prompts().saveFileName(
        parent, u"Save As"_s, u"txt"_s, u"Text Files (*.txt);;Rich Text Files (*.RTF)"_s);
    if (result.path.isEmpty())
        return result;
    QSaveFile file(result.path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Text)
                         && file.write(text.toUtf8()) >= 0 && file.commit();
    result.outcome = written ? SaveListResult::Saved : SaveListResult::Failed;
    return result;
}

PrintListResult printListText(QWidget *parent, const QString &text, const QString &documentTitle)
{
    QPrinter printer;
    printer.setDocName(documentTitle);
    if (!prompts().choosePrinter(parent, printer))
        return PrintListResult::Cancelled;
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintListResult::Failed;
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(9);
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int lineHeight = metrics.lineSpacing();
    int y = metrics.ascent();
    for (const QString &line : text.split(u'\n')) {
        if (y > page.height() - metrics.descent()) {
            if (!printer.newPage())
                return PrintListResult::Failed;
            y = metrics.ascent();
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    return painter.end() ? PrintListResult::Printed : PrintListResult::Failed;
}
