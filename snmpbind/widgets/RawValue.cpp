// A variable's value as bytes, for partial and multi-control bindings.
#include "RawValue.h"

#include "SnmpTextForm.h"
#include "UISnmpVar.h"
#include "VtDateTime.h"
#include "VtSNMPError.h"

#include <cstring>

#include <QStringList>
#include <QtEndian>

namespace rawvalue {

namespace {

[[noreturn]] void badValue()
{
    RaiseLibraryError(liberr::kBadPartValue);
}

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

quint32 readLe32(const QByteArray &raw, int at = 0)
{
    return qFromLittleEndian<quint32>(raw.constData() + at);
}

qint64 parseInteger(const QString &text, qint64 lo, qint64 hi)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || v < lo || v > hi) {
        badValue();
    }
    return v;
}

// Bytes needed to read a syntax back; 0 when any length will do.
int neededBytes(int syntax)
{
    switch (syntax) {
    case synBoolean:
    case synInteger:
    case synIpAddress:
    case synCounter32:
    case synGauge32:
    case synTimeTicks:
    case synIpAddressAlt:
    case synUInteger32:
        return 4;
    case synCounter64:
    case synReal:
    case synDateTime:
        return 8;
    case synMacAddress:
        return 6;
    case synDateAndTime:
        return 11;
    case synBool8:
    case synInt8:
    case synUInt8:
        return 1;
    case synBool16:
    case synInt16:
    case synUInt16:
        return 2;
    default:
        return 0;
    }
}

} // namespace

QByteArray toRaw(int syntax, const QString &text)
{
    if (text == QLatin1String(kSnmpNullText)) {
        if (syntax == synDisplayString || neededBytes(syntax) > 0 || syntax == synBitString
            || syntax == synOctetString || syntax == synOpaque || syntax == synOid
            || syntax == synNull) {
            return {};
        }
        RaiseLibraryError(liberr::kBadSyntax);
    }
    switch (syntax) {
    case synBoolean:
        return le32(text == QLatin1String("true") ? 1 : 0);
    case synInteger:
        return le32(quint32(qint32(parseInteger(text, INT32_MIN, INT32_MAX))));
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        return le32(quint32(parseInteger(text, 0, UINT32_MAX)));
    case synTimeTicks:
        return le32(snmptext::parseTicks(text));
    case synBitString:
    case synOctetString:
    case synOpaque:
    case synMacAddress:
        return snmptext::hexBytes(text);
    case synNull:
        return {};
    case synOid: {
        QByteArray out;
        if (text.isEmpty()) {
            return out;
        }
        for (const QString &part : text.split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
            out += le32(quint32(parseInteger(part, 0, UINT32_MAX)));
        }
        return out;
    }
    case synIpAddress:
    case synIpAddressAlt: {
        const QStringList parts = text.split(QLatin1Char('.'));
        if (parts.size() != 4) {
            badValue();
        }
        QByteArray out;
        for (const QString &p : parts) {
            out.append(char(parseInteger(p, 0, 255)));
        }
        return out;
    }
    case synCounter64: {
        bool ok = false;
        const quint64 v = text.trimmed().toULongLong(&ok);
        if (!ok) {
            badValue();
        }
        QByteArray b(8, '\0');
        qToLittleEndian(v, b.data());
        return b;
    }
    case synReal:
        return snmptext::doubleBytes(snmptext::parseReal(text));
    case synDateTime:
        return snmptext::doubleBytes(snmptext::parseDayCount(text));
    case synDateAndTime:
        return VtDateTime(text).ToBytes();
    case synDisplayString:
        return text.toUtf8();
    case synBool8:
        return QByteArray(1, text == QLatin1String("true") ? '\1' : '\0');
    case synInt8:
        return QByteArray(1, char(parseInteger(text, -128, 127)));
    case synUInt8:
        return QByteArray(1, char(parseInteger(text, 0, 255)));
    case synBool16: {
        QByteArray b(2, '\0');
        qToBigEndian(quint16(text == QLatin1String("true") ? 1 : 0), b.data());
        return b;
    }
    case synInt16:
    case synUInt16: {
        QByteArray b(2, '\0');
        qToBigEndian(quint16(parseInteger(text, -32768, 65535)), b.data());
        return b;
    }
    default:
        RaiseLibraryError(liberr::kBadSyntax);
    }
}

QString fromRaw(int syntax, const QByteArray &raw)
{
    const bool known = neededBytes(syntax) > 0 || syntax == synBitString || syntax == synOctetString
        || syntax == synOpaque || syntax == synNull || syntax == synOid
        || syntax == synDisplayString;
    if (!known) {
        RaiseLibraryError(liberr::kBadSyntax);
    }
    if (raw.isEmpty()) {
        return syntax == synDisplayString ? QString() : QString::fromLatin1(kSnmpNullText);
    }
    if (raw.size() < neededBytes(syntax)) {
        badValue();
    }
    const auto *u = reinterpret_cast<const uchar *>(raw.constData());
    switch (syntax) {
    case synBoolean:
        return readLe32(raw) ? QStringLiteral("true") : QStringLiteral("false");
    case synInteger:
        return QString::number(qint32(readLe32(raw)));
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        return QString::number(readLe32(raw));
    case synTimeTicks:
        return snmptext::ticksText(readLe32(raw));
    case synBitString:
    case synOctetString:
    case synOpaque:
        return snmptext::hexText(raw);
    case synMacAddress:
        return snmptext::hexText(raw.left(6));
    case synNull:
        return QString::fromLatin1(kSnmpNullText);
    case synOid: {
        QStringList parts;
        for (int at = 0; at + 4 <= raw.size(); at += 4) {
            parts.append(QString::number(readLe32(raw, at)));
        }
        return parts.join(QLatin1Char('.'));
    }
    case synIpAddress:
    case synIpAddressAlt:
        return QStringLiteral("%1.%2.%3.%4").arg(u[0]).arg(u[1]).arg(u[2]).arg(u[3]);
    case synCounter64:
        return QString::number(qFromLittleEndian<quint64>(raw.constData()));
    case synReal:
    case synDateTime: {
        double d = 0;
        snmptext::doubleFromBytes(raw.left(8), &d);
        return syntax == synReal ? snmptext::realText(d) : snmptext::dayCountText(d);
    }
    case synDateAndTime: {
        VtDateTime dt;
        dt.FromBytes(raw.left(11));
        return dt.Text();
    }
    case synDisplayString:
        return QString::fromUtf8(raw);
    case synBool8:
        return u[0] == 1 ? QStringLiteral("true") : QStringLiteral("false");
    case synInt8:
        return QString::number(qint8(u[0]));
    case synUInt8:
        return QString::number(u[0]);
    case synBool16:
        return qFromBigEndian<quint16>(raw.constData()) == 1 ? QStringLiteral("true")
                                                             : QStringLiteral("false");
    default: // synInt16, synUInt16: shown unsigned
        return QString::number(qFromBigEndian<quint16>(raw.constData()));
    }
}

int pieceLength(int syntax, int available)
{
    if (const int n = neededBytes(syntax); n > 0) {
        return n;
    }
    switch (syntax) {
    case synBitString:
    case synOctetString:
    case synOid:
    case synOpaque:
    case synDisplayString:
        return std::max(0, available);
    case synNull:
        return 0;
    default:
        RaiseLibraryError(liberr::kBadSyntax);
    }
}

} // namespace rawvalue
