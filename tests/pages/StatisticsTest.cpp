// The Ethernet and WLAN statistics pages against the simulated device: counters shown, refreshed
// and cleared, and what the pages do when the device refuses the clear or does not answer.
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_StatWLAN.h"
#include "TFM_Static.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;

struct Counter
{
    const char *field;
    const char *object;
    bool moves; // the device counts it up while it runs
};

// What tells the two pages apart; everything else they do alike.
struct EthernetPage
{
    using Page = TFM_Static;
    static constexpr const char *clearObject = "dot3Clear";
    static constexpr const char *getOk = "Ethernet Info Get OK!";
    static constexpr const char *getError = "Ethernet Info Get Error!";
    static constexpr const char *refreshOk = "Refresh Ethernet Info OK!";
    static constexpr const char *clearOk = "Clear Ethernet Info is OK!";
    static constexpr const char *clearError = "Clear Ethernet Info Error!";
    static inline const std::vector<Counter> counters{
        {"Ed_TranPCount", "dot3TransmittedPacketCount", true},
        {"Edt_TransBCount", "dot3TransmittedBytesCount", true},
        {"Edt_DropPCount", "dot3TransmittedDroppedPacketCount", false},
        {"Edt_RecPacCount", "dot3ReceivedPacketCount", true},
        {"Edt_RecByCount", "dot3ReceivedBytesCount", true},
        {"Edt_DropPacCount", "dot3ReceivedDroppedPacketCount", false},
    };
};

struct WlanPage
{
    using Page = TFM_StatWLAN;
    static constexpr const char *clearObject = "dot11Clear";
    static constexpr const char *getOk = "Wlan Info Get OK!";
    static constexpr const char *getError = "Wlan Info Get Error!";
    static constexpr const char *refreshOk = "Refresh Wlan Info OK!";
    static constexpr const char *clearOk = "Clear Wlan Info OK!";
    static constexpr const char *clearError = "Clear Wlan Info Error!";
    static inline const std::vector<Counter> counters{
        {"Ed_TranPCount", "dot11TransmittedPacketCount", true},
        {"Edt_TransBCount", "dot11TransmittedBytesCount", true},
        {"Edt_DropPCount", "dot11TransmittedDroppedPacketCount", false},
        {"Ed_TranReCount", "dot11TransmittedRetryCount", true},
        {"Edt_RecPacCount", "dot11ReceivedPacketCount", true},
        {"Edt_RecByCount", "dot11ReceivedBytesCount", true},
        {"Edt_DropPacCount", "dot11ReceivedDroppedPacketCount", false},
        {"Edt_RecCRCCount", "dot11ReceivedCRCCount", false},
        {"Edt_RecDecErrCount", "dot11ReceivedDecryptionErrorCount", false},
        {"Edt_RecMICErrCount", "dot11ReceivedMICErrorCount", false},
        {"Edt_RecPHYErrCount", "dot11ReceivedPHYErrorCount", false},
    };
};

// For a device that does not answer: the pages' 10 s become 0.2 s.
constexpr kvatest::PageOptions kShortTimeouts{0.002, 0};

// A distinct value per counter, far from the device's own start values.
long long seedOf(std::size_t i, int round)
{
    return 7000000LL * (round + 1) + 1000LL * static_cast<long long>(i) + 1;
}

// Counters that move grow by a few hundred a second; allow for a minute of it.
bool shows(const QString &text, long long seed, bool moves)
{
    bool ok = false;
    const long long shown = text.toLongLong(&ok);
    return ok && (moves ? shown >= seed && shown < seed + 137 * 60 : shown == seed);
}

template <class P>
class StatisticsPage : public testing::Test
{
protected:
    static void seed(kvatest::SimulatorProcess &device, int round)
    {
        for (std::size_t i = 0; i < P::counters.size(); ++i) {
            ASSERT_TRUE(device.set(
                QLatin1String(P::counters[i].object), QString::number(seedOf(i, round))));
        }
    }

    static void expectSeeded(PageHarness<typename P::Page> &h, int round)
    {
        for (std::size_t i = 0; i < P::counters.size(); ++i) {
            const Counter &c = P::counters[i];
            EXPECT_PRED3(shows, h.text(c.field), seedOf(i, round), c.moves) << c.field;
        }
    }

    static QStringList fieldTexts(PageHarness<typename P::Page> &h)
    {
        QStringList texts;
        for (const Counter &c : P::counters) {
            texts.append(h.text(c.field));
        }
        return texts;
    }

    /// A page opened on a device whose counters hold seedOf(…, 0), with `faults` switched on.
    static std::unique_ptr<PageHarness<typename P::Page>> openSeeded(
        const QStringList &faults = {}, kvatest::PageOptions options = {})
    {
        return std::make_unique<PageHarness<typename P::Page>>(
            [&](kvatest::SimulatorProcess &device) {
                seed(device, 0);
                for (const QString &f : faults) {
                    EXPECT_TRUE(device.fault(f)) << f.toStdString();
                }
            },
            options);
    }
};

using Pages = testing::Types<EthernetPage, WlanPage>;

class PageNames
{
public:
    template <class T>
    static std::string GetName(int)
    {
        return std::is_same_v<T, EthernetPage> ? "Ethernet" : "Wlan";
    }
};

TYPED_TEST_SUITE(StatisticsPage, Pages, PageNames);

TYPED_TEST(StatisticsPage, OpeningShowsTheDevicesCounters)
{
    auto h = this->openSeeded();
    this->expectSeeded(*h, 0);
    EXPECT_EQ(h->statusText(), TypeParam::getOk);
}

TYPED_TEST(StatisticsPage, RefreshShowsCountersThatMoved)
{
    auto h = this->openSeeded();
    this->seed(h->device, 1);
    h->click("Bt_Refresh");
    this->expectSeeded(*h, 1);
    EXPECT_EQ(h->statusText(), TypeParam::refreshOk);
    EXPECT_TRUE(h->template find<QPushButton>("Bt_Refresh")->isEnabled());
    EXPECT_TRUE(h->template find<QPushButton>("Bt_Clear")->isEnabled());
}

TYPED_TEST(StatisticsPage, ClearResetsTheDeviceAndShowsZeros)
{
    auto h = this->openSeeded();
    h->device.clearLog();
    h->click("Bt_Clear");
    for (std::size_t i = 0; i < TypeParam::counters.size(); ++i) {
        const Counter &c = TypeParam::counters[i];
        EXPECT_EQ(h->text(c.field), "0") << c.field;
        // the device dropped what it had counted
        EXPECT_FALSE(shows(h->device.get(QLatin1String(c.object)), seedOf(i, 0), c.moves))
            << c.object;
    }
    EXPECT_EQ(h->statusText(), TypeParam::clearOk);
    const QStringList log = h->device.log();
    ASSERT_EQ(log.size(), 1) << log.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(log.first().contains(QLatin1String(" set ")));
    EXPECT_TRUE(log.first().contains(QLatin1String(TypeParam::clearObject) + QLatin1String(".1=1")))
        << log.first().toStdString();
}

// A clear the device refused or never answered leaves the counters as read and says so: the
// page's own text for a refusal, the time-out's for silence.
TYPED_TEST(StatisticsPage, FailedClearKeepsTheCounters)
{
    const QList<QPair<QString, QString>> faults{
        {QStringLiteral("seterror %1 genErr").arg(QLatin1String(TypeParam::clearObject)),
            QLatin1String(TypeParam::clearError)},
        {QStringLiteral("silent 60"), kvatest::timeoutText()}};
    for (const auto &[fault, status] : faults) {
        SCOPED_TRACE(fault.toStdString());
        auto h = this->openSeeded({}, kShortTimeouts);
        const QStringList before = this->fieldTexts(*h);
        ASSERT_TRUE(h->device.fault(fault));
        h->click("Bt_Clear");
        EXPECT_EQ(this->fieldTexts(*h), before);
        EXPECT_EQ(h->statusText(), status);
        ASSERT_TRUE(h->device.fault(QStringLiteral("clear")));
        EXPECT_NE(h->device.get(QLatin1String(TypeParam::counters.back().object)), "0");
    }
}

TYPED_TEST(StatisticsPage, SilentDeviceReportsTheTimeOutAndCloses)
{
    auto h = this->openSeeded({QStringLiteral("silent 60")}, kShortTimeouts);
    EXPECT_EQ(h->statusText(), kvatest::timeoutText());
    // nothing was ever read: the fields keep their designed texts
    for (const Counter &c : TypeParam::counters) {
        EXPECT_EQ(h->text(c.field), c.field);
    }
    h->click("Bt_Refresh");
    EXPECT_EQ(h->text(TypeParam::counters.front().field), TypeParam::counters.front().field);
    h->close();
    EXPECT_EQ(h->page, nullptr);
}

// A counter answered with the wrong type fails the read: nothing of it is shown as a count.
TYPED_TEST(StatisticsPage, WrongTypedCounterFailsTheRead)
{
    const Counter &hostile = TypeParam::counters.front();
    auto h = this->openSeeded({QStringLiteral("wrongtype ") + QLatin1String(hostile.object)});
    EXPECT_EQ(h->statusText(), TypeParam::getError);
    EXPECT_EQ(h->text(hostile.field), hostile.field);
}

} // namespace
