// The Debian package cpack builds from this build tree (the one the tests run in; scripts/package
// builds the real one from a release build): its name, control fields, dependencies, files and
// post-installation step; and, where the test runs as root, dpkg -i, the programs in the package's
// bin directory, and dpkg -r taking every file away again.
#include "CaseName.h"
#include "ChildCheck.h"
#include "KvaVersion.h"
#include "RunProgram.h"
#include "SnmpToolArgs.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kPackage = QStringLiteral("kva7310");
const QString kPrefix = QStringLiteral(KVA_TEST_PACKAGE_PREFIX);

/// The files the package installs, below its prefix, sorted.
QStringList expectedFiles()
{
    QStringList files;
    const QString bin = QStringLiteral(KVA_TEST_BINDIR);
    for (const char *program : {"kva7310-module", "kva7310-sim", "kva7310-snmp", "kva7310-tftpd"}) {
        files << bin + u'/' + QLatin1String(program);
    }
    const QStringList catalogs =
        QDir(qEnvironmentVariable("KVA7310_SOURCE_DIR") + QStringLiteral("/data/errmsg"))
            .entryList(QDir::Files);
    for (const QString &catalog : catalogs) {
        files << QStringLiteral(KVA_TEST_CATALOGDIR) + u'/' + catalog;
    }
    const QString man = QStringLiteral(KVA_TEST_MANDIR);
    files << man + QStringLiteral("/man1/kva7310-module.1")
          << man + QStringLiteral("/man1/kva7310-sim.1")
          << man + QStringLiteral("/man1/kva7310-snmp.1")
          << man + QStringLiteral("/man8/kva7310-tftpd.8");
    for (const char *name : {"README.md", "README.simulator.md", "README.tftpd.md",
             "simulator-mib.md", "main-window.png", "copyright"}) {
        files << QStringLiteral(KVA_TEST_DOCDIR) + u'/' + QLatin1String(name);
    }
    for (QString &file : files) {
        file = kPrefix + u'/' + file;
    }
    files.sort();
    return files;
}

QString text(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes).trimmed();
}

/// The package, built by cpack into a temporary directory.
class Package : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        dpkgDeb = kvatest::requireTool("dpkg-deb", "dpkg");
        const QString dpkg = kvatest::requireTool("dpkg", "dpkg");
        // CPACK_DEBIAN_PACKAGE_SHLIBDEPS runs it
        const QString shlibdeps = kvatest::requireTool("dpkg-shlibdeps", "dpkg-dev");
        ASSERT_FALSE(dpkgDeb.isEmpty() || dpkg.isEmpty() || shlibdeps.isEmpty());
        const kvatest::Finished arch =
            kvatest::runProgram(dpkg, {QStringLiteral("--print-architecture")});
        ASSERT_TRUE(arch.ok()) << arch.describe();
        architecture = text(arch.out);

        const QString out = dir.filePath(QStringLiteral("out"));
        const kvatest::Finished built = kvatest::runProgram(QStringLiteral(KVA_TEST_CPACK),
            {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                QStringLiteral(KVA_TEST_BUILD_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
                out});
        ASSERT_TRUE(built.ok()) << built.describe();
        deb = out + u'/' + kPackage + u'_' + QLatin1String(kva::kVersion) + u'_' + architecture
            + QStringLiteral(".deb");
        ASSERT_TRUE(QFileInfo(deb).isFile()) << deb.toStdString() << " missing; cpack said:\n"
                                             << built.out.toStdString();
    }

    QString field(const char *name) const
    {
        const kvatest::Finished shown =
            kvatest::runProgram(dpkgDeb, {QStringLiteral("--field"), deb, QLatin1String(name)});
        EXPECT_TRUE(shown.ok()) << shown.describe();
        return text(shown.out);
    }

    QTemporaryDir dir;
    QString dpkgDeb;
    QString architecture;
    QString deb;
};

TEST_F(Package, CarriesItsControlFieldsDependenciesAndInstallStep)
{
    EXPECT_EQ(field("Package"), kPackage);
    EXPECT_EQ(field("Version"), QLatin1String(kva::kVersion));
    EXPECT_EQ(field("Architecture"), architecture);
    EXPECT_EQ(field("Section"), QStringLiteral("net"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^.+ <[^ ]+@[^ ]+>$"))
                    .match(field("Maintainer"))
                    .hasMatch())
        << field("Maintainer").toStdString();
    const QString description = field("Description");
    EXPECT_TRUE(description.contains(QStringLiteral("KVA-7310"))) << description.toStdString();
    EXPECT_GT(description.count(u'\n'), 2) << "a summary and a long description";
    for (const QString &line : description.split(u'\n')) {
        EXPECT_LT(line.size(), 80)
            << "dpkg shows description lines unwrapped: " << line.toStdString();
    }

    // computed by dpkg-shlibdeps from the programs' libraries
    const QString depends = field("Depends");
    for (const char *library : {"libc6", "libqt6core6", "libqt6widgets6", "libsnmp"}) {
        EXPECT_TRUE(depends.contains(QLatin1String(library)))
            << library << " missing from: " << depends.toStdString();
    }
    // no program of the package links Qt Network: its sockets are the module's own
    EXPECT_FALSE(depends.contains(QStringLiteral("libqt6network6"))) << depends.toStdString();
    EXPECT_TRUE(field("Recommends").contains(QStringLiteral("libcap2-bin")));

    // the post-installation step is the one this build configured, and executable
    const QString control = dir.filePath(QStringLiteral("control"));
    const kvatest::Finished extracted =
        kvatest::runProgram(dpkgDeb, {QStringLiteral("--control"), deb, control});
    ASSERT_TRUE(extracted.ok()) << extracted.describe();
    QFile packaged(control + QStringLiteral("/postinst"));
    QFile configured(QStringLiteral(KVA_TEST_BUILD_DIR "/packaging/postinst"));
    ASSERT_TRUE(packaged.open(QIODevice::ReadOnly));
    ASSERT_TRUE(configured.open(QIODevice::ReadOnly));
    EXPECT_EQ(packaged.readAll(), configured.readAll());
    EXPECT_TRUE(QFileInfo(packaged).isExecutable());
}

TEST_F(Package, HoldsEveryFileBelowItsPrefix)
{
    const kvatest::Finished listed =
        kvatest::runProgram(dpkgDeb, {QStringLiteral("--contents"), deb});
    ASSERT_TRUE(listed.ok()) << listed.describe();
    QStringList files;
    QStringList modes;
    for (const QString &line : QString::fromUtf8(listed.out).split(u'\n', Qt::SkipEmptyParts)) {
        // "-rwxr-xr-x root/root 123 2024-01-01 00:00 ./usr/bin/kva7310-module"
        const QStringList columns = line.split(u' ', Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 6) << line.toStdString();
        if (!columns.front().startsWith(u'd')) {
            files << columns.back().mid(1); // without the leading "."
            modes << columns.front() + u' ' + columns[1] + u' ' + columns.back();
        }
    }
    files.sort();
    EXPECT_EQ(files, expectedFiles());
    for (const QString &mode : modes) {
        EXPECT_TRUE(mode.contains(QStringLiteral(" root/root "))) << mode.toStdString();
        const bool program = mode.contains(QStringLiteral("/" KVA_TEST_BINDIR "/"));
        EXPECT_EQ(mode.startsWith(QStringLiteral("-rwxr-xr-x")), program) << mode.toStdString();
    }
}

struct PostInstallCase
{
    const char *name;
    const char *setcap; // the fake setcap's shell body; nullptr: none on PATH
    const char *notice; // what the step says
    const char *stream; // "out" or "err"
};

void PrintTo(const PostInstallCase &c, std::ostream *out)
{
    *out << c.name;
}

const PostInstallCase kPostInstall[] = {
    {"GrantsTheCapability", "exit 0", "may bind UDP port 69 (cap_net_bind_service)", "out"},
    {"SetcapMissing", nullptr, "setcap not found (package libcap2-bin)", "err"},
    {"SetcapFails", "exit 1", "setcap failed", "err"},
};

class PostInstall : public testing::TestWithParam<PostInstallCase>
{ };

// The step as dpkg runs it, with a setcap of the test's own on PATH: it never touches the real
// file, and whatever setcap does, the installation succeeds.
TEST_P(PostInstall, SucceedsAndSaysWhatHappened)
{
    const PostInstallCase &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString bash = kvatest::requireTool("bash", "bash");
    ASSERT_FALSE(bash.isEmpty());
    const QString bin = dir.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString calls = dir.filePath(QStringLiteral("calls"));
    if (c.setcap != nullptr) {
        QFile fake(bin + QStringLiteral("/setcap"));
        ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
        fake.write(
            "#!" + bash.toUtf8() + "\necho \"$@\" >>" + calls.toUtf8() + "\n" + c.setcap + "\n");
        fake.close();
        fake.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"), bin);
    const kvatest::Finished ran = kvatest::runProgram(bash,
        {QStringLiteral(KVA_TEST_BUILD_DIR "/packaging/postinst"), QStringLiteral("configure")},
        env);
    ASSERT_TRUE(ran.ok()) << ran.describe();
    const QByteArray said = QByteArrayView(c.stream) == "out" ? ran.out : ran.err;
    EXPECT_TRUE(said.contains(c.notice)) << ran.describe();
    if (c.setcap != nullptr) {
        QFile called(calls);
        ASSERT_TRUE(called.open(QIODevice::ReadOnly));
        EXPECT_EQ(called.readAll(),
            "cap_net_bind_service=+ep " + kPrefix.toUtf8() + '/' + KVA_TEST_BINDIR
                + "/kva7310-module\n");
    }
}

INSTANTIATE_TEST_SUITE_P(Setcap, PostInstall, testing::ValuesIn(kPostInstall), kvatest::caseName);

/// dpkg's state of the package: "ii" installed, "" unknown to dpkg.
QString packageState()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const kvatest::Finished state = kvatest::runProgram(QStringLiteral("dpkg-query"),
        {QStringLiteral("-W"), QStringLiteral("-f=${db:Status-Abbrev}"), kPackage}, env);
    return state.ok() ? text(state.out) : QString();
}

/// dpkg -i and dpkg -r on this machine: only as root, and only where the package is not installed
/// already (an installation that is not the test's stays as it is).
class InstalledPackage : public Package
{
protected:
    void SetUp() override
    {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "dpkg -i and dpkg -r need root";
        }
        if (!packageState().isEmpty() && packageState() != QStringLiteral("un")) {
            GTEST_SKIP() << "kva7310 is on this machine already (" << packageState().toStdString()
                         << "); the test leaves it alone";
        }
        Package::SetUp();
    }

    void TearDown() override
    {
        // whatever failed above, the package does not stay
        if (m_installing && !packageState().isEmpty() && packageState() != QStringLiteral("un")) {
            const kvatest::Finished purged =
                kvatest::runProgram(QStringLiteral("dpkg"), {QStringLiteral("--purge"), kPackage});
            EXPECT_TRUE(purged.ok()) << purged.describe();
        }
    }

    bool m_installing = false;
};

TEST_F(InstalledPackage, InstallsRunsFromItsBinDirectoryAndRemovesEveryFile)
{
    m_installing = true;
    const kvatest::Finished installed =
        kvatest::runProgram(QStringLiteral("dpkg"), {QStringLiteral("-i"), deb});
    ASSERT_TRUE(installed.ok()) << installed.describe();
    EXPECT_TRUE(installed.out.contains("may bind UDP port 69")) << installed.describe();

    const kvatest::Finished listed =
        kvatest::runProgram(QStringLiteral("dpkg"), {QStringLiteral("-L"), kPackage});
    ASSERT_TRUE(listed.ok()) << listed.describe();
    QStringList files;
    QStringList ownDirectories;
    for (const QString &path : QString::fromUtf8(listed.out).split(u'\n', Qt::SkipEmptyParts)) {
        if (QFileInfo(path).isFile()) {
            files << path;
        } else if (QFileInfo(path).fileName().startsWith(kPackage)) {
            ownDirectories << path; // share/kva7310, share/doc/kva7310
        }
    }
    files.sort();
    EXPECT_EQ(files, expectedFiles());
    EXPECT_EQ(ownDirectories.size(), 2) << ownDirectories.join(u' ').toStdString();

    const QString bin = kPrefix + QStringLiteral("/" KVA_TEST_BINDIR "/");
    const QString getcap = kvatest::requireTool("getcap", "libcap2-bin");
    if (!getcap.isEmpty()) {
        const kvatest::Finished caps =
            kvatest::runProgram(getcap, {bin + QStringLiteral("kva7310-module")});
        EXPECT_TRUE(caps.out.contains("cap_net_bind_service")) << caps.describe();
    }
    const kvatest::Finished version =
        kvatest::runProgram(bin + QStringLiteral("kva7310-module"), {QStringLiteral("--version")});
    ASSERT_TRUE(version.ok()) << version.describe();
    EXPECT_EQ(version.out, "kva7310-module " + QByteArray(kva::kVersion) + '\n');
    EXPECT_EQ(kvatest::sanitizerReport(version.err), QString());
    const kvatest::Finished help =
        kvatest::runProgram(bin + QStringLiteral("kva7310-snmp"), {QStringLiteral("--help")});
    ASSERT_TRUE(help.ok()) << help.describe();
    for (const snmptool::OptionSpec &o : snmptool::optionTable()) {
        EXPECT_TRUE(help.out.contains(o.name)) << o.name;
    }

    const kvatest::Finished removed =
        kvatest::runProgram(QStringLiteral("dpkg"), {QStringLiteral("-r"), kPackage});
    ASSERT_TRUE(removed.ok()) << removed.describe();
    for (const QString &path : files + ownDirectories) {
        EXPECT_FALSE(QFileInfo::exists(path)) << path.toStdString() << " left behind";
    }
    const QString state = packageState();
    EXPECT_TRUE(state.isEmpty() || state == QStringLiteral("un")) << state.toStdString();
}

} // namespace
