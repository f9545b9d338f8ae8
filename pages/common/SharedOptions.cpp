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

const VtOptionList dot11WifiMode24{{6, "Mixed 802.11n,802.11g and 802.11b"},
    {3, "Mixed 802.11g and 802.11b"}, {2, "802.11n Only"}};
const VtOptionList dot11WifiMode5{
    {9, "Mixed 802.11n and 802.11a"}, {7, "802.11a Only"}, {8, "802.11n Only"}};

const VtOptionList dot11ChannelWidth{{1, "20MHz"}, {2, "Auto 20/40 MHz"}};

const VtOptionList dot11Authentication{{1, "opensystem"}, {2, "sharedkey"}, {4, "wpa-psk"},
    {5, "wpa-eap"}, {6, "wpa2-psk"}, {7, "wpa2-eap"}, {8, "wpa2-auto-psk"}, {9, "wpa2-auto-eap"},
    {10, "dot1x(10)"}};
const VtOptionList dot11KeyIndex{{1, "First"}, {2, "Second"}, {3, "Third"}, {4, "Fourth"}};
const VtOptionList dot11WepKeyEntryMethod{{1, "ASCII"}, {2, "HEX"}};
const VtOptionList dot11CipherType{{1, "auto"}, {2, "aes"}, {3, "tkip"}, {4, "wep"}};
// the trailing blank is the device's
const VtOptionList dot11AutoRekeyControl{{0, "Manual"}, {1, "Periodrical Key Change "}};
const VtOptionList dot11AutoRekeyStartWeek{
    {0, "Sun"}, {1, "Mon"}, {2, "Tue"}, {3, "Wed"}, {4, "Thu"}, {5, "Fri"}, {6, "Sat"}};

} // namespace options
