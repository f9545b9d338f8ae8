// The time page's rules as case tables: the zones with daylight saving, the years offered, and
// the manual time as selector texts and as the device's text.
#include "CaseName.h"
#include "QtPrinters.h"
#include "TimeRules.h"

#include <ostream>

#include <gtest/gtest.h>

namespace {

struct ZoneCase
{
    const char *name;
    int value;
    bool daylight;
};

void PrintTo(const ZoneCase &c, std::ostream *out)
{
    *out << c.name;
}

const ZoneCase kZones[] = {
    {"Alaska", 4, true},
    {"Arizona", 6, false},
    {"EasternTime", 14, true},
    {"Greenwich", 27, true},
    {"Casablanca", 26, false},
    {"Tokyo", 62, false},
    {"Yakutsk", 64, true},
    {"Auckland", 73, true},
    {"NukuAlofa", 75, false},
    {"NoSelection", 0, false},
    {"OutsideTheList", 99, false},
};

class DaylightZone : public testing::TestWithParam<ZoneCase>
{ };

TEST_P(DaylightZone, OffersDaylightSavingOnlyWhereItIsKept)
{
    EXPECT_EQ(zoneHasDaylightSaving(GetParam().value), GetParam().daylight);
}

INSTANTIATE_TEST_SUITE_P(Zones, DaylightZone, testing::ValuesIn(kZones), kvatest::caseName);

TEST(TimeRules, ThirtySixZonesHaveDaylightSaving)
{
    int zones = 0;
    for (int value = 1; value <= 75; ++value) {
        zones += zoneHasDaylightSaving(value) ? 1 : 0;
    }
    EXPECT_EQ(zones, 36);
}

TEST(TimeRules, YearsRunTenYearsPastTheCurrentOne)
{
    const QStringList years = manualYears(2031);
    EXPECT_EQ(years.first(), "2002");
    EXPECT_EQ(years.last(), "2041");
    EXPECT_EQ(years.size(), 40);
    EXPECT_TRUE(years.contains(QStringLiteral("2031")));
}

TEST(TimeRules, ComputerTimeBecomesTheSelectorsAndTheDevicesText)
{
    const QDateTime afternoon(QDate(2009, 9, 15), QTime(13, 5, 7));
    const ManualTime t = manualTimeOf(afternoon);
    EXPECT_EQ(t.month, "09");
    EXPECT_EQ(t.day, "15");
    EXPECT_EQ(t.year, "2009");
    EXPECT_EQ(t.hour, "13"); // a 24-hour clock
    EXPECT_EQ(t.minute, "05");
    EXPECT_EQ(t.second, "07");
    EXPECT_EQ(deviceTimeText(t), "09/15/2009 13:05:07");
    EXPECT_EQ(deviceTimeText(manualTimeOf(QDateTime(QDate(2030, 1, 2), QTime(0, 0, 0)))),
        "01/02/2030 00:00:00");
}

TEST(TimeRules, AnUnselectedPartGivesNoText)
{
    ManualTime t = manualTimeOf(QDateTime(QDate(2009, 9, 15), QTime(13, 5, 7)));
    t.year.clear();
    EXPECT_EQ(deviceTimeText(t), QString());
    t = manualTimeOf(QDateTime(QDate(2009, 9, 15), QTime(13, 5, 7)));
    t.second.clear();
    EXPECT_EQ(deviceTimeText(t), QString());
}

} // namespace
