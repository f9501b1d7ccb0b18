#include "layer2/stppages.h"

#include "binding/standardoptions.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

const KxOptionList P2PStateOptions{{0, "true"}, {1, "false"}, {2, "auto"}};

namespace {

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

const KxOptionList stpVersions{{0, "stp"}, {1, "rstp"}, {2, "mstp"}};
const KxOptionList instanceTypes{{0, "cist"}, {1, "msti"}};
const KxOptionList portStates{{1, "other"},
                              {2, "disabled"},
                              {3, "discarding"},
                              {4, "learning"},
                              {5, "forwarding"},
                              {6, "broken"},
                              {7, "no-stp-enabled"}};
const KxOptionList portRoles{{0, "disable"},
                             {1, "alternate"},
                             {2, "backup"},
                             {3, "root"},
                             {4, "desinated"},
                             {5, "master"},
                             {6, "nonstp"}};

constexpr int HelloTimeVar = 3;
constexpr int MinRecoverTime = 60;
constexpr int MaxRecoverTime = 1000000;
constexpr int MaxConfigNameLength = 32;

const KxField bridgeSettings[] = {
    {{"1.3.6.1.4.1.88508.12.15.1.1",
      "Spanning Tree Algorithm",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "CB_STPStatus",
     "STP Status:",
     Combo},
    {{"1.3.6.1.4.1.88508.12.15.1.2", "STP Version", Integer, ReadWrite, &stpVersions},
     "CB_STPVersion",
     "STP Version:",
     Combo},
    {{"1.3.6.1.4.1.88508.12.15.1.3", "STP Max Age", Integer, ReadWrite},
     "ED_MaxAge",
     "Max Age(600-4000 Sec):",
     Edit,
     "%i{n600x4000l4a}",
     1,
     ""},
    {{"1.3.6.1.4.1.88508.12.15.1.4", "STP Hello Time", Integer, ReadWrite},
     "ED_HelloTime",
     "Hello Time:",
     Edit,
     "%i{n100x1000l4a}"},
    {{"1.3.6.1.4.1.88508.12.15.1.5", "STP Forward Delay", Integer, ReadWrite},
     "ED_ForwardDelay",
     "Forward Delay(400-3000 Sec):",
     Edit,
     "%i{n400x3000l4a}",
     1,
     ""},
    {{"1.3.6.1.4.1.88508.12.15.1.6", "STP Max Hops", Integer, ReadWrite},
     "ED_MaxHops",
     "Max Hops(1-20):",
     Edit,
     "%i{n1x20l2a}",
     1,
     ""},
    {{"1.3.6.1.4.1.88508.12.15.1.7", "STP Tx Hold Count", Integer, ReadWrite},
     "ED_TXHoldCount",
     "TX Hold Count(1-10):",
     Edit,
     "%i{n1x10l2a}",
     1,
     ""},
    {{"1.3.6.1.4.1.88508.12.15.1.8",
      "STP Forward BPDU",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "CB_ForwardingBPDU",
     "Forwarding BPDU:",
     Combo},
    {{"1.3.6.1.4.1.88508.12.15.1.9", "STP LBD", Integer, ReadWrite, &DisabledEnabledOptions},
     "CB_STPLBD",
     "STP LBD: ",
     Combo},
    {{"1.3.6.1.4.1.88508.12.15.1.10", "STP LBD Recover Time", Integer, ReadWrite},
     "ED_RecoverTime",
     "STP LBD Recover Time:",
     Edit,
     "%i{n0x1000000l7a}"},
};

const KxField bridgeValues[] = {
    {{"1.3.6.1.2.1.17.1.2", "Number of Ports", Integer, ReadOnly},
     "La_NumberOfPort",
     "Number of Ports:",
     Label},
    {{"1.3.6.1.2.1.17.4.1", "Learned Entry Discards", Counter, ReadOnly},
     "La_LearnedEntry",
     "Learned Entry Discards:",
     Label},
    {{"1.3.6.1.2.1.17.4.2", "Aging Time[10-1000000]", Integer, ReadWrite},
     "ED_AgingTime",
     "Aging Time[10-1000000]:",
     Edit,
     "%i{n10x1000000l7a}",
     1,
     ""},
};

const KxField configIdFields[] = {
    {{"1.3.6.1.4.1.88508.12.15.2.1", "MSTP Name", DisplayStr, ReadWrite},
     "ED_ConfigurationName",
     "Configuration Name:",
     Edit},
    {{"1.3.6.1.4.1.88508.12.15.2.2", "MSTP Revision Level", Integer, ReadWrite},
     "ED_RevisionLevel",
     "Revision Level:",
     Edit,
     "%i"},
};

const KxSNMPVarDesc instanceTable[] = {
    {"1.3.6.1.4.1.88508.12.15.2.3.1.1", "MSTP Inst ID", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.2", "VLAN Range [1-64]", OctetStr, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.3", "VlLAN Range [65-128]", OctetStr, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.4", "VLAN Range [129-192]", OctetStr, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.5", "VLAN Range [193-256]", OctetStr, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.6", "VLAN Range [257-320]", OctetStr, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.7", "VLAN Range [321-384]", OctetStr, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.8", "VLAN Range [385-448]", OctetStr, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.9", "VLAN Range [449-512]", OctetStr, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.10", "Type", Integer, ReadOnly, &instanceTypes},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.11", "Status", Integer, ReadOnly, &EnabledDisabledOptions},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.12", "Priority", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.13", "Designated Root Bridge", DisplayStr, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.14", "External Root Cost", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.15", "Regional Root Bridge", DisplayStr, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.16", "Internal Root Cost", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.17", "Designated Bridge", DisplayStr, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.18", "Root Port", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.19", "Max Age", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.20", "Forward Delay", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.21", "Last Topology Change", TimeTicks, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.22", "Top Changes Count", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.23", "Remain Hops", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.3.1.24", "Row Status", Integer, ReadWrite, &RowStatusOptions},
    {},
};

const KxSNMPVarDesc portStateTable[] = {
    {"1.3.6.1.4.1.88508.12.15.2.4.1.1", "MSTP Port", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.2", "Admin Hello Time", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.3", "Operate Hello Time", Integer, ReadOnly},
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
    {"1.3.6.1.4.1.88508.12.15.2.4.1.9",
     "MSTP Port Admin P2P",
     Integer,
     ReadWrite,
     &P2PStateOptions},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.10",
     "MSTP Port Operate P2P",
     Integer,
     ReadOnly,
     &P2PStateOptions},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.11",
     "MSTP Port LBD",
     Integer,
     ReadWrite,
     &DisabledEnabledOptions},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.12",
     "MSTP Port BPDU Filtering",
     Integer,
     ReadWrite,
     &DisabledEnabledOptions},
    {},
};

const KxSNMPVarDesc portMSTPTable[] = {
    {"1.3.6.1.4.1.88508.12.15.2.5.1.1", "Master Port", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.15.2.5.1.2", "MSTP Instance ID", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.15.2.5.1.3", "Designated Bridge", OctetStr, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.5.1.4", "Internal Path Cost", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.5.1.5", "Priority", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.5.1.6", "Status", Integer, ReadOnly, &portStates},
    {"1.3.6.1.4.1.88508.12.15.2.5.1.7", "Role", Integer, ReadOnly, &portRoles},
    {},
};

// The list's headers are the object names, as the binding would caption them.
KxTableDesc listDesc(const char *listName, const KxSNMPVarDesc *table, int keyCount)
{
    KxTableDesc desc;
    desc.listName = listName;
    desc.table = table;
    desc.keyCount = keyCount;
    for (const KxSNMPVarDesc *each = table; each->oid; ++each)
        desc.columns.append({QString::fromLatin1(each->name), 0});
    desc.equalColumnWidths = false;
    desc.fitColumnsToContents = true;
    return desc;
}

QGroupBox *groupOf(const QString &title, QLayout *content)
{
    auto *group = new QGroupBox(title);
    group->setLayout(content);
    return group;
}

} // namespace

TSTPGlobalPage::TSTPGlobalPage()
    : TBindingPage(
        u"STPGlobalSetting"_s, u"STP Bridge Global Settings"_s, {725, 509}, bridgeSettings)
    , m_bridge(new TBindingPage(u"STPBridgeValues"_s, QString(), {}, bridgeValues))
{
    auto *settings = new QGridLayout;
    addFormRows(settings,
                {"CB_STPStatus",
                 "CB_STPVersion",
                 "ED_MaxAge",
                 "ED_HelloTime",
                 "ED_ForwardDelay",
                 "ED_MaxHops",
                 "ED_TXHoldCount",
                 "CB_ForwardingBPDU",
                 "CB_STPLBD",
                 "ED_RecoverTime"});
    settings->setColumnStretch(2, 1);
    for (const KxField &each : bridgeSettings)
        control(each.name)->setMaximumWidth(140);
    auto *values = new QGridLayout(m_bridge);
    m_bridge->addFormRows(values, {"La_NumberOfPort", "La_LearnedEntry", "ED_AgingTime"});
    values->setColumnStretch(2, 1);
    m_bridge->control("ED_AgingTime")->setMaximumWidth(140);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(groupOf(u"STP Bridge Global Settings"_s, settings));
    layout->addWidget(m_bridge);
    layout->addStretch(1);
    connect(control<QComboBox>("CB_STPVersion"),
            &QComboBox::currentTextChanged,
            this,
            &TSTPGlobalPage::showHelloTimeState);
}

bool TSTPGlobalPage::mstpChosen() const
{
    return control<QComboBox>("CB_STPVersion")->currentText() == u"mstp"_s;
}

void TSTPGlobalPage::showHelloTimeState()
{
    control("ED_HelloTime")->setEnabled(!mstpChosen());
}

void TSTPGlobalPage::showPage()
{
    TBindingPage::showPage();
    m_bridge->showPage();
    showHelloTimeState();
}

void TSTPGlobalPage::stop()
{
    TBindingPage::stop();
    m_bridge->stop();
}

// 0 switches the recovery off; otherwise the switch waits at least 60 seconds.
bool TSTPGlobalPage::checkRecoverTime()
{
    auto *edit = control<QLineEdit>("ED_RecoverTime");
    const QString text = edit->text().trimmed();
    const bool valid = isIntegerIn(text, 0, MaxRecoverTime)
                       && (text.toInt() == 0 || text.toInt() >= MinRecoverTime);
    return checkEntry(
        valid, edit, u"LBD recover time should be equal to 0 or between 60-1000000!"_s);
}

void TSTPGlobalPage::applyPage()
{
    if (!checkRecoverTime())
        return;
    const bool mstp = mstpChosen();
    applyBinding(false, [mstp](int var) { return mstp && var == HelloTimeVar; });
    m_bridge->applyPage();
}

TSTPConfigIdPage::TSTPConfigIdPage()
    : TBindingPage(u"MSTConfigIdentication"_s,
                   u"MSTP Configuration Identication"_s,
                   {725, 219},
                   configIdFields)
{
    layOutFields();
}

void TSTPConfigIdPage::applyPage()
{
    if (!checkString(control<QLineEdit>("ED_ConfigurationName"),
                     u"Configuration Name"_s,
                     {.maxLength = MaxConfigNameLength}))
        return;
    applyBinding();
    showPage();
}

KxTableDesc stpInstanceDesc()
{
    KxTableDesc desc = listDesc("LV_Instance", instanceTable, 1);
    desc.kind = MVT_FMV;
    return desc;
}

KxTableDesc stpPortStateDesc()
{
    return listDesc("LV_PortState", portStateTable, 1);
}

KxTableDesc stpPortMSTPDesc()
{
    return listDesc("LV_PortMSTPInfor", portMSTPTable, 2);
}
