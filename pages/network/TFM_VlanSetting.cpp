// VLAN page.
#include "TFM_VlanSetting.h"

#include "ApMib.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "SharedOptions.h"
#include "VtRadioGroup.h"
#include "WirelessTables.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

#define VLAN(tail) AP_OID("3.6." tail)

const VtOptionList olVlanMode{{0, "static"}, {1, "dynamic"}};
const VtOptionList olManagerStatus{{0, "disable"}, {1, "vlanID"}, {2, "ipaddress"}, {3, "both"}};
const VtOptionList olMembership{{0, "none"}, {1, "tag"}, {2, "untag"}};
const VtOptionList olSurveyDelete{{0, "nothing"}, {1, "delete"}};
const VtOptionList olRefresh{{0, "nothing"}, {1, "refresh"}};

const UISnmpVar kManagerStatusVars[] = {
    {mib::managerIpAddressStatus, "managerIpAddressStatus", synInteger, vfRead | vfWrite,
        &olManagerStatus},
    {nullptr},
};

const UISnmpVar kVlanStatusVars[] = {
    {mib::dot11VlanStatus, "dot11VlanStatus", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {VLAN("1.2"), "dot11VlanMode", synInteger, vfRead, &olVlanMode},
    {nullptr},
};

const UISnmpVar kPvidAutoVars[] = {
    {VLAN("2.1"), "dot11PvidAutoAssignStatus", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {nullptr},
};

// S-4 to S-7 and W-5 to W-8 have no edit on the page: they are neither read nor written.
const UISnmpVar kPvidVars[] = {
    {VLAN("2.2.1.2.1"), "dot11PvidSettingMgmt", synInteger, vfRead | vfWrite},
    {VLAN("2.2.1.3.1"), "dot11PvidSettingLan", synInteger, vfRead | vfWrite},
    {VLAN("2.2.1.4.1"), "dot11PvidSettingPrimary", synInteger, vfRead | vfWrite},
    {VLAN("2.2.1.5.1"), "dot11PvidSettingMssid1", synInteger, vfRead | vfWrite},
    {VLAN("2.2.1.6.1"), "dot11PvidSettingMssid2", synInteger, vfRead | vfWrite},
    {VLAN("2.2.1.7.1"), "dot11PvidSettingMssid3", synInteger, vfRead | vfWrite},
    {VLAN("2.2.1.8.1"), "dot11PvidSettingMssid4", synInteger, vfSkip},
    {VLAN("2.2.1.9.1"), "dot11PvidSettingMssid5", synInteger, vfSkip},
    {VLAN("2.2.1.10.1"), "dot11PvidSettingMssid6", synInteger, vfSkip},
    {VLAN("2.2.1.11.1"), "dot11PvidSettingMssid7", synInteger, vfSkip},
    {VLAN("2.2.1.12.1"), "dot11PvidSettingWds1", synInteger, vfRead | vfWrite},
    {VLAN("2.2.1.13.1"), "dot11PvidSettingWds2", synInteger, vfRead | vfWrite},
    {VLAN("2.2.1.14.1"), "dot11PvidSettingWds3", synInteger, vfRead | vfWrite},
    {VLAN("2.2.1.15.1"), "dot11PvidSettingWds4", synInteger, vfRead | vfWrite},
    {VLAN("2.2.1.16.1"), "dot11PvidSettingWds5", synInteger, vfSkip},
    {VLAN("2.2.1.17.1"), "dot11PvidSettingWds6", synInteger, vfSkip},
    {VLAN("2.2.1.18.1"), "dot11PvidSettingWds7", synInteger, vfSkip},
    {VLAN("2.2.1.19.1"), "dot11PvidSettingWds8", synInteger, vfSkip},
    {nullptr},
};

const UISnmpVar kPortRefreshVars[] = {
    {VLAN("3.1"), "dot11PortListRefresh", synInteger, vfRead | vfWrite, &olRefresh},
    {nullptr},
};

const UISnmpVar kPortListVars[] = {
    {VLAN("3.2.1.1"), "dot11PortListIndex", synInteger, vfKey},
    {VLAN("3.2.1.2"), "dot11PortListTagVid", synDisplayString, vfRead},
    {VLAN("3.2.1.3"), "dot11PortListUntagVid", synDisplayString, vfRead},
    {VLAN("3.2.1.4"), "dot11PortLisPortName", synDisplayString, vfRead}, // shipped name
    {nullptr},
};

// Columns of the hidden port table: the variables in list order.
constexpr int kPortTag = 1;
constexpr int kPortUntag = 2;
constexpr int kPortName = 3;

#define MEMBER(name, column)                                                     \
    {                                                                            \
        VLAN("1.3.1." column), name, synInteger, vfRead | vfWrite, &olMembership \
    }

const UISnmpVar kVlanVars[] = {
    {VLAN("1.3.1.1"), "dot11GroupVlanListIndex", synInteger, vfKey},
    {VLAN("1.3.1.2"), "dot11GroupVlanListVid", synInteger, vfRead | vfWrite},
    {VLAN("1.3.1.3"), "dot11GroupVlanListName", synDisplayString, vfRead | vfWrite},
    MEMBER("dot11GroupVlanListMgmt", "4"),
    MEMBER("dot11GroupVlanListLan", "5"),
    MEMBER("dot11GroupVlanListPrimary", "6"),
    MEMBER("dot11GroupVlanListMssid1", "7"),
    MEMBER("dot11GroupVlanListMssid2", "8"),
    MEMBER("dot11GroupVlanListMssid3", "9"),
    MEMBER("dot11GroupVlanListMssid4", "10"),
    MEMBER("dot11GroupVlanListMssid5", "11"),
    MEMBER("dot11GroupVlanListMssid6", "12"),
    MEMBER("dot11GroupVlanListMssid7", "13"),
    MEMBER("dot11GroupVlanListWds1", "14"),
    MEMBER("dot11GroupVlanListWds2", "15"),
    MEMBER("dot11GroupVlanListWds3", "16"),
    MEMBER("dot11GroupVlanListWds4", "17"),
    MEMBER("dot11GroupVlanListWds5", "18"),
    MEMBER("dot11GroupVlanListWds6", "19"),
    MEMBER("dot11GroupVlanListWds7", "20"),
    MEMBER("dot11GroupVlanListWds8", "21"),
    {VLAN("1.3.1.22"), "dot11VlanListSurveydelete", synInteger, vfRead | vfWrite, &olSurveyDelete},
    {nullptr},
};

#undef MEMBER
#undef VLAN

// Positions in the VLAN table (and columns of its hidden list): port p's membership is at
// kVlanPorts + p.
constexpr int kVlanIndex = 0;
constexpr int kVlanVid = 1;
constexpr int kVlanName = 2;
constexpr int kVlanPorts = 3;
constexpr int kVlanDelete = 21;
constexpr int kWrittenPorts = 14; // Mgmt to W-4; W-5 to W-8 are never written

using Ports = TFM_VlanSetting;

struct PortDef
{
    const char *label;
    const char *radioGroup;
    const char *selector;
};

const PortDef kPorts[Ports::kPortCount] = {
    {"Mgmt", "RG_Mgmt", "CB_MemberMgmt"},
    {"LAN", "RG_Lan", "CB_MemberLan"},
    {"Primary", "RG_Primary", "CB_MemberPrimary"},
    {"S-1", "RG_S1", "CB_MemberS1"},
    {"S-2", "RG_S2", "CB_MemberS2"},
    {"S-3", "RG_S3", "CB_MemberS3"},
    {"S-4", "RG_S4", "CB_MemberS4"},
    {"S-5", "RG_S5", "CB_MemberS5"},
    {"S-6", "RG_S6", "CB_MemberS6"},
    {"S-7", "RG_S7", "CB_MemberS7"},
    {"W-1", "RG_W1", "CB_MemberW1"},
    {"W-2", "RG_W2", "CB_MemberW2"},
    {"W-3", "RG_W3", "CB_MemberW3"},
    {"W-4", "RG_W4", "CB_MemberW4"},
    {"W-5", "RG_W5", "CB_MemberW5"},
    {"W-6", "RG_W6", "CB_MemberW6"},
    {"W-7", "RG_W7", "CB_MemberW7"},
    {"W-8", "RG_W8", "CB_MemberW8"},
};

// The shown ports, in list order, as positions among the 18.
constexpr int kShownPorts[Ports::kShownPortCount] = {0, 1, 2, 3, 4, 5, 10, 11, 12, 13};

const char *const kPvidEdits[Ports::kShownPortCount] = {"Ed_PvidMgmt", "Ed_PvidLan",
    "Ed_PvidMssidPrimary", "Ed_PvidMssidS1", "Ed_PvidMssidS2", "Ed_PvidMssidS3", "Ed_PvidWdsW1",
    "Ed_PvidWdsW2", "Ed_PvidWdsW3", "Ed_PvidWdsW4"};

// The port groups of the edit tab: ports [first, last].
constexpr int kPortGroupFirst = 0;
constexpr int kPortGroupLast = 1;
constexpr int kMssidGroupFirst = 2;
constexpr int kMssidGroupLast = 9;
constexpr int kWdsGroupFirst = 10;
constexpr int kWdsGroupLast = 17;
constexpr int kFirstHiddenMssid = 6; // S-4
constexpr int kFirstHiddenWds = 14;  // W-5

// Items of a port's triple.
constexpr int kUntag = 0;
constexpr int kTag = 1;
constexpr int kNotMember = 2;

// Items of olMembership: the option value.
constexpr int kMemberNone = 0;
constexpr int kMemberTag = 1;
constexpr int kMemberUntag = 2;

// Tabs.
constexpr int kVlanListTab = 0;
constexpr int kPortListTab = 1;
constexpr int kEditTab = 2;

constexpr int kDynamic = 1; // item of olVlanMode
constexpr int kRefresh = 1;
constexpr int kDelete = 1;
constexpr int kListedPortRows = 10; // the device's summary has a row per shown port

const char kVidRange[] = "The VID value range is 1~4094.";

bool validVid(const QString &text)
{
    bool ok = false;
    const int vid = text.toInt(&ok);
    return ok && vid >= 1 && vid <= 4094;
}

} // namespace

TFM_VlanSetting::TFM_VlanSetting(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ VLAN"), context)
{
    CB_VlanStatus = form().addCombo("CB_VlanStatus", QStringLiteral("VLAN Status"));
    Btn_Save = addFieldButton("Btn_Save", QStringLiteral("Save"), &TFM_VlanSetting::Btn_SaveClick);
    LB_VlanMode = form().addText("LB_VlanMode", QStringLiteral("VLAN Mode"));
    PageControl1 = form().beginTabs("PageControl1");

    form().beginTab("TabSheet1", QStringLiteral("VLAN List"));
    LV_VlanListUser = form().addListView("LV_VlanListUser",
        {{QStringLiteral("VID"), 60}, {QStringLiteral("VLAN Name "), 120},
            {QStringLiteral("Untag VLAN Ports "), 200}, {QStringLiteral("Tag VLAN Ports "), 200}});
    Btn_VlanEdit =
        addGroupButton("Btn_VlanEdit", QStringLiteral("Edit"), &TFM_VlanSetting::Btn_VlanEditClick);
    Btn_VlanDelete = addFieldButton(
        "Btn_VlanDelete", QStringLiteral("Delete"), &TFM_VlanSetting::Btn_VlanDeleteClick);
    form().endTab();

    form().beginTab("TabSheet2", QStringLiteral("Port List"));
    LV_PortListUser = form().addListView("LV_PortListUser",
        {{QStringLiteral("Port Name "), 100}, {QStringLiteral("Tag VID"), 140},
            {QStringLiteral("Untag VID "), 140}, {QStringLiteral("PVID "), 60}});
    form().endTab();

    form().beginTab("TabSheet3", QStringLiteral("Add/Edit VLAN"));
    Ed_VlanID = form().addEdit("Ed_VlanID", QStringLiteral(" VLAN ID (VID)"), 4);
    Ed_VlanName = form().addEdit("Ed_VlanName", QStringLiteral("VLAN Name"));
    const QStringList triple{
        QStringLiteral("Untag"), QStringLiteral("Tag"), QStringLiteral("Not Member")};
    auto portGroup = [&](const char *name, const QString &title, int first, int last) {
        form().beginOuterGroup(name, title);
        form().beginColumns();
        for (int p = first; p <= last; ++p) {
            if (p > first) {
                form().nextColumn();
            }
            RG_Port[p] =
                form().addRadioGroup(kPorts[p].radioGroup, QLatin1String(kPorts[p].label), triple);
        }
        form().endColumns();
    };
    portGroup("GB_VlanPort", QStringLiteral("Port"), kPortGroupFirst, kPortGroupLast);
    Btn_VlanPortUntagAll = addGroupButton("Btn_VlanPortUntagAll", QStringLiteral("Untag All"),
        &TFM_VlanSetting::Btn_VlanPortUntagAllClick);
    Btn_VlanPortTagAll = addFieldButton(
        "Btn_VlanPortTagAll", QStringLiteral("Tag All"), &TFM_VlanSetting::Btn_VlanPortTagAllClick);
    Btn_VlanPortNotAll = addFieldButton("Btn_VlanPortNotAll", QStringLiteral("Not Member All"),
        &TFM_VlanSetting::Btn_VlanPortNotAllClick);
    form().endOuterGroup();
    portGroup("GB_VlanMssid", QStringLiteral("MSSID Port"), kMssidGroupFirst, kMssidGroupLast);
    Btn_VlanMssidUntagAll = addGroupButton("Btn_VlanMssidUntagAll", QStringLiteral("Untag All"),
        &TFM_VlanSetting::Btn_VlanMssidUntagAllClick);
    Btn_VlanMssidTagAll = addFieldButton("Btn_VlanMssidTagAll", QStringLiteral("Tag All"),
        &TFM_VlanSetting::Btn_VlanMssidTagAllClick);
    Btn_VlanMssidNotAll = addFieldButton("Btn_VlanMssidNotAll", QStringLiteral("Not Member All"),
        &TFM_VlanSetting::Btn_VlanMssidNotAllClick);
    form().endOuterGroup();
    portGroup("GB_VlanWds", QStringLiteral("WDS Port"), kWdsGroupFirst, kWdsGroupLast);
    Btn_VlanWdsUntagAll = addGroupButton("Btn_VlanWdsUntagAll", QStringLiteral("Untag All"),
        &TFM_VlanSetting::Btn_VlanWdsUntagAllClick);
    Btn_VlanWdsTagAll = addFieldButton(
        "Btn_VlanWdsTagAll", QStringLiteral("Tag All"), &TFM_VlanSetting::Btn_VlanWdsTagAllClick);
    Btn_VlanWdsNotAll = addFieldButton("Btn_VlanWdsNotAll", QStringLiteral("Not Member All"),
        &TFM_VlanSetting::Btn_VlanWdsNotAllClick);
    form().endOuterGroup();
    AddButton =
        addGroupButton("AddButton", QStringLiteral("Save"), &TFM_VlanSetting::AddButtonClick);
    form().endTab();

    form().beginTab("TabSheet4", QStringLiteral("PVID Setting"));
    CB_PvidAutoStatus =
        form().addCombo("CB_PvidAutoStatus", QStringLiteral(" PVID Auto Assign Status  "));
    const char *const pvidGroups[] = {"GB_PvidPort", "GB_PvidMssid", "GB_PvidWds"};
    const QString pvidTitles[] = {
        QStringLiteral("Port"), QStringLiteral("MSSID Port"), QStringLiteral("WDS Port")};
    for (int i = 0; i < kShownPortCount; ++i) {
        const int group = i < 2 ? 0 : i < 6 ? 1 : 2;
        if (i == 0 || i == 2 || i == 6) {
            form().beginGroup(pvidGroups[group], pvidTitles[group]);
            form().addLine(group == 0 ? "LB_PvidPort"
                    : group == 1      ? "LB_PvidMssid"
                                      : "LB_PvidWds",
                QStringLiteral("PVID"));
        }
        Ed_Pvid[static_cast<std::size_t>(i)] =
            form().addEdit(kPvidEdits[i], QLatin1String(kPorts[kShownPorts[i]].label));
    }
    form().endGroup();
    Btn_PvidApply = addGroupButton(
        "Btn_PvidApply", QStringLiteral("Save"), &TFM_VlanSetting::Btn_PvidApplyClick);
    form().endTab();
    form().endTabs();

    CB_APMode = form().addHiddenCombo("CB_APMode");
    CB_LimitVidStatus = form().addHiddenCombo("CB_LimitVidStatus");
    CB_VlanMode = form().addHiddenCombo("CB_VlanMode");
    CB_PortListRefresh = form().addHiddenCombo("CB_PortListRefresh");
    LV_PortList = form().addHiddenList("LV_PortList");
    LV_VlanList = form().addHiddenList("LV_VlanList");
    LB_Index = form().addHiddenLabel("LB_Index");
    CB_VlanItemDel = form().addHiddenCombo("CB_VlanItemDel");
    for (int p = 0; p < kPortCount; ++p) {
        CB_Member[static_cast<std::size_t>(p)] = form().addHiddenCombo(kPorts[p].selector);
    }
    // the ports the device has but the lists do not show
    for (int p = kFirstHiddenMssid; p <= kMssidGroupLast; ++p) {
        showRow(RG_Port[static_cast<std::size_t>(p)], false);
    }
    for (int p = kFirstHiddenWds; p <= kWdsGroupLast; ++p) {
        showRow(RG_Port[static_cast<std::size_t>(p)], false);
    }

    onChange(CB_VlanStatus, &TFM_VlanSetting::CB_VlanStatusChange);
    onChange(CB_PvidAutoStatus, &TFM_VlanSetting::CB_PvidAutoStatusChange);
    onChange(PageControl1, &TFM_VlanSetting::PageControl1Change);
    onChange(LV_VlanListUser, &TFM_VlanSetting::LV_VlanListUserClick);
    enable({Btn_VlanEdit, Btn_VlanDelete}, false);
}

// Every request is made before the first read: an opening that ends early leaves none missing.
void TFM_VlanSetting::makeRequests()
{
    // of the wireless objects only the mode is read, and nothing is written
    m_apMode = makeRequest(wireless::kWirelessNetworkVars, itInstance, 2000, noHandlers());
    for (int i = 0; i < m_apMode->Request.Vars.Count(); ++i) {
        m_apMode->Request.Vars.Var(i).Flags = i == wireless::wnApMode ? vfRead | vfWrite : vfSkip;
    }
    m_apMode->BindCombo(wireless::wnApMode, CB_APMode);
    m_managerStatus = makeRequest(kManagerStatusVars, itScalars, 10000);
    bindControls(m_managerStatus, {CB_LimitVidStatus});
    m_vlanStatus = makeRequest(kVlanStatusVars, itScalars, 10000, statusTarget());
    bindControls(m_vlanStatus, {CB_VlanStatus, CB_VlanMode});
    m_pvidAuto = makeRequest(kPvidAutoVars, itScalars, 10000, statusTarget());
    bindControls(m_pvidAuto, {CB_PvidAutoStatus});
    m_pvid = makeRequest(kPvidVars, itInstance, 10000, statusTarget());
    for (int i = 0; i < kShownPortCount; ++i) {
        m_pvid->BindFormat(
            kShownPorts[i], QStringLiteral("%s"), Ed_Pvid[static_cast<std::size_t>(i)]);
    }
    m_portRefresh = makeRequest(kPortRefreshVars, itScalars, 10000, statusTarget());
    bindControls(m_portRefresh, {CB_PortListRefresh});
    m_ports = makeRequest(
        kPortListVars, itTable, 10000, onGetDone(&TFM_VlanSetting::portListRead), statusTarget());
    m_ports->BindListView(LV_PortList, true);
    m_vlans = makeRequest(kVlanVars, itTable, 10000,
        onDone(&TFM_VlanSetting::vlanListRead, &TFM_VlanSetting::vlanListWritten), statusTarget());
    m_vlans->BindListView(LV_VlanList, true);
    m_vlans->BindControl(kVlanIndex, LB_Index);
    m_vlans->BindFormat(kVlanVid, QStringLiteral("%u"), Ed_VlanID);
    m_vlans->BindFormat(kVlanName, QStringLiteral("%s"), Ed_VlanName);
    for (int p = 0; p < kWrittenPorts; ++p) {
        m_vlans->BindCombo(kVlanPorts + p, CB_Member[static_cast<std::size_t>(p)]);
    }
    m_vlans->BindCombo(kVlanDelete, CB_VlanItemDel);
}

void TFM_VlanSetting::FormCreate()
{
    m_editing = false;
    m_mode = EditMode::NewEntry;
    m_count = 0;
    makeRequests();
    // Read failures are not reported: the controls show what the failed read left in them.
    m_apMode->Get();
    m_managerStatus->Get();
    if (m_vlanStatus->Get()) {
        LB_VlanMode->setText(dynamicMode() ? QStringLiteral("Dynamic") : QStringLiteral("Static"));
    }
    if (m_pvidAuto->Get()) {
        pvidRule();
    }
    m_pvid->Get();
    m_portRefresh->Get(); // what it reads is not used
    readPortList();
    m_vlans->Get();
    statusChangeRules();
    clearVlanEdits();
    setPorts(0, kPortCount - 1, kUntag);
}

void TFM_VlanSetting::applyRules()
{
    if (m_vlans == nullptr) {
        return;
    }
    // a write is never queued behind one still under way
    AddButton->setEnabled(m_addEnabled && !m_vlans->Busy);
    Btn_VlanDelete->setEnabled(m_rowButtons && !m_vlans->Busy);
    Btn_VlanEdit->setEnabled(m_rowButtons);
}

bool TFM_VlanSetting::vlanEnabled() const
{
    return CB_VlanStatus->currentIndex() == options::kEnable;
}

bool TFM_VlanSetting::dynamicMode() const
{
    return CB_VlanMode->currentIndex() == kDynamic;
}

// The device collects its per-port summary when told to, before it is read.
void TFM_VlanSetting::readPortList()
{
    CB_PortListRefresh->setCurrentIndex(kRefresh);
    m_portRefresh->Set();
    m_ports->Get();
}

bool TFM_VlanSetting::selectVlanRow(int row)
{
    // cleared first: selecting the row already selected would not fill the controls again
    LV_VlanList->selectRow(-1);
    if (row < 0 || row >= LV_VlanList->topLevelItemCount()) {
        return false;
    }
    LV_VlanList->selectRow(row);
    return true;
}

void TFM_VlanSetting::setPorts(int first, int last, int item)
{
    for (int p = first; p <= last; ++p) {
        RG_Port[static_cast<std::size_t>(p)]->setItemIndex(item);
    }
}

void TFM_VlanSetting::clearVlanEdits()
{
    Ed_VlanID->clear();
    Ed_VlanName->clear();
}

void TFM_VlanSetting::pvidRule()
{
    const bool fixed = dynamicMode() || CB_PvidAutoStatus->currentIndex() == options::kEnable;
    for (QLineEdit *edit : Ed_Pvid) {
        edit->setEnabled(!fixed);
    }
}

void TFM_VlanSetting::chooseTarget(int bound)
{
    m_count = LV_VlanListUser->topLevelItemCount();
    if (!vlanEnabled()) {
        return;
    }
    // The device keeps its VLANs in the first rows: the row after them is the first empty one.
    if (m_count < bound && selectVlanRow(m_count)) {
        clearVlanEdits();
        m_mode = EditMode::EmptyRowChosen;
    } else {
        LV_VlanList->selectRow(-1);
        m_mode = EditMode::NoEmptyRow;
    }
}

void TFM_VlanSetting::statusChangeRules(int bound)
{
    if (!m_editing) {
        chooseTarget(bound);
    }
    const bool editable = !dynamicMode() && vlanEnabled();
    QList<QWidget *> editing{CB_PvidAutoStatus, Ed_VlanID, Ed_VlanName, Btn_VlanPortUntagAll,
        Btn_VlanPortTagAll, Btn_VlanPortNotAll, Btn_VlanMssidUntagAll, Btn_VlanMssidNotAll,
        Btn_VlanWdsUntagAll, Btn_VlanWdsTagAll, Btn_VlanWdsNotAll};
    for (VtRadioGroup *ports : RG_Port) {
        editing.append(ports);
    }
    m_addEnabled = editable;
    if (!editable) {
        for (QWidget *control : editing) {
            control->setEnabled(false);
        }
        Btn_VlanMssidTagAll->setEnabled(false);
        for (QLineEdit *edit : Ed_Pvid) {
            edit->setEnabled(false);
        }
        return;
    }
    for (QWidget *control : editing) {
        control->setEnabled(true);
    }
    pvidRule();
    if (m_editing) {
        Ed_VlanID->setEnabled(false);
    } else {
        clearVlanEdits();
    }
    // the SSIDs are untagged members only
    for (int p = kMssidGroupFirst; p <= kMssidGroupLast; ++p) {
        RG_Port[static_cast<std::size_t>(p)]->button(kTag)->setEnabled(false);
    }
    Btn_VlanMssidTagAll->setEnabled(false);
}

void TFM_VlanSetting::CB_VlanStatusChange()
{
    statusChangeRules();
}

void TFM_VlanSetting::CB_PvidAutoStatusChange()
{
    pvidRule();
}

void TFM_VlanSetting::PageControl1Change()
{
    m_editing = false;
    LV_VlanListUser->selectRow(-1);
    m_rowButtons = false; // the list's selection is gone with the rows it named
    clearVlanEdits();
    setPorts(0, kPortCount - 1, kUntag);
    m_mode = EditMode::NewEntry;
    statusChangeRules();
    if (PageControl1->currentIndex() == kPortListTab) {
        readPortList();
    }
}

void TFM_VlanSetting::portListRead(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(result.Message);
        return;
    }
    LV_PortListUser->clear();
    if (LV_PortList->topLevelItemCount() == kListedPortRows) {
        for (int row = 0; row < kListedPortRows; ++row) {
            LV_PortListUser->addRow({LV_PortList->cell(row, kPortName),
                LV_PortList->cell(row, kPortTag), LV_PortList->cell(row, kPortUntag), QString()});
        }
    }
    fillPvidColumn();
    setStatus(QStringLiteral("Get OK!"));
}

void TFM_VlanSetting::fillPvidColumn()
{
    for (int i = 0; i < kShownPortCount && i < LV_PortListUser->topLevelItemCount(); ++i) {
        LV_PortListUser->topLevelItem(i)->setText(3, Ed_Pvid[static_cast<std::size_t>(i)]->text());
    }
}

void TFM_VlanSetting::vlanListRead(const VtSNMPError &result)
{
    if (result.Code != 0) {
        setStatus(result.Message);
        return;
    }
    m_mode = EditMode::EmptyRowChosen;
    // The device keeps its VLANs in the first rows of its table: visible row i is hidden row i.
    LV_VlanListUser->clear();
    for (int row = 0; row < LV_VlanList->topLevelItemCount(); ++row) {
        const QString vid = LV_VlanList->cell(row, kVlanVid);
        const QString name = LV_VlanList->cell(row, kVlanName);
        if (vid == QLatin1String("0") || name.isEmpty()) {
            continue;
        }
        QStringList untagged;
        QStringList tagged;
        for (const int p : kShownPorts) {
            const QString member = LV_VlanList->cell(row, kVlanPorts + p);
            if (member == QLatin1String("untag")) {
                untagged.append(QLatin1String(kPorts[p].label));
            } else if (member == QLatin1String("tag")) {
                tagged.append(QLatin1String(kPorts[p].label));
            }
        }
        LV_VlanListUser->addRow(
            {vid, name, untagged.join(QLatin1Char(',')), tagged.join(QLatin1Char(','))});
    }
    m_rowButtons = false;
    chooseTarget(10);
    setStatus(QStringLiteral("Get OK!"));
}

void TFM_VlanSetting::vlanListWritten(const VtSNMPError &result)
{
    // the binding reads the table again after a write the device took
    if (result.Code != 0) {
        setStatus(result.Message);
    }
}

void TFM_VlanSetting::LV_VlanListUserClick()
{
    const int row = LV_VlanListUser->selectedRow();
    if (row >= 0 && selectVlanRow(row)) {
        Ed_VlanID->setEnabled(false);
        m_rowButtons = true;
        m_mode = EditMode::Editing;
        return;
    }
    m_rowButtons = false;
    for (int r = 0; r < LV_VlanList->topLevelItemCount(); ++r) {
        if (LV_VlanList->cell(r, kVlanVid) == QLatin1String("0")
            && LV_VlanList->cell(r, kVlanName).isEmpty()) {
            selectVlanRow(r);
            m_mode = EditMode::EmptyRowChosen;
            return;
        }
    }
    // no empty row: a new VLAN has nowhere to go
    LV_VlanList->selectRow(-1);
    m_mode = EditMode::NoEmptyRow;
}

void TFM_VlanSetting::Btn_VlanEditClick()
{
    PageControl1->setCurrentIndex(kEditTab); // the page's own turn: no tab-change rules
    m_mode = EditMode::Editing;
    const int row = LV_VlanList->selectedRow();
    if (row >= 0) {
        Ed_VlanID->setText(LV_VlanList->cell(row, kVlanVid));
        Ed_VlanID->setEnabled(false);
        Ed_VlanName->setText(LV_VlanList->cell(row, kVlanName));
        for (int p = 0; p < kPortCount; ++p) {
            const QString member = LV_VlanList->cell(row, kVlanPorts + p);
            setPorts(p, p,
                member == QLatin1String("tag")         ? kTag
                    : member == QLatin1String("untag") ? kUntag
                                                       : kNotMember);
        }
        m_editing = true;
    } else {
        clearVlanEdits();
        setPorts(0, kPortCount - 1, kUntag);
    }
    if (!vlanEnabled()) {
        CB_VlanStatus->setCurrentIndex(options::kEnable); // written with the next save
        statusChangeRules();
    }
}

void TFM_VlanSetting::AddButtonClick()
{
    if (m_vlans->Busy) {
        return;
    }
    if (!validVid(Ed_VlanID->text())) {
        refuse(Ed_VlanID, "Warning", kVidRange);
        return;
    }
    if (m_mode != EditMode::Editing) {
        for (int row = 0; row < LV_VlanListUser->topLevelItemCount(); ++row) {
            if (LV_VlanListUser->cell(row, 0) == Ed_VlanID->text()) {
                inform(QStringLiteral("Warning"),
                    QStringLiteral("There is an existent entry with the same VID.\nPlease change "
                                   "the VID."));
                return;
            }
        }
    }
    const FieldCheck checks[] = {
        {Ed_VlanName, notEmpty(), "The Name field can not be blank.", faFocus, "Warning"},
        {Ed_VlanName, [](const QString &name) { return !name.startsWith(QLatin1Char(' ')); },
            "The first character can't be blank.", faFocus, "Error"},
    };
    if (!runChecks(checks, "Warning")) {
        return;
    }
    // A new VLAN goes into the empty row the rules chose; with none left it would overwrite
    // whatever row is still selected.
    if (m_mode != EditMode::Editing
        && (m_mode == EditMode::NoEmptyRow || LV_VlanList->selectedRow() < 0)) {
        inform(QStringLiteral("Warning"),
            QStringLiteral("There is no empty entry for a new VLAN.\nPlease delete a VLAN first."));
        return;
    }
    for (int p = 0; p < kWrittenPorts; ++p) {
        const int item = RG_Port[static_cast<std::size_t>(p)]->itemIndex();
        if (item >= 0) {
            CB_Member[static_cast<std::size_t>(p)]->setCurrentIndex(item == kUntag ? kMemberUntag
                    : item == kTag                                                 ? kMemberTag
                                                                                   : kMemberNone);
        }
    }
    // the row's VID, name and the ports Mgmt to W-4, whatever the write before carried
    MemberSwitch write(m_vlans);
    write.in({kVlanVid, kVlanName});
    for (int p = 0; p < kPortCount; ++p) {
        write.include(kVlanPorts + p, p < kWrittenPorts);
    }
    write.out(kVlanDelete);
    Ed_VlanID->setEnabled(true);
    m_editing = false;
    m_vlanStatus->Set(); // an Edit may have switched the VLANs on
    write.set();
    PageControl1->setCurrentIndex(kVlanListTab);
}

void TFM_VlanSetting::Btn_VlanDeleteClick()
{
    const int row = LV_VlanList->selectedRow();
    if (m_vlans->Busy || LV_VlanListUser->selectedRow() < 0 || row < 0) {
        return;
    }
    if (!confirm(QStringLiteral("Are you sure you want to delete ")
                + LV_VlanList->cell(row, kVlanName) + QLatin1Char('?'),
            QStringLiteral("warning"))) {
        return;
    }
    // the delete column of the row alone
    MemberSwitch write(m_vlans);
    write.in(kVlanDelete);
    for (int member = kVlanVid; member < kVlanDelete; ++member) {
        write.out(member);
    }
    CB_VlanItemDel->setCurrentIndex(kDelete);
    write.set();
}

void TFM_VlanSetting::Btn_SaveClick()
{
    m_managerStatus->Get();
    const QString mode = CB_APMode->currentText();
    const bool enabling = vlanEnabled();
    const bool limited = CB_LimitVidStatus->currentText() != QLatin1String("disable");
    const bool noVlanMode =
        mode == QLatin1String("Wireless Client") || mode == QLatin1String("WDS");
    // the device makes the changes announced here itself
    if (noVlanMode && enabling && limited) {
        inform(QStringLiteral("Warning"),
            QStringLiteral("If you enable VLAN, AP Mode will be set to 'Access Point' \nand Limit "
                           "Administrator Status will be disable!"));
    } else if (noVlanMode && enabling) {
        inform(QStringLiteral("Warning"),
            QStringLiteral("If you enable VLAN, AP Mode will be set to 'Access Point'!"));
    } else if (mode == QLatin1String("Access Point") && enabling && limited) {
        inform(QStringLiteral("Warning"),
            QStringLiteral("If you enable VLAN, Limit Administrator Status will be disable!"));
    }
    m_vlanStatus->Set();
}

void TFM_VlanSetting::Btn_PvidApplyClick()
{
    if (!vlanEnabled()) {
        m_vlanStatus->Set();
        return;
    }
    if (CB_PvidAutoStatus->currentIndex() == options::kEnable) {
        WriteSequence save(*this);
        save.write(m_vlanStatus);
        save.write(m_pvidAuto);
        if (save.ok()) {
            setStatus(QStringLiteral("Set OK!"));
        } else {
            reportFailure(QStringLiteral("Set Error!"));
        }
        return;
    }
    for (QLineEdit *edit : Ed_Pvid) {
        if (!validVid(edit->text())) {
            inform(QStringLiteral("Warning"), QLatin1String(kVidRange));
            edit->setText(QStringLiteral("1"));
            edit->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    WriteSequence save(*this);
    save.write(m_vlanStatus);
    save.write(m_pvidAuto);
    save.write(m_pvid);
    if (!save.ok()) {
        reportFailure(QStringLiteral("Set Error!"));
        return;
    }
    m_pvid->Get();
    fillPvidColumn();
    setStatus(QStringLiteral("Set OK!"));
}

void TFM_VlanSetting::Btn_VlanPortUntagAllClick()
{
    setPorts(kPortGroupFirst, kPortGroupLast, kUntag);
}

void TFM_VlanSetting::Btn_VlanPortTagAllClick()
{
    setPorts(kPortGroupFirst, kPortGroupLast, kTag);
}

void TFM_VlanSetting::Btn_VlanPortNotAllClick()
{
    setPorts(kPortGroupFirst, kPortGroupLast, kNotMember);
}

void TFM_VlanSetting::Btn_VlanMssidUntagAllClick()
{
    setPorts(kMssidGroupFirst, kMssidGroupLast, kUntag);
}

void TFM_VlanSetting::Btn_VlanMssidTagAllClick()
{
    setPorts(kMssidGroupFirst, kMssidGroupLast, kTag);
}

void TFM_VlanSetting::Btn_VlanMssidNotAllClick()
{
    setPorts(kMssidGroupFirst, kMssidGroupLast, kNotMember);
}

void TFM_VlanSetting::Btn_VlanWdsUntagAllClick()
{
    setPorts(kWdsGroupFirst, kWdsGroupLast, kUntag);
}

void TFM_VlanSetting::Btn_VlanWdsTagAllClick()
{
    setPorts(kWdsGroupFirst, kWdsGroupLast, kTag);
}

void TFM_VlanSetting::Btn_VlanWdsNotAllClick()
{
    setPorts(kWdsGroupFirst, kWdsGroupLast, kNotMember);
}
