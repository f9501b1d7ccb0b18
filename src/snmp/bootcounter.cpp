#include "snmp/bootcounter.h"

#include <QFile>
#include <QSaveFile>

namespace {

struct Entry
{
    QByteArray engineId;
    quint32 boots;
};

// Parses the whole file; false when a line is not "<hex> <decimal>".
bool parse(const QByteArray &content, QList<Entry> &entries)
{
    for (const QByteArray &line : content.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        const QList<QByteArray> fields = trimmed.simplified().split(' ');
        bool ok = false;
        const quint32 boots = fields.size() == 2 ? fields[1].toUInt(&ok) : 0;
        const QByteArray engineId = QByteArray::fromHex(fields[0]);
        if (!ok || engineId.isEmpty() || engineId.toHex() != fields[0].toLower())
            return false;
        entries.append({engineId, boots});
    }
    return true;
}

} // namespace

int BootCounter::read(const QString &path, const QByteArray &engineId, quint32 &boots)
{
    boots = 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CannotOpen;
    QList<Entry> entries;
    if (!parse(file.readAll(), entries))
        return BadFormat;
    for (const Entry &entry : entries) {
        if (entry.engineId == engineId) {
            boots = entry.boots;
            return Found;
        }
    }
    return NoEntry;
}

int BootCounter::save(const QString &path, const QByteArray &engineId, quint32 boots)
{
    QList<Entry> entries;
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && !parse(existing.readAll(), entries))
        entries.clear();
    bool replaced = false;
    for (Entry &entry : entries) {
        if (entry.engineId == engineId) {
            entry.boots = boots;
            replaced = true;
        }
    }
    if (!replaced)
        entries.append({engineId, boots});

    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return -1;
    for (const Entry &entry : entries)
        file.write(entry.engineId.toHex() + ' ' + QByteArray::number(entry.boots) + '\n');
    return file.commit() ? 0 : -1;
}
