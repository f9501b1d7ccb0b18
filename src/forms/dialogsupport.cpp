#include "forms/dialogsupport.h"

#include "platform/prompts.h"
#include "snmp/kxexception.h"

#include <QGuiApplication>

Q_LOGGING_CATEGORY(lcDialogs, "rq5160.dialogs")

namespace {

// The common codes of the entry checks: empty value (-3) to the format misfits (-11).
bool refusesEntry(int code)
{
    return code <= -3 && code >= -11;
}

} // namespace

bool runGuarded(QWidget *parent, const std::function<bool()> &operation)
{
    try {
        return operation();
    } catch (const KxException &error) {
        qCWarning(lcDialogs) << "dropped:" << error.helpContext() << error.message();
        if (refusesEntry(error.helpContext()))
            showPlainMessage(parent, error.message());
        return false;
    }
}

void showPlainMessage(QWidget *parent, const QString &text)
{
    prompts().message(
        parent, Prompts::Kind::Information, QGuiApplication::applicationDisplayName(), text);
}
