// The steps of a change made of a delete and an add, as a table of completions.
#include "CaseName.h"
#include "ReplaceCommand.h"

#include <ostream>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Then = ReplaceCommand::Then;

struct StepCase
{
    const char *name;
    std::vector<bool> outcomes; // the device took (true) or refused each command in turn
    std::vector<Then> expected; // what follows each completion
    bool change;                // begun as a change; false: the page's own command
    bool pendingAfter;
};

void PrintTo(const StepCase &c, std::ostream *out)
{
    *out << c.name;
}

const StepCase kSteps[] = {
    {"PlainCommand", {true}, {Then::Plain}, false, false},
    {"PlainCommandRefused", {false}, {Then::Plain}, false, false},
    {"ChangeCompleted", {true, true}, {Then::SendNew, Then::Replaced}, true, false},
    {"DeleteRefusedLeavesNothingPending", {false, true}, {Then::DeleteRefused, Then::Plain}, true,
        false},
    {"AddRefusedPutsTheOldBack", {true, false, true},
        {Then::SendNew, Then::RestoreOld, Then::Restored}, true, false},
    {"RestoreRefusedEndsToo", {true, false, false},
        {Then::SendNew, Then::RestoreOld, Then::Restored}, true, false},
    {"WaitingForTheAdd", {true}, {Then::SendNew}, true, true},
};

class ReplaceCommandSteps : public testing::TestWithParam<StepCase>
{ };

TEST_P(ReplaceCommandSteps, SayWhatFollowsEachCompletion)
{
    const StepCase &c = GetParam();
    ReplaceCommand replace;
    if (c.change) {
        replace.begin();
    }
    std::vector<Then> got;
    for (const bool ok : c.outcomes) {
        got.push_back(replace.completed(ok));
    }
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(replace.pending(), c.pendingAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceCommandSteps, testing::ValuesIn(kSteps), kvatest::caseName);

TEST(ReplaceCommand, ANewEntryRefusedByThePagePutsTheOldBack)
{
    ReplaceCommand replace;
    replace.begin();
    ASSERT_EQ(replace.completed(true), Then::SendNew);
    replace.newRefused();
    EXPECT_EQ(replace.step(), ReplaceCommand::Step::RestoringOld);
    EXPECT_EQ(replace.completed(true), Then::Restored);
    EXPECT_FALSE(replace.pending());
}

TEST(ReplaceCommand, AResetLeavesTheNextCompletionPlain)
{
    ReplaceCommand replace;
    replace.begin();
    replace.reset();
    EXPECT_EQ(replace.completed(true), Then::Plain);
}

} // namespace
