#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// A list written as plain text for Save and Print: a heading line, a line of
// "=" characters, then one line per row with every cell padded to the width of
// its column and the cells joined without separators.

struct KxTextColumn
{
    int width = 0;
    bool alignRight = false;
};

// The cell padded with blanks to the column's width; a longer cell is kept whole.
QString padCell(const QString &cell, const KxTextColumn &column);
QString listTextLine(const QStringList &cells, const QList<KxTextColumn> &columns);

struct SaveListResult
{
    enum Outcome { Saved, Cancelled, Failed };
    Outcome outcome = Cancelled;
    QString path; // the file the user chose
};

// Offers the save dialog for text files and writes the text to the chosen
// file, replacing it only once the whole text is written.
SaveListResult saveListText(QWidget *parent, const QString &text);

enum class PrintListResult { Printed, Cancelled, Failed };

// Offers the print dialog and prints the text in a fixed-pitch font as one
// document with the given title.
PrintListResult printListText(QWidget *parent, const QString &text, const QString &documentTitle);
