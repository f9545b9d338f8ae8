// The performance page's rules.
#include "TFM_PerformaceRules.h"

#include "SharedOptions.h"

#include <vector>

namespace performancerules {

namespace {

constexpr char kDisable[] = "Disable";
constexpr char kLastLegacyRate[] = "54";

const char *const kRates24[] = {
    "54", "48", "36", "24", "18", "12", "9", "6", "11", "5.5", "2", "1"};
const char *const kRates5[] = {"54", "48", "36", "24", "18", "12", "9", "6"};

bool fiveGHz(int band)
{
    return band == options::kBand5GHz;
}

// A decimal number; anything else counts as 0.
qint64 numberOf(const QString &text)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok, 10);
    return ok ? n : 0;
}

bool within(const QString &text, qint64 low, qint64 high)
{
    const qint64 n = numberOf(text);
    return n >= low && n <= high;
}

} // namespace

bool legacyMode(int wifiModeItem)
{
    return wifiModeItem == 1;
}

bool weakSecurity(const QString &authentication, const QString &encryption, const QString &cipher)
{
    const bool encrypted = encryption == QLatin1String("Enable");
    if ((authentication == QLatin1String("opensystem")
            || authentication == QLatin1String("sharedkey"))
        && encrypted) {
        return true;
    }
    return authentication.contains(QLatin1String("wpa")) && cipher == QLatin1String("tkip");
}

bool restrictedMulticast(bool weak, const QString &authentication, bool n80211)
{
    return weak || authentication.contains(QLatin1String("dot1x(10)")) || !n80211;
}

DataRateChoice dataRates(int band, bool n80211, const QString &deviceValue)
{
    DataRateChoice choice;
    choice.items.append(
        n80211 ? QStringLiteral("Best(up to 300)") : QStringLiteral("Best(up to 54)"));
    if (fiveGHz(band)) {
        for (const char *rate : kRates5) {
            choice.items.append(QLatin1String(rate));
        }
    } else {
        for (const char *rate : kRates24) {
            choice.items.append(QLatin1String(rate));
        }
    }
    if (n80211) {
        choice.selected = 0;
        choice.selectable = false;
        return choice;
    }
    choice.selectable = true;
    if (deviceValue == QLatin1String("Auto") || deviceValue == QLatin1String("Best(up to 300)")
        || deviceValue == QLatin1String("Best(up to 54)")) {
        choice.selected = 0;
        return choice;
    }
    const QString rate = shortestRate(deviceValue);
    choice.selected = rate.isEmpty() ? -1 : int(choice.items.indexOf(rate));
    return choice;
}

QString shortestRate(const QString &value)
{
    bool ok = false;
    const double rate = value.toDouble(&ok);
    return ok ? QString::number(rate) : QString();
}

MulticastChoice multicastRates(const QString &listText, const QString &current, bool restricted)
{
    MulticastChoice choice;
    // the device separates its rates by single blanks; two in a row would make an empty rate
    for (const QString &token : listText.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (choice.selected < 0 && token == current) {
            choice.selected = int(choice.items.size());
        }
        choice.items.append(token);
        if (restricted && token == QLatin1String(kLastLegacyRate)) {
            choice.items.append(QLatin1String(kDisable));
            break;
        }
    }
    if (choice.selected < 0) {
        choice.selected = int(choice.items.indexOf(QLatin1String(kDisable)));
    }
    return choice;
}

ModeItems withoutNOnly(const QStringList &items, const QString &chosen)
{
    ModeItems out;
    out.items = items;
    out.items.removeAll(QStringLiteral("802.11n Only"));
    out.selected = int(out.items.indexOf(chosen));
    if (out.selected < 0 && !out.items.isEmpty()) {
        out.selected = 0;
    }
    return out;
}

InputFault checkInput(const PerformanceInput &in)
{
    if (in.apMode != options::kApModeWirelessClient) {
        if (in.beacon.isEmpty() || !within(in.beacon, 25, 500)) {
            return {InputField::Beacon, "Please input a number between 25 and 500."};
        }
        if (in.dtim.isEmpty() || !within(in.dtim, 1, 15)) {
            return {InputField::Dtim, "Please input a number between 1 and 15."};
        }
        if (in.userLimitWritten && (in.userLimit.isEmpty() || !within(in.userLimit, 0, 64))) {
            return {InputField::UserLimit, "The range of 'User Limit' is from 0 to 64."};
        }
    }
    if (fiveGHz(in.band)) {
        // an empty field counts as 0
        if (!within(in.ackTimeout, 50, 200)) {
            return {InputField::AckTimeout, "The Ack TimeOut value range is 50~200."};
        }
    } else if (in.ackTimeout.isEmpty() || !within(in.ackTimeout, 64, 200)) {
        return {InputField::AckTimeout, "The Ack TimeOut value range is 64~200."};
    }
    return {};
}

bool writesUserLimit(int apMode, bool connectionLimitOn)
{
    const bool accessPoint = apMode != options::kApModeWdsWithAp && apMode != options::kApModeWds
        && apMode != options::kApModeWirelessClient;
    return accessPoint && connectionLimitOn;
}

QString performanceMembers(int apMode, bool connectionLimitOn, int band)
{
    std::vector<bool> written(pfVarCount, true);
    for (const int list : {pfDataRateList24, pfDataRateList5, pfMulticastListA, pfMulticastListG}) {
        written[std::size_t(list)] = false;
    }
    written[fiveGHz(band) ? pfMulticastRateG : pfMulticastRateA] = false;
    switch (apMode) {
    case options::kApModeWirelessClient:
        for (const int member :
            {pfBeaconInterval, pfDtim, pfDataRate, pfIgmpSnooping, pfLoadBalance}) {
            written[std::size_t(member)] = false;
        }
        break;
    case options::kApModeWdsWithAp:
    case options::kApModeWds:
        written[pfLoadBalance] = false;
        break;
    default:
        break;
    }
    written[pfUserLimit] = writesUserLimit(apMode, connectionLimitOn);
    QStringList members;
    for (int i = 0; i < pfVarCount; ++i) {
        if (written[std::size_t(i)]) {
            members.append(QString::number(i));
        }
    }
    return members.join(QLatin1Char(','));
}

} // namespace performancerules
