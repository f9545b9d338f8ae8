// Home \ LAN: how the access point gets its own address (static or from a DHCP server), and the
// static address, mask and gateway.
#pragma once

#include "TFM_Page.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TFM_LanCfg : public TFM_Page
{
    Q_OBJECT

public:
    explicit TFM_LanCfg(QWidget *owner, const PageContext &context = {});

    void FormCreate() override;

    QComboBox *CB_IPFrom;
    QLineEdit *ED_IpAddr;
    QLineEdit *ED_SubMask;
    QLineEdit *ED_DefGw;
    QPushButton *BT_LanCfgOk;
    QPushButton *BT_LanCfgCancel;

private:
    void BT_LanCfgOkClick();
    void CB_IPFromChange();
    void applyVisibilityRule();
    /// Writes the IP source the operator chose; once the device took it, that is its mode.
    bool writeIpSource();

    VtSNMPRequest2Edits *m_ipSource = nullptr;
    VtSNMPRequest2Edits *m_lanAddress = nullptr;
    int m_deviceMode = -1; // the device's IP source as last read or written; -1 not known
};
