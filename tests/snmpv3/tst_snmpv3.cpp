#include "dialogtest.h"
#include "forms/tablepage.h"
#include "moduletest.h"
#include "scriptedprompts.h"
#include "simulator.h"
#include "simulatoruser.h"
#include "snmp/records.h"
#include "snmpv3/snmpv3.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

enum Page { Globals, Hosts, Views, Groups, Users, Communities };

const QString targetAddrEntry = u"1.3.6.1.6.3.12.1.2.1"_s;
const QString targetParamsEntry = u"1.3.6.1.6.3.12.1.3.1"_s;
const QString notifyEntry = u"1.3.6.1.6.3.13.1.1.1"_s;
const QString viewEntry = u"1.3.6.1.6.3.16.1.5.2.1"_s;
const QString accessEntry = u"1.3.6.1.6.3.16.1.4.1"_s;
const QString mappingEntry = u"1.3.6.1.6.3.16.1.2.1"_s;
const QString communityEntry = u"1.3.6.1.6.3.18.1.1.1"_s;
const QString sysContact = u"1.3.6.1.2.1.1.4.0"_s;

// A text as the sub-identifiers of an index: implied, or length first.
QString octetIndex(const QString &text, bool implied = false)
{
    QStringList subs;
    if (!implied)
        subs.append(QString::number(text.size()));
    for (const QChar c : text)
        subs.append(QString::number(c.unicode()));
    return subs.join(u'.');
}

bool missing(const QString &value)
{
    return value.contains(u"No Such"_s);
}

void setText(QDialog &dialog, const QString &name, const QString &text)
{
    child<QLineEdit>(dialog, name)->setText(text);
}

void choose(QDialog &dialog, const QString &name, const QString &item)
{
    auto *combo = child<QComboBox>(dialog, name);
    const int index = combo->findText(item);
    if (index < 0)
        qFatal("no item %s", qPrintable(item));
    combo->setCurrentIndex(index);
}

} // namespace

class TestSnmpV3 : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    std::unique_ptr<TSNMPV3Form> openOn(Page page)
    {
        auto form = std::make_unique<TSNMPV3Form>();
        form->show();
        QCoreApplication::processEvents();
        child<QTabWidget>(*form, u"PageControl1"_s)->setCurrentIndex(page);
        QCoreApplication::processEvents();
        return form;
    }

    static QTreeWidget *listOf(const TSNMPV3Form &form, Page page)
    {
        return form.tablePage(page)->list();
    }

    // The shown cells of every row of a page, one text per row.
    static QStringList rowsOf(const TSNMPV3Form &form, Page page)
    {
        QStringList rows;
        QTreeWidget *list = listOf(form, page);
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int column = 0; column < list->columnCount(); ++column) {
                if (!list->isColumnHidden(column))
                    cells.append(list->topLevelItem(i)->text(column));
            }
            rows.append(cells.join(u'|'));
        }
        return rows;
    }

    // Selects the row whose shown cells start with the text and presses Delete.
    static void deleteRow(TSNMPV3Form &form, Page page, const QString &start)
    {
        QTreeWidget *list = listOf(form, page);
        const QStringList rows = rowsOf(form, page);
        for (int i = 0; i < rows.size(); ++i) {
            if (rows.at(i).startsWith(start)) {
                list->setCurrentItem(list->topLevelItem(i));
                click(form, u"BitBtn3"_s);
                return;
            }
        }
        qFatal("no row %s", qPrintable(start));
    }

    // Opens the page's entry dialog, lets the action fill it and presses Insert.
    static void
    insertWith(TSNMPV3Form &form, const QString &dialog, const std::function<void(QDialog &)> &fill)
    {
        onModal(dialog, [fill](QDialog &entry) {
            fill(entry);
            click(entry, u"bbtnApply"_s);
        });
        click(form, u"BitBtn2"_s);
    }

    void addHost(TSNMPV3Form &form,
                 const QString &address,
                 const QString &user,
                 const QString &version = u"V2c"_s)
    {
        insertWith(form, u"AddHostTableForm"_s, [&](QDialog &entry) {
            setText(entry, u"ED_HostIPAdd"_s, address);
            setText(entry, u"ED_UserName"_s, user);
            choose(entry, u"SNMPVsersion"_s, version);
        });
    }

    void addCommunity(TSNMPV3Form &form, const QString &name, const QString &right)
    {
        insertWith(form, u"AddCommunityForm"_s, [&](QDialog &entry) {
            setText(entry, u"ED_CommunityName"_s, name);
            choose(entry, u"CB_ReadViewName"_s, u"all"_s);
            choose(entry, u"CB_AccessRight"_s, right);
        });
    }

    SimulatedSwitch::ToolResult
    withCommunity(const QString &tool, const QString &community, const QStringList &args) const
    {
        return m_switch.runTool(
            tool, QStringList{u"-v2c"_s, u"-t1"_s, u"-r0"_s, u"-c"_s + community} + args);
    }

    struct Login
    {
        QString user;
        QString auth;
        QString authPassword;
        QString priv; // empty: authNoPriv
        QString privPassword;
    };

    SimulatedSwitch::ToolResult logIn(const Login &login) const
    {
        QStringList args{u"-v3"_s,
                         u"-t1"_s,
                         u"-r0"_s,
                         u"-u"_s,
                         login.user,
                         u"-a"_s,
                         login.auth,
                         u"-A"_s,
                         login.authPassword};
        if (login.priv.isEmpty())
            args += QStringList{u"-l"_s, u"authNoPriv"_s};
        else
            args += QStringList{
                u"-l"_s, u"authPriv"_s, u"-x"_s, login.priv, u"-X"_s, login.privPassword};
        return m_switch.runTool(u"snmpget"_s, args + QStringList{sysContact});
    }

    // The user's row in usmUserTable, column 13 (status) by default.
    QString userColumn(const QString &name, int column = 13) const
    {
        const QByteArray engineId = QByteArray::fromHex(
            m_switch.get(u"1.3.6.1.6.3.10.2.1.1.0"_s, true).remove(u' ').toLatin1());
        QStringList engine{QString::number(engineId.size())};
        for (const char octet : engineId)
            engine.append(QString::number(static_cast<unsigned char>(octet)));
        return u"1.3.6.1.6.3.15.1.2.2.1.%1.%2.%3"_s.arg(column).arg(engine.join(u'.'),
                                                                    octetIndex(name));
    }

    static void fillUser(QDialog &entry,
                         const QString &name,
                         const QString &clone,
                         const QStringList &passwords,
                         const QString &group = QString())
    {
        setText(entry, u"ED_UserName"_s, name);
        choose(entry, u"CB_CloneFrom"_s, clone);
        const QStringList boxes{u"ED_CloneAuthPassword"_s,
                                u"ED_ClonePrivPassword"_s,
                                u"ED_AuthPassword"_s,
                                u"ED_PrivPassword"_s};
        for (int i = 0; i < boxes.size(); ++i) {
            auto *box = child<QLineEdit>(entry, boxes.at(i));
            QCOMPARE(box->echoMode(), QLineEdit::Password);
            if (box->isEnabled())
                box->setText(passwords.value(i));
        }
        if (!group.isEmpty())
            choose(entry, u"CB_GroupName"_s, group);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void globalsShowTheEngineOfTheSwitch()
    {
        const auto form = openOn(Globals);
        const QString engineId = m_switch.get(u"1.3.6.1.6.3.10.2.1.1.0"_s, true);
        QVERIFY(!engineId.isEmpty());
        QString shown = child<QLabel>(*form, u"EngineIDValue"_s)->text();
        static const QRegularExpression blanks(u"\\s"_s);
        QCOMPARE(shown.remove(blanks).toUpper(), QString(engineId).remove(blanks).toUpper());
        for (const char *counter :
             {"EngineBootNumValue", "MaxMessageSizeValue", "UserNamePktValue"}) {
            bool number = false;
            child<QLabel>(*form, QString::fromLatin1(counter))->text().toUInt(&number);
            QVERIFY2(number, counter);
        }
        QVERIFY(!child<QPushButton>(*form, u"BitBtn2"_s)->isEnabled());
        QVERIFY(!child<QPushButton>(*form, u"btnSNMPSave"_s)->isEnabled());
    }

    void aHostIsCreatedAndDeletedWithBothRows()
    {
        // A host whose name contains the new one's must survive its delete.
        const QString other = u"."_s + octetIndex(u"atrap.public.10.0.0.1"_s, true);
        QCOMPARE(m_switch
                     .runTool(u"snmpset"_s,
                              {u"-v2c"_s,
                               u"-cgranite"_s,
                               targetParamsEntry + u".2"_s + other,
                               u"i"_s,
                               u"1"_s,
                               targetParamsEntry + u".3"_s + other,
                               u"i"_s,
                               u"2"_s,
                               targetParamsEntry + u".4"_s + other,
                               u"s"_s,
                               u"public"_s,
                               targetParamsEntry + u".5"_s + other,
                               u"i"_s,
                               u"1"_s,
                               targetParamsEntry + u".7"_s + other,
                               u"i"_s,
                               u"4"_s,
                               targetAddrEntry + u".2"_s + other,
                               u"o"_s,
                               u".1.3.6.1.6.1.1"_s,
                               targetAddrEntry + u".3"_s + other,
                               u"x"_s,
                               u"0A00000100A2"_s,
                               targetAddrEntry + u".7"_s + other,
                               u"s"_s,
                               u"atrap.public.10.0.0.1"_s,
                               targetAddrEntry + u".9"_s + other,
                               u"i"_s,
                               u"4"_s})
                     .exitCode,
                 0);
        ScriptedPrompts prompts;
        const auto form = openOn(Hosts);
        addHost(*form, u"10.0.0.1"_s, u"public"_s);
        QVERIFY2(prompts.shown.isEmpty(), qPrintable(prompts.lastText()));
        const QString index = u"."_s + octetIndex(u"trap.public.10.0.0.1"_s, true);
        QCOMPARE(m_switch.get(targetParamsEntry + u".2"_s + index), u"1"_s);
        QCOMPARE(m_switch.get(targetParamsEntry + u".3"_s + index), u"2"_s);
        QCOMPARE(m_switch.get(targetParamsEntry + u".4"_s + index), u"public"_s);
        QCOMPARE(m_switch.get(targetParamsEntry + u".5"_s + index), u"1"_s);
        QCOMPARE(m_switch.get(targetParamsEntry + u".7"_s + index), u"1"_s);
        QCOMPARE(m_switch.get(targetAddrEntry + u".3"_s + index, true).remove(u' '),
                 u"0A00000100A2"_s);
        QCOMPARE(m_switch.get(targetAddrEntry + u".6"_s + index), u"trap"_s);
        // A notify row of type trap selects the hosts tagged "trap".
        const QString notify = u"."_s + octetIndex(u"trap"_s, true);
        QCOMPARE(m_switch.get(notifyEntry + u".2"_s + notify), u"trap"_s);
        QCOMPARE(m_switch.get(notifyEntry + u".3"_s + notify), u"1"_s);
        QCOMPARE(m_switch.get(notifyEntry + u".5"_s + notify), u"1"_s);
        QCOMPARE(m_switch.get(targetAddrEntry + u".7"_s + index), u"trap.public.10.0.0.1"_s);
        QCOMPARE(m_switch.get(targetAddrEntry + u".9"_s + index), u"1"_s);
        QVERIFY(rowsOf(*form, Hosts).contains(u"trap.public.10.0.0.1|V2-noAuthNoPriv|public"_s));

        deleteRow(*form, Hosts, u"trap.public.10.0.0.1|"_s);
        QVERIFY(missing(m_switch.get(targetParamsEntry + u".7"_s + index)));
        QVERIFY(missing(m_switch.get(targetAddrEntry + u".9"_s + index)));
        QCOMPARE(m_switch.get(targetParamsEntry + u".7"_s + other), u"1"_s);
        QCOMPARE(m_switch.get(targetAddrEntry + u".9"_s + other), u"1"_s);
        QVERIFY(rowsOf(*form, Hosts).filter(u"trap.public.10.0.0.1|"_s)
                == QStringList{u"atrap.public.10.0.0.1|V2-noAuthNoPriv|public"_s});
    }

    void badHostEntriesSendNothing_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("message");
        const QString invalid = u"Invalid IP Address!"_s;
        QTest::newRow("letters") << u"10.a.1.1"_s << u"public"_s << invalid;
        QTest::newRow("three parts") << u"192.168.1"_s << u"public"_s << invalid;
        QTest::newRow("five parts") << u"1.2.3.4.5"_s << u"public"_s << invalid;
        QTest::newRow("over 255") << u"10.1.1.256"_s << u"public"_s << invalid;
        QTest::newRow("dashes") << u"10-1-1-1"_s << u"public"_s << invalid;
        QTest::newRow("no address") << QString() << u"public"_s << u"Please input a IP Address!"_s;
        QTest::newRow("no user") << u"10.0.0.1"_s << QString() << u"Please input a user name"_s;
        QTest::newRow("name over 32")
            << u"10.0.0.1"_s << u"averyveryverylongcommunity"_s
            << u"The host name trap.averyveryverylongcommunity.10.0.0.1 is too long! (Max. 32)"_s;
    }

    void badHostEntriesSendNothing()
    {
        QFETCH(QString, address);
        QFETCH(QString, user);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        const auto form = openOn(Hosts);
        const quint32 sets = m_switch.setRequests();
        addHost(*form, address, user);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void aRefusedAddressRowTakesItsParametersBack()
    {
        const QString index = u"."_s + octetIndex(u"trap.public.10.0.0.7"_s, true);
        QCOMPARE(
            m_switch
                .runTool(
                    u"snmpset"_s,
                    {u"-v2c"_s, u"-cgranite"_s, targetAddrEntry + u".9"_s + index, u"i"_s, u"5"_s})
                .exitCode,
            0);
        ScriptedPrompts prompts;
        const auto form = openOn(Hosts);
        addHost(*form, u"10.0.0.7"_s, u"public"_s);
        QVERIFY(!prompts.lastText().isEmpty());
        QVERIFY(missing(m_switch.get(targetParamsEntry + u".7"_s + index)));
        QVERIFY(!rowsOf(*form, Hosts).join(u'\n').contains(u"10.0.0.7"_s));
        QVERIFY(m_switch.set(targetAddrEntry + u".9"_s + index, u"i"_s, u"6"_s));
    }

    void viewsAndGroupsRefuseDuplicates()
    {
        ScriptedPrompts prompts;
        const auto form = openOn(Views);
        const auto addView = [&form](const QString &subtree) {
            insertWith(*form, u"AddSNMPViewForm"_s, [subtree](QDialog &entry) {
                setText(entry, u"ED_ViewName"_s, u"ops"_s);
                setText(entry, u"ED_SubtreeOID"_s, subtree);
            });
        };
        addView(u"1.3.6.1.2.1"_s);
        QVERIFY2(prompts.shown.isEmpty(), qPrintable(prompts.lastText()));
        addView(u".1.3.6.1.2.1"_s);
        QCOMPARE(prompts.lastText(), u"The specified view already exists !"_s);
        addView(u"1.3.6.1.4"_s);
        addView(u"1.3.x"_s);
        QCOMPARE(prompts.lastText(), u"Invalid Subtree OID!"_s);
        QCOMPARE(rowsOf(*form, Views).filter(u"ops|"_s).size(), 2);

        child<QTabWidget>(*form, u"PageControl1"_s)->setCurrentIndex(Groups);
        QCoreApplication::processEvents();
        prompts.shown.clear();
        const auto addGroup = [&form](const QString &model) {
            insertWith(*form, u"AddGroupForm"_s, [model](QDialog &entry) {
                setText(entry, u"ED_GroupName"_s, u"operators"_s);
                choose(entry, u"CB_ReadViewName"_s, u"ops"_s);
                choose(entry, u"CB_WriteViewName"_s, u"ops"_s);
                choose(entry, u"CB_SecurityModel"_s, model);
            });
        };
        addGroup(u"SNMPv1"_s);
        QVERIFY2(prompts.shown.isEmpty(), qPrintable(prompts.lastText()));
        addGroup(u"SNMPv1"_s);
        QCOMPARE(prompts.lastText(), u"The specified group already exists !"_s);
        addGroup(u"SNMPv2"_s);
        QCOMPARE(rowsOf(*form, Groups).filter(u"operators|"_s),
                 QStringList({u"operators|SNMPv1|noAuthNoPriv|active"_s,
                              u"operators|SNMPv2|noAuthNoPriv|active"_s}));

        deleteRow(*form, Groups, u"operators|SNMPv1|"_s);
        const QString group = u"."_s + octetIndex(u"operators"_s) + u".0"_s;
        QVERIFY(missing(m_switch.get(accessEntry + u".9"_s + group + u".1.1"_s)));
        QCOMPARE(m_switch.get(accessEntry + u".9"_s + group + u".2.1"_s), u"1"_s);
    }

    void communitiesAnswerAsTheirRightSays_data()
    {
        QTest::addColumn<QString>("right");
        QTest::addColumn<bool>("writes");
        QTest::newRow("read-write") << u"Read_Write"_s << true;
        QTest::newRow("read-only") << u"Read_Only"_s << false;
    }

    void communitiesAnswerAsTheirRightSays()
    {
        QFETCH(QString, right);
        QFETCH(bool, writes);
        ScriptedPrompts prompts;
        const auto form = openOn(Communities);
        const QString name = writes ? u"basalt"_s : u"quartz"_s;
        addCommunity(*form, name, right);
        QVERIFY2(prompts.shown.isEmpty(), qPrintable(prompts.lastText()));
        QVERIFY(rowsOf(*form, Communities).contains(u"%1|all|%2"_s.arg(name, right)));

        QCOMPARE(withCommunity(u"snmpget"_s, name, {sysContact}).exitCode, 0);
        const auto set = withCommunity(u"snmpset"_s, name, {sysContact, u"s"_s, u"ops desk"_s});
        QCOMPARE(set.exitCode == 0, writes);
        if (!writes)
            QVERIFY2(set.err.contains(u"noAccess"_s), qPrintable(set.err));

        deleteRow(*form, Communities, name + u'|');
        QVERIFY(missing(m_switch.get(communityEntry + u".8."_s + octetIndex(name, true))));
        for (const QString &model : {u"1"_s, u"2"_s}) {
            QVERIFY(
                missing(m_switch.get(mappingEntry + u".5."_s + model + u'.' + octetIndex(name))));
            QVERIFY(missing(m_switch.get(accessEntry + u".9."_s + octetIndex(name) + u".0."_s
                                         + model + u".1"_s)));
        }
        QVERIFY(withCommunity(u"snmpget"_s, name, {sysContact}).exitCode != 0);
    }

    void aCommunityWithoutAccessShowsNotAvailable()
    {
        const QString index = u"."_s + octetIndex(u"orphan"_s, true);
        QVERIFY(m_switch
                    .runTool(u"snmpset"_s,
                             {u"-v2c"_s,
                              u"-cgranite"_s,
                              communityEntry + u".2"_s + index,
                              u"s"_s,
                              u"orphan"_s,
                              communityEntry + u".3"_s + index,
                              u"s"_s,
                              u"orphan"_s,
                              communityEntry + u".8"_s + index,
                              u"i"_s,
                              u"4"_s})
                    .exitCode
                == 0);
        const auto form = openOn(Communities);
        QVERIFY(rowsOf(*form, Communities).contains(u"orphan|N/A|N/A"_s));
        QVERIFY(rowsOf(*form, Communities).contains(u"tundra|all|Read_Only"_s));
        QVERIFY(rowsOf(*form, Communities).contains(u"granite|all|Read_Write"_s));
    }

    void aClonedUserLogsInWithItsOwnPasswords_data()
    {
        QTest::addColumn<QString>("clone");
        QTest::addColumn<QString>("auth");
        QTest::addColumn<QString>("priv");
        QTest::addColumn<QString>("group");
        QTest::newRow("SHA with AES") << u"authPrivShaAes"_s << u"SHA"_s << u"AES"_s << u"v3priv"_s;
        QTest::newRow("MD5 with DES") << u"authPrivMd5Des"_s << u"MD5"_s << u"DES"_s << u"v3priv"_s;
        QTest::newRow("SHA-256 with AES-256")
            << u"authPrivSha256Aes256"_s << u"SHA-256"_s << u"AES-256"_s << u"v3priv"_s;
        QTest::newRow("SHA without privacy")
            << u"authNoPrivSha"_s << u"SHA"_s << QString() << u"v3auth"_s;
    }

    void aClonedUserLogsInWithItsOwnPasswords()
    {
        QFETCH(QString, clone);
        QFETCH(QString, auth);
        QFETCH(QString, priv);
        QFETCH(QString, group);
        ScriptedPrompts prompts;
        const auto form = openOn(Users);
        QVERIFY(child<QPushButton>(*form, u"BitBtn2"_s)->isEnabled());
        const QString name = u"new-"_s + clone;
        insertWith(*form, u"AddUserForm"_s, [&](QDialog &entry) {
            fillUser(entry,
                     name,
                     clone,
                     {u"authpass123"_s, u"privpass123"_s, u"fresh-auth-1"_s, u"fresh-priv-1"_s});
            QCOMPARE(child<QComboBox>(entry, u"CB_GroupName"_s)->currentText(), group);
        });
        QVERIFY2(prompts.shown.isEmpty(), qPrintable(prompts.lastText()));
        QVERIFY(rowsOf(*form, Users).contains(u"%1|%2|V3"_s.arg(name, group)));
        QCOMPARE(m_switch.get(userColumn(name)), u"1"_s);     // active
        QCOMPARE(m_switch.get(userColumn(name, 12)), u"3"_s); // nonVolatile

        const auto own = logIn({name, auth, u"fresh-auth-1"_s, priv, u"fresh-priv-1"_s});
        QVERIFY2(own.exitCode == 0, qPrintable(own.err));
        QVERIFY(logIn({name, auth, u"authpass123"_s, priv, u"privpass123"_s}).exitCode != 0);
        if (!priv.isEmpty())
            QVERIFY(logIn({name, auth, u"fresh-auth-1"_s, priv, u"privpass123"_s}).exitCode != 0);
        QVERIFY2(logIn({clone, auth, u"authpass123"_s, priv, u"privpass123"_s}).exitCode == 0,
                 "the clone keeps its own passwords");

        // The passwords appear nowhere the module shows or saves the list.
        QTemporaryDir dir;
        prompts.savePaths.push_back(dir.filePath(u"users.txt"_s));
        click(*form, u"btnSNMPSave"_s);
        QFile saved(dir.filePath(u"users.txt"_s));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray text = saved.readAll() + rowsOf(*form, Users).join(u'\n').toUtf8();
        QVERIFY(text.contains(name.toUtf8()));
        QVERIFY(!text.contains("fresh-") && !text.contains("pass123"));
    }

    // Over SNMPv3 the module knows its own user's passwords.
    void theModulesOwnUserIsClonedWithItsKnownPasswords()
    {
        const KxSNMPSecurity saved = GlobalSecurity();
        const auto restore = qScopeGuard([saved] { GlobalSecurity() = saved; });
        UseSimulatorAuthPrivUser(GlobalSecurity());
        ScriptedPrompts prompts;
        const auto form = openOn(Users);
        insertWith(*form, u"AddUserForm"_s, [](QDialog &entry) {
            setText(entry, u"ED_UserName"_s, u"deputy"_s);
            choose(entry, u"CB_CloneFrom"_s, u"authNoPrivSha"_s);
            QVERIFY(child<QLineEdit>(entry, u"ED_CloneAuthPassword"_s)->text().isEmpty());
            choose(entry, u"CB_CloneFrom"_s, u"authPrivShaAes"_s);
            QCOMPARE(child<QLineEdit>(entry, u"ED_CloneAuthPassword"_s)->text(), u"authpass123"_s);
            QCOMPARE(child<QLineEdit>(entry, u"ED_ClonePrivPassword"_s)->text(), u"privpass123"_s);
            setText(entry, u"ED_AuthPassword"_s, u"deputy-auth"_s);
            setText(entry, u"ED_PrivPassword"_s, u"deputy-priv"_s);
        });
        QVERIFY2(prompts.shown.isEmpty(), qPrintable(prompts.lastText()));
        QVERIFY(rowsOf(*form, Users).contains(u"deputy|v3priv|V3"_s));
        const auto login
            = logIn({u"deputy"_s, u"SHA"_s, u"deputy-auth"_s, u"AES"_s, u"deputy-priv"_s});
        QVERIFY2(login.exitCode == 0, qPrintable(login.err));
    }

    void aUserWithWrongClonePasswordsIsNotLeftBehind()
    {
        ScriptedPrompts prompts;
        const auto form = openOn(Users);
        insertWith(*form, u"AddUserForm"_s, [](QDialog &entry) {
            fillUser(entry,
                     u"mistyped"_s,
                     u"authPrivShaAes"_s,
                     {u"wrongpass123"_s, u"privpass123"_s, u"fresh-auth-1"_s, u"fresh-priv-1"_s});
        });
        QCOMPARE(prompts.lastText(),
                 u"The new user cannot log in with its passwords: please check the passwords of "
                 u"the user authPrivShaAes."_s);
        QVERIFY(missing(m_switch.get(userColumn(u"mistyped"_s))));
        QVERIFY(missing(m_switch.get(mappingEntry + u".5.3."_s + octetIndex(u"mistyped"_s))));
        QVERIFY(!rowsOf(*form, Users).join(u'\n').contains(u"mistyped"_s));
    }

    // KeyChange carries a key no longer than the authentication hash: an
    // AES-256 key of a SHA user cannot be changed, and nothing is created.
    void aCloneWithKeysLongerThanItsHashIsRefused()
    {
        QTemporaryDir dir;
        QFile users(dir.filePath(u"users.conf"_s));
        QVERIFY(users.open(QIODevice::WriteOnly));
        users.write("longKeys SHA authpass123 AES-256 privpass123\n");
        users.close();
        SimulatedSwitch other({{}, users.fileName()});
        QVERIFY(other.start());
        const ModuleRetargeted onIt(other);
        ScriptedPrompts prompts;
        const auto form = openOn(Users);
        const quint32 sets = other.setRequests();
        insertWith(*form, u"AddUserForm"_s, [](QDialog &entry) {
            fillUser(entry,
                     u"longer"_s,
                     u"longKeys"_s,
                     {u"authpass123"_s, u"privpass123"_s, u"fresh-auth-1"_s, u"fresh-priv-1"_s});
        });
        QCOMPARE(prompts.lastText(),
                 u"The keys of the user longKeys cannot be changed: its protocols are not "
                 u"supported by KeyChange."_s);
        QCOMPARE(other.setRequests(), sets);
    }

    void badUserEntriesSendNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("passwords");
        QTest::addColumn<QString>("message");
        const QStringList good{
            u"authpass123"_s, u"privpass123"_s, u"fresh-auth-1"_s, u"fresh-priv-1"_s};
        QTest::newRow("no name") << QString() << good << u"Please input a User Name!"_s;
        QTest::newRow("name over 32")
            << QString(33, u'u') << good << u"The name is too long! (Max. 32)"_s;
        QTest::newRow("existing user")
            << u"noAuthUser"_s << good << u"The specified user already exists !"_s;
        QTest::newRow("short clone password")
            << u"shorty"_s << QStringList{u"short"_s, good[1], good[2], good[3]}
            << u"The auth password of the user to clone must have at least 8 characters!"_s;
        QTest::newRow("short new auth password")
            << u"shorty"_s << QStringList{good[0], good[1], u"1234567"_s, good[3]}
            << u"The new auth password must have at least 8 characters!"_s;
        QTest::newRow("empty new priv password")
            << u"shorty"_s << QStringList{good[0], good[1], good[2], QString()}
            << u"The new priv password must have at least 8 characters!"_s;
    }

    void badUserEntriesSendNothing()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, passwords);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        const auto form = openOn(Users);
        const quint32 sets = m_switch.setRequests();
        insertWith(*form, u"AddUserForm"_s, [&](QDialog &entry) {
            fillUser(entry, name, u"authPrivShaAes"_s, passwords);
        });
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void aDeletedUserNoLongerLogsIn()
    {
        const auto login = [this] {
            return m_switch.runTool(u"snmpget"_s,
                                    {u"-v3"_s,
                                     u"-t1"_s,
                                     u"-r0"_s,
                                     u"-l"_s,
                                     u"authNoPriv"_s,
                                     u"-u"_s,
                                     u"authNoPrivSha"_s,
                                     u"-a"_s,
                                     u"SHA"_s,
                                     u"-A"_s,
                                     u"authpass123"_s,
                                     sysContact});
        };
        QCOMPARE(login().exitCode, 0);
        const auto form = openOn(Users);
        QVERIFY(rowsOf(*form, Users).contains(u"authNoPrivSha|v3auth|V3"_s));
        deleteRow(*form, Users, u"authNoPrivSha|"_s);
        const auto refused = login();
        QVERIFY(refused.exitCode != 0);
        QVERIFY2(refused.err.contains(u"Unknown user name"_s), qPrintable(refused.err));
        QVERIFY(rowsOf(*form, Users).filter(QRegularExpression(u"^authNoPrivSha\\|"_s)).isEmpty());
    }

    void eachPageSavesItsList_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<int>("ruleLength");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("hosts")
            << int(Hosts)
            << u"Host IP Address      SNMP Version            Community Name/SNMP V3 User Name"_s
            << 78 << QStringList{u"trap.public.10.0.0.9"_s, u"V2-noAuthNoPriv"_s, u"public"_s}
            << QList<int>{21, 24, 32};
        QTest::newRow("views") << int(Views)
                               << u"View Name           Subtree                  View Type"_s << 55
                               << QStringList{u"all"_s, u"1"_s, u"included"_s}
                               << QList<int>{20, 25, 10};
        QTest::newRow("groups")
            << int(Groups)
            << u"Group Name         Access Security Model      Access Security Level     Access Status"_s
            << 86 << QStringList{u"granite"_s, u"SNMPv2"_s, u"noAuthNoPriv"_s, u"active"_s}
            << QList<int>{19, 27, 26, 10};
        QTest::newRow("users") << int(Users)
                               << u"User Name           Group Name            SNMP Version"_s << 52
                               << QStringList{u"noAuthUser"_s, u"v3noauth"_s, u"V3"_s}
                               << QList<int>{20, 22, 10};
        QTest::newRow("communities")
            << int(Communities) << u"Community Name         View Name           Access Right"_s
            << 57 << QStringList{u"granite"_s, u"all"_s, u"Read_Write"_s} << QList<int>{23, 20, 15};
    }

    void eachPageSavesItsList()
    {
        QFETCH(int, page);
        QFETCH(QString, heading);
        QFETCH(int, ruleLength);
        QFETCH(QStringList, cells);
        QFETCH(QList<int>, widths);
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        const auto form = openOn(Page(page));
        if (page == Hosts)
            addHost(*form, u"10.0.0.9"_s, u"public"_s);
        prompts.savePaths.push_back(dir.filePath(u"list.txt"_s));
        click(*form, u"btnSNMPSave"_s);
        QFile saved(dir.filePath(u"list.txt"_s));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(saved.readAll()).split(u'\n');
        QCOMPARE(lines.value(0), heading);
        QCOMPARE(lines.value(1), QString(ruleLength, u'='));
        QCOMPARE(lines.size(), listOf(*form, Page(page))->topLevelItemCount() + 3);
        QString row;
        for (int i = 0; i < cells.size(); ++i)
            row += cells.at(i).leftJustified(widths.at(i));
        QVERIFY2(lines.contains(row), qPrintable(lines.join(u'\n')));
    }

    // A switch that answers always has views (its own are permanent): an
    // empty view table is one that could not be read.
    void anEmptyViewTableSavesItsHeadingAndRuleOnly()
    {
        SimulatedSwitch silent;
        QVERIFY(silent.start());
        silent.stop();
        const ModuleRetargeted onIt(silent);
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        const auto form = openOn(Views);
        QCOMPARE(listOf(*form, Views)->topLevelItemCount(), 0);
        prompts.savePaths.push_back(dir.filePath(u"views.txt"_s));
        click(*form, u"btnSNMPSave"_s);
        QFile saved(dir.filePath(u"views.txt"_s));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(saved.readAll()),
                 u"View Name           Subtree                  View Type\n"_s + QString(55, u'=')
                     + u'\n');
    }

    // The host table is empty once its hosts are deleted.
    void anEmptyListSavesItsHeadingAndRuleOnly()
    {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        const auto form = openOn(Hosts);
        while (listOf(*form, Hosts)->topLevelItemCount() > 0)
            deleteRow(*form, Hosts, rowsOf(*form, Hosts).constFirst());
        const QString left
            = m_switch.runTool(u"snmpwalk"_s, {u"-v2c"_s, u"-ctundra"_s, targetAddrEntry}).out;
        QVERIFY2(!left.contains(targetAddrEntry + u".9."_s), qPrintable(left));
        prompts.savePaths.push_back(dir.filePath(u"hosts.txt"_s));
        click(*form, u"btnSNMPSave"_s);
        QFile saved(dir.filePath(u"hosts.txt"_s));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(
            QString::fromUtf8(saved.readAll()),
            u"Host IP Address      SNMP Version            Community Name/SNMP V3 User Name\n"_s
                + QString(78, u'=') + u'\n');
    }
};

QTEST_MAIN(TestSnmpV3)
#include "tst_snmpv3.moc"
