// Renders the feature dialogs to PNG files for checking their look by eye:
//   rq5160-dialog-shots <output folder>                 against its own simulated switch
//   rq5160-dialog-shots <output folder> /I... /R... ...  against the agent the module options name
#include "app/startup.h"
#include "device/basicinfor.h"
#include "device/filesys.h"
#include "device/portconfiguredisplay.h"
#include "device/portconfigureedit.h"
#include "device/portmirror.h"
#include "device/rmonstatus.h"
#include "device/timeunit.h"
#include "device/trafficportctrl.h"
#include "forms/portselection.h"
#include "forms/tablepage.h"
#include "layer2/igmpsnooping.h"
#include "layer2/igmpsnoopingctrl.h"
#include "layer2/lagmangement.h"
#include "layer2/macfdb.h"
#include "layer2/macfdbfilter.h"
#include "layer2/porttrunk.h"
#include "layer2/porttrunkeditors.h"
#include "layer2/qos.h"
#include "layer2/staticmac.h"
#include "layer2/stp.h"
#include "layer2/stpeditors.h"
#include "layer2/vlan.h"
#include "layer2/vlaneditors.h"
#include "moduletest.h"
#include "rmon/alarmeventpage.h"
#include "rmon/historypage.h"
#include "rmon/rmonwindow.h"
#include "rmon/statisticspage.h"
#include "rmon/statisticspoller.h"
#include "security/aaainfo.h"
#include "security/aaastatus.h"
#include "security/ieee802dot1xinfo.h"
#include "security/ieee802dot1xpaeport.h"
#include "security/ieee802dot1xstatus.h"
#include "security/radius.h"
#include "security/sshconfig.h"
#include "security/sslconfig.h"
#include "simulator.h"
#include "snmp/records.h"
#include "snmp/session.h"
#include "snmpv3/snmpv3.h"
#include "snmpv3/snmpv3entries.h"
#include "snmpv3/snmpv3user.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Where the pictures go and the address the captions show.
struct Gallery
{
    QString folder;
    QString address;
    // The switch shown when it is the simulated one, whose clock and traffic
    // the RMON pictures drive; null for another switch.
    const SimulatedSwitch *simulated = nullptr;

    void save(QWidget &widget, const QString &name) const
    {
        widget.show();
        for (int i = 0; i < 10; ++i)
            QApplication::processEvents();
        const QString path = QDir(folder).filePath(name + u".png"_s);
        std::printf(
            "%s %s\n", widget.grab().save(path) ? "wrote" : "could not write", qPrintable(path));
    }
};

void basicInformation(const Gallery &gallery)
{
    TBasicInforForm basic;
    basic.setWindowTitle(u"System Basic Information :"_s + gallery.address);
    gallery.save(basic, u"basic-information-protocol-control"_s);
    for (int page = 0; page < basic.pages()->count(); ++page) {
        basic.pages()->setCurrentIndex(page);
        gallery.save(basic, u"basic-information-%1"_s.arg(page));
    }
}

void vlans(const Gallery &gallery)
{
    TfrmVLan vlan;
    vlan.setWindowTitle(u"VLAN :"_s + gallery.address);
    gallery.save(vlan, u"vlans"_s);

    TfrmVLanInsert insert(*vlan.list(), &vlan);
    insert.findChild<QLineEdit *>(u"edtVLanInsertId"_s)->setText(u"40"_s);
    insert.findChild<QLineEdit *>(u"edtVLanInsertName"_s)->setText(u"Guests"_s);
    insert.findChild<QLineEdit *>(u"edtVLanInsertPortMembers"_s)->setText(u"13,14,15,16,"_s);
    gallery.save(insert, u"vlan-insert"_s);

    vlan.list()->setCurrentItem(vlan.list()->topLevelItem(vlan.list()->topLevelItemCount() - 1));
    TfrmVLanEdit edit(*vlan.list(), &vlan);
    gallery.save(edit, u"vlan-edit"_s);

    PortSelectionDialog ports(PortSet::fromText(u"1,2,3,4,5,6,7,8,9,10,11,12"_s), {}, &vlan);
    ports.setWindowTitle(u"VLAN Insert PortMembers"_s);
    gallery.save(ports, u"vlan-port-selection"_s);
}
void macForwarding(const Gallery &gallery)
{
    TfrmMacManagement mac;
    mac.setWindowTitle(u"MAC Forwarding :"_s + gallery.address);
    gallery.save(mac, u"mac-forwarding"_s);
    TfrmMacFDBFilter filter(&mac);
    gallery.save(filter, u"mac-filter"_s);
    mac.pages()->setCurrentWidget(mac.unicastPage());
    gallery.save(mac, u"static-unicast"_s);
    mac.pages()->setCurrentWidget(mac.multicastPage());
    gallery.save(mac, u"static-multicast"_s);
}

void portTrunk(const Gallery &gallery)
{
    TfrmTrunkMangement trunk;
    trunk.setWindowTitle(u"Port Trunk Mangement :"_s + gallery.address);
    gallery.save(trunk, u"port-trunk"_s);
    TfrmPortTrunkInsert insert(*trunk.trunkPage()->list(), &trunk);
    insert.findChild<QLineEdit *>(u"edtPortTrunkInsertGroupId"_s)->setText(u"2"_s);
    insert.findChild<QLineEdit *>(u"edtPortTrunkInsertName"_s)->setText(u"Uplink"_s);
    insert.findChild<QLineEdit *>(u"edtPortTrunkInsertMasterPort"_s)->setText(u"21"_s);
    insert.findChild<QLineEdit *>(u"edtPortTrunkInsertMemberPort"_s)->setText(u"000007"_s);
    gallery.save(insert, u"port-trunk-insert"_s);
}

void linkAggregation(const Gallery &gallery)
{
    TfrmLAGMangement lag;
    lag.setWindowTitle(u"LAG Mangement :"_s + gallery.address);
    lag.pages()->setCurrentWidget(lag.aggregatorPage());
    gallery.save(lag, u"lag"_s);
}

void snmpv3(const Gallery &gallery)
{
    TSNMPV3Form form;
    form.setWindowTitle(u"SNMPv3 :"_s + gallery.address);
    auto *pages = form.findChild<QTabWidget *>(u"PageControl1"_s);
    gallery.save(form, u"snmpv3"_s);
    pages->setCurrentIndex(1);
    gallery.save(form, u"snmpv3-hosts"_s);
    pages->setCurrentIndex(4);
    gallery.save(form, u"snmpv3-users"_s);

    TAddHostTableForm host(&form);
    host.findChild<QLineEdit *>(u"ED_HostIPAdd"_s)->setText(u"10.0.0.1"_s);
    host.findChild<QComboBox *>(u"SNMPVsersion"_s)->setCurrentIndex(1);
    host.findChild<QLineEdit *>(u"ED_UserName"_s)->setText(u"public"_s);
    gallery.save(host, u"snmpv3-add-host"_s);

    TAddSNMPViewForm view({}, &form);
    view.findChild<QLineEdit *>(u"ED_ViewName"_s)->setText(u"mib2"_s);
    view.findChild<QLineEdit *>(u"ED_SubtreeOID"_s)->setText(u"1.3.6.1.2.1"_s);
    gallery.save(view, u"snmpv3-add-view"_s);

    TAddGroupForm group({u"all"_s, u"mib2"_s}, {}, &form);
    group.findChild<QLineEdit *>(u"ED_GroupName"_s)->setText(u"operators"_s);
    group.findChild<QComboBox *>(u"CB_SecurityModel"_s)->setCurrentIndex(2);
    gallery.save(group, u"snmpv3-add-group"_s);

    TAddCommunityForm community({u"all"_s, u"mib2"_s}, &form);
    community.findChild<QLineEdit *>(u"ED_CommunityName"_s)->setText(u"monitor"_s);
    gallery.save(community, u"snmpv3-add-community"_s);

    TAddUserForm user({{u"authPrivShaAes"_s,
                        u"80001F8880"_s,
                        u"1.3.6.1.6.3.10.1.1.3"_s,
                        u"1.3.6.1.6.3.10.1.2.4"_s,
                        u"v3priv"_s}},
                      {u"v3auth"_s, u"v3priv"_s},
                      &form);
    user.findChild<QLineEdit *>(u"ED_UserName"_s)->setText(u"operator"_s);
    for (const char *box :
         {"ED_CloneAuthPassword", "ED_ClonePrivPassword", "ED_AuthPassword", "ED_PrivPassword"})
        user.findChild<QLineEdit *>(QString::fromLatin1(box))->setText(u"password"_s);
    gallery.save(user, u"snmpv3-add-user"_s);
}

// The RMON program's Statistics page after a few seconds of polling, with
// four ports charted.
void rmonStatistics(const Gallery &gallery)
{
    TRmonWindow window(gallery.address, RmonPage::Statistics);
    TStatisticsPage &page = window.statisticsPage();
    window.show();
    for (int poll = 0; poll < 12; ++poll) {
        QEventLoop wait;
        QTimer::singleShot(500, &wait, &QEventLoop::quit);
        wait.exec();
        page.btnStatisticsRefreshClick();
        if (page.poller().busy()) {
            QEventLoop polled;
            QObject::connect(&page.poller(), &StatisticsPoller::polled, &polled, &QEventLoop::quit);
            polled.exec();
        }
    }
    auto *list = page.findChild<QTreeWidget *>(u"lvwStatistics"_s);
    for (int row : {0, 11, 16, 20})
        list->topLevelItem(row)->setSelected(true);
    gallery.save(window, u"rmon-statistics"_s);
}

// Starts the action and runs the event loop until the sender signals (5 s at most).
template<typename Sender, typename Signal, typename Action>
void runUntil(Sender *sender, Signal signal, Action action)
{
    QEventLoop loop;
    QObject::connect(sender, signal, &loop, &QEventLoop::quit);
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    action();
    loop.exec();
}

// Lets the page finish what it is reading, then reads it again.
template<typename Page, typename Signal, typename Refresh>
void refreshWhenIdle(Page &page, Signal refreshed, Refresh refresh)
{
    if (page.busy())
        runUntil(&page, refreshed, [] {});
    runUntil(&page, refreshed, [&page, refresh] { (page.*refresh)(); });
}

const QString ClockAdvance = u"1.3.6.1.4.1.88508.99.2.1.0"_s;
const QString TrafficRate = u"1.3.6.1.4.1.88508.99.1.1.1."_s;
const QString TrafficBurst = u"1.3.6.1.4.1.88508.99.1.1.2."_s;

// The History page with a 30 s history of port 3 made on the page, filled over
// 25 minutes of the simulated switch's clock with traffic that rises and falls.
void rmonHistory(const Gallery &gallery)
{
    TRmonWindow window(gallery.address, RmonPage::History);
    THistoryPage &page = window.historyPage();
    window.show();
    refreshWhenIdle(page, &THistoryPage::refreshed, &THistoryPage::btnHistoryRefreshClick);
    page.findChild<QComboBox *>(u"cbxHistoryPort"_s)->setCurrentText(u"3"_s);
    runUntil(&page, &THistoryPage::changed, [&page] { page.btnHistoryCreateClick(); });
    if (gallery.simulated) {
        for (int bucket = 0; bucket < 50; ++bucket) {
            const double wave = 0.55 + 0.4 * std::sin(bucket / 5.0) + 0.05 * (bucket % 3);
            gallery.simulated->set(
                TrafficRate + u"3"_s, u"u"_s, QString::number(static_cast<qint64>(wave * 9000000)));
            gallery.simulated->set(ClockAdvance, u"i"_s, u"30"_s);
        }
    }
    refreshWhenIdle(page, &THistoryPage::refreshed, &THistoryPage::btnHistoryRefreshClick);
    gallery.save(window, u"rmon-history"_s);
}

// The Alarm/Event page with a log event and an alarm on port 5's octets made
// on the page, three bursts logged on the simulated switch's clock.
void rmonAlarms(const Gallery &gallery)
{
    TRmonWindow window(gallery.address, RmonPage::AlarmEvent);
    TAlarmEventPage &page = window.alarmEventPage();
    window.show();
    refreshWhenIdle(page, &TAlarmEventPage::refreshed, &TAlarmEventPage::btnAlarmRefreshClick);
    const std::pair<QString, QString> fields[] = {
        {u"edtEventDescription"_s, u"Port 5 above 1 MB in 10 s"_s},
        {u"edtEventCommunity"_s, u"public"_s},
        {u"edtAlarmVariable"_s, u"1.3.6.1.2.1.16.1.1.1.4.5"_s},
        {u"edtAlarmInterval"_s, u"10"_s},
        {u"edtAlarmRising"_s, u"1000000"_s},
        {u"edtAlarmFalling"_s, u"100000"_s},
        {u"edtAlarmFallingEvent"_s, u"0"_s},
    };
    for (const auto &[name, text] : fields)
        page.findChild<QLineEdit *>(name)->setText(text);
    runUntil(&page, &TAlarmEventPage::changed, [&page] { page.btnEventCreateClick(); });
    refreshWhenIdle(page, &TAlarmEventPage::refreshed, &TAlarmEventPage::btnAlarmRefreshClick);
    auto *events = page.findChild<QTreeWidget *>(u"lvwEvents"_s);
    const QString event = events->topLevelItem(events->topLevelItemCount() - 1)->text(0);
    page.findChild<QLineEdit *>(u"edtAlarmRisingEvent"_s)->setText(event);
    runUntil(&page, &TAlarmEventPage::changed, [&page] { page.btnAlarmCreateClick(); });
    if (gallery.simulated) {
        gallery.simulated->set(TrafficRate + u"5"_s, u"u"_s, u"0"_s);
        for (int interval = 0; interval < 12; ++interval) {
            if (interval % 4 == 1)
                gallery.simulated->set(TrafficBurst + u"5"_s, u"u"_s, u"20000000"_s);
            gallery.simulated->set(ClockAdvance, u"i"_s, u"10"_s);
        }
    }
    refreshWhenIdle(page, &TAlarmEventPage::refreshed, &TAlarmEventPage::btnAlarmRefreshClick);
    gallery.save(window, u"rmon-alarms"_s);
}

// Every dialog's pictures, in menu order; a new dialog adds its function here.
void ports(const Gallery &gallery)
{
    TfrmPortConfigureDisplay display;
    display.setWindowTitle(u" Port(s) :"_s + gallery.address);
    gallery.save(display, u"ports"_s);
    QTreeWidget &list = *display.list(InterfacePage);
    if (list.topLevelItemCount() == 0)
        return;
    QTreeWidgetItem &uplink = *list.topLevelItem(list.topLevelItemCount() - 1);
    TfrmPortConfigureEdit edit(
        InterfacePage, uplink, {uplink.text(IfPortColumn)}, display.windowTitle(), &display);
    gallery.save(edit, u"port-edit"_s);
}

// Its TFTP server takes any free port unless RQ5160_TFTP_PORT names one:
// port 69 needs a privilege the gallery does not have.
void files(const Gallery &gallery)
{
    if (!qEnvironmentVariableIsSet("RQ5160_TFTP_PORT"))
        qputenv("RQ5160_TFTP_PORT", "0");
    TfrmFileSystem dialog;
    dialog.setWindowTitle(u"File System :"_s + gallery.address);
    gallery.save(dialog, u"files"_s);
}

void time(const Gallery &gallery)
{
    Tfrm_Time time;
    time.setWindowTitle(u"Time :"_s + gallery.address);
    time.pages()->setCurrentIndex(2);
    gallery.save(time, u"time"_s);
}

void portMirror(const Gallery &gallery)
{
    Tfm_PortMirror mirror;
    mirror.setWindowTitle(u"Port Mirror Control :"_s + gallery.address);
    gallery.save(mirror, u"port-mirror"_s);
}

void trafficControl(const Gallery &gallery)
{
    const QTreeWidgetItem row({u"7"_s, u"enabled"_s});
    Tfrm_TrafficPortCtrl traffic(row);
    gallery.save(traffic, u"traffic-control"_s);
}

void rmonStatus(const Gallery &gallery)
{
    Tfrm_RmonStatus rmon;
    rmon.setWindowTitle(u"RMON Status :"_s + gallery.address);
    gallery.save(rmon, u"rmon-status"_s);
}

// Every dialog's pictures, in menu order; a new dialog adds its function here.
// The row of the list whose first cell is the key, selected.
QTreeWidgetItem *selectRow(QTreeWidget *list, const QString &key)
{
    const QList<QTreeWidgetItem *> rows = list->findItems(key, Qt::MatchExactly, 0);
    QTreeWidgetItem *row = rows.isEmpty() ? list->topLevelItem(0) : rows.constFirst();
    list->setCurrentItem(row);
    return row;
}

// Shows the page, read, and returns its list if it has one.
QTreeWidget *showPage(QTabWidget *pages, int page)
{
    pages->setCurrentIndex(page);
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    return pages->currentWidget()->findChild<QTreeWidget *>();
}

void igmpSnooping(const Gallery &gallery)
{
    TIGMPSnoopingForm igmp;
    igmp.setWindowTitle(u"IGMP Snooping :"_s + gallery.address);
    gallery.save(igmp, u"igmp-snooping"_s);
    QTreeWidget *controls = showPage(igmp.pages(), 1);
    TIGMPSnoopingCtrlForm editor(*selectRow(controls, u"1"_s), &igmp);
    gallery.save(editor, u"igmp-snooping-control"_s);
}

void stp(const Gallery &gallery)
{
    TSTPForm stp;
    stp.setWindowTitle(u"STP :"_s + gallery.address);
    gallery.save(stp, u"stp"_s);
    QTreeWidget *instances = showPage(stp.pages(), 2);
    gallery.save(stp, u"stp-instance"_s);
    TConfigInstanceForm editor(*selectRow(instances, u"2"_s), &stp);
    gallery.save(editor, u"stp-instance-editor"_s);
}

void qos(const Gallery &gallery)
{
    TQOSForm qos;
    qos.setWindowTitle(u"QoS :"_s + gallery.address);
    qos.show();
    QTreeWidget *bandwidth = showPage(qos.pages(), 1);
    gallery.save(qos, u"qos"_s);
    selectRow(bandwidth, u"5"_s);
    auto *list = qobject_cast<TTablePage *>(qos.pages()->currentWidget());
    const std::unique_ptr<QDialog> editor = list->rowEditor(list->selectedRow());
    gallery.save(*editor, u"qos-bandwidth"_s);
}

void aaaStatus(const Gallery &gallery)
{
    TAAAStatusForm status;
    status.setWindowTitle(u"Status :"_s + gallery.address);
    gallery.save(status, u"aaa-status"_s);
}

void aaaInformation(const Gallery &gallery)
{
    TAAAInfoForm information;
    information.setWindowTitle(u"Information :"_s + gallery.address);
    gallery.save(information, u"aaa-information"_s);
    information.pages()->setCurrentIndex(2);
    gallery.save(information, u"aaa-login-methods"_s);
}

void ssh(const Gallery &gallery)
{
    TSSHConfigForm ssh;
    ssh.setWindowTitle(u"SSH Configuration:"_s + gallery.address);
    gallery.save(ssh, u"ssh"_s);
}

void ssl(const Gallery &gallery)
{
    TSSLConfigForm ssl;
    ssl.setWindowTitle(u"SSL Configuration:"_s + gallery.address);
    gallery.save(ssl, u"ssl"_s);
}

void dot1x(const Gallery &gallery)
{
    TIEEE802dot1XStatusForm status;
    status.setWindowTitle(u"Status :"_s + gallery.address);
    gallery.save(status, u"dot1x-status"_s);

    TIEEE802dot1XInfoForm info;
    info.pages()->setCurrentIndex(1);
    gallery.save(info, u"dot1x-configuration"_s);

    TIEEE802dot1XPaePortForm pae;
    pae.setWindowTitle(u"PAE :"_s + gallery.address);
    gallery.save(pae, u"dot1x-pae"_s);
}

void radius(const Gallery &gallery)
{
    TRadiusForm radius;
    radius.setWindowTitle(u"RADIUS :"_s + gallery.address);
    gallery.save(radius, u"radius"_s);
}

// Every dialog's pictures, in menu order; a new dialog adds its function here.
void (*const shots[])(const Gallery &) = {basicInformation,
                                          vlans,
                                          ports,
                                          files,
                                          time,
                                          portMirror,
                                          trafficControl,
                                          rmonStatus,
                                          snmpv3,
                                          igmpSnooping,
                                          stp,
                                          qos,
                                          aaaStatus,
                                          aaaInformation,
                                          ssh,
                                          ssl,
                                          dot1x,
                                          radius,
                                          macForwarding,
                                          portTrunk,
                                          linkAggregation,
                                          rmonStatistics,
                                          rmonHistory,
                                          rmonAlarms};

void addVLan(const SimulatedSwitch &simulated,
             int id,
             const QString &name,
             const QString &egress,
             const QString &untagged)
{
    const QString entry = u"1.3.6.1.2.1.17.7.1.4.3.1.%1."_s;
    const QString row = QString::number(id);
    simulated.runTool(u"snmpset"_s,
                      {u"-v2c"_s,
                       u"-cgranite"_s,
                       entry.arg(1) + row,
                       u"s"_s,
                       name,
                       entry.arg(2) + row,
                       u"x"_s,
                       egress,
                       entry.arg(4) + row,
                       u"x"_s,
                       untagged,
                       entry.arg(5) + row,
                       u"i"_s,
                       u"4"_s});
}

void addAAAServer(const SimulatedSwitch &simulated, const QString &address, int protocol, int port)
{
    const QString instance = address + u'.' + QString::number(protocol);
    simulated.runTool(u"snmpset"_s,
                      {u"-v2c"_s,
                       u"-cgranite"_s,
                       u"1.3.6.1.4.1.88508.12.5.10.1.3."_s + instance,
                       u"i"_s,
                       QString::number(port),
                       u"1.3.6.1.4.1.88508.12.5.10.1.7."_s + instance,
                       u"i"_s,
                       u"4"_s});
}

void addAAAServers(const SimulatedSwitch &simulated)
{
    addAAAServer(simulated, u"10.90.90.10"_s, 3, 49);
    addAAAServer(simulated, u"10.90.90.11"_s, 4, 1812);
    addAAAServer(simulated, u"10.90.90.12"_s, 1, 49);
}

// Rows that make the pictures show what the lists look like in use.
void addSampleRows(const SimulatedSwitch &simulated)
{
    simulated.set(u"1.3.6.1.2.1.17.7.1.4.3.1.4.1"_s, u"x"_s, u"FFF000"_s);
    addVLan(simulated, 10, u"Engineering"_s, u"FFF000"_s, u"000000"_s);
    addVLan(simulated, 20, u"Voice"_s, u"000FF0"_s, u"000FF0"_s);
    addVLan(simulated, 30, u"Management"_s, u"80000F"_s, u"00000F"_s);
    simulated.set(u"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.9.1"_s, u"s"_s, u"Server room"_s);
    simulated.set(u"1.3.6.1.4.1.88508.11.68.1.2.10.4.0"_s, u"i"_s, u"3"_s);
    // MSTI 2 carries VLANs 10 and 20; ports 1 to 4 limit their receive rate.
    const QString instance = u"1.3.6.1.4.1.88508.12.15.2.3.1.%1.2"_s;
    simulated.runTool(u"snmpset"_s,
                      {u"-v2c"_s,
                       u"-cgranite"_s,
                       instance.arg(2),
                       u"x"_s,
                       u"0040100000000000"_s,
                       instance.arg(12),
                       u"i"_s,
                       u"28672"_s,
                       instance.arg(24),
                       u"i"_s,
                       u"4"_s});
    for (int port = 1; port <= 4; ++port)
        simulated.set(u"1.3.6.1.4.1.88508.11.68.1.2.6.1.1.2.%1"_s.arg(port),
                      u"i"_s,
                      QString::number(port + 5));
    addAAAServers(simulated);
    simulated.runTool(u"snmpset"_s,
                      {u"-v2c"_s,
                       u"-cgranite"_s,
                       u"1.3.6.1.2.1.17.7.1.3.1.1.3.10.0.80.86.16.0.7.0"_s,
                       u"x"_s,
                       u"100000"_s,
                       u"1.3.6.1.2.1.17.7.1.3.1.1.4.10.0.80.86.16.0.7.0"_s,
                       u"i"_s,
                       u"3"_s});
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: rq5160-dialog-shots <output folder> [module options]\n");
        return 2;
    }
    const QStringList arguments = QApplication::arguments();
    Gallery gallery{arguments.at(1), u"127.0.0.1"_s};
    QDir().mkpath(gallery.folder);
    SimulatedSwitch simulated;
    if (arguments.size() > 2) {
        CreateGlobalSession(QDir::currentPath());
        try {
            ApplyArguments(arguments.mid(2), ConfigurationFolder());
        } catch (const ConversionError &error) {
            std::fprintf(stderr, "%s\n", qPrintable(error.message()));
            return 2;
        }
        gallery.address = GlobalDevice().address;
    } else {
        if (!ConnectModuleTo(simulated))
            return 1;
        addSampleRows(simulated);
        gallery.simulated = &simulated;
    }
    for (const auto shot : shots)
        shot(gallery);
    return 0;
}
