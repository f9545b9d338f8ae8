// platform.ini, the catalog directory and the per-user log directory in a temporary environment.
#include "PlatformPaths.h"
#include "QtPrinters.h"
#include "ScopedEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PlatformPathsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        env.set("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
        env.set("XDG_STATE_HOME", QFile::encodeName(path("state/nested")));
        env.unset("KVA7310_PLATFORM_INI");
    }

    QString path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QString write(const char *name, const QByteArray &content) const
    {
        QString file = path(name);
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        return file;
    }

    ScopedEnv env;

private:
    QTemporaryDir m_dir;
};

TEST_F(PlatformPathsTest, IniFileFromConfigHomeOrNamedByEnvironment)
{
    EXPECT_EQ(
        PlatformPaths::iniFileName(), path("config") + QStringLiteral("/kva7310/platform.ini"));
    env.set("KVA7310_PLATFORM_INI", "/elsewhere/p.ini");
    EXPECT_EQ(PlatformPaths::iniFileName(), QStringLiteral("/elsewhere/p.ini"));
}

TEST_F(PlatformPathsTest, ReadsTheThreeValues)
{
    write("config/kva7310/platform.ini",
        "[HelpPath]\r\n1.3.6.1.4.1.32473.7310=/opt/kva7310/KVA7310M.hlp\r\n"
        "[ExePath]\r\nPath=/opt/platform/bin/\r\n");
    const PlatformPaths paths = PlatformPaths::read();
    EXPECT_EQ(paths.helpPath, QStringLiteral("/opt/kva7310/KVA7310M.hlp"));
    EXPECT_EQ(paths.catalogBaseDirectory(), QStringLiteral("/opt/kva7310/"));
    EXPECT_FALSE(paths.hasMibFile);
    EXPECT_EQ(paths.settingsDirectory(), QStringLiteral("/opt/platform/bin/../Conf/MBF/"));
}

TEST_F(PlatformPathsTest, MibFileReplacesTheSettingsDirectoryEvenWhenEmpty)
{
    const QString ini =
        write("p.ini", "[ExePath]\nPath=/opt/platform/bin\n[MibFile]\nPath=/srv/mbf/\n");
    EXPECT_EQ(PlatformPaths::read(ini).settingsDirectory(), QStringLiteral("/srv/mbf/"));

    const QString empty = write("q.ini", "[ExePath]\nPath=/opt/platform/bin\n[MibFile]\nPath=\n");
    EXPECT_EQ(PlatformPaths::read(empty).settingsDirectory(), QString());
}

TEST_F(PlatformPathsTest, MissingFileReadsAsEmptyValues)
{
    const PlatformPaths paths = PlatformPaths::read(path("absent.ini"));
    EXPECT_EQ(paths.helpPath, QString());
    EXPECT_EQ(paths.catalogBaseDirectory(), QString());
    EXPECT_EQ(paths.settingsDirectory(), QStringLiteral("../Conf/MBF/"));
}

TEST_F(PlatformPathsTest, ExePathWithoutSlashIsJoinedWithOne)
{
    const QString ini = write("p.ini", "[exepath]\npath=/opt/platform/bin\n");
    EXPECT_EQ(PlatformPaths::read(ini).settingsDirectory(),
        QStringLiteral("/opt/platform/bin/../Conf/MBF/"));
}

TEST_F(PlatformPathsTest, HelpPathCutByTwelveCharacters)
{
    PlatformPaths paths;
    paths.helpPath = QStringLiteral("123456789012");
    EXPECT_EQ(paths.catalogBaseDirectory(), QString());
    paths.helpPath = QStringLiteral("/a123456789012");
    EXPECT_EQ(paths.catalogBaseDirectory(), QStringLiteral("/a"));
}

TEST_F(PlatformPathsTest, CatalogDirectoryFoundIgnoringCase)
{
    QDir().mkpath(path("install/ErrMSG"));
    EXPECT_EQ(CatalogDirectory(path("install")), path("install/ErrMSG"));
    EXPECT_EQ(CatalogDirectory(path("install") + u'/'), path("install/ErrMSG"));

    QDir().mkpath(path("install/errmsg")); // the exact name wins when both exist
    EXPECT_EQ(CatalogDirectory(path("install")), path("install/errmsg"));

    EXPECT_EQ(CatalogDirectory(path("nothing")), path("nothing/errmsg"));
    EXPECT_EQ(CatalogDirectory(QString()), QStringLiteral("errmsg"));

    // beside the programs only the exact name counts: that directory is never listed
    QDir().mkpath(path("bin/ErrMSG"));
    EXPECT_EQ(ProgramCatalogDirectory(path("bin")), path("bin/errmsg"));
}

TEST_F(PlatformPathsTest, LogDirectoryCreatedBelowStateHome)
{
    const LogDirectory log = LogDirectory::prepare();
    EXPECT_TRUE(log.usable);
    EXPECT_EQ(log.path, path("state/nested") + QStringLiteral("/KVA-7310"));
    EXPECT_TRUE(QFileInfo(log.path).isDir());
    EXPECT_TRUE(LogDirectory::prepare().usable); // and again when it already exists
}

TEST_F(PlatformPathsTest, LogDirectoryThatCannotBeCreatedIsReported)
{
    write("state-file", "not a directory");
    env.set("XDG_STATE_HOME", QFile::encodeName(path("state-file")));
    const LogDirectory log = LogDirectory::prepare();
    EXPECT_FALSE(log.usable);
    EXPECT_EQ(LogDirectory::cannotCreateMessage(log.path),
        QStringLiteral("Cannot create  \"") + path("state-file")
            + QStringLiteral("/KVA-7310\" Log directory!"));
}

} // namespace
