// The wireless page against the simulated device: how it opens in each mode and band, its channel
// list, the SSID checks, WDS remote APs, the site surveys, MAC clone scanning, a silent device and
// hostile values.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "ReportListView.h"
#include "TFM_Wirless.h"
#include "WirelessSecuritySection.h"

#include <ostream>

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Wireless = PageHarness<TFM_Wirless>;

bool shown(const Wireless &h, const char *name)
{
    return h.find<QWidget>(name)->isVisibleTo(h.page.get());
}

bool enabled(const Wireless &h, const char *name)
{
    return h.find<QWidget>(name)->isEnabled();
}

QStringList items(const Wireless &h, const char *combo)
{
    QStringList texts;
    QComboBox *c = h.combo(combo);
    for (int i = 0; i < c->count(); ++i) {
        texts.append(c->itemText(i));
    }
    return texts;
}

// --- opening ----------------------------------------------------------------------------------

struct OpeningCase
{
    const char *name;
    const char *mode;
    const char *band;
    const char *country;
    const char *application;
    const char *wifiMode;
    // what shows
    bool clone;
    bool wds;
    bool survey;
    bool wdsList; // the WDS survey list rather than the client's
    const char *wdsTitle;
    bool applicationShown;
    // the radio controls
    const char *modeShown;
    int modeItems;
    bool autoScanFree;
    bool broadcastFree;
    bool channelFree;
    const char *width;
    bool widthFree;
};

void PrintTo(const OpeningCase &c, std::ostream *out)
{
    *out << c.name;
}

const OpeningCase kOpenings[] = {
    {"AccessPoint24", "1", "0", "US", "1", "6", false, false, false, false, "WDS", false,
        "Access Point", 4, true, true, true, "Auto 20/40 MHz", true},
    {"AccessPoint5", "1", "1", "US", "1", "9", false, false, false, false, "WDS", false,
        "Access Point", 4, true, true, true, "Auto 20/40 MHz", true},
    {"WdsWithAp24", "2", "0", "US", "1", "6", false, true, true, true, "WDS with AP", false,
        "WDS with AP", 4, false, true, true, "Auto 20/40 MHz", true},
    {"Wds5", "3", "1", "US", "1", "9", false, true, true, true, "WDS", false, "WDS", 4, false, true,
        true, "Auto 20/40 MHz", true},
    {"Client24", "4", "0", "US", "1", "6", true, false, true, false, "WDS", false,
        "Wireless Client", 4, false, false, false, "Auto 20/40 MHz", false},
    {"KoreaNarrowInEveryMode", "3", "0", "KR", "1", "6", false, true, true, true, "WDS", false,
        "WDS", 4, false, true, true, "20MHz", false},
    {"KoreaClient", "4", "0", "KR", "1", "6", true, false, true, false, "WDS", false,
        "Wireless Client", 4, false, false, false, "20MHz", false},
    {"GbOnlyNarrow", "1", "0", "US", "1", "3", false, false, false, false, "WDS", false,
        "Access Point", 4, true, true, true, "20MHz", false},
    // 5 GHz outdoor offers two modes; a WDS device shows "Access Point"
    {"JapanOutdoorWds", "3", "1", "JP", "2", "9", false, false, false, false, "WDS", true,
        "Access Point", 2, true, true, true, "Auto 20/40 MHz", true},
    {"JapanIndoorWds", "3", "1", "JP", "1", "9", false, true, true, true, "WDS", true, "WDS", 4,
        false, true, true, "Auto 20/40 MHz", true},
};

class WirelessOpening : public testing::TestWithParam<OpeningCase>
{ };

TEST_P(WirelessOpening, ShowsWhatTheModeAndBandOffer)
{
    const OpeningCase &c = GetParam();
    Wireless h({{"dot11ApMode", c.mode}, {"dot11Band", c.band}, {"dot11Countrycode", c.country},
        {"dot11Application", c.application}, {"dot11WifiMode", c.wifiMode},
        {"dot11ChannelWidth", "2"}, {"dot11Ssid", "LabNet"}});
    EXPECT_EQ(h.page->windowTitle(), "Home \\ Wireless");
    EXPECT_EQ(h.text("Ed_SSID"), "LabNet");
    EXPECT_EQ(shown(h, "GB_MacClone"), c.clone);
    EXPECT_EQ(shown(h, "GB_WDS"), c.wds);
    EXPECT_EQ(shown(h, "GB_SiteSurvey"), c.survey);
    if (c.survey) {
        EXPECT_EQ(shown(h, "LV_WdsSiteServey"), c.wdsList);
        EXPECT_EQ(shown(h, "LV_ClientSiteServey"), !c.wdsList);
    }
    EXPECT_EQ(h.find<QGroupBox>("GB_WDS")->title(), c.wdsTitle);
    EXPECT_EQ(shown(h, "CB_Applicaiton"), c.applicationShown);
    EXPECT_EQ(enabled(h, "CB_Applicaiton"), QLatin1String(c.band) == QLatin1String("1"));
    EXPECT_EQ(h.text("CB_APMode"), c.modeShown);
    EXPECT_EQ(items(h, "CB_APMode").size(), c.modeItems);
    EXPECT_EQ(enabled(h, "CB_AuSc"), c.autoScanFree);
    EXPECT_EQ(enabled(h, "CB_SsidBroadcast"), c.broadcastFree);
    EXPECT_EQ(enabled(h, "CB_Chanal"), c.channelFree);
    EXPECT_EQ(h.text("CB_ChannelWidth"), c.width);
    EXPECT_EQ(enabled(h, "CB_ChannelWidth"), c.widthFree);
    EXPECT_TRUE(h.ui.messages.isEmpty()); // no warning while opening
    EXPECT_TRUE(enabled(h, "Bt_Apply"));
}

INSTANTIATE_TEST_SUITE_P(Cases, WirelessOpening, testing::ValuesIn(kOpenings), kvatest::caseName);

// --- channel list -----------------------------------------------------------------------------

struct ChannelCase
{
    const char *name;
    Wireless::Seeds seeds;
    const char *items; // CB_Chanal's items joined by blanks
    const char *selected;
};

void PrintTo(const ChannelCase &c, std::ostream *out)
{
    *out << c.name;
}

const ChannelCase kChannels[] = {
    {"DeviceList24", {{"dot11ABandChannelList", "1 6 11"}, {"dot11Channel", "11"}}, "1 6 11", "11"},
    {"EmptyList24", {{"dot11ABandChannelList", ""}, {"dot11Channel", "9"}},
        "1 2 3 4 5 6 7 8 9 10 11 12 13", "9"},
    {"Indoor5",
        {{"dot11Band", "1"}, {"dot11WifiMode", "9"}, {"dot11Band5GHzIndoorChannelList", "36 40 44"},
            {"dot11Channel", "40"}},
        "36 40 44", "40"},
    {"IndoorWds5NotListed",
        {{"dot11Band", "1"}, {"dot11WifiMode", "9"}, {"dot11ApMode", "3"},
            {"dot11Band5GHzIndoorWdsChannelList", "36 48"}, {"dot11Channel", "40"}},
        "36 48", "36"},
    {"JapanOutdoor",
        {{"dot11Band", "1"}, {"dot11WifiMode", "9"}, {"dot11Countrycode", "JP"},
            {"dot11Application", "2"}, {"dot11Band5GHzOutdoorChannelList", "100 104 108"},
            {"dot11Channel", "104"}},
        "100 104 108", "104"},
    {"JapanOutdoorEmptyDefault",
        {{"dot11Band", "1"}, {"dot11WifiMode", "9"}, {"dot11Countrycode", "JP"},
            {"dot11Application", "2"}, {"dot11Band5GHzOutdoorChannelList", ""},
            {"dot11Channel", "140"}},
        "100 104 108 112 116 120 124 128 132 136 140", "140"},
    // with automatic scan the list shows the channel in use
    {"AutoScanShowsTheBaseChannel",
        {{"dot11AutoChannelScan", "1"}, {"dataBaseChannel", "11"}, {"dot11Channel", "6"}},
        "1 2 3 4 5 6 7 8 9 10 11 12 13", "11"},
};

class WirelessChannels : public testing::TestWithParam<ChannelCase>
{ };

TEST_P(WirelessChannels, ListAndSelection)
{
    const ChannelCase &c = GetParam();
    Wireless h(c.seeds);
    EXPECT_EQ(items(h, "CB_Chanal").join(QLatin1Char(' ')), c.items);
    EXPECT_EQ(h.text("CB_Chanal"), c.selected);
}

INSTANTIATE_TEST_SUITE_P(Cases, WirelessChannels, testing::ValuesIn(kChannels), kvatest::caseName);

// The configured channel stays the device's until a save writes the one the list shows.
TEST(WirelessPage, AutoScanKeepsTheChannelUntilSave)
{
    Wireless h({{"dot11AutoChannelScan", "1"}, {"dataBaseChannel", "11"}, {"dot11Channel", "6"}});
    EXPECT_FALSE(enabled(h, "CB_Chanal"));
    EXPECT_EQ(h.text("Ed_Channel"), "6");
    EXPECT_EQ(h.device.get("dot11Channel"), "6");
    h.click("Bt_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success!");
    EXPECT_EQ(h.device.get("dot11Channel"), "11");
}

TEST(WirelessPage, BandIsWrittenOnlyWhenChanged)
{
    Wireless h({{"dot11Band", "0"}, {"dot11Authentication", "1"}});
    h.device.clearLog();
    h.click("Bt_Apply");
    ASSERT_EQ(h.statusText(), "Setting Success!");
    for (const kvatest::LoggedPdu &pdu : h.device.requests("set")) {
        for (const kvatest::LoggedBinding &b : pdu.bindings) {
            EXPECT_NE(b.name, "dot11Band");
        }
    }
    h.choose("CB_Band", "5GHz");
    EXPECT_EQ(h.text("CB_Chanal"), "36"); // 6 is no 5 GHz channel
    h.click("Bt_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success!");
    EXPECT_EQ(h.device.get("dot11Band"), "1");
    EXPECT_EQ(h.device.get("dot11Channel"), "36");
}

// --- SSID checks ------------------------------------------------------------------------------

struct SsidCase
{
    const char *name;
    QString ssid;
    const char *message; // "" accepted
    const char *caption;
};

void PrintTo(const SsidCase &c, std::ostream *out)
{
    *out << c.name;
}

const SsidCase kSsids[] = {
    {"ThirtyTwoAccepted", QString(32, u's'), "", ""},
    {"TrailingBlankAccepted", QStringLiteral("Lab AP "), "", ""},
    {"ThirtyThree", QString(33, u's'), "The Max Length of SSID is 32.!", "Warning"},
    {"Empty", QString(), "Please Input SSID.", "Warning"},
    {"LeadingBlank", QStringLiteral(" Lab AP"), "The first character can't be blank.", "Error"},
    {"WideCharacter", QStringLiteral("Caf\u00e9"), "Don't support chinese character !", "Error"},
};

class WirelessSsid : public testing::TestWithParam<SsidCase>
{ };

TEST_P(WirelessSsid, CheckedBeforeAnythingIsWritten)
{
    const SsidCase &c = GetParam();
    Wireless h({{"dot11Ssid", "LabNet"}, {"dot11Authentication", "1"}});
    // the device may hold what the operator cannot type: the checks see the field's text
    h.edit("Ed_SSID")->setText(c.ssid);
    h.device.clearLog();
    h.click("Bt_Apply");
    if (*c.message == '\0') {
        EXPECT_TRUE(h.ui.messages.isEmpty());
        EXPECT_EQ(h.statusText(), "Setting Success!");
        EXPECT_EQ(h.device.get("dot11Ssid"), c.ssid);
        return;
    }
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, c.caption);
    EXPECT_EQ(h.text("Ed_SSID"), "");
    EXPECT_EQ(h.page->focusWidget(), h.edit("Ed_SSID"));
    EXPECT_EQ(h.device.logCount("set"), 0);
    EXPECT_EQ(h.device.get("dot11Ssid"), "LabNet");
}

INSTANTIATE_TEST_SUITE_P(Cases, WirelessSsid, testing::ValuesIn(kSsids), kvatest::caseName);

TEST(WirelessPage, TypingStopsAtThirtyTwo)
{
    Wireless h;
    h.type("Ed_SSID", QByteArray(40, 'a').constData());
    EXPECT_EQ(h.text("Ed_SSID").size(), 32);
}

// --- hostile and silent devices ---------------------------------------------------------------

TEST(WirelessPage, OverLongSsidIsShownWholeAndRefusedAtSave)
{
    const QByteArray ssid(40, 'n');
    Wireless h({{"dot11Ssid", ssid.constData()}});
    EXPECT_EQ(h.text("Ed_SSID"), QLatin1String(ssid));
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(h.ui.lastMessage().text, "The Max Length of SSID is 32.!");
    EXPECT_EQ(h.device.logCount("set"), 0);
}

TEST(WirelessPage, WrongTypedBandIsAnErrorAndNeverWritten)
{
    Wireless h({{"dot11Authentication", "1"}}, {"wrongtype dot11Band"});
    EXPECT_TRUE(h.statusText().startsWith(QLatin1String("Get: (VtSNMP++) Bad SNMP syntax!")))
        << h.statusText().toStdString();
    EXPECT_EQ(h.page->CB_Band->currentIndex(), -1);
    h.device.clearLog();
    h.click("Bt_Apply");
    for (const kvatest::LoggedPdu &pdu : h.device.requests("set")) {
        for (const kvatest::LoggedBinding &b : pdu.bindings) {
            EXPECT_NE(b.name, "dot11Band");
            EXPECT_FALSE(b.value.isEmpty()) << b.text().toStdString();
        }
    }
}

TEST(WirelessPage, ChannelListWithANonNumber)
{
    Wireless h({{"dot11ABandChannelList", "1 6 six 11"}, {"dot11Channel", "11"},
        {"dot11Authentication", "1"}});
    EXPECT_EQ(items(h, "CB_Chanal").join(QLatin1Char(' ')), "1 6 11");
    EXPECT_TRUE(h.statusText().contains(QLatin1String("six"))) << h.statusText().toStdString();
    h.choose("CB_Chanal", "6");
    h.click("Bt_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success!");
    EXPECT_EQ(h.device.get("dot11Channel"), "6");
}

TEST(WirelessPage, SilentDeviceOpensAfterItsFirstReadAndCloses)
{
    Wireless h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attempts().size(), 2); // the first read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(h.text("Ed_ReMAddra0"), ""); // the remote AP read ended unanswered
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(h.device.attemptCount("set"), 2); // the first write and its retry, nothing after it
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

} // namespace

namespace {

// --- WDS remote APs ---------------------------------------------------------------------------

const Wireless::Seeds kWds = {
    {"dot11ApMode", "3"},
    {"dot11Authentication", "1"},
    {"dot11RemoteApMacAddressList.1.1", "00A1B2C3D4E5"},
};

TEST(WirelessWds, SlotsShowTheDevicesListAndAreEditable)
{
    Wireless h(kWds);
    EXPECT_EQ(h.text("Ed_ReMAddra0"), "00A1B2C3D4E5");
    EXPECT_EQ(h.text("Ed_ReMAddra1"), ""); // the device's empty slot
    EXPECT_FALSE(h.edit("Ed_ReMAddra0")->isReadOnly());
    EXPECT_FALSE(shown(h, "Ed_ReMAddra4"));
    h.choose("CB_APMode", "Access Point");
    EXPECT_TRUE(h.edit("Ed_ReMAddra0")->isReadOnly());
}

TEST(WirelessWds, SameAddressInAnotherCaseIsADuplicate)
{
    Wireless h(kWds);
    h.type("Ed_ReMAddra2", "00a1b2c3d4e5");
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(h.ui.lastMessage().text, "Exist same MAC address.");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.page->focusWidget(), h.edit("Ed_ReMAddra2"));
    EXPECT_EQ(h.device.logCount("set"), 0);
}

TEST(WirelessWds, EmptyFirstSlotRefusesTheSave)
{
    Wireless h(kWds);
    h.type("Ed_ReMAddra0", "");
    h.type("Ed_ReMAddra1", "00A1B2C3D4E6");
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(h.ui.lastMessage().text, "Please input MAC address in first blank space!");
    EXPECT_EQ(h.page->focusWidget(), h.edit("Ed_ReMAddra0"));
    EXPECT_EQ(h.device.logCount("set"), 0);
}

// The device appends what it is given: the save empties its list, sends the filled slots in
// order in one SET, and the refresh reads the list once.
TEST(WirelessWds, SaveReplacesTheListInSlotOrder)
{
    Wireless h(kWds);
    h.type("Ed_ReMAddra2", "00A1B2C3D4E7");
    h.type("Ed_ReMAddra1", "00a1b2c3d4e6");
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success!");
    const QList<kvatest::LoggedPdu> sets = h.device.requests("set");
    ASSERT_GE(sets.size(), 2);
    EXPECT_EQ(sets[sets.size() - 2].texts(), QStringList{"dot11RemoteApMacAddressDeleteAll.1 = 1"});
    EXPECT_EQ(sets.last().texts(),
        (QStringList{"dot11RemoteApMacAddressAdd.1 = 00A1B2C3D4E5",
            "dot11RemoteApMacAddressAdd.1 = 00A1B2C3D4E6",
            "dot11RemoteApMacAddressAdd.1 = 00A1B2C3D4E7"}));
    int walks = 0;
    for (const kvatest::LoggedPdu &pdu : h.device.requests("getnext")) {
        // a walk starts at the column itself
        walks += pdu.bindings.size() == 1 && pdu.bindings[0].instance.isEmpty()
            && pdu.bindings[0].name.endsWith(QLatin1String("2.1.3.3.1.2.1.1.2"));
    }
    EXPECT_EQ(walks, 1);
    EXPECT_EQ(h.device.get("dot11RemoteApMacAddressList.1.3"), "00A1B2C3D4E7");
    EXPECT_EQ(h.text("Ed_ReMAddra1"), "00A1B2C3D4E6");
}

// --- site survey ------------------------------------------------------------------------------

void seedNeighbours(kvatest::SimulatorProcess &d)
{
    EXPECT_TRUE(d.source(QStringLiteral("neighbours clear")));
    EXPECT_TRUE(d.source(QStringLiteral(
        "neighbours add 0022A1B2C3D4 ch=11 signal=60 ssid=\"Lab AP\" security=WPA2-PSK "
        "scans=client,wds")));
    EXPECT_TRUE(d.source(
        QStringLiteral("neighbours add 0022A1B2C3D5 ch=3 signal=40 ssid=Bridge scans=wds")));
}

// The device answers a refresh once its survey is done (the simulator's refresh time): the
// survey's time-outs must outlast it.
kvatest::PageOptions surveyTimeouts()
{
    kvatest::PageOptions o;
    o.timeoutScale = 0.1;
    return o;
}

Wireless surveyPage(const char *mode)
{
    return Wireless(
        [mode](kvatest::SimulatorProcess &d) {
            EXPECT_TRUE(d.set(QStringLiteral("dot11ApMode"), QLatin1String(mode)));
            EXPECT_TRUE(d.set(QStringLiteral("dot11Authentication"), QStringLiteral("1")));
            seedNeighbours(d);
        },
        surveyTimeouts());
}

// Clicks Scan without waiting: what the page looks like while the survey runs.
void startScan(Wireless &h)
{
    h.page->SiteScan->click();
    EXPECT_EQ(h.statusText(), "Detecting...");
    for (const char *button : {"SiteScan", "Bt_Apply", "Bt_Refresh", "Bt_Close"}) {
        EXPECT_FALSE(enabled(h, button)) << button;
    }
    h.waitIdle();
    for (const char *button : {"SiteScan", "Bt_Apply", "Bt_Refresh", "Bt_Close"}) {
        EXPECT_TRUE(enabled(h, button)) << button;
    }
}

TEST(WirelessSurvey, WdsRowFillsTheFirstFreeSlot)
{
    Wireless h = surveyPage("3");
    startScan(h);
    ReportListView *list = h.list("LV_WdsSiteServey");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->cell(1, 3), "0022A1B2C3D5");
    EXPECT_EQ(list->cell(1, 5), "Bridge");
    h.clickRow("LV_WdsSiteServey", 1);
    EXPECT_EQ(h.text("Ed_ReMAddra1"), "0022A1B2C3D5");
    h.clickRow("LV_WdsSiteServey", 1);
    EXPECT_EQ(h.ui.lastMessage().text,
        "There is an existent entry with the same MAC Address\nPlease change the MAC Address.");
    // all four slots hold addresses: a row changes nothing
    h.type("Ed_ReMAddra2", "00A1B2C3D4E7");
    h.type("Ed_ReMAddra3", "00A1B2C3D4E8");
    h.clickRow("LV_WdsSiteServey", 0);
    EXPECT_EQ(h.text("Ed_ReMAddra1"), "0022A1B2C3D5");
    EXPECT_EQ(h.text("Ed_ReMAddra2"), "00A1B2C3D4E7");
    EXPECT_EQ(h.text("Ed_ReMAddra3"), "00A1B2C3D4E8");
}

TEST(WirelessSurvey, ClientRowGivesSsidAndChannel)
{
    Wireless h = surveyPage("4");
    startScan(h);
    ReportListView *list = h.list("LV_ClientSiteServey");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->headerItem()->text(1), " CH");
    EXPECT_EQ(list->headerItem()->text(4), " Security ");
    h.clickRow("LV_ClientSiteServey", 0);
    EXPECT_EQ(h.text("Ed_SSID"), "Lab AP");
    EXPECT_EQ(h.text("CB_Chanal"), "11");
}

TEST(WirelessSurvey, RefusedRefreshShowsItsErrorAndReadsNothing)
{
    Wireless h = surveyPage("3");
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror dot11WdsSiteSurveyRefresh genErr")));
    h.device.clearLog();
    startScan(h);
    EXPECT_TRUE(h.statusText().contains(QLatin1String("genErr"), Qt::CaseInsensitive)
        || h.statusText().contains(QLatin1String("General"), Qt::CaseInsensitive))
        << h.statusText().toStdString();
    EXPECT_EQ(h.device.logCount("getnext"), 0);
    EXPECT_EQ(h.list("LV_WdsSiteServey")->topLevelItemCount(), 0);
}

TEST(WirelessSurvey, ModeChangedOnTheDeviceKeepsScanDisabled)
{
    Wireless h = surveyPage("1");
    h.choose("CB_APMode", "WDS");
    h.click("Bt_Apply");
    ASSERT_EQ(h.statusText(), "Setting Success!");
    EXPECT_EQ(h.device.get("dot11ApModeStatus"), "changed");
    EXPECT_TRUE(shown(h, "SiteScan"));
    EXPECT_FALSE(enabled(h, "SiteScan"));
    EXPECT_TRUE(enabled(h, "Bt_Apply"));
}

// --- MAC clone --------------------------------------------------------------------------------

Wireless clonePage(const char *fault = nullptr)
{
    return Wireless(
        [fault](kvatest::SimulatorProcess &d) {
            for (const auto &[name, value] :
                std::initializer_list<std::pair<const char *, const char *>>{{"dot11ApMode", "4"},
                    {"dot11Authentication", "1"}, {"dot11MacCloneStatus", "1"},
                    {"dot11MacCloneSource", "2"}, {"dot11MacCloneMacAddress", "000000000000"}}) {
                EXPECT_TRUE(d.set(QLatin1String(name), QLatin1String(value))) << name;
            }
            EXPECT_TRUE(d.source(QStringLiteral("hosts clear")));
            EXPECT_TRUE(d.source(QStringLiteral("hosts add 001B2C3D4E77")));
            if (fault != nullptr) {
                EXPECT_TRUE(d.fault(QLatin1String(fault)));
            }
        },
        {});
}

TEST(WirelessClone, ScanListsTheHostsAndARowGivesTheAddress)
{
    Wireless h = clonePage();
    EXPECT_EQ(h.text("Ed_CloneMac"), ""); // the device's "no address"
    EXPECT_TRUE(enabled(h, "Ed_CloneMac"));
    h.click("Bt_CloneScan");
    EXPECT_EQ(h.statusText(), "Scan Success");
    ASSERT_EQ(h.list("LV_MacClone")->topLevelItemCount(), 1);
    h.clickRow("LV_MacClone", 0);
    EXPECT_EQ(h.text("Ed_CloneMac"), "001B2C3D4E77");
    h.click("Bt_Apply");
    EXPECT_EQ(h.statusText(), "Setting Success!");
    EXPECT_EQ(h.device.get("dot11MacCloneMacAddress"), "001B2C3D4E77");
}

TEST(WirelessClone, RefusedRefreshIsAFailureAndReadsNothing)
{
    Wireless h = clonePage("seterror dot11MacCloneAddressRefresh genErr");
    h.device.clearLog();
    h.click("Bt_CloneScan");
    EXPECT_EQ(h.statusText(), "Scan Fail!");
    EXPECT_EQ(h.device.logCount("getnext"), 0);
}

TEST(WirelessClone, FailedListReadIsShown)
{
    Wireless h = clonePage("wrongtype dot11MacCloneListMacAddress.1");
    h.click("Bt_CloneScan");
    EXPECT_TRUE(h.statusText().startsWith(QLatin1String("(VtSNMP++) Bad SNMP syntax!")))
        << h.statusText().toStdString();
    EXPECT_TRUE(enabled(h, "Bt_Apply"));
}

TEST(WirelessClone, ShortManualAddressIsRefused)
{
    Wireless h = clonePage();
    h.type("Ed_CloneMac", "001B2C");
    h.device.clearLog();
    h.click("Bt_CloneScan");
    EXPECT_EQ(h.ui.lastMessage().text, "The length is 12 in MAC Address.");
    EXPECT_EQ(h.ui.lastMessage().caption, "Error");
    h.click("Bt_Apply");
    EXPECT_EQ(h.ui.messages.size(), 2);
    EXPECT_EQ(h.device.logCount("set"), 0);
    h.choose("Cbox_Status", "Disable");
    EXPECT_FALSE(enabled(h, "Cbox_MacSource"));
    EXPECT_FALSE(enabled(h, "Bt_CloneScan"));
}

} // namespace

namespace {

// Refresh reads what the opening read, in the same order, without the RADIUS server; Save waits
// while the remote AP list is being read (a write is not queued behind a walk).
TEST(WirelessPage, RefreshReadsAsTheOpeningDidWithoutTheRadiusServer)
{
    Wireless h({{"dot11Authentication", "6"}});
    h.close();
    h.open();
    QStringList opening;
    for (const kvatest::LoggedPdu &pdu : h.device.requests("get")) {
        opening.append(pdu.texts().join(QLatin1Char(' ')));
    }
    ASSERT_TRUE(opening.removeOne(
        QStringLiteral("dot11NetworkAccessProtection.1 dot11PrimaryRadiusServer.1 "
                       "dot11PrimaryRadiusPort.1 dot11PrimaryRadiusSecret.1 "
                       "dot11RadiusKeyUpdateInterval.1")));
    ASSERT_TRUE(h.device.set(QStringLiteral("dot11Ssid"), QStringLiteral("Elsewhere")));
    h.device.clearLog();
    h.page->Bt_Refresh->click();
    EXPECT_FALSE(enabled(h, "Bt_Apply")); // the remote AP list is still being read
    h.waitIdle();
    EXPECT_TRUE(enabled(h, "Bt_Apply"));
    QStringList refresh;
    for (const kvatest::LoggedPdu &pdu : h.device.requests("get")) {
        refresh.append(pdu.texts().join(QLatin1Char(' ')));
    }
    EXPECT_EQ(refresh, opening);
    EXPECT_EQ(h.text("Ed_SSID"), "Elsewhere");
    EXPECT_TRUE(h.ui.messages.isEmpty());
}

} // namespace
