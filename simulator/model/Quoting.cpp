// Quoted words.
#include "Quoting.h"

#include <cstdio>

namespace sim {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::string quoted(const std::string &text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            char buf[5];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string quoteWord(const std::string &text)
{
    if (text.empty()) {
        return quoted(text);
    }
    for (unsigned char c : text) {
        if (c <= 0x20 || c >= 0x7f || c == '"' || c == '\\') {
            return quoted(text);
        }
    }
    return text;
}

std::optional<std::vector<std::string>> splitQuoted(const std::string &line, std::string *error)
{
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        if (i >= line.size()) {
            break;
        }
        std::string word;
        bool inQuotes = false;
        for (; i < line.size() && (inQuotes || !isBlank(line[i])); ++i) {
            const char c = line[i];
            if (c == '"') {
                inQuotes = !inQuotes;
                continue;
            }
            if (c != '\\' || !inQuotes) {
                word += c;
                continue;
            }
            if (i + 1 >= line.size()) {
                break;
            }
            const char e = line[++i];
            if (e == '"' || e == '\\') {
                word += e;
            } else if (e == 'x' && i + 2 < line.size() && hexValue(line[i + 1]) >= 0
                && hexValue(line[i + 2]) >= 0) {
                word += static_cast<char>(hexValue(line[i + 1]) * 16 + hexValue(line[i + 2]));
                i += 2;
            } else {
                if (error) {
                    *error = std::string("unknown escape \\") + e;
                }
                return std::nullopt;
            }
        }
        if (inQuotes) {
            if (error) {
                *error = "unterminated quote";
            }
            return std::nullopt;
        }
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace sim
