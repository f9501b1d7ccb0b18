#include "dialogtest.h"
#include "forms/roweditor.h"
#include "platform/radiogroup.h"
#include "scriptedprompts.h"
#include "snmp/optionlist.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidgetItem>

using namespace Qt::StringLiterals;

namespace {

using enum KxFieldKind;

const KxOptionList rates{{1, "no-limit"}, {6, "rx-1M"}};
const KxOptionList states{{3, "enabled"}, {2, "disabled"}};

enum Column { IndexColumn, CountColumn, RateColumn, StateColumn };

const KxRowField fields[] = {
    {IndexColumn, "laIndex", "Index:"},
    {CountColumn, "edCount", "Count:", Edit, "%i{n0x7l1}"},
    {RateColumn, "cbRate", "Rate:", Combo, "%s", &rates},
    {StateColumn, "rgState", "State:", Radio, "%s", &states, "On|Off"},
};

QTreeWidgetItem makeRow(const QString &rate = u"no-limit"_s)
{
    return QTreeWidgetItem(QStringList{u"5"_s, u"3"_s, rate, u"disabled"_s});
}

} // namespace

class TestRowEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsShowTheCells()
    {
        QTreeWidgetItem row = makeRow();
        TRowEditor editor(row, fields, u"frmTest"_s, u"Apply"_s);
        QCOMPARE(editor.control<QLabel>("laIndex")->text(), u"5"_s);
        QCOMPARE(editor.control<QLineEdit>("edCount")->text(), u"3"_s);
        QCOMPARE(editor.control<QComboBox>("cbRate")->currentText(), u"no-limit"_s);
        auto *state = editor.control<RadioGroup>("rgState");
        QCOMPARE(state->items(), (QStringList{u"On"_s, u"Off"_s}));
        QCOMPARE(state->itemIndex(), 1);
    }

    void applyWritesTheControlsIntoTheCells()
    {
        QTreeWidgetItem row = makeRow();
        TRowEditor editor(row, fields, u"frmTest"_s, u"Apply"_s);
        editor.control<QLineEdit>("edCount")->setText(u"7"_s);
        editor.control<QComboBox>("cbRate")->setCurrentText(u"rx-1M"_s);
        editor.control<RadioGroup>("rgState")->setItemIndex(0);
        click(editor, u"bbtnApply"_s);
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        QCOMPARE(row.text(CountColumn), u"7"_s);
        QCOMPARE(row.text(RateColumn), u"rx-1M"_s);
        QCOMPARE(row.text(StateColumn), u"enabled"_s);
    }

    // A value the options do not know stays as it was; a disabled box is not written.
    void unknownChoicesAndDisabledBoxesKeepTheirCells()
    {
        QTreeWidgetItem row = makeRow(u"rx-3M"_s);
        TRowEditor editor(row, fields, u"frmTest"_s, u"Apply"_s);
        QCOMPARE(editor.control<QComboBox>("cbRate")->currentIndex(), -1);
        editor.control<QLineEdit>("edCount")->setText(u"6"_s);
        editor.control("edCount")->setEnabled(false);
        click(editor, u"bbtnApply"_s);
        QCOMPARE(row.text(RateColumn), u"rx-3M"_s);
        QCOMPARE(row.text(CountColumn), u"3"_s);
    }

    void aBadNumberKeepsTheEditorOpen_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QString() << u"(KxCommon) Empty value is not allowed!"_s;
        QTest::newRow("out of range") << u"8"_s << QString();
    }

    void aBadNumberKeepsTheEditorOpen()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        ScriptedPrompts prompts;
        QTreeWidgetItem row = makeRow();
        TRowEditor editor(row, fields, u"frmTest"_s, u"Apply"_s);
        bool checked = false;
        editor.check = [&checked] {
            checked = true;
            return true;
        };
        editor.show();
        editor.control<QLineEdit>("edCount")->setText(typed);
        click(editor, u"bbtnApply"_s);
        QVERIFY(editor.isVisible());
        QVERIFY(!checked);
        QCOMPARE(prompts.shown.size(), 1);
        if (!message.isEmpty())
            QCOMPARE(prompts.lastText(), message);
        QCOMPARE(row.text(CountColumn), u"3"_s);
    }

    void theEditorsOwnCheckCanRefuse()
    {
        QTreeWidgetItem row = makeRow();
        TRowEditor editor(row, fields, u"frmTest"_s, u"Apply"_s);
        editor.check = [] {
            return false;
        };
        editor.show();
        editor.control<QLineEdit>("edCount")->setText(u"1"_s);
        click(editor, u"bbtnApply"_s);
        QVERIFY(editor.isVisible());
        QCOMPARE(row.text(CountColumn), u"3"_s);
    }
};

QTEST_MAIN(TestRowEditor)
#include "tst_roweditor.moc"
