#include "snmp/conversions.h"

#include <QDate>
#include <QHostAddress>
#include <QRegularExpression>

#include <cmath>
#include <cstring>

using namespace Qt::StringLiterals;

namespace KxConvert {

namespace {

constexpr quint32 HundredthsPerDay = 8640000;
const QDate BcEpoch(1899, 12, 30);

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

// Splits the text at the first occurrence of the token: the number before it
// is returned and the text goes on after it.
bool takeNumberBefore(QStringView &rest, QStringView token, qint64 &number)
{
    const qsizetype at = rest.indexOf(token);
    if (at < 0)
        return false;
    number = LenientInteger(rest.left(at).toString());
    rest = rest.mid(at + token.size());
    return true;
}

} // namespace

QString HexText(const QByteArray &octets)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    QString text(octets.size() * 2, Qt::Uninitialized);
    QChar *out = text.data();
    for (const char octet : octets) {
        const auto byte = static_cast<quint8>(octet);
        *out++ = QLatin1Char(digits[byte >> 4]);
        *out++ = QLatin1Char(digits[byte & 0x0f]);
    }
    return text;
}

QByteArray HexOctets(const QString &text)
{
    QByteArray nibbles;
    nibbles.reserve(text.size());
    for (const QChar c : text) {
        const int digit = hexDigit(c);
        if (digit >= 0)
            nibbles.append(static_cast<char>(digit));
    }
    QByteArray octets;
    octets.reserve(nibbles.size() / 2 + 1);
    qsizetype i = 0;
    if (nibbles.size() % 2 == 1)
        octets.append(nibbles.at(i++));
    for (; i + 1 < nibbles.size(); i += 2)
        octets.append(static_cast<char>(nibbles.at(i) << 4 | nibbles.at(i + 1)));
    return octets;
}

QString TimeTicksText(quint32 hundredths)
{
    const quint32 days = hundredths / HundredthsPerDay;
    quint32 rest = hundredths % HundredthsPerDay;
    const quint32 hours = rest / 360000;
    rest %= 360000;
    const quint32 minutes = rest / 6000;
    rest %= 6000;
    const QString clock = QStringLiteral("%1:%2:%3.%4")
                              .arg(hours)
                              .arg(twoDigits(static_cast<int>(minutes)),
                                   twoDigits(static_cast<int>(rest / 100)),
                                   twoDigits(static_cast<int>(rest % 100)));
    if (days == 0)
        return clock;
    if (days == 1)
        return u"1 day "_s + clock;
    return QStringLiteral("%1 days, ").arg(days) + clock;
}

quint32 ParseTimeTicks(const QString &text)
{
    QStringView rest(text);
    qint64 days = 0, hours = 0, minutes = 0, seconds = 0, hundredths = 0;
    if (!takeNumberBefore(rest, u"days", days))
        takeNumberBefore(rest, u"day", days);
    const qsizetype comma = rest.indexOf(u',');
    if (comma >= 0)
        rest = rest.mid(comma + 1);
    if (takeNumberBefore(rest, u":", hours))
        takeNumberBefore(rest, u":", minutes);
    if (takeNumberBefore(rest, u".", seconds))
        hundredths = LenientInteger(rest.toString());
    const qint64 total
        = days * HundredthsPerDay + hours * 360000 + minutes * 6000 + seconds * 100 + hundredths;
    return static_cast<quint32>(total);
}

qint64 LenientInteger(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+')) {
        negative = text.at(i) == u'-';
        ++i;
    }
    quint64 value = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i)
        value = value * 10u + static_cast<quint64>(text.at(i).unicode() - u'0');
    return static_cast<qint64>(negative ? 0u - value : value);
}

double OctetsToDouble(const QByteArray &octets)
{
    quint64 bits = 0;
    const qsizetype count = std::min<qsizetype>(octets.size(), 8);
    for (qsizetype i = 0; i < count; ++i)
        bits |= static_cast<quint64>(static_cast<quint8>(octets.at(i))) << (8 * i);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QByteArray DoubleToOctets(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray octets(8, Qt::Uninitialized);
    for (int i = 0; i < 8; ++i)
        octets[i] = static_cast<char>(bits >> (8 * i));
    return octets;
}

double DoubleFromHalves(quint32 low, quint32 high)
{
    const quint64 bits = static_cast<quint64>(high) << 32 | low;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void DoubleToHalves(double value, quint32 &low, quint32 &high)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    low = static_cast<quint32>(bits);
    high = static_cast<quint32>(bits >> 32);
}

QString DoubleText(double value)
{
    return QString::number(value, 'g', 15);
}

QString BcDateTimeText(double days)
{
    if (!std::isfinite(days) || std::abs(days) > 3.0e6)
        days = 0;
    const double whole = std::trunc(days);
    const QDate date = BcEpoch.addDays(static_cast<qint64>(whole));
    auto seconds = static_cast<int>(std::llround(std::abs(days - whole) * 86400.0));
    seconds = std::min(seconds, 86399);
    const int hour = seconds / 3600;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return QStringLiteral("%1/%2/%3 %4:%5:%6 %7")
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(twoDigits(date.month()),
             twoDigits(date.day()),
             twoDigits(hour12),
             twoDigits(seconds / 60 % 60),
             twoDigits(seconds % 60),
             hour < 12 ? u"am"_s : u"pm"_s);
}

double ParseBcDateTime(const QString &text)
{
    static const QRegularExpression form(
        uR"(^\s*(\d{1,4})[/-](\d{1,2})[/-](\d{1,2})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?\s*(am|pm)?)?\s*$)"_s,
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return 0;
    const QDate date(
        match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    if (!date.isValid())
        return 0;
    int hour = match.captured(4).toInt();
    const QString half = match.captured(7).toLower();
    if (!half.isEmpty())
        hour = hour % 12 + (half == u"pm"_s ? 12 : 0);
    const int seconds = hour * 3600 + match.captured(5).toInt() * 60 + match.captured(6).toInt();
    return static_cast<double>(BcEpoch.daysTo(date)) + seconds / 86400.0;
}

QString DisplayText(const QByteArray &octets)
{
    const qsizetype end = octets.indexOf('\0');
    return QString::fromLatin1(end < 0 ? octets : octets.left(end));
}

QByteArray DisplayOctets(const QString &text)
{
    return text.toLatin1();
}

QString IpText(const QByteArray &octets)
{
    QStringList parts;
    for (qsizetype i = 0; i < 4; ++i)
        parts.append(QString::number(i < octets.size() ? static_cast<quint8>(octets.at(i)) : 0));
    return parts.join(u'.');
}

QByteArray IpOctets(const QString &text)
{
    QHostAddress address;
    quint32 ip = 0;
    if (address.setAddress(text.trimmed()) && address.protocol() == QAbstractSocket::IPv4Protocol)
        ip = address.toIPv4Address();
    const char octets[4] = {static_cast<char>(ip >> 24),
                            static_cast<char>(ip >> 16),
                            static_cast<char>(ip >> 8),
                            static_cast<char>(ip)};
    return QByteArray(octets, 4);
}

} // namespace KxConvert
