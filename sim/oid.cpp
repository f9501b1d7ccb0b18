#include "oid.h"

#include <charconv>

namespace sim {

std::optional<Oid> Oid::parse(std::string_view text)
{
    if (!text.empty() && text.front() == '.')
        text.remove_prefix(1);
    std::vector<uint32_t> ids;
    while (!text.empty()) {
        uint32_t id = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
        if (error != std::errc() || end == text.data())
            return std::nullopt;
        ids.push_back(id);
        text.remove_prefix(end - text.data());
        if (text.empty())
            break;
        if (text.front() != '.' || text.size() == 1)
            return std::nullopt;
        text.remove_prefix(1);
    }
    return Oid(std::move(ids));
}

std::string Oid::toString() const
{
    std::string text;
    for (size_t i = 0; i < m_ids.size(); ++i) {
        if (i > 0)
            text += '.';
        text += std::to_string(m_ids[i]);
    }
    return text;
}

bool Oid::startsWith(const Oid &prefix) const
{
    if (prefix.m_ids.size() > m_ids.size())
        return false;
    return std::equal(prefix.m_ids.begin(), prefix.m_ids.end(), m_ids.begin());
}

Oid Oid::tail(size_t n) const
{
    if (n >= m_ids.size())
        return {};
    return Oid(std::vector<uint32_t>(m_ids.begin() + static_cast<std::ptrdiff_t>(n), m_ids.end()));
}

Oid Oid::operator+(const Oid &suffix) const
{
    Oid result = *this;
    result.m_ids.insert(result.m_ids.end(), suffix.m_ids.begin(), suffix.m_ids.end());
    return result;
}

Oid &Oid::append(uint32_t id)
{
    m_ids.push_back(id);
    return *this;
}

Oid operator""_oid(const char *text, size_t length)
{
    return Oid::parse(std::string_view(text, length)).value_or(Oid());
}

} // namespace sim
