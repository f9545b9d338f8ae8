// SNMP start-up: the library, the engine boots counter, the agent defaults and the event pump.
#pragma once

#include <QString>

/// The local SNMPv3 engine ID.
inline constexpr const char *kSnmpLocalEngineId = "VtSNMP_PP_Application";

/// Starts SNMP once per process: the library (its state kept in `directory`, or the module's
/// state directory when empty), the boots counter read from and saved back incremented into the
/// counter file in `directory`, the agent defaults and the event pump. Throws VtException -506
/// (the library cannot start), -507 (the counter file is unreadable or corrupt), -508 (it cannot
/// be saved).
void SnmpInit(const QString &directory);

/// The boots counter of the last SnmpInit.
unsigned SnmpEngineBoots();
