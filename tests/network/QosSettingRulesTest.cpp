// The QoS page's rules as case tables: how a rule's ports are listed, what each protocol does to
// the protocol number and the port edits, the number checks and the counts a rule carries.
#include "CaseName.h"
#include "QtPrinters.h"
#include "TFM_QosSettingRules.h"

#include <gtest/gtest.h>

namespace {

struct PortTextCase
{
    const char *name;
    const char *start;
    const char *end;
    const char *shown;
};

const PortTextCase kPortTexts[] = {
    {"BothZeroIsAny", "0", "0", "Any"},
    {"StartZero", "0", "80", "Any/80"},
    {"EndZero", "80", "0", "80/Any"},
    {"Range", "5060", "5061", "5060/5061"},
};

class QosPortText : public testing::TestWithParam<PortTextCase>
{ };

TEST_P(QosPortText, ShowsTheRange)
{
    const PortTextCase &c = GetParam();
    EXPECT_EQ(qos::portText(QString::fromLatin1(c.start), QString::fromLatin1(c.end)), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, QosPortText, testing::ValuesIn(kPortTexts), kvatest::caseName);

TEST(QosRules, TheProtocolColumnJoinsBothHosts)
{
    EXPECT_EQ(qos::protocolPortsText(QStringLiteral("UDP"), QStringLiteral("5060"),
                  QStringLiteral("5061"), QStringLiteral("0"), QStringLiteral("0")),
        "UDP 5060/5061 Any");
}

struct ProtocolCase
{
    const char *name;
    const char *number; // nullptr: left alone
    int index;
    bool editable;
    bool ports;
};

const ProtocolCase kProtocols[] = {
    {"Any", "256", qos::kProtocolAny, false, false},
    {"Tcp", "6", qos::kProtocolTcp, false, true},
    {"Udp", "17", qos::kProtocolUdp, false, true},
    {"Both", "257", qos::kProtocolBoth, false, true},
    {"Icmp", "1", qos::kProtocolIcmp, false, false},
    {"Other", nullptr, qos::kProtocolOther, true, false},
    {"NoItem", nullptr, -1, false, false},
};

class QosProtocol : public testing::TestWithParam<ProtocolCase>
{ };

TEST_P(QosProtocol, SetsTheNumberAndThePorts)
{
    const ProtocolCase &c = GetParam();
    const qos::ProtocolRule rule = qos::protocolRule(c.index);
    if (c.number == nullptr) {
        EXPECT_EQ(rule.number, nullptr);
    } else {
        ASSERT_NE(rule.number, nullptr);
        EXPECT_STREQ(rule.number, c.number);
    }
    EXPECT_EQ(rule.numberEditable, c.editable);
    EXPECT_EQ(rule.ports, c.ports);
}

INSTANTIATE_TEST_SUITE_P(Cases, QosProtocol, testing::ValuesIn(kProtocols), kvatest::caseName);

struct NumberCase
{
    const char *name;
    const char *text;
    bool port;
    bool protocol;
};

const NumberCase kNumbers[] = {
    {"Empty", "", false, false},
    {"Zero", "0", false, false},
    {"One", "1", true, true},
    {"Protocol999", "999", true, true},
    {"Protocol1000", "1000", true, false},
    {"Port65535", "65535", true, false},
    {"Port65536", "65536", false, false},
    {"Letters", "8a", false, false},
    {"Signed", "+80", false, false},
    {"Blank", " 80", false, false},
    {"ArabicIndicDigits", "\u0668\u0660", false, false},
};

class QosNumber : public testing::TestWithParam<NumberCase>
{ };

TEST_P(QosNumber, PortAndProtocolNumberRanges)
{
    const NumberCase &c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_EQ(qos::validPort(text), c.port);
    EXPECT_EQ(qos::validProtocolNumber(text), c.protocol);
}

INSTANTIATE_TEST_SUITE_P(Cases, QosNumber, testing::ValuesIn(kNumbers), kvatest::caseName);

struct RangeCase
{
    const char *name;
    const char *from;
    const char *to;
    bool sameNetwork;
    bool ordered;
    int count;
};

const RangeCase kRanges[] = {
    {"ElevenAddresses", "192.168.0.10", "192.168.0.20", true, true, 11},
    {"OneAddress", "10.0.0.7", "10.0.0.7", true, true, 1},
    {"AcrossNetworks", "192.168.0.10", "192.168.1.20", false, true, 11},
    {"Backwards", "10.0.0.9", "10.0.0.1", true, false, -7},
    {"BackwardsAcrossTheFirstPart", "11.0.0.1", "10.0.0.1", false, false, 1},
};

class QosRange : public testing::TestWithParam<RangeCase>
{ };

TEST_P(QosRange, NetworkOrderAndCount)
{
    const RangeCase &c = GetParam();
    const QString from = QString::fromLatin1(c.from);
    const QString to = QString::fromLatin1(c.to);
    EXPECT_EQ(qos::sameNetwork(from, to), c.sameNetwork);
    EXPECT_EQ(qos::addressValue(to) >= qos::addressValue(from), c.ordered);
    EXPECT_EQ(qos::addressCount(from, to), c.count);
}

INSTANTIATE_TEST_SUITE_P(Cases, QosRange, testing::ValuesIn(kRanges), kvatest::caseName);

TEST(QosRules, PortCountIsZeroWhenAnEndIsZero)
{
    EXPECT_EQ(qos::portCount(QStringLiteral("80"), QStringLiteral("90")), 11);
    EXPECT_EQ(qos::portCount(QStringLiteral("0"), QStringLiteral("90")), 0);
    EXPECT_EQ(qos::portCount(QStringLiteral("80"), QStringLiteral("0")), 0);
}

} // namespace
