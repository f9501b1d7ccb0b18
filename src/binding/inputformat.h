#pragma once

#include <QChar>
#include <QList>
#include <QString>

// One parsed input format such as "%i{n1x24l2}": what an edit box accepts.
struct InputFormat
{
    enum Flag : quint16 { AdvanceWhenFull = 1, FixedLength = 2, Required = 4 };

    QChar conversion; // f, h, i, n, s or u
    QChar delimiter;  // conversion n only
    double lower = 0;
    double upper = 0;
    int lengthLimit = 0; // for n: the limit on the count of numbers
    int width = 0;
    quint16 flags = 0;
    QChar endCharacter; // null when none

    bool hasFlag(Flag flag) const { return flags & flag; }

    // Whether the whole text fits the conversion while typing; otherwise the
    // position of the first character that does not.
    qsizetype firstMisfit(const QString &text) const;

    // Checks the text when the user leaves the box: 0, or the common message
    // code (-3 to -11) with its placeholders filled in `message`.
    int validate(const QString &text, QString *message) const;
};

// Parses one format; raises KxException -2 when it is not a valid format.
InputFormat ParseInputFormat(const QString &format);

// Splits a composite format ("%s%i{n1x24}") before every "%" but the first.
QStringList SplitCompositeFormat(const QString &format);
