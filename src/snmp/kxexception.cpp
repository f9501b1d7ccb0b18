#include "snmp/kxexception.h"

#include "snmp/errors.h"

KxException::KxException(int code, QString message)
    : m_code(code)
    , m_message(std::move(message))
    , m_what(m_message.toUtf8())
{}

void KxException::raise(int code)
{
    throw KxException(code, ErrorMessage(code));
}

const char *KxException::what() const noexcept
{
    return m_what.constData();
}
