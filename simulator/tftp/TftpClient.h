// The device's TFTP client: one transfer at a time, octet mode, 512-byte blocks, non-blocking and
// driven by the agent's event loop (poll on fd(), then onReadable() / onTimer()).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace sim {

class TftpClient
{
public:
    struct Result
    {
        bool ok = false;
        std::string data;  // the fetched file
        std::string error; // why it failed
    };

    using Done = std::function<void(const Result &)>;

    TftpClient() = default;
    ~TftpClient();
    TftpClient(const TftpClient &) = delete;
    TftpClient &operator=(const TftpClient &) = delete;

    /// Starts a fetch (`write` false) or a store of `data`; false when it cannot start (then `done`
    /// is not called). With `breakMidway` the transfer stops with an error after its first block.
    bool start(const std::string &server, std::uint16_t port, bool write,
        const std::string &fileName, std::string data, bool breakMidway, long long nowMs,
        Done done);

    bool busy() const { return m_fd >= 0; }

    int fd() const { return m_fd; }

    /// When onTimer() wants to run next (ms on the same clock), or -1 when idle.
    long long deadlineMs() const { return busy() ? m_deadlineMs : -1; }

    void onReadable(long long nowMs);
    void onTimer(long long nowMs);

    int retryMs = 1000;
    int retries = 5;
    std::size_t maxFetchBytes = 64U << 20;

private:
    void sendLast(long long nowMs);
    void sendData(long long nowMs);
    void sendAck(std::uint16_t block, long long nowMs);
    void sendError(std::uint16_t code, const std::string &text);
    void finish(bool ok, const std::string &error);

    int m_fd = -1;
    bool m_write = false;
    bool m_breakMidway = false;
    std::uint32_t m_serverAddr = 0; // network order
    std::uint16_t m_serverPort = 0; // network order, the request port
    std::uint16_t m_peerPort = 0;   // network order, the transfer port once known (0 before)
    std::string m_data;
    std::size_t m_offset = 0;     // store: bytes of m_data acknowledged
    std::uint16_t m_block = 0;    // last block sent (store) or received (fetch)
    bool m_lastBlockSent = false; // store: the short block is out
    std::string m_lastPacket;
    long long m_deadlineMs = 0;
    int m_tries = 0;
    Done m_done;
};

} // namespace sim
