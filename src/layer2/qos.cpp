#include "layer2/qos.h"

#include "forms/bindingpage.h"
#include "forms/dialogwork.h"
#include "forms/formbuilder.h"
#include "forms/listtext.h"
#include "forms/roweditor.h"
#include "forms/tablepage.h"

#include <QAction>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

const QString printTitle = u"Broadcast/MulticastStormControl Information Printing"_s;

const KxOptionList schedulingMechanisms{{1, "strict"}, {2, "roundrobin"}};
const KxOptionList rxRates{{1, "no-limit"},
                           {2, "rx-64K"},
                           {3, "rx-128K"},
                           {4, "rx-256K"},
                           {5, "rx-512K"},
                           {6, "rx-1M"},
                           {7, "rx-2M"},
                           {8, "rx-4M"},
                           {9, "rx-8M"},
                           {10, "rx-16M"},
                           {11, "rx-32M"},
                           {12, "rx-64M"},
                           {13, "rx-128M"},
                           {14, "rx-256M"},
                           {15, "rx-512M"}};

const KxField globalFields[] = {
    {{"1.3.6.1.4.1.88508.11.68.1.2.6.5",
      "QoS Scheduling Mechanism Status",
      Integer,
      ReadWrite,
      &schedulingMechanisms},
     "rgp_QOSSchedMechStatus",
     "QoS Scheduling Mechanism Status:",
     Radio,
     "%s",
     3},
};

const KxSNMPVarDesc bandwidthTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.6.1.1.1", "Port Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.6.1.1.2", "QoS Bandwidth Rx Rate", Integer, ReadWrite, &rxRates},
    {},
};
const KxSNMPVarDesc schedulingTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.6.2.1.1", "Class Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.6.2.1.2", "Max Packets", Integer, ReadWrite},
    {},
};
const KxSNMPVarDesc userPriorityTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.6.3.1.1", "User Priority Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.6.3.1.2", "8021p User Priority Class", Integer, ReadWrite},
    {},
};
const KxSNMPVarDesc defaultPriorityTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.6.4.1.1", "Priority Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.6.4.1.2", "8021p Default Priority", Integer, ReadWrite},
    {},
};

const KxRowField bandwidthFields[] = {
    {0, "La_PortIndex", "Port Index:"},
    {1, "CB_RxRate", "Rx Rate:", Combo, "%s", &rxRates},
};
const KxRowField schedulingFields[] = {
    {0, "LA_ClassIndex", "Class Index:"},
    {1, "ED_MaxPacket", "Max Packet:", Edit, "%i{n0x15l2}"},
};
const KxRowField userPriorityFields[] = {
    {0, "LA_UserPriorityIndex", " Index:"},
    {1, "ED_UserPriorityClass", " Class:", Edit, "%i{n0x6l1}"},
};
const KxRowField defaultPriorityFields[] = {
    {0, "LA_Index", "Index:"},
    {1, "ED_DefaultPriority", "Default Priority:", Edit, "%i{n0x7l1}"},
};

// One list page: its table, its Save and Print text, its editor and the
// dialog's size while it is shown.
struct QoSList
{
    const char *pageName;
    const char *caption;
    const char *listName;
    const KxSNMPVarDesc *table;
    quint8 kind;
    const char *heading;
    int widths[2];
    int menuRuleLength;  // the popup menu's Save and Print
    int printRuleLength; // the Print button
    bool menuEdits;      // the popup menu has "Edit"
    std::span<const KxRowField> editorFields;
    const char *editorName;
    const char *editorCaption;
    const char *applyText;
    QSize formSize;
};

const QoSList qosLists[] = {
    {"BandWidthControl",
     "BandWidth Control",
     "LV_BandWidth",
     bandwidthTable,
     MVT_FMV,
     "Port Index   Receive Rate",
     {13, 15},
     26,
     26,
     true,
     bandwidthFields,
     "FRM_BandWidthCtrl",
     "BandWidth Control",
     "Apply..",
     {570, 441}},
    {"SchedulingControl",
     "Scheduling Control",
     "LV_Scheduling",
     schedulingTable,
     MVT_UMV,
     "Class Index   Scheduling Mechanism",
     {13, 15},
     36,
     35,
     false,
     schedulingFields,
     "FRM_SchedulingCtrl",
     "Scheduling Control",
     "Apply...",
     {570, 344}},
    {"UserPriorityControl",
     "802.1P User Priority ",
     "LV_UserPriority",
     userPriorityTable,
     MVT_UMV,
     "User Priority Index   8021p User Priority Class",
     {22, 25},
     48,
     48,
     true,
     userPriorityFields,
     "FRM_UserPriority",
     "User Priority",
     "Apply...",
     {570, 344}},
    {"DefaultPriorityControl",
     "802.1P Default Priority",
     "LV_DefaultPriority",
     defaultPriorityTable,
     MVT_UMV,
     "Priority Index   8021p Default Priority",
     {17, 20},
     40,
     40,
     true,
     defaultPriorityFields,
     "FRM_DefaultPriority",
     "Default Priority",
     "Apply...",
     {570, 441}},
};

const QSize globalsSize{570, 200};

KxTableDesc listDesc(const QoSList &page)
{
    using enum KxTableAction;
    KxTableDesc desc;
    desc.listName = page.listName;
    desc.table = page.table;
    desc.kind = page.kind;
    desc.columns = {{QString::fromLatin1(page.table[0].name), page.widths[0]},
                    {QString::fromLatin1(page.table[1].name), page.widths[1]}};
    if (page.menuEdits)
        desc.menu.push_back({Edit, "Edit"});
    desc.menu.push_back({Save, "Save"});
    desc.menu.push_back({Print, "Print"});
    desc.textHeading = QString::fromLatin1(page.heading);
    desc.textRuleLength = page.menuRuleLength;
    desc.printTitle = printTitle;
    desc.equalColumnWidths = false;
    return desc;
}

const QoSList &listOf(int index)
{
    return qosLists[index - 1];
}

} // namespace

TQOSForm::TQOSForm(QWidget *parent)
    : QDialog(parent)
    , m_pages(new QTabWidget)
    , m_globals(new TBindingPage(u"GobalControl"_s, u"Globals"_s, globalsSize, globalFields))
    , m_apply(makeButton(u"Apply"_s, u"BitBtn2"_s))
    , m_edit(makeButton(u"Edit"_s, u"BitBtn3"_s))
    , m_print(makeButton(u"Print"_s, u"btnBMStormControlPrint"_s))
{
    setObjectName(u"QOSForm"_s);
    setWindowTitle(u"QOS"_s);
    m_pages->setObjectName(u"PageControl1"_s);
    m_pages->setUsesScrollButtons(false);
    m_pages->tabBar()->setElideMode(Qt::ElideNone);
    m_globals->layOutFields();
    m_pages->addTab(m_globals, m_globals->caption());
    for (const QoSList &each : qosLists) {
        auto *list = new TTablePage(listDesc(each));
        list->setObjectName(QString::fromLatin1(each.pageName));
        list->rowEditor = [this, &each](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
            if (!row)
                return nullptr;
            auto editor = std::make_unique<TRowEditor>(*row,
                                                       each.editorFields,
                                                       QString::fromLatin1(each.editorName),
                                                       QString::fromLatin1(each.applyText),
                                                       this);
            editor->setWindowTitle(QString::fromLatin1(each.editorCaption));
            return editor;
        };
        connect(list->list(), &QTreeWidget::itemSelectionChanged, this, &TQOSForm::showEditState);
        // After an editor the page is shown again, read anew and without a selection.
        connect(list->action(KxTableAction::Edit), &QAction::triggered, this, [this] {
            pageShown(m_pages->currentIndex());
        });
        m_lists.push_back(list);
        m_pages->addTab(list, QString::fromLatin1(each.caption));
    }

    QPushButton *refresh = makeButton(u"Refresh"_s, u"BitBtn1"_s);
    QPushButton *close = makeButton(u"Close"_s, u"bbtnClose"_s);
    QPushButton *help = makeButton(u"Help"_s, u"bbtnHelp"_s);
    help->setEnabled(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(makeButtonBar({m_apply, refresh, m_edit, close, m_print, help}));

    connect(m_apply, &QPushButton::clicked, this, &TQOSForm::BitBtn2Click);
    connect(refresh, &QPushButton::clicked, this, [this] { pageShown(m_pages->currentIndex()); });
    connect(m_edit, &QPushButton::clicked, this, &TQOSForm::BitBtn3Click);
    connect(m_print, &QPushButton::clicked, this, &TQOSForm::btnBMStormControlPrintClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pages, &QTabWidget::currentChanged, this, &TQOSForm::pageShown);
    m_edit->setEnabled(false);
    m_print->setEnabled(false);
    resize(570, 441);
}

TQOSForm::~TQOSForm() = default;

TTablePage *TQOSForm::listPage() const
{
    return qobject_cast<TTablePage *>(m_pages->currentWidget());
}

void TQOSForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_created)
        return;
    m_created = true;
    QMetaObject::invokeMethod(this, &TQOSForm::FormCreate, Qt::QueuedConnection);
}

void TQOSForm::FormCreate()
{
    pageShown(m_pages->currentIndex());
}

void TQOSForm::pageShown(int index)
{
    for (int i = 0; i < m_pages->count(); ++i) {
        const auto policy = i == index ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        m_pages->widget(i)->setSizePolicy(policy, policy);
    }
    TTablePage *list = listPage();
    m_apply->setEnabled(!list);
    m_print->setEnabled(list != nullptr);
    if (!list)
        m_globals->showPage();
    else if (!m_listsShown.insert(list).second)
        list->action(KxTableAction::Refresh)->trigger();
    showEditState();
    const QSize size = list ? listOf(index).formSize : globalsSize;
    m_pages->updateGeometry();
    layout()->activate();
    resize(size.expandedTo(minimumSizeHint()));
}

void TQOSForm::showEditState()
{
    TTablePage *list = listPage();
    m_edit->setEnabled(list && list->selectedRow());
}

// Writes the chosen mechanism and reads it back.
void TQOSForm::BitBtn2Click()
{
    if (listPage())
        return;
    m_globals->applyPage();
    m_globals->showPage();
}

void TQOSForm::BitBtn3Click()
{
    if (TTablePage *list = listPage())
        list->action(KxTableAction::Edit)->trigger();
}

// The Print button's text of the scheduling list has a shorter rule than
// its popup menu's.
void TQOSForm::btnBMStormControlPrintClick()
{
    TTablePage *list = listPage();
    if (!list)
        return;
    KxListText text = list->listText();
    text.ruleLength = listOf(m_pages->currentIndex()).printRuleLength;
    printList(this, text, printTitle);
}

void TQOSForm::done(int result)
{
    if (!HoldCloseForWalkingList(this))
        QDialog::done(result);
}
