// The device's configuration file: its own serialised state, used for TFTP backup and restore, for the
// stored (saved) configuration and for the --state file.
//
// Format (text, one item a line, UTF-8 bytes as they are):
//   KVA7310-CONFIG 1                 first line that is not a comment
//   # ...                            comment lines, ignored
//   <scalar>=<value>                 every writable scalar that is not a command or the clock
//                                    (sysName=AP-1)
//   <column>.<index>=<value>         every column of every entry of the configuration tables, the
//                                    index in OID form (vlanName.3=office, aclMac.1=0011223344AA)
//   END                              last line; a file without it is truncated and refused
// Values are in the text form of their syntax (MibDefs.h); '\' escapes '\\', '\n', '\r' and '\xHH'.
// Status tables (the ones the device fills itself) are not part of the configuration.
#pragma once

#include "MibStore.h"

#include <string>

namespace sim {

/// True for objects that trigger an action (commands, action, add, delete and refresh objects).
bool isCommandObject(const MibDefinition &mib, const ObjectDef &def);

std::string serialiseConfig(const MibStore &store);

/// Checks the whole file first (format, known names, values the device accepts) and changes nothing
/// when any line is wrong; otherwise replaces the configuration in `store`. `error` says why not.
bool loadConfig(MibStore &store, const std::string &text, std::string *error);

} // namespace sim
