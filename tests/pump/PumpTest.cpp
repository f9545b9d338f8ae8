// The event pump ticks only while an asynchronous exchange is outstanding: an idle module never
// wakes for it. A send starts the tick; the pass that completes the last exchange stops it; a lost
// answer is still sent again and a silent device still times out, from the tick alone.
#include "QtPrinters.h"
#include "SimulatorProcess.h"
#include "SnmpEventProcessor.h"
#include "SnmpInit.h"
#include "VtSNMPDevice.h"
#include "VtSNMPRequest.h"
#include "WaitUntil.h"

#include <optional>

#include <QCoreApplication>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const UISnmpVar kName[] = {{"1.3.6.1.2.1.1.5", "sysName", synDisplayString, vfRead}, {nullptr}};

class Pump : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
        ASSERT_TRUE(m_state.isValid());
        SnmpInit(m_state.path());
        SnmpDevice().Host = device.address();
        SnmpDevice().Port = device.port();
        SnmpSecurity().Version = 1; // v2c
        SnmpSecurity().ReadCommunity = QStringLiteral("mirtal");
        SnmpEventProcessor::Instance().Start();
    }

    /// Sends one asynchronous read of sysName; the result lands in `result` when it completes.
    void readAsync(VtSNMPRequest &r)
    {
        r.Vars = VtSNMPVarList(kName, itScalars);
        r.ReadAsync(
            [this](void *, const VtSNMPError &e, VtSNMPVarList &list) {
                result = e;
                value = list.Var(0).Value;
            },
            nullptr, true);
    }

    kvatest::SimulatorProcess device;
    std::optional<VtSNMPError> result;
    QString value;

private:
    QTemporaryDir m_state;
};

TEST_F(Pump, TicksOnlyFromASendToTheCompletionOfTheLastExchange)
{
    SnmpEventProcessor &pump = SnmpEventProcessor::Instance();
    EXPECT_TRUE(pump.IsActive());
    EXPECT_FALSE(pump.IsTicking()) << "ticking with nothing outstanding";

    VtSNMPRequest r;
    readAsync(r);
    EXPECT_TRUE(pump.IsTicking()) << "the send did not start the tick";
    ASSERT_TRUE(kvatest::waitUntil([&] { return result.has_value(); }));
    EXPECT_EQ(result->Code, 0) << result->Message.toStdString();
    EXPECT_EQ(value, device.get(QStringLiteral("sysName")));
    EXPECT_FALSE(pump.IsTicking()) << "still ticking after the last completion";

    // a second exchange starts it again, two at once keep it until both are done
    VtSNMPRequest a;
    VtSNMPRequest b;
    std::optional<VtSNMPError> first;
    a.Vars = VtSNMPVarList(kName, itScalars);
    a.ReadAsync([&](void *, const VtSNMPError &e, VtSNMPVarList &) { first = e; }, nullptr, true);
    result.reset();
    readAsync(b);
    EXPECT_TRUE(pump.IsTicking());
    ASSERT_TRUE(kvatest::waitUntil([&] { return first.has_value() && result.has_value(); }));
    EXPECT_FALSE(pump.IsTicking());

    // a stopped pump stays stopped, whatever is sent
    pump.Stop();
    result.reset();
    VtSNMPRequest c;
    readAsync(c);
    EXPECT_FALSE(pump.IsTicking());
    pump.Start();
    EXPECT_TRUE(pump.IsTicking()) << "starting with an exchange outstanding does not tick";
    ASSERT_TRUE(kvatest::waitUntil([&] { return result.has_value(); }));
    EXPECT_FALSE(pump.IsTicking());
}

// Answers that arrived together are all read by the one pass their socket's notification runs:
// the main window's three poll answers cost one pass of the event loop, not three.
TEST_F(Pump, AnswersThatArrivedTogetherAreReadInOnePass)
{
    SnmpEventProcessor &pump = SnmpEventProcessor::Instance();
    const int interval = pump.Interval();
    pump.SetInterval(3600 * 1000); // only the notification reads
    const auto restore = qScopeGuard([&] { pump.SetInterval(interval); });
    int done = 0;
    VtSNMPRequest first;
    VtSNMPRequest second;
    VtSNMPRequest third;
    for (VtSNMPRequest *r : {&first, &second, &third}) {
        r->Vars = VtSNMPVarList(kName, itScalars);
        r->ReadAsync([&](void *, const VtSNMPError &, VtSNMPVarList &) { ++done; }, nullptr, true);
    }
    // the device answers in order: once a blocking read is answered, the three answers wait
    VtSNMPRequest blocking;
    blocking.Vars = VtSNMPVarList(kName, itScalars);
    bool ok = true;
    blocking.ReadOnce(ok, true);
    ASSERT_TRUE(ok);
    EXPECT_EQ(done, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(done, 3);
}

TEST_F(Pump, ALostAnswerIsSentAgainAndTheRetryAnswered)
{
    ASSERT_TRUE(device.fault(QStringLiteral("drop 100")));
    VtSNMPRequest r;
    r.Timeout = 20;
    r.Retries = 1;
    readAsync(r);
    ASSERT_TRUE(
        kvatest::waitUntil([&] { return device.attemptCount(QStringLiteral("get")) >= 1; }));
    ASSERT_TRUE(device.fault(QStringLiteral("clear")));
    ASSERT_TRUE(kvatest::waitUntil([&] { return result.has_value(); }));
    EXPECT_EQ(result->Code, 0) << result->Message.toStdString();
    EXPECT_EQ(device.attemptCount(QStringLiteral("get")), 2);
    EXPECT_FALSE(SnmpEventProcessor::Instance().IsTicking());
}

TEST_F(Pump, ASilentDeviceTimesOutAfterItsRetry)
{
    ASSERT_TRUE(device.fault(QStringLiteral("silent 60")));
    VtSNMPRequest r;
    r.Timeout = 10;
    r.Retries = 1;
    readAsync(r);
    ASSERT_TRUE(kvatest::waitUntil([&] { return result.has_value(); }));
    EXPECT_NE(result->Code, 0);
    EXPECT_EQ(device.attemptCount(QStringLiteral("get")), 2);
    EXPECT_EQ(r.Pending, 0);
    EXPECT_FALSE(SnmpEventProcessor::Instance().IsTicking());
}

} // namespace
