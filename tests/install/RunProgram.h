// Running a program to its end for the installation tests: its output, its status, and a clear
// failure when a tool the test needs is not installed.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace kvatest {

struct Finished
{
    bool started = false;
    bool normalExit = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    bool ok() const { return started && normalExit && exitCode == 0; }

    /// Everything a failure message needs.
    std::string describe() const
    {
        return "status " + std::to_string(exitCode) + (normalExit ? "" : " (crashed)")
            + "\nstdout:\n" + out.toStdString() + "\nstderr:\n" + err.toStdString();
    }
};

/// Runs `program` until it ends (killed after `deadlineMs`, which bounds a failure only).
inline Finished runProgram(const QString &program, const QStringList &arguments,
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
    const QString &workingDirectory = QString(), int deadlineMs = 300000)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!workingDirectory.isEmpty()) {
        process.setWorkingDirectory(workingDirectory);
    }
    process.start(program, arguments);
    Finished result;
    result.started = process.waitForStarted(30000);
    if (!result.started) {
        result.err = process.errorString().toUtf8();
        return result;
    }
    process.closeWriteChannel();
    if (!process.waitForFinished(deadlineMs)) {
        process.kill();
        process.waitForFinished(5000);
    }
    result.normalExit = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

/// The full path of a tool on PATH; fails the running test, naming the Debian package that
/// provides it, when it is missing (scripts/deps.sh installs it).
inline QString requireTool(const char *name, const char *package)
{
    // PATH first; the system directories too, for a test environment whose PATH lacks sbin
    QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (found.isEmpty()) {
        found = QStandardPaths::findExecutable(QString::fromLatin1(name),
            {QStringLiteral("/usr/local/sbin"), QStringLiteral("/usr/local/bin"),
                QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin"),
                QStringLiteral("/bin")});
    }
    EXPECT_FALSE(found.isEmpty()) << name << " is not installed (Debian package " << package
                                  << "; scripts/deps.sh installs it)";
    return found;
}

} // namespace kvatest
