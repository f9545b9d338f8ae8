// The binding against the device simulator, over real device objects: what the device holds is
// checked through the simulator's control channel, and the faults it can be told to show (values
// outside an option list, silence mid-walk, wrong types, short values) come through the pages'
// own path to the message target.
//
// One simulator serves the whole executable; every case leaves the device as it found it.
#include "CaseName.h"
#include "QtPrinters.h"
#include "RecordingUi.h"
#include "SimulatorProcess.h"
#include "SnmpInit.h"
#include "VtOptionList.h"
#include "VtSNMPDevice.h"
#include "VtSNMPRequest2Edits.h"
#include "WaitUntil.h"

#include <memory>
#include <vector>

#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

#define PRODUCT       "1.3.6.1.4.1.32473.7310"
#define WLAN          PRODUCT ".2.1.3.3.1.1.1"
#define SCHEDULE      PRODUCT ".3.10.1.2"
#define SCHEDULE_LIST PRODUCT ".3.10.2.1.1"
#define ARP_LIST      PRODUCT ".3.15.2.4.1"

const VtOptionList kDisableEnable{{0, "Disable"}, {1, "Enable"}};
const VtOptionList kNodeStatus{{0, "disable"}, {1, "enable"}};
const VtOptionList kSsids{{0, "Primary SSID"}, {1, "SSID1"}, {2, "SSID2"}, {3, "SSID3"}};

// The system texts and the radio's SSID objects, each named with its instance.
const UISnmpVar kIdentity[] = {
    {"1.3.6.1.2.1.1.4.0", "sysContact", synDisplayString, vfRead | vfWrite},
    {"1.3.6.1.2.1.1.5.0", "sysName", synDisplayString, vfRead | vfWrite},
    {"1.3.6.1.2.1.1.6.0", "sysLocation", synDisplayString, vfRead | vfWrite},
    {WLAN ".1.1", "dot11Ssid", synDisplayString, vfRead | vfWrite},
    {WLAN ".2.1", "dot11SsidBroadcast", synInteger, vfRead | vfWrite, &kDisableEnable},
    {nullptr},
};
const char *const kIdentityNames[] = {
    "sysContact", "sysName", "sysLocation", "dot11Ssid", "dot11SsidBroadcast"};
constexpr int kBroadcast = 4;

// The schedule rule list: four fixed slots, an empty slot has an empty name; only the node status
// is written from the list.
const UISnmpVar kRuleList[] = {
    {" ", "Index", synInteger, vfKey},
    {SCHEDULE_LIST ".2", "Name", synDisplayString, vfRead},
    {SCHEDULE_LIST ".6", "SSID", synInteger, vfRead, &kSsids},
    {SCHEDULE_LIST ".8", "Node", synInteger, vfRead | vfWrite, &kNodeStatus},
    {nullptr},
};
constexpr int kNode = 3;

// The schedule rule command group: the fields, then the action (0 delete, 1 add).
const UISnmpVar kRuleCommand[] = {
    {SCHEDULE ".1", "dot11ScheduleRuleName", synDisplayString, vfRead | vfWrite},
    {SCHEDULE ".8", "dot11ScheduleSSIDIndex", synInteger, vfRead | vfWrite, &kSsids},
    {SCHEDULE ".9", "dot11ScheduleNodeStatus", synInteger, vfRead | vfWrite},
    {SCHEDULE ".7", "dot11ScheduleAction", synInteger, vfWrite},
    {nullptr},
};
constexpr int kAction = 3;

// The AP array's scan list: nothing in it is writable.
const UISnmpVar kScanList[] = {
    {" ", "Index", synInteger, vfKey},
    {PRODUCT ".3.11.1.2.1.3.1.1.2", "Array Name", synDisplayString, vfRead},
    {PRODUCT ".3.11.1.2.1.3.1.1.3", "Master IP", synIpAddress, vfRead},
    {nullptr},
};

const QStringList kDefaultRules{"1,office,Primary SSID,enable", "2,,Primary SSID,disable",
    "3,,Primary SSID,disable", "4,,Primary SSID,disable"};

QStringList rowsOf(const QTreeWidget *list)
{
    QStringList rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c) {
            cells.append(list->topLevelItem(r)->text(c));
        }
        rows.append(cells.join(u','));
    }
    return rows;
}

// The simulator for the whole executable: started before the first case, ended after the last.
class SimulatorEnvironment : public testing::Environment
{
public:
    void SetUp() override
    {
        kvatest::SimulatorProcess::Options options;
        options.startNow = false;
        device = std::make_unique<kvatest::SimulatorProcess>(options);
        started = device->start();
    }

    void TearDown() override { device.reset(); }

    static inline std::unique_ptr<kvatest::SimulatorProcess> device;
    static inline bool started = false;
};

[[maybe_unused]] const testing::Environment *const kEnvironment =
    testing::AddGlobalTestEnvironment(new SimulatorEnvironment);

class BindingSimulator : public testing::Test
{
protected:
    kvatest::SimulatorProcess &device() { return *SimulatorEnvironment::device; }

    void SetUp() override
    {
        ASSERT_TRUE(SimulatorEnvironment::started) << device().errorText().toStdString();
        ASSERT_TRUE(device().fault("clear"));
        device().clearLog();
        ASSERT_TRUE(m_state.isValid());
        SnmpInit(m_state.path());
        SnmpDevice().Host = device().address();
        SnmpDevice().Port = device().port();
        SnmpSecurity().Version = 1;
        SnmpSecurity().ReadCommunity = QStringLiteral("mirtal");
        SnmpSecurity().WriteCommunity = QStringLiteral("solvane");
        page = std::make_unique<QWidget>();
        status = new QStatusBar(page.get());
        list = new QTreeWidget(page.get());
    }

    void TearDown() override
    {
        ui.onProcessEvents = nullptr;
        device().fault("clear");
        kvatest::waitUntil([] { return VtSNMPRequest2Controls::deferredRequestCount() == 0; });
    }

    template <typename T = VtSNMPRequest2Edits>
    std::unique_ptr<T> makeRequest(const UISnmpVar *table, unsigned char type, int keys = 0)
    {
        auto req = std::make_unique<T>(page.get());
        req->Request.Vars = VtSNMPVarList(table, type, keys);
        req->Request.Timeout = 100;
        req->Request.Retries = 0;
        req->Async = false;
        req->SetMessageTarget(status);
        return req;
    }

    // The rule list with its node status combo, as the schedule page binds them.
    std::unique_ptr<VtSNMPRequest2Edits> ruleListRequest(QComboBox *node)
    {
        auto req = makeRequest(kRuleList, itTableSelect, 1);
        req->BindListView(list, true);
        req->BindCombo(kNode, node);
        return req;
    }

    // Failures reach the status bar the way pages route them: the request's error handler.
    void showErrorsInStatus(VtSNMPRequest2Edits &req)
    {
        VtSNMPRequest2Edits *r = &req;
        req.Request.OnError = [this, r](const VtSNMPError &e) {
            codes.push_back(e.Code);
            r->ShowGetError(e);
        };
    }

    QTemporaryDir m_state;
    kvatest::RecordingUi ui;
    std::unique_ptr<QWidget> page;
    QStatusBar *status = nullptr;
    QTreeWidget *list = nullptr;
    std::vector<int> codes;
};

TEST_F(BindingSimulator, DeviceTextsAndOptionValuesAreShownAndWrittenBack)
{
    QStringList original;
    for (const char *name : kIdentityNames) {
        original.append(device().get(QLatin1String(name)));
    }
    auto req = makeRequest(kIdentity, itInstance);
    std::vector<QLineEdit *> edits;
    for (int i = 0; i < kBroadcast; ++i) {
        edits.push_back(new QLineEdit(page.get()));
        req->BindFormat(i, "%s", edits.back());
    }
    auto *broadcast = new QComboBox(page.get());
    req->BindCombo(kBroadcast, broadcast);

    ASSERT_TRUE(req->Get());
    for (int i = 0; i < kBroadcast; ++i) {
        EXPECT_EQ(edits[std::size_t(i)]->text(), original[i]) << kIdentityNames[i];
    }
    EXPECT_EQ(broadcast->currentText(), original[kBroadcast] == "1" ? "Enable" : "Disable");

    const QStringList written{"noc@example.net", "AP-Lab", "Rack 4", "Lab-WLAN", "0"};
    for (int i = 0; i < kBroadcast; ++i) {
        edits[std::size_t(i)]->setText(written[i]);
    }
    broadcast->setCurrentIndex(0);
    ASSERT_TRUE(req->Set());
    for (int i = 0; i <= kBroadcast; ++i) {
        EXPECT_EQ(device().get(QLatin1String(kIdentityNames[i])), written[i]) << kIdentityNames[i];
    }

    // A value the device should not hold: shown raw in the variable, the combo left unselected.
    ASSERT_TRUE(device().set("dot11SsidBroadcast", "7"));
    ASSERT_TRUE(req->Get());
    EXPECT_EQ(req->Request.Vars.Var(kBroadcast).Value, "7");
    EXPECT_EQ(broadcast->currentIndex(), -1);
    EXPECT_EQ(edits[3]->text(), "Lab-WLAN") << "the other bindings are filled all the same";

    // Writing the page back without touching the combo must not turn the value into an option.
    device().clearLog();
    EXPECT_FALSE(req->Set()) << "the device refuses 7";
    EXPECT_EQ(device().get("dot11SsidBroadcast"), "7");
    const QString sent = device().log().join(u' ');
    EXPECT_TRUE(sent.contains("dot11SsidBroadcast.1=7")) << sent.toStdString();

    // Choosing an option again writes its number.
    broadcast->setCurrentIndex(1);
    ASSERT_TRUE(req->Set());
    EXPECT_EQ(device().get("dot11SsidBroadcast"), "1");

    for (int i = 0; i <= kBroadcast; ++i) {
        device().set(QLatin1String(kIdentityNames[i]), original[i]);
    }
}

TEST_F(BindingSimulator, FixedSizeTableRowsAndTheSelectedRowWrittenBack)
{
    auto *node = new QComboBox(page.get());
    auto req = ruleListRequest(node);
    ASSERT_TRUE(req->Get());
    EXPECT_EQ(req->RecordCount, 4) << "every slot is served, the empty ones too";
    EXPECT_EQ(rowsOf(list), kDefaultRules);
    EXPECT_FALSE(node->isEnabled()) << "disabled until a row is selected";

    list->topLevelItem(0)->setSelected(true);
    EXPECT_TRUE(node->isEnabled());
    EXPECT_EQ(node->currentText(), "enable");
    node->setCurrentIndex(0);
    device().clearLog();
    ASSERT_TRUE(req->Set());
    EXPECT_EQ(device().get("dot11ScheduleListNodeStatus.1"), "0");
    EXPECT_EQ(device().get("dot11ScheduleListNodeStatus.2"), "0") << "only the selected row";
    EXPECT_EQ(device().logCount("set"), 1);
    EXPECT_GT(device().logCount("getnext"), 0) << "the table is read again after the write";
    EXPECT_EQ(rowsOf(list).value(0), "1,office,Primary SSID,disable");
    EXPECT_FALSE(node->isEnabled());

    // Without the refresh the list stays as it was and the device sees nothing but the write.
    list->topLevelItem(0)->setSelected(true);
    node->setCurrentIndex(1);
    device().clearLog();
    ASSERT_TRUE(req->Set(false));
    EXPECT_EQ(device().get("dot11ScheduleListNodeStatus.1"), "1");
    EXPECT_EQ(device().logCount("set"), 1);
    EXPECT_EQ(device().logCount("getnext"), 0);
    EXPECT_EQ(rowsOf(list).value(0), "1,office,Primary SSID,disable");
    EXPECT_FALSE(req->RefreshAfterSet);
}

TEST_F(BindingSimulator, CommandGroupAddsAndDeletesARule)
{
    auto command = makeRequest(kRuleCommand, itScalars);
    auto *name = new QLineEdit(page.get());
    auto *ssid = new QComboBox(page.get());
    command->BindFormat(0, "%s", name);
    command->BindCombo(1, ssid);
    // The action goes with the collected fields in one write.
    auto send = [&](const char *action) {
        command->CollectControls(-1);
        command->Request.Vars.Var(2).Value = "1";
        command->Request.Vars.Var(kAction).Value = QLatin1String(action);
        return command->Set(false, false);
    };

    name->setText("lab");
    ssid->setCurrentIndex(2);
    ASSERT_TRUE(send("1"));
    EXPECT_EQ(device().get("dot11ScheduleListName.2"), "lab");
    EXPECT_EQ(device().get("dot11ScheduleListSSIDIndex.2"), "2");
    EXPECT_EQ(device().get("dot11ScheduleListNodeStatus.2"), "1");

    auto *node = new QComboBox(page.get());
    auto rules = ruleListRequest(node);
    ASSERT_TRUE(rules->Get());
    QStringList withLab = kDefaultRules;
    withLab[1] = "2,lab,SSID2,enable";
    EXPECT_EQ(rowsOf(list), withLab);

    // The device finds the rule to delete by its SSID; the slot is left empty.
    name->clear();
    ASSERT_TRUE(send("0"));
    EXPECT_EQ(device().get("dot11ScheduleListName.2"), "");
    ASSERT_TRUE(rules->Get());
    EXPECT_EQ(rowsOf(list), kDefaultRules);
}

// A table that holds nothing writable (the AP array's scan list): its write is one SET without
// bindings, which the device answers, and the read after it.
TEST_F(BindingSimulator, AWriteOfNothingWritableIsOneEmptySetThenTheRead)
{
    auto req = makeRequest(kScanList, itTable, 1);
    req->BindListView(list, false);
    ASSERT_TRUE(req->Set());
    const QList<kvatest::LoggedPdu> pdus = device().requests();
    ASSERT_FALSE(pdus.isEmpty());
    EXPECT_EQ(pdus.first().op, "set");
    EXPECT_TRUE(pdus.first().bindings.isEmpty());
    EXPECT_EQ(device().logCount("set"), 1);
    EXPECT_GE(device().logCount("getnext"), 1);
    EXPECT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "KVA-Array");
}

TEST_F(BindingSimulator, ReadAskedForDuringAWalkStartsAfterIt)
{
    auto *node = new QComboBox(page.get());
    auto req = ruleListRequest(node);
    req->Async = true;
    ASSERT_TRUE(device().fault("delay 20")); // the walk spans several event ticks
    QList<QStringList> seen;
    req->OnGetDone = [&](VtSNMPRequest2Controls *, const VtSNMPError &e) {
        EXPECT_EQ(e.Code, 0);
        seen.append(rowsOf(list));
    };
    bool asked = false;
    ui.onProcessEvents = [&] {
        if (!asked && list->topLevelItemCount() == 2) {
            asked = true;
            EXPECT_TRUE(req->Get());
        }
    };
    EXPECT_TRUE(req->Get());
    ASSERT_TRUE(kvatest::waitUntil([&] { return seen.size() == 2 && !req->Busy; }, 30000));
    EXPECT_TRUE(asked);
    EXPECT_EQ(seen, QList<QStringList>({kDefaultRules, kDefaultRules}));

    // On the wire: the first walk runs to its end before the second begins at the table's start.
    QStringList starts;
    for (const QString &line : device().log()) {
        const QStringList words = line.split(u' ');
        if (words.value(1) == "getnext") {
            // the walk's first request names the column itself, the others the row before
            starts.append(words.value(4) == SCHEDULE_LIST ".2" ? "start" : "next");
        }
    }
    EXPECT_EQ(starts,
        QStringList(
            {"start", "next", "next", "next", "next", "start", "next", "next", "next", "next"}))
        << device().log().join(u'\n').toStdString();
}

TEST_F(BindingSimulator, DeviceFallingSilentMidWalkEndsInAnErrorLine)
{
    auto *node = new QComboBox(page.get());
    auto req = ruleListRequest(node);
    req->Request.Timeout = 10;
    showErrorsInStatus(*req);
    ui.onProcessEvents = [&] {
        if (list->topLevelItemCount() == 1) {
            device().fault("silent 30");
        }
    };
    EXPECT_FALSE(req->Get());
    EXPECT_EQ(rowsOf(list), kDefaultRules.mid(0, 1));
    EXPECT_EQ(codes, std::vector<int>({-405}));
    EXPECT_TRUE(status->currentMessage().startsWith("Get: (SNMPClass) SNMP request timed out!"))
        << status->currentMessage().toStdString();
    EXPECT_FALSE(req->Busy);

    // The same asynchronously: the completion carries the time-out and the request is free again.
    ASSERT_TRUE(device().fault("clear"));
    status->clearMessage();
    req->Async = true;
    VtSNMPError done;
    bool finished = false;
    VtSNMPRequest2Edits *r = req.get();
    req->OnGetDone = [&, r](VtSNMPRequest2Controls *, const VtSNMPError &e) {
        done = e;
        finished = true;
        if (e.Code != 0) {
            r->ShowGetError(e);
        }
    };
    EXPECT_TRUE(req->Get());
    ASSERT_TRUE(kvatest::waitUntil([&] { return finished; }, 30000)) << "hung";
    EXPECT_EQ(done.Code, -405);
    EXPECT_EQ(rowsOf(list), kDefaultRules.mid(0, 1));
    EXPECT_TRUE(status->currentMessage().startsWith("Get: (SNMPClass) SNMP request timed out!"))
        << status->currentMessage().toStdString();
    EXPECT_FALSE(req->Busy);
}

struct HostileCase
{
    const char *name;
    const char *fault;
    bool async;
    int code;
    const char *text; // the error text in the status bar line
};

// The ARP gateway list's first row: an address and a MAC address.
const UISnmpVar kGateways[] = {
    {" ", "Index", synInteger, vfKey},
    {ARP_LIST ".2", "Address", synIpAddress, vfRead},
    {ARP_LIST ".3", "MAC", synMacAddress, vfRead},
    {nullptr},
};

const char kBadSyntax[] = "(VtSNMP++) Bad SNMP syntax!";

const HostileCase kHostile[] = {
    {"TextAnsweredAsNumber", "wrongtype sysName", false, -511, kBadSyntax},
    {"NumberAnsweredAsText", "wrongtype dot11SsidBroadcast", false, -511, kBadSyntax},
    {"EmptyNumber", "short dot11SsidBroadcast", false, -511, kBadSyntax},
    {"ShortMacAddress", "short dot11ARPSpoofingPreventionListMacAddress.1", false, -511,
        kBadSyntax},
    // An address of two bytes does not decode at all: the answer is as good as lost.
    {"ShortIpAddress", "short dot11ARPSpoofingPreventionListIpAddress.1", false, -405,
        "(SNMPClass) SNMP request timed out!"},
    {"NumberAnsweredAsTextAsync", "wrongtype dot11SsidBroadcast", true, -511, kBadSyntax},
    {"ShortMacAddressAsync", "short dot11ARPSpoofingPreventionListMacAddress.1", true, -511,
        kBadSyntax},
};

class BindingSimulatorHostile : public BindingSimulator,
                                public testing::WithParamInterface<HostileCase>
{ };

TEST_P(BindingSimulatorHostile, ValueEndsAsAnErrorLine)
{
    const HostileCase &c = GetParam();
    ASSERT_TRUE(device().fault(QLatin1String(c.fault)));
    const bool gateways = QLatin1String(c.fault).contains(QLatin1String("ARP"));
    auto req = gateways ? makeRequest(kGateways, itTable, 1) : makeRequest(kIdentity, itInstance);
    req->Request.Timeout = 20;
    if (gateways) {
        req->BindListView(list, false);
    } else {
        for (int i = 0; i < kBroadcast; ++i) {
            req->BindControl(i, new QLineEdit(page.get()));
        }
        req->BindCombo(kBroadcast, new QComboBox(page.get()));
    }
    req->Async = c.async;
    VtSNMPRequest2Edits *r = req.get();
    if (c.async) {
        req->OnGetDone = [this, r](VtSNMPRequest2Controls *, const VtSNMPError &e) {
            codes.push_back(e.Code);
            if (e.Code != 0) {
                r->ShowGetError(e);
            }
        };
    } else {
        showErrorsInStatus(*req);
    }
    ASSERT_NO_THROW(req->Get());
    ASSERT_TRUE(kvatest::waitUntil([&] { return !codes.empty() && !req->Busy; }, 30000)) << "hung";
    EXPECT_EQ(codes, std::vector<int>({c.code}));
    EXPECT_TRUE(status->currentMessage().startsWith(
        QLatin1String("Get: ") + QLatin1String(c.text) + QLatin1String(". Receive at ")))
        << status->currentMessage().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BindingSimulatorHostile, testing::ValuesIn(kHostile), kvatest::caseName);

} // namespace
