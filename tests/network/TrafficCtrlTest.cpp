// The traffic control page against the simulated device: the interface boxes, their availability
// and the modes a save collects, the bandwidth and advanced QoS saves with their checks and port
// ranges, the traffic manager's rule commands (by address, by MAC, a change as a delete then an
// add, a name clash, delete), refused writes, a silent device and values the page does not expect.
#include "CaseName.h"
#include "ErrorMapping.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "ReportListView.h"
#include "TFM_TrafficCtrl.h"

#include <functional>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Traffic = PageHarness<TFM_TrafficCtrl>;

constexpr int kQosTab = 1;
constexpr int kManagerTab = 2;

const char kSpeedOutOfRange[] =
    "The bandwidth for the traffic manager rules should not less than 1 "
    "kbit/sec, or greater than traffic manager bandwidth!";
const char kNameTaken[] = "The name has exist, please input username again!";

void seed(kvatest::SimulatorProcess &d, const QString &name, const QString &value)
{
    EXPECT_TRUE(d.set(name, value)) << name.toStdString();
}

// The additional SSIDs on: the primary SSID and SSIDs 2 and 3 on, SSID 1 off (the device has four
// SSID rows); WDS link 1 with a peer, link 2 without; modes of our own for SSID 1 (uplink), WDS 2
// (downlink) and SSID 5 (downlink).
void multiSsidOn(kvatest::SimulatorProcess &d)
{
    seed(d, QStringLiteral("dot11MssidState"), QStringLiteral("1"));
    seed(d, QStringLiteral("dot11MssIndividualState.1.2"), QStringLiteral("0"));
    seed(d, QStringLiteral("dot11MssIndividualState.1.3"), QStringLiteral("1"));
    seed(d, QStringLiteral("dot11MssIndividualState.1.4"), QStringLiteral("1"));
    seed(d, QStringLiteral("dot11TrafficcontrolInterfaceMode.3"), QStringLiteral("2"));
    seed(d, QStringLiteral("dot11TrafficcontrolInterfaceMode.11"), QStringLiteral("1"));
    seed(d, QStringLiteral("dot11TrafficcontrolInterfaceMode.7"), QStringLiteral("1"));
}

void managerOn(kvatest::SimulatorProcess &d)
{
    seed(d, QStringLiteral("dot11TrafficManagerStauts"), QStringLiteral("1"));
}

using kvatest::faulty;

QList<QStringList> sets(Traffic &h)
{
    return h.device.requestTexts(QStringLiteral("set"));
}

QStringList row(ReportListView *list, int r)
{
    return kvatest::rowCells(list, r);
}

QString modeWrite(int interface, int mode)
{
    return QStringLiteral("dot11TrafficcontrolInterfaceMode.%1 = %2").arg(interface).arg(mode);
}

TEST(TrafficCtrlPage, OpensWithTheDevicesModesBandwidthsAndRules)
{
    Traffic h;
    EXPECT_EQ(h.page->windowTitle(), "Advanced \\ Traffic Control");
    // Ethernet the uplink, the primary SSID the downlink; the others off with multi-SSID off
    EXPECT_TRUE(h.page->ChBox_Up[0]->isChecked());
    EXPECT_FALSE(h.page->ChBox_Down[0]->isEnabled());
    EXPECT_TRUE(h.page->ChBox_Down[1]->isChecked());
    EXPECT_FALSE(h.page->ChBox_Up[1]->isEnabled());
    for (int i = 2; i < TFM_TrafficCtrl::kInterfaces; ++i) {
        EXPECT_FALSE(h.page->ChBox_Down[static_cast<std::size_t>(i)]->isEnabled()) << i;
        EXPECT_FALSE(h.page->ChBox_Up[static_cast<std::size_t>(i)]->isEnabled()) << i;
    }
    for (const char *edit : {"Ed_DownLink", "Ed_UpLink", "Ed_DownLBWidth", "Ed_DownLBand"}) {
        EXPECT_EQ(h.text(edit), "100") << edit;
    }
    EXPECT_FALSE(h.edit("Ed_DownLBWidth")->isEnabled());
    EXPECT_FALSE(h.edit("Ed_UpLBand")->isEnabled());
    EXPECT_EQ(h.text("Ed_Port1"), "53-53");
    EXPECT_EQ(h.text("Ed_Port5L"), "1024");
    EXPECT_EQ(h.text("Ed_Port5R"), "2048");
    EXPECT_FALSE(h.page->ChBox_Qos->isChecked());
    EXPECT_FALSE(h.edit("Ed_Limit1")->isEnabled());
    EXPECT_FALSE(h.edit("Ed_Port1")->isEnabled());
    EXPECT_EQ(h.text("Cbox_TrafficMan"), "Disable");
    EXPECT_FALSE(h.page->GB_AddRule->isVisibleTo(h.page.get()));
    ASSERT_EQ(h.page->LV_TrafficManRuleUser->topLevelItemCount(), 1);
    EXPECT_EQ(row(h.page->LV_TrafficManRuleUser, 0),
        (QStringList{"camera", "127.0.0.60", "000000000000", "10", "20"}));
    for (const char *edit :
        {"Ed_Name", "Ed_ClientIP", "Ed_ClientMAC", "Ed_VantrelSp", "Ed_ULinkSp"}) {
        EXPECT_EQ(h.text(edit), "") << edit;
    }
    EXPECT_EQ(h.device.logCount("set"), 0);
    EXPECT_TRUE(h.ui.messages.isEmpty());
}

struct BoxCase
{
    const char *name;
    std::vector<const char *> clicks; // boxes clicked, in order
    int interface;                    // 1 to 17
    int mode;                         // its mode sent
};

const BoxCase kBoxes[] = {
    {"EthernetUncheckedIsDisable", {"ChBox_Ethernet2"}, 1, 0},
    {"EthernetMovedToDownlink", {"ChBox_Ethernet2", "ChBox_Ethernet"}, 1, 1},
    {"SsidDownlink", {"ChBox_Multissid2"}, 4, 1},
    {"SsidUplink", {"ChBox_Multissid3u"}, 5, 2},
    {"SsidOffKeepsTheDevicesMode", {}, 3, 2},
    {"SsidBeyondTheDevicesRowsStaysAvailable", {"ChBox_Multissid5", "ChBox_Multissid5u"}, 7, 2},
    {"WdsWithAPeer", {"ChBox_WDS1u"}, 10, 2},
    {"WdsWithoutPeerKeepsTheDevicesMode", {}, 11, 1},
    {"UntouchedSsidIsDisable", {}, 6, 0},
};

class TrafficBoxes : public testing::TestWithParam<BoxCase>
{ };

TEST_P(TrafficBoxes, TheSaveCollectsTheModeTheBoxesGive)
{
    const BoxCase &c = GetParam();
    Traffic h(multiSsidOn, {});
    EXPECT_FALSE(h.page->ChBox_Down[2]->isEnabled()); // SSID 1 off
    EXPECT_TRUE(h.page->ChBox_Up[2]->isChecked());
    EXPECT_FALSE(h.page->ChBox_Down[10]->isEnabled()); // WDS 2 without a peer
    EXPECT_TRUE(h.page->ChBox_Down[10]->isChecked());
    for (const char *box : c.clicks) {
        h.check(box);
    }
    h.device.clearLog();
    h.click("Bt_LinkApply");
    const QList<QStringList> written = sets(h);
    ASSERT_EQ(written.size(), 2);
    ASSERT_EQ(written[0].size(), TFM_TrafficCtrl::kInterfaces);
    EXPECT_EQ(written[0][c.interface - 1], modeWrite(c.interface, c.mode));
    EXPECT_EQ(h.device.get(QStringLiteral("dot11TrafficcontrolInterfaceMode.%1").arg(c.interface)),
        QString::number(c.mode));
    EXPECT_EQ(h.text("SB_Link"), "Save OK!");
}

INSTANTIATE_TEST_SUITE_P(Cases, TrafficBoxes, testing::ValuesIn(kBoxes), kvatest::caseName);

TEST(TrafficCtrlPage, CheckingABoxDisablesItsPartnerUntilUnchecked)
{
    Traffic h(multiSsidOn, {});
    h.check("ChBox_Multissid2");
    EXPECT_FALSE(h.page->ChBox_Up[3]->isEnabled());
    h.check("ChBox_Multissid2");
    EXPECT_TRUE(h.page->ChBox_Up[3]->isEnabled());
}

TEST(TrafficCtrlPage, MultiSsidOffWritesEthernetAndPrimaryOnly)
{
    Traffic h({{"dot11TrafficcontrolInterfaceMode.5", "2"}});
    h.type("Ed_DownLink", "80");
    h.type("Ed_UpLink", "40");
    h.device.clearLog();
    h.click("Bt_LinkApply");
    EXPECT_EQ(sets(h),
        (QList<QStringList>{{modeWrite(1, 2), modeWrite(2, 1)},
            {"dot11DownLinkBandWidth.0 = 80", "dot11UpLinkBandWidth.0 = 40"}}));
    EXPECT_EQ(h.device.get("dot11TrafficcontrolInterfaceMode.5"), "2");
    EXPECT_EQ(h.text("SB_Link"), "Save OK!");
    for (const char *edit : {"Ed_DownLBWidth", "Ed_DownLBand"}) {
        EXPECT_EQ(h.text(edit), "80") << edit;
    }
    EXPECT_EQ(h.text("Ed_UpLBand"), "40");
}

struct LinkCheckCase
{
    const char *name;
    const char *down;
    const char *up;
    const char *message;
    const char *caption;
    const char *field;
};

const LinkCheckCase kLinkChecks[] = {
    {"EmptyDownlink", "", "10", "Please input value for the rate !", "Waring", "Ed_DownLink"},
    {"EmptyUplink", "10", "", "Please input value for the rate !", "Waring", "Ed_UpLink"},
    {"DownlinkNotDigits", "1a", "10", "Invaild value for the rate!", "Warning", "Ed_DownLink"},
    {"UplinkNotDigits", "10", "-5", "Invaild value for the rate!", "Warning", "Ed_UpLink"},
    {"DownlinkZero", "0", "10", "Downlink or uplink bandwidth range should be 1~150 mega bits/sec!",
        "Warning", "Ed_DownLink"},
    {"UplinkAbove150", "10", "151",
        "Downlink or uplink bandwidth range should be 1~150 mega bits/sec!", "Warning",
        "Ed_UpLink"},
};

class TrafficLinkCheck : public testing::TestWithParam<LinkCheckCase>
{ };

TEST_P(TrafficLinkCheck, RefusesEmptiesAndFocuses)
{
    const LinkCheckCase &c = GetParam();
    Traffic h;
    h.type("Ed_DownLink", c.down);
    h.type("Ed_UpLink", c.up);
    h.device.clearLog();
    h.click("Bt_LinkApply");
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, c.caption);
    EXPECT_EQ(h.text(c.field), "");
    EXPECT_EQ(h.page->focusWidget(), h.edit(c.field));
    EXPECT_EQ(h.device.logCount("set"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrafficLinkCheck, testing::ValuesIn(kLinkChecks), kvatest::caseName);

TEST(TrafficCtrlPage, QosCannotBeEnabledWithoutABandwidth)
{
    Traffic h({{"dot11DownLinkBandWidth", "0"}, {"dot11UpLinkBandWidth", "0"}});
    EXPECT_EQ(h.text("Ed_DownLink"), "");
    h.chooseTab("PageControl1", kQosTab);
    h.check("ChBox_Qos");
    EXPECT_EQ(h.ui.lastMessage().text,
        "Qos can't enable if uplink and downlink bandwidth are empty in uplink/downlink/setting!");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_FALSE(h.page->ChBox_Qos->isChecked());
    EXPECT_FALSE(h.edit("Ed_Limit1")->isEnabled());
}

// The switch read as on runs the box's rule while opening: beside no bandwidth it goes off again.
TEST(TrafficCtrlPage, QosReadAsOnBesideNoBandwidthWarnsWhileOpening)
{
    Traffic h({{"dot11dot11QosState", "1"}, {"dot11DownLinkBandWidth", "0"},
        {"dot11UpLinkBandWidth", "0"}});
    EXPECT_TRUE(h.sawMessage(
        "Qos can't enable if uplink and downlink bandwidth are empty in uplink/downlink/setting!"));
    EXPECT_FALSE(h.page->ChBox_Qos->isChecked());
    EXPECT_FALSE(h.edit("Ed_Limit1")->isEnabled());
}

TEST(TrafficCtrlPage, QosSaveJoinsThePortRangesAndWritesEveryClass)
{
    Traffic h({{"dot11dot11QosState", "1"}, {"dot11QosAdvancedPriorityPort.6", "80"}});
    EXPECT_TRUE(h.edit("Ed_Limit1")->isEnabled());
    EXPECT_EQ(h.text("Ed_Port6L"), "");
    EXPECT_EQ(h.text("Ed_Port6R"), "80");
    h.chooseTab("PageControl1", kQosTab);
    h.type("Ed_Port6L", "70");
    h.type("Ed_Limit3", "100");
    h.choose("CBox_Mail", "low");
    h.device.clearLog();
    h.click("Bt_QosApply");
    const QList<QStringList> written = sets(h);
    ASSERT_EQ(written.size(), 5);
    EXPECT_EQ(written[0], QStringList{"dot11dot11QosState.0 = 1"});
    EXPECT_EQ(written[1],
        (QStringList{"dot11DownLinkBandWidth.0 = 100", "dot11UpLinkBandWidth.0 = 100"}));
    EXPECT_TRUE(written[2].contains("dot11QosAdvancedPriority.3 = 4"));
    EXPECT_EQ(written[3].size(), 9);
    EXPECT_EQ(written[4].size(), 8);
    EXPECT_TRUE(written[4].contains("dot11QosAdvancedPriorityPort.5 = 1024-2048"));
    EXPECT_TRUE(written[4].contains("dot11QosAdvancedPriorityPort.6 = 70-80"));
    EXPECT_EQ(h.device.get("dot11QosAdvancedPriorityPort.6"), "70-80");
    EXPECT_EQ(h.text("SB_Qos"), "Save OK!");
}

struct QosCheckCase
{
    const char *name;
    const char *edit;
    const char *typed;
    const char *message;
    const char *focus;
    bool emptied;
};

const QosCheckCase kQosChecks[] = {
    {"EmptyLimit", "Ed_Limit2", "", "Please input value for the limit !", "Ed_Limit2", true},
    {"LimitZero", "Ed_Limit9", "0", "Invaild value for the limit !", "Ed_Limit9", true},
    {"LimitAbove100", "Ed_Limit1", "101", "Invaild value for the limit !", "Ed_Limit1", true},
    {"Class5PortOfLetters", "Ed_Port5L", "ab", "Invaild value for the port !", "Ed_Port5L", true},
    {"Class5Backwards", "Ed_Port5R", "1000",
        "The end port must be equal or larger than the start port !", "Ed_Port5L", false},
    {"Class7EmptyPort", "Ed_Port7R", "", "Invaild value for the port !", "Ed_Port7R", true},
    {"Class8SignedPort", "Ed_Port8L", "+80", "Invaild value for the port !", "Ed_Port8L", true},
};

class TrafficQosCheck : public testing::TestWithParam<QosCheckCase>
{ };

TEST_P(TrafficQosCheck, RefusesWithItsMessageAndSendsNothing)
{
    const QosCheckCase &c = GetParam();
    Traffic h({{"dot11dot11QosState", "1"}});
    h.chooseTab("PageControl1", kQosTab);
    h.type(c.edit, c.typed);
    h.device.clearLog();
    h.click("Bt_QosApply");
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.page->focusWidget(), h.edit(c.focus));
    if (c.emptied) {
        EXPECT_EQ(h.text(c.focus), "");
    }
    EXPECT_EQ(h.device.logCount("set"), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrafficQosCheck, testing::ValuesIn(kQosChecks), kvatest::caseName);

// The save's last write is the ports request: its refusal is the save's.
TEST(TrafficCtrlPage, ARefusedPortsWriteFailsTheQosSave)
{
    Traffic h({{"dot11dot11QosState", "1"}}, {"seterror dot11QosAdvancedPriorityPort.5 genErr"});
    h.chooseTab("PageControl1", kQosTab);
    h.click("Bt_QosApply");
    EXPECT_EQ(h.text("SB_Qos"), "Save Fail!");
    EXPECT_EQ(h.device.logCount("set"), 5);
}

// The device's "not set" bandwidth is shown empty on every tab and written back as 0.
TEST(TrafficCtrlPage, ABandwidthOfZeroIsWrittenBackAsZero)
{
    Traffic h({{"dot11DownLinkBandWidth", "0"}, {"dot11UpLinkBandWidth", "0"}});
    for (const char *edit : {"Ed_DownLink", "Ed_DownLBWidth", "Ed_UpLBWidth", "Ed_DownLBand"}) {
        EXPECT_EQ(h.text(edit), "") << edit;
    }
    const QStringList zero{"dot11DownLinkBandWidth.0 = 0", "dot11UpLinkBandWidth.0 = 0"};
    h.chooseTab("PageControl1", kQosTab);
    h.device.clearLog();
    h.click("Bt_QosApply");
    EXPECT_EQ(sets(h).value(1), zero);
    EXPECT_EQ(h.text("SB_Qos"), "Save OK!");
    EXPECT_EQ(h.text("Ed_DownLBWidth"), "");

    h.chooseTab("PageControl1", kManagerTab);
    h.device.clearLog();
    h.click("Bt_TrafficApply");
    EXPECT_EQ(sets(h).value(0), zero);
    EXPECT_EQ(h.text("SB_TrafficManager"), "Save OK!");
}

TEST(TrafficCtrlPage, TheManagerNeedsABandwidthToShowItsRules)
{
    Traffic h({{"dot11DownLinkBandWidth", "0"}, {"dot11UpLinkBandWidth", "0"}});
    h.chooseTab("PageControl1", kManagerTab);
    h.choose("Cbox_TrafficMan", "Enable");
    EXPECT_EQ(h.ui.lastMessage().text,
        "Traffic Manager can't enable if uplink and downlink bandwidth are empty in "
        "uplink/downlink/setting!");
    EXPECT_FALSE(h.page->GB_AddRule->isVisible());
    EXPECT_FALSE(h.page->GB_RuleList->isVisible());
}

// The manager's Save writes its settings and the ports, never a rule command.
TEST(TrafficCtrlPage, ManagerSaveSendsNoRuleCommand)
{
    Traffic h(managerOn, {});
    h.chooseTab("PageControl1", kManagerTab);
    EXPECT_TRUE(h.page->GB_AddRule->isVisible());
    h.clickRow("LV_TrafficManRuleUser", 0);
    h.choose("Cbox_ClientTraffic", "Deny");
    h.device.clearLog();
    h.click("Bt_TrafficApply");
    const QList<QStringList> written = sets(h);
    ASSERT_EQ(written.size(), 3);
    EXPECT_EQ(written[1],
        (QStringList{"dot11TrafficManagerStauts.0 = 1", "dot11TrafficManagerUlistClient.0 = 0"}));
    EXPECT_EQ(written[2].size(), 8); // the ports
    EXPECT_EQ(h.text("SB_TrafficManager"), "Save OK!");
    EXPECT_EQ(h.page->LV_TrafficManRuleUser->topLevelItemCount(), 1);
}

struct RuleCase
{
    const char *name;
    const char *ip;
    const char *mac;
    const char *down;
    const char *up;
    QStringList sent;
};

const RuleCase kRules[] = {
    {"ByAddressOnly", "127.0.0.61", "", "100", "",
        {"dot11RuleName.0 = lab", "dot11ClientIP.0 = 127.0.0.61", "dot11ClientDownSpeed.0 = 100",
            "dot11ClientUpSpeed.0 = 0", "dot11RuleAction.0 = 1"}},
    {"ByAddressAndMac", "127.0.0.61", "00a0c5000001", "100", "",
        {"dot11RuleName.0 = lab", "dot11ClientIP.0 = 127.0.0.61", "dot11ClientMac.0 = 00A0C5000001",
            "dot11ClientDownSpeed.0 = 100", "dot11ClientUpSpeed.0 = 0", "dot11RuleAction.0 = 1"}},
    {"ByMacOnly", "", "00a0c5000001", "", "5",
        {"dot11RuleName.0 = lab", "dot11ClientMac.0 = 00A0C5000001", "dot11ClientDownSpeed.0 = 0",
            "dot11ClientUpSpeed.0 = 5", "dot11RuleAction.0 = 1"}},
};

class TrafficRuleAdd : public testing::TestWithParam<RuleCase>
{ };

TEST_P(TrafficRuleAdd, OneCommandWithTheClientGiven)
{
    const RuleCase &c = GetParam();
    Traffic h(managerOn, {});
    h.chooseTab("PageControl1", kManagerTab);
    h.type("Ed_Name", "lab");
    h.type("Ed_ClientIP", c.ip);
    h.type("Ed_ClientMAC", c.mac);
    h.type("Ed_VantrelSp", c.down);
    h.type("Ed_ULinkSp", c.up);
    h.device.clearLog();
    h.click("Bt_TrafficAdd");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(sets(h), QList<QStringList>{c.sent});
    EXPECT_EQ(h.text("SB_TrafficManager"), "Add OK!");
    ASSERT_EQ(h.page->LV_TrafficManRuleUser->topLevelItemCount(), 2);
    EXPECT_EQ(h.page->LV_TrafficManRuleUser->cell(1, 0), "lab");
    EXPECT_EQ(h.text("Ed_Name"), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, TrafficRuleAdd, testing::ValuesIn(kRules), kvatest::caseName);

struct RuleCheckCase
{
    const char *name;
    const char *ip;
    const char *mac;
    const char *down;
    const char *up;
    const char *bandwidth; // seeded for both directions
    const char *message;
    const char *caption;
    const char *focus;
};

const RuleCheckCase kRuleChecks[] = {
    {"BadAddress", "127.0.0", "", "5", "", "100", "Invalid ip address!.", "Warning", "Ed_ClientIP"},
    {"ShortMac", "", "00a0c5", "5", "", "100", "Invalid MAC address!", "Error", "Ed_ClientMAC"},
    {"NoClient", "", "", "5", "", "100", "Please input IP address or MAC address!", "Warning",
        "Ed_ClientIP"},
    {"DownlinkNotDigits", "127.0.0.61", "", "5a", "", "100", "Invaild value for the rate !",
        "Warning", "Ed_VantrelSp"},
    {"DownlinkZero", "127.0.0.61", "", "0", "", "100", kSpeedOutOfRange, "Warning", "Ed_VantrelSp"},
    {"DownlinkAboveBandwidth", "127.0.0.61", "", "101", "", "100", kSpeedOutOfRange, "Warning",
        "Ed_VantrelSp"},
    {"UplinkNotDigits", "127.0.0.61", "", "", "x", "100", "Invaild value for the rate !", "Warning",
        "Ed_ULinkSp"},
    {"UplinkAboveBandwidth", "127.0.0.61", "", "", "200", "100", kSpeedOutOfRange, "Warning",
        "Ed_ULinkSp"},
    {"NoSpeed", "127.0.0.61", "", "", "", "100",
        "Please input Ethernet to wireless Speed or wireless to Ethernet!", "Warning",
        "Ed_VantrelSp"},
    // no bandwidth to compare with: no speed is within it
    {"SpeedBesideNoBandwidth", "127.0.0.61", "", "5", "", "0", kSpeedOutOfRange, "Warning",
        "Ed_VantrelSp"},
};

class TrafficRuleCheck : public testing::TestWithParam<RuleCheckCase>
{ };

TEST_P(TrafficRuleCheck, RefusesWithItsMessageAndSendsNothing)
{
    const RuleCheckCase &c = GetParam();
    Traffic h({{"dot11DownLinkBandWidth", c.bandwidth}, {"dot11UpLinkBandWidth", c.bandwidth},
        {"dot11TrafficManagerStauts", "1"}});
    h.chooseTab("PageControl1", kManagerTab);
    h.ui.clear();
    h.type("Ed_Name", "lab");
    h.type("Ed_ClientIP", c.ip);
    h.type("Ed_ClientMAC", c.mac);
    h.type("Ed_VantrelSp", c.down);
    h.type("Ed_ULinkSp", c.up);
    h.device.clearLog();
    h.click("Bt_TrafficAdd");
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, c.caption);
    EXPECT_EQ(h.page->focusWidget(), h.edit(c.focus));
    EXPECT_EQ(h.device.logCount("set"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrafficRuleCheck, testing::ValuesIn(kRuleChecks), kvatest::caseName);

TEST(TrafficCtrlPage, AChangedRuleIsDeletedThenAdded)
{
    Traffic h(managerOn, {});
    h.chooseTab("PageControl1", kManagerTab);
    h.clickRow("LV_TrafficManRuleUser", 0);
    EXPECT_EQ(h.text("Ed_Name"), "camera");
    EXPECT_EQ(h.text("Ed_ClientIP"), "127.0.0.60");
    EXPECT_EQ(h.text("Ed_ClientMAC"), "");
    h.type("Ed_VantrelSp", "30");
    h.device.clearLog();
    h.click("Bt_TrafficAdd");
    EXPECT_EQ(sets(h),
        (QList<QStringList>{{"dot11RuleName.0 = camera", "dot11ClientIP.0 = 127.0.0.60",
                                "dot11ClientDownSpeed.0 = 30", "dot11ClientUpSpeed.0 = 20",
                                "dot11RuleAction.0 = 0"},
            {"dot11RuleName.0 = camera", "dot11ClientIP.0 = 127.0.0.60",
                "dot11ClientDownSpeed.0 = 30", "dot11ClientUpSpeed.0 = 20",
                "dot11RuleAction.0 = 1"}}));
    EXPECT_EQ(h.text("SB_TrafficManager"), "Add OK!");
    ASSERT_EQ(h.page->LV_TrafficManRuleUser->topLevelItemCount(), 1);
    EXPECT_EQ(row(h.page->LV_TrafficManRuleUser, 0),
        (QStringList{"camera", "127.0.0.60", "000000000000", "30", "20"}));

    // nothing selected any more: the next add is a plain one, sent once
    h.type("Ed_Name", "lab");
    h.type("Ed_ClientIP", "127.0.0.62");
    h.type("Ed_ULinkSp", "7");
    h.device.clearLog();
    h.click("Bt_TrafficAdd");
    EXPECT_EQ(h.device.logCount("set"), 1);
    EXPECT_EQ(h.page->LV_TrafficManRuleUser->topLevelItemCount(), 2);
}

// The device refuses the changed rule after it took the delete: the old rule is added back.
TEST(TrafficCtrlPage, ARefusedChangePutsTheOldRuleBack)
{
    Traffic h(managerOn, {});
    h.chooseTab("PageControl1", kManagerTab);
    ASSERT_TRUE(h.device.set(QStringLiteral("dot11DownLinkBandWidth"), QStringLiteral("20")));
    h.clickRow("LV_TrafficManRuleUser", 0);
    h.type("Ed_VantrelSp", "30"); // within the bandwidth the page shows, above the device's
    h.device.clearLog();
    h.click("Bt_TrafficAdd");
    const QList<QStringList> written = sets(h);
    ASSERT_EQ(written.size(), 3);
    EXPECT_EQ(written[0].last(), "dot11RuleAction.0 = 0");
    EXPECT_TRUE(written[1].contains("dot11ClientDownSpeed.0 = 30"));
    EXPECT_EQ(written[2],
        (QStringList{"dot11RuleName.0 = camera", "dot11ClientIP.0 = 127.0.0.60",
            "dot11ClientDownSpeed.0 = 10", "dot11ClientUpSpeed.0 = 20", "dot11RuleAction.0 = 1"}));
    EXPECT_EQ(h.text("SB_TrafficManager"),
        ErrorFromStatus(3).Message); // wrongValue, as version 1 says it
    ASSERT_EQ(h.page->LV_TrafficManRuleUser->topLevelItemCount(), 1);
    EXPECT_EQ(row(h.page->LV_TrafficManRuleUser, 0).value(3), "10");
    EXPECT_EQ(h.text("Ed_VantrelSp"), "30"); // what the operator entered, for another try
    EXPECT_TRUE(h.page->Bt_TrafficAdd->isEnabled());
}

TEST(TrafficCtrlPage, ARenameToAListedNameSendsNothing)
{
    Traffic h(managerOn, {});
    h.chooseTab("PageControl1", kManagerTab);
    h.type("Ed_Name", "printer");
    h.type("Ed_ClientIP", "127.0.0.70");
    h.type("Ed_VantrelSp", "5");
    h.click("Bt_TrafficAdd");
    ASSERT_EQ(h.page->LV_TrafficManRuleUser->topLevelItemCount(), 2);

    h.clickRow("LV_TrafficManRuleUser", 0);
    h.type("Ed_Name", "printer");
    h.device.clearLog();
    h.click("Bt_TrafficAdd");
    EXPECT_EQ(h.ui.lastMessage().text, kNameTaken);
    EXPECT_EQ(h.ui.lastMessage().caption, "Waring");
    EXPECT_EQ(h.device.logCount("set"), 0);
    EXPECT_EQ(h.text("Ed_Name"), "printer");
    EXPECT_EQ(h.text("Ed_ClientIP"), "127.0.0.60");
    EXPECT_EQ(h.page->LV_TrafficManRuleUser->topLevelItemCount(), 2);
}

TEST(TrafficCtrlPage, DeleteSendsTheRuleTheClickLoaded)
{
    Traffic h(managerOn, {});
    h.chooseTab("PageControl1", kManagerTab);
    h.clickRow("LV_TrafficManRuleUser", 0);
    h.type("Ed_Name", "typed over");
    h.device.clearLog();
    h.click("Bt_TrafficDel");
    EXPECT_EQ(h.ui.lastMessage().text, "Are you sure that you want to delete this entry?");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(sets(h),
        (QList<QStringList>{{"dot11RuleName.0 = camera", "dot11ClientIP.0 = 127.0.0.60",
            "dot11ClientDownSpeed.0 = 10", "dot11ClientUpSpeed.0 = 20", "dot11RuleAction.0 = 0"}}));
    EXPECT_EQ(h.text("SB_TrafficManager"), "Delete OK!");
    EXPECT_EQ(h.page->LV_TrafficManRuleUser->topLevelItemCount(), 0);
    EXPECT_EQ(h.text("Ed_Name"), "");
}

TEST(TrafficCtrlPage, ARefusedAddShowsTheDevicesErrorAndKeepsTheEdits)
{
    Traffic h(faulty(managerOn, "seterror dot11RuleAction genErr"), {});
    h.chooseTab("PageControl1", kManagerTab);
    h.type("Ed_Name", "lab");
    h.type("Ed_ClientIP", "127.0.0.61");
    h.type("Ed_VantrelSp", "5");
    h.click("Bt_TrafficAdd");
    EXPECT_EQ(h.text("SB_TrafficManager"), ErrorFromStatus(5).Message);
    EXPECT_EQ(h.text("Ed_Name"), "lab");
    EXPECT_EQ(h.text("Ed_VantrelSp"), "5");
    EXPECT_EQ(h.page->LV_TrafficManRuleUser->topLevelItemCount(), 1);
    EXPECT_TRUE(h.page->Bt_TrafficAdd->isEnabled());
}

TEST(TrafficCtrlPage, SilentDeviceOpensWithTheTimeOutAndSavesFail)
{
    Traffic h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attemptCount("getnext"), 2); // the first walk and its retry
    EXPECT_EQ(h.text("SB_Link"), kvatest::timeoutText());
    h.type("Ed_DownLink", "50");
    h.type("Ed_UpLink", "50");
    h.click("Bt_LinkApply");
    EXPECT_EQ(h.text("SB_Link"), "Save Fail!");
    h.chooseTab("PageControl1", kManagerTab);
    h.click("Bt_TrafficApply");
    EXPECT_EQ(h.text("SB_TrafficManager"), "Save Fail!");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.page->close();
    EXPECT_FALSE(h.page->isVisible());
}

TEST(TrafficCtrlPage, AShortPeerMacLeavesThePageUsable)
{
    Traffic h(
        [](kvatest::SimulatorProcess &d) {
            multiSsidOn(d);
            EXPECT_TRUE(d.fault(QStringLiteral("short dot11RemoteApMacAddressList.1.1")));
        },
        {});
    EXPECT_EQ(h.text("Ed_DownLink"), "100");
    EXPECT_TRUE(h.page->ChBox_Up[0]->isChecked());
    h.click("Bt_LinkApply");
    EXPECT_EQ(h.text("SB_Link"), "Save OK!");
}

TEST(TrafficCtrlPage, APortTextOfThreePartsIsRefusedOnSave)
{
    Traffic h({{"dot11dot11QosState", "1"}, {"dot11QosAdvancedPriorityPort.5", "a-b-c"}});
    EXPECT_EQ(h.text("Ed_Port5L"), "a");
    EXPECT_EQ(h.text("Ed_Port5R"), "b-c");
    h.chooseTab("PageControl1", kQosTab);
    h.device.clearLog();
    h.click("Bt_QosApply");
    EXPECT_EQ(h.ui.lastMessage().text, "Invaild value for the port !");
    EXPECT_EQ(h.page->focusWidget(), h.edit("Ed_Port5L"));
    EXPECT_EQ(h.device.logCount("set"), 0);
}

} // namespace
