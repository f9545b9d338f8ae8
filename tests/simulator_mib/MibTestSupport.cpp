// Value checks and served instances of the device table, for its tests.
#include "MibTestSupport.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace mibtest {

namespace {

bool parseInteger(const std::string &text, long long &value)
{
    if (text.empty()) {
        return false;
    }
    char *end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && end != nullptr && *end == '\0'
        && (std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-');
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    parts.push_back(part);
    return parts;
}

bool isDottedNumbers(const std::string &text)
{
    for (const std::string &part : split(text, '.')) {
        if (part.empty() || !std::all_of(part.begin(), part.end(), [](char c) {
                return std::isdigit(static_cast<unsigned char>(c));
            })) {
            return false;
        }
    }
    return true;
}

std::string macDigits(const std::string &text)
{
    std::string digits;
    for (char c : text) {
        if (c != ':' && c != '-') {
            digits.push_back(c);
        }
    }
    return digits;
}

} // namespace

std::string effectiveDefault(const sim::ObjectDef &object)
{
    if (!object.defaultValue.empty()) {
        return object.defaultValue;
    }
    switch (object.syntax) {
    case sim::Syntax::OctetString:
        return "";
    case sim::Syntax::IpAddress:
        return "0.0.0.0";
    case sim::Syntax::MacAddress:
        return "000000000000";
    case sim::Syntax::ObjectId:
        return "0.0";
    default:
        return "0";
    }
}

std::string invalidBecause(const sim::ObjectDef &object, const std::string &value)
{
    switch (object.syntax) {
    case sim::Syntax::Integer:
    case sim::Syntax::Counter32:
    case sim::Syntax::Gauge32:
    case sim::Syntax::Counter64:
    case sim::Syntax::TimeTicks: {
        long long number = 0;
        if (!parseInteger(value, number)) {
            return "\"" + value + "\" is not a number";
        }
        if (object.syntax != sim::Syntax::Integer && number < 0) {
            return "negative " + value;
        }
        if (!object.values.empty()
            && std::none_of(object.values.begin(), object.values.end(),
                [&](const sim::EnumValue &e) { return e.value == number; })) {
            return value + " is not among the accepted values";
        }
        if (object.hasRange && (number < object.minValue || number > object.maxValue)) {
            return value + " is outside the accepted range";
        }
        return "";
    }
    case sim::Syntax::OctetString: {
        const std::size_t limit =
            object.maxLength > 0 ? static_cast<std::size_t>(object.maxLength) : 255;
        if (value.size() > limit || value.size() < static_cast<std::size_t>(object.minLength)) {
            return "\"" + value + "\" does not fit the length limits";
        }
        return "";
    }
    case sim::Syntax::IpAddress: {
        const std::vector<std::string> parts = split(value, '.');
        long long octet = 0;
        if (parts.size() != 4 || std::any_of(parts.begin(), parts.end(), [&](const std::string &p) {
                return !parseInteger(p, octet) || octet < 0 || octet > 255;
            })) {
            return "\"" + value + "\" is not a dotted quad";
        }
        return "";
    }
    case sim::Syntax::MacAddress: {
        const std::string digits = macDigits(value);
        if (digits.size() != 12 || !std::all_of(digits.begin(), digits.end(), [](char c) {
                return std::isxdigit(static_cast<unsigned char>(c));
            })) {
            return "\"" + value + "\" is not 12 hexadecimal digits";
        }
        return "";
    }
    case sim::Syntax::ObjectId:
        return isDottedNumbers(value) ? "" : "\"" + value + "\" is not an OID";
    }
    return "unknown syntax";
}

std::string instanceOid(
    const sim::ObjectDef &column, const sim::TableDef &table, const std::vector<std::string> &index)
{
    std::string oid = column.oid;
    for (std::size_t i = 0; i < index.size(); ++i) {
        const sim::IndexKind kind =
            i < table.index.size() ? table.index[i] : sim::IndexKind::Integer;
        switch (kind) {
        case sim::IndexKind::Integer:
        case sim::IndexKind::IpAddress:
            oid += "." + index[i];
            break;
        case sim::IndexKind::Mac: {
            const std::string digits = macDigits(index[i]);
            for (std::size_t b = 0; b + 1 < digits.size(); b += 2) {
                oid += "." + std::to_string(std::stoi(digits.substr(b, 2), nullptr, 16));
            }
            break;
        }
        case sim::IndexKind::Text:
            oid += "." + std::to_string(index[i].size());
            for (unsigned char c : index[i]) {
                oid += "." + std::to_string(c);
            }
            break;
        }
    }
    return oid;
}

std::vector<ServedInstance> servedInstances(const sim::MibDefinition &mib)
{
    std::vector<ServedInstance> served;
    for (const sim::ObjectDef &scalar : mib.scalars) {
        served.push_back({scalar.oid + "." + scalar.instance, scalar.name, scalar.syntax});
    }
    for (const sim::TableDef &table : mib.tables) {
        for (const sim::RowDef &row : table.defaultRows) {
            for (const sim::ObjectDef &column : table.columns) {
                if (column.access != sim::Access::NotAccessible) {
                    served.push_back(
                        {instanceOid(column, table, row.index), column.name, column.syntax});
                }
            }
        }
    }
    return served;
}

} // namespace mibtest
