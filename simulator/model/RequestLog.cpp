// The request log.
#include "RequestLog.h"

#include "Quoting.h"

#include <algorithm>

namespace sim {

std::string LoggedBinding::text() const
{
    std::string out = instance.empty() ? name : name + "." + instance;
    if (hasValue) {
        out += "=" + value;
    }
    return out;
}

void RequestLog::add(LoggedRequest entry)
{
    entry.seq = m_next++;
    if (m_entries.size() >= 100000) {
        m_entries.erase(m_entries.begin(), m_entries.begin() + 50000); // bounded over long runs
    }
    m_entries.push_back(std::move(entry));
}

int RequestLog::count(const std::string &op) const
{
    return static_cast<int>(std::count_if(
        m_entries.begin(), m_entries.end(), [&](const LoggedRequest &e) { return e.op == op; }));
}

std::string RequestLog::format(const LoggedRequest &entry)
{
    std::string line = std::to_string(entry.seq) + " " + entry.op + " " + entry.version + " "
        + std::to_string(entry.requestId);
    for (const LoggedBinding &b : entry.bindings) {
        line += " " + b.text();
    }
    return line;
}

std::string RequestLog::formatPdu(const LoggedRequest &entry)
{
    std::string out = "pdu " + std::to_string(entry.seq) + " " + entry.op + " " + entry.version
        + " " + std::to_string(entry.requestId) + " " + std::to_string(entry.bindings.size())
        + "\n";
    for (const LoggedBinding &b : entry.bindings) {
        out += "  " + quoted(b.name) + " " + quoted(b.instance);
        if (b.hasValue) {
            out += " " + quoted(b.value);
        }
        out += "\n";
    }
    return out;
}

} // namespace sim
