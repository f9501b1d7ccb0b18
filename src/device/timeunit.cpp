#include "device/timeunit.h"

#include "binding/edits.h"
#include "binding/standardoptions.h"
#include "forms/dialogsupport.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "platform/radiogroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;
using enum KxFieldKind;

const KxOptionList timeSources{{0, "system"}, {1, "server1"}, {2, "server2"}};
const KxOptionList summerStates{{0, "disable"}, {1, "repeating"}, {2, "annual"}};
const KxOptionList summerOffsets{{30, "30"}, {60, "60"}};
const KxOptionList weeks{{1, "1st"}, {2, "2nd"}, {3, "3rd"}, {4, "4th"}, {0, "last"}};
const KxOptionList weekdays{
    {1, "Sun"}, {2, "Mon"}, {3, "Tues"}, {4, "Wed"}, {5, "Thur"}, {6, "Fri"}, {7, "Sat"}};
const KxOptionList months{{1, "Jan"},
                          {2, "Feb"},
                          {3, "Mar"},
                          {4, "Apr"},
                          {5, "May"},
                          {6, "Jun"},
                          {7, "Jul"},
                          {8, "Aug"},
                          {9, "Sep"},
                          {10, "Oct"},
                          {11, "Nov"},
                          {12, "Dec"}};

const char *const TimeZoneFormat = "%i{n-779x839l4}";
const char *const PollIntervalFormat = "%i{n30x99999l5}";
const char *const HourFormat = "%i{n0x23l2}";
const char *const MinuteFormat = "%i{n0x59l2}";
const char *const DayFormat = "%i{n1x31l2}";

const KxField systemTimeFields[] = {
    {{"1.3.6.1.4.1.88508.12.10.1", "Time Capacity", OctetStr, ReadOnly},
     "la_TimeCapacity",
     "Time Capacity :",
     Label},
    {{"1.3.6.1.4.1.88508.12.10.3", "Clock Lost On Reboot", Integer, ReadOnly, &TruthValueOptions},
     "la_ClockLostOnReboot",
     " Clock Lost On Reboot :",
     Label},
    {{"1.3.6.1.4.1.88508.12.10.10.1", "System Current Time", DisplayStr, ReadOnly},
     "la_SystemCurrentTime",
     "System Current Time :",
     Label},
    {{"1.3.6.1.4.1.88508.12.10.10.2", "System Up Time", DisplayStr, ReadOnly},
     "la_SystemUpTime",
     "System Up Time :",
     Label},
    {{"1.3.6.1.4.1.88508.12.10.10.3", "System Boot Time", DisplayStr, ReadOnly},
     "la_SystemBootTime",
     "  System Boot Time :",
     Label},
    {{"1.3.6.1.4.1.88508.12.10.10.4", "System Time Zone", Integer, ReadWrite},
     "ed_SystemTimeZone",
     " System Time Zone :",
     Edit,
     TimeZoneFormat,
     1,
     "(-779..839)"},
};

const KxField sntpFields[] = {
    {{"1.3.6.1.4.1.88508.12.10.11.1", "SNTP State", Integer, ReadWrite, &DisabledEnabledOptions},
     "rgp_SecurityAdmState",
     "SNTP State :",
     Radio,
     "%s",
     2},
    {{"1.3.6.1.4.1.88508.12.10.11.2", "SNTP Time Source", Integer, ReadOnly, &timeSources},
     "la_SNTPTimeSource",
     " SNTP Time Source :",
     Label},
    {{"1.3.6.1.4.1.88508.12.10.11.3", "SNTP Server1 IP Address", IpAddress, ReadWrite},
     "ed_SNTPServer1IPAddr",
     "SNTP Server1 IP Address :",
     Edit},
    {{"1.3.6.1.4.1.88508.12.10.11.4", "SNTP Server2 IP Address", IpAddress, ReadWrite},
     "ed_SNTPServer2IPAddr",
     "SNTP Server2 IP Address :",
     Edit},
    {{"1.3.6.1.4.1.88508.12.10.11.5", "SNTP Poll Interval", Integer, ReadWrite},
     "ed_SNTPPollInterval",
     " SNTP Poll Interval :",
     Edit,
     PollIntervalFormat,
     1,
     "(30..99999)"},
};

enum SummerVar { StatusVar, OffsetVar, RepeatStartVar, RepeatEndVar, AnnualStartVar, AnnualEndVar };
enum SummerRule { Disabled, Repeating, Annual };

const KxField summerTimeFields[] = {
    {{"1.3.6.1.4.1.88508.12.10.12.1", "Summer Time Status", Integer, ReadWrite, &summerStates},
     "rgpSummerTimeStatus",
     "Summer Time Status :",
     Radio,
     "%s",
     3},
    {{"1.3.6.1.4.1.88508.12.10.12.2", "Summer Time Offset", Integer, ReadWrite, &summerOffsets},
     "rgpSummerTimeOffert",
     "Summer Time Offset :",
     Radio,
     "%s",
     2},
    {{"1.3.6.1.4.1.88508.12.10.12.3", "Repeat Summer Time Start", OctetStr, ReadWrite}},
    {{"1.3.6.1.4.1.88508.12.10.12.4", "Repeat Summer Time End", OctetStr, ReadWrite}},
    {{"1.3.6.1.4.1.88508.12.10.12.5", "Annual Summer Time Start", OctetStr, ReadWrite}},
    {{"1.3.6.1.4.1.88508.12.10.12.6", "Annual Summer Time End", OctetStr, ReadWrite}},
};

// A page whose Apply first runs its entry checks.
class TCheckedPage final : public TBindingPage
{
public:
    using TBindingPage::TBindingPage;

    std::function<bool()> check;

    void applyPage() override
    {
        if (!check || check())
            applyBinding();
    }
};

// The binding fills the drop-down with the options of its part.
QComboBox *makeCombo(const QString &name)
{
    auto *combo = new QComboBox;
    combo->setObjectName(name);
    return combo;
}

QLineEdit *makePartEdit(const QString &name)
{
    QLineEdit *edit = makeEdit(name);
    edit->setMaximumWidth(40);
    return edit;
}

bool isEmpty(const QComboBox *combo)
{
    return combo->currentIndex() < 0;
}

bool isEmpty(const QLineEdit *edit)
{
    return edit->text().isEmpty();
}

// The days of a month, February with the leap day.
int daysIn(int month)
{
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 ? days[month - 1] : 31;
}

TBindingPage *makeSystemTimePage()
{
    auto *page
        = new TCheckedPage(u"ts_SystemTime"_s, u"System Time"_s, {519, 325}, systemTimeFields);
    page->layOutFields();
    page->check = [page] {
        return checkFormat(page->control<QLineEdit>("ed_SystemTimeZone"),
                           QString::fromLatin1(TimeZoneFormat));
    };
    return page;
}

TBindingPage *makeSntpPage()
{
    auto *page = new TCheckedPage(u"ts_SNTP"_s, u"SNTP"_s, {519, 325}, sntpFields);
    page->layOutFields();
    page->check = [page] {
        const auto address = [page](const char *name, const QString &field) {
            QLineEdit *edit = page->control<QLineEdit>(name);
            return checkEntry(isIPv4Address(edit->text()), edit, invalidAddressMessage(field));
        };
        return address("ed_SNTPServer1IPAddr", u"SNTP Server1 IP Address"_s)
               && address("ed_SNTPServer2IPAddr", u"SNTP Server2 IP Address"_s)
               && checkFormat(page->control<QLineEdit>("ed_SNTPPollInterval"),
                              QString::fromLatin1(PollIntervalFormat));
    };
    return page;
}

} // namespace

TSummerTimePage::TSummerTimePage()
    : TBindingPage(u"ts_SummerTime"_s, u"Summer Time"_s, {519, 325}, summerTimeFields)
{
    const auto repeating = [](const QString &end) {
        PointControls point;
        point.week = makeCombo(u"cb_RepeatWeekly"_s + end);
        point.weekday = makeCombo(u"cb_Repeatday"_s + end);
        point.month = makeCombo(u"cb_RepeatMonth"_s + end);
        point.hour = makePartEdit(u"ed_RepeatHour"_s + end);
        point.minute = makePartEdit(u"ed_RepeatMinute"_s + end);
        return point;
    };
    const auto annual = [](const QString &end) {
        PointControls point;
        point.day = makePartEdit(u"ed_Annualdata"_s + end);
        point.month = makeCombo(u"cb_AnnualMonth"_s + end);
        point.hour = makePartEdit(u"ed_AnnualHour"_s + end);
        point.minute = makePartEdit(u"ed_AnnualMininute"_s + end);
        return point;
    };
    m_repeatStart = repeating(u"Start"_s);
    m_repeatEnd = repeating(u"End"_s);
    m_annualStart = annual(u"Start"_s);
    m_annualEnd = annual(u"End"_s);

    auto *points = new QGridLayout;
    const auto addPoint
        = [&](const QString &caption, const PointControls &point, std::vector<QWidget *> &shown) {
              const int row = points->rowCount();
              auto *label = new QLabel(caption);
              points->addWidget(label, row, 0);
              shown.push_back(label);
              int column = 1;
              for (QWidget *part : std::initializer_list<QWidget *>{
                       point.day, point.week, point.weekday, point.month, point.hour}) {
                  if (!part)
                      continue;
                  points->addWidget(part, row, column++);
                  shown.push_back(part);
              }
              auto *colon = new QLabel(u":"_s);
              points->addWidget(colon, row, column++);
              points->addWidget(point.minute, row, column);
              shown.insert(shown.end(), {colon, point.minute});
          };
    addPoint(u" Repeat Summer Time Start :"_s, m_repeatStart, m_repeatWidgets);
    addPoint(u"Repeat Summer Time End :"_s, m_repeatEnd, m_repeatWidgets);
    addPoint(u" Annual Summer Time Start :"_s, m_annualStart, m_annualWidgets);
    addPoint(u"Annual Summer Time End :"_s, m_annualEnd, m_annualWidgets);
    points->setColumnStretch(7, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(control("rgpSummerTimeStatus"));
    layout->addWidget(control("rgpSummerTimeOffert"));
    layout->addLayout(points);
    layout->addStretch(1);

    connect(status(), &RadioGroup::itemIndexChanged, this, &TSummerTimePage::showRuleControls);
    connect(m_annualStart.month, &QComboBox::activated, this, [this] {
        annualMonthChosen(m_annualStart, true);
    });
    connect(m_annualEnd.month, &QComboBox::activated, this, [this] {
        annualMonthChosen(m_annualEnd, false);
    });
    showRuleControls();
}

RadioGroup *TSummerTimePage::status() const
{
    return control<RadioGroup>("rgpSummerTimeStatus");
}

void TSummerTimePage::bindExtraControls(KxSNMPRequest2Edits &binding)
{
    const QString hour = QString::fromLatin1(HourFormat);
    const QString minute = QString::fromLatin1(MinuteFormat);
    for (const auto &[var, point] :
         {std::pair{RepeatStartVar, &m_repeatStart}, std::pair{RepeatEndVar, &m_repeatEnd}}) {
        binding.BindPart(var, 0, UInt8, &weeks, point->week);
        binding.BindPart(var, 1, UInt16, &weekdays, point->weekday);
        binding.BindPart(var, 3, UInt8, &months, point->month);
        binding.BindPartEdit(var, 4, UInt8, nullptr, hour, point->hour);
        binding.BindPartEdit(var, 5, UInt8, nullptr, minute, point->minute);
    }
    for (const auto &[var, point] :
         {std::pair{AnnualStartVar, &m_annualStart}, std::pair{AnnualEndVar, &m_annualEnd}}) {
        binding.BindPartEdit(var, 0, UInt8, nullptr, QString::fromLatin1(DayFormat), point->day);
        binding.BindPart(var, 1, UInt8, &months, point->month);
        binding.BindPartEdit(var, 2, UInt8, nullptr, hour, point->hour);
        binding.BindPartEdit(var, 3, UInt8, nullptr, minute, point->minute);
    }
}

void TSummerTimePage::usePointsOf(int rule)
{
    KxSNMPVarList &vars = binding().varList();
    for (int var = RepeatStartVar; var <= AnnualEndVar; ++var) {
        const bool used = (rule == Repeating && var <= RepeatEndVar)
                          || (rule == Annual && var >= AnnualStartVar);
        if (used)
            vars.Item(var).access &= ~KxAccess::Invalid;
        else
            vars.Item(var).access |= KxAccess::Invalid;
    }
}

// Reads status and offset, then the points of the rule in force.
void TSummerTimePage::showPage()
{
    usePointsOf(-1);
    refreshBinding();
    const int rule = status()->itemIndex();
    if (rule == Repeating || rule == Annual) {
        usePointsOf(rule);
        refreshBinding();
    }
    showRuleControls();
}

void TSummerTimePage::showRuleControls()
{
    const int rule = status()->itemIndex();
    for (QWidget *each : m_repeatWidgets)
        each->setVisible(rule == Repeating);
    for (QWidget *each : m_annualWidgets)
        each->setVisible(rule == Annual);
}

void TSummerTimePage::applyPage()
{
    const int rule = status()->itemIndex();
    if (rule < 0)
        return;
    if (rule == Repeating && !checkRepeating())
        return;
    if (rule == Annual && !checkAnnual())
        return;
    usePointsOf(rule);
    applyBinding();
}

bool TSummerTimePage::checkRepeating() const
{
    const QString hour = QString::fromLatin1(HourFormat);
    const QString minute = QString::fromLatin1(MinuteFormat);
    for (const auto &[point, which] :
         {std::pair{&m_repeatStart, u"Start"_s}, std::pair{&m_repeatEnd, u"End"_s}}) {
        const QString &end = which;
        const auto filled = [&end](bool isFilled, QWidget *control, const QString &what) {
            return checkEntry(
                isFilled, control, u"Please select Repeat Summer Time %1 %2!"_s.arg(end, what));
        };
        if (!filled(!isEmpty(point->month), point->month, u"Month"_s)
            || !filled(!isEmpty(point->week), point->week, u"Weekly"_s)
            || !filled(!isEmpty(point->weekday), point->weekday, u"Day"_s)
            || !filled(!isEmpty(point->hour), point->hour, u"hour"_s)
            || !filled(!isEmpty(point->minute), point->minute, u"minute"_s))
            return false;
    }
    for (const PointControls *point : {&m_repeatStart, &m_repeatEnd}) {
        if (!checkFormat(point->hour, hour) || !checkFormat(point->minute, minute))
            return false;
    }
    return true;
}

bool TSummerTimePage::checkAnnual() const
{
    const QString hour = QString::fromLatin1(HourFormat);
    const QString minute = QString::fromLatin1(MinuteFormat);
    for (const auto &[point, which] :
         {std::pair{&m_annualStart, u"Start"_s}, std::pair{&m_annualEnd, u"End"_s}}) {
        const QString &end = which;
        const auto filled = [&end](bool isFilled, QWidget *control, const QString &what) {
            return checkEntry(
                isFilled, control, u"Please select Annual Summer Time %1 %2!"_s.arg(end, what));
        };
        if (!filled(!isEmpty(point->day), point->day, u"Date"_s)
            || !filled(!isEmpty(point->month), point->month, u"Month"_s)
            || !filled(!isEmpty(point->hour), point->hour, u"hour"_s)
            || !filled(!isEmpty(point->minute), point->minute, u"minute"_s))
            return false;
    }
    return checkAnnualDay(m_annualStart, true) && checkAnnualDay(m_annualEnd, false)
           && checkFormat(m_annualStart.hour, hour) && checkFormat(m_annualStart.minute, minute)
           && checkFormat(m_annualEnd.hour, hour) && checkFormat(m_annualEnd.minute, minute);
}

// The day of an annual point must exist in its month.
bool TSummerTimePage::checkAnnualDay(const PointControls &point, bool start) const
{
    const int month = point.month->currentIndex() + 1;
    if (isIntegerIn(point.day->text(), 1, daysIn(month)))
        return true;
    QString message = u"Please input right Annual Summer Time End date!"_s;
    if (start)
        message = month == 2 ? u"Please input right Annual Summer Time Start date!"_s
                             : u"Please input right Summer Time Start date!"_s;
    return checkEntry(false, point.day, message);
}

// A month chosen after the day: a day the month does not have is emptied.
void TSummerTimePage::annualMonthChosen(const PointControls &point, bool start)
{
    if (isEmpty(point.day))
        return;
    if (!checkAnnualDay(point, start))
        point.day->clear();
}

Tfrm_Time::Tfrm_Time(QWidget *parent)
    : QDialog(parent)
    , m_pages(new QTabWidget)
{
    setObjectName(u"frm_Time"_s);
    setWindowTitle(u"Time Information"_s);
    m_pages->setObjectName(u"pgc_Time"_s);
    m_pageList = {makeSystemTimePage(), makeSntpPage(), new TSummerTimePage};
    const QString prefixes[] = {u"SystemTime"_s, u"SNTP"_s, u"SummerTime"_s};
    for (size_t i = 0; i < m_pageList.size(); ++i)
        m_pages->addTab(withButtons(m_pageList[i], prefixes[i]), m_pageList[i]->caption());
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    resize(519, 325);
}

TBindingPage *Tfrm_Time::page(int index) const
{
    return m_pageList.at(static_cast<size_t>(index));
}

QWidget *Tfrm_Time::withButtons(TBindingPage *page, const QString &prefix)
{
    QPushButton *apply = makeButton(u"Apply"_s, u"btn"_s + prefix + u"Apply"_s);
    QPushButton *refresh = makeButton(u"Refresh"_s, u"btn"_s + prefix + u"Refresh"_s);
    QPushButton *close = makeButton(u"Close"_s, u"btn"_s + prefix + u"Close"_s);
    QPushButton *help = makeButton(u"Help"_s, u"btn"_s + prefix + u"Help"_s);
    help->setEnabled(false);
    connect(apply, &QPushButton::clicked, page, &TBindingPage::applyPage);
    connect(refresh, &QPushButton::clicked, page, &TBindingPage::showPage);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *sheet = new QWidget;
    auto *layout = new QVBoxLayout(sheet);
    layout->addWidget(page, 1);
    layout->addLayout(makeButtonBar({apply, refresh, close, help}));
    return sheet;
}

// Every page is read once the window is on the screen.
void Tfrm_Time::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_created)
        return;
    m_created = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            for (TBindingPage *each : m_pageList)
                each->showPage();
        },
        Qt::QueuedConnection);
}
