#include "files/tftpnamepolicy.h"

#include "files/kxtftpmsg.h"
#include "files/tftppacket.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

bool IsAbsoluteName(const QString &name)
{
    static const QRegularExpression drive(u"^[A-Za-z]:"_s);
    return name.startsWith(u'/') || drive.match(name).hasMatch();
}

bool IsInside(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

} // namespace

void TftpNamePolicy::setRootFolder(const QString &folder)
{
    m_root = folder;
    if (!m_root.isEmpty() && !m_root.endsWith(u'/') && !m_root.endsWith(u'\\'))
        m_root += u'/';
}

void TftpNamePolicy::allowPath(const QString &path, int operation)
{
    m_allowed.insert({path, operation});
}

void TftpNamePolicy::clearAllowedPaths()
{
    m_allowed.clear();
}

std::optional<QString> TftpNamePolicy::resolve(const QByteArray &name, int operation) const
{
    if (name.isEmpty() || name.size() > Tftp::MaxFileNameLength)
        return std::nullopt;
    const QString text = QString::fromUtf8(name);
    if (m_allowed.contains({text, operation}))
        return text;
    return resolveInRoot(text, operation);
}

std::optional<QString> TftpNamePolicy::resolveInRoot(const QString &name, int operation) const
{
    if (m_root.isEmpty())
        return std::nullopt;
    QString relative = name;
    relative.replace(u'\\', u'/');
    if (IsAbsoluteName(relative) || relative.split(u'/').contains(u".."_s))
        return std::nullopt;
    QString root = m_root;
    root.replace(u'\\', u'/');
    const QString localPath = root + relative;
    if (!staysInRoot(localPath, operation))
        return std::nullopt;
    return localPath;
}

// Links inside the root folder must not lead out of it.
bool TftpNamePolicy::staysInRoot(const QString &localPath, int operation) const
{
    const QString root = QFileInfo(m_root).canonicalFilePath();
    if (root.isEmpty())
        return false;
    const QFileInfo file(localPath);
    if (file.exists() || file.isSymLink()) {
        const QString target = file.canonicalFilePath();
        return !target.isEmpty() && IsInside(target, root);
    }
    if (operation == KxTFTPOperation::Read)
        return true; // not found later
    const QString parent = file.absoluteDir().canonicalPath();
    return parent.isEmpty() || IsInside(parent, root);
}
