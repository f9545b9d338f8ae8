// What the device does when objects are written: commit, discard and restart, factory default,
// refresh triggers, command groups, add and delete objects, TFTP commands and their install effects.
//
// Rules the device keeps besides the single object's checks (a refused PDU changes nothing; the
// error index names the binding):
//   - A command group's add is made from the fields in the same PDU alone; a field the PDU leaves
//     out takes its default. An add whose key fields (keyFields, else all fields) match a listed
//     entry, or that would read as an empty slot, is wrongValue; a full table genErr. A delete that
//     matches no entry is wrongValue, and so is a classify or delete object naming no row.
//   - dot11WifiMode stays in the list of the band: 6, 3, 2 on 2.4 GHz, 9, 7, 8 on 5 GHz. A write
//     outside the band's list (the band written in the same PDU, else the current one) is
//     wrongValue; a band write moves the wifi mode to the new band's first value when it is not in
//     its list.
//   - dot11ApModeStatus reads "changed" once dot11ApMode was written with another value, until
//     deviceSettingApply or deviceSettingDiscard; "unchanged" otherwise.
//   - Periodic rekeying (dot11AutoRekeyControl, and dot11MssidAutoRekeyControl per SSID, written
//     1): the device generates the passphrase itself, dot11AutoRekeyPassPhrase (or that SSID's
//     dot11MssidAutoRekeyPassPhrase), and logs it; writing 0 (manual) empties it. The n-th key
//     generated since the device started is 16 lower-case hex digits: the CRC-32 of
//     "<SSID>:<n>" followed by the CRC-32 of "<n>:<SSID>", SSID being the one rekeyed.
//   - Refresh triggers rebuild their tables from the device's sources (Sources.h), the VLAN port
//     list from the VLAN table; a table no source feeds goes back to its default rows. What the
//     device was told about a rogue AP survives a new scan, kept by BSSID. The write is answered
//     after the refresh time (100 ms unless set).
//   - With masking on, secrets (ObjectDef::secret) are served as one '*' per character; writes
//     take clear text and the control channel shows it.
//   - One console at a time: telnet written 1 sets ssh to 0, ssh written 1 sets telnet to 0. One
//     policy for newly seen access points: dot11RogueApAllNewNodesAsValid written 1 sets
//     dot11RogueApUnknownAccessNodesAsRogue to 0, and the reverse.
//   - Limiting the administrator (managerIpAddressStatus other than 0) switches the VLANs
//     (dot11VlanStatus) and network access protection (dot11NetworkAccessProtection) off.
//   - The device clock, sntpTimeofDay, is the host's local time plus an offset, served as
//     "MM/DD/YYYY hh:mm:ss" (24-hour clock). A SET there in that form moves the clock; anything
//     else (a part missing or out of range, 02/31, hour 24) is wrongValue. A text put there through
//     the control channel moves the clock the same way when it has that form, and is served
//     unchanged, the clock stopped, when it has not. The clock is no setting: the configuration
//     file leaves it out, and a factory default keeps it.
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
#include "Sources.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
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
    int answerDelayMs = 0;           // collecting a refreshed table (refreshDelayMs)
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

    Sources &sources() { return m_sources; }

    /// How long the device takes to collect a refreshed table before it answers the write.
    void setRefreshDelayMs(int ms) { m_refreshDelayMs = ms; }

    int refreshDelayMs() const { return m_refreshDelayMs; }

    /// Secrets served as '*' over SNMP.
    void setMaskSecrets(bool on) { m_maskSecrets = on; }

    bool maskSecrets() const { return m_maskSecrets; }

    /// The value an SNMP read is answered with.
    Value served(const ObjectDef &def, const Value &value) const;

    /// One SET PDU: the device's checks on every binding first (nothing changes when one fails), then
    /// the values, then the actions of the command objects written.
    SetResult set(const std::vector<Binding> &bindings);

    /// Whether a transfer started by a command is still running.
    bool transferRunning() const { return m_transferRunning; }

    /// The end of the running transfer; `data` is the fetched file of a Fetch.
    void transferFinished(bool ok, const std::string &data);
    /// An install command's effect, run once no transfer is running.
    InstallResult install(long long command);

    /// The agent's clock in milliseconds; moves sysUpTime, the growing statistics and the device
    /// clock.
    void tick(long long nowMs);

    /// The host's local time as seconds counted as if it were UTC (tests fix it).
    void setLocalClock(std::function<long long()> localSeconds);
    /// The device clock's text for `seconds` counted as the local clock counts them.
    static std::string clockText(long long seconds);
    /// Seconds of a "MM/DD/YYYY hh:mm:ss" text, counted as the local clock counts them; nullopt
    /// for any other text.
    static std::optional<long long> parseClock(const std::string &text);
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
    struct Written
    {
        std::string name;
        const ObjectDef *def;
        Oid oid;
        Value value;
    };

    struct Refusal
    {
        ErrorStatus status = ErrorStatus::NoError;
        int index = 0;
    };

    Refusal checkDeviceRules(const std::vector<Written> &written) const;
    Refusal checkCommandGroup(
        const CommandGroupDef &group, const std::vector<Written> &written, long long action) const;
    std::vector<std::pair<std::string, Value>> groupValues(
        const CommandGroupDef &group, const std::vector<Written> &written) const;
    int findGroupEntry(const CommandGroupDef &group, const MibStore::Table &table,
        const std::vector<std::pair<std::string, Value>> &values) const;
    int findDeleteRow(const DeleteObjectDef &d, const MibStore::Table &table, const Value &v) const;
    Value pduValue(const std::vector<Written> &written, const std::string &scalar) const;
    void commitStored();
    void refreshTable(const std::string &tableName);
    void derivePortList();
    void describeScheduleRule(const std::vector<Written> &written);
    void keepBand(const std::vector<Written> &written);
    void rekey(const Written &w);
    void keepOneOfTwo(const std::vector<Written> &written);
    void runClock();
    std::string generatedKey(const std::string &ssid);
    void factoryDefault();
    bool loadAcl(const std::string &text);
    long long m_nowMs = 0;
    long long m_bootMs = 0;
    long long m_lastGrowMs = 0;
    MibStore &m_store;
    Sources m_sources;
    int m_refreshDelayMs = 100;
    bool m_maskSecrets = false;
    long long m_keysGenerated = 0;
    // what the device was told about a surveyed access point: (table, column, BSSID) -> value
    std::map<std::tuple<std::string, int, std::string>, Value> m_told;
    std::string m_stored;
    bool m_transferRunning = false;
    TransferRequest m_lastTransfer;
    bool m_lastTransferOk = false;
    std::optional<std::pair<std::string, std::string>> m_fetched; // name, data
    std::optional<InstalledFile> m_lastInstalled;
    std::optional<InstalledFile> m_language;
    std::vector<std::string> m_log;
    std::string m_clock; // the device clock's scalar, if the table has one
    std::function<long long()> m_localClock;
    long long m_clockOffset = 0; // seconds the device clock is ahead of the host's
    std::string m_clockServed;   // the text the clock last put in the store
};

} // namespace sim
