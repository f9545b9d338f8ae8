// The wireless page's rules.
#include "TFM_WirlessRules.h"

#include "SharedOptions.h"

namespace wirelessrules {

namespace {

constexpr char kDefault24[] = "1 2 3 4 5 6 7 8 9 10 11 12 13";
constexpr char kDefaultIndoorWds[] = "36 40 44 48";
constexpr char kDefaultIndoor[] =
    "36 40 44 48 52 56 60 64 100 104 108 112 116 120 124 128 132 136 140";
constexpr char kDefaultOutdoor[] = "100 104 108 112 116 120 124 128 132 136 140";

constexpr int kOutdoorItem = 1; // "Concurrent 11a/n on W56 for outdoor"

// channel width items
constexpr int k20MHz = 0;
constexpr int kAuto2040MHz = 1;

bool isChannelNumber(const QString &token)
{
    if (token.isEmpty() || token.size() > 3) {
        return false;
    }
    for (const QChar c : token) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    const int n = token.toInt();
    return n >= 1 && n <= 255;
}

ChannelChoice choose(const QString &text, const QString &channel)
{
    ChannelChoice choice;
    for (const QString &token : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString item = token.trimmed();
        if (item.isEmpty()) {
            continue;
        }
        if (isChannelNumber(item)) {
            choice.items.append(item);
        } else {
            choice.refused.append(item);
        }
    }
    if (!choice.items.isEmpty()) {
        const auto at = choice.items.indexOf(channel);
        choice.selected = at >= 0 ? static_cast<int>(at) : 0;
    }
    return choice;
}

} // namespace

int apModeIndexOf(const QString &modeText)
{
    const char *const modes[] = {kAccessPoint, kWdsWithAp, kWds, kWirelessClient};
    for (int i = 0; i < 4; ++i) {
        if (modeText == QLatin1String(modes[i])) {
            return i;
        }
    }
    return -1;
}

QStringList applicationItems(int band)
{
    if (band == options::kBand5GHz) {
        return {QStringLiteral("Concurrent 11a/n on W52/W53/W56 for indoor"),
            QStringLiteral("Concurrent 11a/n on W56 for outdoor")};
    }
    return {QStringLiteral("Concurrent 11b/g/n on 2.4GHz for indoor/outdoor")};
}

int applicationItem(int applicationValue, int itemCount)
{
    const int item = applicationValue - 1;
    return item >= 0 && item < itemCount ? item : 0;
}

QStringList apModeItems(int band, int applicationItem)
{
    if (band == options::kBand5GHz && applicationItem == kOutdoorItem) {
        return {kAccessPoint, kWirelessClient};
    }
    return {kAccessPoint, kWdsWithAp, kWds, kWirelessClient};
}

ChannelSource channelSource(int band, const QString &country, int applicationItem,
    const QString &modeText, const ChannelLists &lists)
{
    QString text;
    QString fallback;
    if (band != options::kBand5GHz) {
        text = lists.band24;
        fallback = QLatin1String(kDefault24);
    } else if (country == QLatin1String("JP") && applicationItem == kOutdoorItem) {
        text = lists.outdoor;
        fallback = QLatin1String(kDefaultOutdoor);
    } else if (modeText.contains(QLatin1String("WDS"))) {
        text = lists.indoorWds;
        fallback = QLatin1String(kDefaultIndoorWds);
    } else {
        text = lists.indoor;
        fallback = QLatin1String(kDefaultIndoor);
    }
    if (text.trimmed().isEmpty()) {
        text = fallback;
    }
    return {text, fallback};
}

ChannelChoice channelChoice(const ChannelSource &source, const QString &channel)
{
    ChannelChoice choice = choose(source.text, channel);
    if (choice.items.isEmpty()) {
        const QStringList refused = choice.refused;
        choice = choose(source.fallback, channel);
        choice.refused = refused;
    }
    return choice;
}

bool uses80211n(int band, const QString &wifiModeText)
{
    if (band == options::kBand5GHz) {
        return wifiModeText != QLatin1String("802.11a Only");
    }
    return wifiModeText != QLatin1String("Mixed 802.11g and 802.11b");
}

ChannelWidth channelWidthRule(const ChannelWidthInputs &in)
{
    const QStringList narrowChannels{QStringLiteral("12"), QStringLiteral("13"),
        QStringLiteral("14"), QStringLiteral("140"), QStringLiteral("165")};
    if (in.country == QLatin1String("KR")) {
        return {true, k20MHz};
    }
    if (in.modeText == QLatin1String(kWirelessClient)) {
        return {true, kAuto2040MHz};
    }
    if (!in.n80211 || narrowChannels.contains(in.channel)) {
        return {true, k20MHz};
    }
    if (in.keyGroupShown && in.encryptionEnabled) {
        return {true, k20MHz};
    }
    if (!in.keyGroupShown && in.cipherItem == QLatin1String("TKIP")) {
        return {true, k20MHz};
    }
    return {};
}

ModeView modeView(int apModeIndex)
{
    ModeView view;
    switch (apModeIndex) {
    case options::kApModeWdsWithAp:
    case options::kApModeWds:
        view.wds = true;
        view.survey = true;
        view.wdsSurvey = true;
        view.wdsCaption = apModeIndex == options::kApModeWdsWithAp ? QLatin1String(kWdsWithAp)
                                                                   : QLatin1String(kWds);
        view.autoScan = options::kDisable;
        break;
    case options::kApModeWirelessClient:
        view.clone = true;
        view.survey = true;
        view.broadcast = options::kEnable;
        view.autoScan = options::kEnable;
        view.channelLocked = true;
        break;
    default:
        break;
    }
    return view;
}

SecurityView securityView(int apModeIndex, security::SecurityKind kind)
{
    using security::SecurityKind;
    SecurityView view;
    const QStringList allCiphers{
        QStringLiteral("Auto"), QStringLiteral("AES"), QStringLiteral("TKIP")};
    view.cipherItems = allCiphers;
    switch (kind) {
    case SecurityKind::None:
        return view;
    case SecurityKind::Open:
    case SecurityKind::Wep:
        view.keyGroup = true;
        return view;
    case SecurityKind::WpaPersonal:
        break;
    case SecurityKind::WpaEnterprise:
    case SecurityKind::Dot1x: // offered in "Access Point" alone
        view.passphraseGroup = true;
        view.passphraseCaption = QStringLiteral("RADIUS Server Settings");
        view.radius = true;
        view.netProtect = kind == SecurityKind::WpaEnterprise;
        view.wpaAndCipher = kind == SecurityKind::WpaEnterprise;
        view.groupInterval = kind == SecurityKind::WpaEnterprise;
        view.keyInterval = kind == SecurityKind::Dot1x;
        return view;
    }
    view.passphraseGroup = true;
    view.passphrase = true;
    view.wpaAndCipher = true;
    view.groupInterval = true;
    switch (apModeIndex) {
    case options::kApModeAccessPoint:
        view.rekey = true;
        break;
    case options::kApModeWdsWithAp:
        view.cipherItems = QStringList{QStringLiteral("Auto"), QStringLiteral("AES")};
        break;
    case options::kApModeWds:
        view.cipherItems = QStringList{QStringLiteral("AES")};
        view.wpaPinned = true;
        view.cipherPinned = true;
        break;
    case options::kApModeWirelessClient:
        view.groupIntervalEnabled = false;
        break;
    default:
        break;
    }
    return view;
}

int cipherItemFor(const QStringList &cipherItems, const QString &deviceCipher)
{
    for (int i = 0; i < cipherItems.size(); ++i) {
        if (cipherItems.at(i).compare(deviceCipher, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return 0;
}

QString deviceCipherFor(const QString &cipherItem)
{
    if (cipherItem == QLatin1String("Auto") || cipherItem == QLatin1String("AES")
        || cipherItem == QLatin1String("TKIP")) {
        return cipherItem.toLower();
    }
    return {};
}

SsidFault checkSsid(const QString &ssid)
{
    if (ssid.size() > 32) {
        return SsidFault::TooLong;
    }
    if (ssid.isEmpty()) {
        return SsidFault::Empty;
    }
    if (ssid.front() == u' ') {
        return SsidFault::LeadingBlank;
    }
    for (const QChar c : ssid) {
        if (c.unicode() >= 128) {
            return SsidFault::WideCharacter;
        }
    }
    return SsidFault::None;
}

bool emptySlot(const QString &slot)
{
    return slot.isEmpty() || slot == QLatin1String("000000000000");
}

RemoteApCheck checkRemoteAps(const QStringList &macs)
{
    const auto slot = [&](int i) { return i < macs.size() ? macs.at(i) : QString(); };
    for (int later = static_cast<int>(macs.size()) - 1; later > 0; --later) {
        if (emptySlot(slot(later))) {
            continue;
        }
        for (int earlier = 0; earlier < later; ++earlier) {
            if (!emptySlot(slot(earlier))
                && slot(earlier).compare(slot(later), Qt::CaseInsensitive) == 0) {
                return {RemoteApFault::Duplicate, later >= 1 && later <= 3 ? later : -1};
            }
        }
    }
    if (emptySlot(slot(0))) {
        return {RemoteApFault::FirstEmpty, 0};
    }
    if (slot(0).size() != 12) {
        return {RemoteApFault::FirstLength, -1};
    }
    for (int i = 1; i <= 3; ++i) {
        if (!slot(i).isEmpty() && slot(i).size() != 12) {
            return {RemoteApFault::OtherLength, -1};
        }
    }
    return {};
}

SlotFill surveySlot(const QStringList &fourSlots, const QString &bssid)
{
    SlotFill fill;
    if (bssid.size() != 12) {
        return fill;
    }
    fill.mac = bssid;
    fill.mac.remove(QLatin1Char(':'));
    if (fourSlots.contains(fill.mac)) {
        fill.duplicate = true;
        return fill;
    }
    for (int i = 0; i < fourSlots.size() && i < 4; ++i) {
        const QString &s = fourSlots.at(i);
        if (emptySlot(s) || s.size() != 12) {
            fill.slot = i;
            break;
        }
    }
    return fill;
}

StartTime splitStartTime(const QString &text)
{
    const auto colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0) {
        return {text.left(2), QString()};
    }
    const auto from = colon >= 2 ? colon - 2 : 0;
    return {text.mid(from, colon - from), text.mid(colon + 1, 2)};
}

} // namespace wirelessrules
