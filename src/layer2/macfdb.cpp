#include "layer2/macfdb.h"

#include "binding/standardoptions.h"
#include "layer2/macfdbfilter.h"
#include "layer2/staticmac.h"
#include "layer2/stormcontrol.h"

#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

const KxOptionList fdbStatuses{
    {1, "other"}, {2, "invalid"}, {3, "learned"}, {4, "self"}, {5, "mgmt"}};

const KxSNMPVarDesc fdbTable[] = {
    {"1.3.6.1.2.1.17.7.1.2.1.1.1", "FDB ID", Gauge, NotAccess},
    {"1.3.6.1.2.1.17.7.1.2.2.1.1", "FDB Address", MacAddress, NotAccess},
    {"1.3.6.1.2.1.17.7.1.2.2.1.2", "FDB Port", Integer, ReadOnly},
    {"1.3.6.1.2.1.17.7.1.2.2.1.3", "FDB Status", Integer, ReadOnly, &fdbStatuses},
    {},
};

const KxSNMPVarDesc trafficTable[] = {
    {"1.3.6.1.4.1.88508.11.68.1.2.13.5.1.1", "Group Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.11.68.1.2.13.5.1.3",
     "Port Status",
     Integer,
     ReadWrite,
     &DisabledEnabledOptions},
    {},
};

KxTableDesc fdbDesc(std::shared_ptr<KxReadingGuard> guard)
{
    using enum KxTableAction;
    KxTableDesc desc;
    desc.listName = "lvwMacFDB";
    desc.table = fdbTable;
    desc.keyCount = 2;
    desc.columns = {{u"VLAN ID"_s, 12}, {u"Address"_s, 22}, {u"Port"_s, 9}, {u"Status"_s, 11}};
    desc.buttons = {{Refresh, "Refresh", "btnMacFDBRefresh"},
                    {Filter, "Filter", "btnMacFDBFilter"},
                    {Save, "Save", "btnMacFDBSave"},
                    {Print, "Print", "btnMacFDBPrint"},
                    {Close, "Close", "btnMacFDBClose"},
                    {Help, "Help", "btnMacFDBHelp"}};
    desc.menu = {{Filter, "Filter..."}, {Save, "SaveAs"}, {Print, "Print"}};
    desc.textHeading = u"VLAN ID     Address               Port     Status     "_s;
    desc.textRuleLength = 54;
    desc.printHeading = u"VLAN  ID     Address               Port     Status     "_s;
    desc.printRuleLength = 55;
    desc.printTitle = u"MAC FDB Information Printing"_s;
    desc.readOnFirstShow = false;
    desc.readingGuard = std::move(guard);
    return desc;
}

KxTableDesc trafficDesc(std::shared_ptr<KxReadingGuard> guard)
{
    using enum KxTableAction;
    KxTableDesc desc;
    desc.listName = "lv_TrafficPortControl";
    desc.table = trafficTable;
    desc.columns = {{u"Index"_s, 11}, {u"Port State"_s, 12}};
    desc.buttons = {{Refresh, "Refresh", "BinTPCRefresh"},
                    {Close, "Close", "BitBtn2"},
                    {Help, "Help", "BitBtn3"},
                    {Edit, "Edit..", "btnTPCEdit"},
                    {Save, "Save", "btnTPCSave"},
                    {Print, "Print", "btnTPCPrint"}};
    desc.menu = {{Edit, "Edit"}, {Save, "Save"}, {Print, "Print"}};
    desc.textHeading = u"Index      Port Status"_s;
    desc.textRuleLength = 22;
    desc.printHeading = desc.textHeading;
    desc.printRuleLength = 23;
    desc.printTitle = u"MAC FDB Information Printing"_s;
    desc.readOnFirstShow = false;
    desc.readingGuard = std::move(guard);
    return desc;
}

} // namespace

TfrmMacManagement::TfrmMacManagement(QWidget *parent)
    : TTablePagesDialog(parent)
    , m_fdb(new TTablePage(fdbDesc(readingGuard())))
    , m_unicast(new TStaticMacPage(StaticMacKind::Unicast, readingGuard()))
    , m_multicast(new TStaticMacPage(StaticMacKind::Multicast, readingGuard()))
    , m_storm(new TStormControlPage)
    , m_traffic(new TTablePage(trafficDesc(readingGuard())))
{
    setObjectName(u"frmMacManagement"_s);
    setWindowTitle(u"MAC Forwarding :"_s);
    m_fdb->setObjectName(u"tsMacFDB"_s);
    m_traffic->setObjectName(u"tbs_TrafficPortCtrl"_s);
    addTablePage(m_fdb, u"MAC FDB"_s);
    addTablePage(m_unicast, u"Unicast MAC Addresses"_s);
    addTablePage(m_multicast, u"Multicast MAC Addresses"_s);
    addPage(m_storm, m_storm->caption(), [this] { m_storm->readPage(); });
    addTablePage(m_traffic, u"Traffic Port Control"_s);
    m_fdb->filterRows = [this] {
        filterFdb();
    };
    connect(pages(), &QTabWidget::currentChanged, this, [this](int index) {
        if (pages()->widget(index) == m_storm && !opening())
            readGuarded([this] { m_storm->readPage(); });
    });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages());
    resize(700, 440);
}

// Reads the table again and keeps the rows that match the chosen filter.
void TfrmMacManagement::filterFdb()
{
    TfrmMacFDBFilter options(this);
    if (options.exec() != QDialog::Accepted)
        return;
    const FdbFilter filter = options.filter();
    QTreeWidget *list = m_fdb->list();
    list->clear();
    m_fdb->readTable();
    for (int i = list->topLevelItemCount() - 1; i >= 0; --i) {
        const QTreeWidgetItem *row = list->topLevelItem(i);
        if (!filter.keeps(
                row->text(FdbVlanColumn), row->text(FdbAddressColumn), row->text(FdbPortColumn)))
            delete row;
    }
}
