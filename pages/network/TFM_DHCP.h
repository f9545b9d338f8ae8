// Advanced \ DHCP Server: whether the device's DHCP server runs, its dynamic pool with the options
// it hands out, the static assignments (a MAC address bound to an address) and the current leases.
#pragma once

#include "TFM_Page.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class ReportListView;

class TFM_DHCP : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_DHCP(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    void PageControl1Change();
    void CB_Fuction1Change();
    void CB_Fuction2Change();
    void Bt_ApplyClick();
    void Bt_CancelClick();
    void User_ListViewClick();
    void Btn_AddClick();
    void Btn_DelClick();
    void Bt_RefreshDynamicPoolClick();
    void Bt_RefreshStaticPoolClick();

    QTabWidget *PageControl1;
    // Dynamic pool settings
    QComboBox *CB_Fuction1;
    QLineEdit *Ed_IPAF;
    QLineEdit *Ed_PoolRan;
    QLineEdit *Ed_SubMask;
    QLineEdit *Ed_Gateway;
    QLineEdit *Ed_Wins;
    QLineEdit *Ed_DNS;
    QLineEdit *Ed_DomNa;
    QLineEdit *Ed_Lease;
    QPushButton *Bt_Apply;
    QPushButton *Bt_Cancel;
    QStatusBar *SB_Dynamic;
    // Static pool settings
    QComboBox *CB_Fuction2;
    ReportListView *User_ListView;
    QLineEdit *ED_StaticHostName;
    QLineEdit *ED_StaticAssignIP;
    QLineEdit *ED_StaticAssignMAC;
    QLineEdit *ED_StaticSubMask;
    QLineEdit *ED_StaticGateway;
    QLineEdit *ED_StaticWins;
    QLineEdit *ED_StaticDNS;
    QLineEdit *ED_StaticDoname;
    QPushButton *Btn_Add;
    QPushButton *Btn_Del;
    QStatusBar *SB_Static;
    // Current IP mapping list
    ReportListView *LV_DynPool;
    QPushButton *Bt_RefreshDynamicPool;
    QStatusBar *SB_MappingUpper;
    ReportListView *LV_StaticPool;
    QPushButton *Bt_RefreshStaticPool;
    QStatusBar *SB_MappingLower;
    // Values for the rules, never shown
    QComboBox *CB_APMode;
    QLineEdit *ED_IpAddr;
    ReportListView *LV_StaticPoolSet;
    QLabel *Lb_Index;
    QComboBox *CB_StaticStatus;
    QComboBox *CB_DNStatus;
    QComboBox *CoboxDynamic;
    QComboBox *CoboxStatic;
    ReportListView *LV_Dy;
    ReportListView *LV_Static;

protected:
    void applyRules() override;
    /// Library exceptions and the device's silence: the status bars of the three tabs (the
    /// upper one of the third).
    void setStatus(const QString &text) override;

private:
    void makeRequests();
    bool openingReads();
    void staticPoolRead(const VtSNMPError &result);
    void staticPoolWritten(const VtSNMPError &result);
    void dynamicRefreshed(const VtSNMPError &result);
    void staticRefreshed(const VtSNMPError &result);
    void leaseListRead(const VtSNMPError &result);

    bool dynamicChecksPass();
    bool staticChecksPass();
    void readStaticPool();
    void showPoolCount();
    void rebuildStaticList();
    void rebuildLeaseLists();
    void setCloseLocks(bool opening, bool writing);
    bool wirelessClient() const;
    QStringList staticPoolColumn(int column) const;

    VtSNMPRequest2Edits *m_apMode = nullptr;
    VtSNMPRequest2Edits *m_lanAddress = nullptr;
    VtSNMPRequest2Edits *m_dynamicPool = nullptr;
    VtSNMPRequest2Edits *m_serverControl = nullptr;
    VtSNMPRequest2Edits *m_staticControl = nullptr;
    VtSNMPRequest2Edits *m_domainNameStatus = nullptr;
    VtSNMPRequest2Edits *m_staticPool = nullptr;
    VtSNMPRequest2Edits *m_staticDelete = nullptr;
    VtSNMPRequest2Edits *m_dynamicRefresh = nullptr;
    VtSNMPRequest2Edits *m_staticRefresh = nullptr;
    New_req2Edit *m_dynamicLeases = nullptr;
    New_req2Edit *m_staticLeases = nullptr;

    // The page cannot close until the static pool has been read once (the opening lock), nor
    // while the table is read again after a write (the writing lock).
    bool m_openingLock = false;
    bool m_writingLock = false;
    bool m_staticReadStarted = false;
    // Del stays without effect from a static Save until the operator selects an entry again.
    bool m_savedSinceSelection = true;
    bool m_delEnabled = false;
    bool m_applyEnabled = false;
    bool m_staticEditsOpen = false; // false from the opening until the static pool was read
    // A failure text in the static tab's status bar that the table's re-read leaves standing.
    bool m_keepStaticText = false;
    bool m_staticControlRefused = false;
};
