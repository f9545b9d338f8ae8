// The multi-SSID page's rules as pure functions: the two security lists per AP mode and the
// translation between their picks and an SSID's authentication, both ways; what each security
// kind shows; the visible list's captions and encryption texts; the cipher list; and the checks of
// an SSID's name, key and rekeying. Plain values in and out; the page gathers them from its
// controls and applies the results.
#pragma once

#include "SecurityTables.h"

#include <vector>

#include <QString>
#include <QStringList>

namespace mssidrules {

/// The two lists the operator picks an SSID's security from, for an AP mode item index
/// (options::ApModeIndex; any other index: both empty).
struct SecurityLists
{
    QStringList security;   ///< "Open System", "WPA-Personal", ...
    QStringList wpa;        ///< "AUTO(WPA or WPA2)", "WPA2 Only", ...
    bool wpaPinned = false; ///< the one WPA item is selected and the list disabled
};

SecurityLists securityLists(int apModeIndex);

/// Item positions in the two lists; -1 for none.
struct Pick
{
    int security = -1;
    int wpa = -1;

    bool operator==(const Pick &) const = default;
};

/// The items that show an SSID's authentication (its option text) in a mode.
Pick pickFor(int apModeIndex, const QString &authentication);

/// The authentication (option text) the two picks stand for in a mode, the WPA generation taken
/// from the WPA item's text; empty when the combination has none (the row keeps its own).
QString authenticationFor(int apModeIndex, int securityItem, const QString &wpaItem);

/// Security item 0 is open without encryption and WEP with it; 1 WPA-Personal, 2 WPA-Enterprise,
/// 3 802.1x; none picked: None.
security::SecurityKind securityKind(int securityItem, bool encryptionEnabled);

/// What the security part of the page shows.
struct SecurityView
{
    bool keyGroup = false;        ///< "Key Settings"
    bool passphraseGroup = false; ///< the passphrase group, titled `passphraseTitle`
    QString passphraseTitle;
    bool radius = false;          ///< the RADIUS server sub-group
    bool passphrase = false;      ///< passphrase and its confirmation
    bool wpaAndCipher = false;    ///< WPA mode and cipher
    bool groupInterval = false;   ///< the group key update interval
    bool keyInterval = false;     ///< the RADIUS key update interval
    bool rekeyControls = false;   ///< the rekey control and its schedule
    bool rekeyPassphrase = false; ///< the passphrase the device generated
};

/// `periodic`: the rekey control shows periodic rekeying.
SecurityView securityView(security::SecurityKind kind, int apModeIndex, bool periodic);

/// Cipher items: "Auto", "AES", and "TKIP" outside "WDS With Ap".
QStringList cipherItems(int apModeIndex);
/// The device's cipher (option text) for a cipher item: "auto", "aes", "tkip"; empty for none.
QString deviceCipher(const QString &item);
/// The cipher item showing the device's cipher, compared without case; -1 for none.
int cipherItemFor(const QStringList &items, const QString &deviceCipherText);

/// The visible list's "Encryption" text of an SSID row; an authentication without one of its own
/// shows as it is.
QString encryptionText(const QString &authentication, bool encryptionEnabled);

/// The visible list's "Index" text: "Primary SSID" for the first row, else "Multi-SSID" and the
/// SSID's number (dot11MssidIndex - 1).
QString listCaption(bool primary, const QString &mssidIndex);
/// The SSID a visible caption names: 0 for the primary, 1 to 3 from the digit after
/// "Multi-SSID"; -1 for anything else.
int indexOfCaption(const QString &caption);

/// Whether an SSID row rekeys periodically: a pre-shared key with a rekey control other than
/// "Manual".
bool rekeysPeriodically(const QString &authentication, const QString &rekeyControl);

/// An SSID row as the checks compare it.
struct SsidRow
{
    QString ssid;
    bool enabled = false;
    QString key;            ///< dot11MssidWepKey
    QString keyIndex;       ///< dot11MssidWepKeyIndex text
    QString authentication; ///< dot11MssidAuthentication text
    bool encrypted = false; ///< dot11MssidEncryption "Enabled"
};

/// The text refusing an SSID name, or null when the name is fine.
const char *ssidFault(const QString &ssid);

/// Another enabled row (not `edited`) with exactly this SSID: its position, -1 for none.
int duplicateOf(const std::vector<SsidRow> &rows, int edited, const QString &ssid);
/// "The 11g SSID n's SSID is same as Primary SSID" / "... same as SSID m".
QString duplicateText(int edited, int other);

/// Whether saving an open WEP SSID warns that its key index is in use: more than one SSID is
/// listed, the edited SSID's number is in a listed caption, and a row (the edited one included)
/// has a key at the chosen key index.
bool keyInUse(const QStringList &listCaptions, int edited, const std::vector<SsidRow> &rows,
    const QString &keyIndex);

/// Whether a WEP save shares its key index with another SSID: the primary SSID (row 0) or an
/// enabled SSID using open-system WEP, holding a key at the chosen index. The warning it gives
/// never stops the save.
bool keyIndexShared(const std::vector<SsidRow> &rows, int edited, const QString &keyIndex);

/// The text refusing a WEP key of the wrong length (key type by options::KeyTypeIndex, size by
/// security::KeySizeIndex), or null when the length is right.
const char *keyLengthFault(int keyType, int keySize, int length);

} // namespace mssidrules
