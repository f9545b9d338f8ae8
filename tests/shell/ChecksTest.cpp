// The address, mask and blank-edge checks pages use on operator input.
#include "CaseName.h"
#include "Checks.h"

#include <gtest/gtest.h>

namespace {

struct DottedCase
{
    const char *name;
    const char *text;
    bool ipAddress;
    bool subnetMask;
};

void PrintTo(const DottedCase &c, std::ostream *os)
{
    *os << c.name;
}

const DottedCase kDotted[] = {
    {"PrivateHost", "192.168.0.1", true, false},
    {"ClassCMask", "255.255.255.0", false, true},
    {"ClassBMask", "255.255.0.0", false, true},
    {"ShortestPrefix", "192.0.0.0", false, true},
    {"LongestPrefix", "255.255.255.254", false, true},
    {"ZeroFirstPart", "0.1.2.3", false, false},
    {"Multicast", "224.0.0.1", false, false},
    {"NetworkAddress", "10.0.0.0", false, false},
    {"BroadcastAddress", "10.0.0.255", false, false},
    {"AllOnes", "255.255.255.255", false, false},
    {"PrefixOfOne", "128.0.0.0", false, false},
    {"HoleInMask", "255.0.255.0", false, false},
    {"MaskBitsNotContiguous", "255.255.127.0", false, false},
    {"LastPartOne", "255.255.255.1", false, false},
    {"HighestHostClass", "223.255.255.254", true, false},
    {"TwoDots", "1.2.3", false, false},
    {"FourDots", "1.2.3.4.5", false, false},
    {"LeadingDot", ".1.2.3", false, false},
    {"TrailingDot", "1.2.3.", false, false},
    {"EmptyPart", "1..2.3", false, false},
    {"Empty", "", false, false},
    {"PartAbove255", "10.256.0.1", false, false},
    {"HugePartDoesNotOverflow", "10.99999999999999999999.0.1", false, false},
    {"LeadingZerosAreDecimal", "010.001.000.001", true, false},
    {"SignedPart", "10.+1.0.1", false, false},
    {"NegativePart", "255.255.-0.0", false, false},
    {"BlankInPart", "10. 1.0.1", false, false},
    {"TrailingBlank", "10.1.0.1 ", false, false},
    {"HexPart", "10.0x1.0.1", false, false},
    {"NonAsciiDigit", "10.\u0661.0.1", false, false}, // an Arabic-Indic one
    {"Letters", "a.b.c.d", false, false},
};

class DottedChecks : public testing::TestWithParam<DottedCase>
{ };

TEST_P(DottedChecks, AcceptOnlyWellFormedValues)
{
    const DottedCase &c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(CheckIPAddress(text), c.ipAddress) << c.text;
    EXPECT_EQ(CheckSubnetMask(text), c.subnetMask) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Cases, DottedChecks, testing::ValuesIn(kDotted), kvatest::caseName);

TEST(CheckBlankEdges, RejectsEmptyAndBlankEdgesOnly)
{
    EXPECT_TRUE(CheckBlankEdges(QStringLiteral("pass phrase")));
    EXPECT_TRUE(CheckBlankEdges(QStringLiteral("x")));
    EXPECT_FALSE(CheckBlankEdges(QString()));
    EXPECT_FALSE(CheckBlankEdges(QStringLiteral(" phrase")));
    EXPECT_FALSE(CheckBlankEdges(QStringLiteral("pass phrase ")));
    EXPECT_FALSE(CheckBlankEdges(QStringLiteral(" ")));
}

struct MacCase
{
    const char *name;
    const char *text;
    bool accepted;
};

const MacCase kMacs[] = {
    {"UpperCase", "00A0C5123456", true},
    {"LowerCase", "00a0c5123456", true},
    {"Eleven", "00A0C512345", false},
    {"Thirteen", "00A0C51234567", false},
    {"Separators", "00:A0:C5:12:34:56", false},
    {"NotHex", "00A0C512345G", false},
    {"Blank", "00A0C51234 6", false},
    {"Empty", "", false},
    {"FullWidthDigit", "00A0C512345\uFF16", false},
};

class MacChecks : public testing::TestWithParam<MacCase>
{ };

TEST_P(MacChecks, TakeTwelveHexDigitsOfEitherCase)
{
    EXPECT_EQ(CheckMacAddress(QString::fromUtf8(GetParam().text)), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Cases, MacChecks, testing::ValuesIn(kMacs), kvatest::caseName);

TEST(MacAddresses, AreComparedWithoutCaseAndKeptInUpperCase)
{
    EXPECT_TRUE(sameMac(QStringLiteral("00a0c5123456"), QStringLiteral("00A0C5123456")));
    EXPECT_FALSE(sameMac(QStringLiteral("00a0c5123456"), QStringLiteral("00A0C5123457")));
    EXPECT_EQ(normaliseMac(QStringLiteral("00a0c5abcdef")), "00A0C5ABCDEF");
}

} // namespace
