#include "forms/fieldtable.h"

#include "binding/inputformat.h"
#include "forms/formbuilder.h"
#include "platform/radiogroup.h"
#include "snmp/kxexception.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

std::vector<KxSNMPVarDesc> FieldDescriptors(std::span<const KxField> fields)
{
    std::vector<KxSNMPVarDesc> table;
    table.reserve(fields.size() + 1);
    for (const KxField &field : fields)
        table.push_back(field.var);
    table.push_back({});
    return table;
}

QWidget *MakeFieldControl(const KxField &field)
{
    const QString name = QString::fromLatin1(field.name);
    const QString caption = QString::fromLatin1(field.caption);
    switch (field.kind) {
    case KxFieldKind::None:
        return nullptr;
    case KxFieldKind::Label:
        return makeLabel(QString(), name);
    case KxFieldKind::Edit:
        return makeEdit(name);
    case KxFieldKind::ReadOnlyEdit:
        return makeEdit(name, true);
    case KxFieldKind::Combo: {
        auto *combo = new QComboBox;
        combo->setObjectName(name);
        return combo;
    }
    case KxFieldKind::Radio:
        return makeRadioGroup(caption, name, field.columns);
    case KxFieldKind::Check: {
        auto *check = new QCheckBox(caption);
        check->setObjectName(name);
        return check;
    }
    }
    return nullptr;
}

QString RangeHint(const QString &format)
{
    InputFormat parsed;
    try {
        parsed = ParseInputFormat(format);
    } catch (const KxException &) {
        return {};
    }
    if (!QStringLiteral("fiu").contains(parsed.conversion))
        return {};
    // A range the format does not state is no hint.
    const InputFormat unbounded = ParseInputFormat(u"%"_s + parsed.conversion);
    if (parsed.lower == unbounded.lower && parsed.upper == unbounded.upper)
        return {};
    return u"(%1...%2)"_s.arg(QString::number(parsed.lower, 'g', 15),
                              QString::number(parsed.upper, 'g', 15));
}

QString FieldHint(const KxField &field)
{
    if (field.hint)
        return QString::fromLatin1(field.hint);
    return field.kind == KxFieldKind::Edit ? RangeHint(QString::fromLatin1(field.format))
                                           : QString();
}
