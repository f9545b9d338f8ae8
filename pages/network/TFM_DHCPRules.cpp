// The DHCP server page's rules.
#include "TFM_DHCPRules.h"

#include "Checks.h"

namespace dhcp {

namespace {

constexpr int kOctetLimit = 256;
constexpr qint64 kPoolMax = 254;
constexpr qint64 kLeaseMin = 60;
constexpr qint64 kLeaseMax = 31536000;
constexpr int kMaxDigits = 18; // more would not fit a qint64

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<qint64> decimalNumber(const QString &text)
{
    if (text.isEmpty() || text.size() > kMaxDigits) {
        return std::nullopt;
    }
    for (const QChar c : text) {
        if (!isAsciiDigit(c)) {
            return std::nullopt;
        }
    }
    return text.toLongLong();
}

std::optional<int> fourthOctet(const QString &address)
{
    const QStringList parts = address.split(QLatin1Char('.'));
    if (parts.size() != 4 || parts[3].size() > 3) {
        return std::nullopt;
    }
    const std::optional<qint64> n = decimalNumber(parts[3]);
    if (!n) {
        return std::nullopt;
    }
    return static_cast<int>(*n);
}

QString poolCountText(const QString &start, const QString &end)
{
    const std::optional<int> s = fourthOctet(start);
    const std::optional<int> e = fourthOctet(end);
    if (!s || !e || *e >= kOctetLimit) {
        return end;
    }
    return QString::number(*e - *s + 1);
}

QString poolEndText(const QString &start, const QString &count)
{
    const std::optional<int> s = fourthOctet(start);
    const std::optional<qint64> n = decimalNumber(count);
    if (!s || !n) {
        return count;
    }
    const qint64 e = *s + *n - 1;
    if (e >= kOctetLimit) {
        return count;
    }
    return start.left(start.lastIndexOf(QLatin1Char('.')) + 1) + QString::number(e);
}

bool poolCountInRange(const QString &count)
{
    const std::optional<qint64> n = decimalNumber(count);
    return n && *n >= 1 && *n <= kPoolMax;
}

bool poolFits(const QString &start, const QString &count)
{
    const std::optional<int> s = fourthOctet(start);
    const std::optional<qint64> n = decimalNumber(count);
    return !s || !n || *s + *n < kOctetLimit;
}

bool leaseInRange(const QString &lease)
{
    const std::optional<qint64> n = decimalNumber(lease);
    return n && *n >= kLeaseMin && *n <= kLeaseMax;
}

bool validName(const QString &name)
{
    for (const QChar c : name) {
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        if (!letter && !isAsciiDigit(c) && c != u'@' && c != u'.' && c != u'_' && c != u'-') {
            return false;
        }
    }
    return true;
}

bool validPoolMask(const QString &mask)
{
    return !mask.isEmpty() && mask != QLatin1String("0.0.0.0") && CheckSubnetMask(mask);
}

bool validStaticMac(const QString &mac)
{
    return CheckMacAddress(mac) && mac != QLatin1String("000000000000");
}

DomainNameEdits domainNameEdits(int statusIndex)
{
    switch (statusIndex) {
    case kDomainDynamic:
        return {true, false};
    case kDomainStatic:
        return {false, true};
    default:
        return {true, true};
    }
}

int firstEmptyRow(const QStringList &addresses)
{
    return static_cast<int>(addresses.indexOf(QStringLiteral("0.0.0.0")));
}

int rowWithMac(const QStringList &macs, const QString &mac, int exceptRow)
{
    for (int r = 0; r < macs.size(); ++r) {
        if (r != exceptRow && sameMac(macs[r], mac)) {
            return r;
        }
    }
    return -1;
}

} // namespace dhcp
