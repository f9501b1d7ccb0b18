#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

class QComboBox;
class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QWidget;
class RadioGroup;

// Small factories for hand-laid dialogs. Every control gets its object name,
// the name tests and screenshots find it by.

QPushButton *makeButton(const QString &text, const QString &name);
// "Help" (btnHelp): the dialogs have no help of their own, so it stays disabled.
QPushButton *makeHelpButton();
// "Close" (btnClose), rejecting the dialog.
QPushButton *makeCloseButton(QDialog *dialog);
QLabel *makeLabel(const QString &text, const QString &name = {});
// A read-only box is greyed like a disabled one but its text stays selectable.
QLineEdit *makeEdit(const QString &name, bool readOnly = false);
// A drop-down list of the items with the one at `current` chosen (-1: none).
QComboBox *makeCombo(const QString &name, const QStringList &items, int current = 0);
RadioGroup *makeRadioGroup(const QString &title, const QString &name, int columns = 1);
// A list view in report style; without headers the binding creates the columns.
QTreeWidget *makeListView(const QString &name, const QStringList &headers = {});

// The buttons in one row, pushed to the right.
QHBoxLayout *makeButtonBar(std::initializer_list<QWidget *> buttons);
// The widgets in a grid, perRow to a row, left to right.
QGridLayout *makeWidgetGrid(std::initializer_list<QWidget *> widgets, int perRow);
// Appends a row to a form grid: caption, control spanning the rest, or
// caption, control and a trailing widget (a hint, a "..." button).
void addGridRow(QGridLayout *grid,
                const QString &caption,
                QWidget *control,
                QWidget *trailing = nullptr);
