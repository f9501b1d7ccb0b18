#include "snmp/adapter.h"

#include "snmp/errors.h"
#include "snmp/hostaddress.h"
#include "snmp/kxexception.h"
#include "snmp/session.h"

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-includes.h>

#include <QCoreApplication>
#include <QHash>
#include <QHostAddress>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <deque>
#include <optional>
#include <unordered_map>

#include <poll.h>

using namespace Qt::StringLiterals;

namespace {

// The longest a synchronous exchange waits before the window is served again.
constexpr int PaintSliceMs = 20;

// Status values of the message tables that the adapter produces itself.
namespace Status {
constexpr int OperationFailed = -1;
constexpr int ResourceUnavailable = -2;
constexpr int Timeout = -5;
constexpr int InvalidPdu = -11;
constexpr int InvalidTarget = -12;
constexpr int NotSupportedOnTarget = -16;
constexpr int InvalidOid = -17;
constexpr int InvalidAddress = -18;
constexpr int TransportFailed = -22;
constexpr int UnknownSecurityModel = -1402;
constexpr int InvalidMessage = -1405;
constexpr int UnknownPduHandlers = -1415;
constexpr int UnknownContext = -1417;
constexpr int UsmError = 1401;
constexpr int UnsupportedSecurityLevel = 1403;
constexpr int UnknownSecurityName = 1404;
constexpr int EncryptionError = 1405;
constexpr int DecryptionError = 1406;
constexpr int AuthenticationError = 1407;
constexpr int AuthenticationFailure = 1408;
constexpr int UsmParseError = 1409;
constexpr int UnknownEngineId = 1410;
constexpr int NotInTimeWindow = 1411;
constexpr int UnsupportedAuthProtocol = 1412;
constexpr int UnsupportedPrivProtocol = 1413;
} // namespace Status

int statusOfLibraryError(int error)
{
    switch (error) {
    case SNMPERR_TIMEOUT:
        return Status::Timeout;
    case SNMPERR_AUTHENTICATION_FAILURE:
    case SNMPERR_USM_AUTHENTICATIONFAILURE:
        return Status::AuthenticationFailure;
    case SNMPERR_UNKNOWN_USER_NAME:
    case SNMPERR_USM_UNKNOWNSECURITYNAME:
    case SNMPERR_BAD_SEC_NAME:
        return Status::UnknownSecurityName;
    case SNMPERR_UNSUPPORTED_SEC_LEVEL:
    case SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL:
    case SNMPERR_BAD_SEC_LEVEL:
        return Status::UnsupportedSecurityLevel;
    case SNMPERR_UNKNOWN_ENG_ID:
    case SNMPERR_USM_UNKNOWNENGINEID:
    case SNMPERR_BAD_ENG_ID:
        return Status::UnknownEngineId;
    case SNMPERR_NOT_IN_TIME_WINDOW:
    case SNMPERR_USM_NOTINTIMEWINDOW:
        return Status::NotInTimeWindow;
    case SNMPERR_DECRYPTION_ERR:
    case SNMPERR_USM_DECRYPTIONERROR:
        return Status::DecryptionError;
    case SNMPERR_USM_ENCRYPTIONERROR:
        return Status::EncryptionError;
    case SNMPERR_USM_PARSEERROR:
        return Status::UsmParseError;
    case SNMPERR_USM_GENERICERROR:
        return Status::UsmError;
    case SNMPERR_UNKNOWN_SEC_MODEL:
        return Status::UnknownSecurityModel;
    case SNMPERR_INVALID_MSG:
        return Status::InvalidMessage;
    case SNMPERR_UNKNOWN_PDU:
        return Status::UnknownPduHandlers;
    case SNMPERR_BAD_CONTEXT:
        return Status::UnknownContext;
    case SNMPERR_BAD_ADDRESS:
        return Status::InvalidAddress;
    case SNMPERR_BAD_SENDTO:
    case SNMPERR_BAD_RECVFROM:
    case SNMPERR_NO_SOCKET:
        return Status::TransportFailed;
    case SNMPERR_MALLOC:
        return Status::ResourceUnavailable;
    case SNMPERR_BAD_ASN1_BUILD:
    case SNMPERR_TOO_LONG:
    case SNMPERR_VAR_TYPE:
    case SNMPERR_VALUE:
        return Status::InvalidPdu;
    case SNMPERR_BAD_COMMUNITY:
        return Status::InvalidTarget;
    case SNMPERR_V2_IN_V1:
        return Status::NotSupportedOnTarget;
    default:
        return Status::OperationFailed;
    }
}

// Dotted text to sub-identifiers; false for an empty or malformed OID.
bool parseOid(const QString &text, oid *out, size_t &length)
{
    length = 0;
    qsizetype at = text.startsWith(u'.') ? 1 : 0;
    if (at >= text.size())
        return false;
    while (at <= text.size()) {
        quint64 value = 0;
        const qsizetype start = at;
        for (; at < text.size() && text.at(at) != u'.'; ++at) {
            const char16_t c = text.at(at).unicode();
            if (c < u'0' || c > u'9')
                return false;
            value = value * 10 + (c - u'0');
            if (value > 0xffffffffu)
                return false;
        }
        if (at == start || length == MAX_OID_LEN)
            return false;
        out[length++] = static_cast<oid>(value);
        ++at;
    }
    return true;
}

QString oidText(const oid *name, size_t length)
{
    char text[MAX_OID_LEN * 11];
    char *out = text;
    for (size_t i = 0; i < length && i < MAX_OID_LEN; ++i) {
        if (i)
            *out++ = '.';
        char digits[10];
        int count = 0;
        auto value = static_cast<quint32>(name[i]);
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value);
        while (count)
            *out++ = digits[--count];
    }
    return QString::fromLatin1(text, out - text);
}

SnmpValue valueOf(const netsnmp_variable_list *var)
{
    SnmpValue value;
    const auto octets = [var] {
        return QByteArray(reinterpret_cast<const char *>(var->val.string),
                          static_cast<qsizetype>(var->val_len));
    };
    switch (var->type) {
    case ASN_INTEGER:
        value.type = SnmpType::Integer;
        value.number = *var->val.integer;
        break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
    case ASN_UINTEGER:
        value.type = var->type == ASN_COUNTER     ? SnmpType::Counter32
                     : var->type == ASN_TIMETICKS ? SnmpType::TimeTicks
                                                  : SnmpType::Gauge32;
        value.number = static_cast<quint32>(*var->val.integer);
        break;
    case ASN_COUNTER64:
        value.type = SnmpType::Counter64;
        value.number64 = static_cast<quint64>(var->val.counter64->high) << 32
                         | static_cast<quint32>(var->val.counter64->low);
        break;
    case ASN_OCTET_STR:
    case ASN_OPAQUE:
    case ASN_IPADDRESS:
        value.type = var->type == ASN_OCTET_STR ? SnmpType::OctetString
                     : var->type == ASN_OPAQUE  ? SnmpType::Opaque
                                                : SnmpType::IpAddress;
        value.octets = octets();
        break;
    case ASN_OBJECT_ID:
        value.type = SnmpType::ObjectId;
        value.objectId = oidText(var->val.objid, var->val_len / sizeof(oid));
        break;
    case ASN_NULL:
        value.type = SnmpType::Null;
        break;
    case SNMP_NOSUCHOBJECT:
        value.type = SnmpType::NoSuchObject;
        break;
    case SNMP_NOSUCHINSTANCE:
        value.type = SnmpType::NoSuchInstance;
        break;
    case SNMP_ENDOFMIBVIEW:
        value.type = SnmpType::EndOfMibView;
        break;
    default:
        break;
    }
    return value;
}

// Adds one binding to the PDU; false when its OID is malformed.
bool addBinding(netsnmp_pdu *pdu, const SnmpBinding &binding)
{
    oid name[MAX_OID_LEN];
    size_t length = 0;
    if (!parseOid(binding.oid, name, length))
        return false;
    const SnmpValue &value = binding.value;
    switch (value.type) {
    case SnmpType::Integer: {
        const long number = static_cast<long>(value.number);
        snmp_pdu_add_variable(pdu, name, length, ASN_INTEGER, &number, sizeof number);
        break;
    }
    case SnmpType::Counter32:
    case SnmpType::Gauge32:
    case SnmpType::TimeTicks: {
        const u_char type = value.type == SnmpType::Counter32   ? ASN_COUNTER
                            : value.type == SnmpType::TimeTicks ? ASN_TIMETICKS
                                                                : ASN_GAUGE;
        const u_long number = static_cast<quint32>(value.number);
        snmp_pdu_add_variable(pdu, name, length, type, &number, sizeof number);
        break;
    }
    case SnmpType::Counter64: {
        counter64 number{};
        number.high = static_cast<u_long>(value.number64 >> 32);
        number.low = static_cast<u_long>(value.number64 & 0xffffffffu);
        snmp_pdu_add_variable(pdu, name, length, ASN_COUNTER64, &number, sizeof number);
        break;
    }
    case SnmpType::OctetString:
    case SnmpType::Opaque:
    case SnmpType::IpAddress: {
        const u_char type = value.type == SnmpType::OctetString ? ASN_OCTET_STR
                            : value.type == SnmpType::Opaque    ? ASN_OPAQUE
                                                                : ASN_IPADDRESS;
        snmp_pdu_add_variable(pdu,
                              name,
                              length,
                              type,
                              value.octets.constData(),
                              static_cast<size_t>(value.octets.size()));
        break;
    }
    case SnmpType::ObjectId: {
        oid target[MAX_OID_LEN];
        size_t targetLength = 0;
        if (!parseOid(value.objectId, target, targetLength)) {
            target[0] = target[1] = 0;
            targetLength = 2;
        }
        snmp_pdu_add_variable(pdu, name, length, ASN_OBJECT_ID, target, targetLength * sizeof(oid));
        break;
    }
    default:
        snmp_add_null_var(pdu, name, length);
        break;
    }
    return true;
}

char *duplicate(const QByteArray &bytes)
{
    char *copy = static_cast<char *>(malloc(static_cast<size_t>(bytes.size()) + 1));
    memcpy(copy, bytes.constData(), static_cast<size_t>(bytes.size()));
    copy[bytes.size()] = '\0';
    return copy;
}

// A context engine ID typed as hexadecimal ("800007E5...", optionally with
// "0x") is sent as those octets; any other text as its characters.
QByteArray contextEngineIdOctets(const QString &text)
{
    QString hex = text.trimmed();
    if (hex.startsWith(u"0x", Qt::CaseInsensitive))
        hex = hex.mid(2);
    const bool isHex = hex.size() >= 10 && hex.size() <= 64 && hex.size() % 2 == 0
                       && std::all_of(hex.cbegin(), hex.cend(), [](QChar c) {
                              return std::isxdigit(c.unicode() < 0x80 ? c.unicode() : 0);
                          });
    return isHex ? QByteArray::fromHex(hex.toLatin1()) : text.toUtf8();
}

const oid *authProtocolOid(quint32 code)
{
    switch (code) {
    case SnmpCode::AuthMd5:
        return usmHMACMD5AuthProtocol;
    case SnmpCode::AuthSha:
        return usmHMACSHA1AuthProtocol;
    case SnmpCode::AuthSha224:
        return usmHMAC128SHA224AuthProtocol;
    case SnmpCode::AuthSha256:
        return usmHMAC192SHA256AuthProtocol;
    case SnmpCode::AuthSha384:
        return usmHMAC256SHA384AuthProtocol;
    case SnmpCode::AuthSha512:
        return usmHMAC384SHA512AuthProtocol;
    default:
        return usmNoAuthProtocol;
    }
}

// The privacy protocol's OID and length; null for an unsupported one (IDEA).
const oid *privProtocolOid(quint32 code, size_t &length)
{
    length = USM_PRIV_PROTO_DES_LEN;
    switch (code) {
    case SnmpCode::PrivNone:
        return usmNoPrivProtocol;
    case SnmpCode::PrivDes:
        return usmDESPrivProtocol;
    case SnmpCode::PrivAes128:
        return usmAESPrivProtocol;
    case SnmpCode::PrivAes192:
        length = OID_LENGTH(usmAES192PrivProtocol);
        return usmAES192PrivProtocol;
    case SnmpCode::PrivAes256:
        length = OID_LENGTH(usmAES256PrivProtocol);
        return usmAES256PrivProtocol;
    default:
        return nullptr;
    }
}

int commandOf(SnmpPduType type)
{
    switch (type) {
    case SnmpPduType::Get:
        return SNMP_MSG_GET;
    case SnmpPduType::GetNext:
        return SNMP_MSG_GETNEXT;
    case SnmpPduType::GetBulk:
        return SNMP_MSG_GETBULK;
    default:
        return SNMP_MSG_SET;
    }
}

// A GETBULK of a walk: every binding repeats, none is a non-repeater.
void setBulkRepetitions(netsnmp_pdu *pdu, int repetitions)
{
    pdu->non_repeaters = 0;
    pdu->max_repetitions = std::max(repetitions, 1);
}

using SteadyClock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

// Reads are retransmitted by the adapter, SETs by net-snmp at the
// configured time-out: a SET sent again early may be applied twice.
bool isRead(SnmpPduType type)
{
    return type != SnmpPduType::Set;
}

struct PduDeleter
{
    void operator()(netsnmp_pdu *pdu) const { snmp_free_pdu(pdu); }
};

int callback(int operation, netsnmp_session *session, int, netsnmp_pdu *pdu, void *magic)
{
    return SnmpAdapter::instance().onEvent(
        operation, session, pdu, static_cast<quint64>(reinterpret_cast<uintptr_t>(magic)));
}

// A read's own retransmission schedule: its first copy stays with
// net-snmp until the deadline, so a late answer to any copy counts.
struct Retransmission
{
    std::unique_ptr<netsnmp_pdu, PduDeleter> copy;
    SteadyClock::time_point sentAt;
    SteadyClock::time_point deadline;
    SteadyClock::time_point next;
    Milliseconds interval{0};
    Milliseconds timeout{0};
    bool resent = false;
};

} // namespace

struct SnmpAdapter::Private
{
    struct Session
    {
        void *handle = nullptr;
        QString peerAddress;
        quint16 peerPort = 0;
        bool usm = false;
        QByteArray userName;
        // Smoothed round trip of this agent and its variation; negative
        // before the first answer.
        double roundTripMs = -1;
        double roundTripVariationMs = 0;
        // SNMPv3 until the agent's engine is known: the probe discovering it
        // (0 when none runs) and the exchanges held until it ends.
        quint64 probeId = 0;
        std::vector<quint64> held;
    };

    struct Exchange
    {
        Session *session = nullptr;
        SnmpCompletion completion;
        bool synchronous = false;
        bool finished = false;
        bool probe = false;
        int timeout = 100;
        int retries = 1;
        int resends = 0;
        // Built and not yet handed to net-snmp.
        netsnmp_pdu *pdu = nullptr;
        bool read = false; // GET, GET-NEXT or GETBULK: retransmitted adaptively
        SnmpReply reply;
        std::optional<Retransmission> retransmission;
    };

    Session *sessionFor(const SnmpTarget &target, int &status);
    static QByteArray peerName(const QHostAddress &address, quint16 port);
    static QString keyOf(const SnmpTarget &target);
    static bool sameTarget(const SnmpTarget &a, const SnmpTarget &b);
    static int configureUsm(netsnmp_session &settings, const KxSNMPSecurity &security);
    void registerUser(Session &session);
    netsnmp_pdu *
    buildPdu(const SnmpTarget &target, SnmpPduType type, const SnmpBindings &bindings, int &status);
    quint64 dispatch(const SnmpTarget &target,
                     SnmpPduType type,
                     const SnmpBindings &bindings,
                     SnmpCompletion completion,
                     bool synchronous,
                     int &status);
    int transmit(quint64 id);
    static bool needsDiscovery(const Session &session);
    quint64 hold(quint64 id, Session &session, int &status);
    int probe(Session &session, int timeout, int retries);
    void endProbe(Session &session, int status);
    void endFinishedProbe(Session &session);
    void finish(quint64 id, Exchange &exchange, SnmpReply reply);
    void queue(quint64 id);
    void waitFor(quint64 id);
    void planRetransmission(Exchange &exchange, netsnmp_pdu *pdu);
    void retransmit(quint64 id, Exchange &exchange);
    void retransmitDue();
    void armRetransmissions();
    static void noteRoundTrip(Exchange &exchange);

    std::unordered_map<QString, std::unique_ptr<Session>> sessions;
    // Which session's keys the process-wide USM user table holds per user name.
    QHash<QByteArray, Session *> userOwner;
    std::unordered_map<quint64, Exchange> exchanges;
    std::deque<quint64> ready;
    quint64 lastId = 0;
    quint64 sendingId = 0;
    bool deliveryScheduled = false;
    bool closing = false;
    SnmpAdapter *owner = nullptr;
    QTimer retransmissionTimer;
    // The session of the last target, found again without building its key.
    SnmpTarget lastTarget;
    Session *lastSession = nullptr;
};

// net-snmp's name of the agent's transport: "udp:10.1.1.1:161" or
// "udp6:[2001:db8::1]:161".
QByteArray SnmpAdapter::Private::peerName(const QHostAddress &address, quint16 port)
{
    const QString text = address.protocol() == QAbstractSocket::IPv6Protocol
                             ? u"udp6:[%1]:%2"_s.arg(address.toString())
                             : u"udp:%1:%2"_s.arg(address.toString());
    return text.arg(port).toLatin1();
}

QString SnmpAdapter::Private::keyOf(const SnmpTarget &target)
{
    const KxSNMPSecurity &s = target.security;
    QString key = QStringLiteral("%1|%2|%3")
                      .arg(target.device.address)
                      .arg(target.device.port)
                      .arg(s.version);
    if (s.version == SnmpCode::Version3) {
        key += QStringLiteral("|%1|%2|%3|%4|%5|%6|%7")
                   .arg(s.securityModel)
                   .arg(s.securityLevel)
                   .arg(s.securityName)
                   .arg(s.authProtocol)
                   .arg(s.authPassword)
                   .arg(s.privProtocol)
                   .arg(s.privPassword);
    }
    return key;
}

// Whether both targets have the same session: same agent, version and,
// for SNMPv3, the same credentials.
bool SnmpAdapter::Private::sameTarget(const SnmpTarget &a, const SnmpTarget &b)
{
    const KxSNMPSecurity &x = a.security;
    const KxSNMPSecurity &y = b.security;
    if (a.device.port != b.device.port || x.version != y.version
        || a.device.address != b.device.address)
        return false;
    if (x.version != SnmpCode::Version3)
        return true;
    return x.securityModel == y.securityModel && x.securityLevel == y.securityLevel
           && x.authProtocol == y.authProtocol && x.privProtocol == y.privProtocol
           && x.securityName == y.securityName && x.authPassword == y.authPassword
           && x.privPassword == y.privPassword;
}

// Puts the user and its master keys into the settings of a new session.
int SnmpAdapter::Private::configureUsm(netsnmp_session &settings, const KxSNMPSecurity &security)
{
    const QByteArray name = security.securityName.toUtf8();
    settings.securityName = duplicate(name);
    settings.securityNameLen = static_cast<size_t>(name.size());
    settings.securityModel = security.securityModel;
    settings.securityLevel = security.securityLevel;
    if (security.authProtocol < SnmpCode::AuthNone || security.authProtocol > SnmpCode::AuthSha512)
        return Status::UnsupportedAuthProtocol;
    size_t privLength = 0;
    const oid *priv = privProtocolOid(security.privProtocol, privLength);
    if (!priv)
        return Status::UnsupportedPrivProtocol;

    const oid *auth = authProtocolOid(security.authProtocol);
    const size_t authLength = USM_AUTH_PROTO_MD5_LEN;
    settings.securityAuthProto = snmp_duplicate_objid(auth, authLength);
    settings.securityAuthProtoLen = authLength;
    settings.securityPrivProto = snmp_duplicate_objid(priv, privLength);
    settings.securityPrivProtoLen = privLength;
    if (security.securityLevel >= SnmpCode::AuthNoPriv) {
        const QByteArray pass = security.authPassword.toUtf8();
        settings.securityAuthKeyLen = USM_AUTH_KU_LEN;
        if (generate_Ku(auth,
                        static_cast<u_int>(authLength),
                        reinterpret_cast<const u_char *>(pass.constData()),
                        static_cast<size_t>(pass.size()),
                        settings.securityAuthKey,
                        &settings.securityAuthKeyLen)
            != SNMPERR_SUCCESS)
            return Status::AuthenticationError;
    }
    if (security.securityLevel >= SnmpCode::AuthPriv) {
        const QByteArray pass = security.privPassword.toUtf8();
        settings.securityPrivKeyLen = USM_PRIV_KU_LEN;
        if (generate_Ku(auth,
                        static_cast<u_int>(authLength),
                        reinterpret_cast<const u_char *>(pass.constData()),
                        static_cast<size_t>(pass.size()),
                        settings.securityPrivKey,
                        &settings.securityPrivKeyLen)
            != SNMPERR_SUCCESS)
            return Status::EncryptionError;
    }
    return 0;
}

// The target's session, opened on first use; null when it cannot be opened.
SnmpAdapter::Private::Session *SnmpAdapter::Private::sessionFor(const SnmpTarget &target,
                                                                int &status)
{
    if (lastSession && sameTarget(target, lastTarget))
        return lastSession;
    const QString key = keyOf(target);
    if (const auto found = sessions.find(key); found != sessions.end()) {
        lastTarget = target;
        lastSession = found->second.get();
        return lastSession;
    }

    const QHostAddress peer = ResolveHostAddress(target.device.address);
    if (peer.isNull())
        KxException::raise(KxError::InvalidAddress);

    const KxSNMPSecurity &security = target.security;
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.peername = duplicate(peerName(peer, target.device.port));
    const QByteArray community = security.readCommunity.toUtf8();
    settings.community = reinterpret_cast<u_char *>(duplicate(community));
    settings.community_len = static_cast<size_t>(community.size());
    settings.version = security.version == SnmpCode::Version3    ? SNMP_VERSION_3
                       : security.version == SnmpCode::Version2c ? SNMP_VERSION_2c
                                                                 : SNMP_VERSION_1;
    status = security.version == SnmpCode::Version3 ? configureUsm(settings, security) : 0;
    // The adapter discovers the engine itself, without blocking (probe()).
    settings.flags |= SNMP_FLAGS_DONT_PROBE;
    void *handle = status == 0 ? snmp_sess_open(&settings) : nullptr;
    if (status == 0 && !handle)
        status = statusOfLibraryError(settings.s_snmp_errno);
    if (handle)
        snmp_sess_session(handle)->flags |= SNMP_FLAGS_DONT_PROBE;
    free(settings.peername);
    free(settings.community);
    free(settings.securityName);
    free(settings.securityAuthProto);
    free(settings.securityPrivProto);
    if (!handle)
        return nullptr;

    auto session = std::make_unique<Session>();
    session->handle = handle;
    session->peerAddress = peer.toString();
    session->peerPort = target.device.port;
    session->usm = security.version == SnmpCode::Version3;
    session->userName = security.securityName.toUtf8();
    GlobalEventProcessor().addSession(handle);
    lastTarget = target;
    lastSession = sessions.emplace(key, std::move(session)).first->second.get();
    return lastSession;
}

// The USM user table is process-wide and keyed on engine ID and name: before
// a session uses its user, drop what another session registered under that
// name, or one session's passwords would be used for the other's messages.
void SnmpAdapter::Private::registerUser(Session &session)
{
    if (userOwner.value(session.userName) == &session)
        return;
    for (usmUser *user = usm_get_userList(); user;) {
        usmUser *next = user->next;
        if (user->name && session.userName == user->name) {
            usm_remove_user(user);
            usm_free_user(user);
        }
        user = next;
    }
    netsnmp_session *settings = snmp_sess_session(session.handle);
    settings->flags &= ~SNMP_FLAGS_USER_CREATED;
    usm_create_user_from_session(settings);
    userOwner.insert(session.userName, &session);
}

netsnmp_pdu *SnmpAdapter::Private::buildPdu(const SnmpTarget &target,
                                            SnmpPduType type,
                                            const SnmpBindings &bindings,
                                            int &status)
{
    netsnmp_pdu *pdu = snmp_pdu_create(commandOf(type));
    if (type == SnmpPduType::GetBulk)
        setBulkRepetitions(pdu, target.bulkRepetitions);
    for (const SnmpBinding &binding : bindings) {
        if (!addBinding(pdu, binding)) {
            snmp_free_pdu(pdu);
            status = Status::InvalidOid;
            return nullptr;
        }
    }
    const KxSNMPSecurity &security = target.security;
    if (security.version == SnmpCode::Version3) {
        pdu->securityLevel = security.securityLevel;
        const QByteArray contextName = target.scope.contextName.toUtf8();
        if (!contextName.isEmpty()) {
            pdu->contextName = duplicate(contextName);
            pdu->contextNameLen = static_cast<size_t>(contextName.size());
        }
        const QByteArray engineId = contextEngineIdOctets(target.scope.contextEngineId);
        if (!engineId.isEmpty()) {
            pdu->contextEngineID = reinterpret_cast<u_char *>(duplicate(engineId));
            pdu->contextEngineIDLen = static_cast<size_t>(engineId.size());
        }
    } else {
        const QByteArray community
            = (type == SnmpPduType::Set ? security.writeCommunity : security.readCommunity)
                  .toUtf8();
        pdu->community = reinterpret_cast<u_char *>(duplicate(community));
        pdu->community_len = static_cast<size_t>(community.size());
    }
    return pdu;
}

quint64 SnmpAdapter::Private::dispatch(const SnmpTarget &target,
                                       SnmpPduType type,
                                       const SnmpBindings &bindings,
                                       SnmpCompletion completion,
                                       bool synchronous,
                                       int &status)
{
    status = 0;
    if (!GlobalSessionExists())
        KxException::raise(KxError::CannotCreateSession);
    Session *session = sessionFor(target, status);
    if (!session)
        return 0;
    netsnmp_pdu *pdu = buildPdu(target, type, bindings, status);
    if (!pdu)
        return 0;

    const quint64 id = ++lastId;
    Exchange &exchange = exchanges[id];
    exchange.session = session;
    exchange.completion = std::move(completion);
    exchange.synchronous = synchronous;
    exchange.timeout = target.timeout;
    exchange.retries = target.retries;
    exchange.pdu = pdu;
    exchange.read = isRead(type);
    if (needsDiscovery(*session))
        return hold(id, *session, status);
    status = transmit(id);
    if (status != 0) {
        exchanges.erase(id);
        return 0;
    }
    return id;
}

// Hands the exchange's PDU to net-snmp: 0, or the status of a send that
// failed (the PDU is then freed and the exchange stays for the caller).
int SnmpAdapter::Private::transmit(quint64 id)
{
    Exchange &exchange = exchanges.at(id);
    Session &session = *exchange.session;
    netsnmp_pdu *pdu = std::exchange(exchange.pdu, nullptr);
    if (exchange.read && !exchange.probe)
        planRetransmission(exchange, pdu);
    netsnmp_session *settings = snmp_sess_session(session.handle);
    settings->timeout = static_cast<long>(exchange.timeout) * 10000;
    settings->retries = exchange.retries;
    if (session.usm && !exchange.probe)
        registerUser(session);

    sendingId = id;
    const int requestId = snmp_sess_async_send(
        session.handle, pdu, callback, reinterpret_cast<void *>(static_cast<uintptr_t>(id)));
    sendingId = 0;
    Exchange &sent = exchanges.at(id);
    if (requestId == 0) {
        snmp_free_pdu(pdu);
        return sent.finished ? sent.reply.status : statusOfLibraryError(settings->s_snmp_errno);
    }
    if (sent.finished && !sent.synchronous)
        queue(id);
    if (sent.retransmission)
        armRetransmissions();
    return 0;
}

bool SnmpAdapter::Private::needsDiscovery(const Session &session)
{
    return session.usm && snmp_sess_session(session.handle)->securityEngineIDLen == 0;
}

// Keeps the exchange until the agent's engine is known, starting the probe
// that discovers it unless one runs already.
quint64 SnmpAdapter::Private::hold(quint64 id, Session &session, int &status)
{
    const Exchange &exchange = exchanges.at(id);
    if (session.probeId == 0) {
        status = probe(session, exchange.timeout, exchange.retries);
        if (status != 0) {
            snmp_free_pdu(exchange.pdu);
            exchanges.erase(id);
            return 0;
        }
    }
    session.held.push_back(id);
    return id;
}

// Engine discovery as one more asynchronous exchange: an empty
// unauthenticated GET that the agent answers with a report carrying its
// engine ID, which net-snmp stores in the session.
int SnmpAdapter::Private::probe(Session &session, int timeout, int retries)
{
    netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_GET);
    pdu->version = SNMP_VERSION_3;
    pdu->securityName = duplicate({});
    pdu->securityNameLen = 0;
    pdu->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
    pdu->securityModel = SNMP_SEC_MODEL_USM;

    const quint64 id = ++lastId;
    Exchange &exchange = exchanges[id];
    exchange.session = &session;
    exchange.probe = true;
    exchange.timeout = timeout;
    exchange.retries = retries;
    exchange.pdu = pdu;
    exchange.completion = [this, &session](SnmpReply &reply) {
        endProbe(session, reply.status);
    };
    session.probeId = id;
    const int status = transmit(id);
    if (status != 0) {
        exchanges.erase(id);
        session.probeId = 0;
    }
    return status;
}

// Sends what waited for the probe, or fails it with the probe's status.
void SnmpAdapter::Private::endProbe(Session &session, int status)
{
    session.probeId = 0;
    const std::vector<quint64> held = std::exchange(session.held, {});
    for (const quint64 id : held) {
        const auto found = exchanges.find(id);
        if (found == exchanges.end())
            continue;
        int failure = status;
        if (failure == 0)
            failure = transmit(id);
        else
            snmp_free_pdu(std::exchange(found->second.pdu, nullptr));
        if (failure != 0)
            finish(id, exchanges.at(id), SnmpReply{failure, 0, {}, {}, 0});
    }
    GlobalEventProcessor().reschedule();
}

// For a synchronous wait: ends the session's probe once it has its answer,
// as the event loop would.
void SnmpAdapter::Private::endFinishedProbe(Session &session)
{
    const auto found = exchanges.find(session.probeId);
    if (session.probeId == 0 || found == exchanges.end() || !found->second.finished)
        return;
    const int status = found->second.reply.status;
    exchanges.erase(found);
    endProbe(session, status);
}

// net-snmp keeps the first copy for the whole time-out × (retries + 1),
// the point where the read fails; the adapter sends further copies, the
// first after a few round trips of this agent (never below 20 ms), then at
// doubling intervals up to the configured time-out.
void SnmpAdapter::Private::planRetransmission(Exchange &exchange, netsnmp_pdu *pdu)
{
    const Milliseconds timeout(static_cast<double>(exchange.timeout) * 10);
    const Milliseconds budget = timeout * (exchange.retries + 1);
    exchange.timeout *= exchange.retries + 1;
    exchange.retries = 0;

    const Session &session = *exchange.session;
    Milliseconds interval = timeout;
    if (session.roundTripMs >= 0) {
        const double few = std::max(3 * session.roundTripMs,
                                    session.roundTripMs + 4 * session.roundTripVariationMs);
        interval
            = std::clamp(Milliseconds(few), Milliseconds(20), std::max(timeout, Milliseconds(20)));
    }
    Retransmission &plan = exchange.retransmission.emplace();
    plan.copy.reset(snmp_clone_pdu(pdu));
    plan.sentAt = SteadyClock::now();
    plan.deadline = plan.sentAt + std::chrono::duration_cast<SteadyClock::duration>(budget);
    plan.interval = interval;
    plan.timeout = timeout;
    plan.next = plan.sentAt + std::chrono::duration_cast<SteadyClock::duration>(interval);
    if (!plan.copy || plan.next >= plan.deadline)
        exchange.retransmission.reset();
}

void SnmpAdapter::Private::retransmit(quint64 id, Exchange &exchange)
{
    Retransmission &plan = *exchange.retransmission;
    const SteadyClock::time_point now = SteadyClock::now();
    netsnmp_pdu *copy = snmp_clone_pdu(plan.copy.get());
    netsnmp_session *settings = snmp_sess_session(exchange.session->handle);
    settings->timeout = static_cast<long>(
        std::chrono::duration_cast<std::chrono::microseconds>(plan.deadline - now).count());
    settings->retries = 0;
    plan.resent = true;
    plan.interval = std::min(plan.interval * 2, plan.timeout);
    plan.next = now + std::chrono::duration_cast<SteadyClock::duration>(plan.interval);
    const bool last = plan.next >= plan.deadline;
    if (copy
        && snmp_sess_async_send(exchange.session->handle,
                                copy,
                                callback,
                                reinterpret_cast<void *>(static_cast<uintptr_t>(id)))
               == 0)
        snmp_free_pdu(copy);
    // The send may have answered at once; the exchange then has no plan left.
    if (last && exchanges.contains(id) && exchanges.at(id).retransmission)
        exchanges.at(id).retransmission.reset();
}

void SnmpAdapter::Private::retransmitDue()
{
    const SteadyClock::time_point now = SteadyClock::now();
    std::vector<quint64> due;
    for (const auto &[id, exchange] : exchanges) {
        if (exchange.retransmission && !exchange.finished && exchange.retransmission->next <= now)
            due.push_back(id);
    }
    for (const quint64 id : due) {
        const auto found = exchanges.find(id);
        if (found != exchanges.end() && found->second.retransmission && !found->second.finished)
            retransmit(id, found->second);
    }
    armRetransmissions();
    GlobalEventProcessor().reschedule();
}

void SnmpAdapter::Private::armRetransmissions()
{
    std::optional<SteadyClock::time_point> first;
    for (const auto &[id, exchange] : exchanges) {
        if (exchange.retransmission && !exchange.finished
            && (!first || exchange.retransmission->next < *first))
            first = exchange.retransmission->next;
    }
    if (!first) {
        retransmissionTimer.stop();
        return;
    }
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*first - SteadyClock::now());
    retransmissionTimer.start(static_cast<int>(std::max<qint64>(0, wait.count())));
}

// Only answers to a read that was sent once tell the round trip.
void SnmpAdapter::Private::noteRoundTrip(Exchange &exchange)
{
    if (!exchange.retransmission || exchange.retransmission->resent)
        return;
    const double sample
        = Milliseconds(SteadyClock::now() - exchange.retransmission->sentAt).count();
    Session &session = *exchange.session;
    if (session.roundTripMs < 0) {
        session.roundTripMs = sample;
        session.roundTripVariationMs = sample / 2;
        return;
    }
    session.roundTripVariationMs
        = 0.75 * session.roundTripVariationMs + 0.25 * std::fabs(session.roundTripMs - sample);
    session.roundTripMs = 0.875 * session.roundTripMs + 0.125 * sample;
}

void SnmpAdapter::Private::finish(quint64 id, Exchange &exchange, SnmpReply reply)
{
    exchange.finished = true;
    exchange.retransmission.reset();
    exchange.reply = std::move(reply);
    exchange.reply.agentAddress = exchange.session->peerAddress;
    exchange.reply.agentPort = exchange.session->peerPort;
    if (!exchange.synchronous && id != sendingId)
        queue(id);
}

// Completions run from the event loop, outside net-snmp's callbacks.
void SnmpAdapter::Private::queue(quint64 id)
{
    ready.push_back(id);
    if (!deliveryScheduled) {
        deliveryScheduled = true;
        QMetaObject::invokeMethod(owner, &SnmpAdapter::deliverReady, Qt::QueuedConnection);
    }
}

// Reads the session's socket and runs its time-outs until the exchange ends.
// If net-snmp drops the request without a word, the wait ends as a time-out.
// The wait goes in short slices, and between them the window paints and
// timers and sockets are served (user input waits until the exchange ends),
// so a switch that does not answer never freezes the window.
void SnmpAdapter::Private::waitFor(quint64 id)
{
    Session &session = *exchanges.at(id).session;
    void *handle = session.handle;
    const int socket = snmp_sess_transport(handle)->sock;
    while (!exchanges.at(id).finished) {
        endFinishedProbe(session);
        if (exchanges.at(id).finished)
            break;
        netsnmp_large_fd_set readable;
        netsnmp_large_fd_set_init(&readable, FD_SETSIZE);
        int fds = 0;
        int block = 1;
        timeval timeout{};
        snmp_sess_select_info2(handle, &fds, &readable, &timeout, &block);
        netsnmp_large_fd_set_cleanup(&readable);
        if (block) {
            finish(id, exchanges.at(id), SnmpReply{Status::Timeout, 0, {}, {}, 0});
            break;
        }
        pollfd watched{socket, POLLIN, 0};
        int waitMs = static_cast<int>(timeout.tv_sec * 1000 + (timeout.tv_usec + 999) / 1000);
        const std::optional<Retransmission> &plan = exchanges.at(id).retransmission;
        if (plan) {
            const auto untilResend
                = std::chrono::ceil<std::chrono::milliseconds>(plan->next - SteadyClock::now());
            waitMs = std::clamp(static_cast<int>(untilResend.count()), 0, waitMs);
        }
        const bool sliced = QCoreApplication::instance() && waitMs > PaintSliceMs;
        if (sliced)
            waitMs = PaintSliceMs;
        if (poll(&watched, 1, waitMs) > 0) {
            netsnmp_large_fd_set pending;
            netsnmp_large_fd_set_init(&pending, FD_SETSIZE);
            NETSNMP_LARGE_FD_SET(socket, &pending);
            snmp_sess_read2(handle, &pending);
            netsnmp_large_fd_set_cleanup(&pending);
        } else {
            Exchange &waiting = exchanges.at(id);
            if (waiting.retransmission && waiting.retransmission->next <= SteadyClock::now())
                retransmit(id, waiting);
            snmp_sess_timeout(handle);
            if (sliced)
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }
}

SnmpAdapter &SnmpAdapter::instance()
{
    static SnmpAdapter adapter;
    return adapter;
}

SnmpAdapter::SnmpAdapter()
    : d(std::make_unique<Private>())
{
    d->owner = this;
    d->retransmissionTimer.setSingleShot(true);
    connect(&d->retransmissionTimer, &QTimer::timeout, this, [this] { d->retransmitDue(); });
}

SnmpAdapter::~SnmpAdapter()
{
    d->closing = true;
    for (auto &[id, exchange] : d->exchanges)
        snmp_free_pdu(exchange.pdu);
    for (auto &[key, session] : d->sessions) {
        GlobalEventProcessor().removeSession(session->handle);
        snmp_sess_close(session->handle);
    }
}

SnmpReply
SnmpAdapter::exchange(const SnmpTarget &target, SnmpPduType type, const SnmpBindings &bindings)
{
    int status = 0;
    const quint64 id = start(target, type, bindings, status);
    return id == 0 ? SnmpReply{status, 0, {}, {}, 0} : reply(id);
}

quint64 SnmpAdapter::start(const SnmpTarget &target,
                           SnmpPduType type,
                           const SnmpBindings &bindings,
                           int &status)
{
    return d->dispatch(target, type, bindings, {}, true, status);
}

SnmpReply SnmpAdapter::reply(quint64 id)
{
    d->waitFor(id);
    SnmpReply reply = std::move(d->exchanges.at(id).reply);
    d->exchanges.erase(id);
    GlobalEventProcessor().reschedule();
    return reply;
}

quint64 SnmpAdapter::send(const SnmpTarget &target,
                          SnmpPduType type,
                          const SnmpBindings &bindings,
                          SnmpCompletion completion,
                          int &status)
{
    const quint64 id = d->dispatch(target, type, bindings, std::move(completion), false, status);
    GlobalEventProcessor().reschedule();
    return id;
}

quint64 SnmpAdapter::post(SnmpReply reply, SnmpCompletion completion)
{
    const quint64 id = ++d->lastId;
    Private::Exchange &exchange = d->exchanges[id];
    exchange.completion = std::move(completion);
    exchange.finished = true;
    exchange.reply = std::move(reply);
    d->queue(id);
    return id;
}

void SnmpAdapter::abandon(quint64 id)
{
    const auto found = d->exchanges.find(id);
    if (found == d->exchanges.end())
        return;
    if (found->second.finished && (found->second.synchronous || !found->second.completion)) {
        d->exchanges.erase(found);
        return;
    }
    // Dropped when it ends (or from the delivery queue it is in).
    found->second.completion = nullptr;
    found->second.synchronous = false;
}

int SnmpAdapter::outstanding() const
{
    return static_cast<int>(
        std::count_if(d->exchanges.cbegin(), d->exchanges.cend(), [](const auto &entry) {
            return entry.second.completion != nullptr || entry.second.synchronous;
        }));
}

int SnmpAdapter::sessionCount() const
{
    return static_cast<int>(d->sessions.size());
}

void SnmpAdapter::deliverReady()
{
    d->deliveryScheduled = false;
    while (!d->ready.empty()) {
        const quint64 id = d->ready.front();
        d->ready.pop_front();
        const auto found = d->exchanges.find(id);
        if (found == d->exchanges.end())
            continue;
        SnmpCompletion completion = std::move(found->second.completion);
        SnmpReply reply = std::move(found->second.reply);
        d->exchanges.erase(found);
        if (completion)
            completion(reply);
    }
}

int SnmpAdapter::onEvent(int operation, void *session, void *pduPointer, quint64 id)
{
    const auto found = d->exchanges.find(id);
    if (d->closing || found == d->exchanges.end() || found->second.finished)
        return 1;
    Private::Exchange &exchange = found->second;
    auto *pdu = static_cast<netsnmp_pdu *>(pduPointer);
    const auto *settings = static_cast<netsnmp_session *>(session);
    // A probe ends as soon as net-snmp has taken the engine ID from the report.
    if (exchange.probe && settings->securityEngineIDLen > 0
        && (operation == NETSNMP_CALLBACK_OP_SEC_ERROR
            || operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE)) {
        d->finish(id, exchange, SnmpReply{});
        return 1;
    }
    switch (operation) {
    case NETSNMP_CALLBACK_OP_RESEND:
        ++exchange.resends;
        return 1;
    case NETSNMP_CALLBACK_OP_TIMED_OUT:
        d->finish(id, exchange, SnmpReply{Status::Timeout, 0, {}, {}, 0});
        return 1;
    case NETSNMP_CALLBACK_OP_SEC_ERROR:
        // A report follows as a received message and says what went wrong.
        if (pdu && pdu->command == SNMP_MSG_REPORT)
            return 1;
        d->finish(
            id, exchange, SnmpReply{statusOfLibraryError(settings->s_snmp_errno), 0, {}, {}, 0});
        return 1;
    case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
        break;
    default:
        d->finish(
            id, exchange, SnmpReply{statusOfLibraryError(settings->s_snmp_errno), 0, {}, {}, 0});
        return 1;
    }

    if (!pdu) {
        d->finish(id, exchange, SnmpReply{Status::OperationFailed, 0, {}, {}, 0});
        return 1;
    }
    if (pdu->command == SNMP_MSG_REPORT) {
        const int report = snmpv3_get_report_type(pdu);
        // net-snmp answers a not-in-time-window report by sending again
        // while retransmissions are left.
        if (report == SNMPERR_NOT_IN_TIME_WINDOW && exchange.resends <= exchange.retries) {
            ++exchange.resends;
            return 1;
        }
        d->finish(id, exchange, SnmpReply{statusOfLibraryError(report), 0, {}, {}, 0});
        return 1;
    }
    SnmpReply reply;
    reply.status = static_cast<int>(pdu->errstat);
    reply.errorIndex = static_cast<int>(pdu->errindex);
    for (const netsnmp_variable_list *var = pdu->variables; var; var = var->next_variable)
        reply.bindings.push_back({oidText(var->name, var->name_length), valueOf(var)});
    Private::noteRoundTrip(exchange);
    d->finish(id, exchange, std::move(reply));
    return 1;
}
