// The traffic control page's rules as plain functions: the mode an interface's two boxes give, a
// class's port range split into its two edits, and the number checks of the page's edits.
#pragma once

#include <QString>

namespace traffic {

/// An interface's mode: 0 disable, 1 downlink, 2 uplink.
enum Mode {
    kModeDisable = 0,
    kModeDownlink = 1,
    kModeUplink = 2,
};

/// The mode an interface's boxes give before a save; `current` (the device's, or the last click's)
/// when they say nothing, as for boxes the availability rule disabled.
int collectedMode(bool downEnabled, bool downChecked, bool upEnabled, bool upChecked, int current);

struct PortRange
{
    QString left;
    QString right;
};

/// A port text of the device split at its first "-": "1024-2048" gives 1024 and 2048; a text
/// without "-" gives an empty left and the whole text on the right.
PortRange splitPort(const QString &text);

/// The device's form of a range: left "-" right.
QString joinPort(const QString &left, const QString &right);

/// Decimal digits only, at least one.
bool allDigits(const QString &text);

/// A whole number as the device reads one (a sign allowed), blanks around it ignored.
bool readsAsInteger(const QString &text);

/// A bandwidth in Mbit/s the device takes: 1 to 150.
bool validBandwidth(const QString &text);

/// A class's share in percent: 1 to 100.
bool validLimit(const QString &text);

/// A traffic manager rule's speed: digits only, not 0 and not above `bandwidth` (a bandwidth that
/// is no number takes no speed).
bool speedWithin(const QString &speed, const QString &bandwidth);

} // namespace traffic
