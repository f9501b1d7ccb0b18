#include "layer2/vlaneditors.h"

#include "forms/dialogsupport.h"
#include "forms/formbuilder.h"
#include "layer2/vlan.h"
#include "layer2/vlanportselect.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int MaxNameLength = 20;
constexpr int MinVLanId = 1;
constexpr int MaxVLanId = 4094;

const std::array<VLanPortSet, 3> allSets{
    VLanPortSet::Members, VLanPortSet::Forbidden, VLanPortSet::Untagged};
const std::array<const char *, 3> setNames{"PortMembers", "ForbiddenPorts", "UntaggedPorts"};
const std::array<const char *, 3> setCaptions{
    "Port Members : ", "Forbidden Ports : ", "Untagged Ports : "};
const std::array<VLanColumn, 3> setColumns{MembersColumn, ForbiddenColumn, UntaggedColumn};

const VLanPortFields::Texts insertTexts{
    "VLanInsert",
    {"VLAN Insert PortMembers", "VLAN Insert ForbiddenPorts", "VLAN Insert Untagged Ports"},
    "Please specify PortMembers value first!",
    "Please specify Port Members value first!",
    true};

const VLanPortFields::Texts editTexts{
    "VLanEdit",
    {"VLAN Edit Port Members", "VLAN Edit Forbidden Ports", "VLAN Edit Untagged Ports"},
    "Please specify PortMembers value first!",
    "Please specify PortMembers value first!",
    false};

size_t at(VLanPortSet set)
{
    return static_cast<size_t>(set);
}

// The editor's form: ID, name, the port sets, status, then the buttons.
void layOut(QDialog *editor,
            QLineEdit *id,
            QLineEdit *name,
            VLanPortFields *ports,
            const QString &status,
            QPushButton *action)
{
    auto *grid = new QGridLayout;
    grid->setColumnMinimumWidth(1, 320);
    addGridRow(grid, u"ID : "_s, id);
    addGridRow(grid, u"Name : "_s, name);
    ports->addRows(grid);
    addGridRow(grid, u"Status : "_s, new QLabel(status));
    QPushButton *close = makeButton(u"Close"_s, u"btnClose"_s);
    QObject::connect(close, &QPushButton::clicked, editor, &QDialog::reject);
    auto *layout = new QVBoxLayout(editor);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(makeButtonBar({action, close}));
}

} // namespace

VLanPortFields::VLanPortFields(const Texts &texts, QDialog *editor)
    : QObject(editor)
    , m_texts(texts)
    , m_editor(editor)
{
    const QString prefix = QString::fromLatin1(texts.namePrefix);
    for (VLanPortSet set : allSets) {
        const QString name = prefix + QString::fromLatin1(setNames[at(set)]);
        QLineEdit *edit = makeEdit(u"edt"_s + name, true);
        // A long port list does not fit the box; the tip shows it whole.
        connect(edit, &QLineEdit::textChanged, edit, [edit](const QString &text) {
            edit->setToolTip(text);
        });
        m_edits[at(set)] = edit;
        auto *button = new QToolButton;
        button->setObjectName(u"sbn"_s + name);
        button->setText(u"..."_s);
        connect(button, &QToolButton::clicked, this, [this, set] { choose(set); });
        m_buttons[at(set)] = button;
    }
}

void VLanPortFields::addRows(QGridLayout *grid)
{
    for (VLanPortSet set : allSets) {
        addGridRow(
            grid, QString::fromLatin1(setCaptions[at(set)]), m_edits[at(set)], m_buttons[at(set)]);
    }
}

QString VLanPortFields::selectable(VLanPortSet set) const
{
    if (set != VLanPortSet::Untagged)
        return QString(VLanPortCount, u'1');
    const QString members = m_sets.bits(VLanPortSet::Members);
    const QString barred = notUntaggable ? notUntaggable() : noPortBits();
    QString usable = noPortBits();
    for (int port = 0; port < VLanPortCount; ++port) {
        if (hasPortAt(members, port) && !hasPortAt(barred, port))
            usable[port] = u'1';
    }
    return usable;
}

void VLanPortFields::choose(VLanPortSet set)
{
    if (set != VLanPortSet::Members && edit(VLanPortSet::Members)->text().isEmpty()) {
        showPlainMessage(m_editor,
                         QString::fromLatin1(set == VLanPortSet::Forbidden
                                                 ? m_texts.forbiddenNeedsMembers
                                                 : m_texts.untaggedNeedsMembers));
        return;
    }
    TfrmVLanPortSelection selection(m_sets.bits(set),
                                    selectable(set),
                                    m_texts.clearUnselectable && set == VLanPortSet::Untagged,
                                    m_editor);
    selection.setObjectName(u"frm"_s + QString::fromLatin1(m_texts.namePrefix)
                            + QString::fromLatin1(setNames[at(set)]));
    selection.setWindowTitle(QString::fromLatin1(m_texts.selectionCaptions[at(set)]));
    if (selection.exec() != QDialog::Accepted)
        return;
    QList<VLanPortSet> rewritten = m_sets.select(set, selection.states());
    rewritten.prepend(set);
    for (VLanPortSet changed : rewritten)
        edit(changed)->setText(portBitsToSelectionText(m_sets.bits(changed)));
}

TfrmVLanInsert::TfrmVLanInsert(QTreeWidget &list, QWidget *parent)
    : QDialog(parent)
    , m_list(list)
    , m_id(makeEdit(u"edtVLanInsertId"_s))
    , m_name(makeEdit(u"edtVLanInsertName"_s))
    , m_ports(new VLanPortFields(insertTexts, this))
{
    setObjectName(u"frmVLanInsert"_s);
    setWindowTitle(u"VLANs Insert"_s);
    m_ports->notUntaggable = [this] {
        return untaggedElsewhere();
    };
    QPushButton *insert = makeButton(u"Insert..."_s, u"btnVLanInsert"_s);
    connect(insert, &QPushButton::clicked, this, &TfrmVLanInsert::btnVLanInsertClick);
    layOut(this, m_id, m_name, m_ports, u"createAndGo"_s, insert);
}

// Every port that is an untagged port of a VLAN in the list.
QString TfrmVLanInsert::untaggedElsewhere() const
{
    QString ports = noPortBits();
    for (int row = 0; row < m_list.topLevelItemCount(); ++row) {
        const QString bits = portTextToBits(m_list.topLevelItem(row)->text(UntaggedColumn));
        for (int port = 0; port < VLanPortCount; ++port) {
            if (bits.at(port) == u'1')
                ports[port] = u'1';
        }
    }
    return ports;
}

bool TfrmVLanInsert::checkInput()
{
    // The ID becomes the row's index on the wire: only a valid VLAN ID may get there.
    static const QRegularExpression digits(u"^[0-9]{1,4}$"_s);
    const QString id = m_id->text().trimmed();
    const int number = id.toInt();
    QString failure;
    QLineEdit *culprit = nullptr;
    if (!digits.match(id).hasMatch() || number < MinVLanId || number > MaxVLanId) {
        failure = u"VLAN ID must be a number from 1 to 4094!"_s;
        culprit = m_id;
    } else if (m_name->text().isEmpty()) {
        failure = u"Name can't be empty!"_s;
        culprit = m_name;
    } else if (m_name->text().size() > MaxNameLength) {
        failure = u"Name length must be less than 20 chars!"_s;
        culprit = m_name;
    } else if (m_ports->edit(VLanPortSet::Members)->text().isEmpty()) {
        failure = u"Please specify PortMembers value!"_s;
    } else {
        return true;
    }
    showPlainMessage(this, failure);
    if (culprit)
        culprit->setFocus();
    return false;
}

void TfrmVLanInsert::btnVLanInsertClick()
{
    if (!checkInput())
        return;
    const VLanPortSets &sets = m_ports->sets();
    auto *row = new QTreeWidgetItem(QStringList{QString::number(m_id->text().trimmed().toInt()),
                                                m_name->text(),
                                                portBitsToHex(sets.bits(VLanPortSet::Members)),
                                                portBitsToHex(sets.bits(VLanPortSet::Forbidden)),
                                                portBitsToHex(sets.bits(VLanPortSet::Untagged)),
                                                u"createAndGo"_s});
    m_list.addTopLevelItem(row);
    m_list.setCurrentItem(row);
    accept();
}

TfrmVLanEdit::TfrmVLanEdit(QTreeWidget &list, QWidget *parent)
    : QDialog(parent)
    , m_list(list)
    , m_id(makeEdit(u"edtVLanEditId"_s, true))
    , m_name(makeEdit(u"edtVLanEditName"_s, true))
    , m_ports(new VLanPortFields(editTexts, this))
{
    setObjectName(u"frmVLanEdit"_s);
    setWindowTitle(u"VLANs Edit"_s);
    QPushButton *apply = makeButton(u"Apply..."_s, u"btnVLanEdit"_s);
    connect(apply, &QPushButton::clicked, this, &TfrmVLanEdit::btnVLanEditClick);
    layOut(this, m_id, m_name, m_ports, u"active"_s, apply);
    FormShow();
}

// Copies the selected row into the boxes and the port sets.
void TfrmVLanEdit::FormShow()
{
    const QTreeWidgetItem *row = m_list.currentItem();
    if (!row)
        return;
    m_id->setText(row->text(IdColumn));
    m_name->setText(row->text(NameColumn));
    for (VLanPortSet set : allSets) {
        const QString cell = row->text(setColumns[at(set)]);
        m_ports->edit(set)->setText(cell);
        m_ports->sets().setBits(set, portTextToBits(cell));
    }
}

void TfrmVLanEdit::btnVLanEditClick()
{
    if (m_ports->edit(VLanPortSet::Members)->text().isEmpty()) {
        showPlainMessage(this, u"Please specify Port Members value!"_s);
        return;
    }
    QTreeWidgetItem *row = m_list.currentItem();
    if (!row)
        return;
    const VLanPortSets &sets = m_ports->sets();
    const QString members = sets.bits(VLanPortSet::Members);
    QString forbidden = sets.bits(VLanPortSet::Forbidden);
    for (int port = 0; port < VLanPortCount; ++port) {
        if (members.at(port) == u'1')
            forbidden[port] = u'0';
    }
    row->setText(MembersColumn, portBitsToHex(members));
    row->setText(ForbiddenColumn, portBitsToHex(forbidden));
    row->setText(UntaggedColumn, portBitsToHex(sets.bits(VLanPortSet::Untagged)));
    row->setText(StatusColumn, u"active"_s);
    m_list.setCurrentItem(row);
    accept();
}
