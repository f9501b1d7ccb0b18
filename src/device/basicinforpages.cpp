#include "device/basicinforpages.h"

#include "binding/edits.h"
#include "binding/standardoptions.h"
#include "forms/formbuilder.h"
#include "forms/progresswindow.h"
#include "platform/prompts.h"
#include "platform/radiogroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const KxOptionList enabledFirst{{1, "enabled"}, {2, "disabled"}};
const KxOptionList mgmtProtocols{{1, "other"}, {2, "snmp-ip"}, {3, "snmp-ipx"}, {4, "snmp-ip-ipx"}};
const KxOptionList consoleUse{{2, "in-use"}, {3, "not-in-use"}};
const KxOptionList baudRates{
    {2, "baudRate-9600"}, {3, "baudRate-19200"}, {4, "baudRate-38400"}, {5, "baudRate-115200"}};
const KxOptionList ipSources{{2, "disabled"}, {3, "bootp"}, {4, "dhcp"}};
const KxOptionList counterCleaning{{1, "normal"}, {2, "active"}};
const KxOptionList multicastFiltering{{2, "forward-unregistered-groups"},
                                      {3, "filter-unregistered-groups"}};
const KxOptionList upDown{{1, "up"}, {2, "down"}};
const KxOptionList mibTypes{{2, "standard"}, {3, "proprietary"}, {4, "experiment"}};
using namespace KxSyntax;
using namespace KxAccess;

using enum KxFieldKind;

const KxField systemFields[] = {
    {{"1.3.6.1.2.1.1.1", "System Description", DisplayStr, ReadOnly},
     "LableDescr",
     "Description :",
     Label},
    {{"1.3.6.1.2.1.1.2", "System Object ID", ObjectId, ReadOnly},
     "LabelModuleType",
     "ModuleType:",
     Label},
    {{"1.3.6.1.2.1.1.3", "System Uptime", TimeTicks, ReadOnly}, "LabelUpTime", "Up Time:", Label},
    {{"1.3.6.1.2.1.1.4", "System Contact", DisplayStr, ReadWrite},
     "EditContact",
     "Contact :",
     Edit},
    {{"1.3.6.1.2.1.1.5", "System Name", DisplayStr, ReadWrite}, "EditName", "Name :", Edit},
    {{"1.3.6.1.2.1.1.6", "System Location", DisplayStr, ReadWrite},
     "EditLocation",
     "Location :",
     Edit},
    {{"1.3.6.1.2.1.11.30", "snmp Enable Authen Traps", Integer, ReadWrite, &enabledFirst},
     "rgpAuthenticationTrapStatusValue",
     "Authentication Trap Status",
     Radio},
    {{"1.3.6.1.4.1.88508.12.1.1.1",
      "agentMgmtProtocolCapability",
      Integer,
      ReadOnly,
      &mgmtProtocols},
     "LabelMgmtProc",
     "Protocol Capability:",
     Label},
    {{"1.3.6.1.4.1.88508.12.1.1.3", "Console In Use", Integer, ReadOnly, &consoleUse},
     "rgpConsoleInUse",
     "Console In Use",
     Radio},
    {{"1.3.6.1.4.1.88508.12.1.2.7",
      "Console Port Baud Rate Config",
      Integer,
      ReadWrite,
      &baudRates},
     "rgp_ConsolePortBaudRate",
     "Console Port Baud Rate",
     Radio,
     "%s",
     2},
};

const KxField chassisFields[] = {
    {{"1.3.6.1.4.1.88508.12.1.3.1", "IP Num Of IF", Integer, ReadOnly},
     "LabNumOfIfVlaue",
     "Num Of IF :",
     Label},
    {{"1.3.6.1.4.1.88508.12.1.3.3", "IP Get IP From", Integer, ReadWrite, &ipSources},
     "rgpGetFromBootpServerValue",
     nullptr,
     Radio,
     "%s",
     3},
};

const KxField protocolFields[] = {
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.1.1", "TotalNumOfPort", Integer, ReadOnly},
     "LbTotalofNumPortValue",
     "Total Of Num Port :",
     Label},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.1.2", "NumOfPortInUse", Integer, ReadOnly},
     "LbNumofPortInUse",
     "Num Of Port In Use :",
     Label},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.1",
      "swL2DevCtrlStpState",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "rpgStpState",
     "STP State :",
     Radio},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.2",
      "swL2DevCtrlIGMPSnooping",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "rgpIGMPSnoopingState",
     "IGMP Snooping :",
     Radio},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.3",
      "swL2DevCtrlRmonState",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "rgpRmonState",
     "RMON State :",
     Radio},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.4",
      "swL2DevCtrlCleanAllStatisticCounter",
      Integer,
      ReadWrite,
      &counterCleaning},
     "rgpCASCState",
     "Clean All Statistic Counter :",
     Radio},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.5", "swL2DevCtrlVlanIdOfFDBTbl", Integer, ReadWrite},
     "ED_VlanID",
     "VLAN ID Of FDB Table :",
     Edit,
     "%i{n1x4094l4}"},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.6",
      "swL2MACNotifyState",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "rgpMacNotifyState",
     "MAC Notify State:",
     Radio},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.7", "swL2MACNotifyHistorySize", Integer, ReadWrite},
     "ED_MacNotifyHistorySize",
     "MAC Notify History  Size:",
     Edit,
     "%i{n1x500l3}"},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.8", "swL2MACNotifyInterval", Integer, ReadWrite},
     "ED_NotifyInterval",
     "MAC Notify Interval:",
     Edit,
     "%i{n1x2147483647l10}"},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.9",
      "swL2PortCtrlMulticastfilter",
      Integer,
      ReadWrite,
      &multicastFiltering},
     "RgpMulticastfilterCtrl",
     "Multicast Filter :",
     Radio,
     "%s",
     2},
};

const KxField topologyFields[] = {
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.3.1",
      "New Root Alarm",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "rgpSTPAlarm",
     "STP Alarm New Root :",
     Radio,
     "%s",
     2},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.3.2",
      "Topology Change Alarm",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "rgpSTPTopology",
     "STP Topology Change :",
     Radio,
     "%s",
     2},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.3.3",
      "Link Change Alarm",
      Integer,
      ReadWrite,
      &DisabledEnabledOptions},
     "rgpAlarmLinkStatus",
     "Alarm Link Status Change :",
     Radio,
     "%s",
     2},
};

const KxField interfaceFields[] = {
    {{"1.3.6.1.2.1.2.2.1.1", "Index", Integer, ReadOnly}, "ST_Index", "Index", Label},
    {{"1.3.6.1.2.1.2.2.1.2", "Description", DisplayStr, ReadOnly}},
    {{"1.3.6.1.2.1.2.2.1.3", "Type", Integer, ReadOnly, &InterfaceTypeOptions}},
    {{"1.3.6.1.2.1.2.2.1.4", "Multicast", Integer, ReadOnly}},
    {{"1.3.6.1.2.1.2.2.1.5", "Speed", Gauge, ReadOnly}},
    {{"1.3.6.1.2.1.2.2.1.6", "Phys Address", MacAddress, ReadOnly}},
    {{"1.3.6.1.2.1.2.2.1.7", "Admin Status", Integer, ReadWrite, &upDown},
     "Combo_AdminStatus",
     "Admin Status",
     Combo},
    {{"1.3.6.1.2.1.2.2.1.8", "Oper Status", Integer, ReadOnly, &InterfaceStatusOptions}},
    {{"1.3.6.1.2.1.2.2.1.9", "Last Change", TimeTicks, ReadOnly}},
    {{"1.3.6.1.2.1.2.2.1.21", "Out QLen", Gauge, ReadOnly}},
    {{"1.3.6.1.2.1.2.2.1.22", "Specific", ObjectId, ReadOnly}},
};

const KxField mibFields[] = {
    {{"1.3.6.1.4.1.88508.12.1.1.2.1.1", "agentMibCapabilityIndex", Integer, NotAccess}},
    {{"1.3.6.1.4.1.88508.12.1.1.2.1.2", "agentMibCapabilityDescr", DisplayStr, ReadOnly}},
    {{"1.3.6.1.4.1.88508.12.1.1.2.1.3", "agentMibCapabilityVersion", Integer, ReadOnly}},
    {{"1.3.6.1.4.1.88508.12.1.1.2.1.4", "agentMibCapabilityType", Integer, ReadOnly, &mibTypes}},
};

void fitColumns(QTreeWidget *list)
{
    for (int column = 0; column < list->columnCount(); ++column)
        list->resizeColumnToContents(column);
}

} // namespace

TBindingPage *makeBasicSystemPage()
{
    auto *page = new TBindingPage(u"tsSystem"_s, u"System"_s, {470, 512}, systemFields);
    page->control<QLabel>("LableDescr")->setWordWrap(true);
    page->control("rgpConsoleInUse")->setEnabled(false);
    auto *grid = new QGridLayout;
    page->addFormRows(grid, {"LableDescr", "LabelModuleType", "LabelUpTime", "LabelMgmtProc"});
    addGridRow(grid, u"VLAN Static Name.1:"_s, new QLabel(u"default"_s));
    page->addFormRows(grid, {"EditContact", "EditName", "EditLocation"});
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addLayout(
        page->controlGrid({"rgpAuthenticationTrapStatusValue", "rgpConsoleInUse"}, 2));
    layout->addWidget(page->control("rgp_ConsolePortBaudRate"));
    layout->addStretch(1);
    return page;
}

TBindingPage *makeBasicChassisPage()
{
    auto *page = new TBindingPage(u"tsChassis"_s, u"Chassis"_s, {470, 280}, chassisFields);
    auto *grid = new QGridLayout;
    page->addFormRows(grid, {"LabNumOfIfVlaue"});
    addGridRow(grid, u"Get IP From Bootp Server:"_s, page->control("rgpGetFromBootpServerValue"));
    addGridRow(grid, u"Boot PROM Version:"_s, new QLabel(u"Build 1.00.B03"_s));
    addGridRow(grid, u"Firmware Version:"_s, new QLabel(u"Build 4.00.B04"_s));
    addGridRow(grid, u"HW Revision:"_s, new QLabel(u"1A1"_s));
    addGridRow(grid, u"Device Seria Number:"_s, new QLabel);
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addStretch(1);
    return page;
}

TBindingPage *makeBasicTopologyPage()
{
    auto *page = new TBindingPage(
        u"tsTopologyAlarm"_s, u"Topology Alarm Control"_s, {470, 250}, topologyFields);
    page->layOutFields();
    return page;
}

TBasicProtocolPage::TBasicProtocolPage()
    : TBindingPage(u"tsProtocolControl"_s, u"Protocol Control"_s, {610, 420}, protocolFields)
{
    auto *counts = new QGridLayout;
    addFormRows(counts, {"LbTotalofNumPortValue", "LbNumofPortInUse"});
    counts->setColumnStretch(1, 1);
    auto *edits = new QGridLayout;
    addFormRows(edits, {"ED_VlanID", "ED_MacNotifyHistorySize", "ED_NotifyInterval"});
    edits->setColumnStretch(2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(counts);
    layout->addLayout(controlGrid({"rpgStpState",
                                   "rgpIGMPSnoopingState",
                                   "rgpRmonState",
                                   "rgpCASCState",
                                   "rgpMacNotifyState"},
                                  3));
    layout->addLayout(edits);
    layout->addWidget(control("RgpMulticastfilterCtrl"));
    layout->addStretch(1);
}

void TBasicProtocolPage::afterRead()
{
    m_stpStateRead = stpState()->itemIndex() == 1 ? u"enabled"_s : u"disabled"_s;
}

void TBasicProtocolPage::applyPage()
{
    const int chosen = stpState()->itemIndex();
    const bool enabling = chosen == 1 && m_stpStateRead != u"enabled"_s;
    if (!enabling) {
        applyBinding();
    } else if (prompts().confirm(this,
                                 u"Confirm"_s,
                                 u"To enable STP may take a long time. Do you want to go on?"_s)) {
        showProgressWindow(
            {window(), u"Enable STP Progress"_s, u"Enable STP is doing..."_s, [this] {
                 applyBinding();
             }});
    }
    showPage();
}

RadioGroup *TBasicProtocolPage::stpState() const
{
    return control<RadioGroup>("rpgStpState");
}

TBasicInterfacesPage::TBasicInterfacesPage()
    : TBindingPage(u"tsInterfaces"_s, u"Interfaces"_s, {695, 473}, interfaceFields, MVT_FMV, 1)
    , m_list(makeListView(u"LV_Interfaces"_s))
{
    setListView(m_list, true);
    auto *index = control("ST_Index");
    index->setMinimumWidth(40);
    auto *adminStatus = control<QComboBox>("Combo_AdminStatus");
    adminStatus->setMinimumContentsLength(8);

    auto *panel = new QHBoxLayout;
    panel->addWidget(new QLabel(u"Index"_s));
    panel->addWidget(index);
    panel->addSpacing(20);
    panel->addWidget(new QLabel(u"Admin Status"_s));
    panel->addWidget(adminStatus);
    panel->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(panel);
}

void TBasicInterfacesPage::afterRead()
{
    fitColumns(m_list);
}

// Writes the admin status of the selected interface and reads the list again.
void TBasicInterfacesPage::applyPage()
{
    const QTreeWidgetItem *row = m_list->currentItem();
    if (!row || !row->isSelected())
        return;
    applyBinding();
}

TBasicMibPage::TBasicMibPage()
    : TBindingPage(u"tsMibCapability"_s, u"MIB Capability"_s, {470, 473}, mibFields, MVT_FMV, 1)
    , m_list(makeListView(u"lv_MibCapability"_s,
                          {u"Index"_s, u"Description"_s, u"Version"_s, u"Type"_s}))
{
    setListView(m_list, true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
}

void TBasicMibPage::afterRead()
{
    fitColumns(m_list);
}
