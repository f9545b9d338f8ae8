// Advanced \ Multi-SSID: the additional SSIDs of the radio, rows of the device's SSID table with
// their own name, visibility, WMM, priority and security, and a RADIUS server per SSID. "Add"
// writes the chosen SSID's row and enables it, "Delete" disables it, "Save" writes the multi-SSID
// and priority switches.
#pragma once

#include "SecurityTables.h"
#include "TFM_MultiSSIDNewFormRules.h"
#include "TFM_Page.h"

#include <vector>

class MemberSwitch;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class ReportListView;

class TFM_MultiSSIDNewForm : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_MultiSSIDNewForm(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    /// The page state key of the AP mode warning's arming, shared by every opening of the page.
    static const char kWarningArmedKey[];

    QCheckBox *IfEnabMuSSID;
    QComboBox *CB_Band;
    QComboBox *CB_Index;
    QLineEdit *Ed_SSID;
    QComboBox *CB_SsidBroadcast;
    QComboBox *CB_SSIDSecurityMode;
    QComboBox *CB_WMM;
    QCheckBox *Chk_MultiPri;
    QComboBox *Cbox_Priority;
    // Key Settings
    QGroupBox *GB_KeySettings;
    QComboBox *CB_MssidEncryption;
    QComboBox *CB_WepEncryp;
    QComboBox *CB_KeyType;
    QComboBox *CB_DefaultKey;
    QLineEdit *Ed_Key;
    QLineEdit *Ed_ConfirmKey;
    // Passphrase or RADIUS settings
    QGroupBox *GB_Passphrase;
    QComboBox *CB_WPAMode;
    QComboBox *CB_CipherType;
    QLineEdit *Ed_UpdateInterval;
    QLineEdit *Ed_KeyUpdate;
    QLineEdit *Ed_Passphrase;
    QLineEdit *Ed_ConfirmPass;
    QComboBox *CB_AutoRekeyType;
    QComboBox *CB_TimeWeek;
    QComboBox *CB_TimeHour;
    QComboBox *CB_TimeSec;
    QLineEdit *Ed_TimeInterval;
    QLineEdit *Ed_AutoRekeyPassphrase;
    QGroupBox *GB_Radius;
    QLineEdit *Edt_RadiusServer;
    QLineEdit *Edt_RadiusPort;
    QLineEdit *Edt_RadiusSecret;
    // The enabled SSIDs
    QGroupBox *GB_MultiSSID;
    ReportListView *LV_MultiSSID_User;
    QPushButton *DelButton;
    QPushButton *AddButton;
    QPushButton *ApplyBtn;
    QPushButton *CancelBtn;
    // Values for the rules, never shown
    QComboBox *CB_ApMode;
    ReportListView *MulSSIDListView;
    QLabel *Lb_Ifindex;
    QLabel *Lb_Ssidindex;
    QComboBox *CB_IdvState;
    QComboBox *CB_dot11Authentication;
    QComboBox *CB_Clipher;
    QLineEdit *Ed_TimeStart;
    ReportListView *LV_RadiusServer;
    QComboBox *Cbox_MultiRadser;

    void AddButtonClick();
    void DelButtonClick();
    void ApplyBtnClick();
    void CancelBtnClick();
    void IfEnabMuSSIDClick();
    void Chk_MultiPriClick();
    void CB_IndexChange();
    void LV_MultiSSID_UserClick();
    void CB_SSIDSecurityModeChange();
    void CB_SecurityModeChange();
    void CB_MssidEncryptionChange();
    void CB_KeyTypeChange();
    void CB_WepEncrypChange();
    void CB_DefaultKeyChange();
    void CB_AutoRekeyTypeChange();

protected:
    void applyRules() override;

private:
    void makeRequests();
    void ssidTableRead(const VtSNMPError &result);
    void ssidTableWritten(const VtSNMPError &result);

    int apModeIndex() const;
    int selectedIndex() const;
    bool multiSsidChecked() const;
    security::SecurityKind kind() const;
    /// Multi-SSID with the AP mode "WDS" or "Wireless Client": the mode goes to "Access Point"
    /// before a write.
    bool needsAccessPoint() const;
    void multiSsidBoxRule();
    void securityVisibility();
    void fillSecurityLists();
    void applyKeyLimits();
    void rebuildVisibleList();
    std::vector<mssidrules::SsidRow> ssidRows() const;
    QStringList visibleCaptions() const;
    bool warningArmed() const;
    void setWarningArmed(bool armed);

    // Add.
    void addPrimary(MemberSwitch &row);
    void addAdditional(MemberSwitch &row, bool periodicShown);
    bool checkPersonal(MemberSwitch &row, bool periodicShown);
    bool checkWep(MemberSwitch &row);
    /// The interval, RADIUS server, port and secret; then the RADIUS row is written.
    bool writeRadius(QLineEdit *interval, bool dot1x);
    void setCipher();
    bool refuseText(QWidget *field, const char *caption, const QString &text, int actions);

    VtSNMPRequest2Edits *m_apMode = nullptr;
    VtSNMPRequest2Edits *m_band = nullptr;
    VtSNMPRequest2Edits *m_state = nullptr;
    VtSNMPRequest2Edits *m_ssids = nullptr;
    VtSNMPRequest2Edits *m_radius = nullptr;

    bool m_checkLogArmed = false; // a table write may have made the device generate a key
    bool m_listClick = false;
    bool m_deleteAllowed = false; // an additional SSID's row of the visible list was clicked
    bool m_keepSaveText = false;  // the table read after a Save leaves its outcome standing
    QString m_primaryAuthentication;
    QString m_primaryRekey;
};
