#include "snmp/records.h"

KxSNMPDevice &GlobalDevice()
{
    static KxSNMPDevice device;
    return device;
}

KxSNMPScope &GlobalScope()
{
    static KxSNMPScope scope;
    return scope;
}

KxSNMPSecurity &GlobalSecurity()
{
    static KxSNMPSecurity security;
    return security;
}

void LoadRecordDefaults()
{
    GlobalDevice() = {QStringLiteral("127.0.0.1"), 161};
    GlobalScope() = {};
    KxSNMPSecurity security;
    security.readCommunity = QStringLiteral("tundra");
    security.writeCommunity = QStringLiteral("granite");
    GlobalSecurity() = security;
}
