// The device table is consistent: unique OIDs and names below the product root, defaults that the
// device itself would accept, tables whose rows are complete, actions that name declared objects, and
// the instances and shapes the pages rely on.
#include "CaseName.h"
#include "DeviceMib.h"
#include "MibTestSupport.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

const sim::MibDefinition &mib()
{
    return sim::deviceMib();
}

const sim::ObjectDef *findScalar(const std::string &name)
{
    for (const sim::ObjectDef &o : mib().scalars) {
        if (o.name == name) {
            return &o;
        }
    }
    return nullptr;
}

const sim::TableDef *findTable(const std::string &name)
{
    for (const sim::TableDef &t : mib().tables) {
        if (t.name == name) {
            return &t;
        }
    }
    return nullptr;
}

const sim::ObjectDef *findColumn(const sim::TableDef &table, const std::string &name)
{
    for (const sim::ObjectDef &c : table.columns) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

bool accepts(const sim::ObjectDef &object, long long value)
{
    return mibtest::invalidBecause(object, std::to_string(value)).empty();
}

TEST(DeviceMib, ServesEveryInstanceOnceBelowTheProductRoot)
{
    const std::string root = sim::kProductRoot + ".";
    std::map<std::string, std::string> seen; // OID -> name
    for (const mibtest::ServedInstance &s : mibtest::servedInstances(mib())) {
        EXPECT_EQ(s.oid.rfind(root, 0), 0u) << s.name << " at " << s.oid;
        const auto [where, fresh] = seen.emplace(s.oid, s.name);
        EXPECT_TRUE(fresh) << s.name << " and " << where->second << " both at " << s.oid;
    }
    // a scalar under a table entry, or one object under another, would shadow it in a walk
    std::vector<std::string> objects;
    for (const sim::ObjectDef &o : mib().scalars) {
        EXPECT_NE(o.instance, "") << o.name;
        objects.push_back(o.oid + ".");
    }
    for (const sim::TableDef &t : mib().tables) {
        objects.push_back(t.entryOid + ".");
    }
    std::sort(objects.begin(), objects.end());
    for (std::size_t i = 1; i < objects.size(); ++i) {
        EXPECT_NE(objects[i].rfind(objects[i - 1], 0), 0u)
            << objects[i] << " lies under " << objects[i - 1];
    }
}

TEST(DeviceMib, NamesObjectsAndTablesOnce)
{
    std::set<std::string> names;
    for (const sim::ObjectDef &o : mib().scalars) {
        EXPECT_TRUE(names.insert(o.name).second) << o.name;
    }
    for (const sim::TableDef &t : mib().tables) {
        EXPECT_TRUE(names.insert(t.name).second) << t.name;
        for (const sim::ObjectDef &c : t.columns) {
            EXPECT_TRUE(names.insert(c.name).second) << c.name;
        }
    }
}

TEST(DeviceMib, StartsWithValuesTheDeviceAccepts)
{
    for (const sim::ObjectDef &o : mib().scalars) {
        EXPECT_EQ(mibtest::invalidBecause(o, mibtest::effectiveDefault(o)), "") << o.name;
    }
    for (const sim::TableDef &t : mib().tables) {
        for (const sim::ObjectDef &c : t.columns) {
            if (c.access != sim::Access::NotAccessible) {
                EXPECT_EQ(mibtest::invalidBecause(c, mibtest::effectiveDefault(c)), "") << c.name;
            }
        }
        for (const sim::RowDef &r : t.defaultRows) {
            for (const auto &[name, value] : r.values) {
                const sim::ObjectDef *c = findColumn(t, name);
                ASSERT_NE(c, nullptr) << t.name << " row names " << name;
                EXPECT_NE(c->access, sim::Access::NotAccessible) << name;
                EXPECT_EQ(mibtest::invalidBecause(*c, value), "") << t.name << "." << name;
            }
        }
    }
}

TEST(DeviceMib, TablesHoldCompleteRowsInIndexOrder)
{
    for (const sim::TableDef &t : mib().tables) {
        SCOPED_TRACE(t.name);
        ASSERT_FALSE(t.index.empty());
        ASSERT_FALSE(t.columns.empty());
        EXPECT_EQ(t.indexColumns.size(), t.index.size());
        for (const std::string &c : t.indexColumns) {
            if (!c.empty()) {
                const sim::ObjectDef *column = findColumn(t, c);
                ASSERT_NE(column, nullptr) << c;
                EXPECT_EQ(column->access, sim::Access::NotAccessible) << c;
            }
        }
        for (const sim::ObjectDef &c : t.columns) {
            EXPECT_EQ(c.oid.rfind(t.entryOid + ".", 0), 0u) << c.name << " outside its entry";
            EXPECT_EQ(c.oid.find('.', t.entryOid.size() + 1), std::string::npos) << c.name;
        }
        if (t.fixedRows > 0) {
            EXPECT_EQ(static_cast<int>(t.defaultRows.size()), t.fixedRows);
        }
        if (t.maxRows > 0) {
            EXPECT_LE(static_cast<int>(t.defaultRows.size()), t.maxRows);
        }
        std::vector<long long> previous;
        bool emptySlotSeen = false;
        for (const sim::RowDef &r : t.defaultRows) {
            ASSERT_EQ(r.index.size(), t.index.size());
            std::vector<long long> key;
            for (const std::string &part : r.index) {
                key.push_back(std::stoll(part));
                EXPECT_GT(key.back(), 0) << "index parts start at 1";
            }
            const std::string oid = mibtest::instanceOid(t.columns.back(), t, r.index);
            if (!previous.empty()) {
                EXPECT_LT(previous, key) << "rows out of order at " << oid;
            }
            previous = key;
            if (!t.emptyColumn.empty()) {
                const sim::ObjectDef *marker = findColumn(t, t.emptyColumn);
                ASSERT_NE(marker, nullptr) << t.emptyColumn;
                const auto given = std::find_if(r.values.begin(), r.values.end(),
                    [&](const auto &v) { return v.first == t.emptyColumn; });
                const bool empty =
                    given == r.values.end() || given->second == mibtest::effectiveDefault(*marker);
                EXPECT_FALSE(emptySlotSeen && !empty) << "entry after an empty slot at " << oid;
                emptySlotSeen = emptySlotSeen || empty;
            }
        }
        if (!t.deleteColumn.empty()) {
            const sim::ObjectDef *column = findColumn(t, t.deleteColumn);
            ASSERT_NE(column, nullptr) << t.deleteColumn;
            EXPECT_EQ(column->access, sim::Access::ReadWrite);
            EXPECT_TRUE(accepts(*column, t.deleteValue));
        }
    }
}

TEST(DeviceMib, ActionsNameDeclaredObjects)
{
    const auto table = [](const std::string &name) {
        const sim::TableDef *t = findTable(name);
        EXPECT_NE(t, nullptr) << name;
        return t;
    };
    const auto writable = [](const std::string &name) {
        const sim::ObjectDef *o = findScalar(name);
        EXPECT_NE(o, nullptr) << name;
        if (o != nullptr) {
            EXPECT_EQ(o->access, sim::Access::ReadWrite) << name;
        }
        return o;
    };
    for (const sim::CommandGroupDef &g : mib().commandGroups) {
        SCOPED_TRACE(g.name);
        const sim::TableDef *t = table(g.table);
        const sim::ObjectDef *action = writable(g.actionObject);
        ASSERT_TRUE(t != nullptr && action != nullptr);
        EXPECT_TRUE(action->command);
        EXPECT_TRUE(accepts(*action, g.addValue));
        EXPECT_TRUE(accepts(*action, g.deleteValue));
        for (const auto &[field, column] : g.fields) {
            const sim::ObjectDef *f = writable(field);
            const sim::ObjectDef *c = findColumn(*t, column);
            ASSERT_TRUE(f != nullptr && c != nullptr) << field << " -> " << column;
            EXPECT_EQ(f->syntax, c->syntax) << field;
        }
        for (const std::string &key : g.keyFields) {
            EXPECT_TRUE(std::any_of(g.fields.begin(), g.fields.end(), [&](const auto &f) {
                return f.first == key;
            })) << key;
        }
    }
    for (const sim::AddObjectDef &a : mib().addObjects) {
        const sim::TableDef *t = table(a.table);
        ASSERT_TRUE(writable(a.object) != nullptr && t != nullptr);
        EXPECT_NE(findColumn(*t, a.column), nullptr) << a.column;
    }
    for (const sim::DeleteObjectDef &d : mib().deleteObjects) {
        const sim::TableDef *t = table(d.table);
        ASSERT_TRUE(writable(d.object) != nullptr && t != nullptr);
        EXPECT_TRUE(d.column.empty() || findColumn(*t, d.column) != nullptr) << d.column;
    }
    for (const sim::RefreshTriggerDef &r : mib().refreshTriggers) {
        const sim::ObjectDef *o = writable(r.object);
        ASSERT_NE(o, nullptr);
        EXPECT_TRUE(o->command) << r.object;
        EXPECT_TRUE(accepts(*o, r.triggerValue)) << r.object;
        for (const std::string &name : r.tables) {
            const sim::TableDef *t = table(name);
            EXPECT_TRUE(t == nullptr || t->status) << name << " is not a status table";
        }
    }
    for (const sim::ResetTriggerDef &r : mib().resetTriggers) {
        const sim::ObjectDef *o = writable(r.object);
        ASSERT_NE(o, nullptr);
        EXPECT_TRUE(accepts(*o, r.triggerValue)) << r.object;
        for (const std::string &name : r.objects) {
            EXPECT_NE(findScalar(name), nullptr) << name;
        }
        for (const std::string &name : r.tables) {
            table(name);
        }
    }
    for (const sim::ClassifyObjectDef &c : mib().classifyObjects) {
        const sim::TableDef *t = table(c.table);
        ASSERT_TRUE(writable(c.object) != nullptr && t != nullptr);
        const sim::ObjectDef *column = findColumn(*t, c.column);
        ASSERT_NE(column, nullptr) << c.column;
        EXPECT_TRUE(accepts(*column, c.value)) << c.object;
    }
    EXPECT_FALSE(mib().defaultLog.empty());
    for (const std::string &line : mib().defaultLog) {
        // the log view splits each line at "|", "[" and "]"
        const std::size_t bar = line.find('|');
        const std::size_t open = line.find('[', bar);
        EXPECT_TRUE(bar != std::string::npos && open != std::string::npos
            && line.find(']', open) != std::string::npos)
            << line;
    }
}

TEST(DeviceMib, CountsEveryServedObjectUnderOnePage)
{
    int declared = static_cast<int>(mib().scalars.size());
    for (const sim::TableDef &t : mib().tables) {
        declared += static_cast<int>(std::count_if(t.columns.begin(), t.columns.end(),
            [](const sim::ObjectDef &c) { return c.access != sim::Access::NotAccessible; }));
    }
    int counted = 0;
    for (const sim::MibPage &page : sim::deviceMibPages()) {
        EXPECT_GT(page.objects, 0) << page.name;
        counted += page.objects;
    }
    EXPECT_EQ(counted, declared);
}

// Where the module reads an object and what a running access point answers there.
struct ServedCase
{
    const char *name;
    const char *oid; // below the product root, with the instance
    const char *value;
};

void PrintTo(const ServedCase &c, std::ostream *os)
{
    *os << c.name;
}

const ServedCase kServed[] = {
    {"hIPAddress", "2.1.1.1.1.2.1", "127.0.0.1"}, // the local-address discovery relies on these
    {"hSubnetMask", "2.1.1.1.1.3.1", "255.255.255.0"},
    {"hDefaultGateway", "2.1.1.1.1.4.1", "127.0.0.1"},
    {"wirelessLed2dot4G", "5.1.2.1.1.6.1", "1"}, // the waiting dialog waits for this light
    {"wirelessLed5G", "5.1.2.1.1.7.1", "1"},
    {"ifMacAddress", "5.1.2.1.1.5.1", "001A2B3C4D5E"},
    {"deviceSettingApply", "4.2.3.0", "0"},
    {"deviceRestart", "4.2.1.0", "0"},
    {"tftpUpgradeSettingCommand", "4.3.2.5.0", "6"},
    {"dot11Ssid", "2.1.3.3.1.1.1.1.1", "KVA7310"},
    {"dot11Band", "2.1.3.3.1.1.1.34.1", "0"},
    {"dot11MssidState", "3.3.1.1.1.1", "0"},
    {"dot11VlanStatus", "3.6.1.1.0", "0"},
    {"managerIpAddressStatus", "4.10.1.1.0", "0"},
    {"dot11RogueApSurveyRefresh", "3.4.4.1.0", "0"},
    {"dot11ApArrayScan", "3.11.1.2.1.1.0", "0"},
    {"dot11APArraySyncBandStatus", "3.11.3.1.1.34.1", "0"},
    {"telnet", "4.4.1.0", "0"},
    {"systemLogSystemLevel", "5.4.1.0", "1"},
    {"emailNtfMailServerIndex", "5.4.11.1.1.12.1", "1"},
    {"dot11PvidSettingWds8", "3.6.2.2.1.19.1", "1"},
    {"dot11InternalStationConnectionMultiSSID7", "2.1.3.3.2.3.1.1.11.1", "0"},
    {"deviceInformationFirmwareVersion", "5.1.1.0", "1.0.12"},
    // the performance page offers the 802.11n multicast rates only where security allows them
    {"dot11MulticastRateABandList", "2.1.3.3.1.1.1.42.1",
        "6 9 12 18 24 36 48 54 6.5 13 19.5 26 39 52 58.5 65 Disable"},
    {"dot11MulticastRateGBandList", "2.1.3.3.1.1.1.43.1",
        "1 2 5.5 11 6 9 12 18 24 36 48 54 6.5 13 19.5 26 39 52 58.5 65 Disable"},
};

class DeviceMibServed : public testing::TestWithParam<ServedCase>
{ };

TEST_P(DeviceMibServed, AtTheInstanceThePageReads)
{
    const ServedCase &c = GetParam();
    const sim::ObjectDef *o = findScalar(c.name);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->oid + "." + o->instance, sim::kProductRoot + "." + c.oid);
    EXPECT_EQ(mibtest::effectiveDefault(*o), c.value);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeviceMibServed, testing::ValuesIn(kServed), kvatest::caseName);

// Table shapes the pages depend on.
struct ShapeCase
{
    const char *table;
    const char *firstColumnInstance; // instance of the first row, below the product root
    int rows;                        // fixed slots; 0 for a table that grows and shrinks
    const char *emptyColumn;
};

void PrintTo(const ShapeCase &c, std::ostream *os)
{
    *os << c.table;
}

const ShapeCase kShapes[] = {
    {"dot11MssidTable", "3.3.3.1.2.1.1", 4, ""}, // two-part index, the primary SSID first
    {"dot11MssidRADIUSTable", "3.3.4.1.2.1.1", 4, ""},
    {"dot11RemoteApMacAddressTable", "2.1.3.3.1.2.1.1.2.1.1", 8, "dot11RemoteApMacAddressList"},
    {"dot11WepKeyTable", "2.1.3.3.2.2.1.2.1.1", 4, ""},
    {"dot11PortListTable", "3.6.3.2.1.2.1", 10, ""}, // the port list is shown only with ten rows
    {"dot11GroupVlanListTable", "3.6.1.3.1.2.1", 16, "dot11GroupVlanListVid"},
    {"dot11QosRulesTable", "3.7.2.5.1.2.1", 64, "dot11QosRulesName"},
    {"dot11ScheduleListTable", "3.10.2.1.1.2.1", 4, "dot11ScheduleListName"},
    {"dot11MacAccessControlListTable", "2.1.3.3.2.3.3.1.2.1", 32,
        "dot11MacAccessControlListMacAddress"},
    {"dhcpServerStaticTable", "3.1.3.2.1.2.1", 16, "staticIpAddress"},
    {"managerIpAddressTable", "4.10.1.4.1.3.1", 4, "managerIpAddressPoolStart"},
    {"dot11TrafficcontrolInterfaceTable", "3.9.1.1.1.1.3.1", 17, ""},
    {"dot11QosAdvancedPriorityTable", "3.9.2.2.2.1.1.3.1", 9, ""},
    {"dot11WdsTable", "2.1.3.3.5.2.1.2.1.1", 0, ""},
    {"dot11WebRedirectionListTable", "3.14.2.5.1.2.1", 0, ""},
    {"dot11ARPSpoofingPreventionListTable", "3.15.2.4.1.2.1", 0, ""},
};

class DeviceMibShape : public testing::TestWithParam<ShapeCase>
{ };

TEST_P(DeviceMibShape, AsThePageWalksIt)
{
    const ShapeCase &c = GetParam();
    const sim::TableDef *t = findTable(c.table);
    ASSERT_NE(t, nullptr);
    ASSERT_FALSE(t->defaultRows.empty());
    const auto first = std::find_if(t->columns.begin(), t->columns.end(),
        [](const sim::ObjectDef &col) { return col.access != sim::Access::NotAccessible; });
    ASSERT_NE(first, t->columns.end());
    EXPECT_EQ(mibtest::instanceOid(*first, *t, t->defaultRows.front().index),
        sim::kProductRoot + "." + c.firstColumnInstance);
    EXPECT_EQ(t->fixedRows, c.rows);
    EXPECT_EQ(t->emptyColumn, c.emptyColumn);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeviceMibShape, testing::ValuesIn(kShapes),
    [](const testing::TestParamInfo<ShapeCase> &c) { return std::string(c.param.table); });

} // namespace
