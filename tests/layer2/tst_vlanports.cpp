#include "layer2/vlanports.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString bitsOf(std::initializer_list<int> ports)
{
    QString bits = noPortBits();
    for (int port : ports)
        bits[port - 1] = u'1';
    return bits;
}

} // namespace

class TestVLanPorts : public QObject
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
    }

    void conversions()
    {
        QFETCH(QString, hex);
        QFETCH(QString, display);
        QFETCH(QString, selection);
        const QString bits = hexToPortBits(hex);
        QCOMPARE(bits.size(), VLanPortCount);
        QCOMPARE(portBitsToDisplayList(bits), display);
        QCOMPARE(portBitsToSelectionText(bits), selection);
        QCOMPARE(portTextToBits(display), bits);
        QCOMPARE(portTextToBits(selection), bits);
        QCOMPARE(portBitsToHex(bits), hex);
    }

    void lowerCaseHexAndStrayCharactersAreRead()
    {
        QCOMPARE(portBitsToDisplayList(hexToPortBits(u"c0 00 01"_s)), u"1,2,24"_s);
    }

    void textOutsideThePortsIsSkipped()
    {
        QCOMPARE(portTextToBits(u"0,25,100,x,3"_s), bitsOf({3}));
    }

    // Each row: the sets before, the selection for one set, the sets after and
    // the other sets whose boxes are rewritten.
    void selectionKeepsTheSetsConsistent_data()
    {
        QTest::addColumn<int>("chosenSet");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("after"); // members, forbidden, untagged
        QTest::addColumn<QList<int>>("rewritten");

        const QString members = bitsOf({1, 2, 3, 4});
        const QString forbidden = bitsOf({5, 6});
        const QString untagged = bitsOf({1, 2});
        QTest::newRow("a new member is no longer forbidden")
            << 0 << bitsOf({1, 2, 3, 4, 5})
            << QStringList{bitsOf({1, 2, 3, 4, 5}), bitsOf({6}), untagged} << QList<int>{1};
        QTest::newRow("a port leaving the members is no longer untagged")
            << 0 << bitsOf({2, 3, 4}) << QStringList{bitsOf({2, 3, 4}), forbidden, bitsOf({2})}
            << QList<int>{2};
        QTest::newRow("a forbidden port leaves members and untagged")
            << 1 << bitsOf({1, 5, 6})
            << QStringList{bitsOf({2, 3, 4}), bitsOf({1, 5, 6}), bitsOf({2})} << QList<int>{0, 2};
        QTest::newRow("an untagged port is no longer forbidden")
            << 2 << bitsOf({1, 2, 5}) << QStringList{members, bitsOf({6}), bitsOf({1, 2, 5})}
            << QList<int>{1};
        QTest::newRow("nothing to change")
            << 2 << bitsOf({3}) << QStringList{members, forbidden, bitsOf({3})} << QList<int>{};
    }

    void selectionKeepsTheSetsConsistent()
    {
        QFETCH(int, chosenSet);
        QFETCH(QString, chosen);
        QFETCH(QStringList, after);
        QFETCH(QList<int>, rewritten);
        VLanPortSets sets;
        sets.setBits(VLanPortSet::Members, bitsOf({1, 2, 3, 4}));
        sets.setBits(VLanPortSet::Forbidden, bitsOf({5, 6}));
        sets.setBits(VLanPortSet::Untagged, bitsOf({1, 2}));

        const QList<VLanPortSet> changed = sets.select(static_cast<VLanPortSet>(chosenSet), chosen);

        QCOMPARE(sets.bits(VLanPortSet::Members), after.at(0));
        QCOMPARE(sets.bits(VLanPortSet::Forbidden), after.at(1));
        QCOMPARE(sets.bits(VLanPortSet::Untagged), after.at(2));
        QList<int> changedIndexes;
        for (VLanPortSet set : changed)
            changedIndexes.append(static_cast<int>(set));
        QCOMPARE(changedIndexes, rewritten);
    }
};

QTEST_MAIN(TestVLanPorts)
#include "tst_vlanports.moc"
