#pragma once

#include <QString>

#include <type_traits>
#include <vector>

// Numbers parsed from a delimited text ("1,3,5"). Only decimal digits count:
// a "." starts a fraction that is dropped, an empty item is 0, and any other
// character is skipped.
template<typename T>
class KxNumList
{
    static_assert(std::is_integral_v<T>);

public:
    QChar separator = u'.';

    void Parse(const QString &text)
    {
        m_elements.assign(static_cast<size_t>(CountItems(text)), T(0));
        if (m_elements.empty())
            return;
        size_t position = 0;
        bool fraction = false;
        for (const QChar c : text) {
            if (c == separator) {
                ++position;
                fraction = false;
            } else if (c == u'.') {
                fraction = true;
            } else if (c.isDigit() && c.unicode() < 0x80 && !fraction) {
                // Unsigned arithmetic wraps instead of overflowing.
                using U = std::make_unsigned_t<T>;
                const U digit = static_cast<U>(c.unicode() - u'0');
                m_elements[position]
                    = static_cast<T>(static_cast<U>(m_elements[position]) * 10u + digit);
            }
        }
    }

    int IndexOf(T value) const
    {
        for (size_t i = 0; i < m_elements.size(); ++i) {
            if (m_elements[i] == value)
                return static_cast<int>(i);
        }
        return -1;
    }

    int CountItems(const QString &text) const
    {
        return text.isEmpty() ? 0 : 1 + static_cast<int>(text.count(separator));
    }

    int Count() const { return static_cast<int>(m_elements.size()); }
    T operator[](int index) const { return m_elements.at(static_cast<size_t>(index)); }

private:
    std::vector<T> m_elements;
};
