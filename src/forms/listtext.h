#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// A list written as text for Save and Print: a heading line, a line of "="
// characters, then one line per row with every cell padded to the width of
// its column. Saved as CSV it is a header row of the column titles and the
// cells as shown.

struct KxTextColumn
{
    QString title;
    int width = 0;
    bool alignRight = false;
};

// The cell padded with blanks to the column's width; a longer cell is kept whole.
QString padCell(const QString &cell, const KxTextColumn &column);
// The padded cells; a cell that fills its column is still followed by a blank.
QString listTextLine(const QStringList &cells, const QList<KxTextColumn> &columns);

struct KxListText
{
    QString heading;
    int ruleLength = 0;
    QList<KxTextColumn> columns;
    QList<QStringList> rows;

    QString plain() const;
    // RFC 4180: CRLF line ends, fields with a comma, quote or line break quoted.
    QString csv() const;
};

// Offers the save dialog (text, rich text or CSV files) and writes the list,
// as CSV when the chosen name ends in ".csv"; the file is replaced only once
// the whole text is written. A failure is shown as "Could not save file " and
// the name; false then.
bool saveList(QWidget *parent, const KxListText &list);

// Offers the print dialog and prints the list's text in a fixed-pitch font as
// one document with the given title; a failure is shown as "Could not print
// file !"; false then.
bool printList(QWidget *parent, const KxListText &list, const QString &documentTitle);
