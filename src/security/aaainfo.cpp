#include "security/aaainfo.h"

#include "forms/dialogsupport.h"
#include "forms/dialogwork.h"
#include "forms/formbuilder.h"
#include "forms/tablepage.h"
#include "security/aaaapplication.h"
#include "security/aaaeditors.h"
#include "security/aaamethods.h"
#include "security/aaatables.h"
#include "snmp/request.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int MaxHosts = 16;
constexpr int MaxGroups = 8;
const QString membershipControl = u"1.3.6.1.4.1.88508.12.5.12.1.4"_s;
constexpr int MembershipAdd = 1;
constexpr int MembershipDelete = 2;

KxTableDesc hostDesc()
{
    return AAAListDesc("lvAAAServerHost",
                       AAAHostTable,
                       2,
                       {{u"IP Address"_s, 16},
                        {u"Protocol"_s, 9},
                        {u"Port"_s, 6},
                        {u"Key"_s, 20},
                        {u"Timeout"_s, 8},
                        {u"Retry Count"_s, 12},
                        {u"Status"_s, 12}},
                       HostStatus,
                       MaxHosts,
                       u"Server Host"_s);
}

KxTableDesc groupDesc()
{
    QList<KxTextColumn> columns{{u"Group Name"_s, 16}};
    for (int slot = 1; slot <= GroupSlots; ++slot)
        columns << KxTextColumn{u"IP Address%1"_s.arg(slot), 16}
                << KxTextColumn{u"Protocol%1"_s.arg(slot), 10};
    columns << KxTextColumn{u"Status"_s, 12};
    return AAAListDesc(
        "lvAAAServerGroup", AAAGroupTable, 1, columns, GroupStatus, MaxGroups, u"Server Group"_s);
}

// One SET of the membership control: add on the instance followed by ".1.2",
// delete on the instance itself.
bool sendMembershipChange(const AAAMembershipChange &change)
{
    static const KxSNMPVarDesc control[] = {
        {"1.3.6.1.4.1.88508.12.5.12.1.4",
         "Control Server Row State",
         KxSyntax::Integer,
         KxAccess::ReadWrite},
        {},
    };
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(control, MVT_SV, 0));
    request.varList.indexSuffix = change.add ? change.instance() + u".1.2"_s : change.instance();
    request.varList.Item(0).value = QString::number(change.add ? MembershipAdd : MembershipDelete);
    bool ok = true;
    request.Write(false, {}, nullptr, ok);
    return ok;
}

} // namespace

TAAAInfoForm::TAAAInfoForm(QWidget *parent)
    : QDialog(parent)
    , m_pages(new QTabWidget)
    , m_hosts(new TTablePage(hostDesc()))
    , m_groups(new TTablePage(groupDesc()))
{
    setObjectName(u"AAAInfoForm"_s);
    setWindowTitle(u"Information :"_s);
    m_pages->setObjectName(u"pgcAAA"_s);
    m_hosts->setObjectName(u"tbsAAAHost"_s);
    m_groups->setObjectName(u"tbsAAAGroup"_s);
    m_pages->addTab(m_hosts, u"Server Host"_s);
    m_pages->addTab(m_groups, u"Server Group"_s);
    setUpHostPage();
    setUpGroupPage();
    auto *methods = new QTabWidget;
    methods->setObjectName(u"pgcAAAMethod"_s);
    methods->addTab(makeMethodSide(LoginMethods), u"Login Method"_s);
    methods->addTab(makeMethodSide(EnableMethods), u"Enable Method"_s);
    methods->widget(0)->setObjectName(u"tbsMethodLogin"_s);
    methods->widget(1)->setObjectName(u"tbsMethodEnable"_s);
    m_pages->addTab(methods, u"Method"_s);

    QPushButton *close = makeCloseButton(this);
    QPushButton *help = makeHelpButton();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(makeButtonBar({close, help}));
    resize(760, 420);
}

TAAAInfoForm::~TAAAInfoForm() = default;

void TAAAInfoForm::setUpHostPage()
{
    m_hosts->rowEditor = [this](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
        return std::make_unique<TAAAInfoEditServerHostForm>(*m_hosts->list(), !row, this);
    };
    m_hosts->writeInsertedRow = [this](QTreeWidgetItem *row) {
        return writeNewHost(row);
    };
    m_hosts->deleteRow = [this](QTreeWidgetItem *row) {
        return deleteHost(row);
    };
}

void TAAAInfoForm::setUpGroupPage()
{
    m_groups->rowEditor = [this](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
        if (!row)
            return std::make_unique<TAAAInfoAddServerGroupForm>(*m_groups->list(), this);
        return std::make_unique<TAAAInfoEditServerGroupForm>(
            *row,
            *m_hosts->list(),
            [this](const AAAMembershipChange &change) {
                m_membershipChange = std::make_unique<AAAMembershipChange>(change);
            },
            this);
    };
    m_groups->writeInsertedRow = [this](QTreeWidgetItem *row) {
        return m_groups->writeRow(row, [](int column) { return column == GroupStatus; });
    };
    m_groups->writeEditedRow = [this](QTreeWidgetItem *) {
        return writeMembershipChange();
    };
    m_groups->deletable = [](const QTreeWidgetItem *row) {
        return !IsBuiltInGroup(row->text(GroupName));
    };
}

// The key of a TACACS or XTACACS server and the retry count of a TACACS+
// server do not exist on the switch: they are not sent. A Radius server has
// both.
bool TAAAInfoForm::writeNewHost(QTreeWidgetItem *row)
{
    const int protocol = ProtocolNumber(row->text(HostProtocol));
    const auto exists = [protocol](int column) {
        if (column == HostKey)
            return protocol == TacacsPlusProtocol || protocol == RadiusProtocol;
        return column != HostRetry || protocol != TacacsPlusProtocol;
    };
    const bool written = m_hosts->writeRow(row, exists);
    if (written)
        m_groups->readTable(); // the switch put the server into its protocol's group
    return written;
}

// The switch takes the server out of every group: they are read again.
bool TAAAInfoForm::deleteHost(QTreeWidgetItem *row)
{
    row->setText(HostStatus, u"destroy"_s);
    const bool deleted = m_hosts->writeRow(row, [](int column) { return column == HostStatus; });
    if (deleted)
        m_groups->readTable();
    return deleted;
}

bool TAAAInfoForm::writeMembershipChange()
{
    if (!m_membershipChange)
        return true;
    const std::unique_ptr<AAAMembershipChange> change = std::move(m_membershipChange);
    bool sent = false;
    runGuarded(this, [&] {
        sent = sendMembershipChange(*change);
        return sent;
    });
    if (!sent)
        showPlainMessage(this, u"Failed."_s);
    return sent;
}

QStringList TAAAInfoForm::methodListNames(bool enable) const
{
    QStringList names;
    const QTreeWidget *list = m_methodLists[enable]->list();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->text(MethodStatus) != u"destroy"_s)
            names << list->topLevelItem(i)->text(MethodName);
    }
    return names;
}

// A method list page and the application page that assigns its lists.
QWidget *TAAAInfoForm::makeMethodSide(const AAAMethodSide &side)
{
    auto *lists = new TTablePage(MethodListDesc(side));
    auto *applications = new TAAAApplicationPage(
        side, [this, side = &side] { return methodListNames(side->enable); });
    m_methodLists[side.enable] = lists;
    m_applications[side.enable] = applications;
    lists->setObjectName(side.enable ? u"tbsEnableMethodList"_s : u"tbsLoginMethodList"_s);
    lists->rowEditor
        = [this, lists, side = &side](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
        if (m_groups->list()->topLevelItemCount() == 0)
            m_groups->readTable(); // the candidates are the groups with members
        return std::make_unique<TAAAMethodDualListDlg>(
            *side, *lists->list(), *m_groups->list(), !row, this);
    };
    // A new list sends its methods and the groups of its server-group methods.
    lists->writeInsertedRow = [lists](QTreeWidgetItem *row) {
        return lists->writeRow(row, [row](int column) {
            if (column == MethodStatus)
                return true;
            const int type = column % 2 == 1 ? column : column - 1;
            const QString typeText = row->text(type);
            if (column == type)
                return typeText != u"Other"_s;
            return typeText == u"ServerGroup"_s;
        });
    };
    // All four pairs: a shortened list must not keep its old later members.
    lists->writeEditedRow = [lists](QTreeWidgetItem *row) {
        return lists->writeRow(
            row, [](int column) { return column != MethodName && column != MethodStatus; });
    };
    lists->deletable = [](const QTreeWidgetItem *row) {
        return row->text(MethodName) != u"default"_s;
    };
    lists->afterRead = [applications] {
        applications->rebuildChoices();
    };

    auto *pages = new QTabWidget;
    pages->setObjectName(side.enable ? u"pgcAAAEnableMethod"_s : u"pgcAAALoginMethod"_s);
    pages->addTab(lists, u"Method List"_s);
    pages->addTab(applications, u"Application"_s);
    return pages;
}

void TAAAInfoForm::done(int result)
{
    if (!HoldCloseForWalkingList(this))
        QDialog::done(result);
}
