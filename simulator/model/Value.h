// Object identifiers and values as the device model handles them, with their text forms.
#pragma once

#include "MibDefs.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

using Oid = std::vector<std::uint32_t>;

/// Parses "1.3.6.1" (a leading dot is allowed); nullopt on anything else.
std::optional<Oid> parseOid(const std::string &text);
std::string formatOid(const Oid &oid);
bool oidStartsWith(const Oid &oid, const Oid &prefix);

/// The wire type of a value; MacAddress and text travel as OctetString.
enum class ValueType {
    Null,
    Integer,
    OctetString,
    IpAddress,
    ObjectId,
    TimeTicks,
    Counter32,
    Gauge32,
    Counter64
};

struct Value
{
    ValueType type = ValueType::Null;
    long long number = 0; // Integer, TimeTicks, Counter32, Gauge32, Counter64 (low 63 bits)
    std::string octets;   // OctetString, IpAddress (4 bytes)
    Oid oid;              // ObjectId

    bool operator==(const Value &) const = default;

    static Value integer(long long n, ValueType t = ValueType::Integer) { return {t, n, {}, {}}; }

    static Value text(std::string s) { return {ValueType::OctetString, 0, std::move(s), {}}; }
};

ValueType wireType(Syntax syntax);
const char *valueTypeName(ValueType type);

/// Reads a value in the text form of `syntax` (see MibDefs.h); nullopt with `error` set when the text
/// is not a value of that syntax. An empty text gives the syntax's empty value.
std::optional<Value> parseValue(
    Syntax syntax, const std::string &text, std::string *error = nullptr);
/// The text form of a value of `syntax`; MAC addresses come out as 12 upper-case hex digits.
std::string formatValue(Syntax syntax, const Value &value);

} // namespace sim
