#include "device/timeunit.h"
#include "dialogtest.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "simulator.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum TimePage { SystemTimePage, SntpPage, SummerTimePage };

const QString summerTime = u"1.3.6.1.4.1.88508.12.10.12"_s;

void choose(QWidget &page, const QString &combo, const QString &text)
{
    auto *box = child<QComboBox>(page, combo);
    const int index = box->findText(text);
    QVERIFY2(index >= 0 || text.isEmpty(), qPrintable(text));
    box->setCurrentIndex(index);
    if (index >= 0)
        Q_EMIT box->activated(index);
}

void type(QWidget &page, const QString &edit, const QString &text)
{
    child<QLineEdit>(page, edit)->setText(text);
}

void chooseRule(QWidget &page, int rule)
{
    child<RadioGroup>(page, u"rgpSummerTimeStatus"_s)->button(rule)->click();
}

} // namespace

class TestTimeUnit : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    std::unique_ptr<Tfrm_Time> openTime()
    {
        auto time = std::make_unique<Tfrm_Time>();
        time->show();
        [&] {
            QTRY_VERIFY(!child<QLineEdit>(*time, u"ed_SNTPPollInterval"_s)->text().isEmpty());
        }();
        return time;
    }

    void apply(Tfrm_Time &time, TimePage page)
    {
        static const QString buttons[]
            = {u"btnSystemTimeApply"_s, u"btnSNTPApply"_s, u"btnSummerTimeApply"_s};
        time.pages()->setCurrentIndex(page);
        click(time, buttons[page]);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void openingShowsWhatTheSwitchHolds()
    {
        auto time = openTime();
        QCOMPARE(child<QLabel>(*time, u"la_TimeCapacity"_s)->text(), u"0190"_s);
        QCOMPARE(child<QLabel>(*time, u"la_ClockLostOnReboot"_s)->text(), u"true"_s);
        QVERIFY(!child<QLabel>(*time, u"la_SystemCurrentTime"_s)->text().isEmpty());
        QCOMPARE(child<QLineEdit>(*time, u"ed_SystemTimeZone"_s)->text(), u"60"_s);
        QCOMPARE(child<QLineEdit>(*time, u"ed_SNTPServer1IPAddr"_s)->text(), u"10.90.90.1"_s);
        QCOMPARE(child<QLineEdit>(*time, u"ed_SNTPPollInterval"_s)->text(), u"720"_s);
        QCOMPARE(child<RadioGroup>(*time, u"rgpSummerTimeStatus"_s)->itemIndex(), 1); // repeating
        QCOMPARE(child<QComboBox>(*time, u"cb_RepeatWeeklyStart"_s)->currentText(), u"last"_s);
        QCOMPARE(child<QComboBox>(*time, u"cb_RepeatdayStart"_s)->currentText(), u"Sun"_s);
        QCOMPARE(child<QComboBox>(*time, u"cb_RepeatMonthStart"_s)->currentText(), u"Mar"_s);
        QCOMPARE(child<QLineEdit>(*time, u"ed_RepeatHourStart"_s)->text(), u"2"_s);
        QCOMPARE(child<QComboBox>(*time, u"cb_RepeatMonthEnd"_s)->currentText(), u"Oct"_s);
        // The annual rule is not in force: not read, not shown.
        QVERIFY(child<QLineEdit>(*time, u"ed_AnnualdataStart"_s)->text().isEmpty());
        time->pages()->setCurrentIndex(SummerTimePage);
        QVERIFY(!child(*time, u"ed_AnnualdataStart"_s)->isVisible());
        QVERIFY(child(*time, u"ed_RepeatHourStart"_s)->isVisible());
    }

    void repeatingPointIsWrittenWithStatusInOneSet()
    {
        auto time = openTime();
        QWidget &page = *time->page(SummerTimePage);
        choose(page, u"cb_RepeatWeeklyStart"_s, u"2nd"_s);
        choose(page, u"cb_RepeatdayStart"_s, u"Mon"_s);
        choose(page, u"cb_RepeatMonthStart"_s, u"Apr"_s);
        type(page, u"ed_RepeatHourStart"_s, u"1"_s);
        type(page, u"ed_RepeatMinuteStart"_s, u"30"_s);
        const quint32 before = m_switch.setRequests();
        apply(*time, SummerTimePage);
        QCOMPARE(m_switch.setRequests() - before, 1u);
        QCOMPARE(m_switch.get(summerTime + u".3.0"_s, true).remove(u' '), u"02000204011E"_s);
    }

    void summerTimeIsCheckedBeforeAnySet_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QStringList>(
            "entries"); // control=value; a combo takes an empty value as none
        QTest::addColumn<QString>("message");
        QTest::newRow("repeating start month empty")
            << 1 << QStringList{u"cb_RepeatMonthStart="_s}
            << u"Please select Repeat Summer Time Start Month!"_s;
        QTest::newRow("repeating end minute empty")
            << 1 << QStringList{u"ed_RepeatMinuteEnd="_s}
            << u"Please select Repeat Summer Time End minute!"_s;
        QTest::newRow("repeating hour 24")
            << 1 << QStringList{u"ed_RepeatHourStart=24"_s}
            << u"(KxCommon) Please enter a number between 0 and 23!"_s;
        QTest::newRow("annual start date empty")
            << 2 << QStringList{u"ed_AnnualdataStart="_s, u"cb_AnnualMonthStart=Mar"_s}
            << u"Please select Annual Summer Time Start Date!"_s;
        QTest::newRow("annual 30 Feb typed after the month")
            << 2
            << QStringList{u"cb_AnnualMonthStart=Feb"_s,
                           u"ed_AnnualdataStart=30"_s,
                           u"ed_AnnualdataEnd=25"_s,
                           u"cb_AnnualMonthEnd=Oct"_s}
            << u"Please input right Annual Summer Time Start date!"_s;
        QTest::newRow("annual end 31 Nov") << 2
                                           << QStringList{u"ed_AnnualdataStart=29"_s,
                                                          u"cb_AnnualMonthStart=Mar"_s,
                                                          u"cb_AnnualMonthEnd=Nov"_s,
                                                          u"ed_AnnualdataEnd=31"_s}
                                           << u"Please input right Annual Summer Time End date!"_s;
    }

    void summerTimeIsCheckedBeforeAnySet()
    {
        ScriptedPrompts prompts; // outlives the dialog and its last focus change
        QFETCH(int, rule);
        QFETCH(QStringList, entries);
        QFETCH(QString, message);
        auto time = openTime();
        QWidget &page = *time->page(SummerTimePage);
        chooseRule(page, rule);
        if (rule == 2) {
            for (const QString &hour : {u"ed_AnnualHourStart"_s, u"ed_AnnualHourEnd"_s})
                type(page, hour, u"2"_s);
            for (const QString &minute : {u"ed_AnnualMininuteStart"_s, u"ed_AnnualMininuteEnd"_s})
                type(page, minute, u"0"_s);
        }
        for (const QString &entry : entries) {
            const QString name = entry.section(u'=', 0, 0);
            const QString value = entry.section(u'=', 1);
            if (name.startsWith(u"cb_"_s))
                choose(page, name, value);
            else
                type(page, name, value);
        }
        const quint32 before = m_switch.setRequests();
        apply(*time, SummerTimePage);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), before);
    }

    void annualMonthChecksTheDayTypedBefore_data()
    {
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("31 Apr") << u"31"_s << u"Apr"_s
                                << u"Please input right Summer Time Start date!"_s;
        QTest::newRow("29 Feb") << u"29"_s << u"Feb"_s << QString();
        QTest::newRow("30 Feb") << u"30"_s << u"Feb"_s
                                << u"Please input right Annual Summer Time Start date!"_s;
        QTest::newRow("31 Dec") << u"31"_s << u"Dec"_s << QString();
    }

    void annualMonthChecksTheDayTypedBefore()
    {
        ScriptedPrompts prompts; // outlives the dialog and its last focus change
        QFETCH(QString, day);
        QFETCH(QString, month);
        QFETCH(QString, message);
        auto time = openTime();
        QWidget &page = *time->page(SummerTimePage);
        chooseRule(page, 2);
        type(page, u"ed_AnnualdataStart"_s, day);
        choose(page, u"cb_AnnualMonthStart"_s, month);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(child<QLineEdit>(page, u"ed_AnnualdataStart"_s)->text(),
                 message.isEmpty() ? day : QString());
    }

    void annualRuleIsWrittenAndReadBack()
    {
        auto time = openTime();
        QWidget &page = *time->page(SummerTimePage);
        chooseRule(page, 2);
        const QStringList entries{u"ed_AnnualdataStart=29"_s,
                                  u"cb_AnnualMonthStart=Feb"_s,
                                  u"ed_AnnualHourStart=3"_s,
                                  u"ed_AnnualMininuteStart=15"_s,
                                  u"ed_AnnualdataEnd=1"_s,
                                  u"cb_AnnualMonthEnd=Nov"_s,
                                  u"ed_AnnualHourEnd=4"_s,
                                  u"ed_AnnualMininuteEnd=0"_s};
        for (const QString &entry : entries) {
            if (entry.startsWith(u"cb_"_s))
                choose(page, entry.section(u'=', 0, 0), entry.section(u'=', 1));
            else
                type(page, entry.section(u'=', 0, 0), entry.section(u'=', 1));
        }
        apply(*time, SummerTimePage);
        QCOMPARE(m_switch.get(summerTime + u".1.0"_s), u"2"_s);
        QCOMPARE(m_switch.get(summerTime + u".5.0"_s, true).remove(u' '), u"1D02030F"_s);
        QCOMPARE(m_switch.get(summerTime + u".6.0"_s, true).remove(u' '), u"010B0400"_s);
        QVERIFY(m_switch.set(summerTime + u".1.0"_s, u"i"_s, u"1"_s));
    }

    void sntpAndTimeZoneAreChecked_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("poll interval 20")
            << int(SntpPage) << u"ed_SNTPPollInterval"_s << u"20"_s
            << u"(KxCommon) Please enter a number between 30 and 99999!"_s;
        QTest::newRow("server 10.1.1.300")
            << int(SntpPage) << u"ed_SNTPServer1IPAddr"_s << u"10.1.1.300"_s
            << u"Please input valid IP address in field SNTP Server1 IP Address."_s;
        QTest::newRow("server2 with a leading zero")
            << int(SntpPage) << u"ed_SNTPServer2IPAddr"_s << u"10.1.1.01"_s
            << u"Please input valid IP address in field SNTP Server2 IP Address."_s;
        // The box takes digits only: the letters never get in.
        QTest::newRow("time zone abc") << int(SystemTimePage) << u"ed_SystemTimeZone"_s << u"abc"_s
                                       << u"(KxCommon) Empty value is not allowed!"_s;
        QTest::newRow("time zone 840")
            << int(SystemTimePage) << u"ed_SystemTimeZone"_s << u"840"_s
            << u"(KxCommon) Please enter a number between -779 and 839!"_s;
    }

    void sntpAndTimeZoneAreChecked()
    {
        ScriptedPrompts prompts; // outlives the dialog and its last focus change
        QFETCH(int, page);
        QFETCH(QString, edit);
        QFETCH(QString, text);
        QFETCH(QString, message);
        auto time = openTime();
        type(*time, edit, text);
        const quint32 before = m_switch.setRequests();
        apply(*time, static_cast<TimePage>(page));
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), before);
    }

    void timeZoneIsWritten()
    {
        auto time = openTime();
        type(*time, u"ed_SystemTimeZone"_s, u"-300"_s);
        apply(*time, SystemTimePage);
        QCOMPARE(m_switch.get(u"1.3.6.1.4.1.88508.12.10.10.4.0"_s), u"-300"_s);
    }
};

QTEST_MAIN(TestTimeUnit)
#include "tst_timeunit.moc"
