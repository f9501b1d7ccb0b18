#pragma once

#include "forms/tablepage.h"

class QTreeWidgetItem;

// The columns of the VLAN list, in the order of the variable list.
enum VLanColumn {
    IdColumn,
    NameColumn,
    MembersColumn,
    ForbiddenColumn,
    UntaggedColumn,
    StatusColumn,
    VLanColumnCount
};

// The switch's static VLANs (the 802.1Q static VLAN table). The editors
// change the selected row of the list; the dialog then writes that row
// (createAndGo, active, destroy).
class TfrmVLan final : public TTableDialog
{
public:
    explicit TfrmVLan(QWidget *parent = nullptr);

private:
    void convertPortColumns();
    bool writeEditedRow(QTreeWidgetItem *row);
    bool deleteRow(QTreeWidgetItem *row);
};
