// Every PDU the agent received, in order, for tests that count or inspect requests.
#pragma once

#include <string>
#include <vector>

namespace sim {

struct LoggedRequest
{
    long long seq = 0;
    std::string op;      // get, getnext, getbulk, set, other
    std::string version; // v1, v2c, v3
    long requestId = 0;
    std::vector<std::string> bindings; // "name.instance" or "name.instance=value" for a SET
};

class RequestLog
{
public:
    void add(LoggedRequest entry);

    void clear() { m_entries.clear(); }

    const std::vector<LoggedRequest> &entries() const { return m_entries; }

    int count(const std::string &op) const;
    /// One line per entry: "<seq> <op> <version> <request-id> <binding> ...".
    static std::string format(const LoggedRequest &entry);

private:
    std::vector<LoggedRequest> m_entries;
    long long m_next = 1;
};

} // namespace sim
