// The running simulator against independent clients: Net-SNMP's snmpget / snmpset / snmpwalk (v1,
// v2c, v3) and tftp-hpa's in.tftpd as the server of its TFTP client.
#include "CaseName.h"
#include "PeerTools.h"
#include "SimulatorProcess.h"
#include "WaitUntil.h"

#include <QFile>
#include <QRegularExpression>
#include <QUdpSocket>

#include <gtest/gtest.h>

using kvatest::SimulatorProcess;
using namespace simtest;

namespace {

QStringList copyOf(const QStringList &list)
{
    return list;
}

QString oidOf(SimulatorProcess &device, const QString &name)
{
    const auto r = device.command(QStringLiteral("oid ") + name);
    EXPECT_TRUE(r.ok) << name.toStdString();
    return r.status;
}

// --- SET checks on the wire -----------------------------------------------------------------------

struct WireSetCase
{
    const char *name;
    const char *object;
    const char *type; // snmpset type letter
    const char *value;
    bool readCommunity;
    const char *v2Reason; // in snmpset's error text, "" for success
    const char *v1Reason;
};

const WireSetCase kWireSets[] = {
    {"Accepted", "sysLocation", "s", "lab", false, "", ""},
    {"OutsideEnumeration", "tftpcommand", "i", "7", false, "wrongValue", "badValue"},
    {"WrongType", "hIPAddress", "i", "1", false, "wrongType", "badValue"},
    {"NullValue", "sysName", "n", "", false, "wrongType", "badValue"},
    {"TooLong", "sysName", "s",
        "012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
        "012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
        "0123456789012345678901234567890123456789012345678901234567890123456789012345",
        false, "wrongLength", "badValue"},
    {"ShortMac", "dot11MacAccessControlMacAddressAdd", "x", "0011223344", false, "wrongLength",
        "badValue"},
    {"ReadOnly", "sysDescr", "s", "x", false, "notWritable", "noSuchName"},
    {"ReadCommunity", "sysLocation", "s", "lab", true, "noAccess", "noSuchName"},
};

void PrintTo(const WireSetCase &c, std::ostream *os)
{
    *os << c.name;
}

class WireSets : public testing::TestWithParam<std::tuple<WireSetCase, bool>>
{ };

TEST_P(WireSets, AnswerAsTheDevice)
{
    const auto &[c, v1] = GetParam();
    SimulatorProcess device;
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    const QString oid = oidOf(device, QString::fromLatin1(c.object));
    QStringList args{v1 ? QStringLiteral("-v1") : QStringLiteral("-v2c"), QStringLiteral("-c"),
        c.readCommunity ? QStringLiteral("mirtal") : QStringLiteral("solvane"),
        QStringLiteral("-t"), QStringLiteral("3"), QStringLiteral("-r"), QStringLiteral("0"),
        device.target(), oid, QString::fromLatin1(c.type), QString::fromLatin1(c.value)};
    const ToolResult r = runSnmpTool(QStringLiteral("snmpset"), args);
    const QString reason = QString::fromLatin1(v1 ? c.v1Reason : c.v2Reason);
    if (reason.isEmpty()) {
        EXPECT_TRUE(r.ok()) << r.err.toStdString();
        EXPECT_EQ(device.get(QString::fromLatin1(c.object)), QString::fromLatin1(c.value));
    } else {
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.err.contains(reason)) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("Timeout"))) << r.err.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, WireSets,
    testing::Combine(testing::ValuesIn(kWireSets), testing::Bool()), [](const auto &tc) {
        return std::string(std::get<0>(tc.param).name) + (std::get<1>(tc.param) ? "V1" : "V2c");
    });

// --- SNMPv3 ---------------------------------------------------------------------------------------

struct V3Case
{
    const char *name;
    const char *auth;     // simulator's name
    const char *toolAuth; // snmpget's -a
    const char *priv;     // "" for authNoPriv
    const char *toolPriv;
};

const V3Case kV3[] = {
    {"Md5NoPriv", "MD5", "MD5", "", ""},
    {"ShaDes", "SHA", "SHA", "DES", "DES"},
    {"Sha224Aes128", "SHA-224", "SHA-224", "AES-128", "AES"},
    {"Sha256Aes192", "SHA-256", "SHA-256", "AES-192", "AES192"},
    {"Sha384Aes256", "SHA-384", "SHA-384", "AES-256", "AES256"},
    {"Sha512Aes128", "SHA-512", "SHA-512", "AES-128", "AES128"},
};

void PrintTo(const V3Case &c, std::ostream *os)
{
    *os << c.name;
}

class V3 : public testing::TestWithParam<V3Case>
{ };

TEST_P(V3, ReadsAndWritesAndRefusesAWrongPassphrase)
{
    const V3Case &c = GetParam();
    SimulatorProcess::Options o;
    o.extraArgs = {QStringLiteral("--user"), QStringLiteral("ops"), QStringLiteral("--auth-proto"),
        QString::fromLatin1(c.auth), QStringLiteral("--auth-pass"),
        QStringLiteral("auth-secret-1")};
    if (*c.priv) {
        o.extraArgs << QStringLiteral("--priv-proto") << QString::fromLatin1(c.priv)
                    << QStringLiteral("--priv-pass") << QStringLiteral("priv-secret-2");
    }
    SimulatorProcess device(o);
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    auto args = [&](const QString &authPass) {
        QStringList a{QStringLiteral("-v3"), QStringLiteral("-u"), QStringLiteral("ops"),
            QStringLiteral("-l"),
            *c.priv ? QStringLiteral("authPriv") : QStringLiteral("authNoPriv"),
            QStringLiteral("-a"), QString::fromLatin1(c.toolAuth), QStringLiteral("-A"), authPass,
            QStringLiteral("-t"), QStringLiteral("2"), QStringLiteral("-r"), QStringLiteral("0")};
        if (*c.priv) {
            a << QStringLiteral("-x") << QString::fromLatin1(c.toolPriv) << QStringLiteral("-X")
              << QStringLiteral("priv-secret-2");
        }
        return a << device.target();
    };
    ToolResult r = runSnmpTool(QStringLiteral("snmpget"),
        args(QStringLiteral("auth-secret-1")) << QStringLiteral("1.3.6.1.2.1.1.1.0"));
    ASSERT_TRUE(r.ok()) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("KVA-7310"))) << r.out.toStdString();
    r = runSnmpTool(QStringLiteral("snmpset"),
        args(QStringLiteral("auth-secret-1")) << QStringLiteral("1.3.6.1.2.1.1.6.0")
                                              << QStringLiteral("s") << QStringLiteral("v3 lab"));
    EXPECT_TRUE(r.ok()) << r.err.toStdString();
    EXPECT_EQ(device.get(QStringLiteral("sysLocation")), QStringLiteral("v3 lab"));
    r = runSnmpTool(QStringLiteral("snmpget"),
        args(QStringLiteral("wrong-secret")) << QStringLiteral("1.3.6.1.2.1.1.1.0"));
    EXPECT_FALSE(r.ok()) << r.out.toStdString() << r.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, V3, testing::ValuesIn(kV3), kvatest::caseName);

// --- walks ----------------------------------------------------------------------------------------

TEST(Walk, ServesEveryObjectInOrderAndEndsForEachVersion)
{
    SimulatorProcess device;
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    const auto served = device.command(QStringLiteral("walk"));
    ASSERT_TRUE(served.ok);
    for (const char *version : {"-v1", "-v2c"}) {
        // snmpwalk itself refuses OIDs that do not increase
        const ToolResult r = runSnmpTool(QStringLiteral("snmpwalk"),
            {QString::fromLatin1(version), QStringLiteral("-c"), QStringLiteral("mirtal"),
                device.target(), QStringLiteral("1.3.6")});
        ASSERT_TRUE(r.ok()) << version << r.err.toStdString();
        // one line per object (a text value may hold line breaks of its own); v2c adds the end line
        const int lines =
            static_cast<int>(r.out.count(QRegularExpression(QStringLiteral("^\\.1\\.3\\.6\\."),
                                 QRegularExpression::MultilineOption))
                - r.out.count(QStringLiteral("No more variables left")));
        EXPECT_EQ(lines, served.status.toInt()) << version;
        EXPECT_FALSE(r.err.contains(QStringLiteral("not increasing")));
    }
    // past the last object: endOfMibView for v2c, noSuchName for v1
    ToolResult r = runSnmpTool(QStringLiteral("snmpgetnext"),
        v2c(device.target()) << QStringLiteral("1.3.6.1.4.1.32473.7311"));
    EXPECT_TRUE(r.out.contains(QStringLiteral("No more variables left"))) << r.out.toStdString();
    r = runSnmpTool(QStringLiteral("snmpgetnext"),
        {QStringLiteral("-v1"), QStringLiteral("-c"), QStringLiteral("mirtal"), device.target(),
            QStringLiteral("1.3.6.1.4.1.32473.7311")});
    EXPECT_TRUE(r.err.contains(QStringLiteral("noSuchName"))) << r.err.toStdString();
}

// --- commit and restart ---------------------------------------------------------------------------

QString upTime(SimulatorProcess &device, const char *timeout = "3")
{
    const ToolResult r = runSnmpTool(QStringLiteral("snmpget"),
        QStringList{QStringLiteral("-Ot")} + v2c(device.target(), false, timeout)
            << QStringLiteral("1.3.6.1.2.1.1.3.0"));
    return r.ok() ? r.out.section(QLatin1Char(' '), -1).trimmed() : QString();
}

TEST(Commit, ApplyAnswersThenGoesSilentAndComesBackWithUptimeRestarted)
{
    SimulatorProcess::Options o;
    o.restartSeconds = 2;
    SimulatorProcess device(o);
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    ASSERT_TRUE(runSnmpTool(QStringLiteral("snmpset"),
        v2c(device.target(), true) << oidOf(device, QStringLiteral("sysName"))
                                   << QStringLiteral("s") << QStringLiteral("kept"))
                    .ok());
    ASSERT_TRUE(kvatest::waitUntil([&] { return upTime(device).toLongLong() > 20; }));
    const long long before = upTime(device).toLongLong();
    const ToolResult set = runSnmpTool(QStringLiteral("snmpset"),
        v2c(device.target(), true) << oidOf(device, QStringLiteral("deviceSettingApply"))
                                   << QStringLiteral("i") << QStringLiteral("1"));
    ASSERT_TRUE(set.ok()) << set.err.toStdString();
    EXPECT_TRUE(upTime(device, "0.3").isEmpty()); // restarting: no answer
    ASSERT_TRUE(kvatest::waitUntil([&] { return !upTime(device, "0.3").isEmpty(); }, 15000));
    EXPECT_LT(upTime(device).toLongLong(), before + 200);
    EXPECT_EQ(device.get(QStringLiteral("deviceSettingApply")), QStringLiteral("0"));
    EXPECT_NE(
        device.command(QStringLiteral("stored")).lines.indexOf(QStringLiteral("sysName=kept")), -1);
}

TEST(Commit, StateFileKeepsTheStoredConfigurationAcrossRuns)
{
    QTemporaryDir dir;
    SimulatorProcess::Options o;
    o.restartSeconds = 0;
    o.statePath = dir.filePath(QStringLiteral("state.cfg"));
    {
        SimulatorProcess device(o);
        ASSERT_TRUE(device.isRunning());
        ASSERT_TRUE(runSnmpTool(QStringLiteral("snmpset"),
            v2c(device.target(), true)
                << oidOf(device, QStringLiteral("sysContact")) << QStringLiteral("s")
                << QStringLiteral("noc") << oidOf(device, QStringLiteral("deviceSettingApply"))
                << QStringLiteral("i") << QStringLiteral("1"))
                        .ok());
        ASSERT_TRUE(kvatest::waitUntil([&] { return QFile::exists(o.statePath); }));
    }
    SimulatorProcess device(o);
    ASSERT_TRUE(device.isRunning());
    EXPECT_EQ(device.get(QStringLiteral("sysContact")), QStringLiteral("noc"));
}

// --- retries --------------------------------------------------------------------------------------

QByteArray berLength(int n)
{
    if (n < 128) {
        return QByteArray(1, static_cast<char>(n));
    }
    return QByteArray{"\x82"} + static_cast<char>(n >> 8) + static_cast<char>(n & 0xff);
}

QByteArray tlv(char tag, const QByteArray &body)
{
    return QByteArray(1, tag) + berLength(static_cast<int>(body.size())) + body;
}

QByteArray berInt(int v)
{
    QByteArray b;
    do {
        b.prepend(static_cast<char>(v & 0xff));
        v >>= 8;
    } while (v > 0 || (b[0] & 0x80));
    return tlv(0x02, b);
}

QByteArray berOid(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    QByteArray b(1, static_cast<char>(40 * parts[0].toInt() + parts[1].toInt()));
    for (int i = 2; i < parts.size(); ++i) {
        quint32 v = parts[i].toUInt();
        QByteArray sub(1, static_cast<char>(v & 0x7f));
        while (v >>= 7) {
            sub.prepend(static_cast<char>(0x80 | (v & 0x7f)));
        }
        b += sub;
    }
    return tlv(0x06, b);
}

TEST(Retry, ARetriedAddRunsOnceAndGetsTheSameAnswer)
{
    SimulatorProcess device;
    ASSERT_TRUE(device.isRunning());
    const QString rows = QStringLiteral("walk dot11ARPSpoofingPreventionListIpAddress");
    const int before = device.command(rows).status.toInt();
    const QByteArray varbind = tlv(0x30,
        berOid(oidOf(device, QStringLiteral("dot11ARPSpoofingPreventionAction"))) + berInt(1));
    const QByteArray pdu =
        tlv(static_cast<char>(0xA3), berInt(4242) + berInt(0) + berInt(0) + tlv(0x30, varbind));
    const QByteArray message = tlv(0x30, berInt(1) + tlv(0x04, "solvane") + pdu);

    QUdpSocket socket;
    ASSERT_TRUE(socket.bind(QHostAddress::LocalHost, 0));
    QList<QByteArray> answers;
    auto receive = [&] {
        while (socket.hasPendingDatagrams()) {
            QByteArray d(static_cast<int>(socket.pendingDatagramSize()), '\0');
            socket.readDatagram(d.data(), d.size());
            answers << d;
        }
        return answers.size();
    };
    const QHostAddress to(device.address());
    socket.writeDatagram(message, to, device.port());
    ASSERT_TRUE(kvatest::waitUntil([&] { return receive() == 1; }));
    socket.writeDatagram(message, to, device.port()); // the same request again, as a retry
    ASSERT_TRUE(kvatest::waitUntil([&] { return receive() == 2; }));
    EXPECT_EQ(answers[0], answers[1]);
    EXPECT_EQ(device.attemptCount(QStringLiteral("set")), 2);
    EXPECT_EQ(device.command(rows).status.toInt(), before + 1);
}

// A list of no objects is read with a GET of no bindings: the device answers it, with no error.
TEST(EmptyGet, IsAnsweredWithNoError)
{
    SimulatorProcess device;
    ASSERT_TRUE(device.isRunning());
    auto message = [](char type, const QByteArray &community) {
        const QByteArray pdu = tlv(type, berInt(4243) + berInt(0) + berInt(0) + tlv(0x30, {}));
        return tlv(0x30, berInt(1) + tlv(0x04, community) + pdu);
    };
    QUdpSocket socket;
    ASSERT_TRUE(socket.bind(QHostAddress::LocalHost, 0));
    socket.writeDatagram(
        message(static_cast<char>(0xA0), "mirtal"), QHostAddress(device.address()), device.port());
    QByteArray answer;
    ASSERT_TRUE(kvatest::waitUntil([&] {
        if (!socket.hasPendingDatagrams()) {
            return false;
        }
        answer.resize(static_cast<int>(socket.pendingDatagramSize()));
        socket.readDatagram(answer.data(), answer.size());
        return true;
    }));
    EXPECT_EQ(answer.toHex(), message(static_cast<char>(0xA2), "mirtal").toHex());
    ASSERT_EQ(device.logCount(QStringLiteral("get")), 1);
    EXPECT_TRUE(device.requests(QStringLiteral("get"))[0].bindings.isEmpty());
}

// --- derived texts -------------------------------------------------------------------------------

TEST(Schedule, AddedRuleShowsItsDaysTimeFrameAndSsid)
{
    SimulatorProcess device;
    ASSERT_TRUE(device.isRunning());
    QStringList args = v2c(device.target(), true);
    auto bind = [&](const char *name, const char *type, const char *value) {
        args << oidOf(device, QString::fromLatin1(name)) << QString::fromLatin1(type)
             << QString::fromLatin1(value);
    };
    bind("dot11ScheduleRuleName", "s", "night");
    bind("dot11ScheduleDaysSelect", "i", "42"); // Mon, Wed, Fri
    bind("dot11ScheduleAllDaySelect", "i", "0");
    bind("dot11ScheduleRuleStartTime", "s", "22:00");
    bind("dot11ScheduleRuleEndTime", "s", "23:30");
    bind("dot11ScheduleSSIDIndex", "i", "1"); // the primary SSID has its rule already
    bind("dot11ScheduleAction", "i", "1");
    const ToolResult r = runSnmpTool(QStringLiteral("snmpset"), args);
    ASSERT_TRUE(r.ok()) << r.err.toStdString();
    EXPECT_EQ(device.get(QStringLiteral("dot11ScheduleListName.2")), QStringLiteral("night"));
    EXPECT_EQ(device.get(QStringLiteral("dot11ScheduleListDays.2")), QStringLiteral("Mon Wed Fri"));
    EXPECT_EQ(
        device.get(QStringLiteral("dot11ScheduleListTimeFrame.2")), QStringLiteral("22:00-23:30"));
    EXPECT_EQ(device.get(QStringLiteral("dot11ScheduleListSSID.2")),
        device.get(QStringLiteral("dot11MssidSsid.1.2")));
    EXPECT_NE(device.get(QStringLiteral("dot11ScheduleListSSID.2")), QString());
}

// --- faults ---------------------------------------------------------------------------------------

TEST(Faults, WrongTypeShortValueAndSilence)
{
    SimulatorProcess device;
    ASSERT_TRUE(device.isRunning());
    const QString descr = QStringLiteral("1.3.6.1.2.1.1.1.0");
    ASSERT_TRUE(device.fault(QStringLiteral("wrongtype sysDescr")));
    ToolResult r = runSnmpTool(QStringLiteral("snmpget"), v2c(device.target()) << descr);
    EXPECT_TRUE(r.out.contains(QStringLiteral("INTEGER"))) << r.out.toStdString();
    ASSERT_TRUE(device.fault(QStringLiteral("clear")));
    ASSERT_TRUE(device.fault(QStringLiteral("short hIPAddress")));
    r = runSnmpTool(QStringLiteral("snmpget"),
        v2c(device.target()) << oidOf(device, QStringLiteral("hIPAddress")));
    EXPECT_FALSE(r.out.contains(QStringLiteral("127.0.0.1"))) << r.out.toStdString();
    ASSERT_TRUE(device.fault(QStringLiteral("clear")));
    ASSERT_TRUE(device.fault(QStringLiteral("silent 30")));
    r = runSnmpTool(QStringLiteral("snmpget"), v2c(device.target(), false, "0.3") << descr);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Timeout"))) << r.err.toStdString();
    ASSERT_TRUE(device.fault(QStringLiteral("clear")));
    EXPECT_TRUE(runSnmpTool(QStringLiteral("snmpget"), v2c(device.target()) << descr).ok());
    ASSERT_TRUE(device.fault(QStringLiteral("seterror sysName genErr")));
    r = runSnmpTool(QStringLiteral("snmpset"),
        v2c(device.target(), true)
            << QStringLiteral("1.3.6.1.2.1.1.5.0") << QStringLiteral("s") << QStringLiteral("x"));
    EXPECT_TRUE(r.err.contains(QStringLiteral("genErr"))) << r.err.toStdString();
}

TEST(Faults, RestartInTheMiddleOfAWalkBreaksIt)
{
    SimulatorProcess::Options o;
    o.restartSeconds = 30;
    SimulatorProcess device(o);
    ASSERT_TRUE(device.isRunning());
    ASSERT_TRUE(device.fault(QStringLiteral("restartwalk 5")));
    const ToolResult r = runSnmpTool(QStringLiteral("snmpwalk"),
        v2c(device.target(), false, "0.5") << QStringLiteral("1.3.6.1.2.1.1"));
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.out.count(QLatin1Char('\n')), 4);
}

// --- TFTP client against in.tftpd -------------------------------------------------------------------

struct TftpFixture : testing::Test
{
    TftpServer server;
    std::unique_ptr<SimulatorProcess> device;

    void SetUp() override
    {
        ASSERT_TRUE(server.isRunning());
        SimulatorProcess::Options o;
        o.tftpPort = server.port();
        o.restartSeconds = 0;
        device = std::make_unique<SimulatorProcess>(o);
        ASSERT_TRUE(device->isRunning()) << device->errorText().toStdString();
    }

    ToolResult snmpset(const QStringList &bindings)
    {
        QStringList args = v2c(device->target(), true, "10");
        for (int i = 0; i < bindings.size(); i += 3) {
            args << oidOf(*device, bindings[i]) << bindings[i + 1] << bindings[i + 2];
        }
        return runSnmpTool(QStringLiteral("snmpset"), args);
    }

    ToolResult point(const QString &file)
    {
        return snmpset({QStringLiteral("tftpServerIPAddress"), QStringLiteral("a"),
            QStringLiteral("127.0.0.1"), QStringLiteral("tftpRemoteFileName"), QStringLiteral("s"),
            file});
    }

    ToolResult command(const char *object, int value)
    {
        return snmpset({QString::fromLatin1(object), QStringLiteral("i"), QString::number(value)});
    }
};

TEST_F(TftpFixture, FirmwareIsFetchedInBlocksAndInstalled)
{
    QByteArray image = "KVA7310-FIRMWARE 4.2.0\n";
    image += QByteArray(1024 - image.size(), 'x'); // an exact multiple of the block size
    ASSERT_TRUE(server.writeFile(QStringLiteral("fw.bin"), image));
    ASSERT_TRUE(point(QStringLiteral("fw.bin")).ok());
    ToolResult r = command("tftpcommand", 2);
    ASSERT_TRUE(r.ok()) << r.err.toStdString();
    r = command("tftpUpgradeSettingCommand", 1);
    ASSERT_TRUE(r.ok()) << r.err.toStdString();
    EXPECT_EQ(
        device->get(QStringLiteral("deviceInformationFirmwareVersion")), QStringLiteral("4.2.0"));
    EXPECT_TRUE(device->installed().startsWith(QStringLiteral("firmware fw.bin 1024 ")))
        << device->installed().toStdString();
}

TEST_F(TftpFixture, ConfigurationBackupAndRestore)
{
    ASSERT_TRUE(
        snmpset({QStringLiteral("sysName"), QStringLiteral("s"), QStringLiteral("backed-up")})
            .ok());
    ASSERT_TRUE(point(QStringLiteral("backup.dcf")).ok());
    ASSERT_TRUE(command("tftpcommand", 3).ok());
    ASSERT_TRUE(command("tftpUpgradeSettingCommand", 2).ok());
    QByteArray saved = server.readFile(QStringLiteral("backup.dcf"));
    ASSERT_TRUE(saved.startsWith("KVA7310-CONFIG 1\n"));
    ASSERT_TRUE(saved.endsWith("END\n"));

    saved.replace("sysName=backed-up", "sysName=restored");
    ASSERT_TRUE(server.writeFile(QStringLiteral("restore.dcf"), saved));
    ASSERT_TRUE(point(QStringLiteral("restore.dcf")).ok());
    // the restore sends the install command without waiting for the transfer command's answer
    QStringList base = v2c(device->target(), true, "10");
    const int setsBefore = device->logCount(QStringLiteral("set"));
    QProcess *fetch = startSnmpTool(QStringLiteral("snmpset"),
        copyOf(base) << oidOf(*device, QStringLiteral("tftpcommand")) << QStringLiteral("i")
                     << QStringLiteral("2"));
    // the install goes out once the device has the fetch command, as the module sends them
    ASSERT_TRUE(kvatest::waitUntil(
        [&] { return device->logCount(QStringLiteral("set")) > setsBefore; }, 15000));
    QProcess *install = startSnmpTool(QStringLiteral("snmpset"),
        copyOf(base) << oidOf(*device, QStringLiteral("tftpUpgradeSettingCommand"))
                     << QStringLiteral("i") << QStringLiteral("3"));
    EXPECT_TRUE(finishTool(fetch).ok());
    const ToolResult r = finishTool(install);
    EXPECT_TRUE(r.ok()) << r.err.toStdString();
    EXPECT_EQ(device->get(QStringLiteral("sysName")), QStringLiteral("restored"));

    // an invalid file: genErr, nothing changes
    ASSERT_TRUE(server.writeFile(QStringLiteral("bad.dcf"), "KVA7310-CONFIG 1\nsysName=broken\n"));
    ASSERT_TRUE(point(QStringLiteral("bad.dcf")).ok());
    ASSERT_TRUE(command("tftpcommand", 2).ok());
    EXPECT_TRUE(command("tftpUpgradeSettingCommand", 3).err.contains(QStringLiteral("genErr")));
    EXPECT_EQ(device->get(QStringLiteral("sysName")), QStringLiteral("restored"));
}

TEST_F(TftpFixture, LogAndAclAreStored)
{
    ASSERT_TRUE(snmpset({QStringLiteral("systemLogTFTPServerIPAddress"), QStringLiteral("a"),
                            QStringLiteral("127.0.0.1"), QStringLiteral("systemLogFileName"),
                            QStringLiteral("s"), QStringLiteral("LogFile.RD")})
                    .ok());
    ASSERT_TRUE(command("systemLogGetLog", 1).ok());
    const QByteArray log = server.readFile(QStringLiteral("LogFile.RD"));
    EXPECT_TRUE(log.contains(" | ") && log.contains("[")) << log.toStdString();

    ASSERT_TRUE(snmpset({QStringLiteral("dot11MacAccessControlMacAddressAdd"), QStringLiteral("x"),
                            QStringLiteral("00AABBCCDDEE")})
                    .ok());
    ASSERT_TRUE(point(QStringLiteral("list.acl")).ok());
    ASSERT_TRUE(command("tftpcommand", 5).ok());
    EXPECT_TRUE(command("tftpUpgradeSettingCommand", 9).ok());
    EXPECT_TRUE(server.readFile(QStringLiteral("list.acl")).contains("00AABBCCDDEE"));
}

TEST_F(TftpFixture, FailedTransfersAnswerGenErr)
{
    ASSERT_TRUE(point(QStringLiteral("missing.bin")).ok());
    EXPECT_TRUE(command("tftpcommand", 2).err.contains(QStringLiteral("genErr")));
    ASSERT_TRUE(server.writeFile(QStringLiteral("big.bin"), QByteArray(3000, 'f')));
    ASSERT_TRUE(point(QStringLiteral("big.bin")).ok());
    ASSERT_TRUE(device->fault(QStringLiteral("failtransfer")));
    EXPECT_TRUE(command("tftpcommand", 2).err.contains(QStringLiteral("genErr")));
    EXPECT_TRUE(command("tftpUpgradeSettingCommand", 1).err.contains(QStringLiteral("genErr")));
    EXPECT_EQ(device->installed(), QStringLiteral("none"));
}

// The device's list fits in one block: a broken store sends none of it.
TEST_F(TftpFixture, AStoreOfOneBlockBreaksOffBeforeIt)
{
    ASSERT_TRUE(snmpset({QStringLiteral("dot11MacAccessControlMacAddressAdd"), QStringLiteral("x"),
                            QStringLiteral("00AABBCCDDEE")})
                    .ok());
    ASSERT_TRUE(point(QStringLiteral("broken.acl")).ok());
    ASSERT_TRUE(device->fault(QStringLiteral("failtransfer")));
    EXPECT_TRUE(command("tftpcommand", 5).err.contains(QStringLiteral("genErr")));
    EXPECT_TRUE(command("tftpUpgradeSettingCommand", 9).err.contains(QStringLiteral("genErr")));
    EXPECT_FALSE(server.readFile(QStringLiteral("broken.acl")).contains("00AABBCCDDEE"));
}

TEST(TftpWait, OtherRequestsAreAnsweredWhileACommandWaitsForItsTransfer)
{
    QUdpSocket deaf; // a server that never answers
    ASSERT_TRUE(deaf.bind(QHostAddress::LocalHost, 0));
    SimulatorProcess::Options o;
    o.tftpPort = deaf.localPort();
    SimulatorProcess device(o);
    ASSERT_TRUE(device.isRunning());
    QStringList base = v2c(device.target(), true, "30");
    ASSERT_TRUE(runSnmpTool(QStringLiteral("snmpset"),
        copyOf(base) << oidOf(device, QStringLiteral("tftpServerIPAddress")) << QStringLiteral("a")
                     << QStringLiteral("127.0.0.1")
                     << oidOf(device, QStringLiteral("tftpRemoteFileName")) << QStringLiteral("s")
                     << QStringLiteral("fw.bin"))
                    .ok());
    QProcess *fetch = startSnmpTool(QStringLiteral("snmpset"),
        copyOf(base) << oidOf(device, QStringLiteral("tftpcommand")) << QStringLiteral("i")
                     << QStringLiteral("2"));
    ASSERT_TRUE(kvatest::waitUntil([&] { return deaf.hasPendingDatagrams(); }));
    const ToolResult poll = runSnmpTool(
        QStringLiteral("snmpget"), v2c(device.target()) << QStringLiteral("1.3.6.1.2.1.1.1.0"));
    EXPECT_TRUE(poll.ok()) << poll.err.toStdString();
    EXPECT_EQ(fetch->state(), QProcess::Running); // still waiting for its transfer
    const ToolResult r = finishTool(fetch);
    EXPECT_TRUE(r.err.contains(QStringLiteral("genErr"))) << r.err.toStdString();
}

} // namespace
