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

const KxOptionList InterfaceStatusOptions{{1, "up"}, {2, "down"}, {3, "testing"}};

// The interface types of MIB-II, in the order of that MIB.
const KxOptionList InterfaceTypeOptions{{1, "other"},
                                        {2, "regular1822"},
                                        {3, "hdh1822"},
                                        {4, "ddn-x25"},
                                        {5, "rfc877-x25"},
                                        {6, "ethernet-csmacd"},
                                        {7, "iso88023-csmacd"},
                                        {8, "iso88024-tokenBus"},
                                        {9, "iso88025-tokenRing"},
                                        {10, "iso88026-man"},
                                        {11, "starLan"},
                                        {12, "proteon-10Mbit"},
                                        {13, "proteon-80Mbit"},
                                        {14, "hyperchannel"},
                                        {15, "fddi"},
                                        {16, "lapb"},
                                        {17, "sdlc"},
                                        {18, "ds1"},
                                        {19, "e1"},
                                        {20, "basicISDN"},
                                        {21, "primaryISDN"},
                                        {22, "propPointToPointSerial"},
                                        {23, "ppp"},
                                        {24, "softwareLoopback"},
                                        {25, "eon"},
                                        {26, "ethernet-3Mbit"},
                                        {27, "nsip"},
                                        {28, "slip"},
                                        {29, "ultra"},
                                        {30, "ds3"},
                                        {31, "sip"},
                                        {32, "frame-relay"}};
const KxOptionList EnabledDisabledOptions{{1, "enabled"}, {2, "disabled"}};
