// The device-command page against the simulated device.
#include "CaseName.h"
#include "PageHarness.h"
#include "TFM_Sytem.h"

#include <QStatusBar>

using kvatest::PageHarness;

namespace {

/// The objects the device received in SET requests, as "name=value".
QStringList written(kvatest::SimulatorProcess &device)
{
    QStringList out;
    for (const QString &line : device.log()) {
        const QStringList parts = line.split(QLatin1Char(' '));
        if (parts.size() > 4 && parts[1] == QLatin1String("set")) {
            out += parts.mid(4);
        }
    }
    out.removeDuplicates(); // a retry of a slow answer is the same request
    return out;
}

struct CommandCase
{
    const char *name;
    const char *button;
    const char *question;
    const char *written;
};

class SystemCommand : public testing::TestWithParam<CommandCase>
{ };

TEST_P(SystemCommand, CancelWritesNothingAndOkWritesOnlyItsObject)
{
    const CommandCase &c = GetParam();
    PageHarness<TFM_Sytem> h(kvatest::filePage());
    h.open();
    EXPECT_TRUE(written(h.device).isEmpty()); // nothing is read or written at opening

    h.ui.answers = {false};
    h.click(c.button);
    EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.question));
    EXPECT_EQ(h.ui.lastMessage().caption, QStringLiteral("Warning"));
    EXPECT_TRUE(h.ui.lastMessage().withCancel);
    EXPECT_TRUE(written(h.device).isEmpty());

    h.ui.answers = {true};
    h.click(c.button);
    EXPECT_EQ(written(h.device), QStringList{QLatin1String(c.written)});
}

INSTANTIATE_TEST_SUITE_P(Buttons, SystemCommand,
    testing::Values(
        CommandCase{"Restart", "Button1", "Device will reboot, continue?", "deviceRestart.0=1"},
        CommandCase{"Restore", "Button2", "Restore to Factory Default Settings?",
            "deviceFactoryDefault.0=1"},
        CommandCase{
            "Clear", "Bt_LanguageClear", "Clear the language pack ?", "languagePackClear.0=1"}),
    kvatest::caseName);

TEST(System, RestartMarksTheKeyRestartDoneAndAClearAfterItWritesOnlyTheClear)
{
    PageHarness<TFM_Sytem> h(kvatest::filePage());
    h.state.setKeyRestartState(DeviceState::KeyRestartPending);
    h.open();
    h.click("Button1");
    EXPECT_EQ(h.state.keyRestartState(), DeviceState::KeyRestartDone);
    ASSERT_TRUE(kvatest::waitUntil(
        [&] { return !h.device.get(QStringLiteral("sysName")).isEmpty(); }, 20000));
    h.device.clearLog();
    h.click("Bt_LanguageClear");
    EXPECT_EQ(written(h.device), QStringList{QStringLiteral("languagePackClear.0=1")});
}

TEST(System, ARefusedRestartShowsTheDevicesAnswerAndDoesNotWait)
{
    PageHarness<TFM_Sytem> h(kvatest::filePage());
    h.state.setKeyRestartState(DeviceState::KeyRestartPending);
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror deviceRestart noAccess")));
    h.open();
    h.click("Button1");
    EXPECT_FALSE(h.page->statusText().isEmpty());
    EXPECT_EQ(h.state.keyRestartState(), DeviceState::KeyRestartPending);
}

TEST(System, ASilentDeviceStillCountsAsRestarting)
{
    PageHarness<TFM_Sytem> h(kvatest::filePage());
    h.open();
    ASSERT_TRUE(h.device.fault(QStringLiteral("silent 2")));
    h.click("Button1");
    EXPECT_EQ(h.state.keyRestartState(), DeviceState::KeyRestartDone);
}

} // namespace
