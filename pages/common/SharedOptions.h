// Option lists several pages share. Pages decide by item index, so the order is part of the
// meaning; a page that shows other texts for the same values declares its own list.
#pragma once

#include "VtOptionList.h"

namespace options {

/// 1 Access Point, 2 WDS with AP, 3 WDS, 4 Wireless Client.
extern const VtOptionList dot11ApMode;
/// 0 2.4GHz, 1 5GHz.
extern const VtOptionList dot11Band;

/// Item indexes of dot11ApMode.
enum ApModeIndex {
    kApModeAccessPoint = 0,
    kApModeWdsWithAp = 1,
    kApModeWds = 2,
    kApModeWirelessClient = 3,
};

/// Item indexes of dot11Band.
enum BandIndex {
    kBand24GHz = 0,
    kBand5GHz = 1,
};

} // namespace options
