// The device's rules on the wire, against Net-SNMP's snmpset / snmpget / snmpwalk: status tables
// rebuilt from the sources a test sets, command groups refused at their action binding, the band's
// wifi modes, masked secrets, the refresh time option, and the request log as SimulatorProcess
// hands it over.
#include "PeerTools.h"
#include "SimulatorProcess.h"

#include <gtest/gtest.h>

using kvatest::LoggedPdu;
using kvatest::SimulatorProcess;
using namespace simtest;

namespace {

QString oidOf(SimulatorProcess &device, const QString &name)
{
    const auto r = device.command(QStringLiteral("oid ") + name);
    EXPECT_TRUE(r.ok) << name.toStdString();
    return r.status;
}

// "name type value" triples -> one snmpset
ToolResult snmpset(SimulatorProcess &device, const QStringList &bindings)
{
    QStringList args = v2c(device.target(), true);
    for (qsizetype i = 0; i + 2 < bindings.size(); i += 3) {
        args << oidOf(device, bindings[i]) << bindings[i + 1] << bindings[i + 2];
    }
    return runSnmpTool(QStringLiteral("snmpset"), args);
}

ToolResult snmpget(SimulatorProcess &device, const QString &name)
{
    return runSnmpTool(QStringLiteral("snmpget"), v2c(device.target()) << oidOf(device, name));
}

TEST(Sources, RowsATestSetsUpSurviveThePagesOwnRefresh)
{
    SimulatorProcess device;
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    ASSERT_TRUE(device.source(
        QStringLiteral("neighbours add 0022A1B2C3D4 ch=3 signal=61 ssid=\"Lab AP\" scans=client")));
    ASSERT_TRUE(device.set(QStringLiteral("dot11SiteSurveySsid.1"), QStringLiteral("stale")));
    const ToolResult refresh = snmpset(device,
        {QStringLiteral("dot11SiteSurveyRefresh"), QStringLiteral("i"), QStringLiteral("1")});
    ASSERT_TRUE(refresh.ok()) << refresh.err.toStdString();
    const ToolResult walk = runSnmpTool(QStringLiteral("snmpwalk"),
        v2c(device.target()) << oidOf(device, QStringLiteral("dot11SiteSurveySsid")));
    ASSERT_TRUE(walk.ok()) << walk.err.toStdString();
    EXPECT_EQ(walk.out.count(QStringLiteral("STRING")), 3) << walk.out.toStdString();
    EXPECT_TRUE(walk.out.contains(QStringLiteral(".1 = STRING: \"Office-AP\"")))
        << "the device's own scan replaces what was set there";
    EXPECT_TRUE(walk.out.contains(QStringLiteral(".3 = STRING: \"Lab AP\"")))
        << walk.out.toStdString();
    EXPECT_FALSE(
        snmpget(device, QStringLiteral("dot11WdsSiteSurveyBssid.3")).out.contains("0022A1B2C3D4"))
        << "found by the client survey only";
}

TEST(CommandGroups, ARefusedAddNamesItsActionAndWritesNothing)
{
    SimulatorProcess device;
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    const QString action = oidOf(device, QStringLiteral("dot11WebRedirectionAccountAction"));
    // "guest" is listed already
    ToolResult r = snmpset(device,
        {QStringLiteral("dot11WebRedirectionAccountName"), QStringLiteral("s"),
            QStringLiteral("guest"), QStringLiteral("dot11WebRedirectionAccountPasswd"),
            QStringLiteral("s"), QStringLiteral("other-pass"),
            QStringLiteral("dot11WebRedirectionAccountAction"), QStringLiteral("i"),
            QStringLiteral("1")});
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.err.contains(QStringLiteral("wrongValue"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("Failed object: .") + action)) << r.err.toStdString();
    EXPECT_EQ(device.get(QStringLiteral("dot11WebRedirectionAccountPasswd")), QString());
    EXPECT_EQ(device.command(QStringLiteral("walk dot11WebRedirectionListAccountName")).status,
        QStringLiteral("1"));
    // a delete of an account that is not there
    r = snmpset(device,
        {QStringLiteral("dot11WebRedirectionAccountName"), QStringLiteral("s"),
            QStringLiteral("nobody"), QStringLiteral("dot11WebRedirectionAccountAction"),
            QStringLiteral("i"), QStringLiteral("0")});
    EXPECT_TRUE(r.err.contains(QStringLiteral("wrongValue"))) << r.err.toStdString();
    EXPECT_EQ(device.get(QStringLiteral("dot11WebRedirectionAccountName")), QString());
    // a new name is added
    r = snmpset(device,
        {QStringLiteral("dot11WebRedirectionAccountName"), QStringLiteral("s"),
            QStringLiteral("visitor"), QStringLiteral("dot11WebRedirectionAccountAction"),
            QStringLiteral("i"), QStringLiteral("1")});
    EXPECT_TRUE(r.ok()) << r.err.toStdString();
    EXPECT_EQ(device.get(QStringLiteral("dot11WebRedirectionListAccountName.2")),
        QStringLiteral("visitor"));
}

TEST(WifiMode, FollowsTheBand)
{
    SimulatorProcess device;
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    ToolResult r = snmpset(
        device, {QStringLiteral("dot11WifiMode"), QStringLiteral("i"), QStringLiteral("9")});
    EXPECT_TRUE(r.err.contains(QStringLiteral("wrongValue"))) << r.err.toStdString();
    r = snmpset(device, {QStringLiteral("dot11Band"), QStringLiteral("i"), QStringLiteral("1")});
    ASSERT_TRUE(r.ok()) << r.err.toStdString();
    EXPECT_TRUE(snmpget(device, QStringLiteral("dot11WifiMode"))
                    .out.contains(QStringLiteral("INTEGER: 9")));
}

TEST(Masking, SecretsAreStarsOnTheWireAndClearOnTheControlChannel)
{
    SimulatorProcess::Options o;
    o.extraArgs = {QStringLiteral("--mask-secrets")};
    SimulatorProcess device(o);
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    EXPECT_TRUE(snmpget(device, QStringLiteral("dot11PassPhrase"))
                    .out.contains(QStringLiteral("STRING: \"**************\"")));
    ASSERT_TRUE(snmpset(device,
        {QStringLiteral("dot11PassPhrase"), QStringLiteral("s"), QStringLiteral("new secret")})
                    .ok());
    EXPECT_EQ(device.get(QStringLiteral("dot11PassPhrase")), QStringLiteral("new secret"));
    ASSERT_TRUE(device.set(QStringLiteral("dot11WepKey.1.3"), QStringLiteral("abcde")));
    EXPECT_TRUE(snmpget(device, QStringLiteral("dot11WepKey.1.3"))
                    .out.contains(QStringLiteral("STRING: \"*****\"")));
    EXPECT_TRUE(snmpget(device, QStringLiteral("dot11PassPhrase"))
                    .out.contains(QStringLiteral("STRING: \"**********\"")));
    EXPECT_TRUE(snmpget(device, QStringLiteral("dot11Ssid")).out.contains("\"KVA7310\""));
    ASSERT_TRUE(device.command(QStringLiteral("mask off")).ok);
    EXPECT_TRUE(snmpget(device, QStringLiteral("dot11PassPhrase"))
                    .out.contains(QStringLiteral("STRING: \"new secret\"")));
}

TEST(RefreshTime, ZeroAnswersTheRefreshWithTheTablesComplete)
{
    SimulatorProcess::Options o;
    o.extraArgs = {QStringLiteral("--refresh-ms"), QStringLiteral("0")};
    SimulatorProcess device(o);
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    ASSERT_TRUE(device.source(QStringLiteral("clients add 001B2C3D4E99 rssi=17")));
    ASSERT_TRUE(snmpset(device,
        {QStringLiteral("dot11ClientInformationRefresh"), QStringLiteral("i"), QStringLiteral("1")})
                    .ok());
    EXPECT_EQ(device.get(QStringLiteral("dot11ClientRssi.4")), QStringLiteral("17"));
    SimulatorProcess::Options bad;
    bad.extraArgs = {QStringLiteral("--refresh-ms"), QStringLiteral("later")};
    SimulatorProcess refused(bad);
    EXPECT_FALSE(refused.isRunning());
}

TEST(RequestLog, EveryBindingComesWholeWithItsNameInstanceAndValue)
{
    SimulatorProcess device;
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    device.clearLog();
    const QString location = QStringLiteral("rack 4,  shelf \"b\" caf\u00e9");
    ASSERT_TRUE(snmpset(device,
        {QStringLiteral("dot11Ssid"), QStringLiteral("s"), QStringLiteral("Lab AP two"),
            QStringLiteral("sysLocation"), QStringLiteral("s"), location})
                    .ok());
    ASSERT_TRUE(runSnmpTool(QStringLiteral("snmpget"),
        v2c(device.target()) << QStringLiteral("1.3.6.1.2.1.1.1.0")
                             << oidOf(device, QStringLiteral("dot11Ssid")))
                    .ok());
    runSnmpTool(QStringLiteral("snmpgetnext"),
        v2c(device.target()) << QStringLiteral("1.3.6.1.2.1.1.5.0")
                             << QStringLiteral("1.3.6.1.4.1.32473.7310.99"));

    const QList<LoggedPdu> all = device.requests();
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[0].op, QStringLiteral("set"));
    EXPECT_EQ(all[0].version, QStringLiteral("v2c"));
    EXPECT_EQ(all[0].texts(),
        (QStringList{QStringLiteral("dot11Ssid.1 = Lab AP two"),
            QStringLiteral("sysLocation.0 = ") + location}));
    EXPECT_EQ(all[0].bindings[0].name, QStringLiteral("dot11Ssid"));
    EXPECT_EQ(all[0].bindings[0].instance, QStringLiteral("1"));
    EXPECT_EQ(all[0].bindings[1].value, location);
    const QList<LoggedPdu> gets = device.requests(QStringLiteral("get"));
    ASSERT_EQ(gets.size(), 1);
    EXPECT_EQ(gets[0].texts(),
        (QStringList{QStringLiteral("sysDescr.0"), QStringLiteral("dot11Ssid.1")}));
    EXPECT_TRUE(gets[0].bindings[1].value.isEmpty());
    const QList<LoggedPdu> nexts = device.requests(QStringLiteral("getnext"));
    ASSERT_EQ(nexts.size(), 1);
    EXPECT_EQ(nexts[0].texts(),
        (QStringList{QStringLiteral("sysName.0"), QStringLiteral("1.3.6.1.4.1.32473.7310.99")}));
    EXPECT_TRUE(nexts[0].bindings[1].instance.isEmpty());
    // the old lines and counts stay
    EXPECT_EQ(device.logCount(QStringLiteral("set")), 1);
    EXPECT_EQ(device.log().size(), 3);
}

} // namespace
