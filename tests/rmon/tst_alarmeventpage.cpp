// The Alarm/Event page against the simulated switch, its clock and traffic
// driven by the test.
#include "dialogtest.h"
#include "moduletest.h"
#include "rmon/alarmeventpage.h"
#include "scriptedprompts.h"
#include "simulator.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString AlarmEntryOid = u"1.3.6.1.2.1.16.3.1.1."_s;
const QString Port5Octets = u"1.3.6.1.2.1.16.1.1.1.4.5"_s;
const QString TrafficRate5 = u"1.3.6.1.4.1.88508.99.1.1.1.5"_s;
const QString TrafficBurst5 = u"1.3.6.1.4.1.88508.99.1.1.2.5"_s;
const QString ClockAdvance = u"1.3.6.1.4.1.88508.99.2.1.0"_s;
const QString AlarmInterval = u"10"_s;

} // namespace

class TestAlarmEventPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void init()
    {
        m_page = std::make_unique<TAlarmEventPage>();
        m_alarms = child<QTreeWidget>(*m_page, u"lvwAlarms"_s);
        m_events = child<QTreeWidget>(*m_page, u"lvwEvents"_s);
        m_log = child<QTreeWidget>(*m_page, u"lvwEventLog"_s);
        QVERIFY(settled());
    }

    void cleanup() { m_page.reset(); }

    void alarmOnPort5FiresOncePerBurstAndRearms()
    {
        // GIVEN a quiet port 5, a log event and an alarm on its octets made from the page
        QVERIFY(m_switch.set(TrafficRate5, u"u"_s, u"0"_s));
        const QString event = createEvent(u"Port 5 burst"_s);
        QVERIFY(!event.isEmpty());
        const QString alarm = createAlarm(Port5Octets, u"1000000"_s, u"100000"_s, event);
        QVERIFY(!alarm.isEmpty());
        QCOMPARE(m_switch.get(AlarmEntryOid + u"12."_s + alarm), u"1"_s);
        QCOMPARE(m_switch.get(AlarmEntryOid + u"11."_s + alarm), u"rq5160"_s);
        QCOMPARE(m_switch.get(AlarmEntryOid + u"3."_s + alarm), u"."_s + Port5Octets);
        QCOMPARE(m_switch.get(AlarmEntryOid + u"7."_s + alarm), u"1000000"_s);
        QVERIFY(advance()); // the first sample

        // WHEN a burst crosses the rising threshold, and a second follows before
        // the traffic has fallen below the falling threshold
        QVERIFY(m_switch.set(TrafficBurst5, u"u"_s, u"20000000"_s));
        QVERIFY(advance());
        QVERIFY(m_switch.set(TrafficBurst5, u"u"_s, u"20000000"_s));
        QVERIFY(advance());
        QVERIFY(advance());

        // THEN exactly one event is logged
        QCOMPARE(logRowsOf(event), 1);

        // WHEN, the alarm rearmed by the quiet interval, another burst comes
        QVERIFY(m_switch.set(TrafficBurst5, u"u"_s, u"20000000"_s));
        QVERIFY(advance());

        // THEN it fires again
        QCOMPARE(logRowsOf(event), 2);
        QCOMPARE(m_log->topLevelItem(m_log->topLevelItemCount() - 1)->text(0), event);
    }

    void deletingAnAlarmRemovesItOnTheSwitch()
    {
        const QString alarm = createAlarm(Port5Octets, u"500"_s, u"100"_s, u"0"_s);
        QVERIFY(!alarm.isEmpty());
        const int before = m_alarms->topLevelItemCount();
        m_alarms->findItems(alarm, Qt::MatchExactly, 0).constFirst()->setSelected(true);

        QVERIFY(change(u"btnAlarmDelete"_s));
        QVERIFY(settled());

        QVERIFY(m_switch.get(AlarmEntryOid + u"12."_s + alarm).startsWith(u"No Such"_s));
        QCOMPARE(m_alarms->topLevelItemCount(), before - 1);
        QVERIFY(m_alarms->findItems(alarm, Qt::MatchExactly, 0).isEmpty());
    }

    void alarmRefusedBeforeAnythingIsWritten_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("rising");
        QTest::addColumn<QString>("falling");
        QTest::addColumn<QString>("risingEvent");
        QTest::addColumn<QString>("message");
        QTest::newRow("variable that is text")
            << u"1.3.6.1.4.1.88508.12.7.2.2.0"_s << u"10"_s << u"5"_s << u"0"_s
            << u"The variable 1.3.6.1.4.1.88508.12.7.2.2.0 is not an integer: an alarm can only "
               u"sample INTEGER, Counter32, Gauge32 or TimeTicks values."_s;
        QTest::newRow("variable the switch does not have")
            << u"1.3.6.1.2.1.16.1.1.1.4.999"_s << u"10"_s << u"5"_s << u"0"_s
            << u"The switch has no variable 1.3.6.1.2.1.16.1.1.1.4.999."_s;
        QTest::newRow("falling above rising")
            << Port5Octets << u"10"_s << u"50"_s << u"0"_s
            << u"The falling threshold (50) must not be above the rising threshold (10)."_s;
        QTest::newRow("event that does not exist")
            << Port5Octets << u"10"_s << u"5"_s << u"999"_s
            << u"There is no event 999 for the rising event: create the event first, or enter 0 "
               u"for none."_s;
        QTest::newRow("empty threshold")
            << Port5Octets << QString() << u"5"_s << u"0"_s << u"Please enter rising threshold."_s;
    }

    void alarmRefusedBeforeAnythingIsWritten()
    {
        QFETCH(QString, variable);
        QFETCH(QString, rising);
        QFETCH(QString, falling);
        QFETCH(QString, risingEvent);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        fillAlarm(variable, rising, falling, risingEvent);
        const quint32 sets = m_switch.setRequests();
        QSignalSpy refused(m_page.get(), &TAlarmEventPage::refused);

        m_page->btnAlarmCreateClick();

        QVERIFY(!refused.isEmpty() || refused.wait(5000));
        QCOMPARE(refused.at(0).at(0).toString(), message);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void eventWithoutDescriptionIsRefused()
    {
        ScriptedPrompts prompts;
        child<QLineEdit>(*m_page, u"edtEventDescription"_s)->clear();
        const quint32 sets = m_switch.setRequests();
        m_page->btnEventCreateClick();
        QCOMPARE(prompts.lastText(), u"Please enter the event's description."_s);
        QCOMPARE(m_switch.setRequests(), sets);
    }

private:
    bool settled()
    {
        QSignalSpy refreshed(m_page.get(), &TAlarmEventPage::refreshed);
        return !m_page->busy() || refreshed.wait(5000);
    }

    bool change(const QString &button)
    {
        QSignalSpy changed(m_page.get(), &TAlarmEventPage::changed);
        click(*m_page, button);
        return changed.wait(5000);
    }

    // Moves the switch's clock on by one alarm interval and reads the page again.
    bool advance()
    {
        if (!m_switch.set(ClockAdvance, u"i"_s, AlarmInterval))
            return false;
        m_page->btnAlarmRefreshClick();
        return settled();
    }

    void fillAlarm(const QString &variable,
                   const QString &rising,
                   const QString &falling,
                   const QString &risingEvent)
    {
        child<QLineEdit>(*m_page, u"edtAlarmVariable"_s)->setText(variable);
        child<QLineEdit>(*m_page, u"edtAlarmInterval"_s)->setText(AlarmInterval);
        child<QComboBox>(*m_page, u"cbxAlarmSampleType"_s)->setCurrentText(u"delta"_s);
        child<QLineEdit>(*m_page, u"edtAlarmRising"_s)->setText(rising);
        child<QLineEdit>(*m_page, u"edtAlarmFalling"_s)->setText(falling);
        child<QLineEdit>(*m_page, u"edtAlarmRisingEvent"_s)->setText(risingEvent);
        child<QLineEdit>(*m_page, u"edtAlarmFallingEvent"_s)->setText(u"0"_s);
    }

    // The index of the new row of the list after the change, or an empty text.
    QString createdRow(QTreeWidget &list, const QString &button)
    {
        QStringList before;
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            before << list.topLevelItem(i)->text(0);
        if (!change(button) || !settled())
            return {};
        for (int i = 0; i < list.topLevelItemCount(); ++i) {
            if (!before.contains(list.topLevelItem(i)->text(0)))
                return list.topLevelItem(i)->text(0);
        }
        return {};
    }

    QString createEvent(const QString &description)
    {
        child<QLineEdit>(*m_page, u"edtEventDescription"_s)->setText(description);
        child<QComboBox>(*m_page, u"cbxEventType"_s)->setCurrentText(u"log"_s);
        child<QLineEdit>(*m_page, u"edtEventCommunity"_s)->setText(u"public"_s);
        return createdRow(*m_events, u"btnEventCreate"_s);
    }

    QString createAlarm(const QString &variable,
                        const QString &rising,
                        const QString &falling,
                        const QString &risingEvent)
    {
        fillAlarm(variable, rising, falling, risingEvent);
        return createdRow(*m_alarms, u"btnAlarmCreate"_s);
    }

    int logRowsOf(const QString &event) const
    {
        return static_cast<int>(m_log->findItems(event, Qt::MatchExactly, 0).size());
    }

    SimulatedSwitch m_switch;
    std::unique_ptr<TAlarmEventPage> m_page;
    QTreeWidget *m_alarms = nullptr;
    QTreeWidget *m_events = nullptr;
    QTreeWidget *m_log = nullptr;
};

QTEST_MAIN(TestAlarmEventPage)
#include "tst_alarmeventpage.moc"
