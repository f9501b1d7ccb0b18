#pragma once

#include "forms/bindingpage.h"
#include "forms/tablepage.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class RadioGroup;

// The words that tell the login side of the method lists from the enable side.
struct AAAMethodSide
{
    bool enable;
    const char *word;      // "Login", "Enable"
    const char *localType; // "Local", "Local-Enable"
    const char *tableOid;  // the method list table's entry
    const char *assignmentOid;
    const char *prefix; // "login", "enable" in texts
};

extern const AAAMethodSide LoginMethods;
extern const AAAMethodSide EnableMethods;

enum MethodColumn { MethodName, FirstMethodType, MethodStatus = 9 };
constexpr int MethodPairs = 4;

// The method list table of one side.
KxTableDesc MethodListDesc(const AAAMethodSide &side);
// A method list row's members as the dual list shows them, in member order.
QStringList MethodMembers(const QTreeWidgetItem &row, const AAAMethodSide &side);
// The four (type, server group) pairs a member list is written as.
QStringList MethodPairCells(const QStringList &members, const AAAMethodSide &side);

// Chooses the members of a new method list, or changes those of the selected
// one. Accepting appends the new row to the list and selects it, or replaces
// the selected row's pairs; the Information dialog then writes the row.
class TAAAMethodDualListDlg final : public QDialog
{
public:
    TAAAMethodDualListDlg(const AAAMethodSide &side,
                          QTreeWidget &lists,
                          const QTreeWidget &groups,
                          bool adding,
                          QWidget *parent = nullptr);

private:
    void fill();
    void move(QListWidget *from, QListWidget *to, bool all);
    void setMoveButtons();
    void sourceClicked();
    bool entriesValid();
    bool endsAtLocalOrNone() const;
    void btnApplyClick();
    QStringList chosenMembers() const;

    const AAAMethodSide &m_side;
    QTreeWidget &m_lists;
    const QTreeWidget &m_groups;
    bool m_adding;
    QLineEdit *m_name;
    QListWidget *m_source;
    QListWidget *m_chosen;
    QPushButton *m_include;
    QPushButton *m_includeAll;
    QPushButton *m_exclude;
    QPushButton *m_excludeAll;
    QPushButton *m_apply;
    QPushButton *m_reset;
};
