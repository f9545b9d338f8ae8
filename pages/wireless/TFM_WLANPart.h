// Advanced \ Filter \ WLAN Partition: link integrity, Ethernet-to-WLAN access, and whether the
// stations of the primary SSID and of SSIDs 1 to 3 may reach each other; one Save writes them.
#pragma once

#include "TFM_Page.h"

#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;
class VtRadioGroup;

class TFM_WLANPart : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_WLANPart(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QComboBox *CB_WBand;
    QComboBox *Cbox_LinkInte;
    QComboBox *CB_WLANAccess;
    std::array<VtRadioGroup *, 8> RadioGroup; // RadioGroup1 .. RadioGroup8; 5 to 8 stay hidden
    QPushButton *Btn_Apply;
    QPushButton *Btn_Refresh;
    QPushButton *Btn_Close;
    QComboBox *Cbox_PriSSID;
    std::array<QComboBox *, 7> Cbox_MultiSSID; // Cbox_MultiSSID1 .. Cbox_MultiSSID7
    QComboBox *CB_ApMode;
    QCheckBox *Chkbox_MulssidStatus;

private:
    void Btn_ApplyClick();
    void Btn_RefreshClick();
    void Btn_CloseClick();
    void CB_WLANAccessChange();
    void Chkbox_MulssidStatusClick();
    void modeRule();
    /// The hidden selector behind radio group `k` (0 the primary SSID).
    QComboBox *selector(std::size_t k) const;
    void selectorsToRadioGroups();
    void radioGroupsToSelectors();

    VtSNMPRequest2Edits *m_band = nullptr;
    VtSNMPRequest2Edits *m_apMode = nullptr;
    VtSNMPRequest2Edits *m_multiSsid = nullptr;
    VtSNMPRequest2Edits *m_partition = nullptr;
};
