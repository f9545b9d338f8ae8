// The process-wide description of the agent, the security parameters and the SNMPv3 scope.
#include "VtSNMPDevice.h"

namespace {
constexpr int kDefaultTimeout = 100;
} // namespace

VtSNMPDevice &SnmpDevice()
{
    static VtSNMPDevice device;
    return device;
}

VtSNMPSecurity &SnmpSecurity()
{
    static VtSNMPSecurity security;
    return security;
}

VtSNMPScope &SnmpScope()
{
    static VtSNMPScope scope;
    return scope;
}

int &SnmpDefaultTimeout()
{
    static int timeout = kDefaultTimeout;
    return timeout;
}

void ResetSnmpAgentDefaults()
{
    SnmpDevice() = VtSNMPDevice();
    SnmpSecurity() = VtSNMPSecurity();
    SnmpScope() = VtSNMPScope();
    SnmpDefaultTimeout() = kDefaultTimeout;
}
