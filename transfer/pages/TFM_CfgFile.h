// Saves the device's configuration to a file on this computer and restores a saved one, both
// through this page's TFTP server.
#pragma once

#include "TFM_Page.h"
#include "TransferFlow.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TFM_CfgFile : public TFM_Page
{
    Q_OBJECT

public:
    TFM_CfgFile(QWidget *owner, const PageContext &context);
    ~TFM_CfgFile() override;

    void FormCreate() override;

    transfer::TransferFlow &flow() { return m_flow; }

    QLineEdit *Ed_UpgFile;
    QLineEdit *Ed_SaveFile;
    QLineEdit *Ed_TfpSrv;
    QComboBox *CB_TfpCom;
    QComboBox *CB_UpgCom;
    QPushButton *Bt_Browse;
    QPushButton *Bt_OK;
    QPushButton *Bt_SavBrw;
    QPushButton *Bt_Upload;

    void Bt_BrowseClick();
    void Bt_SavBrwClick();
    void Bt_OKClick();
    void Bt_UploadClick();

private:
    transfer::TransferStart startTransfer(
        const QString &path, const QString &remoteName, int direction, int command);
    void commandDone(const VtSNMPError &result);
    void installDone(const VtSNMPError &result);
    /// Ends a restore or save that failed: the message, the notice closed, the page usable.
    void fail(const char *text);
    void updateButtons();

    transfer::TransferFlow m_flow;
    VtSNMPRequest2Edits *m_address = nullptr;
    VtSNMPRequest2Edits *m_install = nullptr;
    VtSNMPRequest2Edits *m_command = nullptr;
    bool m_restore = false;
    bool m_save = false;
    bool m_rebooting = false;
};
