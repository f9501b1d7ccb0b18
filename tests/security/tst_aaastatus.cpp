#include "dialogtest.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "security/aaastatus.h"
#include "simulator.h"

#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString adminState = u"1.3.6.1.4.1.88508.12.5.1.1.0"_s;
const QString responseTimeout = u"1.3.6.1.4.1.88508.12.5.8.1.0"_s;
const QString attempts = u"1.3.6.1.4.1.88508.12.5.8.2.0"_s;

} // namespace

class TestAAAStatus : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    std::unique_ptr<TAAAStatusForm> openForm()
    {
        auto form = std::make_unique<TAAAStatusForm>();
        form->show();
        QCoreApplication::processEvents(); // the first read
        return form;
    }

    static void
    enter(const TAAAStatusForm &form, int status, const QString &timeout, const QString &attempt)
    {
        child<RadioGroup>(form, u"rgpTACACSStatus"_s)->setItemIndex(status);
        child<QLineEdit>(form, u"edtTimeout"_s)->setText(timeout);
        child<QLineEdit>(form, u"edtAttempt"_s)->setText(attempt);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void opensWithTheSwitchsValues()
    {
        auto form = openForm();
        QCOMPARE(child<RadioGroup>(*form, u"rgpTACACSStatus"_s)->items(),
                 QStringList({u"Disabled"_s, u"Enabled"_s}));
        QCOMPARE(child<RadioGroup>(*form, u"rgpTACACSStatus"_s)->itemIndex(), 0);
        QCOMPARE(child<QLineEdit>(*form, u"edtTimeout"_s)->text(), u"5"_s);
        QCOMPARE(child<QLineEdit>(*form, u"edtAttempt"_s)->text(), u"3"_s);
        QVERIFY(!child<QWidget>(*form, u"btnHelp"_s)->isEnabled());
    }

    void refusedEntriesSendNothing_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("timeout");
        QTest::addColumn<QString>("attempt");
        QTest::addColumn<QString>("message");
        QTest::newRow("no status") << -1 << u"5"_s << u"3"_s << u"You should set TACACS Status."_s;
        QTest::newRow("time-out 256") << 1 << u"256"_s << u"3"_s
                                      << u"Please input valid integer in field Response Timeout."_s;
        QTest::newRow("time-out not a number")
            << 1 << u"x"_s << u"3"_s << u"Please input valid integer in field Response Timeout."_s;
        QTest::newRow("attempts 0")
            << 1 << u"0"_s << u"0"_s << u"Please input valid integer in field User Attempts."_s;
        QTest::newRow("attempts 256")
            << 1 << u"5"_s << u"256"_s << u"Please input valid integer in field User Attempts."_s;
    }

    void refusedEntriesSendNothing()
    {
        QFETCH(int, status);
        QFETCH(QString, timeout);
        QFETCH(QString, attempt);
        QFETCH(QString, message);
        auto form = openForm();
        enter(*form, status, timeout, attempt);
        ScriptedPrompts prompts;
        const quint32 sets = m_switch.setRequests();
        click(*form, u"btnApply"_s);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void validApplyReadsBack()
    {
        auto form = openForm();
        const auto restore = qScopeGuard([this] {
            m_switch.set(adminState, u"i"_s, u"2"_s);
            m_switch.set(responseTimeout, u"i"_s, u"5"_s);
            m_switch.set(attempts, u"i"_s, u"3"_s);
        });
        enter(*form, 1, u"0"_s, u"255"_s);
        ScriptedPrompts prompts;
        click(*form, u"btnApply"_s);
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(m_switch.get(adminState), u"3"_s);
        QCOMPARE(m_switch.get(responseTimeout), u"0"_s);
        QCOMPARE(m_switch.get(attempts), u"255"_s);

        click(*form, u"btnRefresh"_s);
        QCOMPARE(child<RadioGroup>(*form, u"rgpTACACSStatus"_s)->itemIndex(), 1);
        QCOMPARE(child<QLineEdit>(*form, u"edtAttempt"_s)->text(), u"255"_s);
    }
};

QTEST_MAIN(TestAAAStatus)
#include "tst_aaastatus.moc"
