#include "layer2/vlaneditors.h"

#include "forms/dialogsupport.h"
#include "forms/formbuilder.h"
#include "forms/portselection.h"
#include "layer2/vlan.h"

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

PortSet VLanPortFields::unusable(VLanPortSet set) const
{
    if (set != VLanPortSet::Untagged)
        return {};
    const PortSet barred = notUntaggable ? notUntaggable() : PortSet();
    return (PortSet::all() - m_sets.ports(VLanPortSet::Members)) | barred;
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
    PortSelectionOptions options;
    options.disabled = unusable(set);
    options.clearDisabled = m_texts.clearUnselectable && set == VLanPortSet::Untagged;
    PortSelectionDialog selection(m_sets.ports(set), options, m_editor);
    selection.setObjectName(u"frm"_s + QString::fromLatin1(m_texts.namePrefix)
                            + QString::fromLatin1(setNames[at(set)]));
    selection.setWindowTitle(QString::fromLatin1(m_texts.selectionCaptions[at(set)]));
    if (selection.exec() != QDialog::Accepted)
        return;
    QList<VLanPortSet> rewritten = m_sets.select(set, selection.ports());
    rewritten.prepend(set);
    for (VLanPortSet changed : rewritten)
        edit(changed)->setText(m_sets.ports(changed).toSelectionText());
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
PortSet TfrmVLanInsert::untaggedElsewhere() const
{
    PortSet ports;
    for (int row = 0; row < m_list.topLevelItemCount(); ++row)
        ports = ports | PortSet::fromText(m_list.topLevelItem(row)->text(UntaggedColumn));
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
                                                sets.ports(VLanPortSet::Members).toHex(),
                                                sets.ports(VLanPortSet::Forbidden).toHex(),
                                                sets.ports(VLanPortSet::Untagged).toHex(),
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
        m_ports->sets().setPorts(set, PortSet::fromText(cell));
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
    const PortSet members = sets.ports(VLanPortSet::Members);
    row->setText(MembersColumn, members.toHex());
    row->setText(ForbiddenColumn, (sets.ports(VLanPortSet::Forbidden) - members).toHex());
    row->setText(UntaggedColumn, sets.ports(VLanPortSet::Untagged).toHex());
    row->setText(StatusColumn, u"active"_s);
    m_list.setCurrentItem(row);
    accept();
}
