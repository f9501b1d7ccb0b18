#include "security/ieee802dot1xpaeport.h"

#include "binding/edits.h"
#include "binding/standardoptions.h"
#include "forms/formbuilder.h"
#include "forms/resultbar.h"
#include "platform/radiogroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

// Same order as PaePortColumn.
const KxSNMPVarDesc paePortTable[] = {
    {"1.0.8802.1.1.1.1.1.2.1.1", "PAE Port Number", Integer, NotAccess},
    {"1.0.8802.1.1.1.1.1.2.1.2", "Protocol Version", Gauge, ReadOnly},
    {"1.0.8802.1.1.1.1.1.2.1.3", "Capabilities", BitStr, ReadOnly},
    {"1.0.8802.1.1.1.1.1.2.1.4", "Initialize", Integer, ReadWrite, &TruthValueOptions},
    {"1.0.8802.1.1.1.1.1.2.1.5", "Reauthenticate", Integer, ReadWrite, &TruthValueOptions},
    {},
};

KxTableDesc paePortDesc()
{
    using enum KxTableAction;
    KxTableDesc desc;
    desc.listName = "lvPaePort";
    desc.table = paePortTable;
    desc.columns = {{u"PAE Port Number"_s, 16, true},
                    {u"Protocol Version"_s, 17, true},
                    {u"Capabilities"_s, 15},
                    {u"Initialize"_s, 11},
                    {u"Reauthenticate"_s, 15}};
    desc.buttons = {{Refresh, "Refresh", "btnRefresh"},
                    {Stop, "Stop", "btnStop"},
                    {Edit, "Edit", "btnEdit"},
                    {Close, "Close", "btnClose"},
                    {Help, "Help", "btnHelp"}};
    desc.menu = {{Edit, "Edit"}};
    desc.multiRowEdit = true;
    return desc;
}

// The item of "True" or "False", ignoring case; -1 for anything else.
int truthItem(const QString &cell)
{
    if (cell.compare(u"true"_s, Qt::CaseInsensitive) == 0)
        return 0;
    if (cell.compare(u"false"_s, Qt::CaseInsensitive) == 0)
        return 1;
    return -1;
}

RadioGroup *truthGroup(const QString &title, const QString &name)
{
    RadioGroup *group = makeRadioGroup(title, name);
    group->setItems({u"True"_s, u"False"_s});
    return group;
}

} // namespace

TIEEE802dot1XPaePortForm::TIEEE802dot1XPaePortForm(QWidget *parent)
    : TTableDialog(paePortDesc(), parent)
    , m_result(new TResultBar(u"stbResult"_s))
{
    setObjectName(u"IEEE802dot1XPaePortForm"_s);
    setWindowTitle(u"PAE :"_s);
    list()->setToolTip(u"Port Access Entity"_s);
    m_result->hide();
    layout()->addWidget(m_result);
    TTablePage &table = *page();
    m_result->attach(table.binding().request());
    table.afterRead = [this] {
        showCapabilities();
    };
    table.rowEditor = [this](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
        if (!row)
            return nullptr;
        return std::make_unique<TIEEE802dot1XPaePortEditForm>(*list(), this);
    };
    table.writeEditedRow = [this](QTreeWidgetItem *row) {
        return page()->writeRow(row, [](int column) {
            return column == InitializeColumn || column == ReauthenticateColumn;
        });
    };
    resize(620, 420);
}

// The capability bits as words; another value stays as read.
void TIEEE802dot1XPaePortForm::showCapabilities()
{
    for (int i = 0; i < list()->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = list()->topLevelItem(i);
        const QString cell = row->text(CapabilitiesColumn);
        if (cell == u"00000000"_s)
            row->setText(CapabilitiesColumn, u"None"_s);
        else if (cell == u"80000000"_s)
            row->setText(CapabilitiesColumn, u"Authenticator"_s);
    }
}

TIEEE802dot1XPaePortEditForm::TIEEE802dot1XPaePortEditForm(QTreeWidget &list, QWidget *parent)
    : QDialog(parent)
    , m_list(list)
    , m_port(makeLabel(QString(), u"lblPAEPortValue"_s))
    , m_version(makeLabel(QString(), u"lblProVersionValue"_s))
    , m_capability(makeLabel(QString(), u"lblCapabilityValue"_s))
    , m_initialize(truthGroup(u"Initialize"_s, u"rgpIEEE802dot1xPaePortInitial"_s))
    , m_reauthenticate(truthGroup(u"Reauthenticate"_s, u"rgpIEEE802dot1xPaePortReauth"_s))
{
    setObjectName(u"IEEE802dot1XPaePortEditForm"_s);
    setWindowTitle(u"PAE Port Information"_s);
    auto *values = new QGridLayout;
    addGridRow(values, u"PAE Port"_s, m_port);
    addGridRow(values, u"Protocol Version"_s, m_version);
    addGridRow(values, u"Capability"_s, m_capability);
    QPushButton *apply = makeButton(u"Apply"_s, u"btnApply"_s);
    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnRefresh"_s);
    QPushButton *close = makeCloseButton(this);
    QPushButton *help = makeHelpButton();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(values);
    layout->addWidget(m_initialize);
    layout->addWidget(m_reauthenticate);
    layout->addStretch(1);
    layout->addLayout(makeButtonBar({apply, refresh, close, help}));
    connect(apply, &QPushButton::clicked, this, &TIEEE802dot1XPaePortEditForm::btnApplyClick);
    connect(refresh, &QPushButton::clicked, this, &TIEEE802dot1XPaePortEditForm::FormShow);
    FormShow();
}

void TIEEE802dot1XPaePortEditForm::FormShow()
{
    m_port->setText(u"0"_s);
    m_version->clear();
    m_capability->clear();
    m_initialize->setItemIndex(-1);
    m_reauthenticate->setItemIndex(-1);
    bool first = true;
    for (int i = 0; i < m_list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = m_list.topLevelItem(i);
        if (!row->isSelected())
            continue;
        if (!first) {
            m_port->setText(m_port->text() + u',' + row->text(PaePortNumberColumn));
            continue;
        }
        first = false;
        m_port->setText(row->text(PaePortNumberColumn));
        m_version->setText(row->text(ProtocolVersionColumn));
        m_capability->setText(row->text(CapabilitiesColumn));
        m_initialize->setItemIndex(truthItem(row->text(InitializeColumn)));
        m_reauthenticate->setItemIndex(truthItem(row->text(ReauthenticateColumn)));
    }
}

void TIEEE802dot1XPaePortEditForm::btnApplyClick()
{
    const int initialize = m_initialize->itemIndex();
    const int reauthenticate = m_reauthenticate->itemIndex();
    if (initialize < 0 || reauthenticate < 0)
        return;
    for (QTreeWidgetItem *row : m_list.selectedItems()) {
        row->setText(InitializeColumn, m_initialize->items().at(initialize).toLower());
        row->setText(ReauthenticateColumn, m_reauthenticate->items().at(reauthenticate).toLower());
    }
    accept();
}
