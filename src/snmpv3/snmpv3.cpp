#include "snmpv3/snmpv3.h"

#include "forms/bindingpage.h"
#include "forms/formbuilder.h"
#include "forms/tablepage.h"
#include "snmpv3/snmpv3pages.h"

#include <QAction>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace KxSyntax;
using enum KxFieldKind;

namespace {

const KxField globalFields[] = {
    {{"1.3.6.1.6.3.10.2.1.1", "Engine ID", OctetStr, KxAccess::ReadOnly},
     "EngineIDValue",
     "Engine ID:",
     Label},
    {{"1.3.6.1.6.3.10.2.1.2", "Engine Boot Numbers", Integer, KxAccess::ReadOnly},
     "EngineBootNumValue",
     "Engine Boot Numbers:",
     Label},
    {{"1.3.6.1.6.3.10.2.1.3", "Engine Time", Integer, KxAccess::ReadOnly},
     "EngineTimeValue",
     "Engine Time:",
     Label},
    {{"1.3.6.1.6.3.10.2.1.4", "Engine Max Message Size", Integer, KxAccess::ReadOnly},
     "MaxMessageSizeValue",
     "Engine Max Message Size:",
     Label},
    {{"1.3.6.1.6.3.11.2.1.1", "Unknown Security Models", Counter, KxAccess::ReadOnly},
     "SecurityModelsValue",
     "Unknown Security Models:",
     Label},
    {{"1.3.6.1.6.3.11.2.1.2", "Invalid Message", Counter, KxAccess::ReadOnly},
     "InvalidMessageValue",
     "Invalid Message:",
     Label},
    {{"1.3.6.1.6.3.11.2.1.3", "Unknown PDU Handlers", Counter, KxAccess::ReadOnly},
     "PDUHandlersValue",
     "Unknown PDU Handlers:",
     Label},
    {{"1.3.6.1.6.3.12.1.1", "snmpTargetSpinLock", Integer, KxAccess::ReadOnly},
     "TargetSpinLockValue",
     "Target SpinLock:",
     Label},
    {{"1.3.6.1.6.3.12.1.4", "snmpUnavailableContexts", Counter, KxAccess::ReadOnly},
     "ContextsValue",
     "Unavailable Contexts:",
     Label},
    {{"1.3.6.1.6.3.12.1.5", "snmpUnknownContexts", Counter, KxAccess::ReadOnly},
     "UnknowContextsValue",
     "Unknown Contexts:",
     Label},
    {{"1.3.6.1.6.3.15.1.1.1", "Unsupported Security Level Packets", Counter, KxAccess::ReadOnly},
     "SecurityLevelPktValue",
     "Unsupported Security Level Packets:",
     Label},
    {{"1.3.6.1.6.3.15.1.1.2", "Not InTime Window Packets", Counter, KxAccess::ReadOnly},
     "WindowPktValue",
     "Not InTime Window Packets:",
     Label},
    {{"1.3.6.1.6.3.15.1.1.3", "Unknown User Name Packets", Counter, KxAccess::ReadOnly},
     "UserNamePktValue",
     "Unknown User Name Packets:",
     Label},
    {{"1.3.6.1.6.3.15.1.1.4", "Unknown EngineID Packets", Counter, KxAccess::ReadOnly},
     "EngineIDPktValue",
     "Unknown EngineID Packets:",
     Label},
    {{"1.3.6.1.6.3.15.1.1.5", "Wrong Digest Packets", Counter, KxAccess::ReadOnly},
     "DigestPktValue",
     "Wrong Digest Packets:",
     Label},
    {{"1.3.6.1.6.3.15.1.1.6", "Decryption Error Packets", Counter, KxAccess::ReadOnly},
     "DecryErrorPktValue",
     "Decryption Error Packets:",
     Label},
};

struct PageInfo
{
    const char *caption;
    const char *name;
    QSize size; // width x height while the page is shown
};

const PageInfo pageInfos[] = {
    {"Globals", "GGlobals", {425, 560}},
    {"Host Table", "HostTable", {500, 400}},
    {"SNMP View", "SNMPView", {600, 300}},
    {"SNMP Group", "SNMPGroup", {600, 300}},
    {"SNMP User", "SNMPUser", {500, 300}},
    {"SNMP Community", "TabSheet1", {500, 300}},
};

QWidget *tabFor(QWidget *content, const PageInfo &info)
{
    auto *tab = new QWidget;
    tab->setObjectName(QString::fromLatin1(info.name));
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(content);
    return tab;
}

} // namespace

TSNMPV3Form::TSNMPV3Form(QWidget *parent)
    : QDialog(parent)
    , m_pages(new QTabWidget)
    , m_globals(new TBindingPage(u"GlobalsValues"_s, u"Globals"_s, pageInfos[0].size, globalFields))
    , m_tables(new TSnmpV3Tables(this))
    , m_refresh(makeButton(u"Refresh"_s, u"BitBtn1"_s))
    , m_insert(makeButton(u"Insert"_s, u"BitBtn2"_s))
    , m_delete(makeButton(u"Delete"_s, u"BitBtn3"_s))
    , m_save(makeButton(u"Save"_s, u"btnSNMPSave"_s))
    , m_print(makeButton(u"Print"_s, u"btnSNMPPrint"_s))
{
    setObjectName(u"SNMPV3Form"_s);
    setWindowTitle(u"SNMPv3 :"_s);
    m_pages->setObjectName(u"PageControl1"_s);
    m_globals->layOutFields();
    m_tablePages = {makeHostPage(*m_tables),
                    makeViewPage(),
                    makeGroupPage(*m_tables),
                    makeUserPage(*m_tables),
                    makeCommunityPage(*m_tables)};
    m_pages->addTab(tabFor(m_globals, pageInfos[0]), QString::fromLatin1(pageInfos[0].caption));
    for (size_t i = 0; i < m_tablePages.size(); ++i)
        m_pages->addTab(tabFor(m_tablePages[i], pageInfos[i + 1]),
                        QString::fromLatin1(pageInfos[i + 1].caption));

    QPushButton *close = makeButton(u"Close"_s, u"bbtnClose"_s);
    QPushButton *help = makeButton(u"Help"_s, u"bbtnHelp"_s);
    help->setEnabled(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(makeButtonBar({m_refresh, m_insert, m_delete, m_save, m_print, close, help}));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connectButtons();
    connect(m_pages, &QTabWidget::currentChanged, this, &TSNMPV3Form::pageShown);
    move(268, 200);
    resize(pageInfos[0].size);
    setButtonStates();
}

TSNMPV3Form::~TSNMPV3Form() = default;

TTablePage *TSNMPV3Form::tablePage(int index) const
{
    if (index < 1 || index > static_cast<int>(m_tablePages.size()))
        return nullptr;
    return m_tablePages[static_cast<size_t>(index - 1)];
}

void TSNMPV3Form::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_created)
        return;
    m_created = true;
    QMetaObject::invokeMethod(
        this, [this] { pageShown(m_pages->currentIndex()); }, Qt::QueuedConnection);
}

// The buttons act on the page in front; they follow its commands' states.
void TSNMPV3Form::connectButtons()
{
    const std::pair<QPushButton *, KxTableAction> commands[] = {
        {m_insert, KxTableAction::Insert},
        {m_delete, KxTableAction::Delete},
        {m_save, KxTableAction::Save},
        {m_print, KxTableAction::Print},
    };
    for (const auto &[button, shared] : commands) {
        const KxTableAction command = shared;
        connect(button, &QPushButton::clicked, this, [this, command] {
            if (TTablePage *page = tablePage(m_pages->currentIndex()))
                page->action(command)->trigger();
        });
        for (TTablePage *page : m_tablePages)
            connect(page->action(shared), &QAction::changed, this, &TSNMPV3Form::setButtonStates);
    }
    connect(m_refresh, &QPushButton::clicked, this, [this] { pageShown(m_pages->currentIndex()); });
}

void TSNMPV3Form::setButtonStates()
{
    TTablePage *page = tablePage(m_pages->currentIndex());
    const auto enabled = [page](KxTableAction command) {
        return page && page->action(command)->isEnabled();
    };
    m_refresh->setEnabled(!page || enabled(KxTableAction::Refresh));
    m_insert->setEnabled(enabled(KxTableAction::Insert));
    m_delete->setEnabled(enabled(KxTableAction::Delete));
    m_save->setEnabled(enabled(KxTableAction::Save));
    m_print->setEnabled(enabled(KxTableAction::Print));
}

// Each page sets the window's size and is read again when it is shown; a
// table page reads itself the first time it is on the screen.
void TSNMPV3Form::pageShown(int index)
{
    resize(pageInfos[index].size.expandedTo(minimumSizeHint()));
    const bool firstShowing = m_shown.insert(index).second;
    if (TTablePage *page = tablePage(index)) {
        page->list()->clearSelection();
        if (!firstShowing)
            page->action(KxTableAction::Refresh)->trigger();
    } else {
        m_globals->showPage();
    }
    setButtonStates();
}
