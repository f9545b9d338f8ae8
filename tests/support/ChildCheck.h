// Programs of this build started by tests carry the sanitizers too; what they report must fail the
// test that ran them, not vanish with their standard error.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

namespace kvatest {

/// The sanitizer report in a child's standard error, from its first line on; empty when none.
inline QString sanitizerReport(const QByteArray &err)
{
    static const char *const kMarks[] = {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer",
        "runtime error:", "ERROR: UndefinedBehaviorSanitizer", "WARNING: AddressSanitizer"};
    qsizetype first = -1;
    for (const char *mark : kMarks) {
        const qsizetype at = err.indexOf(mark);
        if (at >= 0 && (first < 0 || at < first)) {
            first = at;
        }
    }
    if (first < 0) {
        return {};
    }
    const qsizetype lineStart = err.lastIndexOf('\n', first) + 1;
    return QString::fromUtf8(err.mid(lineStart));
}

/// Fails the running test when `process`, which has ended, crashed, exited with another status
/// than `expectedExit` (-1: any), or left a sanitizer report in `err`, its standard error.
inline void expectCleanEnd(
    const QProcess &process, const QByteArray &err, const QString &what, int expectedExit = 0)
{
    const QString report = sanitizerReport(err);
    EXPECT_TRUE(report.isEmpty()) << what.toStdString() << " reported:\n" << report.toStdString();
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << what.toStdString() << " crashed:\n"
                                                          << err.toStdString();
    if (expectedExit >= 0 && process.exitStatus() == QProcess::NormalExit) {
        EXPECT_EQ(process.exitCode(), expectedExit)
            << what.toStdString() << " ended with status " << process.exitCode() << ":\n"
            << err.toStdString();
    }
}

} // namespace kvatest
