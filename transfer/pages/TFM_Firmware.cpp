#include "TFM_Firmware.h"

#include "DeviceState.h"
#include "VtUi.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

using namespace transfer;

namespace {

void warn(TFM_Page *page, const char *text, QLineEdit *focus = nullptr)
{
    page->refuse(focus, "Warning", text);
}

} // namespace

TFM_Firmware::TFM_Firmware(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Tools \\ Firmware & SSL"), context),
      m_flow(*this, 3000, [this](const QString &text) { setStatus(text); })
{
    form().beginGroup("GroupBox1", QStringLiteral("Update Firmware From Local Hard Drive"));
    Ed_UpgFile = form().addEdit("Ed_UpgFile", QStringLiteral("Upload Firmware From File:"));
    Bt_Browse =
        addFieldButton("Bt_Browse", QStringLiteral("Browse"), &TFM_Firmware::Bt_BrowseClick);
    Bt_OK = addFieldButton("Bt_OK", QStringLiteral("Upload"), &TFM_Firmware::Bt_OKClick);
    form().beginGroup(
        "GroupBox2", QStringLiteral("Update SSL Certification From Local Hard Drive"));
    EDT_Certificate =
        form().addEdit("EDT_Certificate", QStringLiteral("Upload Certificate From File :"));
    Bt_CBrowse =
        addFieldButton("Bt_CBrowse", QStringLiteral("Browse"), &TFM_Firmware::Bt_CBrowseClick);
    Bt_CUpload =
        addFieldButton("Bt_CUpload", QStringLiteral("Upload"), &TFM_Firmware::Bt_CUploadClick);
    EDT_Key = form().addEdit("EDT_Key", QStringLiteral("Upload Key From File : "));
    Bt_KBrowse =
        addFieldButton("Bt_KBrowse", QStringLiteral("Browse"), &TFM_Firmware::Bt_KBrowseClick);
    Bt_KUpload =
        addFieldButton("Bt_KUpload", QStringLiteral("Upload"), &TFM_Firmware::Bt_KUploadClick);
    form().beginGroup("GroupBox3", QStringLiteral("Language Pack Upgrade"));
    Ed_UpLanguageFile =
        form().addEdit("Ed_UpLanguageFile", QStringLiteral("Upload Language From File:"));
    Bt_Language =
        addFieldButton("Bt_Language", QStringLiteral("Browse"), &TFM_Firmware::Bt_LanguageClick);
    Bt_Lpack = addFieldButton("Bt_Lpack", QStringLiteral("Upload"), &TFM_Firmware::Bt_LpackClick);
    form().endGroup();
    Ed_TfpSrv = form().addHiddenEdit("Ed_TfpSrv");
    Ed_RemoteFile = form().addHiddenEdit("Ed_RemoteFile");
    CB_TfpCom = form().addHiddenCombo("CB_TfpCom");
    CB_UpgCom = form().addHiddenCombo("CB_UpgCom");
    for (QLineEdit *e : {Ed_UpgFile, EDT_Certificate, EDT_Key, Ed_UpLanguageFile}) {
        e->clear();
    }
    updateButtons();
}

void TFM_Firmware::Bt_BrowseClick()
{
    browse(Ed_UpgFile, "Firmware bin files (*.bin);;All files (*)", true);
}

void TFM_Firmware::Bt_CBrowseClick()
{
    browse(EDT_Certificate, "SSL files (*.pem);;All files (*)", false);
}

void TFM_Firmware::Bt_KBrowseClick()
{
    browse(EDT_Key, "Key files (*.pem);;All files (*)", false);
}

void TFM_Firmware::Bt_LanguageClick()
{
    browse(Ed_UpLanguageFile, "Language bin files (*.bin);;All files (*)", true);
}

void TFM_Firmware::Bt_OKClick()
{
    upload(kFirmware);
}

void TFM_Firmware::Bt_CUploadClick()
{
    upload(kCertificate);
}

void TFM_Firmware::Bt_KUploadClick()
{
    upload(kKey);
}

void TFM_Firmware::Bt_LpackClick()
{
    upload(kLanguage);
}

TFM_Firmware::~TFM_Firmware()
{
    m_flow.stop();
}

void TFM_Firmware::FormCreate()
{
    m_address = makeRequest(kTftpAddressVars, itScalars, 40000);
    bindControls(m_address, {Ed_TfpSrv, Ed_RemoteFile});
    m_command = makeRequest(
        kTftpCommandVars, itScalars, 15000, onSetDone(&TFM_Firmware::commandDone), statusTarget());
    bindControls(m_command, {CB_TfpCom});
    m_install =
        makeRequest(kTftpInstallVars, itScalars, 30000, onSetDone(&TFM_Firmware::installDone));
    bindControls(m_install, {CB_UpgCom});
    m_flow.open();
    updateButtons();
    if (context().device && context().device->keyRestartState() == DeviceState::KeyRestartPending) {
        inform(QStringLiteral("Warning"),
            QStringLiteral("Please reboot the device for update ssl key setting."));
    }
}

void TFM_Firmware::updateButtons()
{
    const bool free = m_flow.ready() && !m_commandRunning;
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
    if (!m_flow.ready() || m_commandRunning) {
        return;
    }
    QLineEdit *field = fieldOf(kind);
    if (!checkFile(kind, field)) {
        return;
    }
    // Every upload button stays disabled until the device has answered the fetch command, so a
    // second upload cannot install the first file under another command.
    m_commandRunning = true;
    updateButtons();
    const QString path = field->text();
    m_kind = kind;
    m_uploadStarted = true;
    transfer::TransferStep step;
    step.path = path;
    step.direction = tftpReadRequest;
    step.server = Ed_TfpSrv;
    step.remoteFile = Ed_RemoteFile;
    step.address = m_address;
    step.commandCombo = CB_TfpCom;
    step.commandIndex = kGet;
    step.commandRequest = m_command;
    const TransferStart started = m_flow.start(step);
    field->setText(path);
    if (started != TransferStart::Started && m_commandRunning) {
        m_uploadStarted = false;
        m_commandRunning = false;
        updateButtons();
    }
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
        runWaiting(5,
            firmware ? QStringLiteral("Loading firmware file...")
                     : QStringLiteral("Loading language file..."));
        CB_UpgCom->setCurrentIndex(kFirmwareUpdate);
        m_installing = true;
        showProgress(firmware ? QStringLiteral("Updating firmware file now...")
                              : QStringLiteral("Updating Language Pack now..."),
            QStringLiteral("Please DO NOT POWER OFF the device !"));
        m_install->Set();
        break;
    }
    case kCertificate:
    case kKey: {
        const bool certificate = m_kind == kCertificate;
        CB_UpgCom->setCurrentIndex(certificate ? kCertificateUpdate : kKeyUpdate);
        m_installing = false;
        m_install->Set();
        runWaiting(5, QStringLiteral("Loading pem file..."));
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
            closeProgress();
        }
        return;
    }
    if (!m_installing) {
        if (m_kind == kCertificate) {
            inform(QStringLiteral("OK"), QStringLiteral("Update SSL success!"));
            EDT_Certificate->clear();
        } else if (m_kind == kKey) {
            EDT_Key->clear();
            if (context().device) {
                context().device->setKeyRestartState(DeviceState::KeyRestartPending);
            }
            inform(QStringLiteral("OK"),
                QStringLiteral(
                    "Update KEY success!Please reboot the device for update ssl key setting."));
        }
        return;
    }
    closeProgress();
    setStatus(result.Message);
    CB_UpgCom->setCurrentIndex(kReboot);
    m_installing = false;
    m_rebooting = true;
    if (!m_install->Set()) {
        m_rebooting = false;
        inform(QString(), QStringLiteral("Set error!"));
        return;
    }
    const bool firmware = m_kind == kFirmware;
    runWaiting(60, QStringLiteral("Device is restarting..."));
    inform(QStringLiteral("OK"),
        firmware ? QStringLiteral("Update firmware success!")
                 : QStringLiteral("Update language file success!"));
    if (context().device) {
        context().device->setKeyRestartState(DeviceState::KeyRestartDone);
    }
}
