// Reading single values from an INI-style settings file, verbatim (no escapes, no quoting rules).
#pragma once

#include <optional>

#include <QString>

class VtIni
{
public:
    explicit VtIni(QString fileName);

    /// The value of key in section (both matched ignoring case and surrounding blanks; the first
    /// match wins), trimmed of surrounding blanks and cut to 4095 characters, or defaultValue
    /// when the file, section or key gives nothing. Lines may end in CRLF; lines starting with
    /// ';' are comments. The file is read at the first call and its text kept for the later
    /// ones (read again only when FileName changed).
    QString ReadString(
        const QString &section, const QString &key, const QString &defaultValue = QString()) const;

    QString FileName;

private:
    const QString *text() const;

    mutable std::optional<QString> m_readName; // the FileName m_text was read from; none yet
    mutable std::optional<QString> m_text;     // empty: the file could not be read
};

/// The name alone for an empty directory; directory + name when the directory already ends in a
/// separator ('/' or '\'); otherwise directory + '/' + name.
QString JoinPath(const QString &directory, const QString &name);
