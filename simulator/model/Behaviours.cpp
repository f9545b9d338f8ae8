// The device's reactions to writes of its command objects.
#include "Behaviours.h"

#include "ConfigFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <set>
#include <sstream>

namespace sim {

namespace {

constexpr const char *kAclColumn = "dot11MacAccessControlListMacAddress";
constexpr const char *kFirmwareVersion = "deviceInformationFirmwareVersion";

bool hasSubstringNoCase(std::string text, std::string part)
{
    auto lower = [](std::string &s) {
        for (char &c : s) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    };
    lower(text);
    lower(part);
    return text.find(part) != std::string::npos;
}

std::string ipText(const Value &v)
{
    return formatValue(Syntax::IpAddress, v);
}

} // namespace

std::uint32_t crc32(const std::string &data)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
            }
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFU;
    for (unsigned char c : data) {
        crc = table[(crc ^ c) & 0xff] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFU;
}

Behaviours::Behaviours(MibStore &store) : m_store(store)
{
    m_stored = serialiseConfig(m_store);
    m_log = m_store.mib().defaultLog;
    if (m_log.empty()) {
        addLog("SYS", "System started");
        addLog("WLAN", "Wireless 2.4GHz radio up");
        addLog("NOTICE", "Configuration loaded");
    }
}

void Behaviours::addLog(const std::string &type, const std::string &message)
{
    const long long s = (m_nowMs - m_bootMs) / 1000;
    char time[32];
    std::snprintf(
        time, sizeof time, "%02lld:%02lld:%02lld", (s / 3600) % 24, (s / 60) % 60, s % 60);
    m_log.push_back(std::string(time) + " | 0[" + type + "]" + message);
    if (m_log.size() > 500) {
        m_log.erase(m_log.begin());
    }
}

std::string Behaviours::logFile() const
{
    std::string out;
    for (const std::string &line : m_log) {
        out += line + "\r\n";
    }
    return out;
}

std::string Behaviours::aclFile() const
{
    std::string out;
    const MibStore::Table *t = m_store.tableOfColumn(kAclColumn);
    if (!t) {
        return out;
    }
    const int c = m_store.columnIndex(*t, kAclColumn);
    for (const MibStore::Row &row : t->rows) {
        if (t->def->fixedRows > 0 && m_store.rowEmpty(*t, row)) {
            continue;
        }
        out += formatValue(Syntax::MacAddress, row.values[static_cast<std::size_t>(c)]) + "\r\n";
    }
    return out;
}

bool Behaviours::loadAcl(const std::string &text)
{
    MibStore::Table *t = m_store.tableOfColumn(kAclColumn);
    if (!t) {
        return false;
    }
    std::vector<Value> macs;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line.erase(std::remove_if(line.begin(), line.end(),
                       [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
            line.end());
        if (line.empty() || line[0] == '#') {
            continue;
        }
        auto v = parseValue(Syntax::MacAddress, line);
        if (!v) {
            return false;
        }
        if (std::find(macs.begin(), macs.end(), *v) == macs.end()) {
            macs.push_back(*v);
        }
    }
    const int capacity = t->def->fixedRows > 0 ? t->def->fixedRows : t->def->maxRows;
    if (capacity > 0 && static_cast<int>(macs.size()) > capacity) {
        return false;
    }
    const std::string name = t->def->name;
    m_store.clearTable(name);
    for (const Value &mac : macs) {
        m_store.addEntry(name, {{kAclColumn, mac}});
    }
    return true;
}

void Behaviours::commitStored()
{
    m_stored = serialiseConfig(m_store);
    if (onStoredChanged) {
        onStoredChanged(m_stored);
    }
}

bool Behaviours::loadStored(const std::string &text, std::string *error)
{
    if (!loadConfig(m_store, text, error)) {
        return false;
    }
    m_stored = serialiseConfig(m_store);
    return true;
}

void Behaviours::factoryDefault()
{
    // the firmware and what was installed survive a factory reset; the settings do not
    const Value firmware = m_store.scalar(kFirmwareVersion);
    m_store.resetToDefaults();
    if (firmware.type != ValueType::Null) {
        m_store.setScalar(kFirmwareVersion, firmware);
    }
    commitStored();
    addLog("SYS", "Factory default settings restored");
}

void Behaviours::refreshTable(const std::string &tableName)
{
    // what the device was told about a row (a classified access point) survives a new scan
    std::vector<std::pair<int, std::vector<std::pair<Oid, Value>>>> kept;
    if (const MibStore::Table *t = m_store.table(tableName)) {
        for (const ClassifyObjectDef &c : m_store.mib().classifyObjects) {
            const int col = m_store.columnIndex(*t, c.column);
            if (c.table != tableName || col < 0) {
                continue;
            }
            std::vector<std::pair<Oid, Value>> values;
            for (const MibStore::Row &row : t->rows) {
                values.emplace_back(row.index, row.values[static_cast<std::size_t>(col)]);
            }
            kept.emplace_back(col, std::move(values));
        }
    }
    m_store.resetTable(tableName);
    for (const auto &[col, values] : kept) {
        const MibStore::Table *t = m_store.table(tableName);
        for (const auto &[index, value] : values) {
            if (t && m_store.findRow(*t, index) >= 0) {
                m_store.setCell(tableName, index, col, value);
            }
        }
    }
}

void Behaviours::describeScheduleRule()
{
    // the rule list shows texts the device derives from the day mask, the times and the SSID
    MibStore::Table *t = m_store.table("dot11ScheduleListTable");
    if (!t || m_store.entryCount(*t) == 0) {
        return;
    }
    const std::string name = t->def->name;
    const Oid index = t->rows[static_cast<std::size_t>(m_store.entryCount(*t) - 1)].index;
    auto put = [&](const char *column, const Value &v) {
        const int c = m_store.columnIndex(*t, column);
        if (c >= 0) {
            m_store.setCell(name, index, c, v);
        }
    };
    static const char *const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    const long long mask = m_store.scalarNumber("dot11ScheduleDaysSelect");
    std::string days;
    for (int d = 0; d < 7; ++d) {
        if (mask & (1LL << d)) {
            days += (days.empty() ? "" : " ") + std::string(kDays[d]);
        }
    }
    put("dot11ScheduleListDays", Value::text(mask == 0 ? "All Week" : days));
    const bool allDay = m_store.scalarNumber("dot11ScheduleAllDaySelect") == 1;
    put("dot11ScheduleListTimeFrame",
        Value::text(allDay ? "All Day(s)"
                           : m_store.scalarText("dot11ScheduleRuleStartTime") + "-"
                    + m_store.scalarText("dot11ScheduleRuleEndTime")));
    if (MibStore::Table *ssids = m_store.tableOfColumn("dot11MssidSsid")) {
        const auto slot =
            static_cast<std::uint32_t>(m_store.scalarNumber("dot11ScheduleSSIDIndex") + 1);
        const int r = m_store.findRow(*ssids, {1, slot});
        if (r >= 0) {
            put("dot11ScheduleListSSID",
                ssids->rows[static_cast<std::size_t>(r)].values[static_cast<std::size_t>(
                    m_store.columnIndex(*ssids, "dot11MssidSsid"))]);
        }
    }
    put("dot11ScheduleListWirelessStatus", Value::integer(1));
}

SetResult Behaviours::set(const std::vector<Binding> &bindings)
{
    SetResult result;
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const ErrorStatus st = m_store.checkSet(bindings[i].first, bindings[i].second);
        if (st != ErrorStatus::NoError) {
            result.status = st;
            result.errorIndex = static_cast<int>(i + 1);
            return result;
        }
    }

    // what was written, by object name and instance, in PDU order
    struct Written
    {
        std::string name;
        const ObjectDef *def;
        Oid oid;
        Value value;
    };

    std::vector<Written> written;
    for (const Binding &b : bindings) {
        m_store.put(b.first, b.second);
        auto f = m_store.get(b.first);
        written.push_back({f->def->name, f->def, b.first, b.second});
    }
    const MibDefinition &mib = m_store.mib();
    auto fail = [&](std::size_t i) {
        if (result.status == ErrorStatus::NoError) {
            result.status = ErrorStatus::GenErr;
            result.errorIndex = static_cast<int>(i + 1);
        }
    };
    for (std::size_t i = 0; i < written.size(); ++i) {
        const Written &w = written[i];
        const long long n = w.value.number;
        if (w.name == "deviceSettingApply" && n == 1) {
            commitStored();
            addLog("SYS", "Settings saved and activated");
            result.restart = true;
        } else if (w.name == "deviceSettingDiscard" && n == 1) {
            std::string why;
            loadConfig(m_store, m_stored, &why);
            addLog("SYS", "Unsaved settings discarded");
            result.restart = true;
        } else if (w.name == "deviceRestart" && n == 1) {
            result.restart = true;
        } else if (w.name == "deviceFactoryDefault" && n == 1) {
            factoryDefault();
            result.restart = true;
        } else if (w.name == "languagePackClear" && n == 1) {
            m_language.reset();
            addLog("SYS", "Language pack cleared");
        } else if (w.name == "systemLogClearLocalLog" && n == 1) {
            m_log.clear();
        } else if ((w.name == "tftpcommand" && (n == 2 || n == 3 || n == 5))
            || (w.name == "systemLogGetLog" && n == 1)) {
            TransferRequest req;
            if (w.name == "systemLogGetLog") {
                req.kind = TransferKind::StoreLog;
                req.server = ipText(m_store.scalar("systemLogTFTPServerIPAddress"));
                req.fileName = m_store.scalarText("systemLogFileName");
                if (req.fileName.empty()) {
                    req.fileName = "LogFile.RD";
                }
                req.data = logFile();
            } else {
                req.kind = n == 2 ? TransferKind::Fetch
                    : n == 3      ? TransferKind::StoreConfig
                                  : TransferKind::StoreAcl;
                req.server = ipText(m_store.scalar("tftpServerIPAddress"));
                req.fileName = m_store.scalarText("tftpRemoteFileName");
                req.data = n == 3 ? serialiseConfig(m_store) : n == 5 ? aclFile() : std::string();
            }
            // a transfer is already running, or there is nowhere to go: the device refuses
            if (m_transferRunning || result.transfer || req.fileName.empty()
                || req.server == "0.0.0.0") {
                fail(i);
                continue;
            }
            m_transferRunning = true;
            m_lastTransfer = req;
            if (req.kind == TransferKind::Fetch) {
                m_fetched.reset();
            }
            result.transfer = req;
        } else if (w.name == "tftpUpgradeSettingCommand" && n != 6) {
            if (m_transferRunning) {
                result.installs.push_back(n);
            } else {
                InstallResult r = install(n);
                if (r.status != ErrorStatus::NoError) {
                    fail(i);
                }
                result.restart = result.restart || r.restart;
            }
        }
        for (const RefreshTriggerDef &r : mib.refreshTriggers) {
            if (r.object == w.name && n == r.triggerValue) {
                for (const std::string &t : r.tables) {
                    refreshTable(t);
                }
                result.answerDelayMs = std::max(result.answerDelayMs, 100);
            }
        }
        for (const ResetTriggerDef &r : mib.resetTriggers) {
            if (r.object == w.name && n == r.triggerValue) {
                for (const std::string &t : r.tables) {
                    m_store.clearTable(t);
                }
                for (const std::string &o : r.objects) {
                    m_store.resetScalar(o);
                }
                if (r.clearsLog) {
                    m_log.clear();
                }
            }
        }
        for (const ClassifyObjectDef &c : mib.classifyObjects) {
            if (c.object != w.name) {
                continue;
            }
            if (MibStore::Table *t = m_store.table(c.table)) {
                const int r = m_store.findRow(*t, {static_cast<std::uint32_t>(n)});
                const int col = m_store.columnIndex(*t, c.column);
                if (r >= 0 && col >= 0) {
                    Value v =
                        t->rows[static_cast<std::size_t>(r)].values[static_cast<std::size_t>(col)];
                    v.number = c.value;
                    m_store.setCell(c.table, t->rows[static_cast<std::size_t>(r)].index, col, v);
                }
            }
        }
        for (const CommandGroupDef &g : mib.commandGroups) {
            if (g.actionObject != w.name) {
                continue;
            }
            MibStore::Table *t = m_store.table(g.table);
            if (!t) {
                fail(i);
                continue;
            }
            if (n == g.addValue) {
                std::vector<std::pair<std::string, Value>> values;
                for (const auto &[field, column] : g.fields) {
                    values.emplace_back(column, m_store.scalar(field));
                }
                if (!m_store.addEntry(g.table, values)) {
                    fail(i); // the table is full or the entry exists
                } else if (g.table == "dot11ScheduleListTable") {
                    describeScheduleRule();
                }
            } else if (n == g.deleteValue) {
                const std::vector<std::string> &keys = g.keyFields;
                for (std::size_t r = 0; r < t->rows.size(); ++r) {
                    if (t->def->fixedRows > 0 && m_store.rowEmpty(*t, t->rows[r])) {
                        continue;
                    }
                    bool match = true;
                    for (const auto &[field, column] : g.fields) {
                        if (!keys.empty()
                            && std::find(keys.begin(), keys.end(), field) == keys.end()) {
                            continue;
                        }
                        const int c = m_store.columnIndex(*t, column);
                        if (c < 0
                            || t->rows[r].values[static_cast<std::size_t>(c)]
                                != m_store.scalar(field)) {
                            match = false;
                            break;
                        }
                    }
                    if (match) {
                        m_store.removeEntry(g.table, r);
                        break;
                    }
                }
            }
        }
        for (const DeleteObjectDef &d : mib.deleteObjects) {
            if (d.object != w.name) {
                continue;
            }
            MibStore::Table *t = m_store.table(d.table);
            if (!t) {
                continue;
            }
            int r = -1;
            if (d.column.empty()) {
                r = m_store.findRow(*t, {static_cast<std::uint32_t>(n)});
                if (r >= 0 && t->def->fixedRows > 0
                    && m_store.rowEmpty(*t, t->rows[static_cast<std::size_t>(r)])) {
                    r = -1;
                }
            } else {
                r = m_store.findRowByColumn(*t, m_store.columnIndex(*t, d.column), w.value);
            }
            if (r >= 0) {
                m_store.removeEntry(d.table, static_cast<std::size_t>(r));
            }
        }
        for (const AddObjectDef &a : mib.addObjects) {
            if (a.object != w.name) {
                continue;
            }
            MibStore::Table *t = m_store.table(a.table);
            if (!t) {
                continue;
            }
            if (m_store.findRowByColumn(*t, m_store.columnIndex(*t, a.column), w.value) >= 0) {
                continue; // already listed
            }
            if (!m_store.addEntry(a.table, {{a.column, w.value}})) {
                fail(i);
            }
        }
        // a per-row delete column removes its own row
        for (MibStore::Table &t : m_store.tables()) {
            if (t.def->deleteColumn.empty() || t.def->deleteColumn != w.name
                || n != t.def->deleteValue) {
                continue;
            }
            auto col = parseOid(w.def->oid);
            if (!col) {
                continue;
            }
            const Oid index(w.oid.begin() + static_cast<long>(col->size()), w.oid.end());
            const int r = m_store.findRow(t, index);
            if (r >= 0) {
                m_store.removeEntry(t.def->name, static_cast<std::size_t>(r));
            }
            break;
        }
    }
    // the interface objects show the LAN address the device was given
    static const std::pair<const char *, const char *> kMirrors[] = {{"hIPAddress", "ifIpAddress"},
        {"hSubnetMask", "ifSubnetMask"}, {"hDefaultGateway", "ifDefaultGateway"}};
    for (const Written &w : written) {
        for (const auto &[lan, shown] : kMirrors) {
            if (w.name == lan) {
                m_store.setScalar(shown, w.value);
            }
        }
    }
    // the primary SSID is one setting shown twice: the radio's own object and the first SSID row
    for (const Written &w : written) {
        MibStore::Table *ssids = m_store.tableOfColumn("dot11MssidSsid");
        if (!ssids) {
            break;
        }
        const Oid primary{1, 1};
        if (w.name == "dot11Ssid") {
            m_store.setCell(
                ssids->def->name, primary, m_store.columnIndex(*ssids, "dot11MssidSsid"), w.value);
        } else if (w.name == "dot11MssidSsid") {
            auto col = parseOid(w.def->oid);
            if (col
                && Oid(w.oid.begin() + static_cast<long>(col->size()), w.oid.end()) == primary) {
                m_store.setScalar("dot11Ssid", w.value);
            }
        }
    }
    // commands read back their resting value
    for (const Written &w : written) {
        if (isCommandObject(mib, *w.def) && m_store.get(w.oid)) {
            auto def = *w.def;
            m_store.put(
                w.oid, parseValue(def.syntax, def.defaultValue).value_or(Value::integer(0)));
        }
    }
    return result;
}

void Behaviours::transferFinished(bool ok, const std::string &data)
{
    m_transferRunning = false;
    m_lastTransferOk = ok;
    if (ok && m_lastTransfer.kind == TransferKind::Fetch) {
        m_fetched = std::make_pair(m_lastTransfer.fileName, data);
    }
    addLog("SYS",
        std::string("TFTP ") + (m_lastTransfer.kind == TransferKind::Fetch ? "get " : "put ")
            + m_lastTransfer.fileName + (ok ? " done" : " failed"));
}

InstallResult Behaviours::install(long long command)
{
    InstallResult r;
    auto record = [&](const std::string &kind) {
        InstalledFile f{kind, m_fetched->first, m_fetched->second.size(), crc32(m_fetched->second)};
        m_lastInstalled = f;
        addLog("SYS", "Installed " + kind + " " + f.name);
        return f;
    };
    switch (command) {
    case 1: {
        if (!m_fetched) {
            r.status = ErrorStatus::GenErr;
            break;
        }
        if (hasSubstringNoCase(m_fetched->first, "lang")) {
            m_language = record("language");
            break;
        }
        record("firmware");
        std::string version = m_fetched->first;
        const std::string &data = m_fetched->second;
        const std::string tag = "KVA7310-FIRMWARE ";
        if (data.compare(0, tag.size(), tag) == 0) {
            version = data.substr(tag.size(), data.find_first_of("\r\n") - tag.size());
        } else if (auto dot = version.rfind('.'); dot != std::string::npos && dot > 0) {
            version.erase(dot);
        }
        if (version.size() > 64) {
            version.resize(64);
        }
        m_store.setScalar(kFirmwareVersion, Value::text(version));
        break;
    }
    case 2:
    case 6:
        break;
    case 3: {
        std::string why;
        if (!m_fetched || !loadConfig(m_store, m_fetched->second, &why)) {
            addLog(
                "SYS", "Configuration file refused" + (why.empty() ? std::string() : ": " + why));
            r.status = ErrorStatus::GenErr;
            break;
        }
        commitStored();
        addLog("SYS", "Configuration file applied");
        break;
    }
    case 4:
        r.restart = true;
        break;
    case 7:
    case 8:
        if (!m_fetched || m_fetched->second.empty()) {
            r.status = ErrorStatus::GenErr;
            break;
        }
        record(command == 7 ? "certificate" : "key");
        break;
    case 9:
        if (m_lastTransfer.kind == TransferKind::StoreAcl && m_lastTransferOk) {
            break;
        }
        if (!m_fetched || m_lastTransfer.kind != TransferKind::Fetch
            || !loadAcl(m_fetched->second)) {
            r.status = ErrorStatus::GenErr;
        }
        break;
    default:
        break;
    }
    return r;
}

void Behaviours::tick(long long nowMs)
{
    m_nowMs = nowMs;
    m_store.setScalar("sysUpTime", Value::integer((nowMs - m_bootMs) / 10, ValueType::TimeTicks));
    if (nowMs - m_lastGrowMs < 1000) {
        return;
    }
    const long long seconds = (nowMs - m_lastGrowMs) / 1000;
    m_lastGrowMs += seconds * 1000;
    // statistics move: a few hundred bytes or packets a second
    for (const MibStore::Scalar &s : m_store.scalars()) {
        if (s.def->grows) {
            Value v = s.value;
            v.number = (v.number + seconds * 137) & 0xffffffffLL;
            m_store.setScalar(s.def->name, v);
        }
    }
    for (MibStore::Table &t : m_store.tables()) {
        for (std::size_t c = 0; c < t.def->columns.size(); ++c) {
            if (!t.def->columns[c].grows) {
                continue;
            }
            for (MibStore::Row &row : t.rows) {
                row.values[c].number =
                    (row.values[c].number + seconds * (97 + static_cast<long long>(c)))
                    & 0xffffffffLL;
            }
        }
    }
}

void Behaviours::restarted(long long nowMs)
{
    m_nowMs = nowMs;
    m_bootMs = nowMs;
    m_lastGrowMs = nowMs;
    m_transferRunning = false;
    tick(nowMs);
    addLog("SYS", "System restarted");
}

} // namespace sim
