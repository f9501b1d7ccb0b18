#include "store.h"

#include <set>

namespace sim {

Store::Store() = default;
Store::~Store() = default;

ObjectDef &Store::addObject(ObjectDef def)
{
    auto owned = std::make_unique<ObjectDef>(std::move(def));
    ObjectDef &ref = *owned;
    m_objects[ref.oid] = std::move(owned);
    return ref;
}

TableDef &Store::addTable(TableDef table)
{
    auto owned = std::make_unique<TableDef>(std::move(table));
    TableDef &ref = *owned;
    m_tables[ref.entry] = std::move(owned);
    return ref;
}

ObjectDef &Store::addColumn(TableDef &table, ObjectDef def)
{
    def.table = &table;
    def.oid = table.entry;
    def.oid.append(def.column);
    ObjectDef &ref = addObject(std::move(def));
    table.columns.push_back(&ref);
    return ref;
}

const ObjectDef *Store::object(const Oid &oid) const
{
    const auto it = m_objects.find(oid);
    return it == m_objects.end() ? nullptr : it->second.get();
}

const TableDef *Store::table(const Oid &entry) const
{
    const auto it = m_tables.find(entry);
    return it == m_tables.end() ? nullptr : it->second.get();
}

const ObjectDef *Store::objectOfInstance(const Oid &instance, Oid *suffix) const
{
    std::vector<uint32_t> ids = instance.ids();
    while (!ids.empty()) {
        ids.pop_back();
        const auto it = m_objects.find(Oid(ids));
        if (it != m_objects.end()) {
            if (suffix)
                *suffix = instance.tail(ids.size());
            return it->second.get();
        }
    }
    return nullptr;
}

std::vector<const TableDef *> Store::tables() const
{
    std::vector<const TableDef *> result;
    for (const auto &[oid, table] : m_tables)
        result.push_back(table.get());
    return result;
}

std::vector<const ObjectDef *> Store::objects() const
{
    std::vector<const ObjectDef *> result;
    for (const auto &[oid, def] : m_objects)
        result.push_back(def.get());
    return result;
}

Lookup Store::get(const Oid &instance, Value &value) const
{
    const auto provider = m_providers.find(instance);
    const auto it = m_values.find(instance);
    const ObjectDef *def = objectOfInstance(instance);
    if (it != m_values.end()) {
        if (def && def->secret)
            value = Value::octets(Bytes());
        else
            value = provider != m_providers.end() ? provider->second() : it->second;
        return Lookup::Found;
    }
    return def && def->access != Access::NotAccessible ? Lookup::NoSuchInstance
                                                       : Lookup::NoSuchObject;
}

std::optional<std::pair<Oid, Value>> Store::next(const Oid &after, const Oid &within) const
{
    auto it = after < within ? m_values.lower_bound(within) : m_values.upper_bound(after);
    if (it == m_values.end() || !it->first.startsWith(within))
        return std::nullopt;
    Value value;
    get(it->first, value);
    return std::make_pair(it->first, value);
}

std::optional<Value> Store::value(const Oid &instance) const
{
    Value result;
    if (get(instance, result) != Lookup::Found)
        return std::nullopt;
    return result;
}

int64_t Store::number(const Oid &instance, int64_t fallback) const
{
    const auto v = value(instance);
    return v ? v->number() : fallback;
}

void Store::setProvider(const Oid &instance, std::function<Value()> provider)
{
    m_providers[instance] = std::move(provider);
}

void Store::record(const Oid &instance)
{
    if (!m_journal)
        return;
    const auto it = m_values.find(instance);
    m_journal->before.emplace_back(
        instance, it == m_values.end() ? std::nullopt : std::optional<Value>(it->second));
}

void Store::put(const Oid &instance, Value value)
{
    record(instance);
    m_values[instance] = std::move(value);
}

void Store::erase(const Oid &instance)
{
    if (m_values.count(instance) == 0)
        return;
    record(instance);
    m_values.erase(instance);
}

std::vector<Oid> Store::rowIndexes(const TableDef &table) const
{
    std::set<Oid> indexes;
    const size_t columnLength = table.entry.size() + 1;
    for (auto it = m_values.upper_bound(table.entry);
         it != m_values.end() && it->first.startsWith(table.entry);
         ++it) {
        indexes.insert(it->first.tail(columnLength));
    }
    return {indexes.begin(), indexes.end()};
}

bool Store::rowExists(const TableDef &table, const Oid &index) const
{
    for (const ObjectDef *def : table.columns) {
        if (m_values.count(def->oid + index) != 0)
            return true;
    }
    return false;
}

void Store::createRow(const TableDef &table, const Oid &index)
{
    for (const ObjectDef *def : table.columns) {
        if (def->access == Access::NotAccessible || !def->defaultValue)
            continue;
        put(def->oid + index, *def->defaultValue);
    }
}

void Store::eraseRow(const TableDef &table, const Oid &index)
{
    for (const ObjectDef *def : table.columns)
        erase(def->oid + index);
}

void Store::setAction(const Oid &object, std::unique_ptr<Action> action)
{
    m_actions[object] = std::move(action);
}

void Store::setCheck(const Oid &object, std::function<int(const Oid &, const Value &)> check)
{
    m_checks[object] = std::move(check);
}

void Store::setRowCheck(const Oid &object,
                        std::function<int(const Oid &, const Value &, const SetView &)> check)
{
    m_rowChecks[object] = std::move(check);
}

void Store::setDefault(const Oid &object, Value value)
{
    const auto it = m_objects.find(object);
    if (it != m_objects.end())
        it->second->defaultValue = std::move(value);
}

SetResult Store::check(const std::vector<VarBind> &bindings) const
{
    for (size_t i = 0; i < bindings.size(); ++i) {
        const int status = checkBinding(bindings, i);
        if (status != NoError)
            return {status, i};
    }
    for (const auto &requestCheck : m_requestChecks) {
        const SetResult result = requestCheck(bindings);
        if (result.status != NoError)
            return result;
    }
    return {};
}

void Store::addRequestCheck(std::function<SetResult(const std::vector<VarBind> &)> check)
{
    m_requestChecks.push_back(std::move(check));
}

int Store::checkBinding(const std::vector<VarBind> &bindings, size_t i) const
{
    Oid suffix;
    const ObjectDef *def = objectOfInstance(bindings[i].oid, &suffix);
    if (!def || def->access != Access::ReadWrite)
        return NotWritable;
    const int valueStatus = checkValue(*def, bindings[i].value);
    if (valueStatus != NoError)
        return valueStatus;
    if (const auto action = m_actions.find(def->oid); action != m_actions.end())
        return action->second->check(suffix, bindings[i].value);
    const int status = !def->table ? (suffix == Oid{0} ? NoError : NoCreation)
                                   : checkColumn(bindings, i, *def, suffix);
    if (status != NoError)
        return status;
    const auto extra = m_checks.find(def->oid);
    if (extra != m_checks.end()) {
        const int extraStatus = extra->second(suffix, bindings[i].value);
        if (extraStatus != NoError)
            return extraStatus;
    }
    const auto rowCheck = m_rowChecks.find(def->oid);
    if (rowCheck == m_rowChecks.end())
        return NoError;
    const SetView after = [this, &bindings](const Oid &instance) -> std::optional<Value> {
        for (const VarBind &binding : bindings) {
            if (binding.oid == instance)
                return binding.value;
        }
        return value(instance);
    };
    return rowCheck->second(suffix, bindings[i].value, after);
}

int Store::checkValue(const ObjectDef &def, const Value &value) const
{
    if (value.type() != WireType(def.syntax))
        return WrongType;
    if (IsNumeric(value.type()))
        return InRanges(def.values, value.number()) ? NoError : WrongValue;
    const size_t length
        = value.type() == Type::ObjectId ? value.oid().size() : value.bytes().size();
    if (value.type() == Type::IpAddress && length != 4)
        return WrongLength;
    if (def.syntax == Syntax::Mac && length != 6)
        return WrongLength;
    return InRanges(def.sizes, static_cast<int64_t>(length)) ? NoError : WrongLength;
}

int Store::checkColumn(const std::vector<VarBind> &bindings,
                       size_t i,
                       const ObjectDef &def,
                       const Oid &suffix) const
{
    const TableDef &table = *def.table;
    const int64_t v = bindings[i].value.number();
    const bool isControl = table.control != RowControl::None && def.column == table.controlColumn;
    if (!table.validIndex(suffix))
        return NoCreation;
    if (rowExists(table, suffix)) {
        if (isControl && table.control == RowControl::RowStatus) {
            if (v == RowCreateAndGo || v == RowCreateAndWait)
                return InconsistentValue;
            if (v == RowNotReady)
                return WrongValue;
        }
        return table.control == RowControl::EntryStatus
                   ? checkExistingEntry(def, suffix, bindings[i].value, isControl)
                   : NoError;
    }
    if (isControl && removesRow(table, bindings[i].value, def.column))
        return NoError;
    if (isControl && table.control == RowControl::RowStatus && v != RowCreateAndGo
        && v != RowCreateAndWait)
        return v == RowNotReady ? WrongValue : InconsistentValue;
    if (isControl && table.control == RowControl::EntryStatus && v != EntryCreateRequest)
        return v == EntryUnderCreation ? WrongValue : InconsistentValue;
    if (!createsRow(bindings, table, suffix))
        return NoCreation;
    return table.maxRows != 0
                   && rowIndexes(table).size() + rowsCreatedBefore(bindings, i, table, suffix)
                          >= table.maxRows
               ? ResourceUnavailable
               : NoError;
}

// An existing row of an EntryStatus table: only the agent puts a row under
// creation, a row is created once, and the columns that shape its work are
// written before it is made valid.
int Store::checkExistingEntry(const ObjectDef &def,
                              const Oid &index,
                              const Value &value,
                              bool isControl) const
{
    if (isControl) {
        if (value.number() == EntryUnderCreation)
            return WrongValue;
        return value.number() == EntryCreateRequest ? InconsistentValue : NoError;
    }
    const Oid status = def.table->entry + Oid{def.table->controlColumn} + index;
    return def.fixedWhenValid && number(status) == EntryValid ? InconsistentValue : NoError;
}

// The other new rows of the table that the bindings before `i` create: one SET
// creating several rows must not take the table past its limit.
size_t Store::rowsCreatedBefore(const std::vector<VarBind> &bindings,
                                size_t i,
                                const TableDef &table,
                                const Oid &index) const
{
    std::set<Oid> created;
    const Oid control = table.entry + Oid{table.controlColumn};
    for (size_t k = 0; k < i; ++k) {
        if (!bindings[k].oid.startsWith(control))
            continue;
        const Oid other = bindings[k].oid.tail(control.size());
        if (other != index && !rowExists(table, other) && createsRow(bindings, table, other))
            created.insert(other);
    }
    return created.size();
}

bool Store::removesRow(const TableDef &table, const Value &value, uint32_t column) const
{
    if (table.control == RowControl::None || column != table.controlColumn)
        return false;
    if (table.control == RowControl::RowStatus)
        return value.number() == RowDestroy;
    if (table.control == RowControl::EntryStatus)
        return value.number() == EntryInvalid;
    return value.number() == table.deleteValue;
}

bool Store::createsRow(const std::vector<VarBind> &bindings,
                       const TableDef &table,
                       const Oid &index) const
{
    if (table.control == RowControl::None)
        return false;
    const Oid control = table.entry + Oid{table.controlColumn} + index;
    for (const VarBind &binding : bindings) {
        if (binding.oid != control)
            continue;
        const int64_t v = binding.value.number();
        if (table.control == RowControl::RowStatus)
            return v == RowCreateAndGo || v == RowCreateAndWait;
        if (table.control == RowControl::EntryStatus)
            return v == EntryCreateRequest;
        return v != table.deleteValue;
    }
    return false;
}

Journal Store::apply(const std::vector<VarBind> &bindings)
{
    Journal journal;
    m_journal = &journal;
    std::vector<std::pair<const TableDef *, Oid>> removed;
    for (const VarBind &binding : bindings) {
        Oid suffix;
        const ObjectDef *def = objectOfInstance(binding.oid, &suffix);
        if (!def)
            continue;
        if (const auto action = m_actions.find(def->oid); action != m_actions.end()) {
            action->second->apply(suffix, binding.value);
            continue;
        }
        const TableDef *table = def->table;
        if (!table) {
            put(binding.oid, binding.value);
            continue;
        }
        if (removesRow(*table, binding.value, def->column)) {
            removed.emplace_back(table, suffix);
            continue;
        }
        if (!rowExists(*table, suffix))
            createRow(*table, suffix);
        Value stored = binding.value;
        if (table->control == RowControl::RowStatus && def->column == table->controlColumn) {
            const int64_t v = binding.value.number();
            if (v == RowCreateAndGo)
                stored = Value::integer(RowActive);
            else if (v == RowCreateAndWait)
                stored = Value::integer(RowNotInService);
        }
        if (table->control == RowControl::EntryStatus && def->column == table->controlColumn
            && binding.value.number() == EntryCreateRequest)
            stored = Value::integer(EntryUnderCreation);
        put(binding.oid, stored);
    }
    for (const auto &[table, index] : removed)
        eraseRow(*table, index);
    m_journal = nullptr;
    return journal;
}

void Store::revert(const Journal &journal)
{
    for (auto it = journal.before.rbegin(); it != journal.before.rend(); ++it) {
        if (it->second)
            m_values[it->first] = *it->second;
        else
            m_values.erase(it->first);
    }
}

} // namespace sim
