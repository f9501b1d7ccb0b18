#pragma once

#include "forms/bindingpage.h"
#include "forms/tablepage.h"

// The pages of the spanning tree dialog, in the order of its tabs.

// Bridge-wide STP settings and the bridge's own values (ports, learned entry
// discards, aging time). Apply writes only what differs from the last read;
// with "mstp" the hello time is neither editable nor sent.
class TSTPGlobalPage final : public TBindingPage
{
public:
    TSTPGlobalPage();

    void showPage() override;
    void applyPage() override;
    void stop();

    bool mstpChosen() const;

private:
    void showHelloTimeState();
    bool checkRecoverTime();

    TBindingPage *m_bridge;
};

// The MSTP configuration name and revision level; read again after Apply.
class TSTPConfigIdPage final : public TBindingPage
{
public:
    TSTPConfigIdPage();

    void applyPage() override;
};

// The columns of the three STP lists, in the order of their variable lists.
enum InstanceColumn { InstIdColumn, FirstRangeColumn, InstPriorityColumn = 11 };
enum PortStateColumn {
    PortColumn,
    AdminHelloColumn,
    OperHelloColumn,
    PortEnableColumn,
    ExtPathCostColumn,
    MigrationColumn,
    AdminEdgeColumn,
    OperEdgeColumn,
    AdminP2PColumn,
    OperP2PColumn,
    PortLBDColumn,
    BPDUFilteringColumn
};
enum PortMSTPColumn {
    MasterPortColumn,
    InstanceIdColumn,
    DesignatedBridgeColumn,
    PathCostColumn,
    PortPriorityColumn,
    PortStatusColumn,
    RoleColumn
};

constexpr int VLanRangeCount = 8;

// 0 = "true", 1 = "false", 2 = "auto": a port's point-to-point state.
extern const KxOptionList P2PStateOptions;

KxTableDesc stpInstanceDesc();
KxTableDesc stpPortStateDesc();
KxTableDesc stpPortMSTPDesc();
