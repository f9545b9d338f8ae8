// Independent peers for the simulator tests: Net-SNMP's command-line tools and tftp-hpa's in.tftpd,
// each with private files in a temporary directory and loopback addresses only.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace simtest {

struct ToolResult
{
    int exitCode = -1;
    QString out;
    QString err;

    bool ok() const { return exitCode == 0; }
};

/// Runs snmpget, snmpset, snmpwalk ... with numeric output (-On), without MIB files or user config.
ToolResult runSnmpTool(const QString &tool, const QStringList &args, int timeoutMs = 30000);
/// Starts the same tool without waiting for its end (for requests that must be outstanding
/// together); it returns once the process has started.
QProcess *startSnmpTool(const QString &tool, const QStringList &args);
ToolResult finishTool(QProcess *process, int timeoutMs = 30000);

/// v2c arguments for the simulator's write community ("solvane") or read community ("mirtal").
QStringList v2c(const QString &target, bool write = false, const char *timeout = "3");

/// tftp-hpa's server on a free loopback port, serving and accepting files in its own directory.
class TftpServer
{
public:
    TftpServer();
    ~TftpServer();

    bool isRunning() const { return m_process.state() == QProcess::Running; }

    quint16 port() const { return m_port; }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    bool writeFile(const QString &name, const QByteArray &data) const;
    QByteArray readFile(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
};

} // namespace simtest
