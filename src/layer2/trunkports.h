#pragma once

#include "forms/portset.h"

#include <QString>

// Ports that cannot join a trunk, as the switch has them now: the mirror
// target while mirroring is enabled, ports forced to half duplex, and the
// members of existing trunks (all but the one named by exceptTrunk).
PortSet ReadPortsUnfitForTrunks(const QString &exceptTrunk = {});
