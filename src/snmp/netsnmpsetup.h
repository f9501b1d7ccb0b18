#pragma once

#include <string>

// Settings every program of the project applies before net-snmp's init_snmp():
// no configuration or persistent-state file of the machine or the user is read
// or written, no MIB file is searched, and the folders net-snmp insists on
// touching point into a private temporary folder. Returns that folder.
// Plain C++ so that the simulator can use it without Qt.
std::string PrepareNetSnmpLibrary();
