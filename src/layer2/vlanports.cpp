#include "layer2/vlanports.h"

QList<VLanPortSet> VLanPortSets::select(VLanPortSet set, const PortSet &chosen)
{
    setPorts(set, chosen);
    QList<VLanPortSet> changed;
    const auto narrow = [&](VLanPortSet target, const PortSet &kept) {
        if (kept == ports(target))
            return;
        setPorts(target, kept);
        changed.append(target);
    };
    switch (set) {
    case VLanPortSet::Members:
        narrow(VLanPortSet::Forbidden, ports(VLanPortSet::Forbidden) - chosen);
        narrow(VLanPortSet::Untagged, ports(VLanPortSet::Untagged) & chosen);
        break;
    case VLanPortSet::Forbidden:
        narrow(VLanPortSet::Members, ports(VLanPortSet::Members) - chosen);
        narrow(VLanPortSet::Untagged, ports(VLanPortSet::Untagged) - chosen);
        break;
    case VLanPortSet::Untagged:
        narrow(VLanPortSet::Forbidden, ports(VLanPortSet::Forbidden) - chosen);
        break;
    }
    return changed;
}
