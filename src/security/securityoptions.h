#pragma once

#include "snmp/optionlist.h"

// 2 = "Disabled", 3 = "Enabled", in the capitals the security dialogs show.
extern const KxOptionList SecurityDisabledEnabled;
