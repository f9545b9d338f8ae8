// The administration page's rules.
#include "Admin2Rules.h"

#include <QStringList>

namespace {

constexpr int kNoLimit = 0;
constexpr int kByVid = 1;
constexpr int kByAddress = 2;
constexpr int kByBoth = 3;
constexpr int kMaxVid = 4095;

const char kEmptyAddress[] = "0.0.0.0";

bool isAsciiLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

} // namespace

int limitStatusIndex(bool byVid, bool byAddress)
{
    if (byVid && byAddress) {
        return kByBoth;
    }
    if (byVid) {
        return kByVid;
    }
    return byAddress ? kByAddress : kNoLimit;
}

bool limitsByVid(int statusIndex)
{
    return statusIndex == kByVid || statusIndex == kByBoth;
}

bool limitsByAddress(int statusIndex)
{
    return statusIndex == kByAddress || statusIndex == kByBoth;
}

QString limitWarning(bool vlanOn, bool protectionOn)
{
    if (vlanOn && protectionOn) {
        return QStringLiteral("If Limit Administrator Status enable, VLAN Status and \n"
                              "Network Access Protection Status will be disable !");
    }
    if (vlanOn) {
        return QStringLiteral(
            "If Limit Administrator Status enable, VLAN Status will be disable !");
    }
    if (protectionOn) {
        return QStringLiteral("If Limit Administrator Status enable, Network Access Protection "
                              "Status will be disable !");
    }
    return {};
}

bool CheckUserName(const QString &text)
{
    for (const QChar c : text) {
        if (!isAsciiLetterOrDigit(c) && c != u'@' && c != u'.' && c != u'_' && c != u'-') {
            return false;
        }
    }
    return true;
}

bool CheckAdminVid(const QString &text)
{
    bool ok = false;
    const int vid = text.toInt(&ok);
    return ok && !text.startsWith(u'+') && vid >= 0 && vid <= kMaxVid;
}

std::optional<quint32> addressNumber(const QString &text)
{
    const QStringList parts = text.split(u'.');
    if (parts.size() != 4) {
        return std::nullopt;
    }
    quint32 number = 0;
    for (const QString &part : parts) {
        bool ok = false;
        const uint byte = part.toUInt(&ok);
        if (!ok || byte > 255 || part.isEmpty() || part.size() > 3) {
            return std::nullopt;
        }
        number = (number << 8) | byte;
    }
    return number;
}

RangePlace placeRange(quint32 from, quint32 to, const std::vector<AddressRange> &rows)
{
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r);
        if (rows[r].start == QLatin1String(kEmptyAddress)
            && rows[r].end == QLatin1String(kEmptyAddress)) {
            return {RangePlace::EmptyRow, row};
        }
        const std::optional<quint32> start = addressNumber(rows[r].start);
        const std::optional<quint32> end = addressNumber(rows[r].end);
        if (!start || !end) {
            continue; // nothing the device holds there to compare with
        }
        const auto within = [&](quint32 a) { return a >= *start && a <= *end; };
        if (within(from) || within(to)) {
            return {RangePlace::Overlaps, row};
        }
    }
    return {};
}

int findRange(const std::vector<AddressRange> &rows, const QString &start, const QString &end)
{
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].start == start && rows[r].end == end) {
            return static_cast<int>(r);
        }
    }
    return -1;
}
