// Net-SNMP's results turned into the status numbers ErrorFromStatus understands.
#pragma once

#include "VtSNMPError.h"

/// Net-SNMP's own result numbers (SNMPERR_*) that the engine tells apart. NetSnmpAdapter.cpp
/// checks every one of them against the library's headers at compile time.
namespace netsnmperr {
constexpr int kSuccess = 0;
constexpr int kGenErr = -1;
constexpr int kBadAddress = -3;
constexpr int kTooLong = -5;
constexpr int kNoSocket = -6;
constexpr int kBadSendto = -12;
constexpr int kBadParse = -13;
constexpr int kBadCommunity = -18;
constexpr int kAbort = -22;
constexpr int kTimeout = -24;
constexpr int kBadEngineId = -26;
constexpr int kBadSecName = -27;
constexpr int kBadSecLevel = -28;
constexpr int kAsnParseErr = -29;
constexpr int kUnknownSecModel = -30;
constexpr int kInvalidMsg = -31;
constexpr int kUnknownEngineId = -32;
constexpr int kUnknownUserName = -33;
constexpr int kUnsupportedSecLevel = -34;
constexpr int kAuthenticationFailure = -35;
constexpr int kNotInTimeWindow = -36;
constexpr int kDecryptionErr = -37;
constexpr int kUsmGenericError = -42;
constexpr int kUsmUnknownSecurityName = -43;
constexpr int kUsmUnsupportedSecurityLevel = -44;
constexpr int kUsmEncryptionError = -45;
constexpr int kUsmAuthenticationFailure = -46;
constexpr int kUsmParseError = -47;
constexpr int kUsmUnknownEngineId = -48;
constexpr int kUsmNotInTimeWindow = -49;
constexpr int kUsmDecryptionError = -50;
} // namespace netsnmperr

/// Status numbers of the engine's own making, in the numbering ErrorFromStatus maps.
namespace snmpstatus {
constexpr int kSuccess = 0;
constexpr int kTimeout = -5;                      // -405
constexpr int kTransportFailed = -22;             // -422
constexpr int kUsmUnsupportedAuthProtocol = 1412; // -312
constexpr int kUsmUnsupportedPrivProtocol = 1413; // -313
constexpr int kUnmapped = 100000;                 // -528
} // namespace snmpstatus

/// The status for one exchange: a Net-SNMP failure (SNMPERR_*, 0 for none) wins over the
/// agent's error-status (0 for none).
int StatusFromNetSnmp(int libraryError, int errorStatus);

/// StatusFromNetSnmp followed by ErrorFromStatus.
VtSNMPError ErrorFromNetSnmp(int libraryError, int errorStatus);
