// The lights as the polls leave them, and what pages and the waiting dialog read from the state.
#include "DeviceState.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using Light = DeviceState::Light;
using Colour = DeviceState::Colour;
using Look = DeviceState::Look;

const Look kGreen{Colour::Green, true};
const Look kBlack{Colour::Black, true};
const Look kHidden{Colour::Black, false};

class DeviceStateTest : public testing::Test
{
protected:
    /// A device that answers, reports an address and blinks as asked.
    void answering(bool blink24, bool blink5)
    {
        state.setAddressTexts(QStringLiteral("255.255.255.0"), QStringLiteral("10.0.0.1"));
        state.setWlanBlinking(blink24, blink5);
        state.markReachable();
    }

    DeviceState state;
};

TEST_F(DeviceStateTest, NothingIsPaintedBeforeTheDeviceAnswers)
{
    state.setWlanBlinking(true, true);
    state.setAddressTexts(QStringLiteral("255.255.255.0"), QStringLiteral("10.0.0.1"));
    state.paintLights();
    EXPECT_EQ(state.look(Light::Power).colour, Colour::Initial);
    EXPECT_EQ(state.look(Light::Wlan24G).colour, Colour::Initial);
    EXPECT_FALSE(state.reachable());
}

TEST_F(DeviceStateTest, FailedPollTurnsEveryLightBlackAndShown)
{
    answering(true, true);
    QSignalSpy reachable(&state, &DeviceState::reachableChanged);
    state.markUnreachable();
    for (const Light light : {Light::Power, Light::ApStatus, Light::Wlan24G, Light::Wlan5G}) {
        EXPECT_EQ(state.look(light), kBlack);
    }
    EXPECT_FALSE(state.reachable());
    EXPECT_FALSE(state.wlan24GGreen());
    ASSERT_EQ(reachable.count(), 1);
    state.paintLights(); // blinking stops while the device is away
    EXPECT_EQ(state.look(Light::Wlan24G), kBlack);
}

TEST_F(DeviceStateTest, BlinkingLightTogglesTheOtherHides)
{
    answering(true, false);
    EXPECT_EQ(state.look(Light::Power), kGreen);
    EXPECT_EQ(state.look(Light::ApStatus), kGreen);
    EXPECT_EQ(state.look(Light::Wlan24G), kGreen);
    EXPECT_EQ(state.look(Light::Wlan5G), kHidden);
    EXPECT_TRUE(state.wlan24GGreen());
    state.paintLights();
    EXPECT_EQ(state.look(Light::Wlan24G), kBlack);
    state.paintLights();
    EXPECT_EQ(state.look(Light::Wlan24G), kGreen);
    EXPECT_EQ(state.look(Light::Wlan5G), kHidden);
}

TEST_F(DeviceStateTest, UnansweredAddressPollHidesBothWlanLights)
{
    answering(true, true);
    state.clearAddressTexts();
    state.paintLights();
    EXPECT_EQ(state.look(Light::Wlan24G), kHidden);
    EXPECT_EQ(state.look(Light::Wlan5G), kHidden);
    EXPECT_EQ(state.look(Light::Power), kGreen);
    EXPECT_FALSE(state.wlan24GGreen());
}

TEST_F(DeviceStateTest, AddressTextsKeepTheirFields)
{
    QSignalSpy changed(&state, &DeviceState::addressTextsChanged);
    state.setIPAddressEdit(QStringLiteral("255.255.255.0"));
    state.setSubMaskEdit(QStringLiteral("10.0.0.1"));
    state.setSubMaskEdit(QStringLiteral("10.0.0.1"));
    EXPECT_EQ(state.IPAddressEdit(), QStringLiteral("255.255.255.0"));
    EXPECT_EQ(state.SubMaskEdit(), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(changed.count(), 2);
}

} // namespace
