// One transfer of the TFTP server: requests answered, blocks sent and acknowledged, retransmission
// deadlines, and the file committed only when the last block is in.
#include "TftpSession.h"

#include <algorithm>
#include <arpa/inet.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

/// Longest wait of a session for its peer's next packet inside a burst, and longest burst: the
/// event loop (the pages, other sessions, the listener) never waits longer than about kBurstMs.
constexpr int kBurstWaitUs = 2000;
constexpr qint64 kBurstMs = 10;

} // namespace

using tftp::kRequestBufferSize;

TFTPSession::TFTPSession(VtTFTPServer &server, const VtTFTPMsg &initial,
    QList<tftp::Option> options, const QHostAddress &peer, quint16 peerPort)
    : QObject(&server),
      msg(initial),
      m_server(server),
      m_options(std::move(options)),
      m_peer(peer),
      m_peerPort(peerPort),
      m_timeout(initial.timeout)
{ }

void TFTPSession::connectAndStart(const QHostAddress &local, const QString &path, bool refused)
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

bool TFTPSession::openSocket(const QHostAddress &local)
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

void TFTPSession::closeSocket()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

void TFTPSession::onReadable()
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
