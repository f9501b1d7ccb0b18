// KeyChange values checked against the key localization vectors of RFC 3414
// appendix A.3 (password "maplesyrup", engine ID 00...02).
#include "snmp/records.h"
#include "snmp/usmkeys.h"

#include <QCryptographicHash>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Engine = QByteArray::fromHex("000000000000000000000002");
const QString Password = u"maplesyrup"_s;
const QByteArray Md5Key = QByteArray::fromHex("526f5eed9fcce26f8964c2930787d82b");
const QByteArray ShaKey = QByteArray::fromHex("6695febc9288e36282235fc7151f128497b38f3f");

const QString Md5 = u"1.3.6.1.6.3.10.1.1.2"_s;
const QString Sha = u"1.3.6.1.6.3.10.1.1.3"_s;
const QString Sha256 = u"1.3.6.1.6.3.10.1.1.5"_s;
const QString Des = u"1.3.6.1.6.3.10.1.2.2"_s;
const QString Aes = u"1.3.6.1.6.3.10.1.2.4"_s;
const QString Aes256 = u"1.3.6.1.4.1.14832.1.4"_s;

// The new key a KeyChange value carries, decoded as RFC 3414 section 5 says.
QByteArray
decoded(const QByteArray &change, const QByteArray &oldKey, QCryptographicHash::Algorithm hash)
{
    const qsizetype length = change.size() / 2;
    const QByteArray digest = QCryptographicHash::hash(oldKey + change.left(length), hash);
    QByteArray key = change.mid(length);
    for (qsizetype i = 0; i < length; ++i)
        key[i] = static_cast<char>(key[i] ^ digest[i]);
    return key;
}

} // namespace

class TestUsmKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyChangeCarriesTheLocalizedKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("auth");
        QTest::addColumn<QString>("priv");
        QTest::addColumn<int>("hash");
        QTest::addColumn<QByteArray>("localized");
        const int authKey = int(KxUsmKey::Auth);
        const int privKey = int(KxUsmKey::Priv);
        QTest::newRow("MD5 authentication")
            << authKey << Md5 << QString() << int(QCryptographicHash::Md5) << Md5Key;
        QTest::newRow("SHA authentication")
            << authKey << Sha << QString() << int(QCryptographicHash::Sha1) << ShaKey;
        QTest::newRow("DES with MD5: key and pre-IV")
            << privKey << Md5 << Des << int(QCryptographicHash::Md5) << Md5Key;
        QTest::newRow("AES-128 with SHA: the first 16 octets")
            << privKey << Sha << Aes << int(QCryptographicHash::Sha1) << ShaKey.left(16);
    }

    void keyChangeCarriesTheLocalizedKey()
    {
        QFETCH(int, key);
        QFETCH(QString, auth);
        QFETCH(QString, priv);
        QFETCH(int, hash);
        QFETCH(QByteArray, localized);
        const QByteArray change
            = UsmKeyChange(KxUsmKey(key), auth, priv, Engine, u"old password"_s, Password);
        QCOMPARE(change.size(), 2 * localized.size());
        // Made from the old password's key, which here is the vector's own.
        const QByteArray same = UsmKeyChange(KxUsmKey(key), auth, priv, Engine, Password, Password);
        QCOMPARE(decoded(same, localized, QCryptographicHash::Algorithm(hash)), localized);
        // A fresh random half every time.
        QVERIFY(UsmKeyChange(KxUsmKey(key), auth, priv, Engine, Password, Password) != same);
    }

    void keyChangeRefusesWhatItCannotCarry_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("auth");
        QTest::addColumn<QString>("priv");
        QTest::addColumn<int>("length");
        QTest::newRow("AES-256 with SHA-256 fits the hash")
            << int(KxUsmKey::Priv) << Sha256 << Aes256 << 64;
        QTest::newRow("AES-256 key longer than SHA's hash")
            << int(KxUsmKey::Priv) << Sha << Aes256 << 0;
        QTest::newRow("unknown authentication")
            << int(KxUsmKey::Auth) << u"1.3.6.1.9"_s << QString() << 0;
        QTest::newRow("no authentication")
            << int(KxUsmKey::Auth) << u"1.3.6.1.6.3.10.1.1.1"_s << QString() << 0;
        QTest::newRow("unknown privacy") << int(KxUsmKey::Priv) << Sha << u"1.2.3"_s << 0;
        QTest::newRow("not an OID") << int(KxUsmKey::Auth) << u"SHA"_s << QString() << 0;
    }

    void keyChangeRefusesWhatItCannotCarry()
    {
        QFETCH(int, key);
        QFETCH(QString, auth);
        QFETCH(QString, priv);
        QFETCH(int, length);
        QCOMPARE(UsmKeyChange(KxUsmKey(key), auth, priv, Engine, Password, u"another one"_s).size(),
                 length);
        QVERIFY(
            UsmKeyChange(KxUsmKey(key), auth, priv, QByteArray(), Password, Password).isEmpty());
    }

    void protocolCodesOfTheUserTable_data()
    {
        QTest::addColumn<QString>("oid");
        QTest::addColumn<quint32>("auth");
        QTest::addColumn<quint32>("priv");
        QTest::newRow("SHA-512") << u"1.3.6.1.6.3.10.1.1.7"_s << quint32(SnmpCode::AuthSha512)
                                 << 0u;
        QTest::newRow("leading dot")
            << u".1.3.6.1.6.3.10.1.1.2"_s << quint32(SnmpCode::AuthMd5) << 0u;
        QTest::newRow("AES-192") << u"1.3.6.1.4.1.14832.1.3"_s << 0u
                                 << quint32(SnmpCode::PrivAes192);
        QTest::newRow("no privacy")
            << u"1.3.6.1.6.3.10.1.2.1"_s << 0u << quint32(SnmpCode::PrivNone);
        QTest::newRow("3DES is not offered") << u"1.3.6.1.6.3.10.1.2.3"_s << 0u << 0u;
    }

    void protocolCodesOfTheUserTable()
    {
        QFETCH(QString, oid);
        QFETCH(quint32, auth);
        QFETCH(quint32, priv);
        QCOMPARE(UsmAuthProtocolCode(oid), auth);
        QCOMPARE(UsmPrivProtocolCode(oid), priv);
    }
};

QTEST_GUILESS_MAIN(TestUsmKeys)
#include "tst_usmkeys.moc"
