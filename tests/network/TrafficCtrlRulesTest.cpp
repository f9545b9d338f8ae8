// The traffic control page's rules as case tables: the mode an interface's boxes give, a class's
// port range split and joined, and the number checks of the page's edits.
#include "CaseName.h"
#include "QtPrinters.h"
#include "TFM_TrafficCtrlRules.h"

#include <gtest/gtest.h>

namespace {

struct ModeCase
{
    const char *name;
    bool downEnabled;
    bool downChecked;
    bool upEnabled;
    bool upChecked;
    int current;
    int mode;
};

const ModeCase kModes[] = {
    {"NeitherChecked", true, false, true, false, 2, traffic::kModeDisable},
    {"DownlinkChecked", true, true, false, false, 0, traffic::kModeDownlink},
    {"UplinkChecked", false, false, true, true, 0, traffic::kModeUplink},
    {"BothDisabledKeepTheDevicesMode", false, false, false, false, 2, traffic::kModeUplink},
    {"BothDisabledDownlinkShown", false, true, false, false, 0, traffic::kModeDownlink},
};

class TrafficMode : public testing::TestWithParam<ModeCase>
{ };

TEST_P(TrafficMode, CollectedFromTheBoxes)
{
    const ModeCase &c = GetParam();
    EXPECT_EQ(
        traffic::collectedMode(c.downEnabled, c.downChecked, c.upEnabled, c.upChecked, c.current),
        c.mode);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrafficMode, testing::ValuesIn(kModes), kvatest::caseName);

struct SplitCase
{
    const char *name;
    const char *text;
    const char *left;
    const char *right;
};

const SplitCase kSplits[] = {
    {"Range", "1024-2048", "1024", "2048"},
    {"NoDash", "80", "", "80"},
    {"Empty", "", "", ""},
    {"AtTheFirstDash", "a-b-c", "a", "b-c"},
    {"LeadingDash", "-80", "", "80"},
};

class TrafficSplit : public testing::TestWithParam<SplitCase>
{ };

TEST_P(TrafficSplit, AtTheFirstDash)
{
    const SplitCase &c = GetParam();
    const traffic::PortRange range = traffic::splitPort(QString::fromLatin1(c.text));
    EXPECT_EQ(range.left, c.left);
    EXPECT_EQ(range.right, c.right);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrafficSplit, testing::ValuesIn(kSplits), kvatest::caseName);

TEST(TrafficRules, JoinPutsTheDashBetween)
{
    EXPECT_EQ(traffic::joinPort(QStringLiteral("70"), QStringLiteral("80")), "70-80");
}

struct NumberCase
{
    const char *name;
    const char *text;
    bool digits;
    bool integer;
    bool bandwidth;
    bool limit;
};

const NumberCase kNumbers[] = {
    {"Empty", "", false, false, false, false},
    {"Zero", "0", true, true, false, false},
    {"One", "1", true, true, true, true},
    {"Hundred", "100", true, true, true, true},
    {"HundredAndOne", "101", true, true, true, false},
    {"Bandwidth150", "150", true, true, true, false},
    {"Bandwidth151", "151", true, true, false, false},
    {"Signed", "-5", false, true, false, false},
    {"Blanks", " 7 ", false, true, false, false},
    {"Letters", "7a", false, false, false, false},
};

class TrafficNumber : public testing::TestWithParam<NumberCase>
{ };

TEST_P(TrafficNumber, Checks)
{
    const NumberCase &c = GetParam();
    const QString text = QString::fromLatin1(c.text);
    EXPECT_EQ(traffic::allDigits(text), c.digits);
    EXPECT_EQ(traffic::readsAsInteger(text), c.integer);
    EXPECT_EQ(traffic::validBandwidth(text), c.bandwidth);
    EXPECT_EQ(traffic::validLimit(text), c.limit);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrafficNumber, testing::ValuesIn(kNumbers), kvatest::caseName);

struct SpeedCase
{
    const char *name;
    const char *speed;
    const char *bandwidth;
    bool within;
};

const SpeedCase kSpeeds[] = {
    {"EqualToTheBandwidth", "100", "100", true},
    {"AboveTheBandwidth", "101", "100", false},
    {"Zero", "0", "100", false},
    {"EmptyBandwidth", "5", "", false},
    {"NotDigits", "5a", "100", false},
};

class TrafficSpeed : public testing::TestWithParam<SpeedCase>
{ };

TEST_P(TrafficSpeed, WithinTheBandwidth)
{
    const SpeedCase &c = GetParam();
    EXPECT_EQ(traffic::speedWithin(QString::fromLatin1(c.speed), QString::fromLatin1(c.bandwidth)),
        c.within);
}

INSTANTIATE_TEST_SUITE_P(Cases, TrafficSpeed, testing::ValuesIn(kSpeeds), kvatest::caseName);

} // namespace
