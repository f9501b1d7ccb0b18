#include "binding/partconvert.h"
#include "snmp/kxexception.h"
#include "snmp/varlist.h"

#include "moduletest.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestPartConvert : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<int>("syntax");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("uint16") << int(KxSyntax::UInt16) << u"300"_s << QByteArray("\x01\x2C", 2);
        QTest::newRow("int16 unsigned text")
            << int(KxSyntax::Int16) << u"65535"_s << QByteArray("\xFF\xFF", 2);
        QTest::newRow("integer") << int(KxSyntax::Integer) << u"300"_s
                                 << QByteArray("\x2C\x01\x00\x00", 4);
        QTest::newRow("negative integer")
            << int(KxSyntax::Integer) << u"-1"_s << QByteArray("\xFF\xFF\xFF\xFF", 4);
        QTest::newRow("gauge") << int(KxSyntax::Gauge) << u"4294967295"_s
                               << QByteArray("\xFF\xFF\xFF\xFF", 4);
        QTest::newRow("counter64") << int(KxSyntax::Counter64) << u"4294967296"_s
                                   << QByteArray("\x00\x00\x00\x00\x01\x00\x00\x00", 8);
        QTest::newRow("boolean") << int(KxSyntax::Boolean) << u"true"_s
                                 << QByteArray("\x01\x00\x00\x00", 4);
        QTest::newRow("bool8 false") << int(KxSyntax::Bool8) << u"false"_s << QByteArray(1, 0);
        QTest::newRow("bool16") << int(KxSyntax::Bool16) << u"true"_s << QByteArray("\x00\x01", 2);
        QTest::newRow("int8") << int(KxSyntax::Int8) << u"-2"_s << QByteArray("\xFE", 1);
        QTest::newRow("uint8") << int(KxSyntax::UInt8) << u"254"_s << QByteArray("\xFE", 1);
        QTest::newRow("ip") << int(KxSyntax::IpAddress) << u"10.90.90.90"_s
                            << QByteArray("\x0A\x5A\x5A\x5A", 4);
        QTest::newRow("mac") << int(KxSyntax::MacAddress) << u"0001A2B3C4D5"_s
                             << QByteArray("\x00\x01\xA2\xB3\xC4\xD5", 6);
        QTest::newRow("octets") << int(KxSyntax::OctetStr) << u"00A1FF"_s
                                << QByteArray("\x00\xA1\xFF", 3);
        QTest::newRow("display") << int(KxSyntax::DisplayStr) << u"ab"_s << QByteArray("ab");
        QTest::newRow("objectid") << int(KxSyntax::ObjectId) << u"1.3"_s
                                  << QByteArray("\x01\x00\x00\x00\x03\x00\x00\x00", 8);
        QTest::newRow("timeticks")
            << int(KxSyntax::TimeTicks) << u"0:01:00.00"_s << QByteArray("\x70\x17\x00\x00", 4);
    }

    void roundTrip()
    {
        QFETCH(int, syntax);
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(PartTextToBytes(text, syntax), bytes);
        QCOMPARE(BytesToPartText(bytes, syntax), text);
    }

    void nullTextIsEmptyForEverySyntax()
    {
        for (int syntax : {1,  2,  3,  4,  5,  6,  64,  65,  66,  67,  68,  69, 70,
                           71, 72, 73, 74, 75, 76, 193, 194, 195, 196, 197, 198})
            QVERIFY2(PartTextToBytes(u"(NULL)"_s, syntax).isEmpty(),
                     qPrintable(QString::number(syntax)));
    }

    void emptyValues()
    {
        QCOMPARE(ExtractPart({}, 4, KxSyntax::UInt8), QByteArray());
        QCOMPARE(BytesToPartText({}, KxSyntax::UInt8), u"(NULL)"_s);
        QCOMPARE(BytesToPartText({}, KxSyntax::DisplayStr), QString());
    }

    void extractPart()
    {
        const QByteArray value("\x01\x02\x03\x04\x05\x06", 6);
        QCOMPARE(ExtractPart(value, 4, KxSyntax::UInt8), QByteArray("\x05", 1));
        QCOMPARE(ExtractPart(value, 4, KxSyntax::UInt16), QByteArray("\x05\x06", 2));
        QCOMPARE(ExtractPart(value, 2, KxSyntax::OctetStr), QByteArray("\x03\x04\x05\x06", 4));
    }

    void errors()
    {
        const QByteArray threeBytes("\x01\x02\x03", 3);
        QCOMPARE(RaisedCode([&] { ExtractPart(threeBytes, 4, KxSyntax::UInt8); }), -519);
        QCOMPARE(RaisedCode([&] { ExtractPart(threeBytes, 2, KxSyntax::UInt16); }), -519);
        QCOMPARE(RaisedCode([&] { BytesToPartText(threeBytes, KxSyntax::Integer); }), -518);
        QCOMPARE(RaisedCode([] { PartTextToBytes(u"1"_s, 99); }), -511);
        QCOMPARE(RaisedCode([] { BytesToPartText(QByteArray(1, 1), 99); }), -511);
        QCOMPARE(RaisedCode([] { ExtractPart(QByteArray(1, 1), 0, 99); }), -511);
    }
};

QTEST_GUILESS_MAIN(TestPartConvert)
#include "tst_partconvert.moc"
