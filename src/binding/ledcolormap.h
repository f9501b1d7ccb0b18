#pragma once

#include <QList>
#include <QRgb>

#include <optional>
#include <utility>

// The colours of an LED from its status byte: the value-masked bits select an
// entry's colour (black when no entry has that value), the blink-masked bits
// make it flash. Colours are QRgb values (0xRRGGBB).
class KxSNMPLedColorMapList
{
public:
    struct Entry
    {
        quint8 value;
        QRgb color;
    };

    // outOfRange: the colour of an LED whose byte lies beyond the value, or
    // none when that case is an error.
    KxSNMPLedColorMapList(QList<Entry> entries,
                          quint8 valueMask,
                          quint8 blinkMask,
                          QRgb offColor,
                          std::optional<QRgb> outOfRange);

    QRgb ColorOf(quint8 value) const;
    QRgb colorOfStatus(quint8 status) const { return ColorOf(status & m_valueMask); }
    bool blinks(quint8 status) const { return status & m_blinkMask; }
    QRgb offColor() const { return m_offColor; }
    std::optional<QRgb> outOfRangeColor() const { return m_outOfRange; }

private:
    QList<Entry> m_entries;
    quint8 m_valueMask;
    quint8 m_blinkMask;
    QRgb m_offColor;
    std::optional<QRgb> m_outOfRange;
};
