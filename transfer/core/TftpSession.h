// One transfer of the TFTP server with one peer: its own socket, the file it reads or writes, the
// block in flight and its deadline. The server owns its sessions and hears of every change.
#pragma once

#include "Ipv4Address.h"
#include "TftpPacket.h"
#include "TftpServer.h"

#include <memory>
#include <netinet/in.h>

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QObject>
#include <QSaveFile>

class QSocketNotifier;

namespace tftp {
/// The largest request the server reads, and the receive buffer of a session before it agreed on
/// a block size.
inline constexpr int kRequestBufferSize = 2048;
} // namespace tftp

class TFTPSession : public QObject
{
public:
    enum class State {
        Active,
        Finished,
        Failed
    };

    TFTPSession(VtTFTPServer &server, const VtTFTPMsg &initial, QList<tftp::Option> options,
        const net::Ipv4Address &peer, quint16 peerPort);

    ~TFTPSession() override { closeSocket(); }

    VtTFTPMsg msg;
    bool cancel = false;
    State state = State::Active;

    bool isReadSession() const { return msg.request == tftpReadRequest; }

    /// A finished upload stays reachable for one time-out to acknowledge a repeated last block.
    bool lingers(qint64 now) const { return state == State::Finished && now < m_deadline; }

    /// Reports the new session, opens its socket on `local` and answers the request.
    void connectAndStart(const net::Ipv4Address &local, const QString &path, bool refused);

    /// The peer sent its request again. An upload that has received nothing yet answers again
    /// (ACK 0 or OACK): it never retransmits by itself, so a lost first answer would end it.
    /// A download's first block is repeated by the deadline anyway.
    void onRepeatedRequest();

    /// Called by the service timer once the deadline has passed.
    void onDeadline(qint64 now, int maxSends);

    /// Closes socket and files; an unfinished upload's temporary file goes with them.
    void shutdown();

private:
    void startRead(const QString &path);

    void startWrite(const QString &path);

    /// Answers the request's options with OACK; false when there was nothing to agree on.
    bool negotiate(qint64 fileSize);

    void resize();

    /// The session's socket: a plain non-blocking descriptor watched by the event loop (and by
    /// the server's readiness set, which a burst of another session polls). It is never
    /// connected: every datagram's sender is checked against the peer instead, and an ICMP port
    /// unreachable for a peer that has gone ends nothing early; the deadline decides.
    bool openSocket(const net::Ipv4Address &local);

    void closeSocket();

    /// A burst: after the datagram that woke us, the session waits briefly for the peer's answer
    /// on its own socket instead of going back to the event loop for every block. A lock-step
    /// peer answers within microseconds on a local network, and one wait on two descriptors
    /// costs less than a poll of every descriptor the event loop watches. The wait is as long as
    /// the peer's own pace allows (a few times its recent answer time, within the server's
    /// limit): a peer later than that is late, its burst ends at once and it is not waited for
    /// again until it answers on time. The burst also ends as soon as a request or another
    /// session's packet is waiting, and after the server's longest burst; the notifier and the
    /// deadline timer take over from there.
    void onReadable();

    /// Waits for the peer's next packet; true when it is there. False when the peer is late
    /// (m_late is set), when the event loop has other sockets to serve, or on an error.
    bool waitForPeer(qint64 burstEndUs);

    /// The server's burst timer, one shot `us` from now; and off again when the burst ends.
    void armTimer(qint64 us);
    void disarmTimer();

    /// How long the peer may take to answer before it counts as late, in microseconds.
    qint64 allowanceUs() const;

    /// The peer answered what was last sent: its pace, and whether it is on time again.
    void noteAnswer(qint64 nowUs);

    void handle(QByteArrayView datagram);

    void onAck(quint16 block);

    void onData(quint16 block, QByteArrayView payload);

    void sendBlock();

    bool sendAck(quint16 block);

    bool sendError(quint16 errorCode);

    /// Tells the peer why and ends the session with `code` (or -1110 if the peer cannot be told).
    void failWith(quint16 errorCode, int code);

    /// Sends to the peer; an answer to it is timed from here.
    bool send(const char *data, qint64 length);

    void armDeadline() { m_deadline = m_server.nowMs() + qint64(m_timeout) * 10; }

    void finish(int code);

    void setCode(int code);

    VtTFTPServer &m_server;
    QList<tftp::Option> m_options;
    net::Ipv4Address m_peer;
    quint16 m_peerPort;
    int m_timeout; // hundredths of a second
    int m_blockSize = tftp::kDefaultBlockSize;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    sockaddr_in m_peerAddress = {};
    std::unique_ptr<QFile> m_source;
    qint64 m_sourceSize = 0;
    std::unique_ptr<QSaveFile> m_target;
    quint32 m_block = 0; // counts past 65535; the wire carries its low 16 bits
    bool m_lastBlockShort = false;
    bool m_closed = false;   // shut down by the server; waits for its deletion
    qint64 m_deadline = 0;   // 0: none
    qint64 m_sentUs = 0;     // when the packet now awaiting an answer left
    qint64 m_answerUs = -1;  // the peer's recent answer time, smoothed; -1: not known yet
    bool m_late = false;     // missed its allowance: not waited for until it answers on time
    bool m_yield = false;    // another socket is waiting: the burst ends after this packet
    qint64 m_timerDueUs = 0; // when the burst timer armed by this burst fires; 0: not armed
    QByteArray m_send = QByteArray(tftp::kHeaderSize + tftp::kDefaultBlockSize, '\0');
    qint64 m_sendLength = 0;
    QByteArray m_recv;
};
