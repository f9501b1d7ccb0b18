#include "binding/standardoptions.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(const KxOptionList *)

class TestStandardOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each list as the switch's MIB texts name its values, in value order.
    void listsHoldTheMibTexts_data()
    {
        QTest::addColumn<const KxOptionList *>("list");
        QTest::addColumn<int>("firstValue");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("disabled/enabled")
            << &DisabledEnabledOptions << 2 << QStringList{u"disabled"_s, u"enabled"_s};
        QTest::newRow("RowStatus") << &RowStatusOptions << 1
                                   << QStringList{u"active"_s,
                                                  u"notInService"_s,
                                                  u"notReady"_s,
                                                  u"createAndGo"_s,
                                                  u"createAndWait"_s,
                                                  u"destroy"_s};
        QTest::newRow("StorageType")
            << &StorageTypeOptions << 1
            << QStringList{
                   u"other"_s, u"volatile"_s, u"nonVolatile"_s, u"permanent"_s, u"readOnly"_s};
        QTest::newRow("TruthValue")
            << &TruthValueOptions << 1 << QStringList{u"true"_s, u"false"_s};
    }

    void listsHoldTheMibTexts()
    {
        QFETCH(const KxOptionList *, list);
        QFETCH(int, firstValue);
        QFETCH(QStringList, texts);
        QCOMPARE(list->Count(), texts.size());
        for (int i = 0; i < texts.size(); ++i) {
            const QString value = QString::number(firstValue + i);
            QCOMPARE(list->ValueToText(value), texts.at(i));
            QCOMPARE(list->TextToValue(texts.at(i)), value);
        }
    }
};

QTEST_GUILESS_MAIN(TestStandardOptions)
#include "tst_standardoptions.moc"
