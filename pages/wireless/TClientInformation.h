// Status \ Client Information: the wireless clients the access point serves, collected afresh by
// the device on opening and on Refresh.
#pragma once

#include "TFM_Page.h"

class QComboBox;
class QLabel;
class QPushButton;
class ReportListView;

class TClientInformation : public TFM_Page
{
    Q_OBJECT

public:
    explicit TClientInformation(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QLabel *Lb_Band;
    QLabel *NumOfRecord;
    ReportListView *User_ListView;
    QPushButton *Bt_Rfrsh;
    QPushButton *Bt_Close;
    // Values carried between the device and the rules.
    QComboBox *IfGetInfo0;
    QComboBox *CB_Band;
    ReportListView *ClientListView; ///< the client table as the device holds it

protected:
    void applyRules() override;

private:
    void Bt_RfrshClick();
    void Bt_CloseClick();

    void clientsRefreshed(const VtSNMPError &result);
    void clientsRead(const VtSNMPError &result);

    /// The refresh write; the page stays open until the clients it collects are read.
    void detect();
    void rebuild();
    void showCount();

    VtSNMPRequest2Edits *m_refresh = nullptr;
    VtSNMPRequest2Edits *m_band = nullptr;
    VtSNMPRequest2Edits *m_clients = nullptr;
};
