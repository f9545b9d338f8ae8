// The TFTP server against a raw UDP client: the packets real clients never send, the time-outs,
// the refusals and the file handling.
#include "CaseName.h"
#include "QtPrinters.h"
#include "TftpPacket.h"
#include "TftpServer.h"
#include "WaitUntil.h"

#include <arpa/inet.h>
#include <atomic>
#include <csignal>
#include <poll.h>
#include <random>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <gtest/gtest.h>

namespace {

using tftp::Opcode;

/// A client socket on loopback that sends what the test says and hands back what arrives.
class RawClient
{
public:
    /// On 127.0.0.1 unless told another loopback address (the whole of 127/8 is this computer).
    explicit RawClient(const QHostAddress &address = QHostAddress(QHostAddress::LocalHost))
    {
        m_socket.bind(address, 0);
    }

    void send(const QByteArray &packet, quint16 port)
    {
        m_socket.writeDatagram(packet, m_to, port);
    }

    /// Sends to `to` from now on instead of 127.0.0.1.
    void aimAt(const QHostAddress &to) { m_to = to; }

    void request(Opcode opcode, const QByteArray &name, quint16 serverPort,
        const QList<tftp::Option> &options = {})
    {
        send(tftp::encodeRequest(opcode, name, "octet", options), serverPort);
    }

    /// Sends to the session that answered last.
    void reply(const QByteArray &packet) { send(packet, m_sessionPort); }

    /// The next datagram, or an empty one when none arrived before the deadline.
    QByteArray receive(int deadlineMs = 5000)
    {
        if (!kvatest::waitUntil([this] { return m_socket.hasPendingDatagrams(); }, deadlineMs)) {
            return {};
        }
        const QNetworkDatagram d = m_socket.receiveDatagram();
        m_sessionPort = quint16(d.senderPort());
        m_sessionAddress = d.senderAddress();
        return d.data();
    }

    /// Datagrams already waiting, taken without waiting for more.
    QList<QByteArray> drain()
    {
        QList<QByteArray> out;
        while (m_socket.hasPendingDatagrams()) {
            out << m_socket.receiveDatagram().data();
        }
        return out;
    }

    quint16 sessionPort() const { return m_sessionPort; }

    /// The address the last datagram came from.
    QHostAddress sessionAddress() const { return m_sessionAddress; }

private:
    QUdpSocket m_socket;
    QHostAddress m_to{QHostAddress::LocalHost};
    quint16 m_sessionPort = 0;
    QHostAddress m_sessionAddress;
};

QByteArray data(quint16 block, const QByteArray &payload)
{
    return tftp::encodeData(block, payload);
}

QByteArray ack(quint16 block)
{
    return tftp::encodeAck(block);
}

QByteArray error(quint16 code)
{
    return tftp::encodeError(code);
}

QByteArray pattern(qsizetype size, char seed = 0)
{
    QByteArray out(size, '\0');
    for (qsizetype i = 0; i < size; ++i) {
        out[i] = char((i * 7 + seed) & 0xff);
    }
    return out;
}

class TftpServerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        server.setListenAddress(net::Ipv4Address::localHost());
        server.setServicePeriod(5);
        server.setStopWait(100);   // a test that leaves a session open ends without waiting for it
        server.SetTiming(1000, 3); // 10 s: no retransmission unless a test shortens it
        server.SetEventHandler([this](const VtTFTPMsg &msg, bool &cancel) {
            events.push_back(msg);
            if (cancelWhen && cancelWhen(msg)) {
                cancel = true;
            }
        });
        server.Start(root.path(), 0);
        port = quint16(server.port());
    }

    void put(const QString &name, const QByteArray &content)
    {
        QFile file(root.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray contentOf(const QString &name)
    {
        QFile file(root.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QStringList filesInRoot() const
    {
        return QDir(root.path()).entryList(QDir::Files | QDir::Hidden);
    }

    int lastCode() const { return events.empty() ? 0 : events.back().code; }

    /// Waits until the handler has seen a final code (success or failure) and returns it.
    int finalCode()
    {
        kvatest::waitUntil([this] { return lastCode() == tftpSuccess || lastCode() < 0; });
        return lastCode();
    }

    std::vector<int> codes() const
    {
        std::vector<int> out;
        for (const VtTFTPMsg &m : events) {
            out.push_back(m.code);
        }
        return out;
    }

    QTemporaryDir root;
    VtTFTPServer server;
    quint16 port = 0;
    std::vector<VtTFTPMsg> events;
    std::function<bool(const VtTFTPMsg &)> cancelWhen;
    RawClient client;
};

TEST_F(TftpServerTest, ReadOfTwoFullBlocksEndsWithAnEmptyBlock)
{
    put("f.bin", pattern(1024));
    client.request(Opcode::ReadRequest, "f.bin", port);
    EXPECT_EQ(client.receive(), data(1, pattern(1024).first(512)));
    EXPECT_NE(client.sessionPort(), port); // each session has its own socket
    client.reply(ack(1));
    EXPECT_EQ(client.receive(), data(2, pattern(1024).sliced(512)));
    client.reply(ack(2));
    EXPECT_EQ(client.receive(), data(3, {}));
    client.reply(ack(3));
    EXPECT_EQ(finalCode(), tftpSuccess);
    EXPECT_EQ(codes(), (std::vector<int>{1, 2, 2, 2, 3}));
    const VtTFTPMsg &done = events.back();
    EXPECT_EQ(done.text, "(VtTFTP) Success to transfer file.");
    EXPECT_EQ(done.request, tftpReadRequest);
    EXPECT_EQ(done.fileName, "f.bin");
    EXPECT_EQ(done.transferMode, "octet");
    EXPECT_EQ(done.peerAddress, "127.0.0.1");
    EXPECT_EQ(done.totalBytes, 1024);
    EXPECT_EQ(done.lastBlockBytes, 0);
    EXPECT_EQ(done.sessionNumber, 0);
    EXPECT_EQ(done.port, port);
    EXPECT_TRUE(kvatest::waitUntil([this] { return server.sessionCount() == 0; }));
}

// A server waiting for requests never wakes for its deadlines: the service timer runs from the first
// session to the end of the last, a finished upload's wait for a repeated last block included.
TEST_F(TftpServerTest, ServiceTimerRunsOnlyWhileSessionsAreHeld)
{
    EXPECT_FALSE(server.isServicing());
    put("f.bin", pattern(100));
    client.request(Opcode::ReadRequest, "f.bin", port);
    EXPECT_EQ(client.receive(), data(1, pattern(100)));
    EXPECT_TRUE(server.isServicing());
    client.reply(ack(1));
    EXPECT_EQ(finalCode(), tftpSuccess);
    EXPECT_TRUE(kvatest::waitUntil([this] { return server.sessionCount() == 0; }));
    EXPECT_FALSE(server.isServicing());

    server.SetTiming(5, 3);
    events.clear();
    client.request(Opcode::WriteRequest, "up.bin", port);
    EXPECT_EQ(client.receive(), ack(0));
    client.reply(data(1, "short"));
    EXPECT_EQ(client.receive(), ack(1));
    EXPECT_EQ(finalCode(), tftpSuccess);
    EXPECT_TRUE(server.isServicing()) << "the finished upload still waits for a repeated block";
    EXPECT_TRUE(kvatest::waitUntil([this] { return server.sessionCount() == 0; }));
    EXPECT_FALSE(server.isServicing());
    EXPECT_EQ(contentOf("up.bin"), "short");
}

TEST_F(TftpServerTest, OldAckChangesNothingAndTheBlockIsStillSentAgain)
{
    server.SetTiming(5, 3);
    put("f.bin", pattern(600));
    client.request(Opcode::ReadRequest, "f.bin", port);
    const QByteArray first = client.receive();
    ASSERT_EQ(first, data(1, pattern(600).first(512)));
    client.reply(ack(0));
    EXPECT_EQ(client.receive(), first); // the retransmission, not block 2
    client.reply(ack(1));
    EXPECT_EQ(client.receive(), data(2, pattern(600).sliced(512)));
    client.reply(ack(2));
    EXPECT_EQ(finalCode(), tftpSuccess);
}

TEST_F(TftpServerTest, UnansweredBlockIsSentMaxSendsTimesThenTimesOut)
{
    server.SetTiming(5, 3);
    put("f.bin", pattern(100));
    client.request(Opcode::ReadRequest, "f.bin", port);
    EXPECT_EQ(finalCode(), tftpTimeout);
    EXPECT_EQ(events.back().text, "(VtTFTP) Timeout!");
    EXPECT_TRUE(kvatest::waitUntil([this] { return server.sessionCount() == 0; }));
    QList<QByteArray> received = client.drain();
    EXPECT_EQ(received, QList<QByteArray>(3, data(1, pattern(100))));
    std::vector<int> sends;
    for (const VtTFTPMsg &m : events) {
        if (m.code == tftpTransferring) {
            sends.push_back(m.sends);
        }
    }
    EXPECT_EQ(sends, (std::vector<int>{1, 2, 3}));
}

TEST_F(TftpServerTest, SilentUploaderTimesOutWithoutARepeatedAckAndLeavesTheOldFile)
{
    server.SetTiming(5, 3);
    put("cfg.dcf", "old");
    client.request(Opcode::WriteRequest, "cfg.dcf", port);
    EXPECT_EQ(client.receive(), ack(0));
    client.reply(data(1, pattern(512)));
    EXPECT_EQ(client.receive(), ack(1));
    EXPECT_EQ(finalCode(), tftpTimeout);
    EXPECT_TRUE(kvatest::waitUntil([this] { return server.sessionCount() == 0; }));
    EXPECT_TRUE(client.drain().isEmpty());
    EXPECT_EQ(contentOf("cfg.dcf"), "old");
    EXPECT_EQ(filesInRoot(), QStringList{"cfg.dcf"}); // no temporary file left behind
}

TEST_F(TftpServerTest, RepeatedDataIsAcknowledgedAgainAndWrittenOnce)
{
    put("cfg.dcf", "old");
    client.request(Opcode::WriteRequest, "cfg.dcf", port);
    EXPECT_EQ(client.receive(), ack(0));
    client.reply(data(1, pattern(512, 1)));
    EXPECT_EQ(client.receive(), ack(1));
    client.reply(data(1, pattern(512, 1))); // our ACK 1 "got lost"
    EXPECT_EQ(client.receive(), ack(1));
    client.reply(data(3, pattern(10))); // from the future: ignored
    client.reply(data(2, "end"));
    EXPECT_EQ(client.receive(), ack(2));
    EXPECT_EQ(finalCode(), tftpSuccess);
    EXPECT_EQ(contentOf("cfg.dcf"), pattern(512, 1) + "end");
    // The last ACK "got lost" too: the finished session still answers the repeated last block.
    client.reply(data(2, "end"));
    EXPECT_EQ(client.receive(), ack(2));
    EXPECT_EQ(events.back().totalBytes, 515);
    EXPECT_EQ(filesInRoot(), QStringList{"cfg.dcf"});
}

TEST_F(TftpServerTest, RepeatedAckIsIgnored)
{
    put("f.bin", pattern(1030));
    client.request(Opcode::ReadRequest, "f.bin", port);
    EXPECT_EQ(client.receive(), data(1, pattern(1030).first(512)));
    client.reply(ack(1));
    EXPECT_EQ(client.receive(), data(2, pattern(1030).sliced(512, 512)));
    client.reply(ack(1)); // a late duplicate: must not make block 3 go out early or twice
    client.reply(ack(2));
    EXPECT_EQ(client.receive(), data(3, pattern(1030).sliced(1024)));
    client.reply(ack(3));
    EXPECT_EQ(finalCode(), tftpSuccess);
    EXPECT_TRUE(client.drain().isEmpty());
}

TEST_F(TftpServerTest, ForeignSenderGetsUnknownTransferIdAndTheSessionGoesOn)
{
    put("f.bin", pattern(700));
    client.request(Opcode::ReadRequest, "f.bin", port);
    EXPECT_EQ(client.receive(), data(1, pattern(700).first(512)));
    RawClient stranger;
    stranger.send(ack(1), client.sessionPort());
    EXPECT_EQ(stranger.receive(), error(tftp::UnknownTransferId));
    EXPECT_EQ(codes(), (std::vector<int>{1, 2}));
    client.reply(ack(1));
    EXPECT_EQ(client.receive(), data(2, pattern(700).sliced(512)));
    client.reply(ack(2));
    EXPECT_EQ(finalCode(), tftpSuccess);
}

TEST_F(TftpServerTest, RepeatedRequestMakesNoSecondSession)
{
    put("f.bin", pattern(10));
    client.request(Opcode::ReadRequest, "f.bin", port);
    client.request(Opcode::ReadRequest, "f.bin", port);
    EXPECT_EQ(client.receive(), data(1, pattern(10)));
    RawClient other; // the same request from another port is another transfer
    other.request(Opcode::ReadRequest, "f.bin", port);
    EXPECT_EQ(other.receive(), data(1, pattern(10)));
    client.reply(ack(1));
    other.reply(ack(1));
    const auto count = [this](int code) {
        const std::vector<int> all = codes();
        return std::count(all.cbegin(), all.cend(), code);
    };
    ASSERT_TRUE(kvatest::waitUntil([&] { return count(tftpSuccess) == 2; }));
    EXPECT_EQ(count(tftpConnected), 2);
    EXPECT_TRUE(client.drain().isEmpty());
    EXPECT_EQ(server.statusTemplate().sessionNumber, 1);
}

TEST_F(TftpServerTest, RepeatedWriteRequestGetsTheFirstAckAgain)
{
    client.request(Opcode::WriteRequest, "cfg.dcf", port);
    EXPECT_EQ(client.receive(), ack(0));
    client.request(Opcode::WriteRequest, "cfg.dcf", port); // as if ACK 0 had been lost
    EXPECT_EQ(client.receive(), ack(0));
    client.reply(data(1, "cfg"));
    EXPECT_EQ(client.receive(), ack(1));
    EXPECT_EQ(finalCode(), tftpSuccess);
    const std::vector<int> all = codes();
    EXPECT_EQ(std::count(all.cbegin(), all.cend(), int(tftpConnected)), 1);
    EXPECT_EQ(contentOf("cfg.dcf"), "cfg");
}

TEST_F(TftpServerTest, GarbageOnBothSocketsLeavesATransferIntact)
{
    server.SetTiming(5, 50);
    const QByteArray content = pattern(1500);
    put("f.bin", content);
    client.request(Opcode::ReadRequest, "f.bin", port);
    ASSERT_EQ(client.receive(), data(1, content.first(512)));
    // Mutated packets of every kind from a stranger, to the listening port and to the session.
    RawClient stranger;
    std::mt19937 random(69);
    const QByteArray seeds[] = {
        tftp::encodeRequest(Opcode::WriteRequest, "g.bin", "octet", {{"blksize", "9"}}),
        tftp::encodeRequest(Opcode::ReadRequest, "f.bin", "octet", {{"tsize", "0"}}), ack(1),
        data(1, "x"), error(3), tftp::encodeOptionAck({{"tsize", "1"}})};
    for (int i = 0; i < 2000; ++i) {
        QByteArray garbage = seeds[random() % std::size(seeds)];
        for (int e = 0; e < 3; ++e) {
            garbage[qsizetype(random() % quint32(garbage.size()))] = char(random());
        }
        garbage.truncate(qsizetype(random() % quint32(garbage.size() + 1)));
        stranger.send(garbage, i % 2 ? port : client.sessionPort());
    }
    // The flood may have crowded our ACKs out of the session's socket buffer: acknowledge what
    // arrives, as a client does, and let retransmission cover what was dropped.
    const auto done = [this] { // the stranger's requests make sessions of their own
        return std::any_of(events.cbegin(), events.cend(),
            [](const VtTFTPMsg &m) { return m.sessionNumber == 0 && m.code == tftpSuccess; });
    };
    QByteArray received = content.first(512);
    quint16 block = 1;
    client.reply(ack(block));
    while (received.size() < content.size() || !done()) {
        const QByteArray packet = client.receive();
        if (packet.isEmpty()) {
            break;
        }
        const std::optional<tftp::Packet> p = tftp::decode(packet);
        ASSERT_TRUE(p && p->opcode == Opcode::Data) << packet.toHex().constData();
        if (p->block == block + 1) {
            received += p->payload.toByteArray();
            ++block;
        }
        client.reply(ack(block));
        if (p->payload.size() < 512) {
            kvatest::waitUntil(done);
        }
    }
    EXPECT_TRUE(received == content);
    EXPECT_TRUE(done());
    EXPECT_TRUE(server.isListening());
}

TEST_F(TftpServerTest, MissingFileGetsFileNotFound)
{
    client.request(Opcode::ReadRequest, "none.bin", port);
    EXPECT_EQ(client.receive(), error(tftp::FileNotFound));
    EXPECT_EQ(finalCode(), tftpFileNotFound);
    EXPECT_EQ(events.back().text, "(VtTFTP) File not found!");
}

TEST_F(TftpServerTest, CancelFromTheHandlerStopsADownload)
{
    put("f.bin", pattern(2000));
    cancelWhen = [](const VtTFTPMsg &m) { return m.totalBytes >= 1024; };
    client.request(Opcode::ReadRequest, "f.bin", port);
    EXPECT_EQ(client.receive(), data(1, pattern(2000).first(512)));
    client.reply(ack(1));
    EXPECT_EQ(client.receive(), data(2, pattern(2000).sliced(512, 512)));
    client.reply(ack(2));
    EXPECT_EQ(client.receive(), error(tftp::NotDefined));
    EXPECT_EQ(finalCode(), tftpCanceled);
    EXPECT_EQ(events.back().text, "(VtTFTP) Transfer has been canceled.");
}

TEST_F(TftpServerTest, CancelledUploadLeavesTheOldFile)
{
    put("fw.bin", "old firmware");
    cancelWhen = [](const VtTFTPMsg &m) { return m.totalBytes >= 512; };
    client.request(Opcode::WriteRequest, "fw.bin", port);
    EXPECT_EQ(client.receive(), ack(0));
    client.reply(data(1, pattern(512)));
    EXPECT_EQ(client.receive(), ack(1));
    client.reply(data(2, "rest"));
    EXPECT_EQ(client.receive(), error(tftp::NotDefined));
    EXPECT_EQ(finalCode(), tftpCanceled);
    EXPECT_EQ(contentOf("fw.bin"), "old firmware");
    EXPECT_EQ(filesInRoot(), QStringList{"fw.bin"});
}

TEST_F(TftpServerTest, CancelAtConnectRefusesTheRequest)
{
    put("f.bin", "x");
    cancelWhen = [](const VtTFTPMsg &m) { return m.code == tftpConnected; };
    client.request(Opcode::ReadRequest, "f.bin", port);
    EXPECT_EQ(client.receive(), error(tftp::NotDefined));
    EXPECT_EQ(finalCode(), tftpCanceled);
}

TEST_F(TftpServerTest, PeerErrorEndsTheSession)
{
    put("f.bin", pattern(600));
    client.request(Opcode::ReadRequest, "f.bin", port);
    client.receive();
    client.reply(error(tftp::DiskFull));
    EXPECT_EQ(finalCode(), tftpDiskFull);
}

TEST_F(TftpServerTest, FileThatShrinksDuringTheReadIsAnErrorNotASuccess)
{
    // Bigger than any read-ahead, so the cut shows while blocks are still being read.
    const QByteArray content = pattern(qsizetype(200) * 1024);
    put("fw.bin", content);
    client.request(Opcode::ReadRequest, "fw.bin", port);
    ASSERT_EQ(client.receive(), data(1, content.first(512)));
    ASSERT_TRUE(QFile::resize(root.filePath("fw.bin"), 1000));
    QByteArray last;
    for (quint16 block = 1; block < 400; ++block) {
        client.reply(ack(block));
        last = client.receive();
        if (last.isEmpty() || last.at(1) != char(Opcode::Data) || last.size() < 516) {
            break;
        }
    }
    EXPECT_EQ(last, error(tftp::NotDefined));
    EXPECT_EQ(finalCode(), tftpUndefined);
}

TEST_F(TftpServerTest, WriteErrorGetsDiskFullAndLeavesTheOldFile)
{
    // A file size limit makes the writes fail as a full disk would.
    put("log.rd", "old log");
    struct sigaction ignore = {}, previous = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &previous);
    rlimit saved = {};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);

    client.request(Opcode::WriteRequest, "log.rd", port);
    QByteArray answer = client.receive();
    for (quint16 block = 1; block < 200 && answer == ack(block - 1); ++block) {
        client.reply(data(block, pattern(512)));
        answer = client.receive();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &previous, nullptr);
    EXPECT_EQ(answer, error(tftp::DiskFull));
    EXPECT_EQ(finalCode(), tftpDiskFull);
    EXPECT_EQ(contentOf("log.rd"), "old log");
    EXPECT_EQ(filesInRoot(), QStringList{"log.rd"});
}

TEST_F(TftpServerTest, NegotiatedBlockSizeAndSizeComeInAnOptionAck)
{
    const QByteArray content = pattern(3000);
    put("big.bin", content);
    client.request(Opcode::ReadRequest, "big.bin", port, {{"blksize", "1428"}, {"tsize", "0"}});
    EXPECT_EQ(client.receive(), tftp::encodeOptionAck({{"blksize", "1428"}, {"tsize", "3000"}}));
    client.reply(ack(0));
    EXPECT_EQ(client.receive(), data(1, content.first(1428)));
    client.reply(ack(1));
    EXPECT_EQ(client.receive(), data(2, content.sliced(1428, 1428)));
    client.reply(ack(2));
    EXPECT_EQ(client.receive(), data(3, content.sliced(2856)));
    client.reply(ack(3));
    EXPECT_EQ(finalCode(), tftpSuccess);
}

TEST_F(TftpServerTest, UploadWithOptionsTakesLargeBlocks)
{
    const QByteArray content = pattern(9000);
    client.request(Opcode::WriteRequest, "up.bin", port, {{"blksize", "8192"}, {"tsize", "9000"}});
    EXPECT_EQ(client.receive(), tftp::encodeOptionAck({{"blksize", "8192"}, {"tsize", "9000"}}));
    client.reply(data(1, content.first(8192)));
    EXPECT_EQ(client.receive(), ack(1));
    client.reply(data(2, content.sliced(8192)));
    EXPECT_EQ(client.receive(), ack(2));
    EXPECT_EQ(finalCode(), tftpSuccess);
    EXPECT_EQ(contentOf("up.bin"), content);
}

TEST_F(TftpServerTest, SecondServerOnTheSamePortFailsNamingThePort)
{
    VtTFTPServer second;
    second.setListenAddress(net::Ipv4Address::localHost());
    try {
        second.Start(root.path(), port);
        FAIL() << "the second server listens too";
    } catch (const VtTFTPError &e) {
        EXPECT_EQ(e.code(), tftpSocketOpenFailed);
        EXPECT_TRUE(e.message().startsWith(
            "(VtTFTP) Fail to open socket!Please check if the network is ready."));
        EXPECT_TRUE(e.message().contains(QString::number(port))) << e.what();
    }
    EXPECT_FALSE(second.isListening());
}

TEST_F(TftpServerTest, StartWhileListeningOnlyChangesTheRoot)
{
    QTemporaryDir other;
    QFile file(other.filePath("g.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("other");
    file.close();
    server.Start(other.path(), 0); // a page choosing another file's directory
    EXPECT_EQ(server.port(), port);
    EXPECT_EQ(server.rootDirectory(), other.path() + "/");
    client.request(Opcode::ReadRequest, "g.bin", port);
    EXPECT_EQ(client.receive(), data(1, "other"));
    client.reply(ack(1));
    EXPECT_EQ(finalCode(), tftpSuccess);
}

TEST(TftpServerPort, EnvironmentReplacesOnlyTheStandardPort)
{
    qputenv("KVA7310_TFTP_PORT", "10069");
    EXPECT_EQ(VtTFTPServer::effectivePort(69), 10069);
    EXPECT_EQ(VtTFTPServer::effectivePort(0), 0);
    qputenv("KVA7310_TFTP_PORT", "nonsense");
    EXPECT_EQ(VtTFTPServer::effectivePort(69), 69);
    qunsetenv("KVA7310_TFTP_PORT");
    EXPECT_EQ(VtTFTPServer::effectivePort(69), 69);
}

TEST(TftpServerStatus, TemplateStartsWithTheDocumentedDefaults)
{
    VtTFTPServer server;
    const VtTFTPMsg &m = server.statusTemplate();
    EXPECT_EQ(m.code, -1111);
    EXPECT_EQ(m.text, "(VtTFTP) Socket is not ready!");
    EXPECT_EQ(m.request, 1);
    EXPECT_EQ(m.transferMode, "octet");
    EXPECT_EQ(m.peerAddress, "0.0.0.0");
    EXPECT_FALSE(m.localAddress.isEmpty());
    EXPECT_EQ(m.port, 69);
    EXPECT_EQ(m.lastBlockBytes, -1);
    EXPECT_EQ(m.sessionNumber, -1);
    EXPECT_EQ(m.timeout, 1000);
    EXPECT_EQ(server.maxSends(), 3);
    EXPECT_EQ(VtTFTPStatusText(-1107), "(VtTFTP) File already exist!");
    EXPECT_EQ(VtTFTPStatusText(-1109),
        "(VtTFTP) Fail to open socket!Please check if the network is ready.");
}

// Requests the server must refuse with ERROR 2, whatever lies on the disk.
enum class Setup {
    Plain,
    EmptyRoot,
    RestrictedToOtherName,
    RestrictedToOtherDirection,
    ReadOnly
};

struct RefusalCase
{
    const char *name;
    Setup setup;
    Opcode opcode;
    QByteArray fileName;
};

// Test names and failure messages show the case's name, not its bytes.
void PrintTo(const RefusalCase &c, std::ostream *out)
{
    *out << c.name;
}

const RefusalCase kRefusals[] = {
    {"ParentDirectory", Setup::Plain, Opcode::ReadRequest, "../secret.txt"},
    {"ParentAlone", Setup::Plain, Opcode::ReadRequest, ".."},
    {"AbsolutePath", Setup::Plain, Opcode::ReadRequest, "/etc/hostname"},
    {"SubdirectoryWrite", Setup::Plain, Opcode::WriteRequest, "sub/x.bin"},
    {"BackslashPath", Setup::Plain, Opcode::WriteRequest, "..\\x.bin"},
    {"DriveLetter", Setup::Plain, Opcode::ReadRequest, "C:boot.ini"},
    {"ControlCharacter", Setup::Plain, Opcode::WriteRequest, "a\nb.bin"},
    {"NotUtf8", Setup::Plain, Opcode::ReadRequest, "a\xff.bin"},
    {"EmptyRootRead", Setup::EmptyRoot, Opcode::ReadRequest, "inside.bin"},
    {"EmptyRootWrite", Setup::EmptyRoot, Opcode::WriteRequest, "new.bin"},
    {"NameThePageDidNotAllow", Setup::RestrictedToOtherName, Opcode::ReadRequest, "inside.bin"},
    {"DirectionThePageDidNotAllow", Setup::RestrictedToOtherDirection, Opcode::WriteRequest,
        "inside.bin"},
    {"WriteToReadOnlyServer", Setup::ReadOnly, Opcode::WriteRequest, "inside.bin"},
    // Longer than a file name may be: refused at the request, not after the data was taken.
    {"NameTooLongToStore", Setup::Plain, Opcode::WriteRequest, QByteArray(600, 'a')},
};

class TftpServerRefusal : public TftpServerTest, public testing::WithParamInterface<RefusalCase>
{ };

TEST_P(TftpServerRefusal, AnswersAccessViolationAndTouchesNothing)
{
    const RefusalCase &c = GetParam();
    put("inside.bin", "inside");
    ASSERT_TRUE(QDir(root.path()).mkdir("sub"));
    switch (c.setup) {
    case Setup::Plain:
        break;
    case Setup::EmptyRoot:
        server.Start(QString(), 0);
        break;
    case Setup::RestrictedToOtherName:
        server.restrictTo("other.bin", tftpReadRequest);
        break;
    case Setup::RestrictedToOtherDirection:
        server.restrictTo("inside.bin", tftpReadRequest);
        break;
    case Setup::ReadOnly:
        server.setReadOnly(true);
        break;
    }
    client.request(c.opcode, c.fileName, port);
    EXPECT_EQ(client.receive(), error(tftp::AccessViolation));
    EXPECT_EQ(finalCode(), tftpAccessViolation);
    EXPECT_EQ(events.back().text, "(VtTFTP) Access violation!");
    EXPECT_EQ(contentOf("inside.bin"), "inside");
    EXPECT_EQ(filesInRoot(), QStringList{"inside.bin"});
    EXPECT_TRUE(QDir(root.filePath("sub")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, TftpServerRefusal, testing::ValuesIn(kRefusals), kvatest::caseName);

TEST_F(TftpServerTest, RestrictionLetsTheAnnouncedTransferThrough)
{
    server.restrictTo("cfg.dcf", tftpWriteRequest);
    client.request(Opcode::WriteRequest, "cfg.dcf", port);
    EXPECT_EQ(client.receive(), ack(0));
    client.reply(data(1, "cfg"));
    EXPECT_EQ(client.receive(), ack(1));
    EXPECT_EQ(finalCode(), tftpSuccess);
    EXPECT_EQ(contentOf("cfg.dcf"), "cfg");
}

struct MalformedCase
{
    const char *name;
    QByteArray request;
};

void PrintTo(const MalformedCase &c, std::ostream *out)
{
    *out << c.name;
}

const MalformedCase kMalformed[] = {
    {"NameWithoutTerminator", QByteArray("\0\1inside.bin", 12)},
    {"ModeWithoutTerminator", QByteArray("\0\1inside.bin\0octet", 18)},
    {"WriteModeWithoutTerminator", QByteArray("\0\2new.bin\0octet", 15)},
    {"OptionValueWithoutTerminator",
        QByteArray("\0\1inside.bin\0octet\0blksize\0"
                   "1024",
            31)},
    {"EmptyName", QByteArray("\0\1\0octet\0", 9)},
};

class TftpServerMalformed : public TftpServerTest, public testing::WithParamInterface<MalformedCase>
{ };

TEST_P(TftpServerMalformed, IsAnsweredWithIllegalOperationAndStartsNoSession)
{
    put("inside.bin", "inside");
    client.send(GetParam().request, port);
    EXPECT_EQ(client.receive(), error(tftp::IllegalOperation));
    EXPECT_EQ(client.sessionPort(), port); // the listener answers: there is no session
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(server.sessionCount(), 0);
    EXPECT_EQ(filesInRoot(), QStringList{"inside.bin"});
}

INSTANTIATE_TEST_SUITE_P(
    Requests, TftpServerMalformed, testing::ValuesIn(kMalformed), kvatest::caseName);

/// The server answers only 127.0.0.1, as a page answers only its device.
class TftpServerAllowed : public TftpServerTest
{
protected:
    void SetUp() override
    {
        TftpServerTest::SetUp();
        server.setAllowedPeers({net::Ipv4Address::localHost()});
        QObject::connect(&server, &VtTFTPServer::peerRefused,
            [this](const net::Ipv4Address &peer, quint16) { refused << peer.toString(); });
    }

    QStringList refused;
};

TEST_F(TftpServerAllowed, AStrangersReadGetsAccessViolationAndNoByteOfTheFile)
{
    put("cfg.dcf", "keys and passwords");
    RawClient stranger(QHostAddress(QStringLiteral("127.0.0.2")));
    stranger.request(Opcode::ReadRequest, "cfg.dcf", port);
    EXPECT_EQ(stranger.receive(), error(tftp::AccessViolation));
    stranger.request(Opcode::ReadRequest, "cfg.dcf", port, {{"blksize", "1428"}});
    EXPECT_EQ(stranger.receive(), error(tftp::AccessViolation));
    stranger.send(QByteArray("\0\1cfg.dcf", 9), port); // malformed as well: refused first
    EXPECT_EQ(stranger.receive(), error(tftp::AccessViolation));
    EXPECT_EQ(refused, QStringList(3, QStringLiteral("127.0.0.2")));
    EXPECT_TRUE(events.empty()); // no session was started for it
    EXPECT_EQ(server.sessionCount(), 0);

    client.request(Opcode::ReadRequest, "cfg.dcf", port); // the device itself is served
    EXPECT_EQ(client.receive(), data(1, "keys and passwords"));
    client.reply(ack(1));
    EXPECT_EQ(finalCode(), tftpSuccess);
    EXPECT_TRUE(stranger.drain().isEmpty());
}

TEST_F(TftpServerAllowed, AStrangersWriteStoresNothing)
{
    put("log.rd", "the device's log");
    RawClient stranger(QHostAddress(QStringLiteral("127.0.0.2")));
    stranger.request(Opcode::WriteRequest, "log.rd", port);
    EXPECT_EQ(stranger.receive(), error(tftp::AccessViolation));
    stranger.send(data(1, "forged"), port);
    EXPECT_TRUE(stranger.receive(200).isEmpty()); // DATA on the listening port: not a request
    EXPECT_EQ(refused, QStringList{QStringLiteral("127.0.0.2")});
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(contentOf("log.rd"), "the device's log");
    EXPECT_EQ(filesInRoot(), QStringList{"log.rd"});
}

TEST_F(TftpServerAllowed, AnEmptyListServesAnyone)
{
    put("f.bin", "x");
    server.setAllowedPeers({});
    RawClient stranger(QHostAddress(QStringLiteral("127.0.0.2")));
    stranger.request(Opcode::ReadRequest, "f.bin", port);
    EXPECT_EQ(stranger.receive(), data(1, "x"));
    EXPECT_TRUE(refused.isEmpty());
}

TEST_F(TftpServerAllowed, AListenerOnEveryAddressAnswersFromTheAddressAskedAt)
{
    // The device is told one address of this computer: every answer, the listener's refusals
    // included, comes from that address, or a client that checks it drops the answer.
    put("f.bin", "x");
    VtTFTPServer everywhere;
    everywhere.setAllowedPeers({net::Ipv4Address::localHost()});
    everywhere.setStopWait(100);
    everywhere.Start(root.path(), 0);
    const quint16 at = quint16(everywhere.port());
    const QString asked = QStringLiteral("127.0.0.3");

    client.aimAt(QHostAddress(asked));
    client.request(Opcode::ReadRequest, "f.bin", at);
    EXPECT_EQ(client.receive(), data(1, "x"));
    EXPECT_EQ(client.sessionAddress().toString(), asked); // the session's own socket
    EXPECT_NE(client.sessionPort(), at);
    client.reply(ack(1));

    client.send(QByteArray("\0\1f.bin", 7), at); // no terminator: the listener answers
    EXPECT_EQ(client.receive(), error(tftp::IllegalOperation));
    EXPECT_EQ(client.sessionAddress().toString(), asked);
    EXPECT_EQ(client.sessionPort(), at);

    RawClient stranger(QHostAddress(QStringLiteral("127.0.0.2")));
    stranger.aimAt(QHostAddress(asked));
    stranger.request(Opcode::ReadRequest, "f.bin", at);
    EXPECT_EQ(stranger.receive(), error(tftp::AccessViolation));
    EXPECT_EQ(stranger.sessionAddress().toString(), asked);
    EXPECT_EQ(stranger.sessionPort(), at);
    EXPECT_TRUE(refused.isEmpty()); // the fixture's server on 127.0.0.1 heard none of it
}

/// A lock-step TFTP peer on a plain socket, for a thread of its own beside the server's event
/// loop. Waits are bounded by a deadline that only ends a failing test.
class ThreadPeer
{
public:
    ThreadPeer()
    {
        m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in local = {};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        m_bound = ::bind(m_fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) == 0;
    }

    ~ThreadPeer() { ::close(m_fd); }

    ThreadPeer(const ThreadPeer &) = delete;
    ThreadPeer &operator=(const ThreadPeer &) = delete;

    void send(const QByteArray &packet, quint16 port)
    {
        sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(port);
        ::sendto(m_fd, packet.constData(), size_t(packet.size()), 0,
            reinterpret_cast<const sockaddr *>(&to), sizeof to);
    }

    void reply(const QByteArray &packet) { send(packet, m_sessionPort); }

    bool bound() const { return m_bound; }

    /// The next datagram, empty when none came before the deadline.
    QByteArray receive(int deadlineMs)
    {
        pollfd watched = {m_fd, POLLIN, 0};
        if (::poll(&watched, 1, deadlineMs) <= 0) {
            return {};
        }
        QByteArray buffer(2048, '\0');
        sockaddr_in from = {};
        socklen_t length = sizeof from;
        const ssize_t got = ::recvfrom(m_fd, buffer.data(), size_t(buffer.size()), 0,
            reinterpret_cast<sockaddr *>(&from), &length);
        if (got < 0) {
            return {};
        }
        m_sessionPort = ntohs(from.sin_port);
        buffer.resize(got);
        return buffer;
    }

private:
    int m_fd = -1;
    bool m_bound = false;
    quint16 m_sessionPort = 0;
};

/// What a download got beside peers that answer once and then go silent.
struct DownloadProgress
{
    int blocks = 0;
    QByteArray received;
    int stalledServed = 0; // stalled peers sent their next block after their one answer
};

TEST_F(TftpServerTest, StalledPeersBesideADownloadDoNotHoldIt)
{
    // Bursts limited only after 30 s: a session that kept waiting for a silent peer would stop
    // the download beside it outright, which a block count shows without measuring any time.
    server.setBurstLimits(30000000, 30000);
    constexpr int kBlocks = 48;
    const QByteArray content = pattern(kBlocks * 512 + 100);
    put("down.bin", content);
    put("bait.bin", pattern(2000, 3));
    constexpr int kDeadlineMs = 10000; // ends a failing run; the server is quick otherwise

    const auto download = [&](bool stalledBeside) {
        DownloadProgress progress;
        std::atomic<bool> done = false;
        std::thread peers([&] {
            std::vector<std::unique_ptr<ThreadPeer>> stalled; // kept open, silent
            ThreadPeer downloader;
            if (!downloader.bound()) {
                done = true;
                return;
            }
            downloader.send(tftp::encodeRequest(Opcode::ReadRequest, "down.bin", "octet"), port);
            for (quint16 block = 1;; ++block) {
                const QByteArray packet = downloader.receive(kDeadlineMs);
                const std::optional<tftp::Packet> p = tftp::decode(packet);
                if (!p || p->opcode != Opcode::Data || p->block != block) {
                    break;
                }
                ++progress.blocks;
                progress.received += p->payload.toByteArray();
                if (stalledBeside) {
                    // A new peer asks for a file, answers its first block and falls silent; its
                    // session has the next block out and waits when the download's ACK comes.
                    auto &peer = stalled.emplace_back(std::make_unique<ThreadPeer>());
                    peer->send(tftp::encodeRequest(Opcode::ReadRequest, "bait.bin", "octet"), port);
                    if (peer->receive(kDeadlineMs).isEmpty()) {
                        break;
                    }
                    peer->reply(ack(1));
                }
                downloader.reply(ack(block));
                if (p->payload.size() < 512) {
                    break;
                }
            }
            for (const auto &peer : stalled) {
                progress.stalledServed +=
                    peer->receive(kDeadlineMs) == data(2, pattern(2000, 3).sliced(512, 512));
            }
            done = true;
        });
        kvatest::waitUntil([&] { return done.load(); }, 3 * kDeadlineMs);
        peers.join();
        return progress;
    };

    const DownloadProgress alone = download(false);
    const DownloadProgress beside = download(true);
    EXPECT_EQ(alone.blocks, kBlocks + 1);
    EXPECT_EQ(beside.blocks, alone.blocks);
    EXPECT_TRUE(beside.received == content);
    EXPECT_EQ(beside.stalledServed, kBlocks + 1);
}

} // namespace
