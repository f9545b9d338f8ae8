// Option lists several pages share. Pages decide by item index, so the order is part of the
// meaning; a page that shows other texts for the same values declares its own list.
#pragma once

#include "VtOptionList.h"

namespace options {

/// 1 Access Point, 2 WDS with AP, 3 WDS, 4 Wireless Client.
extern const VtOptionList dot11ApMode;
/// The same modes as the Advanced pages show them: 1 Access Point, 2 WDS With Ap, 3 WDS,
/// 4 Wireless Client.
extern const VtOptionList dot11ApModeAdvanced;
/// 0 2.4GHz, 1 5GHz.
extern const VtOptionList dot11Band;
/// 0 Disable, 1 Enable: the switches and entry states of the network pages.
extern const VtOptionList disableEnable;
/// 0 del, 1 add: the action of a command group that adds or deletes a list entry.
extern const VtOptionList delAdd;

/// Item indexes of dot11ApMode.
enum ApModeIndex {
    kApModeAccessPoint = 0,
    kApModeWdsWithAp = 1,
    kApModeWds = 2,
    kApModeWirelessClient = 3,
};

/// Item indexes of disableEnable.
enum SwitchIndex {
    kDisable = 0,
    kEnable = 1,
};

/// Item indexes of delAdd.
enum ActionIndex {
    kActionDel = 0,
    kActionAdd = 1,
};

/// Item indexes of dot11Band.
enum BandIndex {
    kBand24GHz = 0,
    kBand5GHz = 1,
};

} // namespace options
