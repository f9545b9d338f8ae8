// Delimited number lists ("0,2,5", "10.0.0.1") parsed without validation.
#pragma once

#include "VtSNMPError.h"

#include <cstdint>
#include <type_traits>

#include <QList>
#include <QString>

template <typename T>
class VtNumList
{
    static_assert(std::is_same_v<T, int> || std::is_same_v<T, unsigned int>,
        "VtNumList holds int or unsigned int");

public:
    VtNumList() = default;

    explicit VtNumList(char delimiter) : Delimiter(delimiter) { }

    /// One element per Delimiter-separated field, every character folded in unchecked as its
    /// code minus '0' ('-' and letters included: callers validate first). A '.' that is not the
    /// delimiter starts a fraction, which never changes the stored integer. Empty text: no
    /// elements. Arithmetic wraps at 32 bits instead of overflowing.
    void Parse(const QString &text)
    {
        m_items.clear();
        if (text.isEmpty()) {
            return;
        }
        std::uint32_t current = 0;
        bool inFraction = false;
        for (const QChar c : text) {
            if (c == QChar::fromLatin1(Delimiter)) {
                m_items.append(fromBits(current));
                current = 0;
                inFraction = false;
            } else if (c == u'.') {
                inFraction = true;
            } else if (!inFraction) {
                current = current * 10u + (std::uint32_t(c.unicode()) - std::uint32_t('0'));
            }
        }
        m_items.append(fromBits(current));
    }

    int Count() const { return int(m_items.size()); }

    /// Element i; throws VtException (-12) outside 0 <= i < Count().
    T Item(int i) const
    {
        if (i < 0 || i >= Count()) {
            RaiseCommonError(12);
        }
        return m_items.at(i);
    }

    int IndexOf(T n) const { return int(m_items.indexOf(n)); }

    /// True when every element lies in [min, max]; true for an empty list.
    bool AllBetween(T min, T max) const requires std::is_same_v<T, unsigned int>
    {
        for (const T n : m_items) {
            if (n < min || n > max) {
                return false;
            }
        }
        return true;
    }

    const QList<T> &Items() const { return m_items; }

    char Delimiter = '.';

private:
    static T fromBits(std::uint32_t bits)
    {
        if constexpr (std::is_same_v<T, int>) {
            return static_cast<int>(bits); // two's complement wrap, as the parser never checks
        } else {
            return bits;
        }
    }

    QList<T> m_items;
};
