#include "device/portconfiguredisplay.h"

#include "binding/standardoptions.h"
#include "device/portconfigureedit.h"
#include "device/waitingtemp.h"
#include "forms/dialogsupport.h"
#include "forms/formbuilder.h"
#include "forms/tablepage.h"

#include <QAction>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

// A joined interface row whose extension and port-control rows were read.
constexpr int CompleteRole = Qt::UserRole + 1;

const KxOptionList linkTraps{{2, "Disabled"}, {1, "Enabled"}};
const KxOptionList portTypes{{1, "portType-100Base-TX"},
                             {2, "portType-100Base-FX"},
                             {3, "portType-100Base-FL"},
                             {4, "portType-1000Base-TX"},
                             {5, "portType-1000Base-SX"},
                             {6, "portType-1000Base-LX"},
                             {7, "portType-1000Base-SX-GBIC"},
                             {8, "portType-1000Base-LX-GBIC"},
                             {9, "portType-1000Base-TX-GBIC"},
                             {10, "portType-1000Base-1394"},
                             {11, "none"}};
const KxOptionList linkStates{{1, "other"}, {2, "link-pass"}, {3, "link-fail"}};
const KxOptionList nwayStates{{0, "other"},
                              {1, "empty"},
                              {2, "link-down"},
                              {3, "half-10Mbps"},
                              {4, "full-10Mbps"},
                              {5, "half-100Mbps"},
                              {6, "full-100Mbps"},
                              {7, "half-1Gigabps"},
                              {8, "full-1Gigabps"}};
const KxOptionList nwaySettings{{2, "nway-enabled"},
                                {3, "nway-disabled-10Mbps-Half"},
                                {4, "nway-disabled-10Mbps-Full"},
                                {5, "nway-disabled-100Mbps-Half"},
                                {6, "nway-disabled-100Mbps-Full"},
                                {9, "nway-disabled-1Gigabps-Full-master"},
                                {10, "nway-disabled-1Gigabps-Full-slave"}};
const KxOptionList enabledDisabled{{1, "enabled"}, {2, "disabled"}};
const KxOptionList p2pStates{{0, "true"}, {1, "false"}, {2, "auto"}};
const KxOptionList frameTypes{{1, "admitAll"}, {2, "admitOnlyVLANTagged"}};
const KxOptionList gvrpStates{{1, "Enabled"}, {2, "Disabled"}};

const KxSNMPVarDesc ifTable[] = {
    {"1.3.6.1.2.1.2.2.1.1", "Index", Integer, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.2", "Description", DisplayStr, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.3", "Type", Integer, ReadOnly, &InterfaceTypeOptions},
    {"1.3.6.1.2.1.2.2.1.4", "Mtu", Integer, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.5", "Speed", Gauge, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.6", "PhysAddress", MacAddress, ReadOnly},
    {"1.3.6.1.2.1.2.2.1.7", "AdminStatus", Integer, ReadWrite, &InterfaceStatusOptions},
    {"1.3.6.1.2.1.2.2.1.8", "OperStatus", Integer, ReadOnly, &InterfaceStatusOptions},
    {"1.3.6.1.2.1.2.2.1.9", "LastChange", TimeTicks, ReadOnly},
    {},
};

// The extension table's index comes from its own instances, so that its rows
// always belong to the port they name.
const KxSNMPVarDesc ifXTable[] = {
    {"1.3.6.1.2.1.31.1.1.1.1", "Index", Integer, NotAccess},
    {"1.3.6.1.2.1.31.1.1.1.14", "LinkTrap", Integer, ReadWrite, &linkTraps},
    {},
};

const KxSNMPVarDesc portInfoTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.3.1.1.1", "Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.1.1.3", "Port Type", Integer, ReadOnly, &portTypes},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.1.1.4", "Port Link Status", Integer, ReadOnly, &linkStates},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.1.1.5",
     "Port Infomation Nway Status",
     Integer,
     ReadOnly,
     &nwayStates},
    {},
};

const KxSNMPVarDesc portCtrlTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.1", "Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.3",
     "Admin State",
     Integer,
     ReadWrite,
     &DisabledEnabledOptions},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.4", "Nway State", Integer, ReadWrite, &nwaySettings},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.5",
     "Flow Control State",
     Integer,
     ReadWrite,
     &DisabledEnabledOptions},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.7",
     "MAC Notify State",
     Integer,
     ReadWrite,
     &DisabledEnabledOptions},
    {"1.3.6.1.4.1.88508.11.68.1.2.3.2.1.9", "Description", DisplayStr, ReadWrite},
    {},
};

const KxSNMPVarDesc stpPortTable[] = {
    {"1.3.6.1.4.1.88508.12.15.2.4.1.1", "MSTP Port", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.2", "Admin HelloTime", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.3", "Operate HelloTime", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.4", "MSTP Port Enable", Integer, ReadWrite, &enabledDisabled},
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
    {"1.3.6.1.4.1.88508.12.15.2.4.1.9", "MSTP Port Admin P2P", Integer, ReadWrite, &p2pStates},
    {"1.3.6.1.4.1.88508.12.15.2.4.1.10", "MSTP Port Operate P2P", Integer, ReadOnly, &p2pStates},
    {},
};

// Indexed by bridge port, read from the port VLAN table's own instances.
const KxSNMPVarDesc portVlanTable[] = {
    {"1.3.6.1.2.1.17.7.1.4.5.1.1", "Index", Integer, NotAccess},
    {"1.3.6.1.2.1.17.7.1.4.5.1.1", "Port VLAN ID", Gauge, ReadOnly},
    {"1.3.6.1.2.1.17.7.1.4.5.1.2", "Acceptable Frame Types", Integer, ReadWrite, &frameTypes},
    {"1.3.6.1.2.1.17.7.1.4.5.1.3", "Ingress Filtering", Integer, ReadWrite, &TruthValueOptions},
    {"1.3.6.1.2.1.17.7.1.4.5.1.4", "GVRP Status", Integer, ReadWrite, &gvrpStates},
    {},
};

QList<KxTextColumn> columnsTitled(std::initializer_list<QString> titles)
{
    QList<KxTextColumn> columns;
    for (const QString &title : titles)
        columns.append({title, 12});
    return columns;
}

KxTableDesc portDesc(const char *listName, const KxSNMPVarDesc *table, QList<KxTextColumn> columns)
{
    KxTableDesc desc;
    desc.listName = listName;
    desc.table = table;
    desc.kind = MVT_FMV;
    desc.columns = std::move(columns);
    desc.menu = {{KxTableAction::Edit, "Edit"}};
    desc.multiRowEdit = true;
    desc.hideWhileReading = false;
    desc.equalColumnWidths = false;
    desc.readOnFirstShow = false;
    return desc;
}

KxTableDesc interfaceDesc()
{
    return portDesc("lvwPortInterfaceIfTable",
                    ifTable,
                    columnsTitled({u"Port"_s,
                                   u"Description"_s,
                                   u"Type"_s,
                                   u"Multicast"_s,
                                   u"Speed"_s,
                                   u"Phys Address"_s,
                                   u"Admin Status"_s,
                                   u"Oper Status"_s,
                                   u"Last Change"_s,
                                   u"LinkTrap"_s,
                                   u"Port Type"_s,
                                   u"Port Link Status"_s,
                                   u"Port Nway Status"_s,
                                   u"Admin State"_s,
                                   u"Nway State"_s,
                                   u"Flow Control States"_s,
                                   u"MAC Notify State"_s,
                                   u"Description"_s}));
}

KxTableDesc stpDesc()
{
    return portDesc("lvwPortSTPdot1dStpPortTable",
                    stpPortTable,
                    columnsTitled({u"Port"_s,
                                   u"Admin Hello Time"_s,
                                   u"Operate Hello Time"_s,
                                   u"MSTP Port Enable"_s,
                                   u"Externa Path Cost"_s,
                                   u"Migration"_s,
                                   u"Admin Edge Port"_s,
                                   u"Operate Edge Port"_s,
                                   u"Admin P2P"_s,
                                   u"Operate P2P"_s}));
}

KxTableDesc vlanDesc()
{
    return portDesc("lvwPortVLANdot1qPortVlanTable",
                    portVlanTable,
                    columnsTitled({u"Port"_s,
                                   u"Port VLAN ID"_s,
                                   u"Acceptable Frame Types"_s,
                                   u"Ingressing Filtering"_s,
                                   u"GVRP Status"_s}));
}

KxTableDesc
hiddenDesc(const char *listName, const KxSNMPVarDesc *table, std::initializer_list<QString> titles)
{
    KxTableDesc desc = portDesc(listName, table, columnsTitled(titles));
    desc.menu.clear();
    return desc;
}

// The rows of a list by their port (the first column).
std::map<QString, QTreeWidgetItem *> rowsByPort(const QTreeWidget &list)
{
    std::map<QString, QTreeWidgetItem *> rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = list.topLevelItem(i);
        rows.emplace(row->text(0), row);
    }
    return rows;
}

QTreeWidgetItem *rowOfPort(const QTreeWidget &list, const QString &port)
{
    const auto rows = rowsByPort(list);
    const auto found = rows.find(port);
    return found == rows.end() ? nullptr : found->second;
}

QStringList selectedPorts(const QTreeWidget &list)
{
    QStringList ports;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        if (list.topLevelItem(i)->isSelected())
            ports.append(list.topLevelItem(i)->text(0));
    }
    return ports;
}

constexpr int pageWidths[PortPageCount] = {890, 550, 350};

} // namespace

TfrmPortConfigureDisplay::TfrmPortConfigureDisplay(QWidget *parent)
    : QDialog(parent)
    , m_pages(new QTabWidget)
    , m_ifX(new TTablePage(
          hiddenDesc("lvwPortInterfaceIfXTable", ifXTable, {u"Index"_s, u"LinkTrap"_s}), this))
    , m_portInfo(new TTablePage(
          hiddenDesc("lvwPortInterfaceswL2PortInfoTable",
                     portInfoTable,
                     {u"Index"_s, u"Port Type"_s, u"Port Link Status"_s, u"Oper Speed Duplex"_s}),
          this))
    , m_portCtrl(new TTablePage(hiddenDesc("lvwPortInterfaceswL2PortCtrlTable",
                                           portCtrlTable,
                                           {u"Index"_s,
                                            u"Admin State"_s,
                                            u"Nway State"_s,
                                            u"Flow Control States"_s,
                                            u"MAC Notify State"_s,
                                            u"Description"_s}),
                                this))
{
    setObjectName(u"frmPortConfigureDisplay"_s);
    setWindowTitle(u" Port(s) :"_s);
    for (TTablePage *hidden : {m_ifX, m_portInfo, m_portCtrl})
        hidden->hide();
    m_pages->setObjectName(u"pgcPortConfigure"_s);
    m_tables
        = {new TTablePage(interfaceDesc()), new TTablePage(stpDesc()), new TTablePage(vlanDesc())};
    const QString captions[PortPageCount] = {u"Interface"_s, u"STP"_s, u"VLAN"_s};
    for (int page = 0; page < PortPageCount; ++page) {
        TTablePage *each = m_tables[static_cast<size_t>(page)];
        const auto kind = static_cast<PortPage>(page);
        each->rowEditor = [this, kind](QTreeWidgetItem *row) {
            return editor(kind, row);
        };
        each->writeEditedRow = [this, kind](QTreeWidgetItem *row) {
            return kind == InterfacePage ? writeInterfaceRow(row) : writeTableRow(kind, row);
        };
        m_pages->addTab(each, captions[page]);
    }
    m_tables[InterfacePage]->afterRead = [this] {
        readInterface();
    };

    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnPortRefresh"_s);
    QPushButton *edit = makeButton(u"Edit"_s, u"btnPortEdit"_s);
    QPushButton *stopButton = makeButton(u"Stop"_s, u"btnPortStop"_s);
    QPushButton *close = makeButton(u"Close"_s, u"btnPortClose"_s);
    QPushButton *help = makeButton(u"Help"_s, u"btnPortHelp"_s);
    help->setEnabled(false);
    connect(refresh, &QPushButton::clicked, this, &TfrmPortConfigureDisplay::refresh);
    connect(edit, &QPushButton::clicked, this, [this] {
        if (!reading())
            table(currentPage())->action(KxTableAction::Edit)->trigger();
    });
    connect(stopButton, &QPushButton::clicked, this, &TfrmPortConfigureDisplay::stop);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button : {refresh, edit, stopButton, close, help})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmPortConfigureDisplay::pageShown);
    resize(pageWidths[InterfacePage], 460);
}

TfrmPortConfigureDisplay::~TfrmPortConfigureDisplay() = default;

TTablePage *TfrmPortConfigureDisplay::table(PortPage page) const
{
    return m_tables.at(static_cast<size_t>(page));
}

QTreeWidget *TfrmPortConfigureDisplay::list(PortPage page) const
{
    return table(page)->list();
}

PortPage TfrmPortConfigureDisplay::currentPage() const
{
    return static_cast<PortPage>(m_pages->currentIndex());
}

void TfrmPortConfigureDisplay::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    // The tables are read in the waiting window once the dialog is on the screen.
    QMetaObject::invokeMethod(
        this,
        [this] {
            TWaitingTemp *shown = nullptr;
            TWaitingTemp waiting(this, [this, &shown] {
                loadTables([&shown](int step) { shown->progressBar()->setValue(step); });
            });
            shown = &waiting;
            waiting.exec();
        },
        Qt::QueuedConnection);
}

void TfrmPortConfigureDisplay::loadTables(const std::function<void(int step)> &progress)
{
    const auto advance = [&progress](int step) {
        if (progress)
            progress(step);
    };
    advance(10);
    table(InterfacePage)->readTable();
    advance(85);
    table(StpPage)->readTable();
    advance(90);
    table(VlanPage)->readTable();
    advance(100);
    for (PortPage page : {InterfacePage, StpPage, VlanPage})
        list(page)->clearSelection();
}

// Reads the three tables joined into the interface rows, once the interface
// table itself is read; a stopped walk leaves the rows not ready for editing.
void TfrmPortConfigureDisplay::readInterface()
{
    m_interfaceReady = false;
    bool stopped = m_stopped;
    for (TTablePage *joined : {m_ifX, m_portInfo, m_portCtrl}) {
        if (stopped)
            break;
        joined->readTable();
        stopped = m_stopped;
    }
    m_stopped = false;
    if (stopped)
        return;
    joinInterfaceRows();
    m_interfaceReady = true;
}

// Each interface row takes the cells of the same port's rows; interfaces
// without a port-information row (the system and loopback interfaces) are
// not ports and leave the list.
void TfrmPortConfigureDisplay::joinInterfaceRows()
{
    const auto ifX = rowsByPort(*m_ifX->list());
    const auto portInfo = rowsByPort(*m_portInfo->list());
    const auto portCtrl = rowsByPort(*m_portCtrl->list());
    QTreeWidget &shown = *list(InterfacePage);
    for (int i = shown.topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem *row = shown.topLevelItem(i);
        const QString port = row->text(IfPortColumn);
        const auto info = portInfo.find(port);
        if (info == portInfo.end()) {
            delete row;
            continue;
        }
        for (int cell = 0; cell < 3; ++cell)
            row->setText(PortTypeColumn + cell, info->second->text(1 + cell));
        const auto extension = ifX.find(port);
        if (extension != ifX.end())
            row->setText(LinkTrapColumn, extension->second->text(1));
        const auto control = portCtrl.find(port);
        if (control != portCtrl.end()) {
            for (int cell = 0; cell < 5; ++cell)
                row->setText(AdminStateColumn + cell, control->second->text(1 + cell));
        }
        row->setData(
            IfPortColumn, CompleteRole, extension != ifX.end() && control != portCtrl.end());
    }
}

// The interface row's joined cells go back to their own tables' rows; each
// of the three rows is written with the cells that changed.
bool TfrmPortConfigureDisplay::writeInterfaceRow(QTreeWidgetItem *row)
{
    const QString port = row->text(IfPortColumn);
    QTreeWidgetItem *extension = rowOfPort(*m_ifX->list(), port);
    QTreeWidgetItem *control = rowOfPort(*m_portCtrl->list(), port);
    if (!extension || !control)
        return false;
    extension->setText(1, row->text(LinkTrapColumn));
    for (int cell = 0; cell < 5; ++cell)
        control->setText(1 + cell, row->text(AdminStateColumn + cell));
    const bool written = table(InterfacePage)->writeChangedCells(row)
                         && m_ifX->writeChangedCells(extension)
                         && m_portCtrl->writeChangedCells(control);
    if (!written)
        reportRefused(row);
    return written;
}

bool TfrmPortConfigureDisplay::writeTableRow(PortPage page, QTreeWidgetItem *row)
{
    const bool written = table(page)->writeChangedCells(row);
    if (!written)
        reportRefused(row);
    return written;
}

void TfrmPortConfigureDisplay::reportRefused(QTreeWidgetItem *row)
{
    showPlainMessage(this, u"The switch did not take the settings of port %1!"_s.arg(row->text(0)));
}

bool TfrmPortConfigureDisplay::editable(PortPage page) const
{
    const QList<QTreeWidgetItem *> selected = list(page)->selectedItems();
    if (selected.isEmpty())
        return false;
    if (page != InterfacePage)
        return true;
    return m_interfaceReady && std::all_of(selected.begin(), selected.end(), [](auto *row) {
               return row->data(IfPortColumn, CompleteRole).toBool();
           });
}

std::unique_ptr<QDialog> TfrmPortConfigureDisplay::editor(PortPage page, QTreeWidgetItem *row)
{
    if (!row || !editable(page))
        return nullptr;
    return std::make_unique<TfrmPortConfigureEdit>(
        page, *row, selectedPorts(*list(page)), windowTitle(), this);
}

// Each page sets the dialog's width and selects the ports that were selected
// on the page left.
void TfrmPortConfigureDisplay::pageShown(int index)
{
    const QStringList ports = selectedPorts(*list(m_shownPage));
    m_shownPage = static_cast<PortPage>(index);
    QTreeWidget &shown = *list(m_shownPage);
    shown.clearSelection();
    for (int i = 0; i < shown.topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = shown.topLevelItem(i);
        if (ports.contains(row->text(0)))
            row->setSelected(true);
    }
    resize(pageWidths[index], height());
}

void TfrmPortConfigureDisplay::refresh()
{
    if (reading())
        return;
    for (PortPage page : {InterfacePage, StpPage, VlanPage})
        list(page)->clearSelection();
    table(currentPage())->action(KxTableAction::Refresh)->trigger();
    list(currentPage())->clearSelection();
}

// Ends the walks of the page shown after the reply at hand.
void TfrmPortConfigureDisplay::stop()
{
    const PortPage page = currentPage();
    if (page == InterfacePage) {
        m_stopped = reading();
        for (TTablePage *joined : {m_ifX, m_portInfo, m_portCtrl})
            joined->action(KxTableAction::Stop)->trigger();
    }
    table(page)->action(KxTableAction::Stop)->trigger();
    list(page)->clearSelection();
}

bool TfrmPortConfigureDisplay::reading() const
{
    return std::any_of(
        m_tables.begin(), m_tables.end(), [](auto *page) { return page->reading(); });
}

void TfrmPortConfigureDisplay::done(int result)
{
    if (!reading()) {
        QDialog::done(result);
        return;
    }
    m_stopped = true;
    for (TTablePage *page : {m_ifX, m_portInfo, m_portCtrl})
        page->action(KxTableAction::Stop)->trigger();
    for (TTablePage *page : m_tables) {
        if (page->reading())
            page->closeAfterWalk();
    }
}
