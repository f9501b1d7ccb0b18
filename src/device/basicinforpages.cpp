#include "device/basicinforpages.h"

#include "binding/edits.h"
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
const KxOptionList disabledEnabled{{2, "disabled"}, {3, "enabled"}};
const KxOptionList mgmtProtocols{{1, "other"}, {2, "snmp-ip"}, {3, "snmp-ipx"}, {4, "snmp-ip-ipx"}};
const KxOptionList consoleUse{{2, "in-use"}, {3, "not-in-use"}};
const KxOptionList baudRates{
    {2, "baudRate-9600"}, {3, "baudRate-19200"}, {4, "baudRate-38400"}, {5, "baudRate-115200"}};
const KxOptionList ipSources{{2, "disabled"}, {3, "bootp"}, {4, "dhcp"}};
const KxOptionList counterCleaning{{1, "normal"}, {2, "active"}};
const KxOptionList multicastFiltering{{2, "forward-unregistered-groups"},
                                      {3, "filter-unregistered-groups"}};
const KxOptionList upDown{{1, "up"}, {2, "down"}};
const KxOptionList operStates{{1, "up"}, {2, "down"}, {3, "testing"}};
const KxOptionList mibTypes{{2, "standard"}, {3, "proprietary"}, {4, "experiment"}};
// The interface types of MIB-II, in the order of that MIB.
const KxOptionList interfaceTypes{{1, "other"},
                                  {2, "regular1822"},
                                  {3, "hdh1822"},
                                  {4, "ddn-x25"},
                                  {5, "rfc877-x25"},
                                  {6, "ethernet-csmacd"},
                                  {7, "iso88023-csmacd"},
                                  {8, "iso88024-tokenBus"},
                                  {9, "iso88025-tokenRing"},
                                  {10, "iso88026-man"},
                                  {11, "starLan"},
                                  {12, "proteon-10Mbit"},
                                  {13, "proteon-80Mbit"},
                                  {14, "hyperchannel"},
                                  {15, "fddi"},
                                  {16, "lapb"},
                                  {17, "sdlc"},
                                  {18, "ds1"},
                                  {19, "e1"},
                                  {20, "basicISDN"},
                                  {21, "primaryISDN"},
                                  {22, "propPointToPointSerial"},
                                  {23, "ppp"},
                                  {24, "softwareLoopback"},
                                  {25, "eon"},
                                  {26, "ethernet-3Mbit"},
                                  {27, "nsip"},
                                  {28, "slip"},
                                  {29, "ultra"},
                                  {30, "ds3"},
                                  {31, "sip"},
                                  {32, "frame-relay"}};

using namespace KxSyntax;
using namespace KxAccess;

const KxSNMPVarDesc systemTable[] = {
    {"1.3.6.1.2.1.1.1", "System Description", DisplayStr, ReadOnly},
    {"1.3.6.1.2.1.1.2", "System Object ID", ObjectId, ReadOnly},
    {"1.3.6.1.2.1.1.3", "System Uptime", TimeTicks, ReadOnly},
    {"1.3.6.1.2.1.1.4", "System Contact", DisplayStr, ReadWrite},
    {"1.3.6.1.2.1.1.5", "System Name", DisplayStr, ReadWrite},
    {"1.3.6.1.2.1.1.6", "System Location", DisplayStr, ReadWrite},
    {"1.3.6.1.2.1.11.30", "snmp Enable Authen Traps", Integer, ReadWrite, &enabledFirst},
    {"1.3.6.1.4.1.88508.12.1.1.1",
     "agentMgmtProtocolCapability",
     Integer,
     ReadOnly,
     &mgmtProtocols},
    {"1.3.6.1.4.1.88508.12.1.1.3", "Console In Use", Integer, ReadOnly, &consoleUse},
    {"1.3.6.1.4.1.88508.12.1.2.7", "Console Port Baud Rate Config", Integer, ReadWrite, &baudRates},
    {},
};

const KxSNMPVarDesc chassisTable[] = {
    {"1.3.6.1.4.1.88508.12.1.3.1", "IP Num Of IF", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.12.1.3.3", "IP Get IP From", Integer, ReadWrite, &ipSources},
    {},
};

const KxSNMPVarDesc protocolTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.1.1.1", "TotalNumOfPort", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.1.2", "NumOfPortInUse", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.1",
     "swL2DevCtrlStpState",
     Integer,
     ReadWrite,
     &disabledEnabled},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.2",
     "swL2DevCtrlIGMPSnooping",
     Integer,
     ReadWrite,
     &disabledEnabled},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.3",
     "swL2DevCtrlRmonState",
     Integer,
     ReadWrite,
     &disabledEnabled},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.4",
     "swL2DevCtrlCleanAllStatisticCounter",
     Integer,
     ReadWrite,
     &counterCleaning},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.5", "swL2DevCtrlVlanIdOfFDBTbl", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.6",
     "swL2MACNotifyState",
     Integer,
     ReadWrite,
     &disabledEnabled},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.7", "swL2MACNotifyHistorySize", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.8", "swL2MACNotifyInterval", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.9",
     "swL2PortCtrlMulticastfilter",
     Integer,
     ReadWrite,
     &multicastFiltering},
    {},
};

const KxSNMPVarDesc topologyTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.1.3.1", "New Root Alarm", Integer, ReadWrite, &disabledEnabled},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.3.2",
     "Topology Change Alarm",
     Integer,
     ReadWrite,
     &disabledEnabled},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.3.3",
     "Link Change Alarm",
     Integer,
     ReadWrite,
     &disabledEnabled},
    {},
};

const KxSNMPVarDesc interfaceTable[] = {
    {"1.3.6.1.2.1.2.2.1.1", "Index", Integer, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.2", "Description", DisplayStr, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.3", "Type", Integer, ReadOnly, &interfaceTypes},
    {"1.3.6.1.2.1.2.2.1.4", "Multicast", Integer, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.5", "Speed", Gauge, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.6", "Phys Address", MacAddress, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.7", "Admin Status", Integer, ReadWrite, &upDown},
    {"1.3.6.1.2.1.2.2.1.8", "Oper Status", Integer, ReadOnly, &operStates},
    {"1.3.6.1.2.1.2.2.1.9", "Last Change", TimeTicks, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.21", "Out QLen", Gauge, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.22", "Specific", ObjectId, ReadOnly},
    {},
};
enum InterfaceVar { IfIndex = 0, IfAdminStatus = 6 };

const KxSNMPVarDesc mibTable[] = {
    {"1.3.6.1.4.1.88508.12.1.1.2.1.1", "agentMibCapabilityIndex", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.1.1.2.1.2", "agentMibCapabilityDescr", DisplayStr, ReadOnly},
    {"1.3.6.1.4.1.88508.12.1.1.2.1.3", "agentMibCapabilityVersion", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.12.1.1.2.1.4", "agentMibCapabilityType", Integer, ReadOnly, &mibTypes},
    {},
};

// The edit box of a number with its accepted range shown beside it.
QLabel *rangeHint(QLineEdit *edit, const QString &range)
{
    edit->setToolTip(range);
    edit->setMaximumWidth(140);
    return new QLabel(range);
}

void fitColumns(QTreeWidget *list)
{
    for (int column = 0; column < list->columnCount(); ++column)
        list->resizeColumnToContents(column);
}

} // namespace

TBindingPage *makeBasicSystemPage()
{
    auto *page = new TBindingPage(u"tsSystem"_s, u"System"_s, {470, 512}, systemTable);
    QLabel *description = makeLabel(QString(), u"LableDescr"_s);
    description->setWordWrap(true);
    QLineEdit *contact = makeEdit(u"EditContact"_s);
    QLineEdit *name = makeEdit(u"EditName"_s);
    QLineEdit *location = makeEdit(u"EditLocation"_s);
    RadioGroup *traps
        = makeRadioGroup(u"Authentication Trap Status"_s, u"rgpAuthenticationTrapStatusValue"_s);
    RadioGroup *console = makeRadioGroup(u"Console In Use"_s, u"rgpConsoleInUse"_s);
    console->setEnabled(false);
    RadioGroup *baudRate
        = makeRadioGroup(u"Console Port Baud Rate"_s, u"rgp_ConsolePortBaudRate"_s, 2);
    const QList<QWidget *> bound{description,
                                 makeLabel(QString(), u"LabelModuleType"_s),
                                 makeLabel(QString(), u"LabelUpTime"_s),
                                 contact,
                                 name,
                                 location,
                                 traps,
                                 makeLabel(QString(), u"LabelMgmtProc"_s),
                                 console,
                                 baudRate};
    for (int var = 0; var < bound.size(); ++var)
        page->addBinding(var, bound.at(var));

    auto *grid = new QGridLayout;
    addGridRow(grid, u"Description :"_s, description);
    addGridRow(grid, u"ModuleType:"_s, bound.at(1));
    addGridRow(grid, u"Up Time:"_s, bound.at(2));
    addGridRow(grid, u"Protocol Capability:"_s, bound.at(7));
    addGridRow(grid, u"VLAN Static Name.1:"_s, new QLabel(u"default"_s));
    addGridRow(grid, u"Contact :"_s, contact);
    addGridRow(grid, u"Name :"_s, name);
    addGridRow(grid, u"Location :"_s, location);
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addLayout(makeWidgetGrid({traps, console}, 2));
    layout->addWidget(baudRate);
    layout->addStretch(1);
    return page;
}

TBindingPage *makeBasicChassisPage()
{
    auto *page = new TBindingPage(u"tsChassis"_s, u"Chassis"_s, {470, 280}, chassisTable);
    QLabel *interfaces = makeLabel(QString(), u"LabNumOfIfVlaue"_s);
    RadioGroup *ipSource = makeRadioGroup(QString(), u"rgpGetFromBootpServerValue"_s, 3);
    page->addBinding(0, interfaces);
    page->addBinding(1, ipSource);

    auto *grid = new QGridLayout;
    addGridRow(grid, u"Num Of IF :"_s, interfaces);
    addGridRow(grid, u"Get IP From Bootp Server:"_s, ipSource);
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
        u"tsTopologyAlarm"_s, u"Topology Alarm Control"_s, {470, 250}, topologyTable);
    auto *layout = new QVBoxLayout(page);
    const std::pair<const char *, const char *> groups[] = {
        {"STP Alarm New Root :", "rgpSTPAlarm"},
        {"STP Topology Change :", "rgpSTPTopology"},
        {"Alarm Link Status Change :", "rgpAlarmLinkStatus"},
    };
    int var = 0;
    for (const auto &[title, name] : groups) {
        RadioGroup *group
            = makeRadioGroup(QString::fromLatin1(title), QString::fromLatin1(name), 2);
        page->addBinding(var++, group);
        layout->addWidget(group);
    }
    layout->addStretch(1);
    return page;
}

TBasicProtocolPage::TBasicProtocolPage()
    : TBindingPage(u"tsProtocolControl"_s, u"Protocol Control"_s, {610, 420}, protocolTable)
    , m_stpState(makeRadioGroup(u"STP State :"_s, u"rpgStpState"_s))
{
    QLabel *total = makeLabel(QString(), u"LbTotalofNumPortValue"_s);
    QLabel *inUse = makeLabel(QString(), u"LbNumofPortInUse"_s);
    RadioGroup *igmp = makeRadioGroup(u"IGMP Snooping :"_s, u"rgpIGMPSnoopingState"_s);
    RadioGroup *rmon = makeRadioGroup(u"RMON State :"_s, u"rgpRmonState"_s);
    RadioGroup *cleaning = makeRadioGroup(u"Clean All Statistic Counter :"_s, u"rgpCASCState"_s);
    RadioGroup *macNotify = makeRadioGroup(u"MAC Notify State:"_s, u"rgpMacNotifyState"_s);
    RadioGroup *multicast = makeRadioGroup(u"Multicast Filter :"_s, u"RgpMulticastfilterCtrl"_s, 2);
    QLineEdit *vlanId = makeEdit(u"ED_VlanID"_s);
    QLineEdit *historySize = makeEdit(u"ED_MacNotifyHistorySize"_s);
    QLineEdit *interval = makeEdit(u"ED_NotifyInterval"_s);
    addBinding(0, total);
    addBinding(1, inUse);
    addBinding(2, m_stpState);
    addBinding(3, igmp);
    addBinding(4, rmon);
    addBinding(5, cleaning);
    addBinding(6, vlanId);
    addBinding(7, macNotify);
    addBinding(8, historySize, u"%i{n1x500l3}"_s);
    addBinding(9, interval, u"%i{n1x2147483647l10}"_s);
    addBinding(10, multicast);

    auto *counts = new QGridLayout;
    addGridRow(counts, u"Total Of Num Port :"_s, total);
    addGridRow(counts, u"Num Of Port In Use :"_s, inUse);
    counts->setColumnStretch(1, 1);
    auto *edits = new QGridLayout;
    addGridRow(edits, u"VLAN ID Of FDB Table :"_s, vlanId, rangeHint(vlanId, u"(1...4094)"_s));
    addGridRow(
        edits, u"MAC Notify History  Size:"_s, historySize, rangeHint(historySize, u"(1...500)"_s));
    addGridRow(
        edits, u"MAC Notify Interval:"_s, interval, rangeHint(interval, u"(1...2147483647)"_s));
    edits->setColumnStretch(2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(counts);
    layout->addLayout(makeWidgetGrid({m_stpState, igmp, rmon, cleaning, macNotify}, 3));
    layout->addLayout(edits);
    layout->addWidget(multicast);
    layout->addStretch(1);
}

void TBasicProtocolPage::afterRead()
{
    m_stpStateRead = m_stpState->itemIndex() == 1 ? u"enabled"_s : u"disabled"_s;
}

void TBasicProtocolPage::applyPage()
{
    const int chosen = m_stpState->itemIndex();
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

TBasicInterfacesPage::TBasicInterfacesPage()
    : TBindingPage(u"tsInterfaces"_s, u"Interfaces"_s, {695, 473}, interfaceTable, MVT_FMV, 1)
    , m_list(makeListView(u"LV_Interfaces"_s))
{
    auto *index = makeLabel(QString(), u"ST_Index"_s);
    index->setMinimumWidth(40);
    auto *adminStatus = new QComboBox;
    adminStatus->setObjectName(u"Combo_AdminStatus"_s);
    adminStatus->setMinimumContentsLength(8);
    setListView(m_list, true);
    addBinding(IfIndex, index);
    addBinding(IfAdminStatus, adminStatus);

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
    afterRead();
}

TBasicMibPage::TBasicMibPage()
    : TBindingPage(u"tsMibCapability"_s, u"MIB Capability"_s, {470, 473}, mibTable, MVT_FMV, 1)
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
