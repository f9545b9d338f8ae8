// The performance page's pure rules as case tables: weak security and the restricted multicast
// list, the data rate and multicast rate lists, "802.11n Only" taken out, the save's input checks
// and the members each mode writes.
#include "CaseName.h"
#include "QtPrinters.h"
#include "SharedOptions.h"
#include "TFM_PerformaceRules.h"

#include <ostream>

#include <gtest/gtest.h>

namespace {

using namespace performancerules;

QStringList words(const char *text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// --- security ---------------------------------------------------------------------------------

struct SecurityCase
{
    const char *name;
    const char *authentication;
    const char *encryption;
    const char *cipher;
    bool n80211;
    bool weak;
    bool restricted;
};

void PrintTo(const SecurityCase &c, std::ostream *out)
{
    *out << c.name;
}

const SecurityCase kSecurity[] = {
    {"OpenWithEncryptionIsWep", "opensystem", "Enable", "aes", true, true, true},
    {"SharedKeyWithEncryptionIsWep", "sharedkey", "Enable", "aes", true, true, true},
    {"SharedKeyUnencrypted", "sharedkey", "Disable", "aes", true, false, false},
    {"WpaWithTkip", "wpa-psk", "Disable", "tkip", true, true, true},
    {"Wpa2AutoWithTkip", "wpa2-auto-eap", "Disable", "tkip", true, true, true},
    {"Wpa2WithAes", "wpa2-psk", "Disable", "aes", true, false, false},
    {"OpenUnencryptedWithTkip", "opensystem", "Disable", "tkip", true, false, false},
    {"Dot1xRestrictsOnly", "dot1x(10)", "Enable", "wep", true, false, true},
    {"LegacyModeRestricts", "wpa2-psk", "Disable", "aes", false, false, true},
};

class PerformanceRulesSecurity : public testing::TestWithParam<SecurityCase>
{ };

TEST_P(PerformanceRulesSecurity, WeakAndRestricted)
{
    const SecurityCase &c = GetParam();
    const bool weak = weakSecurity(
        QLatin1String(c.authentication), QLatin1String(c.encryption), QLatin1String(c.cipher));
    EXPECT_EQ(weak, c.weak);
    EXPECT_EQ(restrictedMulticast(weak, QLatin1String(c.authentication), c.n80211), c.restricted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerformanceRulesSecurity, testing::ValuesIn(kSecurity), kvatest::caseName);

// --- data rates -------------------------------------------------------------------------------

const char kRates24[] = "54 48 36 24 18 12 9 6 11 5.5 2 1";
const char kRates5[] = "54 48 36 24 18 12 9 6";

struct DataRateCase
{
    const char *name;
    int band;
    bool n80211;
    const char *value;
    const char *first;
    const char *rates; // the items after the first
    int selected;
    bool selectable;
};

void PrintTo(const DataRateCase &c, std::ostream *out)
{
    *out << c.name;
}

const DataRateCase kDataRates[] = {
    {"Band24NFixedAtBest", options::kBand24GHz, true, "11", "Best(up to 300)", kRates24, 0, false},
    {"Band5NFixedAtBest", options::kBand5GHz, true, "54", "Best(up to 300)", kRates5, 0, false},
    {"Band24LegacyAuto", options::kBand24GHz, false, "Auto", "Best(up to 54)", kRates24, 0, true},
    {"Band24LegacyBestText", options::kBand24GHz, false, "Best(up to 300)", "Best(up to 54)",
        kRates24, 0, true},
    {"Band24LegacyLeadingZero", options::kBand24GHz, false, "054", "Best(up to 54)", kRates24, 1,
        true},
    {"Band24LegacyFractionStays", options::kBand24GHz, false, "5.5", "Best(up to 54)", kRates24, 10,
        true},
    {"Band5LegacyRate", options::kBand5GHz, false, "9", "Best(up to 54)", kRates5, 7, true},
    {"Band5LegacyRateOf24Only", options::kBand5GHz, false, "11", "Best(up to 54)", kRates5, -1,
        true},
    {"NoNumberNoSelection", options::kBand24GHz, false, "abc", "Best(up to 54)", kRates24, -1,
        true},
    {"UnknownBandIs24", -1, false, "1", "Best(up to 54)", kRates24, 12, true},
};

class PerformanceRulesDataRates : public testing::TestWithParam<DataRateCase>
{ };

TEST_P(PerformanceRulesDataRates, ItemsAndSelection)
{
    const DataRateCase &c = GetParam();
    const DataRateChoice choice = dataRates(c.band, c.n80211, QLatin1String(c.value));
    EXPECT_EQ(choice.items, QStringList{QLatin1String(c.first)} + words(c.rates));
    EXPECT_EQ(choice.selected, c.selected);
    EXPECT_EQ(choice.selectable, c.selectable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerformanceRulesDataRates, testing::ValuesIn(kDataRates), kvatest::caseName);

// --- multicast rates --------------------------------------------------------------------------

struct MulticastCase
{
    const char *name;
    const char *list;
    const char *current;
    bool restricted;
    const char *items;
    const char *selected; // "" for none
};

void PrintTo(const MulticastCase &c, std::ostream *out)
{
    *out << c.name;
}

const char kGList[] = "1 2 5.5 11 6 9 12 18 24 36 48 54 6.5 13 65 Disable";

const MulticastCase kMulticast[] = {
    {"FullListKeepsTheNRates", kGList, "13", false, kGList, "13"},
    {"RestrictedStopsAfter54", kGList, "24", true, "1 2 5.5 11 6 9 12 18 24 36 48 54 Disable",
        "24"},
    {"RestrictedValueBeyond54ChoosesDisable", kGList, "65", true,
        "1 2 5.5 11 6 9 12 18 24 36 48 54 Disable", "Disable"},
    {"UnlistedValueChoosesDisable", kGList, "7", false, kGList, "Disable"},
    {"TwoBlanksMakeNoEmptyItem", "6  9 54 Disable", "9", false, "6 9 54 Disable", "9"},
    {"EdgeBlanksMakeNoEmptyItem", " 6 9 ", "6", false, "6 9", "6"},
    {"NoDisableNoSelection", "6 9", "12", false, "6 9", ""},
    {"RestrictedWithout54KeepsAll", "6 9 Disable", "6", true, "6 9 Disable", "6"},
    {"EmptyList", "", "Disable", true, "", ""},
};

class PerformanceRulesMulticast : public testing::TestWithParam<MulticastCase>
{ };

TEST_P(PerformanceRulesMulticast, ItemsAndSelection)
{
    const MulticastCase &c = GetParam();
    const MulticastChoice choice =
        multicastRates(QLatin1String(c.list), QLatin1String(c.current), c.restricted);
    EXPECT_EQ(choice.items, words(c.items));
    EXPECT_EQ(choice.selected < 0 ? QString() : choice.items.at(choice.selected),
        QLatin1String(c.selected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerformanceRulesMulticast, testing::ValuesIn(kMulticast), kvatest::caseName);

TEST(PerformanceRules, NOnlyGoesAndTheChosenModeStaysByText)
{
    const QStringList modes{QStringLiteral("Mixed 802.11n,802.11g and 802.11b"),
        QStringLiteral("Mixed 802.11g and 802.11b"), QStringLiteral("802.11n Only")};
    const ModeItems legacy = withoutNOnly(modes, modes[1]);
    EXPECT_EQ(legacy.items, modes.mid(0, 2));
    EXPECT_EQ(legacy.selected, 1);
    EXPECT_EQ(withoutNOnly(modes, modes[2]).selected, 0); // its text is gone
    EXPECT_EQ(withoutNOnly(modes, QString()).selected, 0);
    EXPECT_EQ(withoutNOnly({}, QString()).selected, -1);
}

TEST(PerformanceRules, ItemOneIsTheLegacyMode)
{
    EXPECT_FALSE(legacyMode(0));
    EXPECT_TRUE(legacyMode(1));
    EXPECT_FALSE(legacyMode(2));
    EXPECT_FALSE(legacyMode(-1));
}

// --- input checks -----------------------------------------------------------------------------

struct InputCase
{
    const char *name;
    int band;
    int mode;
    InputField field; // the refusal expected
    bool userLimitWritten;
    const char *beacon;
    const char *dtim;
    const char *userLimit;
    const char *ack;
    const char *message;
};

void PrintTo(const InputCase &c, std::ostream *out)
{
    *out << c.name;
}

constexpr int k24 = options::kBand24GHz;
constexpr int k5 = options::kBand5GHz;
constexpr int kAp = options::kApModeAccessPoint;
constexpr int kWds = options::kApModeWds;
constexpr int kClient = options::kApModeWirelessClient;

const char kBeaconText[] = "Please input a number between 25 and 500.";
const char kDtimText[] = "Please input a number between 1 and 15.";
const char kLimitText[] = "The range of 'User Limit' is from 0 to 64.";
const char kAck24Text[] = "The Ack TimeOut value range is 64~200.";
const char kAck5Text[] = "The Ack TimeOut value range is 50~200.";

const InputCase kInputs[] = {
    {"AllInRange", k24, kAp, InputField::None, true, "25", "1", "0", "64", nullptr},
    {"UpperBounds", k24, kAp, InputField::None, true, "500", "15", "64", "200", nullptr},
    {"Beacon24", k24, kAp, InputField::Beacon, true, "24", "1", "0", "64", kBeaconText},
    {"Beacon501", k24, kAp, InputField::Beacon, true, "501", "1", "0", "64", kBeaconText},
    {"BeaconEmpty", k24, kAp, InputField::Beacon, true, "", "1", "0", "64", kBeaconText},
    {"BeaconNoNumberIsZero", k24, kAp, InputField::Beacon, true, "x", "1", "0", "64", kBeaconText},
    {"BeaconBeforeDtim", k24, kAp, InputField::Beacon, true, "1", "99", "0", "64", kBeaconText},
    {"DtimZero", k24, kAp, InputField::Dtim, true, "100", "0", "0", "64", kDtimText},
    {"Dtim16", k24, kAp, InputField::Dtim, true, "100", "16", "0", "64", kDtimText},
    {"UserLimit65", k24, kAp, InputField::UserLimit, true, "100", "1", "65", "64", kLimitText},
    {"UserLimitEmpty", k24, kAp, InputField::UserLimit, true, "100", "1", "", "64", kLimitText},
    {"UserLimitNotWrittenNotChecked", k24, kWds, InputField::None, false, "100", "1", "", "64",
        nullptr},
    {"Ack60On24", k24, kAp, InputField::AckTimeout, true, "100", "1", "0", "60", kAck24Text},
    {"AckEmptyOn24", k24, kAp, InputField::AckTimeout, true, "100", "1", "0", "", kAck24Text},
    {"Ack60On5", k5, kAp, InputField::None, true, "100", "1", "0", "60", nullptr},
    {"Ack49On5", k5, kAp, InputField::AckTimeout, true, "100", "1", "0", "49", kAck5Text},
    {"AckEmptyOn5CountsAsZero", k5, kAp, InputField::AckTimeout, true, "100", "1", "0", "",
        kAck5Text},
    {"Ack201On5", k5, kAp, InputField::AckTimeout, true, "100", "1", "0", "201", kAck5Text},
    {"ClientChecksOnlyTheAck", k24, kClient, InputField::None, false, "", "", "", "64", nullptr},
    {"ClientAck", k24, kClient, InputField::AckTimeout, false, "", "", "", "63", kAck24Text},
};

class PerformanceRulesInputCheck : public testing::TestWithParam<InputCase>
{ };

TEST_P(PerformanceRulesInputCheck, FirstRefusalInOrder)
{
    const InputCase &c = GetParam();
    PerformanceInput in;
    in.band = c.band;
    in.apMode = c.mode;
    in.userLimitWritten = c.userLimitWritten;
    in.beacon = QLatin1String(c.beacon);
    in.dtim = QLatin1String(c.dtim);
    in.userLimit = QLatin1String(c.userLimit);
    in.ackTimeout = QLatin1String(c.ack);
    const InputFault fault = checkInput(in);
    EXPECT_EQ(fault.field, c.field);
    EXPECT_STREQ(fault.message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerformanceRulesInputCheck, testing::ValuesIn(kInputs), kvatest::caseName);

// --- members written --------------------------------------------------------------------------

struct MembersCase
{
    const char *name;
    int mode;
    bool limitOn;
    int band;
    const char *members;
};

void PrintTo(const MembersCase &c, std::ostream *out)
{
    *out << c.name;
}

const MembersCase kMembers[] = {
    {"AccessPointWithLimit", kAp, true, k24, "0,1,2,3,4,5,6,7,8,9,10,11,17"},
    {"AccessPointWithoutLimit", kAp, false, k24, "0,1,2,3,4,5,6,7,8,10,11,17"},
    {"AccessPointOn5", kAp, true, k5, "0,1,2,3,4,5,6,7,8,9,10,11,16"},
    {"WdsWithAp", options::kApModeWdsWithAp, true, k24, "0,1,2,3,4,5,6,7,10,11,17"},
    {"Wds", kWds, true, k5, "0,1,2,3,4,5,6,7,10,11,16"},
    {"WirelessClient", kClient, true, k24, "2,3,4,6,10,11,17"},
    {"UnknownModeAsAccessPoint", -1, true, k24, "0,1,2,3,4,5,6,7,8,9,10,11,17"},
};

class PerformanceRulesMembers : public testing::TestWithParam<MembersCase>
{ };

TEST_P(PerformanceRulesMembers, ByModeAndBand)
{
    const MembersCase &c = GetParam();
    EXPECT_EQ(performanceMembers(c.mode, c.limitOn, c.band), QLatin1String(c.members));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerformanceRulesMembers, testing::ValuesIn(kMembers), kvatest::caseName);

} // namespace
