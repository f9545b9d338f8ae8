// Advanced \ QoS: the QoS switch, the priority classifiers and the device's table of up to 64 rules,
// a rule written into its row (a new one into the first empty row), deleted through the delete
// object, and enabled or disabled by its check box in the list, written with Save.
#pragma once

#include "TFM_Page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ReportListView;

class TFM_QosSetting : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_QosSetting(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QComboBox *CB_EnableQos;
    QCheckBox *CheckBox_Http;
    QCheckBox *CheckBox_Automatic;
    QLineEdit *Ed_QosName;
    QComboBox *CB_Priority;
    QComboBox *CB_Protocol;
    QLineEdit *Ed_ProtocolName;
    QLineEdit *Ed_IpFrom1;
    QLineEdit *Ed_IpTo1;
    QLineEdit *Ed_PortFrom1;
    QLineEdit *Ed_PortTo1;
    QLineEdit *Ed_IpFrom2;
    QLineEdit *Ed_IpTo2;
    QLineEdit *Ed_PortFrom2;
    QLineEdit *Ed_PortTo2;
    QPushButton *Btn_Add;
    QPushButton *Btn_Del;
    QPushButton *Btn_Clear;
    ReportListView *LV_QosRulesUser;
    QPushButton *Btn_Apply;
    // Values for the rules, never shown.
    QComboBox *CB_ApMode;
    QLineEdit *Ed_QosRuleDel;
    ReportListView *LV_QosRules; ///< the device's rule rows as read; visible row i is row i here
    QLabel *LB_Index;
    QComboBox *CB_QosRulesState;
    QLineEdit *Ed_HostOneIpRange;
    QLineEdit *Ed_HostOnePortRange;
    QLineEdit *Ed_HostTowIpRange;
    QLineEdit *Ed_HostTowPortRange;

protected:
    void applyRules() override;

private:
    enum ButtonState {
        kAdding = 0,   // Add and Clear
        kSelected = 1, // a listed rule clicked: Add (replacing it), Delete and Clear
        kFull = 3,     // 64 rules: Clear alone
    };

    void CB_EnableQosChange();
    void CB_ProtocolChange();
    void LV_QosRulesUserClick();
    void Btn_AddClick();
    void Btn_DelClick();
    void Btn_ClearClick();
    void Btn_ApplyClick();

    void rulesRead(const VtSNMPError &result);
    void ruleWritten(const VtSNMPError &result);

    void makeRequests();
    bool addChecksPass();
    void enableRule();
    void protocolRule();
    void apModeRule();
    /// Selects row `row` of the hidden table (its values fill the bound controls); false when the
    /// table has no such row.
    bool selectRuleRow(int row);
    void selectFirstEmptyRow();
    ButtonState roomState() const;
    /// Makes the state objects of the listed rules, reads them and gives each the state of its
    /// rule's check box; false when the read failed.
    bool readRuleStates();

    VtSNMPRequest2Edits *m_apMode = nullptr;
    VtSNMPRequest2Edits *m_status = nullptr;
    VtSNMPRequest2Edits *m_classifiers = nullptr;
    VtSNMPRequest2Edits *m_delete = nullptr;
    VtSNMPRequest2Edits *m_rules = nullptr;
    VtSNMPRequest2Edits *m_ruleStates = nullptr; // its objects are made at every Save

    int m_count = 0; // rules listed
    ButtonState m_buttonState = kAdding;
    bool m_qosControls = true; // the enable rule's last word: the rule controls are on
    bool m_applyEnabled = false;
    bool m_readFollows = false; // a write the device took: the binding reads the table again
};
