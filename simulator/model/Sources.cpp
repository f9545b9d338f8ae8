// The device's sources and the status tables they feed.
#include "Sources.h"

#include "Quoting.h"

#include <algorithm>
#include <cctype>

namespace sim {

namespace {

using SourceDef = Sources::SourceDef;
using Entry = Sources::Entry;

std::string lower(std::string s)
{
    for (char &c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

bool hasWord(const Entry &e, const char *field, const std::string &word)
{
    auto it = e.fields.find(field);
    if (it == e.fields.end()) {
        return false;
    }
    const std::string list = "," + it->second + ",";
    return list.find("," + word + ",") != std::string::npos;
}

bool fieldIs(const Entry &e, const char *field, const char *value)
{
    auto it = e.fields.find(field);
    return it != e.fields.end() && it->second == value;
}

// An access point that is down is heard by no survey; the rogue AP list still shows it as down.
bool surveyed(const Entry &e, const char *scan)
{
    return hasWord(e, "scans", scan) && fieldIs(e, "status", "2");
}

std::vector<SourceDef> buildDefs()
{
    std::vector<SourceDef> defs;

    SourceDef neighbours;
    neighbours.name = "neighbours";
    neighbours.keyName = "bssid";
    neighbours.fields = {
        {"ch", "dot11SiteSurveyChannel", "6", {}, false},
        {"signal", "dot11SiteSurveySignal", "50", {}, false},
        {"ssid", "dot11SiteSurveySsid", "", {}, false},
        {"security", "dot11SiteSurveySecurity", "None", {}, false},
        {"mode", "dot11RogueApSurveyMode", "G", {}, false},
        {"lastseen", "dot11RogueApSurveyLastseem", "", {}, false},
        {"type", "dot11RogueApSurveyType", "new", {}, false},
        {"status", "dot11RogueApSurveyStatus", "up", {}, false},
        {"scans", "", "client,wds,rogue", {"client", "wds", "rogue"}, false},
    };
    neighbours.feeds = {
        {"dot11SiteSurveyTable",
            {{"dot11SiteSurveyChannel", "ch"}, {"dot11SiteSurveySignal", "signal"},
                {"dot11SiteSurveyBssid", "bssid"}, {"dot11SiteSurveySecurity", "security"},
                {"dot11SiteSurveySsid", "ssid"}},
            [](const Entry &e) { return surveyed(e, "client"); }},
        {"dot11WdsSiteSurveyTable",
            {{"dot11WdsSiteSurveyChannel", "ch"}, {"dot11WdsSiteSurveySignal", "signal"},
                {"dot11WdsSiteSurveyBssid", "bssid"}, {"dot11WdsSiteSurveySecurity", "security"},
                {"dot11WdsSiteSurveySsid", "ssid"}},
            [](const Entry &e) { return surveyed(e, "wds"); }},
        {"dot11RogueApSurveyTable",
            {{"dot11RogueApSurveyChannel", "ch"}, {"dot11RogueApSurveyBssid", "bssid"},
                {"dot11RogueApSurveyMode", "mode"}, {"dot11RogueApSurveySsid", "ssid"},
                {"dot11RogueApSurveyLastseem", "lastseen"}, {"dot11RogueApSurveyType", "type"},
                {"dot11RogueApSurveyStatus", "status"}},
            [](const Entry &e) { return hasWord(e, "scans", "rogue"); }},
    };
    neighbours.defaults = {
        "0022A1B2C301 ch=1 signal=70 security=WPA2-PSK ssid=Office-AP mode=N"
        " lastseen=\"Thu Jan  1 00:05:10 2026\" type=valid scans=client,rogue",
        "0022A1B2C302 ch=11 signal=40 security=None ssid=Guest mode=G"
        " lastseen=\"Thu Jan  1 00:05:12 2026\" type=new scans=client,rogue",
        "0022A1B2C303 ch=11 ssid=FreeWifi mode=N lastseen=\"Thu Jan  1 00:01:47 2026\""
        " type=rogue status=down scans=client,rogue",
        // WDS bridges send no beacons for clients: only a WDS survey finds them
        "00A1B2C3D4E5 ch=6 signal=55 security=WPA2-PSK ssid=KVA-Bridge scans=wds",
        "00A1B2C3D4E6 ch=6 signal=30 security=None ssid=Warehouse scans=wds",
    };
    defs.push_back(neighbours);

    SourceDef clients;
    clients.name = "clients";
    clients.keyName = "mac";
    clients.fields = {
        {"band", "dot11ClientBand", "N", {}, false},
        {"auth", "dot11ClientAuthentication", "opensystem", {}, false},
        {"rssi", "dot11ClientRssi", "50", {}, false},
        {"psm", "dot11ClientPsm", "0", {}, false},
        {"ssid", "dot11SSIDIndex", "", {}, false},
        {"uptime", "dot11ClientUptime", "0", {}, false},
        {"active", "dot11ActiveTime", "0", {}, false},
    };
    clients.feeds = {{"dot11ClientInformationTable",
        {{"dot11ClientMacAddress", "mac"}, {"dot11ClientBand", "band"},
            {"dot11ClientAuthentication", "auth"}, {"dot11ClientRssi", "rssi"},
            {"dot11ClientPsm", "psm"}, {"dot11SSIDIndex", "ssid"}, {"dot11ClientUptime", "uptime"},
            {"dot11ActiveTime", "active"}},
        {}}};
    clients.defaults = {
        "001B2C3D4E01 band=N auth=wpa2-psk rssi=62 psm=0 ssid=KVA7310 uptime=360000 active=1200",
        "001B2C3D4E02 band=G auth=wpa2-psk rssi=48 psm=1 ssid=KVA7310 uptime=90000 active=500",
        "001B2C3D4E03 band=N auth=wpa2-auto-psk rssi=35 psm=0 ssid=KVA7310 uptime=45000"
        " active=3000",
    };
    defs.push_back(clients);

    // the hosts on the Ethernet side, whose addresses a wireless client may take over
    SourceDef hosts;
    hosts.name = "hosts";
    hosts.keyName = "mac";
    hosts.feeds = {{"dot11MacCloneTable", {{"dot11MacCloneListMacAddress", "mac"}}, {}}};
    hosts.defaults = {"001B2C3D4E10", "001B2C3D4E11"};
    defs.push_back(hosts);

    SourceDef wds;
    wds.name = "wds";
    wds.keyName = "link";
    wds.keyLinks = 8;
    wds.fields = {
        {"mac", "dot11WdsMacAddress", "", {}, false},
        {"band", "dot11WdsBand", "dot11n", {}, false},
        {"auth", "dot11WdsAuthentication", "opensystem", {}, false},
        {"rssi", "dot11WdsRssi", "0", {}, false},
        {"ssid", "dot11WdsSsidIndex", "", {}, false},
        {"connected", "dot11WdsConnected", "0", {}, false},
        {"status", "dot11WdsStatus", "off", {}, false},
        {"psm", "dot11WdsPsm", "0", {}, false},
    };
    wds.feeds = {{"dot11WdsTable",
        {{"dot11WdsMacAddress", "mac"}, {"dot11WdsBand", "band"},
            {"dot11WdsAuthentication", "auth"}, {"dot11WdsRssi", "rssi"},
            {"dot11WdsSsidIndex", "ssid"}, {"dot11WdsConnected", "connected"},
            {"dot11WdsStatus", "status"}, {"dot11WdsPsm", "psm"}},
        {}}};
    wds.defaults = {
        "1 mac=00A1B2C3D4E5 auth=wpa2-psk rssi=45 ssid=WDS1 connected=1 status=on",
        "2 ssid=WDS2", // configured, not connected
    };
    defs.push_back(wds);

    SourceDef leases;
    leases.name = "leases";
    leases.keyName = "mac";
    leases.fields = {
        {"host", "currentDynamicHostName", "", {}, false},
        {"ip", "currentDynamicAssignedIp", "", {}, false},
        {"lease", "currentDynamicLease", "0", {}, false},
        {"static", "", "no", {}, true},
    };
    leases.feeds = {
        {"currentDynamicTable",
            {{"currentDynamicHostName", "host"}, {"currentDynamicMac", "mac"},
                {"currentDynamicAssignedIp", "ip"}, {"currentDynamicLease", "lease"}},
            [](const Entry &e) { return fieldIs(e, "static", "no"); }},
        {"currentStaticTable",
            {{"currentStaticHostName", "host"}, {"currentStaticMac", "mac"},
                {"currentStaticAssignedIp", "ip"}},
            [](const Entry &e) { return fieldIs(e, "static", "yes"); }},
    };
    leases.defaults = {
        "001B2C3D4E01 host=laptop-01 ip=127.0.0.100 lease=8640000",
        "001B2C3D4E02 host=phone-02 ip=127.0.0.101 lease=4320000",
        "001B2C3D4E20 host=printer ip=127.0.0.50 static=yes",
    };
    defs.push_back(leases);

    SourceDef arrays;
    arrays.name = "arrays";
    arrays.keyName = "mac";
    arrays.fields = {
        {"name", "dot11ApArrayScanListName", "", {}, false},
        {"ip", "dot11ApArrayScanListMasterIp", "", {}, false},
        {"masters", "dot11ApArrayScanListMasters", "1", {}, false},
        {"backups", "dot11ApArrayScanListBackupMasters", "0", {}, false},
        {"slaves", "dot11ApArrayScanListSlaves", "0", {}, false},
        {"total", "dot11ApArrayScanListTotal", "0", {}, false},
    };
    arrays.feeds = {{"dot11ApArrayScanListTable",
        {{"dot11ApArrayScanListName", "name"}, {"dot11ApArrayScanListMasterIp", "ip"},
            {"dot11ApArrayScanListMac", "mac"}, {"dot11ApArrayScanListMasters", "masters"},
            {"dot11ApArrayScanListBackupMasters", "backups"},
            {"dot11ApArrayScanListSlaves", "slaves"}, {"dot11ApArrayScanListTotal", "total"}},
        {}}};
    arrays.complete = [](Entry &e, const std::vector<std::string> &given) {
        if (std::find(given.begin(), given.end(), "total") == given.end()) {
            const long long total = std::stoll(e.fields["masters"])
                + std::stoll(e.fields["backups"]) + std::stoll(e.fields["slaves"]);
            e.fields["total"] = std::to_string(total);
        }
    };
    arrays.defaults = {"001A2B3C4D5E name=KVA-Array ip=127.0.0.1 masters=1 backups=0 slaves=1"};
    defs.push_back(arrays);

    SourceDef members;
    members.name = "members";
    members.keyName = "mac";
    members.fields = {
        {"role", "dot11APArrayMeberListRole", "Slave", {}, false},
        {"ip", "dot11APArrayMeberListIP", "", {}, false},
        {"location", "dot11APArrayMeberListLoacation", "", {}, false},
    };
    members.feeds = {{"dot11APArrayMeberListTable",
        {{"dot11APArrayMeberListRole", "role"}, {"dot11APArrayMeberListIP", "ip"},
            {"dot11APArrayMeberListMac", "mac"}, {"dot11APArrayMeberListLoacation", "location"}},
        {}}};
    members.defaults = {
        "001A2B3C4D5E role=Master ip=127.0.0.1 location=Lobby",
        "001A2B3C4D60 role=Slave ip=127.0.0.2 location=Hall",
    };
    defs.push_back(members);
    return defs;
}

const std::vector<SourceDef> &definitions()
{
    static const std::vector<SourceDef> all = buildDefs();
    return all;
}

void setError(std::string *error, const std::string &why)
{
    if (error) {
        *error = why;
    }
}

} // namespace

Sources::Sources(const MibStore &store) : m_store(store)
{
    for (const SourceDef &def : definitions()) {
        bool served = true;
        for (const FeedDef &feed : def.feeds) {
            const MibStore::Table *t = store.table(feed.table);
            served = served && t;
            for (const auto &[column, field] : feed.columns) {
                served = served && t && store.columnIndex(*t, column) >= 0;
            }
        }
        for (const FieldDef &field : def.fields) {
            served = served && (field.column.empty() || store.object(field.column));
        }
        if (!served) {
            continue;
        }
        m_sources.push_back({&def, {}});
        std::string ignored;
        reset(def.name, &ignored);
    }
}

std::vector<std::string> Sources::names() const
{
    std::vector<std::string> out;
    for (const Source &s : m_sources) {
        out.push_back(s.def->name);
    }
    return out;
}

bool Sources::has(const std::string &source) const
{
    return find(source) != nullptr;
}

const std::vector<Entry> *Sources::entries(const std::string &source) const
{
    const Source *s = find(source);
    return s ? &s->entries : nullptr;
}

const Sources::Source *Sources::find(const std::string &name) const
{
    for (const Source &s : m_sources) {
        if (s.def->name == name) {
            return &s;
        }
    }
    return nullptr;
}

Sources::Source *Sources::find(const std::string &name, std::string *error)
{
    for (Source &s : m_sources) {
        if (s.def->name == name) {
            return &s;
        }
    }
    setError(error, "unknown source: " + name);
    return nullptr;
}

bool Sources::normaliseKey(
    const SourceDef &def, const std::string &text, std::string &key, std::string *error) const
{
    if (def.keyLinks > 0) {
        if (text.empty() || text.size() > 2
            || !std::all_of(text.begin(), text.end(),
                [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })
            || std::stoi(text) < 1 || std::stoi(text) > def.keyLinks) {
            setError(error,
                "bad " + def.keyName + ": " + text + " (1 to " + std::to_string(def.keyLinks)
                    + ")");
            return false;
        }
        key = std::to_string(std::stoi(text));
        return true;
    }
    std::string why;
    auto v = parseValue(Syntax::MacAddress, text, &why);
    if (!v || text.empty()) {
        setError(error, "bad " + def.keyName + ": " + text + " (a MAC address)");
        return false;
    }
    key = formatValue(Syntax::MacAddress, *v);
    return true;
}

bool Sources::parseField(
    const FieldDef &field, const std::string &text, std::string &value, std::string *error) const
{
    auto bad = [&](const std::string &why) {
        setError(error, "bad value for " + field.name + ": " + why);
        return false;
    };
    if (field.yesNo) {
        if (text != "yes" && text != "no") {
            return bad(text + " (yes or no)");
        }
        value = text;
        return true;
    }
    if (!field.words.empty()) {
        std::vector<bool> chosen(field.words.size(), false);
        std::size_t at = 0;
        while (at <= text.size()) {
            const std::size_t comma = std::min(text.find(',', at), text.size());
            const std::string word = text.substr(at, comma - at);
            auto it = std::find(field.words.begin(), field.words.end(), word);
            if (it == field.words.end()) {
                std::string all;
                for (const std::string &w : field.words) {
                    all += (all.empty() ? "" : ",") + w;
                }
                std::string message = text;
                message += " (a comma list of " + all + ")";
                return bad(message);
            }
            chosen[static_cast<std::size_t>(it - field.words.begin())] = true;
            at = comma + 1;
        }
        value.clear();
        for (std::size_t i = 0; i < field.words.size(); ++i) {
            if (chosen[i]) {
                value += (value.empty() ? "" : ",") + field.words[i];
            }
        }
        return true;
    }
    const ObjectDef *def = m_store.object(field.column);
    if (!def) {
        return bad("no column " + field.column);
    }
    std::string numberText = text;
    for (const EnumValue &e : def->values) {
        if (!e.label.empty() && lower(e.label) == lower(text)) {
            numberText = std::to_string(e.value);
        }
    }
    std::string why;
    auto v = parseValue(def->syntax, numberText, &why);
    if (!def->values.empty()
        && (!v || std::none_of(def->values.begin(), def->values.end(), [&](const EnumValue &e) {
               return e.value == v->number;
           }))) {
        std::string all;
        for (const EnumValue &e : def->values) {
            all += (all.empty() ? "" : ", ") + e.label;
        }
        return bad(text + " (one of " + all + ")");
    }
    if (!v) {
        return bad(why);
    }
    if (def->hasRange && (v->number < def->minValue || v->number > def->maxValue)) {
        return bad(text + " (out of range)");
    }
    const std::size_t max = def->maxLength > 0 ? static_cast<std::size_t>(def->maxLength) : 255;
    if (def->syntax == Syntax::OctetString && v->octets.size() > max) {
        return bad("longer than " + std::to_string(max) + " bytes");
    }
    value = formatValue(def->syntax, *v);
    return true;
}

std::string Sources::showField(const FieldDef &field, const std::string &value) const
{
    if (const ObjectDef *def = field.column.empty() ? nullptr : m_store.object(field.column)) {
        for (const EnumValue &e : def->values) {
            if (std::to_string(e.value) == value && !e.label.empty()) {
                return e.label;
            }
        }
    }
    return value;
}

bool Sources::add(
    const std::string &source, const std::vector<std::string> &words, std::string *error)
{
    Source *s = find(source, error);
    if (!s) {
        return false;
    }
    const SourceDef &def = *s->def;
    if (words.empty()) {
        setError(
            error, "usage: source " + def.name + " add <" + def.keyName + "> [field=value ...]");
        return false;
    }
    Entry entry;
    if (!normaliseKey(def, words[0], entry.key, error)) {
        return false;
    }
    for (const FieldDef &field : def.fields) {
        std::string value;
        if (!parseField(field, field.defaultText, value, error)) {
            return false;
        }
        entry.fields[field.name] = value;
    }
    std::vector<std::string> given;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::size_t eq = words[i].find('=');
        const std::string name = words[i].substr(0, eq);
        auto field = std::find_if(def.fields.begin(), def.fields.end(),
            [&](const FieldDef &f) { return f.name == name; });
        if (eq == std::string::npos || field == def.fields.end()) {
            setError(error, "unknown field of " + def.name + ": " + name);
            return false;
        }
        if (std::find(given.begin(), given.end(), name) != given.end()) {
            setError(error, "field given twice: " + name);
            return false;
        }
        given.push_back(name);
        if (!parseField(*field, words[i].substr(eq + 1), entry.fields[name], error)) {
            return false;
        }
    }
    if (std::any_of(s->entries.begin(), s->entries.end(),
            [&](const Entry &e) { return e.key == entry.key; })) {
        setError(error, def.name + " " + entry.key + " is listed already");
        return false;
    }
    if (s->entries.size() >= kMaxEntries) {
        setError(error, def.name + " is full (" + std::to_string(kMaxEntries) + " entries)");
        return false;
    }
    if (def.complete) {
        def.complete(entry, given);
    }
    s->entries.push_back(std::move(entry));
    return true;
}

bool Sources::remove(const std::string &source, const std::string &keyText, std::string *error)
{
    Source *s = find(source, error);
    std::string key;
    if (!s || !normaliseKey(*s->def, keyText, key, error)) {
        return false;
    }
    auto it = std::find_if(
        s->entries.begin(), s->entries.end(), [&](const Entry &e) { return e.key == key; });
    if (it == s->entries.end()) {
        setError(error, source + " " + key + " is not listed");
        return false;
    }
    s->entries.erase(it);
    return true;
}

bool Sources::clear(const std::string &source, std::string *error)
{
    Source *s = find(source, error);
    if (s) {
        s->entries.clear();
    }
    return s != nullptr;
}

bool Sources::reset(const std::string &source, std::string *error)
{
    Source *s = find(source, error);
    if (!s) {
        return false;
    }
    s->entries.clear();
    for (const std::string &line : s->def->defaults) {
        auto words = splitQuoted(line, error);
        if (!words || !add(source, *words, error)) {
            return false;
        }
    }
    return true;
}

std::string Sources::line(const Source &source, const Entry &entry) const
{
    std::string out = source.def->name + " " + entry.key;
    for (const FieldDef &field : source.def->fields) {
        out += " " + field.name + "=" + quoteWord(showField(field, entry.fields.at(field.name)));
    }
    return out;
}

std::vector<std::string> Sources::list(const std::string &source) const
{
    std::vector<std::string> out;
    for (const Source &s : m_sources) {
        if (!source.empty() && s.def->name != source) {
            continue;
        }
        for (const Entry &e : s.entries) {
            out.push_back(line(s, e));
        }
    }
    return out;
}

std::vector<std::string> Sources::fields() const
{
    std::vector<std::string> out;
    for (const Source &s : m_sources) {
        std::string text = s.def->name + " <" + s.def->keyName + ">";
        for (const FieldDef &field : s.def->fields) {
            std::string shown;
            std::string ignored;
            parseField(field, field.defaultText, shown, &ignored);
            text += " " + field.name + "=" + quoteWord(showField(field, shown));
        }
        text += " ->";
        for (const FeedDef &feed : s.def->feeds) {
            text += " " + feed.table;
        }
        out.push_back(text);
    }
    return out;
}

bool Sources::feeds(const std::string &table) const
{
    for (const Source &s : m_sources) {
        for (const FeedDef &feed : s.def->feeds) {
            if (feed.table == table) {
                return true;
            }
        }
    }
    return false;
}

bool Sources::refill(MibStore &store, const std::string &table) const
{
    for (const Source &s : m_sources) {
        for (const FeedDef &feed : s.def->feeds) {
            MibStore::Table *t = feed.table == table ? store.table(table) : nullptr;
            if (!t) {
                continue;
            }
            store.clearTable(table);
            std::uint32_t n = 0;
            for (const Entry &entry : s.entries) {
                if (feed.takes && !feed.takes(entry)) {
                    continue;
                }
                ++n;
                // rows are numbered in the order the device found them; a WDS link keeps its
                // number, below the radio's ifIndex
                const Oid index = t->def->index.size() == 2
                    ? Oid{1,
                        s.def->keyLinks > 0 ? static_cast<std::uint32_t>(std::stoul(entry.key)) : n}
                    : Oid{n};
                for (const auto &[column, field] : feed.columns) {
                    const int c = store.columnIndex(*t, column);
                    const std::string &text =
                        field == s.def->keyName ? entry.key : entry.fields.at(field);
                    auto v = parseValue(t->def->columns[static_cast<std::size_t>(c)].syntax, text);
                    if (v) {
                        store.setCell(table, index, c, *v);
                    }
                }
            }
            return true;
        }
    }
    return false;
}

} // namespace sim
