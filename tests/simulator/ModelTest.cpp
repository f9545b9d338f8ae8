// The device model in process: the store's SET checks and order, table editing, the configuration
// file, and the behaviours of the command objects.
#include "Behaviours.h"
#include "CaseName.h"
#include "ConfigFile.h"
#include "MibStore.h"
#include "SmallMib.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

Oid oidOf(const MibStore &store, const std::string &name)
{
    auto oid = store.resolve(name);
    EXPECT_TRUE(oid.has_value()) << name;
    return oid.value_or(Oid{});
}

Value ip(const char *text)
{
    return *parseValue(Syntax::IpAddress, text);
}

struct Fixture : testing::Test
{
    MibStore store{simtest::smallMib()};
    Behaviours device{store};

    SetResult set(const std::string &name, const Value &v)
    {
        return device.set({{oidOf(store, name), v}});
    }

    std::string text(const std::string &name)
    {
        auto f = store.get(oidOf(store, name));
        return f ? formatValue(f->def->syntax, f->value) : "(none)";
    }

    // a command group entry is made from one PDU: the field and the action together
    SetResult slot(const std::string &name, long long action)
    {
        return device.set({{oidOf(store, "slotNameField"), Value::text(name)},
            {oidOf(store, "slotAction"), Value::integer(action)}});
    }

    std::vector<std::string> slotNames()
    {
        std::vector<std::string> names;
        for (const auto &row : store.table("slotTable")->rows) {
            names.push_back(row.values[1].octets);
        }
        return names;
    }
};

// --- SET checks -----------------------------------------------------------------------------------

struct SetCheckCase
{
    const char *name;
    const char *target;
    Value value;
    ErrorStatus expected;
};

const SetCheckCase kSetChecks[] = {
    {"TextWithinLimit", "apName", Value::text("12345678"), ErrorStatus::NoError},
    {"TextOverPageLimit", "apName", Value::text("123456789"), ErrorStatus::WrongLength},
    {"TextOverDefaultLimit", "tftpRemoteFileName", Value::text(std::string(256, 'a')),
        ErrorStatus::WrongLength},
    {"TextAtDefaultLimit", "tftpRemoteFileName", Value::text(std::string(255, 'a')),
        ErrorStatus::NoError},
    {"EnumOutside", "apMode", Value::integer(3), ErrorStatus::WrongValue},
    {"EnumInside", "apMode", Value::integer(4), ErrorStatus::NoError},
    {"RangeBelow", "apChannel", Value::integer(0), ErrorStatus::WrongValue},
    {"RangeTop", "apChannel", Value::integer(13), ErrorStatus::NoError},
    {"IntegerAsText", "apMode", Value::text("1"), ErrorStatus::WrongType},
    {"Null", "apName", Value{}, ErrorStatus::WrongType},
    {"IpAsText", "hIPAddress", Value::text("1.2.3.4"), ErrorStatus::WrongType},
    {"IpThreeBytes", "hIPAddress", Value{ValueType::IpAddress, 0, std::string(3, '\1'), {}},
        ErrorStatus::WrongLength},
    {"MacFiveBytes", "apMac", Value::text(std::string(5, '\1')), ErrorStatus::WrongLength},
    {"MacSevenBytes", "apMac", Value::text(std::string(7, '\1')), ErrorStatus::WrongLength},
    {"ReadOnly", "deviceInformationFirmwareVersion", Value::text("x"), ErrorStatus::NotWritable},
    {"SystemGroupReadOnly", "sysDescr", Value::text("x"), ErrorStatus::NotWritable},
    {"SystemGroupWritable", "sysLocation", Value::text("lab"), ErrorStatus::NoError},
    {"MissingRowOfTable", "slotName.9", Value::text("x"), ErrorStatus::NoCreation},
    {"UnknownObject", "1.3.6.1.4.1.32473.7310.99.0", Value::integer(1), ErrorStatus::NotWritable},
    {"IndexNotServed", "aclIndex.1", Value::integer(1), ErrorStatus::NoCreation},
};

void PrintTo(const SetCheckCase &c, std::ostream *os)
{
    *os << c.name;
}

class SetChecks : public Fixture, public testing::WithParamInterface<SetCheckCase>
{ };

TEST_P(SetChecks, AnswerAsTheDevice)
{
    const SetCheckCase &c = GetParam();
    const SetResult r = device.set(
        {{oidOf(store, "apMode"), Value::integer(2)}, {oidOf(store, c.target), c.value}});
    EXPECT_EQ(r.status, c.expected) << errorStatusName(r.status);
    if (c.expected == ErrorStatus::NoError) {
        return;
    }
    EXPECT_EQ(r.errorIndex, 2);
    // the whole PDU is refused: the valid first binding is not written either
    EXPECT_EQ(text("apMode"), "1");
}

INSTANTIATE_TEST_SUITE_P(Cases, SetChecks, testing::ValuesIn(kSetChecks), kvatest::caseName);

TEST_F(Fixture, ErrorIndexPointsAtTheRefusedBinding)
{
    const SetResult r = device.set(
        {{oidOf(store, "apName"), Value::text("ok")}, {oidOf(store, "apMode"), Value::integer(9)}});
    EXPECT_EQ(r.status, ErrorStatus::WrongValue);
    EXPECT_EQ(r.errorIndex, 2);
    EXPECT_EQ(text("apName"), "ap");
}

TEST_F(Fixture, LanAddressShowsInTheInterfaceObjects)
{
    set("hIPAddress", ip("10.0.0.7"));
    EXPECT_EQ(text("ifIpAddress"), "10.0.0.7");
}

TEST_F(Fixture, PrimarySsidIsOneSettingInBothPlaces)
{
    set("dot11Ssid", Value::text("office"));
    EXPECT_EQ(text("dot11MssidSsid.1.1"), "office");
    set("dot11MssidSsid.1.1", Value::text("lobby"));
    EXPECT_EQ(text("dot11Ssid"), "lobby");
    set("dot11MssidSsid.1.2", Value::text("guest"));
    EXPECT_EQ(text("dot11Ssid"), "lobby");
}

TEST_F(Fixture, ClassificationSurvivesANewScan)
{
    set("surveyMarkRogue", Value::integer(2));
    EXPECT_EQ(text("surveyType.2"), "3");
    set("surveyScan", Value::integer(1));
    EXPECT_EQ(text("surveyType.2"), "3");
    EXPECT_EQ(text("surveyType.1"), "0");
}

TEST_F(Fixture, EmptySetSucceeds)
{
    EXPECT_EQ(device.set({}).status, ErrorStatus::NoError);
}

// --- order ----------------------------------------------------------------------------------------

TEST_F(Fixture, WalkIsInOidOrderAndServesFixedSlotsAndEnds)
{
    Oid at;
    std::vector<Oid> seen;
    while (auto f = store.getNext(at)) {
        if (!seen.empty()) {
            ASSERT_LT(seen.back(), f->oid);
        }
        seen.push_back(f->oid);
        at = f->oid;
    }
    EXPECT_FALSE(store.getNext(seen.back()).has_value());
    // four empty slots of the fixed table are served, the not-accessible index column is not
    int slots = 0;
    int aclIndex = 0;
    const Oid slotName = *parseOid(kProductRoot + ".2.4.1.2");
    const Oid aclIdx = *parseOid(kProductRoot + ".3.3.1.1");
    for (const Oid &o : seen) {
        slots += oidStartsWith(o, slotName) ? 1 : 0;
        aclIndex += oidStartsWith(o, aclIdx) ? 1 : 0;
    }
    EXPECT_EQ(slots, 4);
    EXPECT_EQ(aclIndex, 0);
    // a MAC index is six sub-identifiers
    EXPECT_TRUE(store.get(oidOf(store, "clientRssi.0.170.0.0.0.2")).has_value());
    EXPECT_EQ(text("clientRssi.0.170.0.0.0.2"), "-70");
}

// --- tables ---------------------------------------------------------------------------------------

TEST_F(Fixture, CommandGroupAddsPackedAndDeleteMovesLaterEntriesUp)
{
    for (const char *n : {"one", "two", "three"}) {
        ASSERT_EQ(slot(n, 1).status, ErrorStatus::NoError);
    }
    EXPECT_EQ(slotNames(), (std::vector<std::string>{"one", "two", "three", ""}));
    EXPECT_EQ(text("slotAction"), "2"); // the action reads back its resting value
    ASSERT_EQ(slot("one", 0).status, ErrorStatus::NoError);
    EXPECT_EQ(slotNames(), (std::vector<std::string>{"two", "three", "", ""}));
    EXPECT_EQ(text("slotIndex.1"), "1"); // slots keep their index
    // full table: the add is refused
    for (const char *n : {"x", "y"}) {
        ASSERT_EQ(slot(n, 1).status, ErrorStatus::NoError);
    }
    const SetResult full = slot("z", 1);
    EXPECT_EQ(full.status, ErrorStatus::GenErr);
    EXPECT_EQ(full.errorIndex, 2);
    EXPECT_EQ(slotNames(), (std::vector<std::string>{"two", "three", "x", "y"}));
    EXPECT_EQ(text("slotNameField"), "y") << "a refused PDU writes none of its bindings";
}

// Two slots listed, and an earlier PDU that left values in the fields without adding anything.
struct Listed : Fixture
{
    void SetUp() override
    {
        ASSERT_EQ(device
                      .set({{oidOf(store, "slotNameField"), Value::text("one")},
                          {oidOf(store, "slotVlanField"), Value::integer(5)},
                          {oidOf(store, "slotAction"), Value::integer(1)}})
                      .status,
            ErrorStatus::NoError);
        ASSERT_EQ(slot("two", 1).status, ErrorStatus::NoError);
        set("slotNameField", Value::text("three"));
        set("slotVlanField", Value::integer(7));
    }

    // everything a refused PDU could have touched
    std::string state()
    {
        std::string out = serialiseConfig(store);
        for (const auto &row : store.table("surveyTable")->rows) {
            out += formatValue(Syntax::Integer, row.values[0]) + ";";
        }
        return out;
    }
};

TEST_F(Listed, AnEntryComesFromItsOwnPduAndIsNamedByItsKey)
{
    ASSERT_EQ(slot("four", 1).status, ErrorStatus::NoError);
    EXPECT_EQ(text("slotVlan.3"), "0") << "the vlan field of an earlier PDU is not taken";
    // the name alone names the entry: a delete with another vlan value removes it
    ASSERT_EQ(device
                  .set({{oidOf(store, "slotNameField"), Value::text("one")},
                      {oidOf(store, "slotVlanField"), Value::integer(99)},
                      {oidOf(store, "slotAction"), Value::integer(0)}})
                  .status,
        ErrorStatus::NoError);
    EXPECT_EQ(slotNames(), (std::vector<std::string>{"two", "four", "", ""}));
}

struct RefusedCase
{
    const char *name;
    std::vector<std::pair<const char *, Value>> bindings;
    int errorIndex; // the action's binding
};

void PrintTo(const RefusedCase &c, std::ostream *os)
{
    *os << c.name;
}

const Value kUnlistedMac = *parseValue(Syntax::MacAddress, "00000000000A");

const RefusedCase kRefused[] = {
    {"AddOfAListedName",
        {{"slotVlanField", Value::integer(9)}, {"slotNameField", Value::text("one")},
            {"slotAction", Value::integer(1)}},
        3},
    {"AddWithoutItsNameTakesNoneFromAnEarlierPdu",
        {{"slotVlanField", Value::integer(9)}, {"slotAction", Value::integer(1)}}, 2},
    {"DeleteOfAnUnlistedName",
        {{"slotNameField", Value::text("nine")}, {"slotAction", Value::integer(0)}}, 2},
    {"ActionBeforeItsFields",
        {{"slotAction", Value::integer(0)}, {"slotNameField", Value::text("nine")}}, 1},
    {"ClassifyOfARowThatIsNotThere", {{"surveyMarkRogue", Value::integer(7)}}, 1},
    {"ClassifyOfRowZero", {{"surveyMarkRogue", Value::integer(0)}}, 1},
    {"DeleteObjectOfAnUnlistedAddress",
        {{"apName", Value::text("x")}, {"dot11MacAccessControlMacAddressDelete", kUnlistedMac}}, 2},
};

class RefusedActions : public Listed, public testing::WithParamInterface<RefusedCase>
{ };

TEST_P(RefusedActions, AreWrongValueAndChangeNothing)
{
    const RefusedCase &c = GetParam();
    const std::string before = state();
    std::vector<Behaviours::Binding> bindings;
    for (const auto &[name, value] : c.bindings) {
        bindings.emplace_back(oidOf(store, name), value);
    }
    const SetResult r = device.set(bindings);
    EXPECT_EQ(r.status, ErrorStatus::WrongValue) << errorStatusName(r.status);
    EXPECT_EQ(r.errorIndex, c.errorIndex);
    EXPECT_EQ(state(), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedActions, testing::ValuesIn(kRefused), kvatest::caseName);

TEST_F(Fixture, AddAndDeleteObjectsEditTheMacList)
{
    const Value a = *parseValue(Syntax::MacAddress, "00:00:00:00:00:0A");
    const Value b = *parseValue(Syntax::MacAddress, "00:00:00:00:00:0B");
    set("dot11MacAccessControlMacAddressAdd", a);
    set("dot11MacAccessControlMacAddressAdd", b);
    set("dot11MacAccessControlMacAddressAdd", a); // listed already: no second row
    ASSERT_EQ(store.table("aclTable")->rows.size(), 2U);
    set("dot11MacAccessControlMacAddressDelete", a);
    ASSERT_EQ(store.table("aclTable")->rows.size(), 1U);
    EXPECT_EQ(store.table("aclTable")->rows[0].values[1], b);
    set("dot11MacAccessControlMacAddressAdd", a);
    set("dot11MacAccessControlMacAddressAdd", *parseValue(Syntax::MacAddress, "0000000000CC"));
    EXPECT_EQ(
        set("dot11MacAccessControlMacAddressAdd", *parseValue(Syntax::MacAddress, "0000000000DD"))
            .status,
        ErrorStatus::GenErr); // three rows at most
}

TEST_F(Fixture, RefreshRecollectsTheStatusTableBeforeAnswering)
{
    store.clearTable("clientTable");
    ASSERT_TRUE(store.table("clientTable")->rows.empty());
    const SetResult r = set("clientRefresh", Value::integer(1));
    EXPECT_EQ(r.status, ErrorStatus::NoError);
    EXPECT_EQ(store.table("clientTable")->rows.size(), 2U);
    EXPECT_GT(r.answerDelayMs, 0);
}

TEST_F(Fixture, StatisticsMoveAndUptimeCounts)
{
    device.restarted(0);
    const std::string before = text("clientBytes.0.170.0.0.0.1");
    device.tick(5000);
    EXPECT_NE(text("clientBytes.0.170.0.0.0.1"), before);
    EXPECT_EQ(text("sysUpTime"), "500");
}

// --- configuration file ---------------------------------------------------------------------------

TEST_F(Fixture, ConfigurationRoundTrips)
{
    set("apName", Value::text("a=b\\c\n"));
    set("hIPAddress", ip("10.1.2.3"));
    ASSERT_EQ(slot("office", 1).status, ErrorStatus::NoError);
    set("dot11MacAccessControlMacAddressAdd", *parseValue(Syntax::MacAddress, "00:00:00:00:00:0A"));
    const std::string saved = serialiseConfig(store);

    MibStore other{simtest::smallMib()};
    std::string error;
    ASSERT_TRUE(loadConfig(other, saved, &error)) << error;
    EXPECT_EQ(serialiseConfig(other), saved);
    EXPECT_EQ(other.scalar("apName").octets, "a=b\\c\n");
    EXPECT_EQ(other.table("aclTable")->rows.size(), 1U);
    EXPECT_EQ(other.table("slotTable")->rows[0].values[1].octets, "office");
}

struct BadConfigCase
{
    const char *name;
    const char *text;
};

const BadConfigCase kBadConfigs[] = {
    {"Empty", ""},
    {"NoHeader", "apName=x\nEND\n"},
    {"Truncated", "KVA7310-CONFIG 1\napName=x\n"},
    {"UnknownObject", "KVA7310-CONFIG 1\nnoSuchThing=1\nEND\n"},
    {"TooLong", "KVA7310-CONFIG 1\napName=123456789\nEND\n"},
    {"OutsideEnumeration", "KVA7310-CONFIG 1\napMode=3\nEND\n"},
    {"NotAnAddress", "KVA7310-CONFIG 1\nhIPAddress=10.0.0\nEND\n"},
    {"ReadOnlyObject", "KVA7310-CONFIG 1\ndeviceInformationFirmwareVersion=9\nEND\n"},
    {"CommandObject", "KVA7310-CONFIG 1\ndeviceRestart=1\nEND\n"},
    {"SlotOutsideFixedTable", "KVA7310-CONFIG 1\nslotName.7=x\nEND\n"},
    {"StatusTable", "KVA7310-CONFIG 1\nclientRssi.0.170.0.0.0.1=1\nEND\n"},
    {"BadEscape", "KVA7310-CONFIG 1\napName=\\q\nEND\n"},
    {"TextAfterEnd", "KVA7310-CONFIG 1\nEND\napName=x\n"},
    {"Binary",
        "\x7f"
        "ELF\x01\x02"},
};

void PrintTo(const BadConfigCase &c, std::ostream *os)
{
    *os << c.name;
}

class BadConfig : public Fixture, public testing::WithParamInterface<BadConfigCase>
{ };

TEST_P(BadConfig, IsRefusedAndChangesNothing)
{
    set("apName", Value::text("kept"));
    const std::string before = serialiseConfig(store);
    std::string error;
    EXPECT_FALSE(loadConfig(store, GetParam().text, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(serialiseConfig(store), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadConfig, testing::ValuesIn(kBadConfigs), kvatest::caseName);

// --- commit, discard, factory default ------------------------------------------------------------

TEST_F(Fixture, ApplyStoresDiscardRestoresBothRestart)
{
    std::string persisted;
    device.onStoredChanged = [&](const std::string &s) { persisted = s; };
    set("apName", Value::text("saved"));
    SetResult r = set("deviceSettingApply", Value::integer(1));
    EXPECT_TRUE(r.restart);
    EXPECT_EQ(text("deviceSettingApply"), "0");
    EXPECT_NE(persisted.find("apName=saved"), std::string::npos);

    set("apName", Value::text("unsaved"));
    r = set("deviceSettingDiscard", Value::integer(1));
    EXPECT_TRUE(r.restart);
    EXPECT_EQ(text("apName"), "saved");
}

TEST_F(Fixture, ZeroInTheCommitObjectsMeansNothing)
{
    set("apName", Value::text("unsaved"));
    const SetResult r = device.set({{oidOf(store, "deviceSettingApply"), Value::integer(0)},
        {oidOf(store, "deviceSettingDiscard"), Value::integer(0)},
        {oidOf(store, "deviceRestart"), Value::integer(0)}});
    EXPECT_FALSE(r.restart);
    EXPECT_EQ(text("apName"), "unsaved");
    EXPECT_EQ(device.storedConfig().find("unsaved"), std::string::npos);
}

TEST_F(Fixture, FactoryDefaultResetsSettingsButNotTheFirmware)
{
    store.setScalar("deviceInformationFirmwareVersion", Value::text("2.0"));
    set("apName", Value::text("mine"));
    ASSERT_EQ(slot("office", 1).status, ErrorStatus::NoError);
    EXPECT_TRUE(set("deviceFactoryDefault", Value::integer(1)).restart);
    EXPECT_EQ(text("apName"), "ap");
    EXPECT_EQ(slotNames(), (std::vector<std::string>{"", "", "", ""}));
    EXPECT_EQ(text("deviceInformationFirmwareVersion"), "2.0");
    EXPECT_EQ(text("hIPAddress"), "127.0.0.1");
}

// --- transfers and installs -----------------------------------------------------------------------

TEST_F(Fixture, TransferCommandWaitsAndInstallsQueueBehindIt)
{
    set("tftpServerIPAddress", ip("127.0.0.1"));
    set("tftpRemoteFileName", Value::text("fw.bin"));
    SetResult r = set("tftpcommand", Value::integer(2));
    ASSERT_TRUE(r.transfer.has_value());
    EXPECT_EQ(r.transfer->kind, TransferKind::Fetch);
    EXPECT_EQ(r.transfer->fileName, "fw.bin");
    EXPECT_TRUE(device.transferRunning());
    // a second transfer while one runs is refused
    EXPECT_EQ(set("tftpcommand", Value::integer(3)).status, ErrorStatus::GenErr);
    r = set("tftpUpgradeSettingCommand", Value::integer(1));
    EXPECT_EQ(r.installs, std::vector<long long>{1});
    device.transferFinished(true, "KVA7310-FIRMWARE 3.1.4\nimage");
    EXPECT_EQ(device.install(1).status, ErrorStatus::NoError);
    EXPECT_EQ(text("deviceInformationFirmwareVersion"), "3.1.4");
    ASSERT_TRUE(device.lastInstalled().has_value());
    EXPECT_EQ(device.lastInstalled()->size, 28U);
    EXPECT_EQ(device.lastInstalled()->checksum, crc32("KVA7310-FIRMWARE 3.1.4\nimage"));
}

TEST_F(Fixture, TransferWithoutServerOrNameIsRefused)
{
    EXPECT_EQ(set("tftpcommand", Value::integer(2)).status, ErrorStatus::GenErr);
    EXPECT_FALSE(device.transferRunning());
}

struct InstallCase
{
    const char *name;
    const char *fileName; // "" for nothing fetched
    const char *data;
    long long command;
    ErrorStatus status;
    const char *apName;   // apName afterwards
    const char *firmware; // firmware version afterwards
    const char *kind;     // kind of the last installed file, "" for none
};

const InstallCase kInstalls[] = {
    {"FirmwareFromFileName", "fw-2.5.bin", "image", 1, ErrorStatus::NoError, "ap", "fw-2.5",
        "firmware"},
    {"LanguagePackKeepsFirmware", "Lang_de.bin", "strings", 1, ErrorStatus::NoError, "ap", "1.0.0",
        "language"},
    {"FirmwareWithoutFetch", "", "", 1, ErrorStatus::GenErr, "ap", "1.0.0", ""},
    {"ConfigApplied", "c.dcf", "KVA7310-CONFIG 1\napName=restored\nEND\n", 3, ErrorStatus::NoError,
        "restored", "1.0.0", ""},
    {"ConfigInvalid", "c.dcf", "KVA7310-CONFIG 1\napName=restored\n", 3, ErrorStatus::GenErr, "ap",
        "1.0.0", ""},
    {"ConfigWithoutFetch", "", "", 3, ErrorStatus::GenErr, "ap", "1.0.0", ""},
    {"Certificate", "c.pem", "-----BEGIN CERTIFICATE-----", 7, ErrorStatus::NoError, "ap", "1.0.0",
        "certificate"},
    {"EmptyKey", "k.pem", "", 8, ErrorStatus::GenErr, "ap", "1.0.0", ""},
    {"NothingCommand", "", "", 6, ErrorStatus::NoError, "ap", "1.0.0", ""},
};

void PrintTo(const InstallCase &c, std::ostream *os)
{
    *os << c.name;
}

class Installs : public Fixture, public testing::WithParamInterface<InstallCase>
{ };

TEST_P(Installs, HaveTheirEffect)
{
    const InstallCase &c = GetParam();
    if (*c.fileName) {
        set("tftpServerIPAddress", ip("127.0.0.1"));
        set("tftpRemoteFileName", Value::text(c.fileName));
        ASSERT_TRUE(set("tftpcommand", Value::integer(2)).transfer.has_value());
        device.transferFinished(true, c.data);
    }
    EXPECT_EQ(device.install(c.command).status, c.status);
    EXPECT_EQ(text("apName"), c.apName);
    EXPECT_EQ(text("deviceInformationFirmwareVersion"), c.firmware);
    EXPECT_EQ(device.lastInstalled() ? device.lastInstalled()->kind : std::string(), c.kind);
}

INSTANTIATE_TEST_SUITE_P(Cases, Installs, testing::ValuesIn(kInstalls), kvatest::caseName);

TEST_F(Fixture, FailedFetchLeavesNothingToInstall)
{
    set("tftpServerIPAddress", ip("127.0.0.1"));
    set("tftpRemoteFileName", Value::text("fw.bin"));
    set("tftpcommand", Value::integer(2));
    device.transferFinished(false, "partial");
    EXPECT_EQ(device.install(1).status, ErrorStatus::GenErr);
    EXPECT_EQ(text("deviceInformationFirmwareVersion"), "1.0.0");
}

TEST_F(Fixture, AclListLoadsWholeOrNotAtAll)
{
    set("tftpServerIPAddress", ip("127.0.0.1"));
    set("tftpRemoteFileName", Value::text("list.acl"));
    set("tftpcommand", Value::integer(2));
    device.transferFinished(true, "0000000000AA\r\n# comment\n00:00:00:00:00:BB\n");
    EXPECT_EQ(device.install(9).status, ErrorStatus::NoError);
    EXPECT_EQ(device.aclFile(), "0000000000AA\r\n0000000000BB\r\n");

    set("tftpcommand", Value::integer(2));
    device.transferFinished(true, "0000000000CC\nnot-a-mac\n");
    EXPECT_EQ(device.install(9).status, ErrorStatus::GenErr);
    EXPECT_EQ(device.aclFile(), "0000000000AA\r\n0000000000BB\r\n");
}

} // namespace
