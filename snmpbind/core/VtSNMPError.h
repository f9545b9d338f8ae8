// Result records, the one exception type of the library, and the seven message catalogs.
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <utility>

#include <QString>

/// The result of an exchange, passed to OnError handlers and to completions.
struct VtSNMPError
{
    int Code = 0;
    int ErrorIndex = 0;
    QString Message;
    QString AgentHost;
    int AgentPort = 0;
    bool Finished = false;
    std::uint64_t ErrorCount = 0;
};

/// Structural failures (bad syntax, missing index values, bad binding, bad constraint format,
/// start-up failures): one exception type carrying the catalog text and the code.
class VtException : public std::exception
{
public:
    VtException(QString message, int code);

    const QString &Message() const noexcept { return m_message; }

    int Code() const noexcept { return m_code; }

    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_message;
    int m_code;
    QByteArray m_what;
};

/// The catalogs, in the order start-up loads them.
enum class VtCatalog {
    Agent,     ///< "snmp.err", code of entry k: -(101 + k)
    SnmpV3,    ///< "snmpv3.err", -(201 + k)
    Usm,       ///< "snmpusm.err", -(301 + k)
    SnmpClass, ///< "snmpclass.err", -(401 + k)
    VtSnmp,    ///< "vtsnmp.err", 0 for k = 0, else -(500 + k)
    Common,    ///< "common.err", -k
    Message,   ///< "snmp.msg", the two result-line templates
};

/// The file name a catalog is loaded from ("snmp.err", ...).
QString CatalogFileName(VtCatalog catalog);

/// Entry k of a catalog as it stands now (a replaced catalog changes every later message).
/// A position a short replacement file lacks yields the built-in text.
QString CatalogText(VtCatalog catalog, int k);

/// Replaces a catalog from a file; a missing file or one without a counting line keeps it.
void LoadCatalog(VtCatalog catalog, const QString &path);

/// Loads all seven catalogs from a directory (each file by its name). A file is read when its
/// catalog's first text is wanted; the outcome is the same as reading them all now.
void LoadCatalogs(const QString &directory);

/// Restores every catalog to its built-in texts (tests).
void ResetCatalogs();

/// Maps a status number to its code and message (0 success, agent error-status, USM, v3 MP,
/// library class errors; anything else -528).
VtSNMPError ErrorFromStatus(int status);

/// Entries of this library's catalog ("(VtSNMP++) …"); the error's code is -(500 + entry).
namespace liberr {
enum Entry : int {
    kOk = 0,
    kSessionNotCreated = 6,
    kBootsNotLoaded = 7,
    kBootsNotSaved = 8,
    kBadAddress = 9,
    kGetNextOnSingleValue = 10,
    kBadSyntax = 11,
    kNullInExpression = 12,
    kBadExpression = 13,
    kBadKeyCount = 14,
    kBadItemType = 15,
    kBadAssociatedItemType = 16,
    kBadPartSyntax = 17,
    kBadPartValue = 18,
    kPartOutOfRange = 19,
    kNoOptionList = 20,
    kBadControlKind = 21,
    kTooFewControls = 22,
    kUnknown = 28,
};
} // namespace liberr

/// Throws VtException with entry k of this library's catalog and code -(500 + k).
[[noreturn]] void RaiseLibraryError(int k);

/// Throws VtException with entry k of the common catalog, every "[NAME]" placeholder replaced by
/// its value, and code -k.
[[noreturn]] void RaiseCommonError(
    int k, std::initializer_list<std::pair<const char *, QString>> placeholders = {});
