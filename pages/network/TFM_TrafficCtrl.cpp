// Traffic control page, with the traffic manager tab.
#include "TFM_TrafficCtrl.h"

#include "ApMib.h"
#include "Checks.h"
#include "MemberSwitch.h"
#include "ReportListView.h"
#include "SharedOptions.h"
#include "TFM_TrafficCtrlRules.h"
#include "VtSNMPError.h"
#include "WirelessTables.h"

#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

namespace {

#define TRAFFIC(tail) AP_OID("3.9." tail)

const VtOptionList olMode{{0, "disable"}, {1, "downlink"}, {2, "uplink"}};
const VtOptionList olPriority{{1, "highest"}, {2, "second"}, {3, "thrid"}, {4, "low"}};
const VtOptionList olUnlisted{{0, "Deny"}, {1, "Forward"}};
const VtOptionList olRuleAction{{0, "delete"}, {1, "add"}};

const UISnmpVar kMultiSsidVars[] = {
    {AP_OID("3.3.1.1.1.1"), "dot11MssidState", synInteger, vfRead | vfWrite,
        &options::disableEnable},
    {nullptr},
};

#define MODE(n)                                                                      \
    {                                                                                \
        TRAFFIC("1.1.1.1.3." #n), "dot11TrafficcontrolInterfaceMode" #n, synInteger, \
            vfRead | vfWrite, &olMode                                                \
    }

const UISnmpVar kModeVars[] = {
    MODE(1),
    MODE(2),
    MODE(3),
    MODE(4),
    MODE(5),
    MODE(6),
    MODE(7),
    MODE(8),
    MODE(9),
    MODE(10),
    MODE(11),
    MODE(12),
    MODE(13),
    MODE(14),
    MODE(15),
    MODE(16),
    MODE(17),
    {nullptr},
};

const UISnmpVar kBandwidthVars[] = {
    {TRAFFIC("1.2.1"), "dot11DownLinkBandWidth", synInteger, vfRead | vfWrite},
    {TRAFFIC("1.2.2"), "dot11UpLinkBandWidth", synInteger, vfRead | vfWrite},
    {nullptr},
};

const UISnmpVar kQosSwitchVars[] = {
    {TRAFFIC("2.2.1.1"), "dot11dot11QosState", synInteger, vfRead | vfWrite,
        &options::disableEnable}, // shipped name
    {nullptr},
};

#define CLASS(column, n, name, syntax, options)                                            \
    {                                                                                      \
        TRAFFIC("2.2.2.1.1." column "." #n), (name), (syntax), vfRead | vfWrite, (options) \
    }

const UISnmpVar kPriorityVars[] = {
    CLASS("3", 1, "dot11QosAdvancedPriority1", synInteger, &olPriority),
    CLASS("3", 2, "dot11QosAdvancedPriority2", synInteger, &olPriority),
    CLASS("3", 3, "dot11QosAdvancedPriority3", synInteger, &olPriority),
    CLASS("3", 4, "dot11QosAdvancedPriority4", synInteger, &olPriority),
    CLASS("3", 5, "dot11QosAdvancedPriority5", synInteger, &olPriority),
    CLASS("3", 6, "dot11QosAdvancedPriority6", synInteger, &olPriority),
    CLASS("3", 7, "dot11QosAdvancedPriority7", synInteger, &olPriority),
    CLASS("3", 8, "dot11QosAdvancedPriority8", synInteger, &olPriority),
    CLASS("3", 9, "dot11QosAdvancedPriority9", synInteger, &olPriority),
    {nullptr},
};

const UISnmpVar kLimitVars[] = {
    CLASS("4", 1, "dot11QosAdvancedPriorityLimit1", synInteger, nullptr),
    CLASS("4", 2, "dot11QosAdvancedPriorityLimit2", synInteger, nullptr),
    CLASS("4", 3, "dot11QosAdvancedPriorityLimit3", synInteger, nullptr),
    CLASS("4", 4, "dot11QosAdvancedPriorityLimit4", synInteger, nullptr),
    CLASS("4", 5, "dot11QosAdvancedPriorityLimit5", synInteger, nullptr),
    CLASS("4", 6, "dot11QosAdvancedPriorityLimit6", synInteger, nullptr),
    CLASS("4", 7, "dot11QosAdvancedPriorityLimit7", synInteger, nullptr),
    CLASS("4", 8, "dot11QosAdvancedPriorityLimit8", synInteger, nullptr),
    CLASS("4", 9, "dot11QosAdvancedPriorityLimit9", synInteger, nullptr),
    {nullptr},
};

const UISnmpVar kPortVars[] = {
    CLASS("5", 1, "dot11QosAdvancedPriorityPort1", synDisplayString, nullptr),
    CLASS("5", 2, "dot11QosAdvancedPriorityPort2", synDisplayString, nullptr),
    CLASS("5", 3, "dot11QosAdvancedPriorityPort3", synDisplayString, nullptr),
    CLASS("5", 4, "dot11QosAdvancedPriorityPort4", synDisplayString, nullptr),
    CLASS("5", 5, "dot11QosAdvancedPriorityPort5", synDisplayString, nullptr),
    CLASS("5", 6, "dot11QosAdvancedPriorityPort6", synDisplayString, nullptr),
    CLASS("5", 7, "dot11QosAdvancedPriorityPort7", synDisplayString, nullptr),
    CLASS("5", 8, "dot11QosAdvancedPriorityPort8", synDisplayString, nullptr),
    {nullptr},
};

#undef CLASS
#undef MODE

const UISnmpVar kManagerVars[] = {
    {TRAFFIC("3.1.1"), "dot11TrafficManagerStauts", synInteger, vfRead | vfWrite,
        &options::disableEnable}, // shipped name
    {TRAFFIC("3.1.2"), "dot11TrafficManagerUlistClient", synInteger, vfRead | vfWrite, &olUnlisted},
    {nullptr},
};

const UISnmpVar kCommandVars[] = {
    {TRAFFIC("3.2.1"), "dot11RuleName", synDisplayString, vfRead | vfWrite},
    {TRAFFIC("3.2.2"), "dot11ClientIP", synIpAddress, vfRead | vfWrite},
    {TRAFFIC("3.2.3"), "dot11ClientMac", synMacAddress, vfRead | vfWrite},
    {TRAFFIC("3.2.4"), "dot11ClientDownSpeed", synInteger, vfRead | vfWrite},
    {TRAFFIC("3.2.5"), "dot11ClientUpSpeed", synInteger, vfRead | vfWrite},
    {TRAFFIC("3.2.6"), "dot11RuleAction", synInteger, vfRead | vfWrite, &olRuleAction},
    {nullptr},
};

const UISnmpVar kRuleListVars[] = {
    {TRAFFIC("3.3.1.1.1"), "dot11TrafficManagerRulesListIndex", synInteger, vfKey},
    {TRAFFIC("3.3.1.1.2"), "dot11RuleListName", synDisplayString, vfRead},
    {TRAFFIC("3.3.1.1.3"), "dot11RuleListClientIP", synIpAddress, vfRead},
    {TRAFFIC("3.3.1.1.4"), "dot11RuleListClientMac", synMacAddress, vfRead},
    {TRAFFIC("3.3.1.1.5"), "dot11RuleListClientDownSpeed", synInteger, vfRead},
    {TRAFFIC("3.3.1.1.6"), "dot11RuleListClientUpSpeed", synInteger, vfRead},
    {nullptr},
};

#undef TRAFFIC

// Positions in the rule command.
enum CommandVar {
    kCommandName = 0,
    kCommandIp = 1,
    kCommandMac = 2,
    kCommandDown = 3,
    kCommandUp = 4,
};

// Items of olRuleAction.
constexpr int kDelete = 0;
constexpr int kAdd = 1;

// Columns of the hidden rule list: the variables in list order.
constexpr int kListName = 1;
constexpr int kListIp = 2;
constexpr int kListMac = 3;
constexpr int kListDown = 4;
constexpr int kListUp = 5;

constexpr int kEthernet = 0;
constexpr int kPrimary = 1;
constexpr int kFirstMultiSsid = 2;
constexpr int kFirstWds = 9;
constexpr int kAvailabilityRows = 8; // rows of each table the availability rule looks at

const char *const kDownBoxes[TFM_TrafficCtrl::kInterfaces] = {"ChBox_Ethernet", "ChBox_Primary",
    "ChBox_Multissid1", "ChBox_Multissid2", "ChBox_Multissid3", "ChBox_Multissid4",
    "ChBox_Multissid5", "ChBox_Multissid6", "ChBox_Multissid7", "ChBox_WDS1", "ChBox_WDS2",
    "ChBox_WDS3", "ChBox_WDS4", "ChBox_WDS5", "ChBox_WDS6", "ChBox_WDS7", "ChBox_WDS8"};
const char *const kUpBoxes[TFM_TrafficCtrl::kInterfaces] = {"ChBox_Ethernet2", "ChBox_Primaryssid2",
    "ChBox_Multissid1u", "ChBox_Multissid2u", "ChBox_Multissid3u", "ChBox_Multissid4u",
    "ChBox_Multissid5u", "ChBox_Multissid6u", "ChBox_Multissid7u", "ChBox_WDS1u", "ChBox_WDS2u",
    "ChBox_WDS3u", "ChBox_WDS4u", "ChBox_WDS5u", "ChBox_WDS6u", "ChBox_WDS7u", "ChBox_WDS8u"};
const char *const kModeSelectors[TFM_TrafficCtrl::kInterfaces] = {"ComboBox1", "ComboBox2",
    "ComboBox3", "ComboBox4", "ComboBox5", "ComboBox6", "ComboBox7", "ComboBox8", "ComboBox9",
    "ComboBox10", "ComboBox11", "ComboBox12", "ComboBox13", "ComboBox14", "ComboBox15",
    "ComboBox16", "ComboBox17"};

const char *const kClassCombos[TFM_TrafficCtrl::kClasses] = {"CBox_ACK", "CBox_Web", "CBox_Mail",
    "CBox_Ftp", "CBox_UserDefine1", "CBox_UserDefine2", "CBox_UserDefine3", "CBox_UserDefine4",
    "CBox_Other"};
const char *const kClassLabels[TFM_TrafficCtrl::kClasses] = {"ACK/DHCP/ICMP/DNS\nPriority",
    "Web Traffic Priority", "Mail Traffic Priority", "Ftp Traffic Priority",
    "User Defined-1 Priority", "User Defined-2 Priority", "User Defined-3 Priority",
    "User Defined-4 Priority", "Other Traffic Priority"};
const char *const kLimitEdits[TFM_TrafficCtrl::kClasses] = {"Ed_Limit1", "Ed_Limit2", "Ed_Limit3",
    "Ed_Limit4", "Ed_Limit5", "Ed_Limit6", "Ed_Limit7", "Ed_Limit8", "Ed_Limit9"};
const char *const kShownPorts[4] = {"Ed_Port1", "Ed_Port2", "Ed_Port3", "Ed_Port4"};
const char *const kLeftPorts[TFM_TrafficCtrl::kUserClasses] = {
    "Ed_Port5L", "Ed_Port6L", "Ed_Port7L", "Ed_Port8L"};
const char *const kRightPorts[TFM_TrafficCtrl::kUserClasses] = {
    "Ed_Port5R", "Ed_Port6R", "Ed_Port7R", "Ed_Port8R"};
const char *const kJoinedPorts[TFM_TrafficCtrl::kUserClasses] = {
    "Ed_Port5", "Ed_Port6", "Ed_Port7", "Ed_Port8"};

const char kNoMac[] = "000000000000";
const char kSpeedOutOfRange[] =
    "The bandwidth for the traffic manager rules should not less than 1 "
    "kbit/sec, or greater than traffic manager bandwidth!";
const char kBadRate[] = "Invaild value for the rate !"; // shipped text
const char kNameTaken[] = "The name has exist, please input username again!";

QString checkedText(const QString &text)
{
    return text.trimmed();
}

} // namespace

TFM_TrafficCtrl::TFM_TrafficCtrl(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Advanced \\ Traffic Control"), context)
{
    statusBar()->hide(); // every tab has a status bar of its own
    PageControl1 = form().beginTabs("PageControl1");

    form().beginTab("TabSheet1", QStringLiteral("UplinkDownlink Setting"));
    form().beginGroup("GB_Link", QStringLiteral("Uplink and Downlink Setting"));
    Ed_DownLink = form().addEdit("Ed_DownLink", QStringLiteral("Downlink Bandwidth(1~150) "), 3);
    Ed_UpLink = form().addEdit("Ed_UpLink", QStringLiteral("Uplink Bandwidth(1~150) "), 3);
    form().addLine("LB_LinkUnit", QStringLiteral("Mbits/sec"));
    Bt_LinkApply =
        addGroupButton("Bt_LinkApply", QStringLiteral("Save"), &TFM_TrafficCtrl::Bt_LinkApplyClick);
    form().beginColumns();
    form().beginGroup("GB_Downlink", QStringLiteral("Downlink Interface"));
    for (int i = 0; i < kInterfaces; ++i) {
        const QString caption = i == kEthernet ? QStringLiteral("Ethernet ")
            : i == kPrimary                    ? QStringLiteral("Primary-ssid ")
            : i < kFirstWds ? QStringLiteral("Multi-ssid%1").arg(i - kFirstMultiSsid + 1)
                            : QStringLiteral("WDS%1").arg(i - kFirstWds + 1);
        ChBox_Down[static_cast<std::size_t>(i)] = form().addCheck(kDownBoxes[i], caption);
    }
    form().nextColumn();
    form().beginGroup("GB_Uplink", QStringLiteral("Uplink Interface"));
    for (int i = 0; i < kInterfaces; ++i) {
        const QString caption = i == kEthernet ? QStringLiteral("Ethernet")
            : i == kPrimary                    ? QStringLiteral("Primary-ssid ")
            : i < kFirstWds ? QStringLiteral("Multi-ssid%1").arg(i - kFirstMultiSsid + 1)
                            : QStringLiteral("WDS%1").arg(i - kFirstWds + 1);
        ChBox_Up[static_cast<std::size_t>(i)] = form().addCheck(kUpBoxes[i], caption);
    }
    form().endColumns();
    SB_Link = form().addStatusBar("SB_Link");
    form().endTab();

    form().beginTab("TabSheet2", QStringLiteral(" QoS"));
    form().beginOuterGroup("GB_Qos", QStringLiteral("Qos"));
    form().beginGroup("GB_AdvancedQos", QStringLiteral("Advanced QoS"));
    ChBox_Qos = form().addCheck("ChBox_Qos", QStringLiteral("Enable QoS"));
    Ed_DownLBWidth = form().addEdit("Ed_DownLBWidth", QStringLiteral("Downlink Bandwidth"), 3);
    Ed_UpLBWidth = form().addEdit("Ed_UpLBWidth", QStringLiteral("Uplink Bandwidth"), 3);
    form().addLine("LB_QosUnit", QStringLiteral("Mbits/sec "));
    form().endGroup();
    form().beginColumns();
    for (int n = 0; n < kClasses; ++n) {
        CBox_Priority[static_cast<std::size_t>(n)] =
            form().addCombo(kClassCombos[n], QLatin1String(kClassLabels[n]));
    }
    form().nextColumn();
    for (int n = 0; n < kClasses; ++n) {
        Ed_Limit[static_cast<std::size_t>(n)] =
            form().addEdit(kLimitEdits[n], QStringLiteral(" Limit"), 3);
    }
    form().nextColumn();
    for (int n = 0; n < 4; ++n) {
        Ed_PortShown[static_cast<std::size_t>(n)] =
            form().addEdit(kShownPorts[n], QStringLiteral("Port"));
    }
    for (int n = 0; n < kUserClasses; ++n) {
        Ed_PortL[static_cast<std::size_t>(n)] =
            form().addEdit(kLeftPorts[n], QStringLiteral("Port"), 5);
        Ed_PortR[static_cast<std::size_t>(n)] =
            form().addEdit(kRightPorts[n], QStringLiteral("-"), 5);
    }
    form().endColumns();
    Bt_QosApply =
        addGroupButton("Bt_QosApply", QStringLiteral("Save"), &TFM_TrafficCtrl::Bt_QosApplyClick);
    form().endOuterGroup();
    SB_Qos = form().addStatusBar("SB_Qos");
    form().endTab();

    form().beginTab("TabSheet3", QStringLiteral("Traffic Manager"));
    Cbox_TrafficMan = form().addCombo("Cbox_TrafficMan", QStringLiteral("Traffic Manager"));
    Cbox_ClientTraffic =
        form().addCombo("Cbox_ClientTraffic", QStringLiteral("Unlisted Clients Traffic"));
    Ed_DownLBand = form().addEdit("Ed_DownLBand", QStringLiteral("Downlink Bandwidth"), 3);
    Ed_UpLBand = form().addEdit("Ed_UpLBand", QStringLiteral("Uplink Bandwidth"), 3);
    form().addLine("LB_ManagerUnit", QStringLiteral("Mbits/sec "));
    Bt_TrafficApply = addGroupButton(
        "Bt_TrafficApply", QStringLiteral("Save"), &TFM_TrafficCtrl::Bt_TrafficApplyClick);
    GB_AddRule = form().beginGroup("GB_AddRule", QStringLiteral("Add Traffic Manager Rule"));
    Ed_Name = form().addEdit("Ed_Name", QStringLiteral("Name"), 15);
    Ed_ClientIP = form().addEdit("Ed_ClientIP", QStringLiteral("Client IP(optional)"), 15);
    Ed_ClientMAC = form().addEdit("Ed_ClientMAC", QStringLiteral("Client MAC(optional)"), 12);
    Ed_VantrelSp = form().addEdit("Ed_VantrelSp", QStringLiteral("Downlink Speed"), 6);
    Ed_ULinkSp = form().addEdit("Ed_ULinkSp", QStringLiteral("Uplink Speed"), 6);
    form().addLine("LB_SpeedUnit", QStringLiteral("Mbits/sec"));
    Bt_TrafficAdd = addGroupButton(
        "Bt_TrafficAdd", QStringLiteral("Add"), &TFM_TrafficCtrl::Bt_TrafficAddClick);
    Bt_TrafficClear = addFieldButton(
        "Bt_TrafficClear", QStringLiteral("Clear"), &TFM_TrafficCtrl::Bt_TrafficClearClick);
    GB_RuleList = form().beginGroup("GB_RuleList", QStringLiteral("Traffic Manager Rules "));
    LV_TrafficManRuleUser = form().addListView("LV_TrafficManRuleUser",
        {{QStringLiteral("Name"), 100}, {QStringLiteral("Client Ip"), 110},
            {QStringLiteral("Client Mac"), 110}, {QStringLiteral("Downlink Speed"), -1},
            {QStringLiteral("Uplink Speed"), -1}});
    Bt_TrafficDel = addGroupButton(
        "Bt_TrafficDel", QStringLiteral("Delete"), &TFM_TrafficCtrl::Bt_TrafficDelClick);
    form().endGroup();
    SB_TrafficManager = form().addStatusBar("SB_TrafficManager");
    form().endTab();
    form().endTabs();

    Lv_MultiIndex = form().addHiddenList("Lv_MultiIndex");
    Lv_wdsMAC = form().addHiddenList("Lv_wdsMAC");
    Cbox_Multissid = form().addHiddenCombo("Cbox_Multissid");
    for (int i = 0; i < kInterfaces; ++i) {
        ComboBox[static_cast<std::size_t>(i)] = form().addHiddenCombo(kModeSelectors[i]);
    }
    for (int n = 0; n < kUserClasses; ++n) {
        Ed_PortJoined[static_cast<std::size_t>(n)] = form().addHiddenEdit(kJoinedPorts[n]);
    }
    LV_TrafficManRule = form().addHiddenList("LV_TrafficManRule");
    Cbox_RuleAction = form().addHiddenCombo("Cbox_RuleAction");

    for (int i = 0; i < kInterfaces; ++i) {
        for (const bool uplink : {false, true}) {
            QCheckBox *box = uplink ? ChBox_Up[static_cast<std::size_t>(i)]
                                    : ChBox_Down[static_cast<std::size_t>(i)];
            connect(box, &QCheckBox::clicked, this,
                [this, i, uplink] { runAction([this, i, uplink] { boxClicked(i, uplink); }); });
        }
    }
    onChange(ChBox_Qos, &TFM_TrafficCtrl::ChBox_QosClick);
    onChange(Cbox_TrafficMan, &TFM_TrafficCtrl::trafficManagerRule);
    onChange(Cbox_ClientTraffic, &TFM_TrafficCtrl::trafficManagerRule);
    onChange(LV_TrafficManRuleUser, &TFM_TrafficCtrl::LV_TrafficManRuleUserClick);
}

// Every request is made before the first read: an opening that ends early leaves none missing.
void TFM_TrafficCtrl::makeRequests()
{
    m_ssidStates = makeRequest(wireless::kMssidStateVars, itTable, 10000);
    m_ssidStates->BindListView(Lv_MultiIndex, false);
    m_wdsPeers = makeRequest(wireless::kRemoteApMacVars, itTable, 10000);
    m_wdsPeers->BindListView(Lv_wdsMAC, false);
    m_multiSsid = makeRequest(kMultiSsidVars, itInstance, 10000);
    bindControls(m_multiSsid, {Cbox_Multissid});
    m_modes = makeRequest(kModeVars, itInstance, 10000);
    for (int i = 0; i < kInterfaces; ++i) {
        m_modes->BindCombo(i, ComboBox[static_cast<std::size_t>(i)]);
    }
    m_linkBandwidth = makeRequest(kBandwidthVars, itScalars, 10000);
    bindControls(m_linkBandwidth, {{Ed_DownLink, "%s"}, {Ed_UpLink, "%s"}});
    m_qosSwitch = makeRequest(kQosSwitchVars, itScalars, 10000);
    bindControls(m_qosSwitch, {ChBox_Qos});
    m_qosBandwidth = makeRequest(kBandwidthVars, itScalars, 10000);
    bindControls(m_qosBandwidth, {{Ed_DownLBWidth, "%s"}, {Ed_UpLBWidth, "%s"}});
    m_priorities = makeRequest(kPriorityVars, itInstance, 10000);
    m_limits = makeRequest(kLimitVars, itInstance, 10000);
    for (int n = 0; n < kClasses; ++n) {
        m_priorities->BindCombo(n, CBox_Priority[static_cast<std::size_t>(n)]);
        m_limits->BindFormat(n, QStringLiteral("%s"), Ed_Limit[static_cast<std::size_t>(n)]);
    }
    m_ports = makeRequest(kPortVars, itInstance, 10000,
        onDone(&TFM_TrafficCtrl::portsRead, &TFM_TrafficCtrl::portsWritten));
    for (int n = 0; n < 4; ++n) {
        m_ports->BindFormat(n, QStringLiteral("%s"), Ed_PortShown[static_cast<std::size_t>(n)]);
    }
    for (int n = 0; n < kUserClasses; ++n) {
        m_ports->BindFormat(
            4 + n, QStringLiteral("%s"), Ed_PortJoined[static_cast<std::size_t>(n)]);
    }
    m_managerBandwidth = makeRequest(kBandwidthVars, itScalars, 10000);
    bindControls(m_managerBandwidth, {{Ed_DownLBand, "%s"}, {Ed_UpLBand, "%s"}});
    m_manager = makeRequest(kManagerVars, itScalars, 10000);
    bindControls(m_manager, {Cbox_TrafficMan, Cbox_ClientTraffic});
    m_command =
        makeRequest(kCommandVars, itScalars, 10000, onSetDone(&TFM_TrafficCtrl::commandWritten));
    bindControls(m_command,
        {{Ed_Name, "%s"}, {Ed_ClientIP, "%s"}, {Ed_ClientMAC, "%h"}, {Ed_VantrelSp, "%s"},
            {Ed_ULinkSp, "%s"}, Cbox_RuleAction});
    m_ruleList =
        makeRequest(kRuleListVars, itTable, 10000, onGetDone(&TFM_TrafficCtrl::ruleListRead));
    m_ruleList->BindListView(LV_TrafficManRule, false);
}

void TFM_TrafficCtrl::FormCreate()
{
    makeRequests();
    qosControls(false);
    // Read failures are not reported: the controls keep what they showed or what the failed read
    // left in them.
    m_ssidStates->Get();
    m_wdsPeers->Get();
    m_multiSsid->Get();
    if (Cbox_Multissid->currentIndex() == options::kEnable) {
        availabilityRule();
    } else {
        for (int i = kFirstMultiSsid; i < kInterfaces; ++i) {
            ChBox_Down[static_cast<std::size_t>(i)]->setEnabled(false);
            ChBox_Up[static_cast<std::size_t>(i)]->setEnabled(false);
        }
    }
    m_modes->Get();
    showModes();
    try {
        openingReads();
    } catch (const VtException &) {
        // the rest of the opening's reads end silently
    }
    trafficManagerRule();
    enable({Ed_DownLBWidth, Ed_UpLBWidth, Ed_DownLBand, Ed_UpLBand}, false);
    for (QLineEdit *port : Ed_PortShown) {
        port->setEnabled(false);
    }
    // the rule command is never read: its edits start empty, not with their designed texts
    clearRuleEdits();
}

void TFM_TrafficCtrl::openingReads()
{
    m_linkBandwidth->Get();
    for (QLineEdit *edit : {Ed_DownLink, Ed_UpLink}) {
        if (edit->text() == QLatin1String("0")) {
            edit->clear(); // the device's "not set"
        }
    }
    m_qosSwitch->Get();
    if (ChBox_Qos->isChecked()) {
        ChBox_QosClick(); // as a click on the box would
    }
    m_qosBandwidth->Get();
    for (QLineEdit *edit : {Ed_DownLBWidth, Ed_UpLBWidth}) {
        if (edit->text() == QLatin1String("0")) {
            edit->clear();
        }
    }
    m_priorities->Get();
    m_limits->Get();
    m_ports->Get();
    m_managerBandwidth->Get();
    for (QLineEdit *edit : {Ed_DownLBand, Ed_UpLBand}) {
        if (edit->text() == QLatin1String("0")) {
            edit->clear();
        }
    }
    m_manager->Get();
    m_ruleList->Get();
}

void TFM_TrafficCtrl::setStatus(const QString &text)
{
    for (QStatusBar *bar : {SB_Link, SB_Qos, SB_TrafficManager}) {
        bar->showMessage(text);
    }
}

void TFM_TrafficCtrl::applyRules()
{
    if (m_command == nullptr) {
        return;
    }
    // writes are never queued behind one still under way, nor a replace's halves split
    const bool commandFree = !m_command->Busy && !m_replace.pending();
    enable({Bt_TrafficAdd, Bt_TrafficDel}, commandFree);
    enable({Bt_QosApply, Bt_TrafficApply}, !m_ports->Busy);
}

// --- uplink and downlink --------------------------------------------------------------------------

void TFM_TrafficCtrl::availabilityRule()
{
    // by row position: row 1 the primary SSID, then the SSIDs 1 to 7; rows the device does not
    // have leave their boxes alone
    for (int row = 0; row < kAvailabilityRows && row < Lv_MultiIndex->topLevelItemCount(); ++row) {
        const bool on =
            Lv_MultiIndex->cell(row, wireless::mstIndividualState) != QLatin1String("Disable");
        const auto i = static_cast<std::size_t>(row) + kPrimary;
        ChBox_Down[i]->setEnabled(on);
        ChBox_Up[i]->setEnabled(on);
    }
    for (int row = 0; row < kAvailabilityRows && row < Lv_wdsMAC->topLevelItemCount(); ++row) {
        const bool on = Lv_wdsMAC->cell(row, wireless::ramMacAddress) != QLatin1String(kNoMac);
        const auto i = static_cast<std::size_t>(row) + kFirstWds;
        ChBox_Down[i]->setEnabled(on);
        ChBox_Up[i]->setEnabled(on);
    }
}

void TFM_TrafficCtrl::setBox(int interface, bool uplink, bool checked)
{
    QCheckBox *box = uplink ? ChBox_Up[static_cast<std::size_t>(interface)]
                            : ChBox_Down[static_cast<std::size_t>(interface)];
    if (box->isChecked() != checked) {
        box->setChecked(checked);
        boxClicked(interface, uplink); // a change from code runs the click's rules
    }
}

void TFM_TrafficCtrl::showModes()
{
    for (int i = 0; i < kInterfaces; ++i) {
        switch (ComboBox[static_cast<std::size_t>(i)]->currentIndex()) {
        case traffic::kModeDisable:
            setBox(i, false, false);
            setBox(i, true, false);
            if (i == kEthernet) {
                enable({ChBox_Down[0], ChBox_Up[0]}, true);
            }
            break;
        case traffic::kModeDownlink:
            setBox(i, false, true);
            setBox(i, true, false);
            break;
        case traffic::kModeUplink:
            setBox(i, true, true);
            setBox(i, false, false);
            break;
        default:
            break; // a mode the page does not know: the boxes stay as they are
        }
    }
}

void TFM_TrafficCtrl::boxClicked(int interface, bool uplink)
{
    const auto i = static_cast<std::size_t>(interface);
    QCheckBox *box = uplink ? ChBox_Up[i] : ChBox_Down[i];
    QCheckBox *other = uplink ? ChBox_Down[i] : ChBox_Up[i];
    // an interface shapes one direction at most
    if (box->isChecked()) {
        other->setChecked(false);
        other->setEnabled(false);
    } else {
        other->setEnabled(true);
    }
    if (interface >= kFirstMultiSsid) {
        ComboBox[i]->setCurrentIndex(uplink ? traffic::kModeUplink : traffic::kModeDownlink);
    }
}

bool TFM_TrafficCtrl::linkChecksPass()
{
    const char kEmptyRate[] = "Please input value for the rate !";
    const char kRateDigits[] = "Invaild value for the rate!"; // shipped text
    const char kRange[] = "Downlink or uplink bandwidth range should be 1~150 mega bits/sec!";
    const FieldCheck checks[] = {
        {Ed_DownLink, notEmpty(), kEmptyRate, faClearAndFocus, "Waring"},
        {Ed_UpLink, notEmpty(), kEmptyRate, faClearAndFocus, "Waring"},
        {Ed_DownLink, traffic::allDigits, kRateDigits, faClearAndFocus},
        {Ed_UpLink, traffic::allDigits, kRateDigits, faClearAndFocus},
        {Ed_DownLink, traffic::validBandwidth, kRange, faClearAndFocus},
        {Ed_UpLink, traffic::validBandwidth, kRange, faClearAndFocus},
    };
    return runChecks(checks, "Warning");
}

void TFM_TrafficCtrl::Bt_LinkApplyClick()
{
    if (!linkChecksPass()) {
        return;
    }
    for (int i = 0; i < kInterfaces; ++i) {
        const auto n = static_cast<std::size_t>(i);
        QComboBox *selector = ComboBox[n];
        const int mode =
            traffic::collectedMode(ChBox_Down[n]->isEnabled(), ChBox_Down[n]->isChecked(),
                ChBox_Up[n]->isEnabled(), ChBox_Up[n]->isChecked(), selector->currentIndex());
        selector->setCurrentIndex(mode);
    }
    WriteSequence save(*this);
    save.step([this] {
        // without the additional SSIDs only Ethernet and the primary SSID are shaped
        MemberSwitch write(m_modes);
        const bool all = Cbox_Multissid->currentIndex() == options::kEnable;
        for (int i = 0; i < kInterfaces; ++i) {
            write.include(i, all || i <= kPrimary);
        }
        return write.set();
    });
    save.write(m_linkBandwidth);
    if (!save.ok()) {
        SB_Link->showMessage(QStringLiteral("Save Fail!"));
        failureTold();
        return;
    }
    for (QLineEdit *down : {Ed_DownLBWidth, Ed_DownLBand}) {
        down->setText(Ed_DownLink->text());
    }
    for (QLineEdit *up : {Ed_UpLBWidth, Ed_UpLBand}) {
        up->setText(Ed_UpLink->text());
    }
    SB_Link->showMessage(QStringLiteral("Save OK!"));
}

// --- QoS ------------------------------------------------------------------------------------------

void TFM_TrafficCtrl::qosControls(bool on)
{
    for (QComboBox *priority : CBox_Priority) {
        priority->setEnabled(on);
    }
    for (QLineEdit *limit : Ed_Limit) {
        limit->setEnabled(on);
    }
    for (int n = 0; n < kUserClasses; ++n) {
        Ed_PortL[static_cast<std::size_t>(n)]->setEnabled(on);
        Ed_PortR[static_cast<std::size_t>(n)]->setEnabled(on);
    }
    for (QLineEdit *port : Ed_PortShown) {
        port->setEnabled(false);
    }
}

void TFM_TrafficCtrl::ChBox_QosClick()
{
    if (ChBox_Qos->isChecked() && Ed_DownLink->text().isEmpty() && Ed_UpLink->text().isEmpty()) {
        inform(QStringLiteral("Warning"),
            QStringLiteral("Qos can't enable if uplink and downlink bandwidth are empty in "
                           "uplink/downlink/setting!"));
        ChBox_Qos->setChecked(false);
    }
    qosControls(ChBox_Qos->isChecked());
}

void TFM_TrafficCtrl::portsRead(const VtSNMPError &result)
{
    if (result.Code != 0) {
        return;
    }
    for (int n = 0; n < kUserClasses; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const traffic::PortRange range = traffic::splitPort(Ed_PortJoined[i]->text());
        Ed_PortL[i]->setText(range.left);
        Ed_PortR[i]->setText(range.right);
    }
}

bool TFM_TrafficCtrl::qosChecksPass()
{
    for (QLineEdit *limit : Ed_Limit) {
        if (limit->text().isEmpty()) {
            return refuse(limit, "Warning", "Please input value for the limit !", faClearAndFocus);
        }
        if (!traffic::validLimit(limit->text())) {
            return refuse(limit, "Warning", "Invaild value for the limit !", faClearAndFocus);
        }
    }
    for (int n = 0; n < kUserClasses; ++n) {
        const auto i = static_cast<std::size_t>(n);
        Ed_PortJoined[i]->setText(traffic::joinPort(Ed_PortL[i]->text(), Ed_PortR[i]->text()));
    }
    const char kBadPort[] = "Invaild value for the port !"; // shipped text
    for (int n = 0; n < kUserClasses; ++n) {
        const auto i = static_cast<std::size_t>(n);
        // the first user class takes any whole number, the others digits only; an empty end is
        // no port in either
        for (QLineEdit *port : {Ed_PortL[i], Ed_PortR[i]}) {
            const QString text = checkedText(port->text());
            const bool valid = n == 0 ? traffic::readsAsInteger(text) : traffic::allDigits(text);
            if (!valid) {
                return refuse(port, "Warning", kBadPort, faClearAndFocus);
            }
        }
        if (checkedText(Ed_PortR[i]->text()).toInt() < checkedText(Ed_PortL[i]->text()).toInt()) {
            return refuse(Ed_PortL[i], "Warning",
                "The end port must be equal or larger than the start port !");
        }
    }
    return true;
}

bool TFM_TrafficCtrl::writeBandwidth(VtSNMPRequest2Edits *request, QLineEdit *down, QLineEdit *up)
{
    // the device's "not set" is shown empty, and is written back as 0
    setIfEmpty(down, QStringLiteral("0"));
    setIfEmpty(up, QStringLiteral("0"));
    const bool ok = request->Set();
    for (QLineEdit *edit : {down, up}) {
        if (edit->text() == QLatin1String("0")) {
            edit->clear();
        }
    }
    return ok;
}

void TFM_TrafficCtrl::writePorts(QStatusBar *bar, bool othersWritten)
{
    m_portsSaveBar = bar;
    m_portsSaveOk = othersWritten;
    m_ports->Set(); // its completion says how the save went
}

void TFM_TrafficCtrl::portsWritten(const VtSNMPError &result)
{
    QStatusBar *bar = std::exchange(m_portsSaveBar, nullptr);
    if (bar == nullptr) {
        return;
    }
    if (m_portsSaveOk && result.Code == 0) {
        bar->showMessage(QStringLiteral("Save OK!"));
    } else {
        bar->showMessage(QStringLiteral("Save Fail!"));
    }
}

void TFM_TrafficCtrl::Bt_QosApplyClick()
{
    if (m_ports->Busy || !qosChecksPass()) {
        return;
    }
    WriteSequence save(*this);
    save.write(m_qosSwitch);
    save.step([this] { return writeBandwidth(m_qosBandwidth, Ed_DownLBWidth, Ed_UpLBWidth); });
    save.write(m_priorities);
    save.write(m_limits);
    writePorts(SB_Qos, save.ok());
}

// --- traffic manager ------------------------------------------------------------------------------

void TFM_TrafficCtrl::trafficManagerRule()
{
    if (Cbox_TrafficMan->currentIndex() != options::kEnable) {
        GB_AddRule->hide();
        GB_RuleList->hide();
        return;
    }
    if (Ed_DownLBand->text().isEmpty() && Ed_UpLBand->text().isEmpty()) {
        inform(QStringLiteral("Warning"),
            QStringLiteral("Traffic Manager can't enable if uplink and downlink bandwidth are "
                           "empty in uplink/downlink/setting!"));
        return;
    }
    GB_AddRule->show();
    GB_RuleList->show();
}

void TFM_TrafficCtrl::Bt_TrafficApplyClick()
{
    if (m_ports->Busy) {
        return;
    }
    WriteSequence save(*this);
    save.step([this] { return writeBandwidth(m_managerBandwidth, Ed_DownLBand, Ed_UpLBand); });
    save.write(m_manager);
    // the rule command is the Add and Delete buttons' business, not Save's
    writePorts(SB_TrafficManager, save.ok());
}

void TFM_TrafficCtrl::ruleListRead(const VtSNMPError &result)
{
    if (result.Code != 0) {
        return;
    }
    LV_TrafficManRuleUser->clear();
    for (int row = 0; row < LV_TrafficManRule->topLevelItemCount(); ++row) {
        auto cell = [&](int column) { return LV_TrafficManRule->cell(row, column); };
        if (!cell(kListName).isEmpty()) {
            LV_TrafficManRuleUser->addRow(
                {cell(kListName), cell(kListIp), cell(kListMac), cell(kListDown), cell(kListUp)});
        }
    }
}

TFM_TrafficCtrl::Rule TFM_TrafficCtrl::editedRule() const
{
    return {Ed_Name->text(), Ed_ClientIP->text(), Ed_ClientMAC->text(), Ed_VantrelSp->text(),
        Ed_ULinkSp->text()};
}

TFM_TrafficCtrl::Rule TFM_TrafficCtrl::listedRule(int row) const
{
    auto cell = [&](int column) { return LV_TrafficManRuleUser->cell(row, column); };
    // a rule without an address or a MAC lists the device's "none"
    const QString ip = cell(1) == QLatin1String("0.0.0.0") ? QString() : cell(1);
    const QString mac = cell(2) == QLatin1String(kNoMac) ? QString() : cell(2);
    return {cell(0), ip, mac, cell(3), cell(4)};
}

void TFM_TrafficCtrl::showRule(const Rule &rule)
{
    Ed_Name->setText(rule.name);
    Ed_ClientIP->setText(rule.ip);
    Ed_ClientMAC->setText(rule.mac);
    Ed_VantrelSp->setText(rule.down);
    Ed_ULinkSp->setText(rule.up);
}

void TFM_TrafficCtrl::clearRuleEdits()
{
    showRule({});
}

int TFM_TrafficCtrl::listedNamed(const QString &name, int except) const
{
    for (int row = 0; row < LV_TrafficManRuleUser->topLevelItemCount(); ++row) {
        if (row != except && LV_TrafficManRuleUser->cell(row, 0) == name) {
            return row;
        }
    }
    return -1;
}

void TFM_TrafficCtrl::LV_TrafficManRuleUserClick()
{
    const int row = LV_TrafficManRuleUser->selectedRow();
    LV_TrafficManRule->selectRow(-1);
    if (row < 0) {
        return;
    }
    LV_TrafficManRule->selectRow(row);
    m_clicked = listedRule(row);
    showRule(m_clicked);
}

void TFM_TrafficCtrl::Bt_TrafficClearClick()
{
    clearRuleEdits();
}

bool TFM_TrafficCtrl::ruleChecksPass()
{
    const QString ip = Ed_ClientIP->text();
    const QString mac = Ed_ClientMAC->text();
    if (!ip.isEmpty() && !CheckIPAddress(ip)) {
        return refuse(Ed_ClientIP, "Warning", "Invalid ip address!.", faClearAndFocus);
    }
    if (ip.isEmpty() && !mac.isEmpty() && mac.size() != 12) {
        return refuse(Ed_ClientMAC, "Error", "Invalid MAC address!", faClearAndFocus);
    }
    if (ip.isEmpty() && mac.isEmpty()) {
        return refuse(
            Ed_ClientIP, "Warning", "Please input IP address or MAC address!", faClearAndFocus);
    }
    // a speed is at least 1 and at most its bandwidth: beside an empty bandwidth it has none
    const std::pair<QLineEdit *, QLineEdit *> speeds[] = {
        {Ed_VantrelSp, Ed_DownLBand}, {Ed_ULinkSp, Ed_UpLBand}};
    for (const auto &[speed, bandwidth] : speeds) {
        if (speed->text().isEmpty()) {
            continue;
        }
        if (!traffic::allDigits(speed->text())) {
            return refuse(speed, "Warning", kBadRate, faClearAndFocus);
        }
        if (!traffic::speedWithin(speed->text(), bandwidth->text())) {
            return refuse(speed, "Warning", kSpeedOutOfRange);
        }
    }
    if (Ed_VantrelSp->text().isEmpty() && Ed_ULinkSp->text().isEmpty()) {
        return refuse(Ed_VantrelSp, "Warning",
            "Please input Ethernet to wireless Speed or wireless to Ethernet!", faClearAndFocus);
    }
    return true;
}

void TFM_TrafficCtrl::sendRule(const Rule &rule, int action)
{
    showRule(rule);
    // a speed left empty limits nothing: it goes out as 0, an empty INTEGER being no value at all
    setIfEmpty(Ed_VantrelSp, QStringLiteral("0"));
    setIfEmpty(Ed_ULinkSp, QStringLiteral("0"));
    MemberSwitch write(m_command);
    write.in({kCommandName, kCommandDown, kCommandUp});
    write.include(kCommandIp, !rule.ip.isEmpty()).include(kCommandMac, !rule.mac.isEmpty());
    Cbox_RuleAction->setCurrentIndex(action);
    try {
        write.set();
    } catch (...) {
        m_replace.reset(); // never sent: no completion will come to take the next step
        throw;
    }
}

void TFM_TrafficCtrl::Bt_TrafficAddClick()
{
    if (m_command->Busy || m_replace.pending() || !ruleChecksPass()) {
        return;
    }
    const int selected = LV_TrafficManRuleUser->selectedRow();
    const bool replace = selected >= 0 && LV_TrafficManRule->selectedRow() >= 0;
    if (replace && listedNamed(Ed_Name->text(), selected) >= 0) {
        // the delete half would go through and the add be refused: nothing is sent
        inform(QStringLiteral("Waring"), QLatin1String(kNameTaken)); // shipped text
        return;
    }
    m_saved = editedRule();
    m_lastCommand = Command::Add;
    if (replace) {
        // the old rule is deleted first; the completion adds the new one
        m_old = listedRule(selected);
        Rule deletion = m_saved;
        deletion.name = m_old.name;
        m_replace.begin();
        sendRule(deletion, kDelete);
    } else {
        sendRule(m_saved, kAdd);
    }
    clearRuleEdits();
}

void TFM_TrafficCtrl::Bt_TrafficDelClick()
{
    if (m_command->Busy || m_replace.pending()) {
        return;
    }
    if (LV_TrafficManRuleUser->selectedRow() >= 0 && LV_TrafficManRule->selectedRow() >= 0
        && confirm(QStringLiteral("Are you sure that you want to delete this entry?"))) {
        m_replace.reset();
        m_lastCommand = Command::Delete;
        sendRule(m_clicked, kDelete); // the rule the click loaded, whatever the edits hold now
    }
    clearRuleEdits();
}

void TFM_TrafficCtrl::putOldRuleBack()
{
    sendRule(m_old, kAdd);
    showRule(m_saved); // the edits keep what the operator entered, for another try
}

void TFM_TrafficCtrl::commandWritten(const VtSNMPError &result)
{
    const bool ok = result.Code == 0;
    switch (m_replace.completed(ok)) {
    case ReplaceCommand::Then::Plain:
        if (!ok) {
            SB_TrafficManager->showMessage(result.Message);
            if (m_lastCommand == Command::Add) {
                showRule(m_saved); // nothing typed is lost
            }
            return;
        }
        SB_TrafficManager->showMessage(m_lastCommand == Command::Add
                ? QStringLiteral("Add OK!")
                : QStringLiteral("Delete OK!"));
        m_ruleList->Get();
        return;
    case ReplaceCommand::Then::DeleteRefused:
        SB_TrafficManager->showMessage(result.Message);
        showRule(m_saved);
        return;
    case ReplaceCommand::Then::SendNew: {
        const int selected = LV_TrafficManRuleUser->selectedRow();
        if (selected >= 0) {
            delete LV_TrafficManRuleUser->takeTopLevelItem(selected);
        }
        LV_TrafficManRuleUser->selectRow(-1);
        LV_TrafficManRule->selectRow(-1);
        if (listedNamed(m_saved.name, -1) >= 0) {
            inform(QStringLiteral("Waring"), QLatin1String(kNameTaken));
            m_replace.newRefused();
            putOldRuleBack();
            return;
        }
        sendRule(m_saved, kAdd);
        clearRuleEdits();
        return;
    }
    case ReplaceCommand::Then::Replaced:
        SB_TrafficManager->showMessage(QStringLiteral("Add OK!"));
        m_ruleList->Get();
        return;
    case ReplaceCommand::Then::RestoreOld:
        SB_TrafficManager->showMessage(result.Message);
        putOldRuleBack();
        return;
    case ReplaceCommand::Then::Restored:
        m_ruleList->Get(); // the add's failure stays shown
        return;
    }
}
