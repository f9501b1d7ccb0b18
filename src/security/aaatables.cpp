#include "security/aaatables.h"

#include "binding/standardoptions.h"

#include <QTreeWidgetItem>

#include <array>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

const KxOptionList memberProtocols{
    {1, "TACACS"}, {2, "XTACACS"}, {3, "TACACS+"}, {4, "Radius"}, {5, "None"}, {6, "Other"}};

const std::array<QString, 4> builtInGroups{u"tacacs"_s, u"xtacacs"_s, u"tacacs+"_s, u"radius"_s};

} // namespace

const KxOptionList AAAServerProtocols{{1, "TACACS"}, {2, "XTACACS"}, {3, "TACACS+"}, {4, "Radius"}};

const KxSNMPVarDesc AAAHostTable[] = {
    {"1.3.6.1.4.1.88508.12.5.10.1.1", "Server IP Address", IpAddress, NotAccess},
    {"1.3.6.1.4.1.88508.12.5.10.1.2",
     "Server Auth Protocol",
     Integer,
     NotAccess,
     &AAAServerProtocols},
    {"1.3.6.1.4.1.88508.12.5.10.1.3", "Server Auth Port", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.12.5.10.1.4", "Server Auth Key", DisplayStr, ReadWrite},
    {"1.3.6.1.4.1.88508.12.5.10.1.5", "Server Timeout", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.12.5.10.1.6", "Server Retry Count", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.12.5.10.1.7", "Server Row Status", Integer, ReadWrite, &RowStatusOptions},
    {},
};

const KxSNMPVarDesc AAAGroupTable[] = {
    {"1.3.6.1.4.1.88508.12.5.9.1.1", "Server Group Name", DisplayStr, NotAccess},
    {"1.3.6.1.4.1.88508.12.5.9.1.2", "Server Group IP Address1", IpAddress, ReadOnly},
    {"1.3.6.1.4.1.88508.12.5.9.1.3",
     "Server Group Auth Protocol1",
     Integer,
     ReadOnly,
     &memberProtocols},
    {"1.3.6.1.4.1.88508.12.5.9.1.4", "Server Group IP Address2", IpAddress, ReadOnly},
    {"1.3.6.1.4.1.88508.12.5.9.1.5",
     "Server Group Auth Protocol2",
     Integer,
     ReadOnly,
     &memberProtocols},
    {"1.3.6.1.4.1.88508.12.5.9.1.6", "Server Group IP Address3", IpAddress, ReadOnly},
    {"1.3.6.1.4.1.88508.12.5.9.1.7",
     "Server Group Auth Protocol3",
     Integer,
     ReadOnly,
     &memberProtocols},
    {"1.3.6.1.4.1.88508.12.5.9.1.8", "Server Group IP Address4", IpAddress, ReadOnly},
    {"1.3.6.1.4.1.88508.12.5.9.1.9",
     "Server Group Auth Protocol4",
     Integer,
     ReadOnly,
     &memberProtocols},
    {"1.3.6.1.4.1.88508.12.5.9.1.10", "Server Group IP Address5", IpAddress, ReadOnly},
    {"1.3.6.1.4.1.88508.12.5.9.1.11",
     "Server Group Auth Protocol5",
     Integer,
     ReadOnly,
     &memberProtocols},
    {"1.3.6.1.4.1.88508.12.5.9.1.12", "Server Group IP Address6", IpAddress, ReadOnly},
    {"1.3.6.1.4.1.88508.12.5.9.1.13",
     "Server Group Auth Protocol6",
     Integer,
     ReadOnly,
     &memberProtocols},
    {"1.3.6.1.4.1.88508.12.5.9.1.14", "Server Group IP Address7", IpAddress, ReadOnly},
    {"1.3.6.1.4.1.88508.12.5.9.1.15",
     "Server Group Auth Protocol7",
     Integer,
     ReadOnly,
     &memberProtocols},
    {"1.3.6.1.4.1.88508.12.5.9.1.16", "Server Group IP Address8", IpAddress, ReadOnly},
    {"1.3.6.1.4.1.88508.12.5.9.1.17",
     "Server Group Auth Protocol8",
     Integer,
     ReadOnly,
     &memberProtocols},
    {"1.3.6.1.4.1.88508.12.5.9.1.18",
     "Server Group Row Status",
     Integer,
     ReadWrite,
     &RowStatusOptions},
    {},
};

int ProtocolNumber(const QString &text)
{
    const int index = AAAServerProtocols.IndexOfText(text);
    return index < 0 ? 0 : AAAServerProtocols.Item(index).intValue;
}

bool IsBuiltInGroup(const QString &name)
{
    return GroupProtocol(name) != 0;
}

int GroupProtocol(const QString &name)
{
    for (size_t i = 0; i < builtInGroups.size(); ++i) {
        if (builtInGroups[i] == name)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

QString MemberText(const QString &address, const QString &protocol)
{
    return address + u" , "_s + protocol;
}

QStringList GroupMembers(const QTreeWidgetItem &group)
{
    QStringList members;
    for (int slot = 0; slot < GroupSlots; ++slot) {
        const int column = FirstMemberIp + 2 * slot;
        if (group.text(column) != u"0.0.0.0"_s)
            members << MemberText(group.text(column), group.text(column + 1));
    }
    return members;
}

KxTableDesc AAAListDesc(const char *listName,
                        const KxSNMPVarDesc *table,
                        int keyCount,
                        QList<KxTextColumn> columns,
                        int statusVar,
                        int maxRows,
                        const QString &tableName)
{
    using enum KxTableAction;
    KxTableDesc desc;
    desc.listName = listName;
    desc.table = table;
    desc.kind = MVT_UMV;
    desc.keyCount = keyCount;
    desc.columns = std::move(columns);
    desc.buttons = {{Insert, "Insert", "btnAdd"},
                    {Edit, "Edit", "btnEdit"},
                    {Delete, "Delete", "btnDelete"},
                    {Refresh, "Refresh", "btnRefresh"}};
    desc.menu = {{Insert, "Add"}, {Edit, "Edit"}, {Delete, "Delete"}};
    desc.statusVar = statusVar;
    desc.maxRows = maxRows;
    desc.tableFullName = tableName;
    desc.insertNeedsNoSelection = true;
    desc.equalColumnWidths = false;
    return desc;
}
