#include "snmp/optionlist.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const KxOptionList &states()
{
    static const KxOptionList list({{2, "disabled"}, {3, "enabled"}});
    return list;
}

const KxOptionList &authProtocols()
{
    static const KxOptionList list({{"1.3.6.1.6.3.10.1.1.1", "None"},
                                    {"1.3.6.1.6.3.10.1.1.2", "MD5"},
                                    {"1.3.6.1.6.3.10.1.1.3", "SHA"}});
    return list;
}

} // namespace

class TestOptionList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lookups_data();
    void lookups();
    void firstMatchWinsAndZeroIsAValue();
    void tableEndsAtNullTextAndAddAppends();
    void emptyListAnswersNothing();
};

void TestOptionList::lookups_data()
{
    QTest::addColumn<bool>("stringKind");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("known value") << false << u"ValueToText"_s << u"2"_s << u"disabled"_s;
    QTest::newRow("unknown value unchanged") << false << u"ValueToText"_s << u"7"_s << u"7"_s;
    QTest::newRow("text ignores case") << false << u"TextToValue"_s << u"Enabled"_s << u"3"_s;
    QTest::newRow("unknown text unchanged") << false << u"TextToValue"_s << u"on"_s << u"on"_s;
    QTest::newRow("NULL matches no value") << false << u"IndexOfValue"_s << u"(NULL)"_s << u"-1"_s;
    QTest::newRow("non-number matches no value")
        << false << u"IndexOfValue"_s << u"abc"_s << u"-1"_s;
    QTest::newRow("value index") << false << u"IndexOfValue"_s << u"3"_s << u"1"_s;
    QTest::newRow("text index") << false << u"IndexOfText"_s << u"DISABLED"_s << u"0"_s;
    QTest::newRow("OID value to text")
        << true << u"ValueToText"_s << u"1.3.6.1.6.3.10.1.1.2"_s << u"MD5"_s;
    QTest::newRow("text to OID value")
        << true << u"TextToValue"_s << u"SHA"_s << u"1.3.6.1.6.3.10.1.1.3"_s;
}

void TestOptionList::lookups()
{
    QFETCH(bool, stringKind);
    QFETCH(QString, operation);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    const KxOptionList &list = stringKind ? authProtocols() : states();
    QString result;
    if (operation == u"ValueToText"_s)
        result = list.ValueToText(input);
    else if (operation == u"TextToValue"_s)
        result = list.TextToValue(input);
    else if (operation == u"IndexOfValue"_s)
        result = QString::number(list.IndexOfValue(input));
    else
        result = QString::number(list.IndexOfText(input));
    QCOMPARE(result, expected);
}

void TestOptionList::firstMatchWinsAndZeroIsAValue()
{
    const KxOptionList list({{0, "system"}, {1, "server1"}, {0, "other"}, {-4, "System"}});
    QCOMPARE(list.ValueToText(u"0"_s), u"system"_s);
    QCOMPARE(list.IndexOfText(u"SYSTEM"_s), 0);
    QCOMPARE(list.TextToValue(u"System"_s), u"0"_s);
    QCOMPARE(list.ValueText(3), u"-4"_s);

    const KxOptionList strict({{1, "On"}, {2, "on"}}, true);
    QCOMPARE(strict.TextToValue(u"on"_s), u"2"_s);
    QCOMPARE(strict.IndexOfText(u"ON"_s), -1);
}

void TestOptionList::tableEndsAtNullTextAndAddAppends()
{
    KxOptionList list({{2, "Disabled"}, {1, "Enabled"}, {9, nullptr}, {5, "never"}});
    QCOMPARE(list.Count(), 2);
    list.Add({{7, "Auto"}});
    QCOMPARE(list.Count(), 3);
    QCOMPARE(list.Item(0).intValue, 2);
    QCOMPARE(list.Item(2).text, u"Auto"_s);
    QCOMPARE(list.kind(), KxOptionList::IntegerValues);
    QCOMPARE(authProtocols().kind(), KxOptionList::StringValues);
}

void TestOptionList::emptyListAnswersNothing()
{
    const KxOptionList empty(std::initializer_list<KxIntOption>{});
    QCOMPARE(empty.Count(), 0);
    QCOMPARE(empty.IndexOfText(u"x"_s), -1);
    QCOMPARE(empty.IndexOfValue(u"1"_s), -1);
    QCOMPARE(empty.ValueToText(u"1"_s), u"1"_s);
    QCOMPARE(empty.TextToValue(u"x"_s), u"x"_s);
}

QTEST_GUILESS_MAIN(TestOptionList)
#include "tst_optionlist.moc"
