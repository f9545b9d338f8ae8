// Where the module finds its installation, the platform's settings directory, its catalogs and
// its per-user log directory.
#pragma once

#include <QString>

/// The three installation values, read from platform.ini (never written):
///
///     [HelpPath]
///     1.3.6.1.4.1.32473.7310=/opt/kva7310/KVA7310M.hlp
///     [ExePath]
///     Path=/opt/platform/bin/
///     [MibFile]
///     Path=/var/lib/platform/mbf/
///
/// A missing file, section or key reads as the empty text.
struct PlatformPaths
{
    QString helpPath;
    QString exePath;
    QString mibFilePath;
    bool hasMibFile = false; ///< a [MibFile] Path entry is present, even when empty

    /// KVA7310_PLATFORM_INI when set, else $XDG_CONFIG_HOME/kva7310/platform.ini (with
    /// ~/.config for an unset XDG_CONFIG_HOME).
    static QString iniFileName();
    static PlatformPaths read(const QString &iniFileName);

    static PlatformPaths read() { return read(iniFileName()); }

    /// The help path without its last 12 characters (a file name of the installation); empty
    /// when it is not longer than that.
    QString catalogBaseDirectory() const;
    /// [MibFile] Path when present, else ExePath followed by "../Conf/MBF/".
    QString settingsDirectory() const;
};

/// The subdirectory "errmsg" of a directory (the working directory for an empty text), found
/// ignoring case; the exact spelling when none exists, so that loading falls back quietly.
QString CatalogDirectory(const QString &baseDirectory);

/// The catalogs beside the programs (the build tree), by their exact name only: the programs'
/// directory of an installation is a large system directory, and listing it at every start
/// costs milliseconds (tens of them when it is not cached).
QString ProgramCatalogDirectory(const QString &programDirectory);

/// The catalogs of an installation, in the directory the install rules put them relative to the
/// programs' directory: "<programDirectory>/../share/kva7310/errmsg" for the usual layout.
QString InstalledCatalogDirectory(const QString &programDirectory);

/// The per-user log and scratch directory.
struct LogDirectory
{
    QString path;
    bool usable = false; ///< exists or was created

    /// $XDG_STATE_HOME (default ~/.local/state), created with its parents when missing, followed
    /// by "/KVA-7310", created when missing (that last level only).
    static LogDirectory prepare();
    /// The message shown when the directory cannot be created; start-up goes on regardless.
    static QString cannotCreateMessage(const QString &path);
};
