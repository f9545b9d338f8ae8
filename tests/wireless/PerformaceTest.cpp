// The performance page against the simulated device: the reads in order, the save's checks, the
// objects each mode writes, what weak security takes away, legacy and 802.11n data rates, the IGMP
// snooping and multicast rate exclusion, refused writes and failed reads, a silent device and
// hostile values.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_Performace.h"

#include <ostream>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Performance = PageHarness<TFM_Performace>;

// A 2.4 GHz access point with strong security; nothing here is the simulator's default.
const Performance::Seeds kBase = {
    {"dot11Band", "0"},
    {"dot11ApMode", "1"},
    {"dot11WifiMode", "6"},
    {"dot11Authentication", "6"},
    {"dot11Encryption", "0"},
    {"dot11CipherType", "2"},
    {"dot11ChannelWidth", "1"},
    {"dot11BeaconInterval", "150"},
    {"dot11Dtim", "3"},
    {"dot11TransmitPower", "2"},
    {"dot11Wmm", "0"},
    {"dot11ShortGI", "0"},
    {"dot11Igmpsnooping", "0"},
    {"dot11RadioWave", "1"},
    {"dot11DataRate", "48"},
    {"dot11LoadBalance", "1"},
    {"dot11UserLimit", "30"},
    {"dot11LinkIntegrate", "1"},
    {"dot11AckTimeout", "90"},
    {"dot11MulticastRateGBand", "24"},
    {"dot11MulticastRateABand", "36"},
};

using Seeds = std::vector<std::pair<const char *, const char *>>;

// The base, then `more` over it, then the faults.
std::function<void(kvatest::SimulatorProcess &)> seeded(
    const Seeds &more, std::initializer_list<const char *> faults = {})
{
    const std::vector<const char *> faultList(faults);
    return [more, faultList](kvatest::SimulatorProcess &d) {
        for (const auto &[name, value] : kBase) {
            EXPECT_TRUE(d.set(QLatin1String(name), QLatin1String(value))) << name;
        }
        for (const auto &[name, value] : more) {
            EXPECT_TRUE(d.set(QLatin1String(name), QString::fromUtf8(value))) << name;
        }
        for (const char *f : faultList) {
            EXPECT_TRUE(d.fault(QLatin1String(f))) << f;
        }
    };
}

QStringList items(const QComboBox *combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts.append(combo->itemText(i));
    }
    return texts;
}

// The names each SET carried, one list per PDU.
QList<QStringList> setNames(Performance &h)
{
    QList<QStringList> out;
    for (const kvatest::LoggedPdu &pdu : h.device.requests(QStringLiteral("set"))) {
        QStringList names;
        for (const kvatest::LoggedBinding &b : pdu.bindings) {
            names.append(b.name);
        }
        out.append(names);
    }
    return out;
}

bool shown(const Performance &h, const QWidget *w)
{
    return w->isVisibleTo(h.page.get());
}

// --- opening ----------------------------------------------------------------------------------

TEST(PerformancePage, OpensWithTheBandFirstThenTheEightReadsInOrder)
{
    Performance h(seeded({}), {});
    TFM_Performace &page = *h.page;
    EXPECT_EQ(page.windowTitle(), "Advanced \\ Performance");
    EXPECT_EQ(h.statusText(), "Get OK!");
    QStringList firsts;
    for (const kvatest::LoggedPdu &pdu : h.device.requests(QStringLiteral("get"))) {
        firsts.append(pdu.bindings.value(0).name);
    }
    EXPECT_EQ(firsts,
        (QStringList{"dot11Band", "dot11Authentication", "dot11CipherType", "dot11BeaconInterval",
            "dot11ApMode", "dot11ChannelWidth", "dot11Band", "dot11MulticastRateABandList",
            "dot11WifiMode"}));
    for (const kvatest::LoggedPdu &pdu : h.device.requests()) {
        for (const kvatest::LoggedBinding &b : pdu.bindings) {
            EXPECT_NE(b.name, "dot11KeyIndex");
            EXPECT_NE(b.name, "dot11PassPhrase");
        }
    }
    EXPECT_EQ(page.Label_Ack->text(), "Ack Time Out (2.4GHz, 64~200)");
    EXPECT_EQ(page.LB_RateBand->text(), "Multicast Rate for g band");
    EXPECT_TRUE(shown(h, page.CB_WMode1));
    EXPECT_FALSE(shown(h, page.CB_WMode2));
    EXPECT_EQ(h.text("CB_WMode1"), "Mixed 802.11n,802.11g and 802.11b");
    EXPECT_EQ(items(page.CB_WMode2).size(), 3); // filled with its band's texts all the same
    EXPECT_EQ(h.text("Ed_BeInta"), "150");
    EXPECT_EQ(h.text("Ed_DTIMa"), "3");
    EXPECT_EQ(h.text("CB_TranPa"), "50%");
    EXPECT_EQ(h.text("CB_Radio"), "On");
    EXPECT_EQ(h.text("Ed_ULimit"), "30");
    EXPECT_TRUE(page.Ed_ULimit->isEnabled());
    EXPECT_EQ(h.text("Ed_AckTimeOut"), "90");
    EXPECT_EQ(h.text("CB_RateBand"), "24");
    EXPECT_EQ(page.CB_RateBand->maxVisibleItems(), 15);
    EXPECT_TRUE(page.CB_RateBand->isEnabled());
    EXPECT_TRUE(h.ui.messages.isEmpty());
}

TEST(PerformancePage, FiveGHzShowsItsSelectorLabelsAndRates)
{
    Performance h(seeded({{"dot11Band", "1"}, {"dot11WifiMode", "7"}, {"dot11DataRate", "9"}}), {});
    TFM_Performace &page = *h.page;
    EXPECT_EQ(page.Label_Ack->text(), "Ack Time Out (5GHz, 50~200)");
    EXPECT_EQ(page.LB_RateBand->text(), "Multicast Rate for a band");
    EXPECT_FALSE(shown(h, page.CB_WMode1));
    EXPECT_TRUE(shown(h, page.CB_WMode2));
    EXPECT_EQ(h.text("CB_WMode2"), "802.11a Only");
    EXPECT_EQ(items(page.CB_DRate).join(QLatin1Char(' ')), "Best(up to 54) 54 48 36 24 18 12 9 6");
    EXPECT_EQ(h.text("CB_DRate"), "9");
    EXPECT_EQ(h.text("CB_RateBand"), "36");
    // a legacy mode stops the multicast list after 54
    EXPECT_EQ(items(page.CB_RateBand).mid(items(page.CB_RateBand).size() - 2),
        (QStringList{"54", "Disable"}));
}

// --- save checks ------------------------------------------------------------------------------

struct CheckCase
{
    const char *name;
    Seeds seeds;
    const char *field;
    const char *typed;
    const char *message;
};

void PrintTo(const CheckCase &c, std::ostream *out)
{
    *out << c.name;
}

const char kBeaconText[] = "Please input a number between 25 and 500.";
const char kAck24Text[] = "The Ack TimeOut value range is 64~200.";

const CheckCase kChecks[] = {
    {"Beacon24", {}, "Ed_BeInta", "24", kBeaconText},
    {"Beacon501", {}, "Ed_BeInta", "501", kBeaconText},
    {"BeaconEmpty", {}, "Ed_BeInta", "", kBeaconText},
    {"Dtim16", {}, "Ed_DTIMa", "16", "Please input a number between 1 and 15."},
    {"UserLimit65", {}, "Ed_ULimit", "65", "The range of 'User Limit' is from 0 to 64."},
    {"Ack60On24", {}, "Ed_AckTimeOut", "60", kAck24Text},
    {"AckEmptyOn5", {{"dot11Band", "1"}, {"dot11WifiMode", "9"}}, "Ed_AckTimeOut", "",
        "The Ack TimeOut value range is 50~200."},
    // a client's beacon is not its own: only the ACK time-out is checked
    {"ClientChecksOnlyTheAck", {{"dot11ApMode", "4"}, {"dot11BeaconInterval", "5"}},
        "Ed_AckTimeOut", "60", kAck24Text},
};

class PerformanceCheck : public testing::TestWithParam<CheckCase>
{ };

TEST_P(PerformanceCheck, RefusesEmptiesFocusesAndSendsNothing)
{
    const CheckCase &c = GetParam();
    Performance h(seeded(c.seeds), {});
    h.type(c.field, c.typed);
    h.page->CB_TranPa->setFocus();
    h.device.clearLog();
    h.click("Bt_Apply_a");
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, "Error");
    EXPECT_EQ(h.text(c.field), "");
    EXPECT_EQ(h.page->focusWidget(), h.edit(c.field));
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, PerformanceCheck, testing::ValuesIn(kChecks), kvatest::caseName);

TEST(PerformancePage, AckOfSixtyIsTakenOnFiveGHz)
{
    Performance h(seeded({{"dot11Band", "1"}, {"dot11WifiMode", "9"}}), {});
    h.type("Ed_AckTimeOut", "60");
    h.click("Bt_Apply_a");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(h.statusText(), "Save OK!");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11AckTimeout")), "60");
}

// --- objects per mode -------------------------------------------------------------------------

const QStringList kFull{"dot11BeaconInterval", "dot11Dtim", "dot11TransmitPower", "dot11Wmm",
    "dot11ShortGI", "dot11Igmpsnooping", "dot11RadioWave", "dot11DataRate", "dot11LoadBalance",
    "dot11UserLimit", "dot11LinkIntegrate", "dot11AckTimeout", "dot11MulticastRateGBand"};

QStringList without(QStringList names, const QStringList &gone)
{
    for (const QString &g : gone) {
        names.removeAll(g);
    }
    return names;
}

struct ModeCase
{
    const char *name;
    Seeds seeds;
    QList<QStringList> sets;
};

void PrintTo(const ModeCase &c, std::ostream *out)
{
    *out << c.name;
}

const QStringList kWifi{"dot11WifiMode"};
const QStringList kRateG{"dot11MulticastRateGBand"};

const ModeCase kModes[] = {
    {"AccessPointWithLimit", {}, {kWifi, kFull, kRateG}},
    {"AccessPointWithoutLimit", {{"dot11LoadBalance", "0"}},
        {kWifi, without(kFull, {"dot11UserLimit"}), kRateG}},
    {"AccessPointOnFiveGHz", {{"dot11Band", "1"}, {"dot11WifiMode", "9"}},
        {kWifi,
            without(kFull, {"dot11MulticastRateGBand"}) + QStringList{"dot11MulticastRateABand"},
            {"dot11MulticastRateABand"}}},
    {"WdsWithAp", {{"dot11ApMode", "2"}},
        {kWifi, without(kFull, {"dot11LoadBalance", "dot11UserLimit"}), kRateG}},
    {"Wds", {{"dot11ApMode", "3"}},
        {kWifi, without(kFull, {"dot11LoadBalance", "dot11UserLimit"}), kRateG}},
    {"WirelessClient", {{"dot11ApMode", "4"}},
        {without(kFull,
             {"dot11BeaconInterval", "dot11Dtim", "dot11DataRate", "dot11Igmpsnooping",
                 "dot11LoadBalance", "dot11UserLimit"}),
            kRateG}},
};

class PerformanceModes : public testing::TestWithParam<ModeCase>
{ };

TEST_P(PerformanceModes, WriteTheModesObjectsInOrder)
{
    const ModeCase &c = GetParam();
    Performance h(seeded(c.seeds), {});
    h.device.clearLog();
    h.click("Bt_Apply_a");
    EXPECT_EQ(setNames(h), c.sets);
    EXPECT_EQ(h.statusText(), "Save OK!");
}

INSTANTIATE_TEST_SUITE_P(Cases, PerformanceModes, testing::ValuesIn(kModes), kvatest::caseName);

TEST(PerformancePage, ALaterSaveInAnotherModeSendsItsFullSet)
{
    Performance h(seeded({{"dot11ApMode", "3"}}), {});
    h.click("Bt_Apply_a");
    h.device.set(QStringLiteral("dot11ApMode"), QStringLiteral("1"));
    h.click("Bt_Refresh_a");
    EXPECT_EQ(h.statusText(), "Get OK!");
    h.type("Ed_ULimit", "12");
    h.device.clearLog();
    h.click("Bt_Apply_a");
    EXPECT_EQ(setNames(h), (QList<QStringList>{kWifi, kFull, kRateG}));
    EXPECT_EQ(h.device.get(QStringLiteral("dot11UserLimit")), "12");
}

// --- security ---------------------------------------------------------------------------------

struct SecurityCase
{
    const char *name;
    const char *authentication;
    const char *encryption;
    const char *cipher;
    const char *wifiMode;
    bool nOnlyOffered;
    bool stopsAt54;
    const char *modeShown;
};

void PrintTo(const SecurityCase &c, std::ostream *out)
{
    *out << c.name;
}

const char kNG[] = "Mixed 802.11n,802.11g and 802.11b";

const SecurityCase kSecurity[] = {
    {"OpenSystemWithEncryption", "1", "1", "4", "6", false, true, kNG},
    {"SharedKeyWithEncryption", "2", "1", "4", "3", false, true, "Mixed 802.11g and 802.11b"},
    {"WpaWithTkipDropsTheNOnlyMode", "4", "0", "3", "2", false, true, kNG},
    {"Wpa2WithAes", "6", "0", "2", "2", true, false, "802.11n Only"},
    {"Dot1x", "10", "1", "4", "6", true, true, kNG},
    {"OpenUnencrypted", "1", "0", "3", "6", true, false, kNG},
};

class PerformanceSecurity : public testing::TestWithParam<SecurityCase>
{ };

TEST_P(PerformanceSecurity, DecidesTheModesAndMulticastRatesOffered)
{
    const SecurityCase &c = GetParam();
    Performance h(
        seeded({{"dot11Authentication", c.authentication}, {"dot11Encryption", c.encryption},
            {"dot11CipherType", c.cipher}, {"dot11WifiMode", c.wifiMode}}),
        {});
    for (const QComboBox *modes : {h.page->CB_WMode1, h.page->CB_WMode2}) {
        EXPECT_EQ(items(modes).contains(QStringLiteral("802.11n Only")), c.nOnlyOffered)
            << modes->objectName().toStdString();
    }
    EXPECT_EQ(h.text("CB_WMode1"), c.modeShown);
    const QStringList rates = items(h.page->CB_RateBand);
    ASSERT_GE(rates.size(), 2);
    EXPECT_EQ(rates.last(), "Disable");
    EXPECT_EQ(rates[rates.size() - 2] == QLatin1String("54"), c.stopsAt54)
        << rates.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(rates.contains(QStringLiteral("65")), !c.stopsAt54);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerformanceSecurity, testing::ValuesIn(kSecurity), kvatest::caseName);

TEST(PerformancePage, StrongSecurityOnRefreshOffersNOnlyAgain)
{
    Performance h(seeded({{"dot11Authentication", "4"}, {"dot11CipherType", "3"}}), {});
    EXPECT_FALSE(items(h.page->CB_WMode1).contains(QStringLiteral("802.11n Only")));
    h.device.set(QStringLiteral("dot11CipherType"), QStringLiteral("2"));
    h.device.set(QStringLiteral("dot11WifiMode"), QStringLiteral("2"));
    h.click("Bt_Refresh_a");
    EXPECT_EQ(h.text("CB_WMode1"), "802.11n Only");
}

// --- data rates -------------------------------------------------------------------------------

struct RateCase
{
    const char *name;
    Seeds seeds;
    const char *modeChosen; // in the band's selector; nullptr for none
    const char *rateChosen; // nullptr for none
    const char *first;      // the first data rate item
    const char *rateShown;
    const char *shortGI;
    bool rateFree;
    bool shortGIFree;
    const char *written; // dot11DataRate afterwards
};

void PrintTo(const RateCase &c, std::ostream *out)
{
    *out << c.name;
}

const char kBest54[] = "Best(up to 54)";
const char kBest300[] = "Best(up to 300)";

const RateCase kRates[] = {
    {"LegacyRateFromTheDevice", {{"dot11WifiMode", "3"}, {"dot11DataRate", "054"}}, nullptr, "11",
        kBest54, "11", "Disable", true, false, "11"},
    {"LegacyAutoShownAsBestAndWrittenAsShown", {{"dot11WifiMode", "3"}, {"dot11DataRate", "Auto"}},
        nullptr, nullptr, kBest54, kBest54, "Disable", true, false, kBest54},
    {"NModeFixedAndWritesAuto", {{"dot11DataRate", "48"}, {"dot11ShortGI", "1"}}, nullptr, nullptr,
        kBest300, kBest300, "Enable", false, true, "Auto"},
    {"ChoosingLegacyOffersTheRates", {{"dot11DataRate", "5.5"}, {"dot11ShortGI", "1"}},
        "Mixed 802.11g and 802.11b", nullptr, kBest54, "5.5", "Disable", true, false, "5.5"},
    {"ChoosingNOnlyOnFiveGHz", {{"dot11Band", "1"}, {"dot11WifiMode", "7"}}, "802.11n Only",
        nullptr, kBest300, kBest300, "Disable", false, true, "Auto"},
    {"LegacyNoNumberGoesBackAsRead", {{"dot11WifiMode", "3"}, {"dot11DataRate", "abc"}}, nullptr,
        nullptr, kBest54, "", "Disable", true, false, "abc"},
};

class PerformanceRates : public testing::TestWithParam<RateCase>
{ };

TEST_P(PerformanceRates, ListedAndWrittenByTheWirelessMode)
{
    const RateCase &c = GetParam();
    Performance h(seeded(c.seeds), {});
    const bool fiveGHz = h.page->CB_WMode2->isVisibleTo(h.page.get());
    if (c.modeChosen != nullptr) {
        h.choose(fiveGHz ? "CB_WMode2" : "CB_WMode1", c.modeChosen);
    }
    if (c.rateChosen != nullptr) {
        h.choose("CB_DRate", c.rateChosen);
    }
    EXPECT_EQ(h.page->CB_DRate->itemText(0), c.first);
    EXPECT_EQ(h.text("CB_DRate"), c.rateShown);
    EXPECT_EQ(h.page->CB_DRate->isEnabled(), c.rateFree);
    EXPECT_EQ(h.text("CB_ShortGI"), c.shortGI);
    EXPECT_EQ(h.page->CB_ShortGI->isEnabled(), c.shortGIFree);
    h.click("Bt_Apply_a");
    EXPECT_EQ(h.statusText(), "Save OK!");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11DataRate")), c.written);
}

INSTANTIATE_TEST_SUITE_P(Cases, PerformanceRates, testing::ValuesIn(kRates), kvatest::caseName);

// --- IGMP snooping and the multicast rate ------------------------------------------------------

TEST(PerformancePage, IgmpSnoopingAndAMulticastRateExcludeEachOtherOnTheOperatorsChoice)
{
    Performance h(seeded({}), {});
    h.choose("CB_IGMPSnooping", "Enable");
    EXPECT_EQ(h.text("CB_RateBand"), "Disable");
    h.choose("CB_RateBand", "12");
    EXPECT_EQ(h.text("CB_IGMPSnooping"), "Disable");
    h.choose("CB_RateBand", "Disable");
    h.choose("CB_IGMPSnooping", "Enable");
    h.click("Bt_Apply_a");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11Igmpsnooping")), "1");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11MulticastRateGBand")), "Disable");

    // what the device holds is shown as it is
    h.device.set(QStringLiteral("dot11MulticastRateGBand"), QStringLiteral("24"));
    h.click("Bt_Refresh_a");
    EXPECT_EQ(h.text("CB_IGMPSnooping"), "Enable");
    EXPECT_EQ(h.text("CB_RateBand"), "24");
}

// --- refused writes and failed reads ----------------------------------------------------------

struct RefusalCase
{
    const char *name;
    const char *fault;
};

void PrintTo(const RefusalCase &c, std::ostream *out)
{
    *out << c.name;
}

const RefusalCase kRefusals[] = {
    {"WirelessModeRefused", "seterror dot11WifiMode genErr"},
    {"MulticastRateRefused", "seterror dot11MulticastRateGBand genErr"},
};

class PerformanceRefusal : public testing::TestWithParam<RefusalCase>
{ };

TEST_P(PerformanceRefusal, EveryWriteGoesOutAndTheSaveSaysItFailed)
{
    const RefusalCase &c = GetParam();
    Performance h(seeded({}, {c.fault}), {});
    h.type("Ed_DTIMa", "7");
    h.device.clearLog();
    h.click("Bt_Apply_a");
    EXPECT_EQ(setNames(h).size(), 3);
    EXPECT_EQ(h.statusText(), "Set Error!");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerformanceRefusal, testing::ValuesIn(kRefusals), kvatest::caseName);

TEST(PerformancePage, AFailedReadKeepsItsMessageAndTheRulesStillRun)
{
    Performance h(
        seeded({{"dot11Band", "1"}, {"dot11WifiMode", "9"}}, {"nosuchname dot11ChannelWidth"}), {});
    EXPECT_NE(h.statusText(), "Get OK!");
    EXPECT_FALSE(h.statusText().isEmpty());
    EXPECT_EQ(h.page->Label_Ack->text(), "Ack Time Out (5GHz, 50~200)");
    EXPECT_TRUE(h.page->CB_WMode2->isVisibleTo(h.page.get()));
    EXPECT_EQ(h.text("CB_RateBand"), "36");
    const QString failure = h.statusText();
    h.click("Bt_Refresh_a");
    EXPECT_EQ(h.statusText(), failure);
}

// --- hostile and silent devices ---------------------------------------------------------------

TEST(PerformancePage, SilentDeviceOpensAfterItsFirstReadAndCloses)
{
    Performance h(seeded({}, {"silent 60"}), {0.002, 0});
    EXPECT_EQ(h.device.attempts().size(), 2); // the band read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.type("Ed_BeInta", "100");
    h.type("Ed_DTIMa", "1");
    h.type("Ed_ULimit", "1");
    h.type("Ed_AckTimeOut", "100");
    h.device.clearLog();
    h.click("Bt_Apply_a");
    EXPECT_EQ(h.device.attemptCount(QStringLiteral("set")), 2); // the first write and its retry
    EXPECT_EQ(h.statusText(), "Set Error!");
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

TEST(PerformancePage, MulticastListWithTwoBlanksInARowMakesNoEmptyItem)
{
    Performance h(seeded({{"dot11MulticastRateGBandList", "1 2  5.5 54  65 Disable"},
                      {"dot11MulticastRateGBand", "65"}}),
        {});
    EXPECT_EQ(items(h.page->CB_RateBand), (QStringList{"1", "2", "5.5", "54", "65", "Disable"}));
    EXPECT_EQ(h.text("CB_RateBand"), "65");
}

TEST(PerformancePage, WrongTypedBandIsAnErrorText)
{
    Performance h(seeded({}, {"wrongtype dot11Band"}), {});
    EXPECT_TRUE(h.statusText().contains(QLatin1String("Bad SNMP syntax")))
        << h.statusText().toStdString();
    EXPECT_EQ(h.page->CB_Wireless->currentIndex(), -1);
    EXPECT_TRUE(h.page->Bt_Apply_a->isEnabled());
}

} // namespace
