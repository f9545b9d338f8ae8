// The module's TFTP server: one listening socket, one session (TftpSession.cpp) with its own
// socket per request. Transfers move on socket notifications; the service timer only keeps the
// retransmission deadlines.
#include "TftpServer.h"

#include "FindLocalAddress.h"
#include "TftpPacket.h"
#include "TftpSession.h"
#include "UdpSocket.h"

#include <algorithm>
#include <sys/epoll.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>

namespace {

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
    for (const VtNetInterface &interface : localInterfaces()) {
        if (interface.up && !interface.loopback) {
            return interface.address;
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

// ---------------------------------------------------------------------------------------------

VtTFTPServer::VtTFTPServer(QObject *owner) : QObject(owner)
{
    // Without them a session does not wait for its peer: every packet goes through the loop.
    m_readiness = ::epoll_create1(EPOLL_CLOEXEC);
    m_burstTimer = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    watch(m_burstTimer);
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
    if (m_readiness >= 0) {
        ::close(m_readiness);
        m_readiness = -1;
    }
    if (m_burstTimer >= 0) {
        ::close(m_burstTimer);
        m_burstTimer = -1;
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
    auto *listener = new net::UdpSocket(this);
    // No address sharing: a second server on the port must fail, not share the requests.
    if (!listener->bind(m_listenAddress, quint16(port))) {
        QString hint;
        switch (listener->error()) {
        case net::UdpSocket::Error::AddressInUse:
            hint = QStringLiteral(" UDP port %1 is already in use by another TFTP server or module "
                                  "file page; only one can listen on it at a time.")
                       .arg(port);
            break;
        case net::UdpSocket::Error::AccessDenied:
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
    watch(m_listener->descriptor());
    connect(m_listener, &net::UdpSocket::readyRead, this, &VtTFTPServer::onRequestReadable);
    // the service timer runs only while sessions are held: a server waiting for requests never
    // wakes for it
}

void VtTFTPServer::Stop()
{
    if (m_listener) {
        unwatch(m_listener->descriptor());
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

void VtTFTPServer::setAllowedPeers(const QList<net::Ipv4Address> &peers)
{
    m_allowedPeers.clear();
    for (const net::Ipv4Address &peer : peers) {
        if (!peer.isNull() && !m_allowedPeers.contains(peer)) {
            m_allowedPeers.append(peer);
        }
    }
}

bool VtTFTPServer::allows(const net::Ipv4Address &peer) const
{
    if (m_allowedPeers.isEmpty()) {
        return true;
    }
    return !peer.isNull() && m_allowedPeers.contains(peer);
}

void VtTFTPServer::setServicePeriod(int ms)
{
    m_service.setInterval(std::max(1, ms));
}

void VtTFTPServer::setBurstLimits(int waitUs, int burstMs)
{
    m_burstWaitUs = std::max(0, waitUs);
    m_burstMs = std::max(0, burstMs);
}

void VtTFTPServer::watch(int fd)
{
    if (m_readiness < 0 || fd < 0) {
        return;
    }
    epoll_event event = {};
    event.events = EPOLLIN;
    event.data.fd = fd;
    ::epoll_ctl(m_readiness, EPOLL_CTL_ADD, fd, &event);
}

void VtTFTPServer::unwatch(int fd)
{
    if (m_readiness >= 0 && fd >= 0) {
        ::epoll_ctl(m_readiness, EPOLL_CTL_DEL, fd, nullptr);
    }
}

bool VtTFTPServer::isListening() const
{
    return m_listener != nullptr;
}

void VtTFTPServer::onRequestReadable()
{
    // Everything waiting is taken in one go: readyRead comes once for a batch, not per datagram.
    // A request longer than the buffer is read cut to it.
    while (m_listener) {
        const std::optional<net::Datagram> datagram = m_listener->receive(tftp::kRequestBufferSize);
        if (!datagram || datagram->sender.isNull()) {
            return;
        }
        if (datagram->data.size() < tftp::kHeaderSize) {
            continue;
        }
        // The session answers from the address the request came to.
        net::Ipv4Address local = datagram->destination;
        if (local.isNull() || local.isAny()) {
            local = m_listenAddress;
        }
        acceptRequest(datagram->data, datagram->sender, datagram->senderPort, local);
    }
}

void VtTFTPServer::acceptRequest(const QByteArray &datagram, const net::Ipv4Address &from,
    quint16 fromPort, const net::Ipv4Address &local)
{
    const auto opcode = tftp::Opcode((quint8(datagram[0]) << 8) | quint8(datagram[1]));
    if (opcode != tftp::Opcode::ReadRequest && opcode != tftp::Opcode::WriteRequest) {
        return; // nothing but requests belongs on this port
    }
    if (!allows(from)) {
        // Not the device: no session, no file opened, nothing of the request looked at further.
        answerRequest(tftp::encodeError(tftp::AccessViolation), from, fromPort, local);
        emit peerRefused(from, fromPort);
        return;
    }
    std::optional<tftp::Packet> packet = tftp::decode(datagram);
    if (!packet) {
        // A name, mode or option without its terminator, or no name at all: the client hears
        // why instead of waiting for its time-out.
        answerRequest(tftp::encodeError(tftp::IllegalOperation), from, fromPort, local);
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
    if (!m_service.isActive()) {
        m_service.start();
    }
    session->connectAndStart(local, m_root + session->msg.fileName, refused);
}

void VtTFTPServer::answerRequest(const QByteArray &packet, const net::Ipv4Address &to,
    quint16 toPort, const net::Ipv4Address &local)
{
    if (!m_listener) {
        return;
    }
    // A listener on every address picks the source per answer; one on a single address has it.
    const bool fromLocal = m_listenAddress.isAny() && !local.isNull() && !local.isAny();
    m_listener->send(packet, to, toPort, fromLocal ? local : net::Ipv4Address());
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
    if (m_sessions.empty()) {
        m_service.stop();
    }
}

bool VtTFTPServer::isServicing() const
{
    return m_service.isActive();
}
