// Declarative description of the access point's MIB: what the simulator serves, with the checks a
// SET goes through and the table shapes the behaviours work on. Plain C++ only (no Qt, no Net-SNMP).
//
// One table, returned by sim::deviceMib() (DeviceMib.cpp), lists every object below the product root
// 1.3.6.1.4.1.32473.7310. The system group (sysDescr ...) is not part of it: the model adds it itself.
//
// Conventions for whoever fills the table:
// - Names are the MIB names exactly as the device documentation spells them (`dot11Ssid`,
//   `tftpcommand`): the behaviours and the control channel look objects up by name.
// - OIDs are full dotted texts without a leading dot ("1.3.6.1.4.1.32473.7310.4.2.3"). For a scalar,
//   `oid` is the object and `instance` the suffix served ("0" normally, "1" for the wireless scalars
//   whose documented OID already names the radio: then `oid` is the documented OID minus the last
//   ".1" and `instance` is "1"). For a table column, `oid` is the column (entry OID + "." + column
//   number) and `instance` is unused: the instance is the row index.
// - Values are texts in one form per syntax (defaults, default rows, enumerations):
//     Integer, Counter32, Gauge32, Counter64, TimeTicks: decimal ("-1", "4294967295")
//     OctetString: the text itself, byte for byte
//     IpAddress: dotted quad ("127.0.0.1")
//     MacAddress: 12 hex digits, separators ':' or '-' allowed ("000000000000", "00:11:22:aa:bb:cc")
//     ObjectId: dotted OID ("1.3.6.1.4.1.32473.7310")
// - Limits: `maxLength` 0 means the device's default (255 for text; IpAddress is always 4 bytes and
//   MacAddress 6). Give the page's edit limit where one is known.
// - Enumerations: list every value the device accepts in `values`; anything else is wrongValue.
//   Leave `values` empty for a free integer; use `minValue`/`maxValue` with `hasRange` for a range.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sim {

// The value kinds the device serves. MacAddress travels as a 6-byte OCTET STRING.
enum class Syntax {
    Integer,
    OctetString,
    IpAddress,
    MacAddress,
    TimeTicks,
    ObjectId,
    Counter32,
    Gauge32,
    Counter64
};

// NotAccessible: an index column that is part of row instances but is never served itself.
enum class Access {
    ReadOnly,
    ReadWrite,
    NotAccessible
};

// One enumerated value; `label` is the option text, for documentation and the control channel.
struct EnumValue
{
    long long value = 0;
    std::string label;
};

// One object: a scalar, or a column of a table.
struct ObjectDef
{
    std::string name;
    std::string oid;
    Syntax syntax = Syntax::Integer;
    Access access = Access::ReadOnly;
    std::string defaultValue;      // empty text: 0 / "" / 0.0.0.0 / 000000000000 by syntax
    int maxLength = 0;             // octet strings: longest accepted value (0 = 255)
    int minLength = 0;             // octet strings: shortest accepted value (keys of fixed length)
    std::vector<EnumValue> values; // accepted values of an enumeration (empty = any)
    bool hasRange = false;         // integers: accepted range [minValue, maxValue]
    long long minValue = 0;
    long long maxValue = 0;
    std::string instance = "0"; // scalars only, see above
    bool command = false;       // a write triggers an action and the object reads back its default
    bool grows = false;         // a statistic that moves over time (counters, byte counts)
    bool secret = false;        // a key, passphrase or password: served masked when masking is on
    bool clock = false; // the device clock: moves with time, and is no setting the device stores
};

// How one part of a row index is encoded in the instance OID.
//   Integer: one sub-identifier; IpAddress: four; Mac: six; Text: length then one per byte.
enum class IndexKind {
    Integer,
    IpAddress,
    Mac,
    Text
};

// One row given in the table: its index parts (texts in the forms above, one per index part) and the
// values of the columns it sets by name; columns it does not name hold their defaults.
struct RowDef
{
    std::vector<std::string> index;
    std::vector<std::pair<std::string, std::string>> values; // column name -> value text
};

// A table. Columns are served at `<column oid>.<index>`; GET-NEXT walks column by column, rows in index
// order.
//
// Fixed tables (`fixedRows` > 0) always hold that many rows. With a single Integer index they are
// rows 1..fixedRows, unless `defaultRows` lists them; with another index every row must be listed in
// `defaultRows`. An empty slot holds the column defaults; entries are kept packed in the first rows
// (adding fills the first empty slot, deleting moves the later entries up). `emptyColumn` names the
// column whose default value marks a slot empty (e.g. a name or a MAC); if empty, a slot is empty
// when every writable column holds its default.
//
// Dynamic tables (`fixedRows` == 0) hold `defaultRows` at start; command groups add and delete rows,
// up to `maxRows` (0 = no limit). A row added with a single Integer index gets the next free index
// unless a command group supplies the index column.
struct TableDef
{
    std::string name;             // the entry or table name, e.g. "dot11ClientInformationTable"
    std::string entryOid;         // OID of the entry ("...Table.1")
    std::vector<IndexKind> index; // one per index part, in order
    std::vector<std::string>
        indexColumns; // the columns holding the index parts, same order (may be
                      // NotAccessible columns; empty if the index is not a column)
    std::vector<ObjectDef> columns;
    int fixedRows = 0;
    int maxRows = 0;
    std::string emptyColumn;
    std::vector<RowDef> defaultRows;
    // Per-row delete column: writing `deleteValue` to this column of a row removes that row (or empties
    // the slot of a fixed table). Empty if the table has none.
    std::string deleteColumn;
    long long deleteValue = 1;
    bool status =
        false; // a status table the device fills itself (clients, WDS, survey, statistics)
};

// A command group: scalars the page fills and an action object; writing the action object adds one row
// to `table` from the fields written in the same PDU (`addValue`; a field the PDU leaves out takes its
// default) or deletes the row whose key fields match those of the PDU (`deleteValue`). The key fields
// identify an entry: an add whose key is listed already is refused, and so is a delete matching no
// entry. Field scalars are ordinary ObjectDefs in `scalars`.
struct CommandGroupDef
{
    std::string name;         // for messages, e.g. "vlan add/delete"
    std::string table;        // TableDef::name
    std::string actionObject; // scalar name
    long long addValue = 1;
    long long deleteValue = 0;
    std::vector<std::pair<std::string, std::string>> fields; // scalar name -> column name
    std::vector<std::string> keyFields; // scalar names identifying an entry (empty: all fields)
};

// A delete object: writing an index to this scalar removes that row of `table` (packing fixed tables).
// With `column` set, the value written is matched against that column instead (e.g. a MAC written to
// a "delete address" object removes the row holding that address). A value naming no entry is refused.
struct DeleteObjectDef
{
    std::string object; // scalar name
    std::string table;  // TableDef::name
    std::string column; // empty: the value is the row index
};

// An add object: writing a value to this scalar adds one row to `table` whose `column` holds the value
// (e.g. a MAC written to an "add address" object). Adding a value already listed changes nothing.
struct AddObjectDef
{
    std::string object; // scalar name
    std::string table;  // TableDef::name
    std::string column; // TableDef column name
};

// A refresh trigger: writing `triggerValue` makes the device collect `tables`: they are rebuilt from the
// device's sources (Sources.h) or derived from its settings (the VLAN port list), and a table without
// either gets its default rows back. The write is answered when the tables are complete.
struct RefreshTriggerDef
{
    std::string object; // scalar name
    long long triggerValue = 1;
    std::vector<std::string> tables; // TableDef names
};

// A reset trigger: writing `triggerValue` empties `tables` (fixed tables keep their empty slots), sets
// `objects` back to their defaults (counters start again from their default) and, with `clearsLog`,
// empties the device log. Used by "delete all" objects and the statistics and log clear objects.
struct ResetTriggerDef
{
    std::string object; // scalar name
    long long triggerValue = 1;
    std::vector<std::string> objects; // scalar names
    std::vector<std::string> tables;  // TableDef names
    bool clearsLog = false;
};

// A classify object: writing a row index sets `column` of that row of `table` to `value` (the rogue AP
// survey's "add to valid / neighbour / rogue / new" objects). An index with no row is refused.
struct ClassifyObjectDef
{
    std::string object; // scalar name
    std::string table;  // TableDef name
    std::string column; // TableDef column name
    long long value = 0;
};

struct MibDefinition
{
    std::vector<ObjectDef> scalars;
    std::vector<TableDef> tables;
    std::vector<CommandGroupDef> commandGroups;
    std::vector<DeleteObjectDef> deleteObjects;
    std::vector<AddObjectDef> addObjects;
    std::vector<RefreshTriggerDef> refreshTriggers;
    std::vector<ResetTriggerDef> resetTriggers;
    std::vector<ClassifyObjectDef> classifyObjects;
    // The device log at start, one line each, in the form of the device's log file:
    // "<time> | <source>[<type>]<message>".
    std::vector<std::string> defaultLog;
};

// Product root of the device's own MIB.
inline const std::string kProductRoot = "1.3.6.1.4.1.32473.7310";

// The device's MIB below the product root (DeviceMib.cpp). Built once, lives for the whole run.
const MibDefinition &deviceMib();

} // namespace sim
