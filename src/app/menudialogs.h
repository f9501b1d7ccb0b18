#pragma once

#include <QPointer>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QDialog;
class QWidget;

// A menu item that opens a dialog: the item's object name, the caption
// prefix and the dialog's factory (null while the dialog is not built; the
// item is then disabled).
struct MenuDialog
{
    using Factory = std::function<std::unique_ptr<QDialog>(QWidget *parent)>;

    const char *action;
    const char *title;
    Factory create;
};

// The dialogs that menu items open directly.
const std::vector<MenuDialog> &MenuDialogs();
// The dialog that "Port Trunk" opens after its algorithm question.
const MenuDialog &TrunkDialog();
const MenuDialog *FindMenuDialog(const QString &action);

// Opens the menu's dialogs one instance at a time: creates the dialog,
// captions it with its title followed by the switch address, shows it
// modally and destroys it when it closes.
class DialogOpener
{
public:
    using Show = std::function<void(QDialog &dialog)>;

    explicit DialogOpener(QWidget *owner);

    // False when the item has no dialog or its dialog is already open.
    bool open(const MenuDialog &dialog, const QString &address);
    // The open dialog of an item, or null.
    QDialog *openDialog(const QString &action) const;

    // Shows a dialog modally (QDialog::exec); tests replace it.
    Show show;

private:
    QWidget *m_owner;
    std::map<QString, QPointer<QDialog>> m_open;
};
