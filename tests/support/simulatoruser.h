#pragma once

#include "snmp/records.h"

#include <QString>

// Makes the records talk SNMPv3 as the simulator's user authPrivShaAes
// (SHA, AES-128, authPriv), as sim/data/users.conf lists it.
inline void UseSimulatorAuthPrivUser(KxSNMPSecurity &security)
{
    security.version = SnmpCode::Version3;
    security.securityModel = SnmpCode::ModelUsm;
    security.securityLevel = SnmpCode::AuthPriv;
    security.securityName = QStringLiteral("authPrivShaAes");
    security.authProtocol = SnmpCode::AuthSha;
    security.authPassword = QStringLiteral("authpass123");
    security.privProtocol = SnmpCode::PrivAes128;
    security.privPassword = QStringLiteral("privpass123");
}
