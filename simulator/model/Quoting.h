// Quoted words: how the control channel takes values with blanks and prints values holding any byte.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace sim {

/// `text` in double quotes, with '"' as \", '\' as \\ and every byte below 0x20, 0x7f and above as
/// \xHH, so that the result is one printable word whatever the text holds.
std::string quoted(const std::string &text);
/// `text` itself when it is a non-empty run of printable ASCII without blank, '"' or '\'; otherwise
/// quoted(text).
std::string quoteWord(const std::string &text);

/// Splits a line at blanks. A double-quoted stretch, anywhere in a word, keeps its blanks and takes
/// the escapes \", \\ and \xHH (`ssid="Lab AP"` is the one word `ssid=Lab AP`). nullopt with `error`
/// set on an unterminated quote or an unknown escape.
std::optional<std::vector<std::string>> splitQuoted(const std::string &line, std::string *error);

} // namespace sim
