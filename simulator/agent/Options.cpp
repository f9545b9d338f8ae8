// The simulator's command line.
#include "agent/Options.h"

#include <algorithm>
#include <cctype>

namespace sim {

namespace {

std::string upper(std::string s)
{
    for (char &c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

bool parsePort(const std::string &text, int max, int &out)
{
    if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        })) {
        return false;
    }
    const int n = std::stoi(text);
    if (n > max) {
        return false;
    }
    out = n;
    return true;
}

} // namespace

std::string netSnmpAuthName(const std::string &proto)
{
    const std::string p = upper(proto);
    if (p == "MD5") {
        return "MD5";
    }
    if (p == "SHA" || p == "SHA1" || p == "SHA-1") {
        return "SHA";
    }
    for (const char *bits : {"224", "256", "384", "512"}) {
        if (p == std::string("SHA-") + bits || p == std::string("SHA") + bits) {
            return std::string("SHA-") + bits;
        }
    }
    return {};
}

std::string netSnmpPrivName(const std::string &proto)
{
    const std::string p = upper(proto);
    if (p == "DES") {
        return "DES";
    }
    if (p == "AES" || p == "AES128" || p == "AES-128") {
        return "AES";
    }
    if (p == "AES192" || p == "AES-192") {
        return "AES192";
    }
    if (p == "AES256" || p == "AES-256") {
        return "AES256";
    }
    return {};
}

std::span<const OptionSpec> optionTable()
{
    using Id = OptionSpec::Id;
    static constexpr OptionSpec kOptions[] = {
        {Id::Address, "--address", nullptr, "A", "IPv4 address the agent listens on (127.0.0.1)"},
        {Id::Port, "--port", nullptr, "N", "UDP port of the agent (0: a free port)"},
        {Id::ReadCommunity, "--read-community", nullptr, "C", "read community (mirtal)"},
        {Id::WriteCommunity, "--write-community", nullptr, "C", "write community (solvane)"},
        {Id::User, "--user", nullptr, "U", "SNMPv3 user; needs --auth-pass"},
        {Id::AuthProto, "--auth-proto", nullptr, "P",
            "authentication: MD5 SHA SHA-224 SHA-256 SHA-384 SHA-512 (MD5)"},
        {Id::AuthPass, "--auth-pass", nullptr, "X",
            "authentication pass phrase, at least 8 characters"},
        {Id::PrivProto, "--priv-proto", nullptr, "P",
            "privacy: DES AES-128 AES-192 AES-256 (none)"},
        {Id::PrivPass, "--priv-pass", nullptr, "Y", "privacy pass phrase, at least 8 characters"},
        {Id::TftpPort, "--tftp-port", nullptr, "N",
            "port the TFTP client sends its requests to (69)"},
        {Id::State, "--state", nullptr, "FILE",
            "stored configuration, read at start and written on every change"},
        {Id::RestartSeconds, "--restart-seconds", nullptr, "N",
            "how long a restart keeps the device silent (5, at most 3600)"},
        {Id::RefreshMs, "--refresh-ms", nullptr, "N",
            "how long collecting a refreshed table takes (100, at most 600000)"},
        {Id::MaskSecrets, "--mask-secrets", nullptr, nullptr,
            "serve keys, pass phrases and passwords as '*'"},
        {Id::Help, "--help", "-h", nullptr, "print this text and end"},
        {Id::Version, "--version", nullptr, nullptr, "print the version and end"},
    };
    return kOptions;
}

std::string usageText()
{
    std::string text = "usage: kva7310-sim [option]...\n";
    constexpr std::size_t kHelpColumn = 25;
    for (const OptionSpec &o : optionTable()) {
        std::string head = std::string("  ") + o.name;
        if (o.alias != nullptr) {
            head += std::string(", ") + o.alias;
        }
        if (o.value != nullptr) {
            head += std::string(" ") + o.value;
        }
        head.resize(std::max(head.size() + 1, kHelpColumn), ' ');
        text += head + o.help + "\n";
    }
    return text
        + "Prints LISTENING <address>:<port> when ready, then reads control commands on stdin\n"
          "(type help). EOF, quit, SIGTERM or SIGINT end it. Exit status: 0 after an ordinary\n"
          "end, 1 when the agent cannot start, 2 for a bad command line.\n";
}

std::optional<AgentOptions> parseOptions(const std::vector<std::string> &args, std::string &error)
{
    using Id = OptionSpec::Id;
    AgentOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const OptionSpec *option = nullptr;
        for (const OptionSpec &candidate : optionTable()) {
            if (a == candidate.name || (candidate.alias != nullptr && a == candidate.alias)) {
                option = &candidate;
                break;
            }
        }
        if (option == nullptr) {
            error = "unknown option: " + a;
            return std::nullopt;
        }
        std::string v;
        if (option->value != nullptr) {
            if (i + 1 >= args.size()) {
                error = "missing value: " + a;
                return std::nullopt;
            }
            v = args[++i];
        }
        switch (option->id) {
        case Id::Help:
            o.help = true;
            break;
        case Id::Version:
            o.version = true;
            break;
        case Id::MaskSecrets:
            o.maskSecrets = true;
            break;
        case Id::Address:
            o.address = v;
            break;
        case Id::Port:
            if (!parsePort(v, 65535, o.port)) {
                error = "bad port: " + v;
                return std::nullopt;
            }
            break;
        case Id::ReadCommunity:
            o.readCommunity = v;
            break;
        case Id::WriteCommunity:
            o.writeCommunity = v;
            break;
        case Id::User:
            o.user = v;
            break;
        case Id::AuthProto:
            o.authProto = v;
            break;
        case Id::AuthPass:
            o.authPass = v;
            break;
        case Id::PrivProto:
            o.privProto = v;
            break;
        case Id::PrivPass:
            o.privPass = v;
            break;
        case Id::TftpPort:
            if (!parsePort(v, 65535, o.tftpPort) || o.tftpPort == 0) {
                error = "bad TFTP port: " + v;
                return std::nullopt;
            }
            break;
        case Id::State:
            o.statePath = v;
            break;
        case Id::RestartSeconds:
            if (!parsePort(v, 3600, o.restartSeconds)) {
                error = "bad restart time: " + v;
                return std::nullopt;
            }
            break;
        case Id::RefreshMs:
            if (!parsePort(v, 600000, o.refreshMs)) {
                error = "bad refresh time: " + v;
                return std::nullopt;
            }
            break;
        }
    }
    if (!o.user.empty()) {
        if (netSnmpAuthName(o.authProto).empty()) {
            error = "unknown auth protocol: " + o.authProto;
            return std::nullopt;
        }
        if (o.authPass.size() < 8) {
            error = "the auth pass phrase needs at least 8 characters";
            return std::nullopt;
        }
        if (!o.privProto.empty()) {
            if (netSnmpPrivName(o.privProto).empty()) {
                error = "unknown priv protocol: " + o.privProto;
                return std::nullopt;
            }
            if (o.privPass.size() < 8) {
                error = "the priv pass phrase needs at least 8 characters";
                return std::nullopt;
            }
        }
    } else if (!o.authPass.empty() || !o.privProto.empty() || !o.privPass.empty()) {
        error = "SNMPv3 settings need --user";
        return std::nullopt;
    }
    return o;
}

} // namespace sim
