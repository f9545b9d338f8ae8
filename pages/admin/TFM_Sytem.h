// Device commands: restart the access point, restore its factory defaults, clear its language
// pack; each after the operator confirmed it.
#pragma once

#include "TFM_Page.h"

class QComboBox;
class QPushButton;

class TFM_Sytem : public TFM_Page
{
    Q_OBJECT

public:
    TFM_Sytem(QWidget *owner, const PageContext &context);

    void FormCreate() override;

    QComboBox *CB_Restart;
    QComboBox *CB_Restore;
    QComboBox *Cbox_LanguagePack;
    QPushButton *Button1;
    QPushButton *Button2;
    QPushButton *Bt_LanguageClear;

private:
    void Button1Click();
    void Button2Click();
    void Bt_LanguageClearClick();
    /// Writes only object `index`; true when the device took it or did not answer in time (it may
    /// restart before it answers). A refused write leaves its message in the status bar.
    bool writeOnly(int index);

    VtSNMPRequest2Edits *m_commands = nullptr;
    VtSNMPError m_lastError;
};
