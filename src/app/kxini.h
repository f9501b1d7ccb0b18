#pragma once

#include <QString>

// Reads keys of a Windows-style INI file: "[section]" lines, "key=value"
// lines, names compared without regard to case, ";" starting a comment line.
class KxIni
{
public:
    explicit KxIni(QString path);

    // The key's value with surrounding blanks and control characters removed
    // and cut to 4095 characters; the default when the file, the section or
    // the key is missing or the value is empty.
    QString
    ReadString(const QString &section, const QString &key, const QString &defaultValue) const;

private:
    QString m_path;
};
