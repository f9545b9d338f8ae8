// The ARP spoofing prevention page against the simulated device: the list shown straight from the
// table, the add checks in their order, row changes, deletes one by one and all at once, the status
// rule, a silent device and a MAC address too short to read.
#include "CaseName.h"
#include "CommandGroupFill.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_ARPSpoofing.h"

#include <ostream>

#include <QGroupBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Arp = PageHarness<TFM_ARPSpoofing>;

// Row 1 is the device's own: 127.0.0.254, 001B2C3D4EFE.
const Arp::Seeds kGateways = {
    {"dot11ARPSpoofingPreventionStatus", "1"},
    {"dot11ARPSpoofingPreventionListIpAddress.2", "127.0.0.20"},
    {"dot11ARPSpoofingPreventionListMacAddress.2", "00A0C5123456"},
};

QStringList addresses(const Arp &h)
{
    QStringList out;
    for (int row = 0; row < h.page->LV_ListViewUser->topLevelItemCount(); ++row) {
        out.append(h.page->LV_ListViewUser->cell(row, 1));
    }
    return out;
}

TEST(ARPSpoofingPage, ShowsTheDevicesGatewaysInItsColumns)
{
    Arp h(kGateways);
    EXPECT_EQ(h.page->windowTitle(), "Advanced \\ARP Spoofing Prevention");
    ReportListView *list = h.page->LV_ListViewUser;
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->headerItem()->text(2), "Gateway MAC Address");
    EXPECT_EQ(list->cell(0, 0), "1");
    EXPECT_EQ(list->cell(0, 1), "127.0.0.254");
    EXPECT_EQ(list->cell(0, 2), "001B2C3D4EFE");
    EXPECT_EQ(list->cell(1, 2), "00A0C5123456");
    EXPECT_EQ(h.text("CB_APPstatus"), "Enable");
    EXPECT_EQ(h.text("Ed_IpAddress"), "");
    EXPECT_TRUE(h.page->Btn_Delall->isEnabled());
    EXPECT_FALSE(h.page->Btn_Del->isEnabled());

    // a click fills the fields with the row
    h.clickRow("LV_ListViewUser", 1);
    EXPECT_EQ(h.text("Ed_Index"), "2");
    EXPECT_EQ(h.text("Ed_IpAddress"), "127.0.0.20");
    EXPECT_EQ(h.text("Ed_MacAddress"), "00A0C5123456");
    EXPECT_TRUE(h.page->Btn_Del->isEnabled());
    h.clickRow("LV_ListViewUser", -1);
    EXPECT_FALSE(h.page->Btn_Del->isEnabled());
}

struct AddCheckCase
{
    const char *name;
    bool full; // eight gateways listed
    const char *ip;
    const char *mac;
    const char *message; // "" for none: the gateway is added
    const char *caption;
    const char *focus;   // the field focused after the box
    const char *ipAfter; // what the fields hold after the box
    const char *macAfter;
};

void PrintTo(const AddCheckCase &c, std::ostream *out)
{
    *out << c.name;
}

const AddCheckCase kAddChecks[] = {
    {"BlankAddress", false, "", "001122334455", "The IP Address can not be blank!", "Warning",
        "Ed_IpAddress", "", "001122334455"},
    {"BadAddressEmptied", false, "127.0.0.255", "001122334455", "Please input valid IP Address.",
        "Warning", "Ed_IpAddress", "", "001122334455"},
    {"ElevenDigitMacEmptiedAddressKept", false, "127.0.0.30", "00112233445",
        "The length is 12 MAC Address.", "Error", "Ed_MacAddress", "127.0.0.30", ""},
    {"NinthGatewayRefusedBeforeDuplicates", true, "127.0.0.254", "001B2C3D4EFE",
        "The Max number is 8,is full now!", "Waring", nullptr, "127.0.0.254", "001B2C3D4EFE"},
    {"AddressOfRow2WithMacOfRow1", false, "127.0.0.20", "001B2C3D4EFE",
        "The MAC Address has already been added in the list!", "Warning", "Ed_MacAddress",
        "127.0.0.20", "001B2C3D4EFE"},
    {"AddressTaken", false, "127.0.0.254", "001122334455",
        "The IP Address has already been added in the list!", "Warning", "Ed_IpAddress",
        "127.0.0.254", "001122334455"},
    {"LowerCaseMacTaken", false, "127.0.0.30", "00a0c5123456",
        "The MAC Address has already been added in the list!", "Warning", "Ed_MacAddress",
        "127.0.0.30", "00a0c5123456"},
    {"NewGatewayAdded", false, "127.0.0.30", "00a0c5123499", "", nullptr, nullptr, "", ""},
};

class ARPSpoofingAddCheck : public testing::TestWithParam<AddCheckCase>
{ };

TEST_P(ARPSpoofingAddCheck, RefusesInOrderBeforeAnythingIsSent)
{
    const AddCheckCase &c = GetParam();
    kvatest::PageOptions later;
    later.openNow = false;
    Arp h(
        [](kvatest::SimulatorProcess &d) {
            for (const auto &[name, value] : kGateways) {
                EXPECT_TRUE(d.set(QLatin1String(name), QLatin1String(value)));
            }
        },
        later);
    if (c.full) {
        std::vector<QStringList> more;
        for (int n = 3; n <= 8; ++n) {
            more.push_back(
                {QStringLiteral("127.0.0.%1").arg(30 + n), QStringLiteral("00112233440%1").arg(n)});
        }
        ASSERT_TRUE(kvatest::addThroughCommandGroup(h.device,
            {{"dot11ARPSpoofingPreventionIpAddress", synIpAddress},
                {"dot11ARPSpoofingPreventionMacAddress", synMacAddress},
                {"dot11ARPSpoofingPreventionAction", synInteger}},
            more));
    }
    h.open();
    const int rows = h.page->LV_ListViewUser->topLevelItemCount();
    ASSERT_EQ(rows, c.full ? 8 : 2);
    h.type("Ed_IpAddress", c.ip);
    h.type("Ed_MacAddress", c.mac);
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_EQ(h.text("Ed_IpAddress"), c.ipAfter);
    EXPECT_EQ(h.text("Ed_MacAddress"), c.macAfter);
    if (*c.message == '\0') {
        EXPECT_TRUE(h.ui.messages.isEmpty());
        EXPECT_EQ(h.device.requests(QStringLiteral("set")).value(0).texts(),
            (QStringList{"dot11ARPSpoofingPreventionIpAddress.0 = 127.0.0.30",
                "dot11ARPSpoofingPreventionMacAddress.0 = 00A0C5123499",
                "dot11ARPSpoofingPreventionAction.0 = 1"}));
        EXPECT_EQ(h.page->LV_ListViewUser->topLevelItemCount(), rows + 1);
        return;
    }
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, c.caption);
    if (c.focus != nullptr) {
        EXPECT_EQ(h.page->focusWidget(), h.edit(c.focus));
    }
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ARPSpoofingAddCheck, testing::ValuesIn(kAddChecks), kvatest::caseName);

TEST(ARPSpoofingPage, AChangeKeepsAddressesApartButNotMacs)
{
    Arp h(kGateways);
    h.clickRow("LV_ListViewUser", 1);
    h.type("Ed_IpAddress", "127.0.0.254");
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_EQ(h.ui.lastMessage().text, "Can not use the same IP Address!");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.page->focusWidget(), h.edit("Ed_IpAddress"));
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);

    // another gateway's MAC is not compared
    h.ui.clear();
    h.type("Ed_IpAddress", "127.0.0.21");
    h.type("Ed_MacAddress", "001B2C3D4EFE");
    h.click("Btn_Add");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(h.device.requests(QStringLiteral("set")).value(0).texts(),
        (QStringList{"dot11ARPSpoofingPreventionListIpAddress.2 = 127.0.0.21",
            "dot11ARPSpoofingPreventionListMacAddress.2 = 001B2C3D4EFE"}));
    EXPECT_EQ(addresses(h), (QStringList{"127.0.0.254", "127.0.0.21"}));
    EXPECT_EQ(h.page->LV_ListViewUser->cell(1, 2), "001B2C3D4EFE");
    EXPECT_EQ(h.text("Ed_IpAddress"), ""); // the read set the page back to adding
}

// A refused change says so instead of leaving an older success on screen.
TEST(ARPSpoofingPage, ARefusedChangeShowsError)
{
    Arp h(kGateways, {"seterror dot11ARPSpoofingPreventionListIpAddress.2 genErr"});
    h.clickRow("LV_ListViewUser", 1);
    h.type("Ed_IpAddress", "127.0.0.21");
    h.click("Btn_Add");
    EXPECT_EQ(h.statusText(), "Error!");
    EXPECT_EQ(addresses(h), (QStringList{"127.0.0.254", "127.0.0.20"}));
    EXPECT_EQ(h.text("Ed_IpAddress"), "127.0.0.21"); // still changing that row
}

TEST(ARPSpoofingPage, DeleteSendsTheClickedGateway)
{
    Arp h(kGateways);
    h.clickRow("LV_ListViewUser", 1);
    h.device.clearLog();
    h.click("Btn_Del");
    EXPECT_EQ(h.device.requests(QStringLiteral("set")).value(0).texts(),
        (QStringList{"dot11ARPSpoofingPreventionIpAddress.0 = 127.0.0.20",
            "dot11ARPSpoofingPreventionMacAddress.0 = 00A0C5123456",
            "dot11ARPSpoofingPreventionAction.0 = 0"}));
    EXPECT_EQ(addresses(h), QStringList{"127.0.0.254"});
    EXPECT_NE(h.statusText(), "Error!");
}

TEST(ARPSpoofingPage, ARefusedCommandShowsErrorAndEmptiesTheFields)
{
    Arp h(kGateways, {"seterror dot11ARPSpoofingPreventionAction genErr"});
    h.type("Ed_IpAddress", "127.0.0.30");
    h.type("Ed_MacAddress", "001122334455");
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_EQ(h.statusText(), "Error!");
    EXPECT_EQ(h.text("Ed_IpAddress"), "");
    EXPECT_EQ(h.device.logCount(QStringLiteral("getnext")), 0); // not read again
}

struct DeleteAllCase
{
    const char *name;
    bool ok;           // the operator's answer
    const char *fault; // "" for none
    int dels;          // SETs sent
    QStringList after; // the list afterwards
};

void PrintTo(const DeleteAllCase &c, std::ostream *out)
{
    *out << c.name;
}

const DeleteAllCase kDeleteAll[] = {
    {"Cancelled", false, "", 0, {"127.0.0.254", "127.0.0.20"}},
    {"OneDeletePerRow", true, "", 2, {}},
    {"RefusedDeletesStillEndInARead", true, "seterror dot11ARPSpoofingPreventionAction genErr", 2,
        {"127.0.0.254", "127.0.0.20"}},
};

class ARPSpoofingDeleteAll : public testing::TestWithParam<DeleteAllCase>
{ };

TEST_P(ARPSpoofingDeleteAll, DeletesRowByRowThenReadsOnce)
{
    const DeleteAllCase &c = GetParam();
    Arp h(kGateways);
    if (*c.fault != '\0') {
        ASSERT_TRUE(h.device.fault(QLatin1String(c.fault)));
    }
    h.ui.answers = {c.ok};
    h.device.clearLog();
    h.click("Btn_Delall");
    EXPECT_EQ(h.ui.lastMessage().text, "Are you sure delete all the rules?");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    ASSERT_EQ(sets.size(), c.dels);
    if (c.dels == 2) {
        EXPECT_TRUE(
            sets[0].texts().contains("dot11ARPSpoofingPreventionIpAddress.0 = 127.0.0.254"));
        EXPECT_TRUE(sets[1].texts().contains("dot11ARPSpoofingPreventionIpAddress.0 = 127.0.0.20"));
    }
    if (!c.ok) {
        EXPECT_TRUE(h.device.requests().isEmpty());
    }
    EXPECT_EQ(addresses(h), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ARPSpoofingDeleteAll, testing::ValuesIn(kDeleteAll), kvatest::caseName);

TEST(ARPSpoofingPage, DisabledLeavesOnlyTheSwitchAndSave)
{
    Arp h({{"dot11ARPSpoofingPreventionStatus", "0"}});
    TFM_ARPSpoofing &p = *h.page;
    for (QWidget *w : std::initializer_list<QWidget *>{p.Ed_IpAddress, p.Ed_MacAddress, p.Btn_Add,
             p.Btn_Clear, p.LV_ListViewUser, p.Btn_Del, p.Btn_Delall}) {
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    }
    EXPECT_TRUE(p.CB_APPstatus->isEnabled());
    EXPECT_TRUE(p.Btn_Save->isEnabled());

    h.choose("CB_APPstatus", "Enable");
    EXPECT_TRUE(p.Ed_IpAddress->isEnabled());
    EXPECT_TRUE(p.Btn_Add->isEnabled());
    EXPECT_TRUE(p.Btn_Delall->isEnabled()); // the device's own gateway is listed
    EXPECT_FALSE(p.Btn_Del->isEnabled());
    h.click("Btn_Save");
    EXPECT_EQ(h.statusText(), "Save OK!");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11ARPSpoofingPreventionStatus")), "1");
}

TEST(ARPSpoofingPage, AWirelessClientSavesTheSwitchOff)
{
    Arp h({{"dot11ApMode", "4"}, {"dot11ARPSpoofingPreventionStatus", "1"}});
    EXPECT_EQ(h.text("CB_APPstatus"), "Disable");
    EXPECT_FALSE(h.page->CB_APPstatus->isEnabled());
    EXPECT_FALSE(h.page->Btn_Add->isEnabled());
    h.click("Btn_Save");
    EXPECT_EQ(h.statusText(), "Save OK!");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11ARPSpoofingPreventionStatus")), "0");
}

TEST(ARPSpoofingPage, ARefusedSaveIsSaidSo)
{
    Arp h(kGateways, {"seterror dot11ARPSpoofingPreventionStatus genErr"});
    h.click("Btn_Save");
    EXPECT_EQ(h.statusText(), "Save Error!");
}

TEST(ARPSpoofingPage, SilentDeviceShowsTheTimeOutAndCloses)
{
    Arp h(kGateways, {"silent 600"}, {0.002, 0});
    EXPECT_EQ(h.device.attemptCount(QStringLiteral("get")), 2); // the first read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.click("Btn_Save");
    EXPECT_EQ(h.statusText(), "Save Error!");
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

TEST(ARPSpoofingPage, AMacTooShortToReadGivesTheReadsMessage)
{
    Arp h(kGateways, {"short dot11ARPSpoofingPreventionListMacAddress.1"});
    EXPECT_EQ(h.statusText(), "(VtSNMP++) Bad SNMP syntax!");
    EXPECT_TRUE(h.ui.messages.isEmpty());
}

} // namespace
