#pragma once

#include "device/portconfiguredisplay.h"

#include <QDialog>
#include <QStringList>

#include <vector>

class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidgetItem;

// One control of the port editor and the list cell it shows.
struct PortEditControl
{
    enum Kind { Label, Edit, Radio };
    // A radio entry and the cell text it stands for.
    struct Choice
    {
        const char *entry;
        const char *cell;
    };

    int column;
    const char *name;
    const char *caption;
    Kind kind;
    std::vector<Choice> choices = {};
    int columns = 1;
    const char *hint = nullptr;
};

// Edits the ports selected in the port dialog: shows the first selected row
// of a page and, on Apply, puts the values of the controls the user changed
// into that row. The port dialog writes the rows once the editor has closed
// with a page applied (the dialog is then accepted).
class TfrmPortConfigureEdit final : public QDialog
{
public:
    TfrmPortConfigureEdit(PortPage page,
                          QTreeWidgetItem &row,
                          const QStringList &ports,
                          const QString &openerCaption,
                          QWidget *parent = nullptr);

    QTabWidget *pages() const { return m_pages; }

    void done(int result) override;

private:
    QWidget *makePage(PortPage page, const QString &portsText);
    void fillControls();
    void controlChanged();
    void btnApplyClick();
    bool checkStpEntries() const;
    // The cell text a control now stands for; empty for a radio group
    // without a selection.
    QString valueOf(const PortEditControl &control) const;
    QWidget *widgetOf(const PortEditControl &control) const;

    PortPage m_page;
    QTreeWidgetItem &m_row;
    const std::vector<PortEditControl> &m_controls;
    QStringList m_shown; // per control, the value shown or last applied
    QTabWidget *m_pages;
    QPushButton *m_apply;
    bool m_applied = false;
    bool m_filling = false;
};
