// The addresses a file page's TFTP server answers: the device's agent address, read as the SNMP
// session reaches it, and the LAN address the device reports.
#include "CaseName.h"
#include "QtPrinters.h"
#include "TransferFlow.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

struct PeersCase
{
    const char *name;
    const char *agentHost;
    const char *lanAddress;
    QStringList allowed;
};

void PrintTo(const PeersCase &c, std::ostream *out)
{
    *out << c.name;
}

const PeersCase kPeers[] = {
    {"AgentAddress", "10.0.0.5", "", {"10.0.0.5"}},
    {"AgentAndLan", "10.0.0.5", "192.168.1.20", {"10.0.0.5", "192.168.1.20"}},
    {"LanSameAsAgent", "10.0.0.5", "10.0.0.5", {"10.0.0.5"}},
    {"LanNotReported", "10.0.0.5", "0.0.0.0", {"10.0.0.5"}},
    {"LanGarbage", "10.0.0.5", "n/a", {"10.0.0.5"}},
    {"NoAgent", "", "192.168.1.20", {"192.168.1.20"}},
    {"AgentByName", "localhost", "", {"127.0.0.1"}},
    // Forms the SNMP session hands to the resolver are read the way the resolver reads them:
    // the server answers the host the session's requests go to.
    {"AgentShortForm", "127.1", "", {"127.0.0.1"}},
    {"AgentLeadingZeros", "010.0.0.1", "", {"8.0.0.1"}},
    {"AgentIpv6", "::1", "", {}},
};

class DeviceAddresses : public testing::TestWithParam<PeersCase>
{ };

TEST_P(DeviceAddresses, AreTheAgentsAndTheReportedLanAddress)
{
    const PeersCase &c = GetParam();
    QStringList allowed;
    for (const net::Ipv4Address &address : transfer::TransferFlow::deviceAddresses(
             QString::fromLatin1(c.agentHost), QString::fromLatin1(c.lanAddress))) {
        allowed << address.toString();
    }
    EXPECT_EQ(allowed, c.allowed);
}

INSTANTIATE_TEST_SUITE_P(Cases, DeviceAddresses, testing::ValuesIn(kPeers), kvatest::caseName);

} // namespace
