// Independent peers for the simulator tests.
#include "PeerTools.h"

#include "FreePort.h"
#include "WaitUntil.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QUdpSocket>
#include <QVariant>

namespace simtest {

namespace {

// Every run gets its own directory: the tools save SNMPv3 users with their keys there, and a later
// run would use those keys instead of the pass phrase it was given.
QProcessEnvironment toolEnvironment(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SNMPCONFPATH"), home);
    env.insert(QStringLiteral("SNMP_PERSISTENT_DIR"), home);
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("MIBS"), QString());
    env.insert(QStringLiteral("MIBDIRS"), home);
    return env;
}

} // namespace

QProcess *startSnmpTool(const QString &tool, const QStringList &args)
{
    auto *p = new QProcess;
    auto *home = new QTemporaryDir;
    p->setProperty("home", QVariant::fromValue(static_cast<void *>(home)));
    p->setProcessEnvironment(toolEnvironment(home->path()));
    p->start(tool, QStringList{QStringLiteral("-On"), QStringLiteral("-Le")} + args);
    // Until its start is taken in, the process reads as Starting even while the tool already
    // waits for its answer: a caller asking whether it still runs must see Running.
    p->waitForStarted();
    return p;
}

ToolResult finishTool(QProcess *process, int timeoutMs)
{
    ToolResult r;
    if (!process->waitForFinished(timeoutMs)) {
        process->kill();
        process->waitForFinished();
    }
    r.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    r.out = QString::fromUtf8(process->readAllStandardOutput());
    r.err = QString::fromUtf8(process->readAllStandardError());
    delete static_cast<QTemporaryDir *>(process->property("home").value<void *>());
    delete process;
    return r;
}

ToolResult runSnmpTool(const QString &tool, const QStringList &args, int timeoutMs)
{
    return finishTool(startSnmpTool(tool, args), timeoutMs);
}

QStringList v2c(const QString &target, bool write, const char *timeout)
{
    return {QStringLiteral("-v2c"), QStringLiteral("-c"),
        write ? QStringLiteral("solvane") : QStringLiteral("mirtal"), QStringLiteral("-t"),
        QString::fromLatin1(timeout), QStringLiteral("-r"), QStringLiteral("0"), target};
}

TftpServer::TftpServer()
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // A free port can be taken by a test running beside this one before in.tftpd binds it; the
    // server then exits at once, so try again on another port.
    for (int attempt = 0; attempt < 5 && !isRunning(); ++attempt) {
        m_port = kvatest::freeUdpPort();
        m_process.start(QStringLiteral("/usr/sbin/in.tftpd"),
            {QStringLiteral("-L"), QStringLiteral("-s"), m_dir.path(), QStringLiteral("-a"),
                QStringLiteral("127.0.0.1:") + QString::number(m_port), QStringLiteral("-c"),
                QStringLiteral("-p"), QStringLiteral("-u"), QStringLiteral("root"),
                QStringLiteral("-U"), QStringLiteral("000")});
        m_process.waitForStarted(5000);
        // ready once its port is taken
        kvatest::waitUntil([&] {
            QUdpSocket probe;
            return !isRunning() || !probe.bind(QHostAddress::LocalHost, m_port);
        });
        if (!isRunning()) {
            m_process.waitForFinished(1000);
        }
    }
}

TftpServer::~TftpServer()
{
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool TftpServer::writeFile(const QString &name, const QByteArray &data) const
{
    QFile f(path(name));
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

QByteArray TftpServer::readFile(const QString &name) const
{
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace simtest
