// Reads, walks and writes against snmpd with every protocol version.
#include "CaseName.h"
#include "EngineFixture.h"
#include "SnmpEventProcessor.h"

using namespace enginetest;

namespace {

#define TABLE_ROOT "1.3.6.1.4.1.32473.99"

const UISnmpVar kSystem[] = {
    {"1.3.6.1.2.1.1.5", "sysName", synDisplayString, vfRead},
    {"1.3.6.1.2.1.1.6", "sysLocation", synDisplayString, vfRead},
    {"1.3.6.1.2.1.1.2", "sysObjectID", synOid, vfRead},
    {nullptr},
};

const UISnmpVar kContact[] = {
    {"1.3.6.1.2.1.1.4", "sysContact", synDisplayString, vfRead | vfWrite},
    {nullptr},
};

// INTEGER key and one column of each value kind
const UISnmpVar kTable1[] = {
    {" ", "key", synInteger, vfKey},
    {TABLE_ROOT ".1.1.2", "integer", synInteger, vfRead},
    {TABLE_ROOT ".1.1.3", "text", synDisplayString, vfRead | vfWrite},
    {TABLE_ROOT ".1.1.4", "address", synIpAddress, vfRead},
    {TABLE_ROOT ".1.1.5", "counter", synCounter32, vfRead},
    {TABLE_ROOT ".1.1.6", "ticks", synTimeTicks, vfRead},
    {nullptr},
};

const std::vector<QStringList> kTable1Rows = {
    {"1", "-5", "alpha", "10.0.0.1", "100", "1:00:00.00"},
    {"2", "0", "beta", "10.0.0.2", "200", "1 day 0:00:00.00"},
    {"7", "42", "gamma", "10.0.0.7", "4294967295", "0:00:00.00"},
};

// keys IpAddress, INTEGER and a length-prefixed string
const UISnmpVar kTable2[] = {
    {" ", "address", synIpAddress, vfKey},
    {" ", "number", synInteger, vfKey},
    {" ", "name", synDisplayString, vfKey},
    {TABLE_ROOT ".2.1.2", "value", synInteger, vfRead},
    {nullptr},
};

// one IMPLIED string key
const UISnmpVar kTable3[] = {
    {" ", "name", synDisplayString, vfKey | vfImplied},
    {TABLE_ROOT ".3.1.2", "value", synInteger, vfRead},
    {nullptr},
};

const UISnmpVar kTextColumn[] = {
    {" ", "key", synInteger, vfKey},
    {TABLE_ROOT ".1.1.3", "text", synDisplayString, vfRead},
    {nullptr},
};

QString read(const Credentials &c, const UISnmpVar *table, int position = 0)
{
    RecordingRequest r;
    applyCredentials(r, c);
    r.Vars = VtSNMPVarList(table, itScalars);
    bool ok = false;
    r.ReadOnce(ok, true);
    EXPECT_TRUE(ok);
    return r.Vars.Var(position).Value;
}

} // namespace

class EngineByVersion : public VtSNMPRequestTest, public testing::WithParamInterface<Credentials>
{ };

TEST_P(EngineByVersion, GetsScalarsWalksATableAndSets)
{
    const Credentials &c = GetParam();
    RecordingRequest get;
    applyCredentials(get, c);
    get.Vars = VtSNMPVarList(kSystem, itScalars);
    bool ok = false;
    EXPECT_FALSE(get.ReadOnce(ok, true));
    EXPECT_TRUE(ok);
    EXPECT_TRUE(get.errors.empty());
    EXPECT_EQ(get.Vars.Var(0).Value, "kva-test");
    EXPECT_EQ(get.Vars.Var(1).Value, "lab-7310");
    EXPECT_TRUE(get.Vars.Var(2).Value.startsWith("1.3.6.1.4.1.8072."))
        << get.Vars.Var(2).Value.toStdString();

    RecordingRequest walk;
    applyCredentials(walk, c);
    walk.Vars = VtSNMPVarList(kTable1, itTable, 1);
    EXPECT_EQ(walkBlocking(walk, &ok), kTable1Rows);
    EXPECT_TRUE(ok) << walk.codes();

    RecordingRequest set;
    applyCredentials(set, c);
    set.Vars = VtSNMPVarList(kContact, itScalars);
    set.Vars.Var(0).Value = QStringLiteral("ops-") + QLatin1String(c.name);
    set.Write(ok);
    EXPECT_TRUE(ok) << set.codes();
    EXPECT_TRUE(set.errors.empty());
    EXPECT_EQ(read(c, kContact), QStringLiteral("ops-") + QLatin1String(c.name));
}

TEST_P(EngineByVersion, AsyncWalkEqualsBlockingWalk)
{
    RecordingRequest blocking;
    applyCredentials(blocking, GetParam());
    blocking.Vars = VtSNMPVarList(kTable1, itTable, 1);
    bool ok = false;
    const std::vector<QStringList> expected = walkBlocking(blocking, &ok);

    RecordingRequest async;
    applyCredentials(async, GetParam());
    async.Vars = VtSNMPVarList(kTable1, itTable, 1);
    const AsyncWalk walk = walkAsync(async);
    ASSERT_TRUE(walk.finished);
    EXPECT_EQ(walk.rows, expected);
    for (const VtSNMPError &result : walk.results) {
        EXPECT_EQ(result.Code, 0) << result.Message.toStdString();
        EXPECT_EQ(result.AgentHost, "127.0.0.1");
        EXPECT_EQ(result.AgentPort, s_snmpd->port());
    }
    EXPECT_EQ(async.Pending, 0);
    EXPECT_TRUE(async.errors.empty());
}

// With a tick that never comes during the test, only the answers' own read notification can move
// the walk on: every row, one after the other, and the pump is still started afterwards.
TEST_F(VtSNMPRequestTest, AsyncWalkIsDrivenByTheAnswersNotByTheTick)
{
    SnmpEventProcessor &pump = SnmpEventProcessor::Instance();
    const int interval = pump.Interval();
    const bool active = pump.IsActive();
    pump.SetInterval(3600 * 1000);
    pump.Start();

    RecordingRequest async;
    applyCredentials(async, kV2c);
    async.Vars = VtSNMPVarList(kTable1, itTable, 1);
    const AsyncWalk walk = walkAsync(async);
    EXPECT_TRUE(walk.finished);
    EXPECT_EQ(walk.rows, kTable1Rows);
    EXPECT_TRUE(async.errors.empty());
    EXPECT_TRUE(pump.IsActive());

    pump.SetInterval(interval);
    if (!active) {
        pump.Stop();
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, EngineByVersion,
    testing::Values(kV1, kV2c, kV3NoAuth, kV3Md5Des, kV3ShaAes, kV3Sha256Aes256),
    kvatest::caseName);

struct ColumnCase
{
    const char *name;
    const char *previous;
    const char *received;
    bool ended;
};

static void PrintTo(const ColumnCase &c, std::ostream *os)
{
    *os << c.name;
}

class ColumnEnd : public testing::TestWithParam<ColumnCase>
{ };

TEST_P(ColumnEnd, DecidesFromTheReceivedOid)
{
    const ColumnCase &c = GetParam();
    VtSNMPRequest r;
    r.Vars = VtSNMPVarList(kTextColumn, itTable, 1);
    EXPECT_EQ(r.ColumnEnded(QStringLiteral("1.3.6.1.2.1.2.2.1.1"), QLatin1String(c.previous),
                  QLatin1String(c.received)),
        c.ended);
    r.Vars.ItemType = itInstance;
    EXPECT_FALSE(r.ColumnEnded(QStringLiteral("1.3.6.1.2.1.2.2.1.1"), QLatin1String(c.previous),
        QLatin1String(c.received)))
        << "only tables have columns that end";
}

INSTANTIATE_TEST_SUITE_P(Cases, ColumnEnd,
    testing::Values(ColumnCase{"NextRow", "1.3.6.1.2.1.2.2.1.1.1", "1.3.6.1.2.1.2.2.1.1.2", false},
        ColumnCase{"FirstRow", "", "1.3.6.1.2.1.2.2.1.1.1", false},
        ColumnCase{"NextColumn", "1.3.6.1.2.1.2.2.1.1.2", "1.3.6.1.2.1.2.2.1.2.1", true},
        ColumnCase{"SameOidAgain", "1.3.6.1.2.1.2.2.1.1.2", "1.3.6.1.2.1.2.2.1.1.2", true},
        ColumnCase{"AnswerIsTheColumnItself", "", "1.3.6.1.2.1.2.2.1.1", true},
        // column 10 starts with the text of column 1 but is another column
        ColumnCase{
            "ColumnWithALongerNumber", "1.3.6.1.2.1.2.2.1.1.2", "1.3.6.1.2.1.2.2.1.10.1", true}),
    kvatest::caseName);

TEST_F(VtSNMPRequestTest, DecodesEveryKeyOfARowWhileWalking)
{
    RecordingRequest r;
    applyCredentials(r, kV2c);
    bool ok = false;
    r.Vars = VtSNMPVarList(kTable2, itTable, 3);
    EXPECT_EQ(walkBlocking(r, &ok),
        (std::vector<QStringList>{{"192.168.1.20", "3", "eth0", "11"},
            {"192.168.1.20", "4", "wlan", "12"}, {"192.168.2.1", "1", "br", "13"}}));
    EXPECT_TRUE(ok);

    r.Vars = VtSNMPVarList(kTable3, itTable, 1);
    EXPECT_EQ(walkBlocking(r, &ok), (std::vector<QStringList>{{"ab", "21"}, {"abc", "22"}}));
    EXPECT_TRUE(ok);
    EXPECT_TRUE(r.errors.empty());
}

TEST_F(VtSNMPRequestTest, WalkEndsWhereTheColumnOrTheViewEnds)
{
    const std::vector<QStringList> texts = {{"1", "alpha"}, {"2", "beta"}, {"7", "gamma"}};

    struct
    {
        const char *name;
        int version;
        const char *community;
    } cases[] = {
        {"next object leaves the column", 1, kvatest::SnmpdProcess::kReadCommunity},
        {"v2c endOfMibView repeats the cursor", 1, kvatest::SnmpdProcess::kColumnCommunity},
        {"v1 noSuchName at the end of the view", 0, kvatest::SnmpdProcess::kColumnCommunity},
    };

    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingRequest r;
        r.Version = static_cast<std::uint8_t>(c.version);
        r.ReadCommunity = QLatin1String(c.community);
        r.Vars = VtSNMPVarList(kTextColumn, itTable, 1);
        bool ok = false;
        EXPECT_EQ(walkBlocking(r, &ok), texts);
        EXPECT_TRUE(ok);
        EXPECT_TRUE(r.errors.empty());

        RecordingRequest a;
        a.Version = r.Version;
        a.ReadCommunity = r.ReadCommunity;
        a.Vars = VtSNMPVarList(kTextColumn, itTable, 1);
        const AsyncWalk walk = walkAsync(a);
        EXPECT_EQ(walk.rows, texts);
        ASSERT_FALSE(walk.results.empty());
        EXPECT_EQ(walk.results.back().Code, 0);
        EXPECT_EQ(walk.results.back().Message, "(VtSNMP++) Ok!");
    }
}

TEST_F(VtSNMPRequestTest, WritesOnlyTheIndexedVariablesAndRestoresTheList)
{
    const UISnmpVar three[] = {
        {"1.3.6.1.2.1.1.6", "sysLocation", synDisplayString, vfRead | vfWrite},
        {"1.3.6.1.2.1.1.4", "sysContact", synDisplayString, vfRead | vfWrite},
        {"1.3.6.1.2.1.1.5", "sysName", synDisplayString, vfRead | vfWrite},
        {nullptr},
    };
    RecordingRequest r;
    applyCredentials(r, kV2c);
    r.Vars = VtSNMPVarList(three, itScalars);
    r.Vars.Var(0).Value = QStringLiteral("unchanged-0");
    r.Vars.Var(2).Value = QStringLiteral("unchanged-2");
    const QStringList values = {QStringLiteral("written-1")};
    bool ok = false;
    // sysLocation and sysName are read-only in snmpd's configuration: sending them would fail
    r.Write(ok, QStringLiteral("1"), &values);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(r.errors.empty());
    EXPECT_EQ(read(kV2c, kContact), "written-1");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(r.Vars.Var(i).Flags, vfRead | vfWrite);
    }
    EXPECT_EQ(r.Vars.Var(0).Value, "unchanged-0");
    EXPECT_EQ(r.Vars.Var(1).Value, "");
    EXPECT_EQ(r.Vars.Var(2).Value, "unchanged-2");
}

TEST_F(VtSNMPRequestTest, WritesATableRowAtItsKeys)
{
    const UISnmpVar row[] = {
        {" ", "key", synInteger, vfKey},
        {TABLE_ROOT ".1.1.3", "text", synDisplayString, vfRead | vfWrite},
        {nullptr},
    };
    RecordingRequest r;
    applyCredentials(r, kV2c);
    r.Vars = VtSNMPVarList(row, itTable, 1);
    r.Vars.Var(0).Value = QStringLiteral("2");
    r.Vars.Var(1).Value = QStringLiteral("delta");
    EXPECT_EQ(r.RowIndex(), "2");
    bool ok = false;
    r.Write(ok);
    EXPECT_TRUE(ok) << (r.errors.empty() ? "" : r.errors[0].Message.toStdString());

    RecordingRequest w;
    applyCredentials(w, kV2c);
    w.Vars = VtSNMPVarList(kTextColumn, itTable, 1);
    EXPECT_EQ(walkBlocking(w, &ok),
        (std::vector<QStringList>{{"1", "alpha"}, {"2", "delta"}, {"7", "gamma"}}));

    // the agent is shared by the suite's cases: the row goes back to what the others read
    r.Vars.Var(1).Value = QStringLiteral("beta");
    r.Write(ok);
    EXPECT_TRUE(ok);
}

TEST_F(VtSNMPRequestTest, AsyncWriteCompletesOnceWithTheAgentsStatus)
{
    const UISnmpVar missingRow[] = {
        {" ", "key", synInteger, vfKey},
        {TABLE_ROOT ".1.1.3", "text", synDisplayString, vfRead | vfWrite},
        {nullptr},
    };

    struct
    {
        const char *name;
        int version;
        const UISnmpVar *table;
        unsigned char itemType;
        const char *value;
        int code;
    } cases[] = {
        {"accepted", 1, kContact, itScalars, "async-contact", 0},
        // snmpd refuses a contact longer than 255 characters
        {"refused", 1, kContact, itScalars, nullptr, -108},
        // "(NULL)" goes out as a NULL value, which no string object takes
        {"null value", 1, kContact, itScalars, "(NULL)", -107},
        // an SNMPv1 agent answers a SET of a missing row with noSuchName: still a failure
        {"v1 missing row", 0, missingRow, itTable, "x", -102},
    };

    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingRequest r;
        applyCredentials(r, kV2c);
        r.Version = static_cast<std::uint8_t>(c.version);
        r.Vars = VtSNMPVarList(c.table, c.itemType, c.itemType == itTable ? 1 : 0);
        const int last = r.Vars.Count() - 1;
        if (c.itemType == itTable) {
            r.Vars.Var(0).Value = QStringLiteral("99");
            r.Vars.Var(last).CursorOid = QLatin1String(TABLE_ROOT ".1.1.3.99");
        }
        r.Vars.Var(last).Value =
            c.value != nullptr ? QString::fromLatin1(c.value) : QString(300, u'x');
        std::vector<VtSNMPError> results;
        r.WriteAsync(
            [&](void *, const VtSNMPError &e, VtSNMPVarList &) { results.push_back(e); }, nullptr);
        EXPECT_TRUE(kvatest::waitUntil([&] { return !results.empty(); }));
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].Code, c.code) << results[0].Message.toStdString();
        EXPECT_TRUE(results[0].Finished);
        EXPECT_TRUE(r.errors.empty());
    }
    EXPECT_EQ(read(kV2c, kContact), "async-contact");
}

TEST_F(VtSNMPRequestTest, WriteThatThrowsLeavesTheListAsItWas)
{
    const UISnmpVar two[] = {
        {"1.3.6.1.2.1.1.4", "sysContact", synDisplayString, vfRead | vfWrite},
        {"1.3.6.1.2.1.1.7", "sysServices", synInteger, vfRead | vfWrite},
        {nullptr},
    };
    RecordingRequest r;
    applyCredentials(r, kV2c);
    r.Vars = VtSNMPVarList(two, itScalars);
    r.Vars.Var(0).Value = QStringLiteral("kept");
    const QStringList values = {QStringLiteral("not a number")};
    bool ok = true;
    try {
        r.Write(ok, QStringLiteral("1"), &values);
        ADD_FAILURE() << "no exception for a value that is not a number";
    } catch (const VtException &e) {
        EXPECT_EQ(e.Code(), -511);
    }
    EXPECT_EQ(r.Vars.Var(0).Flags, vfRead | vfWrite) << "the one-write selection is undone";
    EXPECT_EQ(r.Vars.Var(0).Value, "kept");
    EXPECT_EQ(r.Vars.Var(1).Value, "");
}

// One request reused for other objects: every read sends what the list holds now, never the
// OIDs of an earlier read at the same position.
TEST_F(VtSNMPRequestTest, ReusedRequestSendsTheOidsItsListHoldsNow)
{
    RecordingRequest r;
    applyCredentials(r, kV2c);
    bool ok = false;
    r.Vars = VtSNMPVarList(kSystem, itScalars);
    r.ReadOnce(ok, true);
    EXPECT_EQ(r.Vars.Var(0).Value, "kva-test");
    r.Vars.Var(0).Oid = QStringLiteral("1.3.6.1.2.1.1.6");
    r.ReadOnce(ok, true);
    EXPECT_EQ(r.Vars.Var(0).Value, "lab-7310");

    const UISnmpVar system[] = {{"1.3.6.1.2.1.1", "system", synDisplayString, vfRead}, {nullptr}};
    r.Vars = VtSNMPVarList(system, itInstance);
    r.Vars.Instance = QStringLiteral("5.0");
    r.ReadOnce(ok, true);
    EXPECT_EQ(r.Vars.Var(0).Value, "kva-test");
    r.Vars.Instance = QStringLiteral("6.0");
    r.ReadOnce(ok, true);
    EXPECT_EQ(r.Vars.Var(0).Value, "lab-7310");
    EXPECT_TRUE(ok);
    EXPECT_TRUE(r.errors.empty());

    r.Vars.Var(0).Oid = QStringLiteral("1.3.6.x");
    try {
        r.ReadOnce(ok, true);
        ADD_FAILURE() << "no exception for an OID that is not one";
    } catch (const VtException &e) {
        EXPECT_EQ(e.Code(), -511);
    }

    // a finished walk started again begins at the top of the column
    const std::vector<QStringList> texts = {{"1", "alpha"}, {"2", "beta"}, {"7", "gamma"}};
    r.Vars = VtSNMPVarList(kTextColumn, itTable, 1);
    r.Vars.Instance.clear(); // an assigned list keeps the instance
    EXPECT_EQ(walkBlocking(r, &ok), texts);
    EXPECT_EQ(walkBlocking(r, &ok), texts);
    EXPECT_TRUE(ok);
}

TEST_F(VtSNMPRequestTest, MissingObjectsReadAsNullWithoutAnError)
{
    const UISnmpVar missing[] = {
        {"1.3.6.1.2.1.1.99", "missing", synInteger, vfRead},
        {"1.3.6.1.2.1.1.98", "missingText", synDisplayString, vfRead},
        {nullptr},
    };
    RecordingRequest r;
    applyCredentials(r, kV2c);
    r.Vars = VtSNMPVarList(missing, itScalars);
    bool ok = false;
    r.ReadOnce(ok, true);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(r.errors.empty());
    EXPECT_EQ(r.Vars.Var(0).Value, "(NULL)");
    EXPECT_EQ(r.Vars.Var(1).Value, "");
}

TEST_F(VtSNMPRequestTest, ValueOfTheWrongTypeIsNullAndBadSyntax)
{
    const UISnmpVar wrong[] = {
        {"1.3.6.1.2.1.1.5", "sysName", synDisplayString, vfRead},
        {"1.3.6.1.2.1.1.3", "sysUpTime as an address", synIpAddress, vfRead},
        {nullptr},
    };
    RecordingRequest r;
    applyCredentials(r, kV2c);
    r.Vars = VtSNMPVarList(wrong, itScalars);
    bool ok = true;
    r.ReadOnce(ok, true);
    EXPECT_FALSE(ok);
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0].Code, -511);
    EXPECT_EQ(r.Vars.Var(0).Value, "kva-test");
    EXPECT_EQ(r.Vars.Var(1).Value, "(NULL)");

    std::vector<VtSNMPError> results;
    r.ReadAsync([&](void *, const VtSNMPError &e, VtSNMPVarList &) { results.push_back(e); },
        nullptr, true);
    EXPECT_TRUE(kvatest::waitUntil([&] { return !results.empty(); }));
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].Code, -511);
    EXPECT_EQ(r.errors.size(), 1u);
}
