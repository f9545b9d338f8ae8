// The values the device serves and the device's checks on a SET.
#include "MibStore.h"

#include <algorithm>
#include <cctype>

namespace sim {

const char *errorStatusName(ErrorStatus status)
{
    static const char *const kNames[] = {"noError", "tooBig", "noSuchName", "badValue", "readOnly",
        "genErr", "noAccess", "wrongType", "wrongLength", "wrongEncoding", "wrongValue",
        "noCreation", "inconsistentValue", "resourceUnavailable", "commitFailed", "undoFailed",
        "authorizationError", "notWritable", "inconsistentName"};
    const auto i = static_cast<std::size_t>(status);
    return i < std::size(kNames) ? kNames[i] : "?";
}

std::optional<Oid> encodeIndexPart(IndexKind kind, const std::string &text)
{
    switch (kind) {
    case IndexKind::Integer: {
        auto oid = parseOid(text);
        if (!oid || oid->size() != 1) {
            return std::nullopt;
        }
        return oid;
    }
    case IndexKind::IpAddress: {
        auto v = parseValue(Syntax::IpAddress, text);
        if (!v || text.empty()) {
            return std::nullopt;
        }
        Oid oid;
        for (char c : v->octets) {
            oid.push_back(static_cast<unsigned char>(c));
        }
        return oid;
    }
    case IndexKind::Mac: {
        auto v = parseValue(Syntax::MacAddress, text);
        if (!v) {
            return std::nullopt;
        }
        Oid oid;
        for (char c : v->octets) {
            oid.push_back(static_cast<unsigned char>(c));
        }
        return oid;
    }
    case IndexKind::Text: {
        Oid oid{static_cast<std::uint32_t>(text.size())};
        for (char c : text) {
            oid.push_back(static_cast<unsigned char>(c));
        }
        return oid;
    }
    }
    return std::nullopt;
}

namespace {

// The value an index part gives its index column.
Value indexPartValue(IndexKind kind, const Oid &part, Syntax syntax)
{
    Value v;
    v.type = wireType(syntax);
    if (kind == IndexKind::Integer) {
        v.number = part.empty() ? 0 : part[0];
        return v;
    }
    for (std::size_t i = (kind == IndexKind::Text ? 1 : 0); i < part.size(); ++i) {
        v.octets += static_cast<char>(part[i] & 0xff);
    }
    return v;
}

// Splits an index OID into its parts; false when it does not fit the index kinds.
bool splitIndex(const std::vector<IndexKind> &kinds, const Oid &index, std::vector<Oid> &parts)
{
    std::size_t at = 0;
    for (IndexKind kind : kinds) {
        std::size_t len = 1;
        if (kind == IndexKind::IpAddress) {
            len = 4;
        } else if (kind == IndexKind::Mac) {
            len = 6;
        } else if (kind == IndexKind::Text) {
            if (at >= index.size()) {
                return false;
            }
            len = 1 + index[at];
        }
        if (at + len > index.size()) {
            return false;
        }
        parts.emplace_back(
            index.begin() + static_cast<long>(at), index.begin() + static_cast<long>(at + len));
        at += len;
    }
    return at == index.size();
}

Oid indexFromValue(IndexKind kind, const Value &v)
{
    if (kind == IndexKind::Integer) {
        return {static_cast<std::uint32_t>(v.number)};
    }
    Oid oid;
    if (kind == IndexKind::Text) {
        oid.push_back(static_cast<std::uint32_t>(v.octets.size()));
    }
    for (char c : v.octets) {
        oid.push_back(static_cast<unsigned char>(c));
    }
    return oid;
}

} // namespace

MibStore::MibStore(const MibDefinition &mib, SystemInfo system)
    : m_mib(mib), m_system(std::move(system))
{
    const std::string sys = "1.3.6.1.2.1.1.";
    auto add = [&](const char *name, const char *sub, Syntax syntax, Access access,
                   std::string def) {
        ObjectDef d;
        d.name = name;
        d.oid = sys + sub;
        d.syntax = syntax;
        d.access = access;
        d.defaultValue = std::move(def);
        m_systemDefs.push_back(std::move(d));
    };
    add("sysDescr", "1", Syntax::OctetString, Access::ReadOnly, m_system.descr);
    add("sysObjectID", "2", Syntax::ObjectId, Access::ReadOnly, kProductRoot);
    add("sysUpTime", "3", Syntax::TimeTicks, Access::ReadOnly, "0");
    add("sysContact", "4", Syntax::OctetString, Access::ReadWrite, m_system.contact);
    add("sysName", "5", Syntax::OctetString, Access::ReadWrite, m_system.name);
    add("sysLocation", "6", Syntax::OctetString, Access::ReadWrite, m_system.location);
    add("sysServices", "7", Syntax::Integer, Access::ReadOnly, "2");
    build();
}

Value MibStore::defaultOf(const ObjectDef &def) const
{
    if (auto v = parseValue(def.syntax, def.defaultValue)) {
        return *v;
    }
    return *parseValue(def.syntax, "");
}

MibStore::Row MibStore::defaultRow(const Table &table, const Oid &index) const
{
    Row row;
    row.index = index;
    for (const ObjectDef &col : table.def->columns) {
        row.values.push_back(defaultOf(col));
    }
    std::vector<Oid> parts;
    if (splitIndex(table.def->index, index, parts)) {
        for (std::size_t p = 0; p < parts.size() && p < table.def->indexColumns.size(); ++p) {
            const int c = columnIndex(table, table.def->indexColumns[p]);
            if (c >= 0) {
                row.values[static_cast<std::size_t>(c)] = indexPartValue(table.def->index[p],
                    parts[p], table.def->columns[static_cast<std::size_t>(c)].syntax);
            }
        }
    }
    return row;
}

std::optional<Oid> MibStore::parseIndex(
    const TableDef &def, const std::vector<std::string> &parts) const
{
    std::vector<std::string> texts = parts;
    if (texts.size() == 1 && def.index.size() > 1) {
        // "1.2" names both parts of a two-part integer index
        auto oid = parseOid(texts[0]);
        if (!oid) {
            return std::nullopt;
        }
        return oid;
    }
    if (texts.size() != def.index.size()) {
        return std::nullopt;
    }
    Oid index;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        auto part = encodeIndexPart(def.index[i], texts[i]);
        if (!part) {
            return std::nullopt;
        }
        index.insert(index.end(), part->begin(), part->end());
    }
    return index;
}

void MibStore::build()
{
    m_scalars.clear();
    m_tables.clear();
    m_scalarByName.clear();
    m_columnByName.clear();
    auto addScalar = [&](const ObjectDef &def) {
        auto oid = parseOid(def.oid + "." + (def.instance.empty() ? "0" : def.instance));
        if (!oid) {
            return;
        }
        m_scalarByName[def.name] = m_scalars.size();
        m_scalars.push_back({&def, *oid, defaultOf(def)});
    };
    for (const ObjectDef &def : m_systemDefs) {
        addScalar(def);
    }
    for (const ObjectDef &def : m_mib.scalars) {
        addScalar(def);
    }
    for (const TableDef &def : m_mib.tables) {
        Table table;
        table.def = &def;
        for (std::size_t c = 0; c < def.columns.size(); ++c) {
            table.columnOids.push_back(parseOid(def.columns[c].oid).value_or(Oid{}));
            m_columnByName[def.columns[c].name] = {m_tables.size(), c};
        }
        m_tables.push_back(std::move(table));
    }
    for (Table &table : m_tables) {
        resetRows(table);
    }
    rebuildIndex();
}

void MibStore::resetTable(const std::string &tableName)
{
    if (Table *t = table(tableName)) {
        resetRows(*t);
        rebuildIndex();
    }
}

void MibStore::resetRows(Table &table)
{
    Table *t = &table;
    const TableDef &def = *t->def;
    t->rows.clear();
    auto rowFromDef = [&](const RowDef &rd) -> std::optional<Row> {
        std::optional<Oid> index;
        if (!rd.index.empty()) {
            index = parseIndex(def, rd.index);
        } else if (!def.indexColumns.empty()) {
            Oid idx;
            for (std::size_t p = 0; p < def.indexColumns.size() && p < def.index.size(); ++p) {
                auto it = std::find_if(rd.values.begin(), rd.values.end(),
                    [&](const auto &kv) { return kv.first == def.indexColumns[p]; });
                if (it == rd.values.end()) {
                    return std::nullopt;
                }
                auto part = encodeIndexPart(def.index[p], it->second);
                if (!part) {
                    return std::nullopt;
                }
                idx.insert(idx.end(), part->begin(), part->end());
            }
            index = idx;
        }
        if (!index) {
            return std::nullopt;
        }
        Row row = defaultRow(*t, *index);
        for (const auto &[name, text] : rd.values) {
            const int c = columnIndex(*t, name);
            if (c < 0) {
                continue;
            }
            if (auto v = parseValue(def.columns[static_cast<std::size_t>(c)].syntax, text)) {
                row.values[static_cast<std::size_t>(c)] = *v;
            }
        }
        return row;
    };
    for (const RowDef &rd : def.defaultRows) {
        if (auto row = rowFromDef(rd)) {
            if (findRow(*t, row->index) < 0) {
                t->rows.push_back(std::move(*row));
            }
        }
    }
    if (def.fixedRows > 0 && def.index.size() == 1 && def.index[0] == IndexKind::Integer) {
        for (int i = 1; i <= def.fixedRows; ++i) {
            const Oid index{static_cast<std::uint32_t>(i)};
            if (findRow(*t, index) < 0) {
                t->rows.push_back(defaultRow(*t, index));
            }
        }
    }
    std::sort(t->rows.begin(), t->rows.end(),
        [](const Row &a, const Row &b) { return a.index < b.index; });
}

void MibStore::rebuildIndex()
{
    m_index.clear();
    for (std::size_t i = 0; i < m_scalars.size(); ++i) {
        if (m_scalars[i].def->access != Access::NotAccessible) {
            m_index[m_scalars[i].oid] = {Kind::Scalar, i, 0, 0};
        }
    }
    for (std::size_t t = 0; t < m_tables.size(); ++t) {
        const Table &table = m_tables[t];
        for (std::size_t c = 0; c < table.columnOids.size(); ++c) {
            if (table.def->columns[c].access == Access::NotAccessible
                || table.columnOids[c].empty()) {
                continue;
            }
            for (std::size_t r = 0; r < table.rows.size(); ++r) {
                Oid oid = table.columnOids[c];
                oid.insert(oid.end(), table.rows[r].index.begin(), table.rows[r].index.end());
                m_index[oid] = {Kind::Cell, t, r, c};
            }
        }
    }
}

const Value *MibStore::valueAt(const Ref &ref) const
{
    if (ref.kind == Kind::Scalar) {
        return &m_scalars[ref.item].value;
    }
    return &m_tables[ref.item].rows[ref.row].values[ref.column];
}

const ObjectDef *MibStore::defAt(const Ref &ref) const
{
    if (ref.kind == Kind::Scalar) {
        return m_scalars[ref.item].def;
    }
    return &m_tables[ref.item].def->columns[ref.column];
}

MibStore::Found MibStore::found(const Oid &oid, const Ref &ref) const
{
    return {oid, defAt(ref), *valueAt(ref)};
}

std::optional<MibStore::Found> MibStore::get(const Oid &oid) const
{
    auto it = m_index.find(oid);
    if (it == m_index.end()) {
        return std::nullopt;
    }
    return found(it->first, it->second);
}

std::optional<MibStore::Found> MibStore::getNext(const Oid &oid) const
{
    auto it = m_index.upper_bound(oid);
    if (it == m_index.end()) {
        return std::nullopt;
    }
    return found(it->first, it->second);
}

ErrorStatus MibStore::checkSet(const Oid &oid, const Value &value) const
{
    auto it = m_index.find(oid);
    if (it == m_index.end()) {
        for (const Table &t : m_tables) {
            for (const Oid &col : t.columnOids) {
                if (!col.empty() && oidStartsWith(oid, col) && oid.size() > col.size()) {
                    return ErrorStatus::NoCreation;
                }
            }
        }
        return ErrorStatus::NotWritable;
    }
    const ObjectDef &def = *defAt(it->second);
    if (def.access != Access::ReadWrite) {
        return ErrorStatus::NotWritable;
    }
    if (value.type != wireType(def.syntax)) {
        return ErrorStatus::WrongType;
    }
    switch (def.syntax) {
    case Syntax::OctetString: {
        const std::size_t max = def.maxLength > 0 ? static_cast<std::size_t>(def.maxLength) : 255;
        if (value.octets.size() > max
            || value.octets.size() < static_cast<std::size_t>(def.minLength)) {
            return ErrorStatus::WrongLength;
        }
        break;
    }
    case Syntax::IpAddress:
        if (value.octets.size() != 4) {
            return ErrorStatus::WrongLength;
        }
        break;
    case Syntax::MacAddress:
        if (value.octets.size() != 6) {
            return ErrorStatus::WrongLength;
        }
        break;
    case Syntax::Integer:
        if (value.number < -2147483648LL || value.number > 2147483647LL) {
            return ErrorStatus::WrongValue;
        }
        [[fallthrough]];
    case Syntax::TimeTicks:
    case Syntax::Counter32:
    case Syntax::Gauge32:
    case Syntax::Counter64:
        if (!def.values.empty()
            && std::none_of(def.values.begin(), def.values.end(),
                [&](const EnumValue &e) { return e.value == value.number; })) {
            return ErrorStatus::WrongValue;
        }
        if (def.hasRange && (value.number < def.minValue || value.number > def.maxValue)) {
            return ErrorStatus::WrongValue;
        }
        break;
    case Syntax::ObjectId:
        break;
    }
    return ErrorStatus::NoError;
}

bool MibStore::put(const Oid &oid, const Value &value)
{
    auto it = m_index.find(oid);
    if (it == m_index.end()) {
        return false;
    }
    const Ref &ref = it->second;
    if (ref.kind == Kind::Scalar) {
        m_scalars[ref.item].value = value;
    } else {
        m_tables[ref.item].rows[ref.row].values[ref.column] = value;
    }
    return true;
}

std::optional<Oid> MibStore::resolve(const std::string &nameOrOid) const
{
    if (nameOrOid.empty()) {
        return std::nullopt;
    }
    if (std::isdigit(static_cast<unsigned char>(nameOrOid[0])) || nameOrOid[0] == '.') {
        return parseOid(nameOrOid);
    }
    const auto dot = nameOrOid.find('.');
    const std::string name = nameOrOid.substr(0, dot);
    const std::string suffix = dot == std::string::npos ? std::string() : nameOrOid.substr(dot + 1);
    if (auto s = m_scalarByName.find(name); s != m_scalarByName.end()) {
        const Scalar &sc = m_scalars[s->second];
        if (suffix.empty()) {
            return sc.oid;
        }
        auto base = parseOid(sc.def->oid);
        auto inst = parseOid(suffix);
        if (!base || !inst) {
            return std::nullopt;
        }
        base->insert(base->end(), inst->begin(), inst->end());
        return base;
    }
    if (auto c = m_columnByName.find(name); c != m_columnByName.end()) {
        const Table &t = m_tables[c->second.first];
        Oid oid = t.columnOids[c->second.second];
        if (suffix.empty()) {
            return oid;
        }
        auto inst = parseOid(suffix);
        if (!inst) {
            // a MAC or address index written in its own form
            auto idx = parseIndex(*t.def, {suffix});
            if (!idx) {
                return std::nullopt;
            }
            inst = idx;
        }
        oid.insert(oid.end(), inst->begin(), inst->end());
        return oid;
    }
    return std::nullopt;
}

std::string MibStore::nameOf(const Oid &oid) const
{
    const NameParts parts = nameParts(oid);
    return parts.instance.empty() ? parts.name : parts.name + "." + parts.instance;
}

MibStore::NameParts MibStore::nameParts(const Oid &oid) const
{
    auto it = m_index.find(oid);
    if (it == m_index.end()) {
        return {formatOid(oid), {}};
    }
    const ObjectDef *def = defAt(it->second);
    auto base = parseOid(def->oid);
    if (!base || !oidStartsWith(oid, *base) || oid.size() == base->size()) {
        return {formatOid(oid), {}};
    }
    return {def->name, formatOid(Oid(oid.begin() + static_cast<long>(base->size()), oid.end()))};
}

MibStore::Table *MibStore::tableOfColumn(const std::string &column)
{
    auto c = m_columnByName.find(column);
    return c == m_columnByName.end() ? nullptr : &m_tables[c->second.first];
}

const ObjectDef *MibStore::object(const std::string &name) const
{
    if (auto s = m_scalarByName.find(name); s != m_scalarByName.end()) {
        return m_scalars[s->second].def;
    }
    if (auto c = m_columnByName.find(name); c != m_columnByName.end()) {
        return &m_tables[c->second.first].def->columns[c->second.second];
    }
    return nullptr;
}

Value MibStore::scalar(const std::string &name) const
{
    auto s = m_scalarByName.find(name);
    return s == m_scalarByName.end() ? Value{} : m_scalars[s->second].value;
}

bool MibStore::setScalar(const std::string &name, const Value &value)
{
    auto s = m_scalarByName.find(name);
    if (s == m_scalarByName.end()) {
        return false;
    }
    m_scalars[s->second].value = value;
    return true;
}

std::string MibStore::scalarText(const std::string &name) const
{
    auto s = m_scalarByName.find(name);
    return s == m_scalarByName.end()
        ? std::string()
        : formatValue(m_scalars[s->second].def->syntax, m_scalars[s->second].value);
}

void MibStore::resetScalar(const std::string &name)
{
    auto s = m_scalarByName.find(name);
    if (s != m_scalarByName.end()) {
        m_scalars[s->second].value = defaultOf(*m_scalars[s->second].def);
    }
}

MibStore::Table *MibStore::table(const std::string &name)
{
    for (Table &t : m_tables) {
        if (t.def->name == name) {
            return &t;
        }
    }
    return nullptr;
}

const MibStore::Table *MibStore::table(const std::string &name) const
{
    return const_cast<MibStore *>(this)->table(name);
}

int MibStore::columnIndex(const Table &table, const std::string &column) const
{
    for (std::size_t c = 0; c < table.def->columns.size(); ++c) {
        if (table.def->columns[c].name == column) {
            return static_cast<int>(c);
        }
    }
    return -1;
}

Value MibStore::columnDefault(const Table &table, int column) const
{
    return defaultOf(table.def->columns[static_cast<std::size_t>(column)]);
}

bool MibStore::rowEmpty(const Table &table, const Row &row) const
{
    if (!table.def->emptyColumn.empty()) {
        const int c = columnIndex(table, table.def->emptyColumn);
        if (c >= 0) {
            return row.values[static_cast<std::size_t>(c)] == columnDefault(table, c);
        }
    }
    const Row blank = defaultRow(table, row.index);
    for (std::size_t c = 0; c < row.values.size(); ++c) {
        if (table.def->columns[c].access == Access::ReadWrite && row.values[c] != blank.values[c]) {
            return false;
        }
    }
    return true;
}

int MibStore::entryCount(const Table &table) const
{
    if (table.def->fixedRows == 0) {
        return static_cast<int>(table.rows.size());
    }
    int n = 0;
    for (const Row &row : table.rows) {
        n += rowEmpty(table, row) ? 0 : 1;
    }
    return n;
}

bool MibStore::full(const Table &table) const
{
    if (table.def->fixedRows > 0) {
        return std::none_of(table.rows.begin(), table.rows.end(),
            [&](const Row &row) { return rowEmpty(table, row); });
    }
    return table.def->maxRows > 0 && static_cast<int>(table.rows.size()) >= table.def->maxRows;
}

bool MibStore::looksEmpty(
    const Table &table, const std::vector<std::pair<std::string, Value>> &values) const
{
    Row row = defaultRow(table, table.rows.empty() ? Oid{1} : table.rows.front().index);
    for (const auto &[name, v] : values) {
        const int c = columnIndex(table, name);
        if (c >= 0) {
            row.values[static_cast<std::size_t>(c)] = v;
        }
    }
    return table.def->fixedRows > 0 && rowEmpty(table, row);
}

int MibStore::findRow(const Table &table, const Oid &index) const
{
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        if (table.rows[r].index == index) {
            return static_cast<int>(r);
        }
    }
    return -1;
}

int MibStore::findRowByColumn(const Table &table, int column, const Value &value) const
{
    if (column < 0) {
        return -1;
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        if (table.def->fixedRows > 0 && rowEmpty(table, table.rows[r])) {
            continue;
        }
        if (table.rows[r].values[static_cast<std::size_t>(column)] == value) {
            return static_cast<int>(r);
        }
    }
    return -1;
}

bool MibStore::addEntry(
    const std::string &tableName, const std::vector<std::pair<std::string, Value>> &values)
{
    Table *t = table(tableName);
    if (!t) {
        return false;
    }
    const TableDef &def = *t->def;
    auto fill = [&](Row &row) {
        for (const auto &[name, v] : values) {
            const int c = columnIndex(*t, name);
            if (c >= 0
                && std::find(def.indexColumns.begin(), def.indexColumns.end(), name)
                    == def.indexColumns.end()) {
                row.values[static_cast<std::size_t>(c)] = v;
            }
        }
    };
    if (def.fixedRows > 0) {
        for (Row &row : t->rows) {
            if (rowEmpty(*t, row)) {
                fill(row);
                if (rowEmpty(*t, row)) {
                    return false; // an entry that looks empty would be lost at once
                }
                return true;
            }
        }
        return false;
    }
    if (def.maxRows > 0 && static_cast<int>(t->rows.size()) >= def.maxRows) {
        return false;
    }
    Oid index;
    bool fromColumns = !def.indexColumns.empty();
    for (std::size_t p = 0; fromColumns && p < def.indexColumns.size() && p < def.index.size();
         ++p) {
        auto it = std::find_if(values.begin(), values.end(),
            [&](const auto &kv) { return kv.first == def.indexColumns[p]; });
        if (it == values.end()) {
            fromColumns = false;
            break;
        }
        Oid part = indexFromValue(def.index[p], it->second);
        index.insert(index.end(), part.begin(), part.end());
    }
    if (!fromColumns) {
        if (def.index.size() != 1 || def.index[0] != IndexKind::Integer) {
            return false;
        }
        std::uint32_t next = 1;
        for (const Row &row : t->rows) {
            next = std::max(next, row.index.empty() ? 1U : row.index[0] + 1);
        }
        index = {next};
    }
    if (findRow(*t, index) >= 0) {
        return false;
    }
    Row row = defaultRow(*t, index);
    fill(row);
    t->rows.push_back(std::move(row));
    std::sort(t->rows.begin(), t->rows.end(),
        [](const Row &a, const Row &b) { return a.index < b.index; });
    rebuildIndex();
    return true;
}

void MibStore::removeEntry(const std::string &tableName, std::size_t position)
{
    Table *t = table(tableName);
    if (!t || position >= t->rows.size()) {
        return;
    }
    if (t->def->fixedRows > 0) {
        // entries stay packed in the first rows: move the later ones up, keeping each slot's index
        for (std::size_t r = position; r + 1 < t->rows.size(); ++r) {
            Row moved = t->rows[r + 1];
            Row blank = defaultRow(*t, t->rows[r].index);
            for (std::size_t c = 0; c < moved.values.size(); ++c) {
                const bool isIndex = std::find(t->def->indexColumns.begin(),
                                         t->def->indexColumns.end(), t->def->columns[c].name)
                    != t->def->indexColumns.end();
                t->rows[r].values[c] = isIndex ? blank.values[c] : moved.values[c];
            }
        }
        t->rows.back() = defaultRow(*t, t->rows.back().index);
        return;
    }
    t->rows.erase(t->rows.begin() + static_cast<long>(position));
    rebuildIndex();
}

bool MibStore::setCell(
    const std::string &tableName, const Oid &index, int column, const Value &value)
{
    Table *t = table(tableName);
    if (!t || column < 0 || static_cast<std::size_t>(column) >= t->def->columns.size()) {
        return false;
    }
    int r = findRow(*t, index);
    if (r < 0) {
        std::vector<Oid> parts;
        if (t->def->fixedRows > 0 || !splitIndex(t->def->index, index, parts)) {
            return false;
        }
        t->rows.push_back(defaultRow(*t, index));
        std::sort(t->rows.begin(), t->rows.end(),
            [](const Row &a, const Row &b) { return a.index < b.index; });
        rebuildIndex();
        r = findRow(*t, index);
    }
    t->rows[static_cast<std::size_t>(r)].values[static_cast<std::size_t>(column)] = value;
    return true;
}

void MibStore::clearTable(const std::string &tableName)
{
    Table *t = table(tableName);
    if (!t) {
        return;
    }
    if (t->def->fixedRows > 0) {
        for (Row &row : t->rows) {
            row = defaultRow(*t, row.index);
        }
        return;
    }
    t->rows.clear();
    rebuildIndex();
}

void MibStore::resetToDefaults()
{
    for (Scalar &s : m_scalars) {
        s.value = defaultOf(*s.def);
    }
    for (Table &t : m_tables) {
        resetRows(t);
    }
    rebuildIndex();
}

} // namespace sim
