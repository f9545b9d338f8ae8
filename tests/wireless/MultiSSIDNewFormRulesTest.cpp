// The multi-SSID page's rules as case tables: an SSID's authentication shown in the two security
// lists of each mode and made back from them, what each security kind shows, the visible list's
// texts, and the checks of an SSID's name and WEP key.
#include "CaseName.h"
#include "QtPrinters.h"
#include "SharedOptions.h"
#include "TFM_MultiSSIDNewFormRules.h"

#include <gtest/gtest.h>

namespace {

using namespace mssidrules;
using security::SecurityKind;

constexpr int kAp = options::kApModeAccessPoint;
constexpr int kWdsAp = options::kApModeWdsWithAp;
constexpr int kWds = options::kApModeWds;
constexpr int kClient = options::kApModeWirelessClient;

// --- from the row to the lists -----------------------------------------------------------------

struct PickCase
{
    const char *name;
    int mode;
    const char *authentication;
    Pick pick;
};

const PickCase kPicks[] = {
    {"OpenEverywhere", kClient, "opensystem", {0, 0}},
    {"SharedKeyAsOpenOnAnAccessPoint", kAp, "sharedkey", {0, 0}},
    {"SharedKeyNotAClientChoice", kClient, "sharedkey", {-1, -1}},
    {"WpaPskOnAnAccessPoint", kAp, "wpa-psk", {1, 2}},
    {"WpaPskNotWithWds", kWdsAp, "wpa-psk", {-1, -1}},
    {"Wpa2EapOnAnAccessPoint", kAp, "wpa2-eap", {2, 1}},
    {"Wpa2EapWithWdsKeepsTheGeneration", kWdsAp, "wpa2-eap", {-1, 1}},
    {"AutoPskWithWds", kWdsAp, "wpa2-auto-psk", {1, 0}},
    {"Dot1xOnAnAccessPoint", kAp, "dot1x", {3, 0}},
    {"Wpa2PskInWdsPinsTheOnlyWpaItem", kWds, "wpa2-psk", {1, 0}},
    {"OtherInWds", kWds, "opensystem-sharedkey", {-1, 0}},
    {"OtherOnAnAccessPoint", kAp, "opensystem-sharedkey", {-1, -1}},
    {"NoModeRead", -1, "opensystem", {-1, -1}},
};

class MssidPick : public testing::TestWithParam<PickCase>
{ };

TEST_P(MssidPick, ShowsTheRowInTheLists)
{
    const PickCase &c = GetParam();
    EXPECT_EQ(pickFor(c.mode, QLatin1String(c.authentication)), c.pick);
}

INSTANTIATE_TEST_SUITE_P(Cases, MssidPick, testing::ValuesIn(kPicks), kvatest::caseName);

TEST(MssidLists, PerMode)
{
    EXPECT_EQ(securityLists(kAp).security,
        (QStringList{"Open System", "WPA-Personal", "WPA-Enterprise", "802.1x"}));
    EXPECT_EQ(securityLists(kWdsAp).security, (QStringList{"Open System", "WPA-Personal"}));
    EXPECT_EQ(securityLists(kWdsAp).wpa, (QStringList{"AUTO(WPA or WPA2)", "WPA2 Only"}));
    EXPECT_EQ(securityLists(kWds).wpa, QStringList{"WPA2 Only"});
    EXPECT_TRUE(securityLists(kWds).wpaPinned);
    EXPECT_EQ(
        securityLists(kClient).wpa, (QStringList{"AUTO(WPA or WPA2)", "WPA2 Only", "WPA Only"}));
    EXPECT_TRUE(securityLists(-1).security.isEmpty());
}

// --- from the lists to the row -----------------------------------------------------------------

struct AuthCase
{
    const char *name;
    int mode;
    int security;
    const char *wpa; // the WPA item's text
    const char *authentication;
};

const AuthCase kAuths[] = {
    {"Open", kAp, 0, "AUTO(WPA or WPA2)", "opensystem"},
    {"PersonalAuto", kAp, 1, "AUTO(WPA or WPA2)", "wpa2-auto-psk"},
    {"PersonalWpa2", kAp, 1, "WPA2 Only", "wpa2-psk"},
    {"PersonalWpa", kAp, 1, "WPA Only", "wpa-psk"},
    {"EnterpriseWpa", kAp, 2, "WPA Only", "wpa-eap"},
    {"EnterpriseAuto", kAp, 2, "AUTO(WPA or WPA2)", "wpa2-auto-eap"},
    {"Dot1x", kAp, 3, "", "dot1x"},
    // the WDS list's only item, now in the access point's mode: its text, not its place
    {"WdsItemWpa2OnlyAsAccessPoint", kAp, 1, "WPA2 Only", "wpa2-psk"},
    {"WdsItemWpa2OnlyEnterprise", kAp, 2, "WPA2 Only", "wpa2-eap"},
    {"WdsWithApPersonalWpa2", kWdsAp, 1, "WPA2 Only", "wpa2-psk"},
    {"WdsWithApPersonalAuto", kWdsAp, 1, "AUTO(WPA or WPA2)", "wpa2-auto-psk"},
    {"WdsWithApNoEnterprise", kWdsAp, 2, "WPA2 Only", ""},
    {"NoWpaPicked", kAp, 1, "", ""},
    {"NoSecurityPicked", kAp, -1, "WPA2 Only", ""},
    {"NotInClientMode", kClient, 0, "", ""},
};

class MssidAuthentication : public testing::TestWithParam<AuthCase>
{ };

TEST_P(MssidAuthentication, ComesFromTheTwoPicks)
{
    const AuthCase &c = GetParam();
    EXPECT_EQ(authenticationFor(c.mode, c.security, QLatin1String(c.wpa)),
        QLatin1String(c.authentication));
}

INSTANTIATE_TEST_SUITE_P(Cases, MssidAuthentication, testing::ValuesIn(kAuths), kvatest::caseName);

// Every pick an access point shows for a row's authentication makes the same authentication.
TEST(MssidAuthentication, RoundTripsOnAnAccessPoint)
{
    const SecurityLists lists = securityLists(kAp);
    for (const char *auth : {"opensystem", "wpa-psk", "wpa-eap", "wpa2-psk", "wpa2-eap",
             "wpa2-auto-psk", "wpa2-auto-eap", "dot1x"}) {
        const Pick pick = pickFor(kAp, QLatin1String(auth));
        EXPECT_EQ(
            authenticationFor(kAp, pick.security, lists.wpa.value(pick.wpa)), QLatin1String(auth));
    }
}

// --- what each kind shows ----------------------------------------------------------------------

struct ViewCase
{
    const char *name;
    SecurityKind kind;
    int mode;
    bool periodic;
    SecurityView view;
};

// key group, passphrase group, title, RADIUS, passphrase, WPA and cipher, group interval, key
// interval, rekey controls, rekey passphrase
const ViewCase kViews[] = {
    {"Open", SecurityKind::Open, kAp, false,
        {true, false, "", false, false, false, false, false, false, false}},
    {"PersonalOnAnAccessPoint", SecurityKind::WpaPersonal, kAp, false,
        {false, true, "PassPhrase Settings", false, true, true, true, false, true, false}},
    {"PersonalRekeyingPeriodically", SecurityKind::WpaPersonal, kAp, true,
        {false, true, "PassPhrase Settings", false, false, true, true, false, true, true}},
    {"PersonalWithWdsNeverRekeys", SecurityKind::WpaPersonal, kWdsAp, true,
        {false, true, "PassPhrase Settings", false, true, true, true, false, false, false}},
    {"Enterprise", SecurityKind::WpaEnterprise, kAp, true,
        {false, true, "RADIUS Server Settings", true, false, true, true, false, false, false}},
    {"Dot1x", SecurityKind::Dot1x, kAp, false,
        {false, true, "RADIUS Server Settings", true, false, false, false, true, false, false}},
};

class MssidView : public testing::TestWithParam<ViewCase>
{ };

TEST_P(MssidView, ShowsWhatTheKindNeeds)
{
    const ViewCase &c = GetParam();
    const SecurityView v = securityView(c.kind, c.mode, c.periodic);
    const SecurityView &e = c.view;
    EXPECT_EQ(v.keyGroup, e.keyGroup);
    EXPECT_EQ(v.passphraseGroup, e.passphraseGroup);
    if (e.passphraseGroup) {
        EXPECT_EQ(v.passphraseTitle, e.passphraseTitle);
    }
    EXPECT_EQ(v.radius, e.radius);
    EXPECT_EQ(v.passphrase, e.passphrase);
    EXPECT_EQ(v.wpaAndCipher, e.wpaAndCipher);
    EXPECT_EQ(v.groupInterval, e.groupInterval);
    EXPECT_EQ(v.keyInterval, e.keyInterval);
    EXPECT_EQ(v.rekeyControls, e.rekeyControls);
    EXPECT_EQ(v.rekeyPassphrase, e.rekeyPassphrase);
}

INSTANTIATE_TEST_SUITE_P(Cases, MssidView, testing::ValuesIn(kViews), kvatest::caseName);

TEST(MssidCipher, ListAndDeviceValue)
{
    EXPECT_EQ(cipherItems(kWdsAp), (QStringList{"Auto", "AES"}));
    EXPECT_EQ(cipherItems(kAp), (QStringList{"Auto", "AES", "TKIP"}));
    EXPECT_EQ(deviceCipher(QStringLiteral("TKIP")), "tkip");
    EXPECT_EQ(cipherItemFor(cipherItems(kAp), QStringLiteral("aes")), 1);
    EXPECT_EQ(cipherItemFor(cipherItems(kWdsAp), QStringLiteral("tkip")), -1);
}

// --- the visible list --------------------------------------------------------------------------

struct EncryptionCase
{
    const char *name;
    const char *authentication;
    bool encrypted;
    const char *text;
};

const EncryptionCase kEncryptions[] = {
    {"OpenWithoutEncryption", "opensystem", false, "None"},
    {"OpenWithEncryption", "opensystem", true, "OpenSystem"},
    {"SharedKey", "sharedkey", false, "SharedKey"},
    {"AutoPersonal", "wpa2-auto-psk", true, "WPA2-Auto-Personal"},
    {"Enterprise", "wpa-eap", false, "WPA-Enterprise"},
    {"Dot1x", "dot1x", false, "802.1x"},
    {"OutsideTheTableShowsTheOptionText", "opensystem-sharedkey", true, "opensystem-sharedkey"},
};

class MssidEncryptionText : public testing::TestWithParam<EncryptionCase>
{ };

TEST_P(MssidEncryptionText, NamesTheRowsSecurity)
{
    const EncryptionCase &c = GetParam();
    EXPECT_EQ(encryptionText(QLatin1String(c.authentication), c.encrypted), QLatin1String(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MssidEncryptionText, testing::ValuesIn(kEncryptions), kvatest::caseName);

TEST(MssidVisibleList, CaptionsAndTheIndexTheyName)
{
    EXPECT_EQ(listCaption(true, QStringLiteral("1")), "Primary SSID");
    EXPECT_EQ(listCaption(false, QStringLiteral("2")), "Multi-SSID1");
    EXPECT_EQ(listCaption(false, QStringLiteral("4")), "Multi-SSID3");
    EXPECT_EQ(indexOfCaption(QStringLiteral("Primary SSID")), 0);
    EXPECT_EQ(indexOfCaption(QStringLiteral("Multi-SSID1")), 1);
    EXPECT_EQ(indexOfCaption(QStringLiteral("Multi-SSID3")), 3);
    EXPECT_EQ(indexOfCaption(QStringLiteral("Multi-SSID4")), -1); // no index item for it
    EXPECT_EQ(indexOfCaption(QStringLiteral("Multi-SSID12")), -1);
}

// --- checks ------------------------------------------------------------------------------------

TEST(MssidChecks, SsidName)
{
    EXPECT_STREQ(ssidFault(QString()), "Please input SSID!");
    EXPECT_STREQ(ssidFault(QStringLiteral(" guest")), "The first character can't be blank!");
    EXPECT_STREQ(ssidFault(QString(33, u'g')), "The Max Length of SSID is 32!");
    EXPECT_EQ(ssidFault(QString(32, u'g')), nullptr);
}

TEST(MssidChecks, DuplicateAmongEnabledRowsOnly)
{
    const std::vector<SsidRow> rows = {{"Lab", true, "", "first", "", false},
        {"Guest", false, "", "first", "", false}, {"Guest2", true, "", "first", "", false}};
    EXPECT_EQ(duplicateOf(rows, 2, QStringLiteral("Lab")), 0);
    EXPECT_EQ(duplicateOf(rows, 3, QStringLiteral("Guest")), -1) << "a disabled SSID's name";
    EXPECT_EQ(duplicateOf(rows, 2, QStringLiteral("Guest2")), -1) << "its own name";
    EXPECT_EQ(duplicateText(2, 0), "The 11g SSID 2's SSID is same as Primary SSID");
    EXPECT_EQ(duplicateText(3, 1), "The 11g SSID 3's SSID is same as SSID 1");
}

struct KeyLengthCase
{
    const char *name;
    int type;
    int size;
    int length;
    const char *fault;
};

const KeyLengthCase kKeyLengths[] = {
    {"Hex64Right", options::kKeyHex, 0, 10, nullptr},
    {"Hex64Wrong", options::kKeyHex, 0, 9, "The Length of the key  must be 10!"},
    {"Hex128Wrong", options::kKeyHex, 1, 10, "The Length of the key  must be 26!"},
    {"Ascii64Wrong", options::kKeyAscii, 0, 13, "The Length of the key in IEEE802.11g must be 5!"},
    {"Ascii128Wrong", options::kKeyAscii, 1, 5, "The Length of the key in IEEE802.11g must be 13!"},
    {"Ascii128Right", options::kKeyAscii, 1, 13, nullptr},
};

class MssidKeyLength : public testing::TestWithParam<KeyLengthCase>
{ };

TEST_P(MssidKeyLength, ByTypeAndSize)
{
    const KeyLengthCase &c = GetParam();
    const char *fault = keyLengthFault(c.type, c.size, c.length);
    if (c.fault == nullptr) {
        EXPECT_EQ(fault, nullptr);
    } else {
        EXPECT_STREQ(fault, c.fault);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, MssidKeyLength, testing::ValuesIn(kKeyLengths), kvatest::caseName);

TEST(MssidChecks, KeyInUseNeedsTheEditedSsidListedAndAKeyAtTheIndex)
{
    const std::vector<SsidRow> rows = {
        {"Lab", true, "****", "first", "", false}, {"Guest", true, "", "second", "", false}};
    const QStringList listed{QStringLiteral("Primary SSID"), QStringLiteral("Multi-SSID1")};
    EXPECT_TRUE(keyInUse(listed, 1, rows, QStringLiteral("first")));
    EXPECT_FALSE(keyInUse(listed, 1, rows, QStringLiteral("second"))) << "no key at that index";
    EXPECT_FALSE(keyInUse(listed, 2, rows, QStringLiteral("first"))) << "SSID 2 is not listed";
    EXPECT_FALSE(keyInUse({QStringLiteral("Multi-SSID1")}, 1, rows, QStringLiteral("first")));
}

TEST(MssidChecks, AKeyIndexIsSharedWithThePrimaryOrAnOpenWepSsid)
{
    const QString first = QStringLiteral("first");
    // row 0 is the primary SSID; the edited row (2) never counts against itself
    const std::vector<SsidRow> primaryHolds = {{"Main", true, "****", "first", "wpa2-psk", false},
        {"Lab", true, "", "first", "opensystem", true},
        {"Guest", true, "****", "first", "opensystem", true}};
    EXPECT_TRUE(keyIndexShared(primaryHolds, 2, first)) << "the primary's key at that index";
    EXPECT_FALSE(keyIndexShared(primaryHolds, 2, QStringLiteral("second")));

    const std::vector<SsidRow> others = {{"Main", true, "", "first", "opensystem", false},
        {"Open", true, "****", "first", "opensystem", true},
        {"Edited", true, "****", "first", "opensystem", true},
        {"Shared", true, "****", "second", "sharedkey", true},
        {"Off", false, "****", "third", "opensystem", true},
        {"Plain", true, "****", "fourth", "opensystem", false}};
    EXPECT_TRUE(keyIndexShared(others, 2, first)) << "an enabled open-system WEP SSID";
    EXPECT_FALSE(keyIndexShared(others, 2, QStringLiteral("second"))) << "shared-key WEP";
    EXPECT_FALSE(keyIndexShared(others, 2, QStringLiteral("third"))) << "a disabled SSID";
    EXPECT_FALSE(keyIndexShared(others, 2, QStringLiteral("fourth"))) << "no encryption";
    EXPECT_FALSE(keyIndexShared(others, 1, QStringLiteral("fifth"))) << "no key at that index";
}

TEST(MssidRekeying, PreSharedKeysOnASchedule)
{
    EXPECT_TRUE(rekeysPeriodically(QStringLiteral("wpa2-psk"), "Periodrical Key Change "));
    EXPECT_FALSE(rekeysPeriodically(QStringLiteral("wpa2-psk"), "Manual"));
    EXPECT_FALSE(rekeysPeriodically(QStringLiteral("wpa2-eap"), "Periodrical Key Change "));
}

} // namespace
