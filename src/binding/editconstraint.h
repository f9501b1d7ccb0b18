#pragma once

#include "binding/inputformat.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <vector>

class QLineEdit;
class QWidget;

// Restricts what the user types into the edit boxes of one form: each attached
// box filters every change by its input format (cutting a misfit character
// with a beep) and validates its text when the focus leaves it (message,
// last accepted text restored, focus back).
class KxEditConstraint final : public QObject
{
public:
    // A dialog's own handler on a constrained box; it vetoes by setting the
    // box's "tag" property to -1.
    using Handler = std::function<void(QLineEdit *)>;

    KxEditConstraint(QWidget *form, bool rememberAccepted);
    ~KxEditConstraint() override;

    // Attaches one format to the box; raises KxException -2 for a bad format.
    void Attach(QLineEdit *edit, const QString &format);
    // Attaches the pieces of a composite format to the boxes in order.
    void AttachFormat(const QString &format, const QList<QLineEdit *> &edits);

    // The dialog's own change or exit handler on a box, called after the
    // constraint's own work.
    void setChangeHandler(QLineEdit *edit, Handler handler);
    void setExitHandler(QLineEdit *edit, Handler handler);

    // The format attached to the box, or nullptr.
    const InputFormat *formatOf(const QLineEdit *edit) const;
    QString lastAccepted(const QLineEdit *edit) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        QPointer<QLineEdit> edit;
        InputFormat format;
        QString lastAccepted;
    };

    Entry *entryOf(const QObject *edit);
    void filter(QLineEdit *edit);
    void validate(QLineEdit *edit);
    bool callVetoable(const std::map<const QLineEdit *, Handler> &handlers, QLineEdit *edit);

    QPointer<QWidget> m_form;
    bool m_rememberAccepted;
    std::vector<Entry> m_entries;
    std::map<const QLineEdit *, Handler> m_changeHandlers;
    std::map<const QLineEdit *, Handler> m_exitHandlers;
    bool m_validating = false;
};

// Moves the focus from the widget to the next control of its window that takes
// the Tab key.
void FocusNextControl(QWidget *from);
