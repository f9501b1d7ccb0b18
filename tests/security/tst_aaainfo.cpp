#include "dialogtest.h"
#include "forms/tablepage.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "security/aaainfo.h"
#include "simulator.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString hostEntry = u"1.3.6.1.4.1.88508.12.5.10.1"_s;
const QString groupEntry = u"1.3.6.1.4.1.88508.12.5.9.1"_s;
const QString hostEditor = u"AAAInfoEditServerHostForm"_s;
const QString loginEntry = u"1.3.6.1.4.1.88508.12.5.3.1"_s;
const QString loginEditor = u"TAAAInfoLoginMethodDualListDlg"_s;

SimulatedSwitch::Options LoggingSets()
{
    SimulatedSwitch::Options options;
    options.logSets = true;
    return options;
}

// Moves the members, in order, from the source list to the chosen ones.
void chooseMembers(QDialog &editor, const QStringList &members)
{
    auto *source = child<QListWidget>(editor, u"SrcList"_s);
    for (const QString &member : members) {
        const auto found = source->findItems(member, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(member));
        source->clearSelection();
        found.constFirst()->setSelected(true);
        click(editor, u"IncludeBtn"_s);
    }
}
enum Protocol { Tacacs, Xtacacs, TacacsPlus, Radius };

// The group name as an index: its length, then its characters.
QString named(const QString &name)
{
    QString index = QString::number(name.size());
    for (QChar c : name)
        index += u'.' + QString::number(c.unicode());
    return index;
}

struct HostEntry
{
    QString address;
    int protocol = TacacsPlus;
    QString key;
    QString retry = u"2"_s;
};

void fillHost(QDialog &editor, const HostEntry &host)
{
    child<QLineEdit>(editor, u"edtIP"_s)->setText(host.address);
    child<RadioGroup>(editor, u"rgpAuthProtocol"_s)->button(host.protocol)->click();
    child<QLineEdit>(editor, u"edtKey"_s)->setText(host.key);
    child<QLineEdit>(editor, u"edtRetryCount"_s)->setText(host.retry);
}

} // namespace

class TestAAAInfo : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch{LoggingSets()};

    std::unique_ptr<TAAAInfoForm> openForm()
    {
        auto form = std::make_unique<TAAAInfoForm>();
        form->show();
        QCoreApplication::processEvents(); // the first walk
        return form;
    }

    static void showGroups(TAAAInfoForm &form)
    {
        form.pages()->setCurrentIndex(1);
        QCoreApplication::processEvents(); // the first walk of the page
    }

    QString hostCell(int column, const QString &host) const
    {
        return m_switch.get(u"%1.%2.%3"_s.arg(hostEntry).arg(column).arg(host));
    }

    bool createHost(const QString &host) const
    {
        return m_switch.set(u"%1.7.%2"_s.arg(hostEntry, host), u"i"_s, u"4"_s);
    }

    void destroyHost(const QString &host) const
    {
        m_switch.set(u"%1.7.%2"_s.arg(hostEntry, host), u"i"_s, u"6"_s);
    }

    // Inserts a host through the editor; the messages go to the prompts.
    static void insertHost(TAAAInfoForm &form, const HostEntry &host, bool *stayedOpen = nullptr)
    {
        onModal(hostEditor, [&](QDialog &editor) {
            fillHost(editor, host);
            click(editor, u"btnApply"_s);
            if (stayedOpen)
                *stayedOpen = editor.isVisible();
        });
        form.hostPage()->action(KxTableAction::Insert)->trigger();
    }

    static QTreeWidgetItem *groupRow(const TAAAInfoForm &form, const QString &name)
    {
        const auto rows = form.groupPage()->list()->findItems(name, Qt::MatchExactly, 0);
        return rows.isEmpty() ? nullptr : rows.constFirst();
    }

    QStringList slotsOnSwitch(const QString &group) const
    {
        QStringList members;
        for (int slot = 1; slot <= 8; ++slot)
            members << m_switch.get(u"%1.%2.%3"_s.arg(groupEntry).arg(2 * slot).arg(named(group)));
        return members;
    }

    static void showLoginLists(TAAAInfoForm &form)
    {
        form.pages()->setCurrentIndex(2);
        QCoreApplication::processEvents(); // the first walk of the page
        form.methodListPage(false)->list()->setCurrentItem(nullptr);
    }

    QString loginCell(int column, const QString &list) const
    {
        return m_switch.get(u"%1.%2.%3"_s.arg(loginEntry).arg(column).arg(named(list)));
    }

    void dropLoginList(const QString &list) const
    {
        m_switch.set(u"%1.10.%2"_s.arg(loginEntry, named(list)), u"i"_s, u"6"_s);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void protocolChoiceSetsPortAndRetries_data()
    {
        QTest::addColumn<int>("protocol");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("keyEnabled");
        QTest::addColumn<bool>("retryEnabled");
        QTest::newRow("TACACS") << int(Tacacs) << u"49"_s << false << true;
        QTest::newRow("XTACACS") << int(Xtacacs) << u"49"_s << false << true;
        QTest::newRow("TACACS+") << int(TacacsPlus) << u"49"_s << true << false;
        QTest::newRow("Radius") << int(Radius) << u"1812"_s << true << true;
    }

    void protocolChoiceSetsPortAndRetries()
    {
        QFETCH(int, protocol);
        QFETCH(QString, port);
        QFETCH(bool, keyEnabled);
        QFETCH(bool, retryEnabled);
        auto form = openForm();
        onModal(hostEditor, [&](QDialog &editor) {
            QCOMPARE(editor.windowTitle(), u"TACACS Information Add"_s);
            QCOMPARE(child<QLineEdit>(editor, u"edtTimeout"_s)->text(), u"5"_s);
            child<QLineEdit>(editor, u"edtRetryCount"_s)->setText(u"9"_s);
            child<RadioGroup>(editor, u"rgpAuthProtocol"_s)->button(protocol)->click();
            QCOMPARE(child<QLineEdit>(editor, u"edtPort"_s)->text(), port);
            QCOMPARE(child<QLineEdit>(editor, u"edtKey"_s)->isEnabled(), keyEnabled);
            QCOMPARE(child<QLineEdit>(editor, u"edtRetryCount"_s)->isEnabled(), retryEnabled);
            if (retryEnabled)
                QCOMPARE(child<QLineEdit>(editor, u"edtRetryCount"_s)->text(), u"2"_s);
        });
        form->hostPage()->action(KxTableAction::Insert)->trigger();
    }

    void refusedHostEntries_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("protocol");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("message");
        const QString badAddress = u"Please input valid IP address in field IP Address."_s;
        const QString badKey = u"Please input valid string in field Key."_s;
        QTest::newRow("0.0.0.0") << u"0.0.0.0"_s << int(Radius) << QString() << badAddress;
        QTest::newRow("broadcast")
            << u"255.255.255.255"_s << int(Radius) << QString() << badAddress;
        QTest::newRow("three parts") << u"1.2.3"_s << int(Radius) << QString() << badAddress;
        QTest::newRow("five parts") << u"1.2.3.4.5"_s << int(Radius) << QString() << badAddress;
        QTest::newRow("part over 255") << u"1.2.3.256"_s << int(Radius) << QString() << badAddress;
        QTest::newRow("known host") << u"10.90.90.5"_s << int(TacacsPlus) << QString()
                                    << u"Has existed a record with the same IP and Protocol."_s;
        QTest::newRow("TACACS+ key with a blank")
            << u"10.1.1.1"_s << int(TacacsPlus) << u"a b"_s << badKey;
        QTest::newRow("Radius key of 255")
            << u"10.1.1.1"_s << int(Radius) << QString(255, u'k') << badKey;
    }

    void refusedHostEntries()
    {
        QFETCH(QString, address);
        QFETCH(int, protocol);
        QFETCH(QString, key);
        QFETCH(QString, message);
        auto form = openForm();
        ScriptedPrompts prompts;
        const quint32 sets = m_switch.setRequests();
        bool stayedOpen = false;
        insertHost(*form, {address, protocol, key}, &stayedOpen);
        QVERIFY(stayedOpen);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    // The key of a TACACS server and the retry count of a TACACS+ server are
    // not sent: the switch keeps its defaults. A key reads back empty, so the
    // simulator's SET log shows what was sent.
    void newHostsSendOnlyTheirProtocolsColumns_data()
    {
        QTest::addColumn<int>("protocol");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("retry");
        QTest::newRow("TACACS") << int(Tacacs) << u"10.1.1.1.1"_s << QString() << u"7"_s;
        QTest::newRow("TACACS+") << int(TacacsPlus) << u"10.1.1.1.3"_s << u"plus"_s << u"2"_s;
        QTest::newRow("Radius") << int(Radius) << u"10.1.1.1.4"_s << u"rad"_s << u"7"_s;
    }

    void newHostsSendOnlyTheirProtocolsColumns()
    {
        QFETCH(int, protocol);
        QFETCH(QString, host);
        QFETCH(QString, key);
        QFETCH(QString, retry);
        auto form = openForm();
        const auto restore = qScopeGuard([this, host] { destroyHost(host); });
        ScriptedPrompts prompts;
        insertHost(*form,
                   {u"10.1.1.1"_s, protocol, protocol == Tacacs ? u"unsent"_s : key, u"7"_s});
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(hostCell(7, host), u"1"_s);
        QCOMPARE(m_switch.appliedValue(u"%1.4.%2"_s.arg(hostEntry, host)),
                 key.isNull()
                     ? std::nullopt
                     : std::optional(u'"' + QString::fromLatin1(key.toLatin1().toHex().toUpper())
                                     + u'"'));
        QCOMPARE(hostCell(4, host), QString());
        QCOMPARE(hostCell(6, host), retry);
        // The switch put the server into its protocol's group, and the list shows it.
        showGroups(*form);
        const QString builtIn
            = QStringList{u"tacacs"_s, u"xtacacs"_s, u"tacacs+"_s, u"radius"_s}.at(protocol);
        QVERIFY(slotsOnSwitch(builtIn).contains(u"10.1.1.1"_s));
        QVERIFY(groupRow(*form, builtIn));
        QCOMPARE(groupRow(*form, builtIn)
                     ->text(2 * int(slotsOnSwitch(builtIn).indexOf(u"10.1.1.1"_s)) + 1),
                 u"10.1.1.1"_s);
    }

    void editWritesThePort()
    {
        const QString host = u"10.90.90.6.4"_s;
        const auto restore = qScopeGuard(
            [this, host] { m_switch.set(u"%1.3.%2"_s.arg(hostEntry, host), u"i"_s, u"1812"_s); });
        auto form = openForm();
        QTreeWidget *list = form->hostPage()->list();
        list->setCurrentItem(list->findItems(u"10.90.90.6"_s, Qt::MatchExactly, 0).constFirst());
        onModal(hostEditor, [](QDialog &editor) {
            QCOMPARE(editor.windowTitle(), u"TACACS Information Edit"_s);
            QVERIFY(!child<QLineEdit>(editor, u"edtIP"_s)->isEnabled());
            child<QLineEdit>(editor, u"edtPort"_s)->setText(u"1645"_s);
            click(editor, u"btnApply"_s);
        });
        ScriptedPrompts prompts;
        form->hostPage()->action(KxTableAction::Edit)->trigger();
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(hostCell(3, host), u"1645"_s);
        list->setCurrentItem(list->findItems(u"10.90.90.6"_s, Qt::MatchExactly, 0).constFirst());
        QCOMPARE(list->currentItem()->text(2), u"1645"_s);
    }

    void seventeenthHostIsRefused()
    {
        QStringList added;
        const auto restore = qScopeGuard([this, &added] {
            for (const QString &host : added)
                destroyHost(host);
        });
        for (int n = 1; n <= 14; ++n) {
            added << u"10.2.2.%1.4"_s.arg(n);
            QVERIFY(createHost(added.constLast()));
        }
        QVERIFY(!createHost(u"10.2.2.99.4"_s)); // the switch holds sixteen too
        auto form = openForm();
        ScriptedPrompts prompts;
        form->hostPage()->list()->clearSelection();
        form->hostPage()->list()->setCurrentItem(nullptr);
        form->hostPage()->action(KxTableAction::Insert)->trigger();
        QCOMPARE(prompts.lastText(), u"Server Host Table is full. (Max. 16)"_s);
    }

    void deletingAHostReadsTheGroupsAgain()
    {
        QVERIFY(createHost(u"10.3.3.3.4"_s));
        auto form = openForm();
        showGroups(*form);
        QVERIFY(groupRow(*form, u"radius"_s)->text(3) == u"10.3.3.3"_s);
        form->pages()->setCurrentIndex(0);
        QTreeWidget *list = form->hostPage()->list();
        list->setCurrentItem(list->findItems(u"10.3.3.3"_s, Qt::MatchExactly, 0).constFirst());
        form->hostPage()->action(KxTableAction::Delete)->trigger();
        QVERIFY(list->findItems(u"10.3.3.3"_s, Qt::MatchExactly, 0).isEmpty());
        QCOMPARE(groupRow(*form, u"radius"_s)->text(3), u"0.0.0.0"_s);
    }

    void groupNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        const QString invalid = u"Please input valid string in field Server Group."_s;
        QTest::newRow("16 characters") << QString(16, u'g') << invalid;
        QTest::newRow("blank") << u"ops team"_s << invalid;
        QTest::newRow("empty") << QString() << invalid;
        QTest::newRow("not ASCII") << u"gr\u00fcn"_s << invalid;
        QTest::newRow("known") << u"radius"_s
                               << u"Has existed a record with the same Server Group."_s;
        QTest::newRow("Tacacs beside tacacs") << u"Tacacs"_s << QString();
    }

    void groupNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        auto form = openForm();
        showGroups(*form);
        const auto restore = qScopeGuard([this, name] {
            m_switch.set(u"%1.18.%2"_s.arg(groupEntry, named(name)), u"i"_s, u"6"_s);
        });
        ScriptedPrompts prompts;
        onModal(u"AAAInfoAddServerGroupForm"_s, [&](QDialog &editor) {
            child<QLineEdit>(editor, u"edtServerGroup"_s)->setText(name);
            click(editor, u"btnApply"_s);
        });
        form->groupPage()->list()->setCurrentItem(nullptr);
        form->groupPage()->action(KxTableAction::Insert)->trigger();
        QCOMPARE(prompts.lastText(), message);
        if (message.isEmpty()) {
            QCOMPARE(m_switch.get(u"%1.18.%2"_s.arg(groupEntry, named(name))), u"1"_s);
            QVERIFY(groupRow(*form, name));
        }
    }

    void builtInGroupsCannotBeDeleted()
    {
        auto form = openForm();
        showGroups(*form);
        form->groupPage()->list()->setCurrentItem(groupRow(*form, u"tacacs+"_s));
        QVERIFY(!form->groupPage()->action(KxTableAction::Delete)->isEnabled());
        QVERIFY(form->groupPage()->action(KxTableAction::Edit)->isEnabled());
    }

    void membershipFollowsTheSwitch()
    {
        QVERIFY(m_switch.set(u"%1.18.%2"_s.arg(groupEntry, named(u"ops"_s)), u"i"_s, u"4"_s));
        const auto restore = qScopeGuard([this] {
            m_switch.set(u"%1.18.%2"_s.arg(groupEntry, named(u"ops"_s)), u"i"_s, u"6"_s);
        });
        auto form = openForm();
        showGroups(*form);
        for (const QString &member : {u"10.90.90.5 , TACACS+"_s, u"10.90.90.6 , Radius"_s}) {
            form->groupPage()->list()->setCurrentItem(groupRow(*form, u"ops"_s));
            onModal(u"AAAInfoEditServerGroupForm"_s, [member](QDialog &editor) {
                child<QRadioButton>(editor, u"rbAdd"_s)->setChecked(true);
                QList<QRadioButton *> choices = editor.findChildren<QRadioButton *>();
                for (QRadioButton *choice : choices) {
                    if (choice->text() == member)
                        choice->setChecked(true);
                }
                click(editor, u"btnAdd"_s);
            });
            form->groupPage()->action(KxTableAction::Edit)->trigger();
        }
        QCOMPARE(slotsOnSwitch(u"ops"_s).mid(0, 3),
                 QStringList({u"10.90.90.5"_s, u"10.90.90.6"_s, u"0.0.0.0"_s}));
        QCOMPARE(groupRow(*form, u"ops"_s)->text(3), u"10.90.90.6"_s);

        // Deleting the first member closes the slots up.
        form->groupPage()->list()->setCurrentItem(groupRow(*form, u"ops"_s));
        onModal(u"AAAInfoEditServerGroupForm"_s, [](QDialog &editor) {
            child<QRadioButton>(editor, u"rbDelete"_s)->setChecked(true);
            QCOMPARE(child<QRadioButton>(editor, u"rbMember1"_s)->text(),
                     u"10.90.90.5 , TACACS+"_s);
            QVERIFY(child<QRadioButton>(editor, u"rbMember3"_s)->isHidden());
            click(editor, u"btnAdd"_s);
        });
        form->groupPage()->action(KxTableAction::Edit)->trigger();
        QCOMPARE(slotsOnSwitch(u"ops"_s).mid(0, 2), QStringList({u"10.90.90.6"_s, u"0.0.0.0"_s}));
        QCOMPARE(groupRow(*form, u"ops"_s)->text(1), u"10.90.90.6"_s);
    }

    void newLoginListSendsItsMethodsOnly()
    {
        auto form = openForm();
        showLoginLists(*form);
        const auto restore = qScopeGuard([this] { dropLoginList(u"ops"_s); });
        onModal(loginEditor, [](QDialog &editor) {
            child<QLineEdit>(editor, u"edtLoginMethod"_s)->setText(u"ops"_s);
            chooseMembers(editor, {u"TACACS+ , tacacs+"_s, u"Local"_s});
            click(editor, u"btnApply"_s);
        });
        ScriptedPrompts prompts;
        form->methodListPage(false)->action(KxTableAction::Insert)->trigger();
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(loginCell(2, u"ops"_s), u"3"_s);
        QCOMPARE(loginCell(3, u"ops"_s), QString()); // a protocol's group is not sent
        QCOMPARE(loginCell(4, u"ops"_s), u"6"_s);
        QCOMPARE(loginCell(6, u"ops"_s), u"9"_s);
        QCOMPARE(loginCell(10, u"ops"_s), u"1"_s);

        // Edited to Local alone, the later pairs become Other on the switch.
        QTreeWidget *list = form->methodListPage(false)->list();
        list->setCurrentItem(list->findItems(u"ops"_s, Qt::MatchExactly, 0).constFirst());
        onModal(loginEditor, [](QDialog &editor) {
            auto *chosen = child<QListWidget>(editor, u"DstList"_s);
            QCOMPARE(chosen->count(), 2);
            QCOMPARE(chosen->item(1)->text(), u"Local"_s);
            chosen->item(0)->setSelected(true);
            click(editor, u"ExcludeBtn"_s);
            click(editor, u"btnApply"_s);
        });
        form->methodListPage(false)->action(KxTableAction::Edit)->trigger();
        QVERIFY(prompts.shown.isEmpty());
        QCOMPARE(loginCell(2, u"ops"_s), u"6"_s);
        QCOMPARE(loginCell(4, u"ops"_s), u"9"_s);
        QCOMPARE(loginCell(6, u"ops"_s), u"9"_s);

        list->setCurrentItem(list->findItems(u"ops"_s, Qt::MatchExactly, 0).constFirst());
        QVERIFY(form->methodListPage(false)->action(KxTableAction::Delete)->isEnabled());
        form->methodListPage(false)->action(KxTableAction::Delete)->trigger();
        QVERIFY(list->findItems(u"ops"_s, Qt::MatchExactly, 0).isEmpty());
        QVERIFY(!loginCell(10, u"ops"_s).startsWith(u'1'));
    }

    void refusedLoginLists_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<QString>("message");
        QTest::newRow("blank") << u"a b"_s << QStringList{u"Local"_s}
                               << u"Please input valid string in field Login Method Name."_s;
        QTest::newRow("known") << u"default"_s << QStringList{u"Local"_s}
                               << u"Has existed a record with the same Login Method."_s;
        QTest::newRow("after Local")
            << u"ops"_s << QStringList{u"Local"_s, u"TACACS+ , tacacs+"_s}
            << u"TACACS will ignore login methods which be after Local or None. Do you want to modify your choice?"_s;
    }

    void refusedLoginLists()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, members);
        QFETCH(QString, message);
        auto form = openForm();
        showLoginLists(*form);
        ScriptedPrompts prompts;
        prompts.answers = {true}; // keep the dialog open to change the choice
        const quint32 sets = m_switch.setRequests();
        bool stayedOpen = false;
        onModal(loginEditor, [&](QDialog &editor) {
            child<QLineEdit>(editor, u"edtLoginMethod"_s)->setText(name);
            chooseMembers(editor, members);
            click(editor, u"btnApply"_s);
            stayedOpen = editor.isVisible();
        });
        form->methodListPage(false)->action(KxTableAction::Insert)->trigger();
        QVERIFY(stayedOpen);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void defaultListStaysAndTheTableFills()
    {
        QStringList added;
        const auto restore = qScopeGuard([this, &added] {
            for (const QString &list : added)
                dropLoginList(list);
        });
        for (int n = 1; n <= 7; ++n) {
            added << u"list%1"_s.arg(n);
            QVERIFY(m_switch.set(
                u"%1.10.%2"_s.arg(loginEntry, named(added.constLast())), u"i"_s, u"4"_s));
        }
        auto form = openForm();
        showLoginLists(*form);
        QTreeWidget *list = form->methodListPage(false)->list();
        list->setCurrentItem(list->findItems(u"default"_s, Qt::MatchExactly, 0).constFirst());
        QVERIFY(!form->methodListPage(false)->action(KxTableAction::Delete)->isEnabled());
        list->setCurrentItem(nullptr);
        ScriptedPrompts prompts;
        form->methodListPage(false)->action(KxTableAction::Insert)->trigger();
        QCOMPARE(prompts.lastText(), u"Login Method Table is full. (Max. 8)"_s);
    }

    void ninthMemberIsRefused()
    {
        QStringList added;
        const auto restore = qScopeGuard([this, &added] {
            for (const QString &host : added)
                destroyHost(host);
        });
        for (int n = 1; n <= 8; ++n) {
            added << u"10.4.4.%1.4"_s.arg(n);
            QVERIFY(createHost(added.constLast()));
        }
        // radius now holds 10.90.90.6 and seven of them; the eighth new one is left over.
        auto form = openForm();
        showGroups(*form);
        form->groupPage()->list()->setCurrentItem(groupRow(*form, u"radius"_s));
        ScriptedPrompts prompts;
        const quint32 sets = m_switch.setRequests();
        onModal(u"AAAInfoEditServerGroupForm"_s, [](QDialog &editor) {
            QCOMPARE(child<QRadioButton>(editor, u"rbMember1"_s)->text(), u"10.4.4.8 , Radius"_s);
            click(editor, u"btnAdd"_s);
        });
        form->groupPage()->action(KxTableAction::Edit)->trigger();
        QCOMPARE(prompts.lastText(),
                 u"The member you want to add has already exist or can not add any more."_s);
        QCOMPARE(m_switch.setRequests(), sets);
    }
};

QTEST_MAIN(TestAAAInfo)
#include "tst_aaainfo.moc"
