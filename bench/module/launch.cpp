// Starts a program, times it from just before its start to its trace stamp with a marker, and
// reports its peak memory and, on request, its processor time while it idles afterwards.
//
//     kva-bench-module-launch [--idle SECONDS [--settle SECONDS]] MARKER PROGRAM [ARGS...]
//     start_ms=<n> rss_kb=<n> [idle_cpu_pct=<n> idle_wakeups_per_s=<n>]
//
// The idle window opens `--settle` seconds after the marker (none unless given): the work that
// follows the start-up, such as the first paint of the window, is a one-off, not an idle rate.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double monotonicMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

long statusKb(pid_t pid, const char *field)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0) {
            return std::strtol(line.c_str() + key.size(), nullptr, 10);
        }
    }
    return -1;
}

/// Calls `visit` with the /proc directory of every thread of the process; false when there is
/// no such process.
template <typename Visit>
bool forEachThread(pid_t pid, Visit visit)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR *dir = opendir(tasks.c_str());
    if (dir == nullptr) {
        return false;
    }
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] != '.') {
            visit(tasks + "/" + entry->d_name);
        }
    }
    closedir(dir);
    return true;
}

/// Context switches of every thread of the process so far: how often it woke up.
long long contextSwitches(pid_t pid)
{
    long long total = 0;
    const bool found = forEachThread(pid, [&total](const std::string &thread) {
        std::ifstream in(thread + "/status");
        std::string line;
        while (std::getline(in, line)) {
            for (const char *key : {"voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:"}) {
                if (line.rfind(key, 0) == 0) {
                    total += std::strtoll(line.c_str() + std::strlen(key), nullptr, 10);
                }
            }
        }
    });
    return found ? total : -1;
}

/// User plus system time of the process in clock ticks.
long long cpuTicks(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = all.rfind(')');
    if (close == std::string::npos) {
        return -1;
    }
    std::istringstream fields(all.substr(close + 2));
    std::string f;
    long long utime = 0;
    long long stime = 0;
    for (int i = 3; i <= 15 && fields >> f; ++i) {
        if (i == 14) {
            utime = std::atoll(f.c_str());
        } else if (i == 15) {
            stime = std::atoll(f.c_str());
        }
    }
    return utime + stime;
}

/// Processor time of every thread of the process so far in nanoseconds, from the scheduler's
/// own accounting (/proc/PID/task/TID/schedstat); -1 where the system keeps none. Clock ticks
/// are samples: at 100 a second, an idle window of 30 s resolves only 0.033 % steps.
long long cpuNanoseconds(pid_t pid)
{
    long long total = 0;
    bool any = false;
    forEachThread(pid, [&total, &any](const std::string &thread) {
        std::ifstream in(thread + "/schedstat");
        long long running = 0;
        if (in >> running) {
            total += running;
            any = true;
        }
    });
    return any ? total : -1;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            return;
        }
        usleep(20000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char **argv)
{
    int at = 1;
    int idleSeconds = 0;
    double settleSeconds = 0;
    if (argc > 2 && std::strcmp(argv[1], "--idle") == 0) {
        idleSeconds = std::atoi(argv[2]);
        at = 3;
        if (argc > 4 && std::strcmp(argv[3], "--settle") == 0) {
            settleSeconds = std::atof(argv[4]);
            at = 5;
        }
    }
    if (argc - at < 2) {
        std::fprintf(stderr,
            "usage: %s [--idle SECONDS [--settle SECONDS]] MARKER PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string marker = std::string(" ") + argv[at];
    int fds[2];
    if (pipe(fds) != 0) {
        return 1;
    }
    const double started = monotonicMs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDERR_FILENO);
        close(fds[0]);
        close(fds[1]);
        execv(argv[at + 1], argv + at + 1);
        std::_Exit(127);
    }
    close(fds[1]);

    std::string buffer;
    double stamp = -1;
    const double deadline = monotonicMs() + 30000;
    while (stamp < 0 && monotonicMs() < deadline) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) {
            continue;
        }
        char chunk[4096];
        const ssize_t n = read(fds[0], chunk, sizeof chunk);
        if (n <= 0) {
            break;
        }
        buffer.append(chunk, static_cast<size_t>(n));
        std::size_t eol;
        while ((eol = buffer.find('\n')) != std::string::npos) {
            const std::string line = buffer.substr(0, eol);
            buffer.erase(0, eol + 1);
            const auto trace = line.find(" trace ");
            if (trace != std::string::npos && line.size() >= marker.size()
                && line.compare(line.size() - marker.size(), marker.size(), marker) == 0) {
                stamp = std::atof(line.c_str() + trace + 7);
            }
        }
    }
    // Keep draining its output so it never blocks on a full pipe.
    fcntl(fds[0], F_SETFL, O_NONBLOCK);
    if (stamp < 0) {
        std::fprintf(stderr, "launch: no '%s' stamp from %s\n", argv[at], argv[at + 1]);
        stop(pid);
        return 1;
    }
    std::printf("start_ms=%.1f", stamp - started);
    if (idleSeconds > 0) {
        const double settled = monotonicMs() + settleSeconds * 1000.0;
        while (monotonicMs() < settled) {
            char sink[4096];
            while (read(fds[0], sink, sizeof sink) > 0) { }
            usleep(100000);
        }
        const long long before = cpuTicks(pid);
        const long long nsBefore = cpuNanoseconds(pid);
        const long long switchesBefore = contextSwitches(pid);
        const double from = monotonicMs();
        const double until = from + idleSeconds * 1000.0;
        while (monotonicMs() < until) {
            char sink[4096];
            while (read(fds[0], sink, sizeof sink) > 0) { }
            usleep(100000);
        }
        const long long ticks = cpuTicks(pid) - before;
        const long long nsAfter = cpuNanoseconds(pid);
        const long long switches = contextSwitches(pid) - switchesBefore;
        const double seconds = (monotonicMs() - from) / 1000.0;
        const double busySeconds = nsBefore >= 0 && nsAfter >= 0
            ? static_cast<double>(nsAfter - nsBefore) / 1e9
            : static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
        std::printf(" idle_cpu_pct=%.3f idle_wakeups_per_s=%.2f", 100.0 * busySeconds / seconds,
            static_cast<double>(switches) / seconds);
    }
    std::printf(" rss_kb=%ld\n", statusKb(pid, "VmHWM"));
    stop(pid);
    return 0;
}
