#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// An object identifier as its sub-identifiers; ordered the way GET-NEXT walks.
class Oid
{
public:
    Oid() = default;
    Oid(std::initializer_list<uint32_t> ids)
        : m_ids(ids)
    {}
    explicit Oid(std::vector<uint32_t> ids)
        : m_ids(std::move(ids))
    {}

    // Parses "1.3.6.1" (a leading dot is allowed); nullopt on anything else.
    static std::optional<Oid> parse(std::string_view text);
    std::string toString() const;

    const std::vector<uint32_t> &ids() const { return m_ids; }
    size_t size() const { return m_ids.size(); }
    bool empty() const { return m_ids.empty(); }
    uint32_t operator[](size_t i) const { return m_ids[i]; }

    // True when this OID lies in the subtree rooted at prefix (or equals it).
    bool startsWith(const Oid &prefix) const;
    // The sub-identifiers after the first n.
    Oid tail(size_t n) const;
    Oid operator+(const Oid &suffix) const;
    Oid &append(uint32_t id);

    auto operator<=>(const Oid &other) const = default;

private:
    std::vector<uint32_t> m_ids;
};

// A literal OID of the switch's own tables: "1.3.6.1.2.1.1.3.0"_oid.
Oid operator""_oid(const char *text, size_t length);

} // namespace sim
