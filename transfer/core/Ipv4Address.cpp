// IPv4 addresses: strict text, and host names through the system's resolver.
#include "Ipv4Address.h"

#include <arpa/inet.h>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>

namespace net {

Ipv4Address Ipv4Address::fromString(QStringView text)
{
    quint32 value = 0;
    int parts = 0;
    qsizetype i = 0;
    const qsizetype size = text.size();
    while (parts < 4) {
        const qsizetype start = i;
        quint32 part = 0;
        while (i < size && i - start < 3 && text[i] >= u'0' && text[i] <= u'9') {
            part = part * 10 + quint32(text[i].unicode() - u'0');
            ++i;
        }
        const qsizetype digits = i - start;
        if (digits == 0 || part > 255 || (digits > 1 && text[start] == u'0')) {
            return {};
        }
        value = (value << 8) | part;
        ++parts;
        if (parts < 4) {
            if (i >= size || text[i] != u'.') {
                return {};
            }
            ++i;
        }
    }
    return i == size ? Ipv4Address(value) : Ipv4Address();
}

QString Ipv4Address::toString() const
{
    if (!m_set) {
        return {};
    }
    return QStringLiteral("%1.%2.%3.%4")
        .arg(m_value >> 24)
        .arg((m_value >> 16) & 0xff)
        .arg((m_value >> 8) & 0xff)
        .arg(m_value & 0xff);
}

QList<Ipv4Address> lookupIpv4(const QString &hostName)
{
    QList<Ipv4Address> out;
    const QByteArray name = hostName.toUtf8();
    if (name.isEmpty() || name.contains('\0')) {
        return out;
    }
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM; // one entry per address, not one per socket type
    addrinfo *found = nullptr;
    if (::getaddrinfo(name.constData(), nullptr, &hints, &found) != 0) {
        return out;
    }
    for (const addrinfo *entry = found; entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET || entry->ai_addr == nullptr
            || entry->ai_addrlen < socklen_t(sizeof(sockaddr_in))) {
            continue;
        }
        sockaddr_in address = {};
        std::memcpy(&address, entry->ai_addr, sizeof address);
        const Ipv4Address ip(ntohl(address.sin_addr.s_addr));
        if (!out.contains(ip)) {
            out.append(ip);
        }
    }
    ::freeaddrinfo(found);
    return out;
}

} // namespace net
