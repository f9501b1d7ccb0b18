#pragma once

#include <QDialog>

#include <set>

class QHBoxLayout;
class QPushButton;
class QTabWidget;
class TBindingPage;
class TTablePage;
enum class KxTableAction;

// The columns of the snooping control list, in the order of its variable list.
enum IgmpControlColumn {
    VidColumn,
    QueryIntervalColumn,
    MaxResponseTimeColumn,
    RobustnessColumn,
    LastMemberQueryColumn,
    HostTimeoutColumn,
    RouteTimeoutColumn,
    LeaveTimerColumn,
    QueryStateColumn,
    CurrentStateColumn,
    SnoopingStateColumn
};

// IGMP snooping: switched on or off for the switch, the per-VLAN snooping
// settings (changed in an editor), the learned multicast groups with their
// ports, and the per-VLAN query counters. Save and Print write the list shown.
class TIGMPSnoopingForm final : public QDialog
{
public:
    explicit TIGMPSnoopingForm(QWidget *parent = nullptr);
    ~TIGMPSnoopingForm() override;

    QTabWidget *pages() const { return m_pages; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void pageShown(int index);
    void bbtnApplyClick();
    void convertPortMaps();
    TTablePage *listPage() const;
    void triggerOnList(KxTableAction action);

    QTabWidget *m_pages;
    TBindingPage *m_globals;
    TTablePage *m_control;
    TTablePage *m_groups;
    QPushButton *m_apply;
    QPushButton *m_refresh;
    QPushButton *m_save;
    QPushButton *m_print;
    QHBoxLayout *m_bar;
    std::set<QWidget *> m_listsShown;
    bool m_created = false;
};
