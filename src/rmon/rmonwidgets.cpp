#include "rmon/rmonwidgets.h"

#include "forms/formbuilder.h"
#include "platform/prompts.h"

#include <QChartView>
#include <QLineEdit>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

QLineEdit *Edit(const QString &name, const QString &text)
{
    QLineEdit *edit = makeEdit(name);
    edit->setText(text);
    return edit;
}

QTreeWidget *ReportList(const QString &name, const QList<KxTextColumn> &columns)
{
    QStringList headers;
    for (const KxTextColumn &column : columns)
        headers << column.title;
    return makeListView(name, headers);
}

void FitColumns(QTreeWidget &list)
{
    for (int c = 0; c < list.columnCount(); ++c)
        list.resizeColumnToContents(c);
}

KxListText ListTextOf(const QTreeWidget &list, const QList<KxTextColumn> &columns)
{
    KxListText text;
    text.columns = columns;
    QStringList titles;
    for (const KxTextColumn &column : columns)
        titles << column.title;
    text.heading = listTextLine(titles, columns);
    text.ruleLength = text.heading.size();
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list.topLevelItem(i);
        QStringList cells;
        for (int c = 0; c < columns.size(); ++c)
            cells << item->text(c);
        text.rows << cells;
    }
    return text;
}

void SaveChart(QWidget *page, QChartView &chart)
{
    const QString path
        = prompts().saveFileName(page, u"Save Chart"_s, u"png"_s, u"PNG images (*.png)"_s);
    if (path.isEmpty())
        return;
    if (!chart.grab().save(path, "PNG"))
        ShowError(page, u"Could not save file "_s + path);
}

void ShowError(QWidget *page, const QString &message)
{
    prompts().message(page, Prompts::Kind::Error, page->window()->windowTitle(), message);
}
