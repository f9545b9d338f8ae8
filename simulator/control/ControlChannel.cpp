// The control channel's commands.
#include "control/ControlChannel.h"

#include "model/Quoting.h"

#include <cctype>
#include <cstdio>
#include <sstream>
#include <vector>

namespace sim {

namespace {

std::vector<std::string> splitWords(const std::string &line, std::size_t max)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
        }
        if (i >= line.size()) {
            break;
        }
        if (words.size() + 1 == max) {
            std::string rest = line.substr(i);
            while (!rest.empty() && (rest.back() == '\r' || rest.back() == '\n')) {
                rest.pop_back();
            }
            words.push_back(rest);
            break;
        }
        std::size_t j = i;
        while (j < line.size() && !std::isspace(static_cast<unsigned char>(line[j]))) {
            ++j;
        }
        words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

bool toInt(const std::string &text, long long lo, long long hi, long long &out)
{
    if (text.empty() || text.size() > 12) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])) && !(i == 0 && text[i] == '-')) {
            return false;
        }
    }
    try {
        out = std::stoll(text);
    } catch (...) {
        return false;
    }
    return out >= lo && out <= hi;
}

std::string printable(const std::string &text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7f) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace

ControlChannel::ControlChannel(Behaviours &behaviours, Faults &faults, RequestLog &log, Hooks hooks)
    : m_behaviours(behaviours), m_faults(faults), m_log(log), m_hooks(std::move(hooks))
{ }

std::string ControlChannel::helpText()
{
    return "help                          this list\n"
           "get <name|oid>                one value (name as sysName, sysName.0, vlanName.3)\n"
           "set <name|oid> <value>        write a value without the device's checks or actions\n"
           "oid <name>                    the instance OID a name stands for\n"
           "walk [name|oid]               every served instance below it (all without argument)\n"
           "restart                       restart the device now\n"
           "installed                     the last installed file: kind name size checksum\n"
           "devlog                        the device's own log\n"
           "stored                        the stored configuration\n"
           "log                           the request log: seq op version request-id bindings\n"
           "logpdu                        the request log whole: per PDU a line\n"
           "                              pdu <seq> <op> <version> <request-id> <bindings>, then\n"
           "                              per binding \"<name>\" \"<instance>\" [\"<value>\"]\n"
           "                              (quoted; \\\" \\\\ and \\xHH inside)\n"
           "clearlog                      empty the request log\n"
           "source list [<source>]        what the device finds when it collects a status table\n"
           "source fields                 each source with its key, fields and defaults\n"
           "source <source> add <key> [<field>=<value> ...]   a value with blanks in \"...\"\n"
           "source <source> del <key>     remove one entry\n"
           "source <source> clear         no entries\n"
           "source <source> reset         the entries the device starts with\n"
           "                              sources: neighbours clients hosts wds leases arrays "
           "members\n"
           "mask [on|off]                 serve keys, passphrases and passwords as '*' (or show)\n"
           "fault silent <seconds>        answer nothing for that long\n"
           "fault drop <percent>          drop that share of requests\n"
           "fault delay <ms>              send every answer that much later\n"
           "fault wrongtype <name|oid>    answer that object with a wrong type\n"
           "fault short <name|oid>        answer that object with a too-short value\n"
           "fault seterror <name|oid> <status>  fail a SET of it (genErr, noAccess, ...)\n"
           "fault nosuchname <name|oid>   behave as if the object were not there\n"
           "fault failtransfer            break the next TFTP transfer off after its first block\n"
           "                              (a store of one block: before it)\n"
           "fault restartwalk <n>         restart at the n-th next GET-NEXT\n"
           "fault clear                   no faults\n"
           "tftpport <port>               send the TFTP client's requests to this port\n"
           "quit                          end the simulator\n";
}

std::string ControlChannel::handle(const std::string &line)
{
    std::vector<std::string> words = splitWords(line, 2);
    if (words.empty()) {
        return "ERROR empty command\n";
    }
    const std::string cmd = words[0];
    const std::string rest = words.size() > 1 ? words[1] : std::string();
    if (cmd == "help") {
        return helpText() + "OK\n";
    }
    if (cmd == "get") {
        return get(rest);
    }
    if (cmd == "set") {
        auto parts = splitWords(rest, 2);
        if (parts.empty()) {
            return "ERROR usage: set <name|oid> <value>\n";
        }
        return set(parts[0], parts.size() > 1 ? parts[1] : std::string());
    }
    if (cmd == "oid") {
        auto oid = m_behaviours.store().resolve(rest);
        return oid ? "OK " + formatOid(*oid) + "\n"
                   : "ERROR unknown object: " + printable(rest) + "\n";
    }
    if (cmd == "walk") {
        return walk(rest);
    }
    if (cmd == "restart" && rest.empty()) {
        if (m_hooks.restartNow) {
            m_hooks.restartNow();
        }
        return "OK restarting\n";
    }
    if (cmd == "installed" && rest.empty()) {
        const auto &f = m_behaviours.lastInstalled();
        if (!f) {
            return "OK none\n";
        }
        char crc[16];
        std::snprintf(crc, sizeof crc, "%08X", f->checksum);
        return "OK " + f->kind + " " + printable(f->name) + " " + std::to_string(f->size) + " "
            + crc + "\n";
    }
    if (cmd == "devlog" && rest.empty()) {
        std::string out;
        for (const std::string &l : m_behaviours.log()) {
            out += printable(l) + "\n";
        }
        return out + "OK " + std::to_string(m_behaviours.log().size()) + "\n";
    }
    if (cmd == "stored" && rest.empty()) {
        return m_behaviours.storedConfig() + "OK\n";
    }
    if (cmd == "log" && rest.empty()) {
        std::string out;
        for (const LoggedRequest &e : m_log.entries()) {
            out += printable(RequestLog::format(e)) + "\n";
        }
        return out + "OK " + std::to_string(m_log.entries().size()) + "\n";
    }
    if (cmd == "logpdu" && rest.empty()) {
        std::string out;
        for (const LoggedRequest &e : m_log.entries()) {
            out += RequestLog::formatPdu(e);
        }
        return out + "OK " + std::to_string(m_log.entries().size()) + "\n";
    }
    if (cmd == "source") {
        return source(rest);
    }
    if (cmd == "mask") {
        if (rest == "on" || rest == "off") {
            m_behaviours.setMaskSecrets(rest == "on");
            return "OK\n";
        }
        if (rest.empty()) {
            return std::string("OK ") + (m_behaviours.maskSecrets() ? "on" : "off") + "\n";
        }
        return "ERROR usage: mask [on|off]\n";
    }
    if (cmd == "clearlog" && rest.empty()) {
        m_log.clear();
        return "OK\n";
    }
    if (cmd == "fault") {
        return fault(splitWords(rest, 3));
    }
    if (cmd == "tftpport") {
        long long port = 0;
        if (!toInt(rest, 1, 65535, port)) {
            return "ERROR usage: tftpport <1-65535>\n";
        }
        if (m_hooks.setTftpPort) {
            m_hooks.setTftpPort(static_cast<int>(port));
        }
        return "OK " + std::to_string(port) + "\n";
    }
    if (cmd == "quit" && rest.empty()) {
        if (m_hooks.quit) {
            m_hooks.quit();
        }
        return "OK bye\n";
    }
    return "ERROR unknown command: " + printable(line.substr(0, 80)) + " (try help)\n";
}

std::string ControlChannel::get(const std::string &target)
{
    MibStore &store = m_behaviours.store();
    if (m_hooks.nowMs) {
        m_behaviours.tick(m_hooks.nowMs());
    }
    auto oid = store.resolve(target);
    if (!oid) {
        return "ERROR unknown object: " + printable(target) + "\n";
    }
    auto f = store.get(*oid);
    if (!f) {
        return "ERROR no such instance: " + printable(target) + "\n";
    }
    return "OK " + printable(formatValue(f->def->syntax, f->value)) + "\n";
}

std::string ControlChannel::set(const std::string &target, const std::string &valueText)
{
    MibStore &store = m_behaviours.store();
    auto oid = store.resolve(target);
    if (!oid) {
        return "ERROR unknown object: " + printable(target) + "\n";
    }
    const ObjectDef *def = nullptr;
    if (auto f = store.get(*oid)) {
        def = f->def;
    } else {
        def = store.object(target.substr(0, target.find('.')));
    }
    if (!def) {
        return "ERROR no such instance: " + printable(target) + "\n";
    }
    std::string why;
    auto value = parseValue(def->syntax, valueText, &why);
    if (!value) {
        return "ERROR " + printable(why) + "\n";
    }
    if (store.put(*oid, *value)) {
        if (m_hooks.nowMs) {
            m_behaviours.tick(m_hooks.nowMs()); // a clock set here runs from now on
        }
        return "OK\n";
    }
    // a new row of a dynamic table
    if (MibStore::Table *t = store.tableOfColumn(def->name)) {
        auto col = parseOid(def->oid);
        const Oid index(oid->begin() + static_cast<long>(col->size()), oid->end());
        if (store.setCell(t->def->name, index, store.columnIndex(*t, def->name), *value)) {
            return "OK\n";
        }
    }
    return "ERROR no such instance: " + printable(target) + "\n";
}

std::string ControlChannel::walk(const std::string &prefixText)
{
    MibStore &store = m_behaviours.store();
    if (m_hooks.nowMs) {
        m_behaviours.tick(m_hooks.nowMs());
    }
    Oid prefix;
    if (!prefixText.empty()) {
        auto oid = store.resolve(prefixText);
        if (!oid) {
            return "ERROR unknown object: " + printable(prefixText) + "\n";
        }
        prefix = *oid;
    }
    std::string out;
    int n = 0;
    if (auto exact = store.get(prefix); exact && !prefix.empty()) {
        out += store.nameOf(exact->oid) + " = "
            + printable(formatValue(exact->def->syntax, exact->value)) + "\n";
        ++n;
    }
    for (auto f = store.getNext(prefix); f && oidStartsWith(f->oid, prefix);
         f = store.getNext(f->oid)) {
        out +=
            store.nameOf(f->oid) + " = " + printable(formatValue(f->def->syntax, f->value)) + "\n";
        ++n;
    }
    return out + "OK " + std::to_string(n) + "\n";
}

std::string ControlChannel::source(const std::string &rest)
{
    Sources &sources = m_behaviours.sources();
    std::string why;
    auto words = splitQuoted(rest, &why);
    if (!words) {
        return "ERROR " + printable(why) + "\n";
    }
    const std::vector<std::string> &w = *words;
    if (w.empty()) {
        return "ERROR usage: source list|fields|<source> add|del|clear|reset ...\n";
    }
    auto listed = [](const std::vector<std::string> &lines) {
        std::string out;
        for (const std::string &l : lines) {
            out += printable(l) + "\n";
        }
        return out + "OK " + std::to_string(lines.size()) + "\n";
    };
    if (w[0] == "list" && w.size() <= 2) {
        if (w.size() == 2 && !sources.has(w[1])) {
            return "ERROR unknown source: " + printable(w[1]) + "\n";
        }
        return listed(sources.list(w.size() == 2 ? w[1] : std::string()));
    }
    if (w[0] == "fields" && w.size() == 1) {
        return listed(sources.fields());
    }
    if (!sources.has(w[0])) {
        return "ERROR unknown source: " + printable(w[0]) + "\n";
    }
    const std::string verb = w.size() > 1 ? w[1] : std::string();
    bool ok = false;
    if (verb == "add" && w.size() >= 3) {
        ok = sources.add(w[0], std::vector<std::string>(w.begin() + 2, w.end()), &why);
    } else if (verb == "del" && w.size() == 3) {
        ok = sources.remove(w[0], w[2], &why);
    } else if (verb == "clear" && w.size() == 2) {
        ok = sources.clear(w[0], &why);
    } else if (verb == "reset" && w.size() == 2) {
        ok = sources.reset(w[0], &why);
    } else {
        why = "usage: source " + w[0]
            + " add <key> [<field>=<value> ...] | del <key> | clear | reset";
    }
    return ok ? "OK\n" : "ERROR " + printable(why) + "\n";
}

std::string ControlChannel::fault(const std::vector<std::string> &words)
{
    if (words.empty()) {
        return "ERROR usage: fault <kind> ...\n";
    }
    const std::string &kind = words[0];
    long long n = 0;
    if (kind == "clear" && words.size() == 1) {
        m_faults.clear();
        return "OK\n";
    }
    if (kind == "failtransfer" && words.size() == 1) {
        m_faults.failNextTransfer = true;
        return "OK\n";
    }
    if (words.size() == 2
        && (kind == "silent" || kind == "drop" || kind == "delay" || kind == "restartwalk")) {
        const long long hi = kind == "drop" ? 100 : kind == "delay" ? 600000 : 86400;
        if (!toInt(words[1], kind == "restartwalk" ? 1 : 0, hi, n)) {
            return "ERROR bad number: " + printable(words[1]) + "\n";
        }
        if (kind == "silent") {
            m_faults.silentUntilMs = (m_hooks.nowMs ? m_hooks.nowMs() : 0) + n * 1000;
        } else if (kind == "drop") {
            m_faults.dropPercent = static_cast<int>(n);
        } else if (kind == "delay") {
            m_faults.delayMs = static_cast<int>(n);
        } else {
            m_faults.restartAfterGetNext = static_cast<int>(n);
        }
        return "OK\n";
    }
    if (words.size() >= 2
        && (kind == "wrongtype" || kind == "short" || kind == "nosuchname" || kind == "seterror")) {
        auto oid = m_behaviours.store().resolve(words[1]);
        if (!oid) {
            return "ERROR unknown object: " + printable(words[1]) + "\n";
        }
        if (kind == "seterror") {
            if (words.size() != 3) {
                return "ERROR usage: fault seterror <name|oid> <status>\n";
            }
            for (int s = 1; s <= 18; ++s) {
                if (words[2] == errorStatusName(static_cast<ErrorStatus>(s))) {
                    m_faults.setError[*oid] = static_cast<ErrorStatus>(s);
                    return "OK\n";
                }
            }
            return "ERROR unknown error status: " + printable(words[2]) + "\n";
        }
        if (words.size() != 2) {
            return "ERROR too many words\n";
        }
        (kind == "wrongtype"      ? m_faults.wrongType
                : kind == "short" ? m_faults.shortValue
                                  : m_faults.noSuchName)[*oid] = true;
        return "OK\n";
    }
    return "ERROR unknown fault: " + printable(kind) + "\n";
}

} // namespace sim
