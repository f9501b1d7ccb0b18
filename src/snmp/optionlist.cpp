#include "snmp/optionlist.h"

KxOptionList::KxOptionList(std::initializer_list<KxIntOption> table, bool caseSensitive)
    : m_kind(IntegerValues)
    , m_caseSensitive(caseSensitive)
{
    Add(table);
}

KxOptionList::KxOptionList(std::initializer_list<KxStringOption> table, bool caseSensitive)
    : m_kind(StringValues)
    , m_caseSensitive(caseSensitive)
{
    Add(table);
}

void KxOptionList::Add(std::initializer_list<KxIntOption> table)
{
    for (const KxIntOption &row : table) {
        if (!row.text)
            break;
        m_items.push_back({row.value, {}, QString::fromUtf8(row.text)});
    }
}

void KxOptionList::Add(std::initializer_list<KxStringOption> table)
{
    for (const KxStringOption &row : table) {
        if (!row.text)
            break;
        m_items.push_back({0, QString::fromUtf8(row.value), QString::fromUtf8(row.text)});
    }
}

QString KxOptionList::ValueText(int index) const
{
    const Entry &item = Item(index);
    return m_kind == IntegerValues ? QString::number(item.intValue) : item.stringValue;
}

int KxOptionList::IndexOfText(const QString &text) const
{
    const Qt::CaseSensitivity cs = m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int i = 0; i < Count(); ++i) {
        if (m_items[static_cast<size_t>(i)].text.compare(text, cs) == 0)
            return i;
    }
    return -1;
}

int KxOptionList::IndexOfValue(const QString &value) const
{
    if (m_kind == IntegerValues) {
        bool ok = false;
        const int number = value.trimmed().toInt(&ok);
        if (!ok)
            return -1;
        for (int i = 0; i < Count(); ++i) {
            if (m_items[static_cast<size_t>(i)].intValue == number)
                return i;
        }
        return -1;
    }
    const Qt::CaseSensitivity cs = m_caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int i = 0; i < Count(); ++i) {
        if (m_items[static_cast<size_t>(i)].stringValue.compare(value, cs) == 0)
            return i;
    }
    return -1;
}

QString KxOptionList::ValueToText(const QString &value) const
{
    const int index = IndexOfValue(value);
    return index < 0 ? value : Item(index).text;
}

QString KxOptionList::TextToValue(const QString &text) const
{
    const int index = IndexOfText(text);
    return index < 0 ? text : ValueText(index);
}
