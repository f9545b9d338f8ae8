// An IPv4 address as the TFTP server, its sessions and the file pages pass it around: a number in
// host byte order, or no address at all. Text is read strictly, the way it is written.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace net {

class Ipv4Address
{
public:
    /// No address (not the same as any(), 0.0.0.0).
    constexpr Ipv4Address() = default;

    constexpr explicit Ipv4Address(quint32 hostOrder) : m_value(hostOrder), m_set(true) { }

    /// 0.0.0.0: every address of this computer, to listen on.
    static constexpr Ipv4Address any() { return Ipv4Address(0); }

    static constexpr Ipv4Address localHost() { return Ipv4Address(0x7f000001); }

    /// Four decimal numbers from 0 to 255 joined by dots, nothing before, between or after them:
    /// no blanks, no signs, no leading zeros ("010" is 8 to inet_aton and 10 to others), no short
    /// forms ("10.1"). Anything else gives the null address.
    static Ipv4Address fromString(QStringView text);

    constexpr bool isNull() const { return !m_set; }

    constexpr bool isAny() const { return m_set && m_value == 0; }

    /// The address in host byte order; 0 for the null address.
    constexpr quint32 toIPv4Address() const { return m_value; }

    /// "a.b.c.d"; empty for the null address.
    QString toString() const;

    friend constexpr bool operator==(const Ipv4Address &, const Ipv4Address &) = default;

private:
    quint32 m_value = 0;
    bool m_set = false;
};

/// The IPv4 addresses of a host name, in the resolver's order without repeats; empty when it has
/// none or the lookup fails. Blocks while the resolver works. A name that is an address in a form
/// fromString refuses ("10.1", "010.0.0.1") is read as the system's resolver reads it, which is
/// how the SNMP library reaches the same host.
QList<Ipv4Address> lookupIpv4(const QString &hostName);

} // namespace net
