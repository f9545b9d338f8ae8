// One transfer of the TFTP server with one peer: its own socket, the file it reads or writes, the
// block in flight and its deadline. The server owns its sessions and hears of every change.
#pragma once

#include "TftpPacket.h"
#include "TftpServer.h"

#include <memory>
#include <netinet/in.h>

#include <QByteArray>
#include <QFile>
#include <QHostAddress>
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
        const QHostAddress &peer, quint16 peerPort);

    ~TFTPSession() override { closeSocket(); }

    VtTFTPMsg msg;
    bool cancel = false;
    State state = State::Active;

    bool isReadSession() const { return msg.request == tftpReadRequest; }

    /// A finished upload stays reachable for one time-out to acknowledge a repeated last block.
    bool lingers(qint64 now) const { return state == State::Finished && now < m_deadline; }

    /// Reports the new session, opens its socket on `local` and answers the request.
    void connectAndStart(const QHostAddress &local, const QString &path, bool refused);

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

    /// The session's socket: a plain descriptor watched by the event loop. It blocks only in the
    /// short waits of a burst (see onReadable); every other receive and every send is non-blocking.
    bool openSocket(const QHostAddress &local);

    void closeSocket();

    /// A burst: after the datagram that woke us, the session waits briefly for the peer's answer
    /// on its own socket instead of going back to the event loop for every block. A lock-step
    /// peer answers within microseconds on a local network, and one blocking receive costs less
    /// than a poll of every descriptor the event loop watches followed by a receive. A wait that
    /// runs out (a slow peer, a lost packet) or a burst longer than kBurstMs hands control back;
    /// the notifier and the deadline timer take over from there.
    void onReadable();

    void handle(QByteArrayView datagram);

    void onAck(quint16 block);

    void onData(quint16 block, QByteArrayView payload);

    void sendBlock();

    bool sendAck(quint16 block);

    bool sendError(quint16 errorCode);

    /// Tells the peer why and ends the session with `code` (or -1110 if the peer cannot be told).
    void failWith(quint16 errorCode, int code);

    bool send(const char *data, qint64 length);

    void armDeadline() { m_deadline = m_server.nowMs() + qint64(m_timeout) * 10; }

    void finish(int code);

    void setCode(int code);

    VtTFTPServer &m_server;
    QList<tftp::Option> m_options;
    QHostAddress m_peer;
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
    bool m_closed = false; // shut down by the server; waits for its deletion
    qint64 m_deadline = 0; // 0: none
    QByteArray m_send = QByteArray(tftp::kHeaderSize + tftp::kDefaultBlockSize, '\0');
    qint64 m_sendLength = 0;
    QByteArray m_recv;
};
