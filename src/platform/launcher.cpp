#include "platform/launcher.h"

#include <QProcess>

QString LaunchCommand::text() const
{
    QString line = program;
    for (const QString &argument : arguments)
        line += u' ' + argument;
    return line;
}

bool StartProgram(const LaunchCommand &command)
{
    return QProcess::startDetached(command.program, command.arguments);
}
