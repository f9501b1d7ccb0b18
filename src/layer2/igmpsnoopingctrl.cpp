#include "layer2/igmpsnoopingctrl.h"

#include "layer2/igmpsnooping.h"
#include "snmp/optionlist.h"

using namespace Qt::StringLiterals;

namespace {

using enum KxFieldKind;

// The cell texts in the order of the radio items "Enabled", "Disabled".
const KxOptionList queryChoices{{3, "enabled"}, {2, "disabled"}};
const KxOptionList snoopingChoices{{3, "enable"}, {2, "disable"}};

const KxRowField controlFields[] = {
    {VidColumn, "LabelVidNum", "vid(0..65535):"},
    {QueryIntervalColumn, "QueryIntervalEdit", "Query Interval(1..65535):", Edit, "%i{n1x65535l5}"},
    {MaxResponseTimeColumn, "MaxRespTimeEdit", "Max Response Time(1..25):", Edit, "%i{n1x25l2}"},
    {RobustnessColumn, "RobustnessEdit", "Robustness(1..255):", Edit, "%i{n1x255l3}"},
    {LastMemberQueryColumn,
     "LastMemQueryInterEdit",
     "Last Member Query Interval(1..25):",
     Edit,
     "%i{n1x25l2}"},
    {HostTimeoutColumn, "HostTimeoutEdit", "Host Timeout(1..16711450):", Edit, "%i{n1x16711450l8}"},
    {RouteTimeoutColumn,
     "RouteTimeoutEdit",
     "Route Timeout(1..16711450):",
     Edit,
     "%i{n1x16711450l8}"},
    {LeaveTimerColumn, "LeaveTimerEdit", "Leave Timer(1..16711450):", Edit, "%i{n1x16711450l8}"},
    {QueryStateColumn,
     "rgpQueryState",
     "Query State:",
     Radio,
     "%s",
     &queryChoices,
     "Enabled|Disabled"},
    {CurrentStateColumn, "LabelCurrentState", "Current State:"},
    {SnoopingStateColumn,
     "rgpControlState",
     "Control State:",
     Radio,
     "%s",
     &snoopingChoices,
     "Enabled|Disabled"},
};

} // namespace

TIGMPSnoopingCtrlForm::TIGMPSnoopingCtrlForm(QTreeWidgetItem &row, QWidget *parent)
    : TRowEditor(row, controlFields, u"IGMPSnoopingCtrlForm"_s, u"Apply"_s, parent)
{
    setWindowTitle(u"IGMP Snooping Control:"_s);
}
