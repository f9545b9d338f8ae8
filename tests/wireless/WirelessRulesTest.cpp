// The wireless page's pure rules and the shared security tables as case tables: channel lists,
// mode lists, channel width, the translation between the two security lists and the device's
// authentication, the security checks, the SSID, remote AP and survey slot rules.
#include "QtPrinters.h"
#include "SecurityChecks.h"
#include "SecurityTables.h"
#include "SharedOptions.h"
#include "TFM_WirlessRules.h"

#include <ostream>

#include <gtest/gtest.h>

namespace {

using namespace wirelessrules;
using namespace security;

template <class T>
std::string caseName(const testing::TestParamInfo<T> &info)
{
    return info.param.name;
}

// --- channel list ---------------------------------------------------------------------------

struct ChannelCase
{
    const char *name;
    int band;
    const char *country;
    int application; // application item
    const char *mode;
    ChannelLists lists;
    const char *channel; // Ed_Channel
    const char *items;   // joined by blanks
    const char *selected;
    const char *refused;
};

void PrintTo(const ChannelCase &c, std::ostream *out)
{
    *out << c.name;
}

const char kIndoor[] = "36 40 44 48 52 56 60 64 100 104 108 112 116 120 124 128 132 136 140";

const ChannelCase kChannels[] = {
    {"Band24DeviceList", 0, "US", 0, kAccessPoint, {"1 6 11", "", "", ""}, "11", "1 6 11", "11",
        ""},
    {"Band24EmptyGivesThirteen", 0, "US", 0, kAccessPoint, {"", "", "", ""}, "6",
        "1 2 3 4 5 6 7 8 9 10 11 12 13", "6", ""},
    {"Band5IndoorForAccessPoint", 1, "US", 0, kAccessPoint, {"1 6", "36 40", "36 40 44", "100"},
        "44", "36 40 44", "44", ""},
    {"Band5IndoorWdsInWdsModes", 1, "US", 0, kWdsWithAp, {"", "36 48", kIndoor, ""}, "48", "36 48",
        "48", ""},
    {"Band5ChannelNotListedSelectsFirst", 1, "DE", 0, kWds, {"", "36 48", "", ""}, "44", "36 48",
        "36", ""},
    {"Band5EmptyIndoorWdsDefault", 1, "US", 0, kWds, {"", "", "", ""}, "40", "36 40 44 48", "40",
        ""},
    {"Band5EmptyIndoorDefault", 1, "US", 0, kWirelessClient, {"", "", "", ""}, "140", kIndoor,
        "140", ""},
    {"JapanOutdoor", 1, "JP", 1, kAccessPoint, {"", "36", "36", "100 104"}, "104", "100 104", "104",
        ""},
    {"JapanOutdoorEmptyDefault", 1, "JP", 1, kWirelessClient, {"", "", "", " "}, "100",
        "100 104 108 112 116 120 124 128 132 136 140", "100", ""},
    {"JapanIndoorWds", 1, "JP", 0, kWds, {"", "52 56", "36", "100"}, "56", "52 56", "56", ""},
    {"OutdoorOutsideJapanIsIndoor", 1, "US", 1, kAccessPoint, {"", "", "36 40", "100"}, "40",
        "36 40", "40", ""},
    {"BlanksBetweenTokens", 0, "US", 0, kAccessPoint, {"  1   6  11 ", "", "", ""}, "1", "1 6 11",
        "1", ""},
    {"NonNumberLeftOut", 0, "US", 0, kAccessPoint, {"1 x6 6 11", "", "", ""}, "6", "1 6 11", "6",
        "x6"},
    {"NothingButNonNumbersGivesTheDefault", 1, "US", 0, kWds, {"", "abc 0 999", "", ""}, "44",
        "36 40 44 48", "44", "abc 0 999"},
};

class ChannelList : public testing::TestWithParam<ChannelCase>
{ };

TEST_P(ChannelList, ItemsAndSelection)
{
    const ChannelCase &c = GetParam();
    const ChannelChoice choice = channelChoice(channelSource(c.band, QLatin1String(c.country),
                                                   c.application, QLatin1String(c.mode), c.lists),
        QLatin1String(c.channel));
    EXPECT_EQ(choice.items.join(QLatin1Char(' ')), c.items);
    ASSERT_GE(choice.selected, 0);
    EXPECT_EQ(choice.items.at(choice.selected), c.selected);
    EXPECT_EQ(choice.refused.join(QLatin1Char(' ')), c.refused);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChannelList, testing::ValuesIn(kChannels), caseName<ChannelCase>);

TEST(WirelessRules, ApModeAndApplicationListsByBand)
{
    EXPECT_EQ(applicationItems(options::kBand24GHz).size(), 1);
    EXPECT_EQ(applicationItems(options::kBand5GHz).size(), 2);
    EXPECT_EQ(apModeItems(options::kBand5GHz, 1),
        (QStringList{QStringLiteral("Access Point"), QStringLiteral("Wireless Client")}));
    EXPECT_EQ(apModeItems(options::kBand5GHz, 0).size(), 4);
    EXPECT_EQ(apModeItems(options::kBand24GHz, 1).size(), 4); // outdoor is a 5 GHz item
    EXPECT_EQ(applicationItem(2, 2), 1);
    EXPECT_EQ(applicationItem(0, 2), 0); // "disable" has no item: the first
    EXPECT_EQ(applicationItem(2, 1), 0);
}

// --- channel width ----------------------------------------------------------------------------

struct WidthCase
{
    const char *name;
    ChannelWidthInputs in;
    bool pinned;
    int item;
};

void PrintTo(const WidthCase &c, std::ostream *out)
{
    *out << c.name;
}

const WidthCase kWidths[] = {
    {"FreeInAccessPoint", {"US", kAccessPoint, true, "6", false, false, "AES"}, false, 0},
    {"KoreaAlwaysNarrow", {"KR", kWirelessClient, true, "6", false, false, "AES"}, true, 0},
    {"ClientAlwaysAuto", {"US", kWirelessClient, false, "13", true, true, "TKIP"}, true, 1},
    {"No80211nNarrow", {"US", kWds, false, "6", false, false, "AES"}, true, 0},
    {"Channel14Narrow", {"US", kAccessPoint, true, "14", false, false, "AES"}, true, 0},
    {"Channel165Narrow", {"US", kAccessPoint, true, "165", false, false, "AES"}, true, 0},
    {"Channel140Narrow", {"US", kWdsWithAp, true, "140", false, false, "AES"}, true, 0},
    {"WepEncryptionNarrow", {"US", kAccessPoint, true, "6", true, true, "AES"}, true, 0},
    {"OpenIsFree", {"US", kAccessPoint, true, "6", true, false, "TKIP"}, false, 0},
    {"TkipNarrow", {"US", kAccessPoint, true, "6", false, false, "TKIP"}, true, 0},
};

class ChannelWidthRule : public testing::TestWithParam<WidthCase>
{ };

TEST_P(ChannelWidthRule, FirstCaseThatApplies)
{
    const WidthCase &c = GetParam();
    const ChannelWidth width = channelWidthRule(c.in);
    EXPECT_EQ(width.pinned, c.pinned);
    if (c.pinned) {
        EXPECT_EQ(width.item, c.item);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ChannelWidthRule, testing::ValuesIn(kWidths), caseName<WidthCase>);

// --- authentication translation -----------------------------------------------------------

struct FromDeviceCase
{
    const char *name;
    SecurityRow row;
    const char *authentication;
    ListPick pick;
};

void PrintTo(const FromDeviceCase &c, std::ostream *out)
{
    *out << c.name;
}

const FromDeviceCase kFromDevice[] = {
    {"ApOpen", srAccessPoint, "opensystem", {0, 0}},
    {"ApSharedKey", srAccessPoint, "sharedkey", {1, 0}},
    {"ApMultiSsidSharedKeyNotOffered", srAccessPointMultiSsid, "sharedkey", {-1, -1}},
    {"ApWpaPsk", srAccessPoint, "wpa-psk", {2, 2}},
    {"ApMultiSsidWpa2Eap", srAccessPointMultiSsid, "wpa2-eap", {2, 1}},
    {"ApDot1x", srAccessPoint, "dot1x(10)", {4, -1}},
    {"ApUnlisted", srAccessPoint, "opensystem-sharedkey", {-1, -1}},
    {"WdsWithApWpa2Psk", srWdsWithAp, "wpa2-psk", {2, 1}},
    {"WdsWithApMultiSsidAuto", srWdsWithApMultiSsid, "wpa2-auto-psk", {1, 0}},
    {"WdsWpa2Psk", srWds, "wpa2-psk", {2, 0}},
    {"WdsEapFallsBackToOpen", srWds, "wpa2-eap", {0, 0}},
    {"ClientWpaPsk", srWirelessClient, "wpa-psk", {1, 2}},
    {"ClientWpa2EapLeavesSecurityOpen", srWirelessClient, "wpa2-eap", {-1, 2}},
    {"ClientUnlistedIsOpen", srWirelessClient, "", {0, 0}},
};

class AuthenticationFromDevice : public testing::TestWithParam<FromDeviceCase>
{ };

TEST_P(AuthenticationFromDevice, PicksBothLists)
{
    const FromDeviceCase &c = GetParam();
    EXPECT_EQ(pickFor(c.row, QLatin1String(c.authentication)), c.pick);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AuthenticationFromDevice, testing::ValuesIn(kFromDevice), caseName<FromDeviceCase>);

struct ToDeviceCase
{
    const char *name;
    int mode; // options::ApModeIndex
    bool multiSsid;
    ListPick pick;
    const char *authentication; // "" when not listed
};

void PrintTo(const ToDeviceCase &c, std::ostream *out)
{
    *out << c.name;
}

const ToDeviceCase kToDevice[] = {
    {"ApOpenWhateverWpa", options::kApModeAccessPoint, false, {0, 2}, "opensystem"},
    {"ApShareKey", options::kApModeAccessPoint, false, {1, 0}, "sharedkey"},
    {"ApPersonalWpaOnly", options::kApModeAccessPoint, false, {2, 2}, "wpa-psk"},
    {"ApPersonalNoWpaIsAuto", options::kApModeAccessPoint, false, {2, -1}, "wpa2-auto-psk"},
    {"ApEnterpriseWpa2", options::kApModeAccessPoint, false, {3, 1}, "wpa2-eap"},
    {"ApDot1x", options::kApModeAccessPoint, false, {4, -1}, "dot1x(10)"},
    {"ApMultiSsidPersonal", options::kApModeAccessPoint, true, {1, 1}, "wpa2-psk"},
    {"ApMultiSsidDot1x", options::kApModeAccessPoint, true, {3, 0}, "dot1x(10)"},
    {"WdsWithApShareKey", options::kApModeWdsWithAp, false, {1, 0}, "sharedkey"},
    {"WdsWithApMultiSsidPersonal", options::kApModeWdsWithAp, true, {1, 0}, "wpa2-auto-psk"},
    {"WdsShareKey", options::kApModeWds, false, {1, 0}, "sharedkey"},
    {"WdsPersonal", options::kApModeWds, false, {2, 0}, "wpa2-psk"},
    // the WDS lists offer "Share Key" whatever the multi-SSID state: one row for both
    {"WdsMultiSsidShareKey", options::kApModeWds, true, {1, 0}, "sharedkey"},
    {"WdsMultiSsidPersonal", options::kApModeWds, true, {2, 0}, "wpa2-psk"},
    {"ClientWpaOnly", options::kApModeWirelessClient, false, {1, 2}, "wpa-psk"},
    {"ClientAuto", options::kApModeWirelessClient, true, {1, 0}, "wpa2-auto-psk"},
    {"NotInTheRow", options::kApModeWds, false, {3, 0}, ""},
    {"NothingPicked", options::kApModeAccessPoint, false, {-1, -1}, ""},
};

class AuthenticationToDevice : public testing::TestWithParam<ToDeviceCase>
{ };

TEST_P(AuthenticationToDevice, OneValueForBothPicks)
{
    const ToDeviceCase &c = GetParam();
    EXPECT_EQ(authenticationFor(securityRow(c.mode, c.multiSsid), c.pick), c.authentication);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AuthenticationToDevice, testing::ValuesIn(kToDevice), caseName<ToDeviceCase>);

// Every value a row offers comes back as itself from its picks.
TEST(SecurityTables, EveryOfferedValueSurvivesTheRoundTrip)
{
    const char *const values[] = {"opensystem", "sharedkey", "wpa-psk", "wpa-eap", "wpa2-psk",
        "wpa2-eap", "wpa2-auto-psk", "wpa2-auto-eap", "dot1x(10)"};
    for (int r = 0; r < srCount; ++r) {
        const auto row = static_cast<SecurityRow>(r);
        const SecurityLists lists = securityLists(row);
        for (const char *value : values) {
            const ListPick pick = pickFor(row, QLatin1String(value));
            if (pick.security < 0) {
                continue;
            }
            ASSERT_LT(pick.security, lists.security.size()) << r << " " << value;
            ASSERT_LT(pick.wpa, lists.wpa.size()) << r << " " << value;
            const QString back = authenticationFor(row, pick);
            if (back == QLatin1String(value)) {
                continue;
            }
            // a value the row cannot show falls back to an item of its own
            EXPECT_EQ(pickFor(row, back), pick) << r << " " << value;
        }
    }
}

TEST(SecurityTables, KindOfThePickedItem)
{
    EXPECT_EQ(securityKind(QLatin1String(kOpenSystem), false), SecurityKind::Open);
    EXPECT_EQ(securityKind(QLatin1String(kOpenSystem), true), SecurityKind::Wep);
    EXPECT_EQ(securityKind(QLatin1String(kShareKey), false), SecurityKind::Wep);
    EXPECT_EQ(securityKind(QLatin1String(kWpaEnterprise), false), SecurityKind::WpaEnterprise);
    EXPECT_EQ(securityKind(QString(), false), SecurityKind::None);
}

// --- security checks --------------------------------------------------------------------------

struct KeyCase
{
    const char *name;
    int type;
    int size;
    const char *key;
    bool length; // the length is right
    bool hex;    // the hex check passes
};

void PrintTo(const KeyCase &c, std::ostream *out)
{
    *out << c.name;
}

const KeyCase kKeys[] = {
    {"Hex64TenDigits", options::kKeyHex, kKey64Bits, "0123456789", true, true},
    {"Hex64NineDigits", options::kKeyHex, kKey64Bits, "012345678", false, true},
    {"Hex64ElevenDigits", options::kKeyHex, kKey64Bits, "0123456789a", false, true},
    {"Hex128", options::kKeyHex, kKey128Bits, "0123456789abcdefABCDEF0123", true, true},
    {"HexWithG", options::kKeyHex, kKey64Bits, "012345678g", true, false},
    {"HexMaskedReadBack", options::kKeyHex, kKey64Bits, "**********", true, true},
    {"HexHalfMasked", options::kKeyHex, kKey64Bits, "*****12345", true, false},
    {"Ascii64", options::kKeyAscii, kKey64Bits, "ab de", true, false},
    {"Ascii128", options::kKeyAscii, kKey128Bits, "abcdefghijklm", true, false},
    {"Ascii128Short", options::kKeyAscii, kKey128Bits, "abcdefghijkl", false, false},
};

class WepKey : public testing::TestWithParam<KeyCase>
{ };

TEST_P(WepKey, LengthByTypeAndSizeAndHexDigits)
{
    const KeyCase &c = GetParam();
    const QString key = QLatin1String(c.key);
    EXPECT_EQ(key.size() == wepKeyLength(c.type, c.size), c.length);
    EXPECT_EQ(isHexKey(key), c.hex);
    if (c.length) {
        EXPECT_EQ(wepKeySize(c.type, int(key.size())), c.size); // as a read sets the size list
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, WepKey, testing::ValuesIn(kKeys), caseName<KeyCase>);

struct TextCheckCase
{
    const char *name;
    bool (*check)(const QString &);
    const char *text;
    bool accepted;
};

void PrintTo(const TextCheckCase &c, std::ostream *out)
{
    *out << c.name;
}

const TextCheckCase kTextChecks[] = {
    {"Interval299", validKeyInterval, "299", false},
    {"Interval300", validKeyInterval, "300", true},
    {"Interval9999999", validKeyInterval, "9999999", true},
    {"Interval10000000", validKeyInterval, "10000000", false},
    {"IntervalEmpty", validKeyInterval, "", false},
    {"IntervalNotANumber", validKeyInterval, "30a", false},
    {"IntervalHugeNumber", validKeyInterval, "99999999999999999999999", false},
    {"Rekey0", validRekeyInterval, "0", false},
    {"Rekey1", validRekeyInterval, "1", true},
    {"Rekey168", validRekeyInterval, "168", true},
    {"Rekey169", validRekeyInterval, "169", false},
    {"Port0", validRadiusPort, "0", false},
    {"Port1812", validRadiusPort, "1812", true},
    {"Port65536", validRadiusPort, "65536", false},
    {"PortNegative", validRadiusPort, "-1", false},
    {"ServerBroadcast", validRadiusServer, "192.168.0.255", false},
    {"ServerMulticast", validRadiusServer, "224.0.0.1", false},
    {"ServerHost", validRadiusServer, "10.0.0.1", true},
};

class SecurityTextCheck : public testing::TestWithParam<TextCheckCase>
{ };

TEST_P(SecurityTextCheck, AcceptsOrRefuses)
{
    const TextCheckCase &c = GetParam();
    EXPECT_EQ(c.check(QLatin1String(c.text)), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SecurityTextCheck, testing::ValuesIn(kTextChecks), caseName<TextCheckCase>);

TEST(SecurityChecks, PassphraseAndSecret)
{
    EXPECT_EQ(checkPassphrase(QString(7, u'p')), PassphraseFault::TooShort);
    EXPECT_EQ(checkPassphrase(QString(8, u'p')), PassphraseFault::None);
    EXPECT_EQ(checkPassphrase(QString(63, u'p')), PassphraseFault::None);
    EXPECT_EQ(checkPassphrase(QString(64, u'p')), PassphraseFault::TooLong);
    EXPECT_EQ(checkPassphrase(QStringLiteral(" pass phrase")), PassphraseFault::BlankEdge);
    EXPECT_EQ(checkPassphrase(QStringLiteral("pass phrase ")), PassphraseFault::BlankEdge);
    EXPECT_EQ(checkPassphrase(QStringLiteral("pass phrase")), PassphraseFault::None);
    EXPECT_EQ(checkRadiusSecret(QString()), SecretFault::Empty);
    EXPECT_EQ(checkRadiusSecret(QString(64, u's')), SecretFault::None);
    EXPECT_EQ(checkRadiusSecret(QString(65, u's')), SecretFault::TooLong);
    EXPECT_EQ(keyOrdinal(1), "1st");
    EXPECT_EQ(keyOrdinal(2), "2nd");
    EXPECT_EQ(keyOrdinal(3), "3rd");
    EXPECT_EQ(keyOrdinal(4), "4th");
}

// --- SSID, remote APs, survey slots -----------------------------------------------------------

TEST(WirelessRules, SsidChecksInTheirOrder)
{
    EXPECT_EQ(checkSsid(QString(32, u's')), SsidFault::None);
    EXPECT_EQ(checkSsid(QString(33, u's')), SsidFault::TooLong);
    EXPECT_EQ(checkSsid(QString()), SsidFault::Empty);
    EXPECT_EQ(checkSsid(QStringLiteral(" lab")), SsidFault::LeadingBlank);
    EXPECT_EQ(checkSsid(QStringLiteral("lab ")), SsidFault::None);
    EXPECT_EQ(checkSsid(QStringLiteral("caf\u00e9")), SsidFault::WideCharacter);
    EXPECT_EQ(checkSsid(QStringLiteral(" caf\u00e9")), SsidFault::LeadingBlank);
}

struct RemoteApCase
{
    const char *name;
    QStringList macs;
    RemoteApFault fault;
    int focus;
};

void PrintTo(const RemoteApCase &c, std::ostream *out)
{
    *out << c.name;
}

const QString kA = QStringLiteral("00A1B2C3D4E5");
const QString kB = QStringLiteral("00A1B2C3D4E6");

const RemoteApCase kRemoteAps[] = {
    {"OneAddress", {kA, "", "", ""}, RemoteApFault::None, -1},
    {"SameAddressOtherCase", {kA, kA.toLower(), "", ""}, RemoteApFault::Duplicate, 1},
    {"DuplicateInHiddenSlotTakesNoFocus", {"", "", "", "", "", kB, "", kB},
        RemoteApFault::Duplicate, -1},
    {"LastDuplicateFoundFirst", {kA, kB, kA, kB}, RemoteApFault::Duplicate, 3},
    {"ZeroSlotsAreNoDuplicates", {kA, "000000000000", "000000000000", ""}, RemoteApFault::None, -1},
    {"FirstEmpty", {"", kA, "", ""}, RemoteApFault::FirstEmpty, 0},
    {"FirstZeroCountsAsEmpty", {"000000000000", kA, "", ""}, RemoteApFault::FirstEmpty, 0},
    {"FirstShort", {"00A1B2", "", "", ""}, RemoteApFault::FirstLength, -1},
    {"ThirdShort", {kA, kB, "00A1", ""}, RemoteApFault::OtherLength, -1},
};

class RemoteApChecks : public testing::TestWithParam<RemoteApCase>
{ };

TEST_P(RemoteApChecks, InTheirOrder)
{
    const RemoteApCase &c = GetParam();
    const RemoteApCheck check = checkRemoteAps(c.macs);
    EXPECT_EQ(check.fault, c.fault);
    EXPECT_EQ(check.focus, c.focus);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemoteApChecks, testing::ValuesIn(kRemoteAps), caseName<RemoteApCase>);

TEST(WirelessRules, SurveyRowFillsTheFirstFreeSlot)
{
    EXPECT_EQ(surveySlot({kA, "", "", ""}, kB).slot, 1);
    EXPECT_EQ(surveySlot({kA, "000000000000", "", ""}, kB).slot, 1);
    EXPECT_EQ(surveySlot({kA, "00A1", "", ""}, kB).slot, 1);
    EXPECT_TRUE(surveySlot({kA, "", "", ""}, kA).duplicate);
    EXPECT_EQ(surveySlot({kA, kB, "00A1B2C3D4E7", "00A1B2C3D4E8"}, "00A1B2C3D4E9").slot, -1);
    EXPECT_EQ(surveySlot({"", "", "", ""}, "00:A1:B2:C3").slot, -1); // not 12 characters
}

TEST(WirelessRules, StartTimeParts)
{
    EXPECT_EQ(splitStartTime(QStringLiteral("07:30")).hour, "07");
    EXPECT_EQ(splitStartTime(QStringLiteral("07:30")).minute, "30");
    EXPECT_EQ(splitStartTime(QStringLiteral("7:5")).hour, "7");
    EXPECT_EQ(splitStartTime(QStringLiteral("7:5")).minute, "5");
    EXPECT_EQ(splitStartTime(QString()).hour, "");
}

TEST(WirelessRules, CipherItems)
{
    const QStringList items{QStringLiteral("Auto"), QStringLiteral("AES")};
    EXPECT_EQ(cipherItemFor(items, QStringLiteral("aes")), 1);
    EXPECT_EQ(cipherItemFor(items, QStringLiteral("tkip")), 0);
    EXPECT_EQ(deviceCipherFor(QStringLiteral("TKIP")), "tkip");
}

} // namespace
