#include "layer2/macfdbfilter.h"

#include "forms/dialogsupport.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "platform/radiogroup.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int MacDigits = 12;

bool isDigits(const QString &text)
{
    static const QRegularExpression digits(u"^[0-9]+$"_s);
    return digits.match(text).hasMatch();
}

// Both are whole numbers of the same value; leading zeros do not count.
bool sameNumber(const QString &cell, const QString &criterion)
{
    bool cellOk = false;
    bool criterionOk = false;
    const qulonglong a = cell.trimmed().toULongLong(&cellOk);
    const qulonglong b = criterion.toULongLong(&criterionOk);
    return cellOk && criterionOk && a == b;
}

} // namespace

bool FdbFilter::keeps(const QString &vlanCell,
                      const QString &addressCell,
                      const QString &portCell) const
{
    QList<bool> matches;
    if (vlanId)
        matches.append(sameNumber(vlanCell, *vlanId));
    if (address)
        matches.append(addressCell.compare(*address, Qt::CaseInsensitive) == 0);
    if (port)
        matches.append(sameNumber(portCell, *port));
    if (anyCriterion)
        return allRecords || matches.contains(true);
    return !matches.contains(false);
}

TfrmMacFDBFilter::TfrmMacFDBFilter(QWidget *parent)
    : QDialog(parent)
    , m_condition(makeRadioGroup(u"Condition : "_s, u"rgpFilterCondition"_s, 2))
    , m_all(new QCheckBox(u"All records"_s))
    , m_vlanId(new QCheckBox(u"VLAN ID"_s))
    , m_address(new QCheckBox(u"Address"_s))
    , m_port(new QCheckBox(u"Port"_s))
    , m_vlanIdText(makeEdit(u"edtFilterVlanId"_s))
    , m_addressText(makeEdit(u"edtFilterAddress"_s))
    , m_portText(makeEdit(u"edtFilterPort"_s))
{
    setObjectName(u"frmMacFDBFilter"_s);
    setWindowTitle(u"MAC FDB Filter Option"_s);
    m_condition->setItems({u"and"_s, u"or"_s});
    m_condition->setItemIndex(0);
    m_all->setObjectName(u"cbxFilterAllRecord"_s);
    m_all->setChecked(true);
    m_vlanId->setObjectName(u"cbxFilterVlanId"_s);
    m_address->setObjectName(u"cbxFilterAddress"_s);
    m_port->setObjectName(u"cbxFilterPort"_s);

    auto *criteria = new QGridLayout;
    criteria->addWidget(m_all, 0, 0);
    criteria->addWidget(new QLabel(u"Contains string as follow,"_s), 0, 1);
    int row = 1;
    for (auto [check, edit] : {std::pair{m_vlanId, m_vlanIdText},
                               std::pair{m_address, m_addressText},
                               std::pair{m_port, m_portText}}) {
        criteria->addWidget(check, row, 0);
        criteria->addWidget(edit, row, 1);
        ++row;
    }
    QPushButton *filter = makeButton(u"Filter..."_s, u"btnFilterAction"_s);
    QPushButton *close = makeCloseButton(this);
    connect(filter, &QPushButton::clicked, this, &TfrmMacFDBFilter::btnFilterActionClick);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_condition);
    layout->addLayout(criteria);
    layout->addStretch(1);
    layout->addLayout(makeButtonBar({filter, close}));
}

FdbFilter TfrmMacFDBFilter::filter() const
{
    FdbFilter made;
    made.allRecords = m_all->isChecked();
    made.anyCriterion = m_condition->itemIndex() == 1;
    if (m_vlanId->isChecked())
        made.vlanId = m_vlanIdText->text();
    if (m_address->isChecked())
        made.address = m_addressText->text();
    if (m_port->isChecked())
        made.port = m_portText->text();
    return made;
}

bool TfrmMacFDBFilter::checkCriteria()
{
    if (!m_all->isChecked() && !m_vlanId->isChecked() && !m_address->isChecked()
        && !m_port->isChecked())
        return checkEntry(false, m_all, u"Please specify the filtering criteria! "_s);
    const std::tuple<QCheckBox *, QLineEdit *, const char *> named[] = {
        {m_vlanId, m_vlanIdText, "VlanId"},
        {m_address, m_addressText, "Address"},
        {m_port, m_portText, "Port"},
    };
    for (const auto &[check, edit, name] : named) {
        if (check->isChecked() && edit->text().isEmpty()) {
            return checkEntry(
                false,
                edit,
                u"Please specify the string criteria for '%1' or uncheck this item!"_s.arg(
                    QLatin1StringView(name)));
        }
    }
    if (m_vlanId->isChecked() && !isDigits(m_vlanIdText->text()))
        return checkEntry(false, m_vlanIdText, u"Invalid 'VlanId' value!"_s);
    if (m_address->isChecked() && !isHexDigits(m_addressText->text(), MacDigits))
        return checkEntry(false, m_addressText, u"Invalid 'Address' value!"_s);
    if (m_port->isChecked() && !isDigits(m_portText->text()))
        return checkEntry(false, m_portText, u"Invalid 'Port' value!"_s);
    return true;
}

void TfrmMacFDBFilter::btnFilterActionClick()
{
    if (checkCriteria())
        accept();
}
