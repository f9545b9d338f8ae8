// The module's TFTP server: the access point fetches and stores files in one directory of this
// computer. Every request becomes a session with its own socket; progress is reported through a
// status record passed to the owner's event handler. Everything runs on the thread that owns it.
#pragma once

#include "Ipv4Address.h"

#include <functional>
#include <stdexcept>
#include <vector>

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class TFTPSession;

namespace net {
class UdpSocket;
} // namespace net

/// Status codes of the status record.
enum VtTFTPCode : int {
    tftpSuccess = 3,
    tftpTransferring = 2,
    tftpConnected = 1,
    tftpDisconnected = 0,
    tftpUndefined = -1101, // -1101 … -1108: the TFTP error codes 0 … 7
    tftpFileNotFound = -1102,
    tftpAccessViolation = -1103,
    tftpDiskFull = -1104,
    tftpBadOperation = -1105,
    tftpUnknownPort = -1106,
    tftpFileExists = -1107,
    tftpNoSuchUser = -1108,
    tftpSocketOpenFailed = -1109,
    tftpSocketIoFailed = -1110,
    tftpSocketNotReady = -1111,
    tftpBadPacket = -1112,
    tftpTimeout = -1113,
    tftpCanceled = -1114,
};

/// Request types of the status record.
enum VtTFTPRequest : int {
    tftpReadRequest = 1,  // the peer fetches a file from this computer
    tftpWriteRequest = 2, // the peer stores a file on this computer
};

/// The fixed text of a status code ("" for a code that has none).
QString VtTFTPStatusText(int code);

/// Status record: the server keeps one as the template of new sessions, each session its own copy.
struct VtTFTPMsg
{
    int code = tftpSocketNotReady;
    QString text = VtTFTPStatusText(tftpSocketNotReady);
    int request = tftpReadRequest;
    QString transferMode = QStringLiteral("octet");
    QString peerAddress = QStringLiteral("0.0.0.0");
    QString localAddress = QStringLiteral("127.0.0.1");
    int port = 69;
    QString fileName;
    qint64 totalBytes = 0; // 64 bits: with block numbers rolling over, files may pass 2 GiB
    int lastBlockBytes = -1;
    int peerPort = 0;
    int sessionNumber = -1;
    int timeout = 1000; // hundredths of a second
    int sends = 0;
};

/// Raised when the server cannot listen; code() is -1109 and what() the status text and a hint.
class VtTFTPError : public std::runtime_error
{
public:
    VtTFTPError(int code, const QString &message);

    int code() const { return m_code; }

    QString message() const { return QString::fromUtf8(what()); }

private:
    int m_code;
};

using VtTFTPEventHandler = void (*)(void *context, const VtTFTPMsg &msg, bool &cancel);

class VtTFTPServer : public QObject
{
    Q_OBJECT

public:
    /// Pages pass this port; KVA7310_TFTP_PORT replaces it when set.
    static constexpr int kStandardPort = 69;

    explicit VtTFTPServer(QObject *owner = nullptr);
    ~VtTFTPServer() override;

    /// Time-out in hundredths of a second for every session; how often one data block is sent.
    void SetTiming(int timeout, int maxSends);
    /// Called on every status change of a session; setting `cancel` aborts that session.
    void SetEventHandler(VtTFTPEventHandler handler, void *context);
    void SetEventHandler(std::function<void(const VtTFTPMsg &, bool &)> handler);
    /// Sets the root directory (an empty root refuses every request) and starts listening on
    /// `port` (0: any free port). While listening, only the root changes. Throws VtTFTPError.
    void Start(const QString &rootDirectory, int port = kStandardPort);
    /// Stops listening and waits, processing events, until the sessions in progress end (10 s at
    /// most); sessions still running then are dropped, unfinished uploads leaving no file.
    void Stop();

    /// Serves only `fileName` in the one direction (a VtTFTPRequest) until clearRestriction().
    void restrictTo(const QString &fileName, int request);
    void clearRestriction();

    /// Refuses every write request.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    /// IPv4 address to listen on (all of them unless set); takes effect at the next Start.
    void setListenAddress(const net::Ipv4Address &address) { m_listenAddress = address; }

    /// Answers requests only from these IPv4 addresses (from every address while the list is
    /// empty). A request from any other address gets ERROR 2, starts no session and is named by
    /// peerRefused().
    void setAllowedPeers(const QList<net::Ipv4Address> &peers);

    const QList<net::Ipv4Address> &allowedPeers() const { return m_allowedPeers; }

    /// Period of the deadline timer (20 ms) and the longest wait of Stop (10 s); tests shorten them.
    void setServicePeriod(int ms);

    /// Longest wait of a session for its peer inside a burst (2000 us) and longest burst (10 ms).
    /// Tests lengthen them, so that a session holding the event loop shows as stopped progress.
    void setBurstLimits(int waitUs, int burstMs);

    void setStopWait(int ms) { m_stopWaitMs = ms; }

    bool isListening() const;
    /// Whether the service timer runs: only while sessions are held.
    bool isServicing() const;

    /// The port actually listened on (the one chosen by the system after Start with port 0).
    int port() const { return m_template.port; }

    QString rootDirectory() const { return m_root; }

    const VtTFTPMsg &statusTemplate() const { return m_template; }

    /// Sessions still held: active ones and finished uploads waiting for a repeated last block.
    int sessionCount() const { return int(m_sessions.size()); }

    int timeout() const { return m_timeout; }

    int maxSends() const { return m_maxSends; }

    /// The port Start really uses for `requested`: KVA7310_TFTP_PORT replaces the standard port.
    static int effectivePort(int requested);

signals:
    /// A request from an address that is not allowed was refused (ERROR 2, no session).
    void peerRefused(const net::Ipv4Address &peer, quint16 peerPort);

private:
    friend class TFTPSession;

    void onRequestReadable();
    void acceptRequest(const QByteArray &datagram, const net::Ipv4Address &from, quint16 fromPort,
        const net::Ipv4Address &local);
    void onServiceTick();
    bool allows(const net::Ipv4Address &peer) const;
    /// Answers a request that starts no session, from the listening socket and the address the
    /// request came to.
    void answerRequest(const QByteArray &packet, const net::Ipv4Address &to, quint16 toPort,
        const net::Ipv4Address &local);
    void report(TFTPSession &session);
    /// Whether a request must be refused with ERROR 2 (access violation).
    bool refuses(int request, const QString &fileName) const;
    void discard(TFTPSession *session);

    qint64 nowMs() const { return m_clock.elapsed(); }

    /// The sockets of the listener and the sessions, as one descriptor that polls readable while
    /// any of them has a datagram waiting: a session in a burst leaves it early for the others.
    int readinessFd() const { return m_readiness; }

    void watch(int fd);
    void unwatch(int fd);

    VtTFTPMsg m_template;
    QString m_root;
    int m_timeout = 1000;
    int m_maxSends = 3;
    int m_stopWaitMs = 10000;
    bool m_readOnly = false;
    QString m_allowedName;
    int m_allowedRequest = 0; // 0: no restriction
    net::Ipv4Address m_listenAddress = net::Ipv4Address::any();
    QList<net::Ipv4Address> m_allowedPeers;
    int m_burstWaitUs = 2000;
    int m_burstMs = 10;
    int m_readiness = -1;  // epoll set of every socket of the server, and of the burst timer
    int m_burstTimer = -1; // tells a session waiting in its burst that its peer is late
    std::function<void(const VtTFTPMsg &, bool &)> m_handler;
    net::UdpSocket *m_listener = nullptr;
    std::vector<TFTPSession *> m_sessions; // children, destroyed through deleteLater
    QTimer m_service;
    QElapsedTimer m_clock;
};
