#pragma once

#include "forms/tablepage.h"
#include "snmp/varlist.h"

#include <QString>

class QTreeWidgetItem;

// The AAA server tables as the Information dialog lists them.

enum HostColumn { HostIp, HostProtocol, HostPort, HostKey, HostTimeout, HostRetry, HostStatus };
enum GroupColumn { GroupName, FirstMemberIp, GroupStatus = 17 };
constexpr int GroupSlots = 8;

extern const KxSNMPVarDesc AAAHostTable[];
extern const KxSNMPVarDesc AAAGroupTable[];
// 1 = "TACACS" ... 4 = "Radius": the protocols of a server.
extern const KxOptionList AAAServerProtocols;
enum AAAProtocol { TacacsProtocol = 1, XTacacsProtocol, TacacsPlusProtocol, RadiusProtocol };

// The protocol number of a protocol text, 0 for none.
int ProtocolNumber(const QString &text);
// The four built-in groups are named after their protocols.
bool IsBuiltInGroup(const QString &name);
// The protocol number whose servers a group may hold: its own for a
// built-in group, 0 (any) for the others.
int GroupProtocol(const QString &name);

// A member or server as the membership dialog shows it: "10.1.1.1 , Radius".
QString MemberText(const QString &address, const QString &protocol);
// The member texts of a group row's used slots, in slot order.
QStringList GroupMembers(const QTreeWidgetItem &group);

// What every AAA list shares: Insert, Edit, Delete and Refresh (the pop-up's
// Add, Edit, Delete), Insert only without a selection, a row status and a
// table-full limit ("<tableName> Table is full. (Max. N)").
KxTableDesc AAAListDesc(const char *listName,
                        const KxSNMPVarDesc *table,
                        int keyCount,
                        QList<KxTextColumn> columns,
                        int statusVar,
                        int maxRows,
                        const QString &tableName);
