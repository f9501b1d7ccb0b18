#include "dialogtest.h"
#include "moduletest.h"
#include "security/radius.h"
#include "simulator.h"

#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString serverStatus = u"1.3.6.1.4.1.88508.12.3.2.4.1.6"_s;

QStringList cells(const QTreeWidgetItem *row)
{
    QStringList texts;
    for (int column = 0; column < row->columnCount(); ++column)
        texts.append(row->text(column));
    return texts;
}

} // namespace

class TestRadius : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    std::unique_ptr<TRadiusForm> openRadius()
    {
        auto radius = std::make_unique<TRadiusForm>();
        radius->show();
        QCoreApplication::processEvents(); // the first walk
        return radius;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void listsTheServersWithoutTheirKeys()
    {
        auto radius = openRadius();
        QTreeWidget *list = radius->list();
        QCOMPARE(list->headerItem()->text(0), u"RADIUS Server Index"_s);
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(cells(list->topLevelItem(0)),
                 (QStringList{
                     u"First"_s, u"10.90.90.2"_s, QString(), u"1812"_s, u"1813"_s, u"Active"_s}));
        QCOMPARE(list->topLevelItem(1)->text(0), u"Second"_s);
        QVERIFY(!child(*radius, u"btnHelp"_s)->isEnabled());
    }

    void noServersGiveAnEmptyList()
    {
        QVERIFY(m_switch.set(serverStatus + u".1"_s, u"i"_s, u"6"_s));
        QVERIFY(m_switch.set(serverStatus + u".2"_s, u"i"_s, u"6"_s));
        auto radius = openRadius();
        QCOMPARE(radius->list()->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(TestRadius)
#include "tst_radius.moc"
