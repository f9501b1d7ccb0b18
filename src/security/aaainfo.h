#pragma once

#include <QDialog>

#include <memory>

class QTabWidget;
class QTreeWidgetItem;
class TAAAApplicationPage;
class TTablePage;
struct AAAMethodSide;
struct AAAMembershipChange;

// The AAA servers: the server hosts and the server groups with their
// members, one list page each.
class TAAAInfoForm final : public QDialog
{
public:
    explicit TAAAInfoForm(QWidget *parent = nullptr);
    ~TAAAInfoForm() override;

    QTabWidget *pages() const { return m_pages; }
    TTablePage *hostPage() const { return m_hosts; }
    TTablePage *groupPage() const { return m_groups; }
    TTablePage *methodListPage(bool enable) const { return m_methodLists[enable]; }
    TAAAApplicationPage *applicationPage(bool enable) const { return m_applications[enable]; }

    // Closing during a walk closes once it has returned.
    void done(int result) override;

private:
    void setUpHostPage();
    void setUpGroupPage();
    bool writeNewHost(QTreeWidgetItem *row);
    bool deleteHost(QTreeWidgetItem *row);
    bool writeMembershipChange();
    QWidget *makeMethodSide(const AAAMethodSide &side);
    QStringList methodListNames(bool enable) const;

    QTabWidget *m_pages;
    TTablePage *m_hosts;
    TTablePage *m_groups;
    TTablePage *m_methodLists[2] = {};
    TAAAApplicationPage *m_applications[2] = {};
    std::unique_ptr<AAAMembershipChange> m_membershipChange;
};
