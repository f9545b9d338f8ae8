// The wireless page's rules as pure functions: application and AP mode lists by band, the channel
// list by band, country, application and mode, the channel width, what each mode and security kind
// shows, and the checks of the SSID, the remote APs and the MAC clone. Plain values in and out; the
// page gathers them from its controls and applies the results.
#pragma once

#include "SecurityTables.h"

#include <QString>
#include <QStringList>

namespace wirelessrules {

// Mode texts of the AP mode list.
inline constexpr char kAccessPoint[] = "Access Point";
inline constexpr char kWdsWithAp[] = "WDS with AP";
inline constexpr char kWds[] = "WDS";
inline constexpr char kWirelessClient[] = "Wireless Client";

/// The AP mode item index (options::ApModeIndex) of a mode text; -1 for none.
int apModeIndexOf(const QString &modeText);

/// The application list: one item on 2.4 GHz, indoor and outdoor on 5 GHz (band by
/// options::BandIndex; no band counts as 2.4 GHz).
QStringList applicationItems(int band);
/// The item the device's application value selects: value - 1, or the first item.
int applicationItem(int applicationValue, int itemCount);

/// The AP mode list: all four modes, only "Access Point" and "Wireless Client" on 5 GHz outdoor
/// (the second application item).
QStringList apModeItems(int band, int applicationItem);

/// The device's channel lists as read.
struct ChannelLists
{
    QString band24;    ///< dot11ABandChannelList
    QString indoorWds; ///< dot11Band5GHzIndoorWdsChannelList
    QString indoor;    ///< dot11Band5GHzIndoorChannelList
    QString outdoor;   ///< dot11Band5GHzOutdoorChannelList
};

/// Where the channel list comes from: the device's list for the band, country, application item
/// and mode (its default when the device's is empty), and that default.
struct ChannelSource
{
    QString text;
    QString fallback;
};

ChannelSource channelSource(int band, const QString &country, int applicationItem,
    const QString &modeText, const ChannelLists &lists);

/// The channel list's items and the one selected.
struct ChannelChoice
{
    QStringList items;
    int selected = -1;
    QStringList refused; ///< tokens of the device's list that are no channel number, left out
};

/// One item per blank-separated channel number of the source's text (of its fallback when the
/// text holds none), the item equal to `channel` selected, else the first.
ChannelChoice channelChoice(const ChannelSource &source, const QString &channel);

/// Whether 802.11n is in use for the wireless mode read (its option text) on a band.
bool uses80211n(int band, const QString &wifiModeText);

/// What the channel width rule decides.
struct ChannelWidth
{
    bool pinned = false; ///< select `item` and disable the list
    int item = 0;        ///< 0 "20MHz", 1 "Auto 20/40 MHz"
};

struct ChannelWidthInputs
{
    QString country;
    QString modeText;
    bool n80211 = true;
    QString channel;
    bool keyGroupShown = false;
    bool encryptionEnabled = false;
    QString cipherItem; ///< the cipher type list's text
};

ChannelWidth channelWidthRule(const ChannelWidthInputs &in);

/// What one AP mode shows (the radio half of the visibility rules).
struct ModeView
{
    bool clone = false;     ///< "Wireless Mac Clone"
    bool wds = false;       ///< the WDS group
    bool survey = false;    ///< "Site Survey"
    bool wdsSurvey = false; ///< the WDS survey list (else the client's)
    QString wdsCaption = QStringLiteral("WDS");
    int autoScan = -1;          ///< CB_AuSc pinned at this item (0 Disable, 1 Enable); -1 free
    int broadcast = -1;         ///< CB_SsidBroadcast pinned at this item; -1 free
    bool channelLocked = false; ///< CB_Chanal disabled whatever the automatic scan says
};

ModeView modeView(int apModeIndex);

/// What the security half shows for a mode and security kind.
struct SecurityView
{
    bool keyGroup = false;        ///< "Key settings"
    bool passphraseGroup = false; ///< the passphrase group box
    QString passphraseCaption = QStringLiteral("Passphrase Settings");
    bool radius = false;        ///< the RADIUS sub-group
    bool netProtect = false;    ///< Network Access Protection inside it
    bool passphrase = false;    ///< passphrase and confirm
    bool rekey = false;         ///< the rekey controls
    bool wpaAndCipher = false;  ///< WPA mode and cipher type
    bool groupInterval = false; ///< Ed_UpdateInterval
    bool groupIntervalEnabled = true;
    bool keyInterval = false; ///< Ed_Update2
    QStringList cipherItems;
    bool wpaPinned = false;    ///< WPA mode at its first item, disabled
    bool cipherPinned = false; ///< the one cipher item selected, disabled
};

SecurityView securityView(int apModeIndex, security::SecurityKind kind);

/// The cipher item showing the device's cipher (its option text), ignoring case; else the first.
int cipherItemFor(const QStringList &cipherItems, const QString &deviceCipher);

/// The device's cipher (option text) for a cipher item: "Auto" auto, "AES" aes, "TKIP" tkip.
QString deviceCipherFor(const QString &cipherItem);

enum class SsidFault {
    None,
    TooLong, ///< more than 32 characters
    Empty,
    LeadingBlank,
    WideCharacter, ///< a character of code 128 or more
};

SsidFault checkSsid(const QString &ssid);

/// An empty remote AP slot: nothing, or "000000000000".
bool emptySlot(const QString &slot);

enum class RemoteApFault {
    None,
    Duplicate,   ///< two macs hold one address
    FirstEmpty,  ///< slot 1 empty
    FirstLength, ///< slot 1 not 12 characters
    OtherLength, ///< slot 2, 3 or 4 not empty and not 12 characters
};

struct RemoteApCheck
{
    RemoteApFault fault = RemoteApFault::None;
    int focus = -1; ///< the slot (0-based) that takes the focus; -1 none
};

/// The remote AP checks over the eight macs, in their order; duplicates are found from the last
/// slot down, each against the macs before it, compared without case.
RemoteApCheck checkRemoteAps(const QStringList &macs);

/// What a click on a survey row does to the four remote AP macs.
struct SlotFill
{
    bool duplicate = false; ///< a slot holds the address already
    int slot = -1;          ///< the slot that takes it; -1 none
    QString mac;            ///< the address as it goes into the slot
};

SlotFill surveySlot(const QStringList &fourSlots, const QString &bssid);

/// The two parts of an "hh:mm" start time: the two characters before the ":" and the two after.
struct StartTime
{
    QString hour;
    QString minute;
};

StartTime splitStartTime(const QString &text);

} // namespace wirelessrules
