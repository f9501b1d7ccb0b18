#pragma once

#include "snmp/optionlist.h"
#include "snmp/varlist.h"

// The IEEE 802.1X objects the 802.1X dialogs share.

extern const KxOptionList SystemAuthControlOptions; // 1 "enabled", 2 "disabled"
extern const KxOptionList Dot1xAuthProtocolOptions; // 2 "Local", 4 "RadiusEap"
extern const KxOptionList AuthModeOptions;          // 1 "portBase", 2 "macBase", 3 "none"
extern const KxOptionList ControlledDirectionOptions;
extern const KxOptionList PortControlOptions;

// The three global objects.
inline constexpr KxSNMPVarDesc SystemAuthControlDesc{"1.0.8802.1.1.1.1.1.1",
                                                     "802.1X Status",
                                                     KxSyntax::Integer,
                                                     KxAccess::ReadWrite,
                                                     &SystemAuthControlOptions};
inline constexpr KxSNMPVarDesc AuthProtocolDesc{"1.3.6.1.4.1.88508.12.3.1.1",
                                                "User Authentication Protocol",
                                                KxSyntax::Integer,
                                                KxAccess::ReadWrite,
                                                &Dot1xAuthProtocolOptions};
inline constexpr KxSNMPVarDesc AuthModeDesc{"1.3.6.1.4.1.88508.12.3.1.2",
                                            "Device Authentication Mode",
                                            KxSyntax::Integer,
                                            KxAccess::ReadWrite,
                                            &AuthModeOptions};

// The port state of every port, and of every supplicant in MAC-based mode.
extern const KxSNMPVarDesc PortStateTable[];
extern const KxSNMPVarDesc MacStateTable[];

// The authenticator configuration of every port, in the list's column order.
enum AuthConfigColumn {
    ConfigPortColumn,
    AdminDirectionColumn,
    OperDirectionColumn,
    PortControlColumn,
    QuietPeriodColumn,
    TxPeriodColumn,
    SuppTimeoutColumn,
    ServerTimeoutColumn,
    MaxReqColumn,
    ReAuthPeriodColumn,
    ReAuthEnabledColumn,
};
extern const KxSNMPVarDesc AuthConfigTable[];

// The statistics, diagnostics and session counters of every port, and of
// every supplicant in MAC-based mode.
extern const KxSNMPVarDesc AuthStatsPortTable[];
extern const KxSNMPVarDesc AuthStatsMacTable[];
extern const KxSNMPVarDesc AuthDiagPortTable[];
extern const KxSNMPVarDesc AuthDiagMacTable[];
extern const KxSNMPVarDesc AuthSessionPortTable[];
extern const KxSNMPVarDesc AuthSessionMacTable[];
