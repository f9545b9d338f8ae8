// The device's reactions to writes of its command objects.
#include "Behaviours.h"

#include "ConfigFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <set>
#include <sstream>

namespace sim {

namespace {

constexpr const char *kAclColumn = "dot11MacAccessControlListMacAddress";
constexpr const char *kFirmwareVersion = "deviceInformationFirmwareVersion";

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar, and back.
long long daysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, long long &y, long long &m, long long &d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp + (mp < 10 ? 3 : -9);
    y = yoe + era * 400 + (m <= 2 ? 1 : 0);
}

long long daysInMonth(long long year, long long month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

long long hostLocalSeconds()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return daysFromCivil(local.tm_year + 1900LL, local.tm_mon + 1LL, local.tm_mday) * 86400
        + local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec;
}

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

// the wifi modes each band offers, its default first
constexpr long long kWifiModes24[] = {6, 3, 2};
constexpr long long kWifiModes5[] = {9, 7, 8};

bool inBandList(long long band, long long mode)
{
    const auto &list = band == 1 ? kWifiModes5 : kWifiModes24;
    return std::find(std::begin(list), std::end(list), mode) != std::end(list);
}

int macColumn(const MibStore::Table &table)
{
    for (std::size_t c = 0; c < table.def->columns.size(); ++c) {
        if (table.def->columns[c].syntax == Syntax::MacAddress) {
            return static_cast<int>(c);
        }
    }
    return -1;
}

// The row index a column instance names.
Oid rowIndexOf(const ObjectDef &column, const Oid &instance)
{
    auto col = parseOid(column.oid);
    if (!col || instance.size() <= col->size()) {
        return {};
    }
    return Oid(instance.begin() + static_cast<long>(col->size()), instance.end());
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

Behaviours::Behaviours(MibStore &store)
    : m_store(store), m_sources(store), m_localClock(hostLocalSeconds)
{
    for (const MibStore::Scalar &s : m_store.scalars()) {
        if (s.def->clock) {
            m_clock = s.def->name;
        }
    }
    // the text the device starts with is no setting: the clock starts at the host's time
    m_clockServed = m_store.scalarText(m_clock);
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
    if (!m_clock.empty()) {
        m_store.setScalar(m_clock, Value::text(m_clockServed)); // the clock runs on
    }
    m_told.clear();
    if (firmware.type != ValueType::Null) {
        m_store.setScalar(kFirmwareVersion, firmware);
    }
    commitStored();
    addLog("SYS", "Factory default settings restored");
}

Value Behaviours::served(const ObjectDef &def, const Value &value) const
{
    if (!m_maskSecrets || !def.secret || value.type != ValueType::OctetString) {
        return value;
    }
    Value masked = value;
    masked.octets.clear();
    for (unsigned char c : value.octets) {
        if ((c & 0xC0) != 0x80) { // one '*' per character, not per byte of one
            masked.octets += '*';
        }
    }
    return masked;
}

void Behaviours::refreshTable(const std::string &tableName)
{
    if (tableName == "dot11PortListTable" && m_store.table("dot11GroupVlanListTable")) {
        derivePortList();
        return;
    }
    if (m_sources.refill(m_store, tableName)) {
        // what the device was told about an access point survives a new scan
        MibStore::Table *t = m_store.table(tableName);
        const int mac = macColumn(*t);
        for (const auto &[key, value] : m_told) {
            if (std::get<0>(key) != tableName || mac < 0) {
                continue;
            }
            const auto bssid = parseValue(Syntax::MacAddress, std::get<2>(key));
            const int r = bssid ? m_store.findRowByColumn(*t, mac, *bssid) : -1;
            if (r >= 0) {
                m_store.setCell(
                    tableName, t->rows[static_cast<std::size_t>(r)].index, std::get<1>(key), value);
            }
        }
        return;
    }
    // a table without a source: its default rows again, keeping the classification by row
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

void Behaviours::derivePortList()
{
    // per shown port, the IDs of the VLANs it is a tagged and an untagged member of, in table order
    static const std::pair<const char *, const char *> kPorts[] = {
        {"Mgmt", "dot11GroupVlanListMgmt"}, {"LAN", "dot11GroupVlanListLan"},
        {"Primary", "dot11GroupVlanListPrimary"}, {"S-1", "dot11GroupVlanListMssid1"},
        {"S-2", "dot11GroupVlanListMssid2"}, {"S-3", "dot11GroupVlanListMssid3"},
        {"W-1", "dot11GroupVlanListWds1"}, {"W-2", "dot11GroupVlanListWds2"},
        {"W-3", "dot11GroupVlanListWds3"}, {"W-4", "dot11GroupVlanListWds4"}};
    MibStore::Table *ports = m_store.table("dot11PortListTable");
    const MibStore::Table *vlans = m_store.table("dot11GroupVlanListTable");
    const int vid = vlans ? m_store.columnIndex(*vlans, "dot11GroupVlanListVid") : -1;
    if (!ports || vid < 0) {
        return;
    }
    const std::string name = ports->def->name;
    const int tagged = m_store.columnIndex(*ports, "dot11PortListTagVid");
    const int untagged = m_store.columnIndex(*ports, "dot11PortListUntagVid");
    const int portName = m_store.columnIndex(*ports, "dot11PortLisPortName");
    std::size_t p = 0;
    for (const MibStore::Row &row : ports->rows) {
        if (p >= std::size(kPorts)) {
            break;
        }
        const int member = m_store.columnIndex(*vlans, kPorts[p].second);
        std::string tags;
        std::string untags;
        for (const MibStore::Row &v : vlans->rows) {
            if (member < 0 || m_store.rowEmpty(*vlans, v)) {
                continue;
            }
            const std::string id = std::to_string(v.values[static_cast<std::size_t>(vid)].number);
            const long long m = v.values[static_cast<std::size_t>(member)].number;
            std::string &list = m == 1 ? tags : untags;
            if (m == 1 || m == 2) {
                list += (list.empty() ? "" : ",") + id;
            }
        }
        m_store.setCell(name, row.index, tagged, Value::text(tags));
        m_store.setCell(name, row.index, untagged, Value::text(untags));
        m_store.setCell(name, row.index, portName, Value::text(kPorts[p].first));
        ++p;
    }
}

Value Behaviours::pduValue(const std::vector<Written> &written, const std::string &scalar) const
{
    // the last binding of the PDU wins: walked from the end
    for (auto w = written.rbegin(); w != written.rend(); ++w) { // NOLINT(modernize-loop-convert)
        if (w->name == scalar) {
            return w->value;
        }
    }
    const ObjectDef *def = m_store.object(scalar);
    return def ? m_store.defaultOf(*def) : Value{};
}

std::vector<std::pair<std::string, Value>> Behaviours::groupValues(
    const CommandGroupDef &group, const std::vector<Written> &written) const
{
    // an entry is made from what this PDU says, never from what an earlier one left in the fields
    std::vector<std::pair<std::string, Value>> values;
    for (const auto &[field, column] : group.fields) {
        values.emplace_back(column, pduValue(written, field));
    }
    return values;
}

int Behaviours::findGroupEntry(const CommandGroupDef &group, const MibStore::Table &table,
    const std::vector<std::pair<std::string, Value>> &values) const
{
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        if (table.def->fixedRows > 0 && m_store.rowEmpty(table, table.rows[r])) {
            continue;
        }
        bool match = true;
        for (std::size_t f = 0; f < group.fields.size() && match; ++f) {
            const auto &[field, column] = group.fields[f];
            if (!group.keyFields.empty()
                && std::find(group.keyFields.begin(), group.keyFields.end(), field)
                    == group.keyFields.end()) {
                continue;
            }
            const int c = m_store.columnIndex(table, column);
            match = c >= 0 && table.rows[r].values[static_cast<std::size_t>(c)] == values[f].second;
        }
        if (match) {
            return static_cast<int>(r);
        }
    }
    return -1;
}

int Behaviours::findDeleteRow(
    const DeleteObjectDef &d, const MibStore::Table &table, const Value &v) const
{
    if (!d.column.empty()) {
        return m_store.findRowByColumn(table, m_store.columnIndex(table, d.column), v);
    }
    if (v.number <= 0 || v.number > 0xffffffffLL) {
        return -1;
    }
    const int r = m_store.findRow(table, {static_cast<std::uint32_t>(v.number)});
    if (r >= 0 && table.def->fixedRows > 0
        && m_store.rowEmpty(table, table.rows[static_cast<std::size_t>(r)])) {
        return -1; // an empty slot is no entry to delete
    }
    return r;
}

Behaviours::Refusal Behaviours::checkCommandGroup(
    const CommandGroupDef &group, const std::vector<Written> &written, long long action) const
{
    const MibStore::Table *t = m_store.table(group.table);
    if (!t) {
        return {ErrorStatus::GenErr, 0};
    }
    const auto values = groupValues(group, written);
    if (action == group.addValue) {
        if (findGroupEntry(group, *t, values) >= 0 || m_store.looksEmpty(*t, values)) {
            return {ErrorStatus::WrongValue, 0};
        }
        if (m_store.full(*t)) {
            return {ErrorStatus::GenErr, 0};
        }
    } else if (action == group.deleteValue && findGroupEntry(group, *t, values) < 0) {
        return {ErrorStatus::WrongValue, 0};
    }
    return {};
}

Behaviours::Refusal Behaviours::checkDeviceRules(const std::vector<Written> &written) const
{
    const MibDefinition &mib = m_store.mib();
    long long band = m_store.scalarNumber("dot11Band");
    for (const Written &w : written) {
        if (w.name == "dot11Band") {
            band = w.value.number;
        }
    }
    for (std::size_t i = 0; i < written.size(); ++i) {
        const Written &w = written[i];
        const int index = static_cast<int>(i + 1);
        if (w.name == "dot11WifiMode" && !inBandList(band, w.value.number)) {
            return {ErrorStatus::WrongValue, index};
        }
        if (w.def->clock && !parseClock(w.value.octets)) {
            return {ErrorStatus::WrongValue, index};
        }
        for (const CommandGroupDef &g : mib.commandGroups) {
            if (g.actionObject == w.name) {
                Refusal r = checkCommandGroup(g, written, w.value.number);
                if (r.status != ErrorStatus::NoError) {
                    r.index = index;
                    return r;
                }
            }
        }
        for (const ClassifyObjectDef &c : mib.classifyObjects) {
            const MibStore::Table *t = c.object == w.name ? m_store.table(c.table) : nullptr;
            if (c.object == w.name
                && (!t || w.value.number <= 0 || w.value.number > 0xffffffffLL
                    || m_store.findRow(*t, {static_cast<std::uint32_t>(w.value.number)}) < 0)) {
                return {ErrorStatus::WrongValue, index};
            }
        }
        for (const DeleteObjectDef &d : mib.deleteObjects) {
            const MibStore::Table *t = d.object == w.name ? m_store.table(d.table) : nullptr;
            if (d.object == w.name && (!t || findDeleteRow(d, *t, w.value) < 0)) {
                return {ErrorStatus::WrongValue, index};
            }
        }
    }
    return {};
}

void Behaviours::describeScheduleRule(const std::vector<Written> &written)
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
    const long long mask = pduValue(written, "dot11ScheduleDaysSelect").number;
    std::string days;
    for (int d = 0; d < 7; ++d) {
        if (mask & (1LL << d)) {
            days += (days.empty() ? "" : " ") + std::string(kDays[d]);
        }
    }
    put("dot11ScheduleListDays", Value::text(mask == 0 ? "All Week" : days));
    const bool allDay = pduValue(written, "dot11ScheduleAllDaySelect").number == 1;
    put("dot11ScheduleListTimeFrame",
        Value::text(allDay ? "All Day(s)"
                           : pduValue(written, "dot11ScheduleRuleStartTime").octets + "-"
                    + pduValue(written, "dot11ScheduleRuleEndTime").octets));
    if (MibStore::Table *ssids = m_store.tableOfColumn("dot11MssidSsid")) {
        const auto slot =
            static_cast<std::uint32_t>(pduValue(written, "dot11ScheduleSSIDIndex").number + 1);
        const int r = m_store.findRow(*ssids, {1, slot});
        if (r >= 0) {
            put("dot11ScheduleListSSID",
                ssids->rows[static_cast<std::size_t>(r)].values[static_cast<std::size_t>(
                    m_store.columnIndex(*ssids, "dot11MssidSsid"))]);
        }
    }
    put("dot11ScheduleListWirelessStatus", Value::integer(1));
}

void Behaviours::keepBand(const std::vector<Written> &written)
{
    const bool bandWritten = std::any_of(
        written.begin(), written.end(), [](const Written &w) { return w.name == "dot11Band"; });
    const long long band = m_store.scalarNumber("dot11Band");
    if (bandWritten && !inBandList(band, m_store.scalarNumber("dot11WifiMode"))) {
        m_store.setScalar(
            "dot11WifiMode", Value::integer(band == 1 ? kWifiModes5[0] : kWifiModes24[0]));
    }
}

void Behaviours::keepOneOfTwo(const std::vector<Written> &written)
{
    // switches of which at most one is on: the one written 1 last in the PDU is the one left on
    static const std::pair<const char *, const char *> kPairs[] = {{"telnet", "ssh"},
        {"dot11RogueApAllNewNodesAsValid", "dot11RogueApUnknownAccessNodesAsRogue"}};
    for (const auto &[first, second] : kPairs) {
        const Written *enabled = nullptr;
        for (const Written &w : written) {
            if ((w.name == first || w.name == second) && w.value.number == 1) {
                enabled = &w;
            }
        }
        if (enabled != nullptr) {
            m_store.setScalar(enabled->name == first ? second : first, Value::integer(0));
        }
    }
}

void Behaviours::setLocalClock(std::function<long long()> localSeconds)
{
    m_localClock = std::move(localSeconds);
}

std::string Behaviours::clockText(long long seconds)
{
    long long y = 0;
    long long m = 0;
    long long d = 0;
    const long long days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
    const long long inDay = seconds - days * 86400;
    civilFromDays(days, y, m, d);
    char text[40];
    std::snprintf(text, sizeof text, "%02lld/%02lld/%04lld %02lld:%02lld:%02lld", m, d, y,
        inDay / 3600, inDay / 60 % 60, inDay % 60);
    return text;
}

std::optional<long long> Behaviours::parseClock(const std::string &text)
{
    static const char kForm[] = "NN/NN/NNNN NN:NN:NN";
    if (text.size() != sizeof kForm - 1) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
        if (kForm[i] == 'N' ? !digit : text[i] != kForm[i]) {
            return std::nullopt;
        }
    }
    auto number = [&](std::size_t at, std::size_t n) { return std::stoll(text.substr(at, n)); };
    const long long month = number(0, 2);
    const long long day = number(3, 2);
    const long long year = number(6, 4);
    const long long hour = number(11, 2);
    const long long minute = number(14, 2);
    const long long second = number(17, 2);
    if (month < 1 || month > 12 || year < 1970 || day < 1 || day > daysInMonth(year, month)
        || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

void Behaviours::runClock()
{
    if (m_clock.empty()) {
        return;
    }
    const std::string stored = m_store.scalarText(m_clock);
    if (stored != m_clockServed) {
        // put there by other means than a SET: a time moves the clock, anything else stops it
        const std::optional<long long> set = parseClock(stored);
        if (!set) {
            return;
        }
        m_clockOffset = *set - m_localClock();
    }
    m_clockServed = clockText(m_localClock() + m_clockOffset);
    m_store.setScalar(m_clock, Value::text(m_clockServed));
}

std::string Behaviours::generatedKey(const std::string &ssid)
{
    const std::string n = std::to_string(++m_keysGenerated);
    char key[17];
    std::snprintf(key, sizeof key, "%08lx%08lx", static_cast<unsigned long>(crc32(ssid + ":" + n)),
        static_cast<unsigned long>(crc32(n + ":" + ssid)));
    addLog("WLAN", "New security key of " + ssid + ": " + key);
    return key;
}

void Behaviours::rekey(const Written &w)
{
    // while rekeying is periodic the device makes the passphrase itself; manual rekeying has none
    const bool periodic = w.value.number == 1;
    if (w.name == "dot11AutoRekeyControl") {
        const std::string key = periodic ? generatedKey(m_store.scalarText("dot11Ssid")) : "";
        m_store.setScalar("dot11AutoRekeyPassPhrase", Value::text(key));
        return;
    }
    MibStore::Table *t = m_store.tableOfColumn("dot11MssidAutoRekeyPassPhrase");
    const Oid index = rowIndexOf(*w.def, w.oid);
    const int r = t ? m_store.findRow(*t, index) : -1;
    const int ssid = t ? m_store.columnIndex(*t, "dot11MssidSsid") : -1;
    if (r < 0 || ssid < 0) {
        return;
    }
    const std::string key = periodic
        ? generatedKey(
            t->rows[static_cast<std::size_t>(r)].values[static_cast<std::size_t>(ssid)].octets)
        : "";
    m_store.setCell(t->def->name, index, m_store.columnIndex(*t, "dot11MssidAutoRekeyPassPhrase"),
        Value::text(key));
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

    // what is written, by object name and instance, in PDU order
    std::vector<Written> written;
    for (const Binding &b : bindings) {
        auto f = m_store.get(b.first);
        written.push_back({f->def->name, f->def, b.first, b.second});
    }
    // the device's own rules on the PDU as a whole, before anything changes
    const Refusal refused = checkDeviceRules(written);
    if (refused.status != ErrorStatus::NoError) {
        result.status = refused.status;
        result.errorIndex = refused.index;
        return result;
    }
    const Value apModeBefore = m_store.scalar("dot11ApMode");
    for (const Binding &b : bindings) {
        m_store.put(b.first, b.second);
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
            m_store.setScalar("dot11ApModeStatus", Value::text("unchanged"));
            result.restart = true;
        } else if (w.name == "deviceSettingDiscard" && n == 1) {
            std::string why;
            loadConfig(m_store, m_stored, &why);
            addLog("SYS", "Unsaved settings discarded");
            m_store.setScalar("dot11ApModeStatus", Value::text("unchanged"));
            result.restart = true;
        } else if (w.name == "dot11ApMode" && w.value != apModeBefore) {
            // the new mode waits for Save and Activate
            m_store.setScalar("dot11ApModeStatus", Value::text("changed"));
        } else if (w.name == "dot11AutoRekeyControl" || w.name == "dot11MssidAutoRekeyControl") {
            rekey(w);
        } else if (w.def->clock) {
            m_clockOffset = *parseClock(w.value.octets) - m_localClock();
            m_clockServed = w.value.octets;
        } else if (w.name == "managerIpAddressStatus" && n != 0) {
            // a limited administrator leaves no VLAN or access protection in the way
            m_store.setScalar("dot11VlanStatus", Value::integer(0));
            m_store.setScalar("dot11NetworkAccessProtection", Value::integer(0));
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
                result.answerDelayMs = std::max(result.answerDelayMs, m_refreshDelayMs);
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
            MibStore::Table *t = c.object == w.name ? m_store.table(c.table) : nullptr;
            const int r = t ? m_store.findRow(*t, {static_cast<std::uint32_t>(n)}) : -1;
            const int col = t ? m_store.columnIndex(*t, c.column) : -1;
            if (r < 0 || col < 0) {
                continue;
            }
            const MibStore::Row &row = t->rows[static_cast<std::size_t>(r)];
            Value v = row.values[static_cast<std::size_t>(col)];
            v.number = c.value;
            // the device remembers what it was told about that access point, not about the row
            if (const int mac = macColumn(*t); mac >= 0) {
                m_told[{c.table, col,
                    formatValue(Syntax::MacAddress, row.values[static_cast<std::size_t>(mac)])}] =
                    v;
            }
            m_store.setCell(c.table, row.index, col, v);
        }
        for (const CommandGroupDef &g : mib.commandGroups) {
            MibStore::Table *t = g.actionObject == w.name ? m_store.table(g.table) : nullptr;
            if (!t) {
                continue;
            }
            const auto values = groupValues(g, written);
            if (n == g.addValue) {
                if (!m_store.addEntry(g.table, values)) {
                    fail(i);
                } else if (g.table == "dot11ScheduleListTable") {
                    describeScheduleRule(written);
                }
            } else if (n == g.deleteValue) {
                if (const int r = findGroupEntry(g, *t, values); r >= 0) {
                    m_store.removeEntry(g.table, static_cast<std::size_t>(r));
                }
            }
        }
        for (const DeleteObjectDef &d : mib.deleteObjects) {
            MibStore::Table *t = d.object == w.name ? m_store.table(d.table) : nullptr;
            if (const int r = t ? findDeleteRow(d, *t, w.value) : -1; r >= 0) {
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
    keepBand(written);
    keepOneOfTwo(written);
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
    runClock();
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
