// Advanced \ ARP Spoofing Prevention: the switch and the device's list of up to 8 protected
// gateways, added and deleted through the gateway command group, changed by a write of their row.
#pragma once

#include "TFM_Page.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class ReportListView;

class TFM_ARPSpoofing : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_ARPSpoofing(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QComboBox *CB_APPstatus;
    QGroupBox *GB_AddGateway;
    QLineEdit *Ed_IpAddress;
    QLineEdit *Ed_MacAddress;
    QPushButton *Btn_Add;
    QPushButton *Btn_Clear;
    QGroupBox *GB_GatewayList;
    ReportListView *LV_ListViewUser;
    QPushButton *Btn_Del;
    QPushButton *Btn_Delall;
    QPushButton *Btn_Save;
    QComboBox *CB_Action;
    QLineEdit *Ed_Index;
    QComboBox *CB_ApMode;

protected:
    void applyRules() override;

private:
    enum class Mode {
        Add,  // the next Add creates a gateway entry
        Edit, // the next Add changes the clicked entry
    };

    void CB_APPstatusChange();
    void Btn_ClearClick();
    void Btn_AddClick();
    void Btn_DelClick();
    void Btn_DelallClick();
    void Btn_SaveClick();
    void LV_ListViewUserClick();
    void gatewaysRead(const VtSNMPError &result);
    void gatewayWritten(const VtSNMPError &result);
    void commandWritten(const VtSNMPError &result);

    void addGateway();
    void changeGateway();
    bool statusEnabled() const;

    VtSNMPRequest2Edits *m_apMode = nullptr;
    VtSNMPRequest2Edits *m_status = nullptr;
    VtSNMPRequest2Edits *m_command = nullptr;
    VtSNMPRequest2Edits *m_gateways = nullptr;
    Mode m_mode = Mode::Add;
    bool m_editing = false;   // the groups, Add and Clear: the status rule's
    bool m_deleteOn = false;  // Delete: a click on a row, the status rule
    bool m_deleteAll = false; // Delete all: the status rule, a read of the list
};
