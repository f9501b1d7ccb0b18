#pragma once

#include <QString>

#include <vector>

// What the RMON tables share: the EntryStatus values, the owner this program
// writes, the data source naming a port, and the index of a new row.

namespace EntryStatus {
enum : int { Valid = 1, CreateRequest = 2, UnderCreation = 3, Invalid = 4 };
}

extern const QString RmonOwner;

// "1.3.6.1.2.1.2.2.1.1.<port>", the ifIndex object of that port.
QString DataSourceOfPort(int port);
// The ifIndex a data source names (with or without a leading "."), or 0.
int PortOfDataSource(QString source);

// Shown when an entry is to be made before its table has been read: the
// index of the new row is chosen from the rows read.
extern const QString TableNotReadMessage;

// The lowest index from 1 that no row uses.
quint32 FreeIndex(std::vector<quint32> used);
