#include "binding/ledcolormap.h"

KxSNMPLedColorMapList::KxSNMPLedColorMapList(QList<Entry> entries,
                                             quint8 valueMask,
                                             quint8 blinkMask,
                                             QRgb offColor,
                                             std::optional<QRgb> outOfRange)
    : m_entries(std::move(entries))
    , m_valueMask(valueMask)
    , m_blinkMask(blinkMask)
    , m_offColor(offColor)
    , m_outOfRange(outOfRange)
{}

QRgb KxSNMPLedColorMapList::ColorOf(quint8 value) const
{
    for (const Entry &entry : m_entries) {
        if (entry.value == value)
            return entry.color;
    }
    return qRgb(0, 0, 0);
}
