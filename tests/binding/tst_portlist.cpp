#include "binding/portlist.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestPortList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void expandAndPack_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::addColumn<QString>("members");
        QTest::newRow("first and last") << u"800001"_s << u"100000000000000000000001"_s;
        QTest::newRow("all") << u"FFFFFF"_s << QString(24, u'1');
        QTest::newRow("none") << u"000000"_s << QString(24, u'0');
        QTest::newRow("ports 1-12") << u"FFF000"_s << QString(12, u'1') + QString(12, u'0');
        QTest::newRow("empty") << QString() << QString();
    }

    void expandAndPack()
    {
        QFETCH(QString, hex);
        QFETCH(QString, members);
        QCOMPARE(ExpandPortList(hex), members);
        QCOMPARE(PackPortList(members), hex);
    }

    void expandSkipsNonHexAndLowerCase()
    {
        QCOMPARE(ExpandPortList(u"8 0-a"_s), u"100000001010"_s);
    }

    void packFillsShortGroup() { QCOMPARE(PackPortList(u"11111"_s), u"F8"_s); }
};

QTEST_GUILESS_MAIN(TestPortList)
#include "tst_portlist.moc"
