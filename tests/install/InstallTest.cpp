// `cmake --install` of this build into a temporary directory (DESTDIR): every file where the
// layout puts it and nothing else, the installed programs running from there, the installed module
// against the simulated device, and its message catalogs taken from share/kva7310/errmsg.
#include "CaseName.h"
#include "ChildCheck.h"
#include "KvaVersion.h"
#include "RunProgram.h"
#include "SimulatorProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr char kPrefix[] = "/opt/kva7310";
const QStringList kPrograms = {QStringLiteral("kva7310-module"), QStringLiteral("kva7310-sim"),
    QStringLiteral("kva7310-snmp"), QStringLiteral("kva7310-tftpd")};

QStringList catalogNames()
{
    return QDir(qEnvironmentVariable("KVA7310_SOURCE_DIR") + QStringLiteral("/data/errmsg"))
        .entryList(QDir::Files, QDir::Name);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}

/// This build installed below a temporary DESTDIR with the prefix kPrefix.
class Installation : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), destdir());
        const kvatest::Finished installed = kvatest::runProgram(QStringLiteral(KVA_TEST_CMAKE),
            {QStringLiteral("--install"), QStringLiteral(KVA_TEST_BUILD_DIR),
                QStringLiteral("--prefix"), QLatin1String(kPrefix)},
            env);
        ASSERT_TRUE(installed.ok()) << installed.describe();
    }

    QString destdir() const { return dir.filePath(QStringLiteral("root")); }

    /// A path below the installed prefix.
    QString installed(const QString &relative) const
    {
        return destdir() + QLatin1String(kPrefix) + u'/' + relative;
    }

    QTemporaryDir dir;
};

TEST_F(Installation, PutsEveryFileInItsPlaceAndNothingElse)
{
    const QString bin = QStringLiteral(KVA_TEST_BINDIR);
    const QString catalogs = QStringLiteral(KVA_TEST_CATALOGDIR);
    const QString man = QStringLiteral(KVA_TEST_MANDIR);
    const QString doc = QStringLiteral(KVA_TEST_DOCDIR);
    QStringList expected;
    for (const QString &program : kPrograms) {
        expected << bin + u'/' + program;
    }
    const QStringList catalogFiles = catalogNames();
    ASSERT_EQ(catalogFiles.size(), 7) << catalogFiles.join(u' ').toStdString();
    for (const QString &catalog : catalogFiles) {
        expected << catalogs + u'/' + catalog;
    }
    expected << man + QStringLiteral("/man1/kva7310-module.1")
             << man + QStringLiteral("/man1/kva7310-sim.1")
             << man + QStringLiteral("/man1/kva7310-snmp.1")
             << man + QStringLiteral("/man8/kva7310-tftpd.8");
    for (const char *name : {"README.md", "README.simulator.md", "README.tftpd.md",
             "simulator-mib.md", "main-window.png", "copyright"}) {
        expected << doc + u'/' + QLatin1String(name);
    }
    for (QString &path : expected) {
        path = QLatin1String(kPrefix) + u'/' + path;
    }
    expected.sort();

    QStringList found;
    QDirIterator it(
        destdir(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found << it.next().mid(destdir().size());
    }
    found.sort();
    EXPECT_EQ(found, expected);

    for (const QString &program : kPrograms) {
        EXPECT_TRUE(QFileInfo(installed(bin + u'/' + program)).isExecutable())
            << program.toStdString();
    }
    const QString source = qEnvironmentVariable("KVA7310_SOURCE_DIR");
    for (const QString &catalog : catalogFiles) {
        EXPECT_EQ(readAll(installed(catalogs + u'/' + catalog)),
            readAll(source + QStringLiteral("/data/errmsg/") + catalog))
            << catalog.toStdString();
    }
}

TEST_F(Installation, ProgramsAnswerVersionAndHelpFromThePrefix)
{
    for (const QString &program : kPrograms) {
        SCOPED_TRACE(program.toStdString());
        const QString path = installed(QStringLiteral(KVA_TEST_BINDIR) + u'/' + program);
        const kvatest::Finished version = kvatest::runProgram(path, {QStringLiteral("--version")});
        ASSERT_TRUE(version.ok()) << version.describe();
        EXPECT_EQ(
            QString::fromUtf8(version.out), program + u' ' + QLatin1String(kva::kVersion) + u'\n');
        EXPECT_EQ(kvatest::sanitizerReport(version.err), QString());

        const kvatest::Finished help = kvatest::runProgram(path, {QStringLiteral("--help")});
        ASSERT_TRUE(help.ok()) << help.describe();
        EXPECT_TRUE(help.out.contains(program.toUtf8())) << help.out.toStdString();
        EXPECT_TRUE(help.out.contains("--version")) << help.out.toStdString();
    }
}

/// Every catalog of `from` written into `to` with `mark` in front of each message.
void markCatalogs(const QString &from, const QString &to, const QByteArray &mark)
{
    for (const QString &catalog : catalogNames()) {
        QByteArray marked;
        for (const QByteArray &line : readAll(from + u'/' + catalog).split('\n')) {
            marked += (line.trimmed().isEmpty() ? QByteArray() : mark) + line + '\n';
        }
        ASSERT_TRUE(writeAll(to + u'/' + catalog, marked)) << to.toStdString();
    }
}

/// The installed module with a private environment: no platform.ini unless the test writes one,
/// message boxes as lines on standard error, its trace stamps there too.
class InstalledModule : public Installation
{
protected:
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KVA7310_NONINTERACTIVE"), QStringLiteral("1"));
        env.insert(QStringLiteral("KVA7310_TRACE"), QStringLiteral("1"));
        env.insert(
            QStringLiteral("KVA7310_PLATFORM_INI"), dir.filePath(QStringLiteral("platform.ini")));
        env.insert(QStringLiteral("KVA7310_LOCK_DIR"), dir.filePath(QStringLiteral("lock")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    QString module() const
    {
        return installed(QStringLiteral(KVA_TEST_BINDIR) + QStringLiteral("/kva7310-module"));
    }

    /// A working directory without catalogs (the last load, without a platform installation,
    /// reads "errmsg" of the working directory).
    QString work() const
    {
        QString path = dir.filePath(QStringLiteral("work"));
        QDir().mkpath(path);
        return path;
    }
};

TEST_F(InstalledModule, ReachesTheSimulatedDevice)
{
    kvatest::SimulatorProcess device;
    ASSERT_TRUE(device.isRunning()) << device.errorText().toStdString();
    // SNMPv1 on the simulator's port, from the module settings file the platform names.
    ASSERT_TRUE(writeAll(dir.filePath(QStringLiteral("platform.ini")),
        "[MibFile]\nPath=" + dir.filePath(QStringLiteral("mbf/")).toUtf8() + "\n"));
    ASSERT_TRUE(writeAll(dir.filePath(QStringLiteral("mbf/127.0.0.1.cfg")),
        "[Program Information]\nAgentPort=" + QByteArray::number(device.port())
            + "\nVersion=0\nSecurityModel=1\nSecurityLevel=0\nAuthProtocol=0\nPrivProtocol=0\n"));

    QProcess process;
    process.setProcessEnvironment(environment());
    process.setWorkingDirectory(work());
    process.start(module(),
        {QStringLiteral("/I127.0.0.1"), QStringLiteral("/Rmirtal"), QStringLiteral("/Wsolvane"),
            QStringLiteral("/v0")});
    ASSERT_TRUE(process.waitForStarted(30000)) << process.errorString().toStdString();
    QByteArray err;
    const QDeadlineTimer deadline(60000);
    while (!err.contains(" reachable\n") && process.state() == QProcess::Running
        && !deadline.hasExpired()) {
        process.waitForReadyRead(100);
        err += process.readAllStandardError();
    }
    const bool running = process.state() == QProcess::Running;
    process.kill();
    process.waitForFinished(10000);
    err += process.readAllStandardError();
    EXPECT_TRUE(running) << err.toStdString();
    EXPECT_TRUE(err.contains(" reachable\n")) << err.toStdString();
    EXPECT_EQ(kvatest::sanitizerReport(err), QString());
    EXPECT_GT(device.logCount(QStringLiteral("get")), 0);
}

struct CatalogCase
{
    const char *name;
    bool installed;     // the installation's catalogs below share/ (marked "[installed] ")
    bool besideProgram; // catalogs in errmsg/ beside the installed program (marked "[beside] ")
    const char *shown;  // what the message's text starts with
};

void PrintTo(const CatalogCase &c, std::ostream *out)
{
    *out << c.name;
}

const CatalogCase kCatalogCases[] = {
    {"InstalledCatalogsBelowShare", true, false, "[installed] "},
    {"InstalledCatalogsReplaceThoseBesideTheProgram", true, true, "[installed] "},
    {"BesideTheProgramWhereTheInstallationHasNone", false, true, "[beside] "},
};

class InstalledModuleCatalogs : public InstalledModule,
                                public testing::WithParamInterface<CatalogCase>
{ };

// A boots counter file the engine cannot read stops the start-up with a message of the library's
// catalog, before the platform's installation directory is consulted.
TEST_P(InstalledModuleCatalogs, ShowTheirMessages)
{
    const CatalogCase &c = GetParam();
    const QString source =
        qEnvironmentVariable("KVA7310_SOURCE_DIR") + QStringLiteral("/data/errmsg");
    const QString catalogs = installed(QStringLiteral(KVA_TEST_CATALOGDIR));
    if (c.installed) {
        ASSERT_NO_FATAL_FAILURE(markCatalogs(source, catalogs, "[installed] "));
    } else {
        ASSERT_TRUE(QDir(catalogs).removeRecursively());
    }
    if (c.besideProgram) {
        ASSERT_NO_FATAL_FAILURE(markCatalogs(source,
            installed(QStringLiteral(KVA_TEST_BINDIR) + QStringLiteral("/errmsg")), "[beside] "));
    }
    ASSERT_TRUE(writeAll(dir.filePath(QStringLiteral("state/KVA-7310/VtSNMP_PP_BootCounter")),
        "not a boots counter\n"));

    const kvatest::Finished ran = kvatest::runProgram(module(),
        {QStringLiteral("/I127.0.0.1"), QStringLiteral("/v0")}, environment(), work(), 60000);
    ASSERT_TRUE(ran.started) << ran.describe();
    EXPECT_TRUE(ran.normalExit) << ran.describe();
    EXPECT_EQ(ran.exitCode, 1) << ran.describe();
    EXPECT_EQ(kvatest::sanitizerReport(ran.err), QString());
    const QByteArray box = "kva7310-module message [KVA7310Module] ";
    const QByteArray expected = box + c.shown + "(VtSNMP++) ";
    EXPECT_TRUE(ran.err.contains(expected)) << ran.describe();
}

INSTANTIATE_TEST_SUITE_P(
    Catalogs, InstalledModuleCatalogs, testing::ValuesIn(kCatalogCases), kvatest::caseName);

} // namespace
