#include "binding/editconstraint.h"

#include "platform/paths.h"
#include "platform/prompts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <QValidator>

using namespace Qt::StringLiterals;

namespace {

constexpr int VetoTag = -1;
constexpr int BeepFrequency = 1000;
constexpr int BeepMs = 200;

bool isPlaceholder(const QString &text)
{
    return text == u"(NOTDONE)"_s || text == u"(NULL)"_s;
}

// Limits what the user types without cutting texts the program puts into the
// box (QLineEdit's own maximum length would cut "(NULL)" in a two-character box).
class MaxLengthValidator final : public QValidator
{
public:
    MaxLengthValidator(int maxLength, QObject *parent)
        : QValidator(parent)
        , m_maxLength(maxLength)
    {}

    State validate(QString &input, int &) const override
    {
        return input.size() > m_maxLength ? Invalid : Acceptable;
    }

private:
    int m_maxLength;
};

} // namespace

void FocusNextControl(QWidget *from)
{
    for (QWidget *next = from->nextInFocusChain(); next && next != from;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled()
            && next->isVisibleTo(from->window())) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

KxEditConstraint::KxEditConstraint(QWidget *form, bool rememberAccepted)
    : m_form(form)
    , m_rememberAccepted(rememberAccepted)
{}

KxEditConstraint::~KxEditConstraint()
{
    for (Entry &entry : m_entries) {
        if (entry.edit)
            entry.edit->removeEventFilter(this);
    }
}

void KxEditConstraint::Attach(QLineEdit *edit, const QString &format)
{
    const InputFormat parsed = ParseInputFormat(format);
    if (parsed.width > 0)
        edit->setFixedWidth(parsed.width);
    // For conversion n the limit counts numbers, not characters.
    if (parsed.conversion != u'n' && parsed.lengthLimit > 0)
        edit->setValidator(new MaxLengthValidator(parsed.lengthLimit, edit));
    m_entries.push_back({edit, parsed, {}});
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { filter(edit); });
    edit->installEventFilter(this);
}

void KxEditConstraint::AttachFormat(const QString &format, const QList<QLineEdit *> &edits)
{
    const QStringList pieces = SplitCompositeFormat(format);
    for (qsizetype i = 0; i < pieces.size() && i < edits.size(); ++i)
        Attach(edits.at(i), pieces.at(i));
}

void KxEditConstraint::setChangeHandler(QLineEdit *edit, Handler handler)
{
    m_changeHandlers[edit] = std::move(handler);
}

void KxEditConstraint::setExitHandler(QLineEdit *edit, Handler handler)
{
    m_exitHandlers[edit] = std::move(handler);
}

const InputFormat *KxEditConstraint::formatOf(const QLineEdit *edit) const
{
    for (const Entry &entry : m_entries) {
        if (entry.edit == edit)
            return &entry.format;
    }
    return nullptr;
}

QString KxEditConstraint::lastAccepted(const QLineEdit *edit) const
{
    for (const Entry &entry : m_entries) {
        if (entry.edit == edit)
            return entry.lastAccepted;
    }
    return {};
}

bool KxEditConstraint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            validate(edit);
    }
    return QObject::eventFilter(watched, event);
}

KxEditConstraint::Entry *KxEditConstraint::entryOf(const QObject *edit)
{
    for (Entry &entry : m_entries) {
        if (entry.edit == edit)
            return &entry;
    }
    return nullptr;
}

// Calls the dialog's handler on the box, if any; true when it vetoed.
bool KxEditConstraint::callVetoable(const std::map<const QLineEdit *, Handler> &handlers,
                                    QLineEdit *edit)
{
    const auto found = handlers.find(edit);
    if (found == handlers.end() || !found->second)
        return false;
    found->second(edit);
    return edit->property("tag").toInt() == VetoTag;
}

void KxEditConstraint::filter(QLineEdit *edit)
{
    const Entry *entry = entryOf(edit);
    const QString text = edit->text();
    if (!entry || isPlaceholder(text) || text.isEmpty())
        return;
    const InputFormat &format = entry->format;
    if (!format.endCharacter.isNull() && text.contains(format.endCharacter)) {
        QString cut = text;
        cut.remove(cut.indexOf(format.endCharacter), 1);
        edit->setText(cut);
        FocusNextControl(edit);
        return;
    }
    if (const qsizetype misfit = format.firstMisfit(text); misfit >= 0) {
        const int cursor = edit->cursorPosition();
        QString cut = text;
        cut.remove(misfit, 1);
        prompts().beep(BeepFrequency, BeepMs);
        edit->setText(cut);
        edit->setCursorPosition(std::min<int>(cursor > misfit ? cursor - 1 : cursor, cut.size()));
        return;
    }
    if (callVetoable(m_changeHandlers, edit))
        return;
    if (format.hasFlag(InputFormat::AdvanceWhenFull) && format.lengthLimit > 0
        && text.size() == format.lengthLimit)
        FocusNextControl(edit);
}

void KxEditConstraint::validate(QLineEdit *edit)
{
    Entry *entry = entryOf(edit);
    const QString text = edit->text();
    if (!entry || isPlaceholder(text) || m_validating)
        return;
    QString message;
    if (entry->format.validate(text, &message) != 0) {
        m_validating = true;
        prompts().message(m_form, Prompts::Kind::Information, ProgramFileName(), message);
        edit->setText(entry->lastAccepted);
        QPointer<QLineEdit> guarded(edit);
        QTimer::singleShot(0, this, [this, guarded] {
            if (guarded)
                guarded->setFocus(Qt::OtherFocusReason);
            m_validating = false;
        });
        return;
    }
    if (text.isEmpty())
        return;
    if (callVetoable(m_exitHandlers, edit)) {
        edit->setText(entry->lastAccepted);
        return;
    }
    if (m_rememberAccepted)
        entry->lastAccepted = text;
}
