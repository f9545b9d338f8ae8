#include "TFM_CfgFile.h"

#include "VtUi.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

using namespace transfer;

namespace {

const char kFilter[] = ".dcf document (*.dcf);;All Files (*)";

void warn(TFM_Page *page, const char *text)
{
    page->refuse(nullptr, "Warning", text);
}

} // namespace

TFM_CfgFile::TFM_CfgFile(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Tools \\ Configuration File"), context),
      m_flow(*this, 300, [this](const QString &text) { setStatus(text); })
{
    form().beginGroup("GroupBox1", QStringLiteral("Update Configuration File "));
    Ed_UpgFile = form().addEdit("Ed_UpgFile", QStringLiteral("Update File"));
    Bt_Browse = addFieldButton("Bt_Browse", QStringLiteral("Browse"), &TFM_CfgFile::Bt_BrowseClick);
    Bt_OK = addFieldButton("Bt_OK", QStringLiteral("OK"), &TFM_CfgFile::Bt_OKClick);
    form().beginGroup("GroupBox2", QStringLiteral("Load Settings to Local Hard Drive"));
    Ed_SaveFile = form().addReadOnly("Ed_SaveFile", QStringLiteral("Save File"));
    Bt_SavBrw = addFieldButton("Bt_SavBrw", QStringLiteral("Browse"), &TFM_CfgFile::Bt_SavBrwClick);
    Bt_Upload = addFieldButton("Bt_Upload", QStringLiteral("OK"), &TFM_CfgFile::Bt_UploadClick);
    form().endGroup();
    Ed_TfpSrv = form().addHiddenEdit("Ed_TfpSrv");
    CB_TfpCom = form().addHiddenCombo("CB_TfpCom");
    CB_UpgCom = form().addHiddenCombo("CB_UpgCom");
    Ed_UpgFile->clear();
    Ed_SaveFile->clear();
    Ed_SaveFile->setEnabled(false); // greyed: filled only by the save dialog
    updateButtons();
}

void TFM_CfgFile::Bt_BrowseClick()
{
    const QString path =
        VtUi::current().openFileName(this, QString(), QString(), QString::fromUtf8(kFilter));
    if (!path.isEmpty()) {
        Ed_UpgFile->setText(path);
        Ed_SaveFile->clear();
    }
}

void TFM_CfgFile::Bt_SavBrwClick()
{
    Ed_SaveFile->clear();
    Ed_SaveFile->setText(
        VtUi::current().saveFileName(this, QString(), QString(), QString::fromUtf8(kFilter)));
}

TFM_CfgFile::~TFM_CfgFile()
{
    m_flow.stop();
}

void TFM_CfgFile::FormCreate()
{
    m_address = makeRequest(kTftpAddressVars, itScalars, 10000);
    bindControls(m_address, {Ed_TfpSrv, Ed_UpgFile});
    m_install =
        makeRequest(kTftpInstallVars, itScalars, 30000, onSetDone(&TFM_CfgFile::installDone));
    bindControls(m_install, {CB_UpgCom});
    m_command = makeRequest(
        kTftpCommandVars, itScalars, 10000, onSetDone(&TFM_CfgFile::commandDone), statusTarget());
    bindControls(m_command, {CB_TfpCom});
    m_flow.open();
    updateButtons();
}

void TFM_CfgFile::updateButtons()
{
    const bool ready = m_flow.ready();
    Bt_OK->setEnabled(ready);
    Bt_Upload->setEnabled(ready);
}

// The steps both directions share: the prelude with the progress notice, the install going out
// only once the device has moved the file (commandDone).
TransferStart TFM_CfgFile::startTransfer(
    const QString &path, const QString &remoteName, int direction, int command)
{
    TransferStep step;
    step.path = path;
    step.direction = direction;
    step.server = Ed_TfpSrv;
    step.remoteFile = Ed_UpgFile;
    step.remoteName = remoteName;
    step.progressFirst = QStringLiteral("Please wait...");
    step.progressSecond = QStringLiteral("The settings are saving now.");
    step.address = m_address;
    step.commandCombo = CB_TfpCom;
    step.commandIndex = command;
    step.commandRequest = m_command;
    return m_flow.start(step);
}

void TFM_CfgFile::Bt_OKClick()
{
    if (!m_flow.ready()) {
        return;
    }
    const QString path = Ed_UpgFile->text();
    if (path.isEmpty()) {
        warn(this, "Empty file is not accepted.");
        return;
    }
    if (!QFileInfo(path).isFile() || !path.toUpper().contains(QLatin1String(".DCF"))) {
        warn(this, "File format error! Please try again!");
        return;
    }
    m_save = false;
    m_restore = true;
    const TransferStart started = startTransfer(path, QString(), tftpReadRequest, kGet);
    Ed_UpgFile->setText(path);
    if (started == TransferStart::NotSent) {
        fail("Fail to update the configuration file!");
    } else if (started != TransferStart::Started) {
        m_restore = false;
    }
}

void TFM_CfgFile::Bt_UploadClick()
{
    if (!m_flow.ready()) {
        return;
    }
    const QString path = Ed_SaveFile->text();
    if (path.isEmpty()) {
        warn(this, "Empty file is not accepted.");
        return;
    }
    QString directory;
    QString name;
    if (splitPath(path, directory, name) && !name.toUpper().contains(QLatin1String(".DCF"))) {
        name += QLatin1String(".dcf");
    }
    m_restore = false;
    m_save = true;
    const TransferStart started = startTransfer(path, name, tftpWriteRequest, kPut);
    Ed_UpgFile->clear();
    if (started == TransferStart::NotSent) {
        fail("Fail to save the configuration file!");
    } else if (started != TransferStart::Started) {
        m_save = false;
    }
}

void TFM_CfgFile::fail(const char *text)
{
    m_flow.endTransfer();
    m_restore = false;
    m_save = false;
    inform(QStringLiteral("ERROR"), QString::fromUtf8(text));
}

void TFM_CfgFile::commandDone(const VtSNMPError &result)
{
    // The device answers the command only once the transfer is over.
    m_flow.endTransfer();
    if (m_restore) {
        // A restore installs only a file the device really fetched.
        if (result.Code != 0) {
            fail("Fail to update the configuration file!");
            return;
        }
        CB_UpgCom->setCurrentIndex(kConfigSave);
        if (!guarded([&] { m_install->Set(); })) {
            fail("Fail to update the configuration file!");
        }
        return;
    }
    if (!m_save) {
        return;
    }
    if (result.Code != 0) {
        fail("Fail to save the configuration file!");
        return;
    }
    CB_UpgCom->setCurrentIndex(kConfigSetting);
    m_restore = false;
    if (!guarded([&] { m_install->Set(); })) {
        fail("Fail to save the configuration file!");
    }
}

void TFM_CfgFile::installDone(const VtSNMPError &result)
{
    if (m_rebooting) {
        m_rebooting = false; // the restart's own answer changes nothing
        return;
    }
    if (result.Code != 0) {
        if (m_restore) {
            fail("Fail to update the configuration file!");
        } else if (m_save) {
            fail("Fail to save the configuration file!");
        }
        return;
    }
    if (m_restore) {
        closeProgress();
        runWaiting(10, QStringLiteral("Updating config file..."));
        CB_UpgCom->setCurrentIndex(kReboot);
        m_restore = false;
        m_rebooting = true;
        m_install->Set();
        runWaiting(60, QStringLiteral("Device is restarting..."));
        inform(QStringLiteral("OK"), QStringLiteral("The configuration file update successfully!"));
    } else if (m_save) {
        inform(QStringLiteral("OK"), QStringLiteral("The configuration file saved successfully!"));
        m_save = false;
    }
}
