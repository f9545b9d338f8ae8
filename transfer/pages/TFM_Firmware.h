// Installs a firmware image, an SSL certificate and key, or a language pack: the device fetches
// the chosen file from this page's TFTP server, installs it and, for firmware and language packs,
// restarts.
#pragma once

#include "TFM_Page.h"
#include "TransferFlow.h"

class QComboBox;
class QLineEdit;
class QPushButton;

class TFM_Firmware : public TFM_Page
{
    Q_OBJECT

public:
    TFM_Firmware(QWidget *owner, const PageContext &context);
    ~TFM_Firmware() override;

    void FormCreate() override;

    transfer::TransferFlow &flow() { return m_flow; }

    QLineEdit *Ed_UpgFile;
    QLineEdit *EDT_Certificate;
    QLineEdit *EDT_Key;
    QLineEdit *Ed_UpLanguageFile;
    QLineEdit *Ed_TfpSrv;
    QLineEdit *Ed_RemoteFile;
    QComboBox *CB_TfpCom;
    QComboBox *CB_UpgCom;
    QPushButton *Bt_Browse;
    QPushButton *Bt_OK;
    QPushButton *Bt_CBrowse;
    QPushButton *Bt_CUpload;
    QPushButton *Bt_KBrowse;
    QPushButton *Bt_KUpload;
    QPushButton *Bt_Language;
    QPushButton *Bt_Lpack;

    void Bt_BrowseClick();
    void Bt_CBrowseClick();
    void Bt_KBrowseClick();
    void Bt_LanguageClick();
    void Bt_OKClick();
    void Bt_CUploadClick();
    void Bt_KUploadClick();
    void Bt_LpackClick();

private:
    enum Kind {
        kNone = 0,
        kFirmware = 1,
        kCertificate = 2,
        kKey = 3,
        kLanguage = 4
    };

    void browse(QLineEdit *field, const char *filter, bool copyToRemote);
    void upload(Kind kind);
    bool checkFile(Kind kind, QLineEdit *field);
    void commandDone(const VtSNMPError &result);
    void installDone(const VtSNMPError &result);
    /// Upload buttons follow the server, a command in progress and the key rule.
    void updateButtons();
    QLineEdit *fieldOf(Kind kind) const;

    transfer::TransferFlow m_flow;
    VtSNMPRequest2Edits *m_address = nullptr;
    VtSNMPRequest2Edits *m_command = nullptr;
    VtSNMPRequest2Edits *m_install = nullptr;
    Kind m_kind = kNone;
    bool m_uploadStarted = false;
    bool m_installing = false;
    bool m_rebooting = false;
    bool m_commandRunning = false;
    bool m_keyAllowed = false; // a key goes only after a certificate
};
