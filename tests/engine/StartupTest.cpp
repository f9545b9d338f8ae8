// SNMP start-up: the boots counter file, the agent defaults and the per-request snapshot; the
// mapping of Net-SNMP's results onto the library's codes.
#include "BootCounter.h"
#include "CaseName.h"
#include "ErrorMapping.h"
#include "SnmpEventProcessor.h"
#include "SnmpInit.h"
#include "VtSNMPDevice.h"
#include "VtSNMPError.h"
#include "VtSNMPRequest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray fileText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int startupCode(const QString &dir)
{
    try {
        SnmpInit(dir);
    } catch (const VtException &e) {
        return e.Code();
    }
    return 0;
}

} // namespace

TEST(SnmpStartup, BootsCounterGrowsWithEveryStart)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QLatin1String("/VtSNMP_PP_BootCounter");
    ASSERT_EQ(startupCode(dir.path()), 0);
    EXPECT_EQ(SnmpEngineBoots(), 1u);
    const QByteArray engineHex = QByteArray(kSnmpLocalEngineId).toHex();
    EXPECT_TRUE(fileText(path).contains(QByteArray(engineHex + " 1\n")));
    ASSERT_EQ(startupCode(dir.path()), 0);
    EXPECT_EQ(SnmpEngineBoots(), 2u);
    EXPECT_TRUE(fileText(path).contains(QByteArray(engineHex + " 2\n")));
    // the counter is renamed into place: nothing of its writing is left beside it
    const QStringList left = QDir(dir.path()).entryList(QDir::Files);
    EXPECT_FALSE(left.join(u' ').contains(QLatin1String("VtSNMP_PP_BootCounter.")))
        << left.join(u' ').toStdString();

    // what an earlier process of the same id left behind is stepped over and left alone
    QFile stale(path + u'.' + QString::number(QCoreApplication::applicationPid()) + u".0");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("stale");
    stale.close();
    ASSERT_EQ(startupCode(dir.path()), 0);
    EXPECT_EQ(SnmpEngineBoots(), 3u);
    EXPECT_TRUE(fileText(path).contains(QByteArray(engineHex + " 3\n")));
    EXPECT_EQ(fileText(stale.fileName()), QByteArray("stale"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(SnmpStartup, CounterFileKeepsOtherEnginesAndRejectsCorruption)
{
    struct
    {
        const char *name;
        const char *content;
        int code;
        unsigned boots;
    } cases[] = {
        {"other engine only", "# mine\n0a0b 41\n", 0, 1},
        {"empty (a power loss after a start)", "", 0, 1},
        {"existing entry", "0a0b 41\n5674534e4d505f50505f4170706c69636174696f6e 9\n", 0, 10},
        {"not a number", "5674534e4d505f50505f4170706c69636174696f6e nine\n", -507, 0},
        {"odd hex", "abc 4\n", -507, 0},
        {"one field", "0a0b\n", -507, 0},
        {"beyond 32 bits", "0a0b 99999999999\n", -507, 0},
    };

    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.path() + QLatin1String("/VtSNMP_PP_BootCounter");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.content);
        f.close();
        EXPECT_EQ(startupCode(dir.path()), c.code);
        if (c.code == 0) {
            EXPECT_EQ(SnmpEngineBoots(), c.boots);
            if (QByteArray(c.content).contains("0a0b 41")) {
                EXPECT_TRUE(fileText(path).contains("0a0b 41\n")) << "other engines are kept";
            }
        } else {
            EXPECT_EQ(fileText(path), QByteArray(c.content)) << "a corrupt file is left alone";
        }
    }
}

TEST(SnmpStartup, UnwritableCounterIsASaveError)
{
    QTemporaryDir dir;
    // a directory below a plain file can be neither made nor written
    QFile blocker(dir.path() + QLatin1String("/file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        SnmpInit(dir.path() + QLatin1String("/file/dir"));
        ADD_FAILURE() << "no exception";
    } catch (const VtException &e) {
        EXPECT_EQ(e.Code(), -508);
        EXPECT_EQ(e.Message(), "(VtSNMP++) Error when saving SNMP engine boots counter!");
    }
}

TEST(SnmpStartup, DefaultsAndTheSnapshotOfEachRequest)
{
    QTemporaryDir dir;
    SnmpDevice().Host = QStringLiteral("10.1.1.1");
    SnmpSecurity().ReadCommunity = QStringLiteral("changed");
    SnmpDefaultTimeout() = 7;
    SnmpInit(dir.path());
    EXPECT_TRUE(SnmpEventProcessor::Instance().IsActive());

    VtSNMPRequest before;
    EXPECT_EQ(before.Host, "127.0.0.1");
    EXPECT_EQ(before.Port, 161);
    EXPECT_EQ(before.Version, 0);
    EXPECT_EQ(before.ReadCommunity, "mirtal");
    EXPECT_EQ(before.WriteCommunity, "solvane");
    EXPECT_EQ(before.SecurityModel, 1);
    EXPECT_EQ(before.SecurityLevel, 1);
    EXPECT_EQ(before.AuthProtocol, 1);
    EXPECT_EQ(before.PrivProtocol, 1);
    EXPECT_EQ(before.Timeout, 100);
    EXPECT_EQ(before.Retries, 1);
    EXPECT_TRUE(before.Alive);
    EXPECT_EQ(before.Pending, 0);

    SnmpSecurity().Version = 3;
    SnmpSecurity().SecurityName = QStringLiteral("ops");
    SnmpScope().ContextName = QStringLiteral("ctx");
    SnmpDefaultTimeout() = 1000;
    VtSNMPRequest after;
    EXPECT_EQ(after.Version, 3);
    EXPECT_EQ(after.SecurityName, "ops");
    EXPECT_EQ(after.ContextName, "ctx");
    EXPECT_EQ(after.Timeout, 1000);
    EXPECT_EQ(before.Version, 0) << "a request keeps the snapshot it was made with";
    EXPECT_EQ(before.Timeout, 100);
}

struct MappingCase
{
    const char *name;
    int libraryError;
    int errorStatus;
    int code;
};

static void PrintTo(const MappingCase &c, std::ostream *os)
{
    *os << c.name;
}

class NetSnmpStatus : public testing::TestWithParam<MappingCase>
{ };

TEST_P(NetSnmpStatus, MapsOntoTheLibraryCode)
{
    const MappingCase &c = GetParam();
    EXPECT_EQ(ErrorFromNetSnmp(c.libraryError, c.errorStatus).Code, c.code);
}

INSTANTIATE_TEST_SUITE_P(Table, NetSnmpStatus,
    testing::Values(MappingCase{"Success", 0, 0, 0}, MappingCase{"AgentNoSuchName", 0, 2, -102},
        MappingCase{"AgentInconsistentName", 0, 18, -118},
        MappingCase{"AgentStatusOutOfRange", 0, 19, -528},
        MappingCase{"TimeOutWinsOverStatus", netsnmperr::kTimeout, 5, -405},
        MappingCase{"UnknownUserReport", netsnmperr::kUnknownUserName, 0, -304},
        MappingCase{"UnknownUserLocal", netsnmperr::kUsmUnknownSecurityName, 0, -304},
        MappingCase{"AuthenticationFailure", netsnmperr::kAuthenticationFailure, 0, -308},
        MappingCase{"DecryptionError", netsnmperr::kDecryptionErr, 0, -306},
        MappingCase{"NotInTimeWindow", netsnmperr::kNotInTimeWindow, 0, -311},
        MappingCase{"UnknownEngineId", netsnmperr::kUnknownEngineId, 0, -310},
        MappingCase{"UnsupportedSecurityLevel", netsnmperr::kUnsupportedSecLevel, 0, -303},
        MappingCase{"SendFailed", netsnmperr::kBadSendto, 0, -422},
        MappingCase{"AnythingElse", netsnmperr::kGenErr, 0, -528}),
    kvatest::caseName);
