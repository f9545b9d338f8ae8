// Radio objects several wireless and network pages read: the wireless network settings, the
// wireless mode of each band and the remote access points of a WDS link.
#pragma once

#include "UISnmpVar.h"

namespace wireless {

/// dot11Ssid, dot11SsidBroadcast, dot11Channel, dot11ABandChannelList (read-only),
/// dot11AutoChannelScan, dot11ApMode, dot11Band, dot11ChannelWidth.
extern const UISnmpVar kWirelessNetworkVars[];

enum WirelessNetworkVar {
    wnSsid,
    wnSsidBroadcast,
    wnChannel,
    wnChannelList,
    wnAutoChannelScan,
    wnApMode,
    wnBand,
    wnChannelWidth,
};

/// dot11WifiMode with the 2.4 GHz list (bound to CB_WMode1) and with the 5 GHz list (CB_WMode2):
/// read the one of the band in use.
extern const UISnmpVar kWifiMode24Vars[];
extern const UISnmpVar kWifiMode5Vars[];

/// The remote AP table: ifIndex of the radio and the entry index (the row's two index parts), then
/// the MAC address. A table list with kRemoteApKeyCount keys.
extern const UISnmpVar kRemoteApVars[];
inline constexpr int kRemoteApKeyCount = 2;

enum RemoteApVar {
    raIfIndex,
    raIndex,
    raMacAddress,
};

} // namespace wireless
