#pragma once

#include <QGroupBox>
#include <QStringList>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;

// A framed group of radio buttons, one per item, laid out top to bottom in a
// number of columns. The item index is the checked button, or -1 for none.
class RadioGroup final : public QGroupBox
{
    Q_OBJECT

public:
    explicit RadioGroup(QWidget *parent = nullptr);
    explicit RadioGroup(const QString &title, QWidget *parent = nullptr);

    QStringList items() const { return m_items; }
    void setItems(const QStringList &items);
    void addItem(const QString &text);
    void clearItems();
    int count() const { return static_cast<int>(m_items.size()); }

    int itemIndex() const;
    // Checks the item at index; an index outside the items leaves none checked.
    void setItemIndex(int index);

    // Enables or disables the button of one item.
    void setItemEnabled(int index, bool enabled);
    QAbstractButton *button(int index) const;

    int columns() const { return m_columns; }
    void setColumns(int columns);

Q_SIGNALS:
    // The user checked another item.
    void itemIndexChanged(int index);

private:
    void rebuild();

    QStringList m_items;
    int m_columns = 1;
    QButtonGroup *m_buttons;
    QGridLayout *m_layout;
};
