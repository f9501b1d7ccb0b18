#include "binding/optionwidgets.h"
#include "platform/radiogroup.h"
#include "snmp/optionlist.h"

#include <QComboBox>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const KxOptionList &states()
{
    static const KxOptionList list({{2, "disabled"}, {3, "enabled"}});
    return list;
}

} // namespace

class TestOptionWidgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyListClearsTheControls()
    {
        const KxOptionList empty(std::initializer_list<KxIntOption>{});
        QComboBox combo;
        combo.addItems({u"stale"_s});
        FillComboBox(empty, &combo);
        QCOMPARE(combo.count(), 0);
        RadioGroup group;
        group.setItems({u"stale"_s});
        FillRadioGroup(empty, &group);
        QCOMPARE(group.count(), 0);
    }

    void comboBoxFillAndSelect_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("value") << u"3"_s << 1;
        QTest::newRow("display text") << u"enabled"_s << 1;
        QTest::newRow("text in other case") << u"DISABLED"_s << 0;
        QTest::newRow("neither") << u"9"_s << -1;
    }

    void comboBoxFillAndSelect()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        QComboBox combo;
        combo.addItems({u"old 1"_s, u"old 2"_s, u"old 3"_s});
        combo.setCurrentIndex(2);
        FillComboBox(states(), &combo);
        QCOMPARE(combo.count(), 2);
        QCOMPARE(combo.itemText(1), u"enabled"_s);
        QCOMPARE(combo.currentIndex(), -1);
        combo.setCurrentIndex(0);
        SelectInComboBox(states(), &combo, text);
        QCOMPARE(combo.currentIndex(), index);
    }

    void radioGroupFillAndSelect()
    {
        RadioGroup group;
        FillRadioGroup(states(), &group);
        QCOMPARE(group.items(), QStringList({u"disabled"_s, u"enabled"_s}));
        SelectInRadioGroup(states(), &group, u"3"_s);
        QCOMPARE(group.itemIndex(), 1);
        SelectInRadioGroup(states(), &group, u"Disabled"_s);
        QCOMPARE(group.itemIndex(), 0);
        SelectInRadioGroup(states(), &group, u"9"_s);
        QCOMPARE(group.itemIndex(), -1);
    }
};

QTEST_MAIN(TestOptionWidgets)
#include "tst_optionwidgets.moc"
