// The access point's own rules in process, on its real object table: status tables rebuilt from the
// device's sources, the VLAN port summary, the band's wifi modes, the AP mode status, periodic
// rekeying, masked secrets, the administrator's console and limits, and the device clock.
#include "Behaviours.h"
#include "CaseName.h"
#include "ConfigFile.h"
#include "DeviceMib.h"
#include "control/ControlChannel.h"

#include <cstdio>

#include <gtest/gtest.h>

using namespace sim;

namespace {

using Texts = std::vector<std::pair<std::string, std::string>>; // object -> value text

struct Device : testing::Test
{
    MibStore store{deviceMib()};
    Behaviours device{store};
    Faults faults;
    RequestLog log;
    ControlChannel control{device, faults, log, {}};

    std::string run(const std::string &command)
    {
        std::string answer = control.handle(command);
        answer.pop_back();
        return answer.substr(answer.rfind('\n') + 1);
    }

    std::string text(const std::string &name)
    {
        auto oid = store.resolve(name);
        auto f = oid ? store.get(*oid) : std::nullopt;
        return f ? formatValue(f->def->syntax, f->value) : "(none)";
    }

    // one SET PDU, values in their text form
    SetResult set(const Texts &bindings)
    {
        std::vector<Behaviours::Binding> pdu;
        for (const auto &[name, value] : bindings) {
            auto oid = store.resolve(name);
            auto f = oid ? store.get(*oid) : std::nullopt;
            EXPECT_TRUE(f.has_value()) << name;
            if (f) {
                pdu.emplace_back(*oid, parseValue(f->def->syntax, value).value_or(Value{}));
            }
        }
        return device.set(pdu);
    }
};

// --- refreshes from the device's sources ---------------------------------------------------------

std::vector<std::string> refreshTriggers()
{
    std::vector<std::string> names;
    for (const RefreshTriggerDef &r : deviceMib().refreshTriggers) {
        names.push_back(r.object);
    }
    return names;
}

class StartingSources : public Device, public testing::WithParamInterface<std::string>
{ };

TEST_P(StartingSources, RefreshToTheRowsTheDeviceStartsWith)
{
    auto rows = [&](const std::string &table) {
        std::vector<std::pair<Oid, std::vector<Value>>> out;
        for (const MibStore::Row &row : store.table(table)->rows) {
            out.emplace_back(row.index, row.values);
        }
        return out;
    };
    const RefreshTriggerDef *trigger = nullptr;
    for (const RefreshTriggerDef &r : deviceMib().refreshTriggers) {
        trigger = r.object == GetParam() ? &r : trigger;
    }
    ASSERT_NE(trigger, nullptr);
    std::vector<std::vector<std::pair<Oid, std::vector<Value>>>> before;
    for (const std::string &t : trigger->tables) {
        before.push_back(rows(t));
    }
    const SetResult r = set({{GetParam(), "1"}});
    ASSERT_EQ(r.status, ErrorStatus::NoError);
    EXPECT_EQ(r.answerDelayMs, 100);
    for (std::size_t t = 0; t < trigger->tables.size(); ++t) {
        EXPECT_EQ(rows(trigger->tables[t]), before[t]) << trigger->tables[t];
    }
}

INSTANTIATE_TEST_SUITE_P(Triggers, StartingSources, testing::ValuesIn(refreshTriggers()),
    [](const auto &tc) { return tc.param; });

struct SourceCase
{
    const char *name;
    const char *command; // control channel line
    const char *trigger; // refresh object written afterwards
    const char *cell;
    const char *expected; // "(none)": no such row
};

void PrintTo(const SourceCase &c, std::ostream *os)
{
    *os << c.name;
}

const SourceCase kSources[] = {
    {"NeighbourInTheClientSurvey",
        "source neighbours add 00:22:a1:b2:c3:d4 ch=3 signal=20 ssid=\"Lab AP 2\"",
        "dot11SiteSurveyRefresh", "dot11SiteSurveySsid.3", "Lab AP 2"},
    {"NeighbourInTheWdsSurvey", "source neighbours add 0022A1B2C3D4 ssid=\"Lab AP 2\"",
        "dot11WdsSiteSurveyRefresh", "dot11WdsSiteSurveyBssid.3", "0022A1B2C3D4"},
    {"NeighbourInTheRogueSurvey", "source neighbours add 0022A1B2C3D4 mode=A",
        "dot11RogueApSurveyRefresh", "dot11RogueApSurveyMode.4", "4"},
    {"DownNeighbourInTheRogueSurvey", "source neighbours add 0022A1B2C3D4 status=down",
        "dot11RogueApSurveyRefresh", "dot11RogueApSurveyStatus.4", "1"},
    {"DownNeighbourHeardByNoSurvey", "source neighbours add 0022A1B2C3D4 status=down",
        "dot11SiteSurveyRefresh", "dot11SiteSurveyBssid.3", "(none)"},
    {"WdsBridgeNotInTheClientSurvey", "source neighbours add 0022A1B2C3D4 scans=wds",
        "dot11SiteSurveyRefresh", "dot11SiteSurveyBssid.3", "(none)"},
    {"ClientWithItsSsid", "source clients add 001B2C3D4E99 band=G ssid=\"Guest Net\"",
        "dot11ClientInformationRefresh", "dot11SSIDIndex.4", "Guest Net"},
    {"ClientBandByName", "source clients add 001B2C3D4E99 band=G", "dot11ClientInformationRefresh",
        "dot11ClientBand.4", "2"},
    {"ClientsGone", "source clients clear", "dot11ClientInformationRefresh",
        "dot11ClientMacAddress.1", "(none)"},
    {"CloneCandidate", "source hosts add 001B2C3D4E77", "dot11MacCloneAddressRefresh",
        "dot11MacCloneListMacAddress.3", "001B2C3D4E77"},
    {"WdsLinkKeepsItsNumber", "source wds add 5 mac=00A1B2C3D4F5 status=on", "dot11WdsRefresh",
        "dot11WdsMacAddress.1.5", "00A1B2C3D4F5"},
    {"StaticLease", "source leases add 001B2C3D4E21 host=\"lab printer\" ip=127.0.0.51 static=yes",
        "refreshCurrentStaticList", "currentStaticHostName.2", "lab printer"},
    {"StaticLeaseIsNoDynamicOne", "source leases add 001B2C3D4E21 static=yes",
        "refreshCurrentDynamicList", "currentDynamicMac.3", "(none)"},
    {"ArrayTotalIsTheSum",
        "source arrays add 001A2B3C4D70 name=\"Second array\" masters=1 backups=1 slaves=3",
        "dot11ApArrayScan", "dot11ApArrayScanListTotal.2", "5"},
    {"ArrayMember", "source members add 001A2B3C4D61 role=Masterbackup location=\"Floor 2\"",
        "dot11ApArrayScan", "dot11APArrayMeberListRole.3", "2"},
};

class SourceRows : public Device, public testing::WithParamInterface<SourceCase>
{ };

TEST_P(SourceRows, AreWhatTheRefreshFinds)
{
    const SourceCase &c = GetParam();
    ASSERT_EQ(run(c.command), "OK");
    if (std::string(c.expected) != "(none)") {
        EXPECT_NE(text(c.cell), c.expected) << "shown before the device looked";
    }
    ASSERT_EQ(set({{c.trigger, "1"}}).status, ErrorStatus::NoError);
    EXPECT_EQ(text(c.cell), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SourceRows, testing::ValuesIn(kSources), kvatest::caseName);

TEST_F(Device, RefreshTimeIsTheDevicesSetting)
{
    device.setRefreshDelayMs(0);
    EXPECT_EQ(set({{"dot11WdsRefresh", "1"}}).answerDelayMs, 0);
}

TEST_F(Device, ClassificationFollowsTheAccessPointNotItsRow)
{
    ASSERT_EQ(set({{"dot11RogueApAddtoRouge", "2"}}).status, ErrorStatus::NoError); // Guest
    EXPECT_EQ(text("dot11RogueApSurveyType.2"), "4");
    // the first access point is gone: Guest moves up and stays rogue
    ASSERT_EQ(run("source neighbours del 0022A1B2C301"), "OK");
    ASSERT_EQ(set({{"dot11RogueApSurveyRefresh", "1"}}).status, ErrorStatus::NoError);
    EXPECT_EQ(text("dot11RogueApSurveyBssid.1"), "0022A1B2C302");
    EXPECT_EQ(text("dot11RogueApSurveyType.1"), "4");
    EXPECT_EQ(text("dot11RogueApSurveyType.2"), "4") << "FreeWifi is rogue by its own report";
    // away for one scan and back as "new": the device still knows better
    ASSERT_EQ(run("source neighbours del 0022A1B2C302"), "OK");
    ASSERT_EQ(set({{"dot11RogueApSurveyRefresh", "1"}}).status, ErrorStatus::NoError);
    ASSERT_EQ(run("source neighbours add 0022A1B2C302 type=new"), "OK");
    ASSERT_EQ(set({{"dot11RogueApSurveyRefresh", "1"}}).status, ErrorStatus::NoError);
    EXPECT_EQ(text("dot11RogueApSurveyBssid.2"), "0022A1B2C302");
    EXPECT_EQ(text("dot11RogueApSurveyType.2"), "4");
    // a factory reset forgets it
    set({{"deviceFactoryDefault", "1"}});
    ASSERT_EQ(set({{"dot11RogueApSurveyRefresh", "1"}}).status, ErrorStatus::NoError);
    EXPECT_EQ(text("dot11RogueApSurveyType.2"), "1");
}

TEST_F(Device, PortListIsDerivedFromTheVlanTable)
{
    ASSERT_EQ(set({{"dot11GroupVlanListVid.2", "10"}, {"dot11GroupVlanListName.2", "office"},
                      {"dot11GroupVlanListMgmt.2", "1"}, {"dot11GroupVlanListLan.2", "2"},
                      {"dot11GroupVlanListWds4.2", "1"}})
                  .status,
        ErrorStatus::NoError);
    EXPECT_EQ(text("dot11PortListTagVid.1"), "") << "shown only after a refresh";
    ASSERT_EQ(set({{"dot11PortListRefresh", "1"}}).status, ErrorStatus::NoError);
    const std::vector<std::pair<const char *, const char *>> expected = {{"10", "1"}, {"", "1,10"},
        {"", "1"}, {"", "1"}, {"", "1"}, {"", "1"}, {"", "1"}, {"", "1"}, {"", "1"}, {"10", "1"}};
    for (std::size_t p = 0; p < expected.size(); ++p) {
        const std::string row = std::to_string(p + 1);
        EXPECT_EQ(text("dot11PortListTagVid." + row), expected[p].first) << row;
        EXPECT_EQ(text("dot11PortListUntagVid." + row), expected[p].second) << row;
    }
    EXPECT_EQ(text("dot11PortLisPortName.10"), "W-4");
    // the default VLAN deleted: VLAN 10 moves up to the first slot
    ASSERT_EQ(set({{"dot11VlanListSurveydelete.1", "1"}}).status, ErrorStatus::NoError);
    ASSERT_EQ(set({{"dot11PortListRefresh", "1"}}).status, ErrorStatus::NoError);
    EXPECT_EQ(text("dot11PortListTagVid.1"), "10");
    EXPECT_EQ(text("dot11PortListUntagVid.1"), "");
    EXPECT_EQ(text("dot11PortListUntagVid.2"), "10");
    EXPECT_EQ(text("dot11PortListUntagVid.3"), "");
}

// --- command groups: each table's key --------------------------------------------------------------

struct GroupCase
{
    const char *name;
    const char *table;
    Texts listedAdd;      // an add whose key the starting entry has: refused
    Texts unlistedDelete; // a delete whose key no entry has: refused
    Texts keyDelete;      // the starting entry named by its key alone, other fields differing
};

void PrintTo(const GroupCase &c, std::ostream *os)
{
    *os << c.name;
}

const GroupCase kGroups[] = {
    {"ScheduleRuleBySsid", "dot11ScheduleListTable",
        {{"dot11ScheduleRuleName", "night"}, {"dot11ScheduleSSIDIndex", "0"},
            {"dot11ScheduleAction", "1"}},
        {{"dot11ScheduleRuleName", "office"}, {"dot11ScheduleSSIDIndex", "3"},
            {"dot11ScheduleAction", "0"}},
        {{"dot11ScheduleRuleName", "other"}, {"dot11ScheduleSSIDIndex", "0"},
            {"dot11ScheduleAction", "0"}}},
    {"WebAccountByName", "dot11WebRedirectionListTable",
        {{"dot11WebRedirectionAccountName", "guest"}, {"dot11WebRedirectionAccountPasswd", "x"},
            {"dot11WebRedirectionAccountAction", "1"}},
        {{"dot11WebRedirectionAccountName", "Guest"}, {"dot11WebRedirectionAccountAction", "0"}},
        {{"dot11WebRedirectionAccountName", "guest"}, {"dot11WebRedirectionAccountStatus", "0"},
            {"dot11WebRedirectionAccountAction", "0"}}},
    {"ArpGatewayByAddress", "dot11ARPSpoofingPreventionListTable",
        {{"dot11ARPSpoofingPreventionIpAddress", "127.0.0.254"},
            {"dot11ARPSpoofingPreventionMacAddress", "001B2C3D4E99"},
            {"dot11ARPSpoofingPreventionAction", "1"}},
        {{"dot11ARPSpoofingPreventionIpAddress", "127.0.0.9"},
            {"dot11ARPSpoofingPreventionMacAddress", "001B2C3D4EFE"},
            {"dot11ARPSpoofingPreventionAction", "0"}},
        {{"dot11ARPSpoofingPreventionIpAddress", "127.0.0.254"},
            {"dot11ARPSpoofingPreventionMacAddress", "000000000001"},
            {"dot11ARPSpoofingPreventionAction", "0"}}},
    {"RadiusAccountByName", "dot11LocalRadiusInfoTable",
        {{"dot11LocalRadiusUserName", "staff"}, {"dot11LocalRadiusPassword", "password"},
            {"dot11LocalRadiusAction", "1"}},
        {{"dot11LocalRadiusUserName", "nobody"}, {"dot11LocalRadiusAction", "0"}},
        {{"dot11LocalRadiusUserName", "staff"}, {"dot11LocalRadiusNodeStatus", "0"},
            {"dot11LocalRadiusAction", "0"}}},
    {"TrafficRuleByName", "dot11TrafficManagerRulesListTable",
        {{"dot11RuleName", "camera"}, {"dot11ClientIP", "127.0.0.61"}, {"dot11RuleAction", "1"}},
        {{"dot11RuleName", "printer"}, {"dot11ClientIP", "127.0.0.60"}, {"dot11RuleAction", "0"}},
        {{"dot11RuleName", "camera"}, {"dot11ClientMac", "001B2C3D4E60"},
            {"dot11RuleAction", "0"}}},
};

class GroupKeys : public Device, public testing::WithParamInterface<GroupCase>
{ };

TEST_P(GroupKeys, NameTheEntry)
{
    const GroupCase &c = GetParam();
    const std::string before = serialiseConfig(store);
    for (const Texts &refused : {c.listedAdd, c.unlistedDelete}) {
        const SetResult r = set(refused);
        EXPECT_EQ(r.status, ErrorStatus::WrongValue) << errorStatusName(r.status);
        EXPECT_EQ(r.errorIndex, static_cast<int>(refused.size())) << "the action binding";
        EXPECT_EQ(serialiseConfig(store), before);
    }
    const int entries = store.entryCount(*store.table(c.table));
    ASSERT_EQ(set(c.keyDelete).status, ErrorStatus::NoError);
    EXPECT_EQ(store.entryCount(*store.table(c.table)), entries - 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, GroupKeys, testing::ValuesIn(kGroups), kvatest::caseName);

// --- sources on the control channel ---------------------------------------------------------------

struct CommandCase
{
    const char *name;
    const char *command;
    const char *answer;
};

void PrintTo(const CommandCase &c, std::ostream *os)
{
    *os << c.name;
}

const CommandCase kSourceCommands[] = {
    {"Added", "source neighbours add 001122334455 ssid=\"Lab \\\"AP\\\" \\x01\" ch=1", "OK"},
    {"UnknownSource", "source aliens clear", "ERROR unknown source: aliens"},
    {"UnknownField", "source clients add 001122334455 colour=red",
        "ERROR unknown field of clients: colour"},
    {"WordWithoutValue", "source clients add 001122334455 band",
        "ERROR unknown field of clients: band"},
    {"FieldTwice", "source members add 001122334455 ip=10.0.0.1 ip=10.0.0.2",
        "ERROR field given twice: ip"},
    {"NotAnOption", "source neighbours add 001122334455 mode=Q",
        "ERROR bad value for mode: Q (one of B, G, N, A)"},
    {"NotANumber", "source neighbours add 001122334455 ch=six",
        "ERROR bad value for ch: not a number: six"},
    {"NotAnAddress", "source leases add 001122334455 ip=10.0.0",
        "ERROR bad value for ip: not an IP address: 10.0.0"},
    {"NotAScan", "source neighbours add 001122334455 scans=client,air",
        "ERROR bad value for scans: client,air (a comma list of client,wds,rogue)"},
    {"NotYesOrNo", "source leases add 001122334455 static=maybe",
        "ERROR bad value for static: maybe (yes or no)"},
    {"BadKey", "source hosts add 0011", "ERROR bad mac: 0011 (a MAC address)"},
    {"LinkOutOfRange", "source wds add 9", "ERROR bad link: 9 (1 to 8)"},
    {"ListedAlready", "source hosts add 00:1b:2c:3d:4e:10",
        "ERROR hosts 001B2C3D4E10 is listed already"},
    {"DeleteOfUnlisted", "source hosts del 001B2C3D4E99", "ERROR hosts 001B2C3D4E99 is not listed"},
    {"UnterminatedQuote", "source neighbours add 001122334455 ssid=\"Lab",
        "ERROR unterminated quote"},
    {"UnknownEscape", "source neighbours add 001122334455 ssid=\"a\\q\"",
        "ERROR unknown escape \\q"},
    {"NoKey", "source hosts add",
        "ERROR usage: source hosts add <key> [<field>=<value> ...] | del <key> | clear | reset"},
    {"NothingAtAll", "source", "ERROR usage: source list|fields|<source> add|del|clear|reset ..."},
    {"ListOfUnknown", "source list aliens", "ERROR unknown source: aliens"},
    {"MaskWithoutWord", "mask", "OK off"},
    {"MaskBadWord", "mask maybe", "ERROR usage: mask [on|off]"},
};

class SourceCommands : public Device, public testing::WithParamInterface<CommandCase>
{ };

TEST_P(SourceCommands, Answer)
{
    EXPECT_EQ(run(GetParam().command), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SourceCommands, testing::ValuesIn(kSourceCommands), kvatest::caseName);

TEST_F(Device, SourceListReadsBackAsAddCommands)
{
    const std::string before = control.handle("source list hosts");
    ASSERT_EQ(run("source hosts add 00AABBCCDDEE extra=1"), "ERROR unknown field of hosts: extra");
    EXPECT_EQ(control.handle("source list hosts"), before) << "a refused add changes nothing";

    ASSERT_EQ(run("source neighbours clear"), "OK");
    ASSERT_EQ(run("source neighbours add 001122334455 ssid=\"Lab \\\"AP\\\"\\x01\\xC3\\xA9\""
                  " lastseen=\"Mon 2 Feb\" type=rogue scans=rogue,wds"),
        "OK");
    const std::string listed = control.handle("source list neighbours");
    const std::string line =
        "neighbours 001122334455 ch=6 signal=50 ssid=\"Lab \\\"AP\\\"\\x01\\xC3\\xA9\""
        " security=None mode=G lastseen=\"Mon 2 Feb\" type=rogue status=up"
        " scans=wds,rogue\n";
    EXPECT_EQ(listed, line + "OK 1\n");
    ASSERT_EQ(run("source neighbours clear"), "OK");
    ASSERT_EQ(run("source neighbours add" + line.substr(line.find(' '), line.size() - 11)), "OK");
    EXPECT_EQ(control.handle("source list neighbours"), listed);
    ASSERT_EQ(run("source neighbours reset"), "OK");
    EXPECT_EQ(run("source list neighbours"), "OK 5");
}

TEST_F(Device, SourceHoldsAtMost256Entries)
{
    for (int n = static_cast<int>(device.sources().entries("hosts")->size()); n < 256; ++n) {
        char mac[13];
        std::snprintf(mac, sizeof mac, "0000000001%02X", n);
        ASSERT_EQ(run(std::string("source hosts add ") + mac), "OK") << n;
    }
    EXPECT_EQ(run("source hosts add 00000000FFFF"), "ERROR hosts is full (256 entries)");
}

// --- the band's wifi modes -------------------------------------------------------------------------

struct WifiCase
{
    const char *name;
    const char *band; // before the PDU
    const char *mode; // before the PDU
    Texts pdu;
    ErrorStatus status;
    int errorIndex;
    const char *bandAfter;
    const char *modeAfter;
};

void PrintTo(const WifiCase &c, std::ostream *os)
{
    *os << c.name;
}

const WifiCase kWifi[] = {
    {"ModeOfTheBand", "0", "6", {{"dot11WifiMode", "3"}}, ErrorStatus::NoError, 0, "0", "3"},
    {"ModeOfTheOtherBand", "0", "6", {{"dot11WifiMode", "9"}}, ErrorStatus::WrongValue, 1, "0",
        "6"},
    {"FiveGhzModeOnFiveGhz", "1", "9", {{"dot11WifiMode", "8"}}, ErrorStatus::NoError, 0, "1", "8"},
    {"TwoGhzModeOnFiveGhz", "1", "9", {{"dot11WifiMode", "2"}}, ErrorStatus::WrongValue, 1, "1",
        "9"},
    {"BandMovesTheModeToItsFirst", "0", "3", {{"dot11Band", "1"}}, ErrorStatus::NoError, 0, "1",
        "9"},
    {"BandBackMovesItAgain", "1", "7", {{"dot11Band", "0"}}, ErrorStatus::NoError, 0, "0", "6"},
    {"SameBandKeepsTheMode", "0", "2", {{"dot11Band", "0"}}, ErrorStatus::NoError, 0, "0", "2"},
    {"ModeAfterItsBandInOnePdu", "0", "6", {{"dot11Band", "1"}, {"dot11WifiMode", "7"}},
        ErrorStatus::NoError, 0, "1", "7"},
    {"ModeBeforeItsBandInOnePdu", "0", "6", {{"dot11WifiMode", "8"}, {"dot11Band", "1"}},
        ErrorStatus::NoError, 0, "1", "8"},
    {"OldBandsModeWithABandChange", "0", "6", {{"dot11Band", "1"}, {"dot11WifiMode", "6"}},
        ErrorStatus::WrongValue, 2, "0", "6"},
};

class WifiModes : public Device, public testing::WithParamInterface<WifiCase>
{ };

TEST_P(WifiModes, StayInTheBandsList)
{
    const WifiCase &c = GetParam();
    store.setScalar("dot11Band", Value::integer(std::stoll(c.band)));
    store.setScalar("dot11WifiMode", Value::integer(std::stoll(c.mode)));
    const SetResult r = set(c.pdu);
    EXPECT_EQ(r.status, c.status) << errorStatusName(r.status);
    EXPECT_EQ(r.errorIndex, c.errorIndex);
    EXPECT_EQ(text("dot11Band"), c.bandAfter);
    EXPECT_EQ(text("dot11WifiMode"), c.modeAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, WifiModes, testing::ValuesIn(kWifi), kvatest::caseName);

// --- AP mode status ------------------------------------------------------------------------------

TEST_F(Device, ApModeStatusTellsOfAModeNotYetActivated)
{
    EXPECT_EQ(text("dot11ApModeStatus"), "unchanged");
    set({{"dot11ApMode", "1"}});
    EXPECT_EQ(text("dot11ApModeStatus"), "unchanged") << "the mode it has already";
    set({{"dot11ApMode", "3"}});
    EXPECT_EQ(text("dot11ApModeStatus"), "changed");
    set({{"dot11ApMode", "1"}});
    EXPECT_EQ(text("dot11ApModeStatus"), "changed") << "written back, still not activated";
    set({{"deviceSettingApply", "1"}});
    EXPECT_EQ(text("dot11ApModeStatus"), "unchanged");
    set({{"dot11ApMode", "4"}});
    EXPECT_EQ(text("dot11ApModeStatus"), "changed");
    set({{"deviceSettingDiscard", "1"}});
    EXPECT_EQ(text("dot11ApModeStatus"), "unchanged");
    EXPECT_EQ(text("dot11ApMode"), "1");
}

// --- periodic rekeying ----------------------------------------------------------------------------

std::string expectedKey(const std::string &ssid, int n)
{
    char key[17];
    std::snprintf(key, sizeof key, "%08lx%08lx",
        static_cast<unsigned long>(crc32(ssid + ":" + std::to_string(n))),
        static_cast<unsigned long>(crc32(std::to_string(n) + ":" + ssid)));
    return key;
}

TEST_F(Device, PeriodicRekeyingMakesThePassphrase)
{
    ASSERT_EQ(set({{"dot11AutoRekeyControl", "1"}, {"dot11AutoRekeyTimeInterval", "12"}}).status,
        ErrorStatus::NoError);
    EXPECT_EQ(text("dot11AutoRekeyPassPhrase"), expectedKey("KVA7310", 1));
    EXPECT_EQ(text("dot11PassPhrase"), "kva7310-secret") << "kept for manual rekeying";
    EXPECT_NE(device.log().back().find(expectedKey("KVA7310", 1)), std::string::npos)
        << "the operator finds the new key in the log";
    set({{"dot11Ssid", "Office"}, {"dot11AutoRekeyControl", "1"}});
    EXPECT_EQ(text("dot11AutoRekeyPassPhrase"), expectedKey("Office", 2)) << "a new key each time";
    set({{"dot11MssidAutoRekeyControl.1.3", "1"}});
    EXPECT_EQ(text("dot11MssidAutoRekeyPassPhrase.1.3"), expectedKey("KVA7310-2", 3));
    EXPECT_EQ(text("dot11MssidAutoRekeyPassPhrase.1.2"), "");
    set({{"dot11AutoRekeyControl", "0"}, {"dot11MssidAutoRekeyControl.1.3", "0"}});
    EXPECT_EQ(text("dot11AutoRekeyPassPhrase"), "");
    EXPECT_EQ(text("dot11MssidAutoRekeyPassPhrase.1.3"), "");
}

// --- masked secrets -------------------------------------------------------------------------------

struct MaskCase
{
    const char *name;
    const char *object;
    const char *value;
    const char *served; // with masking on
};

void PrintTo(const MaskCase &c, std::ostream *os)
{
    *os << c.name;
}

const MaskCase kMasks[] = {
    {"WepKey", "dot11WepKey.1.2", "abcde", "*****"},
    {"WpaPassphrase", "dot11PassPhrase", "pass phrase", "***********"},
    {"SsidPassphrase", "dot11MssidPassPhrase.1.2", "guest-pass", "**********"},
    {"GeneratedPassphrase", "dot11AutoRekeyPassPhrase", "0123456789abcdef", "****************"},
    {"RadiusSecret", "dot11PrimaryRadiusSecret", "s3cr3t", "******"},
    {"SsidRadiusSecret", "dot11MssidRADIUSSecret.2.1", "s3cr3t", "******"},
    {"AccountingSecret", "dot11SecondaryAccountingPassPhrase", "acct", "****"},
    {"AdministratorPassword", "usersPassword", "admin", "*****"},
    {"MailPassword", "emailNtfPassword", "m41l", "****"},
    {"ArrayPassword", "dot11ApArrayPassword", "array-pass", "**********"},
    {"WebAccountPassword", "dot11WebRedirectionListAccountPasswd.1", "guest-pass", "**********"},
    {"RadiusAccountPassword", "dot11InternalRadiusInfoPasswd.1", "staff-pass", "**********"},
    {"OneStarPerCharacter", "dot11PassPhrase", "caf\xC3\xA9", "****"},
    {"EmptyStaysEmpty", "dot11PrimaryRadiusSecret", "", ""},
    {"SsidIsNoSecret", "dot11Ssid", "Lab AP", "Lab AP"},
    {"UserNameIsNoSecret", "usersName", "admin", "admin"},
};

class MaskedSecrets : public Device, public testing::WithParamInterface<MaskCase>
{ };

TEST_P(MaskedSecrets, AreServedAsStarsOnlyWhenAsked)
{
    const MaskCase &c = GetParam();
    const auto oid = store.resolve(c.object);
    ASSERT_TRUE(oid && store.put(*oid, Value::text(c.value)));
    const MibStore::Found f = *store.get(*oid);
    EXPECT_EQ(device.served(*f.def, f.value).octets, c.value);
    device.setMaskSecrets(true);
    EXPECT_EQ(device.served(*f.def, f.value).octets, c.served);
    EXPECT_EQ(text(c.object), c.value) << "the device keeps the clear text";
}

INSTANTIATE_TEST_SUITE_P(Cases, MaskedSecrets, testing::ValuesIn(kMasks), kvatest::caseName);

// --- one of two switches on (consoles, new access points), a limited administrator ---------------

struct AdminCase
{
    const char *name;
    Texts before; // put in the store first
    Texts pdu;
    Texts after;
};

void PrintTo(const AdminCase &c, std::ostream *os)
{
    *os << c.name;
}

const AdminCase kAdmin[] = {
    {"TelnetTurnsSshOff", {{"telnet", "0"}, {"ssh", "1"}}, {{"telnet", "1"}},
        {{"telnet", "1"}, {"ssh", "0"}}},
    {"SshTurnsTelnetOff", {{"telnet", "1"}, {"ssh", "0"}}, {{"ssh", "1"}},
        {{"telnet", "0"}, {"ssh", "1"}}},
    {"BothOffStayOff", {{"telnet", "1"}, {"ssh", "0"}}, {{"telnet", "0"}, {"ssh", "0"}},
        {{"telnet", "0"}, {"ssh", "0"}}},
    {"TheLastEnabledInThePduWins", {{"telnet", "0"}, {"ssh", "0"}}, {{"ssh", "1"}, {"telnet", "1"}},
        {{"telnet", "1"}, {"ssh", "0"}}},
    {"DisablingOneLeavesTheOther", {{"telnet", "0"}, {"ssh", "1"}}, {{"telnet", "0"}},
        {{"telnet", "0"}, {"ssh", "1"}}},
    {"NewAccessPointsAsRogueClearsValid",
        {{"dot11RogueApAllNewNodesAsValid", "1"}, {"dot11RogueApUnknownAccessNodesAsRogue", "0"}},
        {{"dot11RogueApUnknownAccessNodesAsRogue", "1"}},
        {{"dot11RogueApAllNewNodesAsValid", "0"}, {"dot11RogueApUnknownAccessNodesAsRogue", "1"}}},
    {"NewAccessPointsAsValidClearsRogue",
        {{"dot11RogueApAllNewNodesAsValid", "0"}, {"dot11RogueApUnknownAccessNodesAsRogue", "1"}},
        {{"dot11RogueApAllNewNodesAsValid", "1"}},
        {{"dot11RogueApAllNewNodesAsValid", "1"}, {"dot11RogueApUnknownAccessNodesAsRogue", "0"}}},
    {"MarkPolicyWrittenZeroLeavesTheOther",
        {{"dot11RogueApAllNewNodesAsValid", "1"}, {"dot11RogueApUnknownAccessNodesAsRogue", "0"}},
        {{"dot11RogueApUnknownAccessNodesAsRogue", "0"}},
        {{"dot11RogueApAllNewNodesAsValid", "1"}, {"dot11RogueApUnknownAccessNodesAsRogue", "0"}}},
    {"LimitByVlanTurnsProtectionOff",
        {{"dot11VlanStatus", "1"}, {"dot11NetworkAccessProtection", "1"}},
        {{"managerIpAddressStatus", "1"}},
        {{"dot11VlanStatus", "0"}, {"dot11NetworkAccessProtection", "0"}}},
    {"LimitByAddressTurnsProtectionOff", {{"dot11VlanStatus", "1"}},
        {{"managerIpAddressStatus", "2"}}, {{"dot11VlanStatus", "0"}}},
    {"LimitByBothTurnsProtectionOff", {{"dot11NetworkAccessProtection", "1"}},
        {{"managerIpAddressStatus", "3"}}, {{"dot11NetworkAccessProtection", "0"}}},
    {"NoLimitLeavesProtectionAlone",
        {{"dot11VlanStatus", "1"}, {"dot11NetworkAccessProtection", "1"}},
        {{"managerIpAddressStatus", "0"}},
        {{"dot11VlanStatus", "1"}, {"dot11NetworkAccessProtection", "1"}}},
};

class AdminRules : public Device, public testing::WithParamInterface<AdminCase>
{ };

TEST_P(AdminRules, FollowTheWrite)
{
    const AdminCase &c = GetParam();
    for (const auto &[name, value] : c.before) {
        const auto oid = store.resolve(name);
        ASSERT_TRUE(oid && store.put(*oid, Value::integer(std::stoll(value)))) << name;
    }
    ASSERT_EQ(set(c.pdu).status, ErrorStatus::NoError);
    for (const auto &[name, value] : c.after) {
        EXPECT_EQ(text(name), value) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, AdminRules, testing::ValuesIn(kAdmin), kvatest::caseName);

// --- the device clock -----------------------------------------------------------------------------

// 2024-02-28 23:59:50 on the host, counted as the local clock counts
constexpr long long kHostNow = 1709164790;

struct Clock : Device
{
    long long host = kHostNow;

    void SetUp() override
    {
        device.setLocalClock([this] { return host; });
        device.tick(0);
    }

    std::string shown()
    {
        device.tick(0);
        return text("sntpTimeofDay");
    }
};

TEST_F(Clock, ShowsTheHostsTimeAndKeepsRunning)
{
    EXPECT_EQ(shown(), "02/28/2024 23:59:50");
    host += 11;
    EXPECT_EQ(shown(), "02/29/2024 00:00:01") << "2024 is a leap year";
}

TEST_F(Clock, ASetMovesItAndItRunsOnFromThere)
{
    ASSERT_EQ(set({{"sntpTimeofDay", "09/15/2009 13:05:07"}}).status, ErrorStatus::NoError);
    EXPECT_EQ(shown(), "09/15/2009 13:05:07");
    host += 60 * 60 + 5;
    EXPECT_EQ(shown(), "09/15/2009 14:05:12");
}

TEST_F(Clock, AControlSetMovesItAndAnyOtherTextStopsIt)
{
    EXPECT_EQ(run("set sntpTimeofDay 12/31/2030 23:59:59"), "OK");
    device.tick(0); // what the running simulator does after a set
    host += 1;
    EXPECT_EQ(shown(), "01/01/2031 00:00:00");
    EXPECT_EQ(run("set sntpTimeofDay no clock"), "OK");
    host += 30;
    EXPECT_EQ(shown(), "no clock") << "a hostile text is served as it is";
    EXPECT_EQ(run("set sntpTimeofDay 01/02/2031 08:00:00"), "OK");
    EXPECT_EQ(shown(), "01/02/2031 08:00:00");
}

struct ClockText
{
    const char *name;
    const char *text;
};

void PrintTo(const ClockText &c, std::ostream *os)
{
    *os << c.name;
}

const ClockText kRefusedClocks[] = {
    {"EmptyYear", "09/15/ 13:05:07"},
    {"February31", "02/31/2024 10:00:00"},
    {"February29OfACommonYear", "02/29/2023 10:00:00"},
    {"Hour24", "09/15/2009 24:00:00"},
    {"Minute60", "09/15/2009 13:60:00"},
    {"Month13", "13/01/2009 00:00:00"},
    {"Month0", "00/10/2009 00:00:00"},
    {"OneDigitMonth", "9/15/2009 13:05:07"},
    {"Dashes", "09-15-2009 13:05:07"},
    {"YearFirst", "2009/09/15 13:05:07"},
    {"TrailingBlank", "09/15/2009 13:05:07 "},
    {"Empty", ""},
};

class ClockRefusal : public Clock, public testing::WithParamInterface<ClockText>
{ };

TEST_P(ClockRefusal, IsWrongValueAndLeavesTheClock)
{
    const SetResult r = set({{"sntpTimeofDay", GetParam().text}});
    EXPECT_EQ(r.status, ErrorStatus::WrongValue) << errorStatusName(r.status);
    EXPECT_EQ(r.errorIndex, 1);
    EXPECT_EQ(shown(), "02/28/2024 23:59:50");
}

INSTANTIATE_TEST_SUITE_P(Texts, ClockRefusal, testing::ValuesIn(kRefusedClocks), kvatest::caseName);

} // namespace
