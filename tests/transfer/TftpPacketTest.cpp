// Packet codec: every form the server reads or writes, and what it makes of broken ones.
#include "CaseName.h"
#include "TftpPacket.h"

#include <random>

#include <gtest/gtest.h>

using namespace tftp;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values) {
        out.append(char(v));
    }
    return out;
}

/// A literal with its embedded zero bytes, without the one C adds at the end.
template <size_t N>
QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArray request(int opcode, const QByteArray &rest)
{
    return bytes({0, opcode}) + rest;
}

struct DecodeCase
{
    const char *name;
    QByteArray datagram;
    DecodeError error; // None: decodes
    Opcode opcode = Opcode::Data;
    quint16 number = 0; // block or error code
    QByteArray fileName = {};
    QByteArray mode = {};
    QList<Option> options = {};
    QByteArray payload = {};
};

// Test names and failure messages show the case's name, not its bytes.
void PrintTo(const DecodeCase &c, std::ostream *out)
{
    *out << c.name;
}

const QByteArray kHugeName(4000, 'x');

const DecodeCase kDecode[] = {
    {"ReadRequest", request(1, raw("a.bin\0octet\0")), DecodeError::None, Opcode::ReadRequest, 0,
        "a.bin", "octet"},
    {"WriteRequestKeepsModeAsSent", request(2, raw("f\0NetASCII\0")), DecodeError::None,
        Opcode::WriteRequest, 0, "f", "NetASCII"},
    {"RequestOptionsLowerCased", request(1, raw("f\0octet\0BLKSIZE\0001428\0tsize\0000\0")),
        DecodeError::None, Opcode::ReadRequest, 0, "f", "octet",
        {{"blksize", "1428"}, {"tsize", "0"}}},
    {"HugeName", request(1, kHugeName + raw("\0octet\0")), DecodeError::None, Opcode::ReadRequest,
        0, kHugeName, "octet"},
    {"HugeNameCutOff", request(1, kHugeName), DecodeError::MissingTerminator},
    {"NameWithoutTerminator", request(1, "a.bin"), DecodeError::MissingTerminator},
    {"ModeWithoutTerminator", request(2, raw("a.bin\0octet")), DecodeError::MissingTerminator},
    {"EmptyName", request(1, raw("\0octet\0")), DecodeError::EmptyFileName},
    {"OptionWithoutValue", request(1, raw("f\0octet\0blksize\0")), DecodeError::BadOption},
    {"OptionValueWithoutTerminator", request(1, raw("f\0octet\0blksize\0001428")),
        DecodeError::MissingTerminator},
    {"OptionWithEmptyName", request(1, raw("f\0octet\0\0001\0")), DecodeError::BadOption},
    {"OptionTwice", request(1, raw("f\0octet\0tsize\0000\0TSIZE\0000\0")), DecodeError::BadOption},
    {"DataWithPayload", bytes({0, 3, 0x12, 0x34, 'a', 0, 'b'}), DecodeError::None, Opcode::Data,
        0x1234, {}, {}, {}, raw("a\0b")},
    {"EmptyData", bytes({0, 3, 0xff, 0xff}), DecodeError::None, Opcode::Data, 0xffff},
    {"DataTooShort", bytes({0, 3, 0}), DecodeError::TooShort},
    {"Ack", bytes({0, 4, 0, 7}), DecodeError::None, Opcode::Ack, 7},
    {"AckTooShort", bytes({0, 4}), DecodeError::TooShort},
    {"Error", bytes({0, 5, 0, 1, 'n', 'o', 0}), DecodeError::None, Opcode::Error, 1, {}, {}, {},
        "no"},
    {"ErrorWithoutTerminatorKeepsItsText", bytes({0, 5, 0, 2, 'n', 'o'}), DecodeError::None,
        Opcode::Error, 2, {}, {}, {}, "no"},
    {"ErrorTooShort", bytes({0, 5, 0}), DecodeError::TooShort},
    {"OptionAck", bytes({0, 6}) + raw("blksize\0008192\0"), DecodeError::None, Opcode::OptionAck, 0,
        {}, {}, {{"blksize", "8192"}}},
    {"OpcodeZero", bytes({0, 0, 0, 1}), DecodeError::UnknownOpcode},
    {"OpcodeSeven", bytes({0, 7, 0, 1}), DecodeError::UnknownOpcode},
    {"OpcodeHighByte", bytes({1, 3, 0, 1}), DecodeError::UnknownOpcode},
    {"OneByte", bytes({0}), DecodeError::TooShort},
    {"Empty", QByteArray(), DecodeError::TooShort},
};

class PacketDecode : public testing::TestWithParam<DecodeCase>
{ };

TEST_P(PacketDecode, ReadsWhatTheBytesSay)
{
    const DecodeCase &c = GetParam();
    DecodeError why = DecodeError::None;
    const std::optional<Packet> packet = decode(c.datagram, &why);
    EXPECT_EQ(why, c.error);
    ASSERT_EQ(packet.has_value(), c.error == DecodeError::None);
    if (!packet) {
        return;
    }
    EXPECT_EQ(packet->opcode, c.opcode);
    EXPECT_EQ(c.opcode == Opcode::Error ? packet->errorCode : packet->block, c.number);
    EXPECT_EQ(packet->fileName, c.fileName);
    EXPECT_EQ(packet->mode, c.mode);
    EXPECT_EQ(packet->options, c.options);
    EXPECT_EQ(packet->payload, c.payload);
}

INSTANTIATE_TEST_SUITE_P(Cases, PacketDecode, testing::ValuesIn(kDecode), kvatest::caseName);

TEST(PacketEncode, ProducesTheWireForms)
{
    EXPECT_EQ(encodeData(0x0102, "xy"), bytes({0, 3, 1, 2, 'x', 'y'}));
    EXPECT_EQ(encodeData(0, {}), bytes({0, 3, 0, 0}));
    EXPECT_EQ(encodeAck(0xfffe), bytes({0, 4, 0xff, 0xfe}));
    EXPECT_EQ(encodeError(FileNotFound), bytes({0, 5, 0, 1, 0})); // five bytes, empty message
    EXPECT_EQ(encodeOptionAck({{"blksize", "1428"}}), bytes({0, 6}) + raw("blksize\0001428\0"));
    EXPECT_EQ(encodeRequest(Opcode::WriteRequest, "f", "octet", {{"tsize", "9"}}),
        bytes({0, 2}) + raw("f\0octet\0tsize\0009\0"));
}

struct NegotiationCase
{
    const char *name;
    QList<Option> requested;
    bool readRequest;
    qint64 fileSize;
    int blockSize;
    int timeoutSeconds;
    QList<Option> accepted;
};

// Test names and failure messages show the case's name, not its bytes.
void PrintTo(const NegotiationCase &c, std::ostream *out)
{
    *out << c.name;
}

const NegotiationCase kNegotiation[] = {
    {"NoOptions", {}, true, 10, 512, 0, {}},
    {"BlockSize", {{"blksize", "1428"}}, true, 10, 1428, 0, {{"blksize", "1428"}}},
    {"BlockSizeSmallest", {{"blksize", "8"}}, true, 10, 8, 0, {{"blksize", "8"}}},
    {"BlockSizeTooSmallIgnored", {{"blksize", "7"}}, true, 10, 512, 0, {}},
    {"BlockSizeCappedAtLargest", {{"blksize", "70000"}}, true, 10, 65464, 0,
        {{"blksize", "65464"}}},
    {"BlockSizeNotANumberIgnored", {{"blksize", "12a"}}, true, 10, 512, 0, {}},
    {"BlockSizeNegativeIgnored", {{"blksize", "-512"}}, true, 10, 512, 0, {}},
    {"BlockSizeHugeNumberIgnored", {{"blksize", "99999999999999999999999"}}, true, 10, 512, 0, {}},
    {"ReadSizeIsTheFileSize", {{"tsize", "0"}}, true, 1234, 512, 0, {{"tsize", "1234"}}},
    {"ReadSizeOfUnknownFileIgnored", {{"tsize", "0"}}, true, -1, 512, 0, {}},
    {"WriteSizeEchoed", {{"tsize", "99"}}, false, -1, 512, 0, {{"tsize", "99"}}},
    {"Timeout", {{"timeout", "3"}}, false, -1, 512, 3, {{"timeout", "3"}}},
    {"TimeoutZeroIgnored", {{"timeout", "0"}}, false, -1, 512, 0, {}},
    {"TimeoutAbove255Ignored", {{"timeout", "256"}}, false, -1, 512, 0, {}},
    {"UnknownOptionIgnored", {{"windowsize", "4"}, {"blksize", "1024"}}, true, 1, 1024, 0,
        {{"blksize", "1024"}}},
};

class PacketNegotiation : public testing::TestWithParam<NegotiationCase>
{ };

TEST_P(PacketNegotiation, AgreesOnlyToUsableValues)
{
    const NegotiationCase &c = GetParam();
    const Negotiation n = negotiate(c.requested, c.readRequest, c.fileSize);
    EXPECT_EQ(n.blockSize, c.blockSize);
    EXPECT_EQ(n.timeoutSeconds, c.timeoutSeconds);
    EXPECT_EQ(n.accepted, c.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PacketNegotiation, testing::ValuesIn(kNegotiation), kvatest::caseName);

/// One fuzz input: decoding never reads outside the datagram, and whatever decodes encodes back
/// to something that decodes the same way.
void fuzzOne(const QByteArray &input)
{
    const QByteArray datagram(
        input.constData(), input.size()); // own allocation: ASan sees overruns
    const std::optional<Packet> packet = decode(datagram);
    if (!packet) {
        return;
    }
    QByteArray again;
    switch (packet->opcode) {
    case Opcode::ReadRequest:
    case Opcode::WriteRequest:
        again = encodeRequest(packet->opcode, packet->fileName, packet->mode, packet->options);
        break;
    case Opcode::Data:
        again = encodeData(packet->block, packet->payload);
        break;
    case Opcode::Ack:
        again = encodeAck(packet->block);
        break;
    case Opcode::Error:
        again = encodeError(packet->errorCode, packet->payload);
        break;
    case Opcode::OptionAck:
        again = encodeOptionAck(packet->options);
        break;
    }
    const std::optional<Packet> second = decode(again);
    ASSERT_TRUE(second.has_value()) << again.toHex().constData();
    EXPECT_EQ(second->opcode, packet->opcode);
    EXPECT_EQ(second->fileName, packet->fileName);
    EXPECT_EQ(second->options, packet->options);
    negotiate(packet->options, packet->opcode == Opcode::ReadRequest, 100);
}

TEST(PacketFuzz, DecoderSurvivesMutatedPackets)
{
    // A short pass with a fixed seed; KVA7310_FUZZ_ITERATIONS runs longer.
    bool ok = false;
    int iterations = qEnvironmentVariableIntValue("KVA7310_FUZZ_ITERATIONS", &ok);
    if (!ok || iterations <= 0) {
        iterations = 20000;
    }
    std::mt19937 random(7310);
    std::vector<QByteArray> seeds;
    for (const DecodeCase &c : kDecode) {
        seeds.push_back(c.datagram);
    }
    for (int i = 0; i < iterations && !testing::Test::HasFailure(); ++i) {
        QByteArray input = seeds[random() % seeds.size()];
        const int edits = 1 + int(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const auto at = input.isEmpty() ? 0 : qsizetype(random() % quint32(input.size()));
            switch (random() % 4) {
            case 0:
                if (!input.isEmpty()) {
                    input[at] = char(random());
                }
                break;
            case 1:
                input.insert(at, char(random() % 3 == 0 ? 0 : random()));
                break;
            case 2:
                if (!input.isEmpty()) {
                    input.remove(at, 1 + qsizetype(random() % 8));
                }
                break;
            default:
                input.truncate(at);
                break;
            }
        }
        fuzzOne(input);
    }
}

} // namespace
