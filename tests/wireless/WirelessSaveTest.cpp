// The wireless page's Save against the simulated device, the device masking its secrets: the SETs
// of each mode and security kind in the order the device needs, a refused write, the security
// checks, and the translation of the operator's two security picks into the device's value.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_Wirless.h"
#include "WirelessSecuritySection.h"

#include <ostream>
#include <vector>

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Wireless = PageHarness<TFM_Wirless>;
using Seed = std::pair<const char *, const char *>;

// What every case starts from; a case's own seeds come after and win.
const std::vector<Seed> kDevice = {
    {"dot11Ssid", "LabNet"},
    {"dot11Channel", "6"},
    {"dot11WepKeyEntryMethod.1.1", "2"},
    {"dot11WepKey.1.1", "0123456789"},
    {"dot11WepKeyEntryMethod.1.2", "1"},
    {"dot11WepKey.1.2", "abcdefghijklm"},
    {"dot11PassPhrase", "kva7310-secret"},
    {"dot11PrimaryRadiusServer", "10.0.0.1"},
    {"dot11PrimaryRadiusSecret", "radius-secret"},
    {"dot11RemoteApMacAddressList.1.1", "00A1B2C3D4E5"},
};

Wireless open(const std::vector<Seed> &seeds, bool masked, const char *fault = nullptr)
{
    return Wireless(
        [&](kvatest::SimulatorProcess &d) {
            for (const std::vector<Seed> *list : {&kDevice, &seeds}) {
                for (const auto &[name, value] : *list) {
                    EXPECT_TRUE(d.set(QLatin1String(name), QLatin1String(value))) << name;
                }
            }
            if (masked) {
                EXPECT_TRUE(d.command(QStringLiteral("mask on")).ok);
            }
            if (fault != nullptr) {
                EXPECT_TRUE(d.fault(QLatin1String(fault)));
            }
        },
        {});
}

// Each SET as its bindings' names, blank-separated.
QStringList setNames(kvatest::SimulatorProcess &device)
{
    QStringList pdus;
    for (const kvatest::LoggedPdu &pdu : device.requests(QStringLiteral("set"))) {
        QStringList names;
        for (const kvatest::LoggedBinding &b : pdu.bindings) {
            names.append(b.name + QLatin1Char('.') + b.instance);
        }
        pdus.append(names.join(QLatin1Char(' ')));
    }
    return pdus;
}

// --- writes per mode and security kind --------------------------------------------------------

const char kNetworkAp[] = "dot11Ssid.1 dot11SsidBroadcast.1 dot11Channel.1 dot11AutoChannelScan.1 "
                          "dot11ApMode.1 dot11ChannelWidth.1";
const char kNetworkWds[] =
    "dot11Ssid.1 dot11SsidBroadcast.1 dot11Channel.1 dot11ApMode.1 dot11ChannelWidth.1";
const char kNetworkClient[] = "dot11Ssid.1 dot11ApMode.1 dot11ChannelWidth.1";
const char kAuthOpen[] = "dot11Authentication.1 dot11Encryption.1";
const char kAuthWep[] = "dot11Authentication.1 dot11KeyIndex.1 dot11Encryption.1";
const char kAuthWpa[] = "dot11Authentication.1";
const char kKey1[] = "dot11WepKeyEntryMethod.1.1"; // the masked key itself is not written
const char kPassphrase[] =
    "dot11CipherType.1 dot11GroupKeyUpdateInterval.1 dot11AutoRekeyControl.1";
const char kRadius[] = "dot11NetworkAccessProtection.1 dot11PrimaryRadiusServer.1 "
                       "dot11PrimaryRadiusPort.1 dot11RadiusKeyUpdateInterval.1";
const char kDelete[] = "dot11RemoteApMacAddressDeleteAll.1";
const char kAdd[] = "dot11RemoteApMacAddressAdd.1";
const char kCloneStatus[] = "dot11MacCloneStatus.1";
const char kCloneAddress[] = "dot11MacCloneSource.1 dot11MacCloneMacAddress.1";

struct Typed
{
    const char *field;
    const char *text;
};

struct SaveCase
{
    const char *name;
    std::vector<Seed> seeds;
    std::vector<Typed> typed;
    std::vector<const char *> sets;
};

void PrintTo(const SaveCase &c, std::ostream *out)
{
    *out << c.name;
}

const SaveCase kSaves[] = {
    {"AccessPointOpen", {{"dot11Authentication", "1"}, {"dot11Encryption", "0"}}, {},
        {kNetworkAp, kAuthOpen}},
    {"AccessPointShareKey", {{"dot11Authentication", "2"}}, {}, {kNetworkAp, kKey1, kAuthWep}},
    {"AccessPointOpenWithEncryption", {{"dot11Authentication", "1"}, {"dot11Encryption", "1"}}, {},
        {kNetworkAp, kKey1, kAuthWep}},
    {"AccessPointTypedKey", {{"dot11Authentication", "2"}},
        {{"Ed_Key1", "00112233AA"}, {"Ed_ConfirmKey", "00112233AA"}},
        {kNetworkAp, "dot11WepKeyEntryMethod.1.1 dot11WepKey.1.1", kAuthWep}},
    {"AccessPointPersonal", {{"dot11Authentication", "6"}}, {},
        {kNetworkAp, kPassphrase, kAuthWpa}},
    {"AccessPointTypedPassphrase", {{"dot11Authentication", "6"}},
        {{"Ed_Passphrase", "new-passphrase"}, {"Ed_ConfirmPass", "new-passphrase"}},
        {kNetworkAp,
            "dot11PassPhrase.1 dot11CipherType.1 dot11GroupKeyUpdateInterval.1 "
            "dot11AutoRekeyControl.1",
            kAuthWpa}},
    {"AccessPointEnterprise", {{"dot11Authentication", "7"}}, {},
        {kNetworkAp, kRadius, "dot11CipherType.1 dot11GroupKeyUpdateInterval.1", kAuthWpa}},
    {"AccessPointDot1x", {{"dot11Authentication", "10"}}, {},
        {kNetworkAp, kRadius, "dot11GroupKeyUpdateInterval.1", kAuthWpa}},
    // the application goes first, its outcome not counted
    {"JapanWritesTheApplication",
        {{"dot11Countrycode", "JP"}, {"dot11Band", "1"}, {"dot11WifiMode", "9"},
            {"dot11Application", "2"}, {"dot11Authentication", "1"}},
        {}, {"dot11Application.1", kNetworkAp, kAuthOpen}},
    {"WdsOpen", {{"dot11ApMode", "3"}, {"dot11Authentication", "1"}}, {},
        {kNetworkWds, kAuthOpen, kDelete, kAdd}},
    {"WdsWithApShareKey", {{"dot11ApMode", "2"}, {"dot11Authentication", "2"}}, {},
        {kNetworkWds, kKey1, kAuthWep, kDelete, kAdd}},
    {"WdsPersonal", {{"dot11ApMode", "3"}, {"dot11Authentication", "6"}}, {},
        {kNetworkWds, kPassphrase, kAuthWpa, kDelete, kAdd}},
    {"ClientOpen", {{"dot11ApMode", "4"}, {"dot11Authentication", "1"}}, {},
        {kCloneStatus, kNetworkClient, kAuthOpen}},
    {"ClientWep", {{"dot11ApMode", "4"}, {"dot11Authentication", "1"}, {"dot11Encryption", "1"}},
        {}, {kCloneStatus, kNetworkClient, kKey1, kCloneStatus, kAuthWep}},
    {"ClientPersonalManualClone",
        {{"dot11ApMode", "4"}, {"dot11Authentication", "6"}, {"dot11MacCloneStatus", "1"},
            {"dot11MacCloneSource", "2"}, {"dot11MacCloneMacAddress", "001B2C3D4E99"}},
        {},
        {kCloneStatus, kCloneAddress, kCloneAddress, kCloneStatus, kNetworkClient,
            "dot11CipherType.1 dot11AutoRekeyControl.1", kAuthWpa}},
    {"ClientPersonalAutoClone",
        {{"dot11ApMode", "4"}, {"dot11Authentication", "6"}, {"dot11MacCloneStatus", "1"},
            {"dot11MacCloneSource", "1"}},
        {},
        {kCloneStatus, "dot11MacCloneSource.1", "dot11MacCloneSource.1", kCloneStatus,
            kNetworkClient, "dot11CipherType.1 dot11AutoRekeyControl.1", kAuthWpa}},
};

class WirelessSave : public testing::TestWithParam<SaveCase>
{ };

TEST_P(WirelessSave, WritesInTheDevicesOrder)
{
    const SaveCase &c = GetParam();
    Wireless h = open(c.seeds, true);
    for (const Typed &t : c.typed) {
        h.type(t.field, t.text);
    }
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success!");
    EXPECT_TRUE(h.ui.messages.isEmpty()) << h.ui.lastMessage().text.toStdString();
    QStringList expected;
    for (const char *set : c.sets) {
        expected.append(QLatin1String(set));
    }
    EXPECT_EQ(setNames(h.device), expected);
    // the secrets the device holds are still its own
    EXPECT_NE(h.device.get("dot11WepKey.1.1"), QString(10, u'*'));
    EXPECT_NE(h.device.get("dot11PassPhrase"), QString(14, u'*'));
    EXPECT_NE(h.device.get("dot11PrimaryRadiusSecret"), QString(13, u'*'));
}

INSTANTIATE_TEST_SUITE_P(Cases, WirelessSave, testing::ValuesIn(kSaves), kvatest::caseName);

// A refused write does not keep the rest back; the page says the save failed and keeps what the
// operator typed.
TEST(WirelessSavePage, RefusedWriteStillSendsTheRest)
{
    Wireless h = open({{"dot11Authentication", "6"}}, true, "seterror dot11Ssid genErr");
    h.type("Ed_SSID", "NewNet");
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(h.statusText(), "Setting error!");
    EXPECT_EQ(setNames(h.device), (QStringList{kNetworkAp, kPassphrase, kAuthWpa}));
    EXPECT_EQ(h.text("Ed_SSID"), "NewNet");
    EXPECT_EQ(h.device.logCount("get"), 0); // no refresh after a failed save
}

// The application and multi-SSID writes come after every check: a refused save leaves the
// device's multi-SSID on.
TEST(WirelessSavePage, RefusedInputWritesNothingAtAll)
{
    Wireless h =
        open({{"dot11Countrycode", "JP"}, {"dot11MssidState", "1"}, {"dot11Authentication", "6"}},
            false);
    h.choose("CB_APMode", "Wireless Client");
    h.type("Ed_Passphrase", "seven77");
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(h.ui.lastMessage().text, "The Passphrase length is between 8 and 63.");
    EXPECT_EQ(h.device.logCount("set"), 0);
    EXPECT_EQ(h.device.get("dot11MssidState"), "1");
}

TEST(WirelessSavePage, SuccessReadsThePageAgain)
{
    Wireless h = open({{"dot11Authentication", "6"}}, false);
    h.type("Ed_SSID", "NewNet");
    h.click("Bt_Apply");
    ASSERT_EQ(h.statusText(), "Setting Success!");
    EXPECT_EQ(h.device.get("dot11Ssid"), "NewNet");
    ASSERT_TRUE(h.device.set(QStringLiteral("dot11Ssid"), QStringLiteral("Elsewhere")));
    h.click("Bt_Refresh");
    EXPECT_EQ(h.text("Ed_SSID"), "Elsewhere");
}

// --- security checks --------------------------------------------------------------------------

enum class Act {
    Type,   // as the operator types
    Set,    // a text the operator cannot type (longer than the edit takes)
    Choose, // an item picked
};

struct Action
{
    Act act;
    const char *control;
    QString text;
};

struct CheckCase
{
    const char *name;
    const char *authentication;
    std::vector<Action> actions;
    const char *message; // "" for an accepted save
    const char *caption; // nullptr: the application's title
    const char *focus;   // the field focused afterwards; nullptr to skip
    bool emptied;
};

void PrintTo(const CheckCase &c, std::ostream *out)
{
    *out << c.name;
}

const char kPeriodic[] = "Periodrical Key Change ";
const char kInterval[] = "Please input a number between 300 and 9999999.";
const char kRadiusIp[] = "The Radius server's IP is illegal.";
const char kConfirm[] = "Please input the confirm new password correctly!";
const char kBlank[] = "The first character and last character can't be blank.!";

const CheckCase kChecks[] = {
    {"HexKeyNineDigits", "2", {{Act::Type, "Ed_Key1", "012345678"}},
        "The Length of the 1st key must be 10!", "Warning", "Ed_Key1", false},
    {"HexKeyElevenDigits", "2", {{Act::Set, "Ed_Key1", "0123456789a"}},
        "The Length of the 1st key must be 10!", "Warning", "Ed_Key1", false},
    {"HexKeyWithG", "2", {{Act::Type, "Ed_Key1", "012345678g"}},
        "Please input  Hexadecimal digits!", nullptr, "Ed_Key1", true},
    {"HexKeyTen", "2",
        {{Act::Type, "Ed_Key1", "abcdef0123"}, {Act::Type, "Ed_ConfirmKey", "abcdef0123"}}, "", "",
        nullptr, false},
    {"ConfirmKeyDiffers", "2",
        {{Act::Type, "Ed_Key1", "abcdef0123"}, {Act::Type, "Ed_ConfirmKey", "abcdef0124"}},
        kConfirm, "Warning", "Ed_ConfirmKey", false},
    {"SecondKeyLength", "2",
        {{Act::Choose, "CB_DefaultKey", "Second"}, {Act::Type, "Ed_Key2", "abcdefghijkl"}},
        "The Length of the 2nd key must be 13!", "Warning", "Ed_Key2", false},
    {"AsciiKeyTrailingBlank", "2",
        {{Act::Choose, "CB_DefaultKey", "Second"}, {Act::Type, "Ed_Key2", "abc defghijk "}}, kBlank,
        "Warning", "Ed_Key2", false},
    {"AsciiKeyInnerBlankAccepted", "2",
        {{Act::Choose, "CB_DefaultKey", "Second"}, {Act::Type, "Ed_Key2", "abcdef ghijkl"},
            {Act::Type, "Ed_ConfirmKey", "abcdef ghijkl"}},
        "", "", nullptr, false},
    {"Passphrase7", "6", {{Act::Type, "Ed_Passphrase", "seven77"}},
        "The Passphrase length is between 8 and 63.", "Error", "Ed_Passphrase", false},
    {"Passphrase8", "6",
        {{Act::Type, "Ed_Passphrase", "eight888"}, {Act::Type, "Ed_ConfirmPass", "eight888"}}, "",
        "", nullptr, false},
    {"Passphrase63", "6",
        {{Act::Type, "Ed_Passphrase", QString(63, u'p')},
            {Act::Type, "Ed_ConfirmPass", QString(63, u'p')}},
        "", "", nullptr, false},
    {"Passphrase64", "6",
        {{Act::Set, "Ed_Passphrase", QString(64, u'p')},
            {Act::Set, "Ed_ConfirmPass", QString(64, u'p')}},
        "The max length of Passphrase is 63.", "Error", "Ed_Passphrase", false},
    {"PassphraseLeadingBlank", "6",
        {{Act::Type, "Ed_Passphrase", " pass-phrase"},
            {Act::Type, "Ed_ConfirmPass", " pass-phrase"}},
        kBlank, "Warning", "Ed_Passphrase", false},
    {"ConfirmPassphraseDiffers", "6", {{Act::Type, "Ed_Passphrase", "new-passphrase"}}, kConfirm,
        "Warning", "Ed_ConfirmPass", false},
    {"Interval299", "6", {{Act::Type, "Ed_UpdateInterval", "299"}}, kInterval, "Error",
        "Ed_UpdateInterval", true},
    {"Interval300", "6", {{Act::Type, "Ed_UpdateInterval", "300"}}, "", "", nullptr, false},
    {"Interval9999999", "6", {{Act::Type, "Ed_UpdateInterval", "9999999"}}, "", "", nullptr, false},
    {"RekeyInterval0", "6",
        {{Act::Choose, "CB_AutoRekeyType", kPeriodic}, {Act::Type, "Ed_TimeInterval", "0"}},
        "Invalid Time Interval range!", "Warning", "Ed_TimeInterval", false},
    {"RekeyInterval169", "6",
        {{Act::Choose, "CB_AutoRekeyType", kPeriodic}, {Act::Type, "Ed_TimeInterval", "169"}},
        "Invalid Time Interval range!", "Warning", "Ed_TimeInterval", false},
    // the device makes a new key: the operator is told where to find it, and the save goes on
    {"RekeyIntervalAccepted", "6",
        {{Act::Choose, "CB_AutoRekeyType", kPeriodic}, {Act::Type, "Ed_TimeInterval", "168"}},
        "Please check the Log or E-mail for the new security key!", "Warning", nullptr, false},
    {"RadiusServerBroadcast", "7", {{Act::Type, "Edt_RadiusServer", "192.168.0.255"}}, kRadiusIp,
        "Error", "Edt_RadiusServer", false},
    {"RadiusServerMulticast", "7", {{Act::Type, "Edt_RadiusServer", "224.0.0.1"}}, kRadiusIp,
        "Error", "Edt_RadiusServer", false},
    {"RadiusServerHost", "7", {{Act::Type, "Edt_RadiusServer", "10.0.0.2"}}, "", "", nullptr,
        false},
    {"RadiusPortEmpty", "7", {{Act::Type, "Edt_RadiusPort", ""}},
        "Please input a number between 1 and 65535.", "Error", "Edt_RadiusPort", true},
    {"RadiusSecretEmpty", "7", {{Act::Type, "Edt_RadiusSecret", ""}},
        "The shared secret of radius server cannot be empty.", "Error", "Edt_RadiusSecret", true},
    {"RadiusSecret65", "7", {{Act::Set, "Edt_RadiusSecret", QString(65, u's')}},
        "The max length of secret of radius server is 64.", "Error", "Edt_RadiusSecret", false},
    {"EnterpriseInterval299", "7", {{Act::Type, "Ed_UpdateInterval", "299"}}, kInterval, "Error",
        "Ed_UpdateInterval", true},
    {"Dot1xKeyInterval299", "10", {{Act::Type, "Ed_Update2", "299"}}, kInterval, "Error",
        "Ed_Update2", true},
    {"Dot1xRadiusServer", "10", {{Act::Type, "Edt_RadiusServer", "0.0.0.0"}}, kRadiusIp, "Error",
        "Edt_RadiusServer", false},
};

class WirelessSecurityCheck : public testing::TestWithParam<CheckCase>
{ };

TEST_P(WirelessSecurityCheck, RefusesBeforeAnythingIsWritten)
{
    const CheckCase &c = GetParam();
    Wireless h = open({{"dot11Authentication", c.authentication}}, false);
    for (const Action &a : c.actions) {
        const QByteArray text = a.text.toUtf8();
        switch (a.act) {
        case Act::Type:
            h.type(a.control, text.constData());
            break;
        case Act::Set:
            h.edit(a.control)->setText(a.text);
            break;
        case Act::Choose:
            h.choose(a.control, text.constData());
            break;
        }
    }
    h.device.clearLog();
    h.click("Bt_Apply");
    if (*c.message == '\0') {
        EXPECT_TRUE(h.ui.messages.isEmpty()) << h.ui.lastMessage().text.toStdString();
        EXPECT_EQ(h.statusText(), "Setting Success!");
        return;
    }
    ASSERT_FALSE(h.ui.messages.isEmpty());
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption,
        c.caption != nullptr ? QLatin1String(c.caption) : QCoreApplication::applicationName());
    if (c.focus == nullptr) {
        EXPECT_EQ(h.statusText(), "Setting Success!"); // a warning that lets the save go on
        return;
    }
    EXPECT_EQ(h.page->focusWidget(), h.edit(c.focus));
    EXPECT_EQ(h.text(c.focus).isEmpty(), c.emptied);
    EXPECT_EQ(h.device.logCount("set"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WirelessSecurityCheck, testing::ValuesIn(kChecks), kvatest::caseName);

// --- the device's authentication from the operator's picks ----------------------------------

struct PickCase
{
    const char *name;
    std::vector<Seed> seeds;
    const char *mode;     // picked in CB_APMode, nullptr to keep
    const char *security; // picked in CB_SecurityMode
    const char *wpa;      // picked in CB_WPAMode, nullptr to keep
    const char *warning;  // the box the mode change shows, "" none
    const char *authentication;
    const char *cipher;
    const char *multiSsid;
};

void PrintTo(const PickCase &c, std::ostream *out)
{
    *out << c.name;
}

const char kMultiSsidWarning[] =
    "Multi-SSID will be disabled when KVA-7310 is configured in 'WDS' or 'Wireless Client'.";

const PickCase kPicks[] = {
    // an access point with multi-SSID switched to WDS: the WDS lists and their values
    {"WdsFromMultiSsidShareKey",
        {{"dot11MssidState", "1"}, {"dot11Authentication", "6"}, {"dot11CipherType", "1"},
            {"dot11WepKeyEntryMethod.1.1", "1"}, {"dot11WepKey.1.1", "abcde"}},
        "WDS", "Share Key", nullptr, kMultiSsidWarning, "2", "1", "0"},
    {"WdsFromMultiSsidPersonal",
        {{"dot11MssidState", "1"}, {"dot11Authentication", "1"}, {"dot11CipherType", "1"}}, "WDS",
        "WPA-Personal", nullptr, kMultiSsidWarning, "6", "2", "0"},
    {"WdsWithApMultiSsidPersonalKeepsMultiSsid",
        {{"dot11MssidState", "1"}, {"dot11Authentication", "1"}, {"dot11CipherType", "2"}},
        "WDS with AP", "WPA-Personal", "AUTO(WPA or WPA2)", "", "8", "2", "1"},
    {"ClientWpaOnly", {{"dot11ApMode", "4"}, {"dot11Authentication", "6"}}, nullptr, "WPA-Personal",
        "WPA Only", "", "4", "2", "0"},
    {"AccessPointEnterpriseAuto", {{"dot11Authentication", "6"}}, nullptr, "WPA-Enterprise",
        "AUTO(WPA or WPA2)", "", "9", "2", "0"},
    {"AccessPointTkip", {{"dot11Authentication", "6"}, {"dot11CipherType", "3"}}, nullptr,
        "WPA-Personal", "WPA Only", "", "4", "3", "0"},
};

class WirelessAuthentication : public testing::TestWithParam<PickCase>
{ };

TEST_P(WirelessAuthentication, WrittenAsTheDevicesValue)
{
    const PickCase &c = GetParam();
    Wireless h = open(c.seeds, false);
    if (c.mode != nullptr) {
        h.choose("CB_APMode", c.mode);
    }
    EXPECT_EQ(h.ui.lastMessage().text, c.warning);
    h.choose("CB_SecurityMode", c.security);
    if (c.wpa != nullptr) {
        h.choose("CB_WPAMode", c.wpa);
    }
    h.click("Bt_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success!") << h.ui.lastMessage().text.toStdString();
    EXPECT_EQ(h.device.get("dot11Authentication"), c.authentication);
    EXPECT_EQ(h.device.get("dot11CipherType"), c.cipher);
    EXPECT_EQ(h.device.get("dot11MssidState"), c.multiSsid);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WirelessAuthentication, testing::ValuesIn(kPicks), kvatest::caseName);

TEST(WirelessSecurity, DeviceValueShowsInBothLists)
{
    Wireless h = open({{"dot11Authentication", "4"}}, false); // wpa-psk
    EXPECT_EQ(h.text("CB_SecurityMode"), "WPA-Personal");
    EXPECT_EQ(h.text("CB_WPAMode"), "WPA Only");
    EXPECT_EQ(h.text("CB_CipherType"), "AES");
    EXPECT_TRUE(h.find<QWidget>("Ed_Passphrase")->isVisibleTo(h.page.get()));
    EXPECT_FALSE(h.find<QWidget>("Edt_RadiusServer")->isVisibleTo(h.page.get()));
    EXPECT_FALSE(h.find<QWidget>("CB_dot11Encryption")->isVisibleTo(h.page.get()));
}

TEST(WirelessSecurity, WdsPinsWpa2AndAes)
{
    Wireless h = open({{"dot11ApMode", "3"}, {"dot11Authentication", "6"}}, false);
    EXPECT_EQ(h.text("CB_WPAMode"), "WPA2 Only");
    EXPECT_FALSE(h.combo("CB_WPAMode")->isEnabled());
    EXPECT_EQ(h.combo("CB_CipherType")->count(), 1);
    EXPECT_EQ(h.text("CB_CipherType"), "AES");
    EXPECT_FALSE(h.combo("CB_CipherType")->isEnabled());
}

// The security last picked in a WDS mode comes back when the page returns to it.
TEST(WirelessSecurity, WdsModeGetsItsLastPickBack)
{
    Wireless h = open({{"dot11Authentication", "6"}}, false);
    h.choose("CB_APMode", "WDS");
    h.choose("CB_SecurityMode", "Share Key");
    EXPECT_EQ(h.text("CB_dot11Encryption"), "Enable");
    EXPECT_FALSE(h.combo("CB_dot11Encryption")->isEnabled());
    h.choose("CB_APMode", "Access Point");
    EXPECT_EQ(h.text("CB_SecurityMode"), "WPA-Personal"); // the device's, in the loaded mode
    h.choose("CB_APMode", "WDS");
    EXPECT_EQ(h.text("CB_SecurityMode"), "Share Key");
}

TEST(WirelessSecurity, ChosenKeyIsTheOneShown)
{
    Wireless h = open({{"dot11Authentication", "2"}}, true);
    EXPECT_EQ(h.text("Ed_Key1"), QString(10, u'*'));
    EXPECT_EQ(h.edit("Ed_Key1")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(h.edit("Ed_ConfirmKey")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(h.text("CB_WepEncryp1"), "64Bits");
    EXPECT_TRUE(h.find<QWidget>("Ed_Key1")->isVisibleTo(h.page.get()));
    EXPECT_FALSE(h.find<QWidget>("Ed_Key2")->isVisibleTo(h.page.get()));
    h.choose("CB_DefaultKey", "Second");
    EXPECT_FALSE(h.find<QWidget>("Ed_Key1")->isVisibleTo(h.page.get()));
    EXPECT_TRUE(h.find<QWidget>("Ed_Key2")->isVisibleTo(h.page.get()));
    EXPECT_EQ(h.text("CB_WepEncryp2"), "128Bits");
    EXPECT_EQ(h.text("Ed_ConfirmKey"), h.text("Ed_Key2"));
    h.type("Ed_Key2", QByteArray(20, 'k').constData());
    EXPECT_EQ(h.text("Ed_Key2").size(), 13); // ASCII, 128 bits
}

TEST(WirelessSecurity, ProtectionWarningOnlyWhenTheOperatorSwitchesItOn)
{
    Wireless h = open({{"dot11Authentication", "7"}, {"managerIpAddressStatus", "2"},
                          {"dot11NetworkAccessProtection", "1"}},
        false);
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.choose("CB_NetProtect", "Disable");
    h.choose("CB_NetProtect", "Enable");
    EXPECT_EQ(h.ui.lastMessage().text,
        "If Network Access Protection Status enable,\nLimit Administrator Status will be "
        "disable !");
    EXPECT_EQ(h.ui.messages.size(), 1);
}

} // namespace
