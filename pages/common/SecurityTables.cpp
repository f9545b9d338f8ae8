// The security objects, lists and translation tables of the wireless pages.
#include "SecurityTables.h"

#include "ApMib.h"
#include "SharedOptions.h"

namespace security {

const UISnmpVar kAuthenticationVars[] = {
    {AP_OID("2.1.3.3.2.1.1.1.1"), "dot11Authentication", synInteger, vfRead | vfWrite,
        &options::dot11Authentication},
    {AP_OID("2.1.3.3.2.1.1.3.1"), "dot11KeyIndex", synInteger, vfRead | vfWrite,
        &options::dot11KeyIndex},
    {AP_OID("2.1.3.3.2.1.1.2.1"), "dot11Encryption", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {nullptr},
};

const UISnmpVar kPassphraseVars[] = {
    {AP_OID("2.1.3.3.2.1.1.4.1"), "dot11PassPhrase", synDisplayString, vfRead | vfWrite},
    {AP_OID("2.1.3.3.2.1.1.5.1"), "dot11CipherType", synInteger, vfRead | vfWrite,
        &options::dot11CipherType},
    {AP_OID("2.1.3.3.2.1.1.6.1"), "dot11GroupKeyUpdateInterval", synInteger, vfRead | vfWrite},
    {AP_OID("2.1.3.3.2.1.1.29.1"), "dot11AutoRekeyControl", synInteger, vfRead | vfWrite,
        &options::dot11AutoRekeyControl},
    {AP_OID("2.1.3.3.2.1.1.30.1"), "dot11AutoRekeyStartWeek", synInteger, vfRead | vfWrite,
        &options::dot11AutoRekeyStartWeek},
    {AP_OID("2.1.3.3.2.1.1.31.1"), "dot11AutoRekeyStartTime", synDisplayString, vfRead | vfWrite},
    {AP_OID("2.1.3.3.2.1.1.32.1"), "dot11AutoRekeyTimeInterval", synInteger, vfRead | vfWrite},
    {AP_OID("2.1.3.3.2.1.1.33.1"), "dot11AutoRekeyPassPhrase", synDisplayString, vfRead},
    {nullptr},
};

namespace {

constexpr int kNone = -1;

// Where each authentication value shows in the two lists, per row (security item, WPA item).
struct Placement
{
    const char *authentication;
    ListPick at[srCount];
};

// Columns: AP with multi-SSID, AP, WDS with AP with multi-SSID, WDS with AP, WDS, client.
const Placement kFromDevice[] = {
    {"opensystem", {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    {"sharedkey", {{kNone, kNone}, {1, 0}, {0, 0}, {1, 0}, {1, 0}, {0, 0}}},
    {"wpa-psk", {{1, 2}, {2, 2}, {0, 0}, {0, 0}, {0, 0}, {1, 2}}},
    {"wpa-eap", {{2, 2}, {3, 2}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    {"wpa2-psk", {{1, 1}, {2, 1}, {1, 1}, {2, 1}, {2, 0}, {1, 1}}},
    {"wpa2-eap", {{2, 1}, {3, 1}, {0, 0}, {0, 0}, {0, 0}, {kNone, 2}}},
    {"wpa2-auto-psk", {{1, 0}, {2, 0}, {1, 0}, {2, 0}, {0, 0}, {1, 0}}},
    {"wpa2-auto-eap", {{2, 0}, {3, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    {"dot1x(10)", {{3, kNone}, {4, kNone}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
};
// Any other text.
const ListPick kUnlisted[srCount] = {
    {kNone, kNone}, {kNone, kNone}, {0, 0}, {0, 0}, {0, 0}, {0, 0}};

// One combination of the two lists and the value it writes; kAny: whatever the WPA mode.
struct Choice
{
    int security;
    int wpa;
    const char *authentication;
};

constexpr int kAny = -2;

struct ChoiceRow
{
    SecurityRow row;
    Choice choices[9];
};

// One row per mode and multi-SSID state; each ends at a choice without a value. "WDS" offers
// "Share Key" whatever the multi-SSID state, so it has one row.
const ChoiceRow kToDevice[] = {
    {srAccessPointMultiSsid,
        {{0, kAny, "opensystem"}, {1, 2, "wpa-psk"}, {1, 1, "wpa2-psk"}, {1, 0, "wpa2-auto-psk"},
            {2, 2, "wpa-eap"}, {2, 1, "wpa2-eap"}, {2, 0, "wpa2-auto-eap"},
            {3, kAny, "dot1x(10)"}}},
    {srAccessPoint,
        {{0, kAny, "opensystem"}, {1, kAny, "sharedkey"}, {2, 2, "wpa-psk"}, {2, 1, "wpa2-psk"},
            {2, 0, "wpa2-auto-psk"}, {3, 2, "wpa-eap"}, {3, 1, "wpa2-eap"}, {3, 0, "wpa2-auto-eap"},
            {4, kAny, "dot1x(10)"}}},
    {srWdsWithApMultiSsid, {{0, kAny, "opensystem"}, {1, 1, "wpa2-psk"}, {1, 0, "wpa2-auto-psk"}}},
    {srWdsWithAp,
        {{0, kAny, "opensystem"}, {1, kAny, "sharedkey"}, {2, 1, "wpa2-psk"},
            {2, 0, "wpa2-auto-psk"}}},
    {srWds, {{0, kAny, "opensystem"}, {1, kAny, "sharedkey"}, {2, 0, "wpa2-psk"}}},
    {srWirelessClient,
        {{0, kAny, "opensystem"}, {1, 0, "wpa2-auto-psk"}, {1, 1, "wpa2-psk"}, {1, 2, "wpa-psk"}}},
};
} // namespace

SecurityRow securityRow(int apModeIndex, bool multiSsidEnabled)
{
    switch (apModeIndex) {
    case options::kApModeAccessPoint:
        return multiSsidEnabled ? srAccessPointMultiSsid : srAccessPoint;
    case options::kApModeWdsWithAp:
        return multiSsidEnabled ? srWdsWithApMultiSsid : srWdsWithAp;
    case options::kApModeWds:
        return srWds;
    case options::kApModeWirelessClient:
        return srWirelessClient;
    default:
        return srCount;
    }
}

SecurityLists securityLists(SecurityRow row)
{
    const QStringList wpaAll{kWpaAuto, kWpa2Only, kWpaOnly};
    switch (row) {
    case srAccessPointMultiSsid:
        return {{kOpenSystem, kWpaPersonal, kWpaEnterprise, kDot1x}, wpaAll, false};
    case srAccessPoint:
        return {{kOpenSystem, kShareKey, kWpaPersonal, kWpaEnterprise, kDot1x}, wpaAll, false};
    case srWdsWithApMultiSsid:
        return {{kOpenSystem, kWpaPersonal}, {kWpaAuto, kWpa2Only}, false};
    case srWdsWithAp:
        return {{kOpenSystem, kShareKey, kWpaPersonal}, {kWpaAuto, kWpa2Only}, false};
    case srWds:
        return {{kOpenSystem, kShareKey, kWpaPersonal}, {kWpa2Only}, true};
    case srWirelessClient:
        return {{kOpenSystem, kWpaPersonal}, wpaAll, false};
    case srCount:
        break;
    }
    return {{}, {}, false};
}

ListPick pickFor(SecurityRow row, const QString &authentication)
{
    if (row < 0 || row >= srCount) {
        return {};
    }
    for (const Placement &p : kFromDevice) {
        if (authentication == QLatin1String(p.authentication)) {
            return p.at[row];
        }
    }
    return kUnlisted[row];
}

QString authenticationFor(SecurityRow row, ListPick pick)
{
    const int wpa = pick.wpa < 0 ? 0 : pick.wpa;
    const auto matches = [&](const Choice &c) {
        return c.security == pick.security && (c.wpa == kAny || c.wpa == wpa);
    };
    for (const ChoiceRow &r : kToDevice) {
        if (r.row != row) {
            continue;
        }
        for (const Choice &c : r.choices) {
            if (c.authentication != nullptr && matches(c)) {
                return QLatin1String(c.authentication);
            }
        }
    }
    return {};
}

SecurityKind securityKind(const QString &securityItem, bool encryptionEnabled)
{
    if (securityItem == QLatin1String(kOpenSystem)) {
        return encryptionEnabled ? SecurityKind::Wep : SecurityKind::Open;
    }
    if (securityItem == QLatin1String(kShareKey)) {
        return SecurityKind::Wep;
    }
    if (securityItem == QLatin1String(kWpaPersonal)) {
        return SecurityKind::WpaPersonal;
    }
    if (securityItem == QLatin1String(kWpaEnterprise)) {
        return SecurityKind::WpaEnterprise;
    }
    if (securityItem == QLatin1String(kDot1x)) {
        return SecurityKind::Dot1x;
    }
    return SecurityKind::None;
}

} // namespace security
