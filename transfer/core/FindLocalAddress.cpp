// The computer's own IPv4 address on the device's network.
#include "FindLocalAddress.h"

#include <QNetworkInterface>
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
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const QNetworkInterface::InterfaceFlags flags = interface.flags();
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol) {
                continue;
            }
            VtNetInterface item;
            item.address = entry.ip().toString();
            item.netmask = entry.netmask().toString();
            item.up = flags.testFlag(QNetworkInterface::IsUp);
            item.broadcast = flags.testFlag(QNetworkInterface::CanBroadcast);
            item.loopback = flags.testFlag(QNetworkInterface::IsLoopBack);
            item.pointToPoint = flags.testFlag(QNetworkInterface::IsPointToPoint);
            item.multicast = flags.testFlag(QNetworkInterface::CanMulticast);
            result.append(item);
        }
    }
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
