// The Statistics page against the simulated switch, polls driven by the test.
#include "moduletest.h"
#include "rmon/rmonwindow.h"
#include "rmon/statisticspage.h"
#include "rmon/statisticspoller.h"
#include "scriptedprompts.h"
#include "simulator.h"

#include <QComboBox>
#include <QFile>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

constexpr int PortCount = 24;
constexpr int OctetsColumn = 3;
const QString TrafficRate = u"1.3.6.1.4.1.88508.99.1.1.1."_s;
const QString TrafficBurst = u"1.3.6.1.4.1.88508.99.1.1.2."_s;

} // namespace

class TestStatisticsPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void init()
    {
        m_page = std::make_unique<TStatisticsPage>();
        m_list = m_page->findChild<QTreeWidget *>(u"lvwStatistics"_s);
        QVERIFY(m_list);
        QVERIFY(pollDone()); // the poll the page starts on its own
    }

    void cleanup() { m_page.reset(); }

    void oneRowPerPort()
    {
        QCOMPARE(m_list->topLevelItemCount(), PortCount);
        for (int i = 0; i < PortCount; ++i)
            QCOMPARE(m_list->topLevelItem(i)->text(0), QString::number(i + 1));
        // The first reading has no rates yet: nothing to compare with.
        QCOMPARE(m_list->topLevelItem(0)->text(OctetsColumn), u"-"_s);
    }

    void burstOnPort5ShowsInItsRateOnly()
    {
        // GIVEN a switch without traffic, polled twice
        QStringList quiet;
        for (int port = 1; port <= PortCount; ++port)
            quiet << TrafficRate + QString::number(port) << u"u"_s << u"0"_s;
        QCOMPARE(
            m_switch.runTool(u"snmpset"_s, QStringList{u"-v2c"_s, u"-cgranite"_s} + quiet).exitCode,
            0);
        QVERIFY(poll());
        QVERIFY(poll());
        QCOMPARE(octetsRate(5), 0.0);

        // WHEN port 5 takes a burst of 20 MB
        QVERIFY(m_switch.set(TrafficBurst + u"5"_s, u"u"_s, u"20000000"_s));
        QVERIFY(poll());

        // THEN the next poll shows it in port 5's rate and nowhere else
        QVERIFY(octetsRate(5) > 0);
        for (int port = 1; port <= PortCount; ++port) {
            if (port != 5)
                QCOMPARE(octetsRate(port), 0.0);
        }
        QVERIFY(m_list->topLevelItem(4)->text(1).toDouble() > 0); // utilization
    }

    void switchResetIsAGapNotASpike()
    {
        QVERIFY(m_switch.set(TrafficRate + u"1"_s, u"u"_s, u"2400000"_s));
        QVERIFY(poll());
        QVERIFY(poll());
        QVERIFY(octetsRate(1) > 0);
        QVERIFY(m_switch.set(u"1.3.6.1.4.1.88508.12.1.2.3.0"_s, u"i"_s, u"2"_s));
        QVERIFY(poll());
        QCOMPARE(m_list->topLevelItem(0)->text(OctetsColumn), u"-"_s);
        QVERIFY(poll());
        QVERIFY(octetsRate(1) > 0);
    }

    void totalsAndCsv()
    {
        // GIVEN the totals shown
        m_page->findChild<QComboBox *>(u"cbxStatisticsShow"_s)->setCurrentIndex(0);
        const QString octets = m_list->topLevelItem(0)->text(OctetsColumn);
        QVERIFY(octets.toULongLong() > 0);

        // WHEN they are saved as CSV
        QTemporaryDir folder;
        ScriptedPrompts prompts;
        prompts.savePaths.push_back(folder.filePath(u"stats.csv"_s));
        m_page->btnStatisticsSaveClick();

        // THEN the file holds the header and one line per port, cells as shown
        QFile file(folder.filePath(u"stats.csv"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines
            = QString::fromUtf8(file.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), PortCount + 1);
        QVERIFY(lines[0].startsWith(u"Port,Util. %,Drops,Octets,Packets,"_s));
        QVERIFY(lines[1].startsWith(u"1,"_s));
        QCOMPARE(lines[1].split(u',').at(OctetsColumn), octets);
    }

    void portWithoutRowGetsOneOnRequest()
    {
        // GIVEN port 7's statistics row removed on the switch
        const QString entry = u"1.3.6.1.2.1.16.1.1.1."_s;
        QVERIFY(m_switch.set(entry + u"21.7"_s, u"i"_s, u"4"_s));
        QVERIFY(poll());
        QCOMPARE(m_list->topLevelItemCount(), PortCount - 1);
        auto *missing = m_page->findChild<QComboBox *>(u"cbxStatisticsMissingPort"_s);
        QCOMPARE(missing->count(), 1);
        QCOMPARE(missing->currentText(), u"7"_s);

        // WHEN the user asks for one
        QSignalSpy created(&m_page->poller(), &StatisticsPoller::created);
        QSignalSpy polled(&m_page->poller(), &StatisticsPoller::polled);
        m_page->btnStatisticsCreateClick();
        QVERIFY(created.wait(5000));
        QVERIFY(polled.wait(5000));

        // THEN the switch has a valid row for port 7 owned by this program, and it is shown
        QCOMPARE(m_switch.get(entry + u"21.7"_s), u"1"_s);
        QCOMPARE(m_switch.get(entry + u"20.7"_s), u"rq5160"_s);
        QCOMPARE(m_switch.get(entry + u"2.7"_s), u".1.3.6.1.2.1.2.2.1.1.7"_s);
        QCOMPARE(m_list->topLevelItemCount(), PortCount);
        QCOMPARE(missing->count(), 0);
    }

    void selectorOpensThePageOnTheSwitch()
    {
        TRmonWindow window(m_switch.address(), RmonPage::Statistics);
        auto *pages = window.findChild<QTabWidget *>(u"RmonPages"_s);
        QCOMPARE(pages->currentWidget(), &window.statisticsPage());
        QSignalSpy polled(&window.statisticsPage().poller(), &StatisticsPoller::polled);
        QVERIFY(polled.wait(5000));
    }

private:
    bool pollDone()
    {
        QSignalSpy polled(&m_page->poller(), &StatisticsPoller::polled);
        return m_page->poller().busy() ? polled.wait(5000) : true;
    }

    bool poll()
    {
        QSignalSpy polled(&m_page->poller(), &StatisticsPoller::polled);
        m_page->btnStatisticsRefreshClick();
        return polled.wait(5000);
    }

    double octetsRate(int port) const
    {
        return m_list->topLevelItem(port - 1)->text(OctetsColumn).toDouble();
    }

    SimulatedSwitch m_switch;
    std::unique_ptr<TStatisticsPage> m_page;
    QTreeWidget *m_list = nullptr;
};

QTEST_MAIN(TestStatisticsPage)
#include "tst_statisticspage.moc"
