#include "forms/entrychecks.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

class TestEntryChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void integers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("lowest") << u"1"_s << true;
        QTest::newRow("highest") << u"65535"_s << true;
        QTest::newRow("below") << u"0"_s << false;
        QTest::newRow("above") << u"65536"_s << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("not a number") << u"abc"_s << false;
        QTest::newRow("blank around") << u" 12"_s << false;
        QTest::newRow("fraction") << u"1.5"_s << false;
        QTest::newRow("sign only") << u"-"_s << false;
        QTest::newRow("overflowing digits") << u"99999999999999999999999"_s << false;
    }

    void integers()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(isIntegerIn(text, 1, 65535), valid);
    }

    void negativeRanges()
    {
        QVERIFY(isIntegerIn(u"-1"_s, -1, 5));
        QVERIFY(!isIntegerIn(u"-2"_s, -1, 5));
        QVERIFY(!isIntegerIn(u"--1"_s, -5, 5));
    }

    void strings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("nonEmpty");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<bool>("noBlanks");
        QTest::addColumn<bool>("valid");
        QTest::newRow("group name") << u"radius2"_s << true << 15 << true << true;
        QTest::newRow("empty group name") << QString() << true << 15 << true << false;
        QTest::newRow("16 characters") << QString(16, u'g') << true << 15 << true << false;
        QTest::newRow("15 characters") << QString(15, u'g') << true << 15 << true << true;
        QTest::newRow("blank inside") << u"my group"_s << true << 15 << true << false;
        QTest::newRow("tab inside") << u"my\tgroup"_s << true << 15 << true << false;
        QTest::newRow("empty key accepted") << QString() << false << 254 << true << true;
        QTest::newRow("key too long") << QString(255, u'k') << false << 254 << true << false;
        QTest::newRow("blank allowed") << u"a b"_s << false << 0 << false << true;
    }

    void strings()
    {
        QFETCH(QString, text);
        QFETCH(bool, nonEmpty);
        QFETCH(int, maxLength);
        QFETCH(bool, noBlanks);
        QFETCH(bool, valid);
        QCOMPARE(isValidString(text, {nonEmpty, maxLength, noBlanks}), valid);
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("address");
        QTest::addColumn<bool>("host");
        QTest::newRow("host") << u"10.90.90.90"_s << true << true;
        QTest::newRow("highest parts") << u"255.255.255.254"_s << true << true;
        QTest::newRow("unspecified") << u"0.0.0.0"_s << true << false;
        QTest::newRow("broadcast") << u"255.255.255.255"_s << true << false;
        QTest::newRow("part over 255") << u"10.1.1.256"_s << false << false;
        QTest::newRow("leading zero") << u"10.01.1.1"_s << false << false;
        QTest::newRow("zeros written long") << u"000.0.0.0"_s << false << false;
        QTest::newRow("three parts") << u"192.168.1"_s << false << false;
        QTest::newRow("five parts") << u"1.2.3.4.5"_s << false << false;
        QTest::newRow("empty part") << u"1..3.4"_s << false << false;
        QTest::newRow("other separator") << u"10-1-1-1"_s << false << false;
        QTest::newRow("sign") << u"+1.2.3.4"_s << false << false;
        QTest::newRow("blank") << u"1.2.3.4 "_s << false << false;
        QTest::newRow("empty") << QString() << false << false;
    }

    void addresses()
    {
        QFETCH(QString, text);
        QFETCH(bool, address);
        QFETCH(bool, host);
        QCOMPARE(isIPv4Address(text), address);
        QCOMPARE(isHostAddress(text), host);
    }

    void hexDigits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("MAC") << u"00A0c9123456"_s << true;
        QTest::newRow("11 digits") << u"00A0C912345"_s << false;
        QTest::newRow("13 digits") << u"00A0C91234567"_s << false;
        QTest::newRow("not hex") << u"00A0C912345G"_s << false;
        QTest::newRow("separators") << u"00:A0:C9:12:34"_s << false;
    }

    void hexDigits()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(isHexDigits(text, 12), valid);
    }

    void messagesNameTheField()
    {
        QCOMPARE(invalidIntegerMessage(u"Quiet Period"_s),
                 u"Please input valid integer in field Quiet Period."_s);
        QCOMPARE(invalidStringMessage(u"Key"_s), u"Please input valid string in field Key."_s);
        QCOMPARE(invalidAddressMessage(u"IP Address"_s),
                 u"Please input valid IP address in field IP Address."_s);
        QCOMPARE(unsetChoiceMessage(u"802.1X Status"_s), u"You should set 802.1X Status."_s);
        QCOMPARE(unchosenFieldMessage(u"Server Status"_s), u"Please choose field Server Status."_s);
    }

    void failedCheckShowsItsMessageAndFocusesTheControl()
    {
        ScriptedPrompts prompts;
        QWidget window;
        auto *other = new QLineEdit(u"x"_s);
        auto *edit = new QLineEdit(u"0"_s);
        auto *group = new RadioGroup;
        group->setItems({u"disabled"_s, u"enabled"_s});
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(other);
        layout->addWidget(edit);
        layout->addWidget(group);
        window.show();
        other->setFocus();

        QVERIFY(!checkInteger(edit, u"Tx Period"_s, 1, 65535));
        QCOMPARE(prompts.lastText(), u"Please input valid integer in field Tx Period."_s);
        QCOMPARE(window.focusWidget(), edit);

        other->setFocus();
        group->setEnabled(false);
        QVERIFY(!checkChoice(group, u"TACACS Status"_s));
        QCOMPARE(prompts.lastText(), u"You should set TACACS Status."_s);
        QCOMPARE(window.focusWidget(), other);

        edit->setText(u"30"_s);
        group->setItemIndex(1);
        QVERIFY(checkInteger(edit, u"Tx Period"_s, 1, 65535));
        QVERIFY(checkChoice(group, u"TACACS Status"_s));
        QCOMPARE(prompts.shown.size(), 2);
        group->setItemIndex(-1);
        QVERIFY(!checkChosen(group, u"SSL Status"_s));
        QCOMPARE(prompts.lastText(), u"Please choose field SSL Status."_s);
    }
};

QTEST_MAIN(TestEntryChecks)
#include "tst_entrychecks.moc"
