#include "device/portconfigureedit.h"

#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "platform/prompts.h"
#include "platform/radiogroup.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using enum PortEditControl::Kind;

// Columns of the STP and VLAN lists: the port, then the table's columns.
enum StpColumn {
    AdminHelloColumn = 1,
    OperHelloColumn,
    StpEnableColumn,
    PathCostColumn,
    MigrationColumn,
    AdminEdgeColumn,
    OperEdgeColumn,
    AdminP2PColumn,
    OperP2PColumn
};
enum VlanColumn { PvidColumn = 1, FrameTypesColumn, IngressColumn, GvrpColumn };

constexpr int DescriptionLength = 32; // the longest description the switch takes

const std::vector<PortEditControl::Choice> disabledEnabled{{"disabled", "disabled"},
                                                           {"enabled", "enabled"}};
const std::vector<PortEditControl::Choice> falseTrue{{"false", "false"}, {"true", "true"}};

const std::vector<PortEditControl> interfaceControls{
    {IfDescrColumn, "lblPortInterfaceDescrValue", "Description :", Label},
    {IfTypeColumn, "lblPortInterfaceTypeValue", "Type :", Label},
    {IfMtuColumn, "lblPortInterfaceMtuValue", "Multicast :", Label},
    {IfSpeedColumn, "lblPortInterfaceSpeedValue", "Speed :", Label},
    {IfPhysAddressColumn, "lblPortInterfacePhysAdressValue", "Phys Adress :", Label},
    {IfOperStatusColumn, "lblPortInterfaceOperStatusValue", "Oper Status :", Label},
    {IfLastChangeColumn, "lblPortInterfaceLastChangeValue", "Last Change :", Label},
    {PortTypeColumn, "lblPortInterfacePortTypeValue", "Port Type :", Label},
    {PortLinkStatusColumn, "lblPortInterfacePortLinkStatusValue", "Port Link Status :", Label},
    {PortNwayStatusColumn, "lblPortInformationNwayStatusValue", "Port Nway Status :", Label},
    {PortDescriptionColumn, "edtPortInterfacePortDiscriptionValue", "Discription :", Edit},
    {IfAdminStatusColumn,
     "rgpPortInterfaceAdminStatusValue",
     "Admin Status :",
     Radio,
     {{"up", "up"}, {"down", "down"}}},
    {LinkTrapColumn,
     "rgpPortInterfaceLinkTrapValue",
     "LinkTrap :",
     Radio,
     {{"Enabled", "Enabled"}, {"Disabled", "Disabled"}}},
    {AdminStateColumn, "rgpPortInterfaceAdminState", "Admin State :", Radio, disabledEnabled},
    {FlowControlColumn,
     "rgpPortInterfaceFlowCtrlStateValue",
     "Flow Control State :",
     Radio,
     disabledEnabled},
    {MacNotifyColumn,
     "rgpPortInterfaceAddressLearningState",
     "MAC Notify State :",
     Radio,
     disabledEnabled},
    {NwayStateColumn,
     "rgpPortInterfaceAdminSpeedDuplexValue",
     "Nway State :",
     Radio,
     {{"nway-enabled", "nway-enabled"},
      {"nway-disabled-10Mbps-Half", "nway-disabled-10Mbps-Half"},
      {"nway-disabled-10Mbps-Full", "nway-disabled-10Mbps-Full"},
      {"nway-disabled-100Mbps-Half", "nway-disabled-100Mbps-Half"},
      {"nway-disabled-100Mbps-Full", "nway-disabled-100Mbps-Full"},
      {"nway-disabled-1Gigabps-Full-master", "nway-disabled-1Gigabps-Full-master"},
      {"nway-disabled-1Gigabps-Full-slave", "nway-disabled-1Gigabps-Full-slave"}},
     3},
};

const std::vector<PortEditControl> stpControls{
    {AdminHelloColumn,
     "edtPortSTPPriorityValue",
     "Administrate Hello Time:",
     Edit,
     {},
     1,
     "(100..1000)"},
    {OperHelloColumn, "lblPortSTPPortStateValue", "Operate Hello Time:", Label},
    {PathCostColumn, "edtPortSTPPathCostValue", "Path Cost :", Edit, {}, 1, "(1..200000000)"},
    {OperEdgeColumn, "lblPortSTPBridgeValue", "Operate Edge Port:", Label},
    {OperP2PColumn, "lblPortSTPLearningForwardTransitionValue", "Operation P2P:", Label},
    {StpEnableColumn,
     "rgpPortSTPStatusValue",
     "MSTP Port Enable:",
     Radio,
     {{"Enabled", "enabled"}, {"Disabled", "disabled"}}},
    {MigrationColumn, "rgpPortSTPMIgration", "Migration:", Radio, falseTrue},
    {AdminEdgeColumn, "rgpAdminEdgePort", "Admin Edge Port:", Radio, falseTrue},
    {AdminP2PColumn,
     "rgpAdminP2P",
     "Admin P2P:",
     Radio,
     {{"true", "true"}, {"false", "false"}, {"auto", "auto"}},
     3},
};

const std::vector<PortEditControl> vlanControls{
    {PvidColumn, "lblPortVLANPortVlanIdValue", "Port VLAN ID :", Label},
    {FrameTypesColumn,
     "rgpPortVLANAcceptableFrameTypesValue",
     "Acceptable FrameTypes :",
     Radio,
     {{"admitAll", "admitAll"}, {"admitOnlyVlanTagged", "admitOnlyVLANTagged"}}},
    {IngressColumn,
     "rgpPortVLANIngressFilteringValue",
     "Ingress Filtering :",
     Radio,
     {{"true", "true"}, {"false", "false"}}},
    {GvrpColumn,
     "rgpPortVLANGvrpStatusValue",
     "GVRP Status :",
     Radio,
     {{"Enabled", "Enabled"}, {"Disabled", "Disabled"}}},
};

const std::vector<PortEditControl> &controlsOf(PortPage page)
{
    switch (page) {
    case StpPage:
        return stpControls;
    case VlanPage:
        return vlanControls;
    default:
        return interfaceControls;
    }
}

const char *const portsLabelNames[PortPageCount]
    = {"lblPortInterfaceIndexValue", "lblPortSTPIndexValue", "lblPortVLANIndexValue"};
const QSize pageSizes[PortPageCount] = {{669, 570}, {394, 370}, {475, 315}};

} // namespace

TfrmPortConfigureEdit::TfrmPortConfigureEdit(PortPage page,
                                             QTreeWidgetItem &row,
                                             const QStringList &ports,
                                             const QString &openerCaption,
                                             QWidget *parent)
    : QDialog(parent)
    , m_page(page)
    , m_row(row)
    , m_controls(controlsOf(page))
    , m_pages(new QTabWidget)
    , m_apply(makeButton(u"Apply"_s, u"btnPortEditApply"_s))
{
    setObjectName(u"frmPortConfigureEdit"_s);
    QString portsText;
    for (const QString &port : ports)
        portsText += port + u',';
    setWindowTitle(openerCaption + u" : \""_s + portsText + u'"');
    m_pages->setObjectName(u"pgcPortEdit"_s);
    const QString captions[PortPageCount] = {u"Interface"_s, u"STP"_s, u"VLAN"_s};
    for (int each = 0; each < PortPageCount; ++each) {
        const auto kind = static_cast<PortPage>(each);
        // Only the page of the list being edited: the others edit other rows.
        QWidget *shown = kind == page ? makePage(kind, portsText) : new QWidget;
        m_pages->addTab(shown, captions[each]);
        m_pages->setTabEnabled(each, kind == page);
    }
    m_pages->setCurrentIndex(page);

    QPushButton *refresh = makeButton(u"Refresh"_s, u"btnPortEditRefresh"_s);
    QPushButton *close = makeButton(u"Close"_s, u"btnPortEditClose"_s);
    QPushButton *help = makeButton(u"Help"_s, u"btnPortEditHelp"_s);
    help->setEnabled(false);
    connect(m_apply, &QPushButton::clicked, this, &TfrmPortConfigureEdit::btnApplyClick);
    connect(refresh, &QPushButton::clicked, this, &TfrmPortConfigureEdit::fillControls);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(makeButtonBar({m_apply, refresh, close, help}));
    fillControls();
    resize(pageSizes[page]);
}

QWidget *TfrmPortConfigureEdit::makePage(PortPage page, const QString &portsText)
{
    auto *shown = new QWidget;
    auto *fields = new QGridLayout;
    addGridRow(
        fields, u"Port(s) :"_s, makeLabel(portsText, QString::fromLatin1(portsLabelNames[page])));
    auto *groups = new QGridLayout;
    int groupCount = 0;
    for (const PortEditControl &control : m_controls) {
        const QString name = QString::fromLatin1(control.name);
        const QString caption = QString::fromLatin1(control.caption);
        if (control.kind == Label) {
            addGridRow(fields, caption, makeLabel(QString(), name));
        } else if (control.kind == Edit) {
            QLineEdit *edit = makeEdit(name);
            if (control.column == PortDescriptionColumn && page == InterfacePage)
                edit->setMaxLength(DescriptionLength);
            connect(edit, &QLineEdit::textChanged, this, &TfrmPortConfigureEdit::controlChanged);
            addGridRow(fields,
                       caption,
                       edit,
                       control.hint ? new QLabel(QString::fromLatin1(control.hint)) : nullptr);
        } else {
            RadioGroup *group = makeRadioGroup(caption, name, control.columns);
            for (const PortEditControl::Choice &choice : control.choices)
                group->addItem(QString::fromLatin1(choice.entry));
            connect(
                group, &RadioGroup::itemIndexChanged, this, &TfrmPortConfigureEdit::controlChanged);
            // A wide group takes a row of its own.
            const int span = control.columns > 1 ? 2 : 1;
            if (span == 2 && groupCount % 2)
                ++groupCount;
            groups->addWidget(group, groupCount / 2, groupCount % 2, 1, span);
            groupCount += span;
        }
    }
    fields->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(shown);
    layout->addLayout(fields);
    layout->addLayout(groups);
    layout->addStretch(1);
    return shown;
}

QWidget *TfrmPortConfigureEdit::widgetOf(const PortEditControl &control) const
{
    return findChild<QWidget *>(QString::fromLatin1(control.name));
}

QString TfrmPortConfigureEdit::valueOf(const PortEditControl &control) const
{
    QWidget *shown = widgetOf(control);
    if (control.kind == Edit)
        return static_cast<QLineEdit *>(shown)->text();
    if (control.kind == Label)
        return static_cast<QLabel *>(shown)->text();
    const int index = static_cast<RadioGroup *>(shown)->itemIndex();
    if (index < 0 || index >= static_cast<int>(control.choices.size()))
        return {};
    return QString::fromLatin1(control.choices[static_cast<size_t>(index)].cell);
}

// Shows the row's cells. A radio group whose cell matches none of its
// entries shows no selection, and so is never written unless chosen.
void TfrmPortConfigureEdit::fillControls()
{
    m_filling = true;
    m_shown.clear();
    for (const PortEditControl &control : m_controls) {
        const QString cell = m_row.text(control.column);
        QWidget *shown = widgetOf(control);
        if (control.kind == Label) {
            static_cast<QLabel *>(shown)->setText(cell);
        } else if (control.kind == Edit) {
            static_cast<QLineEdit *>(shown)->setText(cell);
        } else {
            int index = -1;
            for (size_t i = 0; i < control.choices.size(); ++i) {
                if (cell.compare(QString::fromLatin1(control.choices[i].cell), Qt::CaseInsensitive)
                    == 0)
                    index = static_cast<int>(i);
            }
            static_cast<RadioGroup *>(shown)->setItemIndex(index);
        }
        m_shown.append(valueOf(control));
    }
    m_filling = false;
    m_apply->setEnabled(false);
}

void TfrmPortConfigureEdit::controlChanged()
{
    if (m_filling)
        return;
    bool changed = false;
    for (size_t i = 0; i < m_controls.size(); ++i)
        changed |= valueOf(m_controls[i]) != m_shown.at(static_cast<qsizetype>(i));
    m_apply->setEnabled(changed);
}

bool TfrmPortConfigureEdit::checkStpEntries() const
{
    auto *hello = findChild<QLineEdit *>(u"edtPortSTPPriorityValue"_s);
    auto *pathCost = findChild<QLineEdit *>(u"edtPortSTPPathCostValue"_s);
    return checkEntry(isIntegerIn(hello->text(), 100, 1000), hello, u"Priority value is wrong!"_s)
           && checkEntry(isIntegerIn(pathCost->text(), 1, 200000000),
                         pathCost,
                         u"PathCost value is wrong!"_s);
}

// Puts the values of the changed controls into the row.
void TfrmPortConfigureEdit::btnApplyClick()
{
    if (!prompts().question(
            this, u"Write Configurations"_s, u"Write These Configurations into Your Switch?"_s))
        return;
    if (m_page == StpPage && !checkStpEntries())
        return;
    for (size_t i = 0; i < m_controls.size(); ++i) {
        const PortEditControl &control = m_controls[i];
        const QString value = valueOf(control);
        if (control.kind == Label || value == m_shown.at(static_cast<qsizetype>(i)))
            continue;
        if (control.kind == Radio && value.isEmpty())
            continue;
        m_row.setText(control.column, value);
        m_shown[static_cast<qsizetype>(i)] = value;
    }
    m_applied = true;
    m_apply->setEnabled(false);
}

void TfrmPortConfigureEdit::done(int result)
{
    QDialog::done(m_applied ? Accepted : result);
}
