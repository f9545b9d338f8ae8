// Object identifiers and values: parsing and printing their text forms.
#include "Value.h"

#include <cctype>
#include <cstdio>
#include <limits>

namespace sim {

std::optional<Oid> parseOid(const std::string &text)
{
    Oid oid;
    std::size_t i = (!text.empty() && text[0] == '.') ? 1 : 0;
    if (i >= text.size()) {
        return std::nullopt;
    }
    while (i < text.size()) {
        unsigned long long sub = 0;
        std::size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            sub = sub * 10 + static_cast<unsigned>(text[i] - '0');
            if (sub > std::numeric_limits<std::uint32_t>::max()) {
                return std::nullopt;
            }
            ++i;
        }
        if (i == start) {
            return std::nullopt;
        }
        oid.push_back(static_cast<std::uint32_t>(sub));
        if (i < text.size()) {
            if (text[i] != '.' || i + 1 == text.size()) {
                return std::nullopt;
            }
            ++i;
        }
    }
    return oid;
}

std::string formatOid(const Oid &oid)
{
    std::string out;
    for (std::size_t i = 0; i < oid.size(); ++i) {
        if (i) {
            out += '.';
        }
        out += std::to_string(oid[i]);
    }
    return out;
}

bool oidStartsWith(const Oid &oid, const Oid &prefix)
{
    return oid.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

ValueType wireType(Syntax syntax)
{
    switch (syntax) {
    case Syntax::Integer:
        return ValueType::Integer;
    case Syntax::OctetString:
    case Syntax::MacAddress:
        return ValueType::OctetString;
    case Syntax::IpAddress:
        return ValueType::IpAddress;
    case Syntax::TimeTicks:
        return ValueType::TimeTicks;
    case Syntax::ObjectId:
        return ValueType::ObjectId;
    case Syntax::Counter32:
        return ValueType::Counter32;
    case Syntax::Gauge32:
        return ValueType::Gauge32;
    case Syntax::Counter64:
        return ValueType::Counter64;
    }
    return ValueType::Null;
}

const char *valueTypeName(ValueType type)
{
    switch (type) {
    case ValueType::Null:
        return "Null";
    case ValueType::Integer:
        return "INTEGER";
    case ValueType::OctetString:
        return "OCTET STRING";
    case ValueType::IpAddress:
        return "IpAddress";
    case ValueType::ObjectId:
        return "OBJECT IDENTIFIER";
    case ValueType::TimeTicks:
        return "TimeTicks";
    case ValueType::Counter32:
        return "Counter32";
    case ValueType::Gauge32:
        return "Gauge32";
    case ValueType::Counter64:
        return "Counter64";
    }
    return "?";
}

namespace {

bool setError(std::string *error, const std::string &text)
{
    if (error) {
        *error = text;
    }
    return false;
}

std::optional<long long> parseNumber(const std::string &text)
{
    if (text.empty() || text.size() > 20) {
        return std::nullopt;
    }
    std::size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) {
        return std::nullopt;
    }
    long long n = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            return std::nullopt;
        }
        if (n > (std::numeric_limits<long long>::max() - 9) / 10) {
            return std::nullopt;
        }
        n = n * 10 + (text[i] - '0');
    }
    return text[0] == '-' ? -n : n;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

} // namespace

std::optional<Value> parseValue(Syntax syntax, const std::string &text, std::string *error)
{
    Value v;
    v.type = wireType(syntax);
    switch (syntax) {
    case Syntax::Integer:
    case Syntax::TimeTicks:
    case Syntax::Counter32:
    case Syntax::Gauge32:
    case Syntax::Counter64: {
        if (text.empty()) {
            return v;
        }
        auto n = parseNumber(text);
        if (!n) {
            setError(error, "not a number: " + text);
            return std::nullopt;
        }
        if (syntax == Syntax::Integer
            && (*n < std::numeric_limits<std::int32_t>::min()
                || *n > std::numeric_limits<std::int32_t>::max())) {
            setError(error, "out of the INTEGER range: " + text);
            return std::nullopt;
        }
        if (syntax != Syntax::Integer && *n < 0) {
            setError(error, "negative: " + text);
            return std::nullopt;
        }
        if ((syntax == Syntax::TimeTicks || syntax == Syntax::Counter32
                || syntax == Syntax::Gauge32)
            && *n > 0xffffffffLL) {
            setError(error, "out of range: " + text);
            return std::nullopt;
        }
        v.number = *n;
        return v;
    }
    case Syntax::OctetString:
        v.octets = text;
        return v;
    case Syntax::IpAddress: {
        if (text.empty()) {
            v.octets = std::string(4, '\0');
            return v;
        }
        unsigned a[4];
        char tail = 0;
        if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a[0], &a[1], &a[2], &a[3], &tail) != 4
            || a[0] > 255 || a[1] > 255 || a[2] > 255 || a[3] > 255
            || !std::isdigit(static_cast<unsigned char>(text[0]))) {
            setError(error, "not an IP address: " + text);
            return std::nullopt;
        }
        for (unsigned x : a) {
            v.octets += static_cast<char>(x);
        }
        return v;
    }
    case Syntax::MacAddress: {
        std::string digits;
        for (char c : text) {
            if (c == ':' || c == '-') {
                continue;
            }
            if (hexDigit(c) < 0) {
                setError(error, "not a MAC address: " + text);
                return std::nullopt;
            }
            digits += c;
        }
        if (text.empty()) {
            digits = "000000000000";
        }
        if (digits.size() != 12) {
            setError(error, "not a MAC address: " + text);
            return std::nullopt;
        }
        for (std::size_t i = 0; i < 12; i += 2) {
            v.octets += static_cast<char>(hexDigit(digits[i]) * 16 + hexDigit(digits[i + 1]));
        }
        return v;
    }
    case Syntax::ObjectId: {
        if (text.empty()) {
            v.oid = {0, 0};
            return v;
        }
        auto oid = parseOid(text);
        if (!oid) {
            setError(error, "not an OID: " + text);
            return std::nullopt;
        }
        v.oid = *oid;
        return v;
    }
    }
    return std::nullopt;
}

std::string formatValue(Syntax syntax, const Value &value)
{
    switch (value.type) {
    case ValueType::Null:
        return "(NULL)";
    case ValueType::Integer:
    case ValueType::TimeTicks:
    case ValueType::Counter32:
    case ValueType::Gauge32:
    case ValueType::Counter64:
        return std::to_string(value.number);
    case ValueType::ObjectId:
        return formatOid(value.oid);
    case ValueType::IpAddress:
    case ValueType::OctetString:
        break;
    }
    if (value.type == ValueType::IpAddress
        || (syntax == Syntax::IpAddress && value.octets.size() == 4)) {
        std::string out;
        for (std::size_t i = 0; i < value.octets.size(); ++i) {
            if (i) {
                out += '.';
            }
            out += std::to_string(static_cast<unsigned char>(value.octets[i]));
        }
        return out;
    }
    if (syntax == Syntax::MacAddress) {
        static const char kHex[] = "0123456789ABCDEF";
        std::string out;
        for (char c : value.octets) {
            out += kHex[static_cast<unsigned char>(c) >> 4];
            out += kHex[static_cast<unsigned char>(c) & 15];
        }
        return out;
    }
    return value.octets;
}

} // namespace sim
