#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

#include <optional>

// Decides which local file a requested name stands for. Served are only the
// exact paths the user applied (for the operation applied) and relative names
// inside the root folder; absolute paths, ".." parts, over-long names and
// names that would lead outside the root through a link are refused.
class TftpNamePolicy
{
public:
    // An empty root folder serves no relative name.
    void setRootFolder(const QString &folder);
    const QString &rootFolder() const { return m_root; }

    void allowPath(const QString &path, int operation);
    void clearAllowedPaths();

    // The local path for a request, or nothing when the name is refused.
    std::optional<QString> resolve(const QByteArray &name, int operation) const;

private:
    std::optional<QString> resolveInRoot(const QString &name, int operation) const;
    bool staysInRoot(const QString &localPath, int operation) const;

    QString m_root;
    QSet<std::pair<QString, int>> m_allowed;
};
