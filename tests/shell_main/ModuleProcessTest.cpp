// The module as a program: refusals at launch and one module per device address.
#include "CaseName.h"
#include "ChildCheck.h"

#include <memory>
#include <signal.h>
#include <vector>

#include <QDeadlineTimer>
#include <QDir>
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
    Module(const QTemporaryDir &dir, const QStringList &arguments)
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
        env.insert(QStringLiteral("KVA7310_TIMEOUT_SCALE"), QStringLiteral("0.001"));
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

} // namespace
