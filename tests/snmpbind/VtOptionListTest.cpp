// Option lists: translation both ways, with unknown values and texts passed through.
#include "CaseName.h"
#include "VtOptionList.h"
#include "VtSNMPError.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace {

const VtOptionEntry kEnableRows[] = {{0, "Disable"}, {1, "Enable"}, {}};
const VtOptionList kEnable(kEnableRows);

struct OptionCase
{
    const char *name;
    const char *value;
    const char *text; // TextOf(value)
};

// Cases print as their names in test listings.
void PrintTo(const OptionCase &c, std::ostream *os)
{
    *os << c.name;
}

const OptionCase kNumber[] = {
    {"KnownValue", "1", "Enable"},
    {"UnknownValuePassesThrough", "3", "3"},
    {"NullPassesThrough", "(NULL)", "(NULL)"},
    {"NonNumberPassesThrough", "abc", "abc"},
    {"EmptyPassesThrough", "", ""},
};

class OptionListNumber : public testing::TestWithParam<OptionCase>
{ };

TEST_P(OptionListNumber, TextOfValue)
{
    const OptionCase &c = GetParam();
    EXPECT_EQ(kEnable.TextOf(QString::fromLatin1(c.value)).toStdString(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionListNumber, testing::ValuesIn(kNumber), kvatest::caseName);

TEST(VtOptionList, NumberListLooksUpBothWays)
{
    ASSERT_EQ(kEnable.Count(), 2);
    EXPECT_EQ(kEnable.Entry(1).Text, QStringLiteral("Enable"));
    EXPECT_EQ(kEnable.Entry(1).Value, QStringLiteral("1"));
    EXPECT_EQ(kEnable.IndexOfValue(QStringLiteral("(NULL)")), -1);
    EXPECT_EQ(kEnable.IndexOfValue(QStringLiteral("0")), 0);
    EXPECT_EQ(kEnable.IndexOfText(QStringLiteral("ENABLE")), 1);
    EXPECT_EQ(kEnable.IndexOfText(QStringLiteral("Enabled")), -1);
    EXPECT_EQ(kEnable.ValueOf(QStringLiteral("enable")), QStringLiteral("1"));
    EXPECT_EQ(kEnable.ValueOf(QStringLiteral("7")), QStringLiteral("7"));
    EXPECT_THROW(kEnable.Entry(2), VtException);
}

TEST(VtOptionList, FirstEntryWinsAndCaseCanMatter)
{
    VtOptionList modes({{1, "Access Point"}, {2, "WDS"}, {3, "WDS"}, {2, "Other"}}, okNumber, true);
    EXPECT_EQ(modes.ValueOf(QStringLiteral("WDS")), QStringLiteral("2"));
    EXPECT_EQ(modes.TextOf(QStringLiteral("2")), QStringLiteral("WDS"));
    EXPECT_EQ(modes.ValueOf(QStringLiteral("wds")), QStringLiteral("wds"));
    modes.Append(9, QStringLiteral("Built at run time"));
    EXPECT_EQ(modes.TextOf(QStringLiteral("9")), QStringLiteral("Built at run time"));
}

// The given rows become entries only when the list is first used: whatever comes first, an
// addition or a clearing, the order and the contents are those of an eager list.
TEST(VtOptionList, RowsGivenAtConstructionComeBeforeLaterOnes)
{
    VtOptionList added({{1, "One"}, {2, "Two"}, {0, nullptr}, {3, "never"}});
    added.Append(QStringLiteral("7"), QStringLiteral("Seven"));
    added.Append({{8, "Eight"}});
    ASSERT_EQ(added.Count(), 4);
    EXPECT_EQ(added.Entry(0).Text, QStringLiteral("One"));
    EXPECT_EQ(added.Entry(2).Number, 7);
    EXPECT_EQ(added.Entry(3).Value, QStringLiteral("8"));

    VtOptionList cleared(kEnableRows);
    cleared.Clear();
    EXPECT_EQ(cleared.Count(), 0);
    cleared.Append(5, QStringLiteral("Five"));
    EXPECT_EQ(cleared.TextOf(QStringLiteral("5")), QStringLiteral("Five"));
    EXPECT_EQ(cleared.IndexOfText(QStringLiteral("Enable")), -1);

    const VtOptionList source(kEnableRows);
    VtOptionList copy = source; // copied before its first use, then changed alone
    copy.Append(2, QStringLiteral("Two"));
    EXPECT_EQ(copy.TextOf(QStringLiteral("1")), QStringLiteral("Enable"));
    EXPECT_EQ(copy.Count(), 3);
    EXPECT_EQ(source.TextOf(QStringLiteral("0")), QStringLiteral("Disable"));
    EXPECT_EQ(source.Count(), 2);
}

TEST(VtOptionList, TextAndPrefixKinds)
{
    const VtOptionList tags({{0, "None", "none"}, {0, "Tagged", "tag"}}, okText);
    EXPECT_EQ(tags.TextOf(QStringLiteral("TAG")), QStringLiteral("Tagged"));
    EXPECT_EQ(tags.ValueOf(QStringLiteral("none")), QStringLiteral("none"));
    EXPECT_EQ(tags.ValueOf(QStringLiteral("Tagged")), QStringLiteral("tag"));
    EXPECT_EQ(tags.TextOf(QStringLiteral("untag")), QStringLiteral("untag"));

    const VtOptionList ports({{0, "Port ", "p"}, {0, "LAN ", "lan"}}, okPrefix);
    EXPECT_EQ(ports.TextOf(QStringLiteral("p3")), QStringLiteral("Port 3"));
    EXPECT_EQ(ports.ValueOf(QStringLiteral("Port 3")), QStringLiteral("p3"));
    EXPECT_EQ(ports.IndexOfText(QStringLiteral("lan 1")), 1);
    EXPECT_EQ(ports.TextOf(QStringLiteral("wan")), QStringLiteral("wan"));
}

} // namespace
