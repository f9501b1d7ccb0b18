#include "forms/dialogsupport.h"

#include "platform/prompts.h"
#include "snmp/kxexception.h"

#include <QGuiApplication>

Q_LOGGING_CATEGORY(lcDialogs, "rq5160.dialogs")

bool runDropping(const std::function<bool()> &operation)
{
    try {
        return operation();
    } catch (const KxException &error) {
        qCWarning(lcDialogs) << "dropped:" << error.helpContext() << error.message();
        return false;
    }
}

void showPlainMessage(QWidget *parent, const QString &text)
{
    prompts().message(
        parent, Prompts::Kind::Information, QGuiApplication::applicationDisplayName(), text);
}
