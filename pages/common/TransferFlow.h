// The steps every file page shares: its own TFTP server, listening from opening to closing with an
// empty root (refusing everything) except while the device moves the one file it was just told
// about, and answering only the device (its agent address and the LAN address it reports); the
// local address the device is told to use; the transfer prelude (address, file name, serving, the
// address and command writes); and the bytes moved so far, shown in the page's status.
#pragma once

#include "Ipv4Address.h"
#include "TftpServer.h"
#include "UISnmpVar.h"
#include "VtOptionList.h"

#include <functional>
#include <memory>

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

class QComboBox;
class QLineEdit;
class TFM_Page;
class VtSNMPRequest2Edits;

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
    kPut = 1,
    kPutAcl = 3,
};

enum UpgradeIndex {
    kFirmwareUpdate = 0,
    kConfigSetting = 1,
    kConfigSave = 2,
    kReboot = 3,
    kCertificateUpdate = 5,
    kKeyUpdate = 6,
    kGetAcl = 7,
};

/// Splits a path at its last separator ("/" or "\"); false when there is none.
bool splitPath(const QString &path, QString &directory, QString &fileName);
/// Whether the path is empty or ends with a separator (names a directory, not a file).
bool namesNoFile(const QString &path);

/// One transfer's prelude, as the file pages write it.
struct TransferStep
{
    QString path;      ///< the file on this computer (its directory is served)
    int direction = 0; ///< tftpReadRequest: the device fetches; tftpWriteRequest: it stores
    QLineEdit *server = nullptr;     ///< receives the local address (trimmed)
    QLineEdit *remoteFile = nullptr; ///< receives the bare file name; null: none
    QString remoteName;              ///< the name the device uses, when not the file's own
    QString progressFirst;           ///< when set, the progress notice shown before the writes
    QString progressSecond;
    VtSNMPRequest2Edits *address = nullptr; ///< written first
    QComboBox *commandCombo = nullptr;      ///< set to commandIndex, then commandRequest written
    int commandIndex = 0;
    VtSNMPRequest2Edits *commandRequest = nullptr;
};

enum class TransferStart {
    Started,        ///< the writes went out (the command's outcome comes in its completion)
    NoLocalAddress, ///< no address of this computer on the device's network: nothing said
    BadPath,        ///< "The file path is error." was shown
    NotServed,      ///< the server could not serve the directory (its reason in the status)
    NotSent,        ///< the address or command write was refused or threw
};

class TransferFlow : public QObject
{
    Q_OBJECT

public:
    using StatusSink = std::function<void(const QString &)>;

    /// `timeout` in hundredths of a second for every session.
    TransferFlow(TFM_Page &page, int timeout, StatusSink status);
    ~TransferFlow() override;

    /// Starts listening with an empty root, answering only the agent's address. On failure shows
    /// "TFTP Service Init Error:" and the reason, and returns false: the page stays open without
    /// transfers. Call it from the page's creation handler (it makes the page's device read).
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

    /// The prelude: local address into `server`, the path split, the device's LAN address read
    /// (the server then answers it and the agent's address only), the directory served for the
    /// one file, the progress notice when asked for, the address write, then the command write.
    /// Anything but Started leaves the server serving nothing.
    TransferStart start(const TransferStep &step);

    /// The addresses the device's requests may come from: the agent's (resolved when it is a
    /// name) and `lanAddress` when that is a usable IPv4 address.
    static QList<net::Ipv4Address> deviceAddresses(
        const QString &agentHost, const QString &lanAddress);

private:
    void onStatus(const VtTFTPMsg &msg);
    void onRefused(const net::Ipv4Address &peer);
    /// hIPAddress as the device reports it now; empty when the read failed.
    QString readLanAddress();

    TFM_Page &m_page;
    int m_timeout;
    StatusSink m_status;
    std::unique_ptr<VtTFTPServer> m_server;
    VtSNMPRequest2Edits *m_lanAddress = nullptr; // owned by the page
    QSet<QString> m_refusedShown;                // strangers named during this transfer
};

} // namespace transfer
