// The module as a program: refusals at launch, one module per device address, and its secrets
// kept off the process list and its standard error.
#include "CaseName.h"
#include "ChildCheck.h"
#include "SimulatorProcess.h"

#include <memory>
#include <signal.h>
#include <vector>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr char kAnotherRunning[] = "[Warning] Another KVA-7310 module is running!";

/// One kva7310-module process with a private environment; its message boxes and trace stamps
/// arrive as lines on standard error.
class Module
{
public:
    /// `scale` shortens the time-outs; the default suits addresses where nothing answers.
    Module(const QTemporaryDir &dir, const QStringList &arguments, const char *scale = "0.001")
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KVA7310_NONINTERACTIVE"), QStringLiteral("1"));
        env.insert(QStringLiteral("KVA7310_TRACE"), QStringLiteral("1"));
        env.insert(QStringLiteral("KVA7310_LOCK_DIR"), dir.filePath(QStringLiteral("lock")));
        env.insert(
            QStringLiteral("KVA7310_PLATFORM_INI"), dir.filePath(QStringLiteral("none.ini")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("SNMP_PERSISTENT_DIR"), dir.filePath(QStringLiteral("snmp")));
        // Nothing answers at these addresses: keep the start-up reads short.
        env.insert(QStringLiteral("KVA7310_TIMEOUT_SCALE"), QLatin1String(scale));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process.setProcessEnvironment(env);
        m_process.setWorkingDirectory(dir.path());
        m_process.start(
            qEnvironmentVariable("KVA7310_BIN_DIR") + QStringLiteral("/kva7310-module"), arguments);
    }

    ~Module()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    Module(const Module &) = delete;
    Module &operator=(const Module &) = delete;

    /// Waits until standard error holds `text` or the process ends.
    bool waitFor(const char *text, int ms = 20000)
    {
        QDeadlineTimer deadline(ms);
        while (!m_err.contains(text) && !deadline.hasExpired()) {
            if (m_process.state() == QProcess::NotRunning) {
                m_err += m_process.readAllStandardError();
                break;
            }
            m_process.waitForReadyRead(50);
            m_err += m_process.readAllStandardError();
        }
        return m_err.contains(text);
    }

    bool running() const { return m_process.state() == QProcess::Running; }

    /// The arguments as every local user sees them in the process list.
    QList<QByteArray> processList() const
    {
        QFile file(QStringLiteral("/proc/%1/cmdline").arg(m_process.processId()));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        QList<QByteArray> arguments = file.readAll().split('\0');
        if (!arguments.isEmpty() && arguments.back().isEmpty()) {
            arguments.removeLast(); // after the last terminator
        }
        return arguments;
    }

    /// The files the process has mapped, as /proc/<pid>/maps lists them.
    QByteArray mappedFiles() const
    {
        QFile file(QStringLiteral("/proc/%1/maps").arg(m_process.processId()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    int finish()
    {
        m_process.waitForFinished(20000);
        m_err += m_process.readAllStandardError();
        kvatest::expectCleanEnd(m_process, m_err, QStringLiteral("kva7310-module"), -1);
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    void killHard()
    {
        ::kill(static_cast<pid_t>(m_process.processId()), SIGKILL);
        m_process.waitForFinished(5000);
    }

    QByteArray errors() const { return m_err; }

private:
    QProcess m_process;
    QByteArray m_err;
};

class ModuleProcess : public testing::Test
{
protected:
    /// Points the module at the device's agent port through the device's settings file, as the
    /// platform's SNMPv2c set-up has it; the arguments to start it with.
    QStringList reachingArguments(const kvatest::SimulatorProcess &device)
    {
        if (!QDir(dir.path()).mkpath(QStringLiteral("settings"))) {
            return {};
        }
        QFile ini(dir.filePath(QStringLiteral("none.ini")));
        if (!ini.open(QIODevice::WriteOnly)) {
            return {};
        }
        ini.write("[MibFile]\nPath=" + dir.filePath(QStringLiteral("settings/")).toUtf8() + "\n");
        ini.close();
        QFile settings(dir.filePath(QStringLiteral("settings/127.0.0.1.cfg")));
        if (!settings.open(QIODevice::WriteOnly)) {
            return {};
        }
        settings.write("[Program Information]\nAgentPort=" + QByteArray::number(device.port())
            + "\nVersion=1\nSecurityModel=2\nSecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n");
        settings.close();
        return {QStringLiteral("/I127.0.0.1"), QStringLiteral("/Rmirtal"), QStringLiteral("/v1")};
    }

    QTemporaryDir dir;
};

TEST_F(ModuleProcess, OneModulePerDeviceAddress)
{
    ASSERT_TRUE(dir.isValid());
    Module first(dir, {QStringLiteral("/I127.0.0.1"), QStringLiteral("/v1")});
    Module other(dir, {QStringLiteral("/I127.0.0.2"), QStringLiteral("/v1")});
    ASSERT_TRUE(first.waitFor("trace")) << first.errors().toStdString();
    ASSERT_TRUE(first.waitFor(" locked")) << first.errors().toStdString();
    ASSERT_TRUE(other.waitFor(" locked")) << other.errors().toStdString();

    Module same(dir, {QStringLiteral("/I127.0.0.1"), QStringLiteral("/v1")});
    EXPECT_EQ(same.finish(), 1);
    EXPECT_TRUE(same.errors().contains(kAnotherRunning)) << same.errors().toStdString();
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(other.running());

    // A module killed outright leaves nothing behind that blocks the next one.
    first.killHard();
    Module again(dir, {QStringLiteral("/I127.0.0.1"), QStringLiteral("/v1")});
    EXPECT_TRUE(again.waitFor(" locked")) << again.errors().toStdString();
}

struct RefusalCase
{
    const char *name;
    QStringList arguments;
    const char *message; // the line on standard error
};

void PrintTo(const RefusalCase &c, std::ostream *out)
{
    *out << c.name;
}

class ModuleRefusal : public ModuleProcess, public testing::WithParamInterface<RefusalCase>
{ };

TEST_P(ModuleRefusal, EndsWithTheMessage)
{
    ASSERT_TRUE(dir.isValid());
    Module module(dir, GetParam().arguments);
    EXPECT_EQ(module.finish(), 1);
    EXPECT_TRUE(module.errors().contains(GetParam().message)) << module.errors().toStdString();
    EXPECT_FALSE(module.errors().contains(" locked"));
}

const RefusalCase kRefusals[] = {
    {"NoArguments", {}, "This module is only used in the Wardex or HP-Openview."},
    // A version that is no number: the start-up stops before it polls anything.
    {"NonNumericVersion", {QStringLiteral("/I127.0.0.1"), QStringLiteral("/vx")}, "\"x\" is not"},
};

INSTANTIATE_TEST_SUITE_P(Launch, ModuleRefusal, testing::ValuesIn(kRefusals), kvatest::caseName);

TEST_F(ModuleProcess, SecretsLeaveTheProcessListAndStillReachTheDevice)
{
    ASSERT_TRUE(dir.isValid());
    const QString user = QStringLiteral("opsuser");
    const QString auth = QStringLiteral("auth-Secret-1");
    const QString priv = QStringLiteral("priv-Secret-2");
    kvatest::SimulatorProcess::Options options;
    options.extraArgs = {QStringLiteral("--user"), user, QStringLiteral("--auth-proto"),
        QStringLiteral("SHA"), QStringLiteral("--auth-pass"), auth, QStringLiteral("--priv-proto"),
        QStringLiteral("AES-128"), QStringLiteral("--priv-pass"), priv,
        QStringLiteral("--read-community"), QStringLiteral("read-Secret-3"),
        QStringLiteral("--write-community"), QStringLiteral("write-Secret-4")};
    kvatest::SimulatorProcess device(options);
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    // SNMPv3 authPriv with SHA and AES-128; the communities are passed as the platform does.
    const QStringList arguments = {QStringLiteral("/I127.0.0.1"), QStringLiteral("/v3"),
        QStringLiteral("/t%1").arg(device.port()), QStringLiteral("/Rread-Secret-3"),
        QStringLiteral("/Wwrite-Secret-4"), QStringLiteral("/m3"), QStringLiteral("/l2"),
        QStringLiteral("/n") + user, QStringLiteral("/a2"), QStringLiteral("/A") + auth,
        QStringLiteral("/p2"), QStringLiteral("/P") + priv};
    const QList<QByteArray> secrets = {
        "read-Secret-3", "write-Secret-4", auth.toUtf8(), priv.toUtf8()};

    Module module(dir, arguments, "1");
    ASSERT_TRUE(module.waitFor(" shown")) << module.errors().toStdString();
    const QList<QByteArray> shown = module.processList();
    ASSERT_EQ(shown.size(), arguments.size() + 1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray given = arguments[i].toUtf8();
        const QByteArray &listed = shown[i + 1];
        if (secrets.contains(given.mid(2))) {
            EXPECT_EQ(listed, given.left(2) + QByteArray(given.size() - 2, '*'));
        } else {
            EXPECT_EQ(listed, given); // every other argument as it was given
        }
    }
    // The device is reached with what the process list no longer shows.
    EXPECT_TRUE(module.waitFor(" reachable")) << module.errors().toStdString();
    EXPECT_GT(device.logCount(QStringLiteral("get")), 0);
    EXPECT_EQ(device.requests().first().version, QStringLiteral("v3"));

    Module second(dir, arguments, "1");
    EXPECT_EQ(second.finish(), 1);
    EXPECT_TRUE(second.errors().contains(kAnotherRunning)) << second.errors().toStdString();
    EXPECT_TRUE(module.running());
    for (const QByteArray &secret : secrets) {
        EXPECT_FALSE(module.errors().contains(secret)) << secret.constData();
        EXPECT_FALSE(second.errors().contains(secret)) << secret.constData();
    }
}

TEST_F(ModuleProcess, ARefusedLaunchPrintsNoSecret)
{
    // A launch that stops at a bad number shows its message on standard error, with the trace.
    ASSERT_TRUE(dir.isValid());
    Module module(dir,
        {QStringLiteral("/I127.0.0.1"), QStringLiteral("/Rread-Secret-3"), QStringLiteral("/v3"),
            QStringLiteral("/Aauth-Secret-1"), QStringLiteral("/Ppriv-Secret-2"),
            QStringLiteral("/lx")});
    EXPECT_EQ(module.finish(), 1);
    EXPECT_TRUE(module.errors().contains("\"x\" is not")) << module.errors().toStdString();
    for (const char *secret : {"read-Secret-3", "auth-Secret-1", "priv-Secret-2"}) {
        EXPECT_FALSE(module.errors().contains(secret)) << secret;
    }
}

} // namespace

TEST_F(ModuleProcess, StartsWithoutReadingAnyImage)
{
    ASSERT_TRUE(dir.isValid());
    kvatest::SimulatorProcess device;
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    const QStringList arguments = reachingArguments(device);
    ASSERT_FALSE(arguments.isEmpty());
    Module module(dir, arguments, "1");
    ASSERT_TRUE(module.waitFor(" reachable")) << module.errors().toStdString();
    // Reading the first image file loads every image format plugin Qt has: nothing the shown
    // window draws comes from one.
    const QByteArray maps = module.mappedFiles();
    ASSERT_FALSE(maps.isEmpty());
    EXPECT_FALSE(maps.contains("/imageformats/")) << maps.constData();
}

TEST_F(ModuleProcess, RunsWithoutQtNetworkLoaded)
{
    // Loading Qt Network, and the Kerberos, proxy and resolver libraries it brings, costs every
    // start before main(): the TFTP server's sockets and lookups are the module's own.
    ASSERT_TRUE(dir.isValid());
    kvatest::SimulatorProcess device;
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    const QStringList arguments = reachingArguments(device);
    ASSERT_FALSE(arguments.isEmpty());
    Module module(dir, arguments, "1");
    ASSERT_TRUE(module.waitFor(" reachable")) << module.errors().toStdString();
    const QByteArray maps = module.mappedFiles();
    ASSERT_TRUE(maps.contains("/libQt6Core.so")) << maps.constData(); // the list is read right
    for (const char *library : {"/libQt6Network.so", "/libgssapi_krb5.so", "/libproxy.so"}) {
        EXPECT_FALSE(maps.contains(library)) << library;
    }
}
