#include "snmp/hostaddress.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestHostAddress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numericAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address"); // empty: no numeric address
        QTest::newRow("IPv4") << u"10.90.90.90"_s << u"10.90.90.90"_s;
        QTest::newRow("IPv4 with blanks") << u" 10.1.1.1 "_s << u"10.1.1.1"_s;
        QTest::newRow("IPv6 loopback") << u"::1"_s << u"::1"_s;
        QTest::newRow("IPv6 in brackets") << u"[2001:db8::1]"_s << u"2001:db8::1"_s;
        QTest::newRow("IPv6 written out") << u"2001:0db8:0:0:0:0:0:1"_s << u"2001:db8::1"_s;
        QTest::newRow("IPv4-mapped IPv6") << u"::ffff:10.1.1.1"_s << u"::ffff:10.1.1.1"_s;
        QTest::newRow("host name") << u"core-7.example"_s << QString();
        QTest::newRow("bracket not closed") << u"[::1"_s << QString();
        QTest::newRow("two ::") << u"1:::2:::3"_s << QString();
        QTest::newRow("IPv4 in brackets") << u"[10.1.1.1]"_s << QString();
        QTest::newRow("with a port") << u"[::1]:161"_s << QString();
        QTest::newRow("nested brackets") << u"[[::1]]"_s << QString();
        QTest::newRow("empty brackets") << u"[]"_s << QString();
        QTest::newRow("IPv4 octet too large") << u"10.1.1.300"_s << QString();
    }

    void numericAddress()
    {
        QFETCH(QString, text);
        QFETCH(QString, address);
        const QHostAddress numeric = NumericHostAddress(text);
        QCOMPARE(numeric.isNull() ? QString() : numeric.toString(), address);
    }

    void preferredAddress_data()
    {
        QTest::addColumn<QList<QHostAddress>>("addresses");
        QTest::addColumn<QString>("preferred");
        const QHostAddress v4(u"192.0.2.7"_s);
        const QHostAddress v6(u"2001:db8::7"_s);
        QTest::newRow("IPv4 first") << QList{v4, v6} << u"192.0.2.7"_s;
        QTest::newRow("IPv4 after IPv6") << QList{v6, v4} << u"192.0.2.7"_s;
        QTest::newRow("IPv6 only") << QList{v6, QHostAddress(u"2001:db8::8"_s)} << u"2001:db8::7"_s;
        QTest::newRow("none") << QList<QHostAddress>{} << QString();
    }

    void preferredAddress()
    {
        QFETCH(QList<QHostAddress>, addresses);
        QFETCH(QString, preferred);
        const QHostAddress chosen = PreferredAddress(addresses);
        QCOMPARE(chosen.isNull() ? QString() : chosen.toString(), preferred);
    }

    void resolvedAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("resolved");
        QTest::newRow("IPv6 without the resolver") << u"[::1]"_s << true;
        QTest::newRow("no name, no address") << u"10.1.1.1/24"_s << false;
        QTest::newRow("bad IPv6 is no name") << u"1:::2"_s << false;
    }

    void resolvedAddress()
    {
        QFETCH(QString, text);
        QFETCH(bool, resolved);
        QCOMPARE(!ResolveHostAddress(text).isNull(), resolved);
    }
};

QTEST_GUILESS_MAIN(TestHostAddress)
#include "tst_hostaddress.moc"
