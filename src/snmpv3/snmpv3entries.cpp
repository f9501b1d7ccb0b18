#include "snmpv3/snmpv3entries.h"

#include "forms/dialogsupport.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "snmpv3/snmpv3entrykit.h"
#include "snmpv3/snmpv3tables.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <map>

using namespace Qt::StringLiterals;

namespace {

constexpr int TrapPort = 162;
const QString UdpDomain = u"1.3.6.1.6.1.1"_s;

// "10.0.0.1" or "10.0.0.1:1162" as the six octets of a UDP transport
// address in hexadecimal; empty when it is not one.
QString udpAddress(const QString &text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() > 2 || !isIPv4Address(parts.constFirst()))
        return {};
    int port = TrapPort;
    if (parts.size() == 2) {
        if (!isIntegerIn(parts.constLast(), 1, 65535))
            return {};
        port = parts.constLast().toInt();
    }
    QString hex;
    for (const QString &octet : parts.constFirst().split(u'.'))
        hex += u"%1"_s.arg(octet.toInt(), 2, 16, QChar(u'0'));
    hex += u"%1"_s.arg(port, 4, 16, QChar(u'0'));
    return hex.toUpper();
}

struct HostVersion
{
    const char *text;
    int mpModel;
    int securityModel;
    const char *securityLevel;
};

const HostVersion hostVersions[] = {
    {"V1", 0, SnmpV1Model, "noAuthNoPriv"},
    {"V2c", 1, SnmpV2cModel, "noAuthNoPriv"},
    {"V3-NoAuth-NoPriv", 3, UsmModel, "noAuthNoPriv"},
    {"V3-Auth-NoPriv", 3, UsmModel, "authNoPriv"},
    {"V3-Auth-Priv", 3, UsmModel, "authPriv"},
};

// A subtree as dotted numbers, without a leading dot; empty when malformed.
QString subtreeOid(const QString &text)
{
    static const QRegularExpression oid(u"^\\.?(\\d+(\\.\\d+)*)$"_s);
    const QRegularExpressionMatch match = oid.match(text.trimmed());
    if (!match.hasMatch() || match.captured(1).count(u'.') >= 128)
        return {};
    return match.captured(1);
}

const QStringList securityModels{u"SNMPv1"_s, u"SNMPv2"_s, u"SNMPv3"_s};

} // namespace

TAddHostTableForm::TAddHostTableForm(QWidget *parent)
    : QDialog(parent)
    , m_address(makeEdit(u"ED_HostIPAdd"_s))
    , m_version(new QComboBox)
    , m_user(makeEdit(u"ED_UserName"_s))
{
    m_version->setObjectName(u"SNMPVsersion"_s);
    for (const HostVersion &version : hostVersions)
        m_version->addItem(QString::fromLatin1(version.text));
    QPushButton *insert = layOutEntry(*this,
                                      u"AddHostTableForm"_s,
                                      u"Add SNMP Host"_s,
                                      {{u"Host IP Address:"_s, m_address},
                                       {u"SNMP Vsersion:"_s, m_version},
                                       {u"Community String / SNMPv3 User Name:"_s, m_user}});
    connect(insert, &QPushButton::clicked, this, &TAddHostTableForm::bbtnApplyClick);
}

void TAddHostTableForm::bbtnApplyClick()
{
    const QString address = m_address->text();
    const QString user = m_user->text();
    if (!checkEntry(!address.isEmpty(), m_address, u"Please input a IP Address!"_s)
        || !checkEntry(!user.isEmpty(), m_user, u"Please input a user name"_s))
        return;
    const QString transport = udpAddress(address);
    if (!checkEntry(!transport.isEmpty(), m_address, u"Invalid IP Address!"_s))
        return;
    const QString name = u"trap.%1.%2"_s.arg(user, address);
    if (!checkEntry(name.size() <= MaxNameLength,
                    m_user,
                    u"The host name %1 is too long! (Max. %2)"_s.arg(name).arg(MaxNameLength)))
        return;
    const HostVersion &version = hostVersions[m_version->currentIndex()];
    const bool created = createAll(this, [&](CreatedRows &rows) {
        QString failure
            = rows.create(TargetParamsTable,
                          1,
                          ParamsRowStatus,
                          {{ParamsName, name},
                           {ParamsMPModel, QString::number(version.mpModel)},
                           {ParamsSecurityModel, QString::number(version.securityModel)},
                           {ParamsSecurityName, user},
                           {ParamsSecurityLevel, QString::fromLatin1(version.securityLevel)},
                           {ParamsStorageType, NonVolatile}});
        if (failure.isEmpty())
            failure = rows.create(TargetAddrTable,
                                  1,
                                  AddrRowStatus,
                                  {{AddrName, name},
                                   {AddrTDomain, UdpDomain},
                                   {AddrTAddress, transport},
                                   {AddrTimeout, u"2"_s},
                                   {AddrRetryCount, u"5"_s},
                                   {AddrTagList, u"trap"_s},
                                   {AddrParams, name},
                                   {AddrStorageType, NonVolatile}});
        return failure;
    });
    if (created)
        accept();
}

TAddSNMPViewForm::TAddSNMPViewForm(QList<View> existing, QWidget *parent)
    : QDialog(parent)
    , m_existing(std::move(existing))
    , m_name(makeEdit(u"ED_ViewName"_s))
    , m_subtree(makeEdit(u"ED_SubtreeOID"_s))
    , m_type(makeCombo(u"CB_ViewType"_s, {u"included"_s, u"excluded"_s}))
{
    QPushButton *insert = layOutEntry(
        *this,
        u"AddSNMPViewForm"_s,
        u"Add SNMP View"_s,
        {{u"View Name:"_s, m_name}, {u"Subtree OID:"_s, m_subtree}, {u"View Type:"_s, m_type}});
    connect(insert, &QPushButton::clicked, this, &TAddSNMPViewForm::bbtnApplyClick);
}

void TAddSNMPViewForm::bbtnApplyClick()
{
    if (!checkName(m_name, u"Please input a View Name!"_s))
        return;
    const QString subtree = subtreeOid(m_subtree->text());
    if (!checkEntry(!subtree.isEmpty(), m_subtree, u"Invalid Subtree OID!"_s))
        return;
    const QString name = m_name->text();
    for (const View &view : std::as_const(m_existing)) {
        if (view.name == name && subtreeOid(view.subtree) == subtree) {
            showPlainMessage(this, u"The specified view already exists !"_s);
            return;
        }
    }
    const bool created = createAll(this, [&](CreatedRows &rows) {
        return rows.create(ViewTable,
                           2,
                           ViewStatus,
                           {{ViewName, name},
                            {ViewSubtree, subtree},
                            {ViewType, m_type->currentText()},
                            {ViewStorageType, NonVolatile}});
    });
    if (created)
        accept();
}

TAddGroupForm::TAddGroupForm(const QStringList &viewNames, QList<Group> existing, QWidget *parent)
    : QDialog(parent)
    , m_existing(std::move(existing))
    , m_name(makeEdit(u"ED_GroupName"_s))
    , m_readView(makeCombo(u"CB_ReadViewName"_s, viewNames))
    , m_writeView(makeCombo(u"CB_WriteViewName"_s, viewNames))
    , m_notifyView(makeCombo(u"CB_NotifyViewName"_s, viewNames))
    , m_model(makeCombo(u"CB_SecurityModel"_s, securityModels))
    , m_level(makeCombo(u"CB_SecurityLevel"_s, {u"noAuthNoPriv"_s, u"authNoPriv"_s, u"authPriv"_s}))
{
    m_level->setEnabled(false);
    QPushButton *insert = layOutEntry(*this,
                                      u"AddGroupForm"_s,
                                      u"Add Group Form"_s,
                                      {{u"Group Name:"_s, m_name},
                                       {u"Read View Name:"_s, m_readView},
                                       {u"Write View Name:"_s, m_writeView},
                                       {u"Notify View Name:"_s, m_notifyView},
                                       {u"Security Model:"_s, m_model},
                                       {u"Security Level:"_s, m_level}});
    connect(m_model, &QComboBox::currentIndexChanged, this, &TAddGroupForm::securityModelChanged);
    connect(insert, &QPushButton::clicked, this, &TAddGroupForm::bbtnApplyClick);
}

// SNMPv1 and SNMPv2c have no authentication: their level is noAuthNoPriv.
void TAddGroupForm::securityModelChanged(int index)
{
    const bool usm = index + 1 == UsmModel;
    if (!usm)
        m_level->setCurrentIndex(0);
    m_level->setEnabled(usm);
}

void TAddGroupForm::bbtnApplyClick()
{
    if (!checkName(m_name, u"Please input a Group Name!"_s))
        return;
    const QString name = m_name->text();
    const int model = m_model->currentIndex() + 1;
    for (const Group &group : std::as_const(m_existing)) {
        if (group.name == name && group.securityModel == model) {
            showPlainMessage(this, u"The specified group already exists !"_s);
            return;
        }
    }
    const bool created = createAll(this, [&](CreatedRows &rows) {
        return rows.create(AccessTable,
                           4,
                           AccessStatus,
                           {{AccessGroupName, name},
                            {AccessContextPrefix, QString()},
                            {AccessSecurityModel, QString::number(model)},
                            {AccessSecurityLevel, m_level->currentText()},
                            {AccessReadView, m_readView->currentText()},
                            {AccessWriteView, m_writeView->currentText()},
                            {AccessNotifyView, m_notifyView->currentText()},
                            {AccessStorageType, NonVolatile}});
    });
    if (created)
        accept();
}

TAddCommunityForm::TAddCommunityForm(const QStringList &viewNames, QWidget *parent)
    : QDialog(parent)
    , m_name(makeEdit(u"ED_CommunityName"_s))
    , m_view(makeCombo(u"CB_ReadViewName"_s, viewNames))
    , m_right(makeCombo(u"CB_AccessRight"_s, {u"Read_Only"_s, u"Read_Write"_s}))
{
    QPushButton *insert = layOutEntry(
        *this,
        u"AddCommunityForm"_s,
        u"Add SNMP Community"_s,
        {{u"Community Name:"_s, m_name}, {u"View Name:"_s, m_view}, {u"Access Right:"_s, m_right}});
    connect(insert, &QPushButton::clicked, this, &TAddCommunityForm::bbtnApplyClick);
}

// Access entries, then the mappings to them, then the community: a
// community answers only once all of them are there.
void TAddCommunityForm::bbtnApplyClick()
{
    if (!checkName(m_name, u"Please input a Community Name!"_s))
        return;
    const QString name = m_name->text();
    const QString view = m_view->currentText();
    const bool writes = m_right->currentIndex() == 1;
    const bool created = createAll(this, [&](CreatedRows &rows) {
        QString failure;
        for (const int model : {SnmpV1Model, SnmpV2cModel}) {
            std::map<int, QString> entry{{AccessGroupName, name},
                                         {AccessContextPrefix, QString()},
                                         {AccessSecurityModel, QString::number(model)},
                                         {AccessSecurityLevel, u"noAuthNoPriv"_s},
                                         {AccessReadView, view},
                                         {AccessNotifyView, view},
                                         {AccessStorageType, NonVolatile}};
            if (writes)
                entry[AccessWriteView] = view;
            if (failure.isEmpty())
                failure = rows.create(AccessTable, 4, AccessStatus, std::move(entry));
        }
        for (const int model : {SnmpV1Model, SnmpV2cModel}) {
            if (failure.isEmpty())
                failure = rows.create(SecurityToGroupTable,
                                      2,
                                      MappingStatus,
                                      {{MappingSecurityModel, QString::number(model)},
                                       {MappingSecurityName, name},
                                       {MappingGroupName, name},
                                       {MappingStorageType, NonVolatile}});
        }
        if (failure.isEmpty())
            failure = rows.create(CommunityTable,
                                  1,
                                  CommunityStatus,
                                  {{CommunityIndex, name},
                                   {CommunityName, name},
                                   {CommunitySecurityName, name},
                                   {CommunityStorageType, NonVolatile}});
        return failure;
    });
    if (created)
        accept();
}
