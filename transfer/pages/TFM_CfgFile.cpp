#include "TFM_CfgFile.h"

#include "VtUi.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

using namespace transfer;

namespace {

const char kFilter[] = ".dcf document (*.dcf);;All Files (*)";

void warn(QWidget *owner, const char *text)
{
    VtUi::current().messageOk(owner, QStringLiteral("Warning"), QString::fromUtf8(text));
}

} // namespace

TFM_CfgFile::TFM_CfgFile(QWidget *owner, const PageContext &context)
    : TFM_Page(owner, QStringLiteral("Tools \\ Configuration File"), context),
      m_flow(*this, 300, [this](const QString &text) { setStatus(text); })
{
    form().beginGroup("GroupBox1", QStringLiteral("Update Configuration File "));
    Ed_UpgFile = form().addEdit("Ed_UpgFile", QStringLiteral("Update File"));
    form().endGroup();
    form().beginGroup("GroupBox2", QStringLiteral("Load Settings to Local Hard Drive"));
    Ed_SaveFile = form().addReadOnly("Ed_SaveFile", QStringLiteral("Save File"));
    form().endGroup();
    Ed_TfpSrv = form().addHiddenEdit("Ed_TfpSrv");
    CB_TfpCom = form().addHiddenCombo("CB_TfpCom");
    CB_UpgCom = form().addHiddenCombo("CB_UpgCom");
    Bt_Browse = form().addButton("Bt_Browse", QStringLiteral("Browse"));
    Bt_OK = form().addButton("Bt_OK", QStringLiteral("OK"));
    Bt_SavBrw = form().addButton("Bt_SavBrw", QStringLiteral("Browse"));
    Bt_Upload = form().addButton("Bt_Upload", QStringLiteral("OK"));
    Ed_UpgFile->clear();
    Ed_SaveFile->clear();
    Ed_SaveFile->setEnabled(false); // greyed: filled only by the save dialog

    connect(Bt_Browse, &QPushButton::clicked, this, [this] {
        const QString path =
            VtUi::current().openFileName(this, QString(), QString(), QString::fromUtf8(kFilter));
        if (!path.isEmpty()) {
            Ed_UpgFile->setText(path);
            Ed_SaveFile->clear();
        }
    });
    connect(Bt_SavBrw, &QPushButton::clicked, this, [this] {
        Ed_SaveFile->clear();
        Ed_SaveFile->setText(
            VtUi::current().saveFileName(this, QString(), QString(), QString::fromUtf8(kFilter)));
    });
    connect(Bt_OK, &QPushButton::clicked, this, &TFM_CfgFile::Bt_OKClick);
    connect(Bt_Upload, &QPushButton::clicked, this, &TFM_CfgFile::Bt_UploadClick);
    updateButtons();
}

TFM_CfgFile::~TFM_CfgFile()
{
    m_flow.stop();
}

void TFM_CfgFile::FormCreate()
{
    guarded([&] {
        m_address = makeRequest(kTftpAddressVars, itScalars, 10000);
        m_address->BindControl(0, Ed_TfpSrv);
        m_address->BindControl(1, Ed_UpgFile);
        m_install = makeRequest(kTftpInstallVars, itScalars, 30000, true);
        m_install->BindCombo(0, CB_UpgCom);
        m_install->OnSetDone = [this](VtSNMPRequest2Controls *, const VtSNMPError &result) {
            installDone(result);
        };
        m_command = makeRequest(kTftpCommandVars, itScalars, 10000, true);
        m_command->BindCombo(0, CB_TfpCom);
        m_command->SetMessageTarget(statusTarget());
        m_command->OnSetDone = [this](VtSNMPRequest2Controls *, const VtSNMPError &result) {
            commandDone(result);
        };
    });
    m_flow.open();
    updateButtons();
}

void TFM_CfgFile::updateButtons()
{
    const bool ready = m_flow.ready() && m_command;
    Bt_OK->setEnabled(ready);
    Bt_Upload->setEnabled(ready);
}

void TFM_CfgFile::Bt_OKClick()
{
    if (!m_flow.ready() || !m_command) {
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
    if (!m_flow.localAddress(Ed_TfpSrv)) {
        return;
    }
    QString directory;
    QString name;
    if (!splitPath(path, directory, name)) {
        warn(this, "The file path is error.");
        return;
    }
    if (!m_flow.serve(directory, name, tftpReadRequest)) {
        return;
    }
    Ed_TfpSrv->setText(Ed_TfpSrv->text().trimmed());
    Ed_UpgFile->setText(name);
    m_save = false;
    m_flow.showProgress(
        QStringLiteral("Please wait..."), QStringLiteral("The settings are saving now."));
    // The install goes out only once the device has fetched the file: see commandDone.
    const bool sent = guarded([&] {
        m_address->Set();
        m_restore = true;
        CB_TfpCom->setCurrentIndex(kGet);
        m_command->Set();
    });
    Ed_UpgFile->setText(path);
    if (!sent) {
        fail("Fail to update the configuration file!");
    }
}

void TFM_CfgFile::Bt_UploadClick()
{
    if (!m_flow.ready() || !m_command) {
        return;
    }
    const QString path = Ed_SaveFile->text();
    if (path.isEmpty()) {
        warn(this, "Empty file is not accepted.");
        return;
    }
    if (!m_flow.localAddress(Ed_TfpSrv)) {
        return;
    }
    QString directory;
    QString name;
    if (!splitPath(path, directory, name)) {
        warn(this, "The file path is error.");
        return;
    }
    if (!name.toUpper().contains(QLatin1String(".DCF"))) {
        name += QLatin1String(".dcf");
    }
    if (!m_flow.serve(directory, name, tftpWriteRequest)) {
        return;
    }
    Ed_UpgFile->setText(name);
    Ed_TfpSrv->setText(Ed_TfpSrv->text().trimmed());
    m_flow.showProgress(
        QStringLiteral("Please wait..."), QStringLiteral("The settings are saving now."));
    const bool sent = guarded([&] {
        m_address->Set();
        CB_TfpCom->setCurrentIndex(kPut);
        m_save = true;
        m_command->Set();
    });
    Ed_UpgFile->clear();
    if (!sent) {
        fail("Fail to save the configuration file!");
    }
}

void TFM_CfgFile::fail(const char *text)
{
    m_flow.endTransfer();
    m_restore = false;
    m_save = false;
    VtUi::current().messageOk(this, QStringLiteral("ERROR"), QString::fromUtf8(text));
    m_flow.closeProgress();
    setEnabled(true);
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
        m_flow.closeProgress();
        setEnabled(false);
        m_flow.runWaiting(10, QStringLiteral("Updating config file..."));
        CB_UpgCom->setCurrentIndex(kReboot);
        m_restore = false;
        m_rebooting = true;
        guarded([&] { m_install->Set(); });
        m_flow.runWaiting(60, QStringLiteral("Device is restarting..."));
        VtUi::current().messageOk(this, QStringLiteral("OK"),
            QStringLiteral("The configuration file update successfully!"));
        setEnabled(true);
    } else if (m_save) {
        m_flow.closeProgress();
        VtUi::current().messageOk(this, QStringLiteral("OK"),
            QStringLiteral("The configuration file saved successfully!"));
        m_save = false;
        setEnabled(true);
    }
}
