#include "binding/edits.h"
#include "dialogtest.h"
#include "forms/tablepage.h"
#include "moduletest.h"
#include "scriptedprompts.h"
#include "simulator.h"
#include "snmp/records.h"

#include <QFile>
#include <QMenu>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const KxOptionList rowStatuses{{1, "active"}, {4, "createAndGo"}, {6, "destroy"}};

const KxSNMPVarDesc vlanTable[] = {
    {"1.3.6.1.2.1.17.7.1.2.1.1.1", "Index", KxSyntax::Gauge, KxAccess::NotAccess},
    {"1.3.6.1.2.1.17.7.1.4.3.1.1", "Name", KxSyntax::DisplayStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.17.7.1.4.3.1.3", "Forbidden", KxSyntax::BitStr, KxAccess::ReadWrite},
    {"1.3.6.1.2.1.17.7.1.4.3.1.5", "Status", KxSyntax::Integer, KxAccess::ReadWrite, &rowStatuses},
    {},
};
enum { IdColumn, NameColumn, ForbiddenColumn, StatusColumn };

const KxSNMPVarDesc fdbTable[] = {
    {"1.3.6.1.2.1.17.7.1.2.1.1.1", "FDB", KxSyntax::Gauge, KxAccess::NotAccess},
    {"1.3.6.1.2.1.17.7.1.2.2.1.1", "MAC", KxSyntax::MacAddress, KxAccess::NotAccess},
    {"1.3.6.1.2.1.17.7.1.2.2.1.2", "Port", KxSyntax::Integer, KxAccess::ReadOnly},
    {},
};
constexpr int FdbRows = 3000;
// The switch's own address, its two static unicast entries and three more of its data file.
constexpr int FdbFileRows = 6;

const QString nameOid = u"1.3.6.1.2.1.17.7.1.4.3.1.1."_s;
const QString statusOid = u"1.3.6.1.2.1.17.7.1.4.3.1.5."_s;

KxTableDesc vlanDesc()
{
    using enum KxTableAction;
    KxTableDesc desc;
    desc.listName = "lvwTest";
    desc.table = vlanTable;
    desc.columns = {{u"ID"_s, 5, true}, {u"Name"_s, 12}, {u"Forbidden"_s, 8}, {u"Status"_s, 8}};
    desc.buttons = {{Refresh, "Refresh", "btnRefresh"},
                    {Insert, "Insert", "btnInsert"},
                    {Edit, "Edit", "btnEdit"},
                    {Delete, "Delete", "btnDelete"},
                    {Save, "Save", "btnSave"}};
    desc.countName = "stxCount";
    desc.statusVar = StatusColumn;
    desc.multiRowEdit = true;
    return desc;
}

KxTableDesc fdbDesc()
{
    KxTableDesc desc;
    desc.listName = "lvwFdb";
    desc.table = fdbTable;
    desc.keyCount = 2;
    desc.columns = {{u"FDB"_s, 5}, {u"MAC"_s, 14}, {u"Port"_s, 5}};
    desc.buttons = {{KxTableAction::Close, "Close", "btnClose"}};
    return desc;
}

// An editor that renames the row it is given (a new row when given none).
std::unique_ptr<QDialog>
renamingEditor(QTreeWidget *list, QTreeWidgetItem *row, const QString &name)
{
    auto editor = std::make_unique<QDialog>();
    editor->setObjectName(u"frmRename"_s);
    QObject::connect(editor.get(), &QDialog::finished, editor.get(), [list, row, name](int result) {
        if (result != QDialog::Accepted)
            return;
        QTreeWidgetItem *target = row;
        if (!target) {
            target = new QTreeWidgetItem(QStringList{u"77"_s, name, u"000000"_s, QString()});
            list->addTopLevelItem(target);
            list->setCurrentItem(target);
        }
        target->setText(NameColumn, name);
    });
    return editor;
}

QTreeWidgetItem *rowWithId(QTreeWidget *list, int id)
{
    const auto rows = list->findItems(QString::number(id), Qt::MatchExactly, IdColumn);
    return rows.isEmpty() ? nullptr : rows.constFirst();
}

// The fields of one CSV text (RFC 4180).
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && text.mid(i + 1, 1) == u"\""_s) {
                field += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row.append(std::exchange(field, {}));
        } else if (c == u'\r' && text.mid(i + 1, 1) == u"\n"_s) {
            row.append(std::exchange(field, {}));
            rows.append(std::exchange(row, {}));
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}

} // namespace

class TestTablePage : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;
    SimulatedSwitch m_switch;
    std::unique_ptr<SimulatedSwitch> m_bigSwitch;

    std::unique_ptr<TTableDialog> openVLans()
    {
        auto dialog = std::make_unique<TTableDialog>(vlanDesc());
        TTablePage *page = dialog->page();
        QTreeWidget *list = dialog->list();
        page->rowEditor = [list](QTreeWidgetItem *row) {
            return renamingEditor(list, row, u"renamed"_s);
        };
        dialog->show();
        QCoreApplication::processEvents(); // the first walk
        return dialog;
    }

    void addVLan(int id, const QString &name)
    {
        m_switch.set(statusOid + QString::number(id), u"i"_s, u"6"_s); // from an earlier case
        QVERIFY(m_switch.set(statusOid + QString::number(id), u"i"_s, u"4"_s));
        QVERIFY(m_switch.set(nameOid + QString::number(id), u"s"_s, name));
    }

    void accept(const char *button, QDialog &dialog)
    {
        onModal(u"frmRename"_s, [](QDialog &editor) { editor.accept(); });
        click(dialog, QString::fromLatin1(button));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        QVERIFY(ConnectModuleTo(m_switch));
    }

    void closeDuringAWalkClosesOnceTheWalkHasReturned()
    {
        SimulatedSwitch big(SimulatedSwitch::Options{{}, {}, FdbRows, -1, -1});
        QVERIFY(big.start());
        const ModuleRetargeted onBig(big);

        TTableDialog dialog(fdbDesc());
        bool openWhileWalking = false;
        int rowsWhenClosed = -1;
        // The walk handles window events between its rows: the timer fires during it.
        QTimer closer;
        closer.setInterval(1);
        connect(&closer, &QTimer::timeout, &dialog, [&] {
            if (dialog.list()->topLevelItemCount() < 10)
                return;
            closer.stop();
            rowsWhenClosed = dialog.list()->topLevelItemCount();
            click(dialog, u"btnClose"_s);
            openWhileWalking = dialog.isVisible() && dialog.page()->reading();
        });
        closer.start();
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 20000);
        QVERIFY(openWhileWalking);
        QVERIFY(rowsWhenClosed > 0);
        QVERIFY(dialog.list()->topLevelItemCount() < FdbRows);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void reactivationDuringAWalkKeepsTheRequest()
    {
        SimulatedSwitch big(SimulatedSwitch::Options{{}, {}, FdbRows, -1, -1});
        QVERIFY(big.start());
        const ModuleRetargeted onBig(big);

        TTableDialog dialog(fdbDesc());
        KxSNMPRequest2Edits *first = &dialog.page()->binding();
        bool reshown = false;
        QTimer probe;
        probe.setInterval(1);
        connect(&probe, &QTimer::timeout, &dialog, [&] {
            if (!dialog.page()->reading())
                return;
            probe.stop();
            dialog.hide();
            dialog.show();
            reshown = true;
        });
        probe.start();
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(reshown && !dialog.page()->reading(), 20000);
        QCoreApplication::processEvents();
        QCOMPARE(&dialog.page()->binding(), first);
        QVERIFY(!dialog.page()->reading());
        QCOMPARE(dialog.list()->topLevelItemCount(), FdbRows + FdbFileRows);
    }

    void anEditWritesOnlyTheChangedCells()
    {
        // With the forbidden ports read-only, a SET that carried them would fail whole.
        const QString data = m_files.filePath(u"forbidden-ro.sim"_s);
        QFile shipped(QStringLiteral(RQ5160_SOURCE_DIR "/sim/data/rq5160.sim"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(shipped.readAll());
        text.replace(u"dot1qVlanForbiddenEgressPorts portlist rw"_s,
                     u"dot1qVlanForbiddenEgressPorts portlist ro"_s);
        QFile out(data);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(text.toUtf8()) > 0);
        out.close();
        SimulatedSwitch other(SimulatedSwitch::Options{data, {}, -1, -1, -1});
        QVERIFY(other.start());
        const ModuleRetargeted onOther(other);

        auto dialog = openVLans();
        dialog->list()->setCurrentItem(rowWithId(dialog->list(), 1));
        accept("btnEdit", *dialog);
        QCOMPARE(other.get(nameOid + u"1"_s), u"renamed"_s);
        QCOMPARE(rowWithId(dialog->list(), 1)->text(NameColumn), u"renamed"_s);
        QVERIFY(rowWithId(dialog->list(), 1)->isSelected());
    }

    void aTableTheDialogReadsWaitsForIt()
    {
        KxTableDesc desc = vlanDesc();
        desc.readOnFirstShow = false;
        TTableDialog dialog(desc);
        dialog.show();
        QCoreApplication::processEvents();
        QCOMPARE(dialog.list()->topLevelItemCount(), 0);
        dialog.page()->readTable();
        QVERIFY(dialog.list()->topLevelItemCount() > 0);
    }

    void anUnchangedEditSendsNoSet()
    {
        addVLan(21, u"same"_s);
        auto dialog = openVLans();
        dialog->page()->rowEditor = [](QTreeWidgetItem *) {
            auto editor = std::make_unique<QDialog>();
            editor->setObjectName(u"frmRename"_s);
            return editor;
        };
        dialog->list()->setCurrentItem(rowWithId(dialog->list(), 21));
        const quint32 before = m_switch.setRequests();
        accept("btnEdit", *dialog);
        QCOMPARE(m_switch.setRequests(), before);
    }

    void aMultiRowEditWritesEveryRowAndSelectsThemAgain()
    {
        addVLan(31, u"one"_s);
        addVLan(32, u"two"_s);
        auto dialog = openVLans();
        rowWithId(dialog->list(), 31)->setSelected(true);
        rowWithId(dialog->list(), 32)->setSelected(true);
        accept("btnEdit", *dialog);
        QCOMPARE(m_switch.get(nameOid + u"31"_s), u"renamed"_s);
        QCOMPARE(m_switch.get(nameOid + u"32"_s), u"renamed"_s);
        QVERIFY(rowWithId(dialog->list(), 31)->isSelected());
        QVERIFY(rowWithId(dialog->list(), 32)->isSelected());
    }

    // A refused SET leaves the list as the switch has it.
    void refusedWritesShowTheSwitchsState_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("edit") << u"btnEdit"_s;
        QTest::newRow("delete") << u"btnDelete"_s;
        QTest::newRow("insert") << u"btnInsert"_s;
    }

    void refusedWritesShowTheSwitchsState()
    {
        QFETCH(QString, button);
        addVLan(41, u"kept"_s);
        const QString writer = GlobalSecurity().writeCommunity;
        GlobalSecurity().writeCommunity = u"tundra"_s; // reads only
        const auto back = qScopeGuard([writer] { GlobalSecurity().writeCommunity = writer; });
        auto dialog = openVLans();
        const int rows = dialog->list()->topLevelItemCount();
        if (button != u"btnInsert"_s)
            dialog->list()->setCurrentItem(rowWithId(dialog->list(), 41));
        onModal(u"frmRename"_s, [](QDialog &editor) { editor.accept(); });
        click(*dialog, button);
        QCOMPARE(dialog->list()->topLevelItemCount(), rows);
        QCOMPARE(rowWithId(dialog->list(), 41)->text(NameColumn), u"kept"_s);
        QCOMPARE(rowWithId(dialog->list(), 41)->text(StatusColumn), u"active"_s);
        QVERIFY(!rowWithId(dialog->list(), 77));
    }

    // The popup's items are the buttons' commands: same states, same effect.
    void popupItemsFollowTheButtons()
    {
        KxTableDesc desc = vlanDesc();
        desc.menu = {{KxTableAction::Edit, "Edit"}, {KxTableAction::Delete, "Delete"}};
        TTableDialog dialog(desc);
        QTreeWidget *list = dialog.list();
        dialog.page()->rowEditor = [list](QTreeWidgetItem *row) {
            return renamingEditor(list, row, u"from the popup"_s);
        };
        dialog.show();
        QCoreApplication::processEvents();
        const QList<QAction *> items = dialog.findChild<QMenu *>()->actions();
        QCOMPARE(items.size(), 2);
        QVERIFY(!items.at(0)->isEnabled());
        QVERIFY(!items.at(1)->isEnabled());

        addVLan(61, u"popup"_s);
        click(dialog, u"btnRefresh"_s);
        list->setCurrentItem(rowWithId(list, 61));
        QVERIFY(items.at(0)->isEnabled());
        QCOMPARE(items.at(0)->isEnabled(), child(dialog, u"btnEdit"_s)->isEnabled());
        onModal(u"frmRename"_s, [](QDialog &editor) { editor.accept(); });
        items.at(0)->trigger();
        QCOMPARE(m_switch.get(nameOid + u"61"_s), u"from the popup"_s);
    }

    void insertIntoAFullTableSaysSo()
    {
        ScriptedPrompts prompts;
        KxTableDesc desc = vlanDesc();
        desc.maxRows = 1;
        desc.tableFullName = u"VLAN"_s;
        TTableDialog dialog(desc);
        bool editorAsked = false;
        dialog.page()->rowEditor = [&editorAsked](QTreeWidgetItem *) {
            editorAsked = true;
            return std::unique_ptr<QDialog>();
        };
        dialog.show();
        QCoreApplication::processEvents();
        click(dialog, u"btnInsert"_s);
        QCOMPARE(prompts.lastText(), u"VLAN Table is full. (Max. 1)"_s);
        QVERIFY(!editorAsked);
    }

    void csvExportHoldsTheCellsAsShown()
    {
        addVLan(51, u"a,\"quoted\" name"_s);
        ScriptedPrompts prompts;
        const QString path = m_files.filePath(u"vlans.csv"_s);
        prompts.savePaths = {path};
        auto dialog = openVLans();
        click(*dialog, u"btnSave"_s);

        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QList<QStringList> rows = parseCsv(QString::fromUtf8(saved.readAll()));
        QCOMPARE(rows.value(0), QStringList({u"ID"_s, u"Name"_s, u"Forbidden"_s, u"Status"_s}));
        QCOMPARE(rows.size(), dialog->list()->topLevelItemCount() + 1);
        for (int i = 0; i < dialog->list()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *row = dialog->list()->topLevelItem(i);
            QStringList cells;
            for (int column = 0; column < row->columnCount(); ++column)
                cells.append(row->text(column));
            QCOMPARE(rows.value(i + 1), cells);
        }
        QVERIFY(prompts.shown.isEmpty());
    }

    void hiddenVariablesStayOutOfTheListText()
    {
        ScriptedPrompts prompts;
        const QString path = m_files.filePath(u"hidden.csv"_s);
        prompts.savePaths = {path};
        KxTableDesc desc = vlanDesc();
        desc.columns = {{u"VLAN"_s, 5}, {u"Title"_s, 12}, {u"State"_s, 8}};
        desc.hiddenVars = {ForbiddenColumn};
        TTableDialog dialog(desc);
        dialog.show();
        QCoreApplication::processEvents();
        QTreeWidget *list = dialog.list();
        const int hidden = dialog.page()->binding().columnOf(ForbiddenColumn);
        QVERIFY(list->isColumnHidden(hidden));
        QVERIFY(!list->topLevelItem(0)->text(hidden).isEmpty());
        click(dialog, u"btnSave"_s);
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QList<QStringList> rows = parseCsv(QString::fromUtf8(saved.readAll()));
        QCOMPARE(rows.value(0), QStringList({u"VLAN"_s, u"Title"_s, u"State"_s}));
        QCOMPARE(rows.value(1).size(), 3);
    }

    void anEditorThatWritesItselfIsFollowedByARead()
    {
        KxTableDesc desc = vlanDesc();
        desc.editorWritesRow = true;
        TTableDialog dialog(desc);
        dialog.page()->rowEditor = [](QTreeWidgetItem *) {
            auto editor = std::make_unique<QDialog>();
            editor->setObjectName(u"frmWriter"_s);
            return editor;
        };
        dialog.show();
        QCoreApplication::processEvents();
        const quint32 sets = m_switch.setRequests();
        onModal(u"frmWriter"_s, [this](QDialog &editor) {
            addVLan(61, u"written"_s);
            editor.reject();
        });
        click(dialog, u"btnInsert"_s);
        QCOMPARE(m_switch.setRequests(), sets + 3); // the editor's own SETs only
        QVERIFY(!dialog.list()->findItems(u"written"_s, Qt::MatchExactly, NameColumn).isEmpty());
    }
};

QTEST_MAIN(TestTablePage)
#include "tst_tablepage.moc"
