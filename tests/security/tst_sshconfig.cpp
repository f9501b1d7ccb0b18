#include "dialogtest.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "security/sshconfig.h"
#include "simulator.h"
#include "snmp/records.h"

#include <QLabel>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString sshArc = u"1.3.6.1.4.1.88508.12.6."_s;
const QString maxSession = sshArc + u"1.5.0"_s;
const QString blowfish = sshArc + u"3.1.2.0"_s;

enum Page { Server, AuthMode, Algorithm };

// The algorithm objects, by their sub-identifiers below the SSH arc.
const QStringList algorithmOids = {u"3.1.1"_s,
                                   u"3.1.2"_s,
                                   u"3.1.3"_s,
                                   u"3.1.4"_s,
                                   u"3.1.5"_s,
                                   u"3.1.6"_s,
                                   u"3.1.7"_s,
                                   u"3.1.8"_s,
                                   u"3.1.9"_s,
                                   u"3.1.10"_s,
                                   u"3.3.1"_s,
                                   u"3.3.2"_s,
                                   u"3.5.1"_s,
                                   u"3.5.2"_s};

} // namespace

class TestSSHConfig : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;
    QTemporaryDir m_files;

    std::unique_ptr<TSSHConfigForm> openForm(Page page)
    {
        auto form = std::make_unique<TSSHConfigForm>();
        form->show();
        QCoreApplication::processEvents(); // the first reads
        form->pages()->setCurrentIndex(page);
        return form;
    }

    QStringList algorithmsOnSwitch() const
    {
        QStringList values;
        for (const QString &oid : algorithmOids)
            values << m_switch.get(sshArc + oid + u".0"_s);
        return values;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void opensWithTheSwitchsValues()
    {
        auto form = openForm(Server);
        QCOMPARE(child<QLabel>(*form, u"lblVersionValue"_s)->text(), u"2"_s);
        QCOMPARE(child<RadioGroup>(*form, u"rgpServerStatus"_s)->itemIndex(), 1);
        QCOMPARE(child<RadioGroup>(*form, u"rgpRetryTimeout"_s)->items(),
                 QStringList({u"Never"_s, u"10mins"_s, u"30mins"_s, u"60mins"_s}));
        QCOMPARE(child<QLineEdit>(*form, u"edtMaxSession"_s)->text(), u"8"_s);
        QCOMPARE(child<QLineEdit>(*form, u"edtTimeout"_s)->text(), u"120"_s);
        QCOMPARE(child<RadioGroup>(*form, u"rgpBlowfish"_s)->items(),
                 QStringList({u"Disabled"_s, u"Enabled"_s}));
        QCOMPARE(child<RadioGroup>(*form, u"rgpBlowfish"_s)->itemIndex(), 1);
    }

    void refusedServerEntriesSendNothing_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString session = u"Please input valid integer in field Max Session."_s;
        const QString timeout = u"Please input valid integer in field Timeout."_s;
        const QString attempts = u"Please input valid integer in field MaxAuthFailAttempts."_s;
        QTest::newRow("session 0") << u"edtMaxSession"_s << u"0"_s << session;
        QTest::newRow("session 9") << u"edtMaxSession"_s << u"9"_s << session;
        QTest::newRow("session blank") << u"edtMaxSession"_s << QString() << session;
        QTest::newRow("timeout 119") << u"edtTimeout"_s << u"119"_s << timeout;
        QTest::newRow("timeout 601") << u"edtTimeout"_s << u"601"_s << timeout;
        QTest::newRow("attempts 1") << u"edtMaxFailAttempts"_s << u"1"_s << attempts;
        QTest::newRow("attempts 21") << u"edtMaxFailAttempts"_s << u"21"_s << attempts;
    }

    void refusedServerEntriesSendNothing()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        ScriptedPrompts prompts; // also for the box's own check when the dialog closes
        auto form = openForm(Server);
        // Past the box's own typing checks: Apply checks again.
        auto *edit = child<QLineEdit>(*form, box);
        const QSignalBlocker unchecked(edit);
        edit->setText(text);
        const quint32 sets = m_switch.setRequests();
        click(*form, u"btnApply"_s);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void unchosenGroupIsNamed()
    {
        auto form = openForm(Algorithm);
        child<RadioGroup>(*form, u"rgpTwofish192Status"_s)->setItemIndex(-1);
        child<RadioGroup>(*form, u"rgpRSAStatus"_s)->setItemIndex(-1);
        ScriptedPrompts prompts;
        click(*form, u"btnApply"_s);
        QCOMPARE(prompts.lastText(), u"Please choose field Twofish192 Status."_s);
    }

    // The version is read-only: a SET carrying it would be refused.
    void serverApplyWritesTheSessionsWithoutTheVersion()
    {
        auto form = openForm(Server);
        const auto restore = qScopeGuard([this] { m_switch.set(maxSession, u"i"_s, u"8"_s); });
        child<QLineEdit>(*form, u"edtMaxSession"_s)->setText(u"5"_s);
        ScriptedPrompts prompts;
        const quint32 sets = m_switch.setRequests();
        click(*form, u"btnApply"_s);
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(m_switch.setRequests(), sets + 1);
        QCOMPARE(m_switch.get(maxSession), u"5"_s);
        QCOMPARE(child<QLabel>(*form, u"stbResultText"_s)->text(), u"(KxSNMP++) Ok!"_s);
    }

    void blowfishDisabledChangesOnlyBlowfish()
    {
        auto form = openForm(Algorithm);
        const auto restore = qScopeGuard([this] { m_switch.set(blowfish, u"i"_s, u"3"_s); });
        QStringList expected = algorithmsOnSwitch();
        expected[algorithmOids.indexOf(u"3.1.2"_s)] = u"2"_s;
        child<RadioGroup>(*form, u"rgpBlowfish"_s)->setItemIndex(0);
        const quint32 sets = m_switch.setRequests();
        click(*form, u"btnApply"_s);
        QCOMPARE(m_switch.setRequests(), sets + 1);
        QCOMPARE(algorithmsOnSwitch(), expected);
    }

    // A switch that takes at most four sessions refuses five.
    void refusedSetIsShownAndTheSwitchsValuesReturn()
    {
        const QString data = m_files.filePath(u"four-sessions.sim"_s);
        QVERIFY(WriteSwitchData(
            data,
            "scalar 1.3.6.1.4.1.88508.12.6.1.5 swSSHMaxSession integer rw values 1..4 = 4\n"));
        SimulatedSwitch other(SimulatedSwitch::Options{data, {}, -1, -1});
        QVERIFY(other.start());
        const quint16 port = GlobalDevice().port;
        GlobalDevice().port = other.port();
        const auto back = qScopeGuard([port] { GlobalDevice().port = port; });

        auto form = openForm(Server);
        child<QLineEdit>(*form, u"edtMaxSession"_s)->setText(u"5"_s);
        ScriptedPrompts prompts;
        click(*form, u"btnApply"_s);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(child<QLabel>(*form, u"stbResultText"_s)->text(), prompts.lastText());
        QCOMPARE(child<QLineEdit>(*form, u"edtMaxSession"_s)->text(), u"4"_s);
        QCOMPARE(other.get(maxSession), u"4"_s);
    }
};

QTEST_MAIN(TestSSHConfig)
#include "tst_sshconfig.moc"
