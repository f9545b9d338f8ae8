// What the device table declares, spelled out for the tests: value checks per syntax and the full list
// of instances a walk of the product root must return.
#pragma once

#include "MibDefs.h"

#include <string>
#include <vector>

namespace mibtest {

/// The value an object starts with: its default text, or the syntax's zero when that is empty.
std::string effectiveDefault(const sim::ObjectDef &object);

/// Empty when `value` is a valid value of `object` (syntax, length limits, enumeration, range),
/// otherwise why it is not.
std::string invalidBecause(const sim::ObjectDef &object, const std::string &value);

/// `<column oid>.<encoded index>` for one row of a table.
std::string instanceOid(const sim::ObjectDef &column, const sim::TableDef &table,
    const std::vector<std::string> &index);

struct ServedInstance
{
    std::string oid; // full dotted OID, no leading dot
    std::string name;
    sim::Syntax syntax = sim::Syntax::Integer;
};

/// Every instance the device serves at start below the product root: scalars at their instance and
/// the accessible columns of every row a table starts with.
std::vector<ServedInstance> servedInstances(const sim::MibDefinition &mib);

} // namespace mibtest
