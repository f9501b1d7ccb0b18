#include "dialogtest.h"
#include "forms/portselection.h"
#include "scriptedprompts.h"

#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

bool isDown(const PortSelectionDialog &dialog, int port)
{
    return dialog.portButton(port)->isChecked();
}

void press(PortSelectionDialog &dialog, std::initializer_list<int> ports)
{
    for (int port : ports)
        click(dialog, u"btnPort%1"_s.arg(port));
}

} // namespace

class TestPortSelection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttonsShowAndToggleTheSet()
    {
        PortSelectionDialog dialog(PortSet::fromText(u"1,24"_s));
        QVERIFY(isDown(dialog, 1) && isDown(dialog, 24) && !isDown(dialog, 2));
        press(dialog, {1, 5, 21});
        QCOMPARE(dialog.ports().toDisplayList(), u"5,21,24"_s);
        // 20 to a row: port 21 starts the second row.
        dialog.show();
        QCOMPARE(dialog.portButton(21)->x(), dialog.portButton(1)->x());
        QVERIFY(dialog.portButton(21)->y() > dialog.portButton(20)->y());
        QCOMPARE(dialog.portButton(20)->y(), dialog.portButton(1)->y());
        click(dialog, u"btnOk"_s);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void exclusiveModeKeepsOnePort()
    {
        PortSelectionOptions options;
        options.exclusive = true;
        PortSelectionDialog dialog(PortSet::fromText(u"3"_s), options);
        press(dialog, {7});
        QCOMPARE(dialog.ports().toDisplayList(), u"7"_s);
        QVERIFY(!isDown(dialog, 3));
        press(dialog, {7});
        QCOMPARE(dialog.ports().toDisplayList(), u"7"_s);

        PortSelectionDialog several(PortSet::fromText(u"2,9"_s), options);
        QCOMPARE(several.ports().toDisplayList(), u"9"_s);
    }

    void lockedPortStaysDown()
    {
        PortSelectionOptions options;
        options.lockedPort = 4;
        PortSelectionDialog dialog(PortSet::fromText(u"6"_s), options);
        QVERIFY(isDown(dialog, 4));
        QVERIFY(!dialog.portButton(4)->isEnabled());
        press(dialog, {4, 6});
        QCOMPARE(dialog.ports().toDisplayList(), u"4"_s);
    }

    void disabledPortsKeepOrLoseTheirState_data()
    {
        QTest::addColumn<bool>("clearDisabled");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("kept") << false << u"1,2,3"_s;
        QTest::newRow("cleared") << true << u"1,3"_s;
    }

    void disabledPortsKeepOrLoseTheirState()
    {
        QFETCH(bool, clearDisabled);
        QFETCH(QString, chosen);
        PortSelectionOptions options;
        options.disabled = PortSet::fromText(u"2,5"_s);
        options.clearDisabled = clearDisabled;
        PortSelectionDialog dialog(PortSet::fromText(u"1,2"_s), options);
        QVERIFY(!dialog.portButton(2)->isEnabled());
        QVERIFY(!dialog.portButton(5)->isEnabled());
        QVERIFY(dialog.portButton(3)->isEnabled());
        QCOMPARE(isDown(dialog, 2), !clearDisabled);
        press(dialog, {3, 5});
        QCOMPARE(dialog.ports().toDisplayList(), chosen);
    }

    void refusedOkKeepsTheDialogOpen()
    {
        ScriptedPrompts prompts;
        PortSelectionOptions options;
        options.refusal = [](const PortSet &ports) {
            return ports.isEmpty() ? u"Please select a MasterPort first!"_s : QString();
        };
        PortSelectionDialog dialog(PortSet(), options);
        click(dialog, u"btnOk"_s);
        QCOMPARE(prompts.lastText(), u"Please select a MasterPort first!"_s);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        press(dialog, {8});
        click(dialog, u"btnOk"_s);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(prompts.shown.size(), 1);
    }
};

QTEST_MAIN(TestPortSelection)
#include "tst_portselection.moc"
