// The TFTP server with real clients (tftp-hpa's tftp, atftp, curl) on loopback, and kva7310-tftpd
// as a process.
#include "CaseName.h"
#include "ChildCheck.h"
#include "TftpPacket.h"
#include "TftpServer.h"
#include "WaitUntil.h"

#include <grp.h>
#include <iostream>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QNetworkDatagram>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>

#include <gtest/gtest.h>

namespace {

constexpr int kClientDeadlineMs = 120000;

QByteArray randomBytes(qsizetype size)
{
    std::vector<quint32> words(size_t(size / 4 + 1));
    QRandomGenerator generator{quint32(size)};
    generator.generate(words.begin(), words.end());
    return QByteArray(reinterpret_cast<const char *>(words.data()), size);
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

/// Runs a client to its end; returns its exit code (-1 if it could not start or did not end).
int run(const QString &program, const QStringList &arguments, const QString &directory,
    QByteArray *output = nullptr)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000)) {
        return -1;
    }
    process.closeWriteChannel();
    const bool ended = kvatest::waitUntil(
        [&] { return process.state() == QProcess::NotRunning; }, kClientDeadlineMs);
    if (!ended) {
        process.kill();
        process.waitForFinished(5000);
        return -1;
    }
    if (output) {
        *output = process.readAll();
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

enum class Client {
    TftpHpa,
    Atftp,
    Curl
};
enum class Direction {
    Get,
    Put
};

struct PeerCase
{
    const char *name;
    Client client;
    Direction direction;
    qsizetype size;
    int blockSize; // 0: the client's default, no option
};

// Test names and failure messages show the case's name, not its bytes.
void PrintTo(const PeerCase &c, std::ostream *out)
{
    *out << c.name;
}

constexpr qsizetype k40M = qsizetype(40) * 1024 * 1024;

const PeerCase kPeers[] = {
    {"TftpGetEmpty", Client::TftpHpa, Direction::Get, 0, 0},
    {"TftpGet511", Client::TftpHpa, Direction::Get, 511, 0},
    {"TftpGet512", Client::TftpHpa, Direction::Get, 512, 0},
    {"TftpGet513", Client::TftpHpa, Direction::Get, 513, 0},
    {"TftpGetMultipleOf512", Client::TftpHpa, Direction::Get, 3584, 0},
    {"TftpGet40MRollsBlockNumbersOver", Client::TftpHpa, Direction::Get, k40M, 0},
    {"TftpPutEmpty", Client::TftpHpa, Direction::Put, 0, 0},
    {"TftpPut511", Client::TftpHpa, Direction::Put, 511, 0},
    {"TftpPut512", Client::TftpHpa, Direction::Put, 512, 0},
    {"TftpPut513", Client::TftpHpa, Direction::Put, 513, 0},
    {"TftpPutMultipleOf512", Client::TftpHpa, Direction::Put, 3584, 0},
    {"TftpPut40MRollsBlockNumbersOver", Client::TftpHpa, Direction::Put, k40M, 0},
    {"AtftpGet513", Client::Atftp, Direction::Get, 513, 0},
    {"AtftpPut512", Client::Atftp, Direction::Put, 512, 0},
    {"AtftpGetBlksize1428", Client::Atftp, Direction::Get, 100000, 1428},
    {"AtftpPutBlksize8192", Client::Atftp, Direction::Put, 24576, 8192},
    {"CurlGet512", Client::Curl, Direction::Get, 512, 0}, // curl 7.88 itself fails on an empty file
    {"CurlGet513", Client::Curl, Direction::Get, 513, 0},
    {"CurlGetBlksize1428", Client::Curl, Direction::Get, 28565, 1428},
    {"CurlGetBlksize8192", Client::Curl, Direction::Get, 163840, 8192},
    {"CurlPut1536", Client::Curl, Direction::Put, 1536, 0},
    {"CurlPutBlksize8192", Client::Curl, Direction::Put, 8192 * 5 + 1, 8192},
};

class TftpPeer : public testing::TestWithParam<PeerCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid() && local.isValid());
        server.setListenAddress(net::Ipv4Address::localHost());
        server.SetTiming(300, 3);
        server.setStopWait(5000);
        server.SetEventHandler([this](const VtTFTPMsg &msg, bool &) {
            if (msg.code == tftpSuccess || msg.code < 0) {
                finals.push_back(msg);
            }
        });
        server.Start(root.path(), 0);
    }

    QStringList arguments(const PeerCase &c) const
    {
        const QString port = QString::number(server.port());
        const QString remote = QStringLiteral("remote.bin");
        const QString file = QStringLiteral("local.bin");
        const QString blockSize = QString::number(c.blockSize);
        const bool get = c.direction == Direction::Get;
        switch (c.client) {
        case Client::TftpHpa:
            return {"127.0.0.1", port, "-m", "binary", "-c", get ? "get" : "put",
                get ? remote : file, get ? file : remote};
        case Client::Atftp: {
            QStringList a{get ? "--get" : "--put", "-r", remote, "-l", file};
            if (c.blockSize) {
                a << "--option"
                  << "blksize " + blockSize;
            }
            return a << "127.0.0.1" << port;
        }
        case Client::Curl: {
            QStringList a{"-sS"};
            if (c.blockSize) {
                a << "--tftp-blksize" << blockSize;
            }
            const QString url = "tftp://127.0.0.1:" + port + "/" + remote;
            return get ? a << url << "-o" << file : a << "-T" << file << url;
        }
        }
        return {};
    }

    QTemporaryDir root;
    QTemporaryDir local;
    VtTFTPServer server;
    std::vector<VtTFTPMsg> finals;
};

/// The same server, stopped while a real client is uploading.
class TftpPeerStop : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid() && local.isValid());
        server.setListenAddress(net::Ipv4Address::localHost());
        server.SetEventHandler([this](const VtTFTPMsg &msg, bool &) {
            transferring = transferring || msg.code == tftpTransferring;
            if (msg.code == tftpSuccess || msg.code < 0) {
                finals.push_back(msg);
            }
        });
        server.Start(root.path(), 0);
    }

    QTemporaryDir root;
    QTemporaryDir local;
    VtTFTPServer server;
    bool transferring = false;
    std::vector<VtTFTPMsg> finals;
};

TEST_P(TftpPeer, TransfersTheFileUnchanged)
{
    const PeerCase &c = GetParam();
    const QByteArray content = randomBytes(c.size);
    const QString from =
        c.direction == Direction::Get ? root.filePath("remote.bin") : local.filePath("local.bin");
    const QString to =
        c.direction == Direction::Get ? local.filePath("local.bin") : root.filePath("remote.bin");
    ASSERT_TRUE(writeFile(from, content));
    const char *programs[] = {"tftp", "atftp", "curl"};
    QByteArray output;
    EXPECT_EQ(run(programs[int(c.client)], arguments(c), local.path(), &output), 0)
        << output.constData();
    ASSERT_TRUE(kvatest::waitUntil([this] { return !finals.empty(); }));
    EXPECT_EQ(finals.front().code, tftpSuccess) << finals.front().text.toStdString();
    EXPECT_EQ(finals.front().totalBytes, c.size);
    const QByteArray received = readFile(to);
    EXPECT_EQ(received.size(), content.size());
    EXPECT_TRUE(received == content);
}

INSTANTIATE_TEST_SUITE_P(Cases, TftpPeer, testing::ValuesIn(kPeers), kvatest::caseName);

TEST_F(TftpPeerStop, StopLetsTheTransferInProgressFinish)
{
    const QByteArray content = randomBytes(qsizetype(4) * 1024 * 1024);
    ASSERT_TRUE(writeFile(local.filePath("up.bin"), content));
    QProcess client;
    client.setWorkingDirectory(local.path());
    client.start("tftp",
        {"127.0.0.1", QString::number(server.port()), "-m", "binary", "-c", "put", "up.bin"});
    ASSERT_TRUE(kvatest::waitUntil([this] { return transferring; }));
    server.Stop();
    EXPECT_FALSE(server.isListening());
    EXPECT_EQ(server.sessionCount(), 0);
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals.front().code, tftpSuccess);
    EXPECT_TRUE(readFile(root.filePath("up.bin")) == content);
    EXPECT_TRUE(client.waitForFinished(10000));
}

TEST_F(TftpPeerStop, TheEventLoopKeepsItsTurnsWhileATransferRuns)
{
    // A session waits for its peer's next packet inside short bursts; the pages, other sessions
    // and the listener must still get their turns while a long transfer is going on.
    ASSERT_TRUE(writeFile(root.filePath("down.bin"), randomBytes(qsizetype(4) * 1024 * 1024)));
    int turnsWhileTransferring = 0;
    QTimer heartbeat;
    heartbeat.setInterval(1);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        if (transferring && finals.empty()) {
            ++turnsWhileTransferring;
        }
    });
    heartbeat.start();
    EXPECT_EQ(
        run("tftp",
            {"127.0.0.1", QString::number(server.port()), "-m", "binary", "-c", "get", "down.bin"},
            local.path()),
        0);
    ASSERT_TRUE(kvatest::waitUntil([this] { return !finals.empty(); }));
    EXPECT_EQ(finals.front().code, tftpSuccess);
    EXPECT_GT(turnsWhileTransferring, 1);
}

/// kva7310-tftpd started as the operator would start it.
class TftpdProcess : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(root.isValid() && local.isValid()); }

    // The daemons end as the operator ends them (SIGTERM), with nothing for the sanitizers to
    // report.
    void TearDown() override
    {
        for (QProcess *p : {&daemon, &second}) {
            if (p->state() == QProcess::NotRunning) {
                continue;
            }
            p->terminate();
            if (!p->waitForFinished(10000)) {
                ADD_FAILURE() << "kva7310-tftpd did not end on SIGTERM";
                p->kill();
                p->waitForFinished(5000);
                continue;
            }
            kvatest::expectCleanEnd(*p, p->readAllStandardError(), QStringLiteral("kva7310-tftpd"));
        }
    }

    static QString program()
    {
        QString bin = qEnvironmentVariable("KVA7310_BIN_DIR");
        if (bin.isEmpty()) {
            bin =
                QCoreApplication::applicationDirPath() + "/../bin"; // build/tests beside build/bin
        }
        return bin + "/kva7310-tftpd";
    }

    /// Starts the daemon and returns the port its first line names (0 if none came).
    quint16 start(QProcess &process, QStringList extra = {})
    {
        process.start(
            program(), QStringList{"--root", root.path(), "--address", "127.0.0.1"} + extra);
        if (!kvatest::waitUntil(
                [&] { return process.canReadLine() || process.state() == QProcess::NotRunning; })) {
            return 0;
        }
        const QByteArray line = process.readLine().trimmed();
        if (!line.startsWith("LISTENING 127.0.0.1:")) {
            std::cerr << "no LISTENING line: \"" << line.constData() << "\" "
                      << process.errorString().toStdString() << '\n';
            return 0;
        }
        return line.mid(line.lastIndexOf(':') + 1).toUShort();
    }

    QTemporaryDir root;
    QTemporaryDir local;
    QProcess daemon;
    QProcess second;
};

TEST_F(TftpdProcess, ServesLogsAndEndsCleanlyOnSigterm)
{
    ASSERT_TRUE(writeFile(root.filePath("fw.bin"), randomBytes(5000)));
    const quint16 port = start(daemon, {"--port", "0"});
    ASSERT_NE(port, 0);
    EXPECT_EQ(
        run("tftp", {"127.0.0.1", QString::number(port), "-m", "binary", "-c", "get", "fw.bin"},
            local.path()),
        0);
    EXPECT_EQ(readFile(local.filePath("fw.bin")), readFile(root.filePath("fw.bin")));
    ASSERT_TRUE(kvatest::waitUntil(
        [&] { return daemon.canReadLine() && daemon.peek(4096).contains("Success"); }));
    const QByteArray log = daemon.readAll();
    EXPECT_TRUE(log.contains("read \"fw.bin\" 1 (VtTFTP) A TFTP session is connected..."));
    EXPECT_TRUE(log.contains("read \"fw.bin\" 3 (VtTFTP) Success to transfer file. bytes=5000"));
    daemon.terminate();
    ASSERT_TRUE(kvatest::waitUntil([&] { return daemon.state() == QProcess::NotRunning; }));
    EXPECT_EQ(daemon.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(daemon.exitCode(), 0);
}

TEST_F(TftpdProcess, ReadOnlyRefusesUploads)
{
    ASSERT_TRUE(writeFile(local.filePath("up.bin"), "data"));
    const quint16 port = start(daemon, {"--port", "0", "--read-only"});
    ASSERT_NE(port, 0);
    QByteArray output;
    run("curl", {"-sS", "-T", "up.bin", "tftp://127.0.0.1:" + QString::number(port) + "/up.bin"},
        local.path(), &output);
    EXPECT_FALSE(QFile::exists(root.filePath("up.bin")));
    ASSERT_TRUE(kvatest::waitUntil([&] { return daemon.peek(4096).contains("-1103"); }));
}

TEST_F(TftpdProcess, SecondDaemonOnThePortFailsWithTheReason)
{
    const quint16 port = start(daemon, {"--port", "0"});
    ASSERT_NE(port, 0);
    EXPECT_EQ(start(second, {"--port", QString::number(port)}), 0);
    ASSERT_TRUE(kvatest::waitUntil([&] { return second.state() == QProcess::NotRunning; }));
    EXPECT_EQ(second.exitCode(), 1);
    const QByteArray error = second.readAllStandardError();
    EXPECT_TRUE(error.contains("Fail to open socket!")) << error.constData();
    EXPECT_TRUE(error.contains(QByteArray::number(port))) << error.constData();
}

TEST_F(TftpdProcess, APrivilegedPortWithoutThePrivilegeFailsWithTheHint)
{
    // Port 69 needs CAP_NET_BIND_SERVICE. A test running as root starts the daemon as nobody.
    QFile unprivileged(QStringLiteral("/proc/sys/net/ipv4/ip_unprivileged_port_start"));
    if (unprivileged.open(QIODevice::ReadOnly) && unprivileged.readAll().trimmed().toInt() <= 69) {
        GTEST_SKIP() << "port 69 needs no privilege on this system";
    }
    constexpr int kCannotDrop = 99;
    if (::geteuid() == 0) {
        daemon.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) {
                ::_exit(kCannotDrop);
            }
        });
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("KVA7310_TFTP_PORT")); // the standard port itself
    daemon.setProcessEnvironment(env);
    // "/" is a directory nobody may look at; nothing is served from it if the test fails
    daemon.start(program(),
        {"--root", "/", "--address", "127.0.0.1", "--allow", "127.0.0.1", "--read-only", "--port",
            "69"});
    ASSERT_TRUE(kvatest::waitUntil([&] { return daemon.state() == QProcess::NotRunning; }));
    if (daemon.exitCode() == kCannotDrop) {
        GTEST_SKIP() << "cannot start a process as nobody here";
    }
    const QByteArray error = daemon.readAllStandardError();
    kvatest::expectCleanEnd(daemon, error, QStringLiteral("kva7310-tftpd"), 1);
    EXPECT_TRUE(error.contains("Fail to open socket!")) << error.constData();
    EXPECT_TRUE(error.contains("Listening on UDP port 69 needs privileges")) << error.constData();
    EXPECT_TRUE(error.contains("cap_net_bind_service")) << error.constData();
}

/// Sends one request from `from` and returns the first answer (empty when none came); a first
/// block is acknowledged, which ends the transfer of a file shorter than a block.
QByteArray askFrom(const QString &from, quint16 port, tftp::Opcode opcode, const QByteArray &name)
{
    QUdpSocket socket;
    if (!socket.bind(QHostAddress(from), 0)) {
        return "<cannot bind>";
    }
    socket.writeDatagram(
        tftp::encodeRequest(opcode, name, "octet"), QHostAddress(QHostAddress::LocalHost), port);
    if (!kvatest::waitUntil([&] { return socket.hasPendingDatagrams(); })) {
        return {};
    }
    const QNetworkDatagram answer = socket.receiveDatagram();
    if (answer.data().startsWith(tftp::encodeData(1, {}))) {
        socket.writeDatagram(
            tftp::encodeAck(1), answer.senderAddress(), quint16(answer.senderPort()));
    }
    return answer.data();
}

TEST_F(TftpdProcess, AllowServesOnlyTheNamedAddresses)
{
    ASSERT_TRUE(writeFile(root.filePath("cfg.dcf"), "keys and passwords"));
    const quint16 port = start(daemon, {"--port", "0", "--allow", "127.0.0.1"});
    ASSERT_NE(port, 0);
    const QByteArray refused = tftp::encodeError(tftp::AccessViolation);
    EXPECT_EQ(askFrom("127.0.0.2", port, tftp::Opcode::ReadRequest, "cfg.dcf"), refused);
    EXPECT_EQ(askFrom("127.0.0.2", port, tftp::Opcode::WriteRequest, "cfg.dcf"), refused);
    ASSERT_TRUE(kvatest::waitUntil([&] { return daemon.peek(4096).count("refused") == 2; }));
    EXPECT_TRUE(daemon.peek(4096).contains("refused 127.0.0.2:"));
    EXPECT_FALSE(daemon.peek(4096).contains("session")); // nothing was started for them
    EXPECT_EQ(readFile(root.filePath("cfg.dcf")), "keys and passwords");

    EXPECT_EQ(
        run("tftp", {"127.0.0.1", QString::number(port), "-m", "binary", "-c", "get", "cfg.dcf"},
            local.path()),
        0);
    EXPECT_EQ(readFile(local.filePath("cfg.dcf")), "keys and passwords");
}

TEST_F(TftpdProcess, WithoutAllowAnyoneIsServed)
{
    ASSERT_TRUE(writeFile(root.filePath("fw.bin"), "firmware"));
    const quint16 port = start(daemon, {"--port", "0"});
    ASSERT_NE(port, 0);
    EXPECT_EQ(askFrom("127.0.0.2", port, tftp::Opcode::ReadRequest, "fw.bin"),
        tftp::encodeData(1, "firmware"));
}

} // namespace
