#include "forms/tablepage.h"

#include "binding/edits.h"
#include "forms/dialogsupport.h"
#include "forms/dialogwork.h"
#include "forms/formbuilder.h"
#include "forms/rowwrite.h"
#include "platform/prompts.h"
#include "snmp/kxexception.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QStringList columnTitles(const QList<KxTextColumn> &columns)
{
    QStringList titles;
    for (const KxTextColumn &column : columns)
        titles.append(column.title);
    return titles;
}

} // namespace

TTablePage::TTablePage(KxTableDesc desc, QWidget *parent)
    : QWidget(parent)
    , m_desc(std::move(desc))
    , m_guard(m_desc.readingGuard ? m_desc.readingGuard : std::make_shared<KxReadingGuard>())
    , m_list(makeListView(QString::fromLatin1(m_desc.listName), columnTitles(m_desc.columns)))
    , m_popup(new QMenu(this))
{
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    if (m_desc.multiRowEdit)
        m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    if (m_desc.equalColumnWidths)
        m_list->header()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->viewport()->installEventFilter(this);
    makeActions();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addWidget(makeButtonRow());
    if (m_desc.countName) {
        m_count = makeLabel(QString(), QString::fromLatin1(m_desc.countName));
        m_count->setStyleSheet(u"color: red"_s);
        layout->addWidget(m_count);
    }
    for (const KxTableMenuItem &item : m_desc.menu) {
        QAction *shared = action(item.action);
        QAction *entry = m_popup->addAction(QString::fromLatin1(item.text));
        entry->setEnabled(shared->isEnabled());
        connect(shared, &QAction::changed, entry, [entry, shared] {
            entry->setEnabled(shared->isEnabled());
        });
        connect(entry, &QAction::triggered, shared, &QAction::trigger);
    }

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &TTablePage::setActionStates);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        action(KxTableAction::Edit)->trigger();
    });
    connect(m_list, &QTreeWidget::customContextMenuRequested, this, &TTablePage::showPopup);
    setActionStates();
}

TTablePage::~TTablePage() = default;

void TTablePage::makeActions()
{
    const std::pair<KxTableAction, void (TTablePage::*)()> commands[] = {
        {KxTableAction::Refresh, &TTablePage::refresh},
        {KxTableAction::Stop, &TTablePage::stop},
        {KxTableAction::Insert, &TTablePage::insert},
        {KxTableAction::Edit, &TTablePage::edit},
        {KxTableAction::Delete, &TTablePage::remove},
        {KxTableAction::Save, &TTablePage::save},
        {KxTableAction::Print, &TTablePage::print},
        {KxTableAction::Filter, &TTablePage::filter},
    };
    for (const auto &[kind, slot] : commands) {
        auto *made = new QAction(this);
        connect(made, &QAction::triggered, this, slot);
        m_actions[kind] = made;
    }
    auto *close = new QAction(this);
    connect(close, &QAction::triggered, this, [this] {
        if (auto *dialog = qobject_cast<QDialog *>(window()))
            dialog->reject();
        else
            window()->close();
    });
    m_actions[KxTableAction::Close] = close;
    auto *help = new QAction(this);
    help->setEnabled(false);
    m_actions[KxTableAction::Help] = help;
}

QWidget *TTablePage::makeButtonRow()
{
    auto *row = new QWidget;
    auto *buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    for (const KxTableButton &entry : m_desc.buttons) {
        QPushButton *button
            = makeButton(QString::fromLatin1(entry.text), QString::fromLatin1(entry.name));
        QAction *shared = action(entry.action);
        button->setEnabled(shared->isEnabled());
        connect(button, &QPushButton::clicked, shared, &QAction::trigger);
        connect(shared, &QAction::changed, button, [button, shared] {
            button->setEnabled(shared->isEnabled());
        });
        buttons->addWidget(button);
    }
    return row;
}

QAction *TTablePage::action(KxTableAction kind) const
{
    return m_actions.at(kind);
}

KxSNMPRequest2Edits &TTablePage::binding()
{
    if (m_binding)
        return *m_binding;
    m_binding = std::make_unique<KxSNMPRequest2Edits>(window());
    KxSNMPVarList &vars = m_binding->varList();
    vars.Assign(KxSNMPVarList(m_desc.table, m_desc.kind, m_desc.keyCount));
    for (int var : m_desc.hiddenVars)
        vars.Item(var).access |= KxAccess::Hidden;
    m_binding->asynchronous = false;
    m_binding->AttachListView(m_list, true);
    if (!m_desc.hiddenVars.empty())
        showColumnTitles();
    return *m_binding;
}

// The binding made a column per variable, hidden ones first: the shown
// ones get the titles of the desc.
void TTablePage::showColumnTitles()
{
    int shown = 0;
    for (int column = 0; column < m_list->columnCount() && shown < m_desc.columns.size();
         ++column) {
        if (!m_list->isColumnHidden(column))
            m_list->headerItem()->setText(column, m_desc.columns.at(shown++).title);
    }
    fitColumnWidths();
}

void TTablePage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_readQueued || !m_desc.readOnFirstShow)
        return;
    m_readQueued = true;
    // The first walk starts once the window is on the screen.
    QMetaObject::invokeMethod(this, &TTablePage::readTable, Qt::QueuedConnection);
}

void TTablePage::readTable()
{
    if (m_reading || anyReading())
        return;
    KxSNMPRequest2Edits &edits = binding();
    m_reading = true;
    m_guard->reading = true;
    setActionStates();
    if (beforeRead)
        runGuarded(this, [this] {
            beforeRead();
            return true;
        });
    edits.request().active = true;
    if (m_desc.hideWhileReading)
        m_list->hide();
    runGuarded(this, [&edits] { return edits.Refresh(); });
    rememberReadCells();
    m_list->show();
    if (m_desc.fitColumnsToContents) {
        for (int column = 0; column < m_list->columnCount(); ++column)
            m_list->resizeColumnToContents(column);
    }
    // Stop ends this walk only; later reads and writes must reach the switch.
    edits.request().active = true;
    m_reading = false;
    m_guard->reading = false;
    setActionStates();
    showCount();
    if (m_closePending)
        QMetaObject::invokeMethod(
            this, [this] { action(KxTableAction::Close)->trigger(); }, Qt::QueuedConnection);
}

void TTablePage::closeAfterWalk()
{
    m_closePending = true;
    if (m_binding)
        m_binding->request().active = false;
}

void TTablePage::rememberReadCells()
{
    const int columns = m_list->columnCount();
    const int rows = m_list->topLevelItemCount();
    for (int i = 0; i < rows; ++i) {
        QTreeWidgetItem *row = m_list->topLevelItem(i);
        for (int column = 0; column < columns; ++column)
            row->setData(column, ReadRole, row->text(column));
    }
    if (afterRead)
        afterRead();
    // afterRead may have dropped rows.
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = m_list->topLevelItem(i);
        for (int column = 0; column < columns; ++column)
            row->setData(column, ShownRole, row->text(column));
    }
}

QString TTablePage::readText(const QTreeWidgetItem *row, int column)
{
    return row->data(column, ReadRole).toString();
}

bool TTablePage::changedSinceRead(const QTreeWidgetItem *row, int column)
{
    const QVariant shown = row->data(column, ShownRole);
    return !shown.isValid() || row->text(column) != shown.toString();
}

QTreeWidgetItem *TTablePage::selectedRow() const
{
    QTreeWidgetItem *row = m_list->currentItem();
    if (row && row->isSelected())
        return row;
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

void TTablePage::setActionStates()
{
    const bool idle = !m_reading;
    const bool selected = selectedRow() != nullptr;
    const bool hasRows = m_list->topLevelItemCount() > 0;
    const bool editors = static_cast<bool>(rowEditor);
    action(KxTableAction::Refresh)->setEnabled(idle);
    action(KxTableAction::Stop)->setEnabled(m_reading);
    action(KxTableAction::Insert)
        ->setEnabled(idle && editors && !(m_desc.insertNeedsNoSelection && selected));
    action(KxTableAction::Edit)->setEnabled(idle && editors && selected);
    action(KxTableAction::Delete)
        ->setEnabled(idle && selected && (!deletable || deletable(selectedRow())));
    const bool listed = hasRows || m_desc.saveWhenEmpty;
    action(KxTableAction::Save)->setEnabled(idle && listed);
    action(KxTableAction::Print)->setEnabled(idle && listed);
    action(KxTableAction::Filter)->setEnabled(idle && hasRows && static_cast<bool>(filterRows));
}

void TTablePage::showCount()
{
    if (m_count)
        m_count->setText(u"%1 Item(s)"_s.arg(m_list->topLevelItemCount()));
}

void TTablePage::fitColumnWidths()
{
    int shown = 0;
    for (int column = 0; column < m_list->columnCount(); ++column)
        shown += m_list->isColumnHidden(column) ? 0 : 1;
    if (shown == 0)
        return;
    const int width = m_list->viewport()->width() / shown;
    for (int column = 0; column < m_list->columnCount(); ++column)
        m_list->setColumnWidth(column, width);
}

bool TTablePage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_list->viewport())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Resize && m_desc.equalColumnWidths) {
        fitColumnWidths();
    } else if (event->type() == QEvent::MouseButtonPress) {
        // A click beside the rows selects none, as in a list of the desktop.
        const auto *press = static_cast<QMouseEvent *>(event);
        if (!m_list->itemAt(press->position().toPoint())) {
            m_list->clearSelection();
            m_list->setCurrentItem(nullptr);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TTablePage::showPopup(const QPoint &at)
{
    if (m_reading || m_popup->isEmpty())
        return;
    m_popup->popup(m_list->viewport()->mapToGlobal(at));
}

TTableDialog::TTableDialog(KxTableDesc desc, QWidget *parent)
    : QDialog(parent)
    , m_page(new TTablePage(std::move(desc)))
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_page);
}

QTreeWidget *TTableDialog::list() const
{
    return m_page->list();
}

void TTableDialog::done(int result)
{
    if (!HoldCloseForWalkingList(this))
        QDialog::done(result);
}
