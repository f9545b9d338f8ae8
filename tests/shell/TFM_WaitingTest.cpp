// The waiting dialog's countdown, stall exit, restart command and progress-notice mode.
#include "CaseName.h"
#include "DeviceState.h"
#include "ModuleSettings.h"
#include "TFM_Waiting.h"
#include "WaitUntil.h"

#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

/// The 2.4 GHz light green (the device is back) or black.
void setDeviceBack(DeviceState &state, bool back)
{
    state.markUnreachable();
    if (back) {
        state.markReachable(); // paints the blinking light from black to green
    }
}

struct WaitingCase
{
    const char *name;
    int countdown;
    bool restart;
    int backFromTick; // the light is green from this tick on; 0: never
    int closesOnTick;
    int restartOnTick; // 0: no restart command
};

void PrintTo(const WaitingCase &c, std::ostream *os)
{
    *os << c.name;
}

const WaitingCase kWaiting[] = {
    {"BackBeforeTheEndStillCountsDown", 5, false, 1, 5, 0},
    {"BackWhileWaitingAtOne", 3, false, 5, 5, 0},
    {"NeverBackEndsSixStallsAfterOne", 3, false, 0, 8, 0},
    {"RestartOnTheSecondTick", 3, true, 0, 8, 2},
    {"RestartAlsoWhenTheSecondTickCloses", 2, true, 1, 2, 2},
    {"SaveAndActivateNeverRestarts", 20, false, 1, 20, 0},
};

class WaitingTicks : public testing::TestWithParam<WaitingCase>
{ };

TEST_P(WaitingTicks, CloseAndRestartOnTheRightTick)
{
    const WaitingCase &c = GetParam();
    DeviceState state;
    state.setAddressTexts(QStringLiteral("255.255.255.0"), QStringLiteral("10.0.0.1"));
    state.setWlanBlinking(true, false);
    ModuleSettings settings;
    settings.waitingTickMs = 60 * 60 * 1000; // the test drives the ticks itself
    TFM_Waiting dialog(nullptr, state, settings);
    dialog.Countdown = c.countdown;
    dialog.Restart = c.restart;
    int tick = 0;
    int restartTick = 0;
    int restarts = 0;
    dialog.sendRestart = [&] {
        ++restarts;
        restartTick = tick;
    };
    dialog.show();

    while (dialog.isVisible() && tick < 100) {
        ++tick;
        setDeviceBack(state, c.backFromTick != 0 && tick >= c.backFromTick);
        dialog.Timer1Timer();
    }

    EXPECT_EQ(tick, c.closesOnTick);
    EXPECT_EQ(restartTick, c.restartOnTick);
    EXPECT_EQ(restarts, c.restartOnTick != 0 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, WaitingTicks, testing::ValuesIn(kWaiting), kvatest::caseName);

class WaitingDialog : public testing::Test
{
protected:
    DeviceState state;
    ModuleSettings settings;
};

TEST_F(WaitingDialog, ShowsTheCountdownFromTheFirstStep)
{
    settings.waitingTickMs = 60 * 60 * 1000;
    TFM_Waiting dialog(nullptr, state, settings);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Please wait"));
    EXPECT_EQ(dialog.Label2->text(), QStringLiteral("Settings saved."));
    EXPECT_EQ(dialog.Label3->text(), QStringLiteral("The device is restarting."));
    EXPECT_EQ(dialog.La_Time->text(), QString());
    dialog.Countdown = 20;
    dialog.Timer1Timer();
    EXPECT_EQ(dialog.La_Time->text(), QStringLiteral("19"));
}

TEST_F(WaitingDialog, OperatorMayCloseOnlyFromTheThirdStalledStep)
{
    settings.waitingTickMs = 60 * 60 * 1000;
    TFM_Waiting dialog(nullptr, state, settings);
    dialog.Countdown = 2;
    dialog.show();
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    dialog.Timer1Timer(); // 2 -> 1
    dialog.Timer1Timer(); // stalled once
    dialog.Timer1Timer(); // twice
    dialog.reject();      // Escape
    EXPECT_TRUE(dialog.isVisible());
    dialog.Timer1Timer(); // three times
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Countdown, 0);
}

TEST_F(WaitingDialog, ProgressNoticeHasNoCountdownAndOnlyTheCallerEndsIt)
{
    settings.waitingTickMs = 1;
    TFM_Waiting dialog(nullptr, state, settings);
    int restarts = 0;
    dialog.sendRestart = [&] { ++restarts; };
    dialog.useAsProgressNotice(QStringLiteral("Upgrading firmware"), QStringLiteral("Please wait"));
    dialog.show();
    EXPECT_FALSE(dialog.Timer1->isActive());
    EXPECT_TRUE(dialog.Label1->isHidden());
    EXPECT_TRUE(dialog.La_Time->isHidden());
    EXPECT_TRUE(dialog.seconds->isHidden());
    EXPECT_EQ(dialog.Label2->text(), QStringLiteral("Upgrading firmware"));
    dialog.close();
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    dialog.finish();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(restarts, 0);
}

TEST_F(WaitingDialog, TimerEndsTheDialogOnceTheDeviceIsBack)
{
    settings.waitingTickMs = 5;
    state.setAddressTexts(QStringLiteral("255.255.255.0"), QStringLiteral("10.0.0.1"));
    state.setWlanBlinking(true, false);
    setDeviceBack(state, true);
    TFM_Waiting dialog(nullptr, state, settings);
    dialog.Countdown = 3;
    dialog.Restart = false;
    int readFirmware = 0;
    dialog.readFirmwareVersion = [&](TFM_Waiting &) { ++readFirmware; };
    dialog.FormCreate();
    dialog.open();
    EXPECT_TRUE(kvatest::waitUntil([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.Timer1->isActive());
    EXPECT_EQ(readFirmware, 1);
}

} // namespace
