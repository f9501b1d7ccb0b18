#include "rmon/counterrate.h"
#include "rmon/portstatistics.h"

#include <QTest>

namespace {

constexpr double Gigabit = 1e9;
const double MaxOctets = MaxOctetsPerSecond(Gigabit);

} // namespace

class TestCounterRate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rateBetweenTwoReadings_data()
    {
        QTest::addColumn<quint32>("before");
        QTest::addColumn<quint32>("after");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<bool>("hasRate");
        QTest::addColumn<double>("rate");
        QTest::newRow("no wrap") << 1000u << 5000u << 2.0 << true << 2000.0;
        QTest::newRow("unchanged") << 7u << 7u << 2.0 << true << 0.0;
        QTest::newRow("one wrap") << 4294967000u << 704u << 2.0 << true << 500.0;
        QTest::newRow("wrap at line rate")
            << 4200000000u << 155032704u << 2.0 << true << 125000000.0;
        QTest::newRow("reset to 0 after a switch reset") << 123456789u << 0u << 2.0 << false << 0.0;
        QTest::newRow("reset, counting again") << 900000000u << 5000u << 2.0 << false << 0.0;
        QTest::newRow("empty interval") << 1000u << 5000u << 0.0 << false << 0.0;
    }

    void rateBetweenTwoReadings()
    {
        QFETCH(quint32, before);
        QFETCH(quint32, after);
        QFETCH(double, seconds);
        QFETCH(bool, hasRate);
        QFETCH(double, rate);

        const std::optional<double> computed = CounterRate(before, after, seconds, MaxOctets);

        QCOMPARE(computed.has_value(), hasRate);
        if (hasRate)
            QCOMPARE(*computed, rate);
    }

    void utilizationCountsTheLineOverhead()
    {
        // 1,000,000 octets in 10,000 packets per second on 100 Mbit/s:
        // (1,000,000 + 10,000 * 20) * 8 bits = 9.6 Mbit/s.
        QCOMPARE(Utilization(1000000, 10000, 1e8), 9.6);
        QCOMPARE(Utilization(1000, 10, 0), 0.0);
    }

    void rowsKeepTheirRatesAndGaps()
    {
        // GIVEN three readings of a port, the last after its counters started again
        PortStatistics statistics;
        EtherCounters totals{};
        totals[Octets] = 1000000;
        totals[Packets] = 1000;
        statistics.update(1, 5, totals, 10.0, Gigabit);
        QVERIFY(!statistics.rows().at(1).rates[Octets]);
        totals[Octets] += 4000000;
        totals[Packets] += 4000;
        statistics.update(1, 5, totals, 12.0, Gigabit);
        const StatisticsRow &row = statistics.rows().at(1);
        QCOMPARE(*row.rates[Octets], 2000000.0);
        QCOMPARE(*row.rates[Packets], 2000.0);
        QCOMPARE(*row.utilization, (2000000.0 + 2000 * 20) * 8 * 100 / Gigabit);
        statistics.update(1, 5, EtherCounters{}, 14.0, Gigabit);

        // THEN the reset is a gap, not a spike
        QVERIFY(!statistics.rows().at(1).rates[Octets]);
        QCOMPARE(statistics.rows().at(1).recent.size(), size_t(2));
        QVERIFY(!statistics.rows().at(1).recent.back().octets);

        // AND a row no longer served goes
        statistics.keepOnly({});
        QVERIFY(statistics.rows().empty());
    }
};

QTEST_GUILESS_MAIN(TestCounterRate)
#include "tst_counterrate.moc"
