// The command line and the module settings file read into the agent description.
#include "CaseName.h"
#include "LaunchOptions.h"
#include "QtPrinters.h"
#include "VtSNMPDevice.h"

#include <functional>
#include <utility>
#include <vector>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using File = std::pair<const char *, const char *>; // name in the settings directory, content

struct LaunchCase
{
    const char *name;
    std::vector<const char *> args;
    std::vector<File> files;
    std::function<void(AgentDescription &)> changes; // from the defaults; unused for errors
    const char *address = "";
    const char *errorMentions = nullptr; // set: the launch must stop with a message naming this
};

void PrintTo(const LaunchCase &c, std::ostream *os)
{
    *os << c.name;
}

// A complete SNMPv1 settings file for 10.0.0.5.
constexpr char kV1Settings[] = "[Program Information]\n"
                               "AgentPort=161\nVersion=0\nContextName=\nContextEngineID=\n"
                               "SecurityModel=1\nSecurityLevel=0\nSecurityName=\n"
                               "AuthProtocol=0\nPrivProtocol=0\nAuthPassword=\nPrivPassword=\n";

const LaunchCase kLaunch[] = {
    {"TypicalV1Launch", {"/I10.0.0.5", "/Rpub", "/Wpriv", "/v0"}, {},
        [](AgentDescription &a) {
            a.Host = "10.0.0.5";
            a.ReadCommunity = "pub";
            a.WriteCommunity = "priv";
        },
        "10.0.0.5"},
    {"NoAddressKeepsLoopbackAndReadsDotCfg", {"/Rpub"},
        {{".cfg",
            "[Program Information]\nAgentPort=1161\nVersion=1\nSecurityModel=2\n"
            "SecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n"}},
        [](AgentDescription &a) {
            a.Port = 1161;
            a.Version = 1;
            a.SecurityModel = 2;
            a.ReadCommunity = "pub";
        }},
    {"AddressGivenLateUsesEmptyAddressBefore", {"/Rpub", "/I10.0.0.5"},
        {{".cfg",
             "[Program Information]\nAgentPort=1161\nVersion=1\nSecurityModel=2\n"
             "SecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n"},
            {"10.0.0.5.cfg", "[Program Information]\nAgentPort=2222\n"}}, // never read
        [](AgentDescription &a) {
            a.Host = "10.0.0.5";
            a.Port = 1161;
            a.Version = 1;
            a.SecurityModel = 2;
            a.ReadCommunity = "pub";
        },
        "10.0.0.5"},
    {"VersionSwitchOpensGate", {"/I10.0.0.5", "/v3", "/nalice"}, {},
        [](AgentDescription &a) {
            a.Host = "10.0.0.5";
            a.Version = 3;
            a.SecurityName = "alice";
        },
        "10.0.0.5"},
    {"UserBeforeVersionIsIgnored", {"/I10.0.0.5", "/nalice", "/v3"}, {},
        [](AgentDescription &a) {
            a.Host = "10.0.0.5";
            a.Version = 3;
        },
        "10.0.0.5"},
    {"SettingsVersionOpensGate", {"/I10.0.0.5", "/nalice"},
        {{"10.0.0.5.cfg",
            "[Program Information]\nAgentPort=161\nVersion=3\nSecurityModel=3\n"
            "SecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n"}},
        [](AgentDescription &a) {
            a.Host = "10.0.0.5";
            a.Version = 3;
            a.SecurityModel = 3;
            a.SecurityName = "alice";
        },
        "10.0.0.5"},
    {"FileOverridesEarlierSwitchesNotLater", {"/I10.0.0.5", "/v1", "/Rpub"},
        {{"10.0.0.5.cfg", kV1Settings}},
        [](AgentDescription &a) {
            a.Host = "10.0.0.5";
            a.ReadCommunity = "pub"; // "/v1" was undone by the file read for "/Rpub"
        },
        "10.0.0.5"},
    {"PortIgnoredWhileVersion1", {"/I10.0.0.5", "/v1", "/t1161"}, {},
        [](AgentDescription &a) {
            a.Host = "10.0.0.5";
            a.Version = 1;
        },
        "10.0.0.5"},
    {"ZeroCodesStoredAsOne", {"/v3", "/l2", "/a1", "/p1", "/l0", "/a0", "/p0"}, {},
        [](AgentDescription &a) { a.Version = 3; }},
    {"AdditiveCodesAsTyped", {"/v3", "/m3", "/l2", "/a6", "/p4", "/t1161"}, {},
        [](AgentDescription &a) {
            a.Version = 3;
            a.SecurityModel = 3;
            a.SecurityLevel = 3;
            a.AuthProtocol = 7; // SHA-512
            a.PrivProtocol = 5; // AES-256
            a.Port = 1161;
        }},
    {"ReadCommunityHoldingAddressSwitch", {"/Rab/Icd"}, {},
        [](AgentDescription &a) { a.Host = "cd"; }, "cd"},
    {"SwitchAnywhereInArgument", {"--community=/Rpub"}, {},
        [](AgentDescription &a) { a.ReadCommunity = "pub"; }},
    {"TableOrderNotPositionDecides", {"/Wwrite/Rread"}, {},
        [](AgentDescription &a) { a.ReadCommunity = "read"; }},
    {"PasswordSwitchTriedBeforeProtocol", {"/v3", "/Psecret/a2"}, {},
        [](AgentDescription &a) {
            a.Version = 3;
            a.PrivPassword = "secret/a2";
        }},
    {"SwitchesAreCaseSensitive", {"/rpub", "/wpriv", "/V3"}, {}, [](AgentDescription &) {}},
    {"EmptyValues", {"/R", "/v3", "/c", "/n"}, {},
        [](AgentDescription &a) {
            a.ReadCommunity = "";
            a.Version = 3;
        }},
    {"FullV3SettingsFile", {"/I10.0.0.5", "/Rpub"},
        {{"10.0.0.5.cfg",
            "[Program Information]\nAgentPort=1161\nVersion=3\n"
            "ContextName=ctx\nContextEngineID=0x8000\nSecurityModel=3\n"
            "SecurityLevel=2\nSecurityName=bob\nAuthProtocol=1\nPrivProtocol=1\n"
            "AuthPassword=authpass\nPrivPassword=privpass\n"}},
        [](AgentDescription &a) {
            a.Host = "10.0.0.5";
            a.Port = 1161;
            a.Version = 3;
            a.ContextName = "ctx";
            a.ContextEngineId = "0x8000";
            a.SecurityModel = 3;
            a.SecurityLevel = 3;
            a.SecurityName = "bob";
            a.AuthProtocol = 2;
            a.PrivProtocol = 2;
            a.AuthPassword = "authpass";
            a.PrivPassword = "privpass";
            a.ReadCommunity = "pub";
        },
        "10.0.0.5"},
    {"EmptyFileTextsKeepOrClearAsEachKeySays",
        {"/I10.0.0.5", "/v3", "/cctx", "/dengine", "/Apw", "/nbob"},
        {{"10.0.0.5.cfg",
            "[Program Information]\nAgentPort=161\nVersion=3\nSecurityModel=3\n"
            "SecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\nContextName=\n"
            "ContextEngineID=\nSecurityName=\nAuthPassword=\n"}},
        [](AgentDescription &a) {
            a.Host = "10.0.0.5";
            a.Version = 3;
            a.SecurityModel = 3;
            a.ContextName = "ctx";  // an empty name in the file keeps the switch's
            a.ContextEngineId = ""; // an empty engine ID in the file clears it
            a.AuthPassword = "pw";
            a.SecurityName = "bob";
        },
        "10.0.0.5"},
    {"AwkwardTextsCrlfAndAnyCase", {"/I10.0.0.5", "/v3"},
        {{"10.0.0.5.cfg",
            "; written by the platform\r\n[program INFORMATION]\r\n"
            "agentport = 1161\r\nVERSION=3\r\nsecuritymodel=3\r\nSecurityLevel=1\r\n"
            "SecurityName=dom\\user\r\nAuthProtocol=2\r\nPrivProtocol=0\r\n"
            "AuthPassword= a;b,c\\d=e \r\nPrivPassword=x\r\n"}},
        [](AgentDescription &a) {
            a.Host = "10.0.0.5";
            a.Port = 1161;
            a.Version = 3;
            a.SecurityModel = 3;
            a.SecurityLevel = 2;
            a.SecurityName = "dom\\user";
            a.AuthProtocol = 3;
            a.AuthPassword = "a;b,c\\d=e";
            a.PrivPassword = "x";
        },
        "10.0.0.5"},
    {"NonNumericVersionSwitch", {"/I10.0.0.5", "/vthree"}, {}, {}, "10.0.0.5", "\"/v\""},
    {"NonNumericPortSwitch", {"/v3", "/t16x"}, {}, {}, "", "\"/t\""},
    {"PortSwitchOutOfRange", {"/v3", "/t70000"}, {}, {}, "", "\"/t\""},
    {"LevelCodeThatWouldOverflow", {"/v3", "/l2147483647"}, {}, {}, "", "\"/l\""},
    {"MissingNumericKey", {"/I10.0.0.5", "/Rpub"},
        {{"10.0.0.5.cfg", "[Program Information]\nVersion=1\n"}}, {}, "10.0.0.5", "AgentPort"},
    {"NonNumericLevelKey", {"/I10.0.0.5", "/Rpub"},
        {{"10.0.0.5.cfg",
            "[Program Information]\nAgentPort=161\nVersion=3\nSecurityModel=3\n"
            "SecurityLevel=high\n"}},
        {}, "10.0.0.5", "SecurityLevel"},
    {"FileInOtherSectionMissesKeys", {"/I10.0.0.5", "/Rpub"},
        {{"10.0.0.5.cfg", "[Other]\nAgentPort=161\n"}}, {}, "10.0.0.5", "AgentPort"},
};

class LaunchOptionsTable : public testing::TestWithParam<LaunchCase>
{ };

TEST_P(LaunchOptionsTable, FillsTheAgentDescription)
{
    const LaunchCase &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const auto &[fileName, content] : c.files) {
        QFile file(dir.filePath(QString::fromUtf8(fileName)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QStringList args;
    for (const char *arg : c.args) {
        args << QString::fromUtf8(arg);
    }

    const LaunchOptions result = ReadLaunchOptions(args, dir.path() + u'/');

    EXPECT_EQ(result.deviceAddress, QString::fromUtf8(c.address));
    if (c.errorMentions) {
        EXPECT_EQ(result.outcome, LaunchOptions::Outcome::Error);
        EXPECT_TRUE(result.message.contains(QString::fromUtf8(c.errorMentions)))
            << result.message.toStdString();
        return;
    }
    ASSERT_EQ(result.outcome, LaunchOptions::Outcome::Run) << result.message.toStdString();
    AgentDescription expected;
    c.changes(expected);
    const AgentDescription &a = result.agent;
    EXPECT_EQ(a.Host, expected.Host);
    EXPECT_EQ(a.Port, expected.Port);
    EXPECT_EQ(a.Version, expected.Version);
    EXPECT_EQ(a.ReadCommunity, expected.ReadCommunity);
    EXPECT_EQ(a.WriteCommunity, expected.WriteCommunity);
    EXPECT_EQ(a.ContextName, expected.ContextName);
    EXPECT_EQ(a.ContextEngineId, expected.ContextEngineId);
    EXPECT_EQ(a.SecurityModel, expected.SecurityModel);
    EXPECT_EQ(a.SecurityLevel, expected.SecurityLevel);
    EXPECT_EQ(a.SecurityName, expected.SecurityName);
    EXPECT_EQ(a.AuthProtocol, expected.AuthProtocol);
    EXPECT_EQ(a.PrivProtocol, expected.PrivProtocol);
    EXPECT_EQ(a.AuthPassword, expected.AuthPassword);
    EXPECT_EQ(a.PrivPassword, expected.PrivPassword);
}

INSTANTIATE_TEST_SUITE_P(Cases, LaunchOptionsTable, testing::ValuesIn(kLaunch), kvatest::caseName);

TEST(LaunchOptions, NoArgumentsStopsWithTheModulesMessage)
{
    const LaunchOptions result = ReadLaunchOptions({}, QString());
    EXPECT_EQ(result.outcome, LaunchOptions::Outcome::NoArguments);
    EXPECT_EQ(
        result.message, QStringLiteral("This module is only used in the Wardex or HP-Openview."));
}

TEST(LaunchOptions, HelpOnlyAsTheSoleArgument)
{
    const LaunchOptions alone = ReadLaunchOptions({QStringLiteral("--help")}, QString());
    EXPECT_EQ(alone.outcome, LaunchOptions::Outcome::Help);
    EXPECT_TRUE(alone.message.contains(QStringLiteral("/I<address>")));

    const LaunchOptions among = ReadLaunchOptions(
        {QStringLiteral("/I10.0.0.5"), QStringLiteral("--help")}, QStringLiteral("/nonexistent/"));
    EXPECT_EQ(among.outcome, LaunchOptions::Outcome::Run);
}

TEST(LaunchOptions, CaptionHoldsTheRawAddressText)
{
    LaunchOptions options;
    EXPECT_EQ(options.caption(), QStringLiteral("KVA-7310 : "));
    options.deviceAddress = QStringLiteral("192.168.0.50");
    EXPECT_EQ(options.caption(), QStringLiteral("KVA-7310 : 192.168.0.50"));
}

TEST(LaunchOptions, SettingsFileNameJoinsWithOneSlash)
{
    EXPECT_EQ(ModuleSettingsFile(QStringLiteral("/etc/mbf"), QStringLiteral("10.0.0.5")),
        QStringLiteral("/etc/mbf/10.0.0.5.cfg"));
    EXPECT_EQ(ModuleSettingsFile(QStringLiteral("/etc/mbf/"), QString()),
        QStringLiteral("/etc/mbf/.cfg"));
    EXPECT_EQ(ModuleSettingsFile(QString(), QStringLiteral("a")), QStringLiteral("a.cfg"));
}

TEST(LaunchOptions, AgentDescriptionReachesTheProcessWideObjects)
{
    ResetSnmpAgentDefaults();
    EXPECT_EQ(CurrentAgentDescription(), AgentDescription());

    AgentDescription a;
    a.Host = "10.0.0.5";
    a.Port = 1161;
    a.ContextEngineId = "engine";
    a.ContextName = "context";
    a.Version = 3;
    a.ReadCommunity = "read";
    a.WriteCommunity = "write";
    a.SecurityModel = 3;
    a.SecurityLevel = 2;
    a.SecurityName = "user";
    a.AuthPassword = "auth";
    a.PrivPassword = "priv";
    a.AuthProtocol = 7;
    a.PrivProtocol = 5;
    ApplyAgentDescription(a);
    EXPECT_EQ(SnmpDevice().Host, QStringLiteral("10.0.0.5"));
    EXPECT_EQ(SnmpSecurity().ReadCommunity, QStringLiteral("read"));
    EXPECT_EQ(SnmpSecurity().WriteCommunity, QStringLiteral("write"));
    EXPECT_EQ(SnmpSecurity().AuthPassword, QStringLiteral("auth"));
    EXPECT_EQ(SnmpSecurity().PrivPassword, QStringLiteral("priv"));
    EXPECT_EQ(SnmpScope().ContextName, QStringLiteral("context"));
    EXPECT_EQ(SnmpScope().ContextEngineId, QStringLiteral("engine"));
    EXPECT_EQ(SnmpSecurity().SecurityName, QStringLiteral("user"));
    EXPECT_EQ(SnmpDevice().Port, 1161);
    EXPECT_EQ(SnmpSecurity().Version, 3);
    EXPECT_EQ(SnmpSecurity().SecurityModel, 3);
    EXPECT_EQ(SnmpSecurity().SecurityLevel, 2);
    EXPECT_EQ(SnmpSecurity().AuthProtocol, 7);
    EXPECT_EQ(SnmpSecurity().PrivProtocol, 5);
    EXPECT_EQ(CurrentAgentDescription(), a);
    ResetSnmpAgentDefaults();
}

struct BlankCase
{
    const char *name;
    const char *argument;
    const char *shown; // in the process list afterwards
};

void PrintTo(const BlankCase &c, std::ostream *os)
{
    *os << c.name;
}

const BlankCase kBlank[] = {
    {"ReadCommunity", "/Rpublic", "/R******"},
    {"WriteCommunity", "/Wprivate", "/W*******"},
    {"AuthPassword", "/Aauth-secret", "/A***********"},
    {"PrivPassword", "/Ppriv-secret", "/P***********"},
    {"SwitchInsideTheArgument", "x/Rsecret", "x/R******"},
    {"MultiByteValueKeepsItsByteLength", "/Rcaf\xc3\xa9", "/R*****"},
    {"EmptyValue", "/R", "/R"},
    // The switch that decides, as the reader decides it: only its value is a secret.
    {"FirstGroupBeforeTheGatedOne", "/Aauth/Rpub", "/Aauth/R***"},
    {"AddressDecides", "/Rx/I10.0.0.5", "/Rx/I10.0.0.5"},
    {"VersionDecides", "/v3/Apass", "/v3/Apass"},
    {"UserNameDecides", "/nuser/Apass", "/nuser/Apass"},
    {"Address", "/I10.0.0.5", "/I10.0.0.5"},
    {"Port", "/t1161", "/t1161"},
    {"NoSwitch", "plain", "plain"},
};

class SecretArguments : public testing::TestWithParam<BlankCase>
{ };

TEST_P(SecretArguments, ShowTheSwitchWithoutTheValueTheModuleTook)
{
    const BlankCase &c = GetParam();
    QByteArray program("/opt/Remote/kva7310-module"); // "/R" in the path: never touched
    QByteArray argument(c.argument);
    char *argv[] = {program.data(), argument.data(), nullptr};
    BlankSecretArguments(2, argv);
    EXPECT_STREQ(argv[0], "/opt/Remote/kva7310-module");
    EXPECT_STREQ(argv[1], c.shown);

    // What the stars cover is exactly a secret the reader took (gate open, nothing on file).
    const qsizetype at = SecretValueOffset(QByteArrayView(c.argument));
    if (at < 0) {
        EXPECT_EQ(QByteArray(c.argument), QByteArray(c.shown));
        return;
    }
    QTemporaryDir none;
    const AgentDescription a =
        ReadLaunchOptions({QStringLiteral("/v3"), QString::fromUtf8(c.argument)}, none.path())
            .agent;
    const QString hidden = QString::fromUtf8(c.argument + at);
    EXPECT_TRUE(hidden == a.ReadCommunity || hidden == a.WriteCommunity || hidden == a.AuthPassword
        || hidden == a.PrivPassword)
        << hidden.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, SecretArguments, testing::ValuesIn(kBlank), kvatest::caseName);

TEST(SecretArguments, APasswordTheGatePassesOverIsBlankedAllTheSame)
{
    QByteArray program("kva7310-module");
    QByteArray version("/v1");
    QByteArray password("/Aauth-secret");
    char *argv[] = {program.data(), version.data(), password.data(), nullptr};
    BlankSecretArguments(3, argv);
    EXPECT_STREQ(argv[1], "/v1");
    EXPECT_STREQ(argv[2], "/A***********");
}

} // namespace
