#pragma once

#include <QDialog>

#include <array>
#include <functional>

class QLineEdit;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class RadioGroup;

// Adds a server host (address and protocol editable) or edits the selected
// one (port, key, time-out, retry count). Accepting appends the new row to
// the host list and selects it, or changes the selected row's cells; the
// Information dialog then writes the row.
class TAAAInfoEditServerHostForm final : public QDialog
{
public:
    TAAAInfoEditServerHostForm(QTreeWidget &hosts, bool adding, QWidget *parent = nullptr);

private:
    void protocolChosen(int index);
    void fillFromRow();
    bool entriesValid();
    bool isKnownHost() const;
    void btnApplyClick();

    QTreeWidget &m_hosts;
    bool m_adding;
    QLineEdit *m_ip;
    RadioGroup *m_protocol;
    QLineEdit *m_port;
    QLineEdit *m_key;
    QLineEdit *m_timeout;
    QLineEdit *m_retry;
};

// Adds a server group: a name and eight free slots.
class TAAAInfoAddServerGroupForm final : public QDialog
{
public:
    explicit TAAAInfoAddServerGroupForm(QTreeWidget &groups, QWidget *parent = nullptr);

private:
    void btnApplyClick();

    QTreeWidget &m_groups;
    QLineEdit *m_name;
};

// One change of a group's members, sent as one SET of the membership control.
struct AAAMembershipChange
{
    bool add = true;
    QString group;
    QString address;
    int protocol = 0;

    // The instance of the control object: the group name's length and
    // characters, the server's address, its protocol number.
    QString instance() const;
};

// Adds a server of the host list to the selected group, or removes one of
// its members. Accepting hands the change to `applied`.
class TAAAInfoEditServerGroupForm final : public QDialog
{
public:
    static constexpr int MaxShown = 16;

    TAAAInfoEditServerGroupForm(const QTreeWidgetItem &group,
                                const QTreeWidget &hosts,
                                std::function<void(const AAAMembershipChange &)> applied,
                                QWidget *parent = nullptr);

private:
    void showChoices();
    void btnAddClick();
    QString chosenMember() const;

    QString m_group;
    QStringList m_members;
    QStringList m_candidates;
    int m_freeSlots = 0;
    std::function<void(const AAAMembershipChange &)> m_applied;
    QRadioButton *m_add;
    QRadioButton *m_delete;
    std::array<QRadioButton *, MaxShown> m_choices{};
};
