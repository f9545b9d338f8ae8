// Home \ Wireless: the radio (band, mode, SSID, channel, channel width), the remote access points
// of a WDS link, the site survey, MAC cloning in client mode, and the primary SSID's security
// (WirelessSecuritySection); one Save writes them in the order the device needs.
#pragma once

#include "TFM_Page.h"

#include <array>
#include <memory>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class ReportListView;
class WirelessSecuritySection;

class TFM_Wirless : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_Wirless(QWidget *owner, const PageContext &context = {});
    ~TFM_Wirless() override;

    void FormCreate() override;

    WirelessSecuritySection &security() const { return *m_security; }

    /// The AP mode item index (options::ApModeIndex) the page shows; -1 for none.
    int apModeIndex() const;
    /// The multi-SSID state read from the device is "Enable".
    bool multiSsidEnabled() const;
    /// The visibility rules of the mode (with the security half's), ending with the channel
    /// width rule.
    void visibilityPass();
    void channelWidthRule();

    // Wireless network settings.
    QComboBox *CB_Applicaiton;
    QComboBox *CB_Band;
    QComboBox *CB_APMode;
    QLineEdit *Ed_SSID;
    QComboBox *CB_SsidBroadcast;
    QComboBox *CB_AuSc;
    QComboBox *CB_Chanal;
    QComboBox *CB_ChannelWidth;
    // WDS.
    QGroupBox *GB_WDS;
    std::array<QLineEdit *, 8> Ed_ReMAddra; // Ed_ReMAddra0 .. Ed_ReMAddra7; 5 to 8 stay hidden
    // Site survey.
    QGroupBox *GB_SiteSurvey;
    QPushButton *SiteScan;
    ReportListView *LV_ClientSiteServey;
    ReportListView *LV_WdsSiteServey;
    // MAC clone.
    QGroupBox *GB_MacClone;
    QComboBox *Cbox_Status;
    QComboBox *Cbox_MacSource;
    QLineEdit *Ed_CloneMac;
    QPushButton *Bt_CloneScan;
    ReportListView *LV_MacClone;
    // Values carried between the device and the rules.
    QLineEdit *Ed_Channel;
    QLineEdit *Ed_ChanListA;
    QLineEdit *Ed_BaseChannel;
    QComboBox *CB_WMode1;
    QComboBox *CB_WMode2;
    QComboBox *CB_MultEnable;
    QLineEdit *Ed_APModeChange;
    QComboBox *CB_LimitVidStatus;
    QComboBox *CB_VlanStatus;
    QLineEdit *ED_IndoorWdsChannelList;
    QLineEdit *ED_IndoorChannelList;
    QLineEdit *ED_OutdoorChannelList;
    QLineEdit *ED_Country;
    QComboBox *CB_App;
    ReportListView *Lv_RemoteMac;
    QComboBox *CB_RemoveMac;
    QComboBox *CB_SiteScan;
    QComboBox *CB_WdsSiteScan;
    QComboBox *Cbox_CloneScan;

    QPushButton *Bt_Apply;
    QPushButton *Bt_Refresh;
    QPushButton *Bt_Close;

protected:
    void applyRules() override;

private:
    friend class WirelessSecuritySection;

    void Bt_ApplyClick();
    void Bt_RefreshClick();
    void Bt_CloseClick();
    void SiteScanClick();
    void Bt_CloneScanClick();
    void CB_BandChange();
    void CB_ApplicaitonChange();
    void CB_APModeChange();
    void CB_AuScClick();
    void CB_ChanalChange();
    void Cbox_StatusChange();
    void Cbox_MacSourceChange();
    void LV_ClientSiteServeyClick();
    void LV_WdsSiteServeyClick();
    void LV_MacCloneClick();

    // Completions.
    void remoteApsRead(const VtSNMPError &result);
    void surveyRefreshed(const VtSNMPError &result);
    void surveyRead(const VtSNMPError &result);
    void cloneTableRead(const VtSNMPError &result);

    void makeRequests();
    /// The opening's reads and rules, or Refresh's (without what only the opening does).
    void readSequence(bool opening);
    void fillApplicationList();
    void fillApModeList();
    void fillChannelList();
    void autoChannelScanRule();
    void prepareRemoteAps();
    void surveyRowClicked(ReportListView *list);
    bool modeIs(const char *mode) const;
    bool wdsMode() const;
    bool surveyBlocked() const;
    bool tablesBusy() const;

    // Save.
    bool checkSsid();
    bool checkRemoteAps();
    bool checkClone();
    bool writeCloneStatus();
    /// The clone source and address; the second write of a save takes the address whenever
    /// there is one.
    bool writeCloneAddress(bool second);
    /// Delete-all, then the filled slots in one SET.
    bool writeRemoteAps();

    enum class SaveEnd {
        Refused, ///< a check refused the input; nothing was written
        Written, ///< every write the save counts succeeded
        Failed,
    };
    /// The checks, the switches and the writes; every member is back in when it returns.
    SaveEnd save();

    std::unique_ptr<WirelessSecuritySection> m_security;

    VtSNMPRequest2Edits *m_network = nullptr;
    VtSNMPRequest2Edits *m_baseChannel = nullptr;
    VtSNMPRequest2Edits *m_wifiMode24 = nullptr;
    VtSNMPRequest2Edits *m_wifiMode5 = nullptr;
    VtSNMPRequest2Edits *m_multiSsid = nullptr;
    VtSNMPRequest2Edits *m_apModeStatus = nullptr;
    VtSNMPRequest2Edits *m_manager = nullptr;
    VtSNMPRequest2Edits *m_vlan = nullptr;
    VtSNMPRequest2Edits *m_indoorWdsList = nullptr;
    VtSNMPRequest2Edits *m_indoorList = nullptr;
    VtSNMPRequest2Edits *m_outdoorList = nullptr;
    VtSNMPRequest2Edits *m_country = nullptr;
    VtSNMPRequest2Edits *m_application = nullptr;
    VtSNMPRequest2Edits *m_remoteAdd = nullptr;
    VtSNMPRequest2Edits *m_remoteTable = nullptr;
    VtSNMPRequest2Edits *m_remoteDelete = nullptr;
    VtSNMPRequest2Edits *m_surveyRefresh = nullptr;
    VtSNMPRequest2Edits *m_survey = nullptr;
    VtSNMPRequest2Edits *m_wdsSurveyRefresh = nullptr;
    VtSNMPRequest2Edits *m_wdsSurvey = nullptr;
    VtSNMPRequest2Edits *m_cloneStatus = nullptr;
    VtSNMPRequest2Edits *m_cloneRefresh = nullptr;
    VtSNMPRequest2Edits *m_cloneAddress = nullptr;
    VtSNMPRequest2Edits *m_cloneTable = nullptr;

    QString m_loadedApMode;
    int m_loadedBroadcast = -1;
    int m_loadedBand = -1;
    int m_rememberedChannel = -1;
    bool m_n80211 = true;
    bool m_surveyIdle = true;
    bool m_surveyOfWds = false;      // the scan under way refreshed the WDS survey
    bool m_cloneScanAllowed = false; // the clone rules enable the clone "Scan"
};
