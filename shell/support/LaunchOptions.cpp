// The command line and the per-device module settings file, read into the agent description.
#include "LaunchOptions.h"

#include "KvaVersion.h"
#include "VtIni.h"
#include "VtSNMPDevice.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

#include <QFileInfo>

namespace {

constexpr char kNoArguments[] = "This module is only used in the Wardex or HP-Openview.";
constexpr char kSection[] = "Program Information";

using Group = LaunchSwitch::Group;
using Field = LaunchSwitch::Field;

// The switches in the order they are tried: the address first, then the first group, then, with
// the SNMPv3 gate open, the second. Reader::argument, SecretValueOffset and LaunchUsage read them
// from here.
constexpr LaunchSwitch kSwitches[] = {
    {"/I", "<address>", "the access point's address or host name", Group::Address, Field::Address},
    {"/R", "<text>", "read community", Group::First, Field::ReadCommunity, true},
    {"/W", "<text>", "write community", Group::First, Field::WriteCommunity, true},
    {"/v", "<n>", "SNMP version: 0 SNMPv1, 1 SNMPv2c, 3 SNMPv3", Group::First, Field::Version},
    {"/t", "<n>", "agent UDP port (161)", Group::Gated, Field::Port},
    {"/c", "<text>", "context name", Group::Gated, Field::ContextName},
    {"/d", "<text>", "context engine ID", Group::Gated, Field::ContextEngineId},
    {"/m", "<n>", "security model: 1 SNMPv1, 2 SNMPv2c, 3 USM", Group::Gated, Field::SecurityModel},
    {"/l", "<n>", "security level: 0 noAuthNoPriv, 1 authNoPriv, 2 authPriv", Group::Gated,
        Field::SecurityLevel},
    {"/n", "<text>", "user name", Group::Gated, Field::SecurityName},
    {"/A", "<text>", "authentication password", Group::Gated, Field::AuthPassword, true},
    {"/P", "<text>", "privacy password", Group::Gated, Field::PrivPassword, true},
    {"/a", "<n>",
        "authentication: 0 none, 1 HMAC-MD5, 2 HMAC-SHA,\n"
        "3 SHA-224, 4 SHA-256, 5 SHA-384, 6 SHA-512",
        Group::Gated, Field::AuthProtocol},
    {"/p", "<n>", "privacy: 0 none, 1 DES, 2 AES-128, 3 AES-192, 4 AES-256", Group::Gated,
        Field::PrivProtocol},
};

// The two words that stand alone on the command line; neither holds a switch's two characters.
constexpr char kHelpWord[] = "--help";
constexpr char kVersionWord[] = "--version";

/// An optional sign and ASCII digits, surrounding blanks allowed, within a 32-bit integer.
std::optional<qint64> parseInteger(const QString &raw)
{
    const QString text = raw.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return value;
}

/// Applies one argument or one settings file at a time; the first bad number stops everything.
class Reader
{
public:
    Reader(const QString &settingsDirectory, const AgentDescription &start)
        : m_directory(settingsDirectory)
    {
        m_result.agent = start;
    }

    bool argument(const QString &arg);

    LaunchOptions take() { return std::move(m_result); }

private:
    bool readSettingsFile(const QString &file);
    bool trySwitches(const QString &arg, Group group);
    void apply(Field field, const QString &where, const QString &value);

    bool gateOpen() const { return m_result.agent.Version == 3 || m_fileVersionText == u"3"; }

    std::optional<int> number(const QString &where, const QString &value);
    bool fail(const QString &where, const QString &value, const char *expected);

    bool setVersion(const QString &where, const QString &value);
    bool setPort(const QString &where, const QString &value);
    bool setSecurityModel(const QString &where, const QString &value);

    bool setSecurityLevel(const QString &where, const QString &value)
    {
        return code(where, value, m_result.agent.SecurityLevel);
    }

    bool setAuthProtocol(const QString &where, const QString &value)
    {
        return code(where, value, m_result.agent.AuthProtocol);
    }

    bool setPrivProtocol(const QString &where, const QString &value)
    {
        return code(where, value, m_result.agent.PrivProtocol);
    }

    bool code(const QString &where, const QString &value, int &field);

    QString m_directory;
    VtIni m_ini{QString()}; // read once however many arguments apply it
    QString m_fileVersionText;
    LaunchOptions m_result;
};

bool Reader::fail(const QString &where, const QString &value, const char *expected)
{
    m_result.outcome = LaunchOptions::Outcome::Error;
    m_result.message = where + QStringLiteral(": \"") + value + QStringLiteral("\" is not ")
        + QString::fromLatin1(expected) + u'.';
    return false;
}

std::optional<int> Reader::number(const QString &where, const QString &value)
{
    const std::optional<qint64> parsed = parseInteger(value);
    if (!parsed) {
        fail(where, value, "an integer");
        return std::nullopt;
    }
    return static_cast<int>(*parsed);
}

bool Reader::setVersion(const QString &where, const QString &value)
{
    const std::optional<int> n = number(where, value);
    if (!n) {
        return false;
    }
    if (*n < 0 || *n > 255) { // the version is an 8-bit code; a larger number would wrap
        return fail(where, value, "a version number");
    }
    m_result.agent.Version = *n;
    return true;
}

bool Reader::setPort(const QString &where, const QString &value)
{
    const std::optional<int> n = number(where, value);
    if (!n) {
        return false;
    }
    if (*n < 0 || *n > 65535) { // wrapping would quietly talk to some other port
        return fail(where, value, "a port number (0 to 65535)");
    }
    m_result.agent.Port = static_cast<quint16>(*n);
    return true;
}

bool Reader::setSecurityModel(const QString &where, const QString &value)
{
    const std::optional<int> n = number(where, value);
    if (n) {
        m_result.agent.SecurityModel = *n;
    }
    return n.has_value();
}

bool Reader::code(const QString &where, const QString &value, int &field)
{
    const std::optional<int> n = number(where, value);
    if (!n) {
        return false;
    }
    if (*n == std::numeric_limits<int>::max()) {
        return fail(where, value, "a code");
    }
    field = *n + 1; // codes count from 0, the stored numbers from 1
    return true;
}

bool Reader::readSettingsFile(const QString &file)
{
    m_ini.FileName = file;
    const VtIni &ini = m_ini;
    const QString section = QString::fromLatin1(kSection);
    const auto read = [&](const char *key) {
        return ini.ReadString(section, QString::fromLatin1(key));
    };
    const auto where = [&](const char *key) -> QString {
        return QString::fromLatin1(key) + QStringLiteral(" in \"") + file + u'"';
    };

    if (!setPort(where("AgentPort"), read("AgentPort"))) {
        return false;
    }
    m_fileVersionText = read("Version");
    if (!setVersion(where("Version"), m_fileVersionText)) {
        return false;
    }
    if (const QString v = read("ContextName"); !v.isEmpty()) {
        m_result.agent.ContextName = v;
    }
    m_result.agent.ContextEngineId = read("ContextEngineID");
    if (!setSecurityModel(where("SecurityModel"), read("SecurityModel"))) {
        return false;
    }
    if (const QString v = read("SecurityLevel");
        v != u"0" && !setSecurityLevel(where("SecurityLevel"), v)) {
        return false;
    }
    m_result.agent.SecurityName = read("SecurityName");
    if (const QString v = read("AuthProtocol");
        v != u"0" && !setAuthProtocol(where("AuthProtocol"), v)) {
        return false;
    }
    if (const QString v = read("PrivProtocol");
        v != u"0" && !setPrivProtocol(where("PrivProtocol"), v)) {
        return false;
    }
    if (const QString v = read("AuthPassword"); !v.isEmpty()) {
        m_result.agent.AuthPassword = v;
    }
    if (const QString v = read("PrivPassword"); !v.isEmpty()) {
        m_result.agent.PrivPassword = v;
    }
    return true;
}

void Reader::apply(Field field, const QString &where, const QString &v)
{
    AgentDescription &a = m_result.agent;
    switch (field) {
    case Field::Address:
        m_result.deviceAddress = v;
        a.Host = v;
        break;
    case Field::ReadCommunity:
        a.ReadCommunity = v;
        break;
    case Field::WriteCommunity:
        a.WriteCommunity = v;
        break;
    case Field::Version:
        setVersion(where, v);
        break;
    case Field::Port:
        setPort(where, v);
        break;
    case Field::ContextName:
        a.ContextName = v;
        break;
    case Field::ContextEngineId:
        a.ContextEngineId = v;
        break;
    case Field::SecurityModel:
        setSecurityModel(where, v);
        break;
    case Field::SecurityLevel:
        setSecurityLevel(where, v);
        break;
    case Field::SecurityName:
        a.SecurityName = v;
        break;
    case Field::AuthPassword:
        a.AuthPassword = v;
        break;
    case Field::PrivPassword:
        a.PrivPassword = v;
        break;
    case Field::AuthProtocol:
        setAuthProtocol(where, v);
        break;
    case Field::PrivProtocol:
        setPrivProtocol(where, v);
        break;
    }
}

bool Reader::trySwitches(const QString &arg, Group group)
{
    for (const LaunchSwitch &s : kSwitches) {
        if (s.group != group) {
            continue;
        }
        const QString name = QString::fromLatin1(s.name);
        const qsizetype at = arg.indexOf(name); // case matters: "/a" and "/A" differ
        if (at >= 0) {
            apply(s.field, QStringLiteral("\"") + name + u'"', arg.mid(at + name.size()));
            return true;
        }
    }
    return false;
}

bool Reader::argument(const QString &arg)
{
    if (trySwitches(arg, Group::Address)) {
        return true;
    }
    const QString file = ModuleSettingsFile(m_directory, m_result.deviceAddress);
    if (QFileInfo(file).isFile() && !readSettingsFile(file)) {
        return false;
    }
    if (!trySwitches(arg, Group::First) && gateOpen()) {
        trySwitches(arg, Group::Gated);
    }
    return m_result.outcome != LaunchOptions::Outcome::Error;
}

/// The first switch of `group` found in `argument`, where it stands in `*at`; nullptr for none.
const LaunchSwitch *firstSwitch(QByteArrayView argument, Group group, qsizetype *at)
{
    for (const LaunchSwitch &s : kSwitches) {
        if (s.group == group) {
            *at = argument.indexOf(QByteArrayView(s.name));
            if (*at >= 0) {
                return &s;
            }
        }
    }
    return nullptr;
}

} // namespace

std::span<const LaunchSwitch> LaunchSwitches()
{
    return kSwitches;
}

qsizetype SecretValueOffset(QByteArrayView argument)
{
    // The switches are ASCII, which never occurs inside a multi-byte character: the byte
    // positions found here are those the reader finds in the decoded text.
    qsizetype at = -1;
    if (firstSwitch(argument, Group::Address, &at) != nullptr) {
        return -1;
    }
    const LaunchSwitch *s = firstSwitch(argument, Group::First, &at);
    if (s == nullptr) {
        s = firstSwitch(argument, Group::Gated, &at);
    }
    return s != nullptr && s->secret ? at + 2 : -1;
}

void BlankSecretArguments(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        char *argument = argv[i];
        const qsizetype at =
            SecretValueOffset(QByteArrayView(argument, qsizetype(std::strlen(argument))));
        if (at >= 0) {
            // The strings are the ones /proc/<pid>/cmdline shows: written over in place.
            std::memset(argument + at, '*', std::strlen(argument + at));
        }
    }
}

QString LaunchOptions::caption() const
{
    return QStringLiteral("KVA-7310 : ") + deviceAddress;
}

QString ModuleSettingsFile(const QString &settingsDirectory, const QString &deviceAddress)
{
    return JoinPath(settingsDirectory, deviceAddress + QStringLiteral(".cfg"));
}

LaunchOptions ReadLaunchOptions(
    const QStringList &arguments, const QString &settingsDirectory, const AgentDescription &start)
{
    LaunchOptions result;
    result.agent = start;
    if (arguments.isEmpty()) {
        result.outcome = LaunchOptions::Outcome::NoArguments;
        result.message = QString::fromLatin1(kNoArguments);
        return result;
    }
    if (const std::optional<QString> text = LaunchInformation(arguments)) {
        result.outcome = LaunchOptions::Outcome::Help;
        result.message = *text;
        return result;
    }
    Reader reader(settingsDirectory, start);
    for (const QString &arg : arguments) {
        if (!reader.argument(arg)) {
            break;
        }
    }
    return reader.take();
}

AgentDescription CurrentAgentDescription()
{
    const VtSNMPDevice &device = SnmpDevice();
    const VtSNMPSecurity &security = SnmpSecurity();
    const VtSNMPScope &scope = SnmpScope();
    AgentDescription a;
    a.Host = device.Host;
    a.Port = device.Port;
    a.ContextEngineId = scope.ContextEngineId;
    a.ContextName = scope.ContextName;
    a.Version = security.Version;
    a.ReadCommunity = security.ReadCommunity;
    a.WriteCommunity = security.WriteCommunity;
    a.SecurityModel = security.SecurityModel;
    a.SecurityLevel = security.SecurityLevel;
    a.SecurityName = security.SecurityName;
    a.AuthPassword = security.AuthPassword;
    a.PrivPassword = security.PrivPassword;
    a.AuthProtocol = security.AuthProtocol;
    a.PrivProtocol = security.PrivProtocol;
    return a;
}

void ApplyAgentDescription(const AgentDescription &a)
{
    VtSNMPDevice &device = SnmpDevice();
    VtSNMPSecurity &security = SnmpSecurity();
    VtSNMPScope &scope = SnmpScope();
    device.Host = a.Host;
    device.Port = a.Port;
    scope.ContextEngineId = a.ContextEngineId;
    scope.ContextName = a.ContextName;
    security.Version = static_cast<std::uint8_t>(a.Version); // kept within 0..255 by the reading
    security.ReadCommunity = a.ReadCommunity;
    security.WriteCommunity = a.WriteCommunity;
    security.SecurityModel = a.SecurityModel;
    security.SecurityLevel = a.SecurityLevel;
    security.SecurityName = a.SecurityName;
    security.AuthPassword = a.AuthPassword;
    security.PrivPassword = a.PrivPassword;
    security.AuthProtocol = a.AuthProtocol;
    security.PrivProtocol = a.PrivProtocol;
}

std::optional<QString> LaunchInformation(const QStringList &arguments)
{
    if (arguments.size() != 1) {
        return std::nullopt;
    }
    if (arguments.front() == QLatin1String(kHelpWord)) {
        return LaunchUsage();
    }
    if (arguments.front() == QLatin1String(kVersionWord)) {
        return QStringLiteral("kva7310-module ") + QLatin1String(kva::kVersion) + u'\n';
    }
    return std::nullopt;
}

QString LaunchUsage()
{
    constexpr qsizetype kHelpColumn = 16;
    const auto lines = [](Group group) {
        QString text;
        for (const LaunchSwitch &s : kSwitches) {
            if (s.group != group) {
                continue;
            }
            const QString head =
                QStringLiteral("  ") + QLatin1String(s.name) + QLatin1String(s.value);
            const QStringList help = QString::fromLatin1(s.help).split(u'\n');
            text += head.leftJustified(kHelpColumn - 1) + u' ' + help.front() + u'\n';
            for (qsizetype i = 1; i < help.size(); ++i) {
                text += QString(kHelpColumn, u' ') + help[i] + u'\n';
            }
        }
        return text;
    };
    return QStringLiteral("Usage: kva7310-module /I<address> [switch]...\n"
                          "       kva7310-module --help | --version\n"
                          "\n"
                          "Each argument holds one switch followed directly by its value "
                          "(/I192.168.0.50).\n"
                          "\n")
        + lines(Group::Address) + lines(Group::First)
        + QStringLiteral("\n"
                         "Only when the version is 3 (give /v3 first) or the settings file says "
                         "Version=3:\n")
        + lines(Group::Gated)
        + QStringLiteral(
            "\n"
            "Alone on the command line:\n"
            "  --help        print this text and end\n"
            "  --version     print the version and end\n"
            "\n"
            "The module settings file <address>.cfg in the settings directory of platform.ini,\n"
            "section [Program Information], holds the keys AgentPort, Version, ContextName,\n"
            "ContextEngineID, SecurityModel, SecurityLevel, SecurityName, AuthProtocol, "
            "PrivProtocol,\n"
            "AuthPassword and PrivPassword with the same values. It is read again for every "
            "argument\n"
            "after the address, so it overrides earlier switches but not later ones.\n");
}
