#include "platform/radiogroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(QWidget *parent)
    : RadioGroup(QString(), parent)
{}

RadioGroup::RadioGroup(const QString &title, QWidget *parent)
    : QGroupBox(title, parent)
    , m_buttons(new QButtonGroup(this))
    , m_layout(new QGridLayout(this))
{
    connect(m_buttons, &QButtonGroup::idClicked, this, &RadioGroup::itemIndexChanged);
}

void RadioGroup::setItems(const QStringList &items)
{
    m_items = items;
    rebuild();
}

void RadioGroup::addItem(const QString &text)
{
    m_items.append(text);
    rebuild();
}

void RadioGroup::clearItems()
{
    m_items.clear();
    rebuild();
}

int RadioGroup::itemIndex() const
{
    return m_buttons->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    QAbstractButton *target = m_buttons->button(index);
    if (target) {
        target->setChecked(true);
        return;
    }
    // An exclusive group never unchecks its last button by itself.
    m_buttons->setExclusive(false);
    for (QAbstractButton *button : m_buttons->buttons())
        button->setChecked(false);
    m_buttons->setExclusive(true);
}

void RadioGroup::setItemEnabled(int index, bool enabled)
{
    if (QAbstractButton *target = m_buttons->button(index))
        target->setEnabled(enabled);
}

QAbstractButton *RadioGroup::button(int index) const
{
    return m_buttons->button(index);
}

void RadioGroup::setColumns(int columns)
{
    m_columns = std::max(1, columns);
    rebuild();
}

// Recreates the buttons; items fill each column top to bottom before the next.
void RadioGroup::rebuild()
{
    const int checked = itemIndex();
    for (QAbstractButton *button : m_buttons->buttons()) {
        m_buttons->removeButton(button);
        delete button;
    }
    const int rows = (count() + m_columns - 1) / m_columns;
    for (int i = 0; i < count(); ++i) {
        auto *button = new QRadioButton(m_items.at(i), this);
        m_buttons->addButton(button, i);
        m_layout->addWidget(button, i % rows, i / rows);
    }
    setItemIndex(checked);
}
