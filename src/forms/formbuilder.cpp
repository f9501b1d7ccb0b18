#include "forms/formbuilder.h"

#include "platform/radiogroup.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

QPushButton *makeButton(const QString &text, const QString &name)
{
    auto *button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QPushButton *makeHelpButton()
{
    QPushButton *help = makeButton(QStringLiteral("Help"), QStringLiteral("btnHelp"));
    help->setEnabled(false);
    return help;
}

QPushButton *makeCloseButton(QDialog *dialog)
{
    QPushButton *close = makeButton(QStringLiteral("Close"), QStringLiteral("btnClose"));
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::reject);
    return close;
}

QLabel *makeLabel(const QString &text, const QString &name)
{
    auto *label = new QLabel(text);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QLineEdit *makeEdit(const QString &name, bool readOnly)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(name);
    if (readOnly) {
        edit->setReadOnly(true);
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        edit->setPalette(palette);
    }
    return edit;
}

RadioGroup *makeRadioGroup(const QString &title, const QString &name, int columns)
{
    auto *group = new RadioGroup(title);
    group->setObjectName(name);
    group->setColumns(columns);
    return group;
}

QComboBox *makeCombo(const QString &name, const QStringList &items, int current)
{
    auto *combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentIndex(current);
    return combo;
}

QTreeWidget *makeListView(const QString &name, const QStringList &headers)
{
    auto *list = new QTreeWidget;
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    // Report style: grid lines between the cells. Styling the cells turns off
    // the style's own selection painting, so selected rows are painted here.
    list->setStyleSheet(
        QStringLiteral("QTreeView::item { border-right: 1px solid palette(midlight);"
                       " border-bottom: 1px solid palette(midlight); }"
                       " QTreeView::item:selected { background: palette(highlight);"
                       " color: palette(highlighted-text); }"));
    if (headers.isEmpty())
        list->setColumnCount(0);
    else
        list->setHeaderLabels(headers);
    return list;
}

QHBoxLayout *makeButtonBar(std::initializer_list<QWidget *> buttons)
{
    auto *bar = new QHBoxLayout;
    bar->addStretch(1);
    for (QWidget *button : buttons)
        bar->addWidget(button);
    return bar;
}

QGridLayout *makeWidgetGrid(std::initializer_list<QWidget *> widgets, int perRow)
{
    auto *grid = new QGridLayout;
    int at = 0;
    for (QWidget *widget : widgets) {
        grid->addWidget(widget, at / perRow, at % perRow);
        ++at;
    }
    return grid;
}

void addGridRow(QGridLayout *grid, const QString &caption, QWidget *control, QWidget *trailing)
{
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(caption), row, 0);
    if (trailing) {
        grid->addWidget(control, row, 1);
        grid->addWidget(trailing, row, 2);
    } else {
        grid->addWidget(control, row, 1, 1, -1);
    }
}
