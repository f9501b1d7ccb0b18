#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// The value types of a variable binding, as the access layer sees them.
enum class SnmpType : quint8 {
    NoValue, // a binding as sent: no value attached
    Null,
    Integer,
    OctetString,
    ObjectId,
    IpAddress,
    Counter32,
    Gauge32,
    TimeTicks,
    Opaque,
    Counter64,
    NoSuchObject,
    NoSuchInstance,
    EndOfMibView,
};

struct SnmpValue
{
    SnmpType type = SnmpType::NoValue;
    // Integer: the signed value; the unsigned types: their value.
    qint64 number = 0;
    // Counter64.
    quint64 number64 = 0;
    // OctetString and Opaque: the octets; IpAddress: its four octets.
    QByteArray octets;
    // ObjectId: dotted sub-identifiers.
    QString objectId;

    // False for a binding without value (as sent, NULL or an exception).
    bool hasValue() const
    {
        return type != SnmpType::NoValue && type != SnmpType::Null && type != SnmpType::NoSuchObject
               && type != SnmpType::NoSuchInstance && type != SnmpType::EndOfMibView;
    }
    bool isNumeric() const
    {
        return type == SnmpType::Integer || type == SnmpType::Counter32 || type == SnmpType::Gauge32
               || type == SnmpType::TimeTicks || type == SnmpType::Counter64;
    }
    bool isOctets() const
    {
        return type == SnmpType::OctetString || type == SnmpType::Opaque
               || type == SnmpType::IpAddress;
    }
};

struct SnmpBinding
{
    QString oid;
    SnmpValue value;
};

using SnmpBindings = std::vector<SnmpBinding>;

enum class SnmpPduType : quint8 { Get, GetNext, GetBulk, Set };

// The result of one exchange. status is what StatusToError expects: 0, an
// agent error status, -5 for a time-out, a USM status 1401..1414, a message
// processing status -1402..-1418 or a library status -1..-23.
struct SnmpReply
{
    int status = 0;
    int errorIndex = 0;
    // Empty when no response arrived.
    SnmpBindings bindings;
    QString agentAddress;
    quint16 agentPort = 0;
};
