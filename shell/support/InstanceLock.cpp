// One module per device address: a lock file keyed by the window caption, released by the
// kernel when the process ends however it ends.
#include "InstanceLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace {

QString systemError(const char *what, int error)
{
    return QString::fromLatin1(what) + QStringLiteral(": ")
        + QString::fromLocal8Bit(std::strerror(error));
}

/// Creates the directory when missing. A shared parent such as /tmp is only trusted when the
/// directory is ours, a real directory and closed to others.
bool prepareDirectory(const QString &directory, QString *error)
{
    const QByteArray path = QFile::encodeName(directory);
    const qsizetype slash = directory.lastIndexOf(u'/');
    if (slash > 0) {
        QDir().mkpath(directory.left(slash));
    }
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        *error = systemError("Cannot create the lock directory", errno);
        return false;
    }

    struct stat st
    { };

    if (::lstat(path.constData(), &st) != 0) {
        *error = systemError("Cannot inspect the lock directory", errno);
        return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::getuid()
        || (st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        *error = QStringLiteral("The lock directory is not a private directory of this user: ")
            + directory;
        return false;
    }
    return true;
}

} // namespace

InstanceLock::~InstanceLock()
{
    release();
}

QString InstanceLock::directory()
{
    QString named = qEnvironmentVariable("KVA7310_LOCK_DIR");
    if (!named.isEmpty()) {
        return named;
    }
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        return runtime + QStringLiteral("/kva7310");
    }
    return QStringLiteral("/tmp/kva7310-") + QString::number(::getuid());
}

QString InstanceLock::fileName(const QString &directory, const QString &caption)
{
    const QByteArray hash = QCryptographicHash::hash(caption.toUtf8(), QCryptographicHash::Sha256);
    return directory + u'/' + QString::fromLatin1(hash.toHex().left(32)) + QStringLiteral(".lock");
}

InstanceLock::Result InstanceLock::acquire(const QString &caption)
{
    return acquire(directory(), caption);
}

InstanceLock::Result InstanceLock::acquire(const QString &directory, const QString &caption)
{
    release();
    m_error.clear();
    if (!prepareDirectory(directory, &m_error)) {
        return Result::Failed;
    }
    const QByteArray path = QFile::encodeName(fileName(directory, caption));
    // Close-on-exec: a program the module starts must not inherit, and so keep, the lock.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = systemError("Cannot open the lock file", errno);
        return Result::Failed;
    }
    int rc = 0;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            return Result::AlreadyRunning;
        }
        m_error = systemError("Cannot lock the lock file", error);
        return Result::Failed;
    }
    // The caption in the file helps whoever looks at a lock directory; the lock is the flock.
    const QByteArray text = caption.toUtf8() + '\n';
    if (::ftruncate(fd, 0) == 0) {
        [[maybe_unused]] const ssize_t written =
            ::write(fd, text.constData(), static_cast<size_t>(text.size()));
    }
    m_fd = fd;
    return Result::Acquired;
}

void InstanceLock::release()
{
    if (m_fd >= 0) {
        ::close(m_fd); // closing the only descriptor drops the lock
        m_fd = -1;
    }
}
