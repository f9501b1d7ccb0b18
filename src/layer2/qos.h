#pragma once

#include <QDialog>

#include <set>
#include <vector>

class QPushButton;
class QTabWidget;
class TBindingPage;
class TTablePage;

// Quality of service: the scheduling mechanism, each port's receive
// bandwidth, each class's packet count, the mapping of 802.1p priorities to
// classes and each port's default priority. Each list row is changed in an
// editor of its own.
class TQOSForm final : public QDialog
{
public:
    explicit TQOSForm(QWidget *parent = nullptr);
    ~TQOSForm() override;

    QTabWidget *pages() const { return m_pages; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void pageShown(int index);
    void BitBtn2Click();
    void BitBtn3Click();
    void btnBMStormControlPrintClick();
    void showEditState();
    TTablePage *listPage() const;

    QTabWidget *m_pages;
    TBindingPage *m_globals;
    std::vector<TTablePage *> m_lists;
    QPushButton *m_apply;
    QPushButton *m_edit;
    QPushButton *m_print;
    std::set<QWidget *> m_listsShown;
    bool m_created = false;
};
