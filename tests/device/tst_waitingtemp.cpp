#include "device/waitingtemp.h"
#include "scriptedprompts.h"
#include "snmp/errors.h"
#include "snmp/kxexception.h"

#include <QProgressBar>
#include <QTest>

using namespace Qt::StringLiterals;

class TestWaitingTemp : public QObject
{
    Q_OBJECT

    QWidget m_opener;

private Q_SLOTS:
    void loadsOnceShownThenCloses()
    {
        int loads = 0;
        TWaitingTemp waiting(&m_opener, [&] { ++loads; });
        QCOMPARE(waiting.windowTitle(), u"Please Waiting..."_s);
        QCOMPARE(waiting.progressBar()->maximum(), 100);
        QCOMPARE(loads, 0);

        waiting.show();

        QTRY_VERIFY(!waiting.isVisible());
        QCOMPARE(loads, 1);
    }

    void closesAlsoWhenLoadingFails()
    {
        ScriptedPrompts prompts;
        TWaitingTemp waiting(&m_opener, [] { KxException::raise(-405); });

        waiting.show();

        QTRY_VERIFY(!waiting.isVisible());
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown.front().kind, Prompts::Kind::Error);
        QCOMPARE(prompts.shown.front().text, ErrorMessage(-405));
    }
};

QTEST_MAIN(TestWaitingTemp)
#include "tst_waitingtemp.moc"
