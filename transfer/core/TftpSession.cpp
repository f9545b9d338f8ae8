// One transfer of the TFTP server: requests answered, blocks sent and acknowledged, retransmission
// deadlines, and the file committed only when the last block is in.
#include "TftpSession.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <ctime>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

/// A peer counts as late once it takes this many times its recent answer time, and never
/// before kMinAllowanceUs: a lock-step peer on this computer answers in tens of microseconds,
/// one on the local network in a few hundred.
constexpr qint64 kPaceFactor = 8;
constexpr qint64 kMinAllowanceUs = 500;

qint64 monotonicUs()
{
    timespec now = {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

/// Whether a file of this path can be created at all: a name longer than the file system takes
/// would be found out only when the finished upload is renamed into place.
bool canStore(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const qsizetype slash = native.lastIndexOf('/');
    const QByteArray directory =
        slash > 0 ? native.left(slash) : QByteArray(slash == 0 ? "/" : ".");
    const long nameMax = ::pathconf(directory.constData(), _PC_NAME_MAX);
    if (nameMax > 0 && native.size() - slash - 1 > nameMax) {
        return false;
    }
    const long pathMax = ::pathconf(directory.constData(), _PC_PATH_MAX);
    return pathMax <= 0 || native.size() < pathMax;
}

} // namespace

using tftp::kRequestBufferSize;

TFTPSession::TFTPSession(VtTFTPServer &server, const VtTFTPMsg &initial,
    QList<tftp::Option> options, const net::Ipv4Address &peer, quint16 peerPort)
    : QObject(&server),
      msg(initial),
      m_server(server),
      m_options(std::move(options)),
      m_peer(peer),
      m_peerPort(peerPort),
      m_timeout(initial.timeout)
{ }

void TFTPSession::connectAndStart(const net::Ipv4Address &local, const QString &path, bool refused)
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

void TFTPSession::onRepeatedRequest()
{
    if (!m_closed && state == State::Active && !isReadSession() && m_block == 0
        && m_sendLength > 0) {
        send(m_send.constData(), m_sendLength);
    }
}

void TFTPSession::onDeadline(qint64 now, int maxSends)
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

void TFTPSession::shutdown()
{
    m_closed = true;
    closeSocket();
    m_source.reset();
    m_target.reset();
}

void TFTPSession::startRead(const QString &path)
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

void TFTPSession::startWrite(const QString &path)
{
    // Everything that can refuse the file is tried before the first ACK: no upload is taken in
    // that cannot be stored.
    if (!canStore(path)) {
        failWith(tftp::AccessViolation, tftpAccessViolation);
        return;
    }
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

bool TFTPSession::negotiate(qint64 fileSize)
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

void TFTPSession::resize()
{
    m_send.resize(tftp::kHeaderSize + m_blockSize);
    // One byte more than the largest block, so an oversized one shows rather than being cut.
    m_recv.resize(std::max(kRequestBufferSize, tftp::kHeaderSize + m_blockSize + 1));
}

bool TFTPSession::openSocket(const net::Ipv4Address &local)
{
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_fd < 0) {
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
    m_server.watch(m_fd);
    return true;
}

void TFTPSession::closeSocket()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
    }
    if (m_fd >= 0) {
        m_server.unwatch(m_fd);
        ::close(m_fd);
        m_fd = -1;
    }
}

void TFTPSession::onReadable()
{
    if (m_fd < 0) {
        return;
    }
    const qint64 burstEndUs = monotonicUs() + qint64(m_server.m_burstMs) * 1000;
    for (;;) {
        sockaddr_in from = {};
        socklen_t fromLength = sizeof from;
        const ssize_t length = ::recvfrom(m_fd, m_recv.data(), size_t(m_recv.size()), MSG_DONTWAIT,
            reinterpret_cast<sockaddr *>(&from), &fromLength);
        if (length < 0) {
            break;
        }
        if (from.sin_port != m_peerAddress.sin_port
            || from.sin_addr.s_addr != m_peerAddress.sin_addr.s_addr) {
            // Someone else on this session's port: answer them, leave the transfer alone.
            const QByteArray error = tftp::encodeError(tftp::UnknownTransferId);
            ::sendto(m_fd, error.constData(), size_t(error.size()), MSG_DONTWAIT,
                reinterpret_cast<const sockaddr *>(&from), fromLength);
        } else if (length >= tftp::kHeaderSize
            && (state == State::Active || state == State::Finished)) {
            noteAnswer(monotonicUs());
            handle(QByteArrayView(m_recv.constData(), length));
        }
        // Only an active session expects an answer; the peer of a finished one is done.
        if (m_fd < 0 || m_closed || state != State::Active || !waitForPeer(burstEndUs)) {
            break;
        }
    }
    m_yield = false;
    disarmTimer();
}

bool TFTPSession::waitForPeer(qint64 burstEndUs)
{
    const qint64 dueUs = m_sentUs + allowanceUs();
    const qint64 untilUs = std::min(dueUs, burstEndUs);
    qint64 now = monotonicUs();
    const int readiness = m_server.readinessFd();
    const int timer = m_server.m_burstTimer;
    if (m_late || m_yield || untilUs <= now || readiness < 0 || timer < 0) {
        m_late = m_late || dueUs <= now;
        return false;
    }
    // The readiness set holds every socket of the server, this one too, and the burst timer: one
    // wait tells whether our peer answered, whether anyone else is waiting for the event loop,
    // or whether the peer is late. The wait itself has no time-out: arming a timer for every
    // block costs more than the block. The timer is set once per allowance instead.
    if (m_timerDueUs == 0 || m_timerDueUs > untilUs) {
        armTimer(untilUs - now);
        m_timerDueUs = untilUs;
    }
    for (;;) {
        epoll_event ready[4];
        const int count = ::epoll_wait(readiness, ready, 4, -1);
        if (count < 0) {
            return false;
        }
        bool mine = false;
        bool ticked = false;
        for (int i = 0; i < count; ++i) {
            if (ready[i].data.fd == m_fd) {
                mine = true;
            } else if (ready[i].data.fd == timer) {
                ticked = true;
            } else {
                m_yield = true; // take our own packet if it is there, then let the others in
            }
        }
        if (ticked) {
            quint64 expirations = 0;
            [[maybe_unused]] const ssize_t got = ::read(timer, &expirations, sizeof expirations);
            m_timerDueUs = 0;
            now = monotonicUs();
            if (!mine && now >= dueUs) {
                m_late = true; // the notifier and the deadline take over
                return false;
            }
            if (!mine && !m_yield && now < untilUs) {
                armTimer(untilUs - now); // the peer is still in time
                m_timerDueUs = untilUs;
                continue;
            }
        }
        return mine && (!ticked || now < burstEndUs);
    }
}

void TFTPSession::armTimer(qint64 us)
{
    itimerspec when = {};
    when.it_value = {time_t(us / 1000000), long(us % 1000000) * 1000};
    if (when.it_value.tv_sec == 0 && when.it_value.tv_nsec == 0) {
        when.it_value.tv_nsec = 1000; // zero would disarm it
    }
    ::timerfd_settime(m_server.m_burstTimer, 0, &when, nullptr);
}

void TFTPSession::disarmTimer()
{
    if (m_timerDueUs != 0) {
        const itimerspec off = {};
        ::timerfd_settime(m_server.m_burstTimer, 0, &off, nullptr); // also clears an expiry
        m_timerDueUs = 0;
    }
}

qint64 TFTPSession::allowanceUs() const
{
    const qint64 limit = m_server.m_burstWaitUs;
    if (m_answerUs < 0) {
        return 0; // a peer whose pace is unknown is not waited for
    }
    return std::min(limit, std::max(kMinAllowanceUs, m_answerUs * kPaceFactor));
}

void TFTPSession::noteAnswer(qint64 nowUs)
{
    const qint64 took = std::max<qint64>(0, nowUs - m_sentUs);
    if (m_late && took <= allowanceUs()) {
        m_late = false; // on time again: waited for in its next burst
    }
    m_answerUs = m_answerUs < 0 ? took : (3 * m_answerUs + took) / 4;
}

void TFTPSession::handle(QByteArrayView datagram)
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

void TFTPSession::onAck(quint16 block)
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

void TFTPSession::onData(quint16 block, QByteArrayView payload)
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
        m_deadline = m_server.nowMs() + qint64(m_timeout) * 10; // how long the last ACK is repeated
        finish(tftpSuccess);
        return;
    }
    if (!sendAck(block)) {
        return;
    }
    armDeadline();
    setCode(tftpTransferring);
}

void TFTPSession::sendBlock()
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

bool TFTPSession::sendAck(quint16 block)
{
    char ack[tftp::kHeaderSize];
    tftp::writeHeader(ack, tftp::Opcode::Ack, block);
    if (!send(ack, sizeof ack)) {
        finish(tftpSocketIoFailed);
        return false;
    }
    return true;
}

bool TFTPSession::sendError(quint16 errorCode)
{
    const QByteArray error = tftp::encodeError(errorCode);
    return send(error.constData(), error.size());
}

void TFTPSession::failWith(quint16 errorCode, int code)
{
    finish(sendError(errorCode) ? code : tftpSocketIoFailed);
}

bool TFTPSession::send(const char *data, qint64 length)
{
    if (m_fd < 0) {
        return false;
    }
    m_sentUs = monotonicUs();
    return ::sendto(m_fd, data, size_t(length), MSG_DONTWAIT,
               reinterpret_cast<const sockaddr *>(&m_peerAddress), sizeof m_peerAddress)
        == length;
}

void TFTPSession::finish(int code)
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

void TFTPSession::setCode(int code)
{
    msg.code = code;
    msg.text = VtTFTPStatusText(code);
    m_server.report(*this);
}
