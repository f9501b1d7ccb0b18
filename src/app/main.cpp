#include "app/failurereport.h"
#include "app/mainform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    HideSecretArguments(argc, argv);

    return RunReportingFailures([&arguments] {
        TMainForm window(arguments);
        if (!window.hasParameters())
            return 2;
        window.show();
        return QApplication::exec();
    });
}
