// The schedule page's pure rules as case tables: the day mask, the days and time frame of a listed
// rule, and the checks of the four time fields.
#include "CaseName.h"
#include "QtPrinters.h"
#include "TFM_SchedulingRules.h"

#include <ostream>

#include <gtest/gtest.h>

namespace {

using namespace schedulerules;

// --- days ---------------------------------------------------------------------------------------

struct DaysCase
{
    const char *name;
    const char *text; // the rule list's days
    const char *days; // Sun .. Sat as seven 0/1
    int value;        // the mask the device takes
    bool allWeek;
};

void PrintTo(const DaysCase &c, std::ostream *out)
{
    *out << c.name;
}

const DaysCase kDays[] = {
    {"MonWedFri", "Mon Wed Fri", "0101010", 42, false},
    {"AllWeekIsZero", "All Week", "1111111", 0, true},
    {"EveryDayNamedIsTheSum", "Sun Mon Tue Wed Thu Fri Sat", "1111111", 127, false},
    {"Sunday", "Sun", "1000000", 1, false},
    {"Saturday", "Sat", "0000001", 64, false},
    {"UnknownWordsAreLeftAside", "Mon Funday Xyz", "0100000", 2, false},
    {"NothingKnown", "garbage", "0000000", 0, false},
};

class ScheduleDays : public testing::TestWithParam<DaysCase>
{ };

TEST_P(ScheduleDays, ReadFromTheListAndGiveTheMask)
{
    const DaysCase &c = GetParam();
    const DaySelection selection = daysOf(QLatin1String(c.text));
    EXPECT_EQ(selection.allWeek, c.allWeek);
    std::string days;
    for (const bool d : selection.days) {
        days += d ? '1' : '0';
    }
    EXPECT_EQ(days, c.days);
    EXPECT_EQ(daysValue(selection), c.value);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScheduleDays, testing::ValuesIn(kDays), kvatest::caseName);

// --- time frame -----------------------------------------------------------------------------------

struct FrameCase
{
    const char *name;
    const char *text;
    bool allDay;
    Times times;
};

void PrintTo(const FrameCase &c, std::ostream *out)
{
    *out << c.name;
}

const FrameCase kFrames[] = {
    {"StartAndEnd", "08:30-17:05", false, {"08", "30", "17", "05"}},
    {"AllDay", "All Day(s)", true, {}},
    {"NoEndLeavesItEmpty", "08:30", false, {"08", "30", "", ""}},
    {"NoMinutes", "8-9", false, {"8", "", "9", ""}},
    {"Empty", "", false, {}},
};

class ScheduleTimeFrame : public testing::TestWithParam<FrameCase>
{ };

TEST_P(ScheduleTimeFrame, SplitsIntoTheFourFields)
{
    const FrameCase &c = GetParam();
    const TimeFrame frame = timeFrameOf(QLatin1String(c.text));
    EXPECT_EQ(frame.allDay, c.allDay);
    EXPECT_EQ(frame.times.startHour, c.times.startHour);
    EXPECT_EQ(frame.times.startMinute, c.times.startMinute);
    EXPECT_EQ(frame.times.endHour, c.times.endHour);
    EXPECT_EQ(frame.times.endMinute, c.times.endMinute);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScheduleTimeFrame, testing::ValuesIn(kFrames), kvatest::caseName);

// --- time checks ----------------------------------------------------------------------------------

struct TimeCase
{
    const char *name;
    Times typed;
    const char *message; // "" when accepted
    TimeField field;
    const char *start; // "hh:mm" when accepted; else the start hour as it comes back
    const char *end;
};

void PrintTo(const TimeCase &c, std::ostream *out)
{
    *out << c.name;
}

const TimeCase kTimes[] = {
    {"Accepted", {"08", "30", "17", "00"}, "", TimeField::None, "08:30", "17:00"},
    {"OneDigitGetsALeadingZero", {"8", "5", "9", "0"}, "", TimeField::None, "08:05", "09:00"},
    {"BlanksAreTrimmed", {" 8", "5 ", "23", "59"}, "", TimeField::None, "08:05", "23:59"},
    {"AnEmptyFieldIsNoRange", {"08", "", "17", "00"}, "Invalid Time Range!", TimeField::None, "08",
        ""},
    {"HourAbove23", {"24", "00", "23", "00"}, "Invalid Hour!", TimeField::StartHour, "24", ""},
    {"EndHourAbove23", {"01", "00", "24", "00"}, "Invalid Hour!", TimeField::EndHour, "01", ""},
    {"MinuteAbove59", {"01", "60", "02", "00"}, "Invalid Minute!", TimeField::StartMinute, "01",
        ""},
    {"EndMinuteAbove59", {"01", "00", "02", "61"}, "Invalid Minute!", TimeField::EndMinute, "01",
        ""},
    {"HoursAreCheckedBeforeMinutes", {"01", "99", "25", "00"}, "Invalid Hour!", TimeField::EndHour,
        "01", ""},
    {"LettersAreOutOfRange", {"ab", "00", "02", "00"}, "Invalid Hour!", TimeField::StartHour, "ab",
        ""},
    {"ASignIsOutOfRange", {"+1", "00", "02", "00"}, "Invalid Hour!", TimeField::StartHour, "+1",
        ""},
    {"LettersInAMinute", {"01", "x", "02", "00"}, "Invalid Minute!", TimeField::StartMinute, "01",
        ""},
    {"SameStartAndEnd", {"08", "30", "08", "30"}, "Invalid Time Range!", TimeField::EndMinute, "08",
        ""},
    {"EndBeforeStart", {"18", "00", "08", "00"}, "Invalid Time Range!", TimeField::EndMinute, "18",
        ""},
    {"OneMinuteApart", {"23", "58", "23", "59"}, "", TimeField::None, "23:58", "23:59"},
};

class ScheduleTimes : public testing::TestWithParam<TimeCase>
{ };

TEST_P(ScheduleTimes, AreCheckedAsAddChecksThem)
{
    const TimeCase &c = GetParam();
    const TimeCheck check = checkTimes(c.typed);
    EXPECT_EQ(QString::fromUtf8(check.message != nullptr ? check.message : ""), c.message);
    EXPECT_EQ(check.field, c.field);
    if (*c.message == '\0') {
        EXPECT_EQ(check.start, c.start);
        EXPECT_EQ(check.end, c.end);
    } else {
        EXPECT_EQ(check.fields.startHour, c.start);
        EXPECT_TRUE(check.start.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ScheduleTimes, testing::ValuesIn(kTimes), kvatest::caseName);

} // namespace
