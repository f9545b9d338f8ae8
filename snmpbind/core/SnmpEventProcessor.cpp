// The event pump of asynchronous exchanges.
#include "SnmpEventProcessor.h"

#include "netsnmp/NetSnmpAdapter.h"

#include <algorithm>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

SnmpEventProcessor &SnmpEventProcessor::Instance()
{
    static SnmpEventProcessor *processor = new SnmpEventProcessor;
    return *processor;
}

void SnmpEventProcessor::releaseAtExit()
{
    Instance().release();
}

void SnmpEventProcessor::release()
{
    // Qt objects must go with the application object, not at static destruction
    m_notifiers.clear();
    m_watchedVersion = ~std::uint64_t(0);
    delete m_timer;
    m_timer = nullptr;
    netsnmp::Adapter::instance().closeAll();
}

void SnmpEventProcessor::ensureTimer()
{
    if (m_timer != nullptr || QCoreApplication::instance() == nullptr) {
        return;
    }
    m_timer = new QTimer;
    m_timer->setInterval(m_interval);
    QObject::connect(m_timer, &QTimer::timeout, [this] { Process(); });
    qAddPostRoutine(&SnmpEventProcessor::releaseAtExit);
}

void SnmpEventProcessor::Start()
{
    m_wanted = true;
    ensureTimer();
    updateTick();
}

void SnmpEventProcessor::Stop()
{
    m_wanted = false;
    if (m_timer != nullptr) {
        m_timer->stop();
    }
}

bool SnmpEventProcessor::IsActive() const
{
    return m_wanted;
}

bool SnmpEventProcessor::IsTicking() const
{
    return m_timer != nullptr && m_timer->isActive();
}

void SnmpEventProcessor::updateTick()
{
    if (m_timer == nullptr) {
        return;
    }
    const netsnmp::Adapter &adapter = netsnmp::Adapter::instance();
    const bool wanted = m_wanted && adapter.started() && adapter.outstanding();
    if (wanted && !m_timer->isActive()) {
        m_timer->start();
    } else if (!wanted && m_timer->isActive()) {
        m_timer->stop();
    }
}

void SnmpEventProcessor::SetInterval(int ms)
{
    m_interval = ms;
    if (m_timer != nullptr) {
        m_timer->setInterval(ms);
    }
}

void SnmpEventProcessor::Process()
{
    Process(-1);
}

void SnmpEventProcessor::Process(int fd)
{
    if (m_busy) {
        return;
    }
    m_busy = true;
    // A pass run by an answer leaves a ticking timer alone: restarting it for every answer of a
    // busy walk costs more than the pass; m_busy keeps a tick from nesting all the same.
    const bool ticking = fd < 0 && IsTicking();
    if (ticking) {
        m_timer->stop();
    }
    netsnmp::Adapter &adapter = netsnmp::Adapter::instance();
    if (adapter.started()) {
        adapter.process();
    }
    m_busy = false;
    WatchSockets();
}

void SnmpEventProcessor::WatchSockets()
{
    if (QCoreApplication::instance() == nullptr) {
        return;
    }
    ensureTimer();
    netsnmp::Adapter &adapter = netsnmp::Adapter::instance();
    if (adapter.asyncSocketsVersion() != m_watchedVersion) {
        const std::vector<int> fds = adapter.asyncSockets();
        for (auto it = m_notifiers.begin(); it != m_notifiers.end();) {
            if (std::find(fds.begin(), fds.end(), it->first) == fds.end()) {
                it = m_notifiers.erase(it);
            } else {
                ++it;
            }
        }
        for (const int fd : fds) {
            if (m_notifiers.count(fd) != 0) {
                continue;
            }
            auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            QObject::connect(
                notifier.get(), &QSocketNotifier::activated, [this, fd] { Process(fd); });
            m_notifiers.emplace(fd, std::move(notifier));
        }
        m_watchedVersion = adapter.asyncSocketsVersion();
    }
    // inside a pass the tick is settled when the pass ends
    if (!m_busy) {
        updateTick();
    }
}
