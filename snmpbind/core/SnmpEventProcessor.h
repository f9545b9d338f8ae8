// The event pump: a GUI-thread timer (20 ms by default) that lets the SNMP library process
// answers, time-outs and retransmissions of asynchronous exchanges; asynchronous completions run
// inside it and nowhere else. The timer ticks only while an exchange is outstanding: a send starts
// it, and the pass that leaves nothing outstanding stops it, so an idle module never wakes for it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

class QSocketNotifier;
class QTimer;

class SnmpEventProcessor
{
public:
    static SnmpEventProcessor &Instance();

    /// Lets the pump run: its timer ticks from now on whenever an exchange is outstanding.
    void Start();
    void Stop();
    bool IsActive() const;
    /// Whether the timer is ticking now (started, and an exchange outstanding).
    bool IsTicking() const;

    /// The tick period in milliseconds (tests shorten it).
    void SetInterval(int ms);

    int Interval() const { return m_interval; }

    /// One pass of the pump; does nothing when called from inside a pass. The timer disables
    /// itself for the pass, so ticks never nest.
    void Process();
    /// The same pass, called by the read notification of socket `fd`.
    void Process(int fd);

    /// Watches the sockets of the asynchronous handles, so an answer runs the pump at once, and
    /// starts the tick for an exchange just sent. Called after every asynchronous send.
    void WatchSockets();

    SnmpEventProcessor(const SnmpEventProcessor &) = delete;
    SnmpEventProcessor &operator=(const SnmpEventProcessor &) = delete;

private:
    SnmpEventProcessor() = default;
    ~SnmpEventProcessor() = default;
    void ensureTimer();
    /// Ticks while started and an exchange is outstanding; stopped otherwise.
    void updateTick();
    void release();
    static void releaseAtExit();

    QTimer *m_timer = nullptr;
    std::map<int, std::unique_ptr<QSocketNotifier>> m_notifiers;
    int m_interval = 20;
    bool m_wanted = false;
    bool m_busy = false;
    /// The adapter's socket set the notifiers were made for; none yet.
    std::uint64_t m_watchedVersion = ~std::uint64_t(0);
};
