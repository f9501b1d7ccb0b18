// The module's start-up inputs from outside: the per-switch configuration file,
// the message files and the command line.
#include "app/kxini.h"
#include "app/startup.h"
#include "snmp/errors.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString configPath = folder.filePath(QStringLiteral("10.0.0.1.cfg"));
    QFile file(configPath);
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    file.write(bytes);
    file.close();

    KxIni(configPath)
        .ReadString(QStringLiteral("Program Information"), QStringLiteral("Version"), {});
    LoadMessageFile(MessageTable::KxSnmp, configPath);
    ErrorMessage(-509);
    ResetMessageTables();

    QStringList arguments = QString::fromUtf8(bytes).split(u'\0');
    arguments.prepend(QStringLiteral("/I10.0.0.1"));
    try {
        const StartupState state = ApplyArguments(arguments, folder.path() + u'/');
        BuildLaunchCommandLine(state, QStringLiteral("mod"), arguments.constLast());
    } catch (const ConversionError &) {
    }
    return 0;
}
