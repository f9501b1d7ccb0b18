#include "app/menutree.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

using namespace Qt::StringLiterals;

namespace {

// One entry of the menu tree: a submenu when it has children, a separator
// when it has no caption.
struct MenuEntry
{
    const char *caption;
    const char *name;
    bool shown = true;
    std::initializer_list<MenuEntry> children = {};
    const char *hint = nullptr;
};

const std::initializer_list<MenuEntry> menuTree = {
    {"Device",
     "Device1",
     true,
     {
         {"Basic Information", "Basic1"},
         {"Single IP",
          "SingleIP1",
          false,
          {{"Single IP Information", "SingleIPInformation1"},
           {"Single IP Control", "SingleIPControl1"},
           {"Single IP MS Table", "SingleIPMSTable1"},
           {"Single IP CaS Table", "SingleIPCaSTable1"},
           {"Single IP Group Table", "SingleIPGroupTable1"}}},
         {"Stack", "Stack1", false},
         {"Time", "Time1"},
         {"Ports", "Port2"},
         {nullptr, "N2"},
         {"Files", "Files1"},
         {"Port Mirror", "Diagnostic1"},
         {"Save Configuration", "Save1"},
         {"Reset", "Reset1"},
         {nullptr, "N4"},
         {"E&xit", "FileExitItem", true, {}, "Exit this application"},
     }},
    {"Layer2",
     "Layer21",
     true,
     {
         {"VLANs", "VLANs1"},
         {"MAC Forwarding", "MACForwarding1"},
         {"IGMP Snooping", "IGMPSnooping1"},
         {"STP", "STP1"},
         {"MLT", "MLT1", false},
         {"Link Aggregation",
          "LinkAggregation1",
          true,
          {{"Port Trunk", "PortTrunk1"}, {"LAG Mangement", "LAG1"}}},
         {"ACL", "ACL1", false},
         {"QoS", "QOS2"},
     }},
    {"Layer3",
     "Layer31",
     false,
     {
         {"IP", "IP1"},
         {nullptr, "N5"},
         {"OSPF", "OSPF1"},
         {"RIP", "RIP1"},
         {"Route Redistributuion", "RouteRedistributuion1"},
         {nullptr, "N6"},
         {"Multicast", "Multicast1"},
         {"IGMP", "IGMP1"},
         {"DVMRP", "DVMRP1"},
         {nullptr, "N7"},
         {"DHCP/Bootp", "DHCPBootp1"},
         {"DNS", "DNS1"},
         {nullptr, "N8"},
         {"QoS", "QoS1"},
         {"Filter", "Filter1"},
     }},
    {"Security",
     "Security1",
     true,
     {
         {"802.1x",
          "N8021x1",
          true,
          {{"Status", "Status1"}, {"Information", "Information1"}, {"PAE Port", "PAEPort1"}}},
         {"RADIUS", "radius1"},
         {"AAC", "AAC1", true, {{"Status", "Status2"}, {"Information", "Information2"}}},
         {nullptr, "N10", false},
         {"SSH", "SSH1"},
         {"SSL", "SSL1"},
     }},
    {"SNMP",
     "SNMP1",
     true,
     {
         {"SNMP Conifigure", "SNMPV1V2c1", false},
         {"SNMPv3", "SNMPv31"},
     }},
    {"RMON",
     "RMON1",
     true,
     {
         {"Options", "Option1"},
         {"Statistics", "AlarmManager1"},
         {"History", "Alarms1"},
         {"Alarm/Event", "Control1"},
     }},
    {"&Help",
     "HelpMenu",
     true,
     {
         {"&Contents", "HelpContentsItem", false},
         {"&Search for Help On...", "HelpSearchItem", false},
         {"&Help", "HelpHowToUseItem", true, {}, "Help on using the help system"},
         {nullptr, "N3"},
         {"&About...", "HelpAboutItem", true, {}, "Show program information"},
     }},
};

void addEntries(QMenu *menu, const std::initializer_list<MenuEntry> &entries)
{
    for (const MenuEntry &entry : entries) {
        QAction *action = nullptr;
        if (!entry.caption) {
            action = menu->addSeparator();
        } else if (entry.children.size() > 0) {
            QMenu *submenu = menu->addMenu(QString::fromUtf8(entry.caption));
            submenu->setObjectName(QString::fromLatin1(entry.name) + u"Menu"_s);
            addEntries(submenu, entry.children);
            action = submenu->menuAction();
        } else {
            action = menu->addAction(QString::fromUtf8(entry.caption));
        }
        action->setObjectName(QString::fromLatin1(entry.name));
        action->setVisible(entry.shown);
        if (entry.hint)
            action->setStatusTip(QString::fromUtf8(entry.hint));
    }
}

} // namespace

void BuildMainMenu(QMenuBar *bar)
{
    bar->setObjectName(u"MainMenu"_s);
    for (const MenuEntry &top : menuTree) {
        QMenu *menu = bar->addMenu(QString::fromUtf8(top.caption));
        menu->setObjectName(QString::fromLatin1(top.name));
        menu->menuAction()->setObjectName(QString::fromLatin1(top.name) + u"Action"_s);
        menu->menuAction()->setVisible(top.shown);
        addEntries(menu, top.children);
    }
}
