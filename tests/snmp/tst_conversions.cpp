#include "snmp/conversions.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace KxConvert;

class TestConversions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hexOctets_data();
    void hexOctets();
    void timeTicksText_data();
    void timeTicksText();
    void parseTimeTicks_data();
    void parseTimeTicks();
    void lenientInteger_data();
    void lenientInteger();
    void doubles();
    void bcDateTime_data();
    void bcDateTime();
    void displayText();
    void ipAddresses();
};

void TestConversions::hexOctets_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("octets");
    QTest::newRow("port list") << u"FF0080"_s << QByteArray::fromHex("ff0080");
    QTest::newRow("blanks and case") << u"ff 00 80"_s << QByteArray::fromHex("ff0080");
    QTest::newRow("odd count") << u"F0080"_s << QByteArray::fromHex("0f0080");
    QTest::newRow("single digit") << u"a"_s << QByteArray::fromHex("0a");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestConversions::hexOctets()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, octets);
    QCOMPARE(HexOctets(text), octets);
    QCOMPARE(HexText(octets), QString::fromLatin1(octets.toHex().toUpper()));
}

void TestConversions::timeTicksText_data()
{
    QTest::addColumn<quint32>("ticks");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0u << u"0:00:00.00"_s;
    QTest::newRow("one hour") << 360000u << u"1:00:00.00"_s;
    QTest::newRow("under a day") << 8639999u << u"23:59:59.99"_s;
    QTest::newRow("one day") << 8640000u << u"1 day 0:00:00.00"_s;
    QTest::newRow("two days") << 17280050u << u"2 days, 0:00:00.50"_s;
    QTest::newRow("largest") << 4294967295u << u"497 days, 2:27:52.95"_s;
}

void TestConversions::timeTicksText()
{
    QFETCH(quint32, ticks);
    QFETCH(QString, text);
    QCOMPARE(TimeTicksText(ticks), text);
    QCOMPARE(ParseTimeTicks(text), ticks);
}

void TestConversions::parseTimeTicks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("ticks");
    QTest::newRow("plain number is not timeticks") << u"100"_s << 0u;
    QTest::newRow("seconds only") << u"5.30"_s << 530u;
    QTest::newRow("minutes and seconds") << u"2:03.04"_s << 2u * 360000 + 300 + 4;
    QTest::newRow("days without clock") << u"3 days"_s << 3u * 8640000;
    QTest::newRow("garbage") << u"soon"_s << 0u;
}

void TestConversions::parseTimeTicks()
{
    QFETCH(QString, text);
    QFETCH(quint32, ticks);
    QCOMPARE(ParseTimeTicks(text), ticks);
}

void TestConversions::lenientInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::newRow("negative") << u"-1"_s << qint64(-1);
    QTest::newRow("leading blanks and plus") << u"  +42"_s << qint64(42);
    QTest::newRow("stops at other character") << u"12ab"_s << qint64(12);
    QTest::newRow("no digits") << u"abc"_s << qint64(0);
    QTest::newRow("empty") << QString() << qint64(0);
    QTest::newRow("large unsigned") << u"4294967295"_s << qint64(4294967295);
}

void TestConversions::lenientInteger()
{
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QCOMPARE(LenientInteger(text), value);
}

void TestConversions::doubles()
{
    QCOMPARE(DoubleToOctets(1.0), QByteArray::fromHex("000000000000f03f"));
    QCOMPARE(OctetsToDouble(QByteArray::fromHex("000000000000f03f")), 1.0);
    QCOMPARE(OctetsToDouble(QByteArray::fromHex("000000000000f03fffff")), 1.0);
    QCOMPARE(OctetsToDouble(QByteArray::fromHex("0000")), 0.0);
    quint32 low = 0, high = 0;
    DoubleToHalves(-2.5, low, high);
    QCOMPARE(DoubleFromHalves(low, high), -2.5);
    QCOMPARE(DoubleText(0.1 + 0.2), u"0.3"_s);
    QCOMPARE(DoubleText(1234.5), u"1234.5"_s);
}

void TestConversions::bcDateTime_data()
{
    QTest::addColumn<double>("days");
    QTest::addColumn<QString>("text");
    QTest::newRow("epoch") << 0.0 << u"1899/12/30 12:00:00 am"_s;
    QTest::newRow("afternoon") << 38783.5 + 3600.0 / 86400 << u"2006/03/07 01:00:00 pm"_s;
    QTest::newRow("morning") << 38783.25 << u"2006/03/07 06:00:00 am"_s;
    QTest::newRow("noon") << 38783.5 << u"2006/03/07 12:00:00 pm"_s;
}

void TestConversions::bcDateTime()
{
    QFETCH(double, days);
    QFETCH(QString, text);
    QCOMPARE(BcDateTimeText(days), text);
    QCOMPARE(ParseBcDateTime(text), days);
    QCOMPARE(ParseBcDateTime(u"2006/03/07 13:00"_s), 38783.5 + 3600.0 / 86400);
    QCOMPARE(ParseBcDateTime(u"nonsense"_s), 0.0);
}

void TestConversions::displayText()
{
    QCOMPARE(DisplayText(QByteArray("ab\0cd", 5)), u"ab"_s);
    QCOMPARE(DisplayText({}), QString());
    QCOMPARE(DisplayOctets(u"ab"_s), QByteArray("ab"));
    QCOMPARE(DisplayText(DisplayOctets(u"caf\u00e9"_s)), u"caf\u00e9"_s);
}

void TestConversions::ipAddresses()
{
    QCOMPARE(IpText(QByteArray::fromHex("0a5a5a5a")), u"10.90.90.90"_s);
    QCOMPARE(IpOctets(u"10.90.90.90"_s), QByteArray::fromHex("0a5a5a5a"));
    QCOMPARE(IpOctets(u"not an address"_s), QByteArray::fromHex("00000000"));
}

QTEST_APPLESS_MAIN(TestConversions)
#include "tst_conversions.moc"
