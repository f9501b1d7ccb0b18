#include "snmpv3/snmpv3user.h"

#include "forms/dialogsupport.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "snmp/kxexception.h"
#include "snmp/records.h"
#include "snmp/request.h"
#include "snmp/usmkeys.h"
#include "snmpv3/snmpv3entrykit.h"
#include "snmpv3/snmpv3tables.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// The shortest password the user-based security model takes.
constexpr int MinPasswordLength = 8;

const KxSNMPVarDesc spinLock[] = {
    {"1.3.6.1.6.3.15.1.2.1", "usmUserSpinLock", KxSyntax::Integer, KxAccess::ReadOnly},
    {},
};

QLineEdit *makePasswordEdit(const QString &name)
{
    QLineEdit *edit = makeEdit(name);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

bool hasPrivacy(const TAddUserForm::User &user)
{
    const quint32 code = UsmPrivProtocolCode(user.privProtocol);
    return code != 0 && code != SnmpCode::PrivNone;
}

bool hasAuthentication(const TAddUserForm::User &user)
{
    const quint32 code = UsmAuthProtocolCode(user.authProtocol);
    return code != 0 && code != SnmpCode::AuthNone;
}

// Whether the user logs in on the switch with these passwords: a GET as that
// user that gets any answer at all (a wrong key gets a report or none).
bool logsIn(const TAddUserForm::User &user,
            const QString &authPassword,
            const QString &privPassword)
{
    KxSNMPRequest request;
    const bool privacy = hasPrivacy(user);
    request.security.version = SnmpCode::Version3;
    request.security.securityModel = SnmpCode::ModelUsm;
    request.security.securityLevel = privacy ? SnmpCode::AuthPriv : SnmpCode::AuthNoPriv;
    request.security.securityName = user.name;
    request.security.authProtocol = UsmAuthProtocolCode(user.authProtocol);
    request.security.authPassword = authPassword;
    request.security.privProtocol
        = privacy ? UsmPrivProtocolCode(user.privProtocol) : quint32(SnmpCode::PrivNone);
    request.security.privPassword = privPassword;
    request.varList.Assign(KxSNMPVarList(spinLock, MVT_SV, 0));
    request.varList.indexSuffix = u"0"_s;
    bool failed = false;
    request.errorHandler = [&failed](const KxSNMPError &) {
        failed = true;
    };
    try {
        bool ok = true;
        request.Read(true, ok);
        return ok && !failed;
    } catch (const KxException &) {
        return false;
    }
}

QString hexText(const QByteArray &octets)
{
    return QString::fromLatin1(octets.toHex().toUpper());
}

} // namespace

TAddUserForm::TAddUserForm(QList<User> users, const QStringList &groups, QWidget *parent)
    : QDialog(parent)
    , m_users(std::move(users))
    , m_name(makeEdit(u"ED_UserName"_s))
    , m_clone(makeCombo(u"CB_CloneFrom"_s, {}))
    , m_cloneAuth(makePasswordEdit(u"ED_CloneAuthPassword"_s))
    , m_clonePriv(makePasswordEdit(u"ED_ClonePrivPassword"_s))
    , m_auth(makePasswordEdit(u"ED_AuthPassword"_s))
    , m_priv(makePasswordEdit(u"ED_PrivPassword"_s))
    , m_group(makeCombo(u"CB_GroupName"_s, groups))
{
    for (const User &user : std::as_const(m_users)) {
        if (hasAuthentication(user)) {
            m_clones.append(user);
            m_clone->addItem(user.name);
        }
    }
    QPushButton *insert = layOutEntry(*this,
                                      u"AddUserForm"_s,
                                      u"Add SNMP User"_s,
                                      {{u"User Name:"_s, m_name},
                                       {u"Clone From User:"_s, m_clone},
                                       {u"Clone's Auth Password:"_s, m_cloneAuth},
                                       {u"Clone's Priv Password:"_s, m_clonePriv},
                                       {u"New Auth Password:"_s, m_auth},
                                       {u"New Priv Password:"_s, m_priv},
                                       {u"Group Name:"_s, m_group}});
    connect(m_clone, &QComboBox::currentIndexChanged, this, &TAddUserForm::cloneChanged);
    connect(insert, &QPushButton::clicked, this, &TAddUserForm::bbtnApplyClick);
    cloneChanged();
}

const TAddUserForm::User *TAddUserForm::clone() const
{
    const int index = m_clone->currentIndex();
    return index < 0 ? nullptr : &m_clones.at(index);
}

bool TAddUserForm::clonePrivacy() const
{
    return clone() && hasPrivacy(*clone());
}

// The new user has the clone's protocols: privacy passwords only when the
// clone has privacy, and the clone's group to start with. The module knows
// the passwords of the user it talks SNMPv3 as.
void TAddUserForm::cloneChanged()
{
    const bool privacy = clonePrivacy();
    for (QLineEdit *edit : {m_clonePriv, m_priv}) {
        edit->setEnabled(privacy);
        if (!privacy)
            edit->clear();
    }
    const KxSNMPSecurity &own = GlobalSecurity();
    const bool ownUser
        = clone() && own.version == SnmpCode::Version3 && own.securityName == clone()->name;
    m_cloneAuth->setText(ownUser ? own.authPassword : QString());
    m_clonePriv->setText(ownUser && privacy ? own.privPassword : QString());
    if (const User *user = clone(); user && m_group->findText(user->group) >= 0)
        m_group->setCurrentIndex(m_group->findText(user->group));
}

bool TAddUserForm::checkPassword(QLineEdit *edit, const QString &what)
{
    return !edit->isEnabled()
           || checkEntry(
               edit->text().size() >= MinPasswordLength,
               edit,
               u"%1 must have at least %2 characters!"_s.arg(what).arg(MinPasswordLength));
}

bool TAddUserForm::checkEntries()
{
    if (!checkName(m_name, u"Please input a User Name!"_s))
        return false;
    for (const User &user : std::as_const(m_users)) {
        if (user.name == m_name->text()) {
            showPlainMessage(this, u"The specified user already exists !"_s);
            return false;
        }
    }
    return checkEntry(clone() != nullptr,
                      m_clone,
                      u"There is no user with authentication to clone from!"_s)
           && checkPassword(m_cloneAuth, u"The auth password of the user to clone"_s)
           && checkPassword(m_clonePriv, u"The priv password of the user to clone"_s)
           && checkPassword(m_auth, u"The new auth password"_s)
           && checkPassword(m_priv, u"The new priv password"_s)
           && checkEntry(
               !m_group->currentText().isEmpty(), m_group, u"Please select a Group Name!"_s);
}

// The usmUserAuthKeyChange and usmUserPrivKeyChange values (hexadecimal)
// that give the new user keys of its own passwords; empty, with a message,
// when the clone's protocols do not allow it.
std::map<int, QString> TAddUserForm::keyChanges(const User &from)
{
    const QByteArray engineId = QByteArray::fromHex(from.engineId.toLatin1());
    const auto change = [&](KxUsmKey key, const QLineEdit *old, const QLineEdit *now) {
        return UsmKeyChange(
            key, from.authProtocol, from.privProtocol, engineId, old->text(), now->text());
    };
    const QByteArray auth = change(KxUsmKey::Auth, m_cloneAuth, m_auth);
    const QByteArray priv
        = clonePrivacy() ? change(KxUsmKey::Priv, m_clonePriv, m_priv) : QByteArray();
    if (auth.isEmpty() || (clonePrivacy() && priv.isEmpty())) {
        showPlainMessage(this,
                         u"The keys of the user %1 cannot be changed: its protocols are not "
                         u"supported by KeyChange."_s.arg(from.name));
        return {};
    }
    std::map<int, QString> values{{CloneAuthKeyChange, hexText(auth)}};
    if (!priv.isEmpty())
        values[ClonePrivKeyChange] = hexText(priv);
    return values;
}

// createAndWait, clone, the two KeyChanges, active, then the group mapping;
// a user that then cannot log in with its new passwords is removed again.
QString
TAddUserForm::createUser(CreatedRows &rows, const User &from, const std::map<int, QString> &keys)
{
    User created = from;
    created.name = m_name->text();
    const auto write = [&](std::map<int, QString> values) {
        values[CloneEngineId] = from.engineId;
        values[CloneUserName] = created.name;
        return rows.write(UserCloneTable, 2, CloneStatus, values);
    };
    const QByteArray engineId = QByteArray::fromHex(from.engineId.toLatin1());
    QString failure = write({{CloneStatus, u"createAndWait"_s}});
    if (failure.isEmpty())
        failure = write({{CloneFrom, userInstance(engineId, from.name)}});
    if (failure.isEmpty())
        failure = write(keys);
    if (failure.isEmpty())
        failure = write({{CloneStatus, u"active"_s}});
    if (failure.isEmpty())
        failure = rows.create(SecurityToGroupTable,
                              2,
                              MappingStatus,
                              {{MappingSecurityModel, QString::number(UsmModel)},
                               {MappingSecurityName, created.name},
                               {MappingGroupName, m_group->currentText()},
                               {MappingStorageType, NonVolatile}});
    if (failure.isEmpty() && !logsIn(created, m_auth->text(), m_priv->text()))
        failure = u"The new user cannot log in with its passwords: please check the "
                  u"passwords of the user %1."_s.arg(from.name);
    return failure;
}

void TAddUserForm::bbtnApplyClick()
{
    if (!checkEntries())
        return;
    const User from = *clone();
    const std::map<int, QString> keys = keyChanges(from);
    if (keys.empty())
        return;
    if (createAll(this, [&](CreatedRows &rows) { return createUser(rows, from, keys); }))
        accept();
}
