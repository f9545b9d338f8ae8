// The LAN page against the simulated device: how it opens by the device's IP source, what Save
// writes from each choice, its checks, a refused or unanswered write and a hostile address.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_LanCfg.h"

#include <ostream>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Lan = PageHarness<TFM_LanCfg>;

constexpr const char *kOld = "10.9.9.9"; // gateway the device starts with

const Lan::Seeds kStaticDevice = {
    {"hGetIPFrom", "1"},
    {"hIPAddress", "10.9.9.20"},
    {"hSubnetMask", "255.255.0.0"},
    {"hDefaultGateway", kOld},
};

struct LanSaveCase
{
    const char *name;
    const char *ipFrom;  // seeded hGetIPFrom: "1" static, "2" DHCP
    const char *chosen;  // item picked in CB_IPFrom
    const char *address; // typed into ED_IpAddr, nullptr to leave it
    const char *gateway; // typed into ED_DefGw, nullptr to leave it
    const char *message; // message box text, "" for none
    int sets;            // SET PDUs in the request log
    const char *status;  // the status bar afterwards
    const char *after;   // hDefaultGateway on the device afterwards
    const char *source;  // hGetIPFrom on the device afterwards
};

void PrintTo(const LanSaveCase &c, std::ostream *out)
{
    *out << c.name;
}

const LanSaveCase kLanSave[] = {
    {"StaticEmptyGatewayWritesZeroAddress", "1", "Static (Manual)", nullptr, "", "", 1, "Set OK!",
        "0.0.0.0", "1"},
    {"StaticNewGateway", "1", "Static (Manual)", nullptr, "10.9.0.1", "", 1, "Set OK!", "10.9.0.1",
        "1"},
    {"BadGatewayWarns", "1", "Static (Manual)", nullptr, "10.0.0", "Invalid gateway address !", 0,
        "", kOld, "1"},
    {"BadAddressWarns", "1", "Static (Manual)", "10.0.0.255", nullptr,
        "Please input valid IP Address.", 0, "", kOld, "1"},
    {"DhcpToStaticWritesSourceAndAddress", "2", "Static (Manual)", "10.0.0.7", "10.0.0.1", "", 2,
        "Set OK!", "10.0.0.1", "1"},
    {"StaticToDhcpWritesTheSourceAlone", "1", "Dynamic (DHCP)", nullptr, nullptr, "", 1, "Set OK!",
        kOld, "2"},
    {"DhcpKeptSendsNothing", "2", "Dynamic (DHCP)", nullptr, nullptr, "", 0, "", kOld, "2"},
    // with DHCP chosen the address fields are not looked at
    {"DhcpIgnoresBadFields", "1", "Dynamic (DHCP)", "bad", "bad", "", 1, "Set OK!", kOld, "2"},
};

class LanPageSave : public testing::TestWithParam<LanSaveCase>
{ };

TEST_P(LanPageSave, WritesWhatTheOperatorChose)
{
    const LanSaveCase &c = GetParam();
    Lan page({{"hGetIPFrom", c.ipFrom}, {"hIPAddress", "10.9.9.20"}, {"hDefaultGateway", kOld}});
    page.choose("CB_IPFrom", c.chosen); // as the operator picks it: emits activated
    if (c.address != nullptr) {
        page.type("ED_IpAddr", c.address);
    }
    if (c.gateway != nullptr) {
        page.type("ED_DefGw", c.gateway); // as the operator types it: emits textEdited
    }
    page.device.clearLog();
    page.click("BT_LanCfgOk");
    EXPECT_EQ(page.ui.lastMessage().text, c.message);
    if (*c.message != '\0') {
        EXPECT_EQ(page.ui.lastMessage().caption, "Warning");
    }
    EXPECT_EQ(page.device.logCount("set"), c.sets);
    EXPECT_EQ(page.statusText(), c.status);
    EXPECT_EQ(page.device.get("hDefaultGateway"), c.after);
    EXPECT_EQ(page.device.get("hGetIPFrom"), c.source);
}

INSTANTIATE_TEST_SUITE_P(Cases, LanPageSave, testing::ValuesIn(kLanSave), kvatest::caseName);

TEST(LanPage, StaticDeviceShowsItsAddress)
{
    Lan page(kStaticDevice);
    EXPECT_EQ(page.page->windowTitle(), "Home \\ LAN");
    EXPECT_EQ(page.text("CB_IPFrom"), "Static (Manual)");
    EXPECT_EQ(page.text("ED_IpAddr"), "10.9.9.20");
    EXPECT_EQ(page.text("ED_SubMask"), "255.255.0.0");
    EXPECT_EQ(page.text("ED_DefGw"), kOld);
    EXPECT_TRUE(page.edit("ED_IpAddr")->isVisibleTo(page.page.get()));
}

TEST(LanPage, NoGatewayShowsEmptyAndStaysEmptyAfterSave)
{
    Lan page({{"hGetIPFrom", "1"}, {"hDefaultGateway", "0.0.0.0"}});
    EXPECT_EQ(page.text("ED_DefGw"), "");
    page.click("BT_LanCfgOk");
    EXPECT_EQ(page.statusText(), "Set OK!");
    EXPECT_EQ(page.device.get("hDefaultGateway"), "0.0.0.0");
    EXPECT_EQ(page.text("ED_DefGw"), "");
}

TEST(LanPage, DhcpDeviceOpensWithTheAddressFieldsHidden)
{
    Lan page({{"hGetIPFrom", "2"}, {"hIPAddress", "10.9.9.20"}});
    for (const char *field : {"ED_IpAddr", "ED_SubMask", "ED_DefGw"}) {
        EXPECT_FALSE(page.edit(field)->isVisibleTo(page.page.get())) << field;
    }
    page.choose("CB_IPFrom", "Static (Manual)");
    EXPECT_TRUE(page.edit("ED_IpAddr")->isVisibleTo(page.page.get()));
    EXPECT_EQ(page.text("ED_IpAddr"), "10.9.9.20");
}

// Leaving DHCP: the source goes first; a refused source write does not keep the address back.
TEST(LanPage, RefusedSourceWriteStillWritesTheAddress)
{
    Lan page({{"hGetIPFrom", "2"}, {"hDefaultGateway", kOld}}, {"seterror hGetIPFrom genErr"});
    page.choose("CB_IPFrom", "Static (Manual)");
    page.type("ED_IpAddr", "10.0.0.7");
    page.type("ED_DefGw", "10.0.0.1");
    page.device.clearLog();
    page.click("BT_LanCfgOk");
    const QList<kvatest::LoggedPdu> sets = page.device.requests("set");
    ASSERT_EQ(sets.size(), 2);
    EXPECT_EQ(sets[0].texts(), QStringList{"hGetIPFrom.1 = 1"});
    EXPECT_EQ(sets[1].bindings.size(), 3);
    EXPECT_EQ(page.statusText(), "Set Error!");
    EXPECT_EQ(page.device.get("hIPAddress"), "10.0.0.7");
    EXPECT_EQ(page.device.get("hGetIPFrom"), "2");
}

// Static -> DHCP -> static on one page: the second save must leave DHCP again, since the device
// now is on DHCP; writing the address alone would report success with the device left on DHCP.
TEST(LanPage, EverySavedSourceIsTheDevicesModeFromThenOn)
{
    Lan page(kStaticDevice);
    page.choose("CB_IPFrom", "Dynamic (DHCP)");
    page.click("BT_LanCfgOk");
    ASSERT_EQ(page.device.get("hGetIPFrom"), "2");
    page.choose("CB_IPFrom", "Static (Manual)");
    page.type("ED_IpAddr", "10.9.9.30");
    page.device.clearLog();
    page.click("BT_LanCfgOk");
    EXPECT_EQ(page.statusText(), "Set OK!");
    EXPECT_EQ(page.device.logCount("set"), 2);
    EXPECT_EQ(page.device.get("hGetIPFrom"), "1");
    EXPECT_EQ(page.device.get("hIPAddress"), "10.9.9.30");
}

TEST(LanPage, SilentDeviceWritesTheSourceAloneAndCloses)
{
    Lan page(kStaticDevice, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(page.statusText(), kvatest::timeoutText());
    EXPECT_EQ(page.page->CB_IPFrom->currentIndex(), -1);
    page.device.clearLog();
    page.click("BT_LanCfgOk");
    EXPECT_EQ(page.device.logCount("set"), 0); // no item chosen: nothing to write
    page.choose("CB_IPFrom", "Static (Manual)");
    page.type("ED_IpAddr", "10.0.0.7");
    page.type("ED_SubMask", "255.255.255.0");
    page.type("ED_DefGw", "10.0.0.1");
    page.device.clearLog();
    page.click("BT_LanCfgOk");
    // the device's mode is not known: the source goes first; unanswered, nothing follows it
    const QList<kvatest::LoggedPdu> sets = page.device.requests("set");
    ASSERT_FALSE(sets.isEmpty());
    for (const kvatest::LoggedPdu &pdu : sets) {
        EXPECT_EQ(pdu.texts(), QStringList{"hGetIPFrom.1 = 1"}); // the request and its retry
    }
    EXPECT_EQ(page.statusText(), kvatest::timeoutText());
    page.close();
    EXPECT_EQ(page.page, nullptr);
}

TEST(LanPage, WrongTypedAddressIsRefusedAtSave)
{
    Lan page(kStaticDevice, {"wrongtype hIPAddress"});
    page.device.clearLog();
    page.click("BT_LanCfgOk");
    EXPECT_EQ(page.ui.lastMessage().text, "Please input valid IP Address.");
    EXPECT_EQ(page.device.logCount("set"), 0);
}

} // namespace
