#pragma once

#include "forms/listtext.h"
#include "snmp/varlist.h"

#include <QDialog>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class KxSNMPRequest2Edits;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The commands of a list dialog. Each is one QAction, shared by its button
// and its popup-menu item.
enum class KxTableAction { Refresh, Stop, Insert, Edit, Delete, Close, Save, Print, Help, Filter };

struct KxTableButton
{
    KxTableAction action;
    const char *text;
    const char *name; // the button's object name
};

struct KxTableMenuItem
{
    KxTableAction action;
    const char *text;
};

// Shared by the pages of one dialog: while one of them reads, the commands
// of all are ignored.
struct KxReadingGuard
{
    bool reading = false;
};

// What a list dialog shows and how it writes its rows.
struct KxTableDesc
{
    const char *listName = nullptr;
    const KxSNMPVarDesc *table = nullptr; // in the list's column order
    quint8 kind = MVT_UMV;
    int keyCount = 1;
    QList<KxTextColumn> columns; // the list's headers and its Save and Print text
    std::vector<KxTableButton> buttons;
    std::vector<KxTableMenuItem> menu;
    const char *countName = nullptr; // the red "N Item(s)" text; null for none
    QString textHeading;             // first line of the Save and Print text
    int textRuleLength = 0;
    QString printTitle;
    QString printHeading; // empty: Print uses textHeading and textRuleLength
    int printRuleLength = 0;
    int statusVar = -1; // the row-status variable, or -1
    QString createValue = QStringLiteral("createAndGo");
    QString deleteValue = QStringLiteral("destroy");
    QString deleteQuestionTitle; // empty: Delete asks nothing
    QString deleteQuestion;
    int maxRows = 0;                     // > 0: Insert refuses a full table with the message below
    QString tableFullName;               // "Server Host": "Server Host Table is full. (Max. 16)"
    bool insertNeedsNoSelection = false; // Insert is disabled while a row is selected
    bool multiRowEdit = false;           // Edit writes every selected row, in list order
    bool hideWhileReading = true;
    bool equalColumnWidths = true;
    // Variables the list holds for the dialog's own use (an index part, a
    // column a derivation reads) without showing, saving or printing them;
    // `columns` then describes the shown ones only.
    std::vector<int> hiddenVars;
    bool saveWhenEmpty = false; // Save and Print also offer an empty list
    // The insert editor writes the new row itself; the list is read again
    // once it closes.
    bool editorWritesRow = false;
    bool readOnFirstShow = true;       // false: the dialog decides when the table is first read
    bool fitColumnsToContents = false; // after every read, each column as wide as its cells
    std::shared_ptr<KxReadingGuard> readingGuard; // null: the page has its own
};

// A list of one SNMP table with the commands of a list dialog: the walk
// (built on first show, never rebuilt while it runs; Stop; closing during a
// walk closes once it has returned), the button and menu states, the count
// text, Insert/Edit/Delete through the dialog's hooks, Save (text or CSV) and
// Print. Every write acts on the list only once the SET succeeded; after a
// failed one the table is read again, so the list is what the switch has.
class TTablePage : public QWidget
{
    Q_OBJECT

public:
    explicit TTablePage(KxTableDesc desc, QWidget *parent = nullptr);
    ~TTablePage() override;

    QTreeWidget *list() const { return m_list; }
    QAction *action(KxTableAction action) const;
    KxSNMPRequest2Edits &binding();
    const KxTableDesc &desc() const { return m_desc; }

    bool reading() const { return m_reading; }
    // Reads the whole table; window events go on between rows, so Stop works.
    void readTable();
    // Stops a running walk and closes the window once it has returned.
    void closeAfterWalk();

    // The selected row that the commands act on, or null.
    QTreeWidgetItem *selectedRow() const;
    // The cell as read from the switch, before afterRead changed its text.
    static QString readText(const QTreeWidgetItem *row, int column);

    // Writes the row's cells that differ from what was read (the others are
    // left out of the SET); true when the SET succeeded or nothing changed.
    bool writeChangedCells(QTreeWidgetItem *row);
    // Writes every writable cell of the row, unchanged ones as they were read;
    // an unchanged cell holding a value its option list has no name for (one
    // the module does not know) is left out, so the switch keeps it.
    bool writeWholeRow(QTreeWidgetItem *row);
    // Writes the row's cells that `written` picks; cells the user did not
    // change go out as they were read.
    bool writeRow(QTreeWidgetItem *row, const std::function<bool(int column)> &written);
    // Writes the row status alone, set to the delete value.
    bool writeDeletion(QTreeWidgetItem *row);

    // The list as Save and Print write it.
    KxListText listText() const;

    // Hooks of the dialog.
    // Before every read (tables a derivation needs).
    std::function<void()> beforeRead;
    // After every read, before the count is shown (display conversions).
    std::function<void()> afterRead;
    // The editor of a row; a null row asks for the insert editor, which adds
    // the new row to the list and selects it. Null result: no editor.
    std::function<std::unique_ptr<QDialog>(QTreeWidgetItem *row)> rowEditor;
    // Writes an edited row; the default writes the changed cells.
    std::function<bool(QTreeWidgetItem *row)> writeEditedRow;
    // Writes the deletion of a row; the default sets the row status to the
    // delete value and writes that cell alone.
    std::function<bool(QTreeWidgetItem *row)> deleteRow;
    // Writes an inserted row; the default writes every writable cell.
    std::function<bool(QTreeWidgetItem *row)> writeInsertedRow;
    // Whether the row may be deleted; without it every row may.
    std::function<bool(const QTreeWidgetItem *row)> deletable;
    // Filters the rows (the Filter command, enabled when the list has rows).
    std::function<void()> filterRows;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The cell's text as read, and as shown once afterRead has run.
    static constexpr int ReadRole = Qt::UserRole + 100;
    static constexpr int ShownRole = Qt::UserRole + 101;
    static bool changedSinceRead(const QTreeWidgetItem *row, int column);

    void makeActions();
    QWidget *makeButtonRow();
    void setActionStates();
    void showCount();
    void rememberReadCells();
    void fitColumnWidths();
    void showColumnTitles();
    void showPopup(const QPoint &at);
    QList<QTreeWidgetItem *> rowsToEdit() const;
    void selectRowsWithKeys(const QStringList &keys);
    QString keyOf(const QTreeWidgetItem *row) const;
    void runCommand(const char *what, const std::function<void()> &command);
    bool anyReading() const { return m_guard->reading; }

    void refresh();
    void stop();
    void insert();
    void edit();
    void remove();
    void save();
    void print();
    void filter();

    KxTableDesc m_desc;
    std::shared_ptr<KxReadingGuard> m_guard;
    QTreeWidget *m_list;
    QLabel *m_count = nullptr;
    QMenu *m_popup;
    std::map<KxTableAction, QAction *> m_actions;
    std::unique_ptr<KxSNMPRequest2Edits> m_binding;
    bool m_reading = false;
    bool m_closePending = false;
    bool m_readQueued = false;
};

// A list dialog of one table page.
class TTableDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TTableDialog(KxTableDesc desc, QWidget *parent = nullptr);

    TTablePage *page() const { return m_page; }
    QTreeWidget *list() const;

    // Closing during a walk stops it first and closes once it has returned.
    void done(int result) override;

private:
    TTablePage *m_page;
};
