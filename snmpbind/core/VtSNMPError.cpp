// Result records, the library's exception, the built-in message catalogs and their loading.
#include "VtSNMPError.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include <QFile>

namespace {

const char *const kAgentTexts[] = {
    "(SNMP) Response PDU Too Big!",
    "(SNMP) Variable does not exist!",
    "(SNMP) Cannot modify variable: Bad Value!",
    "(SNMP) Cannot modify object, Read Only!",
    "(SNMP) Cannot perform operation, General Error!",
    "(SNMP) Cannot access variable, No Access!",
    "(SNMP) Cannot create/modify variable, Wrong Type!",
    "(SNMP) Cannot create/set variable, Wrong Length!",
    "(SNMP) Cannot create/set variable, Wrong Encoding!",
    "(SNMP) Cannot create/set variable, Wrong Value!",
    "(SNMP) Cannot create variable, Creation Not Allowed!",
    "(SNMP) Cannot create/set variable, Inconsistent Value!",
    "(SNMP) Cannot create/set variable, Resource Unavailable!",
    "(SNMP) Cannot create/set variable, Commit Failed!",
    "(SNMP) Cannot create/set variable, Undo Failed!",
    "(SNMP) Cannot perform operation, Authorization Error!",
    "(SNMP) Cannot create/set variable, Not Writable!",
    "(SNMP) Cannot create variable, Inconsistent Name!",
};

const char *const kSnmpV3Texts[] = {
    "(SNMPv3) Unsupported Security Model!",
    "(SNMPv3) Message not in Time Window!",
    "(SNMPv3) Received same Message twice!",
    "(SNMPv3) Invalid Message!",
    "(SNMPv3) Invalid EngineID!",
    "(SNMPv3) v3MP not initialized!",
    "(SNMPv3) Parse Error!",
    "(SNMPv3) Received Message with unknown MsgID!",
    "(SNMPv3) Message does not match known message!",
    "(SNMPv3) Community format error!",
    "(SNMPv3) Unknown UserName!",
    "(SNMPv3) Build error!",
    "(SNMPv3) USM: error!",
    "(SNMPv3) Unknown pdu handlers!",
    "(SNMPv3) Unavailable Context!",
    "(SNMPv3) Unknown Context!",
    "(SNMPv3) Report sent!",
};

const char *const kUsmTexts[] = {
    "(SNMPv3USM) error!",
    "(SNMPv3USM) Configfile write error!",
    "(SNMPv3USM) Unsupported SecurityLevel!",
    "(SNMPv3USM) Unknown SecurityName!",
    "(SNMPv3USM) Encryption error!",
    "(SNMPv3USM) Decryption error!",
    "(SNMPv3USM) Authentication error!",
    "(SNMPv3USM) Authentication failure!",
    "(SNMPv3USM) Parse error!",
    "(SNMPv3USM) Unknown EngineID!",
    "(SNMPv3USM) Message not in TimeWindow!",
    "(SNMPv3USM) Unsupported AuthProtocol!",
    "(SNMPv3USM) Unsupported PrivProtocol!",
    "(SNMPv3USM) Address error!",
};

const char *const kClassTexts[] = {
    "(SNMPClass) Operation failed!",
    "(SNMPClass) Resource unavailable!",
    "(SNMPClass) Internal error!",
    "(SNMPClass) Unsupported function!",
    "(SNMPClass) SNMP request timed out!",
    "(SNMPClass) Received SNMP Response!",
    "(SNMPClass) Received SNMP Notification (trap or inform)!",
    "(SNMPClass) Closing session with outstanding requests!",
    "(SNMPClass)Unknown error code!",
    "(SNMPClass) Class not valid!",
    "(SNMPClass) Invalid Pdu!",
    "(SNMPClass) Invalid Target!",
    "(SNMPClass) Invalid (null) Callback Function!",
    "(SNMPClass) Invalid Request Id!",
    "(SNMPClass) Invalid Notification Id!",
    "(SNMPClass) SNMP Operation not supported on specified Target!",
    "(SNMPClass) Invalid Object Identifier!",
    "(SNMPClass) Invalid Address!",
    "(SNMPClass) Agent indicates error in SNMP request!",
    "(SNMP Class) Transport is not supported!",
    "(SNMPClass) Transport is in use!",
    "(SNMPClass) Transport operation failed!",
    "(SNMPClass) Blocked Mode Shutdown!",
};

const char *const kVtSnmpTexts[] = {
    "(VtSNMP++) Ok!",
    "(VtSNMP++) Fail to read SNMP variables from file([FILENAME])!",
    "(VtSNMP++) Bad format at line([LINENO])in SNMP variables file([FILENAME])!",
    "(VtSNMP++) Bad item type at line([LINENO])in SNMP variables file([FILENAME])!",
    "(VtSNMP++) Bad syntax at line([LINENO])in SNMP variables file([FILENAME])!",
    "(VtSNMP++) Bad access type at line([LINENO])in SNMP variables file([FILENAME])!",
    "(VtSNMP++) Cannot create the global VtSNMP++ session!",
    "(VtSNMP++) Error when loading SNMP engine boots counter!",
    "(VtSNMP++) Error when saving SNMP engine boots counter!",
    "(VtSNMP++) Invalid IP Address or DNS name!",
    "(VtSNMP++) Can't send get-next command for a SNMP variable list with single value!",
    "(VtSNMP++) Bad SNMP syntax!",
    "(VtSNMP++) Null value in the expression!",
    "(VtSNMP++) Bad SNMP syntax in the expression!",
    "(VtSNMP++) Bad key count of SNMP variable list!",
    "(VtSNMP++) Bad item type of SNMP variable list!",
    "(VtSNMP++) Bad item type of associated SNMP variable list!",
    "(VtSNMP++) Bad syntax of the associated SNMP variable's (partial) data!",
    "(VtSNMP++) Bad value of the associated SNMP variable's (partial) data!",
    "(VtSNMP++) Out of range for the bit(byte) index of the associated SNMP variable's (partial) "
    "data!",
    "(VtSNMP++) No reference option list for a SNMP variable's (partial) data associating with a "
    "optional visual control!",
    "(VtSNMP++) Bad type of the associated visual control!",
    "(VtSNMP++) Count of the associated visual controls is not enough!",
    "(VtSNMP++) No system start time for the time whose data source is the SNMP variable's "
    "(partial) data with syntax timeticks!",
    "(VtSNMP++) Count of the value items for the chart's history data is not enough!",
    "(VtSNMP++) Log database is not connected!",
    "(VtSNMP++) Log database field not found!",
    "(VtSNMP++) Bad syntax for the history chart of log!",
    "(VtSNMP++) Unknown error code!",
};

const char *const kCommonTexts[] = {
    "(VtCommon) Ok!",
    "(VtCommon) Bad logic operand!",
    "(VtCommon) Bad format specifier of edit's constraint!",
    "(VtCommon) Empty value is not allowed!",
    "(VtCommon) Please enter a string whose length is less than [MAXLEN]!",
    "(VtCommon) Please enter a string whose length is [LEN]!",
    "(VtCommon) Please enter a hex string whose length is less than [MAXLEN]!",
    "(VtCommon) Please enter a hex string whose length is [LEN]!",
    "(VtCommon) Please enter a number between [MIN] and [MAX]!",
    "(VtCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,the "
    "count of the number is less than [MAXCOUNT]!",
    "(VtCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,the "
    "count of the number is equal to [COUNT]!",
    "(VtCommon) Please enter a delimited number string with delimiter '[DELIMITER]'.\nHere,each "
    "number is between [MIN] and [MAX]!",
    "(VtCommon) Out of range at index of array or list!",
    "(VtCommon) Destination buffer is undersize!",
    "(VtCommon) The source to dncrypt is not encrypted!",
    "(VtCommon) Fail to read data from file([FILENAME])!",
    "(VtCommon) Fail to write data to file([FILENAME])!",
    "(VtCommon) Fail to write value in ini file([FILENAME])!",
    "(VtCommon) Fail to read option data from file([FILENAME])!",
};

const char *const kMessageTexts[] = {
    "Get: [ERROR] Request:[VARLIST]. Receive at [TIME].",
    "Set: [ERROR] Request:[VARLIST]. Receive at [TIME].",
};

struct BuiltIn
{
    const char *const *texts;
    int count;
    const char *fileName;
};

template <std::size_t N>
constexpr BuiltIn builtIn(const char *const (&texts)[N], const char *fileName)
{
    return {texts, int(N), fileName};
}

const std::array<BuiltIn, 7> kBuiltIn = {
    builtIn(kAgentTexts, "snmp.err"),
    builtIn(kSnmpV3Texts, "snmpv3.err"),
    builtIn(kUsmTexts, "snmpusm.err"),
    builtIn(kClassTexts, "snmpclass.err"),
    builtIn(kVtSnmpTexts, "vtsnmp.err"),
    builtIn(kCommonTexts, "common.err"),
    builtIn(kMessageTexts, "snmp.msg"),
};

// Texts loaded from files; an empty table means the built-in one is in force.
std::array<std::vector<QString>, 7> &loadedCatalogs()
{
    static std::array<std::vector<QString>, 7> loaded;
    return loaded;
}

// Files named for a catalog and not read yet, oldest first. A catalog is read when its first text
// is wanted, which most never are during a run; the newest file that gives texts wins, as if
// each had been read when it was named.
std::array<std::vector<QString>, 7> &pendingCatalogFiles()
{
    static std::array<std::vector<QString>, 7> pending;
    return pending;
}

/// The built-in texts as strings, made once: every exchange's result carries one.
const std::array<std::vector<QString>, 7> &builtInStrings()
{
    static const std::array<std::vector<QString>, 7> strings = [] {
        std::array<std::vector<QString>, 7> out;
        for (std::size_t i = 0; i < kBuiltIn.size(); ++i) {
            for (int k = 0; k < kBuiltIn[i].count; ++k) {
                out[i].push_back(QString::fromUtf8(kBuiltIn[i].texts[k]));
            }
        }
        return out;
    }();
    return strings;
}

std::size_t slot(VtCatalog catalog)
{
    const auto index = std::size_t(catalog);
    return index < kBuiltIn.size() ? index : 0;
}

bool isBlankByte(char c)
{
    return static_cast<unsigned char>(c) <= 0x20 || c == 0x7f;
}

// Splits a file the way a line reader with a 1024-byte buffer sees it: each piece ends after a
// line feed or after 1023 bytes, whichever comes first.
std::vector<QByteArray> readPieces(const QByteArray &data)
{
    constexpr qsizetype kPiece = 1023;
    std::vector<QByteArray> pieces;
    qsizetype pos = 0;
    while (pos < data.size()) {
        const qsizetype newline = data.indexOf('\n', pos);
        qsizetype end = newline < 0 ? data.size() : newline + 1;
        end = std::min(end, pos + kPiece);
        pieces.push_back(data.mid(pos, end - pos));
        pos = end;
    }
    return pieces;
}

bool counts(const QByteArray &piece)
{
    for (const char c : piece) {
        if (!isBlankByte(c)) {
            return true;
        }
    }
    return false;
}

QString entryText(QByteArray piece)
{
    if (piece.endsWith('\n')) {
        piece.chop(1);
        if (piece.endsWith('\r')) {
            piece.chop(1);
        }
    }
    // The files spell a line break inside a message as the two characters backslash and n.
    piece.replace("\\n", "\n");
    return QString::fromUtf8(piece);
}

/// The texts of a catalog file; none when it cannot be read or holds only blank lines.
std::vector<QString> readCatalogFile(const QString &path)
{
    std::vector<QString> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return entries;
    }
    for (const QByteArray &piece : readPieces(file.readAll())) {
        if (counts(piece)) {
            entries.push_back(entryText(piece));
        }
    }
    return entries;
}

void readPendingFiles(std::size_t index)
{
    std::vector<QString> &pending = pendingCatalogFiles()[index];
    if (pending.empty()) {
        return;
    }
    const std::vector<QString> files = std::exchange(pending, {});
    for (std::size_t i = files.size(); i-- > 0;) { // the newest first
        if (std::vector<QString> entries = readCatalogFile(files[i]); !entries.empty()) {
            loadedCatalogs()[index] = std::move(entries);
            return;
        }
    }
}

} // namespace

VtException::VtException(QString message, int code)
    : m_message(std::move(message)), m_code(code), m_what(m_message.toUtf8())
{ }

QString CatalogFileName(VtCatalog catalog)
{
    return QString::fromLatin1(kBuiltIn[slot(catalog)].fileName);
}

QString CatalogText(VtCatalog catalog, int k)
{
    const std::size_t index = slot(catalog);
    if (k < 0) {
        return QString();
    }
    readPendingFiles(index);
    const std::vector<QString> &loaded = loadedCatalogs()[index];
    if (std::size_t(k) < loaded.size()) {
        return loaded[std::size_t(k)];
    }
    // A short replacement keeps the built-in text at the positions it lacks.
    const std::vector<QString> &builtIn = builtInStrings()[index];
    return std::size_t(k) < builtIn.size() ? builtIn[std::size_t(k)] : QString();
}

void LoadCatalog(VtCatalog catalog, const QString &path)
{
    const std::size_t index = slot(catalog);
    readPendingFiles(index); // named earlier: they must not replace this one later
    if (std::vector<QString> entries = readCatalogFile(path); !entries.empty()) {
        loadedCatalogs()[index] = std::move(entries);
    }
}

void LoadCatalogs(const QString &directory)
{
    for (std::size_t i = 0; i < kBuiltIn.size(); ++i) {
        const QString name = CatalogFileName(static_cast<VtCatalog>(i));
        pendingCatalogFiles()[i].push_back(directory.isEmpty() ? name : directory + u'/' + name);
    }
}

void ResetCatalogs()
{
    for (std::vector<QString> &loaded : loadedCatalogs()) {
        loaded.clear();
    }
    for (std::vector<QString> &pending : pendingCatalogFiles()) {
        pending.clear();
    }
}

VtSNMPError ErrorFromStatus(int status)
{
    VtSNMPError error;
    if (status == 0 || status == 1400 || status == -1401) {
        error.Code = 0;
        error.Message = CatalogText(VtCatalog::VtSnmp, 0);
    } else if (status >= 1 && status <= 18) {
        error.Code = -(100 + status);
        error.Message = CatalogText(VtCatalog::Agent, status - 1);
    } else if (status >= 1401 && status <= 1414) {
        error.Code = 1100 - status;
        error.Message = CatalogText(VtCatalog::Usm, status - 1401);
    } else if (status >= -1418 && status <= -1402) {
        error.Code = status + 1201;
        error.Message = CatalogText(VtCatalog::SnmpV3, -1402 - status);
    } else if (status >= -23 && status <= -1) {
        error.Code = status - 400;
        error.Message = CatalogText(VtCatalog::SnmpClass, -1 - status);
    } else {
        error.Code = -(500 + liberr::kUnknown);
        error.Message = CatalogText(VtCatalog::VtSnmp, 28);
    }
    return error;
}

void RaiseLibraryError(int k)
{
    throw VtException(CatalogText(VtCatalog::VtSnmp, k), k == 0 ? 0 : -(500 + k));
}

void RaiseCommonError(int k, std::initializer_list<std::pair<const char *, QString>> placeholders)
{
    QString message = CatalogText(VtCatalog::Common, k);
    for (const auto &[name, value] : placeholders) {
        message.replace(u'[' + QString::fromUtf8(name) + u']', value);
    }
    throw VtException(message, -k);
}
