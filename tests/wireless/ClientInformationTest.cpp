// The client information page against the simulated device: the clients the device collects on
// the refresh write and lists after it, the close guard while it collects and lists them, a
// refused or unanswered refresh, a silent device and a hostile client address.
#include "PageHarness.h"
#include "QtPrinters.h"
#include "ReportListView.h"
#include "TClientInformation.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Clients = PageHarness<TClientInformation>;

// Three slots, one without a client; power saving on, off and a value the page does not name.
void seedClients(kvatest::SimulatorProcess &d)
{
    EXPECT_TRUE(d.source(QStringLiteral("clients clear")));
    for (const char *entry : {
             "00A0C5000001 band=G auth=wpa2-psk rssi=42 psm=1 ssid=Lab",
             "000000000000 band=N rssi=0",
             "00A0C5000003 band=A auth=opensystem rssi=17 psm=2 ssid=Guest",
         }) {
        EXPECT_TRUE(d.source(QStringLiteral("clients add ") + QLatin1String(entry))) << entry;
    }
}

QList<QStringList> rows(const Clients &h)
{
    QList<QStringList> out;
    ReportListView *list = h.page->User_ListView;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column) {
            cells.append(list->cell(row, column));
        }
        out.append(cells);
    }
    return out;
}

// A walk starts with a GET-NEXT of the bare column, which the device serves nothing at.
int walks(Clients &h)
{
    int n = 0;
    for (const kvatest::LoggedPdu &pdu : h.device.requests(QStringLiteral("getnext"))) {
        n += !pdu.bindings.isEmpty() && pdu.bindings.first().instance.isEmpty() ? 1 : 0;
    }
    return n;
}

const QList<QStringList> kListed{
    {"1", "Lab", "00A0C5000001", "G", "wpa2-psk", "42", "On"},
    {"2", "Guest", "00A0C5000003", "A", "opensystem", "17", "2"},
};

TEST(ClientInformationPage, OpensWithTheClientsTheDeviceCollected)
{
    Clients h(
        [](kvatest::SimulatorProcess &d) {
            seedClients(d);
            EXPECT_TRUE(d.set(QStringLiteral("dot11Band"), QStringLiteral("1")));
        },
        {});
    EXPECT_EQ(h.page->windowTitle(), "Status \\ Client Information");
    EXPECT_EQ(h.text("Lb_Band"), "5GHZ");
    EXPECT_EQ(rows(h), kListed);
    EXPECT_EQ(h.text("NumOfRecord"), "2");
    EXPECT_EQ(h.device.requests(QStringLiteral("set")).value(0).texts(),
        QStringList{"dot11ClientInformationRefresh.1 = 1"});
    EXPECT_EQ(h.device.logCount("set"), 1);
    EXPECT_EQ(walks(h), 1);
    EXPECT_FALSE(h.page->closeLocked());
    h.page->Bt_Close->click();
    EXPECT_FALSE(h.page->isVisible());
}

TEST(ClientInformationPage, PowerSavingOffAndTheSmallerBand)
{
    Clients h(
        [](kvatest::SimulatorProcess &d) {
            EXPECT_TRUE(d.source(QStringLiteral("clients clear")));
            EXPECT_TRUE(d.source(QStringLiteral("clients add 00A0C5000009 psm=0 ssid=Lab")));
            EXPECT_TRUE(d.set(QStringLiteral("dot11Band"), QStringLiteral("0")));
        },
        {});
    EXPECT_EQ(h.text("Lb_Band"), "2.4GHZ");
    ASSERT_EQ(rows(h).size(), 1);
    EXPECT_EQ(rows(h)[0].value(6), "Off");
}

// A slow device: one refresh write, its walk only once it completed, the page held open meanwhile.
TEST(ClientInformationPage, RefreshWritesOnceThenWalksAndHoldsThePageOpen)
{
    Clients h(seedClients, {});
    ASSERT_TRUE(h.device.fault(QStringLiteral("delay 300")));
    h.device.clearLog();
    h.page->Bt_Rfrsh->click();
    EXPECT_EQ(h.statusText(), "Detect Client Info...");
    EXPECT_EQ(h.page->User_ListView->topLevelItemCount(), 0);
    EXPECT_FALSE(h.page->Bt_Rfrsh->isEnabled()); // no second refresh queued behind the first
    ASSERT_TRUE(h.waitFor([&] { return h.device.attemptCount(QStringLiteral("set")) >= 1; }));

    h.page->close();           // the close button
    h.page->reject();          // Escape
    h.page->Bt_Close->click(); // "Close"
    EXPECT_TRUE(h.page->isVisible());

    h.waitIdle();
    EXPECT_EQ(h.device.logCount("set"), 1);
    EXPECT_EQ(walks(h), 1);
    EXPECT_EQ(rows(h), kListed); // no row twice
    EXPECT_EQ(h.text("NumOfRecord"), "2");
    EXPECT_TRUE(h.page->Bt_Rfrsh->isEnabled());
    h.page->Bt_Close->click();
    EXPECT_FALSE(h.page->isVisible());
}

TEST(ClientInformationPage, ARefusedRefreshSaysSoAndLetsThePageClose)
{
    Clients h(seedClients, {});
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror dot11ClientInformationRefresh genErr")));
    h.device.clearLog();
    h.click("Bt_Rfrsh");
    const QString status = h.statusText();
    EXPECT_TRUE(status.startsWith(QLatin1String("Detect timed out!"))) << status.toStdString();
    EXPECT_GT(status.size(), QStringLiteral("Detect timed out!").size());
    EXPECT_EQ(walks(h), 0);
    EXPECT_EQ(h.text("NumOfRecord"), "0"); // the list was cleared when the refresh started
    EXPECT_FALSE(h.page->closeLocked());
}

TEST(ClientInformationPage, AShortClientAddressEndsTheReadWithAnErrorText)
{
    Clients h(
        [](kvatest::SimulatorProcess &d) {
            seedClients(d);
            EXPECT_TRUE(d.fault(QStringLiteral("short dot11ClientMacAddress.1")));
        },
        {});
    EXPECT_FALSE(h.statusText().isEmpty());
    EXPECT_EQ(h.page->User_ListView->topLevelItemCount(), 0);
    EXPECT_FALSE(h.page->closeLocked());
}

TEST(ClientInformationPage, SilentDeviceOpensWithTheTimeOutAndCloses)
{
    Clients h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attemptCount("get"), 2); // the band read and its retry
    EXPECT_EQ(h.device.logCount("set"), 0);     // no refresh after it
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_FALSE(h.page->closeLocked());

    h.click("Bt_Rfrsh");
    EXPECT_EQ(h.statusText(), QStringLiteral("Detect timed out!") + kvatest::timeoutText());
    EXPECT_FALSE(h.page->closeLocked());
    EXPECT_TRUE(h.page->Bt_Rfrsh->isEnabled());
    h.page->Bt_Close->click();
    EXPECT_FALSE(h.page->isVisible());
}

} // namespace
