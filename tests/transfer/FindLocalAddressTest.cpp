// Local address discovery: which of this computer's addresses the device is told to use.
#include "CaseName.h"
#include "FindLocalAddress.h"

#include <gtest/gtest.h>

namespace {

TEST(MaskedNetwork, KeepsThreeMaskedOctetsAndZeroesTheFourth)
{
    EXPECT_EQ(MaskedNetwork("192.168.10.77", "255.255.255.0"), "192.168.10.0");
    EXPECT_EQ(MaskedNetwork("192.168.10.77", "255.255.0.0"), "192.168.0.0");
    EXPECT_EQ(MaskedNetwork("192.168.10.77", "255.255.255.128"), "192.168.10.0");
    EXPECT_EQ(MaskedNetwork("10.1", "255.255.255.0"), "10.1.0.0"); // missing parts count as 0
    EXPECT_EQ(MaskedNetwork("10.x.3.4", "255.255.255.0"), "10.0.3.0");
    EXPECT_EQ(MaskedNetwork("", ""), "0.0.0.0");
    EXPECT_EQ(MaskedNetwork("300.1.1.1", "255.255.255.0"), "44.1.1.0"); // low 8 bits only
}

VtNetInterface iface(const char *address, const char *mask)
{
    VtNetInterface i;
    i.address = address;
    i.netmask = mask;
    i.up = true;
    return i;
}

struct FindCase
{
    const char *name;
    QList<VtNetInterface> interfaces;
    VtDeviceNetwork device; // address, mask, gateway
    const char *found;      // "" for none
};

// Test names and failure messages show the case's name, not its bytes.
void PrintTo(const FindCase &c, std::ostream *out)
{
    *out << c.name;
}

const VtNetInterface kLo = iface("127.0.0.1", "255.0.0.0");
const VtNetInterface kLan = iface("192.168.0.10", "255.255.255.0");
const VtNetInterface kOffice = iface("10.20.30.40", "255.255.0.0");

QList<VtNetInterface> elevenBefore(const VtNetInterface &last)
{
    QList<VtNetInterface> list;
    for (int i = 0; i < 10; ++i) {
        list << iface(QStringLiteral("172.16.%1.1").arg(i).toLatin1().constData(), "255.255.255.0");
    }
    return list << last;
}

const FindCase kFind[] = {
    {"GatewayNetworkMatchesInterface", {kLo, kLan}, {"192.168.0.2", "255.255.255.0", "192.168.0.1"},
        "192.168.0.10"},
    {"FirstMatchingInterfaceWins", {kLo, iface("192.168.0.11", "255.255.255.0"), kLan},
        {"192.168.0.2", "255.255.255.0", "192.168.0.1"}, "192.168.0.11"},
    {"WiderDeviceMask", {kLo, kOffice}, {"10.20.99.1", "255.255.0.0", "10.20.0.1"}, "10.20.30.40"},
    {"InterfaceMaskOnlyFirstThreeOctetsCount", {iface("192.168.5.200", "255.255.255.128")},
        {"192.168.5.3", "255.255.255.0", "192.168.5.1"}, "192.168.5.200"},
    {"NoGatewayFallsBackToDeviceClassC", {kLo, kOffice, kLan},
        {"192.168.0.2", "255.255.255.0", "0.0.0.0"}, "192.168.0.10"},
    {"NoGatewayIgnoresInterfaceWithoutMask", {iface("192.168.7.7", ""), kLan},
        {"192.168.0.2", "255.255.255.0", "0.0.0.0"}, "192.168.0.10"},
    {"GatewayElsewhereFallsBackToDeviceClassC", {kLan},
        {"192.168.0.2", "255.255.255.0", "10.0.0.1"}, "192.168.0.10"},
    {"OnlyTenInterfacesComparedByNetwork", elevenBefore(iface("10.9.9.9", "255.255.255.0")),
        {"10.9.8.1", "255.255.255.0", "10.9.9.1"}, ""},
    {"EveryAddressComparedByClassC", elevenBefore(iface("10.9.9.9", "255.255.255.0")),
        {"10.9.9.1", "255.255.255.0", "0.0.0.0"}, "10.9.9.9"},
    {"DeviceOnLoopback", {kLo, kLan}, {"127.0.0.1", "255.0.0.0", "0.0.0.0"}, "127.0.0.1"},
    {"NothingMatches", {kLo, kLan}, {"172.16.0.2", "255.255.255.0", "172.16.0.1"}, ""},
    {"NoInterfaces", {}, {"192.168.0.2", "255.255.255.0", "192.168.0.1"}, ""},
    {"EmptyDeviceTexts", {kLan}, {"", "", ""}, ""},
};

class FindLocalAddressCase : public testing::TestWithParam<FindCase>
{ };

TEST_P(FindLocalAddressCase, PicksTheAddressOnTheDevicesNetwork)
{
    const FindCase &c = GetParam();
    QString target;
    const bool found = FindLocalAddress(target, c.device, c.interfaces);
    EXPECT_EQ(found, *c.found != '\0');
    EXPECT_EQ(target, QString::fromLatin1(c.found));
}

INSTANTIATE_TEST_SUITE_P(Cases, FindLocalAddressCase, testing::ValuesIn(kFind), kvatest::caseName);

TEST(LocalInterfaces, ListsThisComputersLoopback)
{
    const QList<VtNetInterface> list = localInterfaces();
    EXPECT_TRUE(std::any_of(list.cbegin(), list.cend(),
        [](const VtNetInterface &i) { return i.address == "127.0.0.1" && i.loopback; }));
}

} // namespace
