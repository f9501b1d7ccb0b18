#include "layer2/porttrunkeditors.h"

#include "forms/dialogsupport.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "forms/portselection.h"
#include "layer2/porttrunk.h"
#include "layer2/trunkports.h"
#include "platform/radiogroup.h"
#include "snmp/request.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

const KxOptionList TrunkTypeOptions{{2, "static"}, {3, "lacp"}};
const KxOptionList LacpPortStateOptions{{1, "active"}, {2, "passive"}};

namespace {

constexpr int MaxNameLength = 20;
constexpr int MinMembers = 2;
constexpr int MaxMembers = 8;

const KxSNMPVarDesc maxEntriesTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.9.1",
     "Trunk Max Supported Entries",
     KxSyntax::Integer,
     KxAccess::ReadOnly},
    {},
};

bool isDigits(const QString &text)
{
    static const QRegularExpression digits(u"^[0-9]+$"_s);
    return digits.match(text).hasMatch();
}

int portCount(const PortSet &ports)
{
    int count = 0;
    for (int port = 1; port <= PortSet::PortCount; ++port)
        count += ports.contains(port) ? 1 : 0;
    return count;
}

QToolButton *makeChooser(const QString &name)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(u"..."_s);
    return button;
}

// The member-port selection: the master port stays chosen, 2 to 8 ports.
// The ports of the trunk being edited stay available to it.
bool chooseMemberPorts(QWidget *editor,
                       const QString &caption,
                       int master,
                       QLineEdit *members,
                       const QString &ownTrunk)
{
    PortSelectionOptions options;
    options.lockedPort = master;
    options.disabled
        = ReadPortsUnfitForTrunks(ownTrunk) - PortSet::fromText(QString::number(master));
    options.refusal = [](const PortSet &ports) {
        const int count = portCount(ports);
        return count < MinMembers || count > MaxMembers
                   ? u"The scope of selected MemberPort count is 2 to 8!"_s
                   : QString();
    };
    PortSelectionDialog selection(PortSet::fromHex(members->text()), options, editor);
    selection.setObjectName(u"frmPortTrunkInsertMemberPort"_s);
    selection.setWindowTitle(caption);
    if (selection.exec() != QDialog::Accepted)
        return false;
    members->setText(selection.ports().toHex());
    return true;
}

QVBoxLayout *layOutEditor(QDialog *editor, QGridLayout *grid, QPushButton *action)
{
    QPushButton *close = makeButton(u"Close"_s, u"btnClose"_s);
    QObject::connect(close, &QPushButton::clicked, editor, &QDialog::reject);
    auto *layout = new QVBoxLayout(editor);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(makeButtonBar({action, close}));
    return layout;
}

} // namespace

TfrmPortTrunkInsert::TfrmPortTrunkInsert(QTreeWidget &list, QWidget *parent)
    : QDialog(parent)
    , m_list(list)
    , m_id(makeEdit(u"edtPortTrunkInsertGroupId"_s))
    , m_max(makeLabel(QString(), u"stxPortTrunkInsertMax"_s))
    , m_type(makeCombo(u"cbxPortTrunkInsertType"_s, {u"static"_s, u"lacp"_s}))
    , m_name(makeEdit(u"edtPortTrunkInsertName"_s))
    , m_master(makeEdit(u"edtPortTrunkInsertMasterPort"_s, true))
    , m_members(makeEdit(u"edtPortTrunkInsertMemberPort"_s, true))
{
    setObjectName(u"frmPortTrunkInsert"_s);
    setWindowTitle(u"Port Trunk Insert"_s);
    QToolButton *master = makeChooser(u"sbnPortTrunkInsertMasterPort"_s);
    QToolButton *members = makeChooser(u"sbnPortTrunkInsertMemberPort"_s);
    connect(master, &QToolButton::clicked, this, &TfrmPortTrunkInsert::chooseMaster);
    connect(members, &QToolButton::clicked, this, &TfrmPortTrunkInsert::chooseMembers);
    auto *grid = new QGridLayout;
    grid->setColumnMinimumWidth(1, 220);
    addGridRow(grid, u"Group ID : "_s, m_id);
    addGridRow(grid, u"Group ID Max : "_s, m_max);
    addGridRow(grid, u"Type : "_s, m_type);
    addGridRow(grid, u"Name : "_s, m_name);
    addGridRow(grid, u"Master Port : "_s, m_master, master);
    addGridRow(grid, u"Member Port : "_s, m_members, members);
    addGridRow(grid, u"Status : "_s, new QLabel(u"createAndGo"_s));
    QPushButton *insert = makeButton(u"Insert..."_s, u"btnInsertAction"_s);
    connect(insert, &QPushButton::clicked, this, &TfrmPortTrunkInsert::btnInsertActionClick);
    layOutEditor(this, grid, insert);
}

void TfrmPortTrunkInsert::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_maximumRead)
        readMaximum();
}

void TfrmPortTrunkInsert::readMaximum()
{
    m_maximumRead = true;
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(maxEntriesTable, SVT_SV, 0));
    bool read = true;
    request.Read(true, read);
    if (read)
        m_max->setText(request.varList.Item(0).value);
}

void TfrmPortTrunkInsert::chooseMaster()
{
    PortSelectionOptions options;
    options.exclusive = true;
    options.disabled = ReadPortsUnfitForTrunks();
    options.refusal = [](const PortSet &ports) {
        return ports.isEmpty() ? u"Please select a MasterPort first!"_s : QString();
    };
    PortSelectionDialog selection(PortSet::fromText(m_master->text()), options, this);
    selection.setObjectName(u"frmPortTrunkInsertMasterPort"_s);
    selection.setWindowTitle(u"PortTrunk Insert MasterPort"_s);
    if (selection.exec() != QDialog::Accepted)
        return;
    const QString master = selection.ports().toDisplayList();
    if (master != m_master->text())
        m_members->clear(); // the members were chosen around another master
    m_master->setText(master);
}

void TfrmPortTrunkInsert::chooseMembers()
{
    if (m_master->text().isEmpty()) {
        showPlainMessage(this, u"Please specify MasterPort value first!"_s);
        return;
    }
    chooseMemberPorts(
        this, u"PortTrunk Insert MemberPort"_s, m_master->text().toInt(), m_members, {});
}

bool TfrmPortTrunkInsert::isListed(quint64 id) const
{
    for (int i = 0; i < m_list.topLevelItemCount(); ++i) {
        bool ok = false;
        if (m_list.topLevelItem(i)->text(TrunkIdColumn).toULongLong(&ok) == id && ok)
            return true;
    }
    return false;
}

bool TfrmPortTrunkInsert::checkInput()
{
    const QString id = m_id->text();
    bool isNumber = false;
    const quint64 maximum = m_max->text().toULongLong(&isNumber);
    const QString maximumText = isNumber ? m_max->text() : u"0"_s;
    // Too many digits for any group id: out of range, never wrapped to a small one.
    bool fits = false;
    const quint64 number = id.toULongLong(&fits);
    fits = fits && number <= 0xFFFFFFFFu;
    if (id.isEmpty())
        return checkEntry(false, m_id, u"Please specify GroupId value!"_s);
    if (!isDigits(id))
        return checkEntry(false, m_id, u"GroupId value must a integer!"_s);
    if (!fits || number > maximum)
        return checkEntry(
            false,
            m_id,
            u"GroupId value must a integer ,whose scope is between 0 and %1!"_s.arg(maximumText));
    if (isListed(number))
        return checkEntry(false, m_id, u"GroupId value have existed!"_s);
    if (m_name->text().size() > MaxNameLength)
        return checkEntry(false, m_name, u"Name length must be less than 20 chars!"_s);
    if (m_master->text().isEmpty())
        return checkEntry(false, m_master, u"Please specify MasterPort value!"_s);
    if (!isDigits(m_master->text()))
        return checkEntry(false, m_master, u"MasterPort value must a integer!"_s);
    if (m_members->text().isEmpty())
        return checkEntry(false, m_members, u"Please specify MemberPort value!"_s);
    if (TrunkTypeOptions.IndexOfText(m_type->currentText()) < 0)
        return checkEntry(false, m_type, u"Invalid Type value!"_s);
    return true;
}

void TfrmPortTrunkInsert::btnInsertActionClick()
{
    if (!checkInput())
        return;
    auto *row = new QTreeWidgetItem(QStringList{QString::number(m_id->text().toULongLong()),
                                                m_name->text(),
                                                m_master->text(),
                                                m_members->text(),
                                                QString(),
                                                m_type->currentText(),
                                                u"createAndGo"_s});
    m_list.addTopLevelItem(row);
    m_list.setCurrentItem(row);
    accept();
}

TfrmPortTrunkEdit::TfrmPortTrunkEdit(QTreeWidget &list, QWidget *parent)
    : QDialog(parent)
    , m_list(list)
    , m_id(makeEdit(u"edtPortTrunkEditGroupId"_s, true))
    , m_type(makeCombo(u"cbxPortTrunkEditType"_s, {u"static"_s, u"lacp"_s}))
    , m_name(makeEdit(u"edtPortTrunkEditName"_s))
    , m_master(makeEdit(u"edtPortTrunkEditMasterPort"_s, true))
    , m_members(makeEdit(u"edtPortTrunkEditMemberPort"_s, true))
    , m_flooding(makeEdit(u"edtPortTrunkEditFloodingPort"_s, true))
    , m_status(makeCombo(u"cbxPortTrunkEditStatus"_s, {u"active"_s, u"notInService"_s}))
{
    setObjectName(u"frmPortTrunkEdit"_s);
    setWindowTitle(u"Port Trunk Edit"_s);
    QToolButton *members = makeChooser(u"sbnPortTrunkEditMemberPort"_s);
    connect(members, &QToolButton::clicked, this, &TfrmPortTrunkEdit::chooseMembers);
    auto *grid = new QGridLayout;
    grid->setColumnMinimumWidth(1, 220);
    addGridRow(grid, u"Group ID : "_s, m_id);
    addGridRow(grid, u"Type : "_s, m_type);
    addGridRow(grid, u"Name : "_s, m_name);
    addGridRow(grid, u"Master Port : "_s, m_master);
    addGridRow(grid, u"Member Port : "_s, m_members, members);
    addGridRow(grid, u"Flooding Port : "_s, m_flooding);
    addGridRow(grid, u"Status : "_s, m_status);
    QPushButton *edit = makeButton(u"Edit..."_s, u"btnEditAction"_s);
    connect(edit, &QPushButton::clicked, this, &TfrmPortTrunkEdit::btnEditActionClick);
    layOutEditor(this, grid, edit);

    if (const QTreeWidgetItem *row = m_list.currentItem()) {
        m_id->setText(row->text(TrunkIdColumn));
        m_type->setCurrentText(row->text(TrunkTypeColumn));
        m_name->setText(row->text(TrunkNameColumn));
        m_master->setText(row->text(TrunkMasterColumn));
        m_members->setText(row->text(TrunkMemberColumn));
        m_flooding->setText(row->text(TrunkFloodingColumn));
        m_status->setCurrentText(row->text(TrunkStatusColumn));
    }
}

void TfrmPortTrunkEdit::chooseMembers()
{
    chooseMemberPorts(this,
                      u"Port Trunk Insert Member Port"_s,
                      m_master->text().toInt(),
                      m_members,
                      m_id->text());
}

void TfrmPortTrunkEdit::btnEditActionClick()
{
    if (m_name->text().size() > MaxNameLength)
        return void(checkEntry(false, m_name, u"Name length must be less than 20 chars!"_s));
    if (m_members->text().isEmpty())
        return void(checkEntry(false, m_members, u"Please specify MemberPort value!"_s));
    if (TrunkTypeOptions.IndexOfText(m_type->currentText()) < 0)
        return void(checkEntry(false, m_type, u"Invalid Type value!"_s));
    if (m_status->currentText() != u"active"_s && m_status->currentText() != u"notInService"_s)
        return void(checkEntry(false, m_status, u"Invalid Status value!"_s));
    QTreeWidgetItem *row = m_list.currentItem();
    if (!row)
        return;
    row->setText(TrunkNameColumn, m_name->text());
    row->setText(TrunkMemberColumn, m_members->text());
    row->setText(TrunkTypeColumn, m_type->currentText());
    row->setText(TrunkStatusColumn, m_status->currentText());
    accept();
}

TfrmTrunkLACPPortEdit::TfrmTrunkLACPPortEdit(QTreeWidget &list, QWidget *parent)
    : QDialog(parent)
    , m_list(list)
    , m_state(makeRadioGroup(u"State:"_s, u"rgpTrunkLACPPortEdit"_s, 2))
{
    setObjectName(u"frmTrunkLACPPortEdit"_s);
    setWindowTitle(u"Trunk LACP Port Table Edit"_s);
    m_state->setItems({u"active"_s, u"passive"_s});
    QLabel *index = makeLabel(QString(), u"Lb1_TrunkLACPPortIndex"_s);
    if (const QTreeWidgetItem *row = m_list.currentItem()) {
        index->setText(row->text(0));
        m_state->setItemIndex(row->text(1) == u"active"_s ? 0 : 1);
    }
    auto *grid = new QGridLayout;
    addGridRow(grid, u"Index:"_s, index);
    grid->addWidget(m_state, grid->rowCount(), 0, 1, 2);
    QPushButton *edit = makeButton(u"Edit..."_s, u"btnEditAction"_s);
    connect(edit, &QPushButton::clicked, this, &TfrmTrunkLACPPortEdit::btnEditActionClick);
    layOutEditor(this, grid, edit);
}

void TfrmTrunkLACPPortEdit::btnEditActionClick()
{
    QTreeWidgetItem *row = m_list.currentItem();
    if (!row)
        return;
    row->setText(1, m_state->items().value(m_state->itemIndex()));
    accept();
}
