// What kva7310-snmp does with its parsed command line, on the module's SNMP engine.
#pragma once

#include "SnmpToolArgs.h"

#include <QTextStream>

namespace snmptool {

/// Runs one command; prints "<OID> = <value>" lines to `out` and "error <code>: <message>" lines
/// to `err`. Returns the process exit code: 0, or 1 when a failure was reported.
int run(const Options &options, QTextStream &out, QTextStream &err);

} // namespace snmptool
