// The multi-SSID page's rules.
#include "TFM_MultiSSIDNewFormRules.h"

#include "SecurityChecks.h"
#include "SharedOptions.h"

namespace mssidrules {

using security::SecurityKind;

namespace {

constexpr int kNone = -1;

enum Mode {
    kAccessPoint,
    kWdsWithAp,
    kWds,
    kClient,
    kModeCount,
};

bool knownMode(int apModeIndex)
{
    return apModeIndex >= 0 && apModeIndex < kModeCount;
}

// Where each authentication shows in the two lists, per mode (security item, WPA item).
struct Placement
{
    const char *authentication;
    Pick at[kModeCount];
};

// Columns: Access Point, WDS With Ap, WDS, Wireless Client.
const Placement kFromRow[] = {
    {"opensystem", {{0, 0}, {0, 0}, {0, 0}, {0, 0}}},
    {"sharedkey", {{0, 0}, {0, 0}, {0, 0}, {kNone, kNone}}},
    {"wpa-psk", {{1, 2}, {kNone, kNone}, {kNone, 0}, {1, 2}}},
    {"wpa-eap", {{2, 2}, {kNone, kNone}, {kNone, 0}, {kNone, kNone}}},
    {"wpa2-psk", {{1, 1}, {1, 1}, {1, 0}, {1, 1}}},
    {"wpa2-eap", {{2, 1}, {kNone, 1}, {kNone, 0}, {kNone, kNone}}},
    {"wpa2-auto-psk", {{1, 0}, {1, 0}, {kNone, 0}, {1, 0}}},
    {"wpa2-auto-eap", {{2, 0}, {kNone, 0}, {kNone, 0}, {kNone, kNone}}},
    {"dot1x", {{3, 0}, {kNone, kNone}, {kNone, 0}, {kNone, kNone}}},
};
// Any other text.
const Pick kUnlisted[kModeCount] = {{kNone, kNone}, {kNone, kNone}, {kNone, 0}, {kNone, kNone}};

// The WPA generation each WPA item stands for, whatever its place in the list.
struct Generation
{
    const char *item;
    const char *prefix;
};

const Generation kGenerations[] = {
    {security::kWpaAuto, "wpa2-auto-"},
    {security::kWpa2Only, "wpa2-"},
    {security::kWpaOnly, "wpa-"},
};

QString prefixOf(const QString &wpaItem)
{
    for (const Generation &g : kGenerations) {
        if (wpaItem == QLatin1String(g.item)) {
            return QLatin1String(g.prefix);
        }
    }
    return {};
}

struct EncryptionText
{
    const char *authentication;
    const char *disabled;
    const char *enabled;
};

const EncryptionText kEncryption[] = {
    {"opensystem", "None", "OpenSystem"},
    {"sharedkey", "SharedKey", "SharedKey"},
    {"wpa-psk", "WPA-Personal", "WPA-Personal"},
    {"wpa-eap", "WPA-Enterprise", "WPA-Enterprise"},
    {"wpa2-psk", "WPA2-Personal", "WPA2-Personal"},
    {"wpa2-eap", "WPA2-Enterprise", "WPA2-Enterprise"},
    {"wpa2-auto-psk", "WPA2-Auto-Personal", "WPA2-Auto-Personal"},
    {"wpa2-auto-eap", "WPA2-Auto-Enterprise", "WPA2-Auto-Enterprise"},
    {"dot1x", "802.1x", "802.1x"},
};

const char kPrimaryCaption[] = "Primary SSID";
const char kMultiCaption[] = "Multi-SSID";

} // namespace

SecurityLists securityLists(int apModeIndex)
{
    const QStringList all{QLatin1String(security::kOpenSystem),
        QLatin1String(security::kWpaPersonal), QLatin1String(security::kWpaEnterprise),
        QLatin1String(security::kDot1x)};
    const QStringList generations{QLatin1String(security::kWpaAuto),
        QLatin1String(security::kWpa2Only), QLatin1String(security::kWpaOnly)};
    switch (apModeIndex) {
    case kAccessPoint:
    case kClient:
        return {all, generations, false};
    case kWdsWithAp:
        return {all.mid(0, 2), generations.mid(0, 2), false};
    case kWds:
        return {all, {QLatin1String(security::kWpa2Only)}, true};
    default:
        return {};
    }
}

Pick pickFor(int apModeIndex, const QString &authentication)
{
    if (!knownMode(apModeIndex)) {
        return {};
    }
    for (const Placement &p : kFromRow) {
        if (authentication == QLatin1String(p.authentication)) {
            return p.at[apModeIndex];
        }
    }
    return kUnlisted[apModeIndex];
}

QString authenticationFor(int apModeIndex, int securityItem, const QString &wpaItem)
{
    if (apModeIndex != kAccessPoint && apModeIndex != kWdsWithAp) {
        return {};
    }
    if (securityItem == 0) {
        return QStringLiteral("opensystem");
    }
    const QString prefix = prefixOf(wpaItem);
    if (apModeIndex == kWdsWithAp) {
        // WPA-Personal alone, of the second generation
        if (securityItem == 1 && !prefix.isEmpty() && prefix != QLatin1String("wpa-")) {
            return prefix + QLatin1String("psk");
        }
        return {};
    }
    switch (securityItem) {
    case 1:
        return prefix.isEmpty() ? QString() : prefix + QLatin1String("psk");
    case 2:
        return prefix.isEmpty() ? QString() : prefix + QLatin1String("eap");
    case 3:
        return QStringLiteral("dot1x");
    default:
        return {};
    }
}

SecurityKind securityKind(int securityItem, bool encryptionEnabled)
{
    switch (securityItem) {
    case 0:
        return encryptionEnabled ? SecurityKind::Wep : SecurityKind::Open;
    case 1:
        return SecurityKind::WpaPersonal;
    case 2:
        return SecurityKind::WpaEnterprise;
    case 3:
        return SecurityKind::Dot1x;
    default:
        return SecurityKind::None;
    }
}

SecurityView securityView(SecurityKind kind, int apModeIndex, bool periodic)
{
    SecurityView v;
    switch (kind) {
    case SecurityKind::None:
    case SecurityKind::Open:
    case SecurityKind::Wep:
        v.keyGroup = true;
        break;
    case SecurityKind::WpaPersonal:
        v.passphraseGroup = true;
        v.passphraseTitle = QStringLiteral("PassPhrase Settings");
        v.wpaAndCipher = true;
        v.groupInterval = true;
        // the device rekeys on a schedule only as an access point
        v.rekeyControls = apModeIndex == kAccessPoint;
        v.rekeyPassphrase = v.rekeyControls && periodic;
        v.passphrase = !v.rekeyPassphrase;
        break;
    case SecurityKind::WpaEnterprise:
        v.passphraseGroup = true;
        v.passphraseTitle = QStringLiteral("RADIUS Server Settings");
        v.radius = true;
        v.wpaAndCipher = true;
        v.groupInterval = true;
        break;
    case SecurityKind::Dot1x:
        v.passphraseGroup = true;
        v.passphraseTitle = QStringLiteral("RADIUS Server Settings");
        v.radius = true;
        v.keyInterval = true;
        break;
    }
    return v;
}

QStringList cipherItems(int apModeIndex)
{
    if (apModeIndex == kWdsWithAp) {
        return {QStringLiteral("Auto"), QStringLiteral("AES")};
    }
    return {QStringLiteral("Auto"), QStringLiteral("AES"), QStringLiteral("TKIP")};
}

QString deviceCipher(const QString &item)
{
    if (item.isEmpty()) {
        return {};
    }
    return item.toLower();
}

int cipherItemFor(const QStringList &items, const QString &deviceCipherText)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(deviceCipherText, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QString encryptionText(const QString &authentication, bool encryptionEnabled)
{
    for (const EncryptionText &e : kEncryption) {
        if (authentication == QLatin1String(e.authentication)) {
            return QLatin1String(encryptionEnabled ? e.enabled : e.disabled);
        }
    }
    return authentication;
}

QString listCaption(bool primary, const QString &mssidIndex)
{
    if (primary) {
        return QLatin1String(kPrimaryCaption);
    }
    return QLatin1String(kMultiCaption) + QString::number(mssidIndex.toInt() - 1);
}

int indexOfCaption(const QString &caption)
{
    if (caption == QLatin1String(kPrimaryCaption)) {
        return 0;
    }
    const QLatin1String multi(kMultiCaption);
    if (caption.size() != multi.size() + 1 || !caption.startsWith(multi)) {
        return -1;
    }
    const QChar digit = caption.at(multi.size()); // the caption's 11th character
    return digit >= u'1' && digit <= u'3' ? digit.digitValue() : -1;
}

bool rekeysPeriodically(const QString &authentication, const QString &rekeyControl)
{
    return authentication.contains(QLatin1String("-psk"))
        && rekeyControl != QLatin1String("Manual");
}

const char *ssidFault(const QString &ssid)
{
    if (ssid.isEmpty()) {
        return "Please input SSID!";
    }
    if (ssid.at(0) == u' ') {
        return "The first character can't be blank!";
    }
    if (ssid.size() > 32) {
        return "The Max Length of SSID is 32!";
    }
    return nullptr;
}

int duplicateOf(const std::vector<SsidRow> &rows, int edited, const QString &ssid)
{
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (static_cast<int>(r) != edited && rows[r].enabled && rows[r].ssid == ssid) {
            return static_cast<int>(r);
        }
    }
    return -1;
}

QString duplicateText(int edited, int other)
{
    if (other == 0) {
        return QStringLiteral("The 11g SSID %1's SSID is same as Primary SSID").arg(edited);
    }
    return QStringLiteral("The 11g SSID %1's SSID is same as SSID %2").arg(edited).arg(other);
}

bool keyInUse(const QStringList &listCaptions, int edited, const std::vector<SsidRow> &rows,
    const QString &keyIndex)
{
    if (listCaptions.size() <= 1) {
        return false;
    }
    const QString number = QString::number(edited);
    bool listed = false;
    for (const QString &caption : listCaptions) {
        listed = listed || caption.contains(number);
    }
    if (!listed) {
        return false;
    }
    for (const SsidRow &row : rows) {
        if (!row.key.isEmpty() && row.keyIndex == keyIndex) {
            return true;
        }
    }
    return false;
}

bool keyIndexShared(const std::vector<SsidRow> &rows, int edited, const QString &keyIndex)
{
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const SsidRow &row = rows[r];
        if (static_cast<int>(r) == edited || row.key.isEmpty() || row.keyIndex != keyIndex) {
            continue;
        }
        const bool openWep =
            row.enabled && row.encrypted && row.authentication == QLatin1String("opensystem");
        if (r == 0 || openWep) {
            return true;
        }
    }
    return false;
}

const char *keyLengthFault(int keyType, int keySize, int length)
{
    if (length == security::wepKeyLength(keyType, keySize)) {
        return nullptr;
    }
    const bool wide = keySize == security::kKey128Bits;
    if (keyType == options::kKeyHex) {
        // shipped texts, two blanks included
        return wide ? "The Length of the key  must be 26!" : "The Length of the key  must be 10!";
    }
    return wide ? "The Length of the key in IEEE802.11g must be 13!"
                : "The Length of the key in IEEE802.11g must be 5!";
}

} // namespace mssidrules
