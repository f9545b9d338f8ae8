// The access point's objects below the product root: one declarative table, grouped by the page that
// edits them, holding the values of a running access point on the loopback network.
//
// OIDs are written as the device documents them, below the product root. `scalar()` objects are served
// with ".0" appended; `instance()` objects already end in their instance (".1" for the radio, ".N" for
// the Nth of a numbered set, ".0" where the documented OID carries it). Where pages disagree about an
// object, the table follows the page that edits it; the disagreements are listed at the end of this
// file and in docs/simulator-mib.md.
#include "DeviceMib.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace sim {
namespace {

constexpr Syntax kInt = Syntax::Integer;
constexpr Syntax kText = Syntax::OctetString;
constexpr Syntax kIp = Syntax::IpAddress;
constexpr Syntax kMac = Syntax::MacAddress;
constexpr Syntax kTicks = Syntax::TimeTicks;
constexpr Access kRO = Access::ReadOnly;
constexpr Access kRW = Access::ReadWrite;
constexpr Access kIndex = Access::NotAccessible;
constexpr IndexKind kNum = IndexKind::Integer;

using Enum = std::vector<EnumValue>;
using Values = std::vector<std::pair<std::string, std::string>>;

const Enum kDisableEnable{{0, "Disable"}, {1, "Enable"}};
const Enum kDisabledEnabled{{0, "Disabled"}, {1, "Enabled"}};
const Enum kNothingRefresh{{0, "nothing"}, {1, "refresh"}};
const Enum kNothingGet{{0, "nothing"}, {1, "get"}};
const Enum kDelAdd{{0, "del"}, {1, "add"}};
const Enum kApMode{{1, "Access Point"}, {2, "WDS with AP"}, {3, "WDS"}, {4, "Wireless Client"}};
const Enum kBand{{0, "2.4GHz"}, {1, "5GHz"}};
const Enum kAuthentication{{1, "opensystem"}, {2, "sharedkey"}, {3, "opensystem-sharedkey"},
    {4, "wpa-psk"}, {5, "wpa-eap"}, {6, "wpa2-psk"}, {7, "wpa2-eap"}, {8, "wpa2-auto-psk"},
    {9, "wpa2-auto-eap"}, {10, "dot1x"}};
const Enum kCipher{{1, "auto"}, {2, "aes"}, {3, "tkip"}, {4, "wep"}};
const Enum kKeyIndex{{1, "First"}, {2, "Second"}, {3, "Third"}, {4, "Fourth"}};
const Enum kRekeyControl{{0, "Manual"}, {1, "Periodrical Key Change "}};
const Enum kWeekDay{
    {0, "Sun"}, {1, "Mon"}, {2, "Tue"}, {3, "Wed"}, {4, "Thu"}, {5, "Fri"}, {6, "Sat"}};
const Enum kStationConnection{{0, "Disabled"}, {1, "Enabled"}, {2, "Guestmode"}};
const Enum kMembership{{0, "none"}, {1, "tag"}, {2, "untag"}};
const Enum kLowercaseDisableEnable{{0, "disable"}, {1, "enable"}};

// One object in the making, so that a row of the table reads like a row of the device's object list.
class Obj
{
public:
    Obj(std::string name, std::string oid, Syntax syntax, Access access, std::string instance)
    {
        m_def.name = std::move(name);
        m_def.oid = std::move(oid);
        m_def.syntax = syntax;
        m_def.access = access;
        m_def.instance = std::move(instance);
    }

    Obj &value(std::string text)
    {
        m_def.defaultValue = std::move(text);
        return *this;
    }

    Obj &maxLength(int length)
    {
        m_def.maxLength = length;
        return *this;
    }

    Obj &values(Enum accepted)
    {
        m_def.values = std::move(accepted);
        return *this;
    }

    Obj &range(long long low, long long high)
    {
        m_def.hasRange = true;
        m_def.minValue = low;
        m_def.maxValue = high;
        return *this;
    }

    Obj &command()
    {
        m_def.command = true;
        return *this;
    }

    Obj &grows()
    {
        m_def.grows = true;
        return *this;
    }

    Obj &secret()
    {
        m_def.secret = true;
        return *this;
    }

    Obj &clock()
    {
        m_def.clock = true;
        return *this;
    }

    operator ObjectDef() const { return m_def; }

private:
    ObjectDef m_def;
};

std::string below(std::string_view tail)
{
    return kProductRoot + "." + std::string(tail);
}

// A scalar answered at its documented OID + ".0".
Obj scalar(std::string name, std::string_view tail, Syntax syntax, Access access)
{
    return Obj(std::move(name), below(tail), syntax, access, "0");
}

// A scalar whose documented OID already ends in the instance it is answered at.
Obj instance(std::string name, std::string_view tailWithInstance, Syntax syntax, Access access)
{
    const std::size_t dot = tailWithInstance.rfind('.');
    return Obj(std::move(name), below(tailWithInstance.substr(0, dot)), syntax, access,
        std::string(tailWithInstance.substr(dot + 1)));
}

// A table column: the row index is the instance.
Obj column(std::string name, std::string_view tail, Syntax syntax, Access access)
{
    return Obj(std::move(name), below(tail), syntax, access, "");
}

// A numbered set of radio scalars, `<name>1`, `<name>2`, … at `<tail>.<n>.1` for n = first..last.
std::vector<ObjectDef> numbered(const std::string &name, std::string_view tail, int first, int last,
    Syntax syntax, Access access, const Enum &accepted, const std::string &value)
{
    std::vector<ObjectDef> objects;
    for (int n = first; n <= last; ++n) {
        objects.push_back(instance(name + std::to_string(n - first + 1),
            std::string(tail) + "." + std::to_string(n) + ".1", syntax, access)
                              .values(accepted)
                              .value(value));
    }
    return objects;
}

TableDef table(std::string name, std::string_view entryTail, std::vector<IndexKind> index,
    std::vector<std::string> indexColumns, std::vector<ObjectDef> columns)
{
    TableDef t;
    t.name = std::move(name);
    t.entryOid = below(entryTail);
    t.index = std::move(index);
    t.indexColumns = std::move(indexColumns);
    t.columns = std::move(columns);
    return t;
}

RowDef row(std::vector<std::string> index, Values values = {})
{
    return RowDef{std::move(index), std::move(values)};
}

// Makes `t` a fixed table of `rows` slots `<prefix>.1` … `<prefix>.rows`: the rows already given keep
// their values, every other slot is listed empty, and the rows are put in index order.
void fixedSlots(TableDef &t, int rows, const std::vector<std::string> &prefix = {})
{
    t.fixedRows = rows;
    for (int n = 1; n <= rows; ++n) {
        std::vector<std::string> index = prefix;
        index.push_back(std::to_string(n));
        const bool given = std::any_of(t.defaultRows.begin(), t.defaultRows.end(),
            [&](const RowDef &r) { return r.index == index; });
        if (!given) {
            t.defaultRows.push_back(row(index));
        }
    }
    std::sort(t.defaultRows.begin(), t.defaultRows.end(), [](const RowDef &a, const RowDef &b) {
        return std::stoll(a.index.back()) < std::stoll(b.index.back());
    });
}

class Builder
{
public:
    void page(std::string name) { m_pages.push_back(MibPage{std::move(name), 0}); }

    void add(std::initializer_list<ObjectDef> objects)
    {
        for (const ObjectDef &o : objects) {
            m_mib.scalars.push_back(o);
        }
        m_pages.back().objects += static_cast<int>(objects.size());
    }

    void add(const std::vector<ObjectDef> &objects)
    {
        m_mib.scalars.insert(m_mib.scalars.end(), objects.begin(), objects.end());
        m_pages.back().objects += static_cast<int>(objects.size());
    }

    void add(TableDef t)
    {
        m_pages.back().objects += static_cast<int>(std::count_if(t.columns.begin(), t.columns.end(),
            [](const ObjectDef &c) { return c.access != Access::NotAccessible; }));
        m_mib.tables.push_back(std::move(t));
    }

    MibDefinition &mib() { return m_mib; }

    std::vector<MibPage> &pages() { return m_pages; }

private:
    MibDefinition m_mib;
    std::vector<MibPage> m_pages;
};

// Device status the main window polls; the interface objects mirror the LAN settings.
void deviceStatus(Builder &b)
{
    b.page("Main window and device information");
    b.add({
        scalar("deviceInformationFirmwareVersion", "5.1.1", kText, kRO).value("1.0.12"),
        instance("ifIpAddress", "5.1.2.1.1.2.1", kIp, kRO).value("127.0.0.1"),
        instance("ifSubnetMask", "5.1.2.1.1.3.1", kIp, kRO).value("255.255.255.0"),
        instance("ifDefaultGateway", "5.1.2.1.1.4.1", kIp, kRO).value("127.0.0.1"),
        instance("ifMacAddress", "5.1.2.1.1.5.1", kMac, kRO).value("001A2B3C4D5E"),
        instance("wirelessLed2dot4G", "5.1.2.1.1.6.1", kInt, kRO)
            .values({{0, "disable"}, {1, "blinking"}})
            .value("1"),
        instance("wirelessLed5G", "5.1.2.1.1.7.1", kInt, kRO)
            .values({{0, "disable"}, {1, "blinking"}})
            .value("1"),
        instance("dataBaseChannel", "5.1.2.1.1.8.1", kInt, kRO).value("6"),
    });
}

// Commit, restart, factory default and language pack commands; all read back 0.
void commitCommands(Builder &b)
{
    b.page("Commit workflow and system settings");
    b.add({
        scalar("deviceRestart", "4.2.1", kInt, kRW)
            .values({{0, "nothing"}, {1, "reboot"}})
            .command(),
        scalar("deviceFactoryDefault", "4.2.2", kInt, kRW)
            .values({{0, "nothing"}, {1, "reset"}})
            .command(),
        scalar("deviceSettingApply", "4.2.3", kInt, kRW)
            .values({{0, "nothing"}, {1, "apply"}})
            .command(),
        scalar("deviceSettingDiscard", "4.2.4", kInt, kRW)
            .values({{0, "nothing"}, {1, "apply"}})
            .command(),
        scalar("languagePackClear", "4.2.5", kInt, kRW)
            .values({{0, "nothing"}, {1, "clear"}})
            .command(),
    });
}

// TFTP command objects shared by the firmware, configuration file and MAC ACL pages. The two commands
// read back their "Nothing" value.
void tftpCommands(Builder &b)
{
    b.page("Firmware, certificate and configuration file");
    b.add({
        scalar("tftpServerIPAddress", "4.3.2.1", kIp, kRW).value("0.0.0.0"),
        scalar("tftpRemoteFileName", "4.3.2.2", kText, kRW),
        scalar("tftpcommand", "4.3.2.4", kInt, kRW)
            .values({{2, "Get"}, {3, "Put"}, {4, "Nothing"}, {5, "putacl"}})
            .value("4")
            .command(),
        scalar("tftpUpgradeSettingCommand", "4.3.2.5", kInt, kRW)
            .values({{1, "Firmwareupdate"}, {2, "configSetting"}, {3, "Configsave"}, {4, "Reboot"},
                {6, "Nothing"}, {7, "certificateFileUpdate"}, {8, "keyFileUpdate"}, {9, "getacl"}})
            .value("6")
            .command(),
    });
}

// Home \ Wireless: radio settings, remote APs of a WDS link, site surveys and MAC clone.
void wirelessSettings(Builder &b)
{
    b.page("Wireless settings");
    b.add({
        instance("dot11Ssid", "2.1.3.3.1.1.1.1.1", kText, kRW).maxLength(32).value("KVA7310"),
        instance("dot11SsidBroadcast", "2.1.3.3.1.1.1.2.1", kInt, kRW)
            .values(kDisableEnable)
            .value("1"),
        instance("dot11Channel", "2.1.3.3.1.1.1.3.1", kInt, kRW).value("6"),
        // the 2.4 GHz channel list, whatever its name says
        instance("dot11ABandChannelList", "2.1.3.3.1.1.1.4.1", kText, kRO)
            .value("1 2 3 4 5 6 7 8 9 10 11 12 13"),
        instance("dot11Frequency", "2.1.3.3.1.1.1.10.1", kText, kRO).value("2.437"),
        instance("dot11AutoChannelScan", "2.1.3.3.1.1.1.24.1", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
        instance("dot11ApMode", "2.1.3.3.1.1.1.28.1", kInt, kRW).values(kApMode).value("1"),
        instance("dot11ChannelWidth", "2.1.3.3.1.1.1.29.1", kInt, kRW)
            .values({{1, "20MHz"}, {2, "Auto 20/40 MHz"}})
            .value("2"),
        instance("dot11Band", "2.1.3.3.1.1.1.34.1", kInt, kRW).values(kBand).value("0"),
        instance("dot11Band5GHzIndoorWdsChannelList", "2.1.3.3.1.1.1.36.1", kText, kRO)
            .value("36 40 44 48"),
        instance("dot11Band5GHzIndoorChannelList", "2.1.3.3.1.1.1.37.1", kText, kRO)
            .value("36 40 44 48 52 56 60 64 100 104 108 112 116 120 124 128 132 136 140"),
        // anything but "changed" lets the page scan
        instance("dot11ApModeStatus", "2.1.3.3.1.1.1.38.1", kText, kRO).value("unchanged"),
        instance("dot11Countrycode", "2.1.3.3.1.1.1.39.1", kText, kRO).value("US"),
        instance("dot11Application", "2.1.3.3.1.1.1.40.1", kInt, kRW)
            .values({{0, "disable"}, {1, "indoor"}, {2, "outdoor"}})
            .value("1"),
        instance("dot11Band5GHzOutdoorChannelList", "2.1.3.3.1.1.1.41.1", kText, kRO)
            .value("100 104 108 112 116 120 124 128 132 136 140"),
        instance("dot11RemoteApMacAddressAdd", "2.1.3.3.1.2.2.1.1.1", kMac, kRW),
        instance("dot11RemoteApMacAddressDeleteAll", "2.1.3.3.1.2.2.1.3.1", kInt, kRW)
            .values({{0, "nothing"}, {1, "deleteall"}})
            .command(),
        instance("dot11SiteSurveyRefresh", "2.1.3.3.1.3.1.1.1.1", kInt, kRW)
            .values(kNothingRefresh)
            .command(),
        instance("dot11WdsSiteSurveyRefresh", "2.1.3.3.1.4.1.1.1.1", kInt, kRW)
            .values(kNothingRefresh)
            .command(),
        instance("dot11MacCloneStatus", "2.1.3.3.6.1.1.1.1", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
        instance("dot11MacCloneSource", "2.1.3.3.6.1.1.2.1", kInt, kRW)
            .values({{1, "Auto"}, {2, "Manual"}})
            .value("1"),
        instance("dot11MacCloneMacAddress", "2.1.3.3.6.1.1.3.1", kMac, kRW),
        instance("dot11MacCloneAddressRefresh", "2.1.3.3.6.1.1.4.1", kInt, kRW)
            .values(kNothingRefresh)
            .command(),
    });

    // Remote APs of the WDS link, indexed by the radio's ifIndex and the entry; empty slots read
    // 000000000000. The device appends through the add object and empties the list on delete-all.
    TableDef remoteAps = table("dot11RemoteApMacAddressTable", "2.1.3.3.1.2.1.1", {kNum, kNum},
        {"", "dot11RemoteApMacAddressIndex"},
        {
            column("dot11RemoteApMacAddressIndex", "2.1.3.3.1.2.1.1.1", kInt, kIndex),
            column("dot11RemoteApMacAddressList", "2.1.3.3.1.2.1.1.2", kMac, kRW),
        });
    remoteAps.defaultRows = {row({"1", "1"}, {{"dot11RemoteApMacAddressList", "00A1B2C3D4E5"}})};
    fixedSlots(remoteAps, 8, {"1"});
    remoteAps.emptyColumn = "dot11RemoteApMacAddressList";
    b.add(remoteAps);

    // The survey and clone columns have no MIB names of their own on the device (the page knows them by
    // their captions); the names below are ours.
    TableDef survey =
        table("dot11SiteSurveyTable", "2.1.3.3.1.3.2.1", {kNum}, {"dot11SiteSurveyIndex"},
            {
                column("dot11SiteSurveyIndex", "2.1.3.3.1.3.2.1.1", kInt, kIndex),
                column("dot11SiteSurveyChannel", "2.1.3.3.1.3.2.1.3", kInt, kRO),
                column("dot11SiteSurveySignal", "2.1.3.3.1.3.2.1.4", kInt, kRO),
                column("dot11SiteSurveyBssid", "2.1.3.3.1.3.2.1.5", kMac, kRO),
                column("dot11SiteSurveySecurity", "2.1.3.3.1.3.2.1.6", kText, kRO),
                column("dot11SiteSurveySsid", "2.1.3.3.1.3.2.1.7", kText, kRO),
            });
    survey.status = true;
    survey.defaultRows = {
        row({"1"},
            {{"dot11SiteSurveyChannel", "1"}, {"dot11SiteSurveySignal", "70"},
                {"dot11SiteSurveyBssid", "0022A1B2C301"}, {"dot11SiteSurveySecurity", "WPA2-PSK"},
                {"dot11SiteSurveySsid", "Office-AP"}}),
        row({"2"},
            {{"dot11SiteSurveyChannel", "11"}, {"dot11SiteSurveySignal", "40"},
                {"dot11SiteSurveyBssid", "0022A1B2C302"}, {"dot11SiteSurveySecurity", "None"},
                {"dot11SiteSurveySsid", "Guest"}}),
    };
    b.add(survey);

    TableDef wdsSurvey =
        table("dot11WdsSiteSurveyTable", "2.1.3.3.1.4.2.1", {kNum}, {"dot11WdsSiteSurveyIndex"},
            {
                column("dot11WdsSiteSurveyIndex", "2.1.3.3.1.4.2.1.1", kInt, kIndex),
                column("dot11WdsSiteSurveyChannel", "2.1.3.3.1.4.2.1.2", kInt, kRO),
                column("dot11WdsSiteSurveySignal", "2.1.3.3.1.4.2.1.3", kInt, kRO),
                column("dot11WdsSiteSurveyBssid", "2.1.3.3.1.4.2.1.4", kMac, kRO),
                column("dot11WdsSiteSurveySecurity", "2.1.3.3.1.4.2.1.5", kText, kRO),
                column("dot11WdsSiteSurveySsid", "2.1.3.3.1.4.2.1.6", kText, kRO),
            });
    wdsSurvey.status = true;
    wdsSurvey.defaultRows = {
        row({"1"},
            {{"dot11WdsSiteSurveyChannel", "6"}, {"dot11WdsSiteSurveySignal", "55"},
                {"dot11WdsSiteSurveyBssid", "00A1B2C3D4E5"},
                {"dot11WdsSiteSurveySecurity", "WPA2-PSK"},
                {"dot11WdsSiteSurveySsid", "KVA-Bridge"}}),
        row({"2"},
            {{"dot11WdsSiteSurveyChannel", "6"}, {"dot11WdsSiteSurveySignal", "30"},
                {"dot11WdsSiteSurveyBssid", "00A1B2C3D4E6"}, {"dot11WdsSiteSurveySecurity", "None"},
                {"dot11WdsSiteSurveySsid", "Warehouse"}}),
    };
    b.add(wdsSurvey);

    TableDef clones =
        table("dot11MacCloneTable", "2.1.3.3.6.2.1", {kNum}, {"dot11MacCloneListIndex"},
            {
                column("dot11MacCloneListIndex", "2.1.3.3.6.2.1.1", kInt, kIndex),
                column("dot11MacCloneListMacAddress", "2.1.3.3.6.2.1.2", kMac, kRO),
            });
    clones.status = true;
    clones.defaultRows = {
        row({"1"}, {{"dot11MacCloneListMacAddress", "001B2C3D4E10"}}),
        row({"2"}, {{"dot11MacCloneListMacAddress", "001B2C3D4E11"}}),
    };
    b.add(clones);
}

// Home \ Wireless, security half: authentication, WEP keys, passphrase and rekeying, RADIUS.
void wirelessSecurity(Builder &b)
{
    b.page("Wireless security");
    b.add({
        instance("dot11Authentication", "2.1.3.3.2.1.1.1.1", kInt, kRW)
            .values(kAuthentication)
            .value("6"),
        instance("dot11Encryption", "2.1.3.3.2.1.1.2.1", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
        instance("dot11KeyIndex", "2.1.3.3.2.1.1.3.1", kInt, kRW).values(kKeyIndex).value("1"),
        instance("dot11PassPhrase", "2.1.3.3.2.1.1.4.1", kText, kRW)
            .maxLength(63)
            .value("kva7310-secret")
            .secret(),
        instance("dot11CipherType", "2.1.3.3.2.1.1.5.1", kInt, kRW).values(kCipher).value("2"),
        instance("dot11GroupKeyUpdateInterval", "2.1.3.3.2.1.1.6.1", kInt, kRW).value("3600"),
        instance("dot11PrimaryRadiusServer", "2.1.3.3.2.1.1.8.1", kIp, kRW).value("0.0.0.0"),
        instance("dot11PrimaryRadiusPort", "2.1.3.3.2.1.1.9.1", kInt, kRW).value("1812"),
        instance("dot11PrimaryRadiusSecret", "2.1.3.3.2.1.1.10.1", kText, kRW)
            .maxLength(64)
            .secret(),
        instance("dot11SecondaryRadiusServer", "2.1.3.3.2.1.1.11.1", kIp, kRW).value("0.0.0.0"),
        instance("dot11SecondaryRadiusPort", "2.1.3.3.2.1.1.12.1", kInt, kRW).value("1812"),
        instance("dot11SecondaryRadiusSecret", "2.1.3.3.2.1.1.13.1", kText, kRW)
            .maxLength(64)
            .secret(),
        instance("dot11PrimaryAccountingStatus", "2.1.3.3.2.1.1.14.1", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
        instance("dot11PrimaryAccountingServer", "2.1.3.3.2.1.1.15.1", kIp, kRW).value("0.0.0.0"),
        instance("dot11PrimaryAccountingServerPort", "2.1.3.3.2.1.1.16.1", kInt, kRW).value("1813"),
        instance("dot11PrimaryAccountingPassPhrase", "2.1.3.3.2.1.1.17.1", kText, kRW)
            .maxLength(64)
            .secret(),
        instance("dot11SecondaryAccountingServer", "2.1.3.3.2.1.1.19.1", kIp, kRW).value("0.0.0.0"),
        instance("dot11SecondaryAccountingServerPort", "2.1.3.3.2.1.1.20.1", kInt, kRW)
            .value("1813"),
        instance("dot11SecondaryAccountingPassPhrase", "2.1.3.3.2.1.1.21.1", kText, kRW)
            .maxLength(64)
            .secret(),
        instance("dot11NetworkAccessProtection", "2.1.3.3.2.1.1.22.1", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
        instance("dot11RadiusSource", "2.1.3.3.2.1.1.23.1", kInt, kRW)
            .values({{1, "External"}, {2, "Internal"}})
            .value("1"),
        instance("dot11RadiusKeyUpdateInterval", "2.1.3.3.2.1.1.24.1", kInt, kRW).value("3600"),
        instance("dot11AutoRekeyControl", "2.1.3.3.2.1.1.29.1", kInt, kRW)
            .values(kRekeyControl)
            .value("0"),
        instance("dot11AutoRekeyStartWeek", "2.1.3.3.2.1.1.30.1", kInt, kRW)
            .values(kWeekDay)
            .value("0"),
        instance("dot11AutoRekeyStartTime", "2.1.3.3.2.1.1.31.1", kText, kRW).value("00:00"),
        instance("dot11AutoRekeyTimeInterval", "2.1.3.3.2.1.1.32.1", kInt, kRW).value("24"),
        instance("dot11AutoRekeyPassPhrase", "2.1.3.3.2.1.1.33.1", kText, kRO).secret(),
    });

    // The four WEP keys, indexed by the radio's ifIndex and the key number. The entry method of keys 3
    // and 4 is documented as dot11KeyEntryMethod; it is the same column.
    TableDef keys = table("dot11WepKeyTable", "2.1.3.3.2.2.1", {kNum, kNum}, {"", ""},
        {
            column("dot11WepKeyEntryMethod", "2.1.3.3.2.2.1.2", kInt, kRW)
                .values({{1, "ASCII"}, {2, "HEX"}})
                .value("1"),
            column("dot11WepKey", "2.1.3.3.2.2.1.3", kText, kRW).maxLength(26).secret(),
        });
    fixedSlots(keys, 4, {"1"});
    b.add(keys);
}

// Advanced \ Multi-SSID: the switches, one row per SSID (primary first) and a RADIUS server per SSID.
void multiSsid(Builder &b)
{
    b.page("Multi-SSID");
    b.add({
        instance("dot11MssidState", "3.3.1.1.1.1", kInt, kRW).values(kDisabledEnabled).value("0"),
        instance("dot11MssidPriorityState", "3.3.1.1.2.1", kInt, kRW)
            .values(kDisabledEnabled)
            .value("0"),
    });

    // Four rows indexed by the radio's ifIndex and dot11MssidIndex (1 primary, 2 to 4 "SSID 1" to
    // "SSID 3"). An SSID is added and deleted by writing its state; the row always stays.
    TableDef ssids = table("dot11MssidTable", "3.3.3.1", {kNum, kNum}, {"", "dot11MssidIndex"},
        {
            column("dot11MssidIndex", "3.3.3.1.1", kInt, kIndex),
            column("dot11MssIndividualState", "3.3.3.1.2", kInt, kRW)
                .values(kDisabledEnabled)
                .value("0"),
            column("dot11MssidSsid", "3.3.3.1.3", kText, kRW).maxLength(32),
            column("dot11MssidSuppress", "3.3.3.1.4", kInt, kRW)
                .values(kDisabledEnabled)
                .value("1"),
            column("dot11MssidAuthentication", "3.3.3.1.5", kInt, kRW)
                .values(kAuthentication)
                .value("1"),
            column("dot11MssidEncryption", "3.3.3.1.6", kInt, kRW)
                .values(kDisabledEnabled)
                .value("0"),
            column("dot11MssidWepKeyIndex", "3.3.3.1.7", kInt, kRW)
                .values({{1, "first"}, {2, "second"}, {3, "third"}, {4, "fourth"}})
                .value("1"),
            column("dot11MssidWepKey", "3.3.3.1.8", kText, kRW).maxLength(26).secret(),
            column("dot11MssidVlanTagID", "3.3.3.1.9", kInt, kRW).value("1"),
            column("dot11MssidCipherType", "3.3.3.1.10", kInt, kRW).values(kCipher).value("1"),
            column("dot11MssidPassPhrase", "3.3.3.1.11", kText, kRW).maxLength(63).secret(),
            column("dot11MssidKeyType", "3.3.3.1.12", kInt, kRW)
                .values({{1, "ascii"}, {2, "hex"}})
                .value("1"),
            column("dot11MssidWmm", "3.3.3.1.14", kInt, kRW).values(kDisabledEnabled).value("1"),
            column("dot11MssidGroupKeyUpdateInterval", "3.3.3.1.15", kInt, kRW).value("3600"),
            column("dot11MssidPriority", "3.3.3.1.16", kInt, kRW)
                .values({{0, "0"}, {1, "1"}, {2, "2"}, {3, "3"}, {4, "4"}, {5, "5"}, {6, "6"},
                    {7, "7"}})
                .value("0"),
            column("dot11MssidAutoRekeyControl", "3.3.3.1.17", kInt, kRW)
                .values(kRekeyControl)
                .value("0"),
            column("dot11MssidAutoRekeyStartWeek", "3.3.3.1.18", kInt, kRW)
                .values(kWeekDay)
                .value("0"),
            column("dot11MssidAutoRekeyStartTime", "3.3.3.1.19", kText, kRW).value("00:00"),
            column("dot11MssidAutoRekeyTimeInterval", "3.3.3.1.20", kInt, kRW).value("24"),
            column("dot11MssidAutoRekeyPassPhrase", "3.3.3.1.21", kText, kRO).secret(),
        });
    ssids.defaultRows = {
        row({"1", "1"},
            {{"dot11MssIndividualState", "1"}, {"dot11MssidSsid", "KVA7310"},
                {"dot11MssidAuthentication", "6"}, {"dot11MssidCipherType", "2"},
                {"dot11MssidPassPhrase", "kva7310-secret"}}),
        row({"1", "2"}, {{"dot11MssidSsid", "KVA7310-1"}}),
        row({"1", "3"}, {{"dot11MssidSsid", "KVA7310-2"}}),
        row({"1", "4"}, {{"dot11MssidSsid", "KVA7310-3"}}),
    };
    ssids.fixedRows = 4;
    b.add(ssids);

    // One RADIUS server per SSID: the first index part is the SSID's dot11MssidIndex.
    TableDef radius =
        table("dot11MssidRADIUSTable", "3.3.4.1", {kNum, kNum}, {"", "dot11MssidRADIUSIndex"},
            {
                column("dot11MssidRADIUSIndex", "3.3.4.1.1", kInt, kIndex),
                column("dot11MssidRADIUSServer", "3.3.4.1.2", kIp, kRW).value("0.0.0.0"),
                column("dot11MssidRADIUSPort", "3.3.4.1.3", kInt, kRW).value("1812"),
                column("dot11MssidRADIUSSecret", "3.3.4.1.4", kText, kRW).maxLength(64).secret(),
                column("dot11MssidRadiusSource", "3.3.4.1.5", kInt, kRW)
                    .values({{1, "External"}, {2, "Internal"}})
                    .value("1"),
                column("dot11MssidRadiusKeyUpdateInterval", "3.3.4.1.6", kInt, kRW).value("3600"),
            });
    radius.defaultRows = {row({"1", "1"}), row({"2", "1"}), row({"3", "1"}), row({"4", "1"})};
    radius.fixedRows = 4;
    b.add(radius);
}

// Advanced \ Filter \ Wireless MAC ACL: the rule, the list and its add and delete objects.
void macAcl(Builder &b)
{
    b.page("Wireless MAC ACL");
    b.add({
        instance("dot11MacAccessControl", "2.1.3.3.2.3.2.1.1.1", kInt, kRW)
            .values({{1, "Accept"}, {2, "Reject"}, {3, "Disable"}})
            .value("3"),
        instance("dot11MacAccessControlMacAddressAdd", "2.1.3.3.2.3.2.1.2.1", kMac, kRW),
        instance("dot11MacAccessControlMacAddressDelete", "2.1.3.3.2.3.2.1.3.1", kMac, kRW),
        instance("dot11ZoneDefenceControl", "2.1.3.3.7.1.1.1.1", kInt, kRW)
            .values(kLowercaseDisableEnable)
            .value("0"),
    });

    // Packed list of client addresses; an empty slot reads 000000000000.
    TableDef acl = table("dot11MacAccessControlListTable", "2.1.3.3.2.3.3.1", {kNum},
        {"dot11MacAccessControlListIndex"},
        {
            column("dot11MacAccessControlListIndex", "2.1.3.3.2.3.3.1.1", kInt, kIndex),
            column("dot11MacAccessControlListMacAddress", "2.1.3.3.2.3.3.1.2", kMac, kRW),
        });
    acl.defaultRows = {
        row({"1"}, {{"dot11MacAccessControlListMacAddress", "001B2C3D4E01"}}),
        row({"2"}, {{"dot11MacAccessControlListMacAddress", "001B2C3D4E02"}}),
    };
    fixedSlots(acl, 32);
    acl.emptyColumn = "dot11MacAccessControlListMacAddress";
    b.add(acl);
}

// Advanced \ Filter \ WLAN Partition.
void wlanPartition(Builder &b)
{
    b.page("WLAN partition");
    b.add({
        instance("dot11EthernetToWlanAccess", "2.1.3.3.2.3.1.1.2.1", kInt, kRW)
            .values(kDisableEnable)
            .value("1"),
        instance("dot11InternalStationConnectionPrimarySSID", "2.1.3.3.2.3.1.1.4.1", kInt, kRW)
            .values(kStationConnection)
            .value("0"),
    });
    // SSIDs 1 to 7 at .5.1 to .11.1
    for (int n = 1; n <= 7; ++n) {
        b.add({instance("dot11InternalStationConnectionMultiSSID" + std::to_string(n),
            "2.1.3.3.2.3.1.1." + std::to_string(n + 4) + ".1", kInt, kRW)
                   .values(kStationConnection)
                   .value("0")});
    }
    b.add({
        instance("dot11LinkIntegrate", "3.2.1.1.3.1", kInt, kRW).values(kDisableEnable).value("0"),
    });
}

// Advanced \ Intrusion: the rogue AP survey, its classification objects and the marking rule.
void intrusion(Builder &b)
{
    b.page("Wireless intrusion protection");
    b.add({
        scalar("dot11RogueApSurveyRefresh", "3.4.4.1", kInt, kRW).values(kNothingRefresh).command(),
        scalar("dot11RogueApAddtoValid", "3.4.4.5", kInt, kRW).value("0"),
        scalar("dot11RogueApAddtoNeighbor", "3.4.4.6", kInt, kRW).value("0"),
        scalar("dot11RogueApAddtoRouge", "3.4.4.7", kInt, kRW).value("0"),
        scalar("dot11RogueApAddtoNew", "3.4.4.8", kInt, kRW).value("0"),
        scalar("dot11RogueApAllNewNodesAsValid", "3.4.4.9", kInt, kRW)
            .values(kDisableEnable)
            .value("1"),
        scalar("dot11RogueApUnknownAccessNodesAsRogue", "3.4.4.10", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
    });

    TableDef rogues =
        table("dot11RogueApSurveyTable", "3.4.4.4.1", {kNum}, {"dot11RogueApSurveyIndex"},
            {
                column("dot11RogueApSurveyIndex", "3.4.4.4.1.1", kInt, kIndex),
                column("dot11RogueApSurveyChannel", "3.4.4.4.1.3", kInt, kRO),
                column("dot11RogueApSurveyBssid", "3.4.4.4.1.5", kMac, kRO),
                column("dot11RogueApSurveyMode", "3.4.4.4.1.8", kInt, kRO)
                    .values({{1, "B"}, {2, "G"}, {3, "N"}, {4, "A"}})
                    .value("2"),
                column("dot11RogueApSurveySsid", "3.4.4.4.1.9", kText, kRO),
                column("dot11RogueApSurveyLastseem", "3.4.4.4.1.10", kText, kRO),
                column("dot11RogueApSurveyType", "3.4.4.4.1.11", kInt, kRO)
                    .values({{1, "new"}, {2, "valid"}, {3, "neighborhood"}, {4, "rogue"}})
                    .value("1"),
                column("dot11RogueApSurveyStatus", "3.4.4.4.1.12", kInt, kRO)
                    .values({{2, "up"}, {1, "down"}})
                    .value("2"),
            });
    rogues.status = true;
    rogues.defaultRows = {
        row({"1"},
            {{"dot11RogueApSurveyChannel", "1"}, {"dot11RogueApSurveyBssid", "0022A1B2C301"},
                {"dot11RogueApSurveyMode", "3"}, {"dot11RogueApSurveySsid", "Office-AP"},
                {"dot11RogueApSurveyLastseem", "Thu Jan  1 00:05:10 2026"},
                {"dot11RogueApSurveyType", "2"}, {"dot11RogueApSurveyStatus", "2"}}),
        row({"2"},
            {{"dot11RogueApSurveyChannel", "11"}, {"dot11RogueApSurveyBssid", "0022A1B2C302"},
                {"dot11RogueApSurveyMode", "2"}, {"dot11RogueApSurveySsid", "Guest"},
                {"dot11RogueApSurveyLastseem", "Thu Jan  1 00:05:12 2026"},
                {"dot11RogueApSurveyType", "1"}, {"dot11RogueApSurveyStatus", "2"}}),
        row({"3"},
            {{"dot11RogueApSurveyChannel", "11"}, {"dot11RogueApSurveyBssid", "0022A1B2C303"},
                {"dot11RogueApSurveyMode", "3"}, {"dot11RogueApSurveySsid", "FreeWifi"},
                {"dot11RogueApSurveyLastseem", "Thu Jan  1 00:01:47 2026"},
                {"dot11RogueApSurveyType", "4"}, {"dot11RogueApSurveyStatus", "1"}}),
    };
    b.add(rogues);
}

// Advanced \ Performance, and the user limit of Advanced \ Grouping.
void performance(Builder &b)
{
    b.page("Advanced wireless performance and grouping");
    b.add({
        instance("dot11DataRate", "2.1.3.3.1.1.1.11.1", kText, kRW).value("Auto"),
        instance("dot11WifiMode", "2.1.3.3.1.1.1.16.1", kInt, kRW)
            .values({{6, "Mixed 802.11n,802.11g and 802.11b"}, {3, "Mixed 802.11g and 802.11b"},
                {2, "802.11n Only"}, {9, "Mixed 802.11n and 802.11a"}, {7, "802.11a Only"},
                {8, "802.11n Only"}})
            .value("6"),
        instance("dot11BeaconInterval", "2.1.3.3.1.1.1.17.1", kInt, kRW).value("100"),
        instance("dot11Dtim", "2.1.3.3.1.1.1.18.1", kInt, kRW).value("1"),
        instance("dot11TransmitPower", "2.1.3.3.1.1.1.21.1", kInt, kRW)
            .values({{1, "100%"}, {2, "50%"}, {3, "25%"}, {4, "12.5%"}})
            .value("1"),
        instance("dot11RadioWave", "2.1.3.3.1.1.1.23.1", kInt, kRW)
            .values({{0, "Off"}, {1, "On"}})
            .value("1"),
        instance("dot11Wmm", "2.1.3.3.1.1.1.25.1", kInt, kRW).values(kDisableEnable).value("1"),
        instance("dot11Band2dot4GHzDataRateList", "2.1.3.3.1.1.1.30.1", kText, kRO)
            .value("Auto 54 48 36 24 18 12 9 6 11 5.5 2 1"),
        instance("dot11AckTimeout", "2.1.3.3.1.1.1.31.1", kInt, kRW).value("64"),
        instance("dot11ShortGI", "2.1.3.3.1.1.1.32.1", kInt, kRW).values(kDisableEnable).value("1"),
        instance("dot11Igmpsnooping", "2.1.3.3.1.1.1.33.1", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
        instance("dot11Band5GHzDataRateList", "2.1.3.3.1.1.1.35.1", kText, kRO)
            .value("Auto 54 48 36 24 18 12 9 6"),
        // the legacy rates up to 54, then the 802.11n rates, then "Disable"
        instance("dot11MulticastRateABandList", "2.1.3.3.1.1.1.42.1", kText, kRO)
            .value("6 9 12 18 24 36 48 54 6.5 13 19.5 26 39 52 58.5 65 Disable"),
        instance("dot11MulticastRateGBandList", "2.1.3.3.1.1.1.43.1", kText, kRO)
            .value("1 2 5.5 11 6 9 12 18 24 36 48 54 6.5 13 19.5 26 39 52 58.5 65 Disable"),
        instance("dot11MulticastRateABand", "2.1.3.3.1.1.1.44.1", kText, kRW).value("Disable"),
        instance("dot11MulticastRateGBand", "2.1.3.3.1.1.1.45.1", kText, kRW).value("Disable"),
        instance("dot11LoadBalance", "3.2.1.1.1.1", kInt, kRW).values(kDisableEnable).value("0"),
        instance("dot11UserLimit", "3.2.1.1.2.1", kInt, kRW).value("20"),
        instance("dot11UserLimitStatus", "3.2.1.1.4.1", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
    });
}

// Status \ Client Information and WDS Information: refresh objects and the tables they fill.
void clientAndWds(Builder &b)
{
    b.page("Client and WDS information");
    b.add({
        instance("dot11ClientInformationRefresh", "2.1.3.3.4.1.1.1.1", kInt, kRW)
            .values(kNothingGet)
            .command(),
        instance("dot11WdsRefresh", "2.1.3.3.5.1.1.1.1", kInt, kRW).values(kNothingGet).command(),
    });

    TableDef clients =
        table("dot11ClientInformationTable", "2.1.3.3.4.2.1", {kNum}, {"dot11ClinetIndex"},
            {
                column("dot11ClinetIndex", "2.1.3.3.4.2.1.1", kInt, kIndex),
                column("dot11ClientMacAddress", "2.1.3.3.4.2.1.2", kMac, kRO),
                column("dot11ClientBand", "2.1.3.3.4.2.1.3", kInt, kRO)
                    .values({{0, "A"}, {1, "B"}, {2, "G"}, {3, "N"}})
                    .value("3"),
                column("dot11ClientAuthentication", "2.1.3.3.4.2.1.4", kInt, kRO)
                    .values({{1, "opensystem"}, {2, "sharedkey"}, {4, "wpa-psk"}, {5, "wpa-eap"},
                        {6, "wpa2-psk"}, {7, "wpa2-eap"}, {8, "wpa2-auto-psk"},
                        {9, "wpa2-auto-eap"}, {10, "802.1x/WEP"}, {11, "WEP"}})
                    .value("1"),
                column("dot11ClientRssi", "2.1.3.3.4.2.1.5", kInt, kRO),
                column("dot11ClientPsm", "2.1.3.3.4.2.1.6", kInt, kRO),
                column("dot11SSIDIndex", "2.1.3.3.4.2.1.7", kText, kRO),
                column("dot11ClientUptime", "2.1.3.3.4.2.1.8", kTicks, kRO),
                column("dot11ActiveTime", "2.1.3.3.4.2.1.9", kTicks, kRO),
            });
    clients.status = true;
    clients.defaultRows = {
        row({"1"},
            {{"dot11ClientMacAddress", "001B2C3D4E01"}, {"dot11ClientBand", "3"},
                {"dot11ClientAuthentication", "6"}, {"dot11ClientRssi", "62"},
                {"dot11ClientPsm", "0"}, {"dot11SSIDIndex", "KVA7310"},
                {"dot11ClientUptime", "360000"}, {"dot11ActiveTime", "1200"}}),
        row({"2"},
            {{"dot11ClientMacAddress", "001B2C3D4E02"}, {"dot11ClientBand", "2"},
                {"dot11ClientAuthentication", "6"}, {"dot11ClientRssi", "48"},
                {"dot11ClientPsm", "1"}, {"dot11SSIDIndex", "KVA7310"},
                {"dot11ClientUptime", "90000"}, {"dot11ActiveTime", "500"}}),
        row({"3"},
            {{"dot11ClientMacAddress", "001B2C3D4E03"}, {"dot11ClientBand", "3"},
                {"dot11ClientAuthentication", "8"}, {"dot11ClientRssi", "35"},
                {"dot11ClientPsm", "0"}, {"dot11SSIDIndex", "KVA7310"},
                {"dot11ClientUptime", "45000"}, {"dot11ActiveTime", "3000"}}),
    };
    b.add(clients);

    // WDS links by the radio's ifIndex and the link; the authentication numbers differ from the
    // client table's. The second link is configured but not connected.
    TableDef wds = table("dot11WdsTable", "2.1.3.3.5.2.1", {kNum, kNum}, {"", "dot11WdsIndex"},
        {
            column("dot11WdsIndex", "2.1.3.3.5.2.1.1", kInt, kIndex),
            column("dot11WdsMacAddress", "2.1.3.3.5.2.1.2", kMac, kRO),
            column("dot11WdsBand", "2.1.3.3.5.2.1.3", kInt, kRO)
                .values({{0, "dot11a"}, {1, "dot11b"}, {2, "dot11g"}, {4, "dot11n"}})
                .value("4"),
            column("dot11WdsAuthentication", "2.1.3.3.5.2.1.4", kInt, kRO)
                .values({{1, "opensystem"}, {2, "sharedkey"}, {3, "wpa-eap"}, {4, "wpa-psk"},
                    {6, "wpa2-eap"}, {7, "wpa2-psk"}, {8, "wpa2-auto-eap"}, {9, "wpa2-auto-psk"},
                    {10, "802.1x/WEP"}, {11, "WEP"}})
                .value("1"),
            column("dot11WdsRssi", "2.1.3.3.5.2.1.5", kInt, kRO),
            column("dot11WdsSsidIndex", "2.1.3.3.5.2.1.7", kText, kRO),
            column("dot11WdsConnected", "2.1.3.3.5.2.1.8", kInt, kRO),
            column("dot11WdsStatus", "2.1.3.3.5.2.1.9", kText, kRO).value("off"),
            column("dot11WdsPsm", "2.1.3.3.5.2.1.10", kInt, kRO),
        });
    wds.status = true;
    wds.defaultRows = {
        row({"1", "1"},
            {{"dot11WdsMacAddress", "00A1B2C3D4E5"}, {"dot11WdsAuthentication", "7"},
                {"dot11WdsRssi", "45"}, {"dot11WdsSsidIndex", "WDS1"}, {"dot11WdsConnected", "1"},
                {"dot11WdsStatus", "on"}}),
        row({"1", "2"}, {{"dot11WdsSsidIndex", "WDS2"}}),
    };
    b.add(wds);
}

// Advanced \ Schedule: the switch, the rule command group and the rule list.
void schedule(Builder &b)
{
    b.page("Wireless schedule");
    b.add({
        scalar("dot11ScheduleStatus", "3.10.1.1.1", kInt, kRW).values(kDisableEnable).value("0"),
        scalar("dot11ScheduleRuleName", "3.10.1.2.1", kText, kRW).maxLength(32),
        scalar("dot11ScheduleDaysSelect", "3.10.1.2.2", kInt, kRW).value("0"),
        scalar("dot11ScheduleAllDaySelect", "3.10.1.2.3", kInt, kRW)
            .values(kLowercaseDisableEnable)
            .value("0"),
        scalar("dot11ScheduleRuleStartTime", "3.10.1.2.4", kText, kRW),
        scalar("dot11ScheduleRuleEndTime", "3.10.1.2.5", kText, kRW),
        scalar("dot11ScheduleAction", "3.10.1.2.7", kInt, kRW).values(kDelAdd).command(),
        scalar("dot11ScheduleSSIDIndex", "3.10.1.2.8", kInt, kRW)
            .values({{0, "Primary SSID"}, {1, "SSID1"}, {2, "SSID2"}, {3, "SSID3"}})
            .value("0"),
        scalar("dot11ScheduleNodeStatus", "3.10.1.2.9", kInt, kRW).value("0"),
    });

    // At most one rule per SSID, so four slots; an empty slot has an empty name. The days and time
    // frame columns are texts the device derives from the rule's day mask and times.
    TableDef rules =
        table("dot11ScheduleListTable", "3.10.2.1.1", {kNum}, {"dot11ScheduleListIndex"},
            {
                column("dot11ScheduleListIndex", "3.10.2.1.1.1", kInt, kIndex),
                column("dot11ScheduleListName", "3.10.2.1.1.2", kText, kRO),
                column("dot11ScheduleListDays", "3.10.2.1.1.3", kText, kRO),
                column("dot11ScheduleListTimeFrame", "3.10.2.1.1.4", kText, kRO),
                column("dot11ScheduleListWirelessStatus", "3.10.2.1.1.5", kInt, kRO)
                    .values({{0, "off"}, {1, "on"}})
                    .value("0"),
                column("dot11ScheduleListSSIDIndex", "3.10.2.1.1.6", kInt, kRO),
                column("dot11ScheduleListSSID", "3.10.2.1.1.7", kText, kRO),
                column("dot11ScheduleListNodeStatus", "3.10.2.1.1.8", kInt, kRW)
                    .values(kLowercaseDisableEnable)
                    .value("0"),
            });
    rules.defaultRows = {row({"1"},
        {{"dot11ScheduleListName", "office"}, {"dot11ScheduleListDays", "Mon Tue Wed Thu Fri"},
            {"dot11ScheduleListTimeFrame", "08:00-18:00"}, {"dot11ScheduleListWirelessStatus", "1"},
            {"dot11ScheduleListSSIDIndex", "0"}, {"dot11ScheduleListSSID", "KVA7310"},
            {"dot11ScheduleListNodeStatus", "1"}})};
    fixedSlots(rules, 4);
    rules.emptyColumn = "dot11ScheduleListName";
    b.add(rules);

    CommandGroupDef group;
    group.name = "schedule rule add/delete";
    group.table = "dot11ScheduleListTable";
    group.actionObject = "dot11ScheduleAction";
    group.fields = {{"dot11ScheduleRuleName", "dot11ScheduleListName"},
        {"dot11ScheduleSSIDIndex", "dot11ScheduleListSSIDIndex"},
        {"dot11ScheduleNodeStatus", "dot11ScheduleListNodeStatus"}};
    // a replaced rule is deleted under its new name, so the SSID alone names it
    group.keyFields = {"dot11ScheduleSSIDIndex"};
    b.mib().commandGroups.push_back(group);
}

// Advanced \ AP Array: settings, scan, members and the 33 synchronisation flags.
void apArray(Builder &b)
{
    b.page("AP array");
    b.add({
        scalar("dot11APArrayStatus", "3.11.1.1.1", kInt, kRW).values(kDisableEnable).value("1"),
        scalar("dot11APArrayModeSelect", "3.11.1.1.2", kInt, kRW)
            .values({{1, "master"}, {2, "masterbackup"}, {3, "slave"}})
            .value("1"),
        scalar("dot11ApArrayName", "3.11.1.1.3", kText, kRW).maxLength(32).value("KVA-Array"),
        scalar("dot11ApArrayPassword", "3.11.1.1.4", kText, kRW)
            .maxLength(32)
            .value("array-pass")
            .secret(),
        instance("dot11ApArrayScan", "3.11.1.2.1.1.0", kInt, kRW).values(kNothingRefresh).command(),
        instance("dot11ApArrayScanStatus", "3.11.1.2.1.2.0", kInt, kRO)
            .values(kLowercaseDisableEnable)
            .value("1"),
    });

    // The scan list columns have no MIB names on the device; the names below are ours.
    TableDef scan = table("dot11ApArrayScanListTable", "3.11.1.2.1.3.1.1", {kNum},
        {"dot11ApArrayScanListIndex"},
        {
            column("dot11ApArrayScanListIndex", "3.11.1.2.1.3.1.1.1", kInt, kIndex),
            column("dot11ApArrayScanListName", "3.11.1.2.1.3.1.1.2", kText, kRO),
            column("dot11ApArrayScanListMasterIp", "3.11.1.2.1.3.1.1.3", kIp, kRO),
            column("dot11ApArrayScanListMac", "3.11.1.2.1.3.1.1.4", kMac, kRO),
            column("dot11ApArrayScanListMasters", "3.11.1.2.1.3.1.1.5", kInt, kRO),
            column("dot11ApArrayScanListBackupMasters", "3.11.1.2.1.3.1.1.6", kInt, kRO),
            column("dot11ApArrayScanListSlaves", "3.11.1.2.1.3.1.1.7", kInt, kRO),
            column("dot11ApArrayScanListTotal", "3.11.1.2.1.3.1.1.8", kInt, kRO),
        });
    scan.status = true;
    scan.defaultRows = {row({"1"},
        {{"dot11ApArrayScanListName", "KVA-Array"}, {"dot11ApArrayScanListMasterIp", "127.0.0.1"},
            {"dot11ApArrayScanListMac", "001A2B3C4D5E"}, {"dot11ApArrayScanListMasters", "1"},
            {"dot11ApArrayScanListBackupMasters", "0"}, {"dot11ApArrayScanListSlaves", "1"},
            {"dot11ApArrayScanListTotal", "2"}})};
    b.add(scan);

    TableDef members =
        table("dot11APArrayMeberListTable", "3.11.2.1.1", {kNum}, {"dot11APArrayMeberListIndex"},
            {
                column("dot11APArrayMeberListIndex", "3.11.2.1.1.1", kInt, kIndex),
                column("dot11APArrayMeberListRole", "3.11.2.1.1.3", kInt, kRO)
                    .values({{1, "Master"}, {2, "Masterbackup"}, {3, "Slave"}})
                    .value("3"),
                column("dot11APArrayMeberListIP", "3.11.2.1.1.4", kIp, kRO),
                column("dot11APArrayMeberListMac", "3.11.2.1.1.5", kMac, kRO),
                column("dot11APArrayMeberListLoacation", "3.11.2.1.1.6", kText, kRO),
            });
    members.status = true;
    members.defaultRows = {
        row({"1"},
            {{"dot11APArrayMeberListRole", "1"}, {"dot11APArrayMeberListIP", "127.0.0.1"},
                {"dot11APArrayMeberListMac", "001A2B3C4D5E"},
                {"dot11APArrayMeberListLoacation", "Lobby"}}),
        row({"2"},
            {{"dot11APArrayMeberListRole", "3"}, {"dot11APArrayMeberListIP", "127.0.0.2"},
                {"dot11APArrayMeberListMac", "001A2B3C4D60"},
                {"dot11APArrayMeberListLoacation", "Hall"}}),
    };
    b.add(members);

    // 3.11.3.1.1.<n>.1 for n = 2 … 34, in the page's order
    const char *const syncFlags[] = {"dot11APArraySyncSSIDStatus",
        "dot11APArraySyncSsidHiddenStatus", "dot11APArraySyncAutoChannelStatus",
        "dot11APArraySyncChannelWidthStatus", "dot11APArraySyncSecurityStatus",
        "dot11APArraySyncFixedRateStatus", "dot11APArraySyncBeaconIntervalStatus",
        "dot11APArraySyncDtimStatus", "dot11APArraySyncTxPowerStatus", "dot11APArraySyncWMMStatus",
        "dot11APArraySyncAckTimeoutStatus", "dot11APArraySyncShortGIStatus",
        "dot11APArraySyncIgmpSnoopStatus", "dot11APArraySyncConnectionLimitStatus",
        "dot11APArraySyncLinkIntegrityStatus", "dot11APArraySyncMultiSsidStatus",
        "dot11APArraySyncMultiSsidHiddenStatus", "dot11APArraySyncMultiSsidSecurityStatus",
        "dot11APArraySyncMultiSsidWMMStatus", "dot11APArraySyncQOSStatus",
        "dot11APArraySyncVlanStatus", "dot11APArraySyncScheduleStatus",
        "dot11APArraySyncTimeStatus", "dot11APArraySyncLogStatus",
        "dot11APArraySyncAdminLimitStatus", "dot11APArraySyncSystemStatus",
        "dot11APArraySyncConsoleProtocolStatus", "dot11APArraySyncSnmpStatus",
        "dot11APArraySyncPingCtlStatus", "dot11APArraySyncDhcpStatus",
        "dot11APArraySyncLoginStatus", "dot11APArraySyncAclStatus", "dot11APArraySyncBandStatus"};
    int n = 2;
    for (const char *name : syncFlags) {
        // the basic wireless group (SSID to security) is kept in step
        const char *kept = n <= 6 ? "1" : "0";
        b.add({instance(name, "3.11.3.1.1." + std::to_string(n) + ".1", kInt, kRW)
                   .values(kLowercaseDisableEnable)
                   .value(kept)});
        ++n;
    }
}

// Advanced \ VLAN: switch, mode, the VLAN table, PVIDs and the per-port summary.
void vlan(Builder &b)
{
    b.page("VLAN");
    b.add({
        scalar("dot11VlanStatus", "3.6.1.1", kInt, kRW).values(kDisableEnable).value("0"),
        scalar("dot11VlanMode", "3.6.1.2", kInt, kRO)
            .values({{0, "static"}, {1, "dynamic"}})
            .value("0"),
        scalar("dot11PvidAutoAssignStatus", "3.6.2.1", kInt, kRW).values(kDisableEnable).value("0"),
    });
    b.add({
        instance("dot11PvidSettingMgmt", "3.6.2.2.1.2.1", kInt, kRW).value("1"),
        instance("dot11PvidSettingLan", "3.6.2.2.1.3.1", kInt, kRW).value("1"),
        instance("dot11PvidSettingPrimary", "3.6.2.2.1.4.1", kInt, kRW).value("1"),
    });
    b.add(numbered("dot11PvidSettingMssid", "3.6.2.2.1", 5, 11, kInt, kRW, {}, "1"));
    b.add(numbered("dot11PvidSettingWds", "3.6.2.2.1", 12, 19, kInt, kRW, {}, "1"));
    b.add({scalar("dot11PortListRefresh", "3.6.3.1", kInt, kRW).values(kNothingRefresh).command()});

    // Sixteen slots; an empty slot has VID 0 and an empty name. Writing 1 to the delete column of a row
    // removes that VLAN. Port membership is one column per port, not a bit mask.
    std::vector<ObjectDef> vlanColumns{
        column("dot11GroupVlanListIndex", "3.6.1.3.1.1", kInt, kIndex),
        column("dot11GroupVlanListVid", "3.6.1.3.1.2", kInt, kRW).value("0"),
        column("dot11GroupVlanListName", "3.6.1.3.1.3", kText, kRW),
        column("dot11GroupVlanListMgmt", "3.6.1.3.1.4", kInt, kRW).values(kMembership).value("0"),
        column("dot11GroupVlanListLan", "3.6.1.3.1.5", kInt, kRW).values(kMembership).value("0"),
        column("dot11GroupVlanListPrimary", "3.6.1.3.1.6", kInt, kRW)
            .values(kMembership)
            .value("0"),
    };
    for (int n = 1; n <= 7; ++n) {
        vlanColumns.push_back(column("dot11GroupVlanListMssid" + std::to_string(n),
            "3.6.1.3.1." + std::to_string(n + 6), kInt, kRW)
                                  .values(kMembership)
                                  .value("0"));
    }
    for (int n = 1; n <= 8; ++n) {
        vlanColumns.push_back(column("dot11GroupVlanListWds" + std::to_string(n),
            "3.6.1.3.1." + std::to_string(n + 13), kInt, kRW)
                                  .values(kMembership)
                                  .value("0"));
    }
    vlanColumns.push_back(column("dot11VlanListSurveydelete", "3.6.1.3.1.22", kInt, kRW)
                              .values({{0, "nothing"}, {1, "delete"}})
                              .value("0"));
    TableDef vlans = table(
        "dot11GroupVlanListTable", "3.6.1.3.1", {kNum}, {"dot11GroupVlanListIndex"}, vlanColumns);
    Values defaultVlan{{"dot11GroupVlanListVid", "1"}, {"dot11GroupVlanListName", "default"}};
    for (const ObjectDef &c : vlanColumns) {
        if (c.values.size() == 3) { // every port an untagged member
            defaultVlan.emplace_back(c.name, "2");
        }
    }
    vlans.defaultRows = {row({"1"}, defaultVlan)};
    fixedSlots(vlans, 16);
    vlans.emptyColumn = "dot11GroupVlanListVid";
    vlans.deleteColumn = "dot11VlanListSurveydelete";
    vlans.deleteValue = 1;
    b.add(vlans);

    // The device's summary per shown port: always these ten rows.
    TableDef ports = table("dot11PortListTable", "3.6.3.2.1", {kNum}, {"dot11PortListIndex"},
        {
            column("dot11PortListIndex", "3.6.3.2.1.1", kInt, kIndex),
            column("dot11PortListTagVid", "3.6.3.2.1.2", kText, kRO),
            column("dot11PortListUntagVid", "3.6.3.2.1.3", kText, kRO),
            column("dot11PortLisPortName", "3.6.3.2.1.4", kText, kRO),
        });
    ports.status = true;
    const char *const portNames[] = {
        "Mgmt", "LAN", "Primary", "S-1", "S-2", "S-3", "W-1", "W-2", "W-3", "W-4"};
    int index = 1;
    for (const char *name : portNames) {
        ports.defaultRows.push_back(row({std::to_string(index++)},
            {{"dot11PortListUntagVid", "1"}, {"dot11PortLisPortName", name}}));
    }
    ports.fixedRows = 10;
    b.add(ports);
}

// Advanced \ QoS: switches, classifiers and the 64-slot rule table with its delete object.
void qos(Builder &b)
{
    b.page("QoS");
    b.add({
        scalar("dot11QosStatus", "3.7.1", kInt, kRW).values(kDisableEnable).value("0"),
        scalar("dot11QosHttp", "3.7.2.1", kInt, kRW).values(kDisableEnable).value("1"),
        scalar("dot11QosAutomatic", "3.7.2.2", kInt, kRW).values(kDisableEnable).value("1"),
        scalar("dot11QosRulesDelete", "3.7.2.4", kInt, kRW).value("0"),
    });

    // An empty slot has an empty name; rules are numbered from 1 in the first rows.
    TableDef rules = table("dot11QosRulesTable", "3.7.2.5.1", {kNum}, {"dot11QosRulesIndex"},
        {
            column("dot11QosRulesIndex", "3.7.2.5.1.1", kInt, kIndex),
            column("dot11QosRulesState", "3.7.2.5.1.2", kInt, kRW)
                .values(kDisableEnable)
                .value("0"),
            column("dot11QosRulesName", "3.7.2.5.1.3", kText, kRW),
            column("dot11QosRulespriority", "3.7.2.5.1.4", kInt, kRW)
                .values({{3, "Background(BK)"}, {2, "Best Effort(BE)"}, {1, "Video(VI)"},
                    {0, "Voice(VO)"}})
                .value("3"),
            column("dot11QosRulesProtocol", "3.7.2.5.1.5", kInt, kRW).value("256"),
            column("dot11QosRulesProtocolType", "3.7.2.5.1.6", kInt, kRW)
                .values(
                    {{0, "Any"}, {1, "TCP"}, {2, "UDP"}, {3, "Both"}, {4, "ICMP"}, {5, "Other"}})
                .value("0"),
            column("dot11QosRulesHostOneIpStart", "3.7.2.5.1.7", kIp, kRW),
            column("dot11QosRulesHostOneIpEnd", "3.7.2.5.1.8", kIp, kRW),
            column("dot11QosRulesHostOneIpRange", "3.7.2.5.1.9", kInt, kRW),
            column("dot11QosRulesHostOnePortStart", "3.7.2.5.1.10", kInt, kRW),
            column("dot11QosRulesHostOnePortEnd", "3.7.2.5.1.11", kInt, kRW),
            column("dot11QosRulesHostOnePortRange", "3.7.2.5.1.12", kInt, kRW),
            column("dot11QosRulesHostTwoIpStart", "3.7.2.5.1.13", kIp, kRW),
            column("dot11QosRulesHostTwoIpEnd", "3.7.2.5.1.14", kIp, kRW),
            column("dot11QosRulesHostTwoIpRange", "3.7.2.5.1.15", kInt, kRW),
            column("dot11QosRulesHostTwoPortStart", "3.7.2.5.1.16", kInt, kRW),
            column("dot11QosRulesHostTwoPortEnd", "3.7.2.5.1.17", kInt, kRW),
            column("dot11QosRulesHostTwoPortRange", "3.7.2.5.1.18", kInt, kRW),
        });
    rules.defaultRows = {row({"1"},
        {{"dot11QosRulesState", "1"}, {"dot11QosRulesName", "voip"}, {"dot11QosRulespriority", "0"},
            {"dot11QosRulesProtocol", "17"}, {"dot11QosRulesProtocolType", "2"},
            {"dot11QosRulesHostOneIpStart", "127.0.0.20"},
            {"dot11QosRulesHostOneIpEnd", "127.0.0.29"}, {"dot11QosRulesHostOneIpRange", "10"},
            {"dot11QosRulesHostOnePortStart", "5060"}, {"dot11QosRulesHostOnePortEnd", "5061"},
            {"dot11QosRulesHostOnePortRange", "2"}})};
    fixedSlots(rules, 64);
    rules.emptyColumn = "dot11QosRulesName";
    b.add(rules);
}

// Advanced \ Traffic Control, with the traffic manager tab: interface modes, bandwidths, class
// priorities and the traffic manager's rule command group and list.
void trafficControl(Builder &b)
{
    b.page("Traffic control and traffic manager");
    b.add({
        scalar("dot11DownLinkBandWidth", "3.9.1.2.1", kInt, kRW).value("100"),
        scalar("dot11UpLinkBandWidth", "3.9.1.2.2", kInt, kRW).value("100"),
        scalar("dot11dot11QosState", "3.9.2.2.1.1", kInt, kRW).values(kDisableEnable).value("0"),
        scalar("dot11TrafficManagerStauts", "3.9.3.1.1", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
        scalar("dot11TrafficManagerUlistClient", "3.9.3.1.2", kInt, kRW)
            .values({{0, "Deny"}, {1, "Forward"}})
            .value("1"),
        scalar("dot11RuleName", "3.9.3.2.1", kText, kRW).maxLength(15),
        scalar("dot11ClientIP", "3.9.3.2.2", kIp, kRW),
        scalar("dot11ClientMac", "3.9.3.2.3", kMac, kRW),
        scalar("dot11ClientDownSpeed", "3.9.3.2.4", kInt, kRW).value("0"),
        scalar("dot11ClientUpSpeed", "3.9.3.2.5", kInt, kRW).value("0"),
        scalar("dot11RuleAction", "3.9.3.2.6", kInt, kRW)
            .values({{0, "delete"}, {1, "add"}})
            .command(),
    });

    // One mode per interface: Ethernet, the primary SSID, SSIDs 1 to 7, WDS links 1 to 8. Ethernet
    // is the uplink and the primary SSID the downlink.
    TableDef modes = table("dot11TrafficcontrolInterfaceTable", "3.9.1.1.1.1", {kNum}, {""},
        {
            column("dot11TrafficcontrolInterfaceMode", "3.9.1.1.1.1.3", kInt, kRW)
                .values({{0, "disable"}, {1, "downlink"}, {2, "uplink"}})
                .value("0"),
        });
    modes.defaultRows = {row({"1"}, {{"dot11TrafficcontrolInterfaceMode", "2"}}),
        row({"2"}, {{"dot11TrafficcontrolInterfaceMode", "1"}})};
    fixedSlots(modes, 17);
    b.add(modes);

    // Nine traffic classes; only the first eight carry a port text, the ninth ("other") serves an
    // empty one.
    TableDef classes = table("dot11QosAdvancedPriorityTable", "3.9.2.2.2.1.1", {kNum}, {""},
        {
            column("dot11QosAdvancedPriority", "3.9.2.2.2.1.1.3", kInt, kRW)
                .values({{1, "highest"}, {2, "second"}, {3, "thrid"}, {4, "low"}})
                .value("4"),
            column("dot11QosAdvancedPriorityLimit", "3.9.2.2.2.1.1.4", kInt, kRW).value("100"),
            column("dot11QosAdvancedPriorityPort", "3.9.2.2.2.1.1.5", kText, kRW),
        });
    classes.defaultRows = {
        row({"1"}, {{"dot11QosAdvancedPriority", "1"}, {"dot11QosAdvancedPriorityPort", "53-53"}}),
        row({"2"}, {{"dot11QosAdvancedPriority", "2"}, {"dot11QosAdvancedPriorityPort", "80-80"}}),
        row({"3"}, {{"dot11QosAdvancedPriority", "3"}, {"dot11QosAdvancedPriorityPort", "25-25"}}),
        row({"4"}, {{"dot11QosAdvancedPriority", "3"}, {"dot11QosAdvancedPriorityPort", "21-21"}}),
        row({"5"}, {{"dot11QosAdvancedPriorityPort", "1024-2048"}}),
        row({"6"}, {{"dot11QosAdvancedPriorityPort", "3000-3100"}}),
        row({"7"}, {{"dot11QosAdvancedPriorityPort", "5000-5100"}}),
        row({"8"}, {{"dot11QosAdvancedPriorityPort", "8000-8080"}}),
    };
    fixedSlots(classes, 9);
    b.add(classes);

    TableDef rules = table("dot11TrafficManagerRulesListTable", "3.9.3.3.1.1", {kNum},
        {"dot11TrafficManagerRulesListIndex"},
        {
            column("dot11TrafficManagerRulesListIndex", "3.9.3.3.1.1.1", kInt, kIndex),
            column("dot11RuleListName", "3.9.3.3.1.1.2", kText, kRO),
            column("dot11RuleListClientIP", "3.9.3.3.1.1.3", kIp, kRO),
            column("dot11RuleListClientMac", "3.9.3.3.1.1.4", kMac, kRO),
            column("dot11RuleListClientDownSpeed", "3.9.3.3.1.1.5", kInt, kRO),
            column("dot11RuleListClientUpSpeed", "3.9.3.3.1.1.6", kInt, kRO),
        });
    rules.defaultRows = {row({"1"},
        {{"dot11RuleListName", "camera"}, {"dot11RuleListClientIP", "127.0.0.60"},
            {"dot11RuleListClientDownSpeed", "10"}, {"dot11RuleListClientUpSpeed", "20"}})};
    b.add(rules);

    CommandGroupDef group;
    group.name = "traffic manager rule add/delete";
    group.table = "dot11TrafficManagerRulesListTable";
    group.actionObject = "dot11RuleAction";
    group.fields = {{"dot11RuleName", "dot11RuleListName"},
        {"dot11ClientIP", "dot11RuleListClientIP"}, {"dot11ClientMac", "dot11RuleListClientMac"},
        {"dot11ClientDownSpeed", "dot11RuleListClientDownSpeed"},
        {"dot11ClientUpSpeed", "dot11RuleListClientUpSpeed"}};
    group.keyFields = {"dot11RuleName"};
    b.mib().commandGroups.push_back(group);
}

// Advanced \ DHCP Server: the server, its dynamic pool, the static pool and the current leases.
void dhcpServer(Builder &b)
{
    b.page("DHCP server");
    b.add({
        scalar("dhcpServerControl", "3.1.1", kInt, kRW).values(kDisableEnable).value("0"),
        instance("dynamicIpPoolStart", "3.1.2.2.1.3.1", kIp, kRW).value("127.0.0.100"),
        instance("dynamicIpPoolEnd", "3.1.2.2.1.4.1", kIp, kRW).value("127.0.0.199"),
        instance("dynamicMask", "3.1.2.2.1.6.1", kIp, kRW).value("255.255.255.0"),
        instance("dynamicGateway", "3.1.2.2.1.7.1", kIp, kRW).value("0.0.0.0"),
        instance("dynamicWins", "3.1.2.2.1.8.1", kIp, kRW).value("0.0.0.0"),
        instance("dynamicDns", "3.1.2.2.1.9.1", kIp, kRW).value("0.0.0.0"),
        instance("dynamicDomainName", "3.1.2.2.1.10.1", kText, kRW).maxLength(30),
        instance("dynamicLeaseTime", "3.1.2.2.1.11.1", kInt, kRW).value("86400"),
        scalar("dhcpServerDomainNameStatus", "3.1.2.3", kInt, kRO)
            .values({{0, "both"}, {1, "dynamic"}, {2, "static"}})
            .value("0"),
        scalar("dhcpServerStaticControl", "3.1.3.1", kInt, kRW).values(kDisableEnable).value("0"),
        scalar("dhcpServerStaticDelete", "3.1.3.3", kInt, kRW).value("0"),
        scalar("refreshCurrentDynamicList", "3.1.4.1", kInt, kRW).values(kNothingRefresh).command(),
        scalar("refreshCurrentStaticList", "3.1.4.3", kInt, kRW).values(kNothingRefresh).command(),
    });

    // Sixteen slots; an empty slot has the address 0.0.0.0. Apart from the host name the columns are
    // known to the device by descriptor captions only; the names below are ours.
    TableDef pool = table("dhcpServerStaticTable", "3.1.3.2.1", {kNum}, {"staticIndex"},
        {
            column("staticIndex", "3.1.3.2.1.1", kInt, kIndex),
            column("staticStatus", "3.1.3.2.1.2", kInt, kRW).values(kDisableEnable).value("0"),
            column("staticHostName", "3.1.3.2.1.3", kText, kRW).maxLength(20),
            column("staticIpAddress", "3.1.3.2.1.4", kIp, kRW),
            column("staticMacAddress", "3.1.3.2.1.5", kMac, kRW),
            column("staticMask", "3.1.3.2.1.6", kIp, kRW),
            column("staticGateway", "3.1.3.2.1.7", kIp, kRW),
            column("staticDns", "3.1.3.2.1.8", kIp, kRW),
            column("staticWins", "3.1.3.2.1.9", kIp, kRW),
            column("staticDomainName", "3.1.3.2.1.10", kText, kRW).maxLength(30),
        });
    pool.defaultRows = {row({"1"},
        {{"staticStatus", "1"}, {"staticHostName", "printer"}, {"staticIpAddress", "127.0.0.50"},
            {"staticMacAddress", "001B2C3D4E20"}, {"staticMask", "255.255.255.0"}})};
    fixedSlots(pool, 16);
    pool.emptyColumn = "staticIpAddress";
    b.add(pool);

    TableDef dynamicLeases =
        table("currentDynamicTable", "3.1.4.2.1", {kNum}, {"currentDynamicIndex"},
            {
                column("currentDynamicIndex", "3.1.4.2.1.1", kInt, kIndex),
                column("currentDynamicHostName", "3.1.4.2.1.2", kText, kRW),
                column("currentDynamicMac", "3.1.4.2.1.3", kMac, kRO),
                column("currentDynamicAssignedIp", "3.1.4.2.1.4", kIp, kRO),
                column("currentDynamicLease", "3.1.4.2.1.5", kTicks, kRO),
            });
    dynamicLeases.status = true;
    dynamicLeases.defaultRows = {
        row({"1"},
            {{"currentDynamicHostName", "laptop-01"}, {"currentDynamicMac", "001B2C3D4E01"},
                {"currentDynamicAssignedIp", "127.0.0.100"}, {"currentDynamicLease", "8640000"}}),
        row({"2"},
            {{"currentDynamicHostName", "phone-02"}, {"currentDynamicMac", "001B2C3D4E02"},
                {"currentDynamicAssignedIp", "127.0.0.101"}, {"currentDynamicLease", "4320000"}}),
    };
    b.add(dynamicLeases);

    TableDef staticLeases = table("currentStaticTable", "3.1.4.4.1", {kNum}, {"currentStaticIndex"},
        {
            column("currentStaticIndex", "3.1.4.4.1.1", kInt, kIndex),
            column("currentStaticHostName", "3.1.4.4.1.2", kText, kRW),
            column("currentStaticMac", "3.1.4.4.1.3", kMac, kRO),
            column("currentStaticAssignedIp", "3.1.4.4.1.4", kIp, kRO),
        });
    staticLeases.status = true;
    staticLeases.defaultRows = {row({"1"},
        {{"currentStaticHostName", "printer"}, {"currentStaticMac", "001B2C3D4E20"},
            {"currentStaticAssignedIp", "127.0.0.50"}})};
    b.add(staticLeases);
}

// Advanced \ Web Redirection: switch, account command group and account list (up to 256).
void webRedirection(Builder &b)
{
    b.page("Web redirection");
    b.add({
        scalar("dot11WebRedirectionStatus", "3.14.1.1", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
        scalar("dot11WebRedirectionAccountName", "3.14.2.1", kText, kRW).maxLength(64),
        scalar("dot11WebRedirectionAccountPasswd", "3.14.2.2", kText, kRW).maxLength(64).secret(),
        scalar("dot11WebRedirectionAccountStatus", "3.14.2.3", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
        scalar("dot11WebRedirectionAccountAction", "3.14.2.4", kInt, kRW).values(kDelAdd).command(),
    });

    TableDef accounts = table("dot11WebRedirectionListTable", "3.14.2.5.1", {kNum},
        {"dot11WebRedirectionIndex"},
        {
            column("dot11WebRedirectionIndex", "3.14.2.5.1.1", kInt, kIndex),
            column("dot11WebRedirectionListAccountName", "3.14.2.5.1.2", kText, kRW).maxLength(64),
            column("dot11WebRedirectionListAccountPasswd", "3.14.2.5.1.3", kText, kRW)
                .maxLength(64)
                .secret(),
            column("dot11WebRedirectionListAccountStatus", "3.14.2.5.1.4", kInt, kRW)
                .values(kDisableEnable)
                .value("0"),
        });
    accounts.maxRows = 256;
    accounts.defaultRows = {row({"1"},
        {{"dot11WebRedirectionListAccountName", "guest"},
            {"dot11WebRedirectionListAccountPasswd", "guest-pass"},
            {"dot11WebRedirectionListAccountStatus", "1"}})};
    b.add(accounts);

    CommandGroupDef group;
    group.name = "web redirection account add/delete";
    group.table = "dot11WebRedirectionListTable";
    group.actionObject = "dot11WebRedirectionAccountAction";
    group.fields = {{"dot11WebRedirectionAccountName", "dot11WebRedirectionListAccountName"},
        {"dot11WebRedirectionAccountPasswd", "dot11WebRedirectionListAccountPasswd"},
        {"dot11WebRedirectionAccountStatus", "dot11WebRedirectionListAccountStatus"}};
    group.keyFields = {"dot11WebRedirectionAccountName"};
    b.mib().commandGroups.push_back(group);
}

// Advanced \ ARP Spoofing Prevention: switch, gateway command group and gateway list (up to 8).
void arpSpoofing(Builder &b)
{
    b.page("ARP spoofing prevention");
    b.add({
        scalar("dot11ARPSpoofingPreventionStatus", "3.15.1.1", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
        scalar("dot11ARPSpoofingPreventionIpAddress", "3.15.2.1", kIp, kRW),
        scalar("dot11ARPSpoofingPreventionMacAddress", "3.15.2.2", kMac, kRW),
        scalar("dot11ARPSpoofingPreventionAction", "3.15.2.3", kInt, kRW).values(kDelAdd).command(),
    });

    TableDef gateways = table("dot11ARPSpoofingPreventionListTable", "3.15.2.4.1", {kNum},
        {"dot11ARPSpoofingPreventionIndex"},
        {
            column("dot11ARPSpoofingPreventionIndex", "3.15.2.4.1.1", kInt, kIndex),
            column("dot11ARPSpoofingPreventionListIpAddress", "3.15.2.4.1.2", kIp, kRW),
            column("dot11ARPSpoofingPreventionListMacAddress", "3.15.2.4.1.3", kMac, kRW),
        });
    gateways.maxRows = 8;
    gateways.defaultRows = {row({"1"},
        {{"dot11ARPSpoofingPreventionListIpAddress", "127.0.0.254"},
            {"dot11ARPSpoofingPreventionListMacAddress", "001B2C3D4EFE"}})};
    b.add(gateways);

    CommandGroupDef group;
    group.name = "ARP gateway add/delete";
    group.table = "dot11ARPSpoofingPreventionListTable";
    group.actionObject = "dot11ARPSpoofingPreventionAction";
    group.fields = {
        {"dot11ARPSpoofingPreventionIpAddress", "dot11ARPSpoofingPreventionListIpAddress"},
        {"dot11ARPSpoofingPreventionMacAddress", "dot11ARPSpoofingPreventionListMacAddress"}};
    // one protected gateway per address; a delete names it by its address
    group.keyFields = {"dot11ARPSpoofingPreventionIpAddress"};
    b.mib().commandGroups.push_back(group);
}

// Advanced \ Internal RADIUS Server: account command group and the read-only account list.
void internalRadius(Builder &b)
{
    b.page("Internal RADIUS server");
    b.add({
        scalar("dot11LocalRadiusUserName", "3.12.1.1", kText, kRW).maxLength(64),
        scalar("dot11LocalRadiusPassword", "3.12.1.2", kText, kRW).maxLength(64).secret(),
        scalar("dot11LocalRadiusAction", "3.12.1.3", kInt, kRW)
            .values({{0, "Delete"}, {1, "Add"}})
            .command(),
        scalar("dot11LocalRadiusNodeStatus", "3.12.1.4", kInt, kRW)
            .values(kDisableEnable)
            .value("1"),
    });

    TableDef accounts =
        table("dot11LocalRadiusInfoTable", "3.12.2.1.1", {kNum}, {"dot11LocalRadiusnInfoIndex"},
            {
                column("dot11LocalRadiusnInfoIndex", "3.12.2.1.1.1", kInt, kIndex),
                column("dot11LocalRadiusnInfoName", "3.12.2.1.1.2", kText, kRO),
                column("dot11LocalRadiusInfoNodeStatus", "3.12.2.1.1.3", kInt, kRO)
                    .values(kDisableEnable)
                    .value("0"),
                column("dot11InternalRadiusInfoPasswd", "3.12.2.1.1.4", kText, kRO).secret(),
            });
    accounts.defaultRows = {row({"1"},
        {{"dot11LocalRadiusnInfoName", "staff"}, {"dot11LocalRadiusInfoNodeStatus", "1"},
            {"dot11InternalRadiusInfoPasswd", "staff-pass"}})};
    b.add(accounts);

    CommandGroupDef group;
    group.name = "internal RADIUS account add/delete";
    group.table = "dot11LocalRadiusInfoTable";
    group.actionObject = "dot11LocalRadiusAction";
    group.fields = {{"dot11LocalRadiusUserName", "dot11LocalRadiusnInfoName"},
        {"dot11LocalRadiusPassword", "dot11InternalRadiusInfoPasswd"},
        {"dot11LocalRadiusNodeStatus", "dot11LocalRadiusInfoNodeStatus"}};
    group.keyFields = {"dot11LocalRadiusUserName"};
    b.mib().commandGroups.push_back(group);
}

// Home \ LAN: how the device gets its address, and the address the simulator answers on.
void lanSettings(Builder &b)
{
    b.page("LAN settings");
    b.add({
        instance("hGetIPFrom", "2.1.1.1.1.1.1", kInt, kRW)
            .values({{1, "Static (Manual)"}, {2, "Dynamic (DHCP)"}})
            .value("1"),
        instance("hIPAddress", "2.1.1.1.1.2.1", kIp, kRW).value("127.0.0.1"),
        instance("hSubnetMask", "2.1.1.1.1.3.1", kIp, kRW).value("255.255.255.0"),
        instance("hDefaultGateway", "2.1.1.1.1.4.1", kIp, kRW).value("127.0.0.1"),
    });
}

// Tools \ Administration: login, console, limits on the administrator's VLAN and addresses, traps.
void administration(Builder &b)
{
    b.page("Administration");
    b.add({
        instance("usersName", "4.1.1.1.2.1", kText, kRW).maxLength(64).value("admin"),
        instance("usersPassword", "4.1.1.1.3.1", kText, kRW).maxLength(64).value("admin").secret(),
        instance("telnet", "4.4.1.0", kInt, kRW).values(kDisableEnable).value("0"),
        instance("ssh", "4.4.2.0", kInt, kRW).values(kDisableEnable).value("1"),
        scalar("timeout", "4.4.3", kInt, kRW)
            .values({{1, "1Min"}, {2, "3Mins"}, {3, "5Mins"}, {4, "10Mins"}, {5, "15Mins"},
                {0, "Never"}})
            .value("3"),
        scalar("managerIpAddressStatus", "4.10.1.1", kInt, kRW)
            .values({{0, "disable"}, {1, "vlanID"}, {2, "ipaddress"}, {3, "both"}})
            .value("0"),
        scalar("managerDelete", "4.10.1.3", kInt, kRW).value("0"),
        scalar("manergeVLANTag", "4.10.3", kInt, kRW).value("1"),
        instance("pingControlStatus", "4.12.1.0", kInt, kRW)
            .values({{0, "Enable"}, {1, "Disable"}})
            .value("0"),
        scalar("trapStatus", "5.7.2.1", kInt, kRW).values(kDisableEnable).value("1"),
        scalar("trapType", "5.7.2.2", kInt, kRW)
            .values({{0, "normalTrap"}, {1, "wirelessTrap"}})
            .value("0"),
    });

    // Four address ranges; an empty row holds 0.0.0.0 as start and end.
    TableDef ranges =
        table("managerIpAddressTable", "4.10.1.4.1", {kNum}, {"managerIpAddressIndex"},
            {
                column("managerIpAddressIndex", "4.10.1.4.1.1", kInt, kIndex),
                column("managerIpAddressPoolStart", "4.10.1.4.1.3", kIp, kRW),
                column("managerIpAddressPoolEnd", "4.10.1.4.1.4", kIp, kRW),
            });
    ranges.defaultRows = {row({"1"},
        {{"managerIpAddressPoolStart", "127.0.0.1"}, {"managerIpAddressPoolEnd", "127.0.0.9"}})};
    fixedSlots(ranges, 4);
    ranges.emptyColumn = "managerIpAddressPoolStart";
    b.add(ranges);
}

// Tools \ Time and Date. One object at 4.8.7 is both the clock the page shows (sntpTimeofDay) and
// the manual time it writes (setTimeManually): it is served read-write, as the write needs, and
// the device's configuration leaves it out.
void timeAndDate(Builder &b)
{
    b.page("Time and date");
    const Enum months{{1, "Jan"}, {2, "Feb"}, {3, "Mar"}, {4, "Apr"}, {5, "May"}, {6, "Jun"},
        {7, "Jul"}, {8, "Aug"}, {9, "Sep"}, {10, "Oct"}, {11, "Nov"}, {12, "Dec"}};
    const Enum weeks{{1, "1st"}, {2, "2nd"}, {3, "3rd"}, {4, "4th"}, {5, "5th"}};
    const Enum days{
        {0, "sun"}, {1, "mon"}, {2, "tue"}, {3, "wed"}, {4, "thu"}, {5, "fri"}, {6, "sat"}};
    b.add({
        scalar("sntpServerIpAddress", "4.8.1", kIp, kRW).value("0.0.0.0"),
        // 75 zones, 1 "(GMT-12:00) International Date Line West" onwards
        scalar("sntpTimeZoneIndex", "4.8.2", kInt, kRW).range(1, 75).value("14"),
        scalar("sntpDayLightSaving", "4.8.3", kInt, kRW).values(kDisableEnable).value("0"),
        scalar("sntpStatus", "4.8.5", kInt, kRW).values(kDisableEnable).value("0"),
        // the host's local time plus what the operator set (Behaviours.h)
        scalar("sntpTimeofDay", "4.8.7", kText, kRW).value("01/01/2012 00:00:00").clock(),
        scalar("sntpDstStartMonth", "4.8.8", kInt, kRW).values(months).value("3"),
        scalar("sntpDstStartWeek", "4.8.9", kInt, kRW).values(weeks).value("2"),
        scalar("sntpDstStartDayOfWeek", "4.8.10", kInt, kRW).values(days).value("0"),
        scalar("sntpDstStartCurrentTime", "4.8.11", kInt, kRW).range(0, 23).value("2"),
        scalar("sntpDstEndMonth", "4.8.12", kInt, kRW).values(months).value("11"),
        scalar("sntpDstEndWeek", "4.8.13", kInt, kRW).values(weeks).value("1"),
        scalar("sntpDstEndDayOfWeek", "4.8.14", kInt, kRW).values(days).value("0"),
        scalar("sntpDstEndCurrentTime", "4.8.15", kInt, kRW).range(0, 23).value("2"),
        scalar("sntpDayLightSavingOffset", "4.8.16", kInt, kRO)
            .values({{0, "-2:00"}, {1, "-1:30"}, {2, "-1:00"}, {3, "-0:30"}, {4, "+0:30"},
                {5, "+1:00"}, {6, "+1:30"}, {7, "+2:00"}})
            .value("5"),
    });
}

// Status \ Stats: Ethernet and WLAN counters, which move while the device runs, and their clear
// objects.
void statistics(Builder &b)
{
    b.page("Statistics");
    b.add({
        instance("dot3TransmittedPacketCount", "5.2.1.1.1.1.1.1", kInt, kRO)
            .value("120456")
            .grows(),
        instance("dot3TransmittedBytesCount", "5.2.1.1.1.1.2.1", kInt, kRO)
            .value("98234567")
            .grows(),
        instance("dot3TransmittedDroppedPacketCount", "5.2.1.1.1.1.3.1", kInt, kRO).value("12"),
        instance("dot3ReceivedPacketCount", "5.2.1.1.1.1.4.1", kInt, kRO).value("230987").grows(),
        instance("dot3ReceivedBytesCount", "5.2.1.1.1.1.5.1", kInt, kRO).value("187654321").grows(),
        instance("dot3ReceivedDroppedPacketCount", "5.2.1.1.1.1.6.1", kInt, kRO).value("3"),
        instance("dot3Clear", "5.2.1.1.1.1.16.1", kInt, kRW)
            .values({{0, "nothing"}, {1, "clear"}})
            .command(),
        instance("dot11TransmittedPacketCount", "5.2.2.1.1.1.19.1", kInt, kRO)
            .value("345678")
            .grows(),
        instance("dot11TransmittedBytesCount", "5.2.2.1.1.1.20.1", kInt, kRO)
            .value("256789012")
            .grows(),
        instance("dot11TransmittedDroppedPacketCount", "5.2.2.1.1.1.21.1", kInt, kRO).value("45"),
        instance("dot11TransmittedRetryCount", "5.2.2.1.1.1.22.1", kInt, kRO).value("1234").grows(),
        instance("dot11ReceivedPacketCount", "5.2.2.1.1.1.23.1", kInt, kRO).value("456789").grows(),
        instance("dot11ReceivedBytesCount", "5.2.2.1.1.1.24.1", kInt, kRO)
            .value("312345678")
            .grows(),
        instance("dot11ReceivedDroppedPacketCount", "5.2.2.1.1.1.25.1", kInt, kRO).value("21"),
        instance("dot11ReceivedCRCCount", "5.2.2.1.1.1.26.1", kInt, kRO).value("87"),
        instance("dot11ReceivedDecryptionErrorCount", "5.2.2.1.1.1.27.1", kInt, kRO).value("2"),
        instance("dot11ReceivedMICErrorCount", "5.2.2.1.1.1.28.1", kInt, kRO).value("0"),
        instance("dot11ReceivedPHYErrorCount", "5.2.2.1.1.1.29.1", kInt, kRO).value("15"),
        instance("dot11Clear", "5.2.2.1.1.1.30.1", kInt, kRW)
            .values({{0, "nothing"}, {1, "clear"}})
            .command(),
    });
}

// Status \ Log: fetching and clearing the device log, log levels, remote syslog and e-mail.
void logSettings(Builder &b)
{
    b.page("Log view and log settings");
    b.add({
        instance("systemLogSystemLevel", "5.4.1.0", kInt, kRW).values(kDisableEnable).value("1"),
        instance("systemLogWirelessLevel", "5.4.2.0", kInt, kRW).values(kDisableEnable).value("1"),
        instance("systemLogNoticeLevel", "5.4.3.0", kInt, kRW).values(kDisableEnable).value("1"),
        scalar("systemLogTFTPServerIPAddress", "5.4.4", kIp, kRW).value("0.0.0.0"),
        scalar("systemLogFileName", "5.4.5", kText, kRW).value("LogFile.RD"),
        scalar("systemLogGetLog", "5.4.6", kInt, kRW).values(kNothingGet).command(),
        instance("systemLogRemoteLogState", "5.4.8.0", kInt, kRW)
            .values({{0, "disabled"}, {1, "enabled"}})
            .value("0"),
        instance("systemLogServerIPAddress", "5.4.9.0", kIp, kRW).value("0.0.0.0"),
        scalar("systemLogClearLocalLog", "5.4.10", kInt, kRW)
            .values({{0, "nothing"}, {1, "clear"}})
            .command(),
        instance("smtpAccountingName", "4.9.5.0", kText, kRW).maxLength(64).value("admin"),
        instance("emailNtfStatus", "5.4.11.1.1.2.1", kInt, kRW).values(kDisableEnable).value("0"),
        instance("emailNtfFromIPAddress", "5.4.11.1.1.3.1", kText, kRW)
            .maxLength(64)
            .value("ap@example.com"),
        instance("emailNtfToIPAddress", "5.4.11.1.1.4.1", kText, kRW)
            .maxLength(64)
            .value("admin@example.com"),
        instance("emailNtfServerIPAddress", "5.4.11.1.1.5.1", kIp, kRW).value("0.0.0.0"),
        instance("emailNtfAuthentication", "5.4.11.1.1.6.1", kInt, kRW)
            .values(kDisableEnable)
            .value("0"),
        instance("emailNtfPassword", "5.4.11.1.1.7.1", kText, kRW).maxLength(12).secret(),
        instance("emailNtfOnSchedule", "5.4.11.1.1.9.1", kText, kRW).value("24"),
        instance("emailNtfPort", "5.4.11.1.1.10.1", kInt, kRW).value("25"),
        instance("emailNtfSSL", "5.4.11.1.1.11.1", kInt, kRW).values(kDisableEnable).value("0"),
        instance("emailNtfMailServerIndex", "5.4.11.1.1.12.1", kInt, kRW)
            .values({{1, "Internal"}, {2, "Gmail"}, {3, "Hotmail"}})
            .value("1"),
    });
}

// What the add, delete, refresh, reset and classify objects act on.
void actions(MibDefinition &mib)
{
    mib.addObjects = {
        {"dot11RemoteApMacAddressAdd", "dot11RemoteApMacAddressTable",
            "dot11RemoteApMacAddressList"},
        {"dot11MacAccessControlMacAddressAdd", "dot11MacAccessControlListTable",
            "dot11MacAccessControlListMacAddress"},
    };
    mib.deleteObjects = {
        {"dot11MacAccessControlMacAddressDelete", "dot11MacAccessControlListTable",
            "dot11MacAccessControlListMacAddress"},
        {"dot11QosRulesDelete", "dot11QosRulesTable", ""},
        {"dhcpServerStaticDelete", "dhcpServerStaticTable", ""},
        {"managerDelete", "managerIpAddressTable", ""},
    };
    mib.refreshTriggers = {
        {"dot11SiteSurveyRefresh", 1, {"dot11SiteSurveyTable"}},
        {"dot11WdsSiteSurveyRefresh", 1, {"dot11WdsSiteSurveyTable"}},
        {"dot11MacCloneAddressRefresh", 1, {"dot11MacCloneTable"}},
        {"dot11ClientInformationRefresh", 1, {"dot11ClientInformationTable"}},
        {"dot11WdsRefresh", 1, {"dot11WdsTable"}},
        {"dot11RogueApSurveyRefresh", 1, {"dot11RogueApSurveyTable"}},
        {"dot11ApArrayScan", 1, {"dot11ApArrayScanListTable", "dot11APArrayMeberListTable"}},
        {"dot11PortListRefresh", 1, {"dot11PortListTable"}},
        {"refreshCurrentDynamicList", 1, {"currentDynamicTable"}},
        {"refreshCurrentStaticList", 1, {"currentStaticTable"}},
    };
    mib.resetTriggers = {
        {"dot11RemoteApMacAddressDeleteAll", 1, {}, {"dot11RemoteApMacAddressTable"}, false},
        {"dot3Clear", 1,
            {"dot3TransmittedPacketCount", "dot3TransmittedBytesCount",
                "dot3TransmittedDroppedPacketCount", "dot3ReceivedPacketCount",
                "dot3ReceivedBytesCount", "dot3ReceivedDroppedPacketCount"},
            {}, false},
        {"dot11Clear", 1,
            {"dot11TransmittedPacketCount", "dot11TransmittedBytesCount",
                "dot11TransmittedDroppedPacketCount", "dot11TransmittedRetryCount",
                "dot11ReceivedPacketCount", "dot11ReceivedBytesCount",
                "dot11ReceivedDroppedPacketCount", "dot11ReceivedCRCCount",
                "dot11ReceivedDecryptionErrorCount", "dot11ReceivedMICErrorCount",
                "dot11ReceivedPHYErrorCount"},
            {}, false},
        {"systemLogClearLocalLog", 1, {}, {}, true},
    };
    mib.classifyObjects = {
        {"dot11RogueApAddtoValid", "dot11RogueApSurveyTable", "dot11RogueApSurveyType", 2},
        {"dot11RogueApAddtoNeighbor", "dot11RogueApSurveyTable", "dot11RogueApSurveyType", 3},
        {"dot11RogueApAddtoRouge", "dot11RogueApSurveyTable", "dot11RogueApSurveyType", 4},
        {"dot11RogueApAddtoNew", "dot11RogueApSurveyTable", "dot11RogueApSurveyType", 1},
    };
    mib.defaultLog = {
        "Jan  1 00:00:02 | kernel: [SYS]System started",
        "Jan  1 00:00:05 | wlan0: [WLAN]2.4GHz radio up on channel 6",
        "Jan  1 00:00:07 | httpd: [SYS]Management services started",
        "Jan  1 00:01:12 | wlan0: [WLAN]Station 00:1B:2C:3D:4E:01 associated",
        "Jan  1 00:02:40 | snmpd: [NOTICE]Configuration loaded",
    };
}

struct Built
{
    MibDefinition mib;
    std::vector<MibPage> pages;
};

Built build()
{
    Builder b;
    deviceStatus(b);
    commitCommands(b);
    tftpCommands(b);
    wirelessSettings(b);
    wirelessSecurity(b);
    multiSsid(b);
    macAcl(b);
    wlanPartition(b);
    intrusion(b);
    performance(b);
    clientAndWds(b);
    schedule(b);
    apArray(b);
    vlan(b);
    qos(b);
    trafficControl(b);
    dhcpServer(b);
    webRedirection(b);
    arpSpoofing(b);
    internalRadius(b);
    lanSettings(b);
    administration(b);
    timeAndDate(b);
    statistics(b);
    logSettings(b);
    actions(b.mib());
    return Built{std::move(b.mib()), std::move(b.pages())};
}

const Built &built()
{
    static const Built table = build();
    return table;
}

} // namespace

const MibDefinition &deviceMib()
{
    return built().mib;
}

const std::vector<MibPage> &deviceMibPages()
{
    return built().pages;
}

// Where the pages disagree, the table serves what the editing page uses:
// - dot11MssidTable: four rows indexed (ifIndex, dot11MssidIndex) as the multi-SSID page edits it;
//   the traffic control page walks dot11MssIndividualState with one key and expects up to eight rows.
// - dot11RemoteApMacAddressTable: two index parts (ifIndex, entry) as the wireless page reads it; the
//   traffic control page walks dot11RemoteApMacAddressList with one key (its eight rows are served).
// - dot11VlanStatus and managerIpAddressStatus: answered at ".0" as the VLAN and administration pages
//   read and write them; the wireless page gives them as instance ".1" objects (3.6.1.1, 4.10.1.1).
// - 4.8.7: read-only clock text (sntpTimeofDay) on one page, writable manual time (setTimeManually)
//   on the same page; served read-write.
// - dot11ApMode, dot11Authentication and the other shared enumerations carry slightly different texts
//   per page; the values agree, and the table accepts every value any page names (dot11Authentication
//   3 "opensystem-sharedkey" included).

} // namespace sim
