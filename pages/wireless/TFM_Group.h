// Advanced \ Grouping: load balancing in access-point mode and the number of clients the access
// point takes; Apply writes both in one SET behind the progress notice.
#pragma once

#include "TFM_Page.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFM_Group : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_Group(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QLabel *Lb_Grouping;
    QComboBox *CB_LoadB;
    QLineEdit *Ed_UsrL;
    QComboBox *CB_APMode;
    QComboBox *CB_DeviceApplySetting;
    QPushButton *Bt_Apply;
    QPushButton *Bt_Refresh;
    QPushButton *Bt_Cancel;

private:
    void Bt_ApplyClick();
    void Bt_RefreshClick();
    void CB_LoadBChange();
    /// "Load Balance" only in access-point mode, the user limit editable only with it on.
    void updateEnabling();

    VtSNMPRequest2Edits *m_grouping = nullptr;
    VtSNMPRequest2Edits *m_mode = nullptr;
    VtSNMPRequest2Edits *m_apply = nullptr;
};
