#pragma once

#include <string>

namespace sim {

class Store;

// Loads the switch's object definitions and values from a data file into the
// store. The format is described at the top of sim/data/rq5160.sim.
// Returns an empty text on success, else "file:line: reason".
std::string LoadDataFile(const std::string &path, Store &store);
std::string LoadDataText(const std::string &text, const std::string &name, Store &store);

} // namespace sim
