#pragma once

#include <QByteArray>
#include <QString>

// Converters between the text of one part of an octet-string variable and its
// bytes, by the part's syntax code. Errors raise KxException: -511 unknown
// syntax, -518 value too short for the syntax, -519 part beyond the value.

// "(NULL)" gives an empty value.
QByteArray PartTextToBytes(const QString &text, qint32 syntax);
// The part's bytes from the offset: fixed-size syntaxes take their size, the
// others the rest of the value. An empty value gives an empty part.
QByteArray ExtractPart(const QByteArray &bytes, int offset, qint32 syntax);
// An empty value gives "(NULL)" (an empty text for displaystr).
QString BytesToPartText(const QByteArray &bytes, qint32 syntax);
