// The steps every file page shares: its own TFTP server, listening from opening to closing with an
// empty root (refusing everything) except while the device moves the one file it was just told
// about; the local address the device is told to use; the waiting dialog and the progress notice;
// and the bytes moved so far, shown in the page's status bar.
#pragma once

#include "DeviceState.h"
#include "TftpServer.h"
#include "UISnmpVar.h"
#include "VtOptionList.h"

#include <functional>
#include <memory>

#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;
class TFM_Page;
class TFM_Waiting;

namespace transfer {

/// tftpcommand; pages select by item index: 0 Get, 1 Put, 2 Nothing, 3 putacl.
extern const VtOptionList olTftpCommand;
/// tftpUpgradeSettingCommand; item index 0 Firmwareupdate, 1 configSetting, 2 Configsave,
/// 3 Reboot, 4 Nothing, 5 certificateFileUpdate, 6 keyFileUpdate, 7 getacl.
extern const VtOptionList olUpgradeCommand;

/// The device's TFTP command objects, each written on its own: the server address and remote
/// file name, the transfer command (tftpcommand) and the install command
/// (tftpUpgradeSettingCommand). Null-terminated variable tables.
extern const UISnmpVar kTftpAddressVars[];
extern const UISnmpVar kTftpCommandVars[];
extern const UISnmpVar kTftpInstallVars[];

enum TftpCommandIndex {
    kGet = 0,
    kPut = 1
};

enum UpgradeIndex {
    kFirmwareUpdate = 0,
    kConfigSetting = 1,
    kConfigSave = 2,
    kReboot = 3,
    kCertificateUpdate = 5,
    kKeyUpdate = 6,
};

/// Splits a path at its last separator ("/" or "\"); false when there is none.
bool splitPath(const QString &path, QString &directory, QString &fileName);
/// Whether the path is empty or ends with a separator (names a directory, not a file).
bool namesNoFile(const QString &path);

/// The waiting dialog over `page`: `countdown` steps and no restart command of its own; it ends
/// when the device is back (as the main window's state sees it) or the countdown has stalled.
/// Modal.
void runWaitingDialog(
    TFM_Page &page, int countdown, const QString &secondLine, const QString &caption = QString());

class TransferFlow : public QObject
{
    Q_OBJECT

public:
    using StatusSink = std::function<void(const QString &)>;

    /// `timeout` in hundredths of a second for every session.
    TransferFlow(TFM_Page &page, int timeout, StatusSink status);
    ~TransferFlow() override;

    /// Starts listening with an empty root. On failure shows "TFTP Service Init Error:" and the
    /// reason, and returns false: the page stays open without transfers.
    bool open();

    bool ready() const { return m_server && m_server->isListening(); }

    /// The server, for its port and status in tests and measurements; null before open().
    VtTFTPServer *server() const { return m_server.get(); }

    /// Clears `target` and puts the computer's address on the device's network into it.
    bool localAddress(QLineEdit *target) const;

    /// Serves `directory`, only `fileName` and only in the direction `request` (VtTFTPRequest).
    bool serve(const QString &directory, const QString &fileName, int request);
    /// Back to the empty root: the transfer the device was told about is over.
    void endTransfer();
    /// Stops listening (waiting for a session still running) and lets the server go.
    void stop();

    /// The waiting dialog: `countdown` steps, no restart command of its own. Modal.
    void runWaiting(int countdown, const QString &secondLine, const QString &caption = QString());
    /// The progress notice the operator cannot close; the page is disabled while it shows.
    void showProgress(const QString &firstLine, const QString &secondLine);
    /// Closes the progress notice and enables the page again.
    void closeProgress();

    bool progressShown() const { return !m_progress.isNull(); }

private:
    void onStatus(const VtTFTPMsg &msg);

    TFM_Page &m_page;
    int m_timeout;
    StatusSink m_status;
    std::unique_ptr<VtTFTPServer> m_server;
    QPointer<TFM_Waiting> m_progress;
    DeviceState m_detached; ///< watched when no main window runs: the countdown alone ends a wait
};

} // namespace transfer
