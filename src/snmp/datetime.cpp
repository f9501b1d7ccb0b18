#include "snmp/datetime.h"

#include <QDateTime>

#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Matches the text against a pattern in which every 'n' stands for a decimal
// number and every other character must appear as it is.
template<size_t N>
std::optional<std::array<quint32, N>> matchNumbers(const QString &text, QLatin1StringView pattern)
{
    std::array<quint32, N> numbers{};
    size_t count = 0;
    qsizetype at = 0;
    for (const char p : pattern) {
        if (p != 'n') {
            if (at >= text.size() || text.at(at) != QLatin1Char(p))
                return std::nullopt;
            ++at;
            continue;
        }
        const qsizetype start = at;
        quint32 value = 0;
        while (at < text.size() && text.at(at) >= u'0' && text.at(at) <= u'9') {
            value = value * 10u + static_cast<quint32>(text.at(at).unicode() - u'0');
            ++at;
        }
        if (at == start || count == N)
            return std::nullopt;
        numbers[count++] = value;
    }
    if (count != N)
        return std::nullopt;
    return numbers;
}

} // namespace

KxDateTime::KxDateTime()
{
    const QDateTime now = QDateTime::currentDateTime();
    year = static_cast<quint16>(now.date().year());
    month = static_cast<quint8>(now.date().month());
    day = static_cast<quint8>(now.date().day());
    hour = static_cast<quint8>(now.time().hour());
    minutes = static_cast<quint8>(now.time().minute());
    seconds = static_cast<quint8>(now.time().second());
}

KxDateTime::KxDateTime(const QString &text)
{
    std::optional<std::array<quint32, 9>> zoned = matchNumbers<9>(text, "n-n-n,n:n:n.n,+n:n"_L1);
    if (!zoned) {
        zoned = matchNumbers<9>(text, "n-n-n,n:n:n.n,-n:n"_L1);
        if (zoned)
            direction = '-';
    }
    std::array<quint32, 9> numbers{};
    if (zoned) {
        numbers = *zoned;
    } else if (const auto local = matchNumbers<7>(text, "n-n-n,n:n:n.n"_L1)) {
        std::copy(local->begin(), local->end(), numbers.begin());
    }
    year = static_cast<quint16>(numbers[0]);
    month = static_cast<quint8>(numbers[1]);
    day = static_cast<quint8>(numbers[2]);
    hour = static_cast<quint8>(numbers[3]);
    minutes = static_cast<quint8>(numbers[4]);
    seconds = static_cast<quint8>(numbers[5]);
    deciSeconds = static_cast<quint8>(numbers[6]);
    zoneHours = static_cast<quint8>(numbers[7]);
    zoneMinutes = static_cast<quint8>(numbers[8]);
}

KxDateTime KxDateTime::fromOctets(const QByteArray &octets)
{
    std::array<quint8, OctetCount> bytes{};
    bytes[8] = '+';
    std::copy_n(octets.constData(), std::min<qsizetype>(octets.size(), OctetCount), bytes.begin());
    KxDateTime value(QString{});
    value.year = static_cast<quint16>(bytes[0] << 8 | bytes[1]);
    value.month = bytes[2];
    value.day = bytes[3];
    value.hour = bytes[4];
    value.minutes = bytes[5];
    value.seconds = bytes[6];
    value.deciSeconds = bytes[7];
    value.direction = static_cast<char>(bytes[8]);
    value.zoneHours = bytes[9];
    value.zoneMinutes = bytes[10];
    return value;
}

QByteArray KxDateTime::toOctets() const
{
    const char octets[OctetCount] = {static_cast<char>(year >> 8),
                                     static_cast<char>(year & 0xff),
                                     static_cast<char>(month),
                                     static_cast<char>(day),
                                     static_cast<char>(hour),
                                     static_cast<char>(minutes),
                                     static_cast<char>(seconds),
                                     static_cast<char>(deciSeconds),
                                     direction,
                                     static_cast<char>(zoneHours),
                                     static_cast<char>(zoneMinutes)};
    return QByteArray(octets, OctetCount);
}

QString KxDateTime::ToText() const
{
    QString text = QStringLiteral("%1-%2-%3,%4:%5:%6.%7")
                       .arg(year)
                       .arg(month)
                       .arg(day)
                       .arg(hour)
                       .arg(minutes)
                       .arg(seconds)
                       .arg(deciSeconds);
    if ((zoneHours != 0 || zoneMinutes != 0) && (direction == '+' || direction == '-'))
        text += QStringLiteral(",%1%2:%3")
                    .arg(QLatin1Char(direction))
                    .arg(zoneHours)
                    .arg(zoneMinutes);
    return text;
}
