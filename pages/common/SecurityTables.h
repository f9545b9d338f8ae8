// The primary SSID's security as the wireless pages show it: the authentication and passphrase
// objects, the two lists the operator picks from (security mode and WPA generation) by AP mode and
// multi-SSID state, and the translation between those two picks and the device's one
// authentication value, both ways. Data and pure functions; no widgets.
#pragma once

#include "UISnmpVar.h"

#include <QString>
#include <QStringList>

namespace security {

/// dot11Authentication, dot11KeyIndex, dot11Encryption.
extern const UISnmpVar kAuthenticationVars[];

enum AuthenticationVar {
    avAuthentication,
    avKeyIndex,
    avEncryption,
};

/// dot11PassPhrase, dot11CipherType, dot11GroupKeyUpdateInterval, dot11AutoRekeyControl,
/// dot11AutoRekeyStartWeek, dot11AutoRekeyStartTime, dot11AutoRekeyTimeInterval and the
/// passphrase the device generated (read-only).
extern const UISnmpVar kPassphraseVars[];

enum PassphraseVar {
    pvPassPhrase,
    pvCipherType,
    pvGroupKeyUpdateInterval,
    pvAutoRekeyControl,
    pvAutoRekeyStartWeek,
    pvAutoRekeyStartTime,
    pvAutoRekeyTimeInterval,
    pvAutoRekeyPassPhrase,
};

// The items of the lists, as the operator sees them.
inline constexpr char kOpenSystem[] = "Open System";
inline constexpr char kShareKey[] = "Share Key";
inline constexpr char kWpaPersonal[] = "WPA-Personal";
inline constexpr char kWpaEnterprise[] = "WPA-Enterprise";
inline constexpr char kDot1x[] = "802.1x";
inline constexpr char kWpaAuto[] = "AUTO(WPA or WPA2)";
inline constexpr char kWpa2Only[] = "WPA2 Only";
inline constexpr char kWpaOnly[] = "WPA Only";

/// The row of the tables below: an AP mode, with or without multi-SSID where that matters.
enum SecurityRow {
    srAccessPointMultiSsid,
    srAccessPoint,
    srWdsWithApMultiSsid,
    srWdsWithAp,
    srWds,
    srWirelessClient,
    srCount,
};

/// The row for an AP mode item index (options::ApModeIndex) and the multi-SSID state. "WDS" and
/// "Wireless Client" have one row whatever the state; srCount for no mode.
SecurityRow securityRow(int apModeIndex, bool multiSsidEnabled);

/// What the two lists offer in a row.
struct SecurityLists
{
    QStringList security; ///< the security mode items
    QStringList wpa;      ///< the WPA mode items
    bool wpaPinned;       ///< the one WPA item is selected and the list disabled
};

/// The lists of a row (srCount: both empty).
SecurityLists securityLists(SecurityRow row);

/// Item positions in the two lists; -1 for none.
struct ListPick
{
    int security = -1;
    int wpa = -1;

    bool operator==(const ListPick &) const = default;
};

/// The items that show the device's authentication (its option text) in a row; a text the row
/// does not list picks nothing in "Access Point" and the first items elsewhere.
ListPick pickFor(SecurityRow row, const QString &authentication);

/// The device's authentication (option text) for the two picks in a row; a WPA mode without
/// selection counts as its first item. Empty when the row has no such combination.
QString authenticationFor(SecurityRow row, ListPick pick);

/// What the save and the visibility rules do with the picked security item.
enum class SecurityKind {
    None, ///< nothing picked
    Open,
    Wep,
    WpaPersonal,
    WpaEnterprise,
    Dot1x,
};

/// "Open System" is open with encryption off and WEP with it on; "Share Key" is WEP.
SecurityKind securityKind(const QString &securityItem, bool encryptionEnabled);

} // namespace security
