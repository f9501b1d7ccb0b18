// The list commands of a table page: Insert, Edit, Delete, their row
// writes, Save, Print and Filter.
#include "forms/tablepage.h"

#include "binding/edits.h"
#include "forms/dialogsupport.h"
#include "forms/rowwrite.h"
#include "platform/prompts.h"

#include <QScopeGuard>
#include <QSet>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

// Writes the row with one SET of the cells `written` picks. Cells the user
// did not change go out as they were read and show their display text again
// afterwards.
bool TTablePage::writeRow(QTreeWidgetItem *row, const std::function<bool(int column)> &written)
{
    std::vector<std::pair<int, QString>> shown;
    for (int column = 0; column < m_list->columnCount(); ++column) {
        if (changedSinceRead(row, column))
            continue;
        shown.emplace_back(column, row->text(column));
        row->setText(column, readText(row, column));
    }
    const auto restore = qScopeGuard([row, &shown] {
        for (const auto &[column, text] : shown)
            row->setText(column, text);
    });
    m_list->clearSelection();
    m_list->setCurrentItem(row);
    KxSNMPRequest2Edits &edits = binding();
    const KxWriteOutcome outcome = WriteVariables(
        edits, [&edits, &written](int var) { return written(edits.columnOf(var)); });
    return outcome != KxWriteOutcome::Failed;
}

bool TTablePage::writeChangedCells(QTreeWidgetItem *row)
{
    return writeRow(row, [row](int column) { return changedSinceRead(row, column); });
}

bool TTablePage::writeWholeRow(QTreeWidgetItem *row)
{
    KxSNMPRequest2Edits &edits = binding();
    QSet<int> unnamed;
    for (int var = 0; var < edits.varList().Count(); ++var) {
        const KxOptionList *options = edits.varList().Item(var).options;
        const int column = edits.columnOf(var);
        if (options && column >= 0 && !changedSinceRead(row, column)
            && options->IndexOfText(readText(row, column)) < 0)
            unnamed.insert(column);
    }
    return writeRow(row, [&unnamed](int column) { return !unnamed.contains(column); });
}

QString TTablePage::keyOf(const QTreeWidgetItem *row) const
{
    QStringList keys;
    for (int var = 0; var < m_desc.keyCount; ++var) {
        const int column = m_binding ? m_binding->columnOf(var) : var;
        const QVariant read = row->data(column, ReadRole);
        keys.append(read.isValid() ? read.toString() : row->text(column));
    }
    return keys.join(u'\n');
}

QList<QTreeWidgetItem *> TTablePage::rowsToEdit() const
{
    QTreeWidgetItem *current = selectedRow();
    if (!current)
        return {};
    QList<QTreeWidgetItem *> rows{current};
    if (!m_desc.multiRowEdit)
        return rows;
    for (QTreeWidgetItem *other : m_list->selectedItems()) {
        if (other != current)
            rows.append(other);
    }
    return rows;
}

void TTablePage::selectRowsWithKeys(const QStringList &keys)
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = m_list->topLevelItem(i);
        if (keys.contains(keyOf(row)))
            row->setSelected(true);
    }
}

// Runs a command that changes the list; an exception clears the list (the
// user then reads it again with Refresh).
void TTablePage::runCommand(const char *what, const std::function<void()> &command)
{
    if (anyReading())
        return;
    const bool ok = runGuarded(this, [&command] {
        command();
        return true;
    });
    if (!ok) {
        qCWarning(lcDialogs) << what << "failed; the list is cleared";
        m_list->clear();
    }
    setActionStates();
    showCount();
}

void TTablePage::refresh()
{
    if (anyReading())
        return;
    m_list->clear();
    readTable();
}

void TTablePage::stop()
{
    if (m_binding)
        m_binding->request().active = false;
    showCount();
}

void TTablePage::insert()
{
    runCommand("insert:", [this] {
        if (m_desc.maxRows > 0 && m_list->topLevelItemCount() >= m_desc.maxRows) {
            showPlainMessage(
                this,
                u"%1 Table is full. (Max. %2)"_s.arg(m_desc.tableFullName).arg(m_desc.maxRows));
            return;
        }
        const std::unique_ptr<QDialog> editor = rowEditor(nullptr);
        if (editor && m_desc.editorWritesRow) {
            editor->exec();
            refresh();
            return;
        }
        if (!editor || editor->exec() != QDialog::Accepted)
            return;
        QTreeWidgetItem *row = selectedRow();
        if (!row)
            return;
        const int status = m_desc.statusVar >= 0 ? binding().columnOf(m_desc.statusVar) : -1;
        if (status >= 0 && row->text(status).isEmpty())
            row->setText(status, m_desc.createValue);
        if (writeInsertedRow)
            writeInsertedRow(row);
        else
            writeWholeRow(row);
        // Also after a refused SET: the list shows what the switch has.
        refresh();
    });
}

void TTablePage::edit()
{
    runCommand("edit:", [this] {
        const QList<QTreeWidgetItem *> rows = rowsToEdit();
        if (rows.isEmpty()) {
            showPlainMessage(this, u"No entry is selected !"_s);
            return;
        }
        const std::unique_ptr<QDialog> editor = rowEditor(rows.constFirst());
        if (!editor || editor->exec() != QDialog::Accepted)
            return;
        // The edited cells of the first row go to every other selected row.
        QTreeWidgetItem *edited = rows.constFirst();
        QStringList keys;
        for (QTreeWidgetItem *row : rows) {
            keys.append(keyOf(row));
            for (int column = 0; row != edited && column < m_list->columnCount(); ++column) {
                if (changedSinceRead(edited, column))
                    row->setText(column, edited->text(column));
            }
        }
        std::function<bool(QTreeWidgetItem *)> write = writeEditedRow;
        if (!write)
            write = [this](QTreeWidgetItem *row) {
                return writeChangedCells(row);
            };
        QList<QTreeWidgetItem *> inListOrder = rows;
        std::sort(inListOrder.begin(), inListOrder.end(), [this](auto *a, auto *b) {
            return m_list->indexOfTopLevelItem(a) < m_list->indexOfTopLevelItem(b);
        });
        for (QTreeWidgetItem *row : inListOrder) {
            if (!write(row))
                break;
        }
        refresh();
        selectRowsWithKeys(keys);
    });
}

void TTablePage::remove()
{
    runCommand("delete:", [this] {
        QTreeWidgetItem *row = selectedRow();
        if (!row) {
            showPlainMessage(this, u"No entry is selected !"_s);
            return;
        }
        if (!m_desc.deleteQuestion.isEmpty()
            && !prompts().question(this, m_desc.deleteQuestionTitle, m_desc.deleteQuestion))
            return;
        const bool deleted = deleteRow ? deleteRow(row) : writeDeletion(row);
        if (deleted)
            delete row;
        else
            refresh(); // the row is still there: show the switch's own state
    });
}

bool TTablePage::writeDeletion(QTreeWidgetItem *row)
{
    if (m_desc.statusVar < 0)
        return false;
    const int status = binding().columnOf(m_desc.statusVar);
    row->setText(status, m_desc.deleteValue);
    return writeRow(row, [status](int column) { return column == status; });
}

KxListText TTablePage::listText() const
{
    KxListText text{m_desc.textHeading, m_desc.textRuleLength, m_desc.columns, {}};
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = m_list->topLevelItem(i);
        QStringList cells;
        for (int column = 0; column < m_list->columnCount(); ++column) {
            if (!m_list->isColumnHidden(column))
                cells.append(row->text(column));
        }
        text.rows.append(cells);
    }
    return text;
}

void TTablePage::save()
{
    saveList(this, listText());
}

void TTablePage::print()
{
    KxListText text = listText();
    if (!m_desc.printHeading.isEmpty()) {
        text.heading = m_desc.printHeading;
        text.ruleLength = m_desc.printRuleLength;
    }
    printList(this, text, m_desc.printTitle);
}

void TTablePage::filter()
{
    runCommand("filter:", filterRows);
}
