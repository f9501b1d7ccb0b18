#include "security/ieee802dot1xinfoedit.h"

#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "platform/radiogroup.h"
#include "security/dot1xobjects.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

using namespace Qt::StringLiterals;

namespace {

constexpr int EnabledItem = 0;
constexpr int DisabledItem = 1;

// The item of the cell's text among the items, ignoring case; -1 for none.
int itemOf(const QStringList &items, const QString &cell)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(cell, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

RadioGroup *makeGroup(const QString &title, const QString &name, const QStringList &items)
{
    RadioGroup *group = makeRadioGroup(title, name);
    group->setItems(items);
    return group;
}

} // namespace

TIEEE802dot1XInfoEditForm::TIEEE802dot1XInfoEditForm(QTreeWidget &list,
                                                     Dot1xGlobalTexts globals,
                                                     QWidget *parent)
    : QDialog(parent)
    , m_list(list)
    , m_globals(std::move(globals))
    , m_state(makeLabel(QString(), u"lblIEEE802dot1xStateValue"_s))
    , m_mode(makeLabel(QString(), u"lblAuthModeValue"_s))
    , m_protocol(makeLabel(QString(), u"lblAuthProtocolValue"_s))
    , m_ports(makeLabel(QString(), u"lblPortsValue"_s))
    , m_open(makeLabel(QString(), u"lblOpen"_s))
    , m_direction(makeGroup(u"Administrative Controlled Direction "_s,
                            u"rgpIEEE802dot1XStatus"_s,
                            {u"Both"_s, u"In"_s}))
    , m_portControl(makeGroup(u"Port Control "_s,
                              u"rgpPortControl"_s,
                              {u"ForceUnauthorized"_s, u"Auto"_s, u"ForceAuthorized"_s}))
    , m_reauth(makeGroup(
          u"ReAuthentication State "_s, u"rgpReauthStatus"_s, {u"Enabled"_s, u"Disabled"_s}))
    , m_quietPeriod(makeEdit(u"edtQuietPeriod"_s))
    , m_txPeriod(makeEdit(u"edtTxPeriod"_s))
    , m_suppTimeout(makeEdit(u"edtSuppTimeout"_s))
    , m_serverTimeout(makeEdit(u"edtServerTimeout"_s))
    , m_maxReq(makeEdit(u"edtMaxReq"_s))
    , m_reAuthPeriod(makeEdit(u"edtReAuthPeriod"_s))
{
    setObjectName(u"IEEE802dot1XInfoEditForm"_s);
    setWindowTitle(u"Config 802.1X Information"_s);
    m_quietPeriod->setToolTip(u"Integer [0..65535]"_s);
    for (QLineEdit *edit : {m_txPeriod, m_suppTimeout, m_serverTimeout, m_reAuthPeriod})
        edit->setToolTip(u"Integer [1..65535]"_s);
    m_maxReq->setToolTip(u"Integer [1..10]"_s);

    auto *values = new QGridLayout;
    addGridRow(values, u"802.1X State : "_s, m_state);
    addGridRow(values, u"Authentication Mode : "_s, m_mode);
    addGridRow(values, u"Authentication Protocol : "_s, m_protocol);
    addGridRow(values, u"Port(s) : "_s, m_ports);
    addGridRow(values, u"Open Controlled Direction : "_s, m_open);
    auto *numbers = new QGridLayout;
    addGridRow(numbers, u"Quiet Period : "_s, m_quietPeriod);
    addGridRow(numbers, u"Tx Period : "_s, m_txPeriod);
    addGridRow(numbers, u"SuppTimeout : "_s, m_suppTimeout);
    addGridRow(numbers, u"ServerTimeout : "_s, m_serverTimeout);
    addGridRow(numbers, u"MaxReq : "_s, m_maxReq);
    addGridRow(numbers, u"ReAuthentication Period : "_s, m_reAuthPeriod);
    auto *groups = new QVBoxLayout;
    groups->addWidget(m_direction);
    groups->addWidget(m_portControl);
    groups->addWidget(m_reauth);
    auto *middle = new QHBoxLayout;
    middle->addLayout(groups);
    middle->addLayout(numbers);

    QPushButton *apply = makeButton(u"Apply"_s, u"btnApply"_s);
    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnRefresh"_s);
    QPushButton *close = makeCloseButton(this);
    QPushButton *help = makeHelpButton();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(values);
    layout->addLayout(middle);
    layout->addStretch(1);
    layout->addLayout(makeButtonBar({apply, refresh, close, help}));

    connect(apply, &QPushButton::clicked, this, &TIEEE802dot1XInfoEditForm::btnApplyClick);
    connect(refresh, &QPushButton::clicked, this, &TIEEE802dot1XInfoEditForm::FormShow);
    FormShow();
}

void TIEEE802dot1XInfoEditForm::clear()
{
    m_ports->setText(u"0"_s);
    m_open->clear();
    for (RadioGroup *group : {m_direction, m_portControl, m_reauth})
        group->setItemIndex(-1);
    for (QLineEdit *edit :
         {m_quietPeriod, m_txPeriod, m_suppTimeout, m_serverTimeout, m_maxReq, m_reAuthPeriod})
        edit->clear();
    m_state->setText(m_globals.state);
    m_mode->setText(m_globals.mode);
    m_protocol->setText(m_globals.protocol);
}

void TIEEE802dot1XInfoEditForm::FormShow()
{
    clear();
    bool first = true;
    for (int i = 0; i < m_list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = m_list.topLevelItem(i);
        if (!row->isSelected())
            continue;
        if (first)
            fillFrom(*row);
        else
            m_ports->setText(m_ports->text() + u',' + row->text(ConfigPortColumn));
        first = false;
    }
}

void TIEEE802dot1XInfoEditForm::fillFrom(const QTreeWidgetItem &row)
{
    m_ports->setText(row.text(ConfigPortColumn));
    m_direction->setItemIndex(itemOf(m_direction->items(), row.text(AdminDirectionColumn)));
    m_open->setText(row.text(OperDirectionColumn));
    m_portControl->setItemIndex(itemOf(m_portControl->items(), row.text(PortControlColumn)));
    const QString reauth = row.text(ReAuthEnabledColumn);
    if (reauth.compare(u"true"_s, Qt::CaseInsensitive) == 0)
        m_reauth->setItemIndex(EnabledItem);
    else if (reauth.compare(u"false"_s, Qt::CaseInsensitive) == 0)
        m_reauth->setItemIndex(DisabledItem);
    m_quietPeriod->setText(row.text(QuietPeriodColumn));
    m_txPeriod->setText(row.text(TxPeriodColumn));
    m_suppTimeout->setText(row.text(SuppTimeoutColumn));
    m_serverTimeout->setText(row.text(ServerTimeoutColumn));
    m_maxReq->setText(row.text(MaxReqColumn));
    m_reAuthPeriod->setText(row.text(ReAuthPeriodColumn));
}

bool TIEEE802dot1XInfoEditForm::checkInput()
{
    return checkInteger(m_quietPeriod, u"Quiet Period"_s, 0, 65535)
           && checkInteger(m_txPeriod, u"Tx Period"_s, 1, 65535)
           && checkInteger(m_suppTimeout, u"SuppTimeout"_s, 1, 65535)
           && checkInteger(m_serverTimeout, u"ServerTimeout"_s, 1, 65535)
           && checkInteger(m_maxReq, u"MaxReq"_s, 1, 10)
           && checkInteger(m_reAuthPeriod, u"ReAuthentication Period"_s, 1, 65535);
}

// Every selected row gets the same values; a group without a selection
// leaves its cell unchanged.
void TIEEE802dot1XInfoEditForm::btnApplyClick()
{
    if (!checkInput())
        return;
    const std::array<std::pair<AuthConfigColumn, QLineEdit *>, 6> numbers{{
        {QuietPeriodColumn, m_quietPeriod},
        {TxPeriodColumn, m_txPeriod},
        {SuppTimeoutColumn, m_suppTimeout},
        {ServerTimeoutColumn, m_serverTimeout},
        {MaxReqColumn, m_maxReq},
        {ReAuthPeriodColumn, m_reAuthPeriod},
    }};
    const int direction = m_direction->itemIndex();
    const int control = m_portControl->itemIndex();
    const int reauth = m_reauth->itemIndex();
    for (QTreeWidgetItem *row : m_list.selectedItems()) {
        if (direction >= 0)
            row->setText(AdminDirectionColumn, ControlledDirectionOptions.Item(direction).text);
        if (control >= 0)
            row->setText(PortControlColumn, PortControlOptions.Item(control).text);
        for (const auto &[column, edit] : numbers)
            row->setText(column, QString::number(edit->text().toLongLong()));
        if (reauth >= 0)
            row->setText(ReAuthEnabledColumn, reauth == EnabledItem ? u"true"_s : u"false"_s);
    }
    accept();
}
