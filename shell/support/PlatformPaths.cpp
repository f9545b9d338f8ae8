// Where the module finds its installation, the platform's settings directory, its catalogs and
// its per-user log directory.
#include "PlatformPaths.h"

#include "KvaVersion.h"
#include "VtIni.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr char kProductRoot[] = "1.3.6.1.4.1.32473.7310";
constexpr qsizetype kHelpFileNameLength = 12;

/// An environment directory, or the fallback below the home directory when unset or empty.
QString environmentDirectory(const char *name, const char *belowHome)
{
    QString value = qEnvironmentVariable(name);
    if (!value.isEmpty()) {
        return value;
    }
    return QDir::homePath() + u'/' + QString::fromLatin1(belowHome);
}

} // namespace

QString PlatformPaths::iniFileName()
{
    QString named = qEnvironmentVariable("KVA7310_PLATFORM_INI");
    if (!named.isEmpty()) {
        return named;
    }
    return environmentDirectory("XDG_CONFIG_HOME", ".config")
        + QStringLiteral("/kva7310/platform.ini");
}

PlatformPaths PlatformPaths::read(const QString &iniFileName)
{
    const VtIni ini(iniFileName);
    PlatformPaths paths;
    paths.helpPath = ini.ReadString(QStringLiteral("HelpPath"), QString::fromLatin1(kProductRoot));
    paths.exePath = ini.ReadString(QStringLiteral("ExePath"), QStringLiteral("Path"));
    // A value never holds a line break, so this default tells an absent entry from an empty one.
    const QString absent = QStringLiteral("\n");
    const QString mibFile =
        ini.ReadString(QStringLiteral("MibFile"), QStringLiteral("Path"), absent);
    paths.hasMibFile = mibFile != absent;
    paths.mibFilePath = paths.hasMibFile ? mibFile : QString();
    return paths;
}

QString PlatformPaths::catalogBaseDirectory() const
{
    if (helpPath.size() <= kHelpFileNameLength) {
        return QString();
    }
    return helpPath.left(helpPath.size() - kHelpFileNameLength);
}

QString PlatformPaths::settingsDirectory() const
{
    if (hasMibFile) {
        return mibFilePath;
    }
    return JoinPath(exePath, QStringLiteral("../Conf/MBF/"));
}

QString CatalogDirectory(const QString &baseDirectory)
{
    const QString exact = QStringLiteral("errmsg");
    const QDir base(baseDirectory.isEmpty() ? QStringLiteral(".") : baseDirectory);
    if (!QFileInfo(base.filePath(exact)).isDir()) {
        const QStringList entries = base.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString &entry : entries) {
            if (entry.compare(exact, Qt::CaseInsensitive) == 0) {
                return JoinPath(baseDirectory, entry);
            }
        }
    }
    return JoinPath(baseDirectory, exact);
}

QString ProgramCatalogDirectory(const QString &programDirectory)
{
    return JoinPath(programDirectory, QStringLiteral("errmsg"));
}

QString InstalledCatalogDirectory(const QString &programDirectory)
{
    return JoinPath(programDirectory, QLatin1String(kva::kCatalogsFromPrograms));
}

LogDirectory LogDirectory::prepare()
{
    const QString state = environmentDirectory("XDG_STATE_HOME", ".local/state");
    LogDirectory log;
    log.path = JoinPath(state, QStringLiteral("KVA-7310"));
    // The state directory plays the part of a per-user directory that always exists.
    QDir().mkpath(state);
    log.usable = QFileInfo(log.path).isDir() || QDir().mkdir(log.path);
    return log;
}

QString LogDirectory::cannotCreateMessage(const QString &path)
{
    return QStringLiteral("Cannot create  \"") + path + QStringLiteral("\" Log directory!");
}
