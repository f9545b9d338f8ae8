// The SNMPv3 engine boots counter file.
#include "BootCounter.h"

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace bootcounter {

namespace {

struct Entry
{
    QByteArray engineId;
    unsigned boots = 0;
};

bool parseLine(const QByteArray &raw, Entry *entry)
{
    const QList<QByteArray> fields = raw.simplified().split(' ');
    if (fields.size() != 2 || fields[0].isEmpty() || fields[0].size() % 2 != 0) {
        return false;
    }
    for (const char c : fields[0]) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    for (const char c : fields[1]) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    bool ok = false;
    const qulonglong boots = fields[1].toULongLong(&ok);
    // engine boots is an Integer32 on the wire
    if (!ok || boots > static_cast<qulonglong>(std::numeric_limits<std::int32_t>::max())) {
        return false;
    }
    entry->engineId = QByteArray::fromHex(fields[0]);
    entry->boots = static_cast<unsigned>(boots);
    return true;
}

bool writeAll(int fd, const QByteArray &data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, std::size_t(data.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += n;
    }
    return true;
}

bool isComment(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    return t.isEmpty() || t.startsWith('#');
}

} // namespace

QString filePath(const QString &directory)
{
    if (!directory.isEmpty()) {
        return directory + QLatin1Char('/') + QLatin1String(kFileName);
    }
    if (QFileInfo(QDir::currentPath()).isWritable()) {
        return QLatin1String(kFileName);
    }
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty()) {
        state = QDir::homePath() + QLatin1String("/.local/state");
    }
    const QString dir = state + QLatin1String("/KVA-7310");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + QLatin1String(kFileName);
}

LoadResult load(const QString &path, const QByteArray &engineId, unsigned *boots)
{
    *boots = 0;
    QFile file(path);
    if (!file.exists()) {
        return LoadResult::Missing;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return LoadResult::Corrupt;
    }
    LoadResult result = LoadResult::Missing;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (isComment(line)) {
            continue;
        }
        Entry entry;
        if (!parseLine(line, &entry)) {
            return LoadResult::Corrupt;
        }
        if (entry.engineId == engineId && result == LoadResult::Missing) {
            *boots = entry.boots;
            result = LoadResult::Found;
        }
    }
    return result;
}

bool save(const QString &path, const QByteArray &engineId, unsigned boots)
{
    QByteArray others;
    QFile old(path);
    if (old.open(QIODevice::ReadOnly)) {
        while (!old.atEnd()) {
            const QByteArray line = old.readLine();
            Entry entry;
            if (!isComment(line) && parseLine(line, &entry) && entry.engineId != engineId) {
                others += entry.engineId.toHex() + ' ' + QByteArray::number(entry.boots) + '\n';
            }
        }
    }
    // Written beside the old file and renamed over it, so a reader sees the old or the new text,
    // never a part. Not synced to disk: after a power loss the count may go back (an empty file
    // counts from the start again), which matters to no exchange the module starts, while a sync
    // would cost every start-up milliseconds.
    // Plain system calls: the temporary file class costs a start-up several times as much.
    const QByteArray text = "# SNMPv3 engine boots: <engine ID in hexadecimal> <boots>\n" + others
        + engineId.toHex() + ' ' + QByteArray::number(boots) + '\n';
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary;
    int fd = -1;
    // The process id keeps two modules apart; a counter steps over what a crash left behind.
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary =
            target + '.' + QByteArray::number(::getpid()) + '.' + QByteArray::number(attempt);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) {
            return false;
        }
    }
    if (fd < 0) {
        return false;
    }
    const bool written = writeAll(fd, text);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temporary.constData());
        return false;
    }
    // The two names are exchanged rather than the new file renamed over the old one: ext4 writes
    // a file out at once when a rename replaces another (a third of a millisecond of every
    // start), and the exchange is just as atomic. The old text, now under the temporary name,
    // goes. Without an old file, or on a file system that cannot exchange, a plain rename.
    if (::renameat2(AT_FDCWD, temporary.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE)
        == 0) {
        ::unlink(temporary.constData());
        return true;
    }
    if (std::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

} // namespace bootcounter
