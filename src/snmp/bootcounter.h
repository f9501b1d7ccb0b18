#pragma once

#include <QByteArray>
#include <QString>

// The engine-boots counter file: one line per engine ID, "<hex engine ID> <boots>".
namespace BootCounter {
constexpr int Found = 0;
constexpr int NoEntry = -1;
constexpr int CannotOpen = -2;
constexpr int BadFormat = -3;

// Reads the counter of the engine; boots is 0 when nothing was found.
int read(const QString &path, const QByteArray &engineId, quint32 &boots);
// Stores the counter of the engine, keeping the other engines' lines.
// Returns 0 when saved.
int save(const QString &path, const QByteArray &engineId, quint32 boots);
} // namespace BootCounter
