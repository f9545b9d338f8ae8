// Input checks every page uses for addresses, masks and texts with blank edges.
#include "Checks.h"

#include <array>
#include <optional>

namespace {

using Parts = std::array<int, 4>;

/// The four decimal parts of a dotted text: no leading dot, exactly three dots, each part one or
/// more ASCII digits (no sign, blank or hex). Long runs of digits are capped, not overflowed.
std::optional<Parts> dottedParts(const QString &text)
{
    if (text.isEmpty() || text.startsWith(u'.') || text.count(u'.') != 3) {
        return std::nullopt;
    }
    Parts parts{};
    int index = 0;
    int digits = 0;
    int value = 0;
    for (const QChar c : text) {
        if (c == u'.') {
            if (digits == 0) {
                return std::nullopt;
            }
            parts[static_cast<std::size_t>(index++)] = value;
            digits = 0;
            value = 0;
            continue;
        }
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        ++digits;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 99999) {
            value = 99999; // out of every range anyway
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    parts[3] = value;
    return parts;
}

bool inRange(int value, int low, int high)
{
    return value >= low && value <= high;
}

} // namespace

bool CheckIPAddress(const QString &text)
{
    const std::optional<Parts> p = dottedParts(text);
    return p && inRange((*p)[0], 1, 223) && inRange((*p)[1], 0, 255) && inRange((*p)[2], 0, 255)
        && inRange((*p)[3], 1, 254);
}

bool CheckSubnetMask(const QString &text)
{
    const std::optional<Parts> p = dottedParts(text);
    if (!p || !inRange((*p)[0], 1, 255)) {
        return false;
    }
    quint32 bits = 0;
    for (const int part : *p) {
        if (!inRange(part, 0, 255) || part == 1) {
            return false;
        }
        bits = (bits << 8) | static_cast<quint32>(part);
    }
    // Ones from the top, then only zeros: the inverted mask plus one is a power of two. The
    // second-highest bit set and the lowest clear keep the prefix between 2 and 31.
    const quint32 inverted = ~bits;
    const bool contiguous = (inverted & (inverted + 1)) == 0;
    return contiguous && (bits & 0x40000000u) != 0 && (bits & 1u) == 0;
}

bool CheckBlankEdges(const QString &text)
{
    return !text.isEmpty() && !text.startsWith(u' ') && !text.endsWith(u' ');
}

bool CheckMacAddress(const QString &text)
{
    if (text.size() != 12) {
        return false;
    }
    for (const QChar c : text) {
        const bool hex =
            (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (!hex) {
            return false;
        }
    }
    return true;
}

QString normaliseMac(const QString &text)
{
    return text.toUpper();
}

bool sameMac(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
