#include "layer2/vlanports.h"

#include "binding/portlist.h"

using namespace Qt::StringLiterals;

namespace {

QString portNumbers(const QString &bits, const QString &separator, const QString &end)
{
    QString text;
    for (qsizetype i = 0; i < bits.size(); ++i) {
        if (bits.at(i) != u'1')
            continue;
        if (!text.isEmpty())
            text += separator;
        text += QString::number(i + 1);
    }
    return text.isEmpty() ? text : text + end;
}

QString fitted(const QString &bits)
{
    return bits.leftJustified(VLanPortCount, u'0', true);
}

} // namespace

QString hexToPortBits(const QString &hex)
{
    return ExpandPortList(hex.toUpper());
}

QString portBitsToHex(const QString &bits)
{
    return PackPortList(bits.left(bits.size() - bits.size() % 4));
}

QString portBitsToDisplayList(const QString &bits)
{
    const QString list = portNumbers(bits, u","_s, QString());
    return list.isEmpty() ? u"0"_s : list;
}

QString portBitsToSelectionText(const QString &bits)
{
    return portNumbers(bits, u","_s, u","_s);
}

QString portTextToBits(const QString &text)
{
    QString bits = noPortBits();
    for (const QString &piece : text.split(u',')) {
        bool ok = false;
        const int port = piece.toInt(&ok);
        if (ok && piece.size() <= 2 && port >= 1 && port <= VLanPortCount)
            bits[port - 1] = u'1';
    }
    return bits;
}

QString noPortBits()
{
    return QString(VLanPortCount, u'0');
}

bool hasPortAt(const QString &bits, int index)
{
    return index >= 0 && index < bits.size() && bits.at(index) == u'1';
}

VLanPortSets::VLanPortSets()
{
    m_bits.fill(noPortBits());
}

void VLanPortSets::setBits(VLanPortSet set, const QString &bits)
{
    m_bits[index(set)] = fitted(bits);
}

bool VLanPortSets::remove(VLanPortSet target, const QString &mask, bool where)
{
    QString &bits = m_bits[index(target)];
    bool changed = false;
    for (int port = 0; port < VLanPortCount; ++port) {
        if ((mask.at(port) == u'1') == where && bits.at(port) == u'1') {
            bits[port] = u'0';
            changed = true;
        }
    }
    return changed;
}

QList<VLanPortSet> VLanPortSets::select(VLanPortSet set, const QString &bits)
{
    setBits(set, bits);
    const QString chosen = m_bits[index(set)];
    QList<VLanPortSet> changed;
    const auto removeFrom = [&](VLanPortSet target, bool where) {
        if (remove(target, chosen, where))
            changed.append(target);
    };
    switch (set) {
    case VLanPortSet::Members:
        removeFrom(VLanPortSet::Forbidden, true);
        removeFrom(VLanPortSet::Untagged, false);
        break;
    case VLanPortSet::Forbidden:
        removeFrom(VLanPortSet::Members, true);
        removeFrom(VLanPortSet::Untagged, true);
        break;
    case VLanPortSet::Untagged:
        removeFrom(VLanPortSet::Forbidden, true);
        break;
    }
    return changed;
}
