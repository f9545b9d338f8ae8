// The DHCP server page's rules: numbers and names as the checks read them, and the pool's count
// turned into its last address and back.
#include "CaseName.h"
#include "QtPrinters.h"
#include "TFM_DHCPRules.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace {

struct NumberCase
{
    const char *name;
    const char *text;
    bool poolCount; // a count the pool may have
    bool lease;     // a lease the pool may hand out
};

void PrintTo(const NumberCase &c, std::ostream *out)
{
    *out << c.name;
}

const NumberCase kNumbers[] = {
    {"SmallCount", "50", true, false},
    {"LowestLease", "60", true, true},
    {"HighestLease", "31536000", false, true},
    {"LeaseTooLong", "31536001", false, false},
    {"LeadingBlank", " 60", false, false},
    {"Signed", "+60", false, false},
    {"FullwidthDigits", "\xEF\xBC\x96\xEF\xBC\x90", false, false}, // "６０"
    {"TooManyDigits", "99999999999999999999999", false, false},
    {"Empty", "", false, false},
};

class DhcpNumberRule : public testing::TestWithParam<NumberCase>
{ };

TEST_P(DhcpNumberRule, ReadsOnlyDecimalAsciiNumbers)
{
    const NumberCase &c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(dhcp::poolCountInRange(text), c.poolCount);
    EXPECT_EQ(dhcp::leaseInRange(text), c.lease);
}

INSTANTIATE_TEST_SUITE_P(Cases, DhcpNumberRule, testing::ValuesIn(kNumbers), kvatest::caseName);

struct NameCase
{
    const char *name;
    const char *text;
    bool valid;
};

void PrintTo(const NameCase &c, std::ostream *out)
{
    *out << c.name;
}

const NameCase kNames[] = {
    {"Domain", "lab.example", true}, {"EveryMark", "a_b-c@d.e", true}, {"Empty", "", true},
    {"Blank", "lab example", false}, {"Slash", "host/1", false},
    {"NonAsciiLetter", "caf\xC3\xA9", false},
    {"NonAsciiDigit", "host\xD9\xA3", false}, // Arabic-Indic three
};

class DhcpNameRule : public testing::TestWithParam<NameCase>
{ };

TEST_P(DhcpNameRule, TakesAsciiLettersDigitsAndFourMarks)
{
    EXPECT_EQ(dhcp::validName(QString::fromUtf8(GetParam().text)), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Cases, DhcpNameRule, testing::ValuesIn(kNames), kvatest::caseName);

struct PoolCase
{
    const char *name;
    const char *start;
    const char *end;   // the last address the device keeps
    const char *count; // what the operator sees
};

void PrintTo(const PoolCase &c, std::ostream *out)
{
    *out << c.name;
}

// Both ways between the count and the last address, where the two meet.
const PoolCase kPools[] = {
    {"WholeNetwork", "192.168.0.1", "192.168.0.254", "254"},
    {"OneAddress", "10.0.0.7", "10.0.0.7", "1"},
    {"EndAt255", "10.0.0.200", "10.0.0.255", "56"},
};

class DhcpPoolConversion : public testing::TestWithParam<PoolCase>
{ };

TEST_P(DhcpPoolConversion, CountAndLastAddressAgree)
{
    const PoolCase &c = GetParam();
    EXPECT_EQ(dhcp::poolCountText(QLatin1String(c.start), QLatin1String(c.end)), c.count);
    EXPECT_EQ(dhcp::poolEndText(QLatin1String(c.start), QLatin1String(c.count)), c.end);
}

INSTANTIATE_TEST_SUITE_P(Cases, DhcpPoolConversion, testing::ValuesIn(kPools), kvatest::caseName);

struct UnconvertedCase
{
    const char *name;
    const char *start;
    const char *text; // the last address (after a read) or the count (before a write)
    bool beforeWrite;
    const char *result;
};

void PrintTo(const UnconvertedCase &c, std::ostream *out)
{
    *out << c.name;
}

// What does not convert stays as it was, for the checks to refuse.
const UnconvertedCase kUnconverted[] = {
    {"EndBelowStartGivesNoPositiveCount", "192.168.0.200", "192.168.1.10", false, "-189"},
    {"UnreadEndStays", "192.168.0.1", "(NULL)", false, "(NULL)"},
    {"EndPast255Stays", "192.168.0.1", "192.168.0.300", false, "192.168.0.300"},
    {"CountPastTheNetworkStays", "192.168.0.250", "10", true, "10"},
    {"StartWithoutFourthNumberStays", "10.0.0", "5", true, "5"},
    {"CountNotANumberStays", "10.0.0.1", "abc", true, "abc"},
};

class DhcpPoolUnconverted : public testing::TestWithParam<UnconvertedCase>
{ };

TEST_P(DhcpPoolUnconverted, LeavesTheText)
{
    const UnconvertedCase &c = GetParam();
    const QString start = QLatin1String(c.start);
    const QString text = QLatin1String(c.text);
    EXPECT_EQ(c.beforeWrite ? dhcp::poolEndText(start, text) : dhcp::poolCountText(start, text),
        c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DhcpPoolUnconverted, testing::ValuesIn(kUnconverted), kvatest::caseName);

} // namespace
