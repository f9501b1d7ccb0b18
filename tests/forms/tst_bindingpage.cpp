#include "forms/bindingpage.h"
#include "moduletest.h"
#include "scriptedprompts.h"
#include "simulator.h"
#include "snmp/records.h"

#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

const QString historySize = u"1.3.6.1.4.1.88508.11.68.1.2.1.2.7.0"_s;
const QString sysContact = u"1.3.6.1.2.1.1.4.0"_s;

// The description is read-only on the switch: a SET that carried it would fail whole.
const KxField testFields[] = {
    {{"1.3.6.1.2.1.1.1", "Description", DisplayStr, ReadWrite},
     "edtDescription",
     "Description",
     Edit},
    {{"1.3.6.1.2.1.1.4", "Contact", DisplayStr, ReadWrite}, "edtContact", "Contact", Edit},
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.7", "History", Integer, ReadWrite},
     "edtHistory",
     "History",
     Edit,
     "%i{n1x500l3}"},
};

class TestPage final : public TBindingPage
{
public:
    TestPage()
        : TBindingPage(u"tsTest"_s, u"Test"_s, {400, 300}, testFields)
    {
        layOutFields();
    }

    // Apply leaves the contact out while `holdContact` is set.
    bool holdContact = false;

    void applyPage() override
    {
        applyBinding(false, [this](int var) { return holdContact && var == ContactVar; });
    }

private:
    static constexpr int ContactVar = 1;
};

} // namespace

class TestBindingPage : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void rangeHintsComeFromTheFormat_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("hint");
        QTest::newRow("range") << u"%i{n1x4094l4}"_s << u"(1...4094)"_s;
        QTest::newRow("unsigned") << u"%u{n0x65535}"_s << u"(0...65535)"_s;
        QTest::newRow("no range") << u"%i{l3}"_s << QString();
        QTest::newRow("text") << u"%s{l32}"_s << QString();
        QTest::newRow("bad format") << u"%q"_s << QString();
    }

    void rangeHintsComeFromTheFormat()
    {
        QFETCH(QString, format);
        QFETCH(QString, hint);
        QCOMPARE(RangeHint(format), hint);
    }

    void applyWritesOnlyTheChangedValue()
    {
        TestPage page;
        page.showPage();
        page.control<QLineEdit>("edtContact")->setText(u"NOC, ext. 12"_s);
        page.applyPage();
        QCOMPARE(m_switch.get(sysContact), u"NOC, ext. 12"_s);

        const quint32 sets = m_switch.setRequests();
        page.applyPage(); // the written value is now the one read
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void aLeftOutValueIsWrittenOnceNoLongerLeftOut()
    {
        TestPage page;
        page.showPage();
        const QString contact = m_switch.get(sysContact);
        const QString history = m_switch.get(historySize);
        page.holdContact = true;
        page.control<QLineEdit>("edtContact")->setText(u"held back"_s);
        page.control<QLineEdit>("edtHistory")->setText(u"123"_s);
        page.applyPage();
        QCOMPARE(m_switch.get(historySize), u"123"_s);
        QCOMPARE(m_switch.get(sysContact), contact);

        page.holdContact = false;
        page.applyPage();
        QCOMPARE(m_switch.get(sysContact), u"held back"_s);
        QVERIFY(m_switch.set(sysContact, u"s"_s, contact));
        QVERIFY(m_switch.set(historySize, u"i"_s, history));
    }

    void anEmptiedNumberBoxIsRefused()
    {
        ScriptedPrompts prompts;
        TestPage page;
        page.showPage();
        const QString before = m_switch.get(historySize);
        const quint32 sets = m_switch.setRequests();
        page.control<QLineEdit>("edtHistory")->clear();
        page.applyPage();
        QCOMPARE(prompts.lastText(), u"(KxCommon) Empty value is not allowed!"_s);
        QCOMPARE(m_switch.setRequests(), sets);
        QCOMPARE(m_switch.get(historySize), before);
    }

    void aRefusedApplyShowsTheSwitchsValueAgain()
    {
        const QString writer = GlobalSecurity().writeCommunity;
        GlobalSecurity().writeCommunity = u"tundra"_s; // reads only
        const auto back = qScopeGuard([writer] { GlobalSecurity().writeCommunity = writer; });
        TestPage page;
        page.showPage();
        const QString before = m_switch.get(sysContact);
        page.control<QLineEdit>("edtContact")->setText(u"never written"_s);
        page.applyPage();
        QCOMPARE(page.control<QLineEdit>("edtContact")->text(), before);
    }
};

QTEST_MAIN(TestBindingPage)
#include "tst_bindingpage.moc"
