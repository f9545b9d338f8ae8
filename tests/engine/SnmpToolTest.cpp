// kva7310-snmp: its command line as pure functions, and the program against snmpd.
#include "CaseName.h"
#include "ChildCheck.h"
#include "QtPrinters.h"
#include "SnmpToolArgs.h"
#include "SnmpdProcess.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace snmptool;

struct ParseCase
{
    const char *name;
    const char *args;
    const char *error; ///< part of the reason, "" when the line is accepted
};

static void PrintTo(const ParseCase &c, std::ostream *os)
{
    *os << c.name;
}

const ParseCase kParse[] = {
    {"PlainGet", "get 10.0.0.1 1.3.6.1.2.1.1.5.0", ""},
    {"GluedOptions", "get -v2c -cpub 10.0.0.1:1161 .1.3.6.1.2.1.1.5.0 1.3.6.1.2.1.1.6.0", ""},
    {"FullV3",
        "walk -v 3 -u ops -l authPriv -a SHA-256 -A p1 -x AES-256 -X p2 -n ctx -t 2.5 -r 0 "
        "--async h 1.3.6.1",
        ""},
    {"SetTriples", "set h 1.3.6.1.2.1.1.4.0 s hello 1.3.6.1.2.1.1.7.0 i -3", ""},
    {"UnknownCommand", "fetch h 1.3.6", "unknown command"},
    {"MissingOid", "get h", "expected a command"},
    {"BadVersion", "get -v 2 h 1.3.6", "unknown version"},
    {"BadAuth", "get -a SHA-1 h 1.3.6", "authentication protocol"},
    {"BadPriv", "get -x AES-512 h 1.3.6", "privacy protocol"},
    {"BadLevel", "get -l secret h 1.3.6", "security level"},
    {"BadPort", "get h:70000 1.3.6", "bad port"},
    {"NameNotNumber", "get h sysName.0", "not a numeric OID"},
    {"SetIncomplete", "set h 1.3.6.1 s", "triples"},
    {"SetBadType", "set h 1.3.6.1 q 1", "unknown value type"},
    {"SetIntegerTooLarge", "set h 1.3.6.1 i 2147483648", "bad value"},
    {"SetBadAddress", "set h 1.3.6.1 a 10.0.0", "bad value"},
    {"SetOddHex", "set h 1.3.6.1 x ABC", "bad value"},
    {"OptionWithoutValue", "get -c", "needs a value"},
    {"WalkTwoOids", "walk h 1.3.6 1.3.7", "one OID"},
    {"BadTimeout", "get -t 0 h 1.3.6", "time-out"},
};

class SnmpToolParse : public testing::TestWithParam<ParseCase>
{ };

TEST_P(SnmpToolParse, AcceptsOrSaysWhy)
{
    const ParseCase &c = GetParam();
    QString error;
    const auto parsed = parse(QString::fromLatin1(c.args).split(u' '), &error);
    if (*c.error == '\0') {
        EXPECT_TRUE(parsed.has_value()) << error.toStdString();
    } else {
        EXPECT_FALSE(parsed.has_value());
        EXPECT_TRUE(error.contains(QLatin1String(c.error))) << error.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, SnmpToolParse, testing::ValuesIn(kParse), kvatest::caseName);

TEST(SnmpToolParse, FillsEveryOption)
{
    QString error;
    const auto o = parse(QStringLiteral("walk -v 3 -u ops -l authPriv -a SHA-512 -A p1 -x AES-192 "
                                        "-X p2 -n ctx -t 2.5 -r 0 --async h:1161 .1.3.6.1")
                             .split(u' '),
        &error);
    ASSERT_TRUE(o.has_value()) << error.toStdString();
    EXPECT_EQ(o->command, Command::Walk);
    EXPECT_EQ(o->version, 3);
    EXPECT_EQ(o->user, "ops");
    EXPECT_EQ(o->level, 3);
    EXPECT_EQ(o->authProtocol, 7);
    EXPECT_EQ(o->privProtocol, 4);
    EXPECT_EQ(o->authPassword, "p1");
    EXPECT_EQ(o->privPassword, "p2");
    EXPECT_EQ(o->context, "ctx");
    EXPECT_EQ(o->timeout, 250);
    EXPECT_EQ(o->retries, 0);
    EXPECT_TRUE(o->async);
    EXPECT_EQ(o->host, "h");
    EXPECT_EQ(o->port, 1161);
    EXPECT_EQ(o->oids, QStringList{"1.3.6.1"});

    const auto set =
        parse(QStringLiteral(
                  "set h 1.3.6.1.1 u 7 1.3.6.1.2 a 10.1.2.3 1.3.6.1.3 o .1.3.6 1.3.6.1.4 x 0aff "
                  "1.3.6.1.5 t 100 1.3.6.1.6 c 4294967295")
                  .split(u' '),
            &error);
    ASSERT_TRUE(set.has_value()) << error.toStdString();
    ASSERT_EQ(set->sets.size(), 6u);
    EXPECT_EQ(set->sets[0].value, SnmpWireValue::fromUnsigned(SnmpWireValue::Gauge32, 7));
    EXPECT_EQ(set->sets[1].value,
        SnmpWireValue::fromOctets(SnmpWireValue::IpAddress, QByteArray("\x0a\x01\x02\x03", 4)));
    EXPECT_EQ(set->sets[2].value, SnmpWireValue::fromOid({1, 3, 6}));
    EXPECT_EQ(set->sets[3].value,
        SnmpWireValue::fromOctets(SnmpWireValue::OctetString, QByteArray("\x0a\xff", 2)));
    EXPECT_EQ(set->sets[4].value, SnmpWireValue::fromUnsigned(SnmpWireValue::TimeTicks, 100));
    EXPECT_EQ(
        set->sets[5].value, SnmpWireValue::fromUnsigned(SnmpWireValue::Counter32, 4294967295u));
}

TEST(SnmpToolOutput, PrintsStringsAsTextOnlyWhenPrintable)
{
    using W = SnmpWireValue;
    EXPECT_EQ(valueText(W::fromOctets(W::OctetString, "kva 7310")), "kva 7310");
    EXPECT_EQ(valueText(W::fromOctets(W::OctetString, QByteArray("a\nb", 3))), "610A62");
    EXPECT_EQ(valueText(W::fromOctets(W::OctetString, QByteArray("\x00\xa0", 2))), "00A0");
    EXPECT_EQ(
        valueText(W::fromOctets(W::IpAddress, QByteArray("\x0a\x00\x00\x07", 4))), "10.0.0.7");
    EXPECT_EQ(valueText(W::fromUnsigned(W::TimeTicks, 360000)), "1:00:00.00");
    EXPECT_EQ(valueText(W::fromInteger(-5)), "-5");
    EXPECT_EQ(valueText(W::fromUnsigned(W::Counter64, 1ull << 40)), "1099511627776");
    W missing;
    missing.type = W::NoSuchObject;
    EXPECT_EQ(valueText(missing), "(NULL)");
}

namespace {

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

} // namespace

class SnmpToolAgainstSnmpd : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_snmpd = std::make_unique<kvatest::SnmpdProcess>(
            QStringList{QStringLiteral("test")}, QStringList{QStringLiteral("sysName kva-tool")});
        s_started = s_snmpd->start();
    }

    static void TearDownTestSuite() { s_snmpd.reset(); }

    void SetUp() override { ASSERT_TRUE(s_started) << s_snmpd->error().toStdString(); }

    ToolRun tool(const QString &line)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_STATE_HOME"), m_state.path());
        p.setProcessEnvironment(env);
        QStringList args = line.split(u' ', Qt::SkipEmptyParts);
        for (QString &a : args) {
            a.replace(QLatin1String("AGENT"), QStringLiteral("127.0.0.1:%1").arg(s_snmpd->port()));
        }
        p.start(qEnvironmentVariable("KVA7310_BIN_DIR") + QLatin1String("/kva7310-snmp"), args);
        ToolRun run;
        if (!p.waitForFinished(30000)) {
            p.kill();
            p.waitForFinished();
            return run;
        }
        run.exitCode = p.exitCode();
        run.out = QString::fromUtf8(p.readAllStandardOutput());
        const QByteArray err = p.readAllStandardError();
        run.err = QString::fromUtf8(err);
        kvatest::expectCleanEnd(p, err, QStringLiteral("kva7310-snmp"), -1);
        return run;
    }

    static inline std::unique_ptr<kvatest::SnmpdProcess> s_snmpd;
    static inline bool s_started = false;
    QTemporaryDir m_state;
};

TEST_F(SnmpToolAgainstSnmpd, GetsWalksAndSetsBlockingAndAsync)
{
    const QString table = QStringLiteral("1.3.6.1.4.1.32473.99.1.1.3.1 = alpha\n"
                                         "1.3.6.1.4.1.32473.99.1.1.3.2 = beta\n"
                                         "1.3.6.1.4.1.32473.99.1.1.3.7 = gamma\n");
    for (const char *mode : {"", " --async"}) {
        SCOPED_TRACE(mode);
        const QString async = QLatin1String(mode);
        ToolRun get = tool(QStringLiteral("get -v 2c -c mirtal AGENT 1.3.6.1.2.1.1.5.0 "
                                          "1.3.6.1.4.1.32473.99.1.1.4.7")
            + async);
        EXPECT_EQ(get.exitCode, 0) << get.err.toStdString();
        EXPECT_EQ(
            get.out, "1.3.6.1.2.1.1.5.0 = kva-tool\n1.3.6.1.4.1.32473.99.1.1.4.7 = 10.0.0.7\n");
        EXPECT_EQ(get.err, "");

        ToolRun next = tool(
            QStringLiteral("getnext -v 1 -c mirtal AGENT 1.3.6.1.4.1.32473.99.1.1.5.2") + async);
        EXPECT_EQ(next.out, "1.3.6.1.4.1.32473.99.1.1.5.7 = 4294967295\n");

        ToolRun walk = tool(QStringLiteral("walk -v 3 -u shaaes -l authPriv -a SHA -A shapassword "
                                           "-x AES -X aespassword AGENT 1.3.6.1.4.1.32473.99.1.1.3")
            + async);
        EXPECT_EQ(walk.exitCode, 0) << walk.err.toStdString();
        EXPECT_EQ(walk.out, table);

        const QString contact = QStringLiteral("tool") + (async.isEmpty() ? "sync" : "async");
        ToolRun set = tool(
            QStringLiteral("set -v 2c -c solvane AGENT 1.3.6.1.2.1.1.4.0 s ") + contact + async);
        EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
        EXPECT_EQ(set.out, QStringLiteral("1.3.6.1.2.1.1.4.0 = ") + contact + '\n');
        EXPECT_EQ(tool(QStringLiteral("get -c mirtal AGENT 1.3.6.1.2.1.1.4.0")).out,
            QStringLiteral("1.3.6.1.2.1.1.4.0 = ") + contact + '\n');
    }
}

TEST_F(SnmpToolAgainstSnmpd, FailuresExitNonZeroWithCodeAndMessage)
{
    const struct
    {
        const char *line;
        const char *err;
        int exitCode;
    } cases[] = {
        {"get -v 3 -u shaaes -l authNoPriv -a SHA -A wrongpassword AGENT 1.3.6.1.2.1.1.5.0",
            "error -308: (SNMPv3USM) Authentication failure!\n", 1},
        {"get -c wrong -t 0.1 -r 0 AGENT 1.3.6.1.2.1.1.5.0",
            "error -405: (SNMPClass) SNMP request timed out!\n", 1},
        {"set -c solvane AGENT 1.3.6.1.2.1.1.5.0 s renamed",
            "error -117: (SNMP) Cannot create/set variable, Not Writable!\n", 1},
        {"get -c mirtal bad_host! 1.3.6.1.2.1.1.5.0",
            "error -509: (VtSNMP++) Invalid IP Address or DNS name!\n", 1},
        {"get --bogus AGENT 1.3.6", "kva7310-snmp: unknown option --bogus", 2},
    };

    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        const ToolRun run = tool(QLatin1String(c.line));
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.err.startsWith(QLatin1String(c.err))) << run.err.toStdString();
        EXPECT_EQ(run.out, "");
    }
    const ToolRun help = tool(QStringLiteral("--help"));
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("usage: kva7310-snmp"));
}
