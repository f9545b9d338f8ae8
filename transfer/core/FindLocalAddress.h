// The computer's own IPv4 address on the device's network: what the device is told to use as its
// TFTP server.
#pragma once

#include <QList>
#include <QString>

/// One local interface address as the discovery sees it.
struct VtNetInterface
{
    QString address; // dotted IPv4
    QString netmask; // dotted IPv4
    bool up = false;
    bool broadcast = false;
    bool loopback = false;
    bool pointToPoint = false;
    bool multicast = false;
};

/// The first three octets of `address` AND `mask`, and a fourth that is always 0 ("a.b.c.0").
/// A missing or non-numeric part counts as 0.
QString MaskedNetwork(const QString &address, const QString &mask);

/// This computer's IPv4 interface addresses, in the system's order.
QList<VtNetInterface> localInterfaces();

/// The device's addresses as the main window holds them.
struct VtDeviceNetwork
{
    QString address; // the device's own address, read at start-up
    QString mask;    // its subnet mask
    QString gateway; // its default gateway
};

/// Puts into `target` the local address on the device's network and returns whether one was found.
/// First an interface whose network (address and mask) equals that of the device's gateway and
/// mask; failing that, the first local address in the device's address's /24 network.
bool FindLocalAddress(QString &target, const VtDeviceNetwork &device,
    const QList<VtNetInterface> &interfaces = localInterfaces());
