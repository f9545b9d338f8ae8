// Net-SNMP's results turned into the status numbers ErrorFromStatus understands.
#include "ErrorMapping.h"

#include <algorithm>
#include <iterator>

namespace {

struct StatusRow
{
    int libraryError;
    int status;
};

// Net-SNMP reports the USM failures in two flavours (a REPORT from the agent, or its own
// processing of the answer); both land on the same security-model status.
constexpr StatusRow kStatusTable[] = {
    {netsnmperr::kTimeout, snmpstatus::kTimeout},
    {netsnmperr::kBadSendto, snmpstatus::kTransportFailed},
    {netsnmperr::kNoSocket, snmpstatus::kTransportFailed},
    {netsnmperr::kUsmGenericError, 1401},
    {netsnmperr::kUnsupportedSecLevel, 1403},
    {netsnmperr::kUsmUnsupportedSecurityLevel, 1403},
    {netsnmperr::kBadSecLevel, 1403},
    {netsnmperr::kUnknownUserName, 1404},
    {netsnmperr::kUsmUnknownSecurityName, 1404},
    {netsnmperr::kBadSecName, 1404},
    {netsnmperr::kUsmEncryptionError, 1405},
    {netsnmperr::kDecryptionErr, 1406},
    {netsnmperr::kUsmDecryptionError, 1406},
    {netsnmperr::kAuthenticationFailure, 1408},
    {netsnmperr::kUsmAuthenticationFailure, 1408},
    {netsnmperr::kUsmParseError, 1409},
    {netsnmperr::kUnknownEngineId, 1410},
    {netsnmperr::kUsmUnknownEngineId, 1410},
    {netsnmperr::kBadEngineId, 1410},
    {netsnmperr::kNotInTimeWindow, 1411},
    {netsnmperr::kUsmNotInTimeWindow, 1411},
    {netsnmperr::kUnknownSecModel, -1402},
    {netsnmperr::kInvalidMsg, -1405},
    {netsnmperr::kAsnParseErr, -1408},
    {netsnmperr::kBadCommunity, -1411},
};

} // namespace

int StatusFromNetSnmp(int libraryError, int errorStatus)
{
    if (libraryError != netsnmperr::kSuccess) {
        const auto row = std::find_if(std::begin(kStatusTable), std::end(kStatusTable),
            [libraryError](const StatusRow &r) { return r.libraryError == libraryError; });
        return row == std::end(kStatusTable) ? snmpstatus::kUnmapped : row->status;
    }
    if (errorStatus == 0) {
        return snmpstatus::kSuccess;
    }
    // the agent's error-status keeps its own number; one outside 1..18 is nobody's
    return errorStatus >= 1 && errorStatus <= 18 ? errorStatus : snmpstatus::kUnmapped;
}

VtSNMPError ErrorFromNetSnmp(int libraryError, int errorStatus)
{
    return ErrorFromStatus(StatusFromNetSnmp(libraryError, errorStatus));
}
