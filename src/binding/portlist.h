#pragma once

#include <QString>

// Port lists: one bit per port, port 1 the most significant bit of the first
// octet, handed around as upper-case hexadecimal text ("FFFFFF" = ports 1-24).

// Expands hexadecimal text into a member string of "1"/"0", character n for
// port n; characters that are not hexadecimal digits are skipped.
QString ExpandPortList(const QString &hex);

// Packs a member string back into hexadecimal text, four ports per digit; a
// last group shorter than four is filled with "0".
QString PackPortList(const QString &members);
