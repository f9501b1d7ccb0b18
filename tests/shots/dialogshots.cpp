// Renders the feature dialogs against a simulated switch with a few VLANs:
// rq5160-dialog-shots <output folder>
#include "device/basicinfor.h"
#include "forms/portselection.h"
#include "layer2/vlan.h"
#include "layer2/vlaneditors.h"
#include "moduletest.h"
#include "simulator.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

void save(QWidget &widget, const QString &folder, const QString &name)
{
    widget.show();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    const QString path = QDir(folder).filePath(name + u".png"_s);
    std::printf(
        "%s %s\n", widget.grab().save(path) ? "wrote" : "could not write", qPrintable(path));
}

void addVLan(const SimulatedSwitch &simulated,
             int id,
             const char *name,
             const char *egress,
             const char *untagged)
{
    const QString entry = u"1.3.6.1.2.1.17.7.1.4.3.1.%1."_s;
    const QString row = QString::number(id);
    simulated.runTool(u"snmpset"_s,
                      {u"-v2c"_s,
                       u"-cgranite"_s,
                       entry.arg(1) + row,
                       u"s"_s,
                       QString::fromLatin1(name),
                       entry.arg(2) + row,
                       u"x"_s,
                       QString::fromLatin1(egress),
                       entry.arg(4) + row,
                       u"x"_s,
                       QString::fromLatin1(untagged),
                       entry.arg(5) + row,
                       u"i"_s,
                       u"4"_s});
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: rq5160-dialog-shots <output folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    SimulatedSwitch simulated;
    if (!ConnectModuleTo(simulated))
        return 1;
    simulated.runTool(
        u"snmpset"_s,
        {u"-v2c"_s, u"-cgranite"_s, u"1.3.6.1.2.1.17.7.1.4.3.1.4.1"_s, u"x"_s, u"FFF000"_s});
    addVLan(simulated, 10, "Engineering", "FFF000", "000000");
    addVLan(simulated, 20, "Voice", "000FF0", "000FF0");
    addVLan(simulated, 30, "Management", "80000F", "00000F");
    const QString address = u"127.0.0.1"_s;

    TBasicInforForm basic;
    basic.setWindowTitle(u"System Basic Information :"_s + address);
    save(basic, folder, u"basic-information-protocol-control"_s);
    for (int page = 0; page < basic.pages()->count(); ++page) {
        basic.pages()->setCurrentIndex(page);
        save(basic, folder, u"basic-information-%1"_s.arg(page));
    }

    TfrmVLan vlan;
    vlan.setWindowTitle(u"VLAN :"_s + address);
    save(vlan, folder, u"vlans"_s);

    TfrmVLanInsert insert(*vlan.list(), &vlan);
    insert.findChild<QLineEdit *>(u"edtVLanInsertId"_s)->setText(u"40"_s);
    insert.findChild<QLineEdit *>(u"edtVLanInsertName"_s)->setText(u"Guests"_s);
    insert.findChild<QLineEdit *>(u"edtVLanInsertPortMembers"_s)->setText(u"13,14,15,16,"_s);
    save(insert, folder, u"vlan-insert"_s);

    vlan.list()->setCurrentItem(vlan.list()->topLevelItem(2));
    TfrmVLanEdit edit(*vlan.list(), &vlan);
    save(edit, folder, u"vlan-edit"_s);

    PortSelectionDialog ports(PortSet::fromText(u"1,2,3,4,5,6,7,8,9,10,11,12"_s), {}, &vlan);
    ports.setWindowTitle(u"VLAN Insert PortMembers"_s);
    save(ports, folder, u"vlan-port-selection"_s);
    return 0;
}
