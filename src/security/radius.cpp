#include "security/radius.h"

#include "binding/edits.h"
#include "forms/resultbar.h"

#include <QHeaderView>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

// An index outside the list, or another status, shows as its number.
const KxOptionList serverIndexes{{1, "First"}, {2, "Second"}, {3, "Third"}};
const KxOptionList serverStatus{{1, "Active"}, {6, "Destroy"}};

const KxSNMPVarDesc radiusServerTable[] = {
    {"1.3.6.1.4.1.88508.12.3.2.4.1.1", "RADIUS Server Index", Integer, NotAccess, &serverIndexes},
    {"1.3.6.1.4.1.88508.12.3.2.4.1.2", "IP Address", IpAddress, ReadWrite},
    {"1.3.6.1.4.1.88508.12.3.2.4.1.3", "Key", DisplayStr, ReadWrite},
    {"1.3.6.1.4.1.88508.12.3.2.4.1.4", "Auth Port", Gauge, ReadWrite},
    {"1.3.6.1.4.1.88508.12.3.2.4.1.5", "Acct Port", Gauge, ReadWrite},
    {"1.3.6.1.4.1.88508.12.3.2.4.1.6", "Status", Integer, ReadWrite, &serverStatus},
    {},
};

KxTableDesc radiusDesc()
{
    using enum KxTableAction;
    KxTableDesc desc;
    desc.listName = "lvRadiusServer";
    desc.table = radiusServerTable;
    desc.columns = {{u"RADIUS Server Index"_s, 20},
                    {u"IP Address"_s, 16},
                    {u"Key"_s, 20},
                    {u"Auth Port"_s, 10, true},
                    {u"Acct Port"_s, 10, true},
                    {u"Status"_s, 8}};
    desc.equalColumnWidths = false;
    desc.buttons = {{Refresh, "Refresh", "btnRefresh"},
                    {Close, "Close", "btnClose"},
                    {Help, "Help", "btnHelp"}};
    return desc;
}

} // namespace

TRadiusForm::TRadiusForm(QWidget *parent)
    : TTableDialog(radiusDesc(), parent)
    , m_result(new TResultBar(u"stbResult"_s))
{
    setObjectName(u"RadiusForm"_s);
    setWindowTitle(u"RADIUS :"_s);
    list()->setToolTip(u"Radius Server"_s);
    list()->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto *tabs = new QTabWidget;
    tabs->setObjectName(u"pgcRadius"_s);
    layout()->removeWidget(page());
    page()->setObjectName(u"tbsRadiusServer"_s);
    tabs->addTab(page(), u"RADIUS Server"_s);
    layout()->addWidget(tabs);
    m_result->hide();
    layout()->addWidget(m_result);
    m_result->attach(page()->binding().request());
    resize(640, 300);
}
