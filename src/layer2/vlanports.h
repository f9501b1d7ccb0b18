#pragma once

#include "forms/portset.h"

#include <QList>

#include <array>

enum class VLanPortSet { Members = 0, Forbidden = 1, Untagged = 2 };

// The three port sets a VLAN editor changes. A selection made for one set
// keeps the others consistent: members are never forbidden, untagged ports
// are members and never forbidden.
class VLanPortSets
{
public:
    PortSet ports(VLanPortSet set) const { return m_ports[index(set)]; }
    void setPorts(VLanPortSet set, const PortSet &ports) { m_ports[index(set)] = ports; }
    // Takes the selection for one set; the other sets it changed, in order.
    QList<VLanPortSet> select(VLanPortSet set, const PortSet &chosen);

private:
    static size_t index(VLanPortSet set) { return static_cast<size_t>(set); }

    std::array<PortSet, 3> m_ports;
};
