#include "forms/resultbar.h"
#include "snmp/request.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

KxSNMPError result(int code, const QString &text)
{
    KxSNMPError error;
    error.code = code;
    error.message = text;
    return error;
}

} // namespace

class TestResultBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aFailureShowsTheBarAndOutlastsTheReadAfterIt()
    {
        TResultBar bar(u"stbResult"_s);
        bar.hide();
        bar.report(result(0, u"ok"_s));
        QVERIFY(bar.isHidden());
        QCOMPARE(bar.resultText(), u"ok"_s);
        QVERIFY(!bar.timeText().isEmpty());

        bar.report(result(-106, u"refused"_s));
        QVERIFY(!bar.isHidden());
        bar.report(result(0, u"ok"_s)); // the read that follows the failure
        QCOMPARE(bar.resultText(), u"refused"_s);
        bar.report(result(0, u"ok again"_s));
        QCOMPARE(bar.resultText(), u"ok again"_s);
    }
};

QTEST_MAIN(TestResultBar)
#include "tst_resultbar.moc"
