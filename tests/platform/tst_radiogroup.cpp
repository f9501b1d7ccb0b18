#include "platform/radiogroup.h"

#include <QGridLayout>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRadioGroup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void itemIndexFollowsTheCheckedButton();
    void indexOutsideTheItemsLeavesNoneChecked();
    void columnsAreFilledTopToBottom();
    void clickingReportsTheNewIndex();
};

void TestRadioGroup::itemIndexFollowsTheCheckedButton()
{
    RadioGroup group(u"Mode"_s);
    QCOMPARE(group.itemIndex(), -1);
    group.setItems({u"Disabled"_s, u"Enabled"_s});
    QCOMPARE(group.itemIndex(), -1);
    group.setItemIndex(1);
    QCOMPARE(group.itemIndex(), 1);
    QVERIFY(group.findChildren<QRadioButton *>().at(1)->isChecked());

    group.addItem(u"Auto"_s);
    QCOMPARE(group.count(), 3);
    QCOMPARE(group.itemIndex(), 1);
    group.clearItems();
    QCOMPARE(group.count(), 0);
    QCOMPARE(group.itemIndex(), -1);
}

void TestRadioGroup::indexOutsideTheItemsLeavesNoneChecked()
{
    RadioGroup group;
    group.setItems({u"a"_s, u"b"_s});
    group.setItemIndex(0);
    group.setItemIndex(-1);
    QCOMPARE(group.itemIndex(), -1);
    group.setItemIndex(1);
    group.setItemIndex(7);
    QCOMPARE(group.itemIndex(), -1);
    for (QRadioButton *button : group.findChildren<QRadioButton *>())
        QVERIFY(!button->isChecked());
}

void TestRadioGroup::columnsAreFilledTopToBottom()
{
    RadioGroup group;
    group.setColumns(2);
    group.setItems({u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s});
    auto *grid = qobject_cast<QGridLayout *>(group.layout());
    QVERIFY(grid);
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
    const auto positionOf = [&](const QString &text) {
        for (QRadioButton *button : group.findChildren<QRadioButton *>()) {
            if (button->text() == text)
                grid->getItemPosition(grid->indexOf(button), &row, &column, &rowSpan, &columnSpan);
        }
        return QPoint(column, row);
    };
    QCOMPARE(positionOf(u"1"_s), QPoint(0, 0));
    QCOMPARE(positionOf(u"3"_s), QPoint(0, 2));
    QCOMPARE(positionOf(u"4"_s), QPoint(1, 0));
    QCOMPARE(positionOf(u"5"_s), QPoint(1, 1));
}

void TestRadioGroup::clickingReportsTheNewIndex()
{
    RadioGroup group;
    group.setItems({u"a"_s, u"b"_s, u"c"_s});
    QSignalSpy changed(&group, &RadioGroup::itemIndexChanged);
    group.findChildren<QRadioButton *>().at(2)->click();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), 2);
    QCOMPARE(group.itemIndex(), 2);
}

QTEST_MAIN(TestRadioGroup)
#include "tst_radiogroup.moc"
