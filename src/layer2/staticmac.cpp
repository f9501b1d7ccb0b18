#include "layer2/staticmac.h"

#include "forms/dialogsupport.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "forms/portselection.h"
#include "snmp/request.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using namespace KxSyntax;
using namespace KxAccess;

constexpr int PortListDigits = 6;

const KxOptionList unicastStatuses{
    {2, "invalid"}, {3, "Static"}, {4, "deleteOnReset"}, {5, "deleteOnTimeout"}};
const KxOptionList multicastStatuses{
    {1, "other"}, {2, "invalid"}, {3, "Static"}, {4, "deleteOnReset"}, {5, "deleteOnTimeout"}};

const KxSNMPVarDesc unicastTable[] = {
    {"1.3.6.1.2.1.17.7.1.2.1.1.1", "FDB ID", Gauge, NotAccess},
    {"1.3.6.1.2.1.17.7.1.3.1.1.1", "Static Unicast Address", MacAddress, NotAccess},
    {"1.3.6.1.2.1.17.7.1.3.1.1.2", "Static Unicast Receive Port", Integer, NotAccess},
    {"1.3.6.1.2.1.17.7.1.3.1.1.3", "Static Unicast Allowed To Go To", OctetStr, ReadWrite},
    {"1.3.6.1.2.1.17.7.1.3.1.1.4", "Static Unicast Status", Integer, ReadWrite, &unicastStatuses},
    {},
};

const KxSNMPVarDesc multicastTable[] = {
    {"1.3.6.1.2.1.17.7.1.2.1.1.1", "VLAN Index", Gauge, NotAccess},
    {"1.3.6.1.2.1.17.7.1.3.2.1.1", "Static Multicast Address", MacAddress, NotAccess},
    {"1.3.6.1.2.1.17.7.1.3.2.1.2", "Static Multicast Receive Port", Integer, NotAccess},
    {"1.3.6.1.2.1.17.7.1.3.2.1.3", "Static Multicast Static Egress Ports", OctetStr, ReadWrite},
    {"1.3.6.1.2.1.17.7.1.3.2.1.5",
     "Static Multicast Status",
     Integer,
     ReadWrite,
     &multicastStatuses},
    {},
};

const KxSNMPVarDesc egressTable[] = {
    {"1.3.6.1.2.1.17.7.1.2.1.1.1", "VLAN Index", Gauge, NotAccess},
    {"1.3.6.1.2.1.17.7.1.4.3.1.2", "Egress Ports", BitStr, ReadWrite},
    {},
};

// The texts that differ between the unicast and the multicast page.
struct StaticMacTexts
{
    const char *prefix; // "Unicast": lvwUnicastMacAddress, btnUnicastRefresh, ...
    const char *editorCaption;
    const char *egressCaption;
    const char *vlanFirst;
    const char *portsEmpty;
    const char *portsInvalid;
    const char *shownName; // the box with the ports as the user reads them
};

const StaticMacTexts unicastTexts{"Unicast",
                                  "Unicast MAC Address Insert Option",
                                  "Unicast MAC Address Egress Option",
                                  "Please specify Unicast VLAN Index value first!",
                                  "Please specify Unicast Allowed To Go To value!",
                                  "Invalid Unicast Allowed To Go To value!",
                                  "edtUnicastAllowGoToBak"};
const StaticMacTexts multicastTexts{"Multicast",
                                    "Multicast MAC Address Insert Option",
                                    "Multicast MAC Address Egress Option",
                                    "Please specify Multicast VLAN Index value first!",
                                    "Please specify Multicast Allowed T oGo To value!",
                                    "Invalid Multicast Allowed To Go To value!",
                                    "edtMulticastAllowedToGoTobak"};

const StaticMacTexts &textsOf(StaticMacKind kind)
{
    return kind == StaticMacKind::Unicast ? unicastTexts : multicastTexts;
}

QString named(const char *front, StaticMacKind kind, const char *back)
{
    return QLatin1StringView(front) + QLatin1StringView(textsOf(kind).prefix)
           + QLatin1StringView(back);
}

// The lowest port of a unicast entry, "0" for none: the one the list shows.
QString lowestPort(const PortSet &ports)
{
    for (int port = 1; port <= PortSet::PortCount; ++port) {
        if (ports.contains(port))
            return QString::number(port);
    }
    return u"0"_s;
}

QString shownPorts(StaticMacKind kind, const PortSet &ports)
{
    if (kind == StaticMacKind::Unicast)
        return lowestPort(ports);
    return ports.isEmpty() ? QString() : ports.toDisplayList();
}

KxTableDesc staticDesc(StaticMacKind kind)
{
    using enum KxTableAction;
    const bool unicast = kind == StaticMacKind::Unicast;
    KxTableDesc desc;
    desc.listName = unicast ? "lvwUnicastMacAddress" : "lvwMulticastMacAddress";
    desc.table = unicast ? unicastTable : multicastTable;
    desc.keyCount = 3;
    if (unicast) {
        desc.columns = {{u"Unicast VLAN Index "_s, 23},
                        {u"Unicast Address "_s, 20},
                        {u"Unicast Receive Port"_s, 27},
                        {u"Unicast Allowed T Go To "_s, 29},
                        {u"Unicast Status "_s, 19}};
        desc.textHeading = u"Unicast VLAN Index     Unicast Address     Unicast Receive Port       "
                           "Unicast Allowed To Go To     Unicast Status     "_s;
        desc.textRuleLength = 118;
        desc.printTitle = u"Unicast MAC Address Information Printing"_s;
    } else {
        desc.columns = {{u"Multicast VLAN Index"_s, 25},
                        {u"Multicast Address"_s, 23},
                        {u"Multicast Receive Port"_s, 28},
                        {u"Multicast Static Egress Ports"_s, 34},
                        {u"Multicast Status"_s, 21}};
        desc.textHeading
            = u"Multicast VLAN Index     Multicast Address      Multicast Receive Port "
              "     Multicast Static Egress Ports     Multicast Status     "_s;
        desc.textRuleLength = 131;
        desc.printHeading = u"Multicast VLAN Index     Multicast Address      Multicast Receive "
                            "Port          Multicast Allowed To Go To     Multicast Status     "_s;
        desc.printRuleLength = 132;
        desc.printTitle = u"Multicast MAC Address Information Printing"_s;
        desc.hideWhileReading = false;
    }
    static const char *const names[2][7] = {{"btnUnicastRefresh",
                                             "btnUnicastEdit",
                                             "btnUnicastDelete",
                                             "btnUnicastSave",
                                             "btnUnicastPrint",
                                             "btnUnicastClose",
                                             "btnUnicastHelp"},
                                            {"btnMulticastRefresh",
                                             "btnMulticastEdit",
                                             "btnMulticastDelete",
                                             "btnMulticastSave",
                                             "btnMulticastPrint",
                                             "btnMulticastClose",
                                             "btnMulticastHelp"}};
    const char *const *name = names[unicast ? 0 : 1];
    desc.buttons = {{Refresh, "Refresh", name[0]},
                    {Edit, "Edit..", name[1]},
                    {Delete, "Delete", name[2]},
                    {Save, "Save", name[3]},
                    {Print, "Print", name[4]},
                    {Close, "Close", name[5]},
                    {Help, "Help", name[6]}};
    desc.menu = {{Edit, "Edit"}, {Delete, "Delete"}, {Save, "SaveAs"}, {Print, "Print"}};
    desc.statusVar = StaticStatusColumn;
    desc.deleteValue = u"invalid"_s;
    desc.readOnFirstShow = false;
    return desc;
}

} // namespace

std::optional<PortSet> ReadVlanEgressPorts(const QString &vlanId)
{
    KxSNMPRequest request;
    request.varList.Assign(KxSNMPVarList(egressTable, MVT_SV, 1));
    request.varList.indexSuffix = vlanId;
    bool ok = true;
    request.Read(true, ok);
    const QString ports = request.varList.Item(1).value;
    if (!ok || ports.isEmpty() || !isHexDigits(ports, ports.size()))
        return std::nullopt;
    return PortSet::fromHex(ports);
}

TStaticMacPage::TStaticMacPage(StaticMacKind kind, std::shared_ptr<KxReadingGuard> guard)
    : TTablePage([&] {
        KxTableDesc desc = staticDesc(kind);
        desc.readingGuard = std::move(guard);
        return desc;
    }())
    , m_kind(kind)
{
    setObjectName(named("ts", kind, "MacAddress"));
    afterRead = [this] {
        convertPortColumn();
    };
    rowEditor = [this](QTreeWidgetItem *row) -> std::unique_ptr<QDialog> {
        if (!row)
            return nullptr;
        return std::make_unique<TStaticMacAddressEdit>(m_kind, *list(), this);
    };
    writeEditedRow = [this](QTreeWidgetItem *row) {
        return writePortList(row);
    };
}

void TStaticMacPage::convertPortColumn()
{
    for (int i = 0; i < list()->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = list()->topLevelItem(i);
        row->setText(StaticPortsColumn,
                     shownPorts(m_kind, PortSet::fromHex(row->text(StaticPortsColumn))));
    }
}

// Only the port list goes out, and only when it differs from what was read.
bool TStaticMacPage::writePortList(QTreeWidgetItem *row)
{
    const PortSet chosen = PortSet::fromHex(row->text(StaticPortsColumn));
    if (chosen == PortSet::fromHex(readText(row, StaticPortsColumn)))
        return true;
    return writeRow(row, [](int column) { return column == StaticPortsColumn; });
}

TStaticMacAddressEdit::TStaticMacAddressEdit(StaticMacKind kind, QTreeWidget &list, QWidget *parent)
    : QDialog(parent)
    , m_kind(kind)
    , m_list(list)
    , m_vlanId(makeEdit(named("edt", kind, "VlanIndex")))
    , m_address(makeEdit(named("edt", kind, "Address")))
    , m_shown(makeEdit(QString::fromLatin1(textsOf(kind).shownName), true))
    , m_hex(makeEdit(named("edt", kind, "AllowedToGoTo")))
{
    const StaticMacTexts &texts = textsOf(kind);
    const QString prefix = QString::fromLatin1(texts.prefix);
    setObjectName(named("frm", kind, "MacAddressInsert"));
    setWindowTitle(QString::fromLatin1(texts.editorCaption));
    m_vlanId->setEnabled(false);
    m_address->setEnabled(false);
    m_hex->hide();
    auto *choose = new QToolButton;
    choose->setObjectName(named("sbn", kind, "AllowedToGoTo"));
    choose->setText(u"..."_s);
    connect(choose, &QToolButton::clicked, this, &TStaticMacAddressEdit::chooseEgress);

    auto *grid = new QGridLayout;
    grid->setColumnMinimumWidth(1, 220);
    addGridRow(grid, prefix + u" VLAN Index : "_s, m_vlanId);
    addGridRow(grid, prefix + u" Address : "_s, m_address);
    addGridRow(grid, prefix + u" Allowed To Go To : "_s, m_shown, choose);
    QPushButton *apply = makeButton(u"Apply..."_s, u"btnInsertAction"_s);
    QPushButton *close = makeButton(u"Close"_s, u"btnCloseAction"_s);
    connect(apply, &QPushButton::clicked, this, &TStaticMacAddressEdit::btnInsertActionClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_hex);
    layout->addStretch(1);
    layout->addLayout(makeButtonBar({apply, close}));

    if (const QTreeWidgetItem *row = m_list.currentItem()) {
        m_vlanId->setText(row->text(StaticVlanColumn));
        m_address->setText(row->text(StaticAddressColumn));
        m_shown->setText(row->text(StaticPortsColumn));
        // The ports as read: an entry allowed to several ports keeps them all.
        m_hex->setText(PortSet::fromHex(TTablePage::readText(row, StaticPortsColumn)).toHex());
    }
}

QString TStaticMacAddressEdit::portsHex() const
{
    return m_hex->text();
}

void TStaticMacAddressEdit::chooseEgress()
{
    const StaticMacTexts &texts = textsOf(m_kind);
    if (m_vlanId->text().isEmpty()) {
        showPlainMessage(this, QString::fromLatin1(texts.vlanFirst));
        return;
    }
    const bool unicast = m_kind == StaticMacKind::Unicast;
    const std::optional<PortSet> egress = ReadVlanEgressPorts(m_vlanId->text());
    PortSelectionOptions options;
    options.exclusive = unicast;
    options.disabled = PortSet::all() - egress.value_or(PortSet());
    options.unclickedRefusal = u"Please select a egress port first!"_s;
    const PortSet current = PortSet::fromHex(m_hex->text());
    PortSelectionDialog selection(
        unicast ? PortSet::fromText(lowestPort(current)) : current, options, this);
    selection.setObjectName(unicast ? u"frmInsertSelectVlanEgress"_s
                                    : u"frmMulticastInsertSelectVlanEgress"_s);
    selection.setWindowTitle(QString::fromLatin1(texts.egressCaption));
    if (selection.exec() != QDialog::Accepted)
        return;
    m_hex->setText(selection.ports().toHex());
    m_shown->setText(shownPorts(m_kind, selection.ports()));
}

void TStaticMacAddressEdit::btnInsertActionClick()
{
    const StaticMacTexts &texts = textsOf(m_kind);
    const QString hex = m_hex->text();
    if (!checkEntry(!hex.isEmpty(), m_shown, QString::fromLatin1(texts.portsEmpty))
        || !checkEntry(
            isHexDigits(hex, PortListDigits), m_shown, QString::fromLatin1(texts.portsInvalid)))
        return;
    QTreeWidgetItem *row = m_list.currentItem();
    if (!row)
        return;
    row->setText(StaticPortsColumn, hex);
    accept();
}
