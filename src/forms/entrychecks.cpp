#include "forms/entrychecks.h"

#include "binding/inputformat.h"
#include "forms/dialogsupport.h"
#include "platform/radiogroup.h"

#include <QLineEdit>
#include <QStringList>

#include <algorithm>
#include <array>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

bool isDigits(QStringView text)
{
    return !text.isEmpty()
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The four numbers of a dotted address, or nothing when the text is not one.
std::optional<std::array<int, 4>> addressParts(const QString &text)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4)
        return std::nullopt;
    std::array<int, 4> numbers{};
    for (size_t i = 0; i < numbers.size(); ++i) {
        const QString &part = parts.at(static_cast<qsizetype>(i));
        if (!isDigits(part) || part.size() > 3 || (part.size() > 1 && part.front() == u'0'))
            return std::nullopt;
        numbers[i] = part.toInt();
        if (numbers[i] > 255)
            return std::nullopt;
    }
    return numbers;
}

QString fieldMessage(const char *pattern, const QString &field)
{
    return QString::fromLatin1(pattern).arg(field);
}

} // namespace

bool isIntegerIn(const QString &text, qint64 min, qint64 max)
{
    const QStringView digits = text.startsWith(u'-') ? QStringView(text).mid(1) : QStringView(text);
    // More than 18 digits could overflow; no range of a MIB object needs them.
    if (!isDigits(digits) || digits.size() > 18)
        return false;
    const qint64 number = text.toLongLong();
    return number >= min && number <= max;
}

bool isValidString(const QString &text, const StringRule &rule)
{
    if (rule.nonEmpty && text.isEmpty())
        return false;
    if (rule.maxLength > 0 && text.size() > rule.maxLength)
        return false;
    return !rule.noBlanks
           || std::none_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

bool isIPv4Address(const QString &text)
{
    return addressParts(text).has_value();
}

bool isHostAddress(const QString &text)
{
    const auto parts = addressParts(text);
    if (!parts)
        return false;
    const auto all = [&](int value) {
        return std::all_of(
            parts->begin(), parts->end(), [value](int part) { return part == value; });
    };
    return !all(0) && !all(255);
}

bool isHexDigits(const QString &text, int digits)
{
    return text.size() == digits && std::all_of(text.begin(), text.end(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f')
                      || (c >= u'A' && c <= u'F');
           });
}

QString invalidIntegerMessage(const QString &field)
{
    return fieldMessage("Please input valid integer in field %1.", field);
}

QString invalidStringMessage(const QString &field)
{
    return fieldMessage("Please input valid string in field %1.", field);
}

QString invalidAddressMessage(const QString &field)
{
    return fieldMessage("Please input valid IP address in field %1.", field);
}

QString unsetChoiceMessage(const QString &field)
{
    return fieldMessage("You should set %1.", field);
}

QString unchosenFieldMessage(const QString &field)
{
    return fieldMessage("Please choose field %1.", field);
}

bool checkEntry(bool valid, QWidget *control, const QString &message)
{
    if (valid)
        return true;
    showPlainMessage(control->window(), message);
    if (control->isEnabled())
        control->setFocus();
    return false;
}

bool checkInteger(QLineEdit *edit, const QString &field, qint64 min, qint64 max)
{
    return checkEntry(isIntegerIn(edit->text(), min, max), edit, invalidIntegerMessage(field));
}

bool checkString(QLineEdit *edit, const QString &field, const StringRule &rule)
{
    return checkEntry(isValidString(edit->text(), rule), edit, invalidStringMessage(field));
}

bool checkHostAddress(QLineEdit *edit, const QString &field)
{
    return checkEntry(isHostAddress(edit->text()), edit, invalidAddressMessage(field));
}

bool checkChoice(RadioGroup *group, const QString &field)
{
    return checkEntry(group->itemIndex() >= 0, group, unsetChoiceMessage(field));
}

bool checkFormat(QLineEdit *edit, const QString &format)
{
    const InputFormat parsed = ParseInputFormat(format);
    const QString text = edit->text();
    QString message;
    if (parsed.validate(text, &message) != 0)
        return checkEntry(false, edit, message);
    const bool whole = parsed.conversion == u'i' || parsed.conversion == u'u';
    if (!whole || text.isEmpty() || isIntegerIn(text, qint64(parsed.lower), qint64(parsed.upper)))
        return true;
    // A text that is no number gets the format's range message.
    parsed.validate(u"-x"_s, &message);
    return checkEntry(false, edit, message);
}

bool checkChosen(RadioGroup *group, const QString &field)
{
    return checkEntry(group->itemIndex() >= 0, group, unchosenFieldMessage(field));
}
