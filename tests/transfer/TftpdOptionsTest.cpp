// kva7310-tftpd's command line.
#include "CaseName.h"
#include "TftpdOptions.h"

#include <gtest/gtest.h>

namespace {

struct ArgumentsCase
{
    const char *name;
    QStringList arguments;
    const char *error; // part of the message, "" when usable
    TftpdOptions expected = {};
};

// Test names and failure messages show the case's name, not its bytes.
void PrintTo(const ArgumentsCase &c, std::ostream *out)
{
    *out << c.name;
}

const ArgumentsCase kArguments[] = {
    {"RootOnly", {"--root", "/srv"}, "", {"/srv", "0.0.0.0", 69, false, false}},
    {"Everything", {"--root", "d", "--address", "127.0.0.1", "--port", "0", "--read-only"}, "",
        {"d", "127.0.0.1", 0, true, false}},
    {"HelpWinsOverMissingRoot", {"--help"}, "", {"", "0.0.0.0", 69, false, true}},
    {"RootMissing", {"--port", "69"}, "--root DIR is required"},
    {"RootEmpty", {"--root", ""}, "--root DIR is required"},
    {"RootWithoutValue", {"--root"}, "--root needs a value"},
    {"PortNotANumber", {"--root", "d", "--port", "x69"}, "--port needs a number"},
    {"PortTooLarge", {"--root", "d", "--port", "65536"}, "--port needs a number"},
    {"AddressNotIpv4", {"--root", "d", "--address", "::1"}, "--address needs an IPv4 address"},
    {"AddressGarbage", {"--root", "d", "--address", "host"}, "--address needs an IPv4 address"},
    {"UnknownArgument", {"--root", "d", "-v"}, "unknown argument \"-v\""},
    {"AllowRepeated", {"--root", "d", "--allow", "127.0.0.1", "--allow", "10.0.0.2"}, "",
        {"d", "0.0.0.0", 69, false, false,
            {net::Ipv4Address(0x7f000001), net::Ipv4Address(0x0a000002)}}},
    {"AllowNotIpv4", {"--root", "d", "--allow", "device.lan"}, "--allow needs an IPv4 address"},
    // strictly dotted: what a device's or another program's reading could take for another address
    {"AddressShortForm", {"--root", "d", "--address", "127.1"}, "--address needs an IPv4 address"},
    {"AllowLeadingZeros", {"--root", "d", "--allow", "010.0.0.2"}, "--allow needs an IPv4 address"},
    {"AllowWithBlank", {"--root", "d", "--allow", "10.0.0.2 "}, "--allow needs an IPv4 address"},
    {"AllowWithoutValue", {"--root", "d", "--allow"}, "--allow needs a value"},
};

class TftpdArgumentsCase : public testing::TestWithParam<ArgumentsCase>
{ };

TEST_P(TftpdArgumentsCase, ParsesOrExplains)
{
    const ArgumentsCase &c = GetParam();
    const TftpdArguments parsed = parseTftpdArguments(c.arguments);
    if (*c.error != '\0') {
        EXPECT_TRUE(parsed.error.contains(QString::fromLatin1(c.error)))
            << parsed.error.toStdString();
        return;
    }
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.root, c.expected.root);
    EXPECT_EQ(parsed.options.address, c.expected.address);
    EXPECT_EQ(parsed.options.port, c.expected.port);
    EXPECT_EQ(parsed.options.readOnly, c.expected.readOnly);
    EXPECT_EQ(parsed.options.help, c.expected.help);
    EXPECT_EQ(parsed.options.allowed, c.expected.allowed);
}

TEST(TftpdUsage, DocumentsEveryOption)
{
    for (const char *option : {"--root", "--address", "--port", "--allow", "--read-only"}) {
        EXPECT_TRUE(tftpdUsage().contains(QLatin1String(option))) << option;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TftpdArgumentsCase, testing::ValuesIn(kArguments), kvatest::caseName);

} // namespace
