#pragma once

#include <cstdint>
#include <vector>

namespace sim {

// net-snmp's target and notification tables do not always put a row back
// when a SET is refused: a refused snmpTargetAddrTable SET (a rewritten
// TDomain of an active row beside the tag list) frees the row's tag list on
// FREE instead of restoring it, and a refused SET leaves garbage in a notify
// row's tag. The guard in front of each column's registration reads every
// instance the SET names before the SET starts and, once the library has run
// its FREE or UNDO, writes back through the library's own column handler
// whatever no longer matches. Call after the tables are registered.
void GuardUndo(const std::vector<std::vector<uint32_t>> &columns);

} // namespace sim
