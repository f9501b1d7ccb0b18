#include "files/tftpretransmit.h"

#include <QTest>

// Drives the schedule of one packet that is never answered and records when
// it went out; the last entry is the moment the session gives up.
QList<qint64> unansweredSchedule(TftpRetransmission &timer, qint64 start)
{
    QList<qint64> sends{start};
    timer.sent(start);
    for (int guard = 0; guard < 100; ++guard) {
        const qint64 now = timer.deadline();
        if (!timer.mayResend(now)) {
            sends.append(now);
            break;
        }
        timer.resent(now);
        sends.append(now);
    }
    return sends;
}

class TestTftpRetransmit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void schedules_data()
    {
        QTest::addColumn<qint64>("timeout");
        QTest::addColumn<int>("retries");
        QTest::addColumn<qint64>("negotiated");
        QTest::addColumn<qint64>("roundTrip"); // -1: none measured
        QTest::addColumn<QList<qint64>>("sends");

        QTest::newRow("unmeasured, 30 s: every second at first, doubling")
            << qint64(30000) << 3 << qint64(0) << qint64(-1)
            << QList<qint64>{0, 1000, 3000, 7000, 15000, 30000};
        QTest::newRow("unmeasured, 1 s: three sends fit")
            << qint64(1000) << 3 << qint64(0) << qint64(-1) << QList<qint64>{0, 250, 750, 1000};
        QTest::newRow("fast link: the shortest interval")
            << qint64(1000) << 3 << qint64(0) << qint64(2) << QList<qint64>{0, 100, 300, 700, 1000};
        QTest::newRow("slow link: near the round trip")
            << qint64(30000) << 3 << qint64(0) << qint64(800)
            << QList<qint64>{0, 2400, 7200, 16800, 30000};
        QTest::newRow("negotiated 2 s: fixed, as often as the retry limit")
            << qint64(30000) << 3 << qint64(2000) << qint64(2)
            << QList<qint64>{0, 2000, 4000, 6000};
    }

    void schedules()
    {
        QFETCH(qint64, timeout);
        QFETCH(int, retries);
        QFETCH(qint64, negotiated);
        QFETCH(qint64, roundTrip);
        QFETCH(QList<qint64>, sends);
        TftpRetransmission timer;
        timer.configure(timeout, retries, negotiated);
        if (roundTrip >= 0) {
            timer.sent(0);
            timer.answered(roundTrip);
        }
        const qint64 start = 10000;
        QList<qint64> expected;
        for (const qint64 at : sends)
            expected.append(start + at);
        QCOMPARE(unansweredSchedule(timer, start), expected);
    }

    // Karn: an answer to a resent packet may belong to either copy.
    void answersToResentPacketsAreNoSamples()
    {
        TftpRetransmission timer;
        timer.configure(30000, 3, 0);
        timer.sent(0);
        timer.resent(1000);
        timer.answered(1001);
        timer.sent(1001);
        QCOMPARE(timer.deadline(), 2001); // still the unmeasured interval
        timer.answered(1005);
        timer.sent(1005);
        QCOMPARE(timer.deadline(), 1005 + TftpRetransmission::MinInterval);
        QVERIFY(timer.deadline() >= 0);
        timer.answered(1010);
        QCOMPARE(timer.deadline(), -1);
    }
};

QTEST_GUILESS_MAIN(TestTftpRetransmit)
#include "tst_tftpretransmit.moc"
