#include "forms/listtext.h"

#include "forms/dialogsupport.h"
#include "platform/prompts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString csvField(const QString &cell)
{
    static const QString special = u",\"\r\n"_s;
    const bool quoted
        = std::any_of(cell.begin(), cell.end(), [](QChar c) { return special.contains(c); });
    if (!quoted)
        return cell;
    QString escaped = cell;
    escaped.replace(u'"', u"\"\""_s);
    return u'"' + escaped + u'"';
}

QString csvLine(const QStringList &cells)
{
    QStringList fields;
    for (const QString &cell : cells)
        fields.append(csvField(cell));
    return fields.join(u',') + u"\r\n"_s;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

enum class PrintOutcome { Printed, Cancelled, Failed };

PrintOutcome printText(QWidget *parent, const QString &text, const QString &documentTitle)
{
    QPrinter printer;
    printer.setDocName(documentTitle);
    if (!prompts().choosePrinter(parent, printer))
        return PrintOutcome::Cancelled;
    QPainter painter;
    if (!painter.begin(&printer))
        return PrintOutcome::Failed;
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
                return PrintOutcome::Failed;
            y = metrics.ascent();
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace

QString padCell(const QString &cell, const KxTextColumn &column)
{
    return column.alignRight ? cell.rightJustified(column.width) : cell.leftJustified(column.width);
}

QString listTextLine(const QStringList &cells, const QList<KxTextColumn> &columns)
{
    QString line;
    for (qsizetype i = 0; i < cells.size() && i < columns.size(); ++i) {
        const QString padded = padCell(cells.at(i), columns.at(i));
        const bool touching = !line.isEmpty() && !line.endsWith(u' ') && !padded.startsWith(u' ');
        if (touching)
            line += u' ';
        line += padded;
    }
    return line;
}

QString KxListText::plain() const
{
    QString text = heading + u'\n' + QString(ruleLength, u'=') + u'\n';
    for (const QStringList &row : rows)
        text += listTextLine(row, columns) + u'\n';
    return text;
}

QString KxListText::csv() const
{
    QStringList titles;
    for (const KxTextColumn &column : columns)
        titles.append(column.title);
    QString text = csvLine(titles);
    for (const QStringList &row : rows)
        text += csvLine(row);
    return text;
}

bool saveList(QWidget *parent, const KxListText &list)
{
    const QString path = prompts().saveFileName(
        parent,
        u"Save As"_s,
        u"txt"_s,
        u"Text Files (*.txt);;Rich Text Files (*.RTF);;CSV Files (*.csv)"_s);
    if (path.isEmpty())
        return true;
    const bool asCsv = path.endsWith(u".csv"_s, Qt::CaseInsensitive);
    if (writeFile(path, (asCsv ? list.csv() : list.plain()).toUtf8()))
        return true;
    showPlainMessage(parent, u"Could not save file "_s + path);
    return false;
}

bool printList(QWidget *parent, const KxListText &list, const QString &documentTitle)
{
    if (printText(parent, list.plain(), documentTitle) != PrintOutcome::Failed)
        return true;
    showPlainMessage(parent, u"Could not print file !"_s);
    return false;
}
