// The shared option lists, kept for the whole run. Static tables take their addresses only, so
// the order in which translation units start up does not matter.
#include "SharedOptions.h"

namespace options {

const VtOptionList dot11ApMode{
    {1, "Access Point"}, {2, "WDS with AP"}, {3, "WDS"}, {4, "Wireless Client"}};
const VtOptionList dot11ApModeAdvanced{
    {1, "Access Point"}, {2, "WDS With Ap"}, {3, "WDS"}, {4, "Wireless Client"}};
const VtOptionList dot11Band{{0, "2.4GHz"}, {1, "5GHz"}};
const VtOptionList disableEnable{{0, "Disable"}, {1, "Enable"}};
const VtOptionList delAdd{{0, "del"}, {1, "add"}};

} // namespace options
