#pragma once

#include <QDialog>

#include <set>
#include <vector>

class QPushButton;
class QTabWidget;
class TBindingPage;
class TSnmpV3Tables;
class TTablePage;

// The switch's SNMPv3 engine and configuration tables: notification hosts,
// views, access groups, users and communities, one page each. Rows are
// deleted here and added through the entry dialogs; every page is read
// again when it is shown.
class TSNMPV3Form final : public QDialog
{
public:
    explicit TSNMPV3Form(QWidget *parent = nullptr);
    ~TSNMPV3Form() override;

    // The table page at a tab index (1..5), null for the Globals page.
    TTablePage *tablePage(int index) const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void pageShown(int index);
    void connectButtons();
    void setButtonStates();

    QTabWidget *m_pages;
    TBindingPage *m_globals;
    TSnmpV3Tables *m_tables;
    std::vector<TTablePage *> m_tablePages; // Host Table ... SNMP Community
    QPushButton *m_refresh;
    QPushButton *m_insert;
    QPushButton *m_delete;
    QPushButton *m_save;
    QPushButton *m_print;
    std::set<int> m_shown; // the pages shown so far
    bool m_created = false;
};
