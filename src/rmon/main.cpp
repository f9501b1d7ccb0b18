// Rmon: the RMON program the module's RMON menu starts with the module's own
// command line and a selector naming the page to open.
#include "app/mainform.h"
#include "app/startup.h"
#include "platform/paths.h"
#include "platform/prompts.h"
#include "rmon/rmonwindow.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    CreateGlobalSession({});
    GlobalSecurity().version = SnmpCode::Version1;
    StartupState state;
    try {
        state = ApplyArguments(arguments, ConfigurationFolder());
    } catch (const ConversionError &error) {
        qCritical("%s", qPrintable(error.message()));
        prompts().message(nullptr, Prompts::Kind::Error, ProgramFileName(), error.message());
        return 1;
    }
    LoadMessageFiles(ExecutableFolder());
    TRmonWindow window(state.texts.address, PageOfArguments(arguments));
    window.show();
    return QApplication::exec();
}
