#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

// The switch's address as the command line and the records give it: dotted
// IPv4, IPv6 bare or in brackets ("::1", "[2001:db8::1]"), or a host name.

// Whether the text is meant as an IPv6 address: it holds a colon or a bracket.
bool IsIpv6Text(const QString &text);

// The numeric address the text spells; a null address for a host name or a
// text that is no address.
QHostAddress NumericHostAddress(const QString &text);

// Whether the text can be a host name at all: letters, digits, "-" and dots,
// with a last label that is not a number.
bool IsHostName(const QString &text);

// Of a host name's addresses, the one the module talks to: the first IPv4
// address, else the first IPv6 address (a name with IPv6 addresses only);
// null when there is neither.
QHostAddress PreferredAddress(const QList<QHostAddress> &addresses);

// The address to reach: numeric text as it is, a host name through the
// resolver (PreferredAddress), once per process for a name that resolved;
// null when neither. Blocks while the resolver works.
QHostAddress ResolveHostAddress(const QString &text);
