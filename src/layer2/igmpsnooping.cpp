#include "layer2/igmpsnooping.h"

#include "binding/standardoptions.h"
#include "forms/bindingpage.h"
#include "forms/dialogsupport.h"
#include "forms/dialogwork.h"
#include "forms/formbuilder.h"
#include "forms/portset.h"
#include "forms/tablepage.h"
#include "layer2/igmpsnoopingctrl.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

enum Page { GlobalsPage, ControlPage, GroupPage, QueryPage };
constexpr int PortMapColumn = 3;

const QString printTitle = u"Broadcast/MulticastStormControl Information Printing"_s;

// The radio items in the order the switch's values are offered.
const KxOptionList snoopingStates{{3, "Enabled"}, {2, "Disabled"}};
const KxOptionList querierStates{{2, "querier"}, {3, "non-querier"}};
const KxOptionList controlStates{{2, "disable"}, {3, "enable"}};

const KxField globalFields[] = {
    {{"1.3.6.1.4.1.88508.11.68.1.2.1.2.2", "IGMP Snooping", Integer, ReadWrite, &snoopingStates},
     "rgpIGMPSnoopingState",
     "IGMP Snooping:",
     Radio,
     "%s",
     2},
    {{"1.3.6.1.4.1.88508.11.68.1.2.11.1", "IGMP Max Supported VlLANs", Integer, ReadOnly},
     "LabSupportedVlans",
     "Max Supported VLANs:",
     Label},
    {{"1.3.6.1.4.1.88508.11.68.1.2.11.2", "IGMP Max IP Group Num Per VLAN", Integer, ReadOnly},
     "LabNumPerVlan",
     "Max IP Group Num Per VLAN :",
     Label},
};

const KxSNMPVarDesc controlTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.11.3.1.1", "VID", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.3.1.2", "Query Interval", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.3.1.3", "Max Response Time", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.3.1.4", "Robustness", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.3.1.5", "Last Member Query Interval", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.3.1.6", "Host Timeout", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.3.1.7", "Route Timeout", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.3.1.8", "Leave Timer", Integer, ReadWrite},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.3.1.9",
     "Query State",
     Integer,
     ReadWrite,
     &DisabledEnabledOptions},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.3.1.10", "Current State", Integer, ReadOnly, &querierStates},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.3.1.11",
     "IGMP Snooping State",
     Integer,
     ReadWrite,
     &controlStates},
    {},
};

const KxSNMPVarDesc groupTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.11.5.1.1", "VID", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.5.1.2", "Group IP Address", IpAddress, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.5.1.3", "MAC Address", MacAddress, ReadOnly},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.5.1.4", "Port Map", BitStr, ReadOnly},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.5.1.5", "IP Group Report Count", Integer, ReadOnly},
    {},
};

const KxSNMPVarDesc queryTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.11.4.1.1", "VID", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.4.1.2", "Query Count", Integer, ReadOnly},
    {"1.3.6.1.4.1.88508.11.68.1.2.11.4.1.3", "Tx Query Count", Integer, ReadOnly},
    {},
};

// A list of the object names as headers, saved and printed in the widths given.
KxTableDesc listDesc(const char *listName,
                     const KxSNMPVarDesc *table,
                     int keyCount,
                     const QList<int> &widths,
                     const QString &heading,
                     int ruleLength)
{
    KxTableDesc desc;
    desc.listName = listName;
    desc.table = table;
    desc.kind = MVT_FMV;
    desc.keyCount = keyCount;
    for (int i = 0; table[i].oid; ++i)
        desc.columns.append({QString::fromLatin1(table[i].name), widths.value(i)});
    desc.textHeading = heading;
    desc.textRuleLength = ruleLength;
    desc.printTitle = printTitle;
    desc.equalColumnWidths = false;
    desc.fitColumnsToContents = true;
    return desc;
}

KxTableDesc controlDesc()
{
    return listDesc(
        "ListView1",
        controlTable,
        1,
        {6, 16, 18, 13, 26, 14, 15, 13, 13, 15, 15},
        u"Vid   QueryInterval   MaxResponseTime   Robustness   LastMemberQueryInterval   HostTimeout   RouteTimeout   LeaveTimer   QueryState   CurrentState   IGMPSnoopingState"_s,
        167);
}

KxTableDesc groupDesc()
{
    return listDesc("ListView2",
                    groupTable,
                    2,
                    {6, 14, 10, 10, 18},
                    u"Vid   GroupIpAddr   MacAddr   PortMap   IpGroupReportCount"_s,
                    60);
}

KxTableDesc queryDesc()
{
    return listDesc(
        "ListView3", queryTable, 1, {6, 13, 14}, u"Vid   QueryCount   TxQueryCount"_s, 32);
}

TBindingPage *makeGlobalsPage()
{
    auto *page = new TBindingPage(u"Globals"_s, u"Globals"_s, {}, globalFields);
    auto *grid = new QGridLayout;
    page->addFormRows(grid, {"LabSupportedVlans", "LabNumPerVlan"});
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(page->control("rgpIGMPSnoopingState"));
    layout->addLayout(grid);
    layout->addStretch(1);
    return page;
}

} // namespace

TIGMPSnoopingForm::TIGMPSnoopingForm(QWidget *parent)
    : QDialog(parent)
    , m_pages(new QTabWidget)
    , m_globals(makeGlobalsPage())
    , m_control(new TTablePage(controlDesc()))
    , m_groups(new TTablePage(groupDesc()))
    , m_apply(makeButton(u"Apply"_s, u"bbtnApply"_s))
    , m_refresh(makeButton(u"Refresh"_s, u"bbtnRefresh"_s))
    , m_save(makeButton(u"Save"_s, u"btnBMStormControlSave"_s))
    , m_print(makeButton(u"Print"_s, u"btnBMStormControlPrint"_s))
    , m_bar(new QHBoxLayout)
{
    setObjectName(u"IGMPSnoopingForm"_s);
    setWindowTitle(u"IGMP Snooping :"_s);
    m_pages->setObjectName(u"PageControl1"_s);
    auto *queries = new TTablePage(queryDesc());
    m_control->setObjectName(u"SnoopingCtrl"_s);
    m_groups->setObjectName(u"SnoopingGroup"_s);
    queries->setObjectName(u"Forwarding"_s);
    m_pages->addTab(m_globals, u"Globals"_s);
    m_pages->addTab(m_control, u"Snooping Control"_s);
    m_pages->addTab(m_groups, u"Snooping Group"_s);
    m_pages->addTab(queries, u"Query Info"_s);

    m_control->rowEditor = [this](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
        if (!row)
            return nullptr;
        return std::make_unique<TIGMPSnoopingCtrlForm>(*row, this);
    };
    m_groups->afterRead = [this] {
        convertPortMaps();
    };
    connect(m_control->list(), &QTreeWidget::itemClicked, this, [this] {
        m_apply->setEnabled(m_control->selectedRow() != nullptr);
    });

    QPushButton *close = makeButton(u"Close"_s, u"bbtnClose"_s);
    QPushButton *help = makeButton(u"Help"_s, u"bbtnHelp"_s);
    help->setEnabled(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    for (QPushButton *button : {m_apply, m_refresh, close, help, m_save, m_print})
        m_bar->addWidget(button);
    m_bar->addStretch(1);
    layout->addLayout(m_bar);

    connect(m_apply, &QPushButton::clicked, this, &TIGMPSnoopingForm::bbtnApplyClick);
    connect(m_refresh, &QPushButton::clicked, this, [this] { pageShown(m_pages->currentIndex()); });
    connect(m_save, &QPushButton::clicked, this, [this] { triggerOnList(KxTableAction::Save); });
    connect(m_print, &QPushButton::clicked, this, [this] { triggerOnList(KxTableAction::Print); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pages, &QTabWidget::currentChanged, this, &TIGMPSnoopingForm::pageShown);
    m_save->setEnabled(false);
    m_print->setEnabled(false);
    resize(760, 420);
}

TIGMPSnoopingForm::~TIGMPSnoopingForm() = default;

TTablePage *TIGMPSnoopingForm::listPage() const
{
    return qobject_cast<TTablePage *>(m_pages->currentWidget());
}

void TIGMPSnoopingForm::triggerOnList(KxTableAction action)
{
    if (TTablePage *list = listPage())
        list->action(action)->trigger();
}

void TIGMPSnoopingForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_created)
        return;
    m_created = true;
    QMetaObject::invokeMethod(this, &TIGMPSnoopingForm::FormCreate, Qt::QueuedConnection);
}

void TIGMPSnoopingForm::FormCreate()
{
    pageShown(m_pages->currentIndex());
}

// "Apply" writes the global state; on the list pages the button is "Edit"
// and stands right of "Refresh".
void TIGMPSnoopingForm::pageShown(int index)
{
    const bool globals = index == GlobalsPage;
    m_apply->setText(globals ? u"Apply"_s : u"Edit"_s);
    m_bar->removeWidget(m_apply);
    m_bar->insertWidget(globals ? 0 : 1, m_apply);
    m_save->setEnabled(!globals);
    m_print->setEnabled(!globals);
    m_apply->setEnabled(globals);
    if (globals)
        m_globals->showPage();
    else if (!m_listsShown.insert(m_pages->widget(index)).second)
        listPage()->action(KxTableAction::Refresh)->trigger();
}

void TIGMPSnoopingForm::bbtnApplyClick()
{
    const int page = m_pages->currentIndex();
    if (page == GlobalsPage) {
        m_globals->applyPage();
        return;
    }
    if (page != ControlPage)
        return;
    if (!m_control->selectedRow()) {
        showPlainMessage(this, u"Please Select One Item!"_s);
        return;
    }
    m_control->action(KxTableAction::Edit)->trigger();
}

// The port maps are shown as port numbers, "0" for none.
void TIGMPSnoopingForm::convertPortMaps()
{
    QTreeWidget *list = m_groups->list();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = list->topLevelItem(i);
        row->setText(PortMapColumn, PortSet::fromHex(row->text(PortMapColumn)).toDisplayList());
    }
}

void TIGMPSnoopingForm::done(int result)
{
    if (!HoldCloseForWalkingList(this))
        QDialog::done(result);
}
