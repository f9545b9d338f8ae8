// Waiting on a condition with a deadline while Qt's events keep flowing; never a fixed sleep.
#pragma once

#include <functional>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace kvatest {

/// Runs the event loop until `done` holds or the deadline passes; returns whether it held.
/// The condition is looked at after every event and at least every 5 ms. The deadline bounds a
/// failure, it measures nothing.
inline bool waitUntil(const std::function<bool()> &done, int deadlineMs = 10000)
{
    QDeadlineTimer deadline(deadlineMs);
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, &loop, &QEventLoop::quit);
    tick.start();
    while (!done()) {
        if (deadline.hasExpired()) {
            return done();
        }
        loop.processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

} // namespace kvatest
