// Advanced \ Performance: the radio's fine settings (wireless mode, data rate, short guard
// interval, beacon and DTIM intervals, transmit power, WMM, radio on/off, connection and user
// limit, ACK time-out, multicast rate, IGMP snooping), usable by band, AP mode, wireless mode and
// security; Save writes the wireless mode, the performance objects and the multicast rate.
#pragma once

#include "TFM_Page.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFM_Performace : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_Performace(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QComboBox *CB_WMode1;
    QComboBox *CB_WMode2;
    QComboBox *CB_DRate;
    QComboBox *CB_ShortGI;
    QLineEdit *Ed_BeInta;
    QLineEdit *Ed_DTIMa;
    QComboBox *CB_TranPa;
    QComboBox *CB_WMM;
    QComboBox *CB_Radio;
    QComboBox *CB_Grouping;
    QLineEdit *Ed_ULimit;
    QLabel *Label_Ack;
    QLineEdit *Ed_AckTimeOut;
    QLabel *LB_RateBand;
    QComboBox *CB_RateBand;
    QComboBox *CB_IGMPSnooping;
    QPushButton *Bt_Apply_a;
    QPushButton *Bt_Refresh_a;
    // Values carried between the device and the rules.
    QComboBox *CB_Wireless;
    QComboBox *CB_ApMode;
    QComboBox *CB_ChanWidth;
    QComboBox *CB_dot11Authentication;
    QComboBox *CB_dot11Encryption;
    QComboBox *CB_Clipher;
    QLineEdit *Ed_TRate;
    QComboBox *CB_Link;
    QLineEdit *Ed_24GDataRateList;
    QLineEdit *Ed_5GDataRateList;
    QLineEdit *Ed_RateABandList;
    QLineEdit *Ed_RateGBandList;
    QLineEdit *Ed_RateABand;
    QLineEdit *Ed_RateGBand;

private:
    void Bt_Apply_aClick();
    void Bt_Refresh_aClick();
    void CB_WMode1Change();
    void CB_WMode2Change();
    void CB_GroupingChange();
    void CB_IGMPSnoopingChange();
    void CB_RateBandChange();

    /// The eight reads, the band's labels and selector, the band and mode rule; "Get OK!" only
    /// when every read succeeded, else the first failure's message.
    void refresh();
    /// The wireless mode change of one band's selector (options::BandIndex).
    void wirelessModeChange(int band);
    void bandAndModeRule();
    void fillDataRates(int band, bool n80211);
    void fillMulticastRates(int band, bool n80211);
    bool weakSecurity() const;
    int currentBand() const;
    int apMode() const;
    QComboBox *modeSelector(int band) const;
    /// A failure of `request` during a refresh is noted for refresh() to show (the first one);
    /// at other times a request with a message target writes its result line.
    void noteFailures(VtSNMPRequest2Edits *request);

    VtSNMPRequest2Edits *m_security = nullptr;
    VtSNMPRequest2Edits *m_cipher = nullptr;
    VtSNMPRequest2Edits *m_performance = nullptr;
    VtSNMPRequest2Edits *m_apMode = nullptr;
    VtSNMPRequest2Edits *m_channelWidth = nullptr;
    VtSNMPRequest2Edits *m_band = nullptr;
    VtSNMPRequest2Edits *m_multicast = nullptr;
    VtSNMPRequest2Edits *m_wifiMode = nullptr;

    // The first read of a refresh that failed, and what it said.
    VtSNMPRequest2Edits *m_failedRead = nullptr;
    QString m_failure;
    bool m_collecting = false;
};
