// The performance page's rules as plain values: which wireless mode is legacy, what counts as weak
// security, the data rate and multicast rate lists, the "802.11n Only" removal, the save's input
// checks and which members of the performance request a save writes.
#pragma once

#include <QString>
#include <QStringList>

namespace performancerules {

/// Members of the performance request, in list order.
enum PerformanceVar {
    pfBeaconInterval,
    pfDtim,
    pfTransmitPower,
    pfWmm,
    pfShortGI,
    pfIgmpSnooping,
    pfRadioWave,
    pfDataRate,
    pfLoadBalance,
    pfUserLimit,
    pfLinkIntegrate,
    pfAckTimeout,
    pfDataRateList24,
    pfDataRateList5,
    pfMulticastListA,
    pfMulticastListG,
    pfMulticastRateA,
    pfMulticastRateG,
    pfVarCount
};

/// Members of the multicast request.
enum MulticastVar {
    mcListA,
    mcListG,
    mcRateA,
    mcRateG,
};

/// Item 1 of either wireless mode list is the legacy mode ("Mixed 802.11g and 802.11b",
/// "802.11a Only"); items 0 and 2 are 802.11n modes.
bool legacyMode(int wifiModeItem);

/// WEP (open system or shared key with encryption on) or WPA with TKIP; texts as the device's
/// option lists give them.
bool weakSecurity(const QString &authentication, const QString &encryption, const QString &cipher);

/// The multicast list stops after "54": weak security, 802.1x, or a legacy mode.
bool restrictedMulticast(bool weak, const QString &authentication, bool n80211);

/// The items of the data rate selector, the one chosen (-1 none) and whether the operator may
/// choose (the 802.11n modes fix it at "Best(up to 300)").
struct DataRateChoice
{
    QStringList items;
    int selected = -1;
    bool selectable = false;
};

/// For a band (options::BandIndex; anything but 5 GHz counts as 2.4 GHz), the 802.11n flag and
/// the device's dot11DataRate.
DataRateChoice dataRates(int band, bool n80211, const QString &deviceValue);

/// A rate the device gives as a number, in its shortest form ("054" is "54", "5.5" stays); empty
/// when the text is no number.
QString shortestRate(const QString &value);

struct MulticastChoice
{
    QStringList items;
    int selected = -1;
};

/// The items of the multicast rate selector from the device's blank-separated list (empty tokens
/// left out) and the current value: a restricted list stops after "54" and ends with "Disable";
/// a value not among the items chooses "Disable" where there is one.
MulticastChoice multicastRates(const QString &listText, const QString &current, bool restricted);

/// A wireless mode selector's items without "802.11n Only", keeping the chosen item by its text
/// (item 0 when that text is gone).
struct ModeItems
{
    QStringList items;
    int selected = -1;
};

ModeItems withoutNOnly(const QStringList &items, const QString &chosen);

/// The field a save refuses and its message; field None: every check passed.
enum class InputField {
    None,
    Beacon,
    Dtim,
    UserLimit,
    AckTimeout,
};

struct InputFault
{
    InputField field = InputField::None;
    const char *message = nullptr;
};

struct PerformanceInput
{
    int band = 0;
    int apMode = 0;               ///< options::ApModeIndex
    bool userLimitWritten = true; ///< the save writes dot11UserLimit
    QString beacon;
    QString dtim;
    QString userLimit;
    QString ackTimeout;
};

/// The save's checks in order; numbers are decimal, a text that is no number counts as 0.
InputFault checkInput(const PerformanceInput &in);

/// Whether a save in this mode writes dot11UserLimit: in access-point mode with the connection
/// limit on (an unknown mode counts as access-point mode).
bool writesUserLimit(int apMode, bool connectionLimitOn);

/// The members of the performance request a save writes, as an index list ("0,1,2"): by mode, the
/// current band's multicast rate only, never the four read-only lists.
QString performanceMembers(int apMode, bool connectionLimitOn, int band);

} // namespace performancerules
