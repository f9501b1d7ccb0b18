#include "security/dot1xobjects.h"

#include "binding/standardoptions.h"

using namespace KxSyntax;
using namespace KxAccess;

const KxOptionList SystemAuthControlOptions{{1, "enabled"}, {2, "disabled"}};
const KxOptionList Dot1xAuthProtocolOptions{{2, "Local"}, {4, "RadiusEap"}};
const KxOptionList AuthModeOptions{{1, "portBase"}, {2, "macBase"}, {3, "none"}};
const KxOptionList ControlledDirectionOptions{{0, "both"}, {1, "in"}};
const KxOptionList PortControlOptions{
    {1, "forceUnauthorized"}, {2, "auto"}, {3, "forceAuthorized"}};

namespace {

const KxOptionList paeStates{{1, "initialize"},
                             {2, "disconnected"},
                             {3, "connecting"},
                             {4, "authenticating"},
                             {5, "authenticated"},
                             {6, "aborting"},
                             {7, "held"},
                             {8, "forceAuth"},
                             {9, "forceUnauth"}};
const KxOptionList backendStates{{1, "request"},
                                 {2, "response"},
                                 {3, "success"},
                                 {4, "fail"},
                                 {5, "timeout"},
                                 {6, "idle"},
                                 {7, "initialize"}};
const KxOptionList portStatus{{1, "authorized"}, {2, "unauthorized"}};

} // namespace

const KxSNMPVarDesc PortStateTable[] = {
    {"1.0.8802.1.1.1.1.1.2.1.1", "Port Number", Integer, NotAccess},
    {"1.0.8802.1.1.1.1.2.1.1.1", "PAE State", Integer, ReadOnly, &paeStates},
    {"1.0.8802.1.1.1.1.2.1.1.2", "Backend State", Integer, ReadOnly, &backendStates},
    {"1.0.8802.1.1.1.1.2.1.1.5", "Port Status", Integer, ReadOnly, &portStatus},
    {},
};

const KxSNMPVarDesc MacStateTable[] = {
    {"1.3.6.1.4.1.88508.12.3.6.1.1.1", "Port Access Entity MAC Address", MacAddress, NotAccess},
    {"1.3.6.1.4.1.88508.12.3.6.1.1.2", "Port Access Entity Port Number", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.3.6.1.1.3", "Port Access Entity State", Integer, ReadOnly, &paeStates},
    {"1.3.6.1.4.1.88508.12.3.6.1.1.4",
     "Backend Authentication State",
     Integer,
     ReadOnly,
     &backendStates},
    {"1.3.6.1.4.1.88508.12.3.6.1.1.5", "Controlled Port Status", Integer, ReadOnly, &portStatus},
    {},
};

const KxSNMPVarDesc AuthConfigTable[] = {
    {"1.0.8802.1.1.1.1.1.2.1.1", "Port Number", Integer, NotAccess},
    {"1.0.8802.1.1.1.1.2.1.1.3",
     "Administrative Controlled Direction",
     Integer,
     ReadWrite,
     &ControlledDirectionOptions},
    {"1.0.8802.1.1.1.1.2.1.1.4",
     "Open Controlled Direction",
     Integer,
     ReadOnly,
     &ControlledDirectionOptions},
    {"1.0.8802.1.1.1.1.2.1.1.6", "Port Control", Integer, ReadWrite, &PortControlOptions},
    {"1.0.8802.1.1.1.1.2.1.1.7", "Quiet Period", Gauge, ReadWrite},
    {"1.0.8802.1.1.1.1.2.1.1.8", "Tx Period", Gauge, ReadWrite},
    {"1.0.8802.1.1.1.1.2.1.1.9", "SuppTimeout", Gauge, ReadWrite},
    {"1.0.8802.1.1.1.1.2.1.1.10", "Server Timeout", Gauge, ReadWrite},
    {"1.0.8802.1.1.1.1.2.1.1.11", "MaxReq", Gauge, ReadWrite},
    {"1.0.8802.1.1.1.1.2.1.1.12", "ReAuthentication Period", Gauge, ReadWrite},
    {"1.0.8802.1.1.1.1.2.1.1.13", "ReAuthentication State", Integer, ReadWrite, &TruthValueOptions},
    {},
};
