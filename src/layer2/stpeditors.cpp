#include "layer2/stpeditors.h"

#include "binding/standardoptions.h"
#include "forms/entrychecks.h"
#include "layer2/stppages.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

using enum KxFieldKind;

// A VLAN range is a bitmap of 64 VLANs: 8 octets.
constexpr int VLanRangeDigits = 16;

const char *const rangeNames[VLanRangeCount] = {"ED_VlanRange1",
                                                "ED_VlanRange2",
                                                "ED_VlanRange3",
                                                "ED_VlanRange4",
                                                "ED_VlanRange5",
                                                "ED_VlanRange6",
                                                "ED_VlanRange7",
                                                "ED_VlanRange8"};
const char *const rangeCaptions[VLanRangeCount] = {"VLAN Range [1-64]:",
                                                   "VLAN Range [65-128]:",
                                                   "VLAN Range [129-192]:",
                                                   "VLAN Range [193-256]:",
                                                   "VLAN Range [257-320]:",
                                                   "VLAN Range [321-384]:",
                                                   "VLAN Range [385-448]:",
                                                   "VLAN Range [449-512]:"};

const KxRowField instanceFields[] = {
    {InstIdColumn, "La_MSTPInstID", "MSTP Inst ID:"},
    {1, rangeNames[0], rangeCaptions[0], Edit},
    {2, rangeNames[1], rangeCaptions[1], Edit},
    {3, rangeNames[2], rangeCaptions[2], Edit},
    {4, rangeNames[3], rangeCaptions[3], Edit},
    {5, rangeNames[4], rangeCaptions[4], Edit},
    {6, rangeNames[5], rangeCaptions[5], Edit},
    {7, rangeNames[6], rangeCaptions[6], Edit},
    {8, rangeNames[7], rangeCaptions[7], Edit},
    {9, "La_Type", "Type:"},
    {10, "La_Status", "Status:"},
    {InstPriorityColumn, "ED_Priority", "Priority:", Edit, "%i"},
    {12, "La_DesignatedRootBridge", "Designated Root Bridge:"},
    {13, "La_ExternalRootCost", "External Root Cost:"},
    {14, "La_RegionalRootBridge", "Regional Root Bridge:"},
    {15, "La_InternalRootCost", "Internal Root Cost:"},
    {16, "La_DesignatedBridge", "Designated Bridge:"},
    {17, "La_RootPort", "Root Port:"},
    {18, "La_MaxAge", "Max Age:"},
    {19, "La_ForwardDelay", "Forward Delay:"},
    {20, "La_LastTopologyChange", "Last Topology Change:"},
    {21, "La_TopChangesCount", "Top Changes Count:"},
    {22, "La_RemainHops", "Remain Hops:"},
};

const KxRowField portStateFields[] = {
    {PortColumn, "La_MSTPPort", "MSTP Port:"},
    {AdminHelloColumn, "ED_HelloTime", "Administrate Hello Time:", Edit, "%i"},
    {OperHelloColumn, "La_OperateHelloTime", "Operate Hello Time:"},
    {PortEnableColumn,
     "CB_MSTPPortState",
     "MSTP Port Enable:",
     Combo,
     "%s",
     &EnabledDisabledOptions},
    {ExtPathCostColumn, "ED_ExtPathCost", "External Path Cost:", Edit, "%i"},
    {MigrationColumn, "CB_Migration", "Migration:", Combo, "%s", &TruthValueOptions},
    {AdminEdgeColumn, "CB_EdgePort", "Admin Edge Port:", Combo, "%s", &TruthValueOptions},
    {OperEdgeColumn, "La_OperEdgePort", "Operate Edge Port:"},
    {AdminP2PColumn, "CB_AdminP2P", "Admin P2P:", Combo, "%s", &P2PStateOptions},
    {OperP2PColumn, "La_OperP2P", "Operate P2P:"},
    {PortLBDColumn, "CB_PortLBD", "Port LBD:", Combo, "%s", &DisabledEnabledOptions},
    {BPDUFilteringColumn,
     "CB_BPDUFiltering",
     "BPDU Filtering:",
     Combo,
     "%s",
     &DisabledEnabledOptions},
};

const KxRowField portMSTPFields[] = {
    {MasterPortColumn, "La_MasterPort", "Master Port:"},
    {InstanceIdColumn, "La_MSTPInstanceID", "MSTP Instance ID:"},
    {DesignatedBridgeColumn, "La_DesignBridge", "Designated Bridge:"},
    {PathCostColumn, "ED_PathCost", "Internal Path Cost:", Edit, "%i"},
    {PortPriorityColumn, "ED_Priority", "Priority:", Edit, "%i"},
    {PortStatusColumn, "La_Status", "Status:"},
    {RoleColumn, "La_Role", "Role:"},
};

} // namespace

TConfigInstanceForm::TConfigInstanceForm(QTreeWidgetItem &row, QWidget *parent)
    : TRowEditor(row, instanceFields, u"ConfigInstanceForm"_s, u"Apply"_s, parent)
{
    setWindowTitle(u"Config MSTP Instance"_s);
    for (const char *name : rangeNames)
        control<QLineEdit>(name)->setMinimumWidth(160);
    check = [this] {
        return checkVLanRanges();
    };
}

// Each box holds one 8-octet bitmap; a shorter or longer one is not sent.
bool TConfigInstanceForm::checkVLanRanges()
{
    for (int i = 0; i < VLanRangeCount; ++i) {
        auto *edit = control<QLineEdit>(rangeNames[i]);
        const QString caption = QString::fromLatin1(rangeCaptions[i]).chopped(1);
        if (!checkEntry(
                isHexDigits(edit->text(), VLanRangeDigits), edit, invalidStringMessage(caption)))
            return false;
    }
    return true;
}

TMSTPPortStateForm::TMSTPPortStateForm(QTreeWidgetItem &row, bool mstp, QWidget *parent)
    : TRowEditor(row, portStateFields, u"MSTPPortStateForm"_s, u"Apply"_s, parent)
{
    setWindowTitle(u"MSTPPortStateForm"_s);
    control("ED_HelloTime")->setEnabled(mstp);
}

TMSTPInforForm::TMSTPInforForm(QTreeWidgetItem &row, QWidget *parent)
    : TRowEditor(row, portMSTPFields, u"MSTPInforForm"_s, u"Apply"_s, parent)
{
    setWindowTitle(u"MSTP Information Form"_s);
}
