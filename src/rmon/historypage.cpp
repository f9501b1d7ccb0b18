#include "rmon/historypage.h"

#include "forms/entrychecks.h"
#include "rmon/rmonentry.h"
#include "rmon/rmontable.h"
#include "rmon/rmonwidgets.h"
#include "snmp/varlist.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSplitter>
#include <QTime>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

const KxSNMPVarDesc historyControlTable[] = {
    {"1.3.6.1.2.1.16.2.1.1.1", "historyControlIndex", Integer, NotAccess},
    {"1.3.6.1.2.1.16.2.1.1.2", "historyControlDataSource", ObjectId, ReadWrite},
    {"1.3.6.1.2.1.16.2.1.1.3", "historyControlBucketsRequested", Integer, ReadWrite},
    {"1.3.6.1.2.1.16.2.1.1.4", "historyControlBucketsGranted", Integer, ReadOnly},
    {"1.3.6.1.2.1.16.2.1.1.5", "historyControlInterval", Integer, ReadWrite},
    {"1.3.6.1.2.1.16.2.1.1.6", "historyControlOwner", DisplayStr, ReadWrite},
    {"1.3.6.1.2.1.16.2.1.1.7", "historyControlStatus", Integer, ReadWrite},
    {},
};
enum ControlColumn {
    CtlIndex,
    CtlSource,
    CtlRequested,
    CtlGranted,
    CtlInterval,
    CtlOwner,
    CtlStatus
};

const KxSNMPVarDesc etherHistoryTable[] = {
    {"1.3.6.1.2.1.16.2.2.1.1", "etherHistoryIndex", Integer, NotAccess},
    {"1.3.6.1.2.1.16.2.2.1.2", "etherHistorySampleIndex", Integer, NotAccess},
    {"1.3.6.1.2.1.16.2.2.1.3", "etherHistoryIntervalStart", Gauge, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.4", "etherHistoryDropEvents", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.5", "etherHistoryOctets", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.6", "etherHistoryPkts", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.7", "etherHistoryBroadcastPkts", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.8", "etherHistoryMulticastPkts", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.9", "etherHistoryCRCAlignErrors", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.10", "etherHistoryUndersizePkts", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.11", "etherHistoryOversizePkts", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.12", "etherHistoryFragments", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.13", "etherHistoryJabbers", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.14", "etherHistoryCollisions", Counter, ReadOnly},
    {"1.3.6.1.2.1.16.2.2.1.15", "etherHistoryUtilization", Integer, ReadOnly},
    {},
};
enum BucketColumn {
    BktIndex,
    BktSample,
    BktStart,
    BktDrops,
    BktOctets,
    BktPackets,
    BktBroadcast,
    BktMulticast,
    BktCrcAlign,
    BktUndersize,
    BktOversize,
    BktFragments,
    BktJabbers,
    BktCollisions,
    BktUtilization
};

constexpr int PortCount = 24;
constexpr qint64 IntervalMax = 3600;
constexpr qint64 BucketsMax = 65535;
constexpr int RefreshMs = 10000;
constexpr double TicksPerMinute = 6000;

const QList<KxTextColumn> entryColumns = {
    {u"Index"_s, 6, true},
    {u"Port"_s, 5, true},
    {u"Interval s"_s, 10, true},
    {u"Requested"_s, 10, true},
    {u"Granted"_s, 8, true},
    {u"Owner"_s, 12, false},
    {u"Status"_s, 14, false},
};

const QList<KxTextColumn> bucketColumns = {
    {u"Sample"_s, 7, true},
    {u"Start s"_s, 10, true},
    {u"Util. %"_s, 8, true},
    {u"Octets"_s, 12, true},
    {u"Packets"_s, 10, true},
    {u"Broadcast"_s, 10, true},
    {u"Multicast"_s, 10, true},
    {u"Errors"_s, 8, true},
    {u"Drops"_s, 8, true},
    {u"Collisions"_s, 10, true},
};

enum Quantity { UtilizationQuantity, PacketsQuantity, ErrorsQuantity };
const char *const quantities[] = {"Utilization %", "Packets", "Errors"};

QString StatusText(int status)
{
    switch (status) {
    case EntryStatus::Valid:
        return u"valid"_s;
    case EntryStatus::CreateRequest:
        return u"createRequest"_s;
    case EntryStatus::UnderCreation:
        return u"underCreation"_s;
    default:
        return u"invalid"_s;
    }
}

quint64 BucketErrors(const QStringList &bucket)
{
    quint64 sum = 0;
    for (int c : {BktCrcAlign, BktUndersize, BktOversize, BktFragments, BktJabbers})
        sum += bucket[c].toULongLong();
    return sum;
}

double BucketValue(const QStringList &bucket, int quantity)
{
    switch (quantity) {
    case PacketsQuantity:
        return bucket[BktPackets].toDouble();
    case ErrorsQuantity:
        return static_cast<double>(BucketErrors(bucket));
    default:
        return bucket[BktUtilization].toDouble() / 100.0;
    }
}

// The buckets of one entry, oldest first.
std::vector<QStringList> BucketsOf(const std::vector<QStringList> &rows, quint32 entry)
{
    std::vector<QStringList> buckets;
    for (const QStringList &row : rows) {
        if (row[BktIndex].toUInt() == entry)
            buckets.push_back(row);
    }
    return buckets;
}

} // namespace

THistoryPage::THistoryPage(QWidget *parent)
    : QWidget(parent)
    , m_control(new RmonTable(historyControlTable, 1, this))
    , m_buckets(new RmonTable(etherHistoryTable, 2, this))
    , m_writer(new RmonTable(historyControlTable, 1, this))
    , m_timer(new QTimer(this))
{
    m_entries = ReportList(u"lvwHistoryControl"_s, entryColumns);
    m_bucketList = ReportList(u"lvwHistoryBuckets"_s, bucketColumns);
    createChart();
    auto *lists = new QSplitter(Qt::Horizontal);
    lists->addWidget(m_entries);
    lists->addWidget(m_bucketList);
    lists->setStretchFactor(0, 2);
    lists->setStretchFactor(1, 3);
    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(lists);
    splitter->addWidget(m_chartView);
    splitter->setStretchFactor(1, 1);
    m_status = new QLabel;
    m_status->setObjectName(u"lblHistoryStatus"_s);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(createControls());
    layout->addWidget(splitter, 1);
    layout->addWidget(m_status);

    connect(m_control, &RmonTable::tableRead, this, &THistoryPage::showEntries);
    connect(m_buckets, &RmonTable::tableRead, this, &THistoryPage::showBuckets);
    connect(m_control, &RmonTable::failed, m_status, &QLabel::setText);
    connect(m_buckets, &RmonTable::failed, m_status, &QLabel::setText);
    connect(m_writer, &RmonTable::written, this, &THistoryPage::entryWritten);
    connect(m_writer, &RmonTable::failed, this, &THistoryPage::showRefusal);
    connect(m_entries, &QTreeWidget::itemSelectionChanged, this, &THistoryPage::showBuckets);
    // Only the page on show is read again: the others wait until they are chosen.
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (isVisible())
            btnHistoryRefreshClick();
    });
    m_timer->start(RefreshMs);
    btnHistoryRefreshClick();
}

// The tables go first, while the page is still whole.
THistoryPage::~THistoryPage()
{
    m_timer->stop();
    EndTables({m_writer, m_buckets, m_control});
}

QWidget *THistoryPage::createControls()
{
    QStringList ports;
    for (int port = 1; port <= PortCount; ++port)
        ports << QString::number(port);
    QStringList quantityTexts;
    for (const char *text : quantities)
        quantityTexts << QString::fromLatin1(text);
    m_port = makeCombo(u"cbxHistoryPort"_s, ports, 0);
    m_interval = Edit(u"edtHistoryInterval"_s, u"30"_s);
    m_bucketCount = Edit(u"edtHistoryBuckets"_s, u"50"_s);
    m_quantity = makeCombo(u"cbxHistoryChart"_s, quantityTexts, UtilizationQuantity);
    QPushButton *create = makeButton(u"Create"_s, u"btnHistoryCreate"_s);
    QPushButton *remove = makeButton(u"Remove"_s, u"btnHistoryRemove"_s);
    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnHistoryRefresh"_s);
    QPushButton *save = makeButton(u"Save"_s, u"btnHistorySave"_s);
    QPushButton *saveChart = makeButton(u"Save Chart"_s, u"btnHistorySaveChart"_s);
    connect(create, &QPushButton::clicked, this, &THistoryPage::btnHistoryCreateClick);
    connect(remove, &QPushButton::clicked, this, &THistoryPage::btnHistoryRemoveClick);
    connect(refresh, &QPushButton::clicked, this, &THistoryPage::btnHistoryRefreshClick);
    connect(save, &QPushButton::clicked, this, &THistoryPage::btnHistorySaveClick);
    connect(saveChart, &QPushButton::clicked, this, &THistoryPage::btnHistorySaveChartClick);
    connect(m_quantity, &QComboBox::currentIndexChanged, this, &THistoryPage::showChart);

    auto *controls = new QWidget;
    auto *row = new QHBoxLayout(controls);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(u"Port :"_s));
    row->addWidget(m_port);
    row->addWidget(new QLabel(u"Interval (1...3600 s) :"_s));
    row->addWidget(m_interval);
    row->addWidget(new QLabel(u"Buckets (1...65535) :"_s));
    row->addWidget(m_bucketCount);
    row->addWidget(create);
    row->addWidget(remove);
    row->addStretch(1);
    row->addWidget(new QLabel(u"Chart :"_s));
    row->addWidget(m_quantity);
    row->addWidget(refresh);
    row->addWidget(save);
    row->addWidget(saveChart);
    return controls;
}

void THistoryPage::createChart()
{
    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignRight);
    auto *time = new QValueAxis;
    time->setTitleText(u"minutes"_s);
    time->setLabelFormat(u"%.0f"_s);
    auto *value = new QValueAxis;
    value->setLabelFormat(u"%.1f"_s);
    m_chart->addAxis(time, Qt::AlignBottom);
    m_chart->addAxis(value, Qt::AlignLeft);
    m_chartView = new QChartView(m_chart);
    m_chartView->setObjectName(u"chtHistory"_s);
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(180);
}

bool THistoryPage::busy() const
{
    return m_control->busy() || m_buckets->busy() || m_writer->busy();
}

void THistoryPage::btnHistoryRefreshClick()
{
    if (!m_buckets->busy())
        m_control->read();
}

quint32 THistoryPage::chosenEntry() const
{
    const QList<QTreeWidgetItem *> chosen = m_entries->selectedItems();
    return chosen.isEmpty() ? 0 : chosen.constFirst()->text(CtlIndex).toUInt();
}

void THistoryPage::showEntries()
{
    const quint32 chosen = m_created != 0 ? m_created : chosenEntry();
    m_created = 0;
    const QSignalBlocker blocker(m_entries);
    m_entries->clear();
    for (const QStringList &row : m_control->rows()) {
        auto *item = new QTreeWidgetItem(m_entries);
        item->setText(CtlIndex, row[CtlIndex]);
        item->setText(1, QString::number(PortOfDataSource(row[CtlSource])));
        item->setText(2, row[CtlInterval]);
        item->setText(3, row[CtlRequested]);
        item->setText(4, row[CtlGranted]);
        item->setText(5, row[CtlOwner]);
        item->setText(6, StatusText(row[CtlStatus].toInt()));
        for (int c = 0; c < 5; ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        item->setSelected(row[CtlIndex].toUInt() == chosen);
    }
    FitColumns(*m_entries);
    if (m_entries->selectedItems().isEmpty() && m_entries->topLevelItemCount() > 0)
        m_entries->topLevelItem(m_entries->topLevelItemCount() - 1)->setSelected(true);
    m_buckets->read();
}

void THistoryPage::showBuckets()
{
    m_bucketList->clear();
    for (const QStringList &bucket : BucketsOf(m_buckets->rows(), chosenEntry())) {
        auto *item = new QTreeWidgetItem(m_bucketList);
        const QStringList cells{bucket[BktSample],
                                QString::number(bucket[BktStart].toDouble() / 100.0, 'f', 0),
                                QString::number(bucket[BktUtilization].toDouble() / 100.0, 'f', 2),
                                bucket[BktOctets],
                                bucket[BktPackets],
                                bucket[BktBroadcast],
                                bucket[BktMulticast],
                                QString::number(BucketErrors(bucket)),
                                bucket[BktDrops],
                                bucket[BktCollisions]};
        for (int c = 0; c < cells.size(); ++c) {
            item->setText(c, cells[c]);
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    FitColumns(*m_bucketList);
    m_status->setText(u"Last read "_s + QTime::currentTime().toString(u"HH:mm:ss"_s));
    showChart();
    Q_EMIT refreshed();
}

// The chosen entry's buckets over time, the newest at 0.
void THistoryPage::showChart()
{
    m_chart->removeAllSeries();
    auto *time = static_cast<QValueAxis *>(m_chart->axes(Qt::Horizontal).constFirst());
    auto *value = static_cast<QValueAxis *>(m_chart->axes(Qt::Vertical).constFirst());
    const int quantity = m_quantity->currentIndex();
    const std::vector<QStringList> buckets = BucketsOf(m_buckets->rows(), chosenEntry());
    double highest = 0;
    double oldest = -1;
    if (!buckets.empty()) {
        auto *series = new QLineSeries;
        const QList<QTreeWidgetItem *> chosen = m_entries->selectedItems();
        series->setName(u"Port "_s + chosen.constFirst()->text(1) + u", every "_s
                        + chosen.constFirst()->text(2) + u" s"_s);
        const double newest = buckets.back()[BktStart].toDouble();
        for (const QStringList &bucket : buckets) {
            const double minutes = (bucket[BktStart].toDouble() - newest) / TicksPerMinute;
            const double y = BucketValue(bucket, quantity);
            series->append(minutes, y);
            highest = std::max(highest, y);
            oldest = std::min(oldest, minutes);
        }
        m_chart->addSeries(series);
        series->attachAxis(time);
        series->attachAxis(value);
    }
    time->setRange(oldest, 0);
    value->setRange(0, highest > 0 ? highest * 1.1 : 1);
    value->setTitleText(QString::fromLatin1(quantities[quantity]));
}

void THistoryPage::btnHistoryCreateClick()
{
    if (!checkEntry(isIntegerIn(m_interval->text().trimmed(), 1, IntervalMax),
                    m_interval,
                    u"The interval must be a whole number of seconds from 1 to 3600."_s)
        || !checkEntry(isIntegerIn(m_bucketCount->text().trimmed(), 1, BucketsMax),
                       m_bucketCount,
                       u"The buckets requested must be a whole number from 1 to 65535."_s))
        return;
    if (!m_control->hasBeenRead()) {
        ShowError(this, TableNotReadMessage);
        return;
    }
    std::vector<quint32> used;
    for (const QStringList &row : m_control->rows())
        used.push_back(row[CtlIndex].toUInt());
    const RmonRowValues columns{{CtlSource, DataSourceOfPort(m_port->currentText().toInt())},
                                {CtlRequested, m_bucketCount->text().trimmed()},
                                {CtlInterval, m_interval->text().trimmed()},
                                {CtlOwner, RmonOwner}};
    m_writing = u"The history entry could not be created: "_s;
    const quint32 index = FreeIndex(used);
    if (m_writer->write({index},
                        {{{CtlStatus, QString::number(EntryStatus::CreateRequest)}},
                         columns,
                         {{CtlStatus, QString::number(EntryStatus::Valid)}}},
                        {{CtlStatus, QString::number(EntryStatus::Invalid)}}))
        m_created = index;
    else
        ShowError(this, u"Another change is under way. Please wait."_s);
}

void THistoryPage::btnHistoryRemoveClick()
{
    const quint32 entry = chosenEntry();
    if (entry == 0) {
        ShowError(this, u"Please choose the history entry to remove."_s);
        return;
    }
    m_writing = u"The history entry could not be removed: "_s;
    if (!m_writer->write({entry}, {{{CtlStatus, QString::number(EntryStatus::Invalid)}}}))
        ShowError(this, u"Another change is under way. Please wait."_s);
}

void THistoryPage::entryWritten()
{
    Q_EMIT changed();
    btnHistoryRefreshClick();
}

void THistoryPage::showRefusal(const QString &message)
{
    m_created = 0;
    ShowError(this, m_writing + message);
}

KxListText THistoryPage::listText() const
{
    return ListTextOf(*m_bucketList, bucketColumns);
}

void THistoryPage::btnHistorySaveClick()
{
    saveList(this, listText());
}

void THistoryPage::btnHistorySaveChartClick()
{
    SaveChart(this, *m_chartView);
}

void THistoryPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    btnHistoryRefreshClick();
}
