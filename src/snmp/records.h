#pragma once

#include <QString>

#include <cstdint>

// The managed switch.
struct KxSNMPDevice
{
    QString address;
    quint16 port = 0;

    bool operator==(const KxSNMPDevice &) const = default;
};

// The SNMPv3 context put on every PDU.
struct KxSNMPScope
{
    QString contextEngineId;
    QString contextName;

    bool operator==(const KxSNMPScope &) const = default;
};

// Protocol codes of the records and the command line.
namespace SnmpCode {
enum Version : qint8 { Version1 = 0, Version2c = 1, Version3 = 3 };
enum SecurityModel : qint32 { ModelV1 = 1, ModelV2c = 2, ModelUsm = 3 };
enum SecurityLevel : qint32 { NoAuthNoPriv = 1, AuthNoPriv = 2, AuthPriv = 3 };
enum AuthProtocol : quint32 {
    AuthNone = 1,
    AuthMd5 = 2,
    AuthSha = 3,
    AuthSha224 = 4,
    AuthSha256 = 5,
    AuthSha384 = 6,
    AuthSha512 = 7
};
enum PrivProtocol : quint32 {
    PrivNone = 1,
    PrivDes = 2,
    PrivAes128 = 4,
    PrivIdea = 9,
    PrivAes192 = 20,
    PrivAes256 = 21
};
} // namespace SnmpCode

// SNMP version and credentials.
struct KxSNMPSecurity
{
    qint8 version = SnmpCode::Version1;
    QString readCommunity;
    QString writeCommunity;
    qint32 securityModel = SnmpCode::ModelV1;
    qint32 securityLevel = SnmpCode::NoAuthNoPriv;
    QString securityName;
    QString authPassword;
    QString privPassword;
    quint32 authProtocol = SnmpCode::AuthNone;
    quint32 privProtocol = SnmpCode::PrivNone;

    bool operator==(const KxSNMPSecurity &) const = default;
};

// The process-wide records: the one switch this module manages.
KxSNMPDevice &GlobalDevice();
KxSNMPScope &GlobalScope();
KxSNMPSecurity &GlobalSecurity();

// Puts the start-up defaults into the three global records.
void LoadRecordDefaults();
