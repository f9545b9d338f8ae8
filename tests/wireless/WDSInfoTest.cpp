// The WDS information page against the simulated device: the radio's channel, the links the device
// collects on the refresh write and how each is shown, a refused refresh, a silent device and a
// value of the wrong type.
#include "PageHarness.h"
#include "QtPrinters.h"
#include "ReportListView.h"
#include "TFM_WDSInfo.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Wds = PageHarness<TFM_WDSInfo>;

// Links 1 to 4: the signal and status shown, hidden or left empty; one link without an address.
void seedLinks(kvatest::SimulatorProcess &d)
{
    EXPECT_TRUE(d.source(QStringLiteral("wds clear")));
    for (const char *entry : {
             "1 mac=00A1B2C3D4E5 auth=wpa2-psk rssi=45 ssid=North status=on",
             "2 mac=000000000000 auth=opensystem rssi=0 ssid=South status=off",
             "3 mac=00A1B2C3D4E7 auth=WEP rssi=5 ssid=East status=idle",
             "4 mac=00A1B2C3D4E8 auth=wpa2-auto-psk rssi=100 ssid=West status=On",
         }) {
        EXPECT_TRUE(d.source(QStringLiteral("wds add ") + QLatin1String(entry))) << entry;
    }
    EXPECT_TRUE(d.set(QStringLiteral("dot11Channel"), QStringLiteral("11")));
    EXPECT_TRUE(d.set(QStringLiteral("dot11Frequency"), QStringLiteral("2.462")));
}

QList<QStringList> rows(const Wds &h)
{
    QList<QStringList> out;
    ReportListView *list = h.page->WDS_ClientListView;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column) {
            cells.append(list->cell(row, column));
        }
        out.append(cells);
    }
    return out;
}

const QList<QStringList> kListed{
    {"North", "00A1B2C3D4E5", "wpa2-psk", "45%", "On"}, {"South", "", "opensystem", "", "Off"},
    {"East", "00A1B2C3D4E7", "WEP", "5%", ""},
    {"West", "00A1B2C3D4E8", "wpa2-auto-psk", "100%", ""}, // the device's "on" only
};

TEST(WDSInfoPage, OpensWithTheChannelAndTheLinksTheDeviceCollected)
{
    Wds h(seedLinks, {});
    EXPECT_EQ(h.page->windowTitle(), "Status \\ WDS Information");
    EXPECT_EQ(h.text("Lb_Channel"), "11");
    EXPECT_EQ(h.text("Lb_Band"), "2.462");
    EXPECT_EQ(rows(h), kListed);
    EXPECT_EQ(h.statusText(), "OK");
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    ASSERT_EQ(sets.size(), 1);
    EXPECT_EQ(sets[0].texts(), QStringList{"dot11WdsRefresh.1 = 1"});
    // the table's rows are 1.<link>: the first key has no column of its own
    EXPECT_EQ(h.page->WDS_ListView->cell(2, 0), "1");
    EXPECT_EQ(h.page->WDS_ListView->cell(2, 1), "3");
}

TEST(WDSInfoPage, RefreshReadsTheLinksAgain)
{
    Wds h(seedLinks, {});
    ASSERT_TRUE(h.device.source(QStringLiteral("wds del 3")));
    ASSERT_TRUE(h.device.source(QStringLiteral("wds del 4")));
    h.device.clearLog();
    h.page->Btn_Refresh->click();
    EXPECT_EQ(h.statusText(), "Refresh WDS Info...");
    EXPECT_FALSE(h.page->Btn_Refresh->isEnabled()); // no second refresh behind the first
    h.waitIdle();
    EXPECT_EQ(h.device.logCount("set"), 1);
    EXPECT_EQ(rows(h), kListed.mid(0, 2));
    EXPECT_EQ(h.statusText(), "OK");
    EXPECT_TRUE(h.page->Btn_Refresh->isEnabled());
}

TEST(WDSInfoPage, ARefusedRefreshSaysSoAndKeepsTheList)
{
    Wds h(seedLinks, {});
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror dot11WdsRefresh genErr")));
    h.click("Btn_Refresh");
    const QString status = h.statusText();
    EXPECT_TRUE(status.startsWith(QLatin1String("Get timed out!"))) << status.toStdString();
    EXPECT_GT(status.size(), QStringLiteral("Get timed out!").size());
    EXPECT_EQ(rows(h), kListed);
}

// A signal of the wrong type: the read ends with an error text, never a crash.
TEST(WDSInfoPage, ASignalOfTheWrongTypeEndsTheReadWithAnErrorText)
{
    Wds h(
        [](kvatest::SimulatorProcess &d) {
            seedLinks(d);
            EXPECT_TRUE(d.fault(QStringLiteral("wrongtype dot11WdsRssi.1.1")));
        },
        {});
    EXPECT_NE(h.statusText(), "OK");
    EXPECT_FALSE(h.statusText().isEmpty());
    EXPECT_TRUE(rows(h).isEmpty()); // nothing half-read is listed
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

TEST(WDSInfoPage, SilentDeviceOpensWithTheTimeOutAndCloses)
{
    Wds h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attemptCount("get"), 2); // the channel read and its retry
    EXPECT_EQ(h.device.logCount("set"), 0);
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    h.click("Btn_Refresh");
    EXPECT_EQ(h.statusText(), QStringLiteral("Get timed out!") + kvatest::timeoutText());
    EXPECT_TRUE(h.page->Btn_Refresh->isEnabled());
    h.page->Btn_Close->click();
    EXPECT_FALSE(h.page->isVisible());
}

} // namespace
