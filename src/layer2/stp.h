#pragma once

#include "forms/dialogwork.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <set>

class QPushButton;
class QTabWidget;
class QTreeWidgetItem;
class TBindingPage;
class TSTPGlobalPage;
class TTablePage;

// The spanning tree dialog: bridge-wide settings, the MSTP configuration
// identification, the MSTP instances, the ports' MSTP settings and each
// port's state in each instance. Refresh reads the page shown again, Apply
// writes a settings page, Edit opens the editor of a list page's selected row.
class TSTPForm final : public QDialog
{
public:
    explicit TSTPForm(QWidget *parent = nullptr);
    ~TSTPForm() override;

    QTabWidget *pages() const { return m_pages; }

    // Closing during a read stops it first and closes once it has ended.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void pageShown(int index);
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    TTablePage *makeList(TTablePage *table,
                         std::function<std::unique_ptr<QDialog>(QTreeWidgetItem &)> editor);
    TBindingPage *settingsPage() const;
    TTablePage *listPage() const;

    QTabWidget *m_pages;
    TSTPGlobalPage *m_global;
    TBindingPage *m_configId;
    QPushButton *m_refresh;
    QPushButton *m_apply;
    QPushButton *m_edit;
    std::set<QWidget *> m_listsShown;
    bool m_created = false;
    KxDialogWork m_work;
};
