// Free loopback UDP ports for peers that cannot bind port 0 and report it themselves.
#pragma once

#include <QFile>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QUdpSocket>

namespace kvatest {

/// Binds port 0 on loopback, notes the port the kernel chose and releases it.
inline quint16 freeUdpPort()
{
    QUdpSocket probe;
    if (!probe.bind(QHostAddress::LocalHost, 0)) {
        return 0;
    }
    return probe.localPort();
}

/// A port free on every IPv4 address, taken below the kernel's ephemeral range. Use it when the
/// port is bound again much later (a page's server opened after a simulator has started): every
/// socket bound to port 0 meanwhile, by this test or one beside it, gets an ephemeral port and so
/// cannot take this one.
inline quint16 freeUdpPortBelowEphemeral()
{
    int low = 32768;
    QFile range(QStringLiteral("/proc/sys/net/ipv4/ip_local_port_range"));
    if (range.open(QIODevice::ReadOnly)) {
        bool ok = false;
        const int read = range.readAll().simplified().split(' ').value(0).toInt(&ok);
        if (ok && read > 11000) {
            low = read;
        }
    }
    for (int attempt = 0; attempt < 200; ++attempt) {
        const auto port = quint16(QRandomGenerator::global()->bounded(10000, low));
        QUdpSocket probe;
        if (probe.bind(QHostAddress::AnyIPv4, port, QAbstractSocket::DontShareAddress)) {
            return port;
        }
    }
    return freeUdpPort();
}

} // namespace kvatest
