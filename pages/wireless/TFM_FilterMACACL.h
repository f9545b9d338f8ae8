// Advanced \ Filter \ Wireless MAC ACL: the access point's list of client MAC addresses and the
// rule that applies it (accept or reject the listed clients, or ignore the list). Addresses are
// added typed or picked from the associated clients and deleted through the device's add and
// delete objects; the whole list moves to and from ".acl" files through the page's TFTP server.
#pragma once

#include "TFM_Page.h"
#include "TransferFlow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class New_req2Edit;
class ReportListView;

class TFM_FilterMACACL : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_FilterMACACL(QWidget *owner, const PageContext &context = {});
    ~TFM_FilterMACACL() override;

    void FormCreate() override;

    transfer::TransferFlow &flow() { return m_flow; }

    /// False while an add, a delete or a read of the list runs; the page does not close then.
    bool listIdle() const { return m_listIdle; }

    QComboBox *CB_Band;
    QComboBox *CB_AccessControl;
    QLineEdit *Ed_MacAdd;
    QPushButton *Btn_Add;
    ReportListView *LV_UerMACAddress;
    QPushButton *Bt_Del;
    QPushButton *Bt_Add;
    ReportListView *LV_ClientUser;
    QLineEdit *Ed_UpgFile;
    QPushButton *Btn_Browse;
    QPushButton *Btn_Upload;
    QPushButton *Btn_Download;
    QPushButton *Bt_Apply;
    // Values for the rules, never shown
    ReportListView *LV_ClientTable;
    ReportListView *LV_GetMAC;
    QLabel *LA_Index;
    QLineEdit *Ed_MACAddr;
    QLineEdit *Ed_MacAdd2;
    QComboBox *CB_ZoneStatus;
    QComboBox *Cbox_ACLAPmode;
    QComboBox *CB_GetInfo;
    QLineEdit *Ed_TfpSrv;
    QLineEdit *Ed_SaveFile;
    QComboBox *CB_TfpCom;
    QComboBox *CB_UpgCom;

    void CB_AccessControlChange();
    void Btn_AddClick();
    void LV_ClientUserClick();
    void Bt_AddClick();
    void Bt_DelClick();
    void Bt_ApplyClick();
    void Btn_BrowseClick();
    void Btn_UploadClick();
    void Btn_DownloadClick();

protected:
    void applyRules() override;

private:
    void makeRequests();
    void openingReads();
    bool wirelessClient() const;
    bool accessDisabled() const;
    void readList();
    void rebuildClientList();

    // Completions.
    void listChanged(const VtSNMPError &result);
    void aclListRead(const VtSNMPError &result);
    void clientRefreshWritten(const VtSNMPError &result);
    void clientTableRead(const VtSNMPError &result);
    void clientTableWritten(const VtSNMPError &result);
    void commandReported(const VtSNMPError &result);
    void installReported(const VtSNMPError &result);
    /// A transfer that failed: the message, the server back to serving nothing.
    void transferFailed();

    transfer::TransferFlow m_flow;
    VtSNMPRequest2Edits *m_zone = nullptr;
    VtSNMPRequest2Edits *m_apMode = nullptr;
    VtSNMPRequest2Edits *m_access = nullptr;
    VtSNMPRequest2Edits *m_band = nullptr;
    VtSNMPRequest2Edits *m_clients = nullptr;
    VtSNMPRequest2Edits *m_clientRefresh = nullptr;
    VtSNMPRequest2Edits *m_add = nullptr;
    VtSNMPRequest2Edits *m_clientAdd = nullptr;
    VtSNMPRequest2Edits *m_delete = nullptr;
    VtSNMPRequest2Edits *m_aclTable = nullptr;
    New_req2Edit *m_aclList = nullptr;
    VtSNMPRequest2Edits *m_address = nullptr;
    VtSNMPRequest2Edits *m_command = nullptr;
    VtSNMPRequest2Edits *m_install = nullptr;

    bool m_listIdle = true;
    bool m_clientPicked = false; // a client row was clicked since the list was built
    bool m_savedBefore = false;  // the Save's writes before it succeeded
    bool m_keepSaveText = false; // the client list read after a Save leaves its outcome standing
    bool m_upload = false;
    bool m_download = false;
    bool m_transferRunning = false;
};
