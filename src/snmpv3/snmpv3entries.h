#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QComboBox;
class QLineEdit;

// The entry dialogs of the SNMPv3 dialog. Each checks what the user typed,
// creates its rows on the switch (createAndGo, stored nonVolatile) and closes;
// a refused SET is shown, what was created before it is removed again, and
// the dialog stays open.

// A notification host: a target-parameters row and the target-address row
// that uses it, both named "trap.<user>.<address>" and tagged "trap".
class TAddHostTableForm final : public QDialog
{
public:
    explicit TAddHostTableForm(QWidget *parent = nullptr);

private:
    void bbtnApplyClick();

    QLineEdit *m_address;
    QComboBox *m_version;
    QLineEdit *m_user;
};

// A MIB view: one subtree of a view, included or excluded.
class TAddSNMPViewForm final : public QDialog
{
public:
    struct View
    {
        QString name;
        QString subtree;
    };

    TAddSNMPViewForm(QList<View> existing, QWidget *parent = nullptr);

private:
    void bbtnApplyClick();

    QList<View> m_existing;
    QLineEdit *m_name;
    QLineEdit *m_subtree;
    QComboBox *m_type;
};

// An access group: the views a group reads, writes and is notified of, for
// one security model and level.
class TAddGroupForm final : public QDialog
{
public:
    struct Group
    {
        QString name;
        int securityModel = 0;
    };

    TAddGroupForm(const QStringList &viewNames, QList<Group> existing, QWidget *parent = nullptr);

private:
    void securityModelChanged(int index);
    void bbtnApplyClick();

    QList<Group> m_existing;
    QLineEdit *m_name;
    QComboBox *m_readView;
    QComboBox *m_writeView;
    QComboBox *m_notifyView;
    QComboBox *m_model;
    QComboBox *m_level;
};

// A community with what makes it answer: access entries of a group of its
// name for SNMPv1 and SNMPv2c, the mappings of its name to that group, and
// the community entry itself.
class TAddCommunityForm final : public QDialog
{
public:
    explicit TAddCommunityForm(const QStringList &viewNames, QWidget *parent = nullptr);

private:
    void bbtnApplyClick();

    QLineEdit *m_name;
    QComboBox *m_view;
    QComboBox *m_right;
};
