#pragma once

#include <QString>

#include <initializer_list>
#include <vector>

// One row of a static option table of the integer kind.
struct KxIntOption
{
    int value;
    const char *text;
};

// One row of a static option table of the string kind.
struct KxStringOption
{
    const char *value;
    const char *text;
};

// The value/text pairs of an enumerated MIB object, looked up both ways.
// Look-ups scan from the first item; the first match wins.
class KxOptionList
{
public:
    enum ValueKind : quint32 { IntegerValues = 1, StringValues = 2 };

    struct Entry
    {
        int intValue = 0;
        QString stringValue;
        QString text;
    };

    // A table row whose text is null ends the table.
    explicit KxOptionList(std::initializer_list<KxIntOption> table, bool caseSensitive = false);
    explicit KxOptionList(std::initializer_list<KxStringOption> table, bool caseSensitive = false);

    void Add(std::initializer_list<KxIntOption> table);
    void Add(std::initializer_list<KxStringOption> table);

    ValueKind kind() const { return m_kind; }
    int Count() const { return static_cast<int>(m_items.size()); }
    const Entry &Item(int index) const { return m_items.at(static_cast<size_t>(index)); }
    // The value of the item at index, written as text.
    QString ValueText(int index) const;

    int IndexOfText(const QString &text) const;
    int IndexOfValue(const QString &value) const;
    QString ValueToText(const QString &value) const;
    QString TextToValue(const QString &text) const;

private:
    ValueKind m_kind;
    bool m_caseSensitive;
    std::vector<Entry> m_items;
};
