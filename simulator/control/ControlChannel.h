// The control channel: one command a line on stdin, the answer on stdout. Every answer ends with one
// line "OK ..." or "ERROR ..."; commands that list things print their lines before it.
#pragma once

#include "model/Behaviours.h"
#include "model/Faults.h"
#include "model/RequestLog.h"

#include <functional>
#include <string>

namespace sim {

class ControlChannel
{
public:
    struct Hooks
    {
        std::function<void()> restartNow;
        std::function<void()> quit;
        std::function<long long()> nowMs;
        std::function<void(int)> setTftpPort;
    };

    ControlChannel(Behaviours &behaviours, Faults &faults, RequestLog &log, Hooks hooks);

    /// Runs one command line and returns the full answer, each line ending in '\n'.
    std::string handle(const std::string &line);

    static std::string helpText();

private:
    std::string get(const std::string &target);
    std::string set(const std::string &target, const std::string &value);
    std::string walk(const std::string &prefix);
    std::string source(const std::string &rest);
    std::string fault(const std::vector<std::string> &words);

    Behaviours &m_behaviours;
    Faults &m_faults;
    RequestLog &m_log;
    Hooks m_hooks;
};

} // namespace sim
