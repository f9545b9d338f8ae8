// The device simulator as a subprocess for tests: starts build/bin/kva7310-sim, knows its port and
// talks to its control channel.
//
//     kvatest::SimulatorProcess device;              // started, fails the test if it cannot start
//     ASSERT_TRUE(device.isRunning());
//     device.set("hDefaultGateway", "10.9.9.9");      // seed values by MIB name (or OID)
//     ... point the code under test at device.address() / device.port() ...
//     EXPECT_EQ(device.get("sysName"), "AP-1");
//     EXPECT_EQ(device.logCount("set"), 1);           // request log: PDUs the device received
//     EXPECT_EQ(device.requests("set")[0].texts(),    // ... each PDU's bindings, whole
//         QStringList{"dot11Ssid.1 = Lab AP"});
//     device.source("neighbours add 0022A1B2C3D4 ssid=\"Lab AP\"");  // what a refresh finds
//     device.fault("silent 3");                       // faults: see `help` of the simulator
//
// Defaults: communities "mirtal" (read) and "solvane" (write), restart time 1 s (Options). The
// process ends when the object goes (quit on its control channel, killed if it does not go).
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace kvatest {

/// One binding of a logged PDU. `name` is the MIB name ("dot11Ssid") and `instance` its suffix
/// without the leading dot ("1", "0", "1.3"); a binding the device serves nothing at carries its
/// numeric OID as `name` and an empty instance. `value`, in the simulator's text form (MAC as 12 hex
/// digits), is empty for reads.
struct LoggedBinding
{
    QString name;
    QString instance;
    QString value;
    bool hasValue = false; // a SET binding

    /// "name.instance = value", without " = value" for a read (the name alone without instance).
    QString text() const;
};

struct LoggedPdu
{
    QString op;      // get, getnext, getbulk, set, other
    QString version; // v1, v2c, v3
    QString requestId;
    QList<LoggedBinding> bindings;

    /// text() of each binding, in order.
    QStringList texts() const;
};

class SimulatorProcess
{
public:
    struct Options
    {
        int restartSeconds = 1;
        int tftpPort = 0;      // 0: the simulator's default (69)
        QString statePath;     // --state FILE
        QStringList extraArgs; // anything else (--user ..., --read-community ...)
        bool startNow = true;
    };

    /// The answer to one control command: ok for "OK ...", the text after OK/ERROR in `status`, and
    /// the lines printed before it.
    struct Reply
    {
        bool ok = false;
        QString status;
        QStringList lines;
    };

    SimulatorProcess();
    explicit SimulatorProcess(Options options);
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess &) = delete;
    SimulatorProcess &operator=(const SimulatorProcess &) = delete;

    /// Starts the simulator and waits for its LISTENING line; false (with errorText()) otherwise.
    bool start(int timeoutMs = 15000);
    void stop();
    bool isRunning() const;

    QString errorText() const { return m_error; }

    QString address() const { return m_address; }

    quint16 port() const { return m_port; }

    /// "127.0.0.1:<port>", as snmpget and friends take it.
    QString target() const { return m_address + QLatin1Char(':') + QString::number(m_port); }

    /// Runs one control command and waits for its answer.
    Reply command(const QString &line, int timeoutMs = 15000);

    /// A value in the simulator's text form (MAC as 12 hex digits); empty on error.
    QString get(const QString &nameOrOid);
    /// Writes a value as the device would hold it, without the device's checks or actions.
    bool set(const QString &nameOrOid, const QString &value);
    /// Request log lines "seq op version request-id bindings..." (a value holding a blank splits:
    /// requests() keeps every binding whole).
    QStringList log();
    /// Requests of operation `op` the device received; a retry of one (the same request-id, sent
    /// again because the answer was slow or lost) is the same request.
    int logCount(const QString &op);
    /// PDUs of operation `op` that reached the device, retries included.
    int attemptCount(const QString &op);
    /// Every request since clearLog(), in order, a retry not counted again; only those of one op
    /// ("get", "getnext", "set", ...).
    QList<LoggedPdu> requests();
    QList<LoggedPdu> requests(const QString &op);
    /// The requests of operation `op`, each as its bindings' texts ("name.index = value").
    QList<QStringList> requestTexts(const QString &op);
    /// Every PDU since clearLog(), retries included (what went over the wire).
    QList<LoggedPdu> attempts();
    /// A source command without its "source": "neighbours add 0022A1B2C3D4 ch=6 ssid=\"Lab AP\"".
    bool source(const QString &spec);
    void clearLog();
    /// "silent 3", "delay 500", "wrongtype sysName", "clear", ...
    bool fault(const QString &spec);
    bool restart();
    /// Where the device's TFTP client sends its requests from now on.
    bool setTftpPort(quint16 port);
    /// "kind name size checksum" of the last installed file, or "none".
    QString installed();

private:
    Options m_options;
    QProcess m_process;
    QString m_address;
    quint16 m_port = 0;
    QString m_error;
    QByteArray m_buffer;
};

} // namespace kvatest
