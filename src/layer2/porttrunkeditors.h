#pragma once

#include "snmp/optionlist.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;
class RadioGroup;

// 2 = "static", 3 = "lacp".
extern const KxOptionList TrunkTypeOptions;
// 1 = "active", 2 = "passive".
extern const KxOptionList LacpPortStateOptions;

// Adds a trunk group: ID, type, name, master and member ports. Accepting
// appends the new row to the trunk list (members as hex text, status
// "createAndGo") and selects it; the list dialog then writes that row.
class TfrmPortTrunkInsert final : public QDialog
{
public:
    explicit TfrmPortTrunkInsert(QTreeWidget &list, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void readMaximum();
    void chooseMaster();
    void chooseMembers();
    void btnInsertActionClick();
    bool checkInput();
    bool isListed(quint64 id) const;

    QTreeWidget &m_list;
    QLineEdit *m_id;
    QLabel *m_max;
    QComboBox *m_type;
    QLineEdit *m_name;
    QLineEdit *m_master;
    QLineEdit *m_members;
    bool m_maximumRead = false;
};

// Changes the selected trunk's name, type, member ports and status.
class TfrmPortTrunkEdit final : public QDialog
{
public:
    explicit TfrmPortTrunkEdit(QTreeWidget &list, QWidget *parent = nullptr);

private:
    void chooseMembers();
    void btnEditActionClick();

    QTreeWidget &m_list;
    QLineEdit *m_id;
    QComboBox *m_type;
    QLineEdit *m_name;
    QLineEdit *m_master;
    QLineEdit *m_members;
    QLineEdit *m_flooding;
    QComboBox *m_status;
};

// Changes the LACP mode of the selected port.
class TfrmTrunkLACPPortEdit final : public QDialog
{
public:
    explicit TfrmTrunkLACPPortEdit(QTreeWidget &list, QWidget *parent = nullptr);

private:
    void btnEditActionClick();

    QTreeWidget &m_list;
    RadioGroup *m_state;
};
