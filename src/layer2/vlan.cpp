#include "layer2/vlan.h"

#include "binding/edits.h"
#include "forms/dialogsupport.h"
#include "forms/formbuilder.h"
#include "forms/listtext.h"
#include "layer2/vlaneditors.h"
#include "layer2/vlanports.h"
#include "platform/prompts.h"
#include "snmp/kxexception.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const KxOptionList rowStatuses{{1, "active"},
                               {2, "notInService"},
                               {3, "notReady"},
                               {4, "createAndGo"},
                               {5, "createAndWait"},
                               {6, "destroy"}};

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
     &rowStatuses},
    {},
};

const VLanColumn portColumns[] = {MembersColumn, ForbiddenColumn, UntaggedColumn};
// The hex text a port cell was read as; a destroy writes the row as it was read.
constexpr int ReadHexRole = Qt::UserRole;

const QString textHeading
    = u"     ID                Name          Port Members          Forbidden Ports          Untagged Ports    Status"_s;
constexpr int textRuleLength = 110;
const QList<KxTextColumn> textColumns{{7, true}, {20}, {21}, {24}, {23}, {10}};

} // namespace

TfrmVLan::TfrmVLan(QWidget *parent)
    : QDialog(parent)
    , m_list(makeListView(u"lvwVLan"_s,
                          {u"ID"_s,
                           u"Name"_s,
                           u"Port Members"_s,
                           u"Forbidden Ports"_s,
                           u"Untagged Ports"_s,
                           u"Status"_s}))
    , m_count(makeLabel(QString(), u"stxVLanCount"_s))
    , m_refresh(makeButton(u"Refresh"_s, u"btnVLanRefresh"_s))
    , m_stop(makeButton(u"Stop"_s, u"btnVLanStop"_s))
    , m_insert(makeButton(u"Insert.."_s, u"btnVLanInsert"_s))
    , m_edit(makeButton(u"Edit"_s, u"btnVLanEdit"_s))
    , m_delete(makeButton(u"Delete"_s, u"btnVLanDelete"_s))
    , m_close(makeButton(u"Close"_s, u"btnVLanClose"_s))
    , m_save(makeButton(u"Save"_s, u"btnVLanSave"_s))
    , m_print(makeButton(u"Print"_s, u"btnVLanPrint"_s))
    , m_popup(new QMenu(this))
{
    setObjectName(u"frmVLan"_s);
    setWindowTitle(u"VLAN :"_s);
    QPushButton *help = makeButton(u"Help"_s, u"btnVLanHelp"_s);
    help->setEnabled(false);
    m_count->setStyleSheet(u"color: red"_s);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->header()->setSectionResizeMode(QHeaderView::Fixed);
    m_listArea = m_list->viewport();
    m_listArea->installEventFilter(this);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *button :
         {m_refresh, m_stop, m_insert, m_edit, m_delete, m_close, m_save, m_print, help})
        buttons->addWidget(button);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_count);

    m_popup->addAction(u"Insert"_s, this, &TfrmVLan::btnVLanInsertClick);
    m_popup->addAction(u"Edit"_s, this, &TfrmVLan::btnVLanEditClick);
    m_popup->addAction(u"Delete"_s, this, &TfrmVLan::btnVLanDeleteClick);
    m_popup->addAction(u"Save"_s, this, &TfrmVLan::btnVLanSaveClick);
    m_popup->addAction(u"Print"_s, this, &TfrmVLan::btnVLanPrintClick);

    connect(m_refresh, &QPushButton::clicked, this, &TfrmVLan::btnVLanRefreshClick);
    connect(m_stop, &QPushButton::clicked, this, &TfrmVLan::btnVLanStopClick);
    connect(m_insert, &QPushButton::clicked, this, &TfrmVLan::btnVLanInsertClick);
    connect(m_edit, &QPushButton::clicked, this, &TfrmVLan::btnVLanEditClick);
    connect(m_delete, &QPushButton::clicked, this, &TfrmVLan::btnVLanDeleteClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, &TfrmVLan::btnVLanSaveClick);
    connect(m_print, &QPushButton::clicked, this, &TfrmVLan::btnVLanPrintClick);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &TfrmVLan::setButtons);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &TfrmVLan::btnVLanEditClick);
    connect(m_list, &QTreeWidget::customContextMenuRequested, this, &TfrmVLan::showPopup);
    setButtons();
    resize(900, 420);
}

TfrmVLan::~TfrmVLan() = default;

void TfrmVLan::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_binding)
        return;
    buildBinding();
    // The walk starts once the window is on the screen.
    QMetaObject::invokeMethod(this, &TfrmVLan::readTable, Qt::QueuedConnection);
}

void TfrmVLan::buildBinding()
{
    m_binding = std::make_unique<KxSNMPRequest2Edits>(this);
    m_binding->varList().Assign(KxSNMPVarList(vlanTable, MVT_UMV, 1));
    m_binding->asynchronous = false;
    m_binding->AttachListView(m_list, true);
    m_binding->OnAfterRefresh = [this] {
        convertPortColumns();
    };
}

void TfrmVLan::done(int result)
{
    if (m_reading) {
        m_binding->request().active = false;
        m_closePending = true;
        return;
    }
    m_binding.reset();
    QDialog::done(result);
}

// Reads the whole table; the list stays hidden until its port cells are
// display lists. Window events go on between rows, so Stop works.
void TfrmVLan::readTable()
{
    if (!m_binding)
        return;
    m_reading = true;
    setButtons();
    m_binding->request().active = true;
    m_list->hide();
    runDropping([this] { return m_binding->Refresh(); });
    m_list->show();
    // Stop ends this walk only; later reads and writes must reach the switch.
    m_binding->request().active = true;
    m_reading = false;
    setButtons();
    showCount();
    if (m_closePending)
        QMetaObject::invokeMethod(
            this, [this] { done(Rejected); }, Qt::QueuedConnection);
}

void TfrmVLan::convertPortColumns()
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = m_list->topLevelItem(i);
        for (VLanColumn column : portColumns) {
            const QString hex = row->text(column);
            const QString shown = PortSet::fromHex(hex).toDisplayList();
            row->setData(column, ReadHexRole, hex);
            row->setText(column, shown);
            row->setToolTip(column, shown);
        }
    }
    m_list->show();
}

QTreeWidgetItem *TfrmVLan::selectedRow() const
{
    QTreeWidgetItem *row = m_list->currentItem();
    return row && row->isSelected() ? row : nullptr;
}

void TfrmVLan::setButtons()
{
    const bool idle = !m_reading;
    const bool selected = selectedRow() != nullptr;
    const bool hasRows = m_list->topLevelItemCount() > 0;
    m_refresh->setEnabled(idle);
    m_stop->setEnabled(m_reading);
    m_insert->setEnabled(idle && !selected);
    m_edit->setEnabled(idle && selected);
    m_delete->setEnabled(idle && selected);
    m_save->setEnabled(idle && hasRows);
    m_print->setEnabled(idle && hasRows);
}

void TfrmVLan::showCount()
{
    m_count->setText(u"%1 Item(s)"_s.arg(m_list->topLevelItemCount()));
}

// The columns share the list's width; the port lists get the larger shares,
// they are the longest texts.
void TfrmVLan::fitColumnWidths()
{
    static constexpr int shares[VLanColumnCount] = {2, 4, 5, 5, 5, 3};
    static constexpr int total = 24;
    const int width = m_list->viewport()->width();
    for (int column = 0; column < VLanColumnCount; ++column)
        m_list->setColumnWidth(column, width * shares[column] / total);
}

bool TfrmVLan::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_listArea)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::Resize) {
        fitColumnWidths();
    } else if (event->type() == QEvent::MouseButtonPress) {
        // A click beside the rows selects none, as in a list of the desktop.
        const auto *press = static_cast<QMouseEvent *>(event);
        if (!m_list->itemAt(press->position().toPoint())) {
            m_list->clearSelection();
            m_list->setCurrentItem(nullptr);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmVLan::showPopup(const QPoint &at)
{
    if (m_reading)
        return;
    const QList<QAction *> actions = m_popup->actions();
    const QList<QPushButton *> buttons{m_insert, m_edit, m_delete, m_save, m_print};
    for (qsizetype i = 0; i < actions.size(); ++i)
        actions[i]->setEnabled(buttons.at(i)->isEnabled());
    m_popup->popup(m_list->viewport()->mapToGlobal(at));
}

void TfrmVLan::btnVLanRefreshClick()
{
    m_list->clear();
    readTable();
}

void TfrmVLan::btnVLanStopClick()
{
    if (m_binding)
        m_binding->request().active = false;
    showCount();
}

// Writes the selected row with one SET of its writable columns.
bool TfrmVLan::writeSelectedRow()
{
    m_binding->request().active = true;
    return m_binding->Apply(false, true);
}

// Runs a command that changes the list; an exception clears the list (the
// user then reads it again with Refresh).
void TfrmVLan::runListCommand(const char *what, const std::function<void()> &command)
{
    try {
        command();
    } catch (const KxException &error) {
        qCWarning(lcDialogs) << what << error.message();
        m_list->clear();
    }
    setButtons();
    showCount();
}

void TfrmVLan::btnVLanInsertClick()
{
    if (m_reading)
        return;
    runListCommand("VLAN insert:", [this] {
        TfrmVLanInsert editor(*m_list, this);
        if (editor.exec() != Accepted)
            return;
        writeSelectedRow();
        // A failed SET leaves the list with the row the switch did not take.
        readTable();
    });
}

// Writes the edited row in three SETs, each with one port set writable and
// the other two read-only; the forbidden ports go first so that a port moving
// from forbidden to member is never both at once.
void TfrmVLan::writeEditedRow()
{
    KxSNMPVarList &vars = m_binding->varList();
    const auto restore = qScopeGuard([&vars] {
        for (VLanColumn column : portColumns)
            vars.Item(column).access = KxAccess::ReadWrite;
    });
    for (VLanColumn written : {ForbiddenColumn, UntaggedColumn, MembersColumn}) {
        for (VLanColumn column : portColumns)
            vars.Item(column).access = column == written ? KxAccess::ReadWrite : KxAccess::ReadOnly;
        writeSelectedRow();
    }
}

void TfrmVLan::btnVLanEditClick()
{
    if (m_reading)
        return;
    if (!selectedRow()) {
        showPlainMessage(this, u"No entry is selected !"_s);
        return;
    }
    runListCommand("VLAN edit:", [this] {
        TfrmVLanEdit editor(*m_list, this);
        if (editor.exec() == Accepted)
            writeEditedRow();
        showCount();
        readTable();
    });
}

void TfrmVLan::btnVLanDeleteClick()
{
    if (m_reading)
        return;
    QTreeWidgetItem *row = selectedRow();
    if (!row) {
        showPlainMessage(this, u"No entry is selected !"_s);
        return;
    }
    if (!prompts().question(
            this, u"VLans Delete"_s, u"Are you sure to delete the selected entry?"_s))
        return;
    runListCommand("VLAN delete:", [this, row] {
        // The row is written as it was read, with the status destroy.
        for (VLanColumn column : portColumns)
            row->setText(column, row->data(column, ReadHexRole).toString());
        row->setText(StatusColumn, u"destroy"_s);
        if (writeSelectedRow())
            delete row;
        else
            readTable(); // the VLAN is still there: show the switch's own state
    });
}

QString TfrmVLan::listText() const
{
    QString text = textHeading + u'\n' + QString(textRuleLength, u'=') + u'\n';
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = m_list->topLevelItem(i);
        QStringList cells;
        for (int column = 0; column < VLanColumnCount; ++column)
            cells.append(row->text(column));
        text += listTextLine(cells, textColumns) + u'\n';
    }
    return text;
}

void TfrmVLan::btnVLanSaveClick()
{
    const SaveListResult saved = saveListText(this, listText());
    if (saved.outcome == SaveListResult::Failed)
        showPlainMessage(this, u"Could not save file "_s + saved.path);
}

void TfrmVLan::btnVLanPrintClick()
{
    if (printListText(this, listText(), u"VLAN Information Printing"_s) == PrintListResult::Failed)
        showPlainMessage(this, u"Could not print file !"_s);
}
