#include "security/securityoptions.h"

const KxOptionList SecurityDisabledEnabled{{2, "Disabled"}, {3, "Enabled"}};
