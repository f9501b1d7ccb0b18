#pragma once

#include "oid.h"
#include "schema.h"
#include "value.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sim {

// SNMP error-status values a SET can end with.
enum ErrorStatus : int {
    NoError = 0,
    BadValue = 3,
    GenErr = 5,
    WrongType = 7,
    WrongLength = 8,
    WrongValue = 10,
    NoCreation = 11,
    InconsistentValue = 12,
    ResourceUnavailable = 13,
    NotWritable = 17,
    InconsistentName = 18,
};

struct VarBind
{
    Oid oid;
    Value value;
};

struct SetResult
{
    int status = NoError;
    size_t index = 0; // position of the failing binding
};

// What an applied SET changed, oldest first, so that it can be taken back.
struct Journal
{
    std::vector<std::pair<Oid, std::optional<Value>>> before;
};

// Write-only objects whose SET performs an action on the store.
class Action
{
public:
    virtual ~Action() = default;
    virtual int check(const Oid &suffix, const Value &value) const = 0;
    virtual void apply(const Oid &suffix, const Value &value) = 0;
};

enum class Lookup { Found, NoSuchObject, NoSuchInstance };

// The switch's state: object definitions and the values of their instances.
class Store
{
public:
    Store();
    ~Store();
    Store(const Store &) = delete;
    Store &operator=(const Store &) = delete;

    // Schema
    ObjectDef &addObject(ObjectDef def);
    TableDef &addTable(TableDef table);
    // Adds a column to the table last added.
    ObjectDef &addColumn(TableDef &table, ObjectDef def);
    const ObjectDef *object(const Oid &oid) const;
    const TableDef *table(const Oid &entry) const;
    // The definition an instance belongs to, and the instance's suffix.
    const ObjectDef *objectOfInstance(const Oid &instance, Oid *suffix = nullptr) const;
    std::vector<const TableDef *> tables() const;
    std::vector<const ObjectDef *> objects() const;

    // Reading
    Lookup get(const Oid &instance, Value &value) const;
    // The first served instance after `after` inside `within`.
    std::optional<std::pair<Oid, Value>> next(const Oid &after, const Oid &within) const;
    std::optional<Value> value(const Oid &instance) const;
    int64_t number(const Oid &instance, int64_t fallback = 0) const;
    // Values computed when read (clocks, LEDs).
    void setProvider(const Oid &instance, std::function<Value()> provider);

    // Writing without checks (loading, the switch's own behaviour); journaled
    // while a SET is applied.
    void put(const Oid &instance, Value value);
    void erase(const Oid &instance);

    // Rows
    std::vector<Oid> rowIndexes(const TableDef &table) const;
    bool rowExists(const TableDef &table, const Oid &index) const;
    void createRow(const TableDef &table, const Oid &index);
    void eraseRow(const TableDef &table, const Oid &index);

    // SET: check every binding, then apply all or none.
    void setAction(const Oid &object, std::unique_ptr<Action> action);
    // An extra check of SETs of one object, after its type and value checks.
    void setCheck(const Oid &object, std::function<int(const Oid &suffix, const Value &)> check);
    // A check of a whole SET (relations between objects), after every binding passed its own.
    void addRequestCheck(std::function<SetResult(const std::vector<VarBind> &)> check);
    // The value an instance would have after the SET at hand: the SET's own
    // value, else the stored one.
    using SetView = std::function<std::optional<Value>(const Oid &instance)>;
    // A check that sees the other values of the SET (a row written at once).
    void setRowCheck(const Oid &object,
                     std::function<int(const Oid &suffix, const Value &, const SetView &)> check);
    void setDefault(const Oid &object, Value value);
    SetResult check(const std::vector<VarBind> &bindings) const;
    Journal apply(const std::vector<VarBind> &bindings);
    void revert(const Journal &journal);

    // Snapshot of all values, for save and reset.
    std::map<Oid, Value> values() const { return m_values; }
    void restore(std::map<Oid, Value> values) { m_values = std::move(values); }

private:
    int checkBinding(const std::vector<VarBind> &bindings, size_t i) const;
    int checkColumn(const std::vector<VarBind> &bindings,
                    size_t i,
                    const ObjectDef &def,
                    const Oid &suffix) const;
    int checkValue(const ObjectDef &def, const Value &value) const;
    int checkExistingEntry(const ObjectDef &def,
                           const Oid &index,
                           const Value &value,
                           bool isControl) const;
    bool
    createsRow(const std::vector<VarBind> &bindings, const TableDef &table, const Oid &index) const;
    size_t rowsCreatedBefore(const std::vector<VarBind> &bindings,
                             size_t i,
                             const TableDef &table,
                             const Oid &index) const;
    bool removesRow(const TableDef &table, const Value &value, uint32_t column) const;
    void record(const Oid &instance);

    std::map<Oid, std::unique_ptr<ObjectDef>> m_objects;
    std::map<Oid, std::unique_ptr<TableDef>> m_tables;
    std::map<Oid, Value> m_values;
    std::map<Oid, std::function<Value()>> m_providers;
    std::map<Oid, std::unique_ptr<Action>> m_actions;
    std::map<Oid, std::function<int(const Oid &, const Value &)>> m_checks;
    std::vector<std::function<SetResult(const std::vector<VarBind> &)>> m_requestChecks;
    std::map<Oid, std::function<int(const Oid &, const Value &, const SetView &)>> m_rowChecks;
    Journal *m_journal = nullptr;
};

} // namespace sim
