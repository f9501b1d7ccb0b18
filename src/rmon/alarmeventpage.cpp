#include "rmon/alarmeventpage.h"

#include "rmon/rmonentry.h"
#include "rmon/rmontable.h"
#include "rmon/rmonwidgets.h"
#include "rmon/variableprobe.h"
#include "snmp/varlist.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTime>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

const KxSNMPVarDesc alarmTable[] = {
    {"1.3.6.1.2.1.16.3.1.1.1", "alarmIndex", Integer, NotAccess},
    {"1.3.6.1.2.1.16.3.1.1.2", "alarmInterval", Integer, ReadWrite},
    {"1.3.6.1.2.1.16.3.1.1.3", "alarmVariable", ObjectId, ReadWrite},
    {"1.3.6.1.2.1.16.3.1.1.4", "alarmSampleType", Integer, ReadWrite},
    {"1.3.6.1.2.1.16.3.1.1.5", "alarmValue", Integer, ReadOnly},
    {"1.3.6.1.2.1.16.3.1.1.6", "alarmStartupAlarm", Integer, ReadWrite},
    {"1.3.6.1.2.1.16.3.1.1.7", "alarmRisingThreshold", Integer, ReadWrite},
    {"1.3.6.1.2.1.16.3.1.1.8", "alarmFallingThreshold", Integer, ReadWrite},
    {"1.3.6.1.2.1.16.3.1.1.9", "alarmRisingEventIndex", Integer, ReadWrite},
    {"1.3.6.1.2.1.16.3.1.1.10", "alarmFallingEventIndex", Integer, ReadWrite},
    {"1.3.6.1.2.1.16.3.1.1.11", "alarmOwner", DisplayStr, ReadWrite},
    {"1.3.6.1.2.1.16.3.1.1.12", "alarmStatus", Integer, ReadWrite},
    {},
};
enum AlarmColumn {
    AlmIndex,
    AlmInterval,
    AlmVariable,
    AlmSampleType,
    AlmValue,
    AlmStartup,
    AlmRising,
    AlmFalling,
    AlmRisingEvent,
    AlmFallingEvent,
    AlmOwner,
    AlmStatus
};

const KxSNMPVarDesc eventTable[] = {
    {"1.3.6.1.2.1.16.9.1.1.1", "eventIndex", Integer, NotAccess},
    {"1.3.6.1.2.1.16.9.1.1.2", "eventDescription", DisplayStr, ReadWrite},
    {"1.3.6.1.2.1.16.9.1.1.3", "eventType", Integer, ReadWrite},
    {"1.3.6.1.2.1.16.9.1.1.4", "eventCommunity", DisplayStr, ReadWrite},
    {"1.3.6.1.2.1.16.9.1.1.5", "eventLastTimeSent", TimeTicks, ReadOnly},
    {"1.3.6.1.2.1.16.9.1.1.6", "eventOwner", DisplayStr, ReadWrite},
    {"1.3.6.1.2.1.16.9.1.1.7", "eventStatus", Integer, ReadWrite},
    {},
};
enum EventColumn {
    EvtIndex,
    EvtDescription,
    EvtType,
    EvtCommunity,
    EvtLastSent,
    EvtOwner,
    EvtStatus
};

const KxSNMPVarDesc logTable[] = {
    {"1.3.6.1.2.1.16.9.2.1.1", "logEventIndex", Integer, NotAccess},
    {"1.3.6.1.2.1.16.9.2.1.2", "logIndex", Integer, NotAccess},
    {"1.3.6.1.2.1.16.9.2.1.3", "logTime", TimeTicks, ReadOnly},
    {"1.3.6.1.2.1.16.9.2.1.4", "logDescription", DisplayStr, ReadOnly},
    {},
};

constexpr int RefreshMs = 10000;
constexpr int FieldsPerRow = 4;
// An alarm made here raises its rising event first: a quiet variable does
// not log a falling event the moment the alarm starts.
constexpr int StartupRisingAlarm = 1;

const QStringList sampleTypes = {u"absolute"_s, u"delta"_s};
const QStringList eventTypes = {u"none"_s, u"log"_s, u"snmptrap"_s, u"logandtrap"_s};

const QList<KxTextColumn> alarmColumns = {
    {u"Index"_s, 6, true},
    {u"Variable"_s, 28, false},
    {u"Interval s"_s, 10, true},
    {u"Sample"_s, 9, false},
    {u"Value"_s, 12, true},
    {u"Rising"_s, 12, true},
    {u"Falling"_s, 12, true},
    {u"Rising event"_s, 12, true},
    {u"Falling event"_s, 13, true},
    {u"Owner"_s, 10, false},
};
const QList<KxTextColumn> eventColumns = {
    {u"Index"_s, 6, true},
    {u"Description"_s, 30, false},
    {u"Type"_s, 10, false},
    {u"Community"_s, 12, false},
    {u"Last sent"_s, 16, false},
    {u"Owner"_s, 10, false},
};
const QList<KxTextColumn> logColumns = {
    {u"Event"_s, 6, true},
    {u"Log"_s, 6, true},
    {u"Time"_s, 16, false},
    {u"Description"_s, 40, false},
};

// The option's text for a value counted from 1, or the value itself.
QString OptionText(const QStringList &options, const QString &value)
{
    const int at = value.toInt() - 1;
    return at >= 0 && at < options.size() ? options[at] : value;
}

void ShowRows(QTreeWidget &list, const std::vector<QStringList> &rows, int columns)
{
    list.clear();
    for (const QStringList &cells : rows) {
        auto *item = new QTreeWidgetItem(&list);
        for (int c = 0; c < columns; ++c)
            item->setText(c, cells[c]);
    }
}

quint32 ChosenIndex(const QTreeWidget &list)
{
    const QList<QTreeWidgetItem *> chosen = list.selectedItems();
    return chosen.isEmpty() ? 0 : chosen.constFirst()->text(0).toUInt();
}

std::vector<quint32> UsedIndexes(const RmonTable &table)
{
    std::vector<quint32> used;
    for (const QStringList &row : table.rows())
        used.push_back(row[0].toUInt());
    return used;
}

QGroupBox *Group(const QString &title, QWidget *list, QWidget *form)
{
    auto *group = new QGroupBox(title);
    auto *layout = new QVBoxLayout(group);
    layout->addWidget(list, 1);
    if (form)
        layout->addWidget(form);
    return group;
}

} // namespace

TAlarmEventPage::TAlarmEventPage(QWidget *parent)
    : QWidget(parent)
    , m_alarms(new RmonTable(alarmTable, 1, this))
    , m_events(new RmonTable(eventTable, 1, this))
    , m_log(new RmonTable(logTable, 2, this))
    , m_alarmWriter(new RmonTable(alarmTable, 1, this))
    , m_eventWriter(new RmonTable(eventTable, 1, this))
    , m_probe(new VariableProbe(this))
    , m_timer(new QTimer(this))
{
    m_alarmList = ReportList(u"lvwAlarms"_s, alarmColumns);
    m_eventList = ReportList(u"lvwEvents"_s, eventColumns);
    m_logList = ReportList(u"lvwEventLog"_s, logColumns);
    m_status = new QLabel;
    m_status->setObjectName(u"lblAlarmStatus"_s);

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(Group(u"Alarms"_s, m_alarmList, createAlarmForm()));
    splitter->addWidget(Group(u"Events"_s, m_eventList, createEventForm()));
    splitter->addWidget(Group(u"Event log"_s, m_logList, nullptr));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(m_status);

    connect(m_alarms, &RmonTable::tableRead, this, &TAlarmEventPage::showAlarms);
    connect(m_events, &RmonTable::tableRead, this, &TAlarmEventPage::showEvents);
    connect(m_log, &RmonTable::tableRead, this, &TAlarmEventPage::showLog);
    for (RmonTable *table : {m_alarms, m_events, m_log})
        connect(table, &RmonTable::failed, m_status, &QLabel::setText);
    for (RmonTable *writer : {m_alarmWriter, m_eventWriter}) {
        connect(writer, &RmonTable::written, this, &TAlarmEventPage::written);
        connect(writer, &RmonTable::failed, this, [this](const QString &message) {
            refuse(m_writing + message);
        });
    }
    connect(m_probe, &VariableProbe::probed, this, &TAlarmEventPage::variableProbed);
    // Only the page on show is read again: the others wait until they are chosen.
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (isVisible())
            btnAlarmRefreshClick();
    });
    m_timer->start(RefreshMs);
    btnAlarmRefreshClick();
}

// The requests go first, while the page is still whole.
TAlarmEventPage::~TAlarmEventPage()
{
    m_timer->stop();
    delete m_probe;
    EndTables({m_eventWriter, m_alarmWriter, m_log, m_events, m_alarms});
}

QWidget *TAlarmEventPage::createAlarmForm()
{
    m_variable = Edit(u"edtAlarmVariable"_s, u"1.3.6.1.2.1.16.1.1.1.4.5"_s);
    m_interval = Edit(u"edtAlarmInterval"_s, u"30"_s);
    m_sampleType = makeCombo(u"cbxAlarmSampleType"_s, sampleTypes, 1);
    m_rising = Edit(u"edtAlarmRising"_s);
    m_falling = Edit(u"edtAlarmFalling"_s);
    m_risingEvent = Edit(u"edtAlarmRisingEvent"_s, u"0"_s);
    m_fallingEvent = Edit(u"edtAlarmFallingEvent"_s, u"0"_s);
    m_variable->setMinimumWidth(220);
    QPushButton *create = makeButton(u"Create Alarm"_s, u"btnAlarmCreate"_s);
    QPushButton *remove = makeButton(u"Delete Alarm"_s, u"btnAlarmDelete"_s);
    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnAlarmRefresh"_s);
    QPushButton *save = makeButton(u"Save"_s, u"btnAlarmSave"_s);
    connect(create, &QPushButton::clicked, this, &TAlarmEventPage::btnAlarmCreateClick);
    connect(remove, &QPushButton::clicked, this, &TAlarmEventPage::btnAlarmDeleteClick);
    connect(refresh, &QPushButton::clicked, this, &TAlarmEventPage::btnAlarmRefreshClick);
    connect(save, &QPushButton::clicked, this, &TAlarmEventPage::btnAlarmSaveClick);

    auto *form = new QWidget;
    auto *grid = new QGridLayout(form);
    grid->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char *, QWidget *> fields[] = {
        {"Variable :", m_variable},
        {"Interval s :", m_interval},
        {"Sample :", m_sampleType},
        {"Rising threshold :", m_rising},
        {"Falling threshold :", m_falling},
        {"Rising event :", m_risingEvent},
        {"Falling event :", m_fallingEvent},
    };
    int at = 0;
    for (const auto &[label, field] : fields) {
        grid->addWidget(
            new QLabel(QString::fromLatin1(label)), at / FieldsPerRow, at % FieldsPerRow * 2);
        grid->addWidget(field, at / FieldsPerRow, at % FieldsPerRow * 2 + 1);
        ++at;
    }
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(create);
    buttons->addWidget(remove);
    buttons->addWidget(refresh);
    buttons->addWidget(save);
    grid->addLayout(buttons, 1, 6, 1, 2);
    return form;
}

QWidget *TAlarmEventPage::createEventForm()
{
    m_description = Edit(u"edtEventDescription"_s);
    m_eventType = makeCombo(u"cbxEventType"_s, eventTypes, 1);
    m_community = Edit(u"edtEventCommunity"_s);
    QPushButton *create = makeButton(u"Create Event"_s, u"btnEventCreate"_s);
    QPushButton *remove = makeButton(u"Delete Event"_s, u"btnEventDelete"_s);
    QPushButton *save = makeButton(u"Save"_s, u"btnEventSave"_s);
    QPushButton *saveLog = makeButton(u"Save Log"_s, u"btnLogSave"_s);
    connect(create, &QPushButton::clicked, this, &TAlarmEventPage::btnEventCreateClick);
    connect(remove, &QPushButton::clicked, this, &TAlarmEventPage::btnEventDeleteClick);
    connect(save, &QPushButton::clicked, this, &TAlarmEventPage::btnEventSaveClick);
    connect(saveLog, &QPushButton::clicked, this, &TAlarmEventPage::btnLogSaveClick);

    auto *form = new QWidget;
    auto *row = new QHBoxLayout(form);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(u"Description :"_s));
    row->addWidget(m_description, 2);
    row->addWidget(new QLabel(u"Type :"_s));
    row->addWidget(m_eventType);
    row->addWidget(new QLabel(u"Community :"_s));
    row->addWidget(m_community, 1);
    row->addWidget(create);
    row->addWidget(remove);
    row->addWidget(save);
    row->addWidget(saveLog);
    return form;
}

bool TAlarmEventPage::busy() const
{
    return m_alarms->busy() || m_events->busy() || m_log->busy() || m_alarmWriter->busy()
           || m_eventWriter->busy();
}

void TAlarmEventPage::btnAlarmRefreshClick()
{
    if (!m_events->busy() && !m_log->busy())
        m_alarms->read();
}

void TAlarmEventPage::showAlarms()
{
    const quint32 chosen = ChosenIndex(*m_alarmList);
    m_alarmList->clear();
    for (const QStringList &row : m_alarms->rows()) {
        auto *item = new QTreeWidgetItem(m_alarmList);
        const QStringList cells{row[AlmIndex],
                                row[AlmVariable],
                                row[AlmInterval],
                                OptionText(sampleTypes, row[AlmSampleType]),
                                row[AlmValue],
                                row[AlmRising],
                                row[AlmFalling],
                                row[AlmRisingEvent],
                                row[AlmFallingEvent],
                                row[AlmOwner]};
        for (int c = 0; c < cells.size(); ++c)
            item->setText(c, cells[c]);
        item->setSelected(row[AlmIndex].toUInt() == chosen);
    }
    FitColumns(*m_alarmList);
    m_events->read();
}

void TAlarmEventPage::showEvents()
{
    const quint32 chosen = ChosenIndex(*m_eventList);
    m_eventList->clear();
    for (const QStringList &row : m_events->rows()) {
        auto *item = new QTreeWidgetItem(m_eventList);
        const QStringList cells{row[EvtIndex],
                                row[EvtDescription],
                                OptionText(eventTypes, row[EvtType]),
                                row[EvtCommunity],
                                row[EvtLastSent],
                                row[EvtOwner]};
        for (int c = 0; c < cells.size(); ++c)
            item->setText(c, cells[c]);
        item->setSelected(row[EvtIndex].toUInt() == chosen);
    }
    FitColumns(*m_eventList);
    m_log->read();
}

void TAlarmEventPage::showLog()
{
    ShowRows(*m_logList, m_log->rows(), static_cast<int>(logColumns.size()));
    FitColumns(*m_logList);
    m_status->setText(u"Last read "_s + QTime::currentTime().toString(u"HH:mm:ss"_s));
    Q_EMIT refreshed();
}

std::set<quint32> TAlarmEventPage::eventIndexes() const
{
    std::set<quint32> indexes;
    for (const QStringList &row : m_events->rows()) {
        if (row[EvtStatus].toInt() == EntryStatus::Valid)
            indexes.insert(row[EvtIndex].toUInt());
    }
    return indexes;
}

AlarmEntry TAlarmEventPage::alarmEntry() const
{
    return {m_variable->text().trimmed(),
            m_interval->text().trimmed(),
            m_rising->text().trimmed(),
            m_falling->text().trimmed(),
            m_risingEvent->text().trimmed(),
            m_fallingEvent->text().trimmed()};
}

void TAlarmEventPage::btnAlarmCreateClick()
{
    if (!m_alarms->hasBeenRead() || !m_events->hasBeenRead()) {
        refuse(TableNotReadMessage);
        return;
    }
    const QString problem = AlarmEntryProblem(alarmEntry(), eventIndexes());
    if (!problem.isEmpty()) {
        refuse(problem);
        return;
    }
    QString variable = alarmEntry().variable;
    if (variable.startsWith(u'.'))
        variable.remove(0, 1);
    if (m_alarmWriter->busy() || !m_probe->probe(variable))
        refuse(u"Another change is under way. Please wait."_s);
}

void TAlarmEventPage::variableProbed(const QString &oid, const QString &problem)
{
    if (!problem.isEmpty()) {
        refuse(problem);
        return;
    }
    m_variable->setText(oid);
    createAlarm();
}

void TAlarmEventPage::createAlarm()
{
    if (!m_alarms->hasBeenRead()) {
        refuse(TableNotReadMessage);
        return;
    }
    const AlarmEntry entry = alarmEntry();
    const RmonRowValues columns{
        {AlmInterval, entry.interval},
        {AlmVariable, entry.variable},
        {AlmSampleType, QString::number(m_sampleType->currentIndex() + 1)},
        {AlmStartup, QString::number(StartupRisingAlarm)},
        {AlmRising, entry.rising},
        {AlmFalling, entry.falling},
        {AlmRisingEvent, entry.risingEvent},
        {AlmFallingEvent, entry.fallingEvent},
        {AlmOwner, RmonOwner},
    };
    m_writing = u"The alarm could not be created: "_s;
    if (!m_alarmWriter->write({FreeIndex(UsedIndexes(*m_alarms))},
                              {{{AlmStatus, QString::number(EntryStatus::CreateRequest)}},
                               columns,
                               {{AlmStatus, QString::number(EntryStatus::Valid)}}},
                              {{AlmStatus, QString::number(EntryStatus::Invalid)}}))
        refuse(u"Another change is under way. Please wait."_s);
}

void TAlarmEventPage::btnAlarmDeleteClick()
{
    const quint32 alarm = ChosenIndex(*m_alarmList);
    if (alarm == 0) {
        refuse(u"Please choose the alarm to delete."_s);
        return;
    }
    m_writing = u"The alarm could not be deleted: "_s;
    if (!m_alarmWriter->write({alarm}, {{{AlmStatus, QString::number(EntryStatus::Invalid)}}}))
        refuse(u"Another change is under way. Please wait."_s);
}

void TAlarmEventPage::btnEventCreateClick()
{
    if (!m_events->hasBeenRead()) {
        refuse(TableNotReadMessage);
        return;
    }
    const EventEntry entry{m_description->text().trimmed(), m_community->text()};
    const QString problem = EventEntryProblem(entry);
    if (!problem.isEmpty()) {
        refuse(problem);
        return;
    }
    const RmonRowValues columns{
        {EvtDescription, entry.description},
        {EvtType, QString::number(m_eventType->currentIndex() + 1)},
        {EvtCommunity, entry.community},
        {EvtOwner, RmonOwner},
    };
    m_writing = u"The event could not be created: "_s;
    if (!m_eventWriter->write({FreeIndex(UsedIndexes(*m_events))},
                              {{{EvtStatus, QString::number(EntryStatus::CreateRequest)}},
                               columns,
                               {{EvtStatus, QString::number(EntryStatus::Valid)}}},
                              {{EvtStatus, QString::number(EntryStatus::Invalid)}}))
        refuse(u"Another change is under way. Please wait."_s);
}

void TAlarmEventPage::btnEventDeleteClick()
{
    const quint32 event = ChosenIndex(*m_eventList);
    if (event == 0) {
        refuse(u"Please choose the event to delete."_s);
        return;
    }
    m_writing = u"The event could not be deleted: "_s;
    if (!m_eventWriter->write({event}, {{{EvtStatus, QString::number(EntryStatus::Invalid)}}}))
        refuse(u"Another change is under way. Please wait."_s);
}

void TAlarmEventPage::written()
{
    Q_EMIT changed();
    btnAlarmRefreshClick();
}

void TAlarmEventPage::refuse(const QString &message)
{
    ShowError(this, message);
    Q_EMIT refused(message);
}

void TAlarmEventPage::btnAlarmSaveClick()
{
    saveList(this, ListTextOf(*m_alarmList, alarmColumns));
}

void TAlarmEventPage::btnEventSaveClick()
{
    saveList(this, ListTextOf(*m_eventList, eventColumns));
}

void TAlarmEventPage::btnLogSaveClick()
{
    saveList(this, ListTextOf(*m_logList, logColumns));
}

void TAlarmEventPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    btnAlarmRefreshClick();
}
