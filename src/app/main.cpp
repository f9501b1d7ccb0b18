#include "app/mainform.h"
#include "platform/prompts.h"
#include "snmp/kxexception.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    QString failure;
    try {
        TMainForm window(arguments);
        if (!window.hasParameters())
            return 2;
        window.show();
        return QApplication::exec();
    } catch (const KxException &error) {
        failure = error.message();
    } catch (const ConversionError &error) {
        failure = error.message();
    }
    qCritical("%s", qPrintable(failure));
    prompts().message(nullptr, Prompts::Kind::Error, QStringLiteral("rq5160"), failure);
    return 1;
}
