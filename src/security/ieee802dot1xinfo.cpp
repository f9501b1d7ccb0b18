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

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int StatePage = 0;
constexpr int ConfigurationPage = 1;
constexpr int StatisticsPage = 2;

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

TTablePage *modeList(const char *name, const KxSNMPVarDesc *table, int keyCount)
{
    auto *list = new TTablePage(listDesc(name, table, keyCount));
    // The long captions stay readable; the list scrolls sideways.
    list->list()->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return list;
}

QWidget *pageOf(const QString &name, QWidget *content)
{
    auto *page = new QWidget;
    page->setObjectName(name);
    (new QVBoxLayout(page))->addWidget(content);
    return page;
}

} // namespace

// Two overlaid lists of one table, port-based and MAC-based: the one of the
// authentication mode shows.
class TDot1xModeLists final : public QStackedWidget
{
public:
    TDot1xModeLists(TTablePage *port, TTablePage *mac)
        : m_port(port)
        , m_mac(mac)
    {
        addWidget(port);
        addWidget(mac);
    }

    TTablePage *ofMode(TIEEE802dot1XInfoForm::AuthMode mode) const
    {
        if (mode == TIEEE802dot1XInfoForm::PortBased)
            return m_port;
        if (mode == TIEEE802dot1XInfoForm::MacBased)
            return m_mac;
        return nullptr;
    }

    // Shows the list of the mode, the port-based one when the mode is unknown.
    void showMode(TIEEE802dot1XInfoForm::AuthMode mode)
    {
        setCurrentWidget(ofMode(mode) ? ofMode(mode) : m_port);
    }

    void clear()
    {
        for (TTablePage *list : both()) {
            list->list()->clearSelection();
            list->list()->clear();
        }
    }

    void stop()
    {
        for (TTablePage *list : both())
            list->action(KxTableAction::Stop)->trigger();
    }

    QList<TTablePage *> both() const { return {m_port, m_mac}; }

private:
    TTablePage *m_port;
    TTablePage *m_mac;
};

TIEEE802dot1XInfoForm::TIEEE802dot1XInfoForm(QWidget *parent)
    : QDialog(parent)
    , m_globals(new TBindingPage(u"pnlGlobals"_s, QString(), {}, globalFields))
    , m_pages(new QTabWidget)
    , m_stateLists(new TDot1xModeLists(modeList("lvIEEE802dot1xStateUsingPort", PortStateTable, 1),
                                       modeList("lvIEEE802dot1xStateUsingMAC", MacStateTable, 2)))
    , m_config(new TTablePage(configDesc()))
    , m_statisticsPages(new QTabWidget)
    , m_statistics{new TDot1xModeLists(modeList("lvAuthStatisticsUsingPort", AuthStatsPortTable, 1),
                                       modeList("lvAuthStatisticsUsingMAC", AuthStatsMacTable, 2)),
                   new TDot1xModeLists(modeList("lvAuthDiagUsingPort", AuthDiagPortTable, 1),
                                       modeList("lvAuthDiagUsingMAC", AuthDiagMacTable, 2)),
                   new TDot1xModeLists(modeList("lvAuthSessionUsingPort", AuthSessionPortTable, 1),
                                       modeList("lvAuthSessionUsingMAC", AuthSessionMacTable, 2))}
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
    m_config->list()->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_pages->addTab(pageOf(u"tbsAuthState"_s, m_stateLists), u"802.1X State"_s);
    m_pages->addTab(pageOf(u"tbsAuthConfig"_s, m_config), u"802.1X Configuration"_s);
    m_statisticsPages->setObjectName(u"pgcIEEE802dot1xStatistics"_s);
    m_statisticsPages->addTab(m_statistics[AuthStatistics], u"Authentication Statistics"_s);
    m_statisticsPages->addTab(m_statistics[AuthDiagnostics], u"Authentication Diagnostics"_s);
    m_statisticsPages->addTab(m_statistics[AuthSession], u"Authentication Session"_s);
    // The statistics are read with the other lists, but the switch's module
    // keeps their tab hidden.
    m_pages->addTab(pageOf(u"tbsIEEE802dot1xStatistics"_s, m_statisticsPages),
                    u"802.1X Statistics"_s);
    m_pages->setTabVisible(StatisticsPage, false);

    m_config->rowEditor = [this](QTreeWidgetItem *row) {
        return configEditor(row);
    };
    m_config->writeEditedRow = [this](QTreeWidgetItem *row) {
        return m_config->writeWholeRow(row);
    };
    m_result->attach(m_globals->request());
    for (TTablePage *list : lists()) {
        if (list != m_config)
            m_result->attach(list->binding().request());
    }
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

TTablePage *TIEEE802dot1XInfoForm::portStatePage() const
{
    return m_stateLists->ofMode(PortBased);
}

TTablePage *TIEEE802dot1XInfoForm::macStatePage() const
{
    return m_stateLists->ofMode(MacBased);
}

TTablePage *TIEEE802dot1XInfoForm::statisticsList(StatisticsKind kind, AuthMode mode) const
{
    return m_statistics[kind]->ofMode(mode);
}

QList<TTablePage *> TIEEE802dot1XInfoForm::lists() const
{
    QList<TTablePage *> all = m_stateLists->both();
    all.append(m_config);
    for (const TDot1xModeLists *statistics : m_statistics)
        all.append(statistics->both());
    return all;
}

void TIEEE802dot1XInfoForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    QMetaObject::invokeMethod(this, &TIEEE802dot1XInfoForm::FormActivate, Qt::QueuedConnection);
}

// Reads the global settings, the state list of the mode, the configuration
// and the statistics lists of the mode.
void TIEEE802dot1XInfoForm::FormActivate()
{
    run([this] {
        readGlobals();
        if (m_state == Enabled) {
            refreshStatePage();
        } else {
            setCaption();
            m_stateLists->showMode(m_mode);
        }
        if (closing())
            return;
        m_config->readTable();
        if (m_mode == ModeUnknown && !closing())
            readGlobals();
        readStatistics();
    });
}

void TIEEE802dot1XInfoForm::readStatistics()
{
    for (TDot1xModeLists *statistics : m_statistics) {
        statistics->showMode(m_mode);
        if (TTablePage *list = statistics->ofMode(m_mode); list && !closing())
            list->readTable();
    }
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

// With 802.1X on, the list of the mode is read; otherwise the page stays empty.
void TIEEE802dot1XInfoForm::refreshStatePage()
{
    setCaption();
    m_stateLists->clear();
    m_stateLists->showMode(m_mode);
    TTablePage *shown = m_stateLists->ofMode(m_mode);
    if (m_state == Enabled && shown && !closing())
        shown->readTable();
}

// The list of the sub-page and the mode is read again; with the mode
// unknown the sub-page stays empty.
void TIEEE802dot1XInfoForm::refreshStatisticsPage()
{
    TDot1xModeLists *statistics = currentStatistics();
    if (!statistics)
        return;
    statistics->clear();
    statistics->showMode(m_mode);
    if (TTablePage *list = statistics->ofMode(m_mode))
        list->readTable();
}

TDot1xModeLists *TIEEE802dot1XInfoForm::currentStatistics() const
{
    const int page = m_statisticsPages->currentIndex();
    return page < 0 ? nullptr : m_statistics[page];
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
        } else if (m_pages->currentIndex() == StatisticsPage) {
            refreshStatisticsPage();
        }
    });
}

void TIEEE802dot1XInfoForm::btnStopClick()
{
    m_globals->stop();
    if (m_pages->currentIndex() == StatePage) {
        m_stateLists->stop();
    } else if (m_pages->currentIndex() == ConfigurationPage) {
        m_config->list()->clearSelection();
        m_config->action(KxTableAction::Stop)->trigger();
    } else if (TDot1xModeLists *statistics = currentStatistics()) {
        statistics->stop();
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
    if (m_working)
        return true;
    const QList<TTablePage *> all = lists();
    return std::any_of(
        all.begin(), all.end(), [](const TTablePage *list) { return list->reading(); });
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
    for (TTablePage *list : lists()) {
        if (list->reading())
            list->closeAfterWalk();
    }
}
