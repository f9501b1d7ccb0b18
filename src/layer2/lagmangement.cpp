#include "layer2/lagmangement.h"

#include "binding/standardoptions.h"
#include "forms/dialogsupport.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

const KxSNMPVarDesc portListTable[] = {
    {"1.3.6.1.4.1.88508.12.4.1.1.2.1", "Index", Integer, NotAccess},
    {"1.3.6.1.4.1.88508.12.4.1.1.2.1.1", "Port List Ports", BitStr, ReadOnly},
    {},
};

#define AGG "1.3.6.1.4.1.88508.12.4.1.1.1.1."
const KxSNMPVarDesc aggregatorTable[] = {
    {AGG "1", "Index", Integer, NotAccess},
    {AGG "2", "MAC Address", MacAddress, ReadOnly},
    {AGG "3", "Actor System Priority", Integer, ReadWrite},
    {AGG "4", "Actor System ID", MacAddress, ReadOnly},
    {AGG "5", "Aggregate Or Individual", Integer, ReadOnly, &TruthValueOptions},
    {AGG "6", "Actor Admin Key", Integer, ReadWrite},
    {AGG "7", "Actor Oper Key", Integer, ReadOnly},
    {AGG "8", "Partner System ID", MacAddress, ReadOnly},
    {AGG "9", "Partner System Priority", Integer, ReadOnly},
    {AGG "10", "Partner Oper Key", Integer, ReadOnly},
    {AGG "11", "Collector Max Delay", Integer, ReadWrite},
    {},
};
#undef AGG

#define PORT "1.3.6.1.4.1.88508.12.4.1.2.1.1."
const KxSNMPVarDesc aggregationPortTable[] = {
    {PORT "1", "Port Index", Integer, NotAccess},
    {PORT "2", "Port Actor System Priority", Integer, ReadWrite},
    {PORT "3", "Port Actor System ID", MacAddress, ReadOnly},
    {PORT "4", "Port Actor Admin Key", Integer, ReadWrite},
    {PORT "5", "Port Actor Oper Key", Integer, ReadWrite},
    {PORT "6", "Port Partner Admin System Priority", Integer, ReadWrite},
    {PORT "7", "Port Partner Oper System Priority", Integer, ReadOnly},
    {PORT "8", "Port Partner Admin System ID", MacAddress, ReadWrite},
    {PORT "9", "Port Partner Oper System ID", MacAddress, ReadOnly},
    {PORT "10", "Port Partner Admin Key", Integer, ReadWrite},
    {PORT "11", "Port Partner Oper Key", Integer, ReadOnly},
    {PORT "12", "Port Selected Aggregate ID", Integer, ReadOnly},
    {PORT "13", "Port Attached Aggregate ID", Integer, ReadOnly},
    {PORT "14", "Port Actor Port", Integer, ReadOnly},
    {PORT "15", "Port Actor Port Priority", Integer, ReadWrite},
    {PORT "16", "Port Partner Admin Port", Integer, ReadWrite},
    {PORT "17", "Port Partner Oper Port", Integer, ReadOnly},
    {PORT "18", "Port Partner Admin Port Priority", Integer, ReadWrite},
    {PORT "19", "Port Partner Oper Port Priority", Integer, ReadOnly},
    {PORT "20", "Port ActorA dmin State", OctetStr, ReadWrite},
    {PORT "21", "Port Actor Oper State", OctetStr, ReadOnly},
    {PORT "22", "Port Partner Admin State", OctetStr, ReadWrite},
    {PORT "23", "Port Partner Oper State", OctetStr, ReadOnly},
    {PORT "24", "Port Aggregate Or Individual", Integer, ReadOnly, &TruthValueOptions},
    {},
};
#undef PORT

constexpr int MacDigits = 12;
constexpr int StateDigits = 2;
constexpr int MaxKey = 65535;
constexpr int MaxPriority = 255;

using enum LagEditorField::Check;

const LagEditorField aggregatorFields[] = {
    {0, "lbIndexValue", " Index :"},
    {1, "lbMACAddressValue", "MAC Address :"},
    {2, "ED_ActorSystemPriority", "Actor System Priority :", Number, MaxKey},
    {3, "lbActorSystemIDValue", "Actor System ID :"},
    {4, "lbAggregateOrIndividualValue", "Aggregate Or Individual :"},
    {5, "ED_ActorAdminKey", "Actor Admin Key :", Number, MaxKey},
    {6, "lbActorOperKeyValue", "Actor Oper Key :"},
    {7, "lbPartnerSystemIDValue", "Partner System ID :"},
    {8, "lbPartnerSystemPriorityValue", "Partner System Priority :"},
    {9, "lbParnterOperKeuValue", "Partner Oper Key :"},
    {10, "ED_CollectorMaxDelay", "Collector Max Delay :", Number, MaxKey},
};

const LagEditorField aggregationPortFields[] = {
    {0, "lbIndexValue", "Index :"},
    {1, "ED_ActorSystemPriority", "Actor System Priority :", Number, MaxPriority},
    {2, "lbActorSystemIDValue", "Actor System ID :"},
    {3, "ED_ActorAdminKey", "Actor Admin Key :", Number, MaxKey},
    {4, "ED_ActorOperKey", "Actor Oper Key :", Number, MaxKey},
    {5, "ED_PartnerAdminSystemPriority", "Partner Admin System Priority :", Number, MaxPriority},
    {6, "lbPartnerAdminSystemPriorityValue", "Partner Oper System Priority :"},
    {7, "ED_PartnerAdminSystemID", "Partner Admin System ID :", Hex, MacDigits},
    {8, "lbPartnerOperSystemIDValue", "Partner Oper System ID :"},
    {9, "ED_PartnerAdminKeyValue", "Partner Admin Key :", Number, MaxKey},
    {10, "lbPartnerOperKeyValue", "Partner Oper Key :"},
    {11, "lbSelectedAggIDValue", "Selected Aggregation ID :"},
    {12, "lbAttachedAggIDValue", "Attached Aggregation ID :"},
    {13, "lbActorPortValue", "Actor Port :"},
    {14, "ED_ActorPortPriority", "Actor Port Priority :", Number, MaxPriority},
    {15, "ED_PartnerAdminPort", "Partner Admin Port :", Number, MaxKey},
    {16, "lbPartnerOperPortValue", "Partner Oper Port :"},
    {17, "ED_PartnerAdminPortPriority", "Partner Admin Port Priority :", Number, MaxPriority},
    {18, "lbParnterOperPortPriorityValue", "Partner Oper Port Priority :"},
    {19, "ED_ActorAdminState", "Actor Admin State :", Hex, StateDigits},
    {20, "lbActorOperStateValue", "Actor Oper State :"},
    {21, "ED_PartnerAdminState", "Partner Admin State :", Hex, StateDigits},
    {22, "lbPartnerOperStateValue", "Partner Oper State :"},
    {23, "LbAggergateOrIndividualValue", "Aggregate Or Individual :"},
};

KxTableDesc lagDesc(const char *listName,
                    const KxSNMPVarDesc *table,
                    quint8 kind,
                    QList<KxTextColumn> columns,
                    std::shared_ptr<KxReadingGuard> guard)
{
    KxTableDesc desc;
    desc.listName = listName;
    desc.table = table;
    desc.kind = kind;
    desc.columns = std::move(columns);
    desc.readOnFirstShow = false;
    desc.equalColumnWidths = false;
    desc.readingGuard = std::move(guard);
    return desc;
}

QList<KxTextColumn> titled(const QStringList &titles)
{
    QList<KxTextColumn> columns;
    for (const QString &title : titles)
        columns.append({title, static_cast<int>(title.size()) + 2});
    return columns;
}

} // namespace

TfrmLAGMangement::TfrmLAGMangement(QWidget *parent)
    : TTablePagesDialog(parent)
    , m_portList(new TTablePage(lagDesc("LvPortListEntry",
                                        portListTable,
                                        MVT_FMV,
                                        titled({u"Index"_s, u"Port List"_s}),
                                        readingGuard())))
    , m_aggregators(new TTablePage(lagDesc("LVAggTable",
                                           aggregatorTable,
                                           MVT_UMV,
                                           titled({u"Index"_s,
                                                   u"MAC Address"_s,
                                                   u"Actor System Priority"_s,
                                                   u"Actor System ID"_s,
                                                   u"Aggregate Or Individual"_s,
                                                   u"Actor Admin Key"_s,
                                                   u"Actor Oper Key"_s,
                                                   u"Partner System ID"_s,
                                                   u"Partner System Priority"_s,
                                                   u"Partner Oper Key"_s,
                                                   u"Collector Max Delay"_s}),
                                           readingGuard())))
    , m_ports(new TTablePage(lagDesc("LVAggPortEntry",
                                     aggregationPortTable,
                                     MVT_UMV,
                                     titled({u"Index"_s,
                                             u"Actor System Priority"_s,
                                             u"Actor System ID"_s,
                                             u"Acto rAdmin Key"_s,
                                             u"Actor Oper Key"_s,
                                             u"Partner Admin System Priority"_s,
                                             u"Partner Oper System Priority"_s,
                                             u"Partner Admin System ID"_s,
                                             u"Partner Oper System ID"_s,
                                             u"Partner Admin Key"_s,
                                             u"Partner Oper Key"_s,
                                             u"Selected Aggregation ID"_s,
                                             u"Attached Aggregation ID"_s,
                                             u"Actor Port"_s,
                                             u"Actor Port Priority"_s,
                                             u"Partner Admin Port"_s,
                                             u"Partner Oper Port"_s,
                                             u"Partner Admin Port Priority"_s,
                                             u"Partner Oper Port Priority"_s,
                                             u"Actor Admin State"_s,
                                             u"Actor Oper State"_s,
                                             u"Partner Admin State"_s,
                                             u"Partner Oper State"_s,
                                             u"Aggregate Or Individual"_s}),
                                     readingGuard())))
{
    setObjectName(u"frmLAGMangement"_s);
    setWindowTitle(u"LAG Mangement :"_s);
    m_portList->setObjectName(u"Tab_PortListEntry"_s);
    m_aggregators->setObjectName(u"Tab_AggTable"_s);
    m_ports->setObjectName(u"Tab_AggPortEntry"_s);
    addTablePage(m_portList, u"Port List Entry"_s);
    addTablePage(m_aggregators, u"Aggregation Table"_s);
    addTablePage(m_ports, u"Agg Port Entry"_s);
    m_aggregators->rowEditor = [this](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
        if (!row)
            return nullptr;
        return std::make_unique<TfrmLagRowEdit>(u"frmAggTableEdit"_s,
                                                u"Aggregation Table Edit"_s,
                                                aggregatorFields,
                                                *m_aggregators->list(),
                                                this);
    };
    m_ports->rowEditor = [this](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
        if (!row)
            return nullptr;
        return std::make_unique<TfrmLagRowEdit>(u"frmAggPortEntryEdit"_s,
                                                u"Aggregation Port Entry Edit"_s,
                                                aggregationPortFields,
                                                *m_ports->list(),
                                                this);
    };
    for (TTablePage *page : {m_portList, m_aggregators, m_ports})
        page->list()->setSelectionMode(QAbstractItemView::SingleSelection);

    using enum KxTableAction;
    QPushButton *help = makeButton(u"Help"_s, u"BtnHelp"_s);
    help->setEnabled(false);
    QHBoxLayout *buttons = makeSharedButtons({{Refresh, "Refresh", "BtnRefresh"},
                                              {Stop, "Stop", "BtnStop"},
                                              {Edit, "Edit", "BtnEdit"},
                                              {Close, "Close", "BtnClose"}});
    buttons->addWidget(help);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages(), 1);
    layout->addLayout(buttons);
    resize(760, 420);
}

TfrmLagRowEdit::TfrmLagRowEdit(const QString &name,
                               const QString &caption,
                               std::span<const LagEditorField> fields,
                               QTreeWidget &list,
                               QWidget *parent)
    : QDialog(parent)
    , m_fields(fields)
    , m_list(list)
{
    setObjectName(name);
    setWindowTitle(caption);
    const QTreeWidgetItem *row = m_list.currentItem();
    auto *grid = new QGridLayout;
    for (const LagEditorField &field : fields) {
        const QString cell = row ? row->text(field.column) : QString();
        const QString objectName = QString::fromLatin1(field.name);
        QWidget *control = nullptr;
        QLabel *hint = nullptr;
        if (field.check == Shown) {
            control = makeLabel(cell, objectName);
        } else {
            QLineEdit *edit = makeEdit(objectName);
            edit->setText(cell);
            edit->setMaxLength(field.check == Hex
                                   ? field.limit
                                   : static_cast<int>(QString::number(field.limit).size()));
            control = edit;
            if (field.check == Number)
                hint = new QLabel(u"(0...%1)"_s.arg(field.limit));
        }
        m_controls.push_back(control);
        addGridRow(grid, QString::fromLatin1(field.caption), control, hint);
    }
    QPushButton *edit = makeButton(u"Edit..."_s, u"btnEditAction"_s);
    QPushButton *close = makeCloseButton(this);
    connect(edit, &QPushButton::clicked, this, &TfrmLagRowEdit::btnEditActionClick);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(makeButtonBar({edit, close}));
}

void TfrmLagRowEdit::btnEditActionClick()
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const LagEditorField &field = m_fields[i];
        auto *edit = qobject_cast<QLineEdit *>(m_controls[i]);
        if (!edit)
            continue;
        const QString caption = QString::fromLatin1(field.caption).remove(u':').trimmed();
        const bool valid = field.check == Number ? isIntegerIn(edit->text(), 0, field.limit)
                                                 : isHexDigits(edit->text(), field.limit);
        const QString message = field.check == Number ? invalidIntegerMessage(caption)
                                                      : invalidStringMessage(caption);
        if (!checkEntry(valid, edit, message))
            return;
    }
    QTreeWidgetItem *row = m_list.currentItem();
    if (!row)
        return;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (auto *edit = qobject_cast<QLineEdit *>(m_controls[i]))
            row->setText(m_fields[i].column, edit->text().toUpper());
    }
    accept();
}
