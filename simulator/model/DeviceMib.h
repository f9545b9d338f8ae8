// The access point's object table (deviceMib(), declared in MibDefs.h) and its grouping by page.
#pragma once

#include "MibDefs.h"

#include <string>
#include <vector>

namespace sim {

/// One page group of the device table: the objects declared under it (scalars and served table
/// columns; index columns are not counted). An object several pages use is declared, and counted,
/// once: in the group of the page that edits it.
struct MibPage
{
    std::string name;
    int objects = 0;
};

/// The page groups of deviceMib(), in table order.
const std::vector<MibPage> &deviceMibPages();

} // namespace sim
