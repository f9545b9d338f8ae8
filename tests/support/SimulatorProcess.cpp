// The device simulator as a test subprocess.
#include "SimulatorProcess.h"

#include "ChildCheck.h"

#include <algorithm>

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSet>

namespace kvatest {

namespace {

// The quoted words of a logpdu line: "..." with \", \\ and \xHH inside; bytes decoded as UTF-8.
QStringList quotedWords(const QString &line)
{
    QStringList words;
    const QByteArray text = line.toUtf8();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '"') {
            continue;
        }
        QByteArray word;
        for (++i; i < text.size() && text[i] != '"'; ++i) {
            if (text[i] != '\\' || i + 1 >= text.size()) {
                word += text[i];
            } else if (text[i + 1] == 'x' && i + 3 < text.size()) {
                word += static_cast<char>(text.mid(i + 2, 2).toInt(nullptr, 16));
                i += 3;
            } else {
                word += text[++i];
            }
        }
        words << QString::fromUtf8(word);
    }
    return words;
}

} // namespace

QString LoggedBinding::text() const
{
    const QString object = instance.isEmpty() ? name : name + QLatin1Char('.') + instance;
    return hasValue ? object + QStringLiteral(" = ") + value : object;
}

QStringList LoggedPdu::texts() const
{
    QStringList out;
    for (const LoggedBinding &b : bindings) {
        out << b.text();
    }
    return out;
}

SimulatorProcess::SimulatorProcess() : SimulatorProcess(Options()) { }

SimulatorProcess::SimulatorProcess(Options options) : m_options(std::move(options))
{
    if (m_options.startNow) {
        start();
    }
}

SimulatorProcess::~SimulatorProcess()
{
    stop();
}

bool SimulatorProcess::start(int timeoutMs)
{
    stop();
    QString binDir = qEnvironmentVariable("KVA7310_BIN_DIR");
    if (binDir.isEmpty()) {
        // test executables live in <build>/tests, the programs in <build>/bin
        const QFileInfo self(QStringLiteral("/proc/self/exe"));
        binDir = QFileInfo(self.symLinkTarget()).dir().filePath(QStringLiteral("../bin"));
    }
    QStringList args{
        QStringLiteral("--restart-seconds"), QString::number(m_options.restartSeconds)};
    if (m_options.tftpPort > 0) {
        args << QStringLiteral("--tftp-port") << QString::number(m_options.tftpPort);
    }
    if (!m_options.statePath.isEmpty()) {
        args << QStringLiteral("--state") << m_options.statePath;
    }
    args << m_options.extraArgs;
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.setReadChannel(QProcess::StandardOutput);
    m_process.start(QDir(binDir).filePath(QStringLiteral("kva7310-sim")), args);
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("cannot start kva7310-sim: ") + m_process.errorString();
        return false;
    }
    QDeadlineTimer deadline(timeoutMs);
    while (!m_process.canReadLine()) {
        if (deadline.hasExpired() || m_process.state() != QProcess::Running) {
            m_error = QStringLiteral("no LISTENING line: ")
                + QString::fromUtf8(m_process.readAllStandardError());
            stop();
            return false;
        }
        m_process.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
    }
    const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
    const QString prefix = QStringLiteral("LISTENING ");
    const qsizetype colon = line.lastIndexOf(QLatin1Char(':'));
    if (!line.startsWith(prefix) || colon < 0) {
        m_error = QStringLiteral("unexpected first line: ") + line;
        stop();
        return false;
    }
    m_address = line.mid(prefix.size(), colon - prefix.size());
    m_port = static_cast<quint16>(line.mid(colon + 1).toUInt());
    return m_port != 0;
}

void SimulatorProcess::stop()
{
    bool ended = true;
    if (m_process.state() != QProcess::NotRunning) {
        m_process.write("quit\n");
        m_process.closeWriteChannel();
        ended = m_process.waitForFinished(5000);
        if (!ended) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    if (m_port != 0) {
        // a simulator that started must leave as it was asked to, with nothing to report
        const QByteArray err = m_process.readAllStandardError();
        EXPECT_TRUE(ended) << "kva7310-sim did not end on quit:\n" << err.toStdString();
        expectCleanEnd(m_process, err, QStringLiteral("kva7310-sim"));
    }
    m_port = 0;
}

bool SimulatorProcess::isRunning() const
{
    return m_process.state() == QProcess::Running && m_port != 0;
}

SimulatorProcess::Reply SimulatorProcess::command(const QString &line, int timeoutMs)
{
    Reply reply;
    if (!isRunning()) {
        reply.status = QStringLiteral("simulator not running");
        return reply;
    }
    m_process.write(line.toUtf8() + '\n');
    m_process.waitForBytesWritten(timeoutMs);
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        while (m_process.canReadLine()) {
            const QString text = QString::fromUtf8(m_process.readLine()).chopped(1);
            if (text == QLatin1String("OK") || text.startsWith(QLatin1String("OK "))) {
                reply.ok = true;
                reply.status = text.mid(3);
                return reply;
            }
            if (text.startsWith(QLatin1String("ERROR"))) {
                reply.status = text.mid(6);
                return reply;
            }
            reply.lines << text;
        }
        if (deadline.hasExpired() || m_process.state() != QProcess::Running) {
            reply.status = QStringLiteral("no answer");
            return reply;
        }
        m_process.waitForReadyRead(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
    }
}

QString SimulatorProcess::get(const QString &nameOrOid)
{
    const Reply r = command(QStringLiteral("get ") + nameOrOid);
    return r.ok ? r.status : QString();
}

bool SimulatorProcess::set(const QString &nameOrOid, const QString &value)
{
    return command(QStringLiteral("set ") + nameOrOid + QLatin1Char(' ') + value).ok;
}

QStringList SimulatorProcess::log()
{
    return command(QStringLiteral("log")).lines;
}

int SimulatorProcess::logCount(const QString &op)
{
    return static_cast<int>(requests(op).size());
}

int SimulatorProcess::attemptCount(const QString &op)
{
    const QList<LoggedPdu> pdus = attempts();
    return static_cast<int>(std::count_if(
        pdus.cbegin(), pdus.cend(), [&op](const LoggedPdu &p) { return p.op == op; }));
}

QList<LoggedPdu> SimulatorProcess::requests()
{
    QList<LoggedPdu> out;
    QSet<QString> seen;
    for (const LoggedPdu &pdu : attempts()) {
        const QString key =
            pdu.op + QLatin1Char(' ') + pdu.version + QLatin1Char(' ') + pdu.requestId;
        if (!seen.contains(key)) {
            seen.insert(key);
            out << pdu;
        }
    }
    return out;
}

QList<LoggedPdu> SimulatorProcess::attempts()
{
    QList<LoggedPdu> pdus;
    for (const QString &line : command(QStringLiteral("logpdu")).lines) {
        if (line.startsWith(QLatin1String("pdu "))) {
            const QStringList words = line.split(QLatin1Char(' '));
            LoggedPdu pdu;
            pdu.op = words.value(2);
            pdu.version = words.value(3);
            pdu.requestId = words.value(4);
            pdus << pdu;
            continue;
        }
        const QStringList parts = quotedWords(line);
        if (pdus.isEmpty() || parts.size() < 2) {
            continue;
        }
        LoggedBinding b;
        b.name = parts[0];
        b.instance = parts[1];
        b.hasValue = parts.size() > 2;
        b.value = parts.value(2);
        pdus.last().bindings << b;
    }
    return pdus;
}

QList<LoggedPdu> SimulatorProcess::requests(const QString &op)
{
    QList<LoggedPdu> out;
    for (const LoggedPdu &pdu : requests()) {
        if (pdu.op == op) {
            out << pdu;
        }
    }
    return out;
}

QList<QStringList> SimulatorProcess::requestTexts(const QString &op)
{
    QList<QStringList> out;
    for (const LoggedPdu &pdu : requests(op)) {
        out.append(pdu.texts());
    }
    return out;
}

bool SimulatorProcess::source(const QString &spec)
{
    return command(QStringLiteral("source ") + spec).ok;
}

void SimulatorProcess::clearLog()
{
    command(QStringLiteral("clearlog"));
}

bool SimulatorProcess::fault(const QString &spec)
{
    return command(QStringLiteral("fault ") + spec).ok;
}

bool SimulatorProcess::setTftpPort(quint16 port)
{
    return command(QStringLiteral("tftpport %1").arg(port)).ok;
}

bool SimulatorProcess::restart()
{
    return command(QStringLiteral("restart")).ok;
}

QString SimulatorProcess::installed()
{
    return command(QStringLiteral("installed")).status;
}

} // namespace kvatest
