#pragma once

#include "platform/launcher.h"

#include <QStringList>

#include <stdexcept>

// Text copies of start-up values, for dialog captions and launched programs.
struct LaunchTexts
{
    QString address;
    QString readCommunity;
    QString writeCommunity;
    QString port;
    QString version;
    QString securityModel;
    QString securityLevel;
    QString securityName;
    QString authProtocol;
    QString privProtocol;
    QString authPassword;
    QString privPassword;
    QString contextEngineId;
    QString contextName;
};

// Which optional keys the configuration file supplied.
struct StartupFlags
{
    bool configFileFound = false;
    bool contextName = false;
    bool securityLevel = false;
    bool authProtocol = false;
    bool authPassword = false;
    bool privProtocol = false;
    bool privPassword = false;
};

struct StartupState
{
    LaunchTexts texts;
    StartupFlags flags;
};

// A numeric option or configuration key that is not a decimal number that
// fits its field.
class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const QString &message);
    QString message() const;
};

inline constexpr char ModelName[] = "RQ5160";
inline constexpr char ConfigSection[] = "Program Information";

// The folder of the per-switch configuration files: the station's install
// folder + "../Conf/MBF/", or empty when the station's folder is not set.
QString ConfigurationFolder();

// Applies the command-line arguments, in order, to the global records; for
// "/I" reads "<configFolder><address>.cfg" at once. Raises ConversionError.
StartupState ApplyArguments(const QStringList &arguments, const QString &configFolder);

// Overwrites the values of the community and password options in the
// process's own argument memory, so that ps and /proc/PID/cmdline no longer
// show them. For main(), once the arguments have been read.
void HideSecretArguments(int argc, char **argv);

// The command line that starts another program of the station for the same
// switch; the selector ("/TRmon_Statistics") names the program ("Rmon.EXE").
LaunchCommand BuildLaunchCommandLine(const StartupState &state,
                                     const QString &moduleFolder,
                                     const QString &selector);

// Starts that program beside the module; a failure is only logged.
void LaunchProgram(const StartupState &state, const QString &selector);
