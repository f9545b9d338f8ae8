// The WLAN partition page against the simulated device: what the multi-SSID state and the AP mode
// leave usable, the radio items standing for the device's values by position, the one SET of six
// bindings, the multicast warning, a value outside the list, a silent device and a wrong type.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_WLANPart.h"
#include "VtRadioGroup.h"

#include <array>
#include <ostream>

#include <QComboBox>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Partition = PageHarness<TFM_WLANPart>;

// What the device holds before each case: none of it the simulator's defaults.
const Partition::Seeds kSeeded = {
    {"dot11EthernetToWlanAccess", "0"},
    {"dot11InternalStationConnectionPrimarySSID", "1"},
    {"dot11InternalStationConnectionMultiSSID1", "2"},
    {"dot11InternalStationConnectionMultiSSID2", "1"},
    {"dot11InternalStationConnectionMultiSSID3", "2"},
    {"dot11LinkIntegrate", "1"},
    {"dot11Band", "1"},
};

bool mentionsLaterSsids(const QList<kvatest::LoggedPdu> &pdus)
{
    for (const kvatest::LoggedPdu &pdu : pdus) {
        for (const kvatest::LoggedBinding &b : pdu.bindings) {
            for (const char *later : {"MultiSSID4", "MultiSSID5", "MultiSSID6", "MultiSSID7"}) {
                if (b.name.contains(QLatin1String(later))) {
                    return true;
                }
            }
        }
    }
    return false;
}

const QStringList kWritten{
    QStringLiteral("dot11EthernetToWlanAccess.1 = 0"),
    QStringLiteral("dot11InternalStationConnectionPrimarySSID.1 = 1"),
    QStringLiteral("dot11InternalStationConnectionMultiSSID1.1 = 2"),
    QStringLiteral("dot11InternalStationConnectionMultiSSID2.1 = 1"),
    QStringLiteral("dot11InternalStationConnectionMultiSSID3.1 = 2"),
    QStringLiteral("dot11LinkIntegrate.1 = 1"),
};

// --- what is usable ---------------------------------------------------------------------------

struct UsableCase
{
    const char *name;
    const char *multiSsid;
    const char *mode;
    std::array<bool, 4> rows; // RadioGroup1 .. 4 enabled
    bool combos;              // Cbox_LinkInte and CB_WLANAccess enabled
};

void PrintTo(const UsableCase &c, std::ostream *out)
{
    *out << c.name;
}

const UsableCase kUsable[] = {
    {"SingleSsidAccessPoint", "0", "1", {true, false, false, false}, true},
    {"MultiSsidAccessPoint", "1", "1", {true, true, true, true}, true},
    {"MultiSsidWdsWithAp", "1", "2", {true, true, true, true}, true},
    {"SingleSsidWds", "0", "3", {true, false, false, false}, true},
    {"SingleSsidClient", "0", "4", {false, false, false, false}, false},
    {"MultiSsidClient", "1", "4", {false, false, false, false}, false},
};

class WLANPartUsable : public testing::TestWithParam<UsableCase>
{ };

TEST_P(WLANPartUsable, ByMultiSsidStateAndMode)
{
    const UsableCase &c = GetParam();
    Partition h(
        [&](kvatest::SimulatorProcess &d) {
            for (const auto &[name, value] : kSeeded) {
                d.set(QLatin1String(name), QLatin1String(value));
            }
            d.set(QStringLiteral("dot11MssidState"), QLatin1String(c.multiSsid));
            d.set(QStringLiteral("dot11ApMode"), QLatin1String(c.mode));
        },
        {});
    TFM_WLANPart &page = *h.page;
    EXPECT_EQ(page.windowTitle(), "Advanced \\WLAN Partition");
    EXPECT_EQ(h.text("CB_WBand"), "5GHz");
    EXPECT_FALSE(page.CB_WBand->isEnabled());
    EXPECT_EQ(h.text("CB_WLANAccess"), "Disable");
    EXPECT_EQ(h.text("Cbox_LinkInte"), "Enable");
    EXPECT_EQ(h.text("RadioGroup1"), "Disable ");
    EXPECT_EQ(h.text("RadioGroup2"), "GuestMode");
    for (std::size_t k = 0; k < c.rows.size(); ++k) {
        EXPECT_EQ(page.RadioGroup[k]->isEnabled(), c.rows[k]) << "RadioGroup" << k + 1;
        EXPECT_TRUE(page.RadioGroup[k]->isVisibleTo(&page));
    }
    for (std::size_t k = 4; k < page.RadioGroup.size(); ++k) {
        EXPECT_FALSE(page.RadioGroup[k]->isVisibleTo(&page));
    }
    EXPECT_FALSE(page.Btn_Refresh->isVisibleTo(&page));
    EXPECT_FALSE(page.Btn_Close->isVisibleTo(&page));
    EXPECT_EQ(page.Cbox_LinkInte->isEnabled(), c.combos);
    EXPECT_EQ(page.CB_WLANAccess->isEnabled(), c.combos);
    EXPECT_TRUE(page.Btn_Apply->isEnabled());
    EXPECT_TRUE(h.ui.messages.isEmpty()); // no warning while opening

    // whatever is usable, Save writes the six objects as shown
    h.device.clearLog();
    h.click("Btn_Apply");
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    ASSERT_EQ(sets.size(), 1);
    EXPECT_EQ(sets[0].texts(), kWritten);
    EXPECT_EQ(h.statusText(), "Setting Success!");
}

INSTANTIATE_TEST_SUITE_P(Cases, WLANPartUsable, testing::ValuesIn(kUsable), kvatest::caseName);

// --- radio items and values -------------------------------------------------------------------

TEST(WLANPartPage, RadioItemStandsForTheValueAtItsPosition)
{
    Partition h({{"dot11InternalStationConnectionPrimarySSID", "0"},
        {"dot11InternalStationConnectionMultiSSID4", "2"}, {"dot11EthernetToWlanAccess", "1"}});
    // the device's 0 ("Disabled") is the radio's first item, "Enable"
    EXPECT_EQ(h.text("RadioGroup1"), "Enable");
    EXPECT_FALSE(mentionsLaterSsids(h.device.requests())); // SSIDs 4 to 7 are never read
    h.choose("RadioGroup1", "Disable ");
    h.device.clearLog();
    h.click("Btn_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success!");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11InternalStationConnectionPrimarySSID")), "1");
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    ASSERT_EQ(sets.size(), 1);
    EXPECT_EQ(sets[0].bindings.size(), 6);
    EXPECT_FALSE(mentionsLaterSsids(sets));
    EXPECT_EQ(h.device.get(QStringLiteral("dot11InternalStationConnectionMultiSSID4")), "2");
}

TEST(WLANPartPage, EveryChoiceOfDisableWarns)
{
    Partition h({{"dot11EthernetToWlanAccess", "1"}});
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.choose("CB_WLANAccess", "Disable");
    h.choose("CB_WLANAccess", "Enable");
    h.choose("CB_WLANAccess", "Disable");
    ASSERT_EQ(h.ui.messages.size(), 2);
    for (const auto &m : h.ui.messages) {
        EXPECT_EQ(m.caption, "Waring");
        EXPECT_EQ(m.text,
            "AP will block all multicast/broadcast packets from Ethernet to wireless,except "
            "DHCP'S !");
    }
    EXPECT_EQ(h.text("CB_WLANAccess"), "Disable"); // the choice stays
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

TEST(WLANPartPage, ValueOutsideTheListGoesBackAsRead)
{
    Partition h({{"dot11InternalStationConnectionPrimarySSID", "7"}, {"dot11MssidState", "1"},
        {"dot11InternalStationConnectionMultiSSID2", "2"}});
    EXPECT_EQ(h.page->RadioGroup[0]->itemIndex(), -1);
    EXPECT_EQ(h.text("RadioGroup3"), "GuestMode");
    h.device.clearLog();
    h.click("Btn_Apply");
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    ASSERT_EQ(sets.size(), 1);
    EXPECT_TRUE(
        sets[0].texts().contains(QStringLiteral("dot11InternalStationConnectionPrimarySSID.1 = 7")))
        << sets[0].texts().join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(h.statusText(), "Setting Error!"); // the device refuses 7
    EXPECT_EQ(h.device.get(QStringLiteral("dot11InternalStationConnectionMultiSSID2")), "2");
}

// --- hostile and silent devices ---------------------------------------------------------------

TEST(WLANPartPage, SilentDeviceOpensAfterItsFirstReadAndCloses)
{
    Partition h(kSeeded, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attempts().size(), 2); // the band read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.device.clearLog();
    h.click("Btn_Apply");
    EXPECT_EQ(h.device.attemptCount(QStringLiteral("set")), 2); // the write and its retry
    EXPECT_EQ(h.statusText(), "Setting Error!");
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

TEST(WLANPartPage, WrongTypedConnectionIsAnErrorText)
{
    Partition h(kSeeded, {"wrongtype dot11InternalStationConnectionPrimarySSID"});
    EXPECT_TRUE(h.statusText().contains(QLatin1String("Bad SNMP syntax")))
        << h.statusText().toStdString();
    EXPECT_EQ(h.page->RadioGroup[0]->itemIndex(), -1);
    EXPECT_TRUE(h.page->Btn_Apply->isEnabled());
}

} // namespace
