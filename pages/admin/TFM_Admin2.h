// Tools \ Administration: the system name and location, the administrator's login, the console
// (Telnet or SSH with its idle time-out), and the limits on where the administrator may manage the
// device from (a VLAN ID and up to four address ranges).
#pragma once

#include "TFM_Page.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class ReportListView;
class WriteSequence;
struct AddressRange;

class TFM_Admin2 : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_Admin2(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QCheckBox *CheckBox_VID;
    QLineEdit *Ed_VID;
    QCheckBox *CkBx_ManagerState;
    QLineEdit *Ed_FromIP;
    QLineEdit *Ed_ToIP;
    QPushButton *Btn_Add;
    ReportListView *ListView_User;
    QPushButton *Btn_Del;
    QLineEdit *Ed_SysName;
    QLineEdit *Ed_Location;
    QLineEdit *Ed_Usr;
    QLineEdit *Ed_OPwd;
    QLineEdit *Ed_NPwd;
    QLineEdit *Ed_CNP;
    QCheckBox *CheckBox_Console;
    QRadioButton *RB_Telnet;
    QRadioButton *RB_SHH;
    QComboBox *CB_Timeout;
    QGroupBox *GB_Trap;
    QComboBox *CB_TrapStatus;
    QCheckBox *Ch_SystemTrap;
    QCheckBox *Ch_WirelessTrap;
    QGroupBox *GB_Control;
    QComboBox *CB_Ping;
    QPushButton *OK;
    QPushButton *Cancel;
    QComboBox *CB_DeviceApplySetting;
    QComboBox *CB_managerIpAddressStatus;
    QComboBox *CB_VlanStatus;
    QComboBox *CB_NapStatus;
    QComboBox *CB_Telnet;
    QComboBox *CB_SHH;
    QLineEdit *Ed_Pwd;
    QComboBox *CB_TrapType;
    ReportListView *ListView_IpRange;
    QLabel *LA_Index;
    QLineEdit *Ed_From;
    QLineEdit *Ed_To;
    QLineEdit *Ed_delete;

protected:
    void applyRules() override;

private:
    void CkBx_ManagerStateClick();
    void CheckBox_VIDClick();
    void CheckBox_ConsoleClick();
    void RB_Click();
    void ListView_UserClick();
    void OKClick();
    void Btn_AddClick();
    void Btn_DelClick();

    void readAtOpening();
    bool saveChecksPass();
    void writeConsole(WriteSequence &save);
    void warnIfProtected();
    void resetRangeInputs();
    void refreshLists();
    std::vector<AddressRange> rangeRows() const;

    VtSNMPRequest2Edits *m_apply = nullptr;
    VtSNMPRequest2Edits *m_limit = nullptr;
    VtSNMPRequest2Edits *m_vlan = nullptr;
    VtSNMPRequest2Edits *m_protection = nullptr;
    VtSNMPRequest2Edits *m_console = nullptr;
    VtSNMPRequest2Edits *m_timeout = nullptr;
    VtSNMPRequest2Edits *m_system = nullptr;
    VtSNMPRequest2Edits *m_user = nullptr;
    VtSNMPRequest2Edits *m_trap = nullptr;
    VtSNMPRequest2Edits *m_ping = nullptr;
    VtSNMPRequest2Edits *m_ranges = nullptr;
    New_req2Edit *m_rangeList = nullptr;
    VtSNMPRequest2Edits *m_delete = nullptr;
    QString m_devicePassword;        // the password the device holds, as last read or written
    bool m_passwordRead = false;     // the device's answer held the password
    bool m_newPasswordTyped = false; // the operator typed into the new password field
};
