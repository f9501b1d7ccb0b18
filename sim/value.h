#pragma once

#include "oid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace sim {

// SNMP value kinds the switch serves. Text, hex, port lists and MAC addresses
// all travel as OCTET STRING; they differ only in how the data file writes them.
enum class Type {
    Integer,
    OctetString,
    ObjectId,
    IpAddress,
    Counter32,
    Gauge32,
    TimeTicks,
    Counter64
};

using Bytes = std::string;

class Value
{
public:
    Value() = default;
    static Value integer(int64_t v) { return Value(Type::Integer, v); }
    static Value unsignedOf(Type type, uint64_t v) { return Value(type, v); }
    static Value octets(Bytes bytes) { return Value(Type::OctetString, std::move(bytes)); }
    static Value ipAddress(Bytes fourOctets)
    {
        return Value(Type::IpAddress, std::move(fourOctets));
    }
    static Value objectId(Oid oid) { return Value(Type::ObjectId, std::move(oid)); }

    Type type() const { return m_type; }
    // Integer value of Integer, counters, gauges and time-ticks.
    int64_t number() const;
    // Octets of OctetString and IpAddress.
    const Bytes &bytes() const;
    const Oid &oid() const;

    bool operator==(const Value &other) const = default;

private:
    template<typename T>
    Value(Type type, T data)
        : m_type(type)
        , m_data(std::move(data))
    {}

    Type m_type = Type::Integer;
    std::variant<int64_t, uint64_t, Bytes, Oid> m_data = int64_t(0);
};

bool IsUnsigned(Type type);
bool IsNumeric(Type type);

} // namespace sim
