// Command line of kva7310-snmp, as pure functions: parsing the arguments, the values of a SET,
// and the text printed for a received value.
#pragma once

#include "SnmpTextForm.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QString>
#include <QStringList>

namespace snmptool {

enum class Command {
    Get,
    GetNext,
    Walk,
    Set
};

struct SetValue
{
    QString oid;
    SnmpWireValue value;
};

struct Options
{
    Command command = Command::Get;
    bool help = false;
    bool showVersion = false;
    bool async = false;
    int version = 1; ///< in the engine's numbering: 0 SNMPv1, 1 SNMPv2c, 3 SNMPv3
    QString community = QStringLiteral("public");
    QString user;
    int level = 1; ///< 1 noAuthNoPriv, 2 authNoPriv, 3 authPriv
    int authProtocol = 2;
    QString authPassword;
    int privProtocol = 2;
    QString privPassword;
    QString context;
    int timeout = 100; ///< hundredths of a second
    int retries = 1;
    QString host;
    std::uint16_t port = 161;
    QStringList oids;           ///< get, getnext, walk
    std::vector<SetValue> sets; ///< set
};

/// One option of the command line: the parser looks arguments up here and the usage lists them.
struct OptionSpec
{
    enum class Id {
        Version,
        Community,
        User,
        Level,
        AuthProtocol,
        AuthPassword,
        PrivProtocol,
        PrivPassword,
        Context,
        Timeout,
        Retries,
        Async,
        Help,
        ShowVersion
    };

    Id id;
    const char *name;  ///< "-v" (its value follows, "-v2c" or "-v 2c") or "--async"
    const char *alias; ///< a second spelling ("-h"), or nullptr
    const char *value; ///< the value's placeholder ("1|2c|3"), nullptr for a switch
    const char *help;  ///< what it does, the default in parentheses
};

/// Every option the parser accepts, in the order the usage lists them.
std::span<const OptionSpec> optionTable();

/// Parses the arguments after the program name; nullopt with the reason in `error` otherwise.
std::optional<Options> parse(const QStringList &args, QString *error);

/// A SET value as snmpset reads it: i INTEGER, u Gauge32, c Counter32, t TimeTicks (hundredths),
/// a IpAddress, o OBJECT IDENTIFIER, s string, x hexadecimal string.
std::optional<SnmpWireValue> parseValue(QChar type, const QString &text, QString *error);

/// The text printed for a received value: numbers in decimal, addresses and OIDs dotted, time
/// ticks as "h:mm:ss.cc", an OCTET STRING as text when every byte is printable and as
/// hexadecimal otherwise, "(NULL)" for a binding without a value.
QString valueText(const SnmpWireValue &value);

QString usage();

} // namespace snmptool
