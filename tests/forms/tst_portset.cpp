#include "forms/portset.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestPortSet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conversions_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("selection");
        QTest::newRow("ports 1-12")
            << u"FFF000"_s << u"1,2,3,4,5,6,7,8,9,10,11,12"_s << u"1,2,3,4,5,6,7,8,9,10,11,12,"_s;
        QTest::newRow("none") << u"000000"_s << u"0"_s << QString();
        QTest::newRow("first and last") << u"800001"_s << u"1,24"_s << u"1,24,"_s;
        QTest::newRow("all")
            << u"FFFFFF"_s
            << u"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,"
               u"20,21,22,23,24"_s
            << u"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,"_s;
    }

    void conversions()
    {
        QFETCH(QString, hex);
        QFETCH(QString, display);
        QFETCH(QString, selection);
        const PortSet ports = PortSet::fromHex(hex);
        QCOMPARE(ports.toDisplayList(), display);
        QCOMPARE(ports.toSelectionText(), selection);
        QCOMPARE(PortSet::fromText(display), ports);
        QCOMPARE(PortSet::fromText(selection), ports);
        QCOMPARE(PortSet::fromBits(ports.toBits()), ports);
        QCOMPARE(ports.toBits().size(), PortSet::PortCount);
        QCOMPARE(ports.toHex(), hex);
    }

    void hexIsReadLeniently_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("display");
        QTest::newRow("lower case and blanks") << u"c0 00 01"_s << u"1,2,24"_s;
        QTest::newRow("short list: the rest are not held") << u"C0"_s << u"1,2"_s;
        QTest::newRow("ports past 24 dropped") << u"800001FF"_s << u"1,24"_s;
        QTest::newRow("empty") << QString() << u"0"_s;
    }

    void hexIsReadLeniently()
    {
        QFETCH(QString, hex);
        QFETCH(QString, display);
        QCOMPARE(PortSet::fromHex(hex).toDisplayList(), display);
    }

    void textOutsideThePortsIsSkipped()
    {
        QCOMPARE(PortSet::fromText(u"0,25,100,x,003,3,-1"_s).toDisplayList(), u"3"_s);
    }

    void setAlgebraAndBounds()
    {
        const PortSet a = PortSet::fromText(u"1,2,3"_s);
        const PortSet b = PortSet::fromText(u"3,4"_s);
        QCOMPARE((a | b).toDisplayList(), u"1,2,3,4"_s);
        QCOMPARE((a & b).toDisplayList(), u"3"_s);
        QCOMPARE((a - b).toDisplayList(), u"1,2"_s);
        QCOMPARE((PortSet::all() - a).toSelectionText().left(4), u"4,5,"_s);
        PortSet ports;
        ports.set(0, true);
        ports.set(25, true);
        QVERIFY(ports.isEmpty());
        QVERIFY(!PortSet::all().contains(25));
    }
};

QTEST_GUILESS_MAIN(TestPortSet)
#include "tst_portset.moc"
