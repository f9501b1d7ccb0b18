#pragma once

#include "forms/tablepages.h"

#include <span>

class QLineEdit;
class QTreeWidget;

// The switch's IEEE 802.3ad link aggregation: the ports of each aggregator,
// the aggregator table and the aggregation port table, with editors for the
// administrative values of the two tables.
class TfrmLAGMangement final : public TTablePagesDialog
{
public:
    explicit TfrmLAGMangement(QWidget *parent = nullptr);

    TTablePage *portListPage() const { return m_portList; }
    TTablePage *aggregatorPage() const { return m_aggregators; }
    TTablePage *aggregationPortPage() const { return m_ports; }

private:
    TTablePage *m_portList;
    TTablePage *m_aggregators;
    TTablePage *m_ports;
};

// One cell of a LAG table in its editor: a label, or an edit box with the
// check of what may be typed.
struct LagEditorField
{
    int column;
    const char *name;
    const char *caption;
    enum Check { Shown, Number, Hex } check = Shown;
    int limit = 0; // the highest number, or the count of hex digits
};

// Edits the selected row of a LAG table: each field shows its cell, Edit...
// checks the boxes and puts their texts into the row.
class TfrmLagRowEdit final : public QDialog
{
public:
    TfrmLagRowEdit(const QString &name,
                   const QString &caption,
                   std::span<const LagEditorField> fields,
                   QTreeWidget &list,
                   QWidget *parent = nullptr);

private:
    void btnEditActionClick();

    std::span<const LagEditorField> m_fields;
    QTreeWidget &m_list;
    std::vector<QWidget *> m_controls;
};
