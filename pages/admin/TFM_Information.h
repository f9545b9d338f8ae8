// Home \ Information: the device's system group; contact, name and location can be changed.
#pragma once

#include "TFM_Page.h"

class QLineEdit;
class QPushButton;

class TFM_Information : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_Information(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;
    void Bt_RefreshClick();
    void Bt_SaveClick();

    QLineEdit *Ed_SD;
    QLineEdit *Ed_SO;
    QLineEdit *Ed_SU;
    QLineEdit *Ed_SC;
    QLineEdit *Ed_SN;
    QLineEdit *Ed_SL;
    QPushButton *Bt_Refresh;
    QPushButton *Bt_Save;

private:
    VtSNMPRequest2Edits *m_system = nullptr;
};
