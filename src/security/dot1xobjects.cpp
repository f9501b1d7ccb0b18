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
const KxOptionList authenticMethods{{1, "remoteAuthServer"}, {2, "localAuthServer"}};
const KxOptionList terminateCauses{{1, "supplicantLogoff"},
                                   {2, "portFailure"},
                                   {3, "supplicantRestart"},
                                   {4, "reauthFailed"},
                                   {5, "authControlForceUnauth"},
                                   {6, "portReInit"},
                                   {7, "portAdminDisabled"},
                                   {999, "notTerminatedYet"}};

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

const KxSNMPVarDesc AuthStatsPortTable[] = {
    {"1.0.8802.1.1.1.1.1.2.1.1", "Port Number", Integer, NotAccess},
    {"1.0.8802.1.1.1.1.2.2.1.1", "Eapol Frames Rx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.2.1.2", "Eapol Frames Tx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.2.1.3", "Eapol Start Frames Rx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.2.1.4", "Eapol Logoff Frames Rx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.2.1.5", "Eapol Resp ID Frames Rx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.2.1.6", "Eapol Resp Frames Rx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.2.1.7", "Eapol Req ID Frames Tx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.2.1.8", "Eapol Req Frames Tx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.2.1.9", "Invalid Eapol Frames Rx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.2.1.10", "Eap Length Error Frames Rx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.2.1.11", "Last Eapol Frame Version", Gauge, ReadOnly},
    {"1.0.8802.1.1.1.1.2.2.1.12", "Last Eapol Frame Source", MacAddress, ReadOnly},
    {},
};

const KxSNMPVarDesc AuthStatsMacTable[] = {
    {"1.3.6.1.4.1.88508.12.3.6.1.1.1", "MAC Address", OctetStr, NotAccess},
    {"1.3.6.1.4.1.88508.12.3.6.1.1.2", "Port Number", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.1", "Eapol Frames Rx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.2", "Eapol Frames Tx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.3", "Eapol Start Frames Rx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.7", "Eapol Req ID Frames Tx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.4", "Eapol Logoff Frames Rx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.8", "Eapol Req Frames Tx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.5", "Eapol Resp IdFrames Rx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.6", "Eapol Resp Frames Rx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.9", "Invalid Eapol Frames Rx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.10", "Eap Length Error Frames Rx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.11", "Last Eapol Frame Version", Gauge, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.2.1.12", "Last Eapol Frame Source", MacAddress, ReadOnly},
    {},
};

const KxSNMPVarDesc AuthDiagPortTable[] = {
    {"1.0.8802.1.1.1.1.1.2.1.1", "Port Number", Integer, NotAccess},
    {"1.0.8802.1.1.1.1.2.3.1.1", "Enters Connecting", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.2", "Eap Logoffs While Connecting", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.3", "Enters Authenticating", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.4", "Auth Success While Authenticating", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.5", "Auth Timeouts While Authenticating", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.6", "Auth Fail While Authenticating", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.7", "Auth Reauths While Authenticating", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.8", "Auth Eap Starts While Authenticating", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.9", "Auth Eap Logoff While Authenticating", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.10", "Auth Reauths While Authenticated", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.11", "Auth Eap Starts While Authenticated", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.12", "Auth Eap Logoff While Authenticated", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.13", "Backend Responses", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.14", "Backend Access Challenges", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.15", "Backend Other Requests To Supplicant", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.16", "Backend Non Nak Responses From Supplicant", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.17", "Backend Auth Successes", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.3.1.18", "Backend Auth Fails", Counter, ReadOnly},
    {},
};

const KxSNMPVarDesc AuthDiagMacTable[] = {
    {"1.3.6.1.4.1.88508.12.3.6.1.1.1", "MAC Address", OctetStr, NotAccess},
    {"1.3.6.1.4.1.88508.12.3.6.1.1.2", "Port Number", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.1", "Enters Connecting", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.2", "Eap Logoffs While Connecting", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.3", "Enters Authenticating", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.4", "Success While Authenticating", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.5", "Timeouts While Authenticating", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.6", "Fail While Authenticating", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.7", "Reauths WhileAuthenticating", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.8", "Eap Starts While Authenticating", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.9", "Eap Logoff While Authenticating", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.10", "Reauths While Authenticated", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.11", "Eap Starts While Authenticated", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.12", "Eap Logoff While Authenticated", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.13", "Backend Responses", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.14", "Backend Access Challenges", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.15", "Backend Other Requests To Supplicant", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.16",
     "Backend Non Nak Responses From Supplicant",
     Counter,
     ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.17", "Backend Auth Successes", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.3.1.18", "Backend Auth Fails", Counter, ReadOnly},
    {},
};

const KxSNMPVarDesc AuthSessionPortTable[] = {
    {"1.0.8802.1.1.1.1.1.2.1.1", "Port Number", Integer, NotAccess},
    {"1.0.8802.1.1.1.1.2.4.1.1", "Auth Session Octets Rx", Counter64, ReadOnly},
    {"1.0.8802.1.1.1.1.2.4.1.2", "Auth Session Octets Tx", Counter64, ReadOnly},
    {"1.0.8802.1.1.1.1.2.4.1.3", "Auth Session Frames Rx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.4.1.4", "Auth Session Frames Tx", Counter, ReadOnly},
    {"1.0.8802.1.1.1.1.2.4.1.5", "Auth Session ID", DisplayStr, ReadOnly},
    {"1.0.8802.1.1.1.1.2.4.1.6",
     "Auth Session Authentic Method",
     Integer,
     ReadOnly,
     &authenticMethods},
    {"1.0.8802.1.1.1.1.2.4.1.7", "Auth Session Time", TimeTicks, ReadOnly},
    {"1.0.8802.1.1.1.1.2.4.1.8",
     "Auth Session Terminate Cause",
     Integer,
     ReadOnly,
     &terminateCauses},
    {"1.0.8802.1.1.1.1.2.4.1.9", "Auth Session User Name", DisplayStr, ReadOnly},
    {},
};

const KxSNMPVarDesc AuthSessionMacTable[] = {
    {"1.3.6.1.4.1.88508.12.3.6.1.1.1", "MAC Address", OctetStr, NotAccess},
    {"1.3.6.1.4.1.88508.12.3.6.1.1.2", "Port Number", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.3.6.4.1.1", "Session Octets Rx", Counter64, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.4.1.2", "Session Octets Tx", Counter64, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.4.1.3", "Session Frames Rx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.4.1.4", "Session Frames Tx", Counter, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.4.1.5", "Session ID", DisplayStr, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.4.1.6",
     "Session Authentic Method",
     Integer,
     ReadOnly,
     &authenticMethods},
    {"1.3.6.1.4.1.88508.12.3.6.4.1.7", "Session Time", TimeTicks, ReadOnly},
    {"1.3.6.1.4.1.88508.12.3.6.4.1.8",
     "Session Terminate Cause",
     Integer,
     ReadOnly,
     &terminateCauses},
    {"1.3.6.1.4.1.88508.12.3.6.4.1.9", "Session User Name", DisplayStr, ReadOnly},
    {},
};
