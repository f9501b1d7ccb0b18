#include "dialogtest.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "security/sslconfig.h"
#include "simulator.h"

#include <QLineEdit>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString cipherSuites = u"1.3.6.1.4.1.88508.12.7.1.2.0"_s;

enum Page { State, Certificate };
constexpr int Enabled = 0;
constexpr int Disabled = 1;

} // namespace

class TestSSLConfig : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    std::unique_ptr<TSSLConfigForm> openForm(Page page)
    {
        auto form = std::make_unique<TSSLConfigForm>();
        form->show();
        QCoreApplication::processEvents(); // the first reads
        form->pages()->setCurrentIndex(page);
        return form;
    }

    static QList<int> suites(const TSSLConfigForm &form)
    {
        QList<int> shown;
        for (int group = 1; group <= 4; ++group)
            shown << child<RadioGroup>(form, u"rgpBitMeans%1"_s.arg(group))->itemIndex();
        return shown;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void cipherSuitesKeepTheOtherBits_data()
    {
        QTest::addColumn<QString>("onSwitch");
        QTest::addColumn<QList<int>>("shown");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<QString>("written");
        const QList<int> none{Disabled, Disabled, Disabled, Disabled};
        const QList<int> all{Enabled, Enabled, Enabled, Enabled};
        QTest::newRow("A0, second added")
            << u"A0"_s << QList<int>{Enabled, Disabled, Enabled, Disabled}
            << QList<int>{Enabled, Enabled, Enabled, Disabled} << u"E0"_s;
        QTest::newRow("low bits kept")
            << u"A5"_s << QList<int>{Enabled, Disabled, Enabled, Disabled} << none << u"05"_s;
        QTest::newRow("all") << u"00"_s << none << all << u"F0"_s;
        QTest::newRow("export only")
            << u"F0"_s << all << QList<int>{Disabled, Disabled, Disabled, Enabled} << u"10"_s;
    }

    void cipherSuitesKeepTheOtherBits()
    {
        QFETCH(QString, onSwitch);
        QFETCH(QList<int>, shown);
        QFETCH(QList<int>, chosen);
        QFETCH(QString, written);
        const auto restore = qScopeGuard([this] { m_switch.set(cipherSuites, u"x"_s, u"F0"_s); });
        QVERIFY(m_switch.set(cipherSuites, u"x"_s, onSwitch));
        auto form = openForm(State);
        QCOMPARE(suites(*form), shown);
        for (int group = 1; group <= 4; ++group)
            child<RadioGroup>(*form, u"rgpBitMeans%1"_s.arg(group))
                ->setItemIndex(chosen[group - 1]);
        ScriptedPrompts prompts;
        click(*form, u"btnApply"_s);
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(m_switch.get(cipherSuites, true).remove(u' '), written);
    }

    void unchangedSuitesSendNothing()
    {
        auto form = openForm(State);
        const quint32 sets = m_switch.setRequests();
        click(*form, u"btnApply"_s);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void refusedCertificateEntriesSendNothing_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("keyPath");
        QTest::addColumn<QString>("message");
        const QString badAddress = u"Please input valid IP address in field File IP Address."_s;
        QTest::newRow("0.0.0.0") << u"0.0.0.0"_s << u"switch.key"_s << badAddress;
        QTest::newRow("255.255.255.255") << u"255.255.255.255"_s << u"switch.key"_s << badAddress;
        QTest::newRow("three parts") << u"10.1.1"_s << u"switch.key"_s << badAddress;
        QTest::newRow("part over 255") << u"10.1.1.256"_s << u"switch.key"_s << badAddress;
        QTest::newRow("no key path")
            << u"10.1.1.1"_s << QString() << u"Please input key file path."_s;
    }

    void refusedCertificateEntriesSendNothing()
    {
        QFETCH(QString, address);
        QFETCH(QString, keyPath);
        QFETCH(QString, message);
        auto form = openForm(Certificate);
        child<QLineEdit>(*form, u"edtFileIPAddr"_s)->setText(address);
        child<QLineEdit>(*form, u"edtFilePath"_s)->setText(u"switch.crt"_s);
        child<QLineEdit>(*form, u"edtKeyFilePath"_s)->setText(keyPath);
        ScriptedPrompts prompts;
        const quint32 sets = m_switch.setRequests();
        click(*form, u"btnApply"_s);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void certificateApplyWritesTheFiles()
    {
        const QString arc = u"1.3.6.1.4.1.88508.12.7.2."_s;
        const auto restore = qScopeGuard([this, arc] {
            m_switch.set(arc + u"1.0"_s, u"a"_s, u"0.0.0.0"_s);
            m_switch.set(arc + u"2.0"_s, u"s"_s, QString());
            m_switch.set(arc + u"3.0"_s, u"s"_s, QString());
            m_switch.set(arc + u"4.0"_s, u"i"_s, u"2"_s);
        });
        auto form = openForm(Certificate);
        child<QLineEdit>(*form, u"edtFileIPAddr"_s)->setText(u"10.1.1.1"_s);
        child<QLineEdit>(*form, u"edtFilePath"_s)->setText(u"certs/switch.crt"_s);
        child<QLineEdit>(*form, u"edtKeyFilePath"_s)->setText(u"certs/switch.key"_s);
        child<RadioGroup>(*form, u"rgpFileCtrl"_s)->setItemIndex(2);
        ScriptedPrompts prompts;
        click(*form, u"btnApply"_s);
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(m_switch.get(arc + u"1.0"_s), u"10.1.1.1"_s);
        QCOMPARE(m_switch.get(arc + u"3.0"_s), u"certs/switch.key"_s);
        QCOMPARE(m_switch.get(arc + u"4.0"_s), u"3"_s);
    }
};

QTEST_MAIN(TestSSLConfig)
#include "tst_sslconfig.moc"
