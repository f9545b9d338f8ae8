// The administration page's rules as case tables: the user name and VLAN ID checks, the limit
// status and its warning, and where a new address range goes.
#include "Admin2Rules.h"
#include "CaseName.h"
#include "QtPrinters.h"

#include <ostream>

#include <gtest/gtest.h>

namespace {

struct TextCase
{
    const char *name;
    const char *text;
    bool accepted;
};

void PrintTo(const TextCase &c, std::ostream *out)
{
    *out << c.name;
}

const TextCase kUserNames[] = {
    {"LettersAndDigits", "admin2", true},
    {"AllowedMarks", "ops.team_1-x@lab", true},
    {"Empty", "", true},
    {"Blank", "ad min", false},
    {"NonAsciiLetter", "j\xC3\xBCrgen", false}, // a letter, but not one the device takes
    {"NonAsciiDigit", "admin\xD9\xA3", false},
    {"Plus", "ops+1", false},
    {"Slash", "ops/1", false},
};

class UserName : public testing::TestWithParam<TextCase>
{ };

TEST_P(UserName, IsAsciiLettersDigitsAndFourMarks)
{
    EXPECT_EQ(CheckUserName(QString::fromUtf8(GetParam().text)), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Cases, UserName, testing::ValuesIn(kUserNames), kvatest::caseName);

const TextCase kVids[] = {
    {"Zero", "0", true},
    {"Highest", "4095", true},
    {"AboveTheRange", "4096", false},
    {"Negative", "-1", false},
    {"Empty", "", false},
    {"NotANumber", "ten", false},
    {"Plus", "+5", false},
};

class AdminVid : public testing::TestWithParam<TextCase>
{ };

TEST_P(AdminVid, IsAWholeNumberUpTo4095)
{
    EXPECT_EQ(CheckAdminVid(QString::fromUtf8(GetParam().text)), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Cases, AdminVid, testing::ValuesIn(kVids), kvatest::caseName);

TEST(AdminLimit, BoxesAndStatusAgree)
{
    for (int status = 0; status <= 3; ++status) {
        EXPECT_EQ(limitStatusIndex(limitsByVid(status), limitsByAddress(status)), status);
    }
    EXPECT_FALSE(limitsByVid(-1)); // nothing read
    EXPECT_FALSE(limitsByAddress(-1));
}

TEST(AdminLimit, WarningNamesWhatTheDeviceTurnsOff)
{
    EXPECT_EQ(limitWarning(true, true),
        "If Limit Administrator Status enable, VLAN Status and \nNetwork Access Protection Status "
        "will be disable !");
    EXPECT_EQ(limitWarning(true, false),
        "If Limit Administrator Status enable, VLAN Status will be disable !");
    EXPECT_EQ(limitWarning(false, true),
        "If Limit Administrator Status enable, Network Access Protection Status will be disable !");
    EXPECT_EQ(limitWarning(false, false), QString());
}

TEST(AdminRange, AddressesCompareAsNumbers)
{
    EXPECT_EQ(addressNumber(QStringLiteral("192.168.0.10")), 0xC0A8000AU);
    EXPECT_LT(*addressNumber(QStringLiteral("192.168.0.9")),
        *addressNumber(QStringLiteral("192.168.0.10"))); // not as texts
    EXPECT_FALSE(addressNumber(QStringLiteral("192.168.0")));
    EXPECT_FALSE(addressNumber(QStringLiteral("192.168.0.256")));
    EXPECT_FALSE(addressNumber(QStringLiteral("(NULL)")));
}

struct PlaceCase
{
    const char *name;
    const char *from;
    const char *to;
    std::vector<AddressRange> rows;
    RangePlace::Kind kind;
    int row;
};

void PrintTo(const PlaceCase &c, std::ostream *out)
{
    *out << c.name;
}

AddressRange range(const char *start, const char *end)
{
    return {QLatin1String(start), QLatin1String(end)};
}

const AddressRange kEmpty = range("0.0.0.0", "0.0.0.0");

const PlaceCase kPlaces[] = {
    {"FirstEmptyRow", "10.0.0.1", "10.0.0.9", {range("192.168.0.1", "192.168.0.9"), kEmpty, kEmpty},
        RangePlace::EmptyRow, 1},
    {"StartInsideARange", "192.168.0.5", "192.168.1.1",
        {range("192.168.0.1", "192.168.0.9"), kEmpty}, RangePlace::Overlaps, 0},
    {"EndInsideARange", "192.167.0.1", "192.168.0.1", {range("192.168.0.1", "192.168.0.9"), kEmpty},
        RangePlace::Overlaps, 0},
    {"EnclosingARangePasses", "192.168.0.0", "192.168.0.255",
        {range("192.168.0.1", "192.168.0.9"), kEmpty}, RangePlace::EmptyRow, 1},
    {"RowsAfterTheFirstEmptyOneAreNotLookedAt", "10.0.0.5", "10.0.0.6",
        {kEmpty, range("10.0.0.1", "10.0.0.9")}, RangePlace::EmptyRow, 0},
    {"UsedRowAfterADeleteGap", "10.0.0.1", "10.0.0.2",
        {range("192.168.0.1", "192.168.0.9"), range("192.168.1.1", "192.168.1.9"), kEmpty, kEmpty},
        RangePlace::EmptyRow, 2},
    {"AllRowsUsed", "10.0.0.1", "10.0.0.2",
        {range("1.0.0.1", "1.0.0.2"), range("2.0.0.1", "2.0.0.2"), range("3.0.0.1", "3.0.0.2"),
            range("4.0.0.1", "4.0.0.2")},
        RangePlace::NoEmptyRow, -1},
    {"HalfEmptyRowIsNoEmptyRow", "192.168.5.1", "192.168.5.2",
        {range("1.0.0.1", "1.0.0.2"), range("0.0.0.0", "10.9.9.9")}, RangePlace::NoEmptyRow, -1},
    {"NothingRead", "10.0.0.1", "10.0.0.2", {}, RangePlace::NoEmptyRow, -1},
};

class AdminRangePlace : public testing::TestWithParam<PlaceCase>
{ };

TEST_P(AdminRangePlace, IsTheFirstEmptyRowUnlessARangeBeforeItHoldsAnEnd)
{
    const PlaceCase &c = GetParam();
    const RangePlace place = placeRange(
        *addressNumber(QLatin1String(c.from)), *addressNumber(QLatin1String(c.to)), c.rows);
    EXPECT_EQ(place.kind, c.kind);
    EXPECT_EQ(place.row, c.row);
}

INSTANTIATE_TEST_SUITE_P(Cases, AdminRangePlace, testing::ValuesIn(kPlaces), kvatest::caseName);

TEST(AdminRange, DeleteFindsTheRowWithTheSameStartAndEnd)
{
    const std::vector<AddressRange> rows = {
        range("10.0.0.1", "10.0.0.9"), range("10.0.0.1", "10.0.0.5"), kEmpty};
    EXPECT_EQ(findRange(rows, QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.5")), 1);
    EXPECT_EQ(findRange(rows, QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.6")), -1);
    EXPECT_EQ(findRange({}, QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.5")), -1);
}

} // namespace
