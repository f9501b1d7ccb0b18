#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class KxSNMPRequest2Edits;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The columns of the VLAN list, in the order of the variable list.
enum VLanColumn {
    IdColumn,
    NameColumn,
    MembersColumn,
    ForbiddenColumn,
    UntaggedColumn,
    StatusColumn,
    VLanColumnCount
};

// The switch's static VLANs (the 802.1Q static VLAN table): a walk fills the
// list; Insert, Edit and Delete let an editor change the selected row and then
// write that row (createAndGo, active, destroy). The list can be saved and
// printed as text.
class TfrmVLan final : public QDialog
{
public:
    explicit TfrmVLan(QWidget *parent = nullptr);
    ~TfrmVLan() override;

    QTreeWidget *list() const { return m_list; }

    // Closing during a walk stops it first and closes once it has ended.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildBinding();
    void readTable();
    void convertPortColumns();
    void setButtons();
    void showCount();
    void fitColumnWidths();
    void showPopup(const QPoint &at);
    QTreeWidgetItem *selectedRow() const;
    bool writeSelectedRow();
    void writeEditedRow();
    void runListCommand(const char *what, const std::function<void()> &command);
    // The Save and Print text of the list.
    QString listText() const;

    void btnVLanRefreshClick();
    void btnVLanStopClick();
    void btnVLanInsertClick();
    void btnVLanEditClick();
    void btnVLanDeleteClick();
    void btnVLanSaveClick();
    void btnVLanPrintClick();

    std::unique_ptr<KxSNMPRequest2Edits> m_binding;
    QTreeWidget *m_list;
    QWidget *m_listArea; // the list's viewport: clicks and resizes are watched there
    QLabel *m_count;
    QPushButton *m_refresh;
    QPushButton *m_stop;
    QPushButton *m_insert;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QPushButton *m_close;
    QPushButton *m_save;
    QPushButton *m_print;
    QMenu *m_popup;
    bool m_reading = false;
    bool m_closePending = false;
    bool m_shown = false;
};
