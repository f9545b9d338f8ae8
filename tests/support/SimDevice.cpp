// Starting and driving the simulated access point.
#include "SimDevice.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>

namespace kvatest {

namespace {

QString simulatorPath()
{
    QString dir = qEnvironmentVariable("KVA7310_BIN_DIR");
    if (dir.isEmpty()) {
        dir = QStringLiteral(".");
    }
    return dir + QStringLiteral("/kva7310-sim");
}

} // namespace

SimDevice::SimDevice() = default;

SimDevice::~SimDevice()
{
    if (m_process.state() == QProcess::NotRunning) {
        return;
    }
    m_process.write("quit\n");
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool SimDevice::start()
{
    m_process.setProgram(simulatorPath());
    m_process.setArguments({QStringLiteral("--port"), QStringLiteral("0")});
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    if (!m_process.waitForStarted(10000)) {
        m_error = QStringLiteral("cannot start ") + simulatorPath() + QStringLiteral(": ")
            + m_process.errorString();
        return false;
    }
    for (;;) {
        const QString line = readLine(15000);
        if (line.isNull()) {
            m_error = QStringLiteral("no LISTENING line from the simulator");
            return false;
        }
        if (line.startsWith(QLatin1String("LISTENING "))) {
            m_port = static_cast<quint16>(line.section(QLatin1Char(':'), -1).toUInt());
            return m_port != 0;
        }
    }
}

QString SimDevice::readLine(int deadlineMs)
{
    QDeadlineTimer deadline(deadlineMs);
    for (;;) {
        const qsizetype end = m_pending.indexOf('\n');
        if (end >= 0) {
            const QString line = QString::fromUtf8(m_pending.left(end)).trimmed();
            m_pending.remove(0, end + 1);
            return line;
        }
        if (deadline.hasExpired() || m_process.state() != QProcess::Running) {
            return {};
        }
        if (m_process.bytesAvailable() > 0
            || m_process.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 1000)))) {
            m_pending += m_process.readAllStandardOutput();
        }
    }
}

QStringList SimDevice::command(const QString &line)
{
    QStringList answer;
    if (m_process.state() != QProcess::Running) {
        return {QStringLiteral("ERROR not running")};
    }
    m_process.write(line.toUtf8() + '\n');
    m_process.waitForBytesWritten(3000);
    for (;;) {
        const QString l = readLine(10000);
        if (l.isNull()) {
            answer.append(QStringLiteral("ERROR no answer"));
            return answer;
        }
        answer.append(l);
        if (l == u"OK" || l.startsWith(QLatin1String("OK "))
            || l.startsWith(QLatin1String("ERROR"))) {
            return answer;
        }
    }
}

bool SimDevice::ok(const QString &line)
{
    const QStringList answer = command(line);
    return !answer.isEmpty() && answer.last().startsWith(QLatin1String("OK"));
}

QString SimDevice::get(const QString &name)
{
    const QString last = command(QStringLiteral("get ") + name).last();
    if (last.startsWith(QLatin1String("OK "))) {
        return last.mid(3);
    }
    return last == u"OK" ? QString(QLatin1String("")) : last;
}

bool SimDevice::set(const QString &name, const QString &value)
{
    return ok(QStringLiteral("set ") + name + QLatin1Char(' ') + value);
}

QStringList SimDevice::log()
{
    QStringList lines = command(QStringLiteral("log"));
    lines.removeLast();
    return lines;
}

int SimDevice::count(const QString &op)
{
    int n = 0;
    for (const QString &line : log()) {
        if (line.section(QLatin1Char(' '), 1, 1) == op) {
            ++n;
        }
    }
    return n;
}

} // namespace kvatest
