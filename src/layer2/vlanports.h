#pragma once

#include <QList>
#include <QString>

#include <array>

// The VLAN dialogs handle the switch's 24 ports. A set of ports travels in
// these forms: hex text (the binding's octet string, "FFF000"), bit string
// (one "1"/"0" per port, port 1 first), display list ("1,2,24", "0" for none)
// and selection text ("1,2,24," as a selection dialog writes it).
constexpr int VLanPortCount = 24;

QString hexToPortBits(const QString &hex);
QString portBitsToHex(const QString &bits);
QString portBitsToDisplayList(const QString &bits);
QString portBitsToSelectionText(const QString &bits);
// Parses a display list or a selection text; pieces that are not a port
// number from 1 to 24 are skipped.
QString portTextToBits(const QString &text);
// A bit string of the 24 ports with none set.
QString noPortBits();
// Whether the bit string holds the port at the zero-based index.
bool hasPortAt(const QString &bits, int index);

enum class VLanPortSet { Members = 0, Forbidden = 1, Untagged = 2 };

// The three port sets a VLAN editor changes. A selection made for one set
// keeps the others consistent: members are never forbidden, untagged ports
// are members and never forbidden.
class VLanPortSets
{
public:
    VLanPortSets();

    QString bits(VLanPortSet set) const { return m_bits[index(set)]; }
    void setBits(VLanPortSet set, const QString &bits);
    // Takes the selection for one set; the other sets it changed, in order.
    QList<VLanPortSet> select(VLanPortSet set, const QString &bits);

private:
    static size_t index(VLanPortSet set) { return static_cast<size_t>(set); }
    // Clears in the target set every port the mask holds (or lacks); true when
    // that changed the target.
    bool remove(VLanPortSet target, const QString &mask, bool where);

    std::array<QString, 3> m_bits;
};
