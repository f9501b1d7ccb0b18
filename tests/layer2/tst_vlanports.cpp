#include "layer2/vlanports.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

PortSet portsOf(std::initializer_list<int> ports)
{
    PortSet set;
    for (int port : ports)
        set.set(port, true);
    return set;
}

} // namespace

class TestVLanPorts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: the sets before, the selection for one set, the sets after and
    // the other sets whose boxes are rewritten.
    void selectionKeepsTheSetsConsistent_data()
    {
        QTest::addColumn<int>("chosenSet");
        QTest::addColumn<PortSet>("chosen");
        QTest::addColumn<QList<PortSet>>("after"); // members, forbidden, untagged
        QTest::addColumn<QList<int>>("rewritten");

        const PortSet members = portsOf({1, 2, 3, 4});
        const PortSet forbidden = portsOf({5, 6});
        const PortSet untagged = portsOf({1, 2});
        QTest::newRow("a new member is no longer forbidden")
            << 0 << portsOf({1, 2, 3, 4, 5})
            << QList<PortSet>{portsOf({1, 2, 3, 4, 5}), portsOf({6}), untagged} << QList<int>{1};
        QTest::newRow("a port leaving the members is no longer untagged")
            << 0 << portsOf({2, 3, 4})
            << QList<PortSet>{portsOf({2, 3, 4}), forbidden, portsOf({2})} << QList<int>{2};
        QTest::newRow("a forbidden port leaves members and untagged")
            << 1 << portsOf({1, 5, 6})
            << QList<PortSet>{portsOf({2, 3, 4}), portsOf({1, 5, 6}), portsOf({2})}
            << QList<int>{0, 2};
        QTest::newRow("an untagged port is no longer forbidden")
            << 2 << portsOf({1, 2, 5}) << QList<PortSet>{members, portsOf({6}), portsOf({1, 2, 5})}
            << QList<int>{1};
        QTest::newRow("nothing to change")
            << 2 << portsOf({3}) << QList<PortSet>{members, forbidden, portsOf({3})}
            << QList<int>{};
    }

    void selectionKeepsTheSetsConsistent()
    {
        QFETCH(int, chosenSet);
        QFETCH(PortSet, chosen);
        QFETCH(QList<PortSet>, after);
        QFETCH(QList<int>, rewritten);
        VLanPortSets sets;
        sets.setPorts(VLanPortSet::Members, portsOf({1, 2, 3, 4}));
        sets.setPorts(VLanPortSet::Forbidden, portsOf({5, 6}));
        sets.setPorts(VLanPortSet::Untagged, portsOf({1, 2}));

        const QList<VLanPortSet> changed = sets.select(static_cast<VLanPortSet>(chosenSet), chosen);

        QCOMPARE(sets.ports(VLanPortSet::Members).toDisplayList(), after.at(0).toDisplayList());
        QCOMPARE(sets.ports(VLanPortSet::Forbidden).toDisplayList(), after.at(1).toDisplayList());
        QCOMPARE(sets.ports(VLanPortSet::Untagged).toDisplayList(), after.at(2).toDisplayList());
        QList<int> changedIndexes;
        for (VLanPortSet set : changed)
            changedIndexes.append(static_cast<int>(set));
        QCOMPARE(changedIndexes, rewritten);
    }
};

QTEST_GUILESS_MAIN(TestVLanPorts)
#include "tst_vlanports.moc"
