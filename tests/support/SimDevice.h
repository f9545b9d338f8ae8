// The simulated access point for page tests: kva7310-sim on a free loopback port, driven through
// its control channel (values, faults, the request log).
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace kvatest {

class SimDevice
{
public:
    SimDevice();
    ~SimDevice();
    SimDevice(const SimDevice &) = delete;
    SimDevice &operator=(const SimDevice &) = delete;

    /// Starts the simulator and waits for its LISTENING line.
    bool start();

    bool running() const { return m_process.state() == QProcess::Running; }

    quint16 port() const { return m_port; }

    QString error() const { return m_error; }

    /// One control command; the answer's lines, the final "OK …" or "ERROR …" line last.
    QStringList command(const QString &line);
    /// True when the command's answer ends in OK.
    bool ok(const QString &line);

    /// The object's value as the simulator prints it; "ERROR …" when it has none.
    QString get(const QString &name);
    bool set(const QString &name, const QString &value);

    /// "fault silent 30", "fault seterror dot3Clear genErr", "fault clear", …
    bool fault(const QString &spec) { return ok(QStringLiteral("fault ") + spec); }

    /// The request log, one line per PDU: "seq op version request-id bindings…".
    QStringList log();
    /// PDUs of one kind ("get", "getnext", "set") in the log.
    int count(const QString &op);

    void clearLog() { ok(QStringLiteral("clearlog")); }

private:
    QString readLine(int deadlineMs);

    QProcess m_process;
    QByteArray m_pending;
    quint16 m_port = 0;
    QString m_error;
};

} // namespace kvatest
