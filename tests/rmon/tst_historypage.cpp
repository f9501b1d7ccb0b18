// The History page against the simulated switch, its clock driven by the test.
#include "dialogtest.h"
#include "moduletest.h"
#include "rmon/historypage.h"
#include "rmon/rmontable.h"
#include "scriptedprompts.h"
#include "simulator.h"
#include "snmp/varlist.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QLineSeries>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString ControlEntry = u"1.3.6.1.2.1.16.2.1.1."_s;
const QString ClockAdvance = u"1.3.6.1.4.1.88508.99.2.1.0"_s;
constexpr int StatusColumn = 6;

} // namespace

class TestHistoryPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void init()
    {
        m_page = std::make_unique<THistoryPage>();
        m_entries = child<QTreeWidget>(*m_page, u"lvwHistoryControl"_s);
        m_buckets = child<QTreeWidget>(*m_page, u"lvwHistoryBuckets"_s);
        QVERIFY(settled());
    }

    void cleanup() { m_page.reset(); }

    void entryWith50BucketsOf30sFillsWithDrivenTime()
    {
        // GIVEN an entry created from the page for port 5, 30 s, 50 buckets
        const int before = m_entries->topLevelItemCount();
        child<QComboBox>(*m_page, u"cbxHistoryPort"_s)->setCurrentText(u"5"_s);
        child<QLineEdit>(*m_page, u"edtHistoryInterval"_s)->setText(u"30"_s);
        child<QLineEdit>(*m_page, u"edtHistoryBuckets"_s)->setText(u"50"_s);
        QVERIFY(change(u"btnHistoryCreate"_s));
        QVERIFY(settled());

        // THEN the switch has it, valid and owned by this program, and the page chose it
        QCOMPARE(m_entries->topLevelItemCount(), before + 1);
        const QTreeWidgetItem *entry = m_entries->selectedItems().constFirst();
        const QString index = entry->text(0);
        QCOMPARE(entry->text(1), u"5"_s);
        QCOMPARE(entry->text(StatusColumn), u"valid"_s);
        QCOMPARE(m_switch.get(ControlEntry + u"7."_s + index), u"1"_s);
        QCOMPARE(m_switch.get(ControlEntry + u"6."_s + index), u"rq5160"_s);
        QCOMPARE(m_switch.get(ControlEntry + u"2."_s + index), u".1.3.6.1.2.1.2.2.1.1.5"_s);
        QCOMPARE(m_switch.get(ControlEntry + u"5."_s + index), u"30"_s);

        // WHEN 26 minutes pass on the switch with port 5 carrying traffic
        QVERIFY(m_switch.set(ClockAdvance, u"i"_s, u"1560"_s));
        m_page->btnHistoryRefreshClick();
        QVERIFY(settled());

        // THEN the 50 buckets granted are shown, with traffic, and charted over time
        QCOMPARE(m_buckets->topLevelItemCount(), 50);
        QVERIFY(m_buckets->topLevelItem(49)->text(3).toULongLong() > 0); // octets
        QVERIFY(m_buckets->topLevelItem(49)->text(2).toDouble() > 0);    // utilization
        auto *chart = child<QChartView>(*m_page, u"chtHistory"_s)->chart();
        QCOMPARE(chart->series().size(), 1);
        const auto *series = static_cast<QLineSeries *>(chart->series().constFirst());
        QCOMPARE(series->count(), 50);
        QCOMPARE(series->at(49).x(), 0.0);
        QCOMPARE(series->at(0).x(), -49 * 30 / 60.0);

        // AND the buckets save as CSV
        QTemporaryDir folder;
        ScriptedPrompts prompts;
        prompts.savePaths.push_back(folder.filePath(u"history.csv"_s));
        m_page->btnHistorySaveClick();
        QFile file(folder.filePath(u"history.csv"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines
            = QString::fromUtf8(file.readAll()).split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 51);
        QVERIFY(lines[0].startsWith(u"Sample,Start s,Util. %,Octets,Packets"_s));

        // WHEN it is removed
        QVERIFY(change(u"btnHistoryRemove"_s));
        QVERIFY(settled());

        // THEN it is gone on the switch and from the page
        QCOMPARE(m_entries->topLevelItemCount(), before);
        QVERIFY(m_switch.get(ControlEntry + u"7."_s + index).startsWith(u"No Such"_s));
    }

    void entryChecksBeforeAnythingIsWritten_data()
    {
        QTest::addColumn<QString>("interval");
        QTest::addColumn<QString>("buckets");
        QTest::addColumn<QString>("message");
        QTest::newRow("no interval")
            << QString() << u"50"_s
            << u"The interval must be a whole number of seconds from 1 to 3600."_s;
        QTest::newRow("interval too long")
            << u"3601"_s << u"50"_s
            << u"The interval must be a whole number of seconds from 1 to 3600."_s;
        QTest::newRow("no buckets")
            << u"30"_s << u"0"_s
            << u"The buckets requested must be a whole number from 1 to 65535."_s;
    }

    void entryChecksBeforeAnythingIsWritten()
    {
        QFETCH(QString, interval);
        QFETCH(QString, buckets);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        child<QLineEdit>(*m_page, u"edtHistoryInterval"_s)->setText(interval);
        child<QLineEdit>(*m_page, u"edtHistoryBuckets"_s)->setText(buckets);
        const quint32 sets = m_switch.setRequests();

        m_page->btnHistoryCreateClick();

        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void noEntryIsMadeBeforeTheEntriesAreRead()
    {
        // The new entry's index is chosen from the entries read: before they
        // are, it could be one the switch already has.
        ScriptedPrompts prompts;
        const quint32 sets = m_switch.setRequests();
        THistoryPage fresh;
        fresh.btnHistoryCreateClick();
        QCOMPARE(prompts.lastText(),
                 u"The switch's entries are still being read. Please try again in a moment."_s);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void removalNeedsAChosenEntry()
    {
        ScriptedPrompts prompts;
        const QSignalBlocker blocker(m_entries);
        m_entries->clearSelection();
        m_page->btnHistoryRemoveClick();
        QCOMPARE(prompts.lastText(), u"Please choose the history entry to remove."_s);
    }

    void refusedColumnsLeaveNoHalfMadeRow()
    {
        // GIVEN an entry whose columns the switch refuses (more buckets than it allows)
        const KxSNMPVarDesc control[] = {
            {"1.3.6.1.2.1.16.2.1.1.1",
             "historyControlIndex",
             KxSyntax::Integer,
             KxAccess::NotAccess},
            {"1.3.6.1.2.1.16.2.1.1.3",
             "historyControlBucketsRequested",
             KxSyntax::Integer,
             KxAccess::ReadWrite},
            {"1.3.6.1.2.1.16.2.1.1.7",
             "historyControlStatus",
             KxSyntax::Integer,
             KxAccess::ReadWrite},
            {},
        };
        RmonTable table(control, 1);
        QSignalSpy failed(&table, &RmonTable::failed);

        // WHEN it is created: createRequest, the columns, valid
        QVERIFY(
            table.write({77}, {{{2, u"2"_s}}, {{1, u"70000"_s}}, {{2, u"1"_s}}}, {{2, u"4"_s}}));

        // THEN the refusal is told and the row made by createRequest is gone again
        QVERIFY(failed.wait(5000));
        QVERIFY(!failed.at(0).at(0).toString().isEmpty());
        QVERIFY(m_switch.get(ControlEntry + u"7.77"_s).startsWith(u"No Such"_s));
    }

private:
    bool settled()
    {
        QSignalSpy refreshed(m_page.get(), &THistoryPage::refreshed);
        return !m_page->busy() || refreshed.wait(5000);
    }

    bool change(const QString &button)
    {
        QSignalSpy changed(m_page.get(), &THistoryPage::changed);
        click(*m_page, button);
        return changed.wait(5000);
    }

    SimulatedSwitch m_switch;
    std::unique_ptr<THistoryPage> m_page;
    QTreeWidget *m_entries = nullptr;
    QTreeWidget *m_buckets = nullptr;
};

QTEST_MAIN(TestHistoryPage)
#include "tst_historypage.moc"
