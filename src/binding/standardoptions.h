#pragma once

#include "snmp/optionlist.h"

// The option lists many MIB objects share, defined once.

// 2 = "disabled", 3 = "enabled": the switch's own on/off objects.
extern const KxOptionList DisabledEnabledOptions;
// RowStatus of SNMPv2-TC: "active" ... "destroy".
extern const KxOptionList RowStatusOptions;
// StorageType of SNMPv2-TC: "other" ... "readOnly".
extern const KxOptionList StorageTypeOptions;
// TruthValue of SNMPv2-TC: 1 = "true", 2 = "false".
extern const KxOptionList TruthValueOptions;
// ifAdminStatus / ifOperStatus of MIB-II: 1 = "up", 2 = "down", 3 = "testing".
extern const KxOptionList InterfaceStatusOptions;
// ifType of MIB-II: the 32 interface types, 1 = "other" ... 32 = "frame-relay".
extern const KxOptionList InterfaceTypeOptions;
// 1 = "enabled", 2 = "disabled": the enabled/disabled objects of the standard MIBs.
extern const KxOptionList EnabledDisabledOptions;
