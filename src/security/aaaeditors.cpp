#include "security/aaaeditors.h"

#include "forms/dialogsupport.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "platform/radiogroup.h"
#include "security/aaatables.h"
#include "snmp/conversions.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

enum Protocol { Tacacs = 1, Xtacacs, TacacsPlus, Radius };

constexpr int MaxKeyLength = 254;
constexpr int MaxGroupNameLength = 15;

bool hasKey(int protocol)
{
    return protocol == TacacsPlus || protocol == Radius;
}

bool hasRetries(int protocol)
{
    return protocol != TacacsPlus;
}

QString canonicalNumber(const QLineEdit *edit)
{
    return QString::number(edit->text().toLongLong());
}

// Apply, Refresh (when given), Close and the disabled Help, closing on Close.
QHBoxLayout *editorButtons(QDialog *editor, QPushButton *apply, QPushButton *refresh = nullptr)
{
    QPushButton *close = makeButton(u"Close"_s, u"btnClose"_s);
    QPushButton *help = makeHelpButton();
    QObject::connect(close, &QPushButton::clicked, editor, &QDialog::reject);
    if (refresh)
        return makeButtonBar({apply, refresh, close, help});
    return makeButtonBar({apply, close, help});
}

// A group name goes into instance identifiers one character each: printable
// ASCII only, no blanks.
bool isGroupName(const QString &name)
{
    return !name.isEmpty() && name.size() <= MaxGroupNameLength
           && std::all_of(name.begin(), name.end(), [](QChar c) {
                  return c.unicode() > 0x20 && c.unicode() < 0x7F;
              });
}

} // namespace

TAAAInfoEditServerHostForm::TAAAInfoEditServerHostForm(QTreeWidget &hosts,
                                                       bool adding,
                                                       QWidget *parent)
    : QDialog(parent)
    , m_hosts(hosts)
    , m_adding(adding)
    , m_ip(makeEdit(u"edtIP"_s))
    , m_protocol(makeRadioGroup(u" Authentication Protocol "_s, u"rgpAuthProtocol"_s, 4))
    , m_port(makeEdit(u"edtPort"_s))
    , m_key(makeEdit(u"edtKey"_s))
    , m_timeout(makeEdit(u"edtTimeout"_s))
    , m_retry(makeEdit(u"edtRetryCount"_s))
{
    setObjectName(u"AAAInfoEditServerHostForm"_s);
    setWindowTitle(adding ? u"TACACS Information Add"_s : u"TACACS Information Edit"_s);
    m_protocol->setItems({u"TACACS"_s, u"XTACACS"_s, u"TACACS+"_s, u"Radius"_s});
    QPushButton *apply = makeButton(u"Apply"_s, u"btnApply"_s);
    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnRefresh"_s);
    refresh->setEnabled(!adding);

    auto *grid = new QGridLayout;
    addGridRow(grid, u"IP Address"_s, m_ip);
    grid->addWidget(m_protocol, grid->rowCount(), 0, 1, 3);
    addGridRow(grid, u"Port"_s, m_port, new QLabel(u"Integer [1..65535]"_s));
    addGridRow(grid, u"Key"_s, m_key, new QLabel(u"String <254>"_s));
    addGridRow(grid, u"Timeout"_s, m_timeout, new QLabel(u"Integer [1..255]"_s));
    addGridRow(grid, u"Retry Count"_s, m_retry, new QLabel(u"Integer [1..255]"_s));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(editorButtons(this, apply, refresh));

    connect(apply, &QPushButton::clicked, this, &TAAAInfoEditServerHostForm::btnApplyClick);
    connect(refresh, &QPushButton::clicked, this, &TAAAInfoEditServerHostForm::fillFromRow);
    if (adding) {
        m_timeout->setText(u"5"_s);
        connect(m_protocol,
                &RadioGroup::itemIndexChanged,
                this,
                &TAAAInfoEditServerHostForm::protocolChosen);
    } else {
        m_ip->setEnabled(false);
        m_protocol->setEnabled(false);
        fillFromRow();
    }
}

// A protocol brings its port and retry count, and the boxes it uses.
void TAAAInfoEditServerHostForm::protocolChosen(int index)
{
    const int protocol = index + 1;
    m_key->setEnabled(hasKey(protocol));
    m_retry->setEnabled(hasRetries(protocol));
    m_port->setText(protocol == Radius ? u"1812"_s : u"49"_s);
    if (hasRetries(protocol))
        m_retry->setText(u"2"_s);
}

void TAAAInfoEditServerHostForm::fillFromRow()
{
    const QTreeWidgetItem *row = m_hosts.currentItem();
    if (!row)
        return;
    m_ip->setText(row->text(HostIp));
    m_protocol->setItemIndex(ProtocolNumber(row->text(HostProtocol)) - 1);
    m_port->setText(row->text(HostPort));
    m_key->setText(row->text(HostKey));
    m_timeout->setText(row->text(HostTimeout));
    m_retry->setText(row->text(HostRetry));
    const int protocol = m_protocol->itemIndex() + 1;
    m_key->setEnabled(hasKey(protocol));
    m_retry->setEnabled(hasRetries(protocol));
}

// Addresses are compared as numbers: the check allows no other spelling.
bool TAAAInfoEditServerHostForm::isKnownHost() const
{
    const QString protocol = m_protocol->items().value(m_protocol->itemIndex());
    for (int i = 0; i < m_hosts.topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = m_hosts.topLevelItem(i);
        if (row->text(HostIp) == m_ip->text()
            && row->text(HostProtocol).compare(protocol, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool TAAAInfoEditServerHostForm::entriesValid()
{
    if (m_adding
        && (!checkHostAddress(m_ip, u"IP Address"_s)
            || !checkEntry(m_protocol->itemIndex() >= 0,
                           m_protocol,
                           unchosenFieldMessage(u"Authentication Protocol"_s))
            || !checkEntry(
                !isKnownHost(), m_ip, u"Has existed a record with the same IP and Protocol."_s)))
        return false;
    const int protocol = m_protocol->itemIndex() + 1;
    return checkInteger(m_port, u"Port"_s, 1, 65535)
           && (!hasKey(protocol) || checkString(m_key, u"Key"_s, {false, MaxKeyLength, true}))
           && checkInteger(m_timeout, u"Timeout"_s, 1, 255)
           && (!hasRetries(protocol) || checkInteger(m_retry, u"Retry Count"_s, 1, 255));
}

void TAAAInfoEditServerHostForm::btnApplyClick()
{
    if (!entriesValid())
        return;
    const int protocol = m_protocol->itemIndex() + 1;
    if (m_adding) {
        auto *row = new QTreeWidgetItem(QStringList{m_ip->text(),
                                                    m_protocol->items().at(protocol - 1),
                                                    canonicalNumber(m_port),
                                                    m_key->text(),
                                                    canonicalNumber(m_timeout),
                                                    canonicalNumber(m_retry),
                                                    u"createAndGo"_s});
        m_hosts.addTopLevelItem(row);
        m_hosts.setCurrentItem(row);
    } else if (QTreeWidgetItem *row = m_hosts.currentItem()) {
        row->setText(HostPort, canonicalNumber(m_port));
        row->setText(HostTimeout, canonicalNumber(m_timeout));
        if (hasKey(protocol))
            row->setText(HostKey, m_key->text());
        if (hasRetries(protocol))
            row->setText(HostRetry, canonicalNumber(m_retry));
    }
    accept();
}

TAAAInfoAddServerGroupForm::TAAAInfoAddServerGroupForm(QTreeWidget &groups, QWidget *parent)
    : QDialog(parent)
    , m_groups(groups)
    , m_name(makeEdit(u"edtServerGroup"_s))
{
    setObjectName(u"AAAInfoAddServerGroupForm"_s);
    setWindowTitle(u"Server Group Add"_s);
    QPushButton *apply = makeButton(u"Apply"_s, u"btnApply"_s);
    auto *grid = new QGridLayout;
    addGridRow(grid, u"Server Group"_s, m_name, new QLabel(u"String <15>"_s));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(editorButtons(this, apply));
    connect(apply, &QPushButton::clicked, this, &TAAAInfoAddServerGroupForm::btnApplyClick);
}

void TAAAInfoAddServerGroupForm::btnApplyClick()
{
    const QString name = m_name->text();
    const bool known
        = !m_groups.findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive, GroupName).isEmpty();
    if (!checkEntry(isGroupName(name), m_name, invalidStringMessage(u"Server Group"_s))
        || !checkEntry(!known, m_name, u"Has existed a record with the same Server Group."_s))
        return;
    QStringList cells{name};
    for (int slot = 0; slot < GroupSlots; ++slot)
        cells << u"0.0.0.0"_s << u"Other"_s;
    cells << u"createAndGo"_s;
    auto *row = new QTreeWidgetItem(cells);
    m_groups.addTopLevelItem(row);
    m_groups.setCurrentItem(row);
    accept();
}

QString AAAMembershipChange::instance() const
{
    const QByteArray name = KxConvert::DisplayOctets(group);
    QString text = QString::number(name.size());
    for (char c : name)
        text += u'.' + QString::number(static_cast<uchar>(c));
    return text + u'.' + address + u'.' + QString::number(protocol);
}

TAAAInfoEditServerGroupForm::TAAAInfoEditServerGroupForm(
    const QTreeWidgetItem &group,
    const QTreeWidget &hosts,
    std::function<void(const AAAMembershipChange &)> applied,
    QWidget *parent)
    : QDialog(parent)
    , m_group(group.text(GroupName))
    , m_members(GroupMembers(group))
    , m_applied(std::move(applied))
    , m_add(new QRadioButton(u"Add"_s))
    , m_delete(new QRadioButton(u"Delete"_s))
{
    setObjectName(u"AAAInfoEditServerGroupForm"_s);
    setWindowTitle(u"Server Control"_s);
    m_freeSlots = GroupSlots - static_cast<int>(m_members.size());
    const int protocol = GroupProtocol(m_group);
    for (int i = 0; i < hosts.topLevelItemCount(); ++i) {
        const QTreeWidgetItem *host = hosts.topLevelItem(i);
        const QString text = MemberText(host->text(HostIp), host->text(HostProtocol));
        if (!m_members.contains(text)
            && (protocol == 0 || ProtocolNumber(host->text(HostProtocol)) == protocol))
            m_candidates << text;
    }

    m_add->setObjectName(u"rbAdd"_s);
    m_delete->setObjectName(u"rbDelete"_s);
    auto *operation = new QGroupBox(u" Operation "_s);
    auto *operations = new QHBoxLayout(operation);
    operations->addWidget(m_add);
    operations->addWidget(m_delete);
    auto *member = new QGroupBox(u" Server Member "_s);
    auto *members = new QGridLayout(member);
    auto *exclusive = new QButtonGroup(this);
    for (int i = 0; i < MaxShown; ++i) {
        m_choices[i] = new QRadioButton;
        m_choices[i]->setObjectName(u"rbMember%1"_s.arg(i + 1));
        exclusive->addButton(m_choices[i]);
        members->addWidget(m_choices[i], i / 2, i % 2);
    }
    QPushButton *apply = makeButton(u"Apply"_s, u"btnAdd"_s);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Server Group Name: "_s + m_group));
    layout->addWidget(operation);
    layout->addWidget(member);
    layout->addStretch(1);
    layout->addLayout(editorButtons(this, apply));

    connect(m_add, &QRadioButton::toggled, this, &TAAAInfoEditServerGroupForm::showChoices);
    connect(apply, &QPushButton::clicked, this, &TAAAInfoEditServerGroupForm::btnAddClick);
    m_add->setChecked(true);
}

// Add offers the candidates, Delete the members; the first is chosen.
void TAAAInfoEditServerGroupForm::showChoices()
{
    const QStringList &shown = m_add->isChecked() ? m_candidates : m_members;
    for (int i = 0; i < MaxShown; ++i) {
        m_choices[i]->setVisible(i < shown.size());
        m_choices[i]->setText(shown.value(i));
        m_choices[i]->setChecked(i == 0 && !shown.isEmpty());
    }
}

QString TAAAInfoEditServerGroupForm::chosenMember() const
{
    for (const QRadioButton *choice : m_choices) {
        if (!choice->isHidden() && choice->isChecked())
            return choice->text();
    }
    return {};
}

void TAAAInfoEditServerGroupForm::btnAddClick()
{
    const QString member = chosenMember();
    const bool adding = m_add->isChecked();
    if (!checkEntry(adding || m_delete->isChecked(), m_add, u"Please choose an operation."_s)
        || !checkEntry(
            !member.isEmpty(), m_add, u"Please just choose one member to do operation."_s))
        return;
    if (adding
        && !checkEntry(m_freeSlots > 0 && !m_members.contains(member),
                       m_add,
                       u"The member you want to add has already exist or can not add any more."_s))
        return;
    if (!adding
        && !checkEntry(m_members.contains(member),
                       m_delete,
                       u"The member you want to delete does not exist."_s))
        return;
    const QStringList parts = member.split(u" , "_s);
    m_applied({adding, m_group, parts.value(0), ProtocolNumber(parts.value(1))});
    accept();
}
