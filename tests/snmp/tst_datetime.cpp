#include "snmp/datetime.h"

#include <QDateTime>
#include <QTest>

using namespace Qt::StringLiterals;

class TestDateTime : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textRoundTrip_data();
    void textRoundTrip();
    void unreadableTextGivesZeros();
    void octets();
    void shortOctetsAreNotReadPast();
    void defaultIsNowWithoutZone();
};

void TestDateTime::textRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<char>("direction");
    QTest::addColumn<int>("zoneHours");
    QTest::addColumn<int>("zoneMinutes");
    QTest::addColumn<QString>("printed");
    QTest::newRow("west") << u"2005-12-31,23:59:59.9,-5:30"_s << '-' << 5 << 30
                          << u"2005-12-31,23:59:59.9,-5:30"_s;
    QTest::newRow("east") << u"2006-3-7,14:5:9.0,+8:0"_s << '+' << 8 << 0
                          << u"2006-3-7,14:5:9.0,+8:0"_s;
    QTest::newRow("no zone") << u"2006-03-07,14:05:09.0"_s << '+' << 0 << 0
                             << u"2006-3-7,14:5:9.0"_s;
    QTest::newRow("zero zone not printed")
        << u"2006-3-7,14:5:9.0,+0:0"_s << '+' << 0 << 0 << u"2006-3-7,14:5:9.0"_s;
}

void TestDateTime::textRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(char, direction);
    QFETCH(int, zoneHours);
    QFETCH(int, zoneMinutes);
    QFETCH(QString, printed);
    const KxDateTime value(text);
    QCOMPARE(value.direction, direction);
    QCOMPARE(value.zoneHours, zoneHours);
    QCOMPARE(value.zoneMinutes, zoneMinutes);
    QCOMPARE(value.ToText(), printed);
}

void TestDateTime::unreadableTextGivesZeros()
{
    const KxDateTime value(u"yesterday"_s);
    QCOMPARE(value.year, 0);
    QCOMPARE(value.ToText(), u"0-0-0,0:0:0.0"_s);
}

void TestDateTime::octets()
{
    const QByteArray wire = QByteArray::fromHex("07D603070E0509002B0000");
    const KxDateTime value = KxDateTime::fromOctets(wire);
    QCOMPARE(value.year, 2006);
    QCOMPARE(value.ToText(), u"2006-3-7,14:5:9.0"_s);
    QCOMPARE(value.toOctets(), wire);
    QCOMPARE(KxDateTime(u"2005-12-31,23:59:59.9,-5:30"_s).toOctets(),
             QByteArray::fromHex("07D50C1F173B3B092D051E"));
}

void TestDateTime::shortOctetsAreNotReadPast()
{
    QCOMPARE(KxDateTime::fromOctets(QByteArray::fromHex("07D60307")).ToText(),
             u"2006-3-7,0:0:0.0"_s);
    QCOMPARE(KxDateTime::fromOctets({}).ToText(), u"0-0-0,0:0:0.0"_s);
}

void TestDateTime::defaultIsNowWithoutZone()
{
    const QDateTime before = QDateTime::currentDateTime();
    const KxDateTime now;
    QVERIFY(now.year >= before.date().year());
    QCOMPARE(now.deciSeconds, 0);
    QCOMPARE(now.direction, '+');
    QCOMPARE(now.zoneHours, 0);
    QVERIFY(!now.ToText().contains(u",+"_s));
}

QTEST_APPLESS_MAIN(TestDateTime)
#include "tst_datetime.moc"
