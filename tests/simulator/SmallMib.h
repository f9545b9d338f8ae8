// A small device table for the in-process tests of the model: a few settings of each syntax, a fixed
// table edited through a command group, a dynamic table with add and delete objects, a status table
// with its refresh trigger, and the command objects the behaviours act on.
#pragma once

#include "MibDefs.h"

namespace simtest {

const sim::MibDefinition &smallMib();

} // namespace simtest
