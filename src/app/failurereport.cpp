#include "app/failurereport.h"

#include "app/startup.h"
#include "platform/prompts.h"
#include "snmp/kxexception.h"

#include <QString>

#include <exception>

int RunReportingFailures(const std::function<int()> &run)
{
    QString failure;
    try {
        return run();
    } catch (const KxException &error) {
        failure = error.message();
    } catch (const ConversionError &error) {
        failure = error.message();
    } catch (const std::exception &error) {
        failure = QString::fromLocal8Bit(error.what());
    } catch (...) {
        failure = QStringLiteral("Unexpected error: the module has to end.");
    }
    qCritical("%s", qPrintable(failure));
    prompts().message(nullptr, Prompts::Kind::Error, QStringLiteral("rq5160"), failure);
    return 1;
}
