#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

#include <map>

class CreatedRows;
class QComboBox;
class QLineEdit;

// A USM user made by cloning an existing one (RFC 3414 §5): the new row
// takes the clone's protocols and keys (usmUserCloneFrom), gets keys of its
// own passwords through KeyChange, becomes active and is mapped to a group.
// KeyChange needs the clone's current keys, so the dialog asks for the
// clone's passwords as well (filled in when the clone is the user the module
// talks SNMPv3 as); the new user's login is tried before the
// dialog closes, and a user that cannot log in is removed again. The
// passwords stay in the password boxes only.
class TAddUserForm final : public QDialog
{
public:
    struct User
    {
        QString name;
        QString engineId;     // as the user table shows it, in hexadecimal
        QString authProtocol; // dotted OIDs of usmUserAuthProtocol/PrivProtocol
        QString privProtocol;
        QString group;
    };

    // users: the switch's users; the ones with authentication can be
    // cloned. groups: the access groups a user can be mapped to.
    TAddUserForm(QList<User> users, const QStringList &groups, QWidget *parent = nullptr);

private:
    const User *clone() const;
    bool clonePrivacy() const;
    void cloneChanged();
    bool checkEntries();
    bool checkPassword(QLineEdit *edit, const QString &what);
    std::map<int, QString> keyChanges(const User &from);
    QString createUser(CreatedRows &rows, const User &from, const std::map<int, QString> &keys);
    void bbtnApplyClick();

    QList<User> m_users;
    QList<User> m_clones;
    QLineEdit *m_name;
    QComboBox *m_clone;
    QLineEdit *m_cloneAuth;
    QLineEdit *m_clonePriv;
    QLineEdit *m_auth;
    QLineEdit *m_priv;
    QComboBox *m_group;
};
