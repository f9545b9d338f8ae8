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

std::string usageText()
{
    return "usage: kva7310-sim [--address A] [--port N] [--read-community C] [--write-community "
           "C]\n"
           "                   [--user U --auth-proto P --auth-pass X [--priv-proto P --priv-pass "
           "Y]]\n"
           "                   [--tftp-port N] [--state FILE] [--restart-seconds N]\n"
           "                   [--refresh-ms N] [--mask-secrets] [--help]\n"
           "  auth protocols: MD5 SHA SHA-224 SHA-256 SHA-384 SHA-512\n"
           "  priv protocols: DES AES-128 AES-192 AES-256\n"
           "Prints LISTENING <address>:<port> when ready, then reads control commands on stdin\n"
           "(type help).\n";
}

std::optional<AgentOptions> parseOptions(const std::vector<std::string> &args, std::string &error)
{
    AgentOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        if (a == "--help" || a == "-h") {
            o.help = true;
            continue;
        }
        if (a == "--mask-secrets") {
            o.maskSecrets = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = "unknown option or missing value: " + a;
            return std::nullopt;
        }
        const std::string &v = args[++i];
        if (a == "--address") {
            o.address = v;
        } else if (a == "--port") {
            if (!parsePort(v, 65535, o.port)) {
                error = "bad port: " + v;
                return std::nullopt;
            }
        } else if (a == "--read-community") {
            o.readCommunity = v;
        } else if (a == "--write-community") {
            o.writeCommunity = v;
        } else if (a == "--user") {
            o.user = v;
        } else if (a == "--auth-proto") {
            o.authProto = v;
        } else if (a == "--auth-pass") {
            o.authPass = v;
        } else if (a == "--priv-proto") {
            o.privProto = v;
        } else if (a == "--priv-pass") {
            o.privPass = v;
        } else if (a == "--tftp-port") {
            if (!parsePort(v, 65535, o.tftpPort) || o.tftpPort == 0) {
                error = "bad TFTP port: " + v;
                return std::nullopt;
            }
        } else if (a == "--state") {
            o.statePath = v;
        } else if (a == "--restart-seconds") {
            if (!parsePort(v, 3600, o.restartSeconds)) {
                error = "bad restart time: " + v;
                return std::nullopt;
            }
        } else if (a == "--refresh-ms") {
            if (!parsePort(v, 600000, o.refreshMs)) {
                error = "bad refresh time: " + v;
                return std::nullopt;
            }
        } else {
            error = "unknown option: " + a;
            return std::nullopt;
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
