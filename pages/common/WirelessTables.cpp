// The shared radio tables.
#include "WirelessTables.h"

#include "ApMib.h"
#include "SharedOptions.h"

namespace wireless {

namespace {

#define MSSID(tail)        AP_OID("3.3.3.1." tail)
#define MSSID_RADIUS(tail) AP_OID("3.3.4.1." tail)
#define CLIENT(tail)       AP_OID("2.1.3.3.4.2.1." tail)

const VtOptionList olDisabledEnabled{{0, "Disabled"}, {1, "Enabled"}};
const VtOptionList olMssidAuthentication{{1, "opensystem"}, {2, "sharedkey"},
    {3, "opensystem-sharedkey"}, {4, "wpa-psk"}, {5, "wpa-eap"}, {6, "wpa2-psk"}, {7, "wpa2-eap"},
    {8, "wpa2-auto-psk"}, {9, "wpa2-auto-eap"}, {10, "dot1x"}};
const VtOptionList olMssidKeyIndex{{1, "first"}, {2, "second"}, {3, "third"}, {4, "fourth"}};
const VtOptionList olMssidCipher{{1, "auto"}, {2, "aes"}, {3, "tkip"}, {4, "wep"}};
const VtOptionList olMssidKeyType{{1, "ascii"}, {2, "hex"}};
const VtOptionList olPriority{
    {0, "0"}, {1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}, {5, "5"}, {6, "6"}, {7, "7"}};
// the trailing blank is the device's
const VtOptionList olRekeyControl{{0, "Manual"}, {1, "Periodrical Key Change "}};
const VtOptionList olWeekDay{
    {0, "Sun"}, {1, "Mon"}, {2, "Tue"}, {3, "Wed"}, {4, "Thu"}, {5, "Fri"}, {6, "Sat"}};
const VtOptionList olRadiusSource{{1, "External"}, {2, "Internal"}};
const VtOptionList olNothingGet{{0, "nothing"}, {1, "get"}};
const VtOptionList olClientBand{{0, "A"}, {1, "B"}, {2, "G"}, {3, "N"}};
const VtOptionList olClientAuthentication{{1, "opensystem"}, {2, "sharedkey"}, {4, "wpa-psk"},
    {5, "wpa-eap"}, {6, "wpa2-psk"}, {7, "wpa2-eap"}, {8, "wpa2-auto-psk"}, {9, "wpa2-auto-eap"},
    {10, "802.1x/WEP"}, {11, "WEP"}};

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
    {mib::dot11ChannelWidth, "dot11ChannelWidth", synInteger, vfRead | vfWrite,
        &options::dot11ChannelWidth},
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

const UISnmpVar kMssidVars[] = {
    {" ", "ifIndex", synInteger, vfKey},
    {" ", "dot11MssidIndex", synInteger, vfKey},
    {MSSID("2"), "dot11MssIndividualState", synInteger, vfRead | vfWrite, &olDisabledEnabled},
    {MSSID("3"), "dot11MssidSsid", synDisplayString, vfRead | vfWrite},
    {MSSID("4"), "dot11MssidSuppress", synInteger, vfRead | vfWrite, &olDisabledEnabled},
    {MSSID("5"), "dot11MssidAuthentication", synInteger, vfRead | vfWrite, &olMssidAuthentication},
    {MSSID("6"), "dot11MssidEncryption", synInteger, vfRead | vfWrite, &olDisabledEnabled},
    {MSSID("7"), "dot11MssidWepKeyIndex", synInteger, vfRead | vfWrite, &olMssidKeyIndex},
    {MSSID("8"), "dot11MssidWepKey", synDisplayString, vfRead | vfWrite},
    {MSSID("9"), "dot11MssidVlanTagID", synInteger, vfRead}, // never written
    {MSSID("10"), "dot11MssidCipherType", synInteger, vfRead | vfWrite, &olMssidCipher},
    {MSSID("11"), "dot11MssidPassPhrase", synDisplayString, vfRead | vfWrite},
    {MSSID("12"), "dot11MssidKeyType", synInteger, vfRead | vfWrite, &olMssidKeyType},
    {MSSID("14"), "dot11MssidWmm", synInteger, vfRead | vfWrite, &olDisabledEnabled},
    {MSSID("15"), "dot11MssidGroupKeyUpdateInterval", synInteger, vfRead | vfWrite},
    {MSSID("16"), "dot11MssidPriority", synInteger, vfRead | vfWrite, &olPriority},
    {MSSID("17"), "dot11MssidAutoRekeyControl", synInteger, vfRead | vfWrite, &olRekeyControl},
    {MSSID("18"), "dot11MssidAutoRekeyStartWeek", synInteger, vfRead | vfWrite, &olWeekDay},
    {MSSID("19"), "dot11MssidAutoRekeyStartTime", synDisplayString, vfRead | vfWrite},
    {MSSID("20"), "dot11MssidAutoRekeyTimeInterval", synInteger, vfRead | vfWrite},
    {MSSID("21"), "dot11MssidAutoRekeyPassPhrase", synDisplayString, vfRead},
    {nullptr},
};

const UISnmpVar kMssidSsidVars[] = {
    {" ", "ifIndex", synInteger, vfKey},
    {" ", "dot11MssidIndex", synInteger, vfKey},
    {MSSID("3"), "dot11MssidSsid", synDisplayString, vfRead},
    {nullptr},
};

const UISnmpVar kMssidRadiusVars[] = {
    {" ", "dot11MssidIndex", synInteger, vfKey},
    {" ", "dot11MssidRADIUSIndex", synInteger, vfKey},
    {MSSID_RADIUS("2"), "dot11MssidRADIUSServer", synIpAddress, vfRead | vfWrite},
    {MSSID_RADIUS("3"), "dot11MssidRADIUSPort", synInteger, vfRead | vfWrite},
    {MSSID_RADIUS("4"), "dot11MssidRADIUSSecret", synDisplayString, vfRead | vfWrite},
    {MSSID_RADIUS("5"), "dot11MssidRadiusSource", synInteger, vfSkip, &olRadiusSource},
    {MSSID_RADIUS("6"), "dot11MssidRadiusKeyUpdateInterval", synInteger, vfRead | vfWrite},
    {nullptr},
};

const UISnmpVar kClientRefreshVars[] = {
    {AP_OID("2.1.3.3.4.1.1.1.1"), "dot11ClientInformationRefresh", synInteger, vfRead | vfWrite,
        &olNothingGet},
    {nullptr},
};

const UISnmpVar kClientVars[] = {
    {" ", "dot11ClinetIndex", synInteger, vfKey}, // shipped name
    {CLIENT("2"), "dot11ClientMacAddress", synMacAddress, vfRead},
    {CLIENT("3"), "dot11ClientBand", synInteger, vfRead, &olClientBand},
    {CLIENT("4"), "dot11ClientAuthentication", synInteger, vfRead, &olClientAuthentication},
    {CLIENT("5"), "dot11ClientRssi", synInteger, vfRead},
    {CLIENT("6"), "dot11ClientPsm", synInteger, vfRead},
    {CLIENT("7"), "dot11SSIDIndex", synDisplayString, vfRead},
    {CLIENT("8"), "dot11ClientUptime", synTimeTicks, vfRead},
    {CLIENT("9"), "dot11ActiveTime", synTimeTicks, vfRead},
    {nullptr},
};

} // namespace wireless
