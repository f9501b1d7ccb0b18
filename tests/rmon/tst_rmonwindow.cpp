#include "moduletest.h"
#include "rmon/rmonwindow.h"
#include "simulator.h"

#include <QFileInfo>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

class TestRmonWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void selectorOpensItsPage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<RmonPage>("page");
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("widget");
        const QStringList switchArguments{u"/I10.1.1.1"_s, u"/Rpub"_s, u"/Wpriv"_s};
        QTest::newRow("statistics")
            << (switchArguments + QStringList{u"/TRmon_Statistics"_s}) << RmonPage::Statistics
            << u"Statistics"_s << u"StatisticsPage"_s;
        QTest::newRow("history") << (switchArguments + QStringList{u"/TRmon_History"_s})
                                 << RmonPage::History << u"History"_s << u"HistoryPage"_s;
        QTest::newRow("alarm/event")
            << (switchArguments + QStringList{u"/TRmon_AlarmEvent"_s}) << RmonPage::AlarmEvent
            << u"Alarm/Event"_s << u"AlarmEventPage"_s;
        QTest::newRow("no selector")
            << switchArguments << RmonPage::Statistics << u"Statistics"_s << u"StatisticsPage"_s;
        QTest::newRow("unknown selector")
            << (switchArguments + QStringList{u"/TRmon_Other"_s}) << RmonPage::Statistics
            << u"Statistics"_s << u"StatisticsPage"_s;
    }

    void selectorOpensItsPage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(RmonPage, page);
        QFETCH(QString, tab);
        QFETCH(QString, widget);

        // WHEN the program's window opens for that command line
        TRmonWindow window(u"10.1.1.1"_s, PageOfArguments(arguments));

        // THEN the page the selector names is the one shown
        QCOMPARE(window.currentPage(), page);
        auto *pages = window.findChild<QTabWidget *>(u"RmonPages"_s);
        QVERIFY(pages);
        QCOMPARE(pages->tabText(pages->currentIndex()), tab);
        QCOMPARE(pages->currentWidget()->objectName(), widget);
        QCOMPARE(window.windowTitle(), u"RMON :10.1.1.1"_s);
    }

    void programIsBuiltUnderTheLaunchName()
    {
        // The module starts "Rmon.EXE" from its own folder.
        const QFileInfo program(QStringLiteral(RQ5160_BINARY_DIR "/src/app/Rmon.EXE"));
        QVERIFY(program.isExecutable());
        QVERIFY(QFileInfo(QStringLiteral(RQ5160_BINARY_DIR "/src/app/rq5160")).isExecutable());
    }

private:
    SimulatedSwitch m_switch;
};

QTEST_MAIN(TestRmonWindow)
#include "tst_rmonwindow.moc"
