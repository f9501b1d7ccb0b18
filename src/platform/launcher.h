#pragma once

#include <QString>
#include <QStringList>

// A program and its arguments, as passed to another program of the station.
struct LaunchCommand
{
    QString program;
    QStringList arguments;

    // The command line as one text: the program, then each argument after a blank.
    QString text() const;
};

// Starts the program detached from this process. Returns false when it could
// not be started (a missing program, for example).
bool StartProgram(const LaunchCommand &command);
