#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>

class TTablePage;
class QTreeWidgetItem;

// The tables the SNMPv3 pages read besides their own list: target
// addresses, views, access entries and security-to-group mappings, each in a
// hidden list whose rows the pages find and destroy.
class TSnmpV3Tables final : public QWidget
{
public:
    explicit TSnmpV3Tables(QWidget *parent = nullptr);

    TTablePage *targetAddresses() const { return m_targetAddresses; }
    TTablePage *views() const { return m_views; }
    TTablePage *access() const { return m_access; }
    TTablePage *mappings() const { return m_mappings; }

    // The distinct view names in list order.
    QStringList viewNames() const;
    // Whether a view of that name exists.
    bool hasView(const QString &name) const;

private:
    TTablePage *m_targetAddresses;
    TTablePage *m_views;
    TTablePage *m_access;
    TTablePage *m_mappings;
};

// The cell of the variable in a row of the page's list.
QString cellOf(TTablePage &page, const QTreeWidgetItem *row, int var);
// The rows of the page whose cells hold the given texts (variable → text).
QList<QTreeWidgetItem *> rowsWith(TTablePage &page, const std::map<int, QString> &cells);
// Destroys the rows one after the other; false at the first that fails.
bool destroyRows(TTablePage &page, const QList<QTreeWidgetItem *> &rows);

// The table pages of the SNMPv3 dialog; each reads what its derivation needs
// from the shared tables before its own walk.
TTablePage *makeHostPage(TSnmpV3Tables &tables);
TTablePage *makeViewPage();
TTablePage *makeGroupPage(TSnmpV3Tables &tables);
TTablePage *makeUserPage(TSnmpV3Tables &tables);
TTablePage *makeCommunityPage(TSnmpV3Tables &tables);
