#include "forms/roweditor.h"

#include "binding/editconstraint.h"
#include "binding/inputformat.h"
#include "forms/entrychecks.h"
#include "forms/formbuilder.h"
#include "platform/radiogroup.h"
#include "snmp/errors.h"
#include "snmp/optionlist.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int EmptyValue = -3;

QStringList optionTexts(const KxOptionList &options)
{
    QStringList texts;
    for (int i = 0; i < options.Count(); ++i)
        texts.append(options.Item(i).text);
    return texts;
}

QWidget *makeControl(const KxRowField &field)
{
    const QString name = QString::fromLatin1(field.name);
    switch (field.kind) {
    case KxFieldKind::Edit:
        return makeEdit(name);
    case KxFieldKind::Combo: {
        auto *combo = new QComboBox;
        combo->setObjectName(name);
        if (field.options)
            combo->addItems(optionTexts(*field.options));
        return combo;
    }
    case KxFieldKind::Radio: {
        RadioGroup *group = makeRadioGroup(QString::fromLatin1(field.caption), name);
        if (field.items)
            group->setItems(QString::fromLatin1(field.items).split(u'|'));
        else if (field.options)
            group->setItems(optionTexts(*field.options));
        return group;
    }
    default:
        return makeLabel(QString(), name);
    }
}

} // namespace

TRowEditor::TRowEditor(QTreeWidgetItem &row,
                       std::span<const KxRowField> fields,
                       const QString &name,
                       const QString &applyText,
                       QWidget *parent)
    : QDialog(parent)
    , m_row(row)
    , m_fields(fields)
    , m_constraint(std::make_unique<KxEditConstraint>(this, true))
    , m_form(new QGridLayout)
{
    setObjectName(name);
    for (const KxRowField &field : fields) {
        QWidget *made = makeControl(field);
        m_controls.push_back(made);
        if (field.kind == KxFieldKind::Radio)
            addGridRow(m_form, QString(), made);
        else
            addGridRow(m_form, QString::fromLatin1(field.caption), made);
    }
    m_form->setColumnStretch(1, 1);
    fill();
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].kind == KxFieldKind::Edit)
            m_constraint->Attach(static_cast<QLineEdit *>(m_controls[i]),
                                 QString::fromLatin1(fields[i].format));
    }

    QPushButton *applyButton = makeButton(applyText, u"bbtnApply"_s);
    QPushButton *close = makeButton(u"Close"_s, u"bbtnClose"_s);
    connect(applyButton, &QPushButton::clicked, this, &TRowEditor::apply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addStretch(1);
    layout->addLayout(makeButtonBar({applyButton, close}));
}

TRowEditor::~TRowEditor() = default;

QWidget *TRowEditor::fieldControl(const char *name) const
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (qstrcmp(m_fields[i].name, name) == 0)
            return m_controls[i];
    }
    qFatal("no field %s", name);
}

void TRowEditor::fill()
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const KxRowField &field = m_fields[i];
        const QString cell = m_row.text(field.column);
        QWidget *shown = m_controls[i];
        if (auto *edit = qobject_cast<QLineEdit *>(shown))
            edit->setText(cell);
        else if (auto *combo = qobject_cast<QComboBox *>(shown))
            combo->setCurrentIndex(combo->findText(cell));
        else if (auto *group = qobject_cast<RadioGroup *>(shown))
            group->setItemIndex(field.options ? field.options->IndexOfText(cell) : -1);
        else if (auto *label = qobject_cast<QLabel *>(shown))
            label->setText(cell);
    }
}

bool TRowEditor::checkFormats() const
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        auto *edit = qobject_cast<QLineEdit *>(m_controls[i]);
        if (!edit || !edit->isEnabled())
            continue;
        const InputFormat format = ParseInputFormat(QString::fromLatin1(m_fields[i].format));
        QString message;
        if (edit->text().isEmpty() && QStringLiteral("fiu").contains(format.conversion))
            message = CommonMessage(EmptyValue);
        else if (format.validate(edit->text(), &message) == 0)
            continue;
        return checkEntry(false, edit, message);
    }
    return true;
}

void TRowEditor::apply()
{
    if (!checkFormats() || (check && !check()))
        return;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const KxRowField &field = m_fields[i];
        QWidget *shown = m_controls[i];
        if (!shown->isEnabled())
            continue;
        if (auto *edit = qobject_cast<QLineEdit *>(shown)) {
            m_row.setText(field.column, edit->text());
        } else if (auto *combo = qobject_cast<QComboBox *>(shown)) {
            if (combo->currentIndex() >= 0)
                m_row.setText(field.column, combo->currentText());
        } else if (auto *group = qobject_cast<RadioGroup *>(shown)) {
            if (field.options && group->itemIndex() >= 0)
                m_row.setText(field.column, field.options->Item(group->itemIndex()).text);
        }
    }
    if (written)
        written(m_row);
    accept();
}
