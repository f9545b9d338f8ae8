// Every period and limit of the module in one place, so tests can shorten them.
#include "ModuleSettings.h"

#include <cmath>
#include <limits>

int ModuleSettings::scaledTimeout(int hundredths) const
{
    const double scaled = std::ceil(static_cast<double>(hundredths) * timeoutScale);
    if (!(scaled >= 1.0)) { // also catches NaN from a nonsense scale
        return 1;
    }
    if (scaled >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(scaled);
}
