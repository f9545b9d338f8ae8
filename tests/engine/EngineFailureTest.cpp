// Failures of exchanges: silence, wrong credentials, structural errors, and requests that go
// away with an exchange in flight.
#include "CaseName.h"
#include "EngineFixture.h"
#include "ScopedEnv.h"
#include "VtSNMPError.h"

#include <QHostAddress>
#include <QUdpSocket>

using namespace enginetest;

namespace {

const UISnmpVar kName[] = {
    {"1.3.6.1.2.1.1.5", "sysName", synDisplayString, vfRead},
    {"1.3.6.1.2.1.1.3", "sysUpTime", synTimeTicks, vfRead},
    {nullptr},
};

struct Completions
{
    std::vector<VtSNMPError> results;

    VtSNMPCompletion callback()
    {
        return [this](void *, const VtSNMPError &e, VtSNMPVarList &) { results.push_back(e); };
    }
};

/// A loopback socket that takes datagrams and never answers.
class SilentPeer
{
public:
    SilentPeer() { m_socket.bind(QHostAddress::LocalHost, 0); }

    std::uint16_t port() const { return m_socket.localPort(); }

private:
    QUdpSocket m_socket;
};

/// Waits until `results` has one entry, then long enough for any retry of the same exchange to
/// have completed a second time.
void expectOneCompletion(const Completions &c, const VtSNMPRequest &r)
{
    EXPECT_TRUE(kvatest::waitUntil([&] { return !c.results.empty(); }));
    const int retryWindowMs = r.Timeout * 10 * (r.Retries + 1) + 200;
    EXPECT_FALSE(kvatest::waitUntil([&] { return c.results.size() > 1; }, retryWindowMs));
    EXPECT_EQ(r.Pending, 0);
}

} // namespace

struct FailureCase
{
    const char *name;
    Credentials credentials;
    const char *securityName; ///< replaces the user's name when set
    const char *authPassword; ///< replaces the user's password when set
    const char *privPassword;
    const char *community; ///< replaces the read community when set
    bool silentPeer;
    int code;
};

static void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << c.name;
}

class EngineFailure : public VtSNMPRequestTest, public testing::WithParamInterface<FailureCase>
{
protected:
    void configure(VtSNMPRequest &r)
    {
        const FailureCase &c = GetParam();
        applyCredentials(r, c.credentials);
        if (c.securityName != nullptr) {
            r.SecurityName = QLatin1String(c.securityName);
        }
        if (c.authPassword != nullptr) {
            r.AuthPassword = QLatin1String(c.authPassword);
        }
        if (c.privPassword != nullptr) {
            r.PrivPassword = QLatin1String(c.privPassword);
        }
        if (c.community != nullptr) {
            r.ReadCommunity = QLatin1String(c.community);
        }
        if (c.silentPeer) {
            r.Port = m_silent.port();
        }
        r.Timeout = 30;
        r.Retries = 1;
        r.Vars = VtSNMPVarList(kName, itScalars);
    }

    SilentPeer m_silent;
};

TEST_P(EngineFailure, BlockingReportsTheCodeOnce)
{
    RecordingRequest r;
    configure(r);
    bool ok = true;
    EXPECT_FALSE(r.ReadOnce(ok, true));
    EXPECT_FALSE(ok);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].Code, GetParam().code) << r.errors[0].Message.toStdString();
    EXPECT_EQ(r.errors[0].ErrorCount, 1u);
    EXPECT_EQ(r.ErrorCount, 1u);
    // unanswered bindings carry no value
    EXPECT_EQ(r.Vars.Var(0).Value, "");
    EXPECT_EQ(r.Vars.Var(1).Value, "(NULL)");
}

TEST_P(EngineFailure, AsyncCompletesOnceWithTheCode)
{
    RecordingRequest r;
    configure(r);
    Completions c;
    r.ReadAsync(c.callback(), nullptr, true);
    expectOneCompletion(c, r);
    ASSERT_EQ(c.results.size(), 1u);
    EXPECT_EQ(c.results[0].Code, GetParam().code) << c.results[0].Message.toStdString();
    EXPECT_TRUE(c.results[0].Finished);
    EXPECT_TRUE(r.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, EngineFailure,
    testing::Values(FailureCase{"TimeOut", kV2c, nullptr, nullptr, nullptr, nullptr, true, -405},
        FailureCase{"WrongCommunity", kV2c, nullptr, nullptr, nullptr, "wrong", false, -405},
        FailureCase{"WrongAuthPassword", kV3ShaAes, nullptr, "not-the-password", nullptr, nullptr,
            false, -308},
        // snmpd cannot tell a wrong privacy key from a damaged message and stays silent
        FailureCase{"WrongPrivPassword", kV3Md5Des, nullptr, nullptr, "not-the-password", nullptr,
            false, -405},
        FailureCase{"UnknownUser", kV3ShaAes, "nobody", nullptr, nullptr, nullptr, false, -304}),
    kvatest::caseName);

TEST_F(VtSNMPRequestTest, V3WithoutAnAnswerToTheEngineProbeTimesOut)
{
    SilentPeer silent;
    RecordingRequest r;
    applyCredentials(r, kV3ShaAes);
    r.Port = silent.port();
    r.Timeout = 20;
    r.Retries = 0;
    r.Vars = VtSNMPVarList(kName, itScalars);
    bool ok = true;
    r.ReadOnce(ok, true);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].Code, -405);
}

TEST_F(VtSNMPRequestTest, UsersSharingANameKeepTheirOwnKeys)
{
    // Net-SNMP holds one set of keys per user and engine: a request with a wrong password must
    // not spoil the next one with the right password, blocking or asynchronous
    for (const char *password : {"shapassword", "not-the-password", "shapassword"}) {
        SCOPED_TRACE(password);
        const bool right = QByteArray(password) == "shapassword";
        RecordingRequest r;
        applyCredentials(r, kV3ShaAes);
        r.AuthPassword = QLatin1String(password);
        r.Vars = VtSNMPVarList(kName, itScalars);
        bool ok = false;
        r.ReadOnce(ok, true);
        EXPECT_EQ(ok, right);
        Completions c;
        r.ReadAsync(c.callback(), nullptr, true);
        EXPECT_TRUE(kvatest::waitUntil([&] { return !c.results.empty(); }));
        ASSERT_EQ(c.results.size(), 1u);
        EXPECT_EQ(c.results[0].Code, right ? 0 : -308);
    }

    // one request whose passwords and community change between reads sends with the new ones
    RecordingRequest same;
    applyCredentials(same, kV3ShaAes);
    same.Vars = VtSNMPVarList(kName, itScalars);
    for (const char *password : {"shapassword", "not-the-password", "shapassword"}) {
        SCOPED_TRACE(password);
        same.AuthPassword = QLatin1String(password);
        bool ok = false;
        same.ReadOnce(ok, true);
        EXPECT_EQ(ok, QByteArray(password) == "shapassword");
    }
    applyCredentials(same, kV2c);
    const QString community = same.ReadCommunity;
    same.Timeout = 20;
    same.Retries = 0;
    for (const QString &sent : {community, QStringLiteral("wrong"), community}) {
        SCOPED_TRACE(sent.toStdString());
        same.ReadCommunity = sent;
        bool ok = false;
        same.ReadOnce(ok, true);
        EXPECT_EQ(ok, sent == community);
    }
}

TEST_F(VtSNMPRequestTest, StructuralFailuresThrowOrReport)
{
    RecordingRequest r;
    r.Vars = VtSNMPVarList(kName, itScalars);
    bool ok = true;

    r.Host = QStringLiteral("not a host!");
    try {
        r.ReadOnce(ok, true);
        ADD_FAILURE() << "no exception for an invalid agent address";
    } catch (const VtException &e) {
        EXPECT_EQ(e.Code(), -509);
        EXPECT_EQ(e.Message(), "(VtSNMP++) Invalid IP Address or DNS name!");
    }
    r.Host = QStringLiteral("localhost");
    r.ReadOnce(ok, true);
    EXPECT_TRUE(ok) << r.codes();
    r.errors.clear();

    try {
        r.ReadOnce(ok, false);
        ADD_FAILURE() << "no exception for get-next on scalars";
    } catch (const VtException &e) {
        EXPECT_EQ(e.Code(), -510);
    }

    r.Vars.ItemType = 4;
    ok = true;
    EXPECT_FALSE(r.ReadOnce(ok, true));
    EXPECT_FALSE(ok);
    Completions c;
    r.ReadAsync(c.callback(), nullptr, true);
    r.Write(ok);
    EXPECT_EQ(r.Pending, 0);
    ASSERT_EQ(r.errors.size(), 3u) << r.codes();
    for (const VtSNMPError &e : r.errors) {
        EXPECT_EQ(e.Code, -515);
    }
    EXPECT_TRUE(c.results.empty());
}

TEST_F(VtSNMPRequestTest, UnsupportedProtocolsAndLevelsAreReported)
{
    const struct
    {
        const char *name;
        int level;
        int auth;
        int priv;
        int code;
    } cases[] = {
        {"auth protocol beyond SHA-512", 3, 8, 3, -312},
        {"privacy protocol beyond AES-256", 3, 3, 6, -313},
        {"authentication asked without a protocol", 2, 1, 1, -303},
    };

    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingRequest r;
        applyCredentials(r, kV3ShaAes);
        r.SecurityLevel = c.level;
        r.AuthProtocol = c.auth;
        r.PrivProtocol = c.priv;
        r.Vars = VtSNMPVarList(kName, itScalars);
        bool ok = true;
        r.ReadOnce(ok, true);
        Completions async;
        r.ReadAsync(async.callback(), nullptr, true);
        EXPECT_FALSE(ok);
        ASSERT_EQ(r.errors.size(), 2u) << "blocking, then the asynchronous start";
        EXPECT_EQ(r.errors[0].Code, c.code);
        EXPECT_EQ(r.errors[1].Code, c.code);
        EXPECT_EQ(r.Pending, 0);
        EXPECT_TRUE(async.results.empty());
    }
}

TEST_F(VtSNMPRequestTest, MissingKeysOfARowAreBadKeyCount)
{
    const UISnmpVar twoKeys[] = {
        {" ", "a", synInteger, vfKey},
        {" ", "b", synInteger, vfKey},
        {"1.3.6.1.2.1.1.5", "v", synInteger, vfRead},
        {nullptr},
    };
    VtSNMPRequest r;
    r.Vars = VtSNMPVarList(twoKeys, itTable, 2);
    for (const char *suffix : {"", "5", "5.", "x.1"}) {
        SCOPED_TRACE(suffix);
        try {
            r.TakeKeys(QLatin1String(suffix));
            ADD_FAILURE() << "no exception";
        } catch (const VtException &e) {
            EXPECT_EQ(e.Code(), -514);
        }
    }
    r.TakeKeys(QStringLiteral("5.6"));
    EXPECT_EQ(r.Vars.Var(0).Value, "5");
    EXPECT_EQ(r.Vars.Var(1).Value, "6");
}

TEST_F(VtSNMPRequestTest, DestructionWaitsForTheExchangeInFlight)
{
    SilentPeer silent;
    // a much shorter exchange on the same handle times out while the destructor waits for the
    // longer one: the margin keeps that order however slowly a sanitized build runs
    RecordingRequest witness;
    witness.Port = silent.port();
    witness.Timeout = 10;
    witness.Retries = 0;
    witness.Vars = VtSNMPVarList(kName, itScalars);
    Completions early;
    witness.ReadAsync(early.callback(), nullptr, true);
    bool called = false;
    {
        VtSNMPRequest r;
        r.Port = silent.port();
        r.Timeout = 100;
        r.Retries = 0;
        r.Vars = VtSNMPVarList(kName, itScalars);
        r.ReadAsync(
            [&](void *, const VtSNMPError &, VtSNMPVarList &) { called = true; }, nullptr, true);
        EXPECT_EQ(r.Pending, 1);
    }
    EXPECT_EQ(early.results.size(), 1u) << "the destructor kept the pump going";
    EXPECT_FALSE(called) << "a request that is going away gets no completion";
}

TEST_F(VtSNMPRequestTest, CompletionAfterDestructionTouchesNothing)
{
    SilentPeer silent;
    bool called = false;
    auto gone = std::make_unique<VtSNMPRequest>();
    gone->Port = silent.port();
    gone->Timeout = 10;
    gone->Retries = 0;
    gone->Vars = VtSNMPVarList(kName, itScalars);
    gone->ReadAsync(
        [&](void *, const VtSNMPError &, VtSNMPVarList &) { called = true; }, nullptr, true);
    {
        const ScopedValue<int> noWait(VtSNMPRequest::DestroyWaitMs, 0);
        gone.reset();
    }

    // a later exchange on the same handle times out after the first one did
    RecordingRequest witness;
    witness.Port = silent.port();
    witness.Timeout = 20;
    witness.Retries = 0;
    witness.Vars = VtSNMPVarList(kName, itScalars);
    Completions c;
    witness.ReadAsync(c.callback(), nullptr, true);
    EXPECT_TRUE(kvatest::waitUntil([&] { return !c.results.empty(); }));
    EXPECT_FALSE(called);
}
