#pragma once

#include <QByteArray>
#include <QString>

// The keys of a user of the user-based security model (RFC 3414): what a
// manager needs to give a cloned user its own passwords.

// The protocol code of the records (SnmpCode) for a usmUserAuthProtocol or
// usmUserPrivProtocol value as dotted text; 0 for one the module does not offer.
quint32 UsmAuthProtocolCode(const QString &protocol);
quint32 UsmPrivProtocolCode(const QString &protocol);

// Which of a user's two keys.
enum class KxUsmKey { Auth, Priv };

// The KeyChange value (RFC 3414 §5) for usmUserAuthKeyChange or
// usmUserPrivKeyChange that turns the key localized from oldPassword into the
// one localized from newPassword, for the agent's engine and a user of these
// protocols (dotted text as the user table holds them). Empty when a
// protocol is unknown or its key is longer than the authentication hash,
// which net-snmp's KeyChange encoding cannot carry.
QByteArray UsmKeyChange(KxUsmKey key,
                        const QString &authProtocol,
                        const QString &privProtocol,
                        const QByteArray &engineId,
                        const QString &oldPassword,
                        const QString &newPassword);
