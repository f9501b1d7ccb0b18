#include "binding/edits.h"
#include "binding/portlist.h"
#include "moduletest.h"
#include "platform/radiogroup.h"
#include "simulator.h"
#include "snmp/kxexception.h"
#include "snmp/records.h"
#include "snmp/session.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const KxOptionList rmonStates{{2, "disabled"}, {3, "enabled"}};

const KxSNMPVarDesc rmonTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.3",
     "RMON State",
     KxSyntax::Integer,
     KxAccess::ReadWrite,
     &rmonStates},
    {},
};

const KxSNMPVarDesc plainRmonTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.1.2.3", "RMON State", KxSyntax::Integer, KxAccess::ReadWrite},
    {},
};

const KxSNMPVarDesc octetsTable[] = {
    {"1.3.6.1.4.1.88508.99.1", "Packed", KxSyntax::OctetStr, KxAccess::ReadWrite},
    {"1.3.6.1.4.1.88508.99.2", "Name", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {},
};

const KxSNMPVarDesc interfaceTable[] = {
    {"1.3.6.1.2.1.2.2.1.1", "Port", KxSyntax::Integer, KxAccess::NotAccess},
    {"1.3.6.1.2.1.2.2.1.2", "Description", KxSyntax::DisplayStr, KxAccess::ReadOnly},
    {"1.3.6.1.2.1.2.2.1.6", "MAC", KxSyntax::MacAddress, KxAccess::WriteOnly},
    {"1.3.6.1.2.1.2.2.1.7", "Admin", KxSyntax::Integer, KxAccess::ReadWrite},
    {},
};

const KxSNMPVarDesc fdbTable[] = {
    {"1.3.6.1.2.1.17.7.1.2.2.1.2", "Port", KxSyntax::Integer, KxAccess::ReadOnly},
    {"1.3.6.1.2.1.17.7.1.2.2.1.3", "Status", KxSyntax::Integer, KxAccess::ReadOnly},
    {},
};

} // namespace

class TestEdits : public QObject
{
    Q_OBJECT

    SimulatedSwitch m_switch{SimulatedSwitch::Options{{}, {}, 10000, -1}};
    QWidget m_form;

    std::unique_ptr<KxSNMPRequest2Edits> binding(const KxSNMPVarDesc *table, quint8 kind, int keys)
    {
        auto made = std::make_unique<KxSNMPRequest2Edits>(&m_form);
        made->varList().Assign(KxSNMPVarList(table, kind, keys));
        made->asynchronous = false;
        return made;
    }

    QString rmonOnSwitch() const
    {
        return m_switch
            .runTool(
                u"snmpget"_s,
                {u"-v2c"_s, u"-ctundra"_s, u"-Oqv"_s, u"1.3.6.1.4.1.88508.11.68.1.2.1.2.3.0"_s})
            .out.trimmed();
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(ConnectModuleTo(m_switch)); }

    void comboBoxShowsAndWritesThroughTheList()
    {
        auto rmon = binding(rmonTable, SVT_SV, 0);
        QComboBox combo;
        rmon->BindComboBox(0, &combo);
        QCOMPARE(combo.count(), 2);
        QVERIFY(!combo.isEditable());

        QVERIFY(rmon->Refresh());
        QCOMPARE(combo.currentText(), u"enabled"_s);

        combo.setCurrentIndex(0);
        QVERIFY(rmon->Apply(true, true));
        QCOMPARE(rmonOnSwitch(), u"2"_s);
        QVERIFY(rmon->Refresh());
        QCOMPARE(combo.currentText(), u"disabled"_s);
    }

    void checkBoxWithListWritesFirstOrSecondValue()
    {
        auto rmon = binding(rmonTable, SVT_SV, 0);
        QCheckBox check;
        rmon->BindControl(0, &check);
        check.setChecked(true);
        QVERIFY(rmon->Apply(true, true));
        QCOMPARE(rmonOnSwitch(), u"3"_s);
        QVERIFY(rmon->Refresh());
        QVERIFY(check.isChecked());

        check.setChecked(false);
        QVERIFY(rmon->Apply(true, true));
        QCOMPARE(rmonOnSwitch(), u"2"_s);
        QVERIFY(rmon->Refresh());
        QVERIFY(!check.isChecked());
    }

    void bindingErrors()
    {
        auto plain = binding(plainRmonTable, SVT_SV, 0);
        QCheckBox check;
        plain->BindControl(0, &check);
        QCOMPARE(RaisedCode([&] { plain->Refresh(); }), -517);
        QVERIFY(!plain->busy());

        QComboBox combo;
        QCOMPARE(RaisedCode([&] { plain->BindComboBox(0, &combo); }), -520);

        auto other = binding(plainRmonTable, SVT_SV, 0);
        QWidget notAControl;
        other->BindControl(0, &notAControl);
        QCOMPARE(RaisedCode([&] { other->ShowValues(); }), -521);
    }

    void partEditsChangeOnlyTheirBytes()
    {
        auto packed = binding(octetsTable, SVT_SV, 0);
        QLineEdit fourth;
        QLineEdit fifth;
        packed->BindPartEdit(0, 4, KxSyntax::UInt8, nullptr, u"%i{n0x255l3}"_s, &fourth);
        packed->BindPartEdit(0, 5, KxSyntax::UInt8, nullptr, u"%i{n0x255l3}"_s, &fifth);
        packed->varList().Item(0).value = u"0102030405FF"_s;

        packed->ShowValues();
        QCOMPARE(fourth.text(), u"5"_s);
        QCOMPARE(fifth.text(), u"255"_s);

        fourth.setText(u"13"_s);
        fifth.setText(u"30"_s);
        packed->CollectFromControls(0);
        QCOMPARE(packed->varList().Item(0).value, u"010203040D1E"_s);
    }

    void partOfShortValueIsLengthened()
    {
        auto packed = binding(octetsTable, SVT_SV, 0);
        QLineEdit part;
        packed->BindPartEdit(0, 2, KxSyntax::UInt16, nullptr, u"%u"_s, &part);
        packed->varList().Item(0).value = u"01"_s;
        part.setText(u"300"_s);
        packed->CollectFromControls(0);
        QCOMPARE(packed->varList().Item(0).value, u"0100012C"_s);
    }

    void unreadValuesAreNotWrittenAsNumbers()
    {
        auto packed = binding(octetsTable, SVT_SV, 0);
        QLineEdit whole;
        QLineEdit part;
        packed->BindEdit(1, u"%s"_s, &whole);
        packed->BindPartEdit(0, 1, KxSyntax::UInt8, nullptr, u"%u"_s, &part);
        packed->varList().Item(0).value = u"(NOTDONE)"_s;
        packed->varList().Item(1).value = u"(NOTDONE)"_s;
        packed->ShowValues();
        QCOMPARE(whole.text(), u"(NOTDONE)"_s);
        QCOMPARE(part.text(), u"(NULL)"_s);

        packed->CollectFromControls();
        QCOMPARE(packed->varList().Item(0).value, u"(NULL)"_s);
        QCOMPARE(packed->varList().Item(1).value, u"(NULL)"_s);
    }

    void walkFillsListAndSelectionEnablesControls()
    {
        auto interfaces = binding(interfaceTable, MVT_FMV, 1);
        QTreeWidget list;
        QLineEdit admin;
        interfaces->AttachListView(&list, true);
        interfaces->BindEdit(3, u"%i"_s, &admin);

        QVERIFY(interfaces->Refresh());

        // The write-only column comes first and is hidden.
        QCOMPARE(list.headerItem()->text(0), u"MAC"_s);
        QVERIFY(list.isColumnHidden(0));
        QCOMPARE(list.headerItem()->text(1), u"Port"_s);
        QCOMPARE(list.topLevelItemCount(), 26);
        QCOMPARE(list.topLevelItem(0)->text(2), u"RQ5160 Port 1 (Copper)"_s);
        QVERIFY(!admin.isEnabled());

        list.setCurrentItem(list.topLevelItem(3));
        QVERIFY(admin.isEnabled());
        QCOMPARE(interfaces->varList().Item(0).value, u"4"_s);
        QCOMPARE(admin.text(), list.topLevelItem(3)->text(3));
    }

    void predefinedColumnsKeepTheirCaptions()
    {
        auto interfaces = binding(interfaceTable, MVT_UMV, 1);
        QTreeWidget list;
        list.setHeaderLabels({u"A"_s, u"B"_s, u"C"_s, u"D"_s});
        interfaces->AttachListView(&list, true);
        QVERIFY(interfaces->Refresh());
        QCOMPARE(list.headerItem()->text(1), u"B"_s);
        QCOMPARE(list.topLevelItemCount(), 26);
    }

    void stopEndsALongWalkAndKeepsTheRows()
    {
        auto fdb = binding(fdbTable, MVT_UMV, 0);
        QTreeWidget list;
        fdb->AttachListView(&list, false);
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            if (++ticks == 3)
                fdb->request().active = false;
        });
        ticker.start(20);

        fdb->Refresh();

        QVERIFY2(ticks >= 3, "the window handled no timer during the walk");
        QVERIFY(list.topLevelItemCount() > 0);
        QVERIFY(list.topLevelItemCount() < 10000);
        QCOMPARE(fdb->rowCount(), list.topLevelItemCount());
    }
};

QTEST_MAIN(TestEdits)
#include "tst_edits.moc"
