// Renders the feature dialogs to PNG files for checking their look by eye:
//   rq5160-dialog-shots <output folder>                 against its own simulated switch
//   rq5160-dialog-shots <output folder> /I... /R... ...  against the agent the module options name
#include "app/startup.h"
#include "device/basicinfor.h"
#include "forms/portselection.h"
#include "layer2/vlan.h"
#include "layer2/vlaneditors.h"
#include "moduletest.h"
#include "rmon/rmonwindow.h"
#include "rmon/statisticspage.h"
#include "rmon/statisticspoller.h"
#include "simulator.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Where the pictures go and the address the captions show.
struct Gallery
{
    QString folder;
    QString address;

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

// Every dialog's pictures, in menu order; a new dialog adds its function here.
void (*const shots[])(const Gallery &) = {basicInformation, vlans, rmonStatistics};

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

// Rows that make the pictures show what the lists look like in use.
void addSampleRows(const SimulatedSwitch &simulated)
{
    simulated.set(u"1.3.6.1.2.1.17.7.1.4.3.1.4.1"_s, u"x"_s, u"FFF000"_s);
    addVLan(simulated, 10, u"Engineering"_s, u"FFF000"_s, u"000000"_s);
    addVLan(simulated, 20, u"Voice"_s, u"000FF0"_s, u"000FF0"_s);
    addVLan(simulated, 30, u"Management"_s, u"80000F"_s, u"00000F"_s);
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
    }
    for (const auto shot : shots)
        shot(gallery);
    return 0;
}
