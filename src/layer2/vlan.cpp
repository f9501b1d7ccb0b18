#include "layer2/vlan.h"

#include "binding/standardoptions.h"
#include "forms/portset.h"
#include "layer2/vlaneditors.h"

#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

// Same order as VLanColumn; the ID is the row index and never sent.
const KxSNMPVarDesc vlanTable[] = {
    {"1.3.6.1.2.1.17.7.1.2.1.1.1", "Index", KxSyntax::Gauge, KxAccess::NotAccess},
    {"1.3.6.1.2.1.17.7.1.4.3.1.1", "Static Name", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.17.7.1.4.3.1.2", "Static Egress Ports", KxSyntax::BitStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.17.7.1.4.3.1.3", "Forbidden Egress Ports", KxSyntax::BitStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.17.7.1.4.3.1.4", "Static Untagged Ports", KxSyntax::BitStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.17.7.1.4.3.1.5",
     "Static Row Status",
     KxSyntax::Integer,
     KxAccess::ReadWrite,
     &RowStatusOptions},
    {},
};

const VLanColumn portColumns[] = {MembersColumn, ForbiddenColumn, UntaggedColumn};

KxTableDesc vlanDesc()
{
    using enum KxTableAction;
    KxTableDesc desc;
    desc.listName = "lvwVLan";
    desc.table = vlanTable;
    desc.columns = {{u"ID"_s, 7, true},
                    {u"Name"_s, 20},
                    {u"Port Members"_s, 21},
                    {u"Forbidden Ports"_s, 24},
                    {u"Untagged Ports"_s, 23},
                    {u"Status"_s, 10}};
    desc.buttons = {{Refresh, "Refresh", "btnVLanRefresh"},
                    {Stop, "Stop", "btnVLanStop"},
                    {Insert, "Insert..", "btnVLanInsert"},
                    {Edit, "Edit", "btnVLanEdit"},
                    {Delete, "Delete", "btnVLanDelete"},
                    {Close, "Close", "btnVLanClose"},
                    {Save, "Save", "btnVLanSave"},
                    {Print, "Print", "btnVLanPrint"},
                    {Help, "Help", "btnVLanHelp"}};
    desc.menu = {
        {Insert, "Insert"}, {Edit, "Edit"}, {Delete, "Delete"}, {Save, "Save"}, {Print, "Print"}};
    desc.countName = "stxVLanCount";
    desc.textHeading
        = u"     ID                Name          Port Members          Forbidden Ports          Untagged Ports    Status"_s;
    desc.textRuleLength = 110;
    desc.printTitle = u"VLAN Information Printing"_s;
    desc.statusVar = StatusColumn;
    desc.deleteQuestionTitle = u"VLans Delete"_s;
    desc.deleteQuestion = u"Are you sure to delete the selected entry?"_s;
    desc.insertNeedsNoSelection = true;
    return desc;
}

} // namespace

TfrmVLan::TfrmVLan(QWidget *parent)
    : TTableDialog(vlanDesc(), parent)
{
    setObjectName(u"frmVLan"_s);
    setWindowTitle(u"VLAN :"_s);
    TTablePage &table = *page();
    table.afterRead = [this] {
        convertPortColumns();
    };
    table.rowEditor = [this](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
        if (!row)
            return std::make_unique<TfrmVLanInsert>(*list(), this);
        return std::make_unique<TfrmVLanEdit>(*list(), this);
    };
    table.writeEditedRow = [this](QTreeWidgetItem *row) {
        return writeEditedRow(row);
    };
    table.deleteRow = [this](QTreeWidgetItem *row) {
        return deleteRow(row);
    };
    resize(900, 420);
}

// The port cells are shown as port numbers; their hex text stays the value
// that is written back.
void TfrmVLan::convertPortColumns()
{
    for (int i = 0; i < list()->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = list()->topLevelItem(i);
        for (VLanColumn column : portColumns) {
            const QString shown = PortSet::fromHex(row->text(column)).toDisplayList();
            row->setText(column, shown);
            row->setToolTip(column, shown);
        }
    }
}

// Writes the edited row in three SETs, each with the name, one port set and
// the status; the forbidden ports go first so that a port moving from
// forbidden to member is never both at once. A set the switch refuses does
// not hold back the others.
bool TfrmVLan::writeEditedRow(QTreeWidgetItem *row)
{
    bool allWritten = true;
    for (VLanColumn written : {ForbiddenColumn, UntaggedColumn, MembersColumn}) {
        allWritten &= page()->writeRow(row, [written](int column) {
            return column == NameColumn || column == written || column == StatusColumn;
        });
    }
    return allWritten;
}

// The row is written as it was read, with the status destroy.
bool TfrmVLan::deleteRow(QTreeWidgetItem *row)
{
    row->setText(StatusColumn, u"destroy"_s);
    return page()->writeWholeRow(row);
}
