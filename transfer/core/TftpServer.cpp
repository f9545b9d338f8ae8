// The module's TFTP server: one listening socket, one session with its own socket per request.
// Transfers move on socket notifications; the service timer only keeps the retransmission deadlines.
#include "TftpServer.h"

#include "TftpPacket.h"

#include <algorithm>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QNetworkProxy>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QUdpSocket>

namespace {

constexpr int kRequestBufferSize = 2048;
/// Longest wait of a session for its peer's next packet inside a burst, and longest burst: the
/// event loop (the pages, other sessions, the listener) never waits longer than about kBurstMs.
constexpr int kBurstWaitUs = 2000;
constexpr qint64 kBurstMs = 10;

/// Names the device may ask for: plain names in the root, nothing that climbs out of it.
bool isPlainFileName(const QString &name, const QByteArray &raw)
{
    if (name.isEmpty() || name == u"." || name == u".." || name.toUtf8() != raw) {
        return false;
    }
    if (name.size() >= 2 && name[1] == u':') {
        return false; // a drive letter
    }
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) {
        return c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f;
    });
}

QString firstLocalAddress()
{
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        if (!(interface.flags() & QNetworkInterface::IsUp)
            || (interface.flags() & QNetworkInterface::IsLoopBack)) {
            continue;
        }
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol) {
                return entry.ip().toString();
            }
        }
    }
    return QStringLiteral("127.0.0.1");
}

} // namespace

QString VtTFTPStatusText(int code)
{
    switch (code) {
    case tftpSuccess:
        return QStringLiteral("(VtTFTP) Success to transfer file.");
    case tftpTransferring:
        return QStringLiteral("(VtTFTP) File is transferring...");
    case tftpConnected:
        return QStringLiteral("(VtTFTP) A TFTP session is connected...");
    case tftpDisconnected:
        return QStringLiteral("(VtTFTP) A TFTP session is disconnected...");
    case tftpUndefined:
        return QStringLiteral("(VtTFTP) Undefined error:");
    case tftpFileNotFound:
        return QStringLiteral("(VtTFTP) File not found!");
    case tftpAccessViolation:
        return QStringLiteral("(VtTFTP) Access violation!");
    case tftpDiskFull:
        return QStringLiteral("(VtTFTP) Disk full!");
    case tftpBadOperation:
        return QStringLiteral("(VtTFTP) Bad operation!");
    case tftpUnknownPort:
        return QStringLiteral("(VtTFTP) Unknown port!");
    case tftpFileExists:
        return QStringLiteral("(VtTFTP) File already exist!"); // shipped text
    case tftpNoSuchUser:
        return QStringLiteral("(VtTFTP) No such user!");
    case tftpSocketOpenFailed:
        return QStringLiteral("(VtTFTP) Fail to open socket!Please check if the network is ready.");
    case tftpSocketIoFailed:
        return QStringLiteral("(VtTFTP) Fail to send or receive socket packet!");
    case tftpSocketNotReady:
        return QStringLiteral("(VtTFTP) Socket is not ready!");
    case tftpBadPacket:
        return QStringLiteral("(VtTFTP) Bad packet!");
    case tftpTimeout:
        return QStringLiteral("(VtTFTP) Timeout!");
    case tftpCanceled:
        return QStringLiteral("(VtTFTP) Transfer has been canceled.");
    default:
        return {};
    }
}

VtTFTPError::VtTFTPError(int code, const QString &message)
    : std::runtime_error(message.toStdString()), m_code(code)
{ }

// ---------------------------------------------------------------------------------------------
// One transfer with one peer, on its own socket.

class TFTPSession : public QObject
{
public:
    enum class State {
        Active,
        Finished,
        Failed
    };

    TFTPSession(VtTFTPServer &server, const VtTFTPMsg &initial, QList<tftp::Option> options,
        const QHostAddress &peer, quint16 peerPort)
        : QObject(&server),
          msg(initial),
          m_server(server),
          m_options(std::move(options)),
          m_peer(peer),
          m_peerPort(peerPort),
          m_timeout(initial.timeout)
    { }

    ~TFTPSession() override { closeSocket(); }

    VtTFTPMsg msg;
    bool cancel = false;
    State state = State::Active;

    bool isReadSession() const { return msg.request == tftpReadRequest; }

    /// A finished upload stays reachable for one time-out to acknowledge a repeated last block.
    bool lingers(qint64 now) const { return state == State::Finished && now < m_deadline; }

    /// Reports the new session, opens its socket on `local` and answers the request.
    void connectAndStart(const QHostAddress &local, const QString &path, bool refused)
    {
        setCode(tftpConnected);
        if (m_closed) {
            return;
        }
        if (!openSocket(local)) {
            finish(tftpSocketOpenFailed);
            return;
        }
        m_recv.resize(kRequestBufferSize);
        if (cancel) {
            sendError(tftp::NotDefined);
            finish(tftpCanceled);
            return;
        }
        if (refused) {
            failWith(tftp::AccessViolation, tftpAccessViolation);
            return;
        }
        if (isReadSession()) {
            startRead(path);
        } else if (msg.request == tftpWriteRequest) {
            startWrite(path);
        } else {
            failWith(tftp::IllegalOperation, tftpBadOperation);
        }
    }

    /// The peer sent its request again. An upload that has received nothing yet answers again
    /// (ACK 0 or OACK): it never retransmits by itself, so a lost first answer would end it.
    /// A download's first block is repeated by the deadline anyway.
    void onRepeatedRequest()
    {
        if (!m_closed && state == State::Active && !isReadSession() && m_block == 0
            && m_sendLength > 0) {
            send(m_send.constData(), m_sendLength);
        }
    }

    /// Called by the service timer once the deadline has passed.
    void onDeadline(qint64 now, int maxSends)
    {
        if (m_closed || state != State::Active || m_deadline == 0 || now < m_deadline) {
            return;
        }
        if (isReadSession() && msg.sends < maxSends) {
            if (!send(m_send.constData(), m_sendLength)) {
                finish(tftpSocketIoFailed);
                return;
            }
            ++msg.sends;
            armDeadline();
            setCode(tftpTransferring);
            return;
        }
        finish(tftpTimeout);
    }

    /// Closes socket and files; an unfinished upload's temporary file goes with them.
    void shutdown()
    {
        m_closed = true;
        closeSocket();
        m_source.reset();
        m_target.reset();
    }

private:
    void startRead(const QString &path)
    {
        m_source = std::make_unique<QFile>(path);
        if (!m_source->open(QIODevice::ReadOnly)) {
            m_source.reset();
            failWith(tftp::FileNotFound, tftpFileNotFound);
            return;
        }
        m_sourceSize = m_source->size();
        if (negotiate(m_sourceSize)) {
            return;
        }
        m_block = 1;
        sendBlock();
    }

    void startWrite(const QString &path)
    {
        m_target = std::make_unique<QSaveFile>(path);
        if (!m_target->open(QIODevice::WriteOnly)) {
            m_target.reset();
            failWith(tftp::AccessViolation, tftpAccessViolation);
            return;
        }
        if (negotiate(-1)) {
            return;
        }
        resize();
        m_block = 0;
        tftp::writeHeader(m_send.data(), tftp::Opcode::Ack, 0);
        m_sendLength = tftp::kHeaderSize; // kept to answer a repeated request
        if (!send(m_send.constData(), m_sendLength)) {
            finish(tftpSocketIoFailed);
            return;
        }
        armDeadline();
        setCode(tftpTransferring);
    }

    /// Answers the request's options with OACK; false when there was nothing to agree on.
    bool negotiate(qint64 fileSize)
    {
        if (m_options.isEmpty()) {
            return false;
        }
        const tftp::Negotiation agreed = tftp::negotiate(m_options, isReadSession(), fileSize);
        if (agreed.accepted.isEmpty()) {
            return false;
        }
        m_blockSize = agreed.blockSize;
        if (agreed.timeoutSeconds > 0) {
            m_timeout = agreed.timeoutSeconds * 100;
            msg.timeout = m_timeout;
        }
        resize();
        const QByteArray oack = tftp::encodeOptionAck(agreed.accepted);
        if (oack.size() > m_send.size()) {
            m_send.resize(oack.size());
        }
        std::copy(oack.cbegin(), oack.cend(), m_send.begin());
        m_sendLength = oack.size();
        m_block = 0;
        if (!send(m_send.constData(), m_sendLength)) {
            finish(tftpSocketIoFailed);
            return true;
        }
        msg.sends = 1;
        armDeadline();
        setCode(tftpTransferring);
        return true;
    }

    void resize()
    {
        m_send.resize(tftp::kHeaderSize + m_blockSize);
        // One byte more than the largest block, so an oversized one shows rather than being cut.
        m_recv.resize(std::max(kRequestBufferSize, tftp::kHeaderSize + m_blockSize + 1));
    }

    /// The session's socket: a plain descriptor watched by the event loop. It blocks only in the
    /// short waits of a burst (see onReadable); every other receive and every send is non-blocking.
    bool openSocket(const QHostAddress &local)
    {
        m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (m_fd < 0) {
            return false;
        }
        const timeval wait = {0, kBurstWaitUs};
        if (::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) != 0) {
            closeSocket();
            return false;
        }
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(local.toIPv4Address());
        address.sin_port = 0;
        if (::bind(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
            closeSocket();
            return false;
        }
        m_peerAddress.sin_family = AF_INET;
        m_peerAddress.sin_addr.s_addr = htonl(m_peer.toIPv4Address());
        m_peerAddress.sin_port = htons(m_peerPort);
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &TFTPSession::onReadable);
        return true;
    }

    void closeSocket()
    {
        if (m_notifier) {
            m_notifier->setEnabled(false);
        }
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

    /// A burst: after the datagram that woke us, the session waits briefly for the peer's answer
    /// on its own socket instead of going back to the event loop for every block. A lock-step
    /// peer answers within microseconds on a local network, and one blocking receive costs less
    /// than a poll of every descriptor the event loop watches followed by a receive. A wait that
    /// runs out (a slow peer, a lost packet) or a burst longer than kBurstMs hands control back;
    /// the notifier and the deadline timer take over from there.
    void onReadable()
    {
        if (m_fd < 0) {
            return;
        }
        const qint64 burstEnd = m_server.nowMs() + kBurstMs;
        int flags = MSG_DONTWAIT; // the datagram that woke us is there already
        for (;;) {
            sockaddr_in from = {};
            socklen_t fromLength = sizeof from;
            const ssize_t length = ::recvfrom(m_fd, m_recv.data(), size_t(m_recv.size()), flags,
                reinterpret_cast<sockaddr *>(&from), &fromLength);
            if (length < 0) {
                return;
            }
            if (from.sin_port != m_peerAddress.sin_port
                || from.sin_addr.s_addr != m_peerAddress.sin_addr.s_addr) {
                // Someone else on this session's port: answer them, leave the transfer alone.
                const QByteArray error = tftp::encodeError(tftp::UnknownTransferId);
                ::sendto(m_fd, error.constData(), size_t(error.size()), MSG_DONTWAIT,
                    reinterpret_cast<const sockaddr *>(&from), fromLength);
            } else if (length >= tftp::kHeaderSize
                && (state == State::Active || state == State::Finished)) {
                handle(QByteArrayView(m_recv.constData(), length));
            }
            // Only an active session expects an answer; the peer of a finished one is done.
            if (m_fd < 0 || m_closed || state != State::Active || m_server.nowMs() >= burstEnd) {
                return;
            }
            flags = 0;
        }
    }

    void handle(QByteArrayView datagram)
    {
        const std::optional<tftp::Packet> packet = tftp::decode(datagram);
        if (!packet) {
            return;
        }
        if (state == State::Finished) {
            // The peer missed the last ACK of an upload and sends its last block again.
            if (!isReadSession() && packet->opcode == tftp::Opcode::Data
                && packet->block == quint16(m_block)) {
                sendAck(packet->block);
            }
            return;
        }
        if (packet->opcode == tftp::Opcode::Error) {
            finish(packet->errorCode <= tftp::NoSuchUser ? tftpUndefined - packet->errorCode
                                                         : tftpUndefined);
            return;
        }
        if (isReadSession() && packet->opcode == tftp::Opcode::Ack) {
            onAck(packet->block);
        } else if (!isReadSession() && packet->opcode == tftp::Opcode::Data) {
            onData(packet->block, packet->payload);
        }
    }

    void onAck(quint16 block)
    {
        if (block != quint16(m_block)) {
            return; // an old ACK, or one for a block never sent
        }
        m_deadline = 0;
        msg.peerPort = m_peerPort;
        if (cancel) {
            sendError(tftp::NotDefined);
            finish(tftpCanceled);
            return;
        }
        if (m_block > 0 && m_lastBlockShort) {
            finish(tftpSuccess);
            return;
        }
        ++m_block;
        sendBlock();
    }

    void onData(quint16 block, QByteArrayView payload)
    {
        if (m_block > 0 && block == quint16(m_block)) {
            sendAck(block); // our ACK was lost: the peer repeats the block
            return;
        }
        if (block != quint16(m_block + 1) || payload.size() > m_blockSize) {
            return; // a block from the future, or more than was agreed
        }
        m_deadline = 0;
        msg.peerPort = m_peerPort;
        if (cancel) {
            sendError(tftp::NotDefined);
            finish(tftpCanceled);
            return;
        }
        if (m_target->write(payload.data(), payload.size()) != payload.size()) {
            failWith(tftp::DiskFull, tftpDiskFull);
            return;
        }
        ++m_block;
        msg.totalBytes += payload.size();
        msg.lastBlockBytes = int(payload.size());
        if (payload.size() < m_blockSize) {
            // The file takes its name before the peer hears that the upload is complete.
            if (!m_target->commit()) {
                m_target.reset();
                failWith(tftp::DiskFull, tftpDiskFull);
                return;
            }
            m_target.reset();
            if (!sendAck(block)) {
                return;
            }
            m_deadline =
                m_server.nowMs() + qint64(m_timeout) * 10; // how long the last ACK is repeated
            finish(tftpSuccess);
            return;
        }
        if (!sendAck(block)) {
            return;
        }
        armDeadline();
        setCode(tftpTransferring);
    }

    void sendBlock()
    {
        const qint64 length = m_source->read(m_send.data() + tftp::kHeaderSize, m_blockSize);
        // A failed read, or a file that ended before the size it had when the transfer began, is
        // an error: the peer must not take a cut-off file for a complete one.
        if (length < 0 || (length < m_blockSize && m_source->pos() < m_sourceSize)) {
            failWith(tftp::NotDefined, tftpUndefined);
            return;
        }
        tftp::writeHeader(m_send.data(), tftp::Opcode::Data, quint16(m_block));
        m_sendLength = tftp::kHeaderSize + length;
        m_lastBlockShort = length < m_blockSize;
        if (!send(m_send.constData(), m_sendLength)) {
            finish(tftpSocketIoFailed);
            return;
        }
        msg.totalBytes += length;
        msg.lastBlockBytes = int(length);
        msg.sends = 1;
        armDeadline();
        setCode(tftpTransferring);
    }

    bool sendAck(quint16 block)
    {
        char ack[tftp::kHeaderSize];
        tftp::writeHeader(ack, tftp::Opcode::Ack, block);
        if (!send(ack, sizeof ack)) {
            finish(tftpSocketIoFailed);
            return false;
        }
        return true;
    }

    bool sendError(quint16 errorCode)
    {
        const QByteArray error = tftp::encodeError(errorCode);
        return send(error.constData(), error.size());
    }

    /// Tells the peer why and ends the session with `code` (or -1110 if the peer cannot be told).
    void failWith(quint16 errorCode, int code)
    {
        finish(sendError(errorCode) ? code : tftpSocketIoFailed);
    }

    bool send(const char *data, qint64 length)
    {
        if (m_fd < 0) {
            return false;
        }
        return ::sendto(m_fd, data, size_t(length), MSG_DONTWAIT,
                   reinterpret_cast<const sockaddr *>(&m_peerAddress), sizeof m_peerAddress)
            == length;
    }

    void armDeadline() { m_deadline = m_server.nowMs() + qint64(m_timeout) * 10; }

    void finish(int code)
    {
        if (state != State::Active) {
            return;
        }
        state = code == tftpSuccess ? State::Finished : State::Failed;
        if (state == State::Failed) {
            m_deadline = 0;
        }
        m_source.reset();
        m_target.reset(); // an upload not committed leaves the old file as it was
        setCode(code);
    }

    void setCode(int code)
    {
        msg.code = code;
        msg.text = VtTFTPStatusText(code);
        m_server.report(*this);
    }

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

// ---------------------------------------------------------------------------------------------

VtTFTPServer::VtTFTPServer(QObject *owner) : QObject(owner)
{
    m_template.localAddress = firstLocalAddress();
    m_service.setInterval(20);
    connect(&m_service, &QTimer::timeout, this, &VtTFTPServer::onServiceTick);
    m_clock.start();
}

VtTFTPServer::~VtTFTPServer()
{
    m_handler = nullptr; // the owner is going away: no calls into it while the sessions wind down
    Stop();
    for (TFTPSession *session : m_sessions) {
        session->shutdown();
    }
}

void VtTFTPServer::SetTiming(int timeout, int maxSends)
{
    m_timeout = std::max(1, timeout);
    m_maxSends = std::max(1, maxSends);
    m_template.timeout = m_timeout;
}

void VtTFTPServer::SetEventHandler(VtTFTPEventHandler handler, void *context)
{
    if (!handler) {
        m_handler = nullptr;
        return;
    }
    m_handler = [handler, context](
                    const VtTFTPMsg &msg, bool &cancel) { handler(context, msg, cancel); };
}

void VtTFTPServer::SetEventHandler(std::function<void(const VtTFTPMsg &, bool &)> handler)
{
    m_handler = std::move(handler);
}

int VtTFTPServer::effectivePort(int requested)
{
    if (requested == kStandardPort) {
        bool ok = false;
        const int port = qEnvironmentVariableIntValue("KVA7310_TFTP_PORT", &ok);
        if (ok && port >= 0 && port <= 65535) {
            return port;
        }
    }
    return requested;
}

void VtTFTPServer::Start(const QString &rootDirectory, int port)
{
    m_root = rootDirectory;
    if (!m_root.isEmpty() && !m_root.endsWith(u'/')) {
        m_root += u'/';
    }
    if (m_listener) {
        return;
    }
    port = effectivePort(port);
    const QString text = VtTFTPStatusText(tftpSocketOpenFailed);
    if (port < 0 || port > 65535) {
        throw VtTFTPError(
            tftpSocketOpenFailed, text + QStringLiteral(" Invalid port %1.").arg(port));
    }
    auto *listener = new QUdpSocket(this);
    listener->setProxy(QNetworkProxy::NoProxy); // a local server: no proxy lookup, which can block
    // No address sharing: a second server on the port must fail, not share the requests.
    if (!listener->bind(m_listenAddress, quint16(port), QAbstractSocket::DontShareAddress)) {
        QString hint;
        switch (listener->error()) {
        case QAbstractSocket::AddressInUseError:
            hint = QStringLiteral(" UDP port %1 is already in use by another TFTP server or module "
                                  "file page; only one can listen on it at a time.")
                       .arg(port);
            break;
        case QAbstractSocket::SocketAccessError:
            hint =
                QStringLiteral(" Listening on UDP port %1 needs privileges: allow the module with "
                               "\"setcap cap_net_bind_service=+ep\" on its program, or set "
                               "KVA7310_TFTP_PORT to a port above 1023.")
                    .arg(port);
            break;
        default:
            hint = QStringLiteral(" UDP port %1: %2").arg(port).arg(listener->errorString());
            break;
        }
        delete listener;
        throw VtTFTPError(tftpSocketOpenFailed, text + hint);
    }
    m_listener = listener;
    m_template.port = m_listener->localPort();
    connect(m_listener, &QUdpSocket::readyRead, this, &VtTFTPServer::onRequestReadable);
    m_service.start();
}

void VtTFTPServer::Stop()
{
    if (m_listener) {
        m_listener->close();
        m_listener->deleteLater();
        m_listener = nullptr;
    }
    const auto active = [this] {
        return std::any_of(m_sessions.cbegin(), m_sessions.cend(),
            [](const TFTPSession *s) { return s->state == TFTPSession::State::Active; });
    };
    if (active() && QCoreApplication::instance()) {
        m_service.start();
        QDeadlineTimer deadline(m_stopWaitMs);
        QEventLoop loop;
        while (active() && !deadline.hasExpired()) {
            loop.processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    const std::vector<TFTPSession *> sessions = std::move(m_sessions);
    m_sessions.clear();
    for (TFTPSession *session : sessions) {
        discard(session);
    }
    m_service.stop();
}

void VtTFTPServer::restrictTo(const QString &fileName, int request)
{
    m_allowedName = fileName;
    m_allowedRequest = request;
}

void VtTFTPServer::clearRestriction()
{
    m_allowedName.clear();
    m_allowedRequest = 0;
}

void VtTFTPServer::setServicePeriod(int ms)
{
    m_service.setInterval(std::max(1, ms));
}

bool VtTFTPServer::isListening() const
{
    return m_listener != nullptr;
}

void VtTFTPServer::onRequestReadable()
{
    while (m_listener && m_listener->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_listener->receiveDatagram(kRequestBufferSize);
        if (!datagram.isValid()) {
            return;
        }
        if (datagram.data().size() < tftp::kHeaderSize) {
            continue;
        }
        // The session answers from the address the request came to.
        QHostAddress local = datagram.destinationAddress();
        if (local.isNull() || local == QHostAddress::AnyIPv4) {
            local = m_listenAddress;
        }
        acceptRequest(
            datagram.data(), datagram.senderAddress(), quint16(datagram.senderPort()), local);
    }
}

void VtTFTPServer::acceptRequest(const QByteArray &datagram, const QHostAddress &from,
    quint16 fromPort, const QHostAddress &local)
{
    std::optional<tftp::Packet> packet = tftp::decode(datagram);
    if (!packet
        || (packet->opcode != tftp::Opcode::ReadRequest
            && packet->opcode != tftp::Opcode::WriteRequest)) {
        return;
    }
    m_template.code = tftpConnected;
    m_template.text = VtTFTPStatusText(tftpConnected);
    m_template.request = int(packet->opcode);
    m_template.fileName = QString::fromUtf8(packet->fileName);
    m_template.transferMode = QString::fromLatin1(packet->mode);
    m_template.peerAddress = from.toString();
    m_template.peerPort = fromPort;
    for (TFTPSession *session : m_sessions) {
        const VtTFTPMsg &m = session->msg;
        if (m.request == m_template.request && m.transferMode == m_template.transferMode
            && m.peerAddress == m_template.peerAddress && m.peerPort == m_template.peerPort
            && m.fileName == m_template.fileName) {
            session->onRepeatedRequest(); // no second session for a repeated request
            return;
        }
    }
    m_template.sends = 0;
    ++m_template.sessionNumber;
    m_template.timeout = m_timeout;
    const bool refused = refuses(m_template.request, m_template.fileName)
        || !isPlainFileName(m_template.fileName, packet->fileName);
    auto *session = new TFTPSession(*this, m_template, std::move(packet->options), from, fromPort);
    m_sessions.push_back(session);
    session->connectAndStart(local, m_root + session->msg.fileName, refused);
}

bool VtTFTPServer::refuses(int request, const QString &fileName) const
{
    if (m_root.isEmpty()) {
        return true; // nothing is served before the page has named its directory
    }
    if (request == tftpWriteRequest && m_readOnly) {
        return true;
    }
    return m_allowedRequest != 0 && (request != m_allowedRequest || fileName != m_allowedName);
}

void VtTFTPServer::report(TFTPSession &session)
{
    if (m_handler) {
        m_handler(session.msg, session.cancel);
    }
}

void VtTFTPServer::discard(TFTPSession *session)
{
    session->shutdown();
    session->deleteLater();
}

void VtTFTPServer::onServiceTick()
{
    const qint64 now = nowMs();
    // Sessions may end (and handlers run) while walking; the list is rebuilt from what stays.
    const std::vector<TFTPSession *> sessions = m_sessions;
    for (TFTPSession *session : sessions) {
        session->onDeadline(now, m_maxSends);
    }
    const auto done = [now](const TFTPSession *s) {
        return s->state != TFTPSession::State::Active && !s->lingers(now);
    };
    std::vector<TFTPSession *> ended;
    for (TFTPSession *session : m_sessions) {
        if (done(session)) {
            ended.push_back(session);
        }
    }
    std::erase_if(m_sessions, done);
    for (TFTPSession *session : ended) {
        discard(session);
    }
}
