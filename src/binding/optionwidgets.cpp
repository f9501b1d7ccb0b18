#include "binding/optionwidgets.h"

#include "platform/radiogroup.h"
#include "snmp/optionlist.h"

#include <QComboBox>

namespace {

QStringList textsOf(const KxOptionList &list)
{
    QStringList texts;
    for (int i = 0; i < list.Count(); ++i)
        texts.append(list.Item(i).text);
    return texts;
}

int indexOf(const KxOptionList &list, const QString &text)
{
    const int index = list.IndexOfText(text);
    return index < 0 ? list.IndexOfValue(text) : index;
}

} // namespace

void FillComboBox(const KxOptionList &list, QComboBox *combo)
{
    combo->clear();
    combo->addItems(textsOf(list));
    combo->setCurrentIndex(-1);
}

void FillRadioGroup(const KxOptionList &list, RadioGroup *group)
{
    group->clearItems();
    group->setItems(textsOf(list));
}

void SelectInComboBox(const KxOptionList &list, QComboBox *combo, const QString &text)
{
    combo->setCurrentIndex(indexOf(list, text));
}

void SelectInRadioGroup(const KxOptionList &list, RadioGroup *group, const QString &text)
{
    group->setItemIndex(indexOf(list, text));
}
