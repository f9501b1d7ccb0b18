#pragma once

#include <QString>

class KxOptionList;
class QComboBox;
class RadioGroup;

// Shows an option list in the controls that offer its texts.

// Replaces the box's items by the list's texts; nothing is selected.
void FillComboBox(const KxOptionList &list, QComboBox *combo);
void FillRadioGroup(const KxOptionList &list, RadioGroup *group);
// Selects the item whose text, else whose value, is the given text; none when
// neither matches.
void SelectInComboBox(const KxOptionList &list, QComboBox *combo, const QString &text);
void SelectInRadioGroup(const KxOptionList &list, RadioGroup *group, const QString &text);
