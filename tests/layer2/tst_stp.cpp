#include "dialogtest.h"
#include "forms/entrychecks.h"
#include "forms/tablepage.h"
#include "layer2/stp.h"
#include "moduletest.h"
#include "scriptedprompts.h"
#include "simulator.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString instanceEntry = u"1.3.6.1.4.1.88508.12.15.2.3.1"_s;
const QString agingTime = u"1.3.6.1.2.1.17.4.2.0"_s;
const QString emptyValueMessage = u"(KxCommon) Empty value is not allowed!"_s;

enum Page { Global, ConfigId, Instances, PortStates, PortInstances };
enum Setting { MaxAge = 3, HelloTime = 4, ForwardDelay = 5, RecoverTime = 10 };

QString setting(int number)
{
    return u"1.3.6.1.4.1.88508.12.15.1.%1.0"_s.arg(number);
}

QString instanceColumn(int column, int instance)
{
    return u"%1.%2.%3"_s.arg(instanceEntry).arg(column).arg(instance);
}

void type(const QWidget &parent, const QString &name, const QString &text)
{
    child<QLineEdit>(parent, name)->setText(text);
}

QTreeWidgetItem *rowWith(const QTreeWidget *list, const QStringList &keys)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = list->topLevelItem(i);
        bool match = true;
        for (int column = 0; column < keys.size(); ++column)
            match = match && row->text(column) == keys.at(column);
        if (match)
            return row;
    }
    return nullptr;
}

} // namespace

class TestSTP : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    std::unique_ptr<TSTPForm> openForm()
    {
        auto form = std::make_unique<TSTPForm>();
        form->show();
        QCoreApplication::processEvents(); // the first reads
        return form;
    }

    static QTreeWidget *showList(TSTPForm &form, Page page)
    {
        form.pages()->setCurrentIndex(page);
        QCoreApplication::processEvents(); // a list's first walk
        return form.pages()->currentWidget()->findChild<QTreeWidget *>();
    }

    // The MIB objects the switch changed, counted by its agent.
    quint32 setVariables() const { return m_switch.get(u"1.3.6.1.2.1.11.14.0"_s).toUInt(); }

    void createInstance(int instance, const QString &firstRange)
    {
        const auto result = m_switch.runTool(u"snmpset"_s,
                                             {u"-v2c"_s,
                                              u"-cgranite"_s,
                                              instanceColumn(2, instance),
                                              u"x"_s,
                                              firstRange,
                                              instanceColumn(24, instance),
                                              u"i"_s,
                                              u"4"_s});
        QCOMPARE(result.exitCode, 0);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void onlyTheChangedSettingIsWritten_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("oid");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("aging time") << u"ED_AgingTime"_s << agingTime << u"300"_s << u"600"_s;
        QTest::newRow("max age") << u"ED_MaxAge"_s << setting(MaxAge) << u"2000"_s << u"2400"_s;
    }

    void onlyTheChangedSettingIsWritten()
    {
        QFETCH(QString, edit);
        QFETCH(QString, oid);
        QFETCH(QString, before);
        QFETCH(QString, after);
        auto form = openForm();
        QCOMPARE(child<QLineEdit>(*form, edit)->text(), before);
        type(*form, edit, after);
        const quint32 sets = m_switch.setRequests();
        const quint32 variables = setVariables();
        click(*form, u"BitBtn2"_s);
        QCOMPARE(m_switch.setRequests(), sets + 1);
        QCOMPARE(setVariables(), variables + 1);
        QCOMPARE(m_switch.get(oid), after);

        click(*form, u"BitBtn2"_s); // nothing changed since
        QCOMPARE(m_switch.setRequests(), sets + 1);
        QVERIFY(m_switch.set(oid, u"i"_s, before));
    }

    void recoverTimeIsZeroOrAtLeastSixty_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("59") << u"59"_s << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("0") << u"0"_s << true;
        QTest::newRow("60") << u"60"_s << true;
    }

    void recoverTimeIsZeroOrAtLeastSixty()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QVERIFY(m_switch.set(setting(RecoverTime), u"i"_s, u"300"_s));
        ScriptedPrompts prompts;
        auto form = openForm();
        type(*form, u"ED_RecoverTime"_s, typed);
        const quint32 sets = m_switch.setRequests();
        click(*form, u"BitBtn2"_s);
        if (accepted) {
            QVERIFY(prompts.shown.isEmpty());
            QCOMPARE(m_switch.get(setting(RecoverTime)), typed);
        } else {
            QCOMPARE(prompts.lastText(),
                     u"LBD recover time should be equal to 0 or between 60-1000000!"_s);
            QCOMPARE(m_switch.setRequests(), sets);
        }
    }

    void helloTimeBelongsToStpAndRstpOnly()
    {
        QVERIFY(m_switch.set(setting(2), u"i"_s, u"2"_s)); // mstp
        auto form = openForm();
        auto *hello = child<QLineEdit>(*form, u"ED_HelloTime"_s);
        QVERIFY(!hello->isEnabled());
        hello->setText(u"300"_s);
        type(*form, u"ED_MaxAge"_s, u"2400"_s);
        click(*form, u"BitBtn2"_s);
        QCOMPARE(m_switch.get(setting(MaxAge)), u"2400"_s);
        QCOMPARE(m_switch.get(setting(HelloTime)), u"200"_s);

        QTreeWidget *ports = showList(*form, PortStates);
        ports->setCurrentItem(ports->topLevelItem(0));
        bool helloEditable = false;
        onModal(u"MSTPPortStateForm"_s, [&helloEditable](QDialog &editor) {
            helloEditable = child(editor, u"ED_HelloTime"_s)->isEnabled();
        });
        click(*form, u"BitBtn3"_s);
        QVERIFY(helloEditable);

        child<QComboBox>(*form, u"CB_STPVersion"_s)->setCurrentText(u"rstp"_s);
        QVERIFY(hello->isEnabled());
        QVERIFY(m_switch.set(setting(2), u"i"_s, u"1"_s));
        QVERIFY(m_switch.set(setting(MaxAge), u"i"_s, u"2000"_s));
    }

    void aRefusedSetIsSentAgain()
    {
        auto form = openForm();
        // 2 x (15 s - 1 s) < 35 s: the switch refuses the max age.
        type(*form, u"ED_MaxAge"_s, u"3500"_s);
        click(*form, u"BitBtn2"_s);
        QCOMPARE(m_switch.get(setting(MaxAge)), u"2000"_s);
        QCOMPARE(child<QLineEdit>(*form, u"ED_MaxAge"_s)->text(), u"2000"_s);

        QVERIFY(m_switch.set(setting(ForwardDelay), u"i"_s, u"3000"_s));
        type(*form, u"ED_MaxAge"_s, u"3500"_s);
        click(*form, u"BitBtn2"_s);
        QCOMPARE(m_switch.get(setting(MaxAge)), u"3500"_s);
        QVERIFY(m_switch.set(setting(MaxAge), u"i"_s, u"2000"_s));
        QVERIFY(m_switch.set(setting(ForwardDelay), u"i"_s, u"1500"_s));
    }

    void configurationNameHasAtMost32Characters()
    {
        const QString oid = u"1.3.6.1.4.1.88508.12.15.2.1.0"_s;
        const QString before = m_switch.get(oid);
        ScriptedPrompts prompts;
        auto form = openForm();
        form->pages()->setCurrentIndex(ConfigId);
        type(*form, u"ED_ConfigurationName"_s, QString(33, u'r'));
        const quint32 sets = m_switch.setRequests();
        click(*form, u"BitBtn2"_s);
        QCOMPARE(prompts.lastText(), invalidStringMessage(u"Configuration Name"_s));
        QCOMPARE(m_switch.setRequests(), sets);

        type(*form, u"ED_ConfigurationName"_s, QString(32, u'r'));
        click(*form, u"BitBtn2"_s);
        QCOMPARE(m_switch.get(oid), QString(32, u'r'));
        QVERIFY(m_switch.set(oid, u"s"_s, before));
    }

    void aCreatedInstanceHasEveryPort()
    {
        createInstance(2, u"4000000000000000"_s);
        auto form = openForm();
        QTreeWidget *instances = showList(*form, Instances);
        const QTreeWidgetItem *created = rowWith(instances, {u"2"_s});
        QVERIFY(created);
        QCOMPARE(created->text(1), u"4000000000000000"_s);
        QCOMPARE(created->text(9), u"msti"_s);

        QTreeWidget *ports = showList(*form, PortInstances);
        for (int port = 1; port <= 24; ++port)
            QVERIFY2(rowWith(ports, {QString::number(port), u"2"_s}),
                     qPrintable(QString::number(port)));
        QVERIFY(m_switch.set(instanceColumn(24, 2), u"i"_s, u"6"_s));
    }

    void instanceEditorChecksItsBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty priority") << u"ED_Priority"_s << QString() << emptyValueMessage;
        QTest::newRow("15 hex digits") << u"ED_VlanRange2"_s << u"800000000000000"_s
                                       << invalidStringMessage(u"VLAN Range [65-128]"_s);
        QTest::newRow("17 hex digits") << u"ED_VlanRange1"_s << u"80000000000000000"_s
                                       << invalidStringMessage(u"VLAN Range [1-64]"_s);
    }

    void instanceEditorChecksItsBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        auto form = openForm();
        QTreeWidget *instances = showList(*form, Instances);
        instances->setCurrentItem(rowWith(instances, {u"0"_s}));
        const quint32 sets = m_switch.setRequests();
        bool stayedOpen = false;
        onModal(u"ConfigInstanceForm"_s, [&](QDialog &editor) {
            type(editor, box, typed);
            click(editor, u"bbtnApply"_s);
            stayedOpen = editor.isVisible();
        });
        click(*form, u"BitBtn3"_s);
        QVERIFY(stayedOpen);
        QCOMPARE(prompts.lastText(), message);
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void instanceEditorWritesTheChangedPriority()
    {
        createInstance(3, u"0000000000000000"_s);
        auto form = openForm();
        QTreeWidget *instances = showList(*form, Instances);
        instances->setCurrentItem(rowWith(instances, {u"3"_s}));
        onModal(u"ConfigInstanceForm"_s, [](QDialog &editor) {
            type(editor, u"ED_Priority"_s, u"4096"_s);
            click(editor, u"bbtnApply"_s);
        });
        click(*form, u"BitBtn3"_s);
        QCOMPARE(m_switch.get(instanceColumn(12, 3)), u"4096"_s);
        QCOMPARE(rowWith(instances, {u"3"_s})->text(11), u"4096"_s);
        QVERIFY(m_switch.set(instanceColumn(24, 3), u"i"_s, u"6"_s));
    }

    // What the switch itself refuses, whoever sends it.
    void switchKeepsItsRules_data()
    {
        QTest::addColumn<QString>("oid");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("taken");
        const QString portPriority = u"1.3.6.1.4.1.88508.12.15.2.5.1.5.1.0"_s;
        QTest::newRow("bridge priority 4096")
            << instanceColumn(12, 0) << u"i"_s << u"4096"_s << true;
        QTest::newRow("bridge priority 4000")
            << instanceColumn(12, 0) << u"i"_s << u"4000"_s << false;
        QTest::newRow("port priority 112") << portPriority << u"i"_s << u"112"_s << true;
        QTest::newRow("port priority 100") << portPriority << u"i"_s << u"100"_s << false;
        QTest::newRow("range of 7 octets")
            << instanceColumn(2, 0) << u"x"_s << u"80000000000000"_s << false;
        QTest::newRow("CIST destroyed") << instanceColumn(24, 0) << u"i"_s << u"6"_s << false;
        QTest::newRow("hello time 1000") << setting(HelloTime) << u"i"_s << u"1000"_s << false;
    }

    void switchKeepsItsRules()
    {
        QFETCH(QString, oid);
        QFETCH(QString, kind);
        QFETCH(QString, value);
        QFETCH(bool, taken);
        const QString before = m_switch.get(oid, kind == u"x"_s).remove(u' ');
        QCOMPARE(m_switch.set(oid, kind, value), taken);
        if (taken)
            QVERIFY(m_switch.set(oid, kind, before));
    }

    void aVLanBelongsToOneInstance()
    {
        createInstance(4, u"2000000000000000"_s);
        const auto second = m_switch.runTool(u"snmpset"_s,
                                             {u"-v2c"_s,
                                              u"-cgranite"_s,
                                              instanceColumn(2, 5),
                                              u"x"_s,
                                              u"2000000000000000"_s,
                                              instanceColumn(24, 5),
                                              u"i"_s,
                                              u"4"_s});
        QVERIFY(second.exitCode != 0);
        QVERIFY(m_switch.set(instanceColumn(24, 4), u"i"_s, u"6"_s));
    }

    void disablingStpForwardsOnEveryPort()
    {
        const QString port4 = u"1.3.6.1.4.1.88508.12.15.2.5.1.6.4.0"_s;
        const QString changes = instanceColumn(22, 0);
        QCOMPARE(m_switch.get(port4), u"2"_s); // no link
        const quint32 before = m_switch.get(changes).toUInt();
        QVERIFY(m_switch.set(setting(1), u"i"_s, u"2"_s));
        QCOMPARE(m_switch.get(port4), u"5"_s);
        QVERIFY(m_switch.get(changes).toUInt() > before);
        QVERIFY(m_switch.set(setting(1), u"i"_s, u"3"_s));
        QCOMPARE(m_switch.get(port4), u"2"_s);
    }
};

QTEST_MAIN(TestSTP)
#include "tst_stp.moc"
