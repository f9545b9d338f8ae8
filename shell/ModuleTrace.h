// Monotonic time stamps of the module's start-up stages, printed when KVA7310_TRACE is set.
#pragma once

/// Prints "kva7310-module trace <monotonic ms> <event>" to standard error when tracing is on.
void moduleTrace(const char *event);
