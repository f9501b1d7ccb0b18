#pragma once

#include "forms/fieldtable.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <span>
#include <vector>

class KxEditConstraint;
class KxOptionList;
class QGridLayout;
class QTreeWidgetItem;

// One control of a row editor and the list column it shows and changes.
struct KxRowField
{
    int column;
    const char *name;    // the control's object name
    const char *caption; // caption in front of the control, or a radio group's title
    KxFieldKind kind = KxFieldKind::Label; // Label, Edit, Combo or Radio
    const char *format = "%s";             // input format of an edit box
    const KxOptionList *options = nullptr; // the cell texts a combo box or radio group offers
    const char *items = nullptr;           // radio items shown for the options, "|" between
};

// Edits one row of a list. The controls are filled from the row's cells;
// Apply checks every enabled edit box against its format (an emptied number
// box is refused, so it never goes out as 0), then the editor's own check,
// and writes the controls' texts into the cells. The list dialog writes the
// row afterwards, so the list keeps a change only once the switch took it.
// A combo box or radio group that matches no option leaves its cell as it is.
class TRowEditor : public QDialog
{
public:
    TRowEditor(QTreeWidgetItem &row,
               std::span<const KxRowField> fields,
               const QString &name,
               const QString &applyText,
               QWidget *parent = nullptr);
    ~TRowEditor() override;

    template<typename T = QWidget>
    T *control(const char *name) const
    {
        return qobject_cast<T *>(fieldControl(name));
    }
    // The captioned rows of the fields, for a dialog that adds its own.
    QGridLayout *form() const { return m_form; }

    // The editor's own check after the format checks; false keeps it open.
    std::function<bool()> check;
    // Runs once the cells are written, before the editor closes.
    std::function<void(QTreeWidgetItem &row)> written;

private:
    QWidget *fieldControl(const char *name) const;
    void fill();
    bool checkFormats() const;
    void apply();

    QTreeWidgetItem &m_row;
    std::span<const KxRowField> m_fields;
    std::vector<QWidget *> m_controls; // one per field
    std::unique_ptr<KxEditConstraint> m_constraint;
    QGridLayout *m_form;
};
