#pragma once

#include <QString>

#include <functional>
#include <map>

class KxSNMPRequest2Edits;

enum class KxWriteOutcome { NothingToWrite, Written, Failed };

// Collects the values (the selected row of the list, then the bound controls)
// and writes, in one SET, the writable variables for which `write` holds. The
// others are left out of that SET only: their markings are restored whatever
// happens. No SET is sent when no variable is to be written.
KxWriteOutcome WriteVariables(KxSNMPRequest2Edits &binding,
                              const std::function<bool(int var)> &write);

struct KxSNMPVarDesc;

// Writes one row of a table in one SET: the values by variable position, the
// index variables among them; variables without a value are left out.
// Returns an empty text when the switch took it, otherwise the reason.
QString
WriteTableRow(const KxSNMPVarDesc *table, int keyCount, const std::map<int, QString> &values);
