#include "binding/controls.h"
#include "moduletest.h"
#include "scriptedprompts.h"
#include "simulator.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const KxSNMPVarDesc systemTable[] = {
    {"1.3.6.1.2.1.1.5", "sysName", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.1.6", "sysLocation", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {},
};

const KxSNMPVarDesc interfaceTable[] = {
    {"1.3.6.1.2.1.2.2.1.1", "Port", KxSyntax::Integer, KxAccess::NotAccess},
    {"1.3.6.1.2.1.2.2.1.2", "Description", KxSyntax::DisplayStr, KxAccess::ReadOnly},
    {"1.3.6.1.2.1.2.2.1.7", "Admin", KxSyntax::Integer, KxAccess::ReadWrite},
    {},
};

const KxSNMPVarDesc missingTable[] = {
    {"1.3.6.1.4.1.88508.98.1.1", "Nothing", KxSyntax::Integer, KxAccess::ReadOnly},
    {},
};

// Records every hand-over and hook call.
class RecordingBinding final : public KxSNMPRequest2Controls
{
public:
    using KxSNMPRequest2Controls::KxSNMPRequest2Controls;

    QStringList rows;
    QStringList calls;

protected:
    void BeforeRefresh() override { calls << u"BeforeRefresh"_s; }
    void AfterRefresh() override { calls << u"AfterRefresh"_s; }
    void BeforeApply() override { calls << u"BeforeApply"_s; }
    void AfterApply() override { calls << u"AfterApply"_s; }
    void CollectValues() override { calls << u"CollectValues"_s; }
    void RowReceived() override
    {
        QStringList values;
        for (int i = 0; i < varList().Count(); ++i)
            values << varList().Item(i).value;
        rows << values.join(u'|');
    }
};

} // namespace

class TestControls : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch;
    QWidget m_form;

    std::unique_ptr<RecordingBinding> binding(const KxSNMPVarDesc *table, quint8 kind, int keys)
    {
        auto made = std::make_unique<RecordingBinding>(&m_form);
        made->varList().Assign(KxSNMPVarList(table, kind, keys));
        made->asynchronous = false;
        return made;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void synchronousScalarRefreshAndApply()
    {
        auto scalars = binding(systemTable, SVT_SV, 0);
        QVERIFY(scalars->Refresh());
        QCOMPARE(scalars->rowCount(), 1);
        QCOMPARE(scalars->rows.value(0).section(u'|', 0, 0), u"RQ5160-Lab"_s);

        scalars->varList().Item(0).value = u"Renamed"_s;
        QVERIFY(scalars->Apply(true, true, u"0"_s));
        QCOMPARE(scalars->calls.mid(2),
                 (QStringList{u"BeforeApply"_s, u"CollectValues"_s, u"AfterApply"_s}));
        const auto read = m_switch.runTool(
            u"snmpget"_s, {u"-v2c"_s, u"-ctundra"_s, u"-Oqv"_s, u"1.3.6.1.2.1.1.5.0"_s});
        QCOMPARE(read.out.trimmed(), u"\"Renamed\""_s);
    }

    void synchronousWalkHandsOverEveryRow()
    {
        auto interfaces = binding(interfaceTable, MVT_FMV, 1);
        QVERIFY(interfaces->Refresh());
        QCOMPARE(interfaces->rowCount(), 26);
        QCOMPARE(interfaces->rows.constFirst().section(u'|', 0, 1), u"1|RQ5160 Port 1 (Copper)"_s);
        QCOMPARE(interfaces->calls, (QStringList{u"BeforeRefresh"_s, u"AfterRefresh"_s}));
        QVERIFY(!interfaces->busy());
    }

    void rowFilterSkipsRows()
    {
        auto interfaces = binding(interfaceTable, MVT_FMV, 1);
        interfaces->request().rowFilter = u"$0 <= 3"_s;
        QVERIFY(interfaces->Refresh());
        QCOMPARE(interfaces->rowCount(), 3);
        QCOMPARE(interfaces->rows.size(), 3);
    }

    void emptyTableCountsNoRow()
    {
        auto nothing = binding(missingTable, MVT_FMV, 0);
        nothing->Refresh();
        QCOMPARE(nothing->rowCount(), 0);
        QCOMPARE(nothing->calls, (QStringList{u"BeforeRefresh"_s, u"AfterRefresh"_s}));
    }

    void asynchronousWalkCompletes()
    {
        auto interfaces = binding(interfaceTable, MVT_FMV, 1);
        interfaces->asynchronous = true;
        bool done = false;
        interfaces->OnRefreshDone = [&done](KxSNMPRequest2Controls &, const KxSNMPError &reply) {
            done = reply.code == 0;
        };
        QVERIFY(interfaces->Refresh());
        QVERIFY(interfaces->busy());
        QTRY_VERIFY(done);
        QCOMPARE(interfaces->rowCount(), 26);
        QVERIFY(!interfaces->busy());
    }

    void successIsReportedToTheErrorHandler()
    {
        auto scalars = binding(systemTable, SVT_SV, 0);
        QList<int> codes;
        scalars->request().errorHandler = [&codes](const KxSNMPError &error) {
            codes << error.code;
        };
        scalars->Refresh();
        QCOMPARE(codes, QList<int>{0});
    }

    void statusLines_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("line");
        QTest::newRow("get without name")
            << 0 << QString() << u"Get: Time out. Receive at 03:04:05 pm."_s;
        QTest::newRow("get with name")
            << 0 << u"Led Status"_s
            << u"Get: Time out Request:Led Status. Receive at 03:04:05 pm."_s;
        QTest::newRow("set") << 1 << u"VLAN"_s
                             << u"Set: Time out Request:VLAN. Receive at 03:04:05 pm."_s;
    }

    void statusLines()
    {
        QFETCH(int, kind);
        QFETCH(QString, listName);
        QFETCH(QString, line);
        ScriptedPrompts prompts;
        auto scalars = binding(systemTable, SVT_SV, 0);
        scalars->varList().name = listName;
        QLabel panel;
        scalars->SetLogControl(&panel);
        if (kind == 0)
            scalars->ReportError(u"x"_s);
        else
            scalars->ReportMessage(u"x"_s);
        QCOMPARE(scalars->StatusLine(u"Time out"_s, QTime(15, 4, 5)), line);
        QVERIFY(prompts.shown.isEmpty());
    }

    void reportsGoToTheMemoOrAMessageBox()
    {
        ScriptedPrompts prompts;
        auto scalars = binding(systemTable, SVT_SV, 0);
        scalars->ReportError(u"Time out."_s);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.lastText(), u"Time out."_s);

        QPlainTextEdit memo;
        scalars->SetLogControl(&memo);
        scalars->ReportMessage(u"Done"_s);
        QVERIFY(memo.toPlainText().startsWith(u"Set: Done. Receive at "_s));
        QCOMPARE(prompts.shown.size(), 1);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
