// The device's TFTP client (octet mode, 512-byte blocks, retransmission on silence).
#include "tftp/TftpClient.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sim {

namespace {

constexpr std::size_t kBlock = 512;

enum : std::uint16_t {
    kRrq = 1,
    kWrq = 2,
    kData = 3,
    kAck = 4,
    kError = 5
};

void put16(std::string &s, std::uint16_t v)
{
    s += static_cast<char>(v >> 8);
    s += static_cast<char>(v & 0xff);
}

std::uint16_t get16(const unsigned char *p)
{
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

} // namespace

TftpClient::~TftpClient()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool TftpClient::start(const std::string &server, std::uint16_t port, bool write,
    const std::string &fileName, std::string data, bool breakMidway, long long nowMs, Done done)
{
    in_addr addr{};
    if (busy() || fileName.empty() || fileName.find('\0') != std::string::npos
        || ::inet_pton(AF_INET, server.c_str(), &addr) != 1) {
        return false;
    }
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) {
        return false;
    }
    m_write = write;
    m_breakMidway = breakMidway;
    m_serverAddr = addr.s_addr;
    m_serverPort = htons(port);
    m_peerPort = 0;
    m_data = std::move(data);
    m_offset = 0;
    m_block = 0;
    m_lastBlockSent = false;
    m_tries = 0;
    m_done = std::move(done);
    m_lastPacket.clear();
    put16(m_lastPacket, write ? kWrq : kRrq);
    m_lastPacket += fileName;
    m_lastPacket += '\0';
    m_lastPacket += "octet";
    m_lastPacket += '\0';
    sendLast(nowMs);
    return true;
}

void TftpClient::sendLast(long long nowMs)
{
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = m_serverAddr;
    to.sin_port = m_peerPort ? m_peerPort : m_serverPort;
    ::sendto(m_fd, m_lastPacket.data(), m_lastPacket.size(), 0,
        reinterpret_cast<const sockaddr *>(&to), sizeof to);
    m_deadlineMs = nowMs + retryMs;
}

void TftpClient::sendAck(std::uint16_t block, long long nowMs)
{
    m_lastPacket.clear();
    put16(m_lastPacket, kAck);
    put16(m_lastPacket, block);
    m_tries = 0;
    sendLast(nowMs);
}

void TftpClient::sendData(long long nowMs)
{
    const std::size_t len = std::min(kBlock, m_data.size() - m_offset);
    m_lastPacket.clear();
    put16(m_lastPacket, kData);
    put16(m_lastPacket, m_block);
    m_lastPacket.append(m_data, m_offset, len);
    m_lastBlockSent = len < kBlock;
    m_tries = 0;
    sendLast(nowMs);
}

void TftpClient::sendError(std::uint16_t code, const std::string &text)
{
    std::string packet;
    put16(packet, kError);
    put16(packet, code);
    packet += text;
    packet += '\0';
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = m_serverAddr;
    to.sin_port = m_peerPort ? m_peerPort : m_serverPort;
    ::sendto(
        m_fd, packet.data(), packet.size(), 0, reinterpret_cast<const sockaddr *>(&to), sizeof to);
}

void TftpClient::finish(bool ok, const std::string &error)
{
    ::close(m_fd);
    m_fd = -1;
    Result r;
    r.ok = ok;
    r.error = error;
    if (ok && !m_write) {
        r.data = std::move(m_data);
    }
    m_data.clear();
    Done done = std::move(m_done);
    m_done = nullptr;
    if (done) {
        done(r);
    }
}

void TftpClient::onReadable(long long nowMs)
{
    unsigned char buf[kBlock + 4 + 64];
    for (;;) {
        if (m_fd < 0) {
            return;
        }
        sockaddr_in from{};
        socklen_t fromLen = sizeof from;
        const ssize_t n =
            ::recvfrom(m_fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr *>(&from), &fromLen);
        if (n < 0) {
            if (errno == ECONNREFUSED) {
                continue; // an ICMP error; the retransmission timer decides
            }
            return;
        }
        if (from.sin_addr.s_addr != m_serverAddr || n < 4) {
            continue;
        }
        if (m_peerPort == 0) {
            if (from.sin_port == m_serverPort && get16(buf) != kError) {
                continue; // the answer comes from the server's transfer port
            }
            m_peerPort = from.sin_port;
        } else if (from.sin_port != m_peerPort) {
            // another transfer's packet: tell that sender, carry on
            std::string packet;
            put16(packet, kError);
            put16(packet, 5);
            packet += "Unknown transfer ID";
            packet += '\0';
            ::sendto(m_fd, packet.data(), packet.size(), 0,
                reinterpret_cast<const sockaddr *>(&from), fromLen);
            continue;
        }
        const std::uint16_t op = get16(buf);
        const std::uint16_t block = get16(buf + 2);
        if (op == kError) {
            std::string text(
                reinterpret_cast<const char *>(buf + 4), static_cast<std::size_t>(n - 4));
            text.erase(std::min(text.find('\0'), text.size())); // the message ends at its NUL
            finish(false, "server error " + std::to_string(block) + ": " + text);
            return;
        }
        if (!m_write && op == kData) {
            const std::uint16_t expected = static_cast<std::uint16_t>(m_block + 1);
            if (block != expected) {
                if (block == m_block) {
                    sendAck(m_block, nowMs); // our ACK was lost
                }
                continue;
            }
            const std::size_t len = static_cast<std::size_t>(n - 4);
            if (m_data.size() + len > maxFetchBytes) {
                sendError(3, "File too large");
                finish(false, "file too large");
                return;
            }
            m_data.append(reinterpret_cast<const char *>(buf + 4), len);
            m_block = block;
            if (m_breakMidway) {
                sendError(0, "Transfer aborted");
                finish(false, "transfer broken off");
                return;
            }
            sendAck(m_block, nowMs);
            if (len < kBlock) {
                finish(true, {});
                return;
            }
            continue;
        }
        if (m_write && op == kAck) {
            if (block != m_block) {
                continue; // a duplicate ACK: never resend on it (sorcerer's apprentice)
            }
            if (m_block > 0) {
                m_offset += std::min(kBlock, m_data.size() - m_offset);
                if (m_lastBlockSent) {
                    finish(true, {});
                    return;
                }
                if (m_breakMidway) {
                    sendError(0, "Transfer aborted");
                    finish(false, "transfer broken off");
                    return;
                }
            } else if (m_breakMidway && m_data.size() < kBlock) {
                // a file of one block has no middle: it breaks off before its only block
                sendError(0, "Transfer aborted");
                finish(false, "transfer broken off");
                return;
            }
            m_block = static_cast<std::uint16_t>(m_block + 1);
            sendData(nowMs);
            continue;
        }
        sendError(4, "Illegal TFTP operation");
        finish(false, "unexpected packet");
        return;
    }
}

void TftpClient::onTimer(long long nowMs)
{
    if (!busy() || nowMs < m_deadlineMs) {
        return;
    }
    if (++m_tries > retries) {
        finish(false, "timed out");
        return;
    }
    sendLast(nowMs);
}

} // namespace sim
