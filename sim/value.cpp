#include "value.h"

namespace sim {

int64_t Value::number() const
{
    if (const auto *v = std::get_if<int64_t>(&m_data))
        return *v;
    if (const auto *v = std::get_if<uint64_t>(&m_data))
        return static_cast<int64_t>(*v);
    return 0;
}

const Bytes &Value::bytes() const
{
    static const Bytes none;
    const auto *v = std::get_if<Bytes>(&m_data);
    return v ? *v : none;
}

const Oid &Value::oid() const
{
    static const Oid none;
    const auto *v = std::get_if<Oid>(&m_data);
    return v ? *v : none;
}

bool IsUnsigned(Type type)
{
    return type == Type::Counter32 || type == Type::Gauge32 || type == Type::TimeTicks
           || type == Type::Counter64;
}

bool IsNumeric(Type type)
{
    return type == Type::Integer || IsUnsigned(type);
}

} // namespace sim
