#include "rmon/alarmentry.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(AlarmEntry)

class TestAlarmEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void alarmEntryChecks_data()
    {
        QTest::addColumn<AlarmEntry>("entry");
        QTest::addColumn<QString>("problem");
        const AlarmEntry sound{
            u"1.3.6.1.2.1.16.1.1.1.4.5"_s, u"30"_s, u"1000000"_s, u"100000"_s, u"1"_s, u"0"_s};
        auto with = [&sound](auto member, const QString &value) {
            AlarmEntry entry = sound;
            entry.*member = value;
            return entry;
        };
        QTest::newRow("sound") << sound << QString();
        QTest::newRow("leading dot")
            << with(&AlarmEntry::variable, u".1.3.6.1.2.1.2.2.1.10.5"_s) << QString();
        QTest::newRow("equal thresholds") << with(&AlarmEntry::falling, u"1000000"_s) << QString();
        QTest::newRow("negative thresholds")
            << AlarmEntry{sound.variable, u"5"_s, u"-10"_s, u"-20"_s, u"0"_s, u"0"_s} << QString();
        QTest::newRow("empty variable")
            << with(&AlarmEntry::variable, u" "_s) << u"Please enter the variable to sample."_s;
        QTest::newRow("variable by name")
            << with(&AlarmEntry::variable, u"etherStatsOctets.5"_s)
            << u"The variable must be a numeric object identifier such as "
               u"1.3.6.1.2.1.16.1.1.1.4.5."_s;
        QTest::newRow("variable with an empty part")
            << with(&AlarmEntry::variable, u"1.3..6"_s)
            << u"The variable must be a numeric object identifier such as "
               u"1.3.6.1.2.1.16.1.1.1.4.5."_s;
        QTest::newRow("empty interval")
            << with(&AlarmEntry::interval, QString()) << u"Please enter interval in seconds."_s;
        QTest::newRow("zero interval")
            << with(&AlarmEntry::interval, u"0"_s)
            << u"The interval in seconds must be a whole number from 1 to 2147483647."_s;
        QTest::newRow("empty rising threshold")
            << with(&AlarmEntry::rising, QString()) << u"Please enter rising threshold."_s;
        QTest::newRow("rising threshold not a number")
            << with(&AlarmEntry::rising, u"1e6"_s)
            << u"The rising threshold must be a whole number from -2147483648 to 2147483647."_s;
        QTest::newRow("falling threshold too big")
            << with(&AlarmEntry::falling, u"2147483648"_s)
            << u"The falling threshold must be a whole number from -2147483648 to 2147483647."_s;
        QTest::newRow("falling above rising")
            << with(&AlarmEntry::falling, u"1000001"_s)
            << u"The falling threshold (1000001) must not be above the rising threshold (1000000)."_s;
        QTest::newRow("rising event that does not exist")
            << with(&AlarmEntry::risingEvent, u"7"_s)
            << u"There is no event 7 for the rising event: create the event first, or enter 0 "
               u"for none."_s;
        QTest::newRow("falling event that does not exist")
            << with(&AlarmEntry::fallingEvent, u"2"_s)
            << u"There is no event 2 for the falling event: create the event first, or enter 0 "
               u"for none."_s;
        QTest::newRow("empty event")
            << with(&AlarmEntry::fallingEvent, QString()) << u"Please enter falling event."_s;
    }

    void alarmEntryChecks()
    {
        QFETCH(AlarmEntry, entry);
        QFETCH(QString, problem);
        QCOMPARE(AlarmEntryProblem(entry, {1}), problem);
    }

    void eventEntryChecks_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("community");
        QTest::addColumn<QString>("problem");
        QTest::newRow("sound") << u"Port 5 busy"_s << u"public"_s << QString();
        QTest::newRow("no community") << u"Port 5 busy"_s << QString() << QString();
        QTest::newRow("empty description")
            << u"  "_s << u"public"_s << u"Please enter the event's description."_s;
        QTest::newRow("description too long")
            << QString(128, u'x') << QString()
            << u"The description must not be longer than 127 characters."_s;
        QTest::newRow("community too long")
            << u"Port 5 busy"_s << QString(128, u'c')
            << u"The community must not be longer than 127 characters."_s;
    }

    void eventEntryChecks()
    {
        QFETCH(QString, description);
        QFETCH(QString, community);
        QFETCH(QString, problem);
        QCOMPARE(EventEntryProblem({description, community}), problem);
    }
};

QTEST_GUILESS_MAIN(TestAlarmEntry)
#include "tst_alarmentry.moc"
