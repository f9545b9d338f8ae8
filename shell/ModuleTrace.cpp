// Monotonic time stamps of the module's start-up stages, printed when KVA7310_TRACE is set.
#include "ModuleTrace.h"

#include <cstdio>
#include <ctime>

#include <QtGlobal>

void moduleTrace(const char *event)
{
    static const bool enabled = !qEnvironmentVariableIsEmpty("KVA7310_TRACE");
    if (!enabled) {
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double ms =
        static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
    std::fprintf(stderr, "kva7310-module trace %.3f %s\n", ms, event);
    std::fflush(stderr);
}
