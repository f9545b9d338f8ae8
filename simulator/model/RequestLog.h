// Every PDU the agent received, in order, for tests that count or inspect requests.
#pragma once

#include <string>
#include <vector>

namespace sim {

/// One binding as received: the object's name and instance ("dot11Ssid", "1"), or the numeric OID and
/// an empty instance when the device serves nothing there; a SET's value in the object's text form.
struct LoggedBinding
{
    std::string name;
    std::string instance;
    std::string value;
    bool hasValue = false; // only a SET carries values

    /// "name.instance" (the OID alone when the instance is empty), "=value" appended for a SET.
    std::string text() const;
};

struct LoggedRequest
{
    long long seq = 0;
    std::string op;      // get, getnext, getbulk, set, other
    std::string version; // v1, v2c, v3
    long requestId = 0;
    std::vector<LoggedBinding> bindings;
};

class RequestLog
{
public:
    void add(LoggedRequest entry);

    void clear() { m_entries.clear(); }

    const std::vector<LoggedRequest> &entries() const { return m_entries; }

    int count(const std::string &op) const;
    /// One line per entry: "<seq> <op> <version> <request-id> <binding> ...", bindings as text().
    /// A value holding a blank cannot be told apart from the next binding here: see formatPdu.
    static std::string format(const LoggedRequest &entry);
    /// The entry whole and unambiguous: a line "pdu <seq> <op> <version> <request-id> <bindings>",
    /// then one line per binding, indented by two blanks, with its name, its instance and (for a
    /// SET) its value, each a quoted word (Quoting.h): `  "dot11Ssid" "1" "Lab AP"`.
    static std::string formatPdu(const LoggedRequest &entry);

private:
    std::vector<LoggedRequest> m_entries;
    long long m_next = 1;
};

} // namespace sim
