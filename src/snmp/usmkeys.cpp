#include "snmp/usmkeys.h"

#include "snmp/records.h"

#include <net-snmp/net-snmp-config.h>

#include <net-snmp/net-snmp-includes.h>

#include <net-snmp/library/keytools.h>
#include <net-snmp/library/scapi.h>

#include <QStringList>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct ProtocolCode
{
    const char *oid;
    quint32 code;
};

const ProtocolCode authCodes[] = {
    {"1.3.6.1.6.3.10.1.1.1", SnmpCode::AuthNone},
    {"1.3.6.1.6.3.10.1.1.2", SnmpCode::AuthMd5},
    {"1.3.6.1.6.3.10.1.1.3", SnmpCode::AuthSha},
    {"1.3.6.1.6.3.10.1.1.4", SnmpCode::AuthSha224},
    {"1.3.6.1.6.3.10.1.1.5", SnmpCode::AuthSha256},
    {"1.3.6.1.6.3.10.1.1.6", SnmpCode::AuthSha384},
    {"1.3.6.1.6.3.10.1.1.7", SnmpCode::AuthSha512},
};

const ProtocolCode privCodes[] = {
    {"1.3.6.1.6.3.10.1.2.1", SnmpCode::PrivNone},
    {"1.3.6.1.6.3.10.1.2.2", SnmpCode::PrivDes},
    {"1.3.6.1.6.3.10.1.2.4", SnmpCode::PrivAes128},
    {"1.3.6.1.4.1.14832.1.3", SnmpCode::PrivAes192},
    {"1.3.6.1.4.1.14832.1.4", SnmpCode::PrivAes256},
};

QString withoutLeadingDot(const QString &protocol)
{
    return protocol.startsWith(u'.') ? protocol.mid(1) : protocol;
}

template<size_t N>
quint32 codeOf(const ProtocolCode (&codes)[N], const QString &protocol)
{
    const QString dotted = withoutLeadingDot(protocol.trimmed());
    for (const ProtocolCode &entry : codes) {
        if (dotted == QLatin1String(entry.oid))
            return entry.code;
    }
    return 0;
}

// Dotted text as sub-identifiers; empty when it is not an OID.
std::vector<oid> subIdentifiers(const QString &protocol)
{
    std::vector<oid> ids;
    for (const QString &part : withoutLeadingDot(protocol.trimmed()).split(u'.')) {
        bool number = false;
        const qulonglong id = part.toULongLong(&number);
        if (!number)
            return {};
        ids.push_back(static_cast<oid>(id));
    }
    return ids;
}

// The key of a password localized to the engine (RFC 3414 §2.6), made as
// long as the privacy protocol needs when it is one of the long AES keys.
QByteArray localizedKey(std::vector<oid> &hash,
                        const QByteArray &engineId,
                        const QString &password,
                        const netsnmp_priv_alg_info *priv)
{
    const QByteArray pass = password.toUtf8();
    u_char ku[USM_AUTH_KU_LEN];
    size_t kuLength = sizeof(ku);
    if (generate_Ku(hash.data(),
                    static_cast<u_int>(hash.size()),
                    reinterpret_cast<const u_char *>(pass.constData()),
                    static_cast<size_t>(pass.size()),
                    ku,
                    &kuLength)
        != SNMPERR_SUCCESS)
        return {};
    u_char kul[SNMP_MAXBUF_SMALL];
    size_t kulLength = sizeof(kul);
    auto *engine = reinterpret_cast<const u_char *>(engineId.constData());
    if (generate_kul(hash.data(),
                     static_cast<u_int>(hash.size()),
                     engine,
                     static_cast<size_t>(engineId.size()),
                     ku,
                     kuLength,
                     kul,
                     &kulLength)
        != SNMPERR_SUCCESS)
        return {};
    if (!priv)
        return QByteArray(reinterpret_cast<const char *>(kul), static_cast<qsizetype>(kulLength));
    // DES keeps its pre-IV in the second half of its 16 bytes.
    const size_t needed = static_cast<size_t>(priv->proper_length)
                          * (priv->type == USM_CREATE_USER_PRIV_DES ? 2 : 1);
    u_char *extended = kul;
    if (kulLength < needed
        && netsnmp_extend_kul(static_cast<u_int>(needed),
                              hash.data(),
                              static_cast<u_int>(hash.size()),
                              priv->type,
                              const_cast<u_char *>(engine),
                              static_cast<u_int>(engineId.size()),
                              &extended,
                              &kulLength,
                              sizeof(kul))
               != SNMPERR_SUCCESS)
        return {};
    if (kulLength < needed)
        return {};
    return QByteArray(reinterpret_cast<const char *>(extended), static_cast<qsizetype>(needed));
}

} // namespace

quint32 UsmAuthProtocolCode(const QString &protocol)
{
    return codeOf(authCodes, protocol);
}

quint32 UsmPrivProtocolCode(const QString &protocol)
{
    return codeOf(privCodes, protocol);
}

QByteArray UsmKeyChange(KxUsmKey key,
                        const QString &authProtocol,
                        const QString &privProtocol,
                        const QByteArray &engineId,
                        const QString &oldPassword,
                        const QString &newPassword)
{
    std::vector<oid> hash = subIdentifiers(authProtocol);
    const int hashLength
        = hash.empty() ? -1 : sc_get_properlength(hash.data(), static_cast<u_int>(hash.size()));
    if (hashLength <= 0 || engineId.isEmpty())
        return {};
    const netsnmp_priv_alg_info *priv = nullptr;
    if (key == KxUsmKey::Priv) {
        std::vector<oid> cipher = subIdentifiers(privProtocol);
        priv = cipher.empty()
                   ? nullptr
                   : sc_get_priv_alg_byoid(cipher.data(), static_cast<u_int>(cipher.size()));
        if (!priv || priv->proper_length <= 0)
            return {};
    }
    QByteArray oldKey = localizedKey(hash, engineId, oldPassword, priv);
    QByteArray newKey = localizedKey(hash, engineId, newPassword, priv);
    if (oldKey.isEmpty() || oldKey.size() != newKey.size() || oldKey.size() > hashLength)
        return {};
    QByteArray change(2 * oldKey.size(), '\0');
    size_t changeLength = static_cast<size_t>(change.size());
    if (encode_keychange(hash.data(),
                         static_cast<u_int>(hash.size()),
                         reinterpret_cast<u_char *>(oldKey.data()),
                         static_cast<size_t>(oldKey.size()),
                         reinterpret_cast<u_char *>(newKey.data()),
                         static_cast<size_t>(newKey.size()),
                         reinterpret_cast<u_char *>(change.data()),
                         &changeLength)
            != SNMPERR_SUCCESS
        || changeLength != static_cast<size_t>(change.size()))
        return {};
    return change;
}
