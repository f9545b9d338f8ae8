// What the main window hands every page it opens: the module's periods and time-out scale, the
// device state its polls keep, and the page state that outlives one page.
#pragma once

#include "ModuleSettings.h"
#include "PageState.h"

class DeviceState;

struct PageContext
{
    ModuleSettings settings;
    DeviceState *device = nullptr; ///< null when no main window runs (tools, tests)
    PageState *pages = &PageState::module();
};
