// The QoS page's rules.
#include "TFM_QosSettingRules.h"

#include "FindLocalAddress.h"

#include <QStringList>

namespace qos {

namespace {

bool decimalIn(const QString &text, int low, int high)
{
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar c : text) {
        if (!c.isDigit() || c.unicode() > 0x7f) {
            return false;
        }
    }
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    return ok && n >= low && n <= high;
}

int lastPart(const QString &address)
{
    return address.section(QLatin1Char('.'), 3, 3).toInt();
}

} // namespace

QString portText(const QString &start, const QString &end)
{
    const QLatin1String zero("0");
    const QLatin1String any("Any");
    if (start == zero && end == zero) {
        return QString(any);
    }
    return (start == zero ? QString(any) : start) + QLatin1Char('/')
        + (end == zero ? QString(any) : end);
}

QString protocolPortsText(const QString &protocol, const QString &start1, const QString &end1,
    const QString &start2, const QString &end2)
{
    return protocol + QLatin1Char(' ') + portText(start1, end1) + QLatin1Char(' ')
        + portText(start2, end2);
}

ProtocolRule protocolRule(int index)
{
    switch (index) {
    case kProtocolAny:
        return {"256", false, false};
    case kProtocolTcp:
        return {"6", false, true};
    case kProtocolUdp:
        return {"17", false, true};
    case kProtocolBoth:
        return {"257", false, true};
    case kProtocolIcmp:
        return {"1", false, false};
    case kProtocolOther:
        return {nullptr, true, false};
    default:
        return {nullptr, false, false};
    }
}

bool validPort(const QString &text)
{
    return decimalIn(text, 1, 65535);
}

bool validProtocolNumber(const QString &text)
{
    return decimalIn(text, 1, 999);
}

quint32 addressValue(const QString &address)
{
    quint32 value = 0;
    const QStringList parts = address.split(QLatin1Char('.'));
    for (int i = 0; i < 4; ++i) {
        value = (value << 8) | (parts.value(i).toUInt() & 0xff);
    }
    return value;
}

bool sameNetwork(const QString &from, const QString &to)
{
    const QString mask = QStringLiteral("255.255.255.0");
    return MaskedNetwork(from, mask) == MaskedNetwork(to, mask);
}

int addressCount(const QString &from, const QString &to)
{
    return lastPart(to) - lastPart(from) + 1;
}

int portCount(const QString &start, const QString &end)
{
    if (start == QLatin1String("0") || end == QLatin1String("0")) {
        return 0;
    }
    return end.toInt() - start.toInt() + 1;
}

} // namespace qos
