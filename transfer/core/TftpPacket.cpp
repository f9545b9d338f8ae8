// TFTP packets as bytes: decoding and encoding without sockets.
#include "TftpPacket.h"

namespace tftp {
namespace {

quint16 read16(QByteArrayView bytes, qsizetype at)
{
    return static_cast<quint16>(
        (static_cast<quint8>(bytes[at]) << 8) | static_cast<quint8>(bytes[at + 1]));
}

void append16(QByteArray &out, quint16 value)
{
    out.append(static_cast<char>(value >> 8));
    out.append(static_cast<char>(value & 0xff));
}

/// Reads a zero-terminated string starting at `at`; advances `at` past the terminator.
std::optional<QByteArray> readString(QByteArrayView bytes, qsizetype &at)
{
    const qsizetype end = bytes.indexOf('\0', at);
    if (end < 0) {
        return std::nullopt;
    }
    QByteArray text = bytes.sliced(at, end - at).toByteArray();
    at = end + 1;
    return text;
}

bool fail(DecodeError *why, DecodeError error)
{
    if (why) {
        *why = error;
    }
    return false;
}

/// Name/value pairs up to the end of the datagram.
bool readOptions(QByteArrayView bytes, qsizetype at, QList<Option> &options, DecodeError *why)
{
    while (at < bytes.size()) {
        std::optional<QByteArray> name = readString(bytes, at);
        if (!name) {
            return fail(why, DecodeError::MissingTerminator);
        }
        if (name->isEmpty() || at >= bytes.size()) {
            return fail(why, DecodeError::BadOption);
        }
        std::optional<QByteArray> value = readString(bytes, at);
        if (!value) {
            return fail(why, DecodeError::MissingTerminator);
        }
        Option option{name->toLower(), *value};
        for (const Option &seen : options) {
            if (seen.name == option.name) {
                return fail(why, DecodeError::BadOption);
            }
        }
        options.append(std::move(option));
    }
    return true;
}

/// A decimal number made of digits only, or -1.
qint64 readNumber(const QByteArray &text)
{
    if (text.isEmpty() || text.size() > 18) {
        return -1;
    }
    qint64 value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

} // namespace

std::optional<Packet> decode(QByteArrayView datagram, DecodeError *why)
{
    if (why) {
        *why = DecodeError::None;
    }
    if (datagram.size() < 2) {
        fail(why, DecodeError::TooShort);
        return std::nullopt;
    }
    Packet packet;
    const quint16 opcode = read16(datagram, 0);
    switch (opcode) {
    case quint16(Opcode::ReadRequest):
    case quint16(Opcode::WriteRequest): {
        packet.opcode = Opcode(opcode);
        qsizetype at = 2;
        std::optional<QByteArray> name = readString(datagram, at);
        if (!name) {
            fail(why, DecodeError::MissingTerminator);
            return std::nullopt;
        }
        if (name->isEmpty()) {
            fail(why, DecodeError::EmptyFileName);
            return std::nullopt;
        }
        std::optional<QByteArray> mode = readString(datagram, at);
        if (!mode) {
            fail(why, DecodeError::MissingTerminator);
            return std::nullopt;
        }
        packet.fileName = std::move(*name);
        packet.mode = std::move(*mode);
        if (!readOptions(datagram, at, packet.options, why)) {
            return std::nullopt;
        }
        return packet;
    }
    case quint16(Opcode::Data):
    case quint16(Opcode::Ack):
        if (datagram.size() < kHeaderSize) {
            fail(why, DecodeError::TooShort);
            return std::nullopt;
        }
        packet.opcode = Opcode(opcode);
        packet.block = read16(datagram, 2);
        if (packet.opcode == Opcode::Data) {
            packet.payload = datagram.sliced(kHeaderSize);
        }
        return packet;
    case quint16(Opcode::Error): {
        if (datagram.size() < kHeaderSize) {
            fail(why, DecodeError::TooShort);
            return std::nullopt;
        }
        packet.opcode = Opcode::Error;
        packet.errorCode = read16(datagram, 2);
        // A peer that leaves out the terminator still means the error; its text is what there is.
        QByteArrayView message = datagram.sliced(kHeaderSize);
        const qsizetype end = message.indexOf('\0');
        packet.payload = end < 0 ? message : message.first(end);
        return packet;
    }
    case quint16(Opcode::OptionAck):
        packet.opcode = Opcode::OptionAck;
        if (!readOptions(datagram, 2, packet.options, why)) {
            return std::nullopt;
        }
        return packet;
    default:
        fail(why, DecodeError::UnknownOpcode);
        return std::nullopt;
    }
}

QByteArray encodeRequest(
    Opcode opcode, QByteArrayView fileName, QByteArrayView mode, const QList<Option> &options)
{
    QByteArray out;
    append16(out, static_cast<quint16>(opcode));
    out.append(fileName).append('\0').append(mode).append('\0');
    for (const Option &option : options) {
        out.append(option.name).append('\0').append(option.value).append('\0');
    }
    return out;
}

QByteArray encodeData(quint16 block, QByteArrayView payload)
{
    QByteArray out(kHeaderSize, '\0');
    writeHeader(out.data(), Opcode::Data, block);
    out.append(payload);
    return out;
}

QByteArray encodeAck(quint16 block)
{
    QByteArray out(kHeaderSize, '\0');
    writeHeader(out.data(), Opcode::Ack, block);
    return out;
}

QByteArray encodeError(quint16 errorCode, QByteArrayView message)
{
    QByteArray out(kHeaderSize, '\0');
    writeHeader(out.data(), Opcode::Error, errorCode);
    out.append(message).append('\0');
    return out;
}

QByteArray encodeOptionAck(const QList<Option> &options)
{
    QByteArray out;
    append16(out, static_cast<quint16>(Opcode::OptionAck));
    for (const Option &option : options) {
        out.append(option.name).append('\0').append(option.value).append('\0');
    }
    return out;
}

Negotiation negotiate(const QList<Option> &requested, bool readRequest, qint64 fileSize)
{
    Negotiation result;
    for (const Option &option : requested) {
        const qint64 value = readNumber(option.value);
        if (option.name == "blksize") {
            if (value >= kMinBlockSize) {
                result.blockSize = int(std::min<qint64>(value, kMaxBlockSize));
                result.accepted.append({option.name, QByteArray::number(result.blockSize)});
            }
        } else if (option.name == "tsize") {
            if (readRequest && value >= 0 && fileSize >= 0) {
                result.accepted.append({option.name, QByteArray::number(fileSize)});
            } else if (!readRequest && value >= 0) {
                result.accepted.append({option.name, QByteArray::number(value)});
            }
        } else if (option.name == "timeout") {
            if (value >= 1 && value <= kMaxTimeoutSeconds) {
                result.timeoutSeconds = int(value);
                result.accepted.append({option.name, QByteArray::number(value)});
            }
        }
    }
    return result;
}

} // namespace tftp
