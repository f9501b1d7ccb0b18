#pragma once

#include <QString>

class QLineEdit;
class QWidget;
class RadioGroup;

// Checks of what the user typed or chose, made before anything is written.
// Each check is a pure function; the check… helpers show the dialog's
// message when it fails.

// A whole decimal number (optional "-", digits only) from min to max.
bool isIntegerIn(const QString &text, qint64 min, qint64 max);

struct StringRule
{
    bool nonEmpty = false;
    // 0 for no limit.
    int maxLength = 0;
    bool noBlanks = false;
};
bool isValidString(const QString &text, const StringRule &rule);

// Four dot-separated numbers 0-255, digits only and without leading zeros.
bool isIPv4Address(const QString &text);
// An IPv4 address that names one host: neither 0.0.0.0 nor 255.255.255.255.
bool isHostAddress(const QString &text);

// Exactly that many hexadecimal digits, either case (a MAC address has 12).
bool isHexDigits(const QString &text, int digits);

QString invalidIntegerMessage(const QString &field);
QString invalidStringMessage(const QString &field);
QString invalidAddressMessage(const QString &field);
QString unsetChoiceMessage(const QString &field);
// "Please choose field <field>.", the other wording of an unset choice.
QString unchosenFieldMessage(const QString &field);

// For a failed check: shows the message as a plain message, moves the focus
// to the control when it is enabled and returns false. Returns true when valid.
bool checkEntry(bool valid, QWidget *control, const QString &message);

bool checkInteger(QLineEdit *edit, const QString &field, qint64 min, qint64 max);
bool checkString(QLineEdit *edit, const QString &field, const StringRule &rule);
bool checkHostAddress(QLineEdit *edit, const QString &field);
// "You should set <field>." when no item of the group is selected.
bool checkChoice(RadioGroup *group, const QString &field);
// The box's text against an input format such as "%i{n30x99999l5}", with the
// format's own message ("(KxCommon) Please enter a number between 30 and
// 99999!"). A number format takes whole numbers only; an empty box passes.
bool checkFormat(QLineEdit *edit, const QString &format);
// "Please choose field <field>." when no item of the group is selected.
bool checkChosen(RadioGroup *group, const QString &field);
