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
/// 0 Disable, 1 Enable: the radio's switches (SSID visibility, encryption, protection, ...) and the
/// switches and entry states of the network pages.
extern const VtOptionList disableEnable;
/// 0 del, 1 add: the action of a command group that adds or deletes a list entry.
extern const VtOptionList delAdd;

/// dot11WifiMode on 2.4 GHz: 6 n/g/b, 3 g/b, 2 n only.
extern const VtOptionList dot11WifiMode24;
/// dot11WifiMode on 5 GHz: 9 n/a, 7 a only, 8 n only.
extern const VtOptionList dot11WifiMode5;

/// dot11ChannelWidth: 1 20MHz, 2 Auto 20/40 MHz.
extern const VtOptionList dot11ChannelWidth;

/// The primary SSID's security: the device's authentication values, key index, WEP key entry
/// method, cipher, rekeying and its start day.
extern const VtOptionList dot11Authentication;
extern const VtOptionList dot11KeyIndex;
extern const VtOptionList dot11WepKeyEntryMethod;
extern const VtOptionList dot11CipherType;
extern const VtOptionList dot11AutoRekeyControl;
extern const VtOptionList dot11AutoRekeyStartWeek;

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

/// Item indexes of dot11WepKeyEntryMethod.
enum KeyTypeIndex {
    kKeyAscii = 0,
    kKeyHex = 1,
};

/// Item indexes of dot11AutoRekeyControl.
enum RekeyIndex {
    kRekeyManual = 0,
    kRekeyPeriodic = 1,
};

} // namespace options
