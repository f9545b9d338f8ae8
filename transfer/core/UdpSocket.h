// The UDP socket of the TFTP server's listener, on the system's own calls: IPv4, non-blocking, the
// address each datagram was sent to read with it, and the source address of an answer chosen
// with it. Readability reaches the owner through the event loop as readyRead().
#pragma once

#include "Ipv4Address.h"

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace net {

/// One received datagram.
struct Datagram
{
    QByteArray data;
    Ipv4Address sender;
    quint16 senderPort = 0;
    Ipv4Address destination; ///< the address it was sent to; null when the system did not say
};

class UdpSocket : public QObject
{
    Q_OBJECT

public:
    enum class Error {
        None,
        AddressInUse,        ///< another socket holds the address and port
        AccessDenied,        ///< a privileged port without the privilege, or no socket allowed
        AddressNotAvailable, ///< not an address of this computer
        Unsupported,
        Resources, ///< out of descriptors or memory
        Other,
    };

    explicit UdpSocket(QObject *parent = nullptr);
    ~UdpSocket() override;

    /// Opens the socket on `address` and `port` (0: a free port chosen by the system). The
    /// address is never shared: while this socket is bound, another bind of it fails with
    /// AddressInUse. False with error() and errorString() set when it cannot.
    bool bind(Ipv4Address address, quint16 port);

    /// Closes the socket; no readyRead() follows. bind() may open it again.
    void close();

    bool isOpen() const { return m_fd >= 0; }

    /// The descriptor, for a readiness set that watches it beside the event loop; -1 when closed.
    int descriptor() const { return m_fd; }

    Ipv4Address localAddress() const { return m_localAddress; }

    /// The port bound, the one the system chose after bind() with port 0.
    quint16 localPort() const { return m_localPort; }

    Error error() const { return m_error; }

    QString errorString() const { return m_errorString; }

    /// The next waiting datagram, cut to `maxSize` bytes when it is longer; nullopt when none is
    /// waiting or the read failed (error() then says why).
    std::optional<Datagram> receive(qsizetype maxSize);

    /// Sends `data` to `to`:`toPort`, leaving from `from` when that is set (the socket must be
    /// bound to any() for it to matter); true when all of it went out.
    bool send(QByteArrayView data, Ipv4Address to, quint16 toPort, Ipv4Address from = {});

signals:
    /// Datagrams are waiting. Emitted once for what is waiting: not again until receive() has
    /// been called, and never from inside itself (a handler running an event loop of its own
    /// while the owner reads does not get the signal a second time).
    void readyRead();

private:
    void onActivated();

    void fail(Error error, const QString &text);

    /// Sets the error of a failed socket() or bind() from errno.
    void failFromErrno(bool binding);

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    Ipv4Address m_localAddress;
    quint16 m_localPort = 0;
    Error m_error = Error::None;
    QString m_errorString;
    bool m_signalled = false; // readyRead() went out and nothing was read since
    bool m_emitting = false;  // inside readyRead()
};

} // namespace net
