// Text forms of every syntax, both ways, and what malformed texts raise.
#include "CaseName.h"
#include "SnmpTextForm.h"
#include "UISnmpVar.h"
#include "VtSNMPError.h"

#include <cstdint>
#include <ostream>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

using W = SnmpWireValue;

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

W octets(const char *digits)
{
    return W::fromOctets(W::OctetString, hex(digits));
}

W unsignedOf(unsigned char type, std::uint64_t v)
{
    return W::fromUnsigned(type, v);
}

W noSuch()
{
    W w;
    w.type = W::NoSuchInstance;
    return w;
}

enum Way {
    Both,     ///< toText(wire) == text and fromText(text) == wire
    ToText,   ///< only toText(wire) == text (a received value)
    FromText, ///< only fromText(text) == wire (an accepted spelling)
};

struct TextCase
{
    const char *name;
    int syntax;
    const char *text;
    W wire;
    Way way = Both;
};

// Cases print as their names in test listings.
void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << c.name;
}

const TextCase kTextCases[] = {
    {"BooleanTrue", synBoolean, "true", W::fromInteger(1)},
    {"BooleanFalse", synBoolean, "false", W::fromInteger(0)},
    {"BooleanAnyNonzeroIsTrue", synBoolean, "true", W::fromInteger(-7), ToText},
    {"BooleanOtherTextIsFalse", synBoolean, "yes", W::fromInteger(0), FromText},
    {"IntegerNegative", synInteger, "-5", W::fromInteger(-5)},
    {"IntegerMax", synInteger, "2147483647", W::fromInteger(2147483647)},
    {"IntegerMin", synInteger, "-2147483648", W::fromInteger(-2147483648LL)},
    {"IntegerBlanksAround", synInteger, " 42 ", W::fromInteger(42), FromText},
    {"IntegerEmptyIsZero", synInteger, "", W::fromInteger(0), FromText},
    {"OctetsUpperHexNoSeparators", synOctetString, "00A0C5FF", octets("00a0c5ff")},
    {"OctetsEmpty", synOctetString, "", octets("")},
    {"OctetsSpacesAndLowerCase", synOctetString, "0a 0b", octets("0a0b"), FromText},
    {"OctetsOddDigitsFirstAlone", synOctetString, "ABC", octets("0abc"), FromText},
    {"OctetsOtherCharIsZero", synOctetString, "zF", octets("0f"), FromText},
    {"BitString", synBitString, "80", octets("80")},
    {"OpaqueKeepsItsType", synOpaque, "0102", W::fromOctets(W::Opaque, hex("0102"))},
    {"MacAddress", synMacAddress, "00A0C5123456", octets("00a0c5123456")},
    {"NullSyntax", synNull, "(NULL)", W::null()},
    {"NullTextSendsNull", synInteger, "(NULL)", W::null(), FromText},
    {"NullTextSendsNullForStrings", synDisplayString, "(NULL)", W::null(), FromText},
    {"NoValueInteger", synInteger, "(NULL)", noSuch(), ToText},
    {"NoValueDisplayStringIsEmpty", synDisplayString, "", noSuch(), ToText},
    {"NoValueHexIsEmpty", synMacAddress, "", W::null(), ToText},
    {"EmptyBytesDateAndTimeIsNull", synDateAndTime, "(NULL)", octets(""), ToText},
    {"Oid", synOid, "1.3.6.1.2.1.1.5", W::fromOid({1, 3, 6, 1, 2, 1, 1, 5})},
    {"OidLeadingDot", synOid, ".1.3.6", W::fromOid({1, 3, 6}), FromText},
    {"OidMaxSubId", synOid, "1.4294967295", W::fromOid({1, 4294967295u})},
    {"IpAddress", synIpAddress, "10.0.0.254", W::fromOctets(W::IpAddress, hex("0a0000fe"))},
    {"IpAddressAlt", synIpAddressAlt, "192.168.1.1", W::fromOctets(W::IpAddress, hex("c0a80101"))},
    {"IpAddressEmptyIsZeros", synIpAddress, "", W::fromOctets(W::IpAddress, hex("00000000")),
        FromText},
    {"IpAddressFromFourOctets", synIpAddress, "1.2.3.4", octets("01020304"), ToText},
    {"IpAddressWrongLengthIsNull", synIpAddress, "(NULL)", octets("010203"), ToText},
    {"Counter32Max", synCounter32, "4294967295", unsignedOf(W::Counter32, 4294967295u)},
    {"Gauge32", synGauge32, "7", unsignedOf(W::Gauge32, 7)},
    {"UInteger32", synUInteger32, "0", unsignedOf(W::UInteger32, 0)},
    {"Counter64Max", synCounter64, "18446744073709551615",
        unsignedOf(W::Counter64, 18446744073709551615ull)},
    {"TicksZero", synTimeTicks, "0:00:00.00", unsignedOf(W::TimeTicks, 0)},
    {"TicksBelowOneDay", synTimeTicks, "1:02:03.04", unsignedOf(W::TimeTicks, 372304)},
    {"TicksOneDay", synTimeTicks, "1 day 1:02:03.04", unsignedOf(W::TimeTicks, 9012304)},
    {"TicksDays", synTimeTicks, "2 days, 1:02:03.04", unsignedOf(W::TimeTicks, 17652304)},
    {"TicksMax", synTimeTicks, "497 days, 2:27:52.95", unsignedOf(W::TimeTicks, 4294967295u)},
    {"TicksDaysWithoutComma", synTimeTicks, "2 days 1:02:03.04", unsignedOf(W::TimeTicks, 17652304),
        FromText},
    {"TicksWithoutHundredths", synTimeTicks, "1:02:03", unsignedOf(W::TimeTicks, 372300), FromText},
    {"TicksBareNumberIsHundredths", synTimeTicks, "12345", unsignedOf(W::TimeTicks, 12345),
        FromText},
    {"TicksFromInteger", synTimeTicks, "0:00:01.00", W::fromInteger(100), ToText},
    {"RealOneAndHalf", synReal, "1.5", octets("000000000000f83f")},
    {"RealFifteenDigits", synReal, "0.1", octets("9a9999999999b93f")},
    {"RealShortBytesIsNull", synReal, "(NULL)", octets("0000f83f"), ToText},
    {"DateAndTimeWithoutOffset", synDateAndTime, "2009-3-5,14:7:9.0",
        octets("07d903050e0709002b0000")},
    {"DateAndTimeWestOfUtc", synDateAndTime, "2009-3-5,14:7:9.0,-5:30",
        octets("07d903050e0709002d051e")},
    {"DateAndTimeEightBytes", synDateAndTime, "2009-3-5,14:7:9.0", octets("07d903050e070900"),
        ToText},
    {"DateTimeAfternoon", synDateTime, "2009/03/05 12:00:00 pm", octets("00000000b078e340")},
    {"DateTimeBeforeDayZero", synDateTime, "1899/12/29 06:00:00 am", octets("000000000000f4bf")},
    {"DateTimeMidnightIsTwelveAm", synDateTime, "1899/12/30 12:00:00 am",
        octets("0000000000000000")},
    {"DateTime24HourWithoutMarker", synDateTime, "2009/03/05 12:00", octets("00000000b078e340"),
        FromText},
    {"DisplayString", synDisplayString, "SSID-1", octets("535349442d31")},
    {"DisplayStringUtf8", synDisplayString, "Caf\u00e9", octets("436166c3a9")},
    {"DisplayStringNotUtf8OneCharPerByte", synDisplayString, "\u00e9t\u00e9", octets("e974e9"),
        ToText},
    {"WrongTypeIsNull", synInteger, "(NULL)", octets("01"), ToText},
    {"UnsignedFromInteger", synCounter32, "4294967295", W::fromInteger(-1), ToText},
};

class TextForm : public testing::TestWithParam<TextCase>
{ };

TEST_P(TextForm, ConvertsBetweenWireAndText)
{
    const TextCase &c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    if (c.way != FromText) {
        EXPECT_EQ(snmptext::toText(c.syntax, c.wire).toStdString(), c.text);
    }
    if (c.way != ToText) {
        EXPECT_TRUE(snmptext::fromText(c.syntax, text) == c.wire)
            << "type " << int(snmptext::fromText(c.syntax, text).type);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TextForm, testing::ValuesIn(kTextCases), kvatest::caseName);

struct MalformedCase
{
    const char *name;
    int syntax;
    const char *text;
};

// Cases print as their names in test listings.
void PrintTo(const MalformedCase &c, std::ostream *os)
{
    *os << c.name;
}

const MalformedCase kMalformed[] = {
    {"IntegerLetters", synInteger, "abc"},
    {"IntegerTrailingGarbage", synInteger, "12x"},
    {"IntegerFraction", synInteger, "1.5"},
    {"IntegerAboveRange", synInteger, "2147483648"},
    {"IntegerBelowRange", synInteger, "-2147483649"},
    {"IntegerDoubleSign", synInteger, "--1"},
    {"UnsignedNegative", synCounter32, "-1"},
    {"UnsignedAboveRange", synGauge32, "4294967296"},
    {"Counter64AboveRange", synCounter64, "18446744073709551616"},
    {"OidEmpty", synOid, ""},
    {"OidEmptyArc", synOid, "1..3"},
    {"OidLetter", synOid, "1.3.x"},
    {"OidArcAboveRange", synOid, "1.4294967296"},
    {"OidArcFarAboveRange", synOid, "1.99999999999999999999999"},
    {"OidTrailingDot", synOid, "1.3."},
    {"OidInnerBlank", synOid, "1. 3"},
    {"OidSignedArc", synOid, "1.+3"},
    {"IpThreeParts", synIpAddress, "10.0.0"},
    {"IpFiveParts", synIpAddressAlt, "1.2.3.4.5"},
    {"IpPartAboveRange", synIpAddress, "10.0.0.256"},
    {"IpLetters", synIpAddress, "a.b.c.d"},
    {"IpEmptyPart", synIpAddress, "10..0.1"},
    {"TicksLetters", synTimeTicks, "abc"},
    {"TicksLetterInMinutes", synTimeTicks, "1:xx:00.00"},
    {"TicksBeyond32Bits", synTimeTicks, "500 days, 0:00:00.00"},
    {"TicksBareBeyond32Bits", synTimeTicks, "4294967296"},
    {"TicksNegative", synTimeTicks, "-1:00:00.00"},
    {"RealLetters", synReal, "x1"},
    {"RealOverflow", synReal, "1e999"},
    {"DateAndTimeNoDate", synDateAndTime, "garbage"},
    {"DateAndTimeMonth13", synDateAndTime, "2009-13-5,1:1:1.0"},
    {"DateAndTimeOffsetHours14", synDateAndTime, "2009-3-5,1:1:1.0,+14:0"},
    {"DateTimeNoSuchDay", synDateTime, "2009/02/30 01:00:00 am"},
    {"DateTimeHour13WithMarker", synDateTime, "2009/02/03 13:00:00 pm"},
    {"DateTimeOnlyTime", synDateTime, "13:00"},
    {"UnknownSyntax7", 7, "1"},
    {"PieceSyntaxNotAVariable", synUInt8, "1"},
};

class TextFormMalformed : public testing::TestWithParam<MalformedCase>
{ };

TEST_P(TextFormMalformed, RaisesBadSyntax)
{
    const MalformedCase &c = GetParam();
    try {
        snmptext::fromText(c.syntax, QString::fromUtf8(c.text));
        FAIL() << "accepted " << c.text;
    } catch (const VtException &e) {
        EXPECT_EQ(e.Code(), -511);
        EXPECT_EQ(e.Message(), QStringLiteral("(VtSNMP++) Bad SNMP syntax!"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextFormMalformed, testing::ValuesIn(kMalformed), kvatest::caseName);

TEST(TextForm, OidTextHoldsAtMost128SubIdentifiers)
{
    QStringList arcs(128, QStringLiteral("1"));
    QList<std::uint32_t> oid;
    EXPECT_TRUE(snmptext::tryParseOid(arcs.join(u'.'), oid));
    EXPECT_EQ(oid.size(), 128);
    EXPECT_EQ(snmptext::oidText(oid), arcs.join(u'.'));
    arcs.append(QStringLiteral("1"));
    EXPECT_FALSE(snmptext::tryParseOid(arcs.join(u'.'), oid));
    EXPECT_TRUE(oid.isEmpty());
    EXPECT_TRUE(
        snmptext::tryParseOid(QStringLiteral(" 0001.0 "), oid)); // leading zeros, blanks around
    EXPECT_EQ(oid, (QList<std::uint32_t>{1, 0}));
}

TEST(TextForm, UnknownSyntaxOfReceivedValueRaisesBadSyntax)
{
    for (const int syntax : {0, 7, 63, 77, 193, 198}) {
        try {
            snmptext::toText(syntax, W::fromInteger(1));
            ADD_FAILURE() << "syntax " << syntax << " accepted";
        } catch (const VtException &e) {
            EXPECT_EQ(e.Code(), -511);
        }
    }
}

// Deterministic fuzzing: random values and texts through both directions for every syntax.
// Nothing may escape but VtException -511, and a text once produced must reproduce itself.
const int kSyntaxes[] = {synBoolean, synInteger, synBitString, synOctetString, synNull, synOid,
    synIpAddress, synCounter32, synGauge32, synTimeTicks, synOpaque, synIpAddressAlt, synCounter64,
    synUInteger32, synReal, synMacAddress, synDateAndTime, synDateTime, synDisplayString};

W randomWire(std::mt19937_64 &rng, int syntax)
{
    std::uniform_int_distribution<int> pick(0, 9);
    const int kind = pick(rng);
    if (kind == 0) {
        return W::null();
    }
    if (syntax == synOid && kind > 2) {
        QList<std::uint32_t> oid;
        for (int n = int(rng() % 12) + 1; n > 0; --n) {
            oid.append(std::uint32_t(rng() % 3 == 0 ? rng() : rng() % 50));
        }
        return W::fromOid(oid);
    }
    if (kind <= 3) {
        const auto v = std::int64_t(std::int32_t(rng()));
        return W::fromInteger(v);
    }
    if (kind <= 5) {
        const unsigned char type = syntax == synCounter64 ? W::Counter64 : W::Gauge32;
        return W::fromUnsigned(type, type == W::Counter64 ? rng() : rng() & 0xffffffffu);
    }
    // Byte strings of the lengths that matter (4, 6, 8, 11) and of any other.
    static const int kLengths[] = {0, 1, 4, 6, 8, 11, 3, 16};
    const int length = kLengths[rng() % 8];
    QByteArray bytes;
    for (int i = 0; i < length; ++i) {
        bytes.append(char(rng()));
    }
    if (syntax == synDateTime && bytes.size() == 8 && rng() % 2 == 0) {
        // Day counts in the years a date can show.
        bytes = snmptext::doubleBytes(double(std::int64_t(rng() % 3000000)) / 7.0 - 100000.0);
    }
    return W::fromOctets(rng() % 4 == 0 ? W::IpAddress : W::OctetString, bytes);
}

QString randomText(std::mt19937_64 &rng)
{
    static const char *const kPieces[] = {"0", "1", "9", "12", "255", "4294967295", "-", "+", ".",
        ":", ",", " ", "/", "days", "day", "am", "pm", "e", "x", "A", "f", "(NULL)", "\xc3\xa9",
        "2009", "-3-5,", "14:7:9.0", ",+5:30", "nan", "inf", "\t"};
    QString text;
    for (int n = int(rng() % 8); n > 0; --n) {
        text += QString::fromUtf8(kPieces[rng() % (sizeof kPieces / sizeof *kPieces)]);
    }
    return text;
}

TEST(TextFormFuzz, RandomValuesAndTextsNeverEscapeAndReproduce)
{
    std::mt19937_64 rng(7310);
    for (int round = 0; round < 400; ++round) {
        for (const int syntax : kSyntaxes) {
            // Received values: the text they give is accepted back and gives itself again.
            const W wire = randomWire(rng, syntax);
            const QString shown = snmptext::toText(syntax, wire);
            try {
                const W sent = snmptext::fromText(syntax, shown);
                EXPECT_EQ(snmptext::toText(syntax, sent), shown) << "syntax " << syntax;
            } catch (const VtException &e) {
                EXPECT_EQ(e.Code(), -511);
                // Only DateAndTime bytes outside the field ranges print a text that cannot be
                // sent back.
                EXPECT_EQ(syntax, synDateAndTime) << shown.toStdString();
            }

            // Typed texts: either refused with -511 or sent as a value whose text is stable.
            const QString typed = randomText(rng);
            try {
                const QString canonical =
                    snmptext::toText(syntax, snmptext::fromText(syntax, typed));
                EXPECT_EQ(
                    snmptext::toText(syntax, snmptext::fromText(syntax, canonical)), canonical)
                    << "syntax " << syntax << " text '" << typed.toStdString() << "'";
            } catch (const VtException &e) {
                EXPECT_EQ(e.Code(), -511) << typed.toStdString();
            }
        }
    }
}

} // namespace
