#include "forms/listtext.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestListText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cellsKeepABlankBetweenThem_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("line");
        QTest::newRow("padded") << QStringList{u"ab"_s, u"c"_s} << u"ab    c   "_s;
        QTest::newRow("right then left") << QStringList{u"7"_s, u"c"_s} << u"     7 c   "_s;
        QTest::newRow("wider than its column")
            << QStringList{u"abcdefgh"_s, u"c"_s} << u"abcdefgh c   "_s;
        QTest::newRow("exactly its width") << QStringList{u"abcdef"_s, u"c"_s} << u"abcdef c   "_s;
    }

    void cellsKeepABlankBetweenThem()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, line);
        const bool rightAligned = cells.constFirst() == u"7"_s;
        const QList<KxTextColumn> columns{{u"A"_s, 6, rightAligned}, {u"B"_s, 4}};
        QCOMPARE(listTextLine(cells, columns), line);
    }

    void csvQuotesWhatNeedsIt()
    {
        KxListText text{u"heading"_s, 3, {{u"Name"_s, 8}, {u"Ports"_s, 8}}, {}};
        text.rows = {{u"plain"_s, u"1,2,24"_s}, {u"say \"hi\""_s, u"two\nlines"_s}};
        QCOMPARE(text.csv(),
                 u"Name,Ports\r\nplain,\"1,2,24\"\r\n\"say \"\"hi\"\"\",\"two\nlines\"\r\n"_s);
        QCOMPARE(text.plain(), u"heading\n===\nplain   1,2,24  \nsay \"hi\" two\nlines\n"_s);
    }
};

QTEST_MAIN(TestListText)
#include "tst_listtext.moc"
