#pragma once

#include <functional>

class SimulatedSwitch;

// Creates the module's SNMP session (boots file in the current directory),
// starts the simulated switch and points the global records at it (SNMPv2c).
bool ConnectModuleTo(SimulatedSwitch &simulated);

// The help context of the KxException the call raises, or 0 when it raises none.
int RaisedCode(const std::function<void()> &call);
