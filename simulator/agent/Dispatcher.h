// The SNMP side of the simulator: one Net-SNMP server session (Net-SNMP encodes, decodes and runs USM
// as the authoritative engine); every PDU is answered here, from the device model, and this class
// decides when each answer leaves: at once, later (delays, refresh collection), when a TFTP transfer
// has ended, or never (silence, restarts, drops). Other requests keep being answered meanwhile.
#pragma once

#include "agent/Options.h"
#include "model/Behaviours.h"
#include "model/Faults.h"
#include "model/RequestLog.h"
#include "tftp/TftpClient.h"

#include <csignal>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

struct snmp_session;
struct snmp_pdu;
struct variable_list;
struct netsnmp_transport_s;

namespace sim {

class Dispatcher
{
public:
    Dispatcher(AgentOptions options, Behaviours &behaviours, Faults &faults, RequestLog &log);
    ~Dispatcher();
    Dispatcher(const Dispatcher &) = delete;
    Dispatcher &operator=(const Dispatcher &) = delete;

    /// Sets Net-SNMP up with its files in `workDir` and opens the agent's socket.
    bool open(const std::string &workDir, std::string &error);

    int port() const { return m_port; }

    /// Runs until stop(): SNMP, the TFTP client, timers, and `control` for each line read on `inputFd`
    /// (EOF on it ends the loop). `control` returns the answer to print on stdout.
    void run(int inputFd, const std::function<std::string(const std::string &)> &control);

    void stop() { m_stopping = true; }

    /// A flag a signal handler sets to end the loop.
    void setStopFlag(volatile std::sig_atomic_t *flag) { m_stopFlag = flag; }

    /// The device restarts now: silent for the restart time, then uptime from zero.
    void restartNow();

    long long nowMs() const;

    /// Where the device's TFTP client sends its requests from now on.
    void setTftpPort(int port) { m_options.tftpPort = port; }

    /// Called by Net-SNMP for each received PDU.
    int received(snmp_session *session, snmp_pdu *pdu);

private:
    struct Outgoing
    {
        snmp_pdu *pdu = nullptr;
        long long dueMs = 0;
        std::string key;
        bool restartAfter = false;
        bool cache = false;
    };

    struct Waiting
    {
        snmp_pdu *pdu = nullptr; // the response, still to be filled
        std::string key;
        bool command = false;            // a transfer command is in this PDU
        std::vector<long long> installs; // install commands waiting for the transfer
        bool restart = false;
        int commandIndex = 0;
        int installIndex = 0;
    };

    struct Cached
    {
        long errstat = 0;
        long errindex = 0;
        variable_list *vars = nullptr;
    };

    void answerRead(snmp_pdu *request, snmp_pdu *response);
    void answerBulk(snmp_pdu *request, snmp_pdu *response);
    void answerSet(snmp_pdu *response, const std::string &key);
    void schedule(snmp_pdu *response, const std::string &key, int extraDelayMs, bool restartAfter,
        bool cache);
    void startTransfer(const TransferRequest &request);
    void transferDone(const TftpClient::Result &result);
    void sendDue();
    void finishRestart();
    void remember(const std::string &key, const snmp_pdu *response);
    void setError(snmp_pdu *response, ErrorStatus status, int index);

    AgentOptions m_options;
    Behaviours &m_behaviours;
    Faults &m_faults;
    RequestLog &m_log;
    TftpClient m_tftp;
    snmp_session *m_session = nullptr;
    netsnmp_transport_s *m_transport = nullptr;
    int m_port = 0;
    bool m_stopping = false;
    volatile std::sig_atomic_t *m_stopFlag = nullptr;
    long long m_restartUntilMs = -1; // restarting until then
    long long m_startMs = 0;
    std::vector<Outgoing> m_outgoing;
    std::deque<Waiting> m_waiting;
    std::set<std::string> m_inProgress;
    std::map<std::string, Cached> m_cache;
    std::deque<std::string> m_cacheOrder;
};

} // namespace sim
