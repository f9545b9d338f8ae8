// The one door to Net-SNMP: start-up, one handle per target and mode, blocking and
// asynchronous exchanges, and the pump's work. Nothing of Net-SNMP shows through this header.
#pragma once

#include "../SnmpTextForm.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include <QByteArray>
#include <QList>
#include <QString>

namespace netsnmp {

/// ASN.1 tags of the values that travel in a variable binding.
namespace asn {
constexpr std::uint8_t kInteger = SnmpWireValue::Integer;
constexpr std::uint8_t kOctetString = SnmpWireValue::OctetString;
constexpr std::uint8_t kNull = SnmpWireValue::Null;
constexpr std::uint8_t kObjectId = SnmpWireValue::ObjectId;
constexpr std::uint8_t kIpAddress = SnmpWireValue::IpAddress;
constexpr std::uint8_t kCounter32 = SnmpWireValue::Counter32;
constexpr std::uint8_t kGauge32 = SnmpWireValue::Gauge32;
constexpr std::uint8_t kTimeTicks = SnmpWireValue::TimeTicks;
constexpr std::uint8_t kOpaque = SnmpWireValue::Opaque;
constexpr std::uint8_t kCounter64 = SnmpWireValue::Counter64;
constexpr std::uint8_t kUInteger32 = SnmpWireValue::UInteger32;
constexpr std::uint8_t kNoSuchObject = SnmpWireValue::NoSuchObject;
constexpr std::uint8_t kNoSuchInstance = SnmpWireValue::NoSuchInstance;
constexpr std::uint8_t kEndOfMibView = SnmpWireValue::EndOfMibView;
} // namespace asn

using Oid = QList<std::uint32_t>;
using Value = SnmpWireValue;

struct Binding
{
    Oid oid;
    Value value;
};

/// Protocols in the stored numbering of the agent description (1 none, 2 MD5, 3 SHA, 4..7
/// SHA-224/256/384/512; privacy 1 none, 2 DES, 3..5 AES-128/192/256).
struct Target
{
    QString host;
    std::uint16_t port = 161;
    int version = 0; ///< 0 SNMPv1, 1 SNMPv2c, 3 SNMPv3
    QByteArray community;
    int securityLevel = 1;
    QByteArray securityName;
    int authProtocol = 1;
    QByteArray authPassword;
    int privProtocol = 1;
    QByteArray privPassword;
    QByteArray contextName;
    QByteArray contextEngineId;
    int timeout = 100; ///< hundredths of a second per attempt
    int retries = 1;
};

enum class PduType {
    Get,
    GetNext,
    Set
};

/// The outcome of one exchange. `libraryError` is Net-SNMP's result (0 none, see ErrorMapping.h);
/// `errorStatus`/`errorIndex` come from the response. `closing` marks the notice that the handle
/// went away with the exchange outstanding.
struct Response
{
    int libraryError = 0;
    int errorStatus = 0;
    int errorIndex = 0;
    bool closing = false;
    std::vector<Binding> bindings;
};

/// Why a handle could not be had; the caller turns these into its own codes.
enum class OpenFailure {
    None,
    InvalidAddress,
    UnsupportedAuth,
    UnsupportedPriv,
    Library
};

/// Gets the response to keep: it may move the bindings out.
using Completion = std::function<void(Response &)>;

class Adapter
{
public:
    static Adapter &instance();

    /// Starts the library once per process: no configuration files, no MIB files, no logging,
    /// persistent state kept in `stateDirectory` and never saved. Sets the local engine ID and
    /// boots counter (again on every call). False when the library cannot start.
    bool start(const QString &stateDirectory, const QByteArray &engineId, unsigned boots);
    bool started() const;

    /// One blocking exchange on the target's blocking handle. `failure` tells why no exchange
    /// took place; then the response is empty.
    Response exchange(const Target &target, PduType type, const std::vector<Binding> &bindings,
        OpenFailure *failure);

    /// Sends on the target's asynchronous handle; `done` runs exactly once, from `process()`
    /// (or with `closing` set when the handle is closed first). Returns Net-SNMP's immediate
    /// result: 0 when sent; on failure `done` is not kept.
    int send(const Target &target, PduType type, const std::vector<Binding> &bindings,
        Completion done, OpenFailure *failure);

    /// The pump's work: reads what the asynchronous handles' sockets hold and lets Net-SNMP run
    /// its time-outs and retransmissions. Each socket is read while it holds answers, whether a
    /// tick or a socket's read notification called the pump.
    void process();

    /// Whether any asynchronous exchange awaits its answer, a retransmission or its time-out.
    bool outstanding() const;

    /// Sockets of the asynchronous handles, for read notification.
    std::vector<int> asyncSockets() const;
    /// Changes whenever an asynchronous handle is opened or closed.
    std::uint64_t asyncSocketsVersion() const;

    /// Closes every handle; outstanding exchanges complete with `closing`.
    void closeAll();

    ~Adapter();
    Adapter(const Adapter &) = delete;
    Adapter &operator=(const Adapter &) = delete;

    struct Private;

private:
    Adapter();
    std::unique_ptr<Private> d;
};

} // namespace netsnmp
