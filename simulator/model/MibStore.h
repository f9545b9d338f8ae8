// The values the device serves: scalars and tables built from the MIB table, lookups in OID order and
// SET checks as the device makes them.
#pragma once

#include "MibDefs.h"
#include "Value.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sim {

/// SNMP error-status values (v2 numbering); the agent maps them down for SNMPv1.
enum class ErrorStatus {
    NoError = 0,
    TooBig = 1,
    NoSuchName = 2,
    BadValue = 3,
    ReadOnly = 4,
    GenErr = 5,
    NoAccess = 6,
    WrongType = 7,
    WrongLength = 8,
    WrongEncoding = 9,
    WrongValue = 10,
    NoCreation = 11,
    InconsistentValue = 12,
    ResourceUnavailable = 13,
    CommitFailed = 14,
    UndoFailed = 15,
    AuthorizationError = 16,
    NotWritable = 17,
    InconsistentName = 18,
};
const char *errorStatusName(ErrorStatus status);

/// What the system group says about the device.
struct SystemInfo
{
    std::string descr = "KVA-7310 Wireless Access Point";
    std::string contact;
    std::string name = "KVA-7310";
    std::string location;
};

class MibStore
{
public:
    struct Row
    {
        Oid index;
        std::vector<Value> values; // one per column of the table
    };

    struct Table
    {
        const TableDef *def = nullptr;
        std::vector<Oid> columnOids;
        std::vector<Row> rows; // kept in index order
    };

    struct Found
    {
        Oid oid;
        const ObjectDef *def = nullptr;
        Value value;
    };

    explicit MibStore(const MibDefinition &mib, SystemInfo system = {});

    const MibDefinition &mib() const { return m_mib; }

    std::optional<Found> get(const Oid &oid) const;
    /// The first served instance after `oid`; nullopt at the end of the view.
    std::optional<Found> getNext(const Oid &oid) const;
    /// The device's checks for one SET binding; NoError when it may be written.
    ErrorStatus checkSet(const Oid &oid, const Value &value) const;
    /// Writes a served instance without checks; false when there is no such instance.
    bool put(const Oid &oid, const Value &value);

    /// "sysDescr", "sysDescr.0", "dot11ClientMacAddress.3", "1.3.6.1.2.1.1.1.0" -> instance OID.
    std::optional<Oid> resolve(const std::string &nameOrOid) const;
    /// "name.instance" of a served instance, else the OID in dotted form.
    std::string nameOf(const Oid &oid) const;

    struct NameParts
    {
        std::string name; // MIB name, or the dotted OID of an instance the device does not serve
        std::string instance; // "0", "1.3"; empty for an instance the device does not serve
    };

    NameParts nameParts(const Oid &oid) const;
    /// The table holding the column of that name, or nullptr.
    Table *tableOfColumn(const std::string &column);
    /// The object definition (scalar or column) of that name, or nullptr.
    const ObjectDef *object(const std::string &name) const;

    /// Scalars by name; a missing scalar reads as Null and ignores writes.
    Value scalar(const std::string &name) const;
    bool setScalar(const std::string &name, const Value &value);

    long long scalarNumber(const std::string &name) const { return scalar(name).number; }

    std::string scalarText(const std::string &name) const;
    /// Resets a scalar to its default value.
    void resetScalar(const std::string &name);

    Table *table(const std::string &name);
    const Table *table(const std::string &name) const;

    const std::vector<Table> &tables() const { return m_tables; }

    std::vector<Table> &tables() { return m_tables; } // rows may change, never the vector

    int columnIndex(const Table &table, const std::string &column) const;
    Value columnDefault(const Table &table, int column) const;
    /// The value an object starts with (its default text, else the syntax's empty value).
    Value defaultOf(const ObjectDef &def) const;
    bool rowEmpty(const Table &table, const Row &row) const;
    int entryCount(const Table &table) const;
    /// Whether addEntry() would find no room: no empty slot, or `maxRows` reached.
    bool full(const Table &table) const;
    /// Whether an entry of these values (by column name) would read as an empty slot.
    bool looksEmpty(
        const Table &table, const std::vector<std::pair<std::string, Value>> &values) const;

    /// Adds one entry: the first empty slot of a fixed table, else a new row of a dynamic one.
    /// Values are by column name; index columns among them give the index. False when full.
    bool addEntry(
        const std::string &tableName, const std::vector<std::pair<std::string, Value>> &values);
    /// Removes the row at `position`: a fixed table moves later entries up and empties its last slot.
    void removeEntry(const std::string &tableName, std::size_t position);
    /// Row position by index, or by the value of a column; -1 when not there.
    int findRow(const Table &table, const Oid &index) const;
    int findRowByColumn(const Table &table, int column, const Value &value) const;
    /// Puts a table back to its default rows.
    void resetTable(const std::string &tableName);
    /// Sets one column of a row, creating the row in a dynamic table; false for a fixed table's
    /// unknown row.
    bool setCell(const std::string &tableName, const Oid &index, int column, const Value &value);
    /// Empties a dynamic table (fixed tables get their default rows back).
    void clearTable(const std::string &tableName);

    /// Every object and table back to its default.
    void resetToDefaults();

    /// Scalars in definition order (system group first).
    struct Scalar
    {
        const ObjectDef *def = nullptr;
        Oid oid;
        Value value;
    };

    const std::vector<Scalar> &scalars() const { return m_scalars; }

    /// The row index an index text names ("3", "10.0.0.1", "00:11:22:33:44:55"; "1.2" for two parts).
    std::optional<Oid> parseIndex(const TableDef &def, const std::vector<std::string> &parts) const;

private:
    enum class Kind {
        Scalar,
        Cell
    };

    struct Ref
    {
        Kind kind = Kind::Scalar;
        std::size_t item = 0; // scalar or table position
        std::size_t row = 0;
        std::size_t column = 0;
    };

    void build();
    void resetRows(Table &table); // the default rows, the index left to the caller
    void rebuildIndex();
    Row defaultRow(const Table &table, const Oid &index) const;
    const Value *valueAt(const Ref &ref) const;
    const ObjectDef *defAt(const Ref &ref) const;
    Found found(const Oid &oid, const Ref &ref) const;

    const MibDefinition &m_mib;
    SystemInfo m_system;
    std::deque<ObjectDef> m_systemDefs; // the system group, owned here
    std::vector<Scalar> m_scalars;
    std::vector<Table> m_tables;
    std::map<std::string, std::size_t> m_scalarByName;
    std::map<std::string, std::pair<std::size_t, std::size_t>> m_columnByName; // table, column
    std::map<Oid, Ref> m_index; // every served instance, in OID order
};

/// Encodes one index part ("3" Integer, "10.0.0.1" IpAddress, MAC, Text) as sub-identifiers.
std::optional<Oid> encodeIndexPart(IndexKind kind, const std::string &text);

} // namespace sim
