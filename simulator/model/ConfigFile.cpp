// The device's configuration file: writing it and reading it back with the device's checks.
#include "ConfigFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <set>
#include <sstream>

namespace sim {

namespace {

constexpr const char *kHeader = "KVA7310-CONFIG 1";

// Objects that act rather than configure, whatever the table says about them.
const std::set<std::string> kCommandNames = {"deviceSettingApply", "deviceSettingDiscard",
    "deviceRestart", "deviceFactoryDefault", "languagePackClear", "tftpcommand",
    "tftpUpgradeSettingCommand", "systemLogGetLog", "systemLogClearLocalLog"};

std::string escape(const std::string &text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7f) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool unescape(const std::string &text, std::string &out)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i >= text.size()) {
            return false;
        }
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 'x': {
            if (i + 2 >= text.size()) {
                return false;
            }
            const std::string hex = text.substr(i + 1, 2);
            if (hex.size() != 2 || !std::isxdigit(static_cast<unsigned char>(hex[0]))
                || !std::isxdigit(static_cast<unsigned char>(hex[1]))) {
                return false;
            }
            out += static_cast<char>(std::stoi(hex, nullptr, 16));
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

bool isConfigScalar(const MibDefinition &mib, const ObjectDef &def)
{
    return def.access == Access::ReadWrite && !def.clock && !isCommandObject(mib, def);
}

} // namespace

bool isCommandObject(const MibDefinition &mib, const ObjectDef &def)
{
    if (def.command || kCommandNames.count(def.name)) {
        return true;
    }
    for (const CommandGroupDef &g : mib.commandGroups) {
        if (g.actionObject == def.name) {
            return true;
        }
    }
    for (const DeleteObjectDef &d : mib.deleteObjects) {
        if (d.object == def.name) {
            return true;
        }
    }
    for (const AddObjectDef &a : mib.addObjects) {
        if (a.object == def.name) {
            return true;
        }
    }
    for (const ResetTriggerDef &r : mib.resetTriggers) {
        if (r.object == def.name) {
            return true;
        }
    }
    for (const ClassifyObjectDef &c : mib.classifyObjects) {
        if (c.object == def.name) {
            return true;
        }
    }
    for (const RefreshTriggerDef &r : mib.refreshTriggers) {
        if (r.object == def.name) {
            return true;
        }
    }
    return false;
}

std::string serialiseConfig(const MibStore &store)
{
    std::string out = std::string(kHeader) + "\n";
    for (const MibStore::Scalar &s : store.scalars()) {
        if (isConfigScalar(store.mib(), *s.def)) {
            out += s.def->name + "=" + escape(formatValue(s.def->syntax, s.value)) + "\n";
        }
    }
    for (const MibStore::Table &t : store.tables()) {
        if (t.def->status) {
            continue;
        }
        for (const MibStore::Row &row : t.rows) {
            if (t.def->fixedRows > 0 && store.rowEmpty(t, row)) {
                continue;
            }
            for (std::size_t c = 0; c < t.def->columns.size(); ++c) {
                const ObjectDef &col = t.def->columns[c];
                out += col.name + "." + formatOid(row.index) + "="
                    + escape(formatValue(col.syntax, row.values[c])) + "\n";
            }
        }
    }
    out += "END\n";
    return out;
}

bool loadConfig(MibStore &store, const std::string &text, std::string *error)
{
    auto fail = [&](const std::string &why) {
        if (error) {
            *error = why;
        }
        return false;
    };

    struct ScalarItem
    {
        std::string name;
        Value value;
    };

    struct CellItem
    {
        std::string table;
        Oid index;
        int column;
        Value value;
    };

    std::vector<ScalarItem> scalars;
    std::vector<CellItem> cells;
    std::istringstream in(text);
    std::string line;
    bool header = false;
    bool end = false;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (end) {
            return fail("line " + std::to_string(lineNo) + ": text after END");
        }
        if (!header) {
            if (line != kHeader) {
                return fail("not a configuration file");
            }
            header = true;
            continue;
        }
        if (line == "END") {
            end = true;
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos || eq == 0) {
            return fail("line " + std::to_string(lineNo) + ": no name=value");
        }
        const std::string target = line.substr(0, eq);
        std::string valueText;
        if (!unescape(line.substr(eq + 1), valueText)) {
            return fail("line " + std::to_string(lineNo) + ": bad escape");
        }
        const auto dot = target.find('.');
        const std::string name = target.substr(0, dot);
        const ObjectDef *def = store.object(name);
        if (!def) {
            return fail("line " + std::to_string(lineNo) + ": unknown object " + name);
        }
        std::string why;
        auto value = parseValue(def->syntax, valueText, &why);
        if (!value) {
            return fail("line " + std::to_string(lineNo) + ": " + why);
        }
        if (dot == std::string::npos) {
            if (!isConfigScalar(store.mib(), *def) || store.scalar(name).type == ValueType::Null) {
                return fail("line " + std::to_string(lineNo) + ": " + name + " is not a setting");
            }
            auto oid = store.resolve(name);
            const ErrorStatus st = oid ? store.checkSet(*oid, *value) : ErrorStatus::NotWritable;
            if (st != ErrorStatus::NoError) {
                return fail(
                    "line " + std::to_string(lineNo) + ": " + name + ": " + errorStatusName(st));
            }
            scalars.push_back({name, *value});
            continue;
        }
        auto index = parseOid(target.substr(dot + 1));
        const MibStore::Table *table = nullptr;
        int column = -1;
        for (const MibStore::Table &t : store.tables()) {
            column = store.columnIndex(t, name);
            if (column >= 0) {
                table = &t;
                break;
            }
        }
        if (!index || !table || table->def->status) {
            return fail("line " + std::to_string(lineNo) + ": " + target + " is not a setting");
        }
        if (table->def->fixedRows > 0 && store.findRow(*table, *index) < 0) {
            return fail("line " + std::to_string(lineNo) + ": no row " + target);
        }
        if (def->access == Access::ReadWrite) {
            // the same limits as a SET of that column
            const std::size_t max =
                def->maxLength > 0 ? static_cast<std::size_t>(def->maxLength) : 255;
            if (def->syntax == Syntax::OctetString && value->octets.size() > max) {
                return fail("line " + std::to_string(lineNo) + ": " + target + ": wrongLength");
            }
            if (!def->values.empty()
                && std::none_of(def->values.begin(), def->values.end(),
                    [&](const EnumValue &e) { return e.value == value->number; })) {
                return fail("line " + std::to_string(lineNo) + ": " + target + ": wrongValue");
            }
        }
        cells.push_back({table->def->name, *index, column, *value});
    }
    if (!header) {
        return fail("not a configuration file");
    }
    if (!end) {
        return fail("truncated: no END line");
    }
    for (const MibStore::Scalar &s : store.scalars()) {
        if (isConfigScalar(store.mib(), *s.def)) {
            store.resetScalar(s.def->name);
        }
    }
    for (const ScalarItem &item : scalars) {
        store.setScalar(item.name, item.value);
    }
    std::vector<std::string> tableNames;
    for (const MibStore::Table &t : store.tables()) {
        if (!t.def->status) {
            tableNames.push_back(t.def->name);
        }
    }
    for (const std::string &t : tableNames) {
        store.clearTable(t);
    }
    for (const CellItem &cell : cells) {
        store.setCell(cell.table, cell.index, cell.column, cell.value);
    }
    return true;
}

} // namespace sim
