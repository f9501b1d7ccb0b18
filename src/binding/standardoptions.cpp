#include "binding/standardoptions.h"

const KxOptionList DisabledEnabledOptions{{2, "disabled"}, {3, "enabled"}};

const KxOptionList RowStatusOptions{{1, "active"},
                                    {2, "notInService"},
                                    {3, "notReady"},
                                    {4, "createAndGo"},
                                    {5, "createAndWait"},
                                    {6, "destroy"}};

const KxOptionList StorageTypeOptions{
    {1, "other"}, {2, "volatile"}, {3, "nonVolatile"}, {4, "permanent"}, {5, "readOnly"}};

const KxOptionList TruthValueOptions{{1, "true"}, {2, "false"}};

const KxOptionList EnabledDisabledOptions{{1, "enabled"}, {2, "disabled"}};
