// The computer's own IPv4 address on the device's network.
#include "FindLocalAddress.h"

#include "Ipv4Address.h"

#include <arpa/inet.h>
#include <cstring>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <QStringList>

namespace {

constexpr qsizetype kMaxInterfaces = 10;
const QString kClassC = QStringLiteral("255.255.255.0");

int octet(const QStringList &parts, qsizetype index)
{
    if (index >= parts.size()) {
        return 0;
    }
    bool ok = false;
    const int value = parts[index].trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

QString MaskedNetwork(const QString &address, const QString &mask)
{
    const QStringList a = address.split(u'.');
    const QStringList m = mask.split(u'.');
    QStringList out;
    for (qsizetype i = 0; i < 3; ++i) {
        out << QString::number(octet(a, i) & octet(m, i) & 0xff);
    }
    out << QStringLiteral("0");
    return out.join(u'.');
}

QList<VtNetInterface> localInterfaces()
{
    QList<VtNetInterface> result;
    ifaddrs *all = nullptr;
    if (::getifaddrs(&all) != 0) {
        return result;
    }
    const auto text = [](const sockaddr *address) {
        if (address == nullptr || address->sa_family != AF_INET) {
            return QString();
        }
        sockaddr_in ipv4 = {};
        std::memcpy(&ipv4, address, sizeof ipv4);
        return net::Ipv4Address(ntohl(ipv4.sin_addr.s_addr)).toString();
    };
    // The system lists the addresses interface by interface, in the interfaces' order.
    for (const ifaddrs *entry = all; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) {
            continue;
        }
        const unsigned flags = entry->ifa_flags;
        VtNetInterface item;
        item.address = text(entry->ifa_addr);
        item.netmask = text(entry->ifa_netmask);
        item.up = (flags & IFF_UP) != 0;
        item.broadcast = (flags & IFF_BROADCAST) != 0;
        item.loopback = (flags & IFF_LOOPBACK) != 0;
        item.pointToPoint = (flags & IFF_POINTOPOINT) != 0;
        item.multicast = (flags & IFF_MULTICAST) != 0;
        result.append(item);
    }
    ::freeifaddrs(all);
    return result;
}

bool FindLocalAddress(
    QString &target, const VtDeviceNetwork &device, const QList<VtNetInterface> &interfaces)
{
    // The device's network as its gateway and mask give it. A device without a gateway gives
    // 0.0.0.0, which only an interface without a usable mask would match: skip the comparison then.
    const QString network = MaskedNetwork(device.gateway, device.mask);
    if (network != u"0.0.0.0") {
        for (qsizetype i = 0; i < std::min(interfaces.size(), kMaxInterfaces); ++i) {
            if (MaskedNetwork(interfaces[i].address, interfaces[i].netmask) == network) {
                target = interfaces[i].address;
                break;
            }
        }
    }
    if (!target.isEmpty()) {
        return true;
    }
    // Then every local address once, in order, against the device's own /24 network.
    const QString deviceClassC = MaskedNetwork(device.address, kClassC);
    QStringList seen;
    for (const VtNetInterface &interface : interfaces) {
        const QString address = interface.address.trimmed();
        if (seen.contains(address)) {
            continue;
        }
        seen << address;
        if (MaskedNetwork(address, kClassC) == deviceClassC) {
            target = address;
            return true;
        }
    }
    return false;
}
