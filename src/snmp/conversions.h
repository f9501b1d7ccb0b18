#pragma once

#include <QByteArray>
#include <QString>

// Text forms of SNMP values shared by the request's conversions.
namespace KxConvert {

// Upper-case hexadecimal, two digits per octet, no separators.
QString HexText(const QByteArray &octets);
// Hexadecimal text to octets: blanks and other non-hex characters are
// skipped, digits pair up, and an odd count makes the first digit an octet.
QByteArray HexOctets(const QString &text);

// "H:MM:SS.hh", "1 day H:MM:SS.hh" or "N days, H:MM:SS.hh".
QString TimeTicksText(quint32 hundredths);
// Reads the forms above; a text with no "day", ":" or "." gives 0.
quint32 ParseTimeTicks(const QString &text);

// Leading blanks, an optional sign, then digits up to the first other
// character; no digits give 0. Wraps like the unsigned 64-bit value.
qint64 LenientInteger(const QString &text);

// The first 8 octets as a double, least significant byte first; missing
// octets count as 0.
double OctetsToDouble(const QByteArray &octets);
QByteArray DoubleToOctets(double value);
// A double from its low and high 32 bits, and the split back.
double DoubleFromHalves(quint32 low, quint32 high);
void DoubleToHalves(double value, quint32 &low, quint32 &high);
// General number text with up to 15 significant digits.
QString DoubleText(double value);

// Days since 1899-12-30 with the time of day as the fraction, shown as
// "yyyy/mm/dd hh:nn:ss am/pm".
QString BcDateTimeText(double days);
// Reads that form (also with a 24-hour clock and without seconds); an
// unreadable text gives 0.
double ParseBcDateTime(const QString &text);

// Octets as characters up to the first zero octet, and back.
QString DisplayText(const QByteArray &octets);
QByteArray DisplayOctets(const QString &text);

// Dotted decimal IPv4 text of four octets, and back (an invalid text gives 0.0.0.0).
QString IpText(const QByteArray &octets);
QByteArray IpOctets(const QString &text);

} // namespace KxConvert
