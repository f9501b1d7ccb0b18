#include "snmp/numlist.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestNumList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void countItems_data();
    void countItems();
    void indexOf();
    void defaultSeparatorIsDot();
};

void TestNumList::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("numbers");
    QTest::newRow("plain") << u"1,3,5"_s << QList<int>{1, 3, 5};
    QTest::newRow("fraction dropped") << u"10.5"_s << QList<int>{10};
    QTest::newRow("empty item is 0") << u"1,,3"_s << QList<int>{1, 0, 3};
    QTest::newRow("trailing separator") << u"1,2,"_s << QList<int>{1, 2, 0};
    QTest::newRow("blanks skipped") << u" 0, 2"_s << QList<int>{0, 2};
    QTest::newRow("empty text") << QString() << QList<int>{};
}

void TestNumList::parse()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, numbers);
    KxNumList<int> list;
    list.separator = u',';
    list.Parse(u"9,9,9,9,9,9,9"_s);
    list.Parse(text);
    QCOMPARE(list.Count(), numbers.size());
    for (int i = 0; i < list.Count(); ++i)
        QCOMPARE(list[i], numbers.at(i));
}

void TestNumList::countItems_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("one") << u"5"_s << 1;
    QTest::newRow("trailing comma") << u"1,2,"_s << 3;
}

void TestNumList::countItems()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    KxNumList<unsigned int> list;
    list.separator = u',';
    QCOMPARE(list.CountItems(text), count);
}

void TestNumList::indexOf()
{
    KxNumList<unsigned int> list;
    QCOMPARE(list.IndexOf(0), -1);
    list.separator = u',';
    list.Parse(u"4,7,4,4294967295"_s);
    QCOMPARE(list.IndexOf(4), 0);
    QCOMPARE(list.IndexOf(7), 1);
    QCOMPARE(list.IndexOf(4294967295u), 3);
    QCOMPARE(list.IndexOf(5), -1);
}

void TestNumList::defaultSeparatorIsDot()
{
    KxNumList<int> list;
    list.Parse(u"1.3.6"_s);
    QCOMPARE(list.Count(), 3);
    QCOMPARE(list[2], 6);
}

QTEST_APPLESS_MAIN(TestNumList)
#include "tst_numlist.moc"
