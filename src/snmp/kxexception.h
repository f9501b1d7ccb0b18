#pragma once

#include <QString>

#include <exception>

// The exception of the access and binding layers: the message text of an error
// code and the code itself (the help context).
class KxException : public std::exception
{
public:
    KxException(int code, QString message);

    // Raises the code with its text from the message tables.
    [[noreturn]] static void raise(int code);

    int helpContext() const { return m_code; }
    const QString &message() const { return m_message; }
    const char *what() const noexcept override;

private:
    int m_code;
    QString m_message;
    QByteArray m_what;
};
