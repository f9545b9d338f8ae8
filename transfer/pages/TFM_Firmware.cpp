#include "TFM_Firmware.h"

#include "DeviceState.h"
#include "VtUi.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

using namespace transfer;

namespace {

void warn(QWidget *owner, const char *text, QLineEdit *focus = nullptr)
{
    VtUi::current().messageOk(owner, QStringLiteral("Warning"), QString::fromUtf8(text));
    if (focus) {
        focus->setFocus();
    }
}

} // namespace

TFM_Firmware::TFM_Firmware(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Tools \\ Firmware & SSL"), context),
      m_flow(*this, 3000, [this](const QString &text) { setStatus(text); })
{
    form().beginGroup("GroupBox1", QStringLiteral("Update Firmware From Local Hard Drive"));
    Ed_UpgFile = form().addEdit("Ed_UpgFile", QStringLiteral("Upload Firmware From File:"));
    form().endGroup();
    form().beginGroup(
        "GroupBox2", QStringLiteral("Update SSL Certification From Local Hard Drive"));
    EDT_Certificate =
        form().addEdit("EDT_Certificate", QStringLiteral("Upload Certificate From File :"));
    EDT_Key = form().addEdit("EDT_Key", QStringLiteral("Upload Key From File : "));
    form().endGroup();
    form().beginGroup("GroupBox3", QStringLiteral("Language Pack Upgrade"));
    Ed_UpLanguageFile =
        form().addEdit("Ed_UpLanguageFile", QStringLiteral("Upload Language From File:"));
    form().endGroup();
    Ed_TfpSrv = form().addHiddenEdit("Ed_TfpSrv");
    Ed_RemoteFile = form().addHiddenEdit("Ed_RemoteFile");
    CB_TfpCom = form().addHiddenCombo("CB_TfpCom");
    CB_UpgCom = form().addHiddenCombo("CB_UpgCom");
    Bt_Browse = form().addButton("Bt_Browse", QStringLiteral("Browse"));
    Bt_OK = form().addButton("Bt_OK", QStringLiteral("Upload"));
    Bt_CBrowse = form().addButton("Bt_CBrowse", QStringLiteral("Browse"));
    Bt_CUpload = form().addButton("Bt_CUpload", QStringLiteral("Upload"));
    Bt_KBrowse = form().addButton("Bt_KBrowse", QStringLiteral("Browse"));
    Bt_KUpload = form().addButton("Bt_KUpload", QStringLiteral("Upload"));
    Bt_Language = form().addButton("Bt_Language", QStringLiteral("Browse"));
    Bt_Lpack = form().addButton("Bt_Lpack", QStringLiteral("Upload"));
    for (QLineEdit *e : {Ed_UpgFile, EDT_Certificate, EDT_Key, Ed_UpLanguageFile}) {
        e->clear();
    }

    connect(Bt_Browse, &QPushButton::clicked, this,
        [this] { browse(Ed_UpgFile, "Firmware bin files (*.bin);;All files (*)", true); });
    connect(Bt_CBrowse, &QPushButton::clicked, this,
        [this] { browse(EDT_Certificate, "SSL files (*.pem);;All files (*)", false); });
    connect(Bt_KBrowse, &QPushButton::clicked, this,
        [this] { browse(EDT_Key, "Key files (*.pem);;All files (*)", false); });
    connect(Bt_Language, &QPushButton::clicked, this,
        [this] { browse(Ed_UpLanguageFile, "Language bin files (*.bin);;All files (*)", true); });
    connect(Bt_OK, &QPushButton::clicked, this, [this] { upload(kFirmware); });
    connect(Bt_CUpload, &QPushButton::clicked, this, [this] { upload(kCertificate); });
    connect(Bt_KUpload, &QPushButton::clicked, this, [this] { upload(kKey); });
    connect(Bt_Lpack, &QPushButton::clicked, this, [this] { upload(kLanguage); });
    updateButtons();
}

TFM_Firmware::~TFM_Firmware()
{
    m_flow.stop();
}

void TFM_Firmware::FormCreate()
{
    guarded([&] {
        m_address = makeRequest(kTftpAddressVars, itScalars, 40000);
        m_address->BindControl(0, Ed_TfpSrv);
        m_address->BindControl(1, Ed_RemoteFile);
        m_command = makeRequest(kTftpCommandVars, itScalars, 15000, true);
        m_command->BindCombo(0, CB_TfpCom);
        m_command->SetMessageTarget(statusTarget());
        m_command->OnSetDone = [this](VtSNMPRequest2Controls *, const VtSNMPError &result) {
            commandDone(result);
        };
        m_install = makeRequest(kTftpInstallVars, itScalars, 30000, true);
        m_install->BindCombo(0, CB_UpgCom);
        m_install->OnSetDone = [this](VtSNMPRequest2Controls *, const VtSNMPError &result) {
            installDone(result);
        };
    });
    m_flow.open();
    updateButtons();
    if (context().device && context().device->keyRestartState() == DeviceState::KeyRestartPending) {
        VtUi::current().messageOk(this, QStringLiteral("Warning"),
            QStringLiteral("Please reboot the device for update ssl key setting."));
    }
}

void TFM_Firmware::updateButtons()
{
    const bool free = m_flow.ready() && !m_commandRunning && m_command;
    Bt_OK->setEnabled(free);
    Bt_CUpload->setEnabled(free);
    Bt_Lpack->setEnabled(free);
    EDT_Key->setEnabled(m_keyAllowed);
    Bt_KBrowse->setEnabled(m_keyAllowed);
    Bt_KUpload->setEnabled(free && m_keyAllowed);
}

QLineEdit *TFM_Firmware::fieldOf(Kind kind) const
{
    switch (kind) {
    case kFirmware:
        return Ed_UpgFile;
    case kCertificate:
        return EDT_Certificate;
    case kKey:
        return EDT_Key;
    default:
        return Ed_UpLanguageFile;
    }
}

void TFM_Firmware::browse(QLineEdit *field, const char *filter, bool copyToRemote)
{
    const QString path = VtUi::current().openFileName(
        this, QString(), QFileInfo(field->text()).absolutePath(), QString::fromUtf8(filter));
    if (path.isEmpty()) {
        return;
    }
    field->setText(path);
    if (copyToRemote) {
        Ed_RemoteFile->setText(path);
    }
}

bool TFM_Firmware::checkFile(Kind kind, QLineEdit *field)
{
    const QString path = field->text();
    const bool found = QFileInfo(path).isFile();
    switch (kind) {
    case kFirmware:
        if (namesNoFile(path)) {
            warn(this, "Please put in the firmware file & path.");
            return false;
        }
        if (!path.contains(QLatin1String(".tfp")) && !path.contains(QLatin1String(".bin"))) {
            warn(this, "Please put in valid firmware file & path.");
            return false;
        }
        if (!found) {
            warn(this, "Please put in valid firmware file & path.");
            return false;
        }
        return true;
    case kCertificate:
    case kKey:
        if (namesNoFile(path)) {
            warn(this, "Empty file is not accepted!", field);
            return false;
        }
        if (!path.contains(QLatin1String(".pem"))) {
            warn(this, "File format error! Please try again.", field);
            return false;
        }
        if (!found) {
            warn(this, "Please put in valid pem file & path.");
            return false;
        }
        return true;
    default:
        if (namesNoFile(path)) {
            warn(this, "Empty file is not accepted!", field);
            return false;
        }
        if (!found) {
            warn(this, "Please put in valid Language file & path.");
            return false;
        }
        return true;
    }
}

void TFM_Firmware::upload(Kind kind)
{
    if (!m_flow.ready() || !m_command || m_commandRunning) {
        return;
    }
    // Every upload button stays disabled until the device has answered the fetch command, so a
    // second upload cannot install the first file under another command.
    m_commandRunning = true;
    updateButtons();
    const auto refuse = [this] {
        m_commandRunning = false;
        updateButtons();
    };
    QLineEdit *field = fieldOf(kind);
    if (!checkFile(kind, field)) {
        refuse();
        return;
    }
    if (!m_flow.localAddress(Ed_TfpSrv)) {
        refuse();
        return;
    }
    const QString path = field->text();
    QString directory;
    QString name;
    if (!splitPath(path, directory, name)) {
        warn(this, "The file path is error.");
        refuse();
        return;
    }
    if (!m_flow.serve(directory, name, tftpReadRequest)) {
        refuse();
        return;
    }
    m_kind = kind;
    Ed_TfpSrv->setText(Ed_TfpSrv->text().trimmed());
    Ed_RemoteFile->setText(name);
    guarded([&] {
        m_address->Set();
        m_uploadStarted = true;
        CB_TfpCom->setCurrentIndex(kGet);
        m_command->Set();
    });
    field->setText(path);
}

void TFM_Firmware::commandDone(const VtSNMPError &result)
{
    // The device answers the command only once the transfer is over.
    m_flow.endTransfer();
    m_commandRunning = false;
    if (result.Code != 0) {
        warn(this, "Can't Perform Operation,Please try again!");
        setStatus(result.Message);
        updateButtons();
        return;
    }
    setStatus(result.Message);
    updateButtons();
    if (!m_uploadStarted) {
        return;
    }
    m_uploadStarted = false;
    switch (m_kind) {
    case kFirmware:
    case kLanguage: {
        const bool firmware = m_kind == kFirmware;
        setEnabled(false);
        m_flow.runWaiting(5,
            firmware ? QStringLiteral("Loading firmware file...")
                     : QStringLiteral("Loading language file..."));
        setEnabled(true);
        CB_UpgCom->setCurrentIndex(kFirmwareUpdate);
        m_installing = true;
        m_flow.showProgress(firmware ? QStringLiteral("Updating firmware file now...")
                                     : QStringLiteral("Updating Language Pack now..."),
            QStringLiteral("Please DO NOT POWER OFF the device !"));
        guarded([&] { m_install->Set(); });
        break;
    }
    case kCertificate:
    case kKey: {
        const bool certificate = m_kind == kCertificate;
        CB_UpgCom->setCurrentIndex(certificate ? kCertificateUpdate : kKeyUpdate);
        m_installing = false;
        guarded([&] { m_install->Set(); });
        m_flow.runWaiting(5, QStringLiteral("Loading pem file..."));
        m_keyAllowed = certificate;
        updateButtons();
        break;
    }
    default:
        break;
    }
}

void TFM_Firmware::installDone(const VtSNMPError &result)
{
    if (m_rebooting) {
        m_rebooting = false; // the restart's own answer changes nothing
        return;
    }
    if (result.Code != 0) {
        setStatus(result.Message);
        if (m_installing) {
            m_installing = false;
            m_flow.closeProgress();
        }
        return;
    }
    if (!m_installing) {
        if (m_kind == kCertificate) {
            VtUi::current().messageOk(
                this, QStringLiteral("OK"), QStringLiteral("Update SSL success!"));
            EDT_Certificate->clear();
        } else if (m_kind == kKey) {
            EDT_Key->clear();
            if (context().device) {
                context().device->setKeyRestartState(DeviceState::KeyRestartPending);
            }
            VtUi::current().messageOk(this, QStringLiteral("OK"),
                QStringLiteral(
                    "Update KEY success!Please reboot the device for update ssl key setting."));
        }
        return;
    }
    m_flow.closeProgress();
    setStatus(result.Message);
    CB_UpgCom->setCurrentIndex(kReboot);
    m_installing = false;
    m_rebooting = true;
    bool sent = false;
    guarded([&] { sent = m_install->Set(); });
    if (!sent) {
        m_rebooting = false;
        VtUi::current().messageOk(this, QString(), QStringLiteral("Set error!"));
        return;
    }
    const bool firmware = m_kind == kFirmware;
    setEnabled(false);
    m_flow.runWaiting(60, QStringLiteral("Device is restarting..."));
    VtUi::current().messageOk(this, QStringLiteral("OK"),
        firmware ? QStringLiteral("Update firmware success!")
                 : QStringLiteral("Update language file success!"));
    setEnabled(true);
    if (context().device) {
        context().device->setKeyRestartState(DeviceState::KeyRestartDone);
    }
}
