#pragma once

#include "snmp/varlist.h"

#include <QString>

#include <span>
#include <vector>

class QWidget;

// The control that shows a variable of a page.
enum class KxFieldKind {
    None,         // the variable has no control (an index, a value kept for the write)
    Label,        // read-only text
    Edit,         // edit box with the field's input format
    ReadOnlyEdit, // greyed edit box, text still selectable
    Combo,        // drop-down list of the variable's options
    Radio,        // radio group of the variable's options; the caption is its title
    Check,        // check box; the caption is its text
};

// One row of a page's field table: the variable and the control bound to it.
// The page binds each control by its own row, so rows can be added or moved
// without renumbering anything.
struct KxField
{
    KxSNMPVarDesc var;
    const char *name = nullptr;    // the control's object name
    const char *caption = nullptr; // caption in front of the control, or its title
    KxFieldKind kind = KxFieldKind::None;
    const char *format = "%s";  // input format of an edit box
    int columns = 1;            // columns of a radio group
    const char *hint = nullptr; // text beside an edit box; null: the format's range
};

// The descriptor table of the fields, terminated as the variable lists expect.
std::vector<KxSNMPVarDesc> FieldDescriptors(std::span<const KxField> fields);

// Creates the field's control with its object name; null for KxFieldKind::None.
QWidget *MakeFieldControl(const KxField &field);

// "(1...4094)" for a number format with a range, empty otherwise.
QString RangeHint(const QString &format);
// The field's hint: its own text, or the range of its edit box's format.
QString FieldHint(const KxField &field);
