// What the main window hands every page it opens: the module's periods and time-out scale, and
// the device state its polls keep.
#pragma once

#include "ModuleSettings.h"

class DeviceState;

struct PageContext
{
    ModuleSettings settings;
    DeviceState *device = nullptr; ///< null when no main window runs (tools, tests)
};
