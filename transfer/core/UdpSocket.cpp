// The listener's UDP socket on socket(), bind(), recvmsg() and sendmsg().
//
// What the server relies on, kept deliberately:
// - No address sharing (no SO_REUSEADDR): a second server on the port fails with AddressInUse
//   instead of splitting the requests with the first.
// - IP_PKTINFO on receive gives the address a datagram was sent to (ipi_addr, the header's
//   destination); the server answers from it. On send the source goes in ipi_spec_dst, the field
//   the kernel takes the source from (ipi_addr is not read on send).
// - The socket is never connected: an ICMP port unreachable for an answer whose peer has gone
//   does not come back as an error on a later read, so one vanished client cannot disturb the
//   requests of the others.
// - No SO_BROADCAST: a forged request from a broadcast address gets its answer refused by the
//   kernel rather than sent to the whole network.
// - The kernel's buffer sizes: nothing is set, requests are small and read as they come.
// - readyRead() once for what is waiting, and not again until something is read (see the header).
// - A datagram longer than the buffer is cut to it, not refused: the server then reads the first
//   part as a request and answers what it finds there.
#include "UdpSocket.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QPointer>
#include <QSocketNotifier>

namespace net {

namespace {

sockaddr_in socketAddress(Ipv4Address address, quint16 port)
{
    sockaddr_in out = {};
    out.sin_family = AF_INET;
    out.sin_addr.s_addr = htonl(address.toIPv4Address());
    out.sin_port = htons(port);
    return out;
}

/// Room for one IP_PKTINFO message, aligned as the control messages need.
union PacketInfoControl {
    cmsghdr header;
    char bytes[CMSG_SPACE(sizeof(in_pktinfo))];
};

} // namespace

UdpSocket::UdpSocket(QObject *parent) : QObject(parent) { }

UdpSocket::~UdpSocket()
{
    close();
}

bool UdpSocket::bind(Ipv4Address address, quint16 port)
{
    close();
    m_error = Error::None;
    m_errorString.clear();
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) {
        failFromErrno(false);
        return false;
    }
    // Without it the destination is unknown and the server answers from its listening address.
    const int on = 1;
    ::setsockopt(m_fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
    const sockaddr_in local = socketAddress(address, port);
    if (::bind(m_fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0) {
        failFromErrno(true);
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    sockaddr_in bound = {};
    socklen_t length = sizeof bound;
    if (::getsockname(m_fd, reinterpret_cast<sockaddr *>(&bound), &length) == 0) {
        m_localAddress = Ipv4Address(ntohl(bound.sin_addr.s_addr));
        m_localPort = ntohs(bound.sin_port);
    } else {
        m_localAddress = address;
        m_localPort = port;
    }
    m_signalled = false;
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdpSocket::onActivated);
    return true;
}

void UdpSocket::close()
{
    if (m_notifier) {
        // It may be what called us (a handler of readyRead closing the socket): it goes later.
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_localAddress = {};
    m_localPort = 0;
}

std::optional<Datagram> UdpSocket::receive(qsizetype maxSize)
{
    if (m_fd < 0) {
        return std::nullopt;
    }
    // Whatever comes of this read, the next datagram is signalled again.
    m_signalled = false;
    if (m_notifier) {
        m_notifier->setEnabled(true);
    }
    Datagram datagram;
    datagram.data.resize(std::max<qsizetype>(0, maxSize));
    iovec buffer = {datagram.data.data(), size_t(datagram.data.size())};
    sockaddr_in from = {};
    PacketInfoControl control = {};
    msghdr message = {};
    message.msg_name = &from;
    message.msg_namelen = sizeof from;
    message.msg_iov = &buffer;
    message.msg_iovlen = 1;
    message.msg_control = control.bytes;
    message.msg_controllen = sizeof control.bytes;
    ssize_t length = -1;
    do {
        length = ::recvmsg(m_fd, &message, 0);
    } while (length < 0 && errno == EINTR);
    if (length < 0) {
        if (errno != EAGAIN) { // EWOULDBLOCK is the same on Linux
            fail(Error::Other, QString::fromLocal8Bit(std::strerror(errno)));
        }
        return std::nullopt;
    }
    datagram.data.truncate(length); // at most the buffer, MSG_TRUNC or not
    if (message.msg_namelen >= sizeof from && from.sin_family == AF_INET) {
        datagram.sender = Ipv4Address(ntohl(from.sin_addr.s_addr));
        datagram.senderPort = ntohs(from.sin_port);
    }
    for (cmsghdr *c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO
            && c->cmsg_len >= CMSG_LEN(sizeof(in_pktinfo))) {
            in_pktinfo info = {};
            std::memcpy(&info, CMSG_DATA(c), sizeof info);
            datagram.destination = Ipv4Address(ntohl(info.ipi_addr.s_addr));
        }
    }
    return datagram;
}

bool UdpSocket::send(QByteArrayView data, Ipv4Address to, quint16 toPort, Ipv4Address from)
{
    if (m_fd < 0) {
        return false;
    }
    sockaddr_in target = socketAddress(to, toPort);
    iovec buffer = {const_cast<char *>(data.data()), size_t(data.size())};
    msghdr message = {};
    message.msg_name = &target;
    message.msg_namelen = sizeof target;
    message.msg_iov = &buffer;
    message.msg_iovlen = 1;
    PacketInfoControl control = {};
    if (!from.isNull() && !from.isAny()) {
        message.msg_control = control.bytes;
        message.msg_controllen = sizeof control.bytes;
        cmsghdr *c = CMSG_FIRSTHDR(&message);
        c->cmsg_level = IPPROTO_IP;
        c->cmsg_type = IP_PKTINFO;
        c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
        in_pktinfo info = {};
        info.ipi_spec_dst.s_addr = htonl(from.toIPv4Address());
        std::memcpy(CMSG_DATA(c), &info, sizeof info);
    }
    ssize_t sent = -1;
    do {
        sent = ::sendmsg(m_fd, &message, MSG_DONTWAIT | MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    if (sent < 0) {
        fail(Error::Other, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return sent == data.size();
}

void UdpSocket::onActivated()
{
    if (m_signalled || m_emitting) {
        // Signalled already and nothing read since, or a handler's own event loop while we are
        // inside the signal: rest until the next read instead of waking the loop for the same
        // datagrams over and over.
        if (m_notifier) {
            m_notifier->setEnabled(false);
        }
        m_signalled = true;
        return;
    }
    m_signalled = true;
    m_emitting = true;
    const QPointer<UdpSocket> alive(this);
    emit readyRead();
    if (alive) {
        m_emitting = false;
    }
}

void UdpSocket::fail(Error error, const QString &text)
{
    m_error = error;
    m_errorString = text;
}

void UdpSocket::failFromErrno(bool binding)
{
    const int code = errno;
    switch (code) {
    case EADDRINUSE:
        fail(Error::AddressInUse, QStringLiteral("The bound address is already in use"));
        return;
    case EACCES:
        fail(Error::AccessDenied,
            binding ? QStringLiteral("The address is protected")
                    : QStringLiteral("Permission denied"));
        return;
    case EADDRNOTAVAIL:
        fail(Error::AddressNotAvailable, QStringLiteral("The address is not available"));
        return;
    case EINVAL:
    case EAFNOSUPPORT:
    case EPROTONOSUPPORT:
        fail(Error::Unsupported,
            binding ? QStringLiteral("Operation on socket is not supported")
                    : QStringLiteral("Protocol type not supported"));
        return;
    case EMFILE:
    case ENFILE:
    case ENOBUFS:
    case ENOMEM:
        fail(Error::Resources, QStringLiteral("Out of resources"));
        return;
    default:
        fail(Error::Other, QString::fromLocal8Bit(std::strerror(code)));
        return;
    }
}

} // namespace net
