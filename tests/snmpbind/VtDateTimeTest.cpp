// DateAndTime values: parsing the three text forms, printing, and the 11-byte layout.
#include "CaseName.h"
#include "VtDateTime.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace {

struct DateTextCase
{
    const char *name;
    const char *text;
    int fields[9]; // year, month, day, hour, minutes, seconds, deci-seconds, utc hours, minutes
    char direction;
    const char *printed;
};

// Cases print as their names in test listings.
void PrintTo(const DateTextCase &c, std::ostream *os)
{
    *os << c.name;
}

const DateTextCase kDateTexts[] = {
    {"NoOffsetPrintsBackUnchanged", "2009-3-5,14:7:9.0", {2009, 3, 5, 14, 7, 9, 0, 0, 0}, '+',
        "2009-3-5,14:7:9.0"},
    {"EastOfUtc", "2009-3-5,14:7:9.3,+8:0", {2009, 3, 5, 14, 7, 9, 3, 8, 0}, '+',
        "2009-3-5,14:7:9.3,+8:0"},
    {"WestOfUtcEndsInCommaSignOffset", "2020-12-31,23:59:60.9,-5:30",
        {2020, 12, 31, 23, 59, 60, 9, 5, 30}, '-', "2020-12-31,23:59:60.9,-5:30"},
    {"ZeroOffsetIsLeftOut", "2009-3-5,14:7:9.0,-0:0", {2009, 3, 5, 14, 7, 9, 0, 0, 0}, '-',
        "2009-3-5,14:7:9.0"},
    {"DateOnlyLeavesTheRestZero", "2009-3-5", {2009, 3, 5, 0, 0, 0, 0, 0, 0}, '+',
        "2009-3-5,0:0:0.0"},
    {"IncompleteOffsetIsIgnored", "2009-3-5,1:2:3.4,+7", {2009, 3, 5, 1, 2, 3, 4, 0, 0}, '+',
        "2009-3-5,1:2:3.4"},
    {"ZeroPaddedFieldsPrintUnpadded", "2009-03-05,14:07:09.0", {2009, 3, 5, 14, 7, 9, 0, 0, 0}, '+',
        "2009-3-5,14:7:9.0"},
};

class VtDateTimeText : public testing::TestWithParam<DateTextCase>
{ };

TEST_P(VtDateTimeText, ParsesAndPrints)
{
    const DateTextCase &c = GetParam();
    const VtDateTime dt(QString::fromLatin1(c.text));
    const int got[9] = {dt.year, dt.month, dt.day, dt.hour, dt.minutes, dt.seconds, dt.deciSeconds,
        dt.utcHours, dt.utcMinutes};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(got[i], c.fields[i]) << "field " << i;
    }
    EXPECT_EQ(dt.direction, c.direction);
    EXPECT_EQ(dt.Text().toStdString(), c.printed);
}

INSTANTIATE_TEST_SUITE_P(Cases, VtDateTimeText, testing::ValuesIn(kDateTexts), kvatest::caseName);

TEST(VtDateTime, BytesCarryTheYearInNetworkOrder)
{
    const VtDateTime dt(QStringLiteral("2009-3-5,14:7:9.0,-5:30"));
    const QByteArray bytes = dt.ToBytes();
    EXPECT_EQ(bytes, QByteArray::fromHex("07d903050e0709002d051e"));

    VtDateTime back(QStringLiteral("1-1-1"));
    ASSERT_TRUE(back.FromBytes(bytes));
    EXPECT_EQ(back.Text(), dt.Text());
    EXPECT_EQ(back.year, 2009);
}

TEST(VtDateTime, ShortByteStringsLeaveTheValueAlone)
{
    VtDateTime dt(QStringLiteral("2009-3-5"));
    EXPECT_FALSE(dt.FromBytes(QByteArray::fromHex("07d90305")));
    EXPECT_EQ(dt.Text(), QStringLiteral("2009-3-5,0:0:0.0"));
}

TEST(VtDateTime, NowHasNoOffset)
{
    const VtDateTime now;
    EXPECT_TRUE(now.IsValid());
    EXPECT_EQ(now.direction, '+');
    EXPECT_EQ(now.deciSeconds, 0);
    EXPECT_EQ(now.utcHours, 0);
    EXPECT_EQ(now.utcMinutes, 0);
}

} // namespace
