// The DHCP server page's rules as plain values: the pool shown as a count but kept by the device as
// its last address, the number and name checks, the domain name status and the static pool's rows.
#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace dhcp {

/// The fourth number of a dotted address ("192.168.0.100" → 100); none when the text has not four
/// parts or the fourth is not a decimal number.
std::optional<int> fourthOctet(const QString &address);

/// A decimal number of ASCII digits; none for anything else (blanks, signs, an empty text).
std::optional<qint64> decimalNumber(const QString &text);

/// After a read: the number of pool addresses from the first and the last, by their fourth
/// numbers only; the last address unchanged when the two do not give one.
QString poolCountText(const QString &start, const QString &end);

/// Before a write: the last pool address from the first and the count, the first address's
/// network part followed by its fourth number plus the count less one; the count unchanged when
/// the two do not give an address.
QString poolEndText(const QString &start, const QString &count);

/// The count is a decimal number from 1 to 254.
bool poolCountInRange(const QString &count);

/// The pool fits below .256: false only when the first address's fourth number and the count are
/// both readable and add up to 256 or more (the other checks refuse what is unreadable).
bool poolFits(const QString &start, const QString &count);

/// The lease is a decimal number of seconds from 60 to 31536000.
bool leaseInRange(const QString &lease);

/// Host and domain names: ASCII letters and digits, "@", ".", "_" and "-" only (empty passes).
bool validName(const QString &name);

/// A mask a pool can have: not empty, not 0.0.0.0, and a contiguous subnet mask.
bool validPoolMask(const QString &mask);

/// A static entry's MAC address: 12 hexadecimal digits, not all zero.
bool validStaticMac(const QString &mac);

/// Item indexes of dhcpServerDomainNameStatus: which pools hand out a domain name.
enum DomainNameStatus {
    kDomainBoth = 0,
    kDomainDynamic = 1,
    kDomainStatic = 2,
};

/// Which domain name edits the status leaves open; a status the page could not read leaves both.
struct DomainNameEdits
{
    bool dynamicPool = true;
    bool staticPool = true;
};

DomainNameEdits domainNameEdits(int statusIndex);

/// The row of the static pool a new entry goes to: the first whose address is 0.0.0.0; -1 when
/// the pool is full.
int firstEmptyRow(const QStringList &addresses);

/// The row other than `exceptRow` that holds `mac` already, whatever the case of its digits; -1
/// for none.
int rowWithMac(const QStringList &macs, const QString &mac, int exceptRow);

} // namespace dhcp
