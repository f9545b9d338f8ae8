// What the device does when objects are written: commit, discard and restart, factory default,
// refresh triggers, command groups, add and delete objects, TFTP commands and their install effects.
//
// Install effects of tftpUpgradeSettingCommand (each waits for a transfer still running):
//   1 Firmwareupdate   installs the fetched file: a file whose name contains "lang" (any case) is a
//                      language pack, anything else firmware; records name, size and CRC-32, and
//                      firmware sets deviceInformationFirmwareVersion from a first line
//                      "KVA7310-FIRMWARE <version>", else from the file name without extension.
//                      genErr when nothing was fetched.
//   2 configSetting    confirms the stored configuration (after a Put); nothing else.
//   3 Configsave       validates the fetched configuration file and makes it the running and the
//                      stored configuration; genErr and no change when it is invalid or nothing was
//                      fetched.
//   4 Reboot           restart after the answer.
//   6 Nothing.
//   7, 8               install the fetched certificate or key (recorded like firmware; genErr when
//                      nothing was fetched or the file is empty).
//   9 getacl           after a Get: loads the fetched MAC list (one MAC a line, blank lines and '#'
//                      comments ignored) into the access-control table; genErr and no change when a
//                      line is not a MAC or the list does not fit. After putacl it only confirms.
// tftpcommand: 2 Get fetches tftpRemoteFileName, 3 Put stores the running configuration, 5 putacl
// stores the MAC list (the same format), 4 nothing. systemLogGetLog 1 stores the log as
// systemLogFileName ("LogFile.RD" when empty). The command write is answered when the transfer ends,
// genErr when it failed.
#pragma once

#include "MibStore.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sim {

struct InstalledFile
{
    std::string kind; // firmware, language, certificate, key
    std::string name;
    std::size_t size = 0;
    std::uint32_t checksum = 0; // CRC-32
};

enum class TransferKind {
    Fetch,
    StoreConfig,
    StoreAcl,
    StoreLog
};

struct TransferRequest
{
    TransferKind kind = TransferKind::Fetch;
    std::string server;   // dotted IPv4
    std::string fileName; // as written, without directory
    std::string data;     // what a store sends
};

struct SetResult
{
    ErrorStatus status = ErrorStatus::NoError;
    int errorIndex = 0;                      // 1-based binding, 0 for none
    bool restart = false;                    // restart once the answer has left
    std::optional<TransferRequest> transfer; // answer when this transfer has ended
    std::vector<long long> installs; // tftpUpgradeSettingCommand values waiting for a transfer
    int answerDelayMs = 0;           // collecting a refreshed table
};

struct InstallResult
{
    ErrorStatus status = ErrorStatus::NoError;
    bool restart = false;
};

std::uint32_t crc32(const std::string &data);

class Behaviours
{
public:
    using Binding = std::pair<Oid, Value>;

    explicit Behaviours(MibStore &store);

    MibStore &store() { return m_store; }

    /// One SET PDU: the device's checks on every binding first (nothing changes when one fails), then
    /// the values, then the actions of the command objects written.
    SetResult set(const std::vector<Binding> &bindings);

    /// Whether a transfer started by a command is still running.
    bool transferRunning() const { return m_transferRunning; }

    /// The end of the running transfer; `data` is the fetched file of a Fetch.
    void transferFinished(bool ok, const std::string &data);
    /// An install command's effect, run once no transfer is running.
    InstallResult install(long long command);

    /// The agent's clock in milliseconds; moves sysUpTime and the growing statistics.
    void tick(long long nowMs);
    /// The device has restarted: uptime from zero, a log line.
    void restarted(long long nowMs);

    const std::string &storedConfig() const { return m_stored; }

    /// The stored configuration as read from the state file; the running one follows it.
    bool loadStored(const std::string &text, std::string *error);
    /// Called with the stored configuration whenever it changes (the --state file).
    std::function<void(const std::string &)> onStoredChanged;

    const std::optional<InstalledFile> &lastInstalled() const { return m_lastInstalled; }

    const std::vector<std::string> &log() const { return m_log; }

    void addLog(const std::string &type, const std::string &message);
    std::string logFile() const;
    std::string aclFile() const;

private:
    void commitStored();
    void refreshTable(const std::string &tableName);
    void describeScheduleRule();
    void factoryDefault();
    bool loadAcl(const std::string &text);
    long long m_nowMs = 0;
    long long m_bootMs = 0;
    long long m_lastGrowMs = 0;
    MibStore &m_store;
    std::string m_stored;
    bool m_transferRunning = false;
    TransferRequest m_lastTransfer;
    bool m_lastTransferOk = false;
    std::optional<std::pair<std::string, std::string>> m_fetched; // name, data
    std::optional<InstalledFile> m_lastInstalled;
    std::optional<InstalledFile> m_language;
    std::vector<std::string> m_log;
};

} // namespace sim
