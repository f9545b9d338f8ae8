// The text form of every syntax, both ways, over a value type that knows nothing of the SNMP
// stack: the request engine copies bindings into SnmpWireValue and back.
#pragma once

#include <cstdint>

#include <QByteArray>
#include <QList>
#include <QString>

/// One variable binding's value as carried on the wire. Type holds the ASN.1 tag (the same
/// numbers the SNMP stack uses); only the member that fits the type is meaningful.
struct SnmpWireValue
{
    enum Type : unsigned char {
        Integer = 0x02,
        OctetString = 0x04,
        Null = 0x05,
        ObjectId = 0x06,
        IpAddress = 0x40, ///< 4 bytes in Octets
        Counter32 = 0x41,
        Gauge32 = 0x42,
        TimeTicks = 0x43,
        Opaque = 0x44, ///< bytes in Octets
        Counter64 = 0x46,
        UInteger32 = 0x47,
        NoSuchObject = 0x80,
        NoSuchInstance = 0x81,
        EndOfMibView = 0x82,
    };

    unsigned char type = Null;
    std::int64_t integer = 0;        ///< Integer
    std::uint64_t unsignedValue = 0; ///< Counter32, Gauge32, TimeTicks, UInteger32, Counter64
    QByteArray octets;               ///< OctetString, Opaque, IpAddress
    QList<std::uint32_t> oid;        ///< ObjectId

    static SnmpWireValue null() { return {}; }

    static SnmpWireValue fromInteger(std::int64_t v);
    static SnmpWireValue fromUnsigned(unsigned char type, std::uint64_t v);
    static SnmpWireValue fromOctets(unsigned char type, const QByteArray &bytes);
    static SnmpWireValue fromOid(const QList<std::uint32_t> &subIds);

    /// Null, noSuchObject, noSuchInstance and endOfMibView carry no value.
    bool isNoValue() const;
    bool operator==(const SnmpWireValue &other) const;
};

namespace snmptext {

/// True for the syntax codes a descriptor may carry (1-6, 64-76).
bool isKnownSyntax(int syntax);

/// The text form of a received value in the variable's syntax. A binding without a value (or an
/// empty byte string) gives "" for the hexadecimal syntaxes and synDisplayString and "(NULL)"
/// for every other; a value whose type does not fit the syntax gives "(NULL)". Throws
/// VtException -511 for an unknown syntax.
QString toText(int syntax, const SnmpWireValue &wire);

/// The value to send for a text. "(NULL)" gives a NULL value in every syntax; an empty text is 0
/// for the number syntaxes and 0.0.0.0 for addresses. Throws VtException -511 for an unknown
/// syntax or a text that is not of the syntax's form (a number out of range included).
SnmpWireValue fromText(int syntax, const QString &text);

/// Two upper-case hexadecimal digits per byte, no separators.
QString hexText(const QByteArray &bytes);
/// Spaces ignored, either case accepted, any other character counts as digit 0; with an odd
/// number of digits the first digit alone forms the first byte. Never fails.
QByteArray hexBytes(const QString &text);

/// "h:mm:ss.cc", "1 day h:mm:ss.cc" or "N days, h:mm:ss.cc".
QString ticksText(std::uint32_t ticks);
/// Parses the time-ticks text form (a bare decimal number is a count of hundredths); throws
/// VtException -511 for anything else or a total beyond 32 bits.
std::uint32_t parseTicks(const QString &text);

/// General format with up to 15 significant digits.
QString realText(double value);
/// Throws VtException -511 for a text that is not a number.
double parseReal(const QString &text);

/// A day count (day 0 = 1899-12-30, fraction = time of day) as "yyyy/mm/dd hh:nn:ss am/pm";
/// an empty text for a count outside the years 1-9999 or not finite.
QString dayCountText(double days);
/// "yyyy/mm/dd hh:nn:ss am" (seconds, the am/pm marker and the whole time optional; without a
/// marker the hour is 0-23) to a day count; throws VtException -511 otherwise.
double parseDayCount(const QString &text);

/// The one reading of an OID's dotted text: decimal sub-identifiers of 32 bits each, a leading dot
/// allowed, blanks only around the whole, at most 128 of them. False (and `oid` empty) otherwise.
bool tryParseOid(const QString &text, QList<std::uint32_t> &oid);
/// Dotted decimal text of sub-identifiers ("" for none).
QString oidText(const std::uint32_t *ids, qsizetype count);
QString oidText(const QList<std::uint32_t> &oid);

/// Little-endian IEEE double to and from 8 bytes; fewer than 8 bytes give false.
bool doubleFromBytes(const QByteArray &bytes, double *value);
QByteArray doubleBytes(double value);

} // namespace snmptext
