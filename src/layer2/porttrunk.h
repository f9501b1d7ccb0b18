#pragma once

#include "forms/tablepages.h"

// The columns of the trunk list, in the order of its variables.
enum TrunkColumn {
    TrunkIdColumn,
    TrunkNameColumn,
    TrunkMasterColumn,
    TrunkMemberColumn,
    TrunkFloodingColumn,
    TrunkTypeColumn,
    TrunkStatusColumn
};

// The switch's port trunks and the LACP mode of each port, one page each;
// the buttons act on the page that is shown.
class TfrmTrunkMangement final : public TTablePagesDialog
{
public:
    explicit TfrmTrunkMangement(QWidget *parent = nullptr);

    TTablePage *trunkPage() const { return m_trunks; }
    TTablePage *lacpPage() const { return m_lacp; }

private:
    TTablePage *m_trunks;
    TTablePage *m_lacp;
};
