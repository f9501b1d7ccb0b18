#include "app/kxini.h"

#include <QFile>

namespace {

constexpr qsizetype MaxValueLength = 4095;

QString trimmedText(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] <= u' ')
        ++begin;
    while (end > begin && text[end - 1] <= u' ')
        --end;
    return text.sliced(begin, end - begin).toString();
}

} // namespace

KxIni::KxIni(QString path)
    : m_path(std::move(path))
{}

QString
KxIni::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return defaultValue;
    bool inSection = false;
    while (!file.atEnd()) {
        const QString line = trimmedText(QString::fromLocal8Bit(file.readLine()));
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            inSection = close > 0
                        && trimmedText(QStringView(line).sliced(1, close - 1))
                                   .compare(section, Qt::CaseInsensitive)
                               == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inSection || line.startsWith(u';') || equals <= 0)
            continue;
        if (trimmedText(QStringView(line).first(equals)).compare(key, Qt::CaseInsensitive) != 0)
            continue;
        const QString value
            = trimmedText(QStringView(line)
                              .sliced(equals + 1)
                              .first(std::min(line.size() - equals - 1, MaxValueLength)));
        return value.isEmpty() ? defaultValue : value;
    }
    return defaultValue;
}
