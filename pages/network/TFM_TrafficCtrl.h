// Advanced \ Traffic Control: the total bandwidth and which interfaces shape downlink or uplink
// traffic, the advanced QoS classes with their priorities, shares and ports, and the traffic
// manager, whose per-client rules are added and deleted through the rule command group and listed
// from a read-only table.
#pragma once

#include "ReplaceCommand.h"
#include "TFM_Page.h"

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class ReportListView;

class TFM_TrafficCtrl : public TFM_Page
{
    Q_OBJECT

public:
    /// Ethernet, the primary SSID, SSIDs 1 to 7, WDS links 1 to 8.
    static constexpr int kInterfaces = 17;
    static constexpr int kClasses = 9;
    /// Classes 5 to 8 carry a port range the operator edits.
    static constexpr int kUserClasses = 4;

    explicit TFM_TrafficCtrl(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QTabWidget *PageControl1;
    // Uplink and downlink.
    QLineEdit *Ed_DownLink;
    QLineEdit *Ed_UpLink;
    QPushButton *Bt_LinkApply;
    std::array<QCheckBox *, kInterfaces> ChBox_Down; ///< ChBox_Ethernet, ChBox_Primary, …
    std::array<QCheckBox *, kInterfaces> ChBox_Up;   ///< ChBox_Ethernet2, ChBox_Primaryssid2, …
    QStatusBar *SB_Link;
    // QoS.
    QCheckBox *ChBox_Qos;
    QLineEdit *Ed_DownLBWidth;
    QLineEdit *Ed_UpLBWidth;
    std::array<QComboBox *, kClasses> CBox_Priority; ///< CBox_ACK … CBox_Other
    std::array<QLineEdit *, kClasses> Ed_Limit;      ///< Ed_Limit1 … Ed_Limit9
    std::array<QLineEdit *, 4> Ed_PortShown;         ///< Ed_Port1 … Ed_Port4, display only
    std::array<QLineEdit *, kUserClasses> Ed_PortL;  ///< Ed_Port5L … Ed_Port8L
    std::array<QLineEdit *, kUserClasses> Ed_PortR;  ///< Ed_Port5R … Ed_Port8R
    QPushButton *Bt_QosApply;
    QStatusBar *SB_Qos;
    // Traffic manager.
    QComboBox *Cbox_TrafficMan;
    QComboBox *Cbox_ClientTraffic;
    QLineEdit *Ed_DownLBand;
    QLineEdit *Ed_UpLBand;
    QPushButton *Bt_TrafficApply;
    QGroupBox *GB_AddRule;
    QLineEdit *Ed_Name;
    QLineEdit *Ed_ClientIP;
    QLineEdit *Ed_ClientMAC;
    QLineEdit *Ed_VantrelSp;
    QLineEdit *Ed_ULinkSp;
    QPushButton *Bt_TrafficAdd;
    QPushButton *Bt_TrafficClear;
    QGroupBox *GB_RuleList;
    ReportListView *LV_TrafficManRuleUser;
    QPushButton *Bt_TrafficDel;
    QStatusBar *SB_TrafficManager;
    // Values for the rules, never shown.
    ReportListView *Lv_MultiIndex; ///< each SSID's state, by row position
    ReportListView *Lv_wdsMAC;     ///< each WDS link's peer, by row position
    QComboBox *Cbox_Multissid;
    std::array<QComboBox *, kInterfaces> ComboBox;       ///< ComboBox1 … ComboBox17: the modes
    std::array<QLineEdit *, kUserClasses> Ed_PortJoined; ///< Ed_Port5 … Ed_Port8
    ReportListView *LV_TrafficManRule;                   ///< the device's rules as read
    QComboBox *Cbox_RuleAction;

protected:
    void applyRules() override;
    /// Library exceptions and the device's silence: the status bars of the three tabs.
    void setStatus(const QString &text) override;

private:
    /// A traffic manager rule as the rule command carries it; an empty address or MAC is none.
    struct Rule
    {
        QString name;
        QString ip;
        QString mac;
        QString down;
        QString up;
    };

    void Bt_LinkApplyClick();
    void ChBox_QosClick();
    void Bt_QosApplyClick();
    void trafficManagerRule();
    void Bt_TrafficApplyClick();
    void LV_TrafficManRuleUserClick();
    void Bt_TrafficAddClick();
    void Bt_TrafficClearClick();
    void Bt_TrafficDelClick();
    /// Box exclusion: a click (or a change from code) on interface i's downlink or uplink box.
    void boxClicked(int interface, bool uplink);

    void portsRead(const VtSNMPError &result);
    void portsWritten(const VtSNMPError &result);
    void ruleListRead(const VtSNMPError &result);
    void commandWritten(const VtSNMPError &result);

    void makeRequests();
    void openingReads();
    void availabilityRule();
    void showModes();
    void setBox(int interface, bool uplink, bool checked);
    void qosControls(bool on);
    bool linkChecksPass();
    bool qosChecksPass();
    /// Writes a bandwidth pair whose edits may be empty (the device's 0 is shown as empty).
    bool writeBandwidth(VtSNMPRequest2Edits *request, QLineEdit *down, QLineEdit *up);
    /// The ports request's write; its outcome completes the save reported in `bar`.
    void writePorts(QStatusBar *bar, bool othersWritten);
    bool ruleChecksPass();
    Rule editedRule() const;
    Rule listedRule(int row) const;
    void showRule(const Rule &rule);
    void clearRuleEdits();
    /// The rule command with `rule` and the action (0 delete, 1 add); an empty address or MAC
    /// stays out of it.
    void sendRule(const Rule &rule, int action);
    void putOldRuleBack();
    int listedNamed(const QString &name, int except) const;

    VtSNMPRequest2Edits *m_ssidStates = nullptr;
    VtSNMPRequest2Edits *m_wdsPeers = nullptr;
    VtSNMPRequest2Edits *m_multiSsid = nullptr;
    VtSNMPRequest2Edits *m_modes = nullptr;
    VtSNMPRequest2Edits *m_linkBandwidth = nullptr;
    VtSNMPRequest2Edits *m_qosSwitch = nullptr;
    VtSNMPRequest2Edits *m_qosBandwidth = nullptr;
    VtSNMPRequest2Edits *m_priorities = nullptr;
    VtSNMPRequest2Edits *m_limits = nullptr;
    VtSNMPRequest2Edits *m_ports = nullptr;
    VtSNMPRequest2Edits *m_managerBandwidth = nullptr;
    VtSNMPRequest2Edits *m_manager = nullptr;
    VtSNMPRequest2Edits *m_command = nullptr;
    VtSNMPRequest2Edits *m_ruleList = nullptr;

    // The save whose last write is the ports request's: where it is reported, and whether the
    // writes before it succeeded.
    QStatusBar *m_portsSaveBar = nullptr;
    bool m_portsSaveOk = false;

    ReplaceCommand m_replace;
    enum class Command {
        Add,
        Delete,
    };
    Command m_lastCommand = Command::Add;
    Rule m_saved;   // the edits as the last add took them
    Rule m_old;     // the rule a replace deletes, put back when the device refuses the new one
    Rule m_clicked; // the rule the last click on the list loaded
};
