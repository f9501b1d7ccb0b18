#include "dialogtest.h"
#include "forms/tablepage.h"
#include "layer2/igmpsnooping.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "simulator.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString snoopingState = u"1.3.6.1.4.1.88508.11.68.1.2.1.2.2.0"_s;
const QString controlEntry = u"1.3.6.1.4.1.88508.11.68.1.2.11.3.1"_s;

enum Page { Globals, Control, Groups, Queries };

// Clicks the row as the user would, which enables "Edit".
void clickRow(QTreeWidget *list, QTreeWidgetItem *row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
}

QTreeWidgetItem *rowWith(const QTreeWidget *list, const QString &first, const QString &second = {})
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = list->topLevelItem(i);
        if (row->text(0) == first && (second.isEmpty() || row->text(1) == second))
            return row;
    }
    return nullptr;
}

} // namespace

class TestIGMPSnooping : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;
    SimulatedSwitch m_switch;

    std::unique_ptr<TIGMPSnoopingForm> openForm(Page page = Globals)
    {
        auto form = std::make_unique<TIGMPSnoopingForm>();
        form->show();
        QCoreApplication::processEvents();
        if (page != Globals) {
            form->pages()->setCurrentIndex(page);
            QCoreApplication::processEvents(); // the list's first walk
        }
        return form;
    }

    static QTreeWidget *list(const TIGMPSnoopingForm &form)
    {
        return form.pages()->currentWidget()->findChild<QTreeWidget *>();
    }

    quint32 setVariables() const { return m_switch.get(u"1.3.6.1.2.1.11.14.0"_s).toUInt(); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(ConnectModuleTo(m_switch));
    }

    void globalStateIsShownAndWritten()
    {
        QVERIFY(m_switch.set(snoopingState, u"i"_s, u"3"_s));
        auto form = openForm();
        auto *state = child<RadioGroup>(*form, u"rgpIGMPSnoopingState"_s);
        QCOMPARE(state->items(), (QStringList{u"Enabled"_s, u"Disabled"_s}));
        QCOMPARE(state->items().value(state->itemIndex()), u"Enabled"_s);
        QCOMPARE(child<QPushButton>(*form, u"bbtnApply"_s)->text(), u"Apply"_s);

        state->setItemIndex(1);
        click(*form, u"bbtnApply"_s);
        QCOMPARE(m_switch.get(snoopingState), u"2"_s);
        QVERIFY(m_switch.set(snoopingState, u"i"_s, u"3"_s));
    }

    void groupPortMapsAreShownAsPorts()
    {
        auto form = openForm(Groups);
        const QTreeWidget *groups = list(*form);
        QVERIFY(groups->isVisible());
        QCOMPARE(rowWith(groups, u"1"_s, u"239.1.1.1"_s)->text(3), u"2,5"_s);
        QCOMPARE(rowWith(groups, u"1"_s, u"239.255.255.250"_s)->text(3), u"1,3"_s);
        QCOMPARE(rowWith(groups, u"1"_s, u"224.0.1.60"_s)->text(3), u"0"_s);
    }

    void editWithoutSelectionAsksForOne()
    {
        ScriptedPrompts prompts;
        auto form = openForm(Control);
        auto *edit = child<QPushButton>(*form, u"bbtnApply"_s);
        QCOMPARE(edit->text(), u"Edit"_s);
        QVERIFY(!edit->isEnabled());
        QTreeWidget *controls = list(*form);
        clickRow(controls, controls->topLevelItem(0));
        QVERIFY(edit->isEnabled());

        controls->clearSelection();
        click(*form, u"bbtnApply"_s);
        QCOMPARE(prompts.lastText(), u"Please Select One Item!"_s);
    }

    void editorWritesOnlyWhatChanged()
    {
        auto form = openForm(Control);
        QTreeWidget *controls = list(*form);
        clickRow(controls, rowWith(controls, u"1"_s));
        const quint32 variables = setVariables();
        onModal(u"IGMPSnoopingCtrlForm"_s, [](QDialog &editor) {
            QCOMPARE(editor.windowTitle(), u"IGMP Snooping Control:"_s);
            auto *query = child<RadioGroup>(editor, u"rgpQueryState"_s);
            QCOMPARE(query->items().value(query->itemIndex()), u"Enabled"_s);
            child<QLineEdit>(editor, u"RobustnessEdit"_s)->setText(u"4"_s);
            click(editor, u"bbtnApply"_s);
        });
        click(*form, u"bbtnApply"_s);
        QCOMPARE(setVariables(), variables + 1);
        QCOMPARE(m_switch.get(controlEntry + u".4.1"_s), u"4"_s);
        QCOMPARE(rowWith(controls, u"1"_s)->text(3), u"4"_s);
        QVERIFY(m_switch.set(controlEntry + u".4.1"_s, u"i"_s, u"2"_s));
    }

    void vlanBringsItsSnoopingRows()
    {
        const QString vlan = u"1.3.6.1.2.1.17.7.1.4.3.1"_s;
        const auto created = m_switch.runTool(u"snmpset"_s,
                                              {u"-v2c"_s,
                                               u"-cgranite"_s,
                                               vlan + u".1.77"_s,
                                               u"s"_s,
                                               u"video"_s,
                                               vlan + u".5.77"_s,
                                               u"i"_s,
                                               u"4"_s});
        QCOMPARE(created.exitCode, 0);
        auto form = openForm(Control);
        QVERIFY(rowWith(list(*form), u"77"_s));
        form->pages()->setCurrentIndex(Queries);
        QCoreApplication::processEvents();
        QVERIFY(rowWith(list(*form), u"77"_s));
        QVERIFY(m_switch.set(vlan + u".5.77"_s, u"i"_s, u"6"_s));
        QVERIFY(m_switch.get(controlEntry + u".2.77"_s).contains(u"No Such Instance"_s));
    }

    void saveWritesEachListInItsLayout_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("control")
            << int(Control)
            << QStringList{
                   u"Vid   QueryInterval   MaxResponseTime   Robustness   LastMemberQueryInterval   HostTimeout   RouteTimeout   LeaveTimer   QueryState   CurrentState   IGMPSnoopingState"_s,
                   QString(167, u'='),
                   u"1     125             10                2            1                         260           260            2            enabled      querier        enable         "_s};
        QTest::newRow("groups")
            << int(Groups)
            << QStringList{u"Vid   GroupIpAddr   MacAddr   PortMap   IpGroupReportCount"_s,
                           QString(60, u'='),
                           u"1     224.0.1.60    01005E00013C 0         0                 "_s,
                           u"1     239.1.1.1     01005E010101 2,5       14                "_s,
                           u"1     239.255.255.250 01005E7FFFFA 1,3       52                "_s};
        QTest::newRow("queries") << int(Queries)
                                 << QStringList{u"Vid   QueryCount   TxQueryCount"_s,
                                                QString(32, u'='),
                                                u"1     12           37            "_s};
    }

    void saveWritesEachListInItsLayout()
    {
        QFETCH(int, page);
        QFETCH(QStringList, lines);
        ScriptedPrompts prompts;
        const QString path = m_files.filePath(u"igmp%1.txt"_s.arg(page));
        prompts.savePaths = {path};
        auto form = openForm(static_cast<Page>(page));
        click(*form, u"btnBMStormControlSave"_s);
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QStringList written = QString::fromUtf8(saved.readAll()).split(u'\n');
        if (written.constLast().isEmpty())
            written.removeLast();
        QCOMPARE(written, lines);
    }
};

QTEST_MAIN(TestIGMPSnooping)
#include "tst_igmpsnooping.moc"
