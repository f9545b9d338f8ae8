// The command line and the per-device module settings file, read into the agent description.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

/// The fields of the process-wide agent, security and scope objects that start-up fills, with
/// their defaults. Numbers use the SNMP library's numbering: level 1 noAuthNoPriv, 2 authNoPriv,
/// 3 authPriv; authentication 1 none, 2 HMAC-MD5, 3 HMAC-SHA, 4-7 SHA-224/256/384/512; privacy
/// 1 none, 2 DES, 3-5 AES-128/192/256. A code given on the command line or in the settings file is
/// that number minus one.
struct AgentDescription
{
    QString Host = QStringLiteral("127.0.0.1");
    quint16 Port = 161;
    QString ContextEngineId;
    QString ContextName;
    int Version = 0; ///< 0 SNMPv1, 1 SNMPv2c, 3 SNMPv3
    QString ReadCommunity = QStringLiteral("mirtal");
    QString WriteCommunity = QStringLiteral("solvane");
    int SecurityModel = 1;
    int SecurityLevel = 1;
    QString SecurityName;
    QString AuthPassword;
    QString PrivPassword;
    int AuthProtocol = 1;
    int PrivProtocol = 1;

    bool operator==(const AgentDescription &) const = default;
};

struct LaunchOptions
{
    enum class Outcome {
        Run,         ///< go on with the agent description below
        NoArguments, ///< show the message and end
        Help,        ///< print the message (the usage) and end successfully
        Error,       ///< a number that is not one: show the message and end with a failure
    };

    Outcome outcome = Outcome::Run;
    QString message;
    QString deviceAddress; ///< the "/I" text as given, empty when there was none
    AgentDescription agent;

    /// "KVA-7310 : <address>": the window caption and the single-instance key.
    QString caption() const;
};

/// Reads the arguments (without the program name) over the given description. Each argument
/// without "/I" first re-reads "<address>.cfg" of the settings directory, section
/// "Program Information", under the address known at that moment, so the file overrides earlier
/// switches but not later ones.
LaunchOptions ReadLaunchOptions(const QStringList &arguments, const QString &settingsDirectory,
    const AgentDescription &start = AgentDescription());

/// The process-wide agent, security and scope objects as they stand (the start of the reading).
AgentDescription CurrentAgentDescription();

/// Puts every field into the process-wide agent, security and scope objects; requests made
/// afterwards take it over.
void ApplyAgentDescription(const AgentDescription &agent);

/// The text "--help" prints.
QString LaunchUsage();

/// The settings file consulted for an address (which may be empty: the file is then ".cfg").
QString ModuleSettingsFile(const QString &settingsDirectory, const QString &deviceAddress);

/// Where the value of a community or password switch ("/R", "/W", "/A", "/P") starts in one
/// argument, the switches tried as ReadLaunchOptions tries them, except that the SNMPv3 gate is
/// left aside (a password the gate passes over is a password all the same); -1 when the argument
/// sets none of the four.
qsizetype SecretValueOffset(QByteArrayView argument);

/// Overwrites the values of "/R", "/W", "/A" and "/P" in the process's own argument strings with
/// '*', their length kept, so that the process list shows the switches and not the secrets.
/// Every other argument stays as it was. Call it once the arguments have been copied.
void BlankSecretArguments(int argc, char **argv);
