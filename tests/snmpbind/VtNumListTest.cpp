// Number lists: unchecked parsing of delimited numbers.
#include "CaseName.h"
#include "VtNumList.h"

#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct NumCase
{
    const char *name;
    const char *text;
    char delimiter;
    std::vector<int> items;
};

// Cases print as their names in test listings.
void PrintTo(const NumCase &c, std::ostream *os)
{
    *os << c.name;
}

const NumCase kNumbers[] = {
    {"CommaList", "0,2,5", ',', {0, 2, 5}},
    {"EmptyGivesNothing", "", ',', {}},
    {"EmptyFieldIsZero", "1,,2", ',', {1, 0, 2}},
    {"TrailingDelimiterAddsZero", "4,", ',', {4, 0}},
    {"FractionIsDropped", "3.7", ',', {3}},
    {"FractionInEveryField", "3.7,8.9", ',', {3, 8}},
    {"DottedQuad", "10.0.0.1", '.', {10, 0, 0, 1}},
    {"MinusFoldedInUnchecked", "-1", ',', {-29}},
    {"LetterFoldedInUnchecked", "a", ',', {49}},
    {"OverflowWraps", "4294967296", ',', {0}},
};

class VtNumListParse : public testing::TestWithParam<NumCase>
{ };

TEST_P(VtNumListParse, SplitsAndFolds)
{
    const NumCase &c = GetParam();
    VtNumList<int> list(c.delimiter);
    list.Parse(QString::fromLatin1(c.text));
    ASSERT_EQ(list.Count(), int(c.items.size()));
    for (int i = 0; i < list.Count(); ++i) {
        EXPECT_EQ(list.Item(i), c.items[std::size_t(i)]) << "item " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, VtNumListParse, testing::ValuesIn(kNumbers), kvatest::caseName);

TEST(VtNumList, UnsignedListFindsAndChecksRanges)
{
    VtNumList<unsigned int> list;
    EXPECT_TRUE(list.AllBetween(1, 2));
    list.Parse(QStringLiteral("192.168.0.50"));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.IndexOf(168u), 1);
    EXPECT_EQ(list.IndexOf(7u), -1);
    EXPECT_TRUE(list.AllBetween(0, 255));
    EXPECT_FALSE(list.AllBetween(1, 255));
    EXPECT_FALSE(list.AllBetween(0, 191));
    EXPECT_THROW(list.Item(4), VtException);

    list.Parse(QStringLiteral("3"));
    EXPECT_EQ(list.Count(), 1);
}

} // namespace
