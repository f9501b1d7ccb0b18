#pragma once

#include <QString>
#include <QtGlobal>

// A set of the switch's 24 ports. On the way to and from the switch and the
// user it takes these forms: hex text (a port list octet string, "FFF000" for
// ports 1-12), bit string (one "1"/"0" per port, port 1 first), display list
// ("1,2,24", "0" for none) and selection text ("1,2,24," as a port-selection
// dialog writes it).
class PortSet
{
public:
    static constexpr int PortCount = 24;

    PortSet() = default;
    static PortSet all();
    // Hex digits of a port list, port 1 the most significant bit; characters
    // that are not hex digits are skipped, ports past 24 are dropped.
    static PortSet fromHex(const QString &hex);
    // One character per port, port 1 first; "1" holds the port.
    static PortSet fromBits(const QString &bits);
    // A display list or a selection text; pieces that are not a port number
    // from 1 to 24 are skipped.
    static PortSet fromText(const QString &text);

    QString toHex() const;
    QString toBits() const;
    QString toDisplayList() const;
    QString toSelectionText() const;

    // Ports are numbered from 1; numbers outside 1-24 are never held.
    bool contains(int port) const;
    void set(int port, bool held);
    bool isEmpty() const { return m_mask == 0; }

    PortSet operator|(const PortSet &other) const { return PortSet(m_mask | other.m_mask); }
    PortSet operator&(const PortSet &other) const { return PortSet(m_mask & other.m_mask); }
    // The ports of this set that the other lacks.
    PortSet operator-(const PortSet &other) const { return PortSet(m_mask & ~other.m_mask); }
    bool operator==(const PortSet &other) const = default;

private:
    explicit PortSet(quint32 mask)
        : m_mask(mask)
    {}
    static quint32 bit(int port) { return quint32(1) << (port - 1); }
    QString numbers(const QString &end) const;

    quint32 m_mask = 0;
};
