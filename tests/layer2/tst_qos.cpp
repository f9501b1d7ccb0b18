#include "dialogtest.h"
#include "forms/tablepage.h"
#include "layer2/qos.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "simulator.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString qos = u"1.3.6.1.4.1.88508.11.68.1.2.6"_s;

enum Page { Globals, Bandwidth, Scheduling, UserPriority, DefaultPriority };

QTreeWidgetItem *rowOf(const QTreeWidget *list, const QString &index)
{
    const QList<QTreeWidgetItem *> rows = list->findItems(index, Qt::MatchExactly, 0);
    return rows.isEmpty() ? nullptr : rows.constFirst();
}

} // namespace

class TestQoS : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;
    SimulatedSwitch m_switch;

    std::unique_ptr<TQOSForm> openForm(Page page = Globals)
    {
        auto form = std::make_unique<TQOSForm>();
        form->show();
        QCoreApplication::processEvents();
        if (page != Globals) {
            form->pages()->setCurrentIndex(page);
            QCoreApplication::processEvents();
        }
        return form;
    }

    static TTablePage *listPage(const TQOSForm &form)
    {
        return qobject_cast<TTablePage *>(form.pages()->currentWidget());
    }

    // Opens the editor of the row and runs the action in it.
    static void editRow(TQOSForm &form,
                        const QString &index,
                        const QString &editor,
                        const std::function<void(QDialog &)> &action)
    {
        QTreeWidget *list = listPage(form)->list();
        list->setCurrentItem(rowOf(list, index));
        QVERIFY(child(form, u"BitBtn3"_s)->isEnabled());
        onModal(editor, action);
        click(form, u"BitBtn3"_s);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(ConnectModuleTo(m_switch));
    }

    void roundRobinIsWrittenAndReadBack()
    {
        auto form = openForm();
        auto *mechanism = child<RadioGroup>(*form, u"rgp_QOSSchedMechStatus"_s);
        QCOMPARE(mechanism->items(), (QStringList{u"strict"_s, u"roundrobin"_s}));
        QVERIFY(!child(*form, u"BitBtn3"_s)->isEnabled());
        QVERIFY(!child(*form, u"btnBMStormControlPrint"_s)->isEnabled());
        mechanism->setItemIndex(1);
        click(*form, u"BitBtn2"_s);
        QCOMPARE(m_switch.get(qos + u".5.0"_s), u"2"_s);
        QVERIFY(m_switch.set(qos + u".5.0"_s, u"i"_s, u"1"_s));
        click(*form, u"BitBtn1"_s);
        QCOMPARE(mechanism->itemIndex(), 0);
    }

    void bandwidthEditorWritesTheChosenRate()
    {
        auto form = openForm(Bandwidth);
        QVERIFY(!child(*form, u"BitBtn3"_s)->isEnabled());
        editRow(*form, u"5"_s, u"FRM_BandWidthCtrl"_s, [](QDialog &editor) {
            QCOMPARE(editor.windowTitle(), u"BandWidth Control"_s);
            auto *rate = child<QComboBox>(editor, u"CB_RxRate"_s);
            QCOMPARE(rate->currentText(), u"no-limit"_s);
            rate->setCurrentText(u"rx-1M"_s);
            click(editor, u"bbtnApply"_s);
        });
        QCOMPARE(m_switch.get(qos + u".1.1.2.5"_s), u"6"_s);
        QCOMPARE(rowOf(listPage(*form)->list(), u"5"_s)->text(1), u"rx-1M"_s);
        QVERIFY(!child(*form, u"BitBtn3"_s)->isEnabled());
        QVERIFY(m_switch.set(qos + u".1.1.2.5"_s, u"i"_s, u"1"_s));
    }

    void editorsRefuseValuesOutOfRange_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::newRow("default priority 8") << int(DefaultPriority) << u"FRM_DefaultPriority"_s
                                            << u"ED_DefaultPriority"_s << u"8"_s;
        QTest::newRow("empty class")
            << int(UserPriority) << u"FRM_UserPriority"_s << u"ED_UserPriorityClass"_s << QString();
        QTest::newRow("max packets 16")
            << int(Scheduling) << u"FRM_SchedulingCtrl"_s << u"ED_MaxPacket"_s << u"16"_s;
    }

    void editorsRefuseValuesOutOfRange()
    {
        QFETCH(int, page);
        QFETCH(QString, editor);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        ScriptedPrompts prompts;
        auto form = openForm(static_cast<Page>(page));
        const quint32 sets = m_switch.setRequests();
        bool stayedOpen = false;
        editRow(*form, u"1"_s, editor, [&](QDialog &opened) {
            child<QLineEdit>(opened, box)->setText(typed);
            click(opened, u"bbtnApply"_s);
            stayedOpen = opened.isVisible();
        });
        QVERIFY(stayedOpen);
        // The box's own format check may speak too when the editor closes.
        QVERIFY(!prompts.shown.isEmpty());
        QCOMPARE(m_switch.setRequests(), sets);
    }

    void defaultPriorityEditorWritesItsRow()
    {
        auto form = openForm(DefaultPriority);
        editRow(*form, u"3"_s, u"FRM_DefaultPriority"_s, [](QDialog &editor) {
            child<QLineEdit>(editor, u"ED_DefaultPriority"_s)->setText(u"7"_s);
            click(editor, u"bbtnApply"_s);
        });
        QCOMPARE(m_switch.get(qos + u".4.1.2.3"_s), u"7"_s);
        QCOMPARE(rowOf(listPage(*form)->list(), u"3"_s)->text(1), u"7"_s);
        QVERIFY(m_switch.set(qos + u".4.1.2.3"_s, u"i"_s, u"0"_s));
    }

    void saveWritesEachListInItsLayout_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<int>("rows");
        QTest::newRow("bandwidth") << int(Bandwidth) << u"Port Index   Receive Rate"_s << 26
                                   << u"1            no-limit       "_s << 24;
        QTest::newRow("scheduling") << int(Scheduling) << u"Class Index   Scheduling Mechanism"_s
                                    << 36 << u"0            1              "_s << 4;
        QTest::newRow("user priority")
            << int(UserPriority) << u"User Priority Index   8021p User Priority Class"_s << 48
            << u"0                     1                        "_s << 8;
        QTest::newRow("default priority")
            << int(DefaultPriority) << u"Priority Index   8021p Default Priority"_s << 40
            << u"1                0                   "_s << 24;
    }

    void saveWritesEachListInItsLayout()
    {
        QFETCH(int, page);
        QFETCH(QString, heading);
        QFETCH(int, rule);
        QFETCH(QString, firstRow);
        QFETCH(int, rows);
        ScriptedPrompts prompts;
        const QString path = m_files.filePath(u"qos%1.txt"_s.arg(page));
        prompts.savePaths = {path};
        auto form = openForm(static_cast<Page>(page));
        listPage(*form)->action(KxTableAction::Save)->trigger();
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(saved.readAll()).split(u'\n');
        if (lines.constLast().isEmpty())
            lines.removeLast();
        QCOMPARE(lines.value(0), heading);
        QCOMPARE(lines.value(1), QString(rule, u'='));
        QCOMPARE(lines.value(2), firstRow);
        QCOMPARE(lines.size(), rows + 2);
    }

    void failedSaveAndPrintAreShown()
    {
        ScriptedPrompts prompts;
        const QString unwritable = m_files.filePath(u"missing/qos.txt"_s);
        prompts.savePaths = {unwritable};
        prompts.printFiles = {m_files.filePath(u"missing/qos.pdf"_s)};
        auto form = openForm(Scheduling);
        listPage(*form)->action(KxTableAction::Save)->trigger();
        QCOMPARE(prompts.lastText(), u"Could not save file "_s + unwritable);
        click(*form, u"btnBMStormControlPrint"_s);
        QCOMPARE(prompts.lastText(), u"Could not print file !"_s);
    }
};

QTEST_MAIN(TestQoS)
#include "tst_qos.moc"
