#pragma once

#include "forms/roweditor.h"

// A VLAN's IGMP snooping settings: the seven timers and counts, the query
// state and the snooping state. The current state is shown only.
class TIGMPSnoopingCtrlForm final : public TRowEditor
{
public:
    TIGMPSnoopingCtrlForm(QTreeWidgetItem &row, QWidget *parent = nullptr);
};
