#pragma once

#include "forms/roweditor.h"

// The editors of the spanning tree lists. Each changes the selected row of
// its list; the dialog then writes the changed cells of that row.

// An MSTP instance: its eight VLAN range bitmaps and its bridge priority.
class TConfigInstanceForm final : public TRowEditor
{
public:
    TConfigInstanceForm(QTreeWidgetItem &row, QWidget *parent = nullptr);

private:
    bool checkVLanRanges();
};

// A port's MSTP settings; its hello time is editable with "mstp" only.
class TMSTPPortStateForm final : public TRowEditor
{
public:
    TMSTPPortStateForm(QTreeWidgetItem &row, bool mstp, QWidget *parent = nullptr);
};

// A port in one instance: internal path cost and port priority.
class TMSTPInforForm final : public TRowEditor
{
public:
    TMSTPInforForm(QTreeWidgetItem &row, QWidget *parent = nullptr);
};
