#include "forms/portset.h"

#include "binding/portlist.h"

#include <QStringList>

using namespace Qt::StringLiterals;

PortSet PortSet::all()
{
    return PortSet((quint32(1) << PortCount) - 1);
}

PortSet PortSet::fromHex(const QString &hex)
{
    return fromBits(ExpandPortList(hex.toUpper()));
}

PortSet PortSet::fromBits(const QString &bits)
{
    PortSet ports;
    const int length = static_cast<int>(qMin<qsizetype>(bits.size(), PortCount));
    for (int at = 0; at < length; ++at)
        ports.set(at + 1, bits.at(at) == u'1');
    return ports;
}

PortSet PortSet::fromText(const QString &text)
{
    PortSet ports;
    for (const QString &piece : text.split(u',')) {
        bool ok = false;
        const int port = piece.toInt(&ok);
        if (ok && piece.size() <= 2)
            ports.set(port, true);
    }
    return ports;
}

QString PortSet::toHex() const
{
    return PackPortList(toBits());
}

QString PortSet::toBits() const
{
    QString bits(PortCount, u'0');
    for (int port = 1; port <= PortCount; ++port) {
        if (contains(port))
            bits[port - 1] = u'1';
    }
    return bits;
}

QString PortSet::toDisplayList() const
{
    return isEmpty() ? u"0"_s : numbers(QString());
}

QString PortSet::toSelectionText() const
{
    return isEmpty() ? QString() : numbers(u","_s);
}

QString PortSet::numbers(const QString &end) const
{
    QStringList list;
    for (int port = 1; port <= PortCount; ++port) {
        if (contains(port))
            list.append(QString::number(port));
    }
    return list.join(u',') + end;
}

bool PortSet::contains(int port) const
{
    return port >= 1 && port <= PortCount && (m_mask & bit(port)) != 0;
}

void PortSet::set(int port, bool held)
{
    if (port < 1 || port > PortCount)
        return;
    if (held)
        m_mask |= bit(port);
    else
        m_mask &= ~bit(port);
}
