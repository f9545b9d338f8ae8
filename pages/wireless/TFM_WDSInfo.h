// Status \ WDS Information: the access points linked to this one by WDS, collected afresh by the
// device on opening and on Refresh, and the radio's channel.
#pragma once

#include "TFM_Page.h"

class QComboBox;
class QLabel;
class QPushButton;
class ReportListView;

class TFM_WDSInfo : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_WDSInfo(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QLabel *Lb_Channel;
    QLabel *Lb_Band;
    ReportListView *WDS_ClientListView;
    QPushButton *Btn_Refresh;
    QPushButton *Btn_Close;
    // Values carried between the device and the rules.
    QComboBox *IfGetInfo1;
    ReportListView *WDS_ListView; ///< the WDS table as the device holds it

protected:
    void applyRules() override;

private:
    void Btn_RefreshClick();
    void Btn_CloseClick();

    void wdsRefreshed(const VtSNMPError &result);
    void wdsRead(const VtSNMPError &result);

    void rebuild();

    VtSNMPRequest2Edits *m_channel = nullptr;
    VtSNMPRequest2Edits *m_refresh = nullptr;
    VtSNMPRequest2Edits *m_wds = nullptr;
};
