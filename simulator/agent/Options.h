// The simulator's command line.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace sim {

struct AgentOptions
{
    std::string address = "127.0.0.1";
    int port = 0; // 0: a free port
    std::string readCommunity = "mirtal";
    std::string writeCommunity = "solvane";
    std::string user;
    std::string authProto = "MD5"; // MD5, SHA, SHA-224, SHA-256, SHA-384, SHA-512
    std::string authPass;
    std::string privProto; // DES, AES-128, AES-192, AES-256 (empty: no privacy)
    std::string privPass;
    int tftpPort = 69;
    std::string statePath;
    int restartSeconds = 5;
    int refreshMs = 100;      // how long collecting a refreshed table takes
    bool maskSecrets = false; // keys and passwords served as '*'
    bool help = false;
    bool version = false;
};

/// One option of the command line: the parser looks arguments up here and the usage lists them.
struct OptionSpec
{
    enum class Id {
        Address,
        Port,
        ReadCommunity,
        WriteCommunity,
        User,
        AuthProto,
        AuthPass,
        PrivProto,
        PrivPass,
        TftpPort,
        State,
        RestartSeconds,
        RefreshMs,
        MaskSecrets,
        Help,
        Version
    };

    Id id;
    const char *name;  ///< "--port"
    const char *alias; ///< a second spelling ("-h"), or nullptr
    const char *value; ///< the value's placeholder ("N"), nullptr for a switch
    const char *help;  ///< what it does, the default in parentheses
};

/// Every option the parser accepts, in the order the usage lists them.
std::span<const OptionSpec> optionTable();

/// Parses the arguments after the program name; nullopt with `error` set on a bad command line.
std::optional<AgentOptions> parseOptions(const std::vector<std::string> &args, std::string &error);
std::string usageText();

/// Net-SNMP's names of the protocols, or empty for an unknown one.
std::string netSnmpAuthName(const std::string &proto);
std::string netSnmpPrivName(const std::string &proto);

} // namespace sim
