#pragma once

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TTablePage;

// The pages of the port dialog and of its editor, in tab order.
enum PortPage { InterfacePage, StpPage, VlanPage, PortPageCount };

// Columns of the interface list: the interface table, then the columns joined
// from the interface extension, port information and port control tables.
enum PortInterfaceColumn {
    IfPortColumn,
    IfDescrColumn,
    IfTypeColumn,
    IfMtuColumn,
    IfSpeedColumn,
    IfPhysAddressColumn,
    IfAdminStatusColumn,
    IfOperStatusColumn,
    IfLastChangeColumn,
    LinkTrapColumn,
    PortTypeColumn,
    PortLinkStatusColumn,
    PortNwayStatusColumn,
    AdminStateColumn,
    NwayStateColumn,
    FlowControlColumn,
    MacNotifyColumn,
    PortDescriptionColumn,
    PortInterfaceColumnCount
};

// Every port with its interface, port control, spanning-tree and VLAN
// settings, one list per page. The rows of the interface list are joined from
// four tables by their port index; the editor changes the selected rows, and
// each table's row of a port is then written with the cells that changed.
class TfrmPortConfigureDisplay final : public QDialog
{
public:
    explicit TfrmPortConfigureDisplay(QWidget *parent = nullptr);
    ~TfrmPortConfigureDisplay() override;

    QTabWidget *pages() const { return m_pages; }
    QTreeWidget *list(PortPage page) const;
    PortPage currentPage() const;
    // True once the four interface tables are read and joined.
    bool interfaceReady() const { return m_interfaceReady; }

    // Reads every table, advancing the waiting window's bar.
    void loadTables(const std::function<void(int step)> &progress = {});

    // Closing during a walk stops it first and closes once it has returned.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TTablePage *table(PortPage page) const;
    void readInterface();
    void joinInterfaceRows();
    bool writeInterfaceRow(QTreeWidgetItem *row);
    bool writeTableRow(PortPage page, QTreeWidgetItem *row);
    void reportRefused(QTreeWidgetItem *row);
    std::unique_ptr<QDialog> editor(PortPage page, QTreeWidgetItem *row);
    bool editable(PortPage page) const;
    void pageShown(int index);
    void refresh();
    void stop();
    bool reading() const;

    QTabWidget *m_pages;
    std::array<TTablePage *, PortPageCount> m_tables{};
    TTablePage *m_ifX;
    TTablePage *m_portInfo;
    TTablePage *m_portCtrl;
    PortPage m_shownPage = InterfacePage;
    bool m_interfaceReady = false;
    bool m_stopped = false;
    bool m_loaded = false;
};
