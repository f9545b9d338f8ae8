// The small device table of the model tests.
#include "SmallMib.h"

namespace simtest {

namespace {

using namespace sim;

ObjectDef obj(const std::string &name, const std::string &sub, Syntax syntax, Access access,
    const std::string &def = "", std::vector<EnumValue> values = {})
{
    ObjectDef d;
    d.name = name;
    d.oid = kProductRoot + "." + sub;
    d.syntax = syntax;
    d.access = access;
    d.defaultValue = def;
    d.values = std::move(values);
    return d;
}

MibDefinition build()
{
    const auto rw = Access::ReadWrite;
    const auto ro = Access::ReadOnly;
    MibDefinition m;
    ObjectDef name = obj("apName", "1.1", Syntax::OctetString, rw, "ap");
    name.maxLength = 8;
    m.scalars.push_back(name);
    m.scalars.push_back(
        obj("apMode", "1.2", Syntax::Integer, rw, "1", {{1, "a"}, {2, "b"}, {4, "d"}}));
    m.scalars.push_back(obj("hIPAddress", "1.3", Syntax::IpAddress, rw, "127.0.0.1"));
    m.scalars.push_back(obj("ifIpAddress", "1.6", Syntax::IpAddress, ro, "127.0.0.1"));
    m.scalars.push_back(obj("apMac", "1.4", Syntax::MacAddress, rw, "00:11:22:33:44:55"));
    ObjectDef channel = obj("apChannel", "1.5", Syntax::Integer, rw, "6");
    channel.hasRange = true;
    channel.minValue = 1;
    channel.maxValue = 13;
    m.scalars.push_back(channel);
    m.scalars.push_back(
        obj("deviceInformationFirmwareVersion", "5.1.1", Syntax::OctetString, ro, "1.0.0"));
    auto cmd = [&](const std::string &n, const std::string &sub, std::vector<EnumValue> values,
                   const std::string &def = "0") {
        ObjectDef d = obj(n, sub, Syntax::Integer, rw, def, std::move(values));
        d.command = true;
        m.scalars.push_back(d);
    };
    cmd("deviceRestart", "4.2.1", {{0, ""}, {1, ""}});
    cmd("deviceFactoryDefault", "4.2.2", {{0, ""}, {1, ""}});
    cmd("deviceSettingApply", "4.2.3", {{0, ""}, {1, ""}});
    cmd("deviceSettingDiscard", "4.2.4", {{0, ""}, {1, ""}});
    m.scalars.push_back(obj("tftpServerIPAddress", "4.3.2.1", Syntax::IpAddress, rw, "0.0.0.0"));
    m.scalars.push_back(obj("tftpRemoteFileName", "4.3.2.2", Syntax::OctetString, rw, ""));
    cmd("tftpcommand", "4.3.2.4", {{2, ""}, {3, ""}, {4, ""}, {5, ""}}, "4");
    cmd("tftpUpgradeSettingCommand", "4.3.2.5",
        {{1, ""}, {2, ""}, {3, ""}, {4, ""}, {6, ""}, {7, ""}, {8, ""}, {9, ""}}, "6");

    // fixed table of 4 slots edited through a command group
    m.scalars.push_back(obj("slotNameField", "2.1", Syntax::OctetString, rw, ""));
    m.scalars.push_back(obj("slotVlanField", "2.2", Syntax::Integer, rw, "0"));
    cmd("slotAction", "2.3", {{0, "delete"}, {1, "add"}}, "2");
    TableDef slots;
    slots.name = "slotTable";
    slots.entryOid = kProductRoot + ".2.4.1";
    slots.index = {IndexKind::Integer};
    slots.indexColumns = {"slotIndex"};
    slots.columns = {obj("slotIndex", "2.4.1.1", Syntax::Integer, ro),
        obj("slotName", "2.4.1.2", Syntax::OctetString, rw),
        obj("slotVlan", "2.4.1.3", Syntax::Integer, rw, "0")};
    slots.fixedRows = 4;
    slots.emptyColumn = "slotName";
    m.tables.push_back(slots);
    m.commandGroups.push_back({"slots", "slotTable", "slotAction", 1, 0,
        {{"slotNameField", "slotName"}, {"slotVlanField", "slotVlan"}}, {"slotNameField"}});

    // dynamic MAC list with add and delete objects
    m.scalars.push_back(obj("dot11MacAccessControlMacAddressAdd", "3.1", Syntax::MacAddress, rw));
    m.scalars.push_back(
        obj("dot11MacAccessControlMacAddressDelete", "3.2", Syntax::MacAddress, rw));
    TableDef acl;
    acl.name = "aclTable";
    acl.entryOid = kProductRoot + ".3.3.1";
    acl.index = {IndexKind::Integer};
    acl.indexColumns = {"aclIndex"};
    acl.columns = {obj("aclIndex", "3.3.1.1", Syntax::Integer, Access::NotAccessible),
        obj("dot11MacAccessControlListMacAddress", "3.3.1.2", Syntax::MacAddress, rw)};
    acl.maxRows = 3;
    m.tables.push_back(acl);
    m.addObjects.push_back(
        {"dot11MacAccessControlMacAddressAdd", "aclTable", "dot11MacAccessControlListMacAddress"});
    m.deleteObjects.push_back({"dot11MacAccessControlMacAddressDelete", "aclTable",
        "dot11MacAccessControlListMacAddress"});

    // a status table the device fills when asked
    TableDef clients;
    clients.name = "clientTable";
    clients.entryOid = kProductRoot + ".4.2.1";
    clients.index = {IndexKind::Mac};
    clients.columns = {obj("clientRssi", "4.2.1.2", Syntax::Integer, ro, "-50"),
        obj("clientBytes", "4.2.1.3", Syntax::Counter32, ro, "1000")};
    clients.columns[1].grows = true;
    clients.status = true;
    clients.defaultRows = {
        {{"00:AA:00:00:00:01"}, {}}, {{"00:AA:00:00:00:02"}, {{"clientRssi", "-70"}}}};
    m.tables.push_back(clients);
    cmd("clientRefresh", "4.1", {{0, ""}, {1, ""}});
    m.refreshTriggers.push_back({"clientRefresh", 1, {"clientTable"}});
    // the primary SSID, also row 1.1 of a two-part-indexed SSID table
    ObjectDef ssid = obj("dot11Ssid", "5.1", Syntax::OctetString, rw, "KVA7310");
    ssid.instance = "1";
    m.scalars.push_back(ssid);
    TableDef mssid;
    mssid.name = "dot11MssidTable";
    mssid.entryOid = kProductRoot + ".5.2.1";
    mssid.index = {IndexKind::Integer, IndexKind::Integer};
    mssid.columns = {obj("dot11MssidSsid", "5.2.1.3", Syntax::OctetString, rw)};
    mssid.fixedRows = 2;
    mssid.defaultRows = {{{"1", "1"}, {{"dot11MssidSsid", "KVA7310"}}}, {{"1", "2"}, {}}};
    m.tables.push_back(mssid);
    // a survey whose rows the operator classifies
    TableDef survey;
    survey.name = "surveyTable";
    survey.entryOid = kProductRoot + ".6.2.1";
    survey.index = {IndexKind::Integer};
    survey.columns = {obj("surveyType", "6.2.1.2", Syntax::Integer, ro, "0")};
    survey.status = true;
    survey.defaultRows = {{{"1"}, {}}, {{"2"}, {}}};
    m.tables.push_back(survey);
    cmd("surveyScan", "6.1", {{0, ""}, {1, ""}});
    m.scalars.push_back(obj("surveyMarkRogue", "6.3", Syntax::Integer, rw, "0"));
    m.refreshTriggers.push_back({"surveyScan", 1, {"surveyTable"}});
    m.classifyObjects.push_back({"surveyMarkRogue", "surveyTable", "surveyType", 3});
    return m;
}

} // namespace

const MibDefinition &smallMib()
{
    static const MibDefinition mib = build();
    return mib;
}

} // namespace simtest
