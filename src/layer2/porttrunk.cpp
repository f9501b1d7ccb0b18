#include "layer2/porttrunk.h"

#include "binding/standardoptions.h"
#include "forms/formbuilder.h"
#include "forms/tablepage.h"
#include "layer2/porttrunkeditors.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

const KxSNMPVarDesc trunkTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.9.3.1.1", "Trunk Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.9.3.1.2", "Trunk Name", DisplayStr, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.9.3.1.3", "Trunk Master Port", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.9.3.1.4", "Trunk Member", BitStr, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.9.3.1.5", "Trunk Flooding Port", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.11.68.1.2.9.3.1.6", "Trunk Type", Integer, ReadWrite, &TrunkTypeOptions},
    {"1.3.6.1.4.1.88508.11.68.1.2.9.3.1.7", "Trunk State", Integer, ReadWrite, &RowStatusOptions},
    {},
};

const KxSNMPVarDesc lacpTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.9.5.1.1", "Trunk LACP Port Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.9.5.1.2",
     "Trunk LACP Port State",
     Integer,
     ReadWrite,
     &LacpPortStateOptions},
    {},
};

KxTableDesc trunkDesc(std::shared_ptr<KxReadingGuard> guard)
{
    using enum KxTableAction;
    KxTableDesc desc;
    desc.listName = "lvwPortTrunk";
    desc.table = trunkTable;
    desc.columns = {{u"Group ID"_s, 9},
                    {u"Name"_s, 21},
                    {u"Master Port"_s, 12},
                    {u"Member Port"_s, 12},
                    {u"Flooding Port"_s, 14},
                    {u"Type"_s, 7},
                    {u"Status"_s, 12}};
    desc.menu = {{Insert, "Insert"}, {Edit, "Edit"}, {Delete, "Delete"}};
    desc.statusVar = TrunkStatusColumn;
    desc.deleteQuestionTitle = u"Port Trunk Delete"_s;
    desc.deleteQuestion = u"Are you sure to delete the selected entry?"_s;
    desc.insertNeedsNoSelection = true;
    desc.readOnFirstShow = false;
    desc.readingGuard = std::move(guard);
    return desc;
}

KxTableDesc lacpDesc(std::shared_ptr<KxReadingGuard> guard)
{
    KxTableDesc desc;
    desc.listName = "lvwTrunkLACPPort";
    desc.table = lacpTable;
    desc.columns = {{u"Port Index"_s, 11}, {u"Trunk LACP Port State"_s, 22}};
    desc.menu = {{KxTableAction::Edit, "Edit"}};
    desc.readOnFirstShow = false;
    desc.equalColumnWidths = false;
    desc.readingGuard = std::move(guard);
    return desc;
}

} // namespace

TfrmTrunkMangement::TfrmTrunkMangement(QWidget *parent)
    : TTablePagesDialog(parent)
    , m_trunks(new TTablePage(trunkDesc(readingGuard())))
    , m_lacp(new TTablePage(lacpDesc(readingGuard())))
{
    setObjectName(u"frmTrunkMangement"_s);
    setWindowTitle(u"Port Trunk Mangement :"_s);
    m_trunks->setObjectName(u"Tab_PortTrunk"_s);
    m_lacp->setObjectName(u"Tab_TrunkLACPPort"_s);
    addTablePage(m_trunks, u"Port Trunk"_s);
    addTablePage(m_lacp, u"Trunk LACP Port Table"_s);
    m_trunks->rowEditor = [this](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
        if (!row)
            return std::make_unique<TfrmPortTrunkInsert>(*m_trunks->list(), this);
        return std::make_unique<TfrmPortTrunkEdit>(*m_trunks->list(), this);
    };
    m_lacp->rowEditor = [this](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
        if (!row)
            return nullptr;
        return std::make_unique<TfrmTrunkLACPPortEdit>(*m_lacp->list(), this);
    };
    // The LACP page is read each time it is shown.
    connect(pages(), &QTabWidget::currentChanged, this, [this] {
        if (currentTablePage() == m_lacp && !opening())
            m_lacp->action(KxTableAction::Refresh)->trigger();
    });

    using enum KxTableAction;
    QPushButton *help = makeHelpButton();
    QHBoxLayout *buttons = makeSharedButtons({{Refresh, "Refresh", "btnRefresh"},
                                              {Stop, "Stop", "btnStop"},
                                              {Insert, "Insert..", "btnInsert"},
                                              {Edit, "Edit", "btnEdit"},
                                              {Delete, "Delete", "btnDelete"},
                                              {Close, "Close", "btnClose"}});
    buttons->addWidget(help);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages(), 1);
    layout->addLayout(buttons);
    resize(760, 380);
}
