// Radio objects several wireless and network pages read: the wireless network settings, the
// wireless mode of each band, the remote access points of a WDS link, the SSID table of the
// primary and additional SSIDs with their RADIUS servers, and the associated clients.
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

/// The SSID table, one row per SSID (dot11MssidIndex 1 the primary, 2-4 "SSID 1" to "SSID 3"):
/// ifIndex and dot11MssidIndex (the row's two index parts), then the 21 columns in table order.
/// The option lists carry the texts the multi-SSID page shows; a page showing other texts for the
/// same values reads with a table of its own. A table list with kMssidKeyCount keys.
extern const UISnmpVar kMssidVars[];
inline constexpr int kMssidKeyCount = 2;
/// How many SSID rows the device serves.
inline constexpr int kMssidRows = 4;

enum MssidVar {
    msIfIndex,
    msIndex,
    msIndividualState,
    msSsid,
    msSuppress,
    msAuthentication,
    msEncryption,
    msWepKeyIndex,
    msWepKey,
    msVlanTagId,
    msCipherType,
    msPassPhrase,
    msKeyType,
    msWmm,
    msGroupKeyUpdateInterval,
    msPriority,
    msAutoRekeyControl,
    msAutoRekeyStartWeek,
    msAutoRekeyStartTime,
    msAutoRekeyTimeInterval,
    msAutoRekeyPassPhrase,
    msVarCount
};

/// The SSID names alone (the two index parts, then dot11MssidSsid): the SSID list other pages
/// offer. A table list with kMssidKeyCount keys.
extern const UISnmpVar kMssidSsidVars[];

enum MssidSsidVar {
    mssIfIndex,
    mssIndex,
    mssSsid,
};

/// The RADIUS server of each SSID: dot11MssidIndex and dot11MssidRADIUSIndex (the row's two index
/// parts), server, port, secret, source (switched out: the device takes no write of it) and the
/// key update interval. A table list with kMssidKeyCount keys.
extern const UISnmpVar kMssidRadiusVars[];

enum MssidRadiusVar {
    mrIndex,
    mrRadiusIndex,
    mrServer,
    mrPort,
    mrSecret,
    mrSource,
    mrKeyUpdateInterval,
};

/// The SSID table walked with one key for each SSID's state alone, as the traffic control page
/// reads it (row 1 the primary SSID, then "SSID 1" on; by row position): the row's first index part,
/// then dot11MssIndividualState with 0 Disable, 1 Enable. A table list with one key.
extern const UISnmpVar kMssidStateVars[];

enum MssidStateVar {
    mstIndex,
    mstIndividualState,
};

/// The remote AP table walked with one key for the MAC address of each WDS link (by row position):
/// the row's first index part, then dot11RemoteApMacAddressList. A table list with one key.
extern const UISnmpVar kRemoteApMacVars[];

enum RemoteApMacVar {
    ramIndex,
    ramMacAddress,
};

/// dot11ClientInformationRefresh: 0 nothing, 1 get (item 1 makes the device collect its clients).
extern const UISnmpVar kClientRefreshVars[];

/// The associated clients the device collected: dot11ClinetIndex (the row's index), MAC address,
/// band, authentication, RSSI, power-saving flag, SSID, uptime and active time. A table list with
/// one key.
extern const UISnmpVar kClientVars[];

enum ClientVar {
    clIndex,
    clMacAddress,
    clBand,
    clAuthentication,
    clRssi,
    clPsm,
    clSsid,
    clUptime,
    clActiveTime,
};

} // namespace wireless
