// The radio tables several pages share, walked against the simulated device: each descriptor's
// OIDs, keys and option lists as the device serves them.
#include "PageHarness.h"
#include "QtPrinters.h"
#include "WirelessTables.h"

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;

// One hidden list per shared table; the client table is read after its refresh.
class TablesPage : public TFM_Page
{
public:
    TablesPage(QWidget *owner, const PageContext &context)
        : TFM_Page(owner, QStringLiteral("Test \\ Tables"), context)
    {
        LV_Ssids = form().addHiddenList("LV_Ssids");
        LV_SsidNames = form().addHiddenList("LV_SsidNames");
        LV_Radius = form().addHiddenList("LV_Radius");
        LV_Clients = form().addHiddenList("LV_Clients");
        CB_Refresh = form().addHiddenCombo("CB_Refresh");
    }

    void FormCreate() override
    {
        auto *ssids = makeRequest(wireless::kMssidVars, itTable, 1000);
        ssids->BindListView(LV_Ssids, false);
        auto *names = makeRequest(wireless::kMssidSsidVars, itTable, 1000);
        names->BindListView(LV_SsidNames, false);
        auto *radius = makeRequest(wireless::kMssidRadiusVars, itTable, 1000);
        radius->BindListView(LV_Radius, false);
        auto *refresh = makeRequest(wireless::kClientRefreshVars, itInstance, 10000);
        bindControls(refresh, {CB_Refresh});
        auto *clients = makeRequest(wireless::kClientVars, itTable, 10000);
        clients->BindListView(LV_Clients, false);
        keys = {ssids->Request.Vars.KeyCount, names->Request.Vars.KeyCount,
            radius->Request.Vars.KeyCount, clients->Request.Vars.KeyCount};
        ssids->Get();
        names->Get();
        radius->Get();
        CB_Refresh->setCurrentIndex(1); // get
        refresh->Set();
        clients->Get();
    }

    ReportListView *LV_Ssids;
    ReportListView *LV_SsidNames;
    ReportListView *LV_Radius;
    ReportListView *LV_Clients;
    QComboBox *CB_Refresh;
    QList<int> keys;
};

TEST(SharedTables, WalkAsTheDeviceServesThem)
{
    PageHarness<TablesPage> h(
        [](kvatest::SimulatorProcess &d) {
            EXPECT_TRUE(d.set(QStringLiteral("dot11MssidSsid.1.3"), QStringLiteral("Guest net")));
            EXPECT_TRUE(d.source(QStringLiteral("clients clear")));
            EXPECT_TRUE(d.source(
                QStringLiteral("clients add 00A0C5123456 band=G auth=wpa2-psk rssi=42 ssid=Lab")));
        },
        {});
    EXPECT_EQ(h.page->keys, (QList<int>{2, 2, 2, 1}));
    EXPECT_TRUE(h.ui.messages.isEmpty()) << h.ui.lastMessage().text.toStdString();

    ReportListView *ssids = h.page->LV_Ssids;
    ASSERT_EQ(ssids->topLevelItemCount(), wireless::kMssidRows);
    EXPECT_EQ(ssids->cell(2, wireless::msIfIndex), "1");
    EXPECT_EQ(ssids->cell(2, wireless::msIndex), "3");
    EXPECT_EQ(ssids->cell(2, wireless::msSsid), "Guest net");
    ASSERT_EQ(h.page->LV_SsidNames->topLevelItemCount(), wireless::kMssidRows);
    EXPECT_EQ(h.page->LV_SsidNames->cell(2, wireless::mssSsid), "Guest net");
    for (int row = 0; row < wireless::kMssidRows; ++row) {
        // every enumerated column shows an option text, never a bare number
        for (int column :
            {wireless::msIndividualState, wireless::msSuppress, wireless::msAuthentication,
                wireless::msCipherType, wireless::msKeyType, wireless::msAutoRekeyControl}) {
            bool number = false;
            ssids->cell(row, column).toInt(&number);
            EXPECT_FALSE(number) << "row " << row << " column " << column << ": "
                                 << ssids->cell(row, column).toStdString();
        }
    }

    ReportListView *radius = h.page->LV_Radius;
    ASSERT_EQ(radius->topLevelItemCount(), wireless::kMssidRows);
    // the switched-out source is a hidden column, and a list shows its hidden columns first
    EXPECT_EQ(radius->cell(3, 1 + wireless::mrIndex), "4");
    EXPECT_EQ(radius->cell(3, 1 + wireless::mrPort), "1812");

    ReportListView *clients = h.page->LV_Clients;
    ASSERT_EQ(clients->topLevelItemCount(), 1);
    EXPECT_EQ(clients->cell(0, wireless::clMacAddress), "00A0C5123456");
    EXPECT_EQ(clients->cell(0, wireless::clBand), "G");
    EXPECT_EQ(clients->cell(0, wireless::clAuthentication), "wpa2-psk");
    EXPECT_EQ(clients->cell(0, wireless::clRssi), "42");
    EXPECT_EQ(clients->cell(0, wireless::clSsid), "Lab");
}

} // namespace
