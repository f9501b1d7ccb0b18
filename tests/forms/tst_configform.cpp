#include "binding/edits.h"
#include "forms/configform.h"
#include "forms/editspanel.h"
#include "moduletest.h"
#include "scriptedprompts.h"
#include "simulator.h"
#include "snmp/kxexception.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const KxOptionList rmonStates{{2, "disabled"}, {3, "enabled"}};

const KxSNMPVarDesc mixedTable[] = {
    {"1.3.6.1.2.1.1.1", "Description", KxSyntax::DisplayStr, KxAccess::ReadOnly},
    {"1.3.6.1.2.1.1.7", "Services", KxSyntax::Integer, KxAccess::ReadOnly},
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.3",
     "RMON State",
     KxSyntax::Integer,
     KxAccess::ReadWrite,
     &rmonStates},
    {},
};

const KxSNMPVarDesc systemTable[] = {
    {"1.3.6.1.2.1.1.4", "Contact", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.1.5", "Name", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.1.6", "Location", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {},
};

std::vector<KxSNMPVarDesc> longTable()
{
    std::vector<KxSNMPVarDesc> rows(41);
    for (size_t i = 0; i < 40; ++i)
        rows[i] = {"1.3.6.1.2.1.1.5", "Name", KxSyntax::DisplayStr, KxAccess::ReadOnly};
    return rows;
}

bool visible(const QWidget *widget)
{
    return !widget->isHidden();
}

} // namespace

class TestConfigForm : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;

    std::unique_ptr<TConfigForm> form(const KxSNMPVarDesc *table)
    {
        auto made = std::make_unique<TConfigForm>();
        auto binding = std::make_unique<KxSNMPRequest2Edits>(made.get());
        binding->varList().Assign(KxSNMPVarList(table, SVT_SV, 0));
        binding->asynchronous = false;
        made->SetEditor(std::move(binding));
        made->show();
        QCoreApplication::processEvents();
        return made;
    }

    QString onSwitch(const QString &oid) const
    {
        return m_switch.runTool(u"snmpget"_s, {u"-v2c"_s, u"-ctundra"_s, u"-Oqv"_s, oid})
            .out.trimmed();
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void singleSettableRowGetsSet()
    {
        auto dialog = form(mixedTable);
        TSNMPEditorPanel *editor = dialog->editor();
        const auto &rows = editor->edits()->rows();

        QVERIFY(qobject_cast<QLineEdit *>(rows[0].editor)->isReadOnly());
        QVERIFY(qobject_cast<QLineEdit *>(rows[1].editor)->isReadOnly());
        QCOMPARE(rows[0].editor->palette().color(QPalette::Base),
                 rows[0].editor->palette().color(QPalette::Button));
        QVERIFY(qobject_cast<QComboBox *>(rows[2].editor));
        for (const auto &row : rows)
            QVERIFY(!visible(row.check));

        TCtrlBtnPanel *buttons = editor->buttons();
        QVERIFY(visible(buttons->refresh));
        QVERIFY(visible(buttons->close));
        QCOMPARE(buttons->setChecked->text(), u"Set"_s);
        QVERIFY(buttons->setChecked->isEnabled());
        QVERIFY(!visible(buttons->checkAll));
        QVERIFY(!visible(buttons->clearChecks));
        QVERIFY(!visible(buttons->edit));

        // The first Refresh ran once the form's events were processed.
        QCOMPARE(qobject_cast<QLineEdit *>(rows[0].editor)->text(),
                 u"RQ5160 24-Port Gigabit Managed Layer 2 Switch"_s);

        auto *combo = qobject_cast<QComboBox *>(rows[2].editor);
        combo->setCurrentText(combo->currentText() == u"enabled"_s ? u"disabled"_s : u"enabled"_s);
        const QString chosen = combo->currentText();
        QTest::mouseClick(buttons->setChecked, Qt::LeftButton);
        QCOMPARE(onSwitch(u"1.3.6.1.4.1.88508.11.68.1.2.1.2.3.0"_s),
                 chosen == u"enabled"_s ? u"3"_s : u"2"_s);
    }

    void onlyCheckedRowsAreWritten()
    {
        ScriptedPrompts prompts;
        auto dialog = form(systemTable);
        TSNMPEditorPanel *editor = dialog->editor();
        const auto &rows = editor->edits()->rows();
        TCtrlBtnPanel *buttons = editor->buttons();
        QCOMPARE(buttons->setChecked->text(), u"Set Checked"_s);
        QVERIFY(!buttons->setChecked->isEnabled());
        const QString contactBefore = onSwitch(u"1.3.6.1.2.1.1.4.0"_s);

        // A checked empty row refuses and writes nothing.
        rows[1].check->setChecked(true);
        QVERIFY(buttons->setChecked->isEnabled());
        qobject_cast<QLineEdit *>(rows[1].editor)->clear();
        qobject_cast<QLineEdit *>(rows[0].editor)->setText(u"nobody"_s);
        QTest::mouseClick(buttons->setChecked, Qt::LeftButton);
        QCOMPARE(prompts.lastText(), u"Some items are empty!"_s);
        QCOMPARE(prompts.shown.constLast().title, u"Warning"_s);
        QCOMPARE(onSwitch(u"1.3.6.1.2.1.1.5.0"_s), u"\"RQ5160-Lab\""_s);

        // Filled, only the checked row reaches the switch.
        qobject_cast<QLineEdit *>(rows[1].editor)->setText(u"core-7"_s);
        QTest::mouseClick(buttons->setChecked, Qt::LeftButton);
        QCOMPARE(onSwitch(u"1.3.6.1.2.1.1.5.0"_s), u"\"core-7\""_s);
        QCOMPARE(onSwitch(u"1.3.6.1.2.1.1.4.0"_s), contactBefore);
        QVERIFY(editor->memo()->toPlainText().contains(u"Set: "_s));

        QTest::mouseClick(buttons->checkAll, Qt::LeftButton);
        QVERIFY(rows[0].check->isChecked() && rows[2].check->isChecked());
        QTest::mouseClick(buttons->clearChecks, Qt::LeftButton);
        QVERIFY(!rows[1].check->isChecked());
        QVERIFY(!buttons->setChecked->isEnabled());
    }

    void longListIsCappedAndScrolls()
    {
        const std::vector<KxSNMPVarDesc> table = longTable();
        auto dialog = form(table.data());
        QVERIFY(dialog->height() <= 550);
        QVERIFY(dialog->width() <= 800);
    }

    void typeIsSetOnce()
    {
        auto dialog = form(mixedTable);
        auto second = std::make_unique<KxSNMPRequest2Edits>(dialog.get());
        try {
            dialog->SetEditor(std::move(second));
            QFAIL("accepted a second editor");
        } catch (const KxException &error) {
            QCOMPARE(error.message(), u"Can not change Type of a Config Form!"_s);
        }
    }

    void buttonPictureReplacesCaption()
    {
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QVERIFY(picture.save(QDir::current().filePath(u"Get.bmp"_s)));
        TCtrlBtnPanel withPicture;
        QVERIFY(QFile::remove(QDir::current().filePath(u"Get.bmp"_s)));
        TCtrlBtnPanel without;
        QVERIFY(withPicture.refresh->text().isEmpty());
        QVERIFY(!withPicture.refresh->icon().isNull());
        QCOMPARE(without.refresh->text(), u"Refresh"_s);
    }

    void stoppedSwitchShowsTheFailureInTheMemo()
    {
        SimulatedSwitch other;
        QVERIFY(other.start());
        const quint16 port = GlobalDevice().port;
        GlobalDevice().port = other.port();
        other.stop();
        auto dialog = form(mixedTable);
        GlobalDevice().port = port;
        QVERIFY(dialog->editor()->memo()->toPlainText().contains(u"timed out"_s));
    }
};

QTEST_MAIN(TestConfigForm)
#include "tst_configform.moc"
