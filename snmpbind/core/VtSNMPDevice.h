// The process-wide description of the agent: its address, the security parameters and the
// SNMPv3 scope, with their defaults. Requests take a snapshot when they are constructed.
#pragma once

#include <cstdint>

#include <QString>

/// The agent.
struct VtSNMPDevice
{
    QString Host = QStringLiteral("127.0.0.1");
    std::uint16_t Port = 161;
};

/// The SNMPv3 context put into every PDU.
struct VtSNMPScope
{
    QString ContextEngineId;
    QString ContextName;
};

/// Version and credentials. Version in the library's numbering: 0 SNMPv1, 1 SNMPv2c, 3 SNMPv3.
/// AuthProtocol: 1 none, 2 HMAC-MD5, 3 HMAC-SHA, 4..7 HMAC-SHA-224/256/384/512.
/// PrivProtocol: 1 none, 2 DES, 3..5 AES-128/192/256.
struct VtSNMPSecurity
{
    std::uint8_t Version = 0;
    QString ReadCommunity = QStringLiteral("mirtal");
    QString WriteCommunity = QStringLiteral("solvane");
    std::int32_t SecurityModel = 1;
    std::int32_t SecurityLevel = 1;
    QString SecurityName;
    QString AuthPassword;
    QString PrivPassword;
    std::int32_t AuthProtocol = 1;
    std::int32_t PrivProtocol = 1;
};

/// The one instance of each, living for the whole process.
VtSNMPDevice &SnmpDevice();
VtSNMPSecurity &SnmpSecurity();
VtSNMPScope &SnmpScope();

/// The default request time-out in hundredths of a second (100 = 1 s).
int &SnmpDefaultTimeout();

/// Puts every field of the three objects and the default time-out back to their defaults.
void ResetSnmpAgentDefaults();
