#include "platform/paths.h"

#include <QCoreApplication>
#include <QFileInfo>

QString JoinPath(const QString &directory, const QString &name)
{
    if (directory.isEmpty())
        return name;
    if (directory.endsWith(u'/') || directory.endsWith(u'\\'))
        return directory + name;
    return directory + u'/' + name;
}

QString ExecutableFolder()
{
    return JoinPath(QCoreApplication::applicationDirPath(), QString());
}

QString ProgramFileName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}
