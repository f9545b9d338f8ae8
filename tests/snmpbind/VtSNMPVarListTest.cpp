// Variable lists: copies of static tables, the request predicates and list copies.
#include "CaseName.h"
#include "UISnmpVar.h"
#include "VtOptionList.h"
#include "VtSNMPError.h"
#include "VtSNMPVarList.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace {

const VtOptionList kEnable{{0, "Disable"}, {1, "Enable"}};

const UISnmpVar kUserLimit[] = {
    {"1.3.6.1.4.1.32473.7310.2.1.1", "dot11UserLimitStatus", synInteger, vfRead | vfWrite,
        &kEnable},
    {"1.3.6.1.4.1.32473.7310.2.1.2", "UserLimit(0-64)", synInteger, vfRead | vfWrite},
    {nullptr},
};

TEST(VtSNMPVarList, CopiesATableUpToItsTerminator)
{
    const VtSNMPVarList list(kUserLimit, itScalars);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Var(1).Name, QStringLiteral("UserLimit(0-64)"));
    EXPECT_EQ(list.Var(0).Options, &kEnable);
    EXPECT_EQ(list.Var(0).Syntax, synInteger);
    EXPECT_TRUE(list.Var(0).Value.isEmpty());
    EXPECT_TRUE(list.Var(0).CursorOid.isEmpty());
    EXPECT_TRUE(list.Var(0).ReadExpr.isNull());
    EXPECT_TRUE(list.Instance.isEmpty());
    EXPECT_TRUE(list.Caption.isEmpty());
}

TEST(VtSNMPVarList, OutOfRangePositionRaisesCommonError)
{
    VtSNMPVarList list(kUserLimit);
    for (const int i : {-1, 2}) {
        try {
            list.Var(i);
            ADD_FAILURE() << "position " << i << " accepted";
        } catch (const VtException &e) {
            EXPECT_EQ(e.Code(), -12);
        }
        EXPECT_FALSE(list.IsRequested(i));
        EXPECT_FALSE(list.IsWritable(i));
        EXPECT_FALSE(list.IsHiddenColumn(i));
    }
}

TEST(VtSNMPVarList, CopiesAreIndependentAndAssignKeepsTheInstance)
{
    VtSNMPVarList list(kUserLimit, itTable, 1);
    list.Instance = QStringLiteral("1");
    list.Caption = QStringLiteral("User limit");
    list.Var(0).Value = QStringLiteral("Enable");
    list.Var(0).CursorOid = QStringLiteral("1.3.6.1.4.1.32473.7310.2.1.1.1");

    VtSNMPVarList copy(list);
    EXPECT_TRUE(copy.Instance.isEmpty());
    EXPECT_EQ(copy.Caption, list.Caption);
    EXPECT_EQ(copy.ItemType, itTable);
    EXPECT_EQ(copy.KeyCount, 1);
    EXPECT_EQ(copy.Var(0).Value, QStringLiteral("Enable"));
    EXPECT_EQ(copy.Var(0).CursorOid, list.Var(0).CursorOid);

    copy.Var(0).Value = QStringLiteral("Disable");
    copy.Var(1).Flags = vfSkip;
    EXPECT_EQ(list.Var(0).Value, QStringLiteral("Enable"));
    EXPECT_EQ(list.Var(1).Flags, vfRead | vfWrite);

    // A request backs its list up, changes it for one write and restores it.
    VtSNMPVarList target;
    target.Instance = QStringLiteral("7");
    target.Assign(copy);
    EXPECT_EQ(target.Instance, QStringLiteral("7"));
    EXPECT_EQ(target.Count(), 2);
    EXPECT_EQ(target.Var(0).Value, QStringLiteral("Disable"));
    target = list;
    EXPECT_EQ(target.Instance, QStringLiteral("7"));
    EXPECT_EQ(target.Var(1).Flags, vfRead | vfWrite);

    target.Append(kUserLimit);
    EXPECT_EQ(target.Count(), 4);
    EXPECT_TRUE(target.Var(2).Value.isEmpty());
    target.Clear();
    EXPECT_EQ(target.Count(), 0);
}

struct FlagsCase
{
    const char *name;
    int flags;
    unsigned char itemType;
    int keyCount;
    bool requested;
    bool writable;
    bool shown;
    bool hidden;
};

// Cases print as their names in test listings.
void PrintTo(const FlagsCase &c, std::ostream *os)
{
    *os << c.name;
}

const FlagsCase kFlags[] = {
    {"ReadWrite", vfRead | vfWrite, itScalars, 0, true, true, true, false},
    {"ReadOnly", vfRead, itScalars, 0, true, false, true, false},
    {"WriteOnlyIsHiddenColumn", vfWrite, itScalars, 0, false, true, false, true},
    {"NoFlagsNeitherShownNorHidden", 0, itScalars, 0, false, false, false, false},
    {"SkipLeavesReadsAndWrites", vfSkip, itTable, 0, false, false, false, true},
    {"SkipOverReadWrite", vfSkip | vfRead | vfWrite, itScalars, 0, false, false, false, true},
    {"TableKeyWritableNotRequested", vfKey, itTable, 1, false, true, true, false},
    {"TableSelectKeyWritable", vfKey, itTableSelect, 1, false, true, true, false},
    {"KeyOfScalarGroupNotWritable", vfKey, itInstance, 1, false, false, true, false},
    {"SkippedKeyNotWritable", vfKey | vfSkip, itTable, 1, false, false, false, true},
    {"ColumnOnly", vfColumn, itTable, 0, false, false, true, false},
    {"HiddenReadColumn", vfRead | vfHidden, itTable, 0, true, false, false, true},
};

class VtSNMPVarListFlags : public testing::TestWithParam<FlagsCase>
{ };

TEST_P(VtSNMPVarListFlags, DecidesRequestsAndColumns)
{
    const FlagsCase &c = GetParam();
    VtSNMPVarList list(kUserLimit, c.itemType, c.keyCount);
    list.Var(0).Flags = c.flags;
    EXPECT_EQ(list.IsRequested(0), c.requested);
    EXPECT_EQ(list.IsWritable(0), c.writable);
    EXPECT_EQ(list.IsShownColumn(0), c.shown);
    EXPECT_EQ(list.IsHiddenColumn(0), c.hidden);
    // Variable 1 stays read-write and shown.
    EXPECT_EQ(list.ShownColumnCount(), (c.shown ? 1 : 0) + 1);
    EXPECT_EQ(list.HiddenColumnCount(), c.hidden ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, VtSNMPVarListFlags, testing::ValuesIn(kFlags), kvatest::caseName);

TEST(VtSNMPVarList, ImpliedFlag)
{
    VtSNMPVarList list(kUserLimit, itTable, 1);
    list.Var(0).Flags = vfKey | vfImplied;
    EXPECT_TRUE(list.IsImplied(0));
    EXPECT_FALSE(list.IsImplied(1));
}

} // namespace
