#include "security/ieee802dot1xinfo.h"

#include "binding/edits.h"
#include "forms/bindingpage.h"
#include "forms/formbuilder.h"
#include "forms/resultbar.h"
#include "forms/tablepage.h"
#include "security/dot1xobjects.h"
#include "security/ieee802dot1xinfoedit.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int StatePage = 0;
constexpr int ConfigurationPage = 1;

const char *const stateLabel = "lblIEEE802dot1xState";
const char *const protocolLabel = "lblAuthProtocol";
const char *const modeLabel = "lblAuthMode";

using enum KxFieldKind;

const KxField globalFields[] = {
    {SystemAuthControlDesc, stateLabel, "802.1xState", Label},
    {AuthProtocolDesc, protocolLabel, "AuthProtocol", Label},
    {AuthModeDesc, modeLabel, "AuthMode", Label},
};

QList<KxTextColumn> columnsOf(const KxSNMPVarDesc *table)
{
    QList<KxTextColumn> columns;
    for (const KxSNMPVarDesc *var = table; var->oid; ++var)
        columns.append({QString::fromLatin1(var->name), 20});
    return columns;
}

KxTableDesc listDesc(const char *name, const KxSNMPVarDesc *table, int keyCount)
{
    KxTableDesc desc;
    desc.listName = name;
    desc.table = table;
    desc.keyCount = keyCount;
    desc.columns = columnsOf(table);
    desc.readOnFirstShow = false;
    desc.hideWhileReading = false;
    desc.equalColumnWidths = false;
    return desc;
}

KxTableDesc configDesc()
{
    KxTableDesc desc = listDesc("lvIEEE802dot1xConfiguration", AuthConfigTable, 1);
    desc.menu = {{KxTableAction::Edit, "Edit"}};
    desc.multiRowEdit = true;
    return desc;
}

bool sameText(const QString &text, const char *other)
{
    return text.compare(QLatin1StringView(other), Qt::CaseInsensitive) == 0;
}

} // namespace

TIEEE802dot1XInfoForm::TIEEE802dot1XInfoForm(QWidget *parent)
    : QDialog(parent)
    , m_globals(new TBindingPage(u"pnlGlobals"_s, QString(), {}, globalFields))
    , m_pages(new QTabWidget)
    , m_stateLists(new QStackedWidget)
    , m_portState(new TTablePage(listDesc("lvIEEE802dot1xStateUsingPort", PortStateTable, 1)))
    , m_macState(new TTablePage(listDesc("lvIEEE802dot1xStateUsingMAC", MacStateTable, 2)))
    , m_config(new TTablePage(configDesc()))
    , m_refresh(makeButton(u"Refresh"_s, u"btnRefresh"_s))
    , m_stop(makeButton(u"Stop"_s, u"btnStop"_s))
    , m_edit(makeButton(u"Edit"_s, u"btnEdit"_s))
    , m_result(new TResultBar(u"stbResult"_s))
{
    setObjectName(u"IEEE802dot1XInfoForm"_s);
    setWindowTitle(u"Information :"_s);
    m_globals->hide();
    m_result->hide();
    m_pages->setObjectName(u"pgcIEEE802dot1x"_s);
    // The long captions stay readable; the list scrolls sideways.
    for (TTablePage *list : {m_portState, m_macState, m_config})
        list->list()->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_stateLists->addWidget(m_portState);
    m_stateLists->addWidget(m_macState);
    auto *statePage = new QWidget;
    statePage->setObjectName(u"tbsAuthState"_s);
    (new QVBoxLayout(statePage))->addWidget(m_stateLists);
    auto *configPage = new QWidget;
    configPage->setObjectName(u"tbsAuthConfig"_s);
    (new QVBoxLayout(configPage))->addWidget(m_config);
    m_pages->addTab(statePage, u"802.1X State"_s);
    m_pages->addTab(configPage, u"802.1X Configuration"_s);

    m_config->rowEditor = [this](QTreeWidgetItem *row) {
        return configEditor(row);
    };
    m_config->writeEditedRow = [this](QTreeWidgetItem *row) {
        return m_config->writeWholeRow(row);
    };
    m_result->attach(m_globals->request());
    m_result->attach(m_portState->binding().request());
    m_result->attach(m_macState->binding().request());
    m_result->attach(m_config->binding().request(),
                     [this](const KxSNMPError &result) { m_configFailed = result.code != 0; });

    QPushButton *close = makeCloseButton(this);
    QPushButton *help = makeHelpButton();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_globals);
    layout->addWidget(m_pages, 1);
    layout->addLayout(makeButtonBar({m_refresh, m_stop, m_edit, close, help}));
    layout->addWidget(m_result);

    connect(m_refresh, &QPushButton::clicked, this, &TIEEE802dot1XInfoForm::btnRefreshClick);
    connect(m_stop, &QPushButton::clicked, this, &TIEEE802dot1XInfoForm::btnStopClick);
    connect(m_edit, &QPushButton::clicked, this, &TIEEE802dot1XInfoForm::btnEditClick);
    connect(m_pages, &QTabWidget::currentChanged, this, &TIEEE802dot1XInfoForm::setButtonStates);
    connect(m_config->action(KxTableAction::Edit),
            &QAction::changed,
            this,
            &TIEEE802dot1XInfoForm::setButtonStates);
    setButtonStates();
    resize(900, 480);
}

TIEEE802dot1XInfoForm::~TIEEE802dot1XInfoForm() = default;

void TIEEE802dot1XInfoForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    QMetaObject::invokeMethod(this, &TIEEE802dot1XInfoForm::FormActivate, Qt::QueuedConnection);
}

// Reads the global settings, the state list of the mode and the configuration.
void TIEEE802dot1XInfoForm::FormActivate()
{
    run([this] {
        readGlobals();
        if (m_state == Enabled) {
            refreshStatePage();
        } else {
            setCaption();
            m_stateLists->setCurrentWidget(stateListOfMode() ? stateListOfMode() : m_portState);
        }
        if (!closing())
            m_config->readTable();
    });
}

void TIEEE802dot1XInfoForm::readGlobals()
{
    m_globals->control<QLabel>(stateLabel)->setText(u"802.1xState"_s);
    m_globals->control<QLabel>(protocolLabel)->setText(u"AuthProtocol"_s);
    m_globals->control<QLabel>(modeLabel)->setText(u"AuthMode"_s);
    m_globals->showPage();
    deriveState();
}

void TIEEE802dot1XInfoForm::deriveState()
{
    const QString mode = m_globals->control<QLabel>(modeLabel)->text();
    if (sameText(mode, "portBase"))
        m_mode = PortBased;
    else if (sameText(mode, "macBase"))
        m_mode = MacBased;
    else if (sameText(mode, "(NULL)") || sameText(mode, "AuthMode"))
        m_mode = ModeUnknown;
    else
        m_mode = ModeOther;
    const QString state = m_globals->control<QLabel>(stateLabel)->text();
    if (sameText(state, "enabled"))
        m_state = Enabled;
    else if (sameText(state, "disabled"))
        m_state = Disabled;
    else if (sameText(state, "(NULL)"))
        m_state = StateUnknown;
    else
        m_state = StateOther;
}

void TIEEE802dot1XInfoForm::setCaption()
{
    if (m_mode == PortBased)
        setWindowTitle(u"802.1X Information (Port-Based)"_s);
    else if (m_mode == MacBased)
        setWindowTitle(u"802.1X Information (MAC-Based)"_s);
    else
        setWindowTitle(u"802.1X Information"_s);
}

TTablePage *TIEEE802dot1XInfoForm::stateListOfMode() const
{
    if (m_mode == PortBased)
        return m_portState;
    if (m_mode == MacBased)
        return m_macState;
    return nullptr;
}

// With 802.1X on, the list of the mode is read; otherwise the page stays empty.
void TIEEE802dot1XInfoForm::refreshStatePage()
{
    setCaption();
    for (TTablePage *list : {m_portState, m_macState}) {
        list->list()->clearSelection();
        list->list()->clear();
    }
    TTablePage *shown = stateListOfMode();
    m_stateLists->setCurrentWidget(shown ? shown : m_portState);
    if (m_state == Enabled && shown && !closing())
        shown->readTable();
}

void TIEEE802dot1XInfoForm::btnRefreshClick()
{
    run([this] {
        readGlobals();
        setCaption();
        if (closing())
            return;
        if (m_pages->currentIndex() == StatePage) {
            refreshStatePage();
        } else if (m_pages->currentIndex() == ConfigurationPage) {
            m_config->list()->clearSelection();
            m_config->list()->clear();
            m_config->readTable();
        }
    });
}

void TIEEE802dot1XInfoForm::btnStopClick()
{
    m_globals->stop();
    if (m_pages->currentIndex() == StatePage) {
        for (TTablePage *list : {m_portState, m_macState})
            list->action(KxTableAction::Stop)->trigger();
    } else {
        m_config->list()->clearSelection();
        m_config->action(KxTableAction::Stop)->trigger();
    }
}

void TIEEE802dot1XInfoForm::btnEditClick()
{
    if (m_pages->currentIndex() == ConfigurationPage)
        m_config->action(KxTableAction::Edit)->trigger();
}

std::unique_ptr<QDialog> TIEEE802dot1XInfoForm::configEditor(QTreeWidgetItem *row)
{
    if (!row)
        return nullptr;
    Dot1xGlobalTexts globals{m_globals->control<QLabel>(stateLabel)->text(),
                             m_globals->control<QLabel>(modeLabel)->text(),
                             m_globals->control<QLabel>(protocolLabel)->text()};
    return std::make_unique<TIEEE802dot1XInfoEditForm>(*m_config->list(), globals, this);
}

void TIEEE802dot1XInfoForm::setButtonStates()
{
    const bool configuration = m_pages->currentIndex() == ConfigurationPage;
    m_edit->setEnabled(configuration && !m_configFailed
                       && m_config->action(KxTableAction::Edit)->isEnabled());
}

bool TIEEE802dot1XInfoForm::busy() const
{
    return m_working || m_portState->reading() || m_macState->reading() || m_config->reading();
}

void TIEEE802dot1XInfoForm::run(const std::function<void()> &reads)
{
    if (busy())
        return;
    m_working = true;
    reads();
    m_working = false;
    setButtonStates();
    if (m_closing)
        QMetaObject::invokeMethod(
            this, [this] { done(Rejected); }, Qt::QueuedConnection);
}

void TIEEE802dot1XInfoForm::done(int result)
{
    if (!busy()) {
        QDialog::done(result);
        return;
    }
    m_closing = true;
    m_globals->stop();
    for (TTablePage *list : {m_portState, m_macState, m_config}) {
        if (list->reading())
            list->closeAfterWalk();
    }
}
