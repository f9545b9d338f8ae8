// Command line of kva7310-snmp.
#include "SnmpToolArgs.h"

#include "SnmpTextForm.h"
#include "UISnmpVar.h"
#include "VtSNMPError.h"

#include <cmath>
#include <limits>

namespace snmptool {

namespace {

struct Name
{
    const char *text;
    int code;
};

constexpr Name kAuth[] = {
    {"MD5", 2}, {"SHA", 3}, {"SHA-224", 4}, {"SHA-256", 5}, {"SHA-384", 6}, {"SHA-512", 7}};
constexpr Name kPriv[] = {{"DES", 2}, {"AES", 3}, {"AES-128", 3}, {"AES-192", 4}, {"AES-256", 5}};
constexpr Name kLevels[] = {{"noAuthNoPriv", 1}, {"authNoPriv", 2}, {"authPriv", 3}};

template <std::size_t N>
std::optional<int> lookup(const Name (&names)[N], const QString &text)
{
    for (const Name &n : names) {
        if (text.compare(QLatin1String(n.text), Qt::CaseInsensitive) == 0) {
            return n.code;
        }
    }
    return std::nullopt;
}

bool isOid(const QString &text)
{
    QList<std::uint32_t> oid;
    return snmptext::tryParseOid(text, oid) && oid.size() >= 2;
}

QString bareOid(const QString &text)
{
    return text.startsWith(u'.') ? text.mid(1) : text;
}

} // namespace

std::optional<SnmpWireValue> parseValue(QChar type, const QString &text, QString *error)
{
    bool ok = false;
    switch (type.unicode()) {
    case 'i': {
        const qlonglong n = text.toLongLong(&ok);
        if (ok && n >= std::numeric_limits<std::int32_t>::min()
            && n <= std::numeric_limits<std::int32_t>::max()) {
            return SnmpWireValue::fromInteger(n);
        }
        break;
    }
    case 'u':
    case 'c':
    case 't': {
        const qulonglong n = text.toULongLong(&ok);
        if (ok && !text.startsWith(u'-') && n <= std::numeric_limits<std::uint32_t>::max()) {
            const unsigned char wire = type == u'u' ? SnmpWireValue::Gauge32
                : type == u'c'                      ? SnmpWireValue::Counter32
                                                    : SnmpWireValue::TimeTicks;
            return SnmpWireValue::fromUnsigned(wire, n);
        }
        break;
    }
    case 'a': {
        const QStringList parts = text.split(u'.');
        QByteArray bytes;
        for (const QString &p : parts) {
            const uint n = p.toUInt(&ok);
            if (!ok || n > 255 || p.isEmpty()) {
                break;
            }
            bytes.append(static_cast<char>(n));
        }
        if (parts.size() == 4 && bytes.size() == 4) {
            return SnmpWireValue::fromOctets(SnmpWireValue::IpAddress, bytes);
        }
        break;
    }
    case 'o':
        if (isOid(text)) {
            QList<std::uint32_t> ids;
            for (const QString &p : bareOid(text).split(u'.')) {
                ids.append(p.toUInt());
            }
            return SnmpWireValue::fromOid(ids);
        }
        break;
    case 's':
        return SnmpWireValue::fromOctets(SnmpWireValue::OctetString, text.toUtf8());
    case 'x': {
        QString digits = text;
        digits.remove(u' ');
        if (digits.size() % 2 == 0) {
            const QByteArray bytes = QByteArray::fromHex(digits.toLatin1());
            if (bytes.size() * 2 == digits.size()) {
                return SnmpWireValue::fromOctets(SnmpWireValue::OctetString, bytes);
            }
        }
        break;
    }
    default:
        *error = QStringLiteral("unknown value type '%1' (i u s x a o t c)").arg(type);
        return std::nullopt;
    }
    *error = QStringLiteral("bad value '%1' for type '%2'").arg(text, type);
    return std::nullopt;
}

std::optional<Options> parse(const QStringList &args, QString *error)
{
    Options o;
    QStringList positional;
    auto fail = [error](const QString &why) {
        *error = why;
        return std::nullopt;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
            return o;
        }
        if (a == QLatin1String("--async")) {
            o.async = true;
            continue;
        }
        // after HOST everything is an OID, a type or a value ("i -3")
        if (a.size() < 2 || !a.startsWith(u'-') || positional.size() >= 2) {
            positional << a;
            continue;
        }
        // "-v2c" and "-v 2c" alike
        const QChar letter = a.at(1);
        QString value = a.mid(2);
        if (value.isEmpty()) {
            if (i + 1 >= args.size()) {
                return fail(QStringLiteral("option %1 needs a value").arg(a));
            }
            value = args[++i];
        }
        switch (letter.unicode()) {
        case 'v':
            if (value == QLatin1String("1")) {
                o.version = 0;
            } else if (value == QLatin1String("2c")) {
                o.version = 1;
            } else if (value == QLatin1String("3")) {
                o.version = 3;
            } else {
                return fail(QStringLiteral("unknown version '%1' (1, 2c, 3)").arg(value));
            }
            break;
        case 'c':
            o.community = value;
            break;
        case 'u':
            o.user = value;
            break;
        case 'l':
            if (auto level = lookup(kLevels, value)) {
                o.level = *level;
            } else {
                return fail(QStringLiteral("unknown security level '%1'").arg(value));
            }
            break;
        case 'a':
            if (auto auth = lookup(kAuth, value)) {
                o.authProtocol = *auth;
            } else {
                return fail(QStringLiteral("unknown authentication protocol '%1'").arg(value));
            }
            break;
        case 'A':
            o.authPassword = value;
            break;
        case 'x':
            if (auto priv = lookup(kPriv, value)) {
                o.privProtocol = *priv;
            } else {
                return fail(QStringLiteral("unknown privacy protocol '%1'").arg(value));
            }
            break;
        case 'X':
            o.privPassword = value;
            break;
        case 'n':
            o.context = value;
            break;
        case 't': {
            bool ok = false;
            const double seconds = value.toDouble(&ok);
            if (!ok || seconds <= 0 || seconds > 21474836) {
                return fail(QStringLiteral("bad time-out '%1'").arg(value));
            }
            o.timeout = std::max(1, static_cast<int>(std::lround(seconds * 100)));
            break;
        }
        case 'r': {
            bool ok = false;
            o.retries = value.toInt(&ok);
            if (!ok || o.retries < 0) {
                return fail(QStringLiteral("bad retry count '%1'").arg(value));
            }
            break;
        }
        default:
            return fail(QStringLiteral("unknown option %1").arg(a));
        }
    }
    if (positional.size() < 3) {
        return fail(QStringLiteral("expected a command, HOST[:PORT] and at least one OID"));
    }
    const QString command = positional.takeFirst();
    if (command == QLatin1String("get")) {
        o.command = Command::Get;
    } else if (command == QLatin1String("getnext")) {
        o.command = Command::GetNext;
    } else if (command == QLatin1String("walk")) {
        o.command = Command::Walk;
    } else if (command == QLatin1String("set")) {
        o.command = Command::Set;
    } else {
        return fail(QStringLiteral("unknown command '%1' (get, getnext, walk, set)").arg(command));
    }
    const QString target = positional.takeFirst();
    const qsizetype colon = target.lastIndexOf(u':');
    o.host = colon < 0 ? target : target.left(colon);
    if (colon >= 0) {
        bool ok = false;
        const uint port = target.mid(colon + 1).toUInt(&ok);
        if (!ok || port == 0 || port > 65535) {
            return fail(QStringLiteral("bad port in '%1'").arg(target));
        }
        o.port = static_cast<std::uint16_t>(port);
    }
    if (o.host.isEmpty()) {
        return fail(QStringLiteral("no host"));
    }
    if (o.command == Command::Set) {
        if (positional.size() % 3 != 0) {
            return fail(QStringLiteral("set takes OID TYPE VALUE triples"));
        }
        for (qsizetype i = 0; i < positional.size(); i += 3) {
            if (!isOid(positional[i])) {
                return fail(QStringLiteral("'%1' is not a numeric OID").arg(positional[i]));
            }
            if (positional[i + 1].size() != 1) {
                return fail(QStringLiteral("'%1' is not a value type").arg(positional[i + 1]));
            }
            auto value = parseValue(positional[i + 1].at(0), positional[i + 2], error);
            if (!value) {
                return std::nullopt;
            }
            o.sets.push_back({bareOid(positional[i]), *value});
        }
        return o;
    }
    for (const QString &oid : positional) {
        if (!isOid(oid)) {
            return fail(QStringLiteral("'%1' is not a numeric OID").arg(oid));
        }
        o.oids << bareOid(oid);
    }
    if (o.command == Command::Walk && o.oids.size() != 1) {
        return fail(QStringLiteral("walk takes one OID"));
    }
    return o;
}

QString valueText(const SnmpWireValue &value)
{
    using W = SnmpWireValue;
    switch (value.type) {
    case W::Integer:
        return QString::number(value.integer);
    case W::Counter32:
    case W::Gauge32:
    case W::UInteger32:
    case W::Counter64:
        return QString::number(value.unsignedValue);
    case W::TimeTicks:
        return snmptext::ticksText(static_cast<std::uint32_t>(value.unsignedValue));
    case W::IpAddress:
        return snmptext::toText(64, value);
    case W::ObjectId:
        return snmptext::toText(6, value);
    case W::OctetString:
    case W::Opaque: {
        for (const char c : value.octets) {
            const auto b = static_cast<unsigned char>(c);
            // a line break would split the one line a variable gets
            if ((b < 0x20 && b != '\t') || b >= 0x7f) {
                return snmptext::hexText(value.octets);
            }
        }
        return QString::fromLatin1(value.octets);
    }
    default:
        return QLatin1String(kSnmpNullText);
    }
}

QString usage()
{
    return QStringLiteral(
        "usage: kva7310-snmp get|getnext|walk|set [options] HOST[:PORT] OID [OID | TYPE VALUE]...\n"
        "  -v 1|2c|3            SNMP version (2c)\n"
        "  -c COMMUNITY         community for SNMPv1/v2c (public)\n"
        "  -u USER              SNMPv3 user\n"
        "  -l LEVEL             noAuthNoPriv|authNoPriv|authPriv\n"
        "  -a PROTOCOL          MD5|SHA|SHA-224|SHA-256|SHA-384|SHA-512\n"
        "  -A PASSWORD          authentication password\n"
        "  -x PROTOCOL          DES|AES|AES-192|AES-256\n"
        "  -X PASSWORD          privacy password\n"
        "  -n CONTEXT           SNMPv3 context name\n"
        "  -t SECONDS           time-out per attempt (1)\n"
        "  -r RETRIES           retries after the first attempt (1)\n"
        "  --async              run the exchange through the event pump\n"
        "  --help               this text\n"
        "set values: OID TYPE VALUE with TYPE i (INTEGER), u (unsigned), s (string), x (hex\n"
        "string), a (IpAddress), o (OID), t (TimeTicks), c (Counter32)\n"
        "output: one line per variable, <numeric OID> = <value>\n");
}

} // namespace snmptool
