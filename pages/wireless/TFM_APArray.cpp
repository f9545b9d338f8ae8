// AP array page.
#include "TFM_APArray.h"

#include "ApMib.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "SharedOptions.h"
#include "VtOptionList.h"
#include "VtRadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>

namespace {

#define ARRAY(tail) AP_OID("3.11." tail)

const VtOptionList olArrayMode{{1, "master"}, {2, "masterbackup"}, {3, "slave"}};
const VtOptionList olRefresh{{0, "nothing"}, {1, "refresh"}};
const VtOptionList olScanStatus{{0, "disable"}, {1, "enable"}};
const VtOptionList olRole{{1, "Master"}, {2, "Masterbackup"}, {3, "Slave"}};
const VtOptionList olSync{{0, "disable"}, {1, "enable"}};

constexpr int rw = vfRead | vfWrite;

const UISnmpVar kApModeVars[] = {
    {mib::dot11ApMode, "dot11ApMode", synInteger, vfRead, &options::dot11ApMode},
    {nullptr},
};
// Answered at ".0" (itScalars).
const UISnmpVar kArrayVars[] = {
    {ARRAY("1.1.1"), "dot11APArrayStatus", synInteger, rw, &options::disableEnable},
    {ARRAY("1.1.2"), "dot11APArrayModeSelect", synInteger, rw, &olArrayMode},
    {ARRAY("1.1.3"), "dot11ApArrayName", synDisplayString, rw},
    {ARRAY("1.1.4"), "dot11ApArrayPassword", synDisplayString, rw},
    {nullptr},
};
// The scan objects carry their ".0" in the OID.
const UISnmpVar kScanStatusVars[] = {
    {ARRAY("1.2.1.2.0"), "dot11ApArrayScanStatus", synInteger, vfRead, &olScanStatus},
    {nullptr},
};
const UISnmpVar kScanVars[] = {
    {ARRAY("1.2.1.1.0"), "dot11ApArrayScan", synInteger, rw, &olRefresh},
    {nullptr},
};
// The scan list's columns have no names on the device: they are named by their captions.
const UISnmpVar kScanListVars[] = {
    {ARRAY("1.2.1.3.1.1.1"), " ", synInteger, vfKey},
    {ARRAY("1.2.1.3.1.1.2"), "Array Name", synDisplayString, vfRead},
    {ARRAY("1.2.1.3.1.1.3"), "Master IP", synIpAddress, vfRead},
    {ARRAY("1.2.1.3.1.1.4"), "MAC", synMacAddress, vfRead},
    {ARRAY("1.2.1.3.1.1.5"), "Master", synInteger, vfRead},
    {ARRAY("1.2.1.3.1.1.6"), "Backup Master", synInteger, vfRead},
    {ARRAY("1.2.1.3.1.1.7"), "Slaver", synInteger, vfRead}, // shipped text
    {ARRAY("1.2.1.3.1.1.8"), "Total", synInteger, vfRead},
    {nullptr},
};
// A row whose role reads 0 is no member.
const UISnmpVar kMemberVars[] = {
    {ARRAY("2.1.1.1"), "dot11APArrayMeberListIndex", synInteger, vfKey}, // shipped names
    {ARRAY("2.1.1.3"), "dot11APArrayMeberListRole", synInteger, vfRead, &olRole},
    {ARRAY("2.1.1.4"), "dot11APArrayMeberListIP", synIpAddress, vfRead},
    {ARRAY("2.1.1.5"), "dot11APArrayMeberListMac", synMacAddress, vfRead},
    {ARRAY("2.1.1.6"), "dot11APArrayMeberListLoacation", synDisplayString, vfRead},
    {nullptr},
};

#define SYNC(n, name)                                          \
    {                                                          \
        ARRAY("3.1.1." #n ".1"), name, synInteger, rw, &olSync \
    }

// 3.11.3.1.1.<n>.1, in the device's order, all written in one PDU.
const UISnmpVar kSyncVars[] = {
    SYNC(2, "dot11APArraySyncSSIDStatus"),
    SYNC(3, "dot11APArraySyncSsidHiddenStatus"),
    SYNC(4, "dot11APArraySyncAutoChannelStatus"),
    SYNC(5, "dot11APArraySyncChannelWidthStatus"),
    SYNC(6, "dot11APArraySyncSecurityStatus"),
    SYNC(7, "dot11APArraySyncFixedRateStatus"),
    SYNC(8, "dot11APArraySyncBeaconIntervalStatus"),
    SYNC(9, "dot11APArraySyncDtimStatus"),
    SYNC(10, "dot11APArraySyncTxPowerStatus"),
    SYNC(11, "dot11APArraySyncWMMStatus"),
    SYNC(12, "dot11APArraySyncAckTimeoutStatus"),
    SYNC(13, "dot11APArraySyncShortGIStatus"),
    SYNC(14, "dot11APArraySyncIgmpSnoopStatus"),
    SYNC(15, "dot11APArraySyncConnectionLimitStatus"),
    SYNC(16, "dot11APArraySyncLinkIntegrityStatus"),
    SYNC(17, "dot11APArraySyncMultiSsidStatus"),
    SYNC(18, "dot11APArraySyncMultiSsidHiddenStatus"),
    SYNC(19, "dot11APArraySyncMultiSsidSecurityStatus"),
    SYNC(20, "dot11APArraySyncMultiSsidWMMStatus"),
    SYNC(21, "dot11APArraySyncQOSStatus"),
    SYNC(22, "dot11APArraySyncVlanStatus"),
    SYNC(23, "dot11APArraySyncScheduleStatus"),
    SYNC(24, "dot11APArraySyncTimeStatus"),
    SYNC(25, "dot11APArraySyncLogStatus"),
    SYNC(26, "dot11APArraySyncAdminLimitStatus"),
    SYNC(27, "dot11APArraySyncSystemStatus"),
    SYNC(28, "dot11APArraySyncConsoleProtocolStatus"),
    SYNC(29, "dot11APArraySyncSnmpStatus"),
    SYNC(30, "dot11APArraySyncPingCtlStatus"),
    SYNC(31, "dot11APArraySyncDhcpStatus"),
    SYNC(32, "dot11APArraySyncLoginStatus"),
    SYNC(33, "dot11APArraySyncAclStatus"),
    SYNC(34, "dot11APArraySyncBandStatus"),
    {nullptr},
};

#undef SYNC
#undef ARRAY

enum ArrayVar {
    avStatus,
    avMode,
    avName,
    avPassword,
};

// The tabs of the synchronised settings, and the check box of each flag in flag order.
enum SyncTab {
    kWirelessBasic,
    kWirelessAdvanced,
    kMultipleSsid,
    kAdvancedFunctions,
    kAdministration,
};

struct SyncBoxLine
{
    const char *name;
    const char *caption; // the trailing blanks are the device's
    SyncTab tab;
};

const SyncBoxLine kSyncBoxes[TFM_APArray::kSyncFlags] = {
    {"CheckBox1", "Network Name (SSID) ", kWirelessBasic},
    {"CheckBox4", "SSID Visibility ", kWirelessBasic},
    {"CheckBox2", "Auto Channel Selection ", kWirelessBasic},
    {"CheckBox5", "Channel width ", kWirelessBasic},
    {"CheckBox3", "Security ", kWirelessBasic},
    {"CheckBox6", "Data Rate ", kWirelessAdvanced},
    {"CheckBox12", "Beacon Interval ", kWirelessAdvanced},
    {"CheckBox7", "DTIM Interval ", kWirelessAdvanced},
    {"CheckBox13", "Transmit Power ", kWirelessAdvanced},
    {"CheckBox8", "WMM (Wi-Fi Multimedia)", kWirelessAdvanced},
    {"CheckBox14", "Ack Time Out ", kWirelessAdvanced},
    {"CheckBox9", "Short GI", kWirelessAdvanced},
    {"CheckBox15", "IGMP Snooping ", kWirelessAdvanced},
    {"CheckBox16", "Connection Limit ", kWirelessAdvanced},
    {"CheckBox10", "Link Integrity ", kWirelessAdvanced},
    {"CheckBox17", "SSID ", kMultipleSsid},
    {"CheckBox20", "SSID Visibility ", kMultipleSsid},
    {"CheckBox18", "Security ", kMultipleSsid},
    {"CheckBox21", "WMM ", kMultipleSsid},
    {"CheckBox25", "QoS Settings ", kAdvancedFunctions},
    {"CheckBox19", "VLAN ", kMultipleSsid},
    {"CheckBox22", "Schedule Settings ", kAdvancedFunctions},
    {"CheckBox24", "Time and Date Settings ", kAdvancedFunctions},
    {"CheckBox26", "Log Settings ", kAdvancedFunctions},
    {"CheckBox27", "Limit Administrator ", kAdministration},
    {"CheckBox30", "System Name Settings ", kAdministration},
    {"CheckBox31", "Console Settings ", kAdministration},
    {"CheckBox29", "SNMP Settings ", kAdministration},
    {"CheckBox32", "Ping Control Setting ", kAdministration},
    {"CheckBox23", "DHCP server Settings ", kAdvancedFunctions},
    {"CheckBox28", "Login Settings ", kAdministration},
    {"CheckBox11", "Wireless ACL ", kWirelessAdvanced},
    {"chk_Band", "Band", kWirelessBasic},
};

const struct
{
    const char *name;
    const char *caption;
} kSyncTabs[] = {
    {"TabSheet1", "Wireless Basic "},
    {"TabSheet2", "Wireless Advanced "},
    // the doubled ampersand shows as one
    {"TabSheet3", "Multiple SSID && VLAN  "},
    {"TabSheet4", "Advanced Functions  "},
    {"TabSheet5", "Administration"},
};

// Columns of the hidden scan list: the variables in list order.
constexpr int kScanName = 1;
constexpr int kScanTotal = 7;

constexpr int kScanEnable = 1;  // item of olScanStatus
constexpr int kRefreshItem = 1; // item of olRefresh
constexpr int kTextMax = 32;

} // namespace

TFM_APArray::TFM_APArray(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\  AP Array"), context) // two blanks: shipped
{
    usePanelStatus();
    form().beginGroup("GB_APArray", QStringLiteral("AP Array"));
    Chk_APArray = form().addCheck("Chk_APArray", QStringLiteral("Enable AP Array "));
    Ed_APArrayName = form().addEdit("Ed_APArrayName", QStringLiteral("AP Array name "), kTextMax);
    Ed_APArrayPW = form().addEdit("Ed_APArrayPW", QStringLiteral("AP Array password "), kTextMax);
    RadioGroup1 = form().addRadioGroup("RadioGroup1", QString(),
        {QStringLiteral("Master"), QStringLiteral("Backup Master"), QStringLiteral("Slave")});
    Bt_ArraySave =
        addGroupButton("Bt_ArraySave", QStringLiteral("Save"), &TFM_APArray::Bt_ArraySaveClick);
    Lb_ConnectStatus = form().addText("Lb_ConnectStatus", QStringLiteral("Connection Status"));
    form().addLine("Label3", QStringLiteral("Scan AP Array List "));
    Bt_Scan = addFieldButton("Bt_Scan", QStringLiteral("Scan"), &TFM_APArray::Bt_ScanClick);
    form().beginGroup("GB_ArrayList", QStringLiteral("AP Array List "));
    LV_ApArrayListUser = form().addListView("LV_ApArrayListUser",
        {{QStringLiteral("Array name "), -1}, {QStringLiteral("Master IP "), -1},
            {QStringLiteral("MAC "), -1}, {QStringLiteral("Master"), -1},
            {QStringLiteral("Backup Master"), -1}, {QStringLiteral("Slave "), -1},
            {QStringLiteral("Total   "), -1}});
    form().beginGroup("GB_Members", QStringLiteral("Current Array Members "));
    LV_CurrentMem = form().addListView("LV_CurrentMem",
        {{QStringLiteral("Index "), -1}, {QStringLiteral("Role"), -1},
            {QStringLiteral("IP address "), 100}, {QStringLiteral("MAC address "), 100},
            {QStringLiteral("Location "), -1}});
    form().endGroup();
    form().beginOuterGroup("GB_Sync", QStringLiteral("Synchronized Parameters Setting "));
    Btn_Clearall = addGroupButton(
        "Btn_Clearall", QStringLiteral("Clear all"), &TFM_APArray::Btn_ClearallClick);
    PC_ParameterSet = form().beginTabs("PC_ParameterSet");
    for (int tab = kWirelessBasic; tab <= kAdministration; ++tab) {
        form().beginTab(kSyncTabs[tab].name, QLatin1String(kSyncTabs[tab].caption));
        for (std::size_t flag = 0; flag < kSyncFlags; ++flag) {
            if (kSyncBoxes[flag].tab == tab) {
                SyncBox[flag] =
                    form().addCheck(kSyncBoxes[flag].name, QLatin1String(kSyncBoxes[flag].caption));
            }
        }
        form().endTab();
    }
    form().endTabs();
    form().endOuterGroup();

    Cbox_apmode = form().addHiddenCombo("Cbox_apmode");
    Cbox_ArrayMode = form().addHiddenCombo("Cbox_ArrayMode");
    CB_ScanStatus = form().addHiddenCombo("CB_ScanStatus");
    Cbox_Scan = form().addHiddenCombo("Cbox_Scan");
    LV_ApArrayList = form().addHiddenList("LV_ApArrayList");
    onChange(Chk_APArray, &TFM_APArray::Chk_APArrayClick);
}

void TFM_APArray::FormCreate()
{
    m_apMode = makeRequest(kApModeVars, itInstance, 10000);
    bindControls(m_apMode, {Cbox_apmode});
    m_array = makeRequest(kArrayVars, itScalars, 10000);
    bindControls(m_array, {Chk_APArray, Cbox_ArrayMode, {Ed_APArrayName, "%s"}});
    m_array->BindSecret(avPassword, Ed_APArrayPW); // one read back masked is never written back
    m_scanStatus = makeRequest(kScanStatusVars, itInstance, 10000);
    bindControls(m_scanStatus, {CB_ScanStatus});
    m_scan = makeRequest(kScanVars, itInstance, 10000, onSetDone(&TFM_APArray::scanWritten));
    bindControls(m_scan, {Cbox_Scan});
    m_scanList = makeRequest(kScanListVars, itTable, 10000, onGetDone(&TFM_APArray::scanListRead));
    m_scanList->BindListView(LV_ApArrayList, false);
    m_members = makeRequest<New_req2Edit>(
        kMemberVars, itTable, 10000, onGetDone(&TFM_APArray::membersRead));
    m_members->BindListView(LV_CurrentMem, false);
    m_sync = makeRequest(kSyncVars, itInstance, 10000);
    for (std::size_t flag = 0; flag < kSyncFlags; ++flag) {
        m_sync->BindControl(int(flag), SyncBox[flag]);
    }

    m_array->Get();
    m_scanStatus->Get();
    if (m_apMode->Get() && Cbox_apmode->currentIndex() != options::kApModeAccessPoint) {
        // only an access point joins an array: Save writes the array off
        Chk_APArray->setChecked(false);
        m_arrayAllowed = false;
    }
    RadioGroup1->setItemIndex(Cbox_ArrayMode->currentIndex());
    m_sync->Get();
    if (!deviceSilent()) {
        readMembers();
    }
}

void TFM_APArray::applyRules()
{
    if (m_sync == nullptr) {
        return;
    }
    Chk_APArray->setEnabled(m_arrayAllowed);
    const bool on = Chk_APArray->isChecked();
    enable({Ed_APArrayName, Ed_APArrayPW, RadioGroup1, Btn_Clearall, PC_ParameterSet}, on);
    // a write is not queued behind a walk: neither a scan nor a save while the lists are read
    const bool busy = m_scan->Busy || m_scanList->Busy || m_members->Busy;
    Bt_Scan->setEnabled(on && CB_ScanStatus->currentIndex() == kScanEnable && !busy);
    Bt_ArraySave->setEnabled(!busy);
}

void TFM_APArray::Chk_APArrayClick()
{
    // what the check box enables is the rules pass's
}

void TFM_APArray::readMembers()
{
    LV_CurrentMem->clear();
    m_members->RowNumber = 1;
    m_members->Get();
}

void TFM_APArray::Bt_ScanClick()
{
    Cbox_Scan->setCurrentIndex(kRefreshItem);
    m_scan->Set();
}

void TFM_APArray::scanWritten(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(result.Message); // the lists keep their rows, and the operator learns why
        return;
    }
    // the device has scanned: the arrays it found and the members of its own
    m_scanList->Get();
    readMembers();
}

void TFM_APArray::scanListRead(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(result.Message);
        return;
    }
    LV_ApArrayListUser->clear();
    for (int row = 0; row < LV_ApArrayList->topLevelItemCount(); ++row) {
        QStringList texts;
        for (int column = kScanName; column <= kScanTotal; ++column) {
            texts.append(LV_ApArrayList->cell(row, column));
        }
        LV_ApArrayListUser->addRow(texts);
    }
    setStatus(result.Message);
}

void TFM_APArray::membersRead(const VtSNMPError &result)
{
    setStatus(result.Message);
    Lb_ConnectStatus->setText(LV_CurrentMem->topLevelItemCount() > 0
            ? QStringLiteral("Connect")
            : QStringLiteral("Disconnect"));
}

void TFM_APArray::Btn_ClearallClick()
{
    for (QCheckBox *box : SyncBox) {
        box->setChecked(false); // written with Save
    }
}

bool TFM_APArray::writeScanList()
{
    m_scanList->Async = false;
    const auto back = qScopeGuard([this] { m_scanList->Async = true; });
    return m_scanList->Set();
}

void TFM_APArray::Bt_ArraySaveClick()
{
    Cbox_ArrayMode->setCurrentIndex(RadioGroup1->itemIndex());
    const FieldCheck checks[] = {
        {Ed_APArrayName, notEmpty(), "The AP Array Name field can not be blank.", faFocus,
            "Warning"},
        {Ed_APArrayName, [](const QString &t) { return !t.startsWith(QLatin1Char(' ')); },
            "The first character can't be blank.", faFocus, "Error"},
    };
    if (!runChecks(checks, "Warning")) {
        return;
    }
    WriteSequence save(*this);
    save.step([&] {
        MemberSwitch write(m_array);
        if (Ed_APArrayPW->text().isEmpty()) {
            write.out(avPassword); // an empty password leaves the device's as it is
        }
        return write.set();
    });
    save.step([&] { return writeScanList(); });
    save.write(m_sync);
    if (save.ok()) {
        setStatus(QStringLiteral("Save OK!"));
    } else {
        reportFailure(QStringLiteral("Save fail!")); // shipped text
    }
}
