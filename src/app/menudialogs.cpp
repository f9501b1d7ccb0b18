#include "app/menudialogs.h"

#include "device/basicinfor.h"
#include "device/filesys.h"
#include "layer2/lagmangement.h"
#include "layer2/macfdb.h"
#include "layer2/porttrunk.h"
#include "layer2/vlan.h"

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
        {"Time1", "Time :", nullptr},
        {"Port2", " Port(s) :", nullptr},
        {"Files1", "File System :", make<TfrmFileSystem>},
        {"Diagnostic1", "Port Mirror Control :", nullptr},
        {"VLANs1", "VLAN :", make<TfrmVLan>},
        {"MACForwarding1", "MAC Forwarding :", make<TfrmMacManagement>},
        {"IGMPSnooping1", "IGMP Snooping :", nullptr},
        {"STP1", "STP :", nullptr},
        {"LAG1", "LAG Mangement :", make<TfrmLAGMangement>},
        {"QOS2", "QoS :", nullptr},
        {"Status1", "Status :", nullptr},
        {"Information1", "Information :", nullptr},
        {"PAEPort1", "PAE :", nullptr},
        {"radius1", "RADIUS :", nullptr},
        {"Status2", "Status :", nullptr},
        {"Information2", "Information :", nullptr},
        {"SSH1", "SSH Configuration:", nullptr},
        {"SSL1", "SSL Configuration:", nullptr},
        {"SNMPv31", "SNMPv3 :", nullptr},
        {"Option1", "RMON Status :", nullptr},
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
