#include "snmpv3/snmpv3pages.h"

#include "binding/edits.h"
#include "forms/tablepage.h"
#include "snmpv3/snmpv3entries.h"
#include "snmpv3/snmpv3tables.h"
#include "snmpv3/snmpv3user.h"

#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

KxTableDesc listDesc(const char *listName, const KxSNMPVarDesc *table, int keyCount, int statusVar)
{
    KxTableDesc desc;
    desc.listName = listName;
    desc.table = table;
    desc.keyCount = keyCount;
    desc.statusVar = statusVar;
    desc.hideWhileReading = false;
    return desc;
}

TTablePage *
makeFullList(const char *listName, const KxSNMPVarDesc *table, int keyCount, int statusVar)
{
    KxTableDesc desc = listDesc(listName, table, keyCount, statusVar);
    for (const KxSNMPVarDesc *var = table; var->oid; ++var)
        desc.columns.append({QString::fromLatin1(var->name), 20});
    return new TTablePage(std::move(desc));
}

// A visible page: its list, the popup menu and the Save and Print text.
KxTableDesc pageDesc(const char *listName,
                     const KxSNMPVarDesc *table,
                     int keyCount,
                     int statusVar,
                     QList<KxTextColumn> columns,
                     std::vector<int> hiddenVars,
                     QString heading,
                     int ruleLength,
                     QString printTitle)
{
    using enum KxTableAction;
    KxTableDesc desc = listDesc(listName, table, keyCount, statusVar);
    desc.hideWhileReading = true;
    desc.columns = std::move(columns);
    desc.hiddenVars = std::move(hiddenVars);
    desc.textHeading = std::move(heading);
    desc.textRuleLength = ruleLength;
    desc.printTitle = std::move(printTitle);
    desc.menu = {{Insert, "Add"}, {Delete, "Delete"}, {Save, "Save"}, {Print, "Print"}};
    desc.saveWhenEmpty = true;
    desc.editorWritesRow = true;
    return desc;
}

void setCell(TTablePage &page, QTreeWidgetItem *row, int var, const QString &text)
{
    row->setText(page.binding().columnOf(var), text);
}

void forEachRow(TTablePage &page, const std::function<void(QTreeWidgetItem *row)> &action)
{
    QTreeWidget *list = page.list();
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        action(list->topLevelItem(i));
}

QTreeWidgetItem *firstRowWith(TTablePage &page, const std::map<int, QString> &cells)
{
    const QList<QTreeWidgetItem *> rows = rowsWith(page, cells);
    return rows.isEmpty() ? nullptr : rows.constFirst();
}

QWidget *editorParent(TTablePage &page)
{
    return page.window();
}

// A protocol column as its OID, whether the cell shows its name or the OID.
QString protocolOid(const KxOptionList &options, const QString &cell)
{
    const int index = options.IndexOfText(cell);
    return index < 0 ? cell : options.Item(index).stringValue;
}

// The users of the user page with what cloning one of them needs.
QList<TAddUserForm::User> usersOf(TTablePage &page)
{
    QList<TAddUserForm::User> users;
    forEachRow(page, [&page, &users](QTreeWidgetItem *row) {
        users.append({cellOf(page, row, UserName),
                      cellOf(page, row, UserEngineId),
                      protocolOid(AuthProtocolOptions, cellOf(page, row, UserAuthProtocol)),
                      protocolOid(PrivProtocolOptions, cellOf(page, row, UserPrivProtocol)),
                      row->text(page.binding().columnOf(UserSecurityName))});
    });
    return users;
}

// The distinct names of the access groups of the user-based security model.
QStringList usmGroups(TTablePage &access)
{
    QStringList groups;
    for (QTreeWidgetItem *row :
         rowsWith(access, {{AccessSecurityModel, QString::number(UsmModel)}})) {
        const QString name = cellOf(access, row, AccessGroupName);
        if (!groups.contains(name))
            groups.append(name);
    }
    return groups;
}

} // namespace

TSnmpV3Tables::TSnmpV3Tables(QWidget *parent)
    : QWidget(parent)
    , m_targetAddresses(makeFullList("LV_HostTarAddr", TargetAddrTable, 1, AddrRowStatus))
    , m_views(makeFullList("LV_SNMPViewDelete", ViewTable, 2, ViewStatus))
    , m_access(makeFullList("LV_SNMPGroupVisible", AccessTable, 4, AccessStatus))
    , m_mappings(makeFullList("LV_SecurityGroup", SecurityToGroupTable, 2, MappingStatus))
{
    auto *layout = new QVBoxLayout(this);
    for (TTablePage *page : {m_targetAddresses, m_views, m_access, m_mappings})
        layout->addWidget(page);
    hide();
}

QStringList TSnmpV3Tables::viewNames() const
{
    QStringList names;
    forEachRow(*m_views, [this, &names](QTreeWidgetItem *row) {
        const QString name = cellOf(*m_views, row, ViewName);
        if (!names.contains(name))
            names.append(name);
    });
    return names;
}

bool TSnmpV3Tables::hasView(const QString &name) const
{
    return !name.isEmpty() && viewNames().contains(name);
}

QString cellOf(TTablePage &page, const QTreeWidgetItem *row, int var)
{
    return TTablePage::readText(row, page.binding().columnOf(var));
}

QList<QTreeWidgetItem *> rowsWith(TTablePage &page, const std::map<int, QString> &cells)
{
    QList<QTreeWidgetItem *> found;
    forEachRow(page, [&](QTreeWidgetItem *row) {
        for (const auto &[var, text] : cells) {
            if (cellOf(page, row, var) != text)
                return;
        }
        found.append(row);
    });
    return found;
}

bool destroyRows(TTablePage &page, const QList<QTreeWidgetItem *> &rows)
{
    for (QTreeWidgetItem *row : rows) {
        if (!page.writeDeletion(row))
            return false;
    }
    return true;
}

TTablePage *makeHostPage(TSnmpV3Tables &tables)
{
    auto *page = new TTablePage(
        pageDesc("LV_HostTable",
                 TargetParamsTable,
                 1,
                 ParamsRowStatus,
                 {{u"Host IP Address"_s, 21},
                  {u"SNMP Version"_s, 24},
                  {u"Community Name/SNMPv3 User Name"_s, 32}},
                 {ParamsMPModel, ParamsSecurityLevel, ParamsStorageType, ParamsRowStatus},
                 u"Host IP Address      SNMP Version            Community Name/SNMP V3 User Name"_s,
                 78,
                 u"SNMP Host Table Information Printing"_s));
    page->beforeRead = [&tables] {
        tables.targetAddresses()->readTable();
    };
    page->afterRead = [page] {
        forEachRow(*page, [page](QTreeWidgetItem *row) {
            setCell(*page,
                    row,
                    ParamsSecurityModel,
                    u"V%1-%2"_s.arg(cellOf(*page, row, ParamsSecurityModel),
                                    cellOf(*page, row, ParamsSecurityLevel)));
        });
    };
    // The address row goes first, then the parameters row of the same name.
    page->deleteRow = [page, &tables](QTreeWidgetItem *row) {
        TTablePage &addresses = *tables.targetAddresses();
        const QString name = cellOf(*page, row, ParamsName);
        return destroyRows(addresses, rowsWith(addresses, {{AddrName, name}}))
               && page->writeDeletion(row);
    };
    page->rowEditor = [page](QTreeWidgetItem *) -> std::unique_ptr<QDialog> {
        return std::make_unique<TAddHostTableForm>(editorParent(*page));
    };
    return page;
}

TTablePage *makeViewPage()
{
    auto *page
        = new TTablePage(pageDesc("LV_SNMPView",
                                  ViewTable,
                                  2,
                                  ViewStatus,
                                  {{u"View Name"_s, 20}, {u"Subtree"_s, 25}, {u"View Type"_s, 10}},
                                  {ViewStorageType, ViewStatus},
                                  u"View Name           Subtree                  View Type"_s,
                                  55,
                                  u"SNMP View Information Printing"_s));
    page->rowEditor = [page](QTreeWidgetItem *) -> std::unique_ptr<QDialog> {
        QList<TAddSNMPViewForm::View> views;
        forEachRow(*page, [page, &views](QTreeWidgetItem *row) {
            views.append({cellOf(*page, row, ViewName), cellOf(*page, row, ViewSubtree)});
        });
        return std::make_unique<TAddSNMPViewForm>(views, editorParent(*page));
    };
    return page;
}

TTablePage *makeGroupPage(TSnmpV3Tables &tables)
{
    auto *page = new TTablePage(pageDesc(
        "LV_SNMPGroup",
        AccessTable,
        4,
        AccessStatus,
        {{u"Group Name"_s, 19},
         {u"Access Security Model"_s, 27},
         {u"Access Security Level"_s, 26},
         {u"Access Status"_s, 10}},
        {AccessContextPrefix, AccessReadView, AccessWriteView, AccessNotifyView, AccessStorageType},
        u"Group Name         Access Security Model      "
        u"Access Security Level     Access Status"_s,
        86,
        u"SNMP Group Information Printing"_s));
    page->beforeRead = [&tables] {
        tables.views()->readTable();
    };
    page->afterRead = [page] {
        forEachRow(*page, [page](QTreeWidgetItem *row) {
            setCell(*page,
                    row,
                    AccessSecurityModel,
                    u"SNMPv"_s + cellOf(*page, row, AccessSecurityModel));
        });
    };
    page->rowEditor = [page, &tables](QTreeWidgetItem *) -> std::unique_ptr<QDialog> {
        QList<TAddGroupForm::Group> groups;
        forEachRow(*page, [page, &groups](QTreeWidgetItem *row) {
            groups.append({cellOf(*page, row, AccessGroupName),
                           cellOf(*page, row, AccessSecurityModel).toInt()});
        });
        return std::make_unique<TAddGroupForm>(tables.viewNames(), groups, editorParent(*page));
    };
    return page;
}

TTablePage *makeUserPage(TSnmpV3Tables &tables)
{
    KxTableDesc desc
        = pageDesc("LV_SNMPUser",
                   UserTable,
                   2,
                   UserStatus,
                   {{u"User Name"_s, 20}, {u"Group Name"_s, 22}, {u"SNMP Version"_s, 10}},
                   {UserEngineId, UserAuthProtocol, UserPrivProtocol, UserStatus},
                   u"User Name           Group Name            SNMP Version"_s,
                   52,
                   u"SNMP User Information Printing"_s);
    auto *page = new TTablePage(std::move(desc));
    page->beforeRead = [&tables] {
        tables.access()->readTable();
        tables.mappings()->readTable();
    };
    // The group of a user is the one its own name maps to in the user-based
    // security model.
    page->afterRead = [page, &tables] {
        TTablePage &mappings = *tables.mappings();
        forEachRow(*page, [&](QTreeWidgetItem *row) {
            const QString user = cellOf(*page, row, UserName);
            const QTreeWidgetItem *mapping = firstRowWith(
                mappings,
                {{MappingSecurityModel, QString::number(UsmModel)}, {MappingSecurityName, user}});
            if (!mapping)
                return;
            setCell(*page, row, UserSecurityName, cellOf(mappings, mapping, MappingGroupName));
            setCell(*page, row, UserCloneFrom, u"V%1"_s.arg(UsmModel));
        });
    };
    page->rowEditor = [page, &tables](QTreeWidgetItem *) -> std::unique_ptr<QDialog> {
        return std::make_unique<TAddUserForm>(
            usersOf(*page), usmGroups(*tables.access()), editorParent(*page));
    };
    page->deleteRow = [page, &tables](QTreeWidgetItem *row) {
        TTablePage &mappings = *tables.mappings();
        const QString user = cellOf(*page, row, UserName);
        return page->writeDeletion(row)
               && destroyRows(mappings,
                              rowsWith(mappings,
                                       {{MappingSecurityModel, QString::number(UsmModel)},
                                        {MappingSecurityName, user}}));
    };
    return page;
}

TTablePage *makeCommunityPage(TSnmpV3Tables &tables)
{
    auto *page = new TTablePage(
        pageDesc("LV_SNMPCommunity",
                 CommunityTable,
                 1,
                 CommunityStatus,
                 {{u"Community Name"_s, 23}, {u"View Name"_s, 20}, {u"Access Right"_s, 15}},
                 {CommunityName, CommunityContextEngineId, CommunityStorageType},
                 u"Community Name         View Name           Access Right"_s,
                 57,
                 u"SNMP Community Information Printing"_s));
    page->beforeRead = [&tables] {
        tables.views()->readTable();
        tables.access()->readTable();
        tables.mappings()->readTable();
    };
    // The view a community reads is that of its group's first access entry;
    // it may write when that entry's write view exists.
    page->afterRead = [page, &tables] {
        TTablePage &mappings = *tables.mappings();
        TTablePage &access = *tables.access();
        forEachRow(*page, [&](QTreeWidgetItem *row) {
            QString group = cellOf(*page, row, CommunitySecurityName);
            if (const QTreeWidgetItem *mapping
                = firstRowWith(mappings, {{MappingSecurityName, group}}))
                group = cellOf(mappings, mapping, MappingGroupName);
            const QTreeWidgetItem *entry = firstRowWith(access, {{AccessGroupName, group}});
            if (!entry) {
                setCell(*page, row, CommunitySecurityName, u"N/A"_s);
                setCell(*page, row, CommunityStatus, u"N/A"_s);
                return;
            }
            setCell(*page, row, CommunitySecurityName, cellOf(access, entry, AccessReadView));
            const bool writes = tables.hasView(cellOf(access, entry, AccessWriteView));
            setCell(*page, row, CommunityStatus, writes ? u"Read_Write"_s : u"Read_Only"_s);
        });
    };
    // With the community go the mappings of its security name and the access
    // entries of the group named after it, as the community dialog made them.
    page->deleteRow = [page, &tables](QTreeWidgetItem *row) {
        TTablePage &mappings = *tables.mappings();
        TTablePage &access = *tables.access();
        const QString name = cellOf(*page, row, CommunityIndex);
        const QString securityName = cellOf(*page, row, CommunitySecurityName);
        QList<QTreeWidgetItem *> communityMappings;
        for (const int model : {SnmpV1Model, SnmpV2cModel})
            communityMappings += rowsWith(mappings,
                                          {{MappingSecurityModel, QString::number(model)},
                                           {MappingSecurityName, securityName}});
        return page->writeDeletion(row) && destroyRows(mappings, communityMappings)
               && destroyRows(access, rowsWith(access, {{AccessGroupName, name}}));
    };
    page->rowEditor = [page, &tables](QTreeWidgetItem *) -> std::unique_ptr<QDialog> {
        return std::make_unique<TAddCommunityForm>(tables.viewNames(), editorParent(*page));
    };
    return page;
}
