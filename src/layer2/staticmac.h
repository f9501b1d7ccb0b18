#pragma once

#include "forms/portset.h"
#include "forms/tablepage.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QTreeWidget;

// The columns of both static-entry lists, in the order of their variables.
enum StaticMacColumn {
    StaticVlanColumn,
    StaticAddressColumn,
    StaticReceivePortColumn,
    StaticPortsColumn,
    StaticStatusColumn
};

enum class StaticMacKind { Unicast, Multicast };

// The egress ports of a VLAN, read with one GET; none when it is not answered.
std::optional<PortSet> ReadVlanEgressPorts(const QString &vlanId);

// The static unicast or multicast entries of the forwarding database. Edit
// changes where an entry forwards to (only the port list is written, the
// status stays as the switch has it); Delete writes the status invalid.
class TStaticMacPage final : public TTablePage
{
public:
    TStaticMacPage(StaticMacKind kind, std::shared_ptr<KxReadingGuard> guard);

private:
    void convertPortColumn();
    bool writePortList(QTreeWidgetItem *row);

    StaticMacKind m_kind;
};

// The editor of a static entry: VLAN and address shown, the ports chosen
// through the egress port selection of the entry's VLAN. It starts from the
// entry's port list as read; Apply puts the chosen list into the row.
class TStaticMacAddressEdit final : public QDialog
{
public:
    TStaticMacAddressEdit(StaticMacKind kind, QTreeWidget &list, QWidget *parent = nullptr);

    // The port list to be written, as hex text.
    QString portsHex() const;

private:
    void chooseEgress();
    void btnInsertActionClick();

    StaticMacKind m_kind;
    QTreeWidget &m_list;
    QLineEdit *m_vlanId;
    QLineEdit *m_address;
    QLineEdit *m_shown;
    QLineEdit *m_hex;
};
