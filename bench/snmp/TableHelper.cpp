// A pass_persist helper for snmpd: serves fixed tables below 1.3.6.1.4.1.32473.99 from memory.
//   kva-bench-snmp-table test      a few small tables with integer, address, string and implied keys
//   kva-bench-snmp-table rows N    one Integer column of N rows (1.3.6.1.4.1.32473.99.9.1.2.<row>)
// Column 3 of table 1 takes SETs of strings.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Oid = std::vector<unsigned long>;

struct Cell
{
    std::string type;
    std::string value;
    bool writable = false;
};

Oid parse(const std::string &text)
{
    Oid oid;
    std::stringstream in(text[0] == '.' ? text.substr(1) : text);
    std::string part;
    while (std::getline(in, part, '.')) {
        if (part.empty()) {
            continue;
        }
        oid.push_back(std::strtoul(part.c_str(), nullptr, 10));
    }
    return oid;
}

std::string print(const Oid &oid)
{
    std::string text;
    for (const unsigned long n : oid) {
        text += '.' + std::to_string(n);
    }
    return text;
}

const Oid kBase = {1, 3, 6, 1, 4, 1, 32473, 99};

Oid at(std::initializer_list<unsigned long> tail)
{
    Oid oid = kBase;
    oid.insert(oid.end(), tail.begin(), tail.end());
    return oid;
}

Oid withString(Oid oid, const std::string &s, bool counted)
{
    if (counted) {
        oid.push_back(s.size());
    }
    for (const unsigned char c : s) {
        oid.push_back(c);
    }
    return oid;
}

void fillTest(std::map<Oid, Cell> &mib)
{
    // table 1: INTEGER key
    const struct
    {
        unsigned long key;
        const char *integer;
        const char *text;
        const char *address;
        const char *counter;
        const char *ticks;
    } rows[] = {
        {1, "-5", "alpha", "10.0.0.1", "100", "360000"},
        {2, "0", "beta", "10.0.0.2", "200", "8640000"},
        {7, "42", "gamma", "10.0.0.7", "4294967295", "0"},
    };

    for (const auto &r : rows) {
        mib[at({1, 1, 2, r.key})] = {"integer", r.integer};
        mib[at({1, 1, 3, r.key})] = {"string", r.text, true};
        mib[at({1, 1, 4, r.key})] = {"ipaddress", r.address};
        mib[at({1, 1, 5, r.key})] = {"counter", r.counter};
        mib[at({1, 1, 6, r.key})] = {"timeticks", r.ticks};
    }

    // table 2: keys IpAddress, INTEGER, length-prefixed string
    const struct
    {
        Oid address;
        unsigned long number;
        const char *name;
        const char *value;
    } rows2[] = {
        {{192, 168, 1, 20}, 3, "eth0", "11"},
        {{192, 168, 1, 20}, 4, "wlan", "12"},
        {{192, 168, 2, 1}, 1, "br", "13"},
    };

    for (const auto &r : rows2) {
        Oid index = r.address;
        index.push_back(r.number);
        index = withString(index, r.name, true);
        Oid oid = at({2, 1, 2});
        oid.insert(oid.end(), index.begin(), index.end());
        mib[oid] = {"integer", r.value};
    }

    // table 3: IMPLIED string key
    const struct
    {
        const char *name;
        const char *value;
    } rows3[] = {{"ab", "21"}, {"abc", "22"}};

    for (const auto &r : rows3) {
        mib[withString(at({3, 1, 2}), r.name, false)] = {"integer", r.value};
    }
}

void fillRows(std::map<Oid, Cell> &mib, unsigned long count)
{
    for (unsigned long i = 1; i <= count; ++i) {
        mib[at({9, 1, 2, i})] = {"integer", std::to_string(i)};
    }
}

void answer(const std::map<Oid, Cell>::const_iterator &it, const std::map<Oid, Cell> &mib)
{
    if (it == mib.end()) {
        std::cout << "NONE\n";
    } else {
        std::cout << print(it->first) << '\n'
                  << it->second.type << '\n'
                  << it->second.value << '\n';
    }
}

} // namespace

int main(int argc, char **argv)
{
    std::map<Oid, Cell> mib;
    const std::string mode = argc > 1 ? argv[1] : "test";
    if (mode == "rows" && argc > 2) {
        fillRows(mib, std::strtoul(argv[2], nullptr, 10));
    } else {
        fillTest(mib);
    }
    std::ios::sync_with_stdio(false);
    std::string command;
    while (std::getline(std::cin, command)) {
        if (command == "PING") {
            std::cout << "PONG\n";
        } else if (command == "get" || command == "getnext") {
            std::string oidText;
            std::getline(std::cin, oidText);
            const Oid oid = parse(oidText);
            answer(command == "get" ? mib.find(oid) : mib.upper_bound(oid), mib);
        } else if (command == "set") {
            std::string oidText;
            std::string typed;
            std::getline(std::cin, oidText);
            std::getline(std::cin, typed);
            auto it = mib.find(parse(oidText));
            const std::size_t space = typed.find(' ');
            if (it == mib.end() || !it->second.writable) {
                std::cout << "not-writable\n";
            } else if (typed.substr(0, space) != it->second.type) {
                std::cout << "wrong-type\n";
            } else {
                std::string value = space == std::string::npos ? "" : typed.substr(space + 1);
                if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
                    value = value.substr(1, value.size() - 2);
                }
                it->second.value = value;
                std::cout << "DONE\n";
            }
        } else if (command.empty()) {
            continue;
        } else {
            break;
        }
        std::cout.flush();
    }
    return 0;
}
