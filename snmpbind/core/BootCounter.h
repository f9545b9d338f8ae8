// The SNMPv3 engine boots counter file.
//
// Format: plain text, one line per engine ID, "<engine ID as hexadecimal> <boots in decimal>",
// separated by one or more spaces; blank lines and lines starting with '#' are ignored. Saving
// keeps the lines of other engine IDs.
#pragma once

#include <QByteArray>
#include <QString>

namespace bootcounter {

/// The counter file's name.
inline constexpr const char *kFileName = "VtSNMP_PP_BootCounter";

enum class LoadResult {
    Found,   ///< an entry for the engine ID
    Missing, ///< no file, or no entry for the engine ID: the counter starts from 0
    Corrupt, ///< unreadable file or a line that is not of the format
};

/// Where the file lives: `directory` + "/" + the file name; for an empty directory the bare file
/// name when the working directory is writable, else $XDG_STATE_HOME/KVA-7310/ + the file name
/// (~/.local/state when XDG_STATE_HOME is not set).
QString filePath(const QString &directory);

LoadResult load(const QString &path, const QByteArray &engineId, unsigned *boots);

/// Writes the file with `boots` for the engine ID; false when it cannot be written.
bool save(const QString &path, const QByteArray &engineId, unsigned boots);

} // namespace bootcounter
