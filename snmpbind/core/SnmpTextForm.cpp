// Text forms of SNMP values: what a variable's Value holds for each syntax, and back to the wire.
#include "SnmpTextForm.h"

#include "UISnmpVar.h"
#include "VtDateTime.h"
#include "VtSNMPError.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

constexpr int kBadSyntax = 11; // "(VtSNMP++) Bad SNMP syntax!"
constexpr qsizetype kMaxOidLength = 128;
constexpr std::int64_t kMsPerDay = 86400000;

[[noreturn]] void badSyntax()
{
    RaiseLibraryError(kBadSyntax);
}

bool isHexSyntax(int syntax)
{
    return syntax == synBitString || syntax == synOctetString || syntax == synOpaque
        || syntax == synMacAddress;
}

bool carriesOctets(const SnmpWireValue &wire)
{
    return wire.type == SnmpWireValue::OctetString || wire.type == SnmpWireValue::Opaque
        || wire.type == SnmpWireValue::IpAddress;
}

bool carriesUnsigned(const SnmpWireValue &wire)
{
    switch (wire.type) {
    case SnmpWireValue::Counter32:
    case SnmpWireValue::Gauge32:
    case SnmpWireValue::TimeTicks:
    case SnmpWireValue::UInteger32:
    case SnmpWireValue::Counter64:
        return true;
    default:
        return false;
    }
}

QString nullText()
{
    return QString::fromLatin1(kSnmpNullText);
}

// A decimal number of digits only (after trimming blanks), at most `max`.
bool parseUnsigned(QStringView text, std::uint64_t max, std::uint64_t *value)
{
    text = text.trimmed();
    if (text.startsWith(u'+')) {
        text = text.mid(1);
    }
    if (text.isEmpty()) {
        return false;
    }
    std::uint64_t v = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
        const auto digit = std::uint64_t(c.unicode() - u'0');
        if (v > (max - digit) / 10) {
            return false;
        }
        v = v * 10 + digit;
    }
    *value = v;
    return true;
}

// Number syntaxes: an empty text is 0, anything but a number in range is malformed.
std::uint64_t unsignedOrThrow(const QString &text, std::uint64_t max)
{
    if (text.trimmed().isEmpty()) {
        return 0;
    }
    std::uint64_t v = 0;
    if (!parseUnsigned(text, max, &v)) {
        badSyntax();
    }
    return v;
}

std::int64_t integerOrThrow(const QString &text)
{
    QStringView t = QStringView(text).trimmed();
    if (t.isEmpty()) {
        return 0;
    }
    const bool negative = t.startsWith(u'-');
    if (negative) {
        t = t.mid(1);
        if (t.startsWith(u'+')) {
            badSyntax();
        }
    }
    const std::uint64_t limit = negative
        ? std::uint64_t(std::numeric_limits<std::int32_t>::max()) + 1
        : std::uint64_t(std::numeric_limits<std::int32_t>::max());
    std::uint64_t v = 0;
    if (!parseUnsigned(t, limit, &v)) {
        badSyntax();
    }
    return negative ? -std::int64_t(v) : std::int64_t(v);
}

QList<std::uint32_t> parseOid(const QString &text)
{
    QList<std::uint32_t> oid;
    if (!snmptext::tryParseOid(text, oid)) {
        badSyntax();
    }
    return oid;
}

QByteArray parseIpAddress(const QString &text)
{
    const QStringView t = QStringView(text).trimmed();
    // An empty address is sent as 0.0.0.0, the device's mark of an unset address.
    if (t.isEmpty()) {
        return QByteArray(4, '\0');
    }
    const QList<QStringView> parts = t.split(u'.');
    if (parts.size() != 4) {
        badSyntax();
    }
    QByteArray bytes;
    for (const QStringView part : parts) {
        std::uint64_t v = 0;
        if (part.isEmpty() || part.size() > 3 || part.startsWith(u'+')
            || !parseUnsigned(part, 255, &v) || part.trimmed().size() != part.size()) {
            badSyntax();
        }
        bytes.append(char(v));
    }
    return bytes;
}

QString ipText(const QByteArray &bytes)
{
    const auto b = [&bytes](int i) { return int(static_cast<unsigned char>(bytes.at(i))); };
    return QString::asprintf("%d.%d.%d.%d", b(0), b(1), b(2), b(3));
}

QString displayText(const QByteArray &bytes)
{
    // plain ASCII reads the same in every decoding
    if (std::all_of(bytes.cbegin(), bytes.cend(),
            [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return QString::fromLatin1(bytes);
    }
    // Keep a leading byte-order mark as a character so the bytes come back unchanged.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(bytes);
    // Bytes that are not UTF-8 are shown one character per byte rather than as replacement marks.
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// A time-ticks field: blanks around digits, empty counts as 0.
std::uint64_t ticksField(QStringView part)
{
    part = part.trimmed();
    if (part.isEmpty()) {
        return 0;
    }
    std::uint64_t v = 0;
    if (!parseUnsigned(part, std::numeric_limits<std::uint32_t>::max(), &v)
        || part.startsWith(u'+')) {
        badSyntax();
    }
    return v;
}

} // namespace

SnmpWireValue SnmpWireValue::fromInteger(std::int64_t v)
{
    SnmpWireValue w;
    w.type = Integer;
    w.integer = v;
    return w;
}

SnmpWireValue SnmpWireValue::fromUnsigned(unsigned char t, std::uint64_t v)
{
    SnmpWireValue w;
    w.type = t;
    w.unsignedValue = v;
    return w;
}

SnmpWireValue SnmpWireValue::fromOctets(unsigned char t, const QByteArray &bytes)
{
    SnmpWireValue w;
    w.type = t;
    w.octets = bytes;
    return w;
}

SnmpWireValue SnmpWireValue::fromOid(const QList<std::uint32_t> &subIds)
{
    SnmpWireValue w;
    w.type = ObjectId;
    w.oid = subIds;
    return w;
}

bool SnmpWireValue::isNoValue() const
{
    return type == Null || type == NoSuchObject || type == NoSuchInstance || type == EndOfMibView;
}

bool SnmpWireValue::operator==(const SnmpWireValue &other) const
{
    return type == other.type && integer == other.integer && unsignedValue == other.unsignedValue
        && octets == other.octets && oid == other.oid;
}

namespace snmptext {

bool isKnownSyntax(int syntax)
{
    return (syntax >= synBoolean && syntax <= synOid)
        || (syntax >= synIpAddress && syntax <= synDisplayString);
}

QString hexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QByteArray hexBytes(const QString &text)
{
    QList<int> digits;
    digits.reserve(text.size());
    for (const QChar c : text) {
        if (c == u' ') {
            continue;
        }
        int d = 0;
        if (c >= u'0' && c <= u'9') {
            d = c.unicode() - u'0';
        } else if (c >= u'a' && c <= u'f') {
            d = c.unicode() - u'a' + 10;
        } else if (c >= u'A' && c <= u'F') {
            d = c.unicode() - u'A' + 10;
        }
        digits.append(d);
    }
    QByteArray bytes;
    qsizetype i = 0;
    if (digits.size() % 2 == 1) {
        bytes.append(char(digits.at(0)));
        i = 1;
    }
    for (; i + 1 < digits.size(); i += 2) {
        bytes.append(char(digits.at(i) * 16 + digits.at(i + 1)));
    }
    return bytes;
}

QString ticksText(std::uint32_t ticks)
{
    const unsigned long hundredths = ticks % 100;
    const unsigned long totalSeconds = ticks / 100;
    const unsigned long secs = totalSeconds % 60;
    const unsigned long mins = (totalSeconds / 60) % 60;
    const unsigned long hours = (totalSeconds / 3600) % 24;
    const unsigned long days = totalSeconds / 86400;
    if (days == 0) {
        return QString::asprintf("%lu:%02lu:%02lu.%02lu", hours, mins, secs, hundredths);
    }
    if (days == 1) {
        return QString::asprintf("1 day %lu:%02lu:%02lu.%02lu", hours, mins, secs, hundredths);
    }
    return QString::asprintf(
        "%lu days, %lu:%02lu:%02lu.%02lu", days, hours, mins, secs, hundredths);
}

std::uint32_t parseTicks(const QString &text)
{
    QStringView rest = QStringView(text).trimmed();
    std::uint64_t bare = 0;
    if (rest.isEmpty()) {
        return 0;
    }
    // A plain count of hundredths, as other SNMP tools print time ticks.
    if (parseUnsigned(rest, std::numeric_limits<std::uint32_t>::max(), &bare)
        && !rest.startsWith(u'+')) {
        return std::uint32_t(bare);
    }
    std::uint64_t days = 0;
    qsizetype word = rest.indexOf(u"days");
    qsizetype wordLength = 4;
    if (word < 0) {
        word = rest.indexOf(u"day");
        wordLength = 3;
    }
    if (word >= 0) {
        days = ticksField(rest.left(word));
        rest = rest.mid(word + wordLength).trimmed();
        if (rest.startsWith(u',')) {
            rest = rest.mid(1);
        }
    }
    std::uint64_t hours = 0;
    std::uint64_t mins = 0;
    std::uint64_t secs = 0;
    std::uint64_t hundredths = 0;
    if (!rest.trimmed().isEmpty()) {
        const qsizetype colon1 = rest.indexOf(u':');
        if (colon1 < 0) {
            badSyntax();
        }
        hours = ticksField(rest.left(colon1));
        rest = rest.mid(colon1 + 1);
        const qsizetype colon2 = rest.indexOf(u':');
        if (colon2 < 0) {
            mins = ticksField(rest);
            rest = {};
        } else {
            mins = ticksField(rest.left(colon2));
            rest = rest.mid(colon2 + 1);
        }
        const qsizetype dot = rest.indexOf(u'.');
        if (dot < 0) {
            secs = ticksField(rest);
        } else {
            secs = ticksField(rest.left(dot));
            hundredths = ticksField(rest.mid(dot + 1));
        }
    }
    const std::uint64_t total =
        days * 8640000 + hours * 360000 + mins * 6000 + secs * 100 + hundredths;
    if (total > std::numeric_limits<std::uint32_t>::max()) {
        badSyntax();
    }
    return std::uint32_t(total);
}

QString realText(double value)
{
    if (std::isnan(value)) {
        return QStringLiteral("nan");
    }
    return QString::asprintf("%.15g", value);
}

double parseReal(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        return 0.0;
    }
    if (t.compare(u"nan", Qt::CaseInsensitive) == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (t.compare(u"inf", Qt::CaseInsensitive) == 0) {
        return std::numeric_limits<double>::infinity();
    }
    if (t.compare(u"-inf", Qt::CaseInsensitive) == 0) {
        return -std::numeric_limits<double>::infinity();
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) {
        badSyntax();
    }
    return v;
}

QString dayCountText(double days)
{
    // Outside the years 1-9999 there is no date to show.
    if (!std::isfinite(days) || days < -693594.0 || days > 2958466.0) {
        return QString();
    }
    const auto totalMs = std::int64_t(std::llround(days * double(kMsPerDay)));
    const std::int64_t dayPart = totalMs / kMsPerDay;
    const std::int64_t msOfDay = (totalMs < 0 ? -totalMs : totalMs) % kMsPerDay;
    const QDate date = QDate(1899, 12, 30).addDays(dayPart);
    if (!date.isValid() || date.year() < 1 || date.year() > 9999) {
        return QString();
    }
    const int secondsOfDay = int(msOfDay / 1000);
    const int hour = secondsOfDay / 3600;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return QString::asprintf("%04d/%02d/%02d %02d:%02d:%02d %s", date.year(), date.month(),
        date.day(), hour12, (secondsOfDay / 60) % 60, secondsOfDay % 60, hour < 12 ? "am" : "pm");
}

double parseDayCount(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,4})/(\\d{1,2})/(\\d{1,2})"
                       "(?:\\s+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?(?:\\s*([ap]m))?)?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch()) {
        badSyntax();
    }
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid() || date.year() < 1) {
        badSyntax();
    }
    int hour = m.captured(4).toInt();
    const int mins = m.captured(5).toInt();
    const int secs = m.captured(6).toInt();
    const QString marker = m.captured(7).toLower();
    if (!marker.isEmpty()) {
        if (hour < 1 || hour > 12) {
            badSyntax();
        }
        hour = hour % 12 + (marker == u"pm" ? 12 : 0);
    }
    if (hour > 23 || mins > 59 || secs > 59) {
        badSyntax();
    }
    const double dayCount = double(QDate(1899, 12, 30).daysTo(date));
    const double time = double(hour * 3600 + mins * 60 + secs) / 86400.0;
    // Before day 0 the time of day still counts forwards from midnight.
    return dayCount < 0 ? dayCount - time : dayCount + time;
}

bool doubleFromBytes(const QByteArray &bytes, double *value)
{
    if (bytes.size() < 8) {
        return false;
    }
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) {
        bits = (bits << 8) | static_cast<unsigned char>(bytes.at(i));
    }
    std::memcpy(value, &bits, sizeof bits);
    return true;
}

QByteArray doubleBytes(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray bytes(8, '\0');
    for (int i = 0; i < 8; ++i) {
        bytes[i] = char((bits >> (8 * i)) & 0xff);
    }
    return bytes;
}

QString toText(int syntax, const SnmpWireValue &wire)
{
    if (!isKnownSyntax(syntax)) {
        badSyntax();
    }
    const bool empty = wire.isNoValue() || (carriesOctets(wire) && wire.octets.isEmpty());
    if (empty) {
        return isHexSyntax(syntax) || syntax == synDisplayString ? QString() : nullText();
    }
    const bool isInteger = wire.type == SnmpWireValue::Integer;
    const bool isUnsigned = carriesUnsigned(wire);
    switch (syntax) {
    case synBoolean:
        if (isInteger || isUnsigned) {
            const bool truth = isInteger ? wire.integer != 0 : wire.unsignedValue != 0;
            return truth ? QStringLiteral("true") : QStringLiteral("false");
        }
        break;
    case synInteger:
        if (isInteger) {
            return QString::number(wire.integer);
        }
        if (isUnsigned) {
            // An unsigned type where an INTEGER belongs: the same 32 bits read as signed.
            return QString::number(std::int32_t(std::uint32_t(wire.unsignedValue & 0xffffffffu)));
        }
        break;
    case synBitString:
    case synOctetString:
    case synOpaque:
    case synMacAddress:
        if (carriesOctets(wire)) {
            return hexText(wire.octets);
        }
        break;
    case synNull:
        break;
    case synOid:
        if (wire.type == SnmpWireValue::ObjectId && !wire.oid.isEmpty()) {
            return snmptext::oidText(wire.oid);
        }
        break;
    case synIpAddress:
    case synIpAddressAlt:
        if (carriesOctets(wire) && wire.octets.size() == 4) {
            return ipText(wire.octets);
        }
        break;
    case synCounter32:
    case synGauge32:
    case synUInteger32:
        if (isUnsigned) {
            return QString::number(wire.unsignedValue & 0xffffffffu);
        }
        if (isInteger) {
            return QString::number(std::uint32_t(wire.integer & 0xffffffff));
        }
        break;
    case synTimeTicks:
        if (isUnsigned || isInteger) {
            const std::uint64_t v = isUnsigned ? wire.unsignedValue : std::uint64_t(wire.integer);
            return ticksText(std::uint32_t(v & 0xffffffffu));
        }
        break;
    case synCounter64:
        if (isUnsigned) {
            return QString::number(wire.unsignedValue);
        }
        if (isInteger) {
            return QString::number(std::uint64_t(wire.integer));
        }
        break;
    case synReal: {
        double v = 0.0;
        if (carriesOctets(wire) && doubleFromBytes(wire.octets, &v)) {
            return realText(v);
        }
        break;
    }
    case synDateAndTime: {
        VtDateTime dt;
        if (carriesOctets(wire) && dt.FromBytes(wire.octets)) {
            return dt.Text();
        }
        break;
    }
    case synDateTime: {
        double v = 0.0;
        if (carriesOctets(wire) && doubleFromBytes(wire.octets, &v)) {
            QString text = dayCountText(v);
            if (!text.isEmpty()) {
                return text;
            }
        }
        break;
    }
    case synDisplayString:
        if (carriesOctets(wire)) {
            return displayText(wire.octets);
        }
        break;
    default:
        break;
    }
    // A value whose type does not fit the syntax is shown like a binding without a value.
    return isHexSyntax(syntax) || syntax == synDisplayString ? QString() : nullText();
}

SnmpWireValue fromText(int syntax, const QString &text)
{
    if (!isKnownSyntax(syntax)) {
        badSyntax();
    }
    if (text == QLatin1String(kSnmpNullText)) {
        return SnmpWireValue::null();
    }
    constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();
    switch (syntax) {
    case synBoolean:
        return SnmpWireValue::fromInteger(text == u"true" ? 1 : 0);
    case synInteger:
        return SnmpWireValue::fromInteger(integerOrThrow(text));
    case synBitString:
    case synOctetString:
    case synMacAddress:
        return SnmpWireValue::fromOctets(SnmpWireValue::OctetString, hexBytes(text));
    case synOpaque:
        return SnmpWireValue::fromOctets(SnmpWireValue::Opaque, hexBytes(text));
    case synNull:
        return SnmpWireValue::null();
    case synOid:
        return SnmpWireValue::fromOid(parseOid(text));
    case synIpAddress:
    case synIpAddressAlt:
        return SnmpWireValue::fromOctets(SnmpWireValue::IpAddress, parseIpAddress(text));
    case synCounter32:
        return SnmpWireValue::fromUnsigned(SnmpWireValue::Counter32, unsignedOrThrow(text, kMax32));
    case synGauge32:
        return SnmpWireValue::fromUnsigned(SnmpWireValue::Gauge32, unsignedOrThrow(text, kMax32));
    case synUInteger32:
        return SnmpWireValue::fromUnsigned(
            SnmpWireValue::UInteger32, unsignedOrThrow(text, kMax32));
    case synTimeTicks:
        return SnmpWireValue::fromUnsigned(SnmpWireValue::TimeTicks, parseTicks(text));
    case synCounter64:
        return SnmpWireValue::fromUnsigned(SnmpWireValue::Counter64,
            unsignedOrThrow(text, std::numeric_limits<std::uint64_t>::max()));
    case synReal:
        return SnmpWireValue::fromOctets(SnmpWireValue::OctetString, doubleBytes(parseReal(text)));
    case synDateAndTime: {
        const VtDateTime dt(text);
        if (dt.FieldCount() < 3 || !dt.IsValid()) {
            badSyntax();
        }
        return SnmpWireValue::fromOctets(SnmpWireValue::OctetString, dt.ToBytes());
    }
    case synDateTime:
        return SnmpWireValue::fromOctets(
            SnmpWireValue::OctetString, doubleBytes(parseDayCount(text)));
    case synDisplayString:
        return SnmpWireValue::fromOctets(SnmpWireValue::OctetString, text.toUtf8());
    default:
        badSyntax();
    }
}

QString oidText(const std::uint32_t *ids, qsizetype count)
{
    if (count <= 0) {
        return QString();
    }
    // written in place: a sub-identifier is at most ten digits and a dot
    QString text(count * 11, Qt::Uninitialized);
    QChar *const start = text.data();
    QChar *out = start;
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0) {
            *out++ = u'.';
        }
        char16_t digits[10];
        int n = 0;
        std::uint32_t id = ids[i];
        do {
            digits[n++] = static_cast<char16_t>(u'0' + id % 10);
            id /= 10;
        } while (id != 0);
        while (n > 0) {
            *out++ = QChar(digits[--n]);
        }
    }
    text.truncate(out - start);
    return text;
}

QString oidText(const QList<std::uint32_t> &oid)
{
    return oidText(oid.constData(), oid.size());
}

bool tryParseOid(const QString &text, QList<std::uint32_t> &oid)
{
    oid.clear();
    QStringView rest = QStringView(text).trimmed();
    if (rest.startsWith(u'.')) {
        rest = rest.mid(1);
    }
    // read in one pass without splitting: walks and table reads parse every instance they get
    std::uint64_t n = 0;
    int digits = 0;
    auto take = [&] {
        if (digits == 0 || n > std::numeric_limits<std::uint32_t>::max()
            || oid.size() >= kMaxOidLength) {
            return false;
        }
        oid.append(static_cast<std::uint32_t>(n));
        n = 0;
        digits = 0;
        return true;
    };
    oid.reserve(rest.size() / 2 + 1);
    for (const QChar c : rest) {
        if (c == u'.') {
            if (!take()) {
                oid.clear();
                return false;
            }
            continue;
        }
        n = n * 10 + static_cast<std::uint64_t>(c.unicode() - u'0');
        ++digits;
        if (c < u'0' || c > u'9' || n > std::numeric_limits<std::uint32_t>::max()) {
            oid.clear();
            return false;
        }
    }
    if (!take()) {
        oid.clear();
        return false;
    }
    return true;
}

} // namespace snmptext
