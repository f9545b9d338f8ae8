// The VLAN page against the simulated device: the VLAN list as the device packs it, the port
// summary behind its refresh, a new VLAN written into the first empty row, an edited one into its
// own, a delete through the row's delete column, the status save's warnings, the PVID checks and
// writes, refused writes, a silent device and values the page does not expect.
#include "CaseName.h"
#include "ErrorMapping.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "ReportListView.h"
#include "TFM_VlanSetting.h"

#include <functional>
#include <utility>

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Vlan = PageHarness<TFM_VlanSetting>;

const char kAllShown[] = "Mgmt,LAN,Primary,S-1,S-2,S-3,W-1,W-2,W-3,W-4";
const char kNoEmptyRow[] = "There is no empty entry for a new VLAN.\nPlease delete a VLAN first.";

void seed(kvatest::SimulatorProcess &d, const QString &name, const QString &value)
{
    EXPECT_TRUE(d.set(name, value)) << name.toStdString();
}

// VLAN row `row` of the device: its VID and name, every other port no member.
void vlanRow(kvatest::SimulatorProcess &d, int row, int vid, const QString &name)
{
    const QString at = QLatin1Char('.') + QString::number(row);
    seed(d, QStringLiteral("dot11GroupVlanListVid") + at, QString::number(vid));
    seed(d, QStringLiteral("dot11GroupVlanListName") + at, name);
}

// VLANs on, the device's default VLAN 1 and "voice" (VID 20: Mgmt tagged, LAN untagged) in row 2,
// a PVID of our own on the management port.
void twoVlans(kvatest::SimulatorProcess &d)
{
    seed(d, QStringLiteral("dot11VlanStatus"), QStringLiteral("1"));
    vlanRow(d, 2, 20, QStringLiteral("voice"));
    seed(d, QStringLiteral("dot11GroupVlanListMgmt.2"), QStringLiteral("1"));
    seed(d, QStringLiteral("dot11GroupVlanListLan.2"), QStringLiteral("2"));
    seed(d, QStringLiteral("dot11PvidSettingMgmt"), QStringLiteral("20"));
}

void threeVlans(kvatest::SimulatorProcess &d)
{
    twoVlans(d);
    vlanRow(d, 3, 30, QStringLiteral("cams"));
}

// VLANs on and `count` VLANs: the default one, then VID 100 + row named "v<row>".
std::function<void(kvatest::SimulatorProcess &)> vlans(int count)
{
    return [count](kvatest::SimulatorProcess &d) {
        seed(d, QStringLiteral("dot11VlanStatus"), QStringLiteral("1"));
        for (int row = 2; row <= count; ++row) {
            vlanRow(d, row, 100 + row, QStringLiteral("v") + QString::number(row));
        }
    };
}

using kvatest::faulty;

QList<QStringList> sets(Vlan &h)
{
    return h.device.requestTexts(QStringLiteral("set"));
}

QStringList row(ReportListView *list, int r)
{
    return kvatest::rowCells(list, r);
}

// A walk starts with a GET-NEXT of the bare column (no instance) under `oidTail`.
bool startsWalk(const kvatest::LoggedPdu &pdu, const QString &oidTail)
{
    return pdu.op == QLatin1String("getnext") && !pdu.bindings.isEmpty()
        && pdu.bindings.first().instance.isEmpty()
        && pdu.bindings.first().name.contains(QStringLiteral("32473.7310.") + oidTail);
}

const QString kVlanColumns = QStringLiteral("3.6.1.3.1.");
const QString kPortColumns = QStringLiteral("3.6.3.2.1.");

int walks(Vlan &h, const QString &oidTail)
{
    int n = 0;
    for (const kvatest::LoggedPdu &pdu : h.device.requests()) {
        n += startsWalk(pdu, oidTail) ? 1 : 0;
    }
    return n;
}

// Whether the port list refresh was written before the port summary's walk began.
bool refreshedBeforePortWalk(Vlan &h)
{
    bool refreshed = false;
    for (const kvatest::LoggedPdu &pdu : h.device.requests()) {
        if (pdu.op == QLatin1String("set")
            && pdu.texts() == QStringList{QStringLiteral("dot11PortListRefresh.0 = 1")}) {
            refreshed = true;
        }
        if (startsWalk(pdu, kPortColumns)) {
            return refreshed;
        }
    }
    return false;
}

// The written row: VID, name and the memberships of Mgmt to W-4 (2 untag, 1 tag, 0 none).
QStringList rowWrite(int row, const QString &vid, const QString &name, const QStringList &ports)
{
    static const char *const kPorts[] = {"Mgmt", "Lan", "Primary", "Mssid1", "Mssid2", "Mssid3",
        "Mssid4", "Mssid5", "Mssid6", "Mssid7", "Wds1", "Wds2", "Wds3", "Wds4"};
    const QString at = QLatin1Char('.') + QString::number(row);
    QStringList out{QStringLiteral("dot11GroupVlanListVid") + at + QStringLiteral(" = ") + vid,
        QStringLiteral("dot11GroupVlanListName") + at + QStringLiteral(" = ") + name};
    for (int p = 0; p < 14; ++p) {
        out.append(QStringLiteral("dot11GroupVlanList") + QLatin1String(kPorts[p]) + at
            + QStringLiteral(" = ") + ports.value(p));
    }
    return out;
}

const QStringList kAllUntagged{
    "2", "2", "2", "2", "2", "2", "2", "2", "2", "2", "2", "2", "2", "2"};

TEST(VlanPage, OpensWithTheDevicesVlansAndPortSummary)
{
    Vlan h(twoVlans, {});
    EXPECT_EQ(h.page->windowTitle(), "Advanced \\ VLAN");
    EXPECT_EQ(h.text("CB_VlanStatus"), "Enable");
    EXPECT_EQ(h.text("LB_VlanMode"), "Static");
    ASSERT_EQ(h.page->LV_VlanListUser->topLevelItemCount(), 2);
    EXPECT_EQ(row(h.page->LV_VlanListUser, 0), (QStringList{"1", "default", kAllShown, ""}));
    EXPECT_EQ(row(h.page->LV_VlanListUser, 1), (QStringList{"20", "voice", "LAN", "Mgmt"}));
    ASSERT_EQ(h.page->LV_PortListUser->topLevelItemCount(), 10);
    EXPECT_EQ(row(h.page->LV_PortListUser, 0), (QStringList{"Mgmt", "20", "1", "20"}));
    EXPECT_EQ(row(h.page->LV_PortListUser, 9), (QStringList{"W-4", "", "1", "1"}));
    EXPECT_TRUE(refreshedBeforePortWalk(h));
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_FALSE(h.page->Btn_VlanEdit->isEnabled());
    EXPECT_FALSE(h.page->Btn_VlanDelete->isEnabled());
    EXPECT_TRUE(h.page->AddButton->isEnabled());
    EXPECT_EQ(sets(h), QList<QStringList>{{"dot11PortListRefresh.0 = 1"}});

    // the port list tab asks the device for a fresh summary first
    h.device.clearLog();
    h.chooseTab("PageControl1", 1);
    EXPECT_TRUE(refreshedBeforePortWalk(h));
    EXPECT_EQ(walks(h, kPortColumns), 1);
}

TEST(VlanPage, ANewVlanLandsInTheFirstEmptyRowWithItsPorts)
{
    Vlan h(twoVlans, {});
    h.chooseTab("PageControl1", 2);
    h.type("Ed_VlanID", "30");
    h.type("Ed_VlanName", "cams");
    h.choose("RG_Lan", "Tag");
    h.choose("RG_W2", "Not Member");
    h.device.clearLog();
    h.click("AddButton");

    QStringList ports = kAllUntagged;
    ports[1] = "1";
    ports[11] = "0";
    EXPECT_EQ(
        sets(h), (QList<QStringList>{{"dot11VlanStatus.0 = 1"}, rowWrite(3, "30", "cams", ports)}));
    EXPECT_EQ(walks(h, kVlanColumns), 1); // the binding's read after the write, once
    EXPECT_EQ(h.page->PageControl1->currentIndex(), 0);
    ASSERT_EQ(h.page->LV_VlanListUser->topLevelItemCount(), 3);
    EXPECT_EQ(row(h.page->LV_VlanListUser, 2),
        (QStringList{"30", "cams", "Mgmt,Primary,S-1,S-2,S-3,W-1,W-3,W-4", "LAN"}));
    EXPECT_EQ(h.device.get("dot11GroupVlanListVid.3"), "30");
    EXPECT_EQ(h.statusText(), "Get OK!");
}

TEST(VlanPage, EditWritesTheListedVlanIntoItsOwnRow)
{
    Vlan h(threeVlans, {});
    h.clickRow("LV_VlanListUser", 1);
    EXPECT_TRUE(h.page->Btn_VlanEdit->isEnabled());
    EXPECT_TRUE(h.page->Btn_VlanDelete->isEnabled());
    h.click("Btn_VlanEdit");
    EXPECT_EQ(h.page->PageControl1->currentIndex(), 2);
    EXPECT_EQ(h.text("Ed_VlanID"), "20");
    EXPECT_FALSE(h.edit("Ed_VlanID")->isEnabled());
    EXPECT_EQ(h.text("Ed_VlanName"), "voice");
    EXPECT_EQ(h.text("RG_Mgmt"), "Tag");
    EXPECT_EQ(h.text("RG_Lan"), "Untag");
    EXPECT_EQ(h.text("RG_Primary"), "Not Member");

    h.type("Ed_VlanName", "phones");
    h.device.clearLog();
    h.click("AddButton");
    QStringList ports{"1", "2", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    EXPECT_EQ(sets(h).value(1), rowWrite(2, "20", "phones", ports));
    EXPECT_EQ(h.device.get("dot11GroupVlanListName.2"), "phones");
    EXPECT_EQ(row(h.page->LV_VlanListUser, 1), (QStringList{"20", "phones", "LAN", "Mgmt"}));
    EXPECT_EQ(h.page->LV_VlanListUser->topLevelItemCount(), 3);
}

TEST(VlanPage, DeleteWritesTheDeleteColumnAloneAndTheDeviceRepacks)
{
    Vlan h(threeVlans, {});
    h.clickRow("LV_VlanListUser", 1);
    h.device.clearLog();
    h.click("Btn_VlanDelete");
    EXPECT_EQ(h.ui.lastMessage().text, "Are you sure you want to delete voice?");
    EXPECT_EQ(h.ui.lastMessage().caption, "warning");
    EXPECT_EQ(sets(h), QList<QStringList>{{"dot11VlanListSurveydelete.2 = 1"}});
    ASSERT_EQ(h.page->LV_VlanListUser->topLevelItemCount(), 2);
    EXPECT_EQ(row(h.page->LV_VlanListUser, 1).mid(0, 2), (QStringList{"30", "cams"}));
    EXPECT_EQ(h.device.get("dot11GroupVlanListVid.2"), "30");
    EXPECT_EQ(h.device.get("dot11GroupVlanListVid.3"), "0");
}

TEST(VlanPage, DeleteCancelledSendsNothing)
{
    Vlan h(threeVlans, {});
    h.clickRow("LV_VlanListUser", 1);
    h.ui.answers = {false};
    h.device.clearLog();
    h.click("Btn_VlanDelete");
    EXPECT_EQ(h.device.logCount("set"), 0);
    EXPECT_EQ(h.page->LV_VlanListUser->topLevelItemCount(), 3);
}

// After a read the rules stop at ten VLANs; a tab change looks as far as the device's rows go.
TEST(VlanPage, TenVlansTheEditTabStillPicksRowEleven)
{
    Vlan h(vlans(10), {});
    ASSERT_EQ(h.page->LV_VlanListUser->topLevelItemCount(), 10);
    h.chooseTab("PageControl1", 2);
    h.type("Ed_VlanID", "111");
    h.type("Ed_VlanName", "eleven");
    h.device.clearLog();
    h.click("AddButton");
    EXPECT_EQ(sets(h).value(1), rowWrite(11, "111", "eleven", kAllUntagged));
    EXPECT_EQ(h.page->LV_VlanListUser->topLevelItemCount(), 11);
}

TEST(VlanPage, SixteenVlansANewOneIsRefusedUnsent)
{
    Vlan h(vlans(16), {});
    ASSERT_EQ(h.page->LV_VlanListUser->topLevelItemCount(), 16);
    h.chooseTab("PageControl1", 2);
    h.type("Ed_VlanID", "999");
    h.type("Ed_VlanName", "more");
    h.device.clearLog();
    h.click("AddButton");
    EXPECT_EQ(h.ui.lastMessage().text, kNoEmptyRow);
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.device.logCount("set"), 0);
    EXPECT_EQ(h.device.get("dot11GroupVlanListName.16"), "v16");
}

struct AddCheckCase
{
    const char *name;
    const char *vid;
    const char *vlanName;
    const char *message;
    const char *caption;
    const char *focus;
};

const AddCheckCase kAddChecks[] = {
    {"EmptyVid", "", "x", "The VID value range is 1~4094.", "Warning", "Ed_VlanID"},
    {"VidZero", "0", "x", "The VID value range is 1~4094.", "Warning", "Ed_VlanID"},
    {"VidAboveRange", "4095", "x", "The VID value range is 1~4094.", "Warning", "Ed_VlanID"},
    {"VidListed", "20", "x",
        "There is an existent entry with the same VID.\nPlease change the VID.", "Warning", ""},
    {"EmptyName", "30", "", "The Name field can not be blank.", "Warning", "Ed_VlanName"},
    {"BlanksOnly", "30", "   ", "The first character can't be blank.", "Error", "Ed_VlanName"},
};

class VlanAddCheck : public testing::TestWithParam<AddCheckCase>
{ };

TEST_P(VlanAddCheck, RefusesWithItsMessageAndSendsNothing)
{
    const AddCheckCase &c = GetParam();
    Vlan h(twoVlans, {});
    h.chooseTab("PageControl1", 2);
    h.type("Ed_VlanID", c.vid);
    h.type("Ed_VlanName", c.vlanName);
    h.device.clearLog();
    h.click("AddButton");
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, c.caption);
    if (*c.focus != '\0') {
        EXPECT_EQ(h.page->focusWidget(), h.edit(c.focus));
    }
    EXPECT_EQ(h.device.logCount("set"), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, VlanAddCheck, testing::ValuesIn(kAddChecks), kvatest::caseName);

// "0020" passes the range check and differs from "20" as a text; the device refuses the VID.
TEST(VlanPage, AVidListedUnderAnotherSpellingIsRefusedByTheDevice)
{
    Vlan h(twoVlans, {});
    h.chooseTab("PageControl1", 2);
    h.type("Ed_VlanID", "0020");
    h.type("Ed_VlanName", "dup ");
    h.device.clearLog();
    h.click("AddButton");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(h.device.logCount("set"), 2);
    EXPECT_EQ(
        h.statusText(), ErrorFromStatus(3).Message); // inconsistentValue, as version 1 says it
    EXPECT_EQ(h.device.get("dot11GroupVlanListVid.3"), "0");
    EXPECT_EQ(h.page->LV_VlanListUser->topLevelItemCount(), 2);
}

// Columns switched out for a refused write come back with it: the next add still carries its row.
TEST(VlanPage, AnAddAfterARefusedDeleteSendsTheWholeRow)
{
    Vlan h(faulty(twoVlans, "seterror dot11VlanListSurveydelete.1 genErr"), {});
    h.clickRow("LV_VlanListUser", 0);
    h.click("Btn_VlanDelete");
    EXPECT_EQ(h.statusText(), ErrorFromStatus(5).Message);
    EXPECT_EQ(h.device.get("dot11GroupVlanListVid.1"), "1");
    h.chooseTab("PageControl1", 2);
    h.type("Ed_VlanID", "40");
    h.type("Ed_VlanName", "after");
    h.device.clearLog();
    h.click("AddButton");
    EXPECT_EQ(sets(h).value(1), rowWrite(3, "40", "after", kAllUntagged));
    EXPECT_EQ(h.device.get("dot11GroupVlanListName.3"), "after");
}

struct PortRowsCase
{
    const char *name;
    bool nineRows; // the device's summary lacks its last row
    int shown;
};

const PortRowsCase kPortRows[] = {
    {"TenRowsAreListed", false, 10},
    {"NineRowsListNothing", true, 0},
};

class VlanPortRows : public testing::TestWithParam<PortRowsCase>
{ };

TEST_P(VlanPortRows, OnlyTheFullSummaryIsListed)
{
    const PortRowsCase &c = GetParam();
    Vlan h(
        [&](kvatest::SimulatorProcess &d) {
            twoVlans(d);
            if (c.nineRows) {
                for (const char *column : {"dot11PortListTagVid.10", "dot11PortListUntagVid.10",
                         "dot11PortLisPortName.10"}) {
                    EXPECT_TRUE(d.fault(QStringLiteral("nosuchname ") + QLatin1String(column)));
                }
            }
        },
        {});
    EXPECT_EQ(h.page->LV_PortListUser->topLevelItemCount(), c.shown);
    EXPECT_EQ(h.page->LV_PortList->topLevelItemCount(), c.nineRows ? 9 : 10);
    h.chooseTab("PageControl1", 1);
    EXPECT_EQ(h.page->LV_PortListUser->topLevelItemCount(), c.shown);
    EXPECT_EQ(h.statusText(), "Get OK!");
}

INSTANTIATE_TEST_SUITE_P(Cases, VlanPortRows, testing::ValuesIn(kPortRows), kvatest::caseName);

struct StatusSaveCase
{
    const char *name;
    const char *apMode;  // seeded dot11ApMode
    const char *manager; // seeded managerIpAddressStatus
    const char *chosen;  // CB_VlanStatus
    const char *message; // "" for none
    const char *apModeAfter;
    const char *managerAfter;
};

const StatusSaveCase kStatusSaves[] = {
    {"WirelessClientLimited", "4", "1", "Enable",
        "If you enable VLAN, AP Mode will be set to 'Access Point' \nand Limit Administrator "
        "Status "
        "will be disable!",
        "1", "0"},
    {"WdsUnlimited", "3", "0", "Enable",
        "If you enable VLAN, AP Mode will be set to 'Access Point'!", "1", "0"},
    {"AccessPointLimited", "1", "3", "Enable",
        "If you enable VLAN, Limit Administrator Status will be disable!", "1", "0"},
    {"WdsWithApLimited", "2", "2", "Enable", "", "2", "0"},
    {"AccessPointUnlimited", "1", "0", "Enable", "", "1", "0"},
    {"WirelessClientDisabling", "4", "1", "Disable", "", "4", "1"},
};

class VlanStatusSave : public testing::TestWithParam<StatusSaveCase>
{ };

TEST_P(VlanStatusSave, WarnsOfWhatTheDeviceChangesThenWritesTheStatus)
{
    const StatusSaveCase &c = GetParam();
    const bool enabling = QLatin1String(c.chosen) == QLatin1String("Enable");
    Vlan h({{"dot11ApMode", c.apMode}, {"managerIpAddressStatus", c.manager},
        {"dot11VlanStatus", enabling ? "0" : "1"}});
    h.choose("CB_VlanStatus", c.chosen);
    h.device.clearLog();
    h.click("Btn_Save");
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    if (*c.message != '\0') {
        EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    }
    EXPECT_EQ(sets(h),
        (QList<QStringList>{{QStringLiteral("dot11VlanStatus.0 = ")
            + (enabling ? QStringLiteral("1") : QStringLiteral("0"))}}));
    EXPECT_EQ(h.device.get("dot11ApMode"), c.apModeAfter);
    EXPECT_EQ(h.device.get("managerIpAddressStatus"), c.managerAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, VlanStatusSave, testing::ValuesIn(kStatusSaves), kvatest::caseName);

struct PvidCheckCase
{
    const char *name;
    const char *edit;
    const char *typed;
};

const PvidCheckCase kPvidChecks[] = {
    {"EmptyMgmt", "Ed_PvidMgmt", ""},
    {"ZeroLan", "Ed_PvidLan", "0"},
    {"AboveRangeS3", "Ed_PvidMssidS3", "4095"},
    {"LettersW4", "Ed_PvidWdsW4", "4a"},
};

class VlanPvidCheck : public testing::TestWithParam<PvidCheckCase>
{ };

TEST_P(VlanPvidCheck, RefusesResetsTheEditToOneAndSendsNothing)
{
    const PvidCheckCase &c = GetParam();
    Vlan h(twoVlans, {});
    h.chooseTab("PageControl1", 3);
    h.type(c.edit, c.typed);
    h.device.clearLog();
    h.click("Btn_PvidApply");
    EXPECT_EQ(h.ui.lastMessage().text, "The VID value range is 1~4094.");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.text(c.edit), "1");
    EXPECT_EQ(h.page->focusWidget(), h.edit(c.edit));
    EXPECT_EQ(h.device.logCount("set"), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, VlanPvidCheck, testing::ValuesIn(kPvidChecks), kvatest::caseName);

TEST(VlanPage, PvidSaveWritesTheTenPortsAndFillsThePortList)
{
    Vlan h(twoVlans, {});
    h.chooseTab("PageControl1", 3);
    EXPECT_TRUE(h.edit("Ed_PvidMssidS2")->isEnabled());
    h.type("Ed_PvidMssidS2", "300");
    h.device.clearLog();
    h.click("Btn_PvidApply");
    const QList<QStringList> written = sets(h);
    ASSERT_EQ(written.size(), 3);
    EXPECT_EQ(written[0], QStringList{"dot11VlanStatus.0 = 1"});
    EXPECT_EQ(written[1], QStringList{"dot11PvidAutoAssignStatus.0 = 0"});
    EXPECT_EQ(written[2].size(), 10); // S-4 to S-7 and W-5 to W-8 have no edit
    EXPECT_TRUE(written[2].contains("dot11PvidSettingMssid2.1 = 300"));
    EXPECT_EQ(h.device.get("dot11PvidSettingMssid2"), "300");
    EXPECT_EQ(h.statusText(), "Set OK!");
    EXPECT_EQ(h.page->LV_PortListUser->cell(4, 3), "300");
}

// A refused write is said as such, with or without the automatic assignment.
struct PvidRefusedCase
{
    const char *name;
    bool automatic;
};

const PvidRefusedCase kPvidRefused[] = {
    {"AutoAssignDisabled", false},
    {"AutoAssignEnabled", true},
};

class VlanPvidRefused : public testing::TestWithParam<PvidRefusedCase>
{ };

TEST_P(VlanPvidRefused, ShowsSetError)
{
    const bool automatic = GetParam().automatic;
    Vlan h(
        [&](kvatest::SimulatorProcess &d) {
            twoVlans(d);
            seed(d, QStringLiteral("dot11PvidAutoAssignStatus"),
                automatic ? QStringLiteral("1") : QStringLiteral("0"));
            EXPECT_TRUE(d.fault(QStringLiteral("seterror dot11PvidAutoAssignStatus genErr")));
        },
        {});
    EXPECT_EQ(h.edit("Ed_PvidLan")->isEnabled(), !automatic);
    h.chooseTab("PageControl1", 3);
    h.click("Btn_PvidApply");
    EXPECT_EQ(h.statusText(), "Set Error!");
    EXPECT_EQ(h.device.get("dot11PvidAutoAssignStatus"), automatic ? "1" : "0");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VlanPvidRefused, testing::ValuesIn(kPvidRefused), kvatest::caseName);

TEST(VlanPage, VlansOffLeaveNothingToEditUntilEdit)
{
    Vlan h([](kvatest::SimulatorProcess &d) { vlanRow(d, 2, 20, QStringLiteral("voice")); }, {});
    EXPECT_EQ(h.text("CB_VlanStatus"), "Disable");
    EXPECT_FALSE(h.page->AddButton->isEnabled());
    EXPECT_FALSE(h.edit("Ed_VlanID")->isEnabled());
    EXPECT_FALSE(h.edit("Ed_PvidMgmt")->isEnabled());
    h.clickRow("LV_VlanListUser", 1);
    h.click("Btn_VlanEdit");
    // switched on for the edit, written with the next save
    EXPECT_EQ(h.text("CB_VlanStatus"), "Enable");
    EXPECT_EQ(h.device.get("dot11VlanStatus"), "0");
    EXPECT_TRUE(h.page->AddButton->isEnabled());
    EXPECT_EQ(h.text("Ed_VlanID"), "20");                     // the loaded VLAN stays
    EXPECT_FALSE(h.page->RG_Port[2]->button(1)->isEnabled()); // the SSIDs are never tagged
}

TEST(VlanPage, DynamicModeLocksEditing)
{
    Vlan h({{"dot11VlanStatus", "1"}, {"dot11VlanMode", "1"}});
    EXPECT_EQ(h.text("LB_VlanMode"), "Dynamic");
    EXPECT_FALSE(h.page->AddButton->isEnabled());
    EXPECT_FALSE(h.combo("CB_PvidAutoStatus")->isEnabled());
    EXPECT_FALSE(h.edit("Ed_PvidLan")->isEnabled());
    EXPECT_FALSE(h.page->Btn_VlanPortUntagAll->isEnabled());
}

TEST(VlanPage, SilentDeviceOpensWithTheTimeOutAndCloses)
{
    Vlan h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attemptCount("get"), 4); // the mode read beside the first blocking one
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    h.device.clearLog();
    h.click("Btn_Save");
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_EQ(h.device.attemptCount("set"), 0);
    h.page->close();
    EXPECT_FALSE(h.page->isVisible());
}

TEST(VlanPage, AMembershipWithoutTextIsNoMember)
{
    Vlan h(
        [](kvatest::SimulatorProcess &d) {
            twoVlans(d);
            seed(d, QStringLiteral("dot11GroupVlanListMgmt.1"), QStringLiteral("7"));
        },
        {});
    ASSERT_EQ(h.page->LV_VlanListUser->topLevelItemCount(), 2);
    EXPECT_EQ(h.page->LV_VlanListUser->cell(0, 2), "LAN,Primary,S-1,S-2,S-3,W-1,W-2,W-3,W-4");
    h.clickRow("LV_VlanListUser", 0);
    h.click("Btn_VlanEdit");
    EXPECT_EQ(h.text("RG_Mgmt"), "Not Member");
}

TEST(VlanPage, AVidOfTheWrongTypeStopsTheListNotThePage)
{
    Vlan h(faulty(twoVlans, "wrongtype dot11GroupVlanListVid.1"), {});
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(h.page->LV_VlanListUser->topLevelItemCount(), 0); // the walk that met it failed
    EXPECT_EQ(h.page->LV_PortListUser->topLevelItemCount(), 10);
    h.chooseTab("PageControl1", 3);
    h.click("Btn_PvidApply");
    EXPECT_EQ(h.statusText(), "Set OK!");
    h.page->close();
    EXPECT_FALSE(h.page->isVisible());
}

} // namespace
