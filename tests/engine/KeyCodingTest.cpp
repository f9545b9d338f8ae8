// Index columns: decoding from an instance suffix and encoding back, for every index kind, and
// a fixed-seed fuzz pass over hostile suffixes.
#include "CaseName.h"
#include "QtPrinters.h"
#include "VtOptionList.h"
#include "VtSNMPError.h"
#include "VtSNMPRequest.h"

#include <random>

#include <gtest/gtest.h>

namespace {

struct KeyCase
{
    const char *name;
    int syntax;
    bool implied;
    const char *suffix;  ///< what the agent's OID carries after the column
    const char *value;   ///< the key's text
    const char *rest;    ///< what follows the key
    const char *encoded; ///< the key as sub-identifiers again
};

void PrintTo(const KeyCase &c, std::ostream *os)
{
    *os << c.name;
}

const KeyCase kKeys[] = {
    {"BooleanTrue", synBoolean, false, "1.9", "true", "9", "1"},
    {"NegativeInteger", synInteger, false, "4294967295.2", "-1", "2", "4294967295"},
    {"OctetsWithLength", synOctetString, false, "3.1.171.255.8", "01ABFF", "8", "3.1.171.255"},
    {"OctetsImplied", synOctetString, true, "1.171", "01AB", "", "1.171"},
    {"OpaqueEmpty", synOpaque, false, "0.4", "", "4", "0"},
    {"NullTakesNothing", synNull, false, "5", "(NULL)", "5", ""},
    {"OidWithLength", synOid, false, "3.1.3.6.9", "1.3.6", "9", "3.1.3.6"},
    {"OidImplied", synOid, true, "1.3.6", "1.3.6", "", "1.3.6"},
    {"IpAddress", synIpAddress, false, "10.0.0.7.3", "10.0.0.7", "3", "10.0.0.7"},
    {"IpAddressAlt", synIpAddressAlt, false, "192.168.1.20", "192.168.1.20", "", "192.168.1.20"},
    {"Counter32", synCounter32, false, "4294967295", "4294967295", "", "4294967295"},
    {"Gauge32", synGauge32, false, "12.1", "12", "1", "12"},
    {"UInteger32", synUInteger32, false, "0", "0", "", "0"},
    {"TimeTicks", synTimeTicks, false, "8646000", "1 day 0:01:00.00", "", "8646000"},
    {"Counter64HighThenLow", synCounter64, false, "1.2", "4294967298", "", "1.2"},
    {"RealLowThenHigh", synReal, false, "0.1073217536", "1.5", "", "0.1073217536"},
    {"MacAddress", synMacAddress, false, "0.160.197.18.52.86.1", "00A0C5123456", "1",
        "0.160.197.18.52.86"},
    {"DateAndTime", synDateAndTime, false, "7.234.12.10.4.9.44.0.45.2.0",
        "2026-12-10,4:9:44.0,-2:0", "", "7.234.12.10.4.9.44.0.45.2.0"},
    {"DateTimeDayCount", synDateTime, false, "0.1074003968", "1900/01/01 12:00:00 pm", "",
        "0.1074003968"},
    {"StringWithLength", synDisplayString, false, "2.97.98.7", "ab", "7", "2.97.98"},
    {"StringImplied", synDisplayString, true, "97.98", "ab", "", "97.98"},
};

class KeyCoding : public testing::TestWithParam<KeyCase>
{ };

TEST_P(KeyCoding, DecodesAndEncodesBack)
{
    const KeyCase &c = GetParam();
    const UISnmpVar table[] = {
        {" ", "key", c.syntax, vfKey | (c.implied ? vfImplied : 0)},
        {"1.3.6.1.4.1.32473.99.1.1.2", "column", synInteger, vfRead},
        {nullptr},
    };
    VtSNMPRequest r;
    r.Vars = VtSNMPVarList(table, itTable, 1);
    EXPECT_EQ(r.DecodeKey(0, QLatin1String(c.suffix)), c.rest);
    EXPECT_EQ(r.Vars.Var(0).Value, c.value);
    EXPECT_EQ(r.EncodeKey(0), c.encoded);
    EXPECT_EQ(r.RowIndex(), c.encoded);
}

INSTANTIATE_TEST_SUITE_P(Kinds, KeyCoding, testing::ValuesIn(kKeys), kvatest::caseName);

TEST(KeyCodingOptions, KeysGoThroughTheOptionList)
{
    static const VtOptionList onOff{{0, "Off"}, {1, "On"}};
    const UISnmpVar table[] = {
        {" ", "state", synInteger, vfKey, &onOff},
        {"1.3.6.1.4.1.32473.99.1.1.2", "column", synInteger, vfRead},
        {nullptr},
    };
    VtSNMPRequest r;
    r.Vars = VtSNMPVarList(table, itTable, 1);
    r.DecodeKey(0, QStringLiteral("1"));
    EXPECT_EQ(r.Vars.Var(0).Value, "On");
    EXPECT_EQ(r.EncodeKey(0), "1");
    r.DecodeKey(0, QStringLiteral("3"));
    EXPECT_EQ(r.Vars.Var(0).Value, "3") << "values outside the list pass through";
}

TEST(KeyCodingOptions, ShortOrBrokenSuffixesAreBadKeyCount)
{
    const struct
    {
        int syntax;
        const char *suffix;
    } cases[] = {
        {synIpAddress, "10.0.0"},
        {synOctetString, "4.1.2"},
        {synCounter64, "1"},
        {synMacAddress, "1.2.3.4.5"},
        {synInteger, "1..2"},
        {synOctetString, "1.256"},
        {synDisplayString, "99999999999"},
    };

    for (const auto &c : cases) {
        SCOPED_TRACE(c.suffix);
        const UISnmpVar table[] = {{" ", "key", c.syntax, vfKey}, {nullptr}};
        VtSNMPRequest r;
        r.Vars = VtSNMPVarList(table, itTable, 1);
        try {
            r.DecodeKey(0, QLatin1String(c.suffix));
            ADD_FAILURE() << "no exception";
        } catch (const VtException &e) {
            EXPECT_EQ(e.Code(), -514);
        }
    }
}

// Random suffixes against every index kind: each decode either succeeds or throws the library's
// exception, and whatever decoded encodes without harm.
TEST(KeyCodingFuzz, HostileSuffixesNeverCrash)
{
    const int syntaxes[] = {synBoolean, synInteger, synBitString, synOctetString, synNull, synOid,
        synIpAddress, synCounter32, synGauge32, synTimeTicks, synOpaque, synIpAddressAlt,
        synCounter64, synUInteger32, synReal, synMacAddress, synDateAndTime, synDateTime,
        synDisplayString, 0, 77, 200};
    std::mt19937 random(7310);
    const char *junk[] = {"", ".", "..", "-1", "x", "1.", " 1", "4294967296", "00"};
    int decoded = 0;
    for (int round = 0; round < 20000; ++round) {
        const int syntax = syntaxes[random() % std::size(syntaxes)];
        const bool implied = random() % 2 == 0;
        const UISnmpVar table[] = {
            {" ", "key", syntax, vfKey | (implied ? vfImplied : 0)}, {nullptr}};
        VtSNMPRequest r;
        r.Vars = VtSNMPVarList(table, itTable, 1);
        QString suffix;
        const int count = static_cast<int>(random() % 16);
        for (int k = 0; k < count; ++k) {
            if (k > 0) {
                suffix += QLatin1Char('.');
            }
            switch (random() % 4) {
            case 0:
                suffix += QString::number(random() % 4);
                break;
            case 1:
                suffix += QString::number(random() % 300);
                break;
            case 2:
                suffix += QString::number(static_cast<std::uint32_t>(random()));
                break;
            default:
                suffix += QLatin1String(junk[random() % std::size(junk)]);
                break;
            }
        }
        try {
            r.DecodeKey(0, suffix);
            ++decoded;
            r.EncodeKey(0);
        } catch (const VtException &) { }
    }
    EXPECT_GT(decoded, 0);
}

} // namespace
