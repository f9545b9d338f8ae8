// The device information page: the security level rule on its own, then the page against the
// simulated device, silent and with a hostile MAC.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_DevInfo.h"

#include <ostream>

#include <QGroupBox>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using DevInfo = PageHarness<TFM_DevInfo>;

struct SecurityCase
{
    const char *name;
    const char *authentication;
    const char *encryption;
    const char *cipher;
    const char *entryMethod;
    int keyLength;
    const char *level;
};

void PrintTo(const SecurityCase &c, std::ostream *out)
{
    *out << c.name;
}

const SecurityCase kSecurity[] = {
    {"OpenWithoutEncryption", "opensystem", "disabled", "aes", "hex", 26, "None"},
    {"OpenHex26", "opensystem", "enabled", "wep", "hex", 26, "Open / 128bits"},
    {"OpenHex10", "opensystem", "enabled", "wep", "hex", 10, "Open / 64bits"},
    {"OpenAscii13", "opensystem", "enabled", "wep", "ascii", 13, "Open / 128bits"},
    {"OpenAscii5", "opensystem", "enabled", "wep", "ascii", 5, "Open / 64bits"},
    {"OpenEmptyKey", "opensystem", "enabled", "wep", "ascii", 0, "Open / 64bits"},
    {"OpenAsciiOddLength", "opensystem", "enabled", "wep", "ascii", 10, "Open / "},
    {"OpenHexOddLength", "opensystem", "enabled", "wep", "hex", 13, "Open / "},
    {"SharedHex10", "sharedkey", "enabled", "wep", "hex", 10, "Shared Key / 64bits"},
    {"WpaPsk", "wpa-psk", "enabled", "tkip", "hex", 0, "WPA-Personal / TKIP"},
    {"WpaEap", "wpa-eap", "enabled", "auto", "hex", 0, "WPA-Enterprise / AUTO"},
    {"Wpa2Psk", "wpa2-psk", "enabled", "aes", "hex", 0, "WPA2-Personal / AES"},
    {"Wpa2Eap", "wpa2-eap", "enabled", "aes", "hex", 0, "WPA2-Enterprise / AES"},
    {"Wpa2AutoPsk", "wpa2-auto-psk", "enabled", "tkip", "hex", 0, "WPA2-Auto-Personal / TKIP"},
    {"Wpa2AutoEap", "wpa2-auto-eap", "enabled", "aes", "hex", 0, "WPA2-Auto-Enterprise / AES"},
    {"Dot1x", "dot1x", "enabled", "wep", "hex", 0, "802.1x / WEP"},
    {"OpenSharedIsEmpty", "opensystem-sharedkey", "enabled", "wep", "hex", 26, ""},
    {"UnreadIsEmpty", "(NULL)", "(NULL)", "(NULL)", "(NULL)", 0, ""},
};

class DevInfoSecurityLevel : public testing::TestWithParam<SecurityCase>
{ };

TEST_P(DevInfoSecurityLevel, FollowsTheRule)
{
    const SecurityCase &c = GetParam();
    EXPECT_EQ(securityLevelText(QLatin1String(c.authentication), QLatin1String(c.encryption),
                  QLatin1String(c.cipher), QLatin1String(c.entryMethod),
                  QString(c.keyLength, QLatin1Char('a'))),
        c.level);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DevInfoSecurityLevel, testing::ValuesIn(kSecurity), kvatest::caseName);

TEST(DevInfoPage, ShowsTheDevice)
{
    DevInfo h({
        {"ifIpAddress", "10.20.30.40"},
        {"ifSubnetMask", "255.255.0.0"},
        {"ifDefaultGateway", "10.20.0.1"},
        {"ifMacAddress", "0011223344AA"},
        {"deviceInformationFirmwareVersion", "2.7.19"},
        {"dot11Ssid", "LabNet"},
        {"dot11Channel", "11"},
        {"dot11DataRate", "54M"},
        {"dot11Authentication", "6"},
        {"dot11CipherType", "2"},
        {"dot11Band", "1"},
        {"dot11ApArrayName", "Array-7"},
        {"dot11APArrayModeSelect", "3"},
        {"sysLocation", "Roof"},
    });
    EXPECT_EQ(h.page->windowTitle(), "Status \\ Device Information");
    EXPECT_EQ(h.text("Ed_IPaddr"), "10.20.30.40");
    EXPECT_EQ(h.text("Ed_SubMask"), "255.255.0.0");
    EXPECT_EQ(h.text("Ed_Gate"), "10.20.0.1");
    EXPECT_EQ(h.text("Ed_Mac"), "0011223344AA");
    EXPECT_EQ(h.text("LAB_Primary"), "0011223344AA");
    EXPECT_EQ(h.text("Lab_Seccondary1"), "0211223344AA");
    EXPECT_EQ(h.text("Lab_Seccondary7"), "0611223344AA");
    EXPECT_EQ(h.text("Ed_Firmware"), "2.7.19");
    EXPECT_EQ(h.text("Ed_SSID"), "LabNet");
    EXPECT_EQ(h.text("Ed_Channel"), "11");
    EXPECT_EQ(h.text("Ed_DRate"), "54M");
    EXPECT_EQ(h.text("Ed_Sec"), "WPA2-Personal / AES");
    EXPECT_EQ(h.find<QGroupBox>("GB_Wireless")->title(), "Wireless(5GHz)");
    EXPECT_EQ(h.text("Ed_Array"), "Array-7");
    EXPECT_EQ(h.text("Ed_Role"), "Slave");
    EXPECT_EQ(h.text("Ed_Location"), "Roof");
    EXPECT_EQ(h.statusText(), "");
}

TEST(DevInfoPage, NoGatewayAndWepKeyOfTheRadio)
{
    DevInfo h({
        {"ifDefaultGateway", "0.0.0.0"},
        {"dot11Authentication", "1"},
        {"dot11Encryption", "1"},
        {"dot11WepKeyEntryMethod.1.1", "2"},
        {"dot11WepKey.1.1", "0123456789abcdef0123456789"},
        {"dot11Band", "0"},
    });
    EXPECT_EQ(h.text("Ed_Gate"), "N/A");
    EXPECT_EQ(h.text("Ed_Sec"), "Open / 128bits");
    EXPECT_EQ(h.find<QGroupBox>("GB_Wireless")->title(), "Wireless(2.4GHz)");
}

// Seven reads at opening, the device silent: the first read and its retry go out, nothing after
// it; the fields keep what they showed and the status says why.
TEST(DevInfoPage, SilentDeviceCostsOneTimeOutAndCloses)
{
    DevInfo h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attempts().size(), 2); // the request and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(h.text("Ed_IPaddr"), "Ed_IPaddr");
    EXPECT_EQ(h.text("Ed_Firmware"), "Ed_Firmware");
    EXPECT_EQ(h.text("Lab_Seccondary1"), "");
    EXPECT_EQ(h.text("Ed_Sec"), "");
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

// A MAC the device answers too short or with the wrong type derives no SSID addresses.
TEST(DevInfoPage, HostileMacDerivesNothing)
{
    for (const char *fault : {"short ifMacAddress", "wrongtype ifMacAddress"}) {
        SCOPED_TRACE(fault);
        DevInfo h({{"dot11Ssid", "LabNet"}}, {fault});
        EXPECT_EQ(h.text("Ed_Mac"), "(NULL)");
        EXPECT_EQ(h.text("Lab_Seccondary1"), "");
        EXPECT_EQ(h.text("Lab_Seccondary7"), "");
        EXPECT_EQ(h.text("Ed_SSID"), "LabNet"); // the other reads go on
    }
}

} // namespace
