#pragma once

#include "forms/snmppanel.h"

#include <QScrollArea>

#include <vector>

class QCheckBox;

// One generated row per variable: check box, caption and editor, bound to the
// variable (drop-down list for writable variables with options, edit box
// otherwise; read-only rows are grey and cannot be checked).
class TEditsPanel final : public QScrollArea
{
public:
    struct Row
    {
        int var;
        bool settable;
        QCheckBox *check;
        QWidget *editor;
    };

    explicit TEditsPanel(KxSNMPRequest2Edits *binding, QWidget *parent = nullptr);

    // Shows the buttons that fit the rows (a single settable row gets "Set").
    void ArrangeCtrlBtn(TCtrlBtnPanel *buttons);

    const std::vector<Row> &rows() const { return m_rows; }
    QList<QCheckBox *> usableChecks() const;
    bool anyChecked() const;

private:
    void addRow(int var, class QGridLayout *grid);

    KxSNMPRequest2Edits *m_binding;
    std::vector<Row> m_rows;
};

// A frame whose content is the generated rows and whose buttons read, write
// and check them.
class TSNMPEditorPanel final : public TSNMPPanel
{
public:
    explicit TSNMPEditorPanel(KxSNMPRequest2Edits *binding, QWidget *parent = nullptr);

    TEditsPanel *edits() const { return m_edits; }
    // Reads the variables; a failure's text goes to the memo.
    void refresh();

private:
    void setChecked();
    void checkAll(bool checked);
    void updateSetButton();
    bool checkedRowIsEmpty() const;

    TEditsPanel *m_edits;
};
