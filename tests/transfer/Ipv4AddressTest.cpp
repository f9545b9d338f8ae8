// IPv4 addresses as text: what the strict reading takes and refuses, and the text written back.
#include "CaseName.h"
#include "Ipv4Address.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase
{
    const char *name;
    const char *text;
    const char *read; // the address as text again, "" when refused
};

void PrintTo(const ParseCase &c, std::ostream *out)
{
    *out << c.name;
}

const ParseCase kParse[] = {
    {"Any", "0.0.0.0", "0.0.0.0"}, {"Loopback", "127.0.0.1", "127.0.0.1"},
    {"Broadcast", "255.255.255.255", "255.255.255.255"},
    {"ThreeDigitsEach", "192.168.100.254", "192.168.100.254"}, {"LeadingZero", "010.0.0.1", ""},
    {"LeadingZeroLastPart", "10.0.0.01", ""}, {"ZeroPadded", "192.168.001.001", ""},
    {"PartOf256", "10.0.0.256", ""}, {"FourDigits", "10.0.0.1000", ""},
    {"HugePart", "4294967297.0.0.1", ""}, {"TrailingDot", "10.0.0.1.", ""},
    {"LeadingDot", ".10.0.0.1", ""}, {"EmptyPart", "10..0.1", ""},
    {"LeadingBlank", " 10.0.0.1", ""}, {"TrailingBlank", "10.0.0.1 ", ""},
    {"BlankInside", "10.0. 0.1", ""}, {"TrailingNewline", "10.0.0.1\n", ""}, {"Empty", "", ""},
    {"Dots", "...", ""}, {"TooManyParts", "10.0.0.1.5", ""}, {"ThreeParts", "10.0.1", ""},
    {"OnePart", "167772161", ""}, {"Sign", "+10.0.0.1", ""}, {"Negative", "10.0.0.-1", ""},
    {"Hex", "0x0a.0.0.1", ""}, {"Name", "device.lan", ""}, {"Ipv6", "::1", ""},
    {"WithPort", "10.0.0.1:69", ""},
    {"FullwidthDigits", "\xef\xbc\x91.0.0.1", ""}, // U+FF11 is a digit to QChar, not to us
};

class Ipv4Parse : public testing::TestWithParam<ParseCase>
{ };

TEST_P(Ipv4Parse, TakesOnlyFourPlainDecimalParts)
{
    const ParseCase &c = GetParam();
    const net::Ipv4Address address = net::Ipv4Address::fromString(QString::fromUtf8(c.text));
    EXPECT_EQ(address.isNull(), *c.read == '\0');
    EXPECT_EQ(address.toString(), QString::fromLatin1(c.read));
}

INSTANTIATE_TEST_SUITE_P(Texts, Ipv4Parse, testing::ValuesIn(kParse), kvatest::caseName);

TEST(Ipv4Address, NullAnyAndValuesAreDistinct)
{
    EXPECT_TRUE(net::Ipv4Address().isNull());
    EXPECT_FALSE(net::Ipv4Address().isAny());
    EXPECT_TRUE(net::Ipv4Address::any().isAny());
    EXPECT_NE(net::Ipv4Address(), net::Ipv4Address::any()); // "not set" is not "every address"
    EXPECT_EQ(net::Ipv4Address::fromString(u"127.0.0.1"), net::Ipv4Address::localHost());
    EXPECT_EQ(net::Ipv4Address(0xc0a80a01).toString(), "192.168.10.1"); // host byte order
}

} // namespace
