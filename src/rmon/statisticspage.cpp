#include "rmon/statisticspage.h"

#include "rmon/portstatistics.h"
#include "rmon/rmonwidgets.h"
#include "rmon/statisticspoller.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
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

constexpr int PortColumn = 0;
constexpr int UtilizationColumn = 1;
constexpr int FirstCounterColumn = 2;
constexpr int DefaultIntervalIndex = 1;
constexpr int ChartedWhenNoneSelected = 3;
constexpr double ChartSeconds = 300;
constexpr double MinimumChartSeconds = 10;

const QList<KxTextColumn> columns = {
    {u"Port"_s, 5, true},        {u"Util. %"_s, 8, true},    {u"Drops"_s, 8, true},
    {u"Octets"_s, 12, true},     {u"Packets"_s, 11, true},   {u"Broadcast"_s, 10, true},
    {u"Multicast"_s, 10, true},  {u"CRC/Align"_s, 10, true}, {u"Undersize"_s, 10, true},
    {u"Oversize"_s, 9, true},    {u"Fragments"_s, 10, true}, {u"Jabbers"_s, 8, true},
    {u"Collisions"_s, 10, true}, {u"64"_s, 10, true},        {u"65-127"_s, 10, true},
    {u"128-255"_s, 10, true},    {u"256-511"_s, 10, true},   {u"512-1023"_s, 10, true},
    {u"1024-1518"_s, 10, true},
};

const std::pair<const char *, int> intervals[]
    = {{"1 s", 1}, {"2 s", 2}, {"5 s", 5}, {"10 s", 10}, {"30 s", 30}};

enum Quantity { UtilizationQuantity, OctetsQuantity, PacketsQuantity, ErrorsQuantity };
const char *const quantities[] = {"Utilization %", "Octets/s", "Packets/s", "Errors/s"};
const char *const units[] = {"%", "octets/s", "packets/s", "errors/s"};

std::optional<double> SampleValue(const RateSample &sample, int quantity)
{
    switch (quantity) {
    case OctetsQuantity:
        return sample.octets;
    case PacketsQuantity:
        return sample.packets;
    case ErrorsQuantity:
        return sample.errors;
    default:
        return sample.utilization;
    }
}

QString UtilizationText(const std::optional<double> &utilization)
{
    return utilization ? QString::number(*utilization, 'f', 2) : u"-"_s;
}

// Whole numbers, but rare events (errors) keep a decimal.
QString RateText(const std::optional<double> &rate)
{
    if (!rate)
        return u"-"_s;
    return QString::number(*rate, 'f', *rate < 10 ? 1 : 0);
}

} // namespace

TStatisticsPage::TStatisticsPage(QWidget *parent)
    : QWidget(parent)
    , m_poller(new StatisticsPoller(this))
    , m_timer(new QTimer(this))
{
    m_list = ReportList(u"lvwStatistics"_s, columns);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->header()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    createChart();

    auto *splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(m_list);
    splitter->addWidget(m_chartView);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    m_status = new QLabel;
    m_status->setObjectName(u"stxStatisticsStatus"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(createControls());
    layout->addWidget(splitter, 1);
    layout->addWidget(m_status);

    connect(m_poller, &StatisticsPoller::polled, this, &TStatisticsPage::showStatistics);
    connect(m_poller, &StatisticsPoller::failed, this, &TStatisticsPage::showFailure);
    connect(m_timer, &QTimer::timeout, m_poller, &StatisticsPoller::poll);
    connect(m_poller, &StatisticsPoller::created, this, &TStatisticsPage::rowCreated);
    connect(m_poller, &StatisticsPoller::creationFailed, this, &TStatisticsPage::creationFailed);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &TStatisticsPage::showChart);
    intervalChanged();
    m_poller->poll();
}

// The poller goes first: its requests may process events while they wait for
// a poll under way, and the page must still be whole then.
TStatisticsPage::~TStatisticsPage()
{
    delete m_poller;
}

QWidget *TStatisticsPage::createControls()
{
    QStringList intervalTexts;
    for (const auto &[text, seconds] : intervals)
        intervalTexts << QString::fromLatin1(text);
    QStringList quantityTexts;
    for (const char *text : quantities)
        quantityTexts << QString::fromLatin1(text);
    m_show = makeCombo(u"cbxStatisticsShow"_s, {u"Totals"_s, u"Rates per second"_s}, 1);
    m_interval = makeCombo(u"cbxStatisticsInterval"_s, intervalTexts, DefaultIntervalIndex);
    m_quantity = makeCombo(u"cbxStatisticsChart"_s, quantityTexts, UtilizationQuantity);
    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnStatisticsRefresh"_s);
    QPushButton *save = makeButton(u"Save"_s, u"btnStatisticsSave"_s);
    QPushButton *saveChart = makeButton(u"Save Chart"_s, u"btnStatisticsSaveChart"_s);
    m_missing = makeCombo(u"cbxStatisticsMissingPort"_s, {}, -1);
    m_missing->setToolTip(u"Ports without a statistics row"_s);
    m_create = makeButton(u"Create Row"_s, u"btnStatisticsCreate"_s);
    m_create->setEnabled(false);
    connect(m_show, &QComboBox::currentIndexChanged, this, [this] {
        m_columnFits = 1;
        showStatistics();
    });
    connect(m_interval, &QComboBox::currentIndexChanged, this, &TStatisticsPage::intervalChanged);
    connect(m_quantity, &QComboBox::currentIndexChanged, this, &TStatisticsPage::showChart);
    connect(refresh, &QPushButton::clicked, this, &TStatisticsPage::btnStatisticsRefreshClick);
    connect(save, &QPushButton::clicked, this, &TStatisticsPage::btnStatisticsSaveClick);
    connect(saveChart, &QPushButton::clicked, this, &TStatisticsPage::btnStatisticsSaveChartClick);
    connect(m_create, &QPushButton::clicked, this, &TStatisticsPage::btnStatisticsCreateClick);

    auto *controls = new QWidget;
    auto *row = new QHBoxLayout(controls);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(u"Show :"_s));
    row->addWidget(m_show);
    row->addWidget(new QLabel(u"Poll every :"_s));
    row->addWidget(m_interval);
    row->addWidget(new QLabel(u"Chart :"_s));
    row->addWidget(m_quantity);
    row->addStretch(1);
    row->addWidget(new QLabel(u"Port without row :"_s));
    row->addWidget(m_missing);
    row->addWidget(m_create);
    row->addWidget(refresh);
    row->addWidget(save);
    row->addWidget(saveChart);
    return controls;
}

void TStatisticsPage::createChart()
{
    m_chart = new QChart;
    m_chart->legend()->setAlignment(Qt::AlignRight);
    auto *time = new QValueAxis;
    time->setRange(-ChartSeconds, 0);
    time->setTitleText(u"seconds"_s);
    time->setLabelFormat(u"%d"_s);
    auto *value = new QValueAxis;
    value->setLabelFormat(u"%.1f"_s);
    m_chart->addAxis(time, Qt::AlignBottom);
    m_chart->addAxis(value, Qt::AlignLeft);
    m_chartView = new QChartView(m_chart);
    m_chartView->setObjectName(u"chtStatistics"_s);
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartView->setMinimumHeight(180);
}

void TStatisticsPage::intervalChanged()
{
    m_timer->start(intervals[m_interval->currentIndex()].second * 1000);
}

void TStatisticsPage::btnStatisticsRefreshClick()
{
    m_poller->poll();
}

void TStatisticsPage::showStatistics()
{
    const auto &rows = m_poller->statistics().rows();
    for (auto it = m_items.begin(); it != m_items.end();) {
        if (rows.contains(it->first)) {
            ++it;
            continue;
        }
        delete it->second;
        it = m_items.erase(it);
    }
    for (const auto &[index, row] : rows) {
        QTreeWidgetItem *&item = m_items[index];
        if (!item) {
            item = new QTreeWidgetItem;
            for (int c = 0; c < columns.size(); ++c)
                item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
            const auto after = m_items.upper_bound(index);
            const int at = after == m_items.end() ? m_list->topLevelItemCount()
                                                  : m_list->indexOfTopLevelItem(after->second);
            m_list->insertTopLevelItem(at, item);
        }
        showRow(*item, row);
    }
    // Fitting the columns on every change would measure every cell each poll:
    // they are fitted to the first rates and again when the view changes.
    if (m_columnFits < 2 && !rows.empty()) {
        for (int c = 0; c < columns.size(); ++c)
            m_list->resizeColumnToContents(c);
        ++m_columnFits;
    }
    m_status->setText(u"Last poll "_s + QTime::currentTime().toString(u"HH:mm:ss"_s));
    showChart();
    showMissingPorts();
}

void TStatisticsPage::showRow(QTreeWidgetItem &item, const StatisticsRow &row) const
{
    const bool rates = m_show->currentIndex() == 1;
    item.setText(PortColumn, QString::number(row.port));
    item.setText(UtilizationColumn, UtilizationText(row.utilization));
    for (int c = 0; c < EtherCounterCount; ++c) {
        item.setText(FirstCounterColumn + c,
                     rates ? RateText(row.rates[c]) : QString::number(row.totals[c]));
    }
}

std::vector<quint32> TStatisticsPage::chartedRows() const
{
    std::vector<quint32> charted;
    for (const auto &[index, item] : m_items) {
        if (item->isSelected())
            charted.push_back(index);
    }
    if (!charted.empty())
        return charted;
    // Without a selection the busiest ports are charted.
    std::vector<std::pair<double, quint32>> busiest;
    for (const auto &[index, row] : m_poller->statistics().rows())
        busiest.emplace_back(row.utilization.value_or(0), index);
    std::sort(busiest.rbegin(), busiest.rend());
    for (size_t i = 0; i < busiest.size() && i < ChartedWhenNoneSelected; ++i)
        charted.push_back(busiest[i].second);
    std::sort(charted.begin(), charted.end());
    return charted;
}

// Each port is one line; a gap (a counter that started again) breaks it into
// segments of the same colour.
void TStatisticsPage::showChart()
{
    m_chart->removeAllSeries();
    const int quantity = m_quantity->currentIndex();
    const auto &rows = m_poller->statistics().rows();
    auto *time = static_cast<QValueAxis *>(m_chart->axes(Qt::Horizontal).constFirst());
    auto *value = static_cast<QValueAxis *>(m_chart->axes(Qt::Vertical).constFirst());
    const double now = m_poller->clock();
    double highest = 0;
    double oldest = now;
    int colour = 0;
    for (quint32 index : chartedRows()) {
        const StatisticsRow &row = rows.at(index);
        const QColor pen = QColor::fromHsv((colour++ * 67) % 360, 200, 200);
        QLineSeries *segment = nullptr;
        bool named = false;
        for (const RateSample &sample : row.recent) {
            const std::optional<double> y = SampleValue(sample, quantity);
            if (!y) {
                segment = nullptr;
                continue;
            }
            if (!segment) {
                segment = new QLineSeries;
                segment->setColor(pen);
                m_chart->addSeries(segment);
                segment->attachAxis(time);
                segment->attachAxis(value);
                if (!named)
                    segment->setName(u"Port "_s + QString::number(row.port));
                else
                    m_chart->legend()->markers(segment).constFirst()->setVisible(false);
                named = true;
            }
            segment->append(sample.seconds - now, *y);
            highest = std::max(highest, *y);
            oldest = std::min(oldest, sample.seconds);
        }
    }
    time->setRange(-std::clamp(now - oldest, MinimumChartSeconds, ChartSeconds), 0);
    value->setRange(0, highest > 0 ? highest * 1.1 : 1);
    value->setTitleText(QString::fromLatin1(units[quantity]));
}

KxListText TStatisticsPage::listText() const
{
    return ListTextOf(*m_list, columns);
}

void TStatisticsPage::btnStatisticsSaveClick()
{
    saveList(this, listText());
}

void TStatisticsPage::btnStatisticsSaveChartClick()
{
    SaveChart(this, *m_chartView);
}

void TStatisticsPage::btnStatisticsCreateClick()
{
    if (m_missing->count() == 0)
        return;
    if (!m_poller->createRow(m_missing->currentText().toInt()))
        ShowError(this,
                  u"The switch is being read or a row created. Please try again in a moment."_s);
}

void TStatisticsPage::showMissingPorts()
{
    const QString chosen = m_missing->currentText();
    m_missing->clear();
    for (int port : m_poller->portsWithoutRow())
        m_missing->addItem(QString::number(port));
    m_missing->setCurrentIndex(std::max(0, m_missing->findText(chosen)));
    m_create->setEnabled(m_missing->count() > 0);
}

void TStatisticsPage::rowCreated()
{
    m_status->setText(u"Statistics row created."_s);
    m_poller->poll();
}

void TStatisticsPage::creationFailed(const QString &message)
{
    ShowError(this, u"The statistics row could not be created: "_s + message);
}

void TStatisticsPage::showFailure(const QString &message)
{
    m_status->setText(message);
}
