#include "schema.h"

#include <algorithm>
#include <map>

namespace sim {

bool InRanges(const std::vector<Range> &ranges, int64_t v)
{
    return ranges.empty() || std::any_of(ranges.begin(), ranges.end(), [v](const Range &r) {
               return r.contains(v);
           });
}

Type WireType(Syntax syntax)
{
    switch (syntax) {
    case Syntax::Integer:
        return Type::Integer;
    case Syntax::Text:
    case Syntax::Octets:
    case Syntax::PortList:
    case Syntax::Mac:
        return Type::OctetString;
    case Syntax::IpAddress:
        return Type::IpAddress;
    case Syntax::ObjectId:
        return Type::ObjectId;
    case Syntax::Counter:
        return Type::Counter32;
    case Syntax::Gauge:
        return Type::Gauge32;
    case Syntax::TimeTicks:
        return Type::TimeTicks;
    case Syntax::Counter64:
        return Type::Counter64;
    }
    return Type::Integer;
}

std::optional<Syntax> SyntaxFromName(std::string_view name)
{
    static const std::map<std::string_view, Syntax> names = {
        {"integer", Syntax::Integer},
        {"text", Syntax::Text},
        {"octets", Syntax::Octets},
        {"portlist", Syntax::PortList},
        {"mac", Syntax::Mac},
        {"ipaddress", Syntax::IpAddress},
        {"oid", Syntax::ObjectId},
        {"counter", Syntax::Counter},
        {"gauge", Syntax::Gauge},
        {"timeticks", Syntax::TimeTicks},
        {"counter64", Syntax::Counter64},
    };
    const auto it = names.find(name);
    if (it == names.end())
        return std::nullopt;
    return it->second;
}

const ObjectDef *TableDef::column(uint32_t number) const
{
    for (const ObjectDef *def : columns) {
        if (def->column == number)
            return def;
    }
    return nullptr;
}

namespace {

// Consumes one length-prefixed (or implied) run of sub-identifiers.
bool TakeRun(const Oid &suffix, size_t &pos, std::optional<size_t> length, const IndexPart &part)
{
    size_t n = 0;
    if (length) {
        n = *length;
    } else {
        if (pos >= suffix.size())
            return false;
        n = suffix[pos++];
    }
    if (pos + n > suffix.size() || !InRanges(part.limits, static_cast<int64_t>(n)))
        return false;
    for (size_t i = 0; i < n; ++i) {
        if (part.kind != IndexKind::ObjectId && suffix[pos + i] > 255)
            return false;
    }
    pos += n;
    return true;
}

} // namespace

bool TableDef::validIndex(const Oid &suffix) const
{
    size_t pos = 0;
    for (size_t i = 0; i < index.size(); ++i) {
        const IndexPart &part = index[i];
        switch (part.kind) {
        case IndexKind::Integer:
            if (pos >= suffix.size() || !InRanges(part.limits, suffix[pos]))
                return false;
            ++pos;
            break;
        case IndexKind::String:
        case IndexKind::ObjectId:
            if (!TakeRun(suffix, pos, std::nullopt, part))
                return false;
            break;
        case IndexKind::ImpliedString:
            if (i + 1 != index.size() || !TakeRun(suffix, pos, suffix.size() - pos, part))
                return false;
            break;
        case IndexKind::IpAddress:
            if (!TakeRun(suffix, pos, 4, IndexPart{part.kind, {}}))
                return false;
            break;
        case IndexKind::Mac:
            if (!TakeRun(suffix, pos, 6, IndexPart{part.kind, {}}))
                return false;
            break;
        }
    }
    return pos == suffix.size();
}

} // namespace sim
