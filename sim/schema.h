#pragma once

#include "oid.h"
#include "value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// How an object is written in the data file; each maps to one wire type.
enum class Syntax {
    Integer,
    Text,      // DisplayString: "quoted text"
    Octets,    // hex octets: 0x0A0B
    PortList,  // BITS / port list, hex octets
    Mac,       // six octets, hex
    IpAddress, // a.b.c.d
    ObjectId,
    Counter,
    Gauge,
    TimeTicks,
    Counter64,
};

enum class Access { NotAccessible, ReadOnly, ReadWrite };

// An inclusive range; an enumeration is a list of one-value ranges.
struct Range
{
    int64_t low = 0;
    int64_t high = 0;
    bool contains(int64_t v) const { return v >= low && v <= high; }
};

bool InRanges(const std::vector<Range> &ranges, int64_t v);

Type WireType(Syntax syntax);
std::optional<Syntax> SyntaxFromName(std::string_view name);

struct TableDef;

// A scalar or a table column.
struct ObjectDef
{
    Oid oid;
    std::string name;
    Syntax syntax = Syntax::Integer;
    Access access = Access::ReadOnly;
    std::vector<Range> values; // allowed numbers (ranges or enumeration); empty = any
    std::vector<Range> sizes;  // allowed octet-string lengths; empty = any
    std::optional<Value> defaultValue;
    bool fixedWhenValid = false; // EntryStatus tables: not writable while the row is valid
    bool secret = false;         // a key: written, but read back as an empty string
    const TableDef *table = nullptr;
    uint32_t column = 0;
};

enum class IndexKind { Integer, String, ImpliedString, IpAddress, Mac, ObjectId };

struct IndexPart
{
    IndexKind kind = IndexKind::Integer;
    std::vector<Range> limits; // integer values, or string lengths
};

// How rows come and go.
enum class RowControl {
    None,        // fixed rows
    RowStatus,   // RowStatus column: createAndGo/createAndWait create, destroy removes
    DeleteValue, // status column: a delete value removes the row, any other value creates it
    EntryStatus, // RMON EntryStatus column: createRequest creates, invalid removes
};

struct TableDef
{
    Oid entry;
    std::string name;
    std::vector<IndexPart> index;
    std::vector<const ObjectDef *> columns; // in declaration order
    RowControl control = RowControl::None;
    uint32_t controlColumn = 0;
    int64_t deleteValue = 0; // DeleteValue only
    size_t maxRows = 0;      // 0: no limit

    const ObjectDef *column(uint32_t number) const;
    // Splits an instance suffix into its index components; false when malformed
    // or outside the index limits.
    bool validIndex(const Oid &suffix) const;
};

// RowStatus values.
enum RowStatus : int64_t {
    RowActive = 1,
    RowNotInService = 2,
    RowNotReady = 3,
    RowCreateAndGo = 4,
    RowCreateAndWait = 5,
    RowDestroy = 6,
};

// RMON EntryStatus values: a row is created under creation, its columns are
// written, and setting it valid puts it to work.
enum EntryStatus : int64_t {
    EntryValid = 1,
    EntryCreateRequest = 2,
    EntryUnderCreation = 3,
    EntryInvalid = 4,
};

} // namespace sim
