#include "device/portconfiguredisplay.h"

#include "device/portconfigureedit.h"
#include "device/porttables.h"
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

// A joined interface row whose extension and port-control rows were read.
constexpr int CompleteRole = Qt::UserRole + 1;

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
    , m_ifX(new TTablePage(PortIfXDesc(), this))
    , m_portInfo(new TTablePage(PortInfoDesc(), this))
    , m_portCtrl(new TTablePage(PortCtrlDesc(), this))
{
    setObjectName(u"frmPortConfigureDisplay"_s);
    setWindowTitle(u" Port(s) :"_s);
    for (TTablePage *hidden : {m_ifX, m_portInfo, m_portCtrl})
        hidden->hide();
    m_pages->setObjectName(u"pgcPortConfigure"_s);
    m_tables = {new TTablePage(PortInterfaceDesc()),
                new TTablePage(PortStpDesc()),
                new TTablePage(PortVlanDesc())};
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
