// kva7310-sim: the access point's SNMP agent and TFTP client, with a control channel on stdin.
#include "KvaVersion.h"
#include "agent/Dispatcher.h"
#include "agent/Options.h"
#include "control/ControlChannel.h"
#include "model/ConfigFile.h"
#include "model/DeviceMib.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int)
{
    g_stop = 1;
}

bool readFile(const std::string &path, std::string &out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

void writeFileAtomically(const std::string &path, const std::string &text)
{
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out) {
            return;
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
}

} // namespace

int main(int argc, char **argv)
{
    std::string error;
    auto options = sim::parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "kva7310-sim: %s\n%s", error.c_str(), sim::usageText().c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(sim::usageText().c_str(), stdout);
        return 0;
    }
    if (options->version) {
        std::printf("kva7310-sim %s\n", kva::kVersion);
        return 0;
    }
    std::signal(SIGPIPE, SIG_IGN);
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);

    // Net-SNMP's files and ours live in a private temporary directory
    std::string tmpl = (std::filesystem::temp_directory_path() / "kva7310-sim-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) {
        std::fprintf(stderr, "kva7310-sim: cannot create a temporary directory\n");
        return 1;
    }
    const std::string workDir = tmpl;

    int rc = 0;
    {
        sim::MibStore store(sim::deviceMib());
        sim::Behaviours behaviours(store);
        behaviours.setRefreshDelayMs(options->refreshMs);
        behaviours.setMaskSecrets(options->maskSecrets);
        sim::Faults faults;
        sim::RequestLog log;
        if (!options->statePath.empty()) {
            std::string text;
            if (readFile(options->statePath, text) && !behaviours.loadStored(text, &error)) {
                std::fprintf(stderr, "kva7310-sim: state file ignored: %s\n", error.c_str());
            }
            const std::string path = options->statePath;
            behaviours.onStoredChanged = [path](const std::string &stored) {
                writeFileAtomically(path, stored);
            };
        }
        sim::Dispatcher dispatcher(*options, behaviours, faults, log);
        dispatcher.setStopFlag(&g_stop);
        if (!dispatcher.open(workDir, error)) {
            std::fprintf(stderr, "kva7310-sim: %s\n", error.c_str());
            rc = 1;
        } else {
            sim::ControlChannel control(behaviours, faults, log,
                {[&] { dispatcher.restartNow(); }, [&] { dispatcher.stop(); },
                    [&] { return dispatcher.nowMs(); },
                    [&](int port) { dispatcher.setTftpPort(port); }});
            std::printf("LISTENING %s:%d\n", options->address.c_str(), dispatcher.port());
            std::fflush(stdout);
            dispatcher.run(
                STDIN_FILENO, [&](const std::string &line) { return control.handle(line); });
        }
    }
    std::error_code ec;
    std::filesystem::remove_all(workDir, ec);
    return rc;
}
