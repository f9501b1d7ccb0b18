#include "snmp/hostaddress.h"

#include <QHash>
#include <QHostInfo>
#include <QMutex>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

bool IsIpv6Text(const QString &text)
{
    return text.contains(u':') || text.contains(u'[') || text.contains(u']');
}

QHostAddress NumericHostAddress(const QString &text)
{
    QString numeric = text.trimmed();
    const bool bracketed = numeric.size() > 1 && numeric.startsWith(u'[') && numeric.endsWith(u']');
    if (bracketed)
        numeric = numeric.mid(1, numeric.size() - 2);
    // Brackets hold an IPv6 address; without them a colon makes the text IPv6.
    const auto wanted = bracketed || IsIpv6Text(numeric) ? QAbstractSocket::IPv6Protocol
                                                         : QAbstractSocket::IPv4Protocol;
    QHostAddress address;
    if (numeric.contains(u'[') || numeric.contains(u']') || !address.setAddress(numeric)
        || address.protocol() != wanted)
        return {};
    return address;
}

bool IsHostName(const QString &text)
{
    static const QRegularExpression name(
        u"^([A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?\\.)*[A-Za-z0-9-]*[A-Za-z-][A-Za-z0-9-]*\\.?$"_s);
    return text.size() <= 253 && name.match(text).hasMatch();
}

QHostAddress PreferredAddress(const QList<QHostAddress> &addresses)
{
    for (const auto protocol : {QAbstractSocket::IPv4Protocol, QAbstractSocket::IPv6Protocol}) {
        for (const QHostAddress &candidate : addresses) {
            if (candidate.protocol() == protocol)
                return candidate;
        }
    }
    return {};
}

QHostAddress ResolveHostAddress(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (const QHostAddress numeric = NumericHostAddress(trimmed); !numeric.isNull())
        return numeric;
    if (!IsHostName(trimmed))
        return {};
    // A name is looked up once: the session and the Files dialog then agree
    // on the address, and the dialog does not wait for the resolver again.
    static QMutex lock;
    static QHash<QString, QHostAddress> resolved;
    const QMutexLocker locked(&lock);
    if (const auto found = resolved.constFind(trimmed); found != resolved.cend())
        return *found;
    const QHostAddress address = PreferredAddress(QHostInfo::fromName(trimmed).addresses());
    if (!address.isNull())
        resolved.insert(trimmed, address);
    return address;
}
