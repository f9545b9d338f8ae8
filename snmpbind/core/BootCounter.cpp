// The SNMPv3 engine boots counter file.
#include "BootCounter.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <limits>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

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
    // never a part. Not synced to disk: after a power loss the count may go back a little, which
    // matters to no exchange the module starts, while a sync would cost every start-up milliseconds.
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open()) {
        return false;
    }
    const QByteArray text = "# SNMPv3 engine boots: <engine ID in hexadecimal> <boots>\n" + others
        + engineId.toHex() + ' ' + QByteArray::number(boots) + '\n';
    if (file.write(text) != text.size() || !file.flush()) {
        return false;
    }
    if (std::rename(
            QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData())
        != 0) {
        return false;
    }
    file.setAutoRemove(false);
    return true;
}

} // namespace bootcounter
