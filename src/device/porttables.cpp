#include "device/porttables.h"

#include "binding/standardoptions.h"

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

const KxOptionList linkTraps{{2, "Disabled"}, {1, "Enabled"}};
const KxOptionList portTypes{{1, "portType-100Base-TX"},
                             {2, "portType-100Base-FX"},
                             {3, "portType-100Base-FL"},
                             {4, "portType-1000Base-TX"},
                             {5, "portType-1000Base-SX"},
                             {6, "portType-1000Base-LX"},
                             {7, "portType-1000Base-SX-GBIC"},
                             {8, "portType-1000Base-LX-GBIC"},
                             {9, "portType-1000Base-TX-GBIC"},
                             {10, "portType-1000Base-1394"},
                             {11, "none"}};
const KxOptionList linkStates{{1, "other"}, {2, "link-pass"}, {3, "link-fail"}};
const KxOptionList nwayStates{{0, "other"},
                              {1, "empty"},
                              {2, "link-down"},
                              {3, "half-10Mbps"},
                              {4, "full-10Mbps"},
                              {5, "half-100Mbps"},
                              {6, "full-100Mbps"},
                              {7, "half-1Gigabps"},
                              {8, "full-1Gigabps"}};
const KxOptionList nwaySettings{{2, "nway-enabled"},
                                {3, "nway-disabled-10Mbps-Half"},
                                {4, "nway-disabled-10Mbps-Full"},
                                {5, "nway-disabled-100Mbps-Half"},
                                {6, "nway-disabled-100Mbps-Full"},
                                {9, "nway-disabled-1Gigabps-Full-master"},
                                {10, "nway-disabled-1Gigabps-Full-slave"}};
const KxOptionList p2pStates{{0, "true"}, {1, "false"}, {2, "auto"}};
const KxOptionList frameTypes{{1, "admitAll"}, {2, "admitOnlyVLANTagged"}};
const KxOptionList gvrpStates{{1, "Enabled"}, {2, "Disabled"}};

const KxSNMPVarDesc ifTable[] = {
    {"1.3.6.1.2.1.2.2.1.1", "Index", Integer, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.2", "Description", DisplayStr, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.3", "Type", Integer, ReadOnly, &InterfaceTypeOptions},
    {"1.3.6.1.2.1.2.2.1.4", "Mtu", Integer, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.5", "Speed", Gauge, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.6", "PhysAddress", MacAddress, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.7", "AdminStatus", Integer, ReadWrite, &InterfaceStatusOptions},
    {"1.3.6.1.2.1.2.2.1.8", "OperStatus", Integer, ReadOnly, &InterfaceStatusOptions},
    {"1.3.6.1.2.1.2.2.1.9", "LastChange", TimeTicks, ReadOnly},
    {},
};

// The extension table's index comes from its own instances, so that its rows
// always belong to the port they name.
const KxSNMPVarDesc ifXTable[] = {
    {"1.3.6.1.2.1.31.1.1.1.1", "Index", Integer, NotAccess},
    {"1.3.6.1.2.1.31.1.1.1.14", "LinkTrap", Integer, ReadWrite, &linkTraps},
    {},
};

const KxSNMPVarDesc portInfoTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.3.1.1.1", "Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.1.1.3", "Port Type", Integer, ReadOnly, &portTypes},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.1.1.4", "Port Link Status", Integer, ReadOnly, &linkStates},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.1.1.5",
     "Port Infomation Nway Status",
     Integer,
     ReadOnly,
     &nwayStates},
    {},
};

const KxSNMPVarDesc portCtrlTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.1", "Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.3",
     "Admin State",
     Integer,
     ReadWrite,
     &DisabledEnabledOptions},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.4", "Nway State", Integer, ReadWrite, &nwaySettings},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.5",
     "Flow Control State",
     Integer,
     ReadWrite,
     &DisabledEnabledOptions},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.7",
     "MAC Notify State",
     Integer,
     ReadWrite,
     &DisabledEnabledOptions},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.9", "Description", DisplayStr, ReadWrite},
    {},
};

const KxSNMPVarDesc stpPortTable[] = {
    {"1.3.6.1.4.1.88508.12.15.2.4.1.1", "MSTP Port", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.2", "Admin HelloTime", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.3", "Operate HelloTime", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.4",
     "MSTP Port Enable",
     Integer,
     ReadWrite,
     &EnabledDisabledOptions},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.5", "MSTP Port External Path Cost", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.6",
     "MSTP Port Migration",
     Integer,
     ReadWrite,
     &TruthValueOptions},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.7",
     "MSTP Port Admin Edge Port",
     Integer,
     ReadWrite,
     &TruthValueOptions},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.8",
     "MSTP Port Operate Edge Port",
     Integer,
     ReadOnly,
     &TruthValueOptions},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.9", "MSTP Port Admin P2P", Integer, ReadWrite, &p2pStates},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.10", "MSTP Port Operate P2P", Integer, ReadOnly, &p2pStates},
    {},
};

// Indexed by bridge port, read from the port VLAN table's own instances.
const KxSNMPVarDesc portVlanTable[] = {
    {"1.3.6.1.2.1.17.7.1.4.5.1.1", "Index", Integer, NotAccess},
    {"1.3.6.1.2.1.17.7.1.4.5.1.1", "Port VLAN ID", Gauge, ReadOnly},
    {"1.3.6.1.2.1.17.7.1.4.5.1.2", "Acceptable Frame Types", Integer, ReadWrite, &frameTypes},
    {"1.3.6.1.2.1.17.7.1.4.5.1.3", "Ingress Filtering", Integer, ReadWrite, &TruthValueOptions},
    {"1.3.6.1.2.1.17.7.1.4.5.1.4", "GVRP Status", Integer, ReadWrite, &gvrpStates},
    {},
};

QList<KxTextColumn> columnsTitled(std::initializer_list<QString> titles)
{
    QList<KxTextColumn> columns;
    for (const QString &title : titles)
        columns.append({title, 12});
    return columns;
}

KxTableDesc portDesc(const char *listName, const KxSNMPVarDesc *table, QList<KxTextColumn> columns)
{
    KxTableDesc desc;
    desc.listName = listName;
    desc.table = table;
    desc.kind = MVT_FMV;
    desc.columns = std::move(columns);
    desc.menu = {{KxTableAction::Edit, "Edit"}};
    desc.multiRowEdit = true;
    desc.hideWhileReading = false;
    desc.equalColumnWidths = false;
    desc.readOnFirstShow = false;
    return desc;
}

KxTableDesc
hiddenDesc(const char *listName, const KxSNMPVarDesc *table, std::initializer_list<QString> titles)
{
    KxTableDesc desc = portDesc(listName, table, columnsTitled(titles));
    desc.menu.clear();
    return desc;
}

} // namespace

KxTableDesc PortInterfaceDesc()
{
    return portDesc("lvwPortInterfaceIfTable",
                    ifTable,
                    columnsTitled({u"Port"_s,
                                   u"Description"_s,
                                   u"Type"_s,
                                   u"Multicast"_s,
                                   u"Speed"_s,
                                   u"Phys Address"_s,
                                   u"Admin Status"_s,
                                   u"Oper Status"_s,
                                   u"Last Change"_s,
                                   u"LinkTrap"_s,
                                   u"Port Type"_s,
                                   u"Port Link Status"_s,
                                   u"Port Nway Status"_s,
                                   u"Admin State"_s,
                                   u"Nway State"_s,
                                   u"Flow Control States"_s,
                                   u"MAC Notify State"_s,
                                   u"Description"_s}));
}

KxTableDesc PortStpDesc()
{
    return portDesc("lvwPortSTPdot1dStpPortTable",
                    stpPortTable,
                    columnsTitled({u"Port"_s,
                                   u"Admin Hello Time"_s,
                                   u"Operate Hello Time"_s,
                                   u"MSTP Port Enable"_s,
                                   u"Externa Path Cost"_s,
                                   u"Migration"_s,
                                   u"Admin Edge Port"_s,
                                   u"Operate Edge Port"_s,
                                   u"Admin P2P"_s,
                                   u"Operate P2P"_s}));
}

KxTableDesc PortVlanDesc()
{
    return portDesc("lvwPortVLANdot1qPortVlanTable",
                    portVlanTable,
                    columnsTitled({u"Port"_s,
                                   u"Port VLAN ID"_s,
                                   u"Acceptable Frame Types"_s,
                                   u"Ingressing Filtering"_s,
                                   u"GVRP Status"_s}));
}

KxTableDesc PortIfXDesc()
{
    return hiddenDesc("lvwPortInterfaceIfXTable", ifXTable, {u"Index"_s, u"LinkTrap"_s});
}

KxTableDesc PortInfoDesc()
{
    return hiddenDesc("lvwPortInterfaceswL2PortInfoTable",
                      portInfoTable,
                      {u"Index"_s, u"Port Type"_s, u"Port Link Status"_s, u"Oper Speed Duplex"_s});
}

KxTableDesc PortCtrlDesc()
{
    return hiddenDesc("lvwPortInterfaceswL2PortCtrlTable",
                      portCtrlTable,
                      {u"Index"_s,
                       u"Admin State"_s,
                       u"Nway State"_s,
                       u"Flow Control States"_s,
                       u"MAC Notify State"_s,
                       u"Description"_s});
}
