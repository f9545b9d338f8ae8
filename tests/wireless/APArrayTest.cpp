// The AP array page against the simulated device: the array settings and role, the members and
// the arrays a scan finds, the three writes of Save in order, the name checks, an access point in
// another mode, a refused scan, a silent device and a member address of the wrong type.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "ReportListView.h"
#include "TFM_APArray.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Array = PageHarness<TFM_APArray>;

constexpr int kFlags = int(TFM_APArray::kSyncFlags);

QList<QStringList> rows(ReportListView *list)
{
    QList<QStringList> out;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column) {
            cells.append(list->cell(row, column));
        }
        out.append(cells);
    }
    return out;
}

QList<QStringList> sets(Array &h)
{
    return h.device.requestTexts(QStringLiteral("set"));
}

// A backup master of its own array, the band and QoS kept in step as well.
const Array::Seeds kSeeds = {{"dot11APArrayModeSelect", "2"}, {"dot11ApArrayName", "Lab-Array"},
    {"dot11ApArrayPassword", "lab-pass"}, {"dot11APArraySyncBandStatus", "1"},
    {"dot11APArraySyncQOSStatus", "1"}, {"dot11APArraySyncSSIDStatus", "0"}};

TEST(APArrayPage, OpensWithTheArrayItsRoleAndMembers)
{
    Array h(kSeeds);
    EXPECT_EQ(h.page->windowTitle(), "Advanced \\  AP Array");
    EXPECT_TRUE(h.page->Chk_APArray->isChecked());
    EXPECT_EQ(h.text("Ed_APArrayName"), "Lab-Array");
    EXPECT_EQ(h.text("RadioGroup1"), "Backup Master");
    EXPECT_EQ(h.page->Ed_APArrayPW->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(h.page->Bt_Scan->isEnabled());
    EXPECT_EQ(rows(h.page->LV_CurrentMem),
        (QList<QStringList>{{"1", "Master", "127.0.0.1", "001A2B3C4D5E", "Lobby"},
            {"2", "Slave", "127.0.0.2", "001A2B3C4D60", "Hall"}}));
    EXPECT_EQ(h.text("Lb_ConnectStatus"), "Connect");
    EXPECT_EQ(h.page->LV_ApArrayListUser->topLevelItemCount(), 0); // until a scan
    EXPECT_FALSE(h.page->SyncBox[0]->isChecked());                 // SSID
    EXPECT_TRUE(h.page->SyncBox[1]->isChecked());                  // SSID visibility
    EXPECT_TRUE(h.page->SyncBox[19]->isChecked());                 // QoS
    EXPECT_FALSE(h.page->SyncBox[20]->isChecked());                // VLAN
    EXPECT_TRUE(h.page->SyncBox[32]->isChecked());                 // band
    EXPECT_EQ(h.page->PC_ParameterSet->count(), 5);
    EXPECT_EQ(h.device.logCount("set"), 0);
}

// Only an access point joins an array: in any other mode the array is off and Save says so.
TEST(APArrayPage, AnotherModeTurnsTheArrayOff)
{
    Array h({{"dot11ApMode", "3"}, {"dot11APArrayStatus", "1"}});
    EXPECT_FALSE(h.page->Chk_APArray->isChecked());
    EXPECT_FALSE(h.page->Chk_APArray->isEnabled());
    for (const char *name : {"Ed_APArrayName", "Ed_APArrayPW", "RadioGroup1", "Bt_Scan",
             "Btn_Clearall", "PC_ParameterSet"}) {
        EXPECT_FALSE(h.find<QWidget>(name)->isEnabled()) << name;
    }
    h.device.clearLog();
    h.click("Bt_ArraySave");
    const QList<QStringList> written = sets(h);
    ASSERT_FALSE(written.isEmpty());
    EXPECT_EQ(written[0].value(0), "dot11APArrayStatus.0 = 0");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11APArrayStatus")), "0");
}

TEST(APArrayPage, TheCheckBoxEnablesTheArraysControls)
{
    Array h(kSeeds);
    h.check("Chk_APArray");
    for (const char *name : {"Ed_APArrayName", "Ed_APArrayPW", "RadioGroup1", "Bt_Scan",
             "Btn_Clearall", "PC_ParameterSet"}) {
        EXPECT_FALSE(h.find<QWidget>(name)->isEnabled()) << name;
    }
    h.check("Chk_APArray");
    EXPECT_TRUE(h.page->Bt_Scan->isEnabled());
    EXPECT_TRUE(h.page->Ed_APArrayName->isEnabled());
}

TEST(APArrayPage, ADisabledScanKeepsScanDisabled)
{
    Array h({{"dot11ApArrayScanStatus", "0"}});
    EXPECT_TRUE(h.page->Chk_APArray->isChecked());
    EXPECT_FALSE(h.page->Bt_Scan->isEnabled());
    EXPECT_TRUE(h.page->Ed_APArrayName->isEnabled());
}

// Save: the array settings, the scan list's empty write (and its read), the 33 flags, in order.
TEST(APArrayPage, SaveSendsTheArrayTheEmptyWriteAndTheFlags)
{
    Array h(kSeeds);
    h.choose("RadioGroup1", "Slave");
    h.type("Ed_APArrayName", "Hall-Array");
    h.type("Ed_APArrayPW", "new-pass");
    h.click("Btn_Clearall");
    h.check("chk_Band");
    h.device.clearLog();
    h.click("Bt_ArraySave");
    EXPECT_EQ(h.statusText(), "Save OK!");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    const QList<QStringList> written = sets(h);
    ASSERT_EQ(written.size(), 3);
    EXPECT_EQ(written[0],
        (QStringList{"dot11APArrayStatus.0 = 1", "dot11APArrayModeSelect.0 = 3",
            "dot11ApArrayName.0 = Hall-Array", "dot11ApArrayPassword.0 = new-pass"}));
    EXPECT_TRUE(written[1].isEmpty());
    ASSERT_EQ(written[2].size(), kFlags);
    EXPECT_EQ(written[2].first(), "dot11APArraySyncSSIDStatus.1 = 0");
    EXPECT_EQ(written[2].last(), "dot11APArraySyncBandStatus.1 = 1");
    for (int flag = 1; flag < kFlags - 1; ++flag) {
        EXPECT_TRUE(written[2][flag].endsWith(QLatin1String(" = 0"))) << flag;
    }
    // the empty write is followed by the scan list's read, and the list is walked blocking
    const QList<kvatest::LoggedPdu> all = h.device.requests();
    int emptySet = -1;
    for (int i = 0; i < all.size(); ++i) {
        if (all[i].op == QLatin1String("set") && all[i].bindings.isEmpty()) {
            emptySet = i;
        }
    }
    ASSERT_GE(emptySet, 0);
    ASSERT_LT(emptySet + 1, all.size());
    EXPECT_EQ(all[emptySet + 1].op, "getnext");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11APArrayModeSelect")), "3");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11ApArrayPassword")), "new-pass");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11APArraySyncBandStatus")), "1");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11APArraySyncSsidHiddenStatus")), "0");
}

TEST(APArrayPage, AnEmptyPasswordStaysOutOfTheWrite)
{
    Array h(kSeeds);
    h.type("Ed_APArrayPW", "");
    h.device.clearLog();
    h.click("Bt_ArraySave");
    EXPECT_EQ(h.statusText(), "Save OK!");
    const QList<QStringList> written = sets(h);
    ASSERT_FALSE(written.isEmpty());
    EXPECT_EQ(written[0],
        (QStringList{"dot11APArrayStatus.0 = 1", "dot11APArrayModeSelect.0 = 2",
            "dot11ApArrayName.0 = Lab-Array"}));
    EXPECT_EQ(h.device.get(QStringLiteral("dot11ApArrayPassword")), "lab-pass");
    // for that write only: a password typed afterwards goes again
    h.type("Ed_APArrayPW", "later");
    h.device.clearLog();
    h.click("Bt_ArraySave");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11ApArrayPassword")), "later");
}

struct NameCase
{
    const char *name;
    const char *typed;
    const char *message;
    const char *caption;
};

const NameCase kNames[] = {
    {"Empty", "", "The AP Array Name field can not be blank.", "Warning"},
    {"LeadingBlank", " array", "The first character can't be blank.", "Error"},
};

class APArrayName : public testing::TestWithParam<NameCase>
{ };

TEST_P(APArrayName, IsRefusedBeforeAnythingIsSent)
{
    const NameCase &c = GetParam();
    Array h(kSeeds);
    h.type("Ed_APArrayName", c.typed);
    h.device.clearLog();
    h.click("Bt_ArraySave");
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, c.caption);
    EXPECT_EQ(h.page->focusWidget(), h.edit("Ed_APArrayName"));
    EXPECT_EQ(h.device.logCount("set"), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, APArrayName, testing::ValuesIn(kNames), kvatest::caseName);

struct RefusedCase
{
    const char *name;
    const char *fault;
};

const RefusedCase kRefused[] = {
    {"ArraySettings", "seterror dot11ApArrayName genErr"},
    {"Flags", "seterror dot11APArraySyncBandStatus genErr"},
};

class APArrayRefusedSave : public testing::TestWithParam<RefusedCase>
{ };

// Every write is tried; one refused is a failed save.
TEST_P(APArrayRefusedSave, SaysSaveFail)
{
    const RefusedCase &c = GetParam();
    Array h(kSeeds);
    ASSERT_TRUE(h.device.fault(QLatin1String(c.fault)));
    h.device.clearLog();
    h.click("Bt_ArraySave");
    EXPECT_EQ(h.statusText(), "Save fail!");
    EXPECT_EQ(h.device.logCount("set"), 3);
}

INSTANTIATE_TEST_SUITE_P(Cases, APArrayRefusedSave, testing::ValuesIn(kRefused), kvatest::caseName);

// A scan rebuilds both lists from what the device finds; rows without a role are no members.
TEST(APArrayPage, ScanListsTheArraysAndTheMembers)
{
    Array h(kSeeds);
    ASSERT_TRUE(h.device.source(QStringLiteral("arrays clear")));
    ASSERT_TRUE(h.device.source(QStringLiteral(
        "arrays add 0011AA000001 name=North ip=10.0.0.1 masters=1 backups=1 slaves=3")));
    ASSERT_TRUE(h.device.source(QStringLiteral("arrays add 0011AA000002 name=South ip=10.0.0.2")));
    ASSERT_TRUE(h.device.source(QStringLiteral("members clear")));
    ASSERT_TRUE(h.device.source(
        QStringLiteral("members add 0011AA000011 role=Masterbackup ip=10.0.0.11 location=Roof")));
    h.device.clearLog();
    h.click("Bt_Scan");
    EXPECT_EQ(sets(h), QList<QStringList>{{"dot11ApArrayScan.0 = 1"}});
    EXPECT_EQ(rows(h.page->LV_ApArrayListUser),
        (QList<QStringList>{{"North", "10.0.0.1", "0011AA000001", "1", "1", "3", "5"},
            {"South", "10.0.0.2", "0011AA000002", "1", "0", "0", "1"}}));
    EXPECT_EQ(rows(h.page->LV_CurrentMem),
        (QList<QStringList>{{"1", "Masterbackup", "10.0.0.11", "0011AA000011", "Roof"}}));
    EXPECT_EQ(h.text("Lb_ConnectStatus"), "Connect");
    EXPECT_TRUE(h.page->Bt_Scan->isEnabled());

    ASSERT_TRUE(h.device.source(QStringLiteral("members clear")));
    h.click("Bt_Scan");
    EXPECT_EQ(h.page->LV_CurrentMem->topLevelItemCount(), 0);
    EXPECT_EQ(h.text("Lb_ConnectStatus"), "Disconnect");
}

// The device lists a slot without a role: it is left out and the members are numbered from 1.
TEST(APArrayPage, AMemberWithoutARoleIsLeftOut)
{
    Array h({{"dot11APArrayMeberListRole.1", "0"}});
    EXPECT_EQ(rows(h.page->LV_CurrentMem),
        (QList<QStringList>{{"1", "Slave", "127.0.0.2", "001A2B3C4D60", "Hall"}}));
    EXPECT_EQ(h.text("Lb_ConnectStatus"), "Connect");
}

TEST(APArrayPage, ARefusedScanSaysWhyAndKeepsTheLists)
{
    Array h(kSeeds);
    h.click("Bt_Scan");
    const QList<QStringList> arrays = rows(h.page->LV_ApArrayListUser);
    ASSERT_FALSE(arrays.isEmpty());
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror dot11ApArrayScan genErr")));
    h.click("Bt_Scan");
    EXPECT_TRUE(h.statusText().contains(QLatin1String("General Error")))
        << h.statusText().toStdString();
    EXPECT_EQ(rows(h.page->LV_ApArrayListUser), arrays);
    EXPECT_TRUE(h.page->Bt_Scan->isEnabled());
}

// A slow device: no second scan and no save while the scan and its lists are out.
TEST(APArrayPage, ScanAndSaveWaitForTheScanToEnd)
{
    Array h(kSeeds);
    ASSERT_TRUE(h.device.fault(QStringLiteral("delay 200")));
    h.page->Bt_Scan->click();
    EXPECT_FALSE(h.page->Bt_Scan->isEnabled());
    EXPECT_FALSE(h.page->Bt_ArraySave->isEnabled());
    h.waitIdle();
    EXPECT_TRUE(h.page->Bt_Scan->isEnabled());
    EXPECT_TRUE(h.page->Bt_ArraySave->isEnabled());
    EXPECT_EQ(h.device.logCount("set"), 1);
}

TEST(APArrayPage, AMemberAddressOfTheWrongTypeIsAnErrorText)
{
    Array h(
        [](kvatest::SimulatorProcess &d) {
            EXPECT_TRUE(d.fault(QStringLiteral("wrongtype dot11APArrayMeberListIP.1")));
        },
        {});
    EXPECT_FALSE(h.statusText().isEmpty());
    EXPECT_EQ(h.text("Lb_ConnectStatus"), "Disconnect");
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

TEST(APArrayPage, SilentDeviceOpensWithTheTimeOutAndSaveFails)
{
    Array h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attemptCount("get"), 2); // the array read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    h.click("Bt_ArraySave");
    EXPECT_EQ(h.statusText(), "Save fail!");
    EXPECT_TRUE(h.page->Bt_ArraySave->isEnabled());
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

} // namespace
