#include "app/menudialogs.h"

#include "device/basicinfor.h"
#include "device/filesys.h"
#include "device/portconfiguredisplay.h"
#include "device/portmirror.h"
#include "device/rmonstatus.h"
#include "device/timeunit.h"
#include "layer2/igmpsnooping.h"
#include "layer2/lagmangement.h"
#include "layer2/macfdb.h"
#include "layer2/porttrunk.h"
#include "layer2/qos.h"
#include "layer2/stp.h"
#include "layer2/vlan.h"
#include "security/aaainfo.h"
#include "security/aaastatus.h"
#include "security/ieee802dot1xinfo.h"
#include "security/ieee802dot1xpaeport.h"
#include "security/ieee802dot1xstatus.h"
#include "security/radius.h"
#include "security/sshconfig.h"
#include "security/sslconfig.h"
#include "snmpv3/snmpv3.h"

#include <QDialog>

namespace {

template<typename Dialog>
std::unique_ptr<QDialog> make(QWidget *parent)
{
    return std::make_unique<Dialog>(parent);
}

} // namespace

const std::vector<MenuDialog> &MenuDialogs()
{
    static const std::vector<MenuDialog> dialogs = {
        {"Basic1", "System Basic Information :", make<TBasicInforForm>},
        {"Time1", "Time :", make<Tfrm_Time>},
        {"Port2", " Port(s) :", make<TfrmPortConfigureDisplay>},
        {"Files1", "File System :", make<TfrmFileSystem>},
        {"Diagnostic1", "Port Mirror Control :", make<Tfm_PortMirror>},
        {"VLANs1", "VLAN :", make<TfrmVLan>},
        {"MACForwarding1", "MAC Forwarding :", make<TfrmMacManagement>},
        {"IGMPSnooping1", "IGMP Snooping :", make<TIGMPSnoopingForm>},
        {"STP1", "STP :", make<TSTPForm>},
        {"LAG1", "LAG Mangement :", make<TfrmLAGMangement>},
        {"QOS2", "QoS :", make<TQOSForm>},
        {"Status1", "Status :", make<TIEEE802dot1XStatusForm>},
        {"Information1", "Information :", make<TIEEE802dot1XInfoForm>},
        {"PAEPort1", "PAE :", make<TIEEE802dot1XPaePortForm>},
        {"radius1", "RADIUS :", make<TRadiusForm>},
        {"Status2", "Status :", make<TAAAStatusForm>},
        {"Information2", "Information :", make<TAAAInfoForm>},
        {"SSH1", "SSH Configuration:", make<TSSHConfigForm>},
        {"SSL1", "SSL Configuration:", make<TSSLConfigForm>},
        {"SNMPv31", "SNMPv3 :", make<TSNMPV3Form>},
        {"Option1", "RMON Status :", make<Tfrm_RmonStatus>},
    };
    return dialogs;
}

const MenuDialog &TrunkDialog()
{
    static const MenuDialog dialog{
        "PortTrunk1", "Port Trunk Mangement :", make<TfrmTrunkMangement>};
    return dialog;
}

const MenuDialog *FindMenuDialog(const QString &action)
{
    for (const MenuDialog &dialog : MenuDialogs()) {
        if (QLatin1StringView(dialog.action) == action)
            return &dialog;
    }
    return nullptr;
}

DialogOpener::DialogOpener(QWidget *owner)
    : show([](QDialog &dialog) { dialog.exec(); })
    , m_owner(owner)
{}

bool DialogOpener::open(const MenuDialog &dialog, const QString &address)
{
    const QString action = QString::fromLatin1(dialog.action);
    if (!dialog.create || openDialog(action))
        return false;
    const std::unique_ptr<QDialog> instance = dialog.create(m_owner);
    instance->setWindowTitle(QString::fromUtf8(dialog.title) + address);
    m_open[action] = instance.get();
    show(*instance);
    m_open.erase(action);
    return true;
}

QDialog *DialogOpener::openDialog(const QString &action) const
{
    const auto it = m_open.find(action);
    return it == m_open.end() ? nullptr : it->second.data();
}
