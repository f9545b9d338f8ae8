// The instance suffix of a table row and back: how each index column's syntax is written into
// sub-identifiers (integers as one, strings counted unless last and implied, addresses as their
// bytes, 64-bit numbers and reals as two words).
#include "IndexCoding.h"

#include "SnmpTextForm.h"
#include "VtOptionList.h"
#include "VtSNMPError.h"

namespace indexcoding {
namespace {

/// A run of sub-identifiers inside a parsed OID, read in place.
struct SubIds
{
    const std::uint32_t *data = nullptr;
    qsizetype count = 0;

    std::uint32_t operator[](qsizetype k) const { return data[k]; }

    qsizetype size() const { return count; }

    const std::uint32_t *begin() const { return data; }

    const std::uint32_t *end() const { return count == 0 ? data : data + count; }
};

QString subIdsText(SubIds ids)
{
    return snmptext::oidText(ids.begin(), ids.size());
}

QByteArray littleEndianWords(std::uint32_t low, std::uint32_t high)
{
    QByteArray bytes(8, '\0');
    for (int k = 0; k < 4; ++k) {
        bytes[k] = static_cast<char>((low >> (8 * k)) & 0xff);
        bytes[k + 4] = static_cast<char>((high >> (8 * k)) & 0xff);
    }
    return bytes;
}

void wordsOf(const QByteArray &bytes, std::uint32_t *low, std::uint32_t *high)
{
    *low = 0;
    *high = 0;
    for (int k = 0; k < 4 && k + 4 < bytes.size(); ++k) {
        *low |= std::uint32_t(static_cast<unsigned char>(bytes[k])) << (8 * k);
        *high |= std::uint32_t(static_cast<unsigned char>(bytes[k + 4])) << (8 * k);
    }
}

} // namespace

QString decode(VtSNMPVar &v, bool lastImplied, const QString &suffix)
{
    QList<std::uint32_t> ids;
    if (!snmptext::tryParseOid(suffix, ids)) {
        RaiseLibraryError(liberr::kBadKeyCount);
    }
    qsizetype at = 0;
    auto take = [&](qsizetype count) {
        if (count < 0 || count > ids.size() - at) {
            RaiseLibraryError(liberr::kBadKeyCount);
        }
        const SubIds part = count == 0 ? SubIds{} : SubIds{ids.constData() + at, count};
        at += count;
        return part;
    };
    auto counted = [&]() {
        if (lastImplied) {
            return take(ids.size() - at);
        }
        const SubIds length = take(1);
        return take(static_cast<qsizetype>(length[0]));
    };
    auto bytesOf = [](const SubIds &part) {
        QByteArray bytes;
        bytes.reserve(part.size());
        for (const std::uint32_t b : part) {
            if (b > 0xff) {
                RaiseLibraryError(liberr::kBadKeyCount);
            }
            bytes.append(static_cast<char>(b));
        }
        return bytes;
    };
    using W = SnmpWireValue;
    QString value;
    switch (v.Syntax) {
    case synBoolean:
        value = take(1)[0] != 0 ? QStringLiteral("true") : QStringLiteral("false");
        break;
    case synInteger:
        value = QString::number(static_cast<std::int32_t>(take(1)[0]));
        break;
    case synBitString:
    case synOctetString:
    case synOpaque:
        value = snmptext::hexText(bytesOf(counted()));
        break;
    case synNull:
        value = QLatin1String(kSnmpNullText);
        break;
    case synOid:
        value = subIdsText(counted());
        break;
    case synIpAddress:
    case synIpAddressAlt:
        value = snmptext::toText(v.Syntax, W::fromOctets(W::IpAddress, bytesOf(take(4))));
        break;
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        value = QString::number(take(1)[0]);
        break;
    case synTimeTicks:
        value = snmptext::ticksText(take(1)[0]);
        break;
    case synCounter64: {
        const SubIds w = take(2);
        value = QString::number((std::uint64_t(w[0]) << 32) | w[1]);
        break;
    }
    case synReal:
    case synDateTime: {
        const SubIds w = take(2);
        value = snmptext::toText(
            v.Syntax, W::fromOctets(W::OctetString, littleEndianWords(w[0], w[1])));
        break;
    }
    case synMacAddress:
        value = snmptext::hexText(bytesOf(take(6)));
        break;
    case synDateAndTime:
        value = snmptext::toText(v.Syntax, W::fromOctets(W::OctetString, bytesOf(take(11))));
        break;
    case synDisplayString:
        value = snmptext::toText(v.Syntax, W::fromOctets(W::OctetString, bytesOf(counted())));
        break;
    default:
        RaiseLibraryError(liberr::kBadSyntax);
    }
    v.Value = v.Options != nullptr ? v.Options->TextOf(value) : value;
    return at == ids.size() ? QString() : subIdsText(SubIds{ids.constData() + at, ids.size() - at});
}

QString encode(const VtSNMPVar &v, bool lastImplied)
{
    const QString value = v.Options != nullptr ? v.Options->ValueOf(v.Value) : v.Value;
    QList<std::uint32_t> ids;
    auto addBytes = [&](const QByteArray &bytes, bool counted) {
        if (counted) {
            ids.append(static_cast<std::uint32_t>(bytes.size()));
        }
        for (const char b : bytes) {
            ids.append(static_cast<unsigned char>(b));
        }
    };
    switch (v.Syntax) {
    case synBoolean:
        ids.append(value == QLatin1String("true") ? 1u : 0u);
        break;
    case synInteger:
        ids.append(static_cast<std::uint32_t>(snmptext::fromText(synInteger, value).integer));
        break;
    case synBitString:
    case synOctetString:
    case synOpaque:
        addBytes(snmptext::hexBytes(value), !lastImplied);
        break;
    case synNull:
        break;
    case synOid: {
        const SnmpWireValue w = snmptext::fromText(synOid, value);
        if (!lastImplied) {
            ids.append(static_cast<std::uint32_t>(w.oid.size()));
        }
        ids.append(w.oid);
        break;
    }
    case synIpAddress:
    case synIpAddressAlt:
        addBytes(snmptext::fromText(v.Syntax, value).octets, false);
        break;
    case synCounter32:
    case synGauge32:
    case synUInteger32:
    case synTimeTicks:
        ids.append(static_cast<std::uint32_t>(snmptext::fromText(v.Syntax, value).unsignedValue));
        break;
    case synCounter64: {
        const std::uint64_t n = snmptext::fromText(synCounter64, value).unsignedValue;
        ids.append(static_cast<std::uint32_t>(n >> 32));
        ids.append(static_cast<std::uint32_t>(n & 0xffffffffu));
        break;
    }
    case synReal:
    case synDateTime: {
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        wordsOf(snmptext::fromText(v.Syntax, value).octets, &low, &high);
        ids.append(low);
        ids.append(high);
        break;
    }
    case synMacAddress: {
        const QByteArray bytes = snmptext::hexBytes(value);
        if (bytes.size() >= 6) {
            addBytes(bytes.left(6), false);
        }
        break;
    }
    case synDateAndTime:
        addBytes(snmptext::fromText(synDateAndTime, value).octets.left(11), false);
        break;
    case synDisplayString:
        addBytes(snmptext::fromText(synDisplayString, value).octets, !lastImplied);
        break;
    default:
        RaiseLibraryError(liberr::kBadSyntax);
    }
    return snmptext::oidText(ids);
}

} // namespace indexcoding
