// TFTP packets as bytes: decoding and encoding without sockets, so every form can be tested and fuzzed.
#pragma once

#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

namespace tftp {

enum class Opcode : quint16 {
    ReadRequest = 1,
    WriteRequest = 2,
    Data = 3,
    Ack = 4,
    Error = 5,
    OptionAck = 6,
};

/// Error codes carried by ERROR packets.
enum ErrorCode : quint16 {
    NotDefined = 0,
    FileNotFound = 1,
    AccessViolation = 2,
    DiskFull = 3,
    IllegalOperation = 4,
    UnknownTransferId = 5,
    FileExists = 6,
    NoSuchUser = 7,
    OptionRefused = 8,
};

constexpr int kHeaderSize = 4;
constexpr int kDefaultBlockSize = 512;
constexpr int kMinBlockSize = 8;
constexpr int kMaxBlockSize = 65464;
constexpr int kMaxTimeoutSeconds = 255;

struct Option
{
    QByteArray name; // lower case
    QByteArray value;
    friend bool operator==(const Option &, const Option &) = default;
};

/// One decoded packet. Fields not used by the opcode stay empty.
struct Packet
{
    Opcode opcode = Opcode::Data;
    quint16 block = 0;      // DATA, ACK
    quint16 errorCode = 0;  // ERROR
    QByteArray fileName;    // requests
    QByteArray mode;        // requests, as sent
    QList<Option> options;  // requests, OACK
    QByteArrayView payload; // DATA bytes or ERROR message; points into the decoded datagram
};

enum class DecodeError {
    None,
    TooShort,          // fewer bytes than the opcode needs
    UnknownOpcode,     //
    MissingTerminator, // a string runs to the end of the datagram
    EmptyFileName,     //
    BadOption,         // empty name, name without value, or a name given twice
};

/// Decodes one datagram. The packet's payload points into `datagram`, which must outlive it.
std::optional<Packet> decode(QByteArrayView datagram, DecodeError *why = nullptr);

/// Writes the four-byte header of DATA or ACK (or any opcode with a 16-bit second field).
inline void writeHeader(char *out, Opcode opcode, quint16 second)
{
    const auto op = static_cast<quint16>(opcode);
    out[0] = static_cast<char>(op >> 8);
    out[1] = static_cast<char>(op & 0xff);
    out[2] = static_cast<char>(second >> 8);
    out[3] = static_cast<char>(second & 0xff);
}

QByteArray encodeRequest(
    Opcode opcode, QByteArrayView fileName, QByteArrayView mode, const QList<Option> &options = {});
QByteArray encodeData(quint16 block, QByteArrayView payload);
QByteArray encodeAck(quint16 block);
/// ERROR with the given message; the server always sends an empty one (5 bytes in all).
QByteArray encodeError(quint16 errorCode, QByteArrayView message = {});
QByteArray encodeOptionAck(const QList<Option> &options);

/// What the server agreed to of the options a request carried.
struct Negotiation
{
    int blockSize = kDefaultBlockSize;
    int timeoutSeconds = 0; // 0: the server's own time-out
    QList<Option> accepted; // empty: answer as if no option had been sent
};

/// Accepts blksize (8..65464), tsize and timeout (1..255); ignores unknown or unusable options.
/// `fileSize` is the size of the file a read request asks for (-1 if unknown or a write request).
Negotiation negotiate(const QList<Option> &requested, bool readRequest, qint64 fileSize);

} // namespace tftp
