// One module per device address: a lock file keyed by the window caption, released by the
// kernel when the process ends however it ends.
#pragma once

#include <QString>

class InstanceLock
{
public:
    enum class Result {
        Acquired,
        AlreadyRunning, ///< another process (or another lock object) holds it
        Failed,         ///< the lock file could not be created or locked
    };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    /// KVA7310_LOCK_DIR when set, else $XDG_RUNTIME_DIR/kva7310, else /tmp/kva7310-<uid>.
    static QString directory();
    /// The lock file for a caption: a hash of its text, so any address text gives a safe name.
    static QString fileName(const QString &directory, const QString &caption);

    /// Takes the lock for the caption in directory(); held until release() or destruction.
    Result acquire(const QString &caption);
    Result acquire(const QString &directory, const QString &caption);
    void release();

    bool held() const { return m_fd >= 0; }

    /// What went wrong on Failed (the system's error text).
    QString errorText() const { return m_error; }

private:
    int m_fd = -1;
    QString m_error;
};
