// The shared radio tables.
#include "WirelessTables.h"

#include "ApMib.h"
#include "SharedOptions.h"

namespace wireless {

namespace {

const VtOptionList olChannelWidth{{1, "20MHz"}, {2, "Auto 20/40 MHz"}};

} // namespace

const UISnmpVar kWirelessNetworkVars[] = {
    {AP_OID("2.1.3.3.1.1.1.1.1"), "dot11Ssid", synDisplayString, vfRead | vfWrite},
    {AP_OID("2.1.3.3.1.1.1.2.1"), "dot11SsidBroadcast", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {AP_OID("2.1.3.3.1.1.1.3.1"), "dot11Channel", synInteger, vfRead | vfWrite},
    {AP_OID("2.1.3.3.1.1.1.4.1"), "dot11ABandChannelList", synDisplayString, vfRead},
    {AP_OID("2.1.3.3.1.1.1.24.1"), "dot11AutoChannelScan", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {mib::dot11ApMode, "dot11ApMode", synInteger, vfRead | vfWrite, &options::dot11ApMode},
    {mib::dot11Band, "dot11Band", synInteger, vfRead | vfWrite, &options::dot11Band},
    {AP_OID("2.1.3.3.1.1.1.29.1"), "dot11ChannelWidth", synInteger, vfRead | vfWrite,
        &olChannelWidth},
    {nullptr},
};

const UISnmpVar kWifiMode24Vars[] = {
    {AP_OID("2.1.3.3.1.1.1.16.1"), "dot11WifiMode", synInteger, vfRead | vfWrite,
        &options::dot11WifiMode24},
    {nullptr},
};

const UISnmpVar kWifiMode5Vars[] = {
    {AP_OID("2.1.3.3.1.1.1.16.1"), "dot11WifiMode", synInteger, vfRead | vfWrite,
        &options::dot11WifiMode5},
    {nullptr},
};

const UISnmpVar kRemoteApVars[] = {
    {" ", "ifIndex", synInteger, vfKey},
    {" ", "dot11RemoteApMacAddressIndex", synInteger, vfKey},
    {AP_OID("2.1.3.3.1.2.1.1.2"), "dot11RemoteApMacAddressList", synMacAddress, vfRead},
    {nullptr},
};

} // namespace wireless
