// The time-out scale tests use to make a silent device cheap.
#include "ModuleSettings.h"

#include <limits>

#include <gtest/gtest.h>

namespace {

TEST(ModuleSettings, TimeoutScaleRoundsUpAndStaysPositive)
{
    ModuleSettings settings;
    EXPECT_EQ(settings.scaledTimeout(3000), 3000);
    settings.timeoutScale = 0.01;
    EXPECT_EQ(settings.scaledTimeout(3000), 30);
    EXPECT_EQ(settings.scaledTimeout(150), 2);
    EXPECT_EQ(settings.scaledTimeout(0), 1);
    settings.timeoutScale = 0.0;
    EXPECT_EQ(settings.scaledTimeout(1000), 1);
    settings.timeoutScale = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(settings.scaledTimeout(1000), 1);
    settings.timeoutScale = 1e12;
    EXPECT_EQ(settings.scaledTimeout(1000), std::numeric_limits<int>::max());
}

} // namespace
