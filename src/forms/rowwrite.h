#pragma once

#include <functional>

class KxSNMPRequest2Edits;

enum class KxWriteOutcome { NothingToWrite, Written, Failed };

// Collects the values (the selected row of the list, then the bound controls)
// and writes, in one SET, the writable variables for which `write` holds. The
// others are left out of that SET only: their markings are restored whatever
// happens. No SET is sent when no variable is to be written.
KxWriteOutcome WriteVariables(KxSNMPRequest2Edits &binding,
                              const std::function<bool(int var)> &write);
