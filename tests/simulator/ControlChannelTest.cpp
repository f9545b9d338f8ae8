// The control channel's commands and answers, in process.
#include "CaseName.h"
#include "SmallMib.h"
#include "agent/Options.h"
#include "control/ControlChannel.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

struct Channel : testing::Test
{
    MibStore store{simtest::smallMib()};
    Behaviours device{store};
    Faults faults;
    RequestLog log;
    int restarts = 0;
    bool quit = false;
    int tftpPort = 0;
    ControlChannel control{device, faults, log,
        {[this] { ++restarts; }, [this] { quit = true; }, [] { return 1000LL; },
            [this](int port) { tftpPort = port; }}};

    std::string lastLine(const std::string &command)
    {
        std::string answer = control.handle(command);
        answer.pop_back();
        return answer.substr(answer.rfind('\n') + 1);
    }
};

struct CommandCase
{
    const char *name;
    const char *command;
    const char *answer; // the last line
};

void PrintTo(const CommandCase &c, std::ostream *os)
{
    *os << c.name;
}

const CommandCase kCommands[] = {
    {"GetByName", "get apName", "OK ap"},
    {"GetWithInstance", "get apName.0", "OK ap"},
    {"GetByOid", "get 1.3.6.1.2.1.1.2.0", "OK 1.3.6.1.4.1.32473.7310"},
    {"GetMacIndexedCell", "get clientRssi.0.170.0.0.0.2", "OK -70"},
    {"GetUnknown", "get nothingHere", "ERROR unknown object: nothingHere"},
    {"GetMissingInstance", "get slotName.9", "ERROR no such instance: slotName.9"},
    {"SetBadValue", "set hIPAddress 300.1.1.1", "ERROR not an IP address: 300.1.1.1"},
    {"SetUnknown", "set nothingHere 1", "ERROR unknown object: nothingHere"},
    {"Garbage", "\x01\x02 garbage", "ERROR unknown command: \\x01\\x02 garbage (try help)"},
    {"Empty", "   ", "ERROR empty command"},
    {"TftpPortZero", "tftpport 0", "ERROR usage: tftpport <1-65535>"},
    {"TftpPortWord", "tftpport sixty", "ERROR usage: tftpport <1-65535>"},
    {"FaultUnknown", "fault melt", "ERROR unknown fault: melt"},
    {"FaultBadNumber", "fault drop 101", "ERROR bad number: 101"},
    {"FaultMissingNumber", "fault silent", "ERROR unknown fault: silent"},
    {"FaultUnknownObject", "fault wrongtype nothingHere", "ERROR unknown object: nothingHere"},
    {"FaultUnknownStatus", "fault seterror apName badness", "ERROR unknown error status: badness"},
    {"NothingInstalled", "installed", "OK none"},
    {"Help", "help", "OK"},
};

class Commands : public Channel, public testing::WithParamInterface<CommandCase>
{ };

TEST_P(Commands, Answer)
{
    EXPECT_EQ(lastLine(GetParam().command), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Cases, Commands, testing::ValuesIn(kCommands), kvatest::caseName);

TEST_F(Channel, SetWritesWithoutTheDevicesChecksOrActions)
{
    EXPECT_EQ(lastLine("set deviceInformationFirmwareVersion 9.9 beta"), "OK");
    EXPECT_EQ(lastLine("get deviceInformationFirmwareVersion"), "OK 9.9 beta");
    EXPECT_EQ(lastLine("set deviceSettingApply 1"), "OK");
    EXPECT_EQ(restarts, 0);
    EXPECT_EQ(lastLine("set apMac 00-aa-bb-cc-dd-ee"), "OK");
    EXPECT_EQ(lastLine("get apMac"), "OK 00AABBCCDDEE");
}

TEST_F(Channel, FaultsAreSetAndCleared)
{
    EXPECT_EQ(lastLine("fault silent 3"), "OK");
    EXPECT_EQ(faults.silentUntilMs, 4000);
    EXPECT_EQ(lastLine("fault delay 250"), "OK");
    EXPECT_EQ(lastLine("fault seterror apName genErr"), "OK");
    EXPECT_EQ(faults.setError.begin()->second, ErrorStatus::GenErr);
    EXPECT_EQ(lastLine("fault short sysDescr"), "OK");
    EXPECT_EQ(
        faults.distort(*store.resolve("sysDescr"), store.get(*store.resolve("sysDescr"))->value)
            .octets.size(),
        store.scalar("sysDescr").octets.size() / 2);
    EXPECT_EQ(lastLine("fault clear"), "OK");
    EXPECT_EQ(faults.delayMs, 0);
    EXPECT_TRUE(faults.setError.empty());
}

TEST_F(Channel, LogListsRequestsAndRestartAndQuitReachTheAgent)
{
    log.add({0, "set", "v2c", 42, {{"apName", "0", "x", true}}});
    const std::string answer = control.handle("log");
    EXPECT_EQ(answer, "1 set v2c 42 apName.0=x\nOK 1\n");
    EXPECT_EQ(lastLine("clearlog"), "OK");
    EXPECT_EQ(control.handle("log"), "OK 0\n");
    EXPECT_EQ(lastLine("restart"), "OK restarting");
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(lastLine("quit"), "OK bye");
    EXPECT_TRUE(quit);
}

TEST_F(Channel, LogPduKeepsEveryBindingWholeWhateverItsValueHolds)
{
    log.add({0, "set", "v2c", 7,
        {{"apName", "0", "Lab AP \"2\" \\ \x01\xC3\xA9", true},
            {"1.3.6.1.4.1.32473.7310.99", "", "", true}}});
    log.add({0, "getnext", "v1", 8, {{"slotName", "1", "", false}}});
    EXPECT_EQ(control.handle("logpdu"),
        "pdu 1 set v2c 7 2\n"
        "  \"apName\" \"0\" \"Lab AP \\\"2\\\" \\\\ \\x01\\xC3\\xA9\"\n"
        "  \"1.3.6.1.4.1.32473.7310.99\" \"\" \"\"\n"
        "pdu 2 getnext v1 8 1\n"
        "  \"slotName\" \"1\"\n"
        "OK 2\n");
    // the old form stays as it was: one line, bindings apart by blanks
    EXPECT_EQ(lastLine("log"), "OK 2");
}

struct OptionCase
{
    const char *name;
    std::vector<std::string> args;
    bool ok;
    int refreshMs;
    bool maskSecrets;
};

void PrintTo(const OptionCase &c, std::ostream *os)
{
    *os << c.name;
}

const OptionCase kOptions[] = {
    {"Defaults", {}, true, 100, false},
    {"RefreshAtOnce", {"--refresh-ms", "0"}, true, 0, false},
    {"LongestRefresh", {"--refresh-ms", "600000"}, true, 600000, false},
    {"RefreshTooLong", {"--refresh-ms", "600001"}, false, 0, false},
    {"NegativeRefresh", {"--refresh-ms", "-1"}, false, 0, false},
    {"RefreshNotANumber", {"--refresh-ms", "soon"}, false, 0, false},
    {"RefreshWithoutValue", {"--refresh-ms"}, false, 0, false},
    {"MaskSecretsTakesNoValue", {"--mask-secrets", "--refresh-ms", "5"}, true, 5, true},
};

class Options : public testing::TestWithParam<OptionCase>
{ };

TEST_P(Options, AreParsed)
{
    const OptionCase &c = GetParam();
    std::string error;
    const auto o = parseOptions(c.args, error);
    ASSERT_EQ(o.has_value(), c.ok) << error;
    if (o) {
        EXPECT_EQ(o->refreshMs, c.refreshMs);
        EXPECT_EQ(o->maskSecrets, c.maskSecrets);
    } else {
        EXPECT_FALSE(error.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Options, testing::ValuesIn(kOptions), kvatest::caseName);

TEST_F(Channel, TftpPortTellsTheClientWhereTheServerListens)
{
    EXPECT_EQ(lastLine("tftpport 40123"), "OK 40123");
    EXPECT_EQ(tftpPort, 40123);
}

} // namespace
