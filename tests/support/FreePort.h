// Free loopback UDP ports for peers that cannot bind port 0 and report it themselves.
#pragma once

#include <QHostAddress>
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

} // namespace kvatest
