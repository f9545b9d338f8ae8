// What the device finds around itself when it is asked to collect a status table: the neighbouring
// access points its radio hears, the clients associated with it, the hosts behind its Ethernet port,
// its WDS links, the clients of its DHCP server, the AP arrays on the network and the members of its
// own array. A refresh trigger rebuilds its tables from these sources (Behaviours), so rows a test
// sets up here survive the page's own refresh.
//
// Each source is a list of entries in the order they were added, each with a key (a MAC address, or
// the link number of a WDS link) and named fields; a field left out takes its default. The device
// starts with entries that give exactly the status tables' starting rows. `fields()` lists every
// source with its fields and defaults; the control channel edits them ("source ..." commands).
//
//   neighbours <bssid>  ch signal ssid security mode lastseen type status scans
//       client site survey (scans has "client", status up), WDS site survey ("wds", up), rogue AP
//       survey ("rogue", up or down; the device keeps the type it was told for a BSSID)
//   clients <mac>       band auth rssi psm ssid uptime active         client information table
//   hosts <mac>                                                      MAC clone candidates
//   wds <link 1-8>      mac band auth rssi ssid connected status psm   WDS information table
//   leases <mac>        host ip lease static                          current dynamic / static leases
//   arrays <mac>        name ip masters backups slaves total          AP array scan list (total:
//                                                                      the sum when left out)
//   members <mac>       role ip location                              AP array members
#pragma once

#include "MibStore.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace sim {

class Sources
{
public:
    struct Entry
    {
        std::string key; // normalised: 12 hex digits, or the link number
        std::map<std::string, std::string>
            fields; // field -> value in the target column's text form
    };

    /// The sources whose tables `store` serves, with their starting entries.
    explicit Sources(const MibStore &store);

    std::vector<std::string> names() const;
    bool has(const std::string &source) const;
    const std::vector<Entry> *entries(const std::string &source) const;

    /// `words`: the key, then field=value words. Refused (with `error`) for an unknown source or
    /// field, a bad key or value, a key already listed, or a full source; nothing changes then.
    bool add(const std::string &source, const std::vector<std::string> &words, std::string *error);
    bool remove(const std::string &source, const std::string &key, std::string *error);
    bool clear(const std::string &source, std::string *error);
    /// Back to the starting entries.
    bool reset(const std::string &source, std::string *error);

    /// One line per entry, in the form add takes: "<source> <key> field=value ..." (all sources
    /// when `source` is empty).
    std::vector<std::string> list(const std::string &source) const;
    /// One line per source: "<source> <key name> field=default ... -> tables".
    std::vector<std::string> fields() const;

    /// Whether a source feeds that table.
    bool feeds(const std::string &table) const;
    /// Rebuilds the table from its source; false when no source feeds it.
    bool refill(MibStore &store, const std::string &table) const;

    static constexpr std::size_t kMaxEntries = 256;

    struct FieldDef
    {
        std::string name;
        std::string column;             // the column that gives syntax, values and limits
        std::string defaultText;        // as add takes it
        std::vector<std::string> words; // instead of a column: a comma list of these words
        bool yesNo = false;             // instead of a column: yes or no
    };

    struct FeedDef
    {
        std::string table;
        std::vector<std::pair<std::string, std::string>> columns; // column <- field (or the key)
        std::function<bool(const Entry &)> takes;                 // which entries give a row
    };

    struct SourceDef
    {
        std::string name;
        std::string keyName; // "bssid", "mac", "link"
        int keyLinks = 0;    // > 0: the key is a link number 1..keyLinks, else a MAC address
        std::vector<FieldDef> fields;
        std::vector<FeedDef> feeds;
        std::vector<std::string> defaults; // the starting entries, as add takes them
        std::function<void(Entry &, const std::vector<std::string> &given)> complete;
    };

private:
    struct Source
    {
        const SourceDef *def = nullptr;
        std::vector<Entry> entries;
    };

    Source *find(const std::string &name, std::string *error);
    const Source *find(const std::string &name) const;
    bool normaliseKey(
        const SourceDef &def, const std::string &text, std::string &key, std::string *error) const;
    bool parseField(const FieldDef &field, const std::string &text, std::string &value,
        std::string *error) const;
    std::string showField(const FieldDef &field, const std::string &value) const;
    std::string line(const Source &source, const Entry &entry) const;

    const MibStore &m_store;
    std::vector<Source> m_sources;
};

} // namespace sim
