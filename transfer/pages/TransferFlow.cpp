#include "TransferFlow.h"

#include "ApMib.h"
#include "DeviceState.h"
#include "FindLocalAddress.h"
#include "TFM_Page.h"
#include "TFM_Waiting.h"
#include "VtSNMPDevice.h"
#include "VtUi.h"

#include <QLabel>
#include <QLineEdit>

namespace transfer {

const VtOptionList olTftpCommand{{2, "Get"}, {3, "Put"}, {4, "Nothing"}, {5, "putacl"}};
const VtOptionList olUpgradeCommand{{1, "Firmwareupdate"}, {2, "configSetting"}, {3, "Configsave"},
    {4, "Reboot"}, {6, "Nothing"}, {7, "certificateFileUpdate"}, {8, "keyFileUpdate"},
    {9, "getacl"}};

const UISnmpVar kTftpAddressVars[] = {
    {mib::tftpServerIPAddress, "tftpServerIPAddress", synIpAddress, vfRead | vfWrite},
    {mib::tftpRemoteFileName, "tftpRemoteFileName", synDisplayString, vfRead | vfWrite},
    {nullptr},
};
const UISnmpVar kTftpCommandVars[] = {
    {mib::tftpcommand, "tftpcommand", synInteger, vfRead | vfWrite, &olTftpCommand},
    {nullptr},
};
const UISnmpVar kTftpInstallVars[] = {
    {mib::tftpUpgradeSettingCommand, "tftpUpgradeSettingCommand", synInteger, vfRead | vfWrite,
        &olUpgradeCommand},
    {nullptr},
};

namespace {

qsizetype lastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

} // namespace

bool splitPath(const QString &path, QString &directory, QString &fileName)
{
    const qsizetype at = lastSeparator(path);
    if (at < 0) {
        return false;
    }
    directory = at == 0 ? path.left(1) : path.left(at);
    fileName = path.mid(at + 1);
    return true;
}

bool namesNoFile(const QString &path)
{
    return path.isEmpty() || path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'));
}

void runWaitingDialog(
    TFM_Page &page, int countdown, const QString &secondLine, const QString &caption)
{
    DeviceState detached; // no main window: the countdown alone ends the dialog
    const DeviceState *state = page.context().device;
    TFM_Waiting waiting(&page, state ? *state : detached, page.context().settings);
    waiting.Restart = false;
    waiting.Countdown = countdown;
    waiting.Label3->setText(secondLine);
    if (!caption.isEmpty()) {
        waiting.setWindowTitle(caption);
    }
    waiting.FormCreate();
    waiting.exec();
}

TransferFlow::TransferFlow(TFM_Page &page, int timeout, StatusSink status)
    : m_page(page), m_timeout(timeout), m_status(std::move(status))
{ }

TransferFlow::~TransferFlow()
{
    stop();
}

bool TransferFlow::open()
{
    m_server = std::make_unique<VtTFTPServer>();
    m_server->SetTiming(m_timeout, 3);
    m_server->setServicePeriod(m_page.context().settings.tftpServiceMs);
    m_server->SetEventHandler([this](const VtTFTPMsg &msg, bool &) { onStatus(msg); });
    try {
        m_server->Start(QString(), VtTFTPServer::kStandardPort);
    } catch (const VtTFTPError &e) {
        m_server.reset();
        VtUi::current().messageOk(&m_page, QStringLiteral("Error"),
            QStringLiteral("TFTP Service Init Error:") + e.message());
        return false;
    }
    return true;
}

bool TransferFlow::localAddress(QLineEdit *target) const
{
    target->clear();
    VtDeviceNetwork network;
    if (const DeviceState *state = m_page.context().device) {
        // The address poll keeps the mask in IPAddressEdit and the gateway in SubMaskEdit.
        network.address = state->SysIpAddress();
        network.mask = state->IPAddressEdit();
        network.gateway = state->SubMaskEdit();
    }
    if (network.address.isEmpty()) {
        network.address = SnmpDevice().Host;
    }
    QString found;
    if (!FindLocalAddress(found, network)) {
        return false;
    }
    target->setText(found);
    return true;
}

bool TransferFlow::serve(const QString &directory, const QString &fileName, int request)
{
    if (!ready()) {
        return false;
    }
    try {
        m_server->Start(directory, m_server->port());
    } catch (const VtTFTPError &e) {
        m_status(e.message());
        return false;
    }
    m_server->restrictTo(fileName, request);
    return true;
}

void TransferFlow::endTransfer()
{
    if (!ready()) {
        return;
    }
    try {
        m_server->Start(QString(), m_server->port());
    } catch (const VtTFTPError &) {
        // the root changes without a new socket; nothing to report
    }
    m_server->clearRestriction();
}

void TransferFlow::stop()
{
    closeProgress();
    if (m_server) {
        m_server->Stop();
        m_server.reset();
    }
}

void TransferFlow::runWaiting(int countdown, const QString &secondLine, const QString &caption)
{
    runWaitingDialog(m_page, countdown, secondLine, caption);
}

void TransferFlow::showProgress(const QString &firstLine, const QString &secondLine)
{
    closeProgress();
    const DeviceState *state = m_page.context().device;
    auto *notice = new TFM_Waiting(&m_page, state ? *state : m_detached, m_page.context().settings);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->useAsProgressNotice(firstLine, secondLine);
    m_progress = notice;
    m_page.setEnabled(false);
    notice->setEnabled(true);
    notice->show();
}

void TransferFlow::closeProgress()
{
    if (m_progress) {
        TFM_Waiting *notice = m_progress;
        m_progress.clear();
        notice->finish();
        notice->deleteLater();
    }
    m_page.setEnabled(true);
}

void TransferFlow::onStatus(const VtTFTPMsg &msg)
{
    if (msg.code == tftpTransferring || msg.code == tftpSuccess) {
        m_status(QStringLiteral("%1: %2 bytes").arg(msg.fileName).arg(msg.totalBytes));
    }
}

} // namespace transfer
