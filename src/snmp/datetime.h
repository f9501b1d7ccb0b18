#pragma once

#include <QByteArray>
#include <QString>

// The SNMP DateAndTime value (RFC 2579): eleven octets on the wire, year first
// with its most significant byte first.
class KxDateTime
{
public:
    static constexpr int OctetCount = 11;

    // The current local date and time, deci-seconds 0, zone +0:0.
    KxDateTime();
    // Reads "y-m-d,h:mi:s.d,+zh:zm", the same with "-", or "y-m-d,h:mi:s.d".
    // A text of none of these forms gives all fields 0 and zone +0:0.
    explicit KxDateTime(const QString &text);

    // Octets missing from a short value are taken as 0 (zone +0:0).
    static KxDateTime fromOctets(const QByteArray &octets);
    QByteArray toOctets() const;

    // "2006-3-7,14:5:9.0", with ",+8:0" appended when the zone is not 0:0.
    QString ToText() const;

    quint16 year = 0;
    quint8 month = 0;
    quint8 day = 0;
    quint8 hour = 0;
    quint8 minutes = 0;
    quint8 seconds = 0;
    quint8 deciSeconds = 0;
    char direction = '+';
    quint8 zoneHours = 0;
    quint8 zoneMinutes = 0;
};
