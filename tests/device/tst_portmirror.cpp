// Port mirror, traffic port control and RMON status against the simulated
// switch; the RMON dialog through the main window's "Options" item.
#include "app/mainform.h"
#include "app/menudialogs.h"
#include "binding/standardoptions.h"
#include "device/portmirror.h"
#include "device/rmonstatus.h"
#include "device/trafficportctrl.h"
#include "dialogtest.h"
#include "forms/tablepage.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "simulator.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString mirror = u"1.3.6.1.4.1.88508.11.68.1.2.10"_s;
const QString trafficStatus = u"1.3.6.1.4.1.88508.11.68.1.2.13.5.1.3"_s;
const QString rmonState = u"1.3.6.1.4.1.88508.11.68.1.2.1.2.3.0"_s;
const char *const rmonItems[] = {"AlarmManager1", "Alarms1", "Control1"};

const KxSNMPVarDesc trafficTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.13.5.1.1", "Index", KxSyntax::Integer, KxAccess::NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.13.5.1.3",
     "State",
     KxSyntax::Integer,
     KxAccess::ReadWrite,
     &DisabledEnabledOptions},
    {},
};

// The traffic port control list as the MAC forwarding dialog shows it.
KxTableDesc trafficDesc()
{
    KxTableDesc desc;
    desc.listName = "lv_TrafficPortControl";
    desc.table = trafficTable;
    desc.kind = MVT_FMV;
    desc.columns = {{u"Index"_s, 8}, {u"State"_s, 10}};
    desc.buttons = {{KxTableAction::Edit, "Edit..", "btnTrafficEdit"}};
    return desc;
}

QAction *action(const QWidget &window, const char *name)
{
    return window.findChild<QAction *>(QString::fromLatin1(name));
}

RadioGroup *group(const QWidget &dialog, const QString &name)
{
    return child<RadioGroup>(dialog, name);
}

} // namespace

class TestPortMirror : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    template<typename Dialog>
    std::unique_ptr<Dialog> open()
    {
        auto dialog = std::make_unique<Dialog>();
        dialog->show();
        QCoreApplication::processEvents();
        return dialog;
    }

    QStringList mirrorOnSwitch() const
    {
        QStringList values;
        for (int object = 1; object <= 4; ++object)
            values << m_switch.get(u"%1.%2.0"_s.arg(mirror).arg(object));
        return values;
    }

    QStringList arguments() const
    {
        return {u"/I127.0.0.1"_s, u"/t%1"_s.arg(m_switch.port()), u"/Rtundra"_s, u"/Wgranite"_s};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(ConnectModuleTo(m_switch));
        qputenv("RQ5160_TFTP_PORT", "0");
    }

    void mirrorShowsAndWritesAllFourInOneSet()
    {
        QVERIFY(m_switch.set(mirror + u".1.0"_s, u"i"_s, u"5"_s));
        QVERIFY(m_switch.set(mirror + u".2.0"_s, u"i"_s, u"3"_s));
        QVERIFY(m_switch.set(mirror + u".3.0"_s, u"i"_s, u"3"_s));
        QVERIFY(m_switch.set(mirror + u".4.0"_s, u"i"_s, u"3"_s));
        auto dialog = open<Tfm_PortMirror>();
        QCOMPARE(child<QLineEdit>(*dialog, u"ed_SourcePort"_s)->text(), u"5"_s);
        QCOMPARE(child<QLineEdit>(*dialog, u"ed_TargetIngress"_s)->text(), u"3"_s);
        QCOMPARE(child<QLineEdit>(*dialog, u"ed_TargetEgress"_s)->text(), u"3"_s);
        QCOMPARE(group(*dialog, u"rgp_MirrorPortStatus"_s)->items().at(1), u"enabled"_s);
        QCOMPARE(group(*dialog, u"rgp_MirrorPortStatus"_s)->itemIndex(), 1);

        group(*dialog, u"rgp_MirrorPortStatus"_s)->button(0)->click();
        const quint32 before = m_switch.setRequests();
        click(*dialog, u"bbtnApply"_s);

        QCOMPARE(m_switch.setRequests() - before, 1u);
        QCOMPARE(mirrorOnSwitch(), (QStringList{u"5"_s, u"3"_s, u"3"_s, u"2"_s}));
        QVERIFY(dialog->isVisible());
    }

    void mirrorEntriesAreChecked_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("25") << u"ed_SourcePort"_s << u"25"_s
                            << u"(KxCommon) Please enter a number between 1 and 24!"_s;
        QTest::newRow("0") << u"ed_TargetEgress"_s << u"0"_s
                           << u"(KxCommon) Please enter a number between 1 and 24!"_s;
        QTest::newRow("empty") << u"ed_TargetIngress"_s << QString()
                               << u"(KxCommon) Empty value is not allowed!"_s;
        QTest::newRow("target is a source") << u"ed_SourcePort"_s << u"3"_s << QString();
    }

    void mirrorEntriesAreChecked()
    {
        ScriptedPrompts prompts; // outlives the dialog and its last focus change
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        auto dialog = open<Tfm_PortMirror>();
        const QStringList before = mirrorOnSwitch();
        child<QLineEdit>(*dialog, box)->setText(text);
        click(*dialog, u"bbtnApply"_s);
        if (!message.isEmpty())
            QCOMPARE(prompts.lastText(), message);
        QCOMPARE(mirrorOnSwitch(), before); // the switch refuses a target that is mirrored
    }

    void mirrorStateMustBeChosen()
    {
        ScriptedPrompts prompts; // outlives the dialog and its last focus change
        auto dialog = open<Tfm_PortMirror>();
        group(*dialog, u"rgp_MirrorPortStatus"_s)->setItemIndex(-1);
        const quint32 before = m_switch.setRequests();
        click(*dialog, u"bbtnApply"_s);
        QCOMPARE(prompts.lastText(), u"You should set Mirror Port Status."_s);
        QCOMPARE(m_switch.setRequests(), before);
    }

    void trafficControlWritesTheRowItWasOpenedOn()
    {
        TTableDialog list(trafficDesc());
        list.page()->rowEditor = [&list](QTreeWidgetItem *row) {
            return MakeTrafficPortCtrlEditor(row, &list);
        };
        list.show();
        QTRY_COMPARE(list.list()->topLevelItemCount(), 24);
        QTreeWidgetItem *row7 = list.list()->topLevelItem(6);
        QCOMPARE(row7->text(1), u"disabled"_s);
        list.list()->setCurrentItem(row7);
        onModal(u"frm_TrafficPortCtrl"_s, [](QDialog &editor) {
            QCOMPARE(child<QLabel>(editor, u"lb_index"_s)->text(), u"7"_s);
            QCOMPARE(group(editor, u"rgp_TrafficPortStatus"_s)->itemIndex(), 0);
            group(editor, u"rgp_TrafficPortStatus"_s)->button(1)->click();
            click(editor, u"bbtnApply"_s);
            QVERIFY(!editor.isVisible());
        });
        const quint32 before = m_switch.setRequests();
        click(list, u"btnTrafficEdit"_s);
        QCOMPARE(m_switch.setRequests() - before, 1u);
        QCOMPARE(m_switch.get(trafficStatus + u".7"_s), u"3"_s);
        QCOMPARE(list.list()->topLevelItem(6)->text(1), u"enabled"_s); // read again
    }

    void trafficControlNeedsARowAndAKnownState()
    {
        QVERIFY(!MakeTrafficPortCtrlEditor(nullptr, nullptr));
        QTreeWidgetItem row({u"9"_s, u"(NULL)"_s});
        const auto editor = MakeTrafficPortCtrlEditor(&row, nullptr);
        QCOMPARE(group(*editor, u"rgp_TrafficPortStatus"_s)->itemIndex(), -1);
        const quint32 before = m_switch.setRequests();
        click(*editor, u"bbtnApply"_s);
        QCOMPARE(m_switch.setRequests(), before);
    }

    void rmonOptionsUpdateTheMenu()
    {
        QVERIFY(m_switch.set(rmonState, u"i"_s, u"3"_s));
        TMainForm window(arguments());
        QString title;
        window.dialogs().show = [&title](QDialog &dialog) {
            title = dialog.windowTitle();
            dialog.show();
            QTRY_COMPARE(group(dialog, u"rgp_RmonStatus"_s)->itemIndex(), 1);
            group(dialog, u"rgp_RmonStatus"_s)->button(0)->click();
            click(dialog, u"bbtnApply"_s);
            QVERIFY(!dialog.isVisible());
        };
        action(window, "Option1")->trigger();
        QCOMPARE(title, u"RMON Status :127.0.0.1"_s);
        QCOMPARE(m_switch.get(rmonState), u"2"_s);
        // The main window reads the state again in the background.
        for (const char *item : rmonItems)
            QTRY_VERIFY2(!action(window, item)->isEnabled(), item);
        QVERIFY(action(window, "Option1")->isEnabled());
    }

    // Last: stops the switch.
    void rmonClosesWithoutAnAnswer()
    {
        QVERIFY(m_switch.set(rmonState, u"i"_s, u"3"_s));
        TMainForm window(arguments());
        QTRY_VERIFY(action(window, rmonItems[0])->isEnabled());
        m_switch.stop();
        bool closed = false;
        window.dialogs().show = [&closed](QDialog &dialog) {
            dialog.show();
            QCoreApplication::processEvents();
            group(dialog, u"rgp_RmonStatus"_s)->setItemIndex(0);
            click(dialog, u"bbtnApply"_s);
            closed = !dialog.isVisible();
        };
        action(window, "Option1")->trigger();
        QVERIFY(closed);
        for (const char *item : rmonItems)
            QVERIFY2(action(window, item)->isEnabled(), item);
    }
};

QTEST_MAIN(TestPortMirror)
#include "tst_portmirror.moc"
