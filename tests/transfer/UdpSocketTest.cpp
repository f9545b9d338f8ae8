// The listener's UDP socket on loopback: binding, the addresses a datagram carries both ways, and
// readyRead as the server's read loop relies on it.
#include "QtPrinters.h"
#include "UdpSocket.h"
#include "WaitUntil.h"

#include <functional>
#include <poll.h>

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

using net::Ipv4Address;
using net::UdpSocket;

Ipv4Address loopback(quint8 last)
{
    return Ipv4Address(0x7f000000 | last);
}

/// Whether a datagram is waiting on the socket, without taking it.
bool waiting(const UdpSocket &socket)
{
    pollfd p = {socket.descriptor(), POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
}

/// Waits, events flowing, for the next datagram and takes it.
std::optional<net::Datagram> next(UdpSocket &socket)
{
    if (!kvatest::waitUntil([&] { return waiting(socket); }, 5000)) {
        return std::nullopt;
    }
    return socket.receive(2048);
}

TEST(UdpSocket, BindsAFreePortAndCarriesBothEndsAddresses)
{
    UdpSocket server;
    ASSERT_TRUE(server.bind(Ipv4Address::any(), 0)) << server.errorString().toStdString();
    EXPECT_TRUE(server.localAddress().isAny());
    ASSERT_NE(server.localPort(), 0);
    UdpSocket client;
    ASSERT_TRUE(client.bind(loopback(2), 0)) << client.errorString().toStdString();
    EXPECT_EQ(client.localAddress(), loopback(2));

    // Sent to 127.0.0.3, which the server's socket on every address takes as its own.
    ASSERT_TRUE(client.send("\0\1request", loopback(3), server.localPort()));
    const std::optional<net::Datagram> request = next(server);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->data, QByteArray("\0\1request"));
    EXPECT_EQ(request->sender.toString(), "127.0.0.2");
    EXPECT_EQ(request->senderPort, client.localPort());
    EXPECT_EQ(request->destination.toString(), "127.0.0.3");

    // The answer leaves from the address asked at, not from the one routing would pick.
    ASSERT_TRUE(server.send("answer", request->sender, request->senderPort, request->destination));
    const std::optional<net::Datagram> answer = next(client);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->data, "answer");
    EXPECT_EQ(answer->sender.toString(), "127.0.0.3");
    EXPECT_EQ(answer->senderPort, server.localPort());
    EXPECT_EQ(answer->destination.toString(), "127.0.0.2");
}

TEST(UdpSocket, ASocketOnOneAddressReportsIt)
{
    UdpSocket server;
    ASSERT_TRUE(server.bind(Ipv4Address::localHost(), 0));
    EXPECT_EQ(server.localAddress(), Ipv4Address::localHost());
    UdpSocket client;
    ASSERT_TRUE(client.bind(Ipv4Address::localHost(), 0));
    ASSERT_TRUE(client.send("x", Ipv4Address::localHost(), server.localPort()));
    const std::optional<net::Datagram> got = next(server);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(got->destination, Ipv4Address::localHost());
}

TEST(UdpSocket, ATakenPortFailsAsAddressInUse)
{
    UdpSocket first;
    ASSERT_TRUE(first.bind(Ipv4Address::localHost(), 0));
    for (const Ipv4Address address : {Ipv4Address::localHost(), Ipv4Address::any()}) {
        UdpSocket second;
        EXPECT_FALSE(second.bind(address, first.localPort())) << address.toString().toStdString();
        EXPECT_EQ(second.error(), UdpSocket::Error::AddressInUse);
        EXPECT_EQ(second.errorString(), "The bound address is already in use");
        EXPECT_FALSE(second.isOpen());
        EXPECT_EQ(second.descriptor(), -1);
    }
}

TEST(UdpSocket, AnAddressOfAnotherComputerIsNotAvailable)
{
    UdpSocket socket;
    EXPECT_FALSE(socket.bind(Ipv4Address::fromString(u"192.0.2.1"), 0)); // a documentation net
    EXPECT_EQ(socket.error(), UdpSocket::Error::AddressNotAvailable);
    EXPECT_EQ(socket.errorString(), "The address is not available");
}

/// A bound pair on loopback, the server's readyRead counted.
class UdpSocketReady : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.bind(Ipv4Address::localHost(), 0));
        ASSERT_TRUE(client.bind(Ipv4Address::localHost(), 0));
        QObject::connect(&server, &UdpSocket::readyRead, [this] {
            ++readyCount;
            if (onReady) {
                onReady();
            }
        });
    }

    void send(const QByteArray &data)
    {
        ASSERT_TRUE(client.send(data, Ipv4Address::localHost(), server.localPort()));
    }

    /// Turns of the event loop without waiting: a notifier that fires when it should not shows
    /// in any of them.
    static void spin()
    {
        for (int i = 0; i < 20; ++i) {
            QCoreApplication::processEvents();
        }
    }

    UdpSocket server;
    UdpSocket client;
    int readyCount = 0;
    std::function<void()> onReady;
};

TEST_F(UdpSocketReady, SignalsOnceUntilSomethingIsRead)
{
    send("one");
    send("two");
    ASSERT_TRUE(kvatest::waitUntil([this] { return readyCount > 0; }));
    spin(); // nothing read: no second signal, and no loop spinning on the same datagrams
    EXPECT_EQ(readyCount, 1);
    ASSERT_TRUE(server.receive(2048).has_value());
    ASSERT_TRUE(kvatest::waitUntil([this] { return readyCount == 2; })); // "two" is still there
    EXPECT_EQ(server.receive(2048)->data, "two");
    EXPECT_FALSE(server.receive(2048).has_value());
    EXPECT_EQ(server.error(), UdpSocket::Error::None); // nothing waiting is no error
}

TEST_F(UdpSocketReady, ANestedEventLoopInTheHandlerGetsNoSecondSignal)
{
    // A handler that shows a message box runs an event loop while the server is still reading.
    int depth = 0;
    int deepest = 0;
    bool sentMeanwhile = false;
    onReady = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        while (server.receive(2048).has_value()) {
            if (!sentMeanwhile) {
                sentMeanwhile = true;
                send("arrives meanwhile");
                kvatest::waitUntil([&] { return waiting(server); });
                spin();
            }
        }
        --depth;
    };
    send("first");
    ASSERT_TRUE(kvatest::waitUntil([this] { return readyCount > 0; }));
    EXPECT_EQ(deepest, 1);
    EXPECT_FALSE(waiting(server)); // the outer read took what came meanwhile
    send("later");
    EXPECT_TRUE(kvatest::waitUntil([this] { return readyCount == 2; })); // and it readyCount again
}

TEST_F(UdpSocketReady, AnEmptyDatagramIsOneAndALongOneIsCut)
{
    send({});
    send(QByteArray(3000, 'x'));
    send("after");
    ASSERT_TRUE(kvatest::waitUntil([this] { return waiting(server); }));
    const std::optional<net::Datagram> empty = server.receive(2048);
    ASSERT_TRUE(empty.has_value()); // not "nothing waiting": the read loop goes on after it
    EXPECT_TRUE(empty->data.isEmpty());
    EXPECT_EQ(empty->senderPort, client.localPort());
    ASSERT_TRUE(kvatest::waitUntil([this] { return waiting(server); }));
    EXPECT_EQ(server.receive(2048)->data, QByteArray(2048, 'x'));
    ASSERT_TRUE(kvatest::waitUntil([this] { return waiting(server); }));
    EXPECT_EQ(server.receive(2048)->data, "after"); // the rest of the long one is gone, not this
}

TEST_F(UdpSocketReady, ClosedMeansNoSignalAndNoDescriptor)
{
    const quint16 was = server.localPort();
    server.close();
    EXPECT_FALSE(server.isOpen());
    EXPECT_EQ(server.descriptor(), -1);
    EXPECT_FALSE(server.receive(2048).has_value());
    EXPECT_FALSE(server.send("x", Ipv4Address::localHost(), client.localPort()));
    // the port is free again: nothing arrives, nothing is signalled
    ASSERT_TRUE(client.send("to nobody", Ipv4Address::localHost(), was));
    spin();
    EXPECT_EQ(readyCount, 0);
}

} // namespace
