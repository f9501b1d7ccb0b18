#include "binding/edits.h"
#include "device/progressform.h"
#include "moduletest.h"
#include "simulator.h"
#include "snmp/kxexception.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const KxSNMPVarDesc locationTable[] = {
    {"1.3.6.1.2.1.1.6", "sysLocation", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {},
};

// A binding whose collecting of values fails.
class FailingBinding final : public KxSNMPRequest2Controls
{
public:
    using KxSNMPRequest2Controls::KxSNMPRequest2Controls;
    int collected = 0;

protected:
    void RowReceived() override {}
    void CollectValues() override
    {
        ++collected;
        KxException::raise(-518);
    }
};

} // namespace

class TestProgressForm : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;
    QDialog m_opener;

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void appliesTheBindingWhenCreated()
    {
        // GIVEN the opener's binding with a changed value in its edit box
        KxSNMPRequest2Edits binding(&m_opener);
        binding.varList().Assign(KxSNMPVarList(locationTable, SVT_SV, 0));
        binding.asynchronous = false;
        QLineEdit location;
        binding.BindControl(0, &location);
        location.setText(u"Rack 9"_s);

        TBasicProgressForm progress(&m_opener, binding);

        const auto read = m_switch.runTool(
            u"snmpget"_s, {u"-v2c"_s, u"-c"_s, u"tundra"_s, u"1.3.6.1.2.1.1.6.0"_s});
        QVERIFY2(read.out.contains(u"\"Rack 9\""_s), qPrintable(read.out + read.err));
        QCOMPARE(progress.windowTitle(), u"Progress"_s);
        QCOMPARE(progress.parentWidget(), &m_opener);
        QVERIFY(progress.findChild<QLabel *>(u"LB_Prompt"_s)->font().bold());
        QCOMPARE(progress.progressBar()->maximum(), 76);
        QCOMPARE(progress.progressBar()->value(), 0);
        QVERIFY(progress.isTimerRunning());
    }

    void applyErrorIsDropped()
    {
        FailingBinding binding(&m_opener);
        TBasicProgressForm progress(&m_opener, binding);
        QCOMPARE(binding.collected, 1);
        QVERIFY(!binding.busy());
        QVERIFY(progress.isTimerRunning());
    }

    void closesAtTheTickAfterThirty()
    {
        FailingBinding binding(&m_opener);
        TBasicProgressForm progress(&m_opener, binding);
        progress.show();

        for (int tick = 0; tick < TBasicProgressForm::CloseAt; ++tick)
            progress.ProgressTimerTimer();
        QCOMPARE(progress.progressBar()->value(), 30);
        QVERIFY(progress.isVisible());

        progress.ProgressTimerTimer();
        QVERIFY(!progress.isVisible());
        QVERIFY(!progress.isTimerRunning());
        QCOMPARE(progress.progressBar()->value(), 30);
    }
};

QTEST_MAIN(TestProgressForm)
#include "tst_progressform.moc"
