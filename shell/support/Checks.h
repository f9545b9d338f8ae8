// Input checks every page uses for addresses, masks and texts with blank edges.
#pragma once

#include <QString>

/// A host address: four decimal parts, 1-223 . 0-255 . 0-255 . 1-254.
bool CheckIPAddress(const QString &text);

/// A contiguous subnet mask of prefix length 2 to 31, in dotted decimal.
bool CheckSubnetMask(const QString &text);

/// False for an empty text and for one that starts or ends with a blank.
bool CheckBlankEdges(const QString &text);

/// A MAC address as pages take it: exactly 12 hexadecimal digits, no separators, either case.
bool CheckMacAddress(const QString &text);

/// A MAC address in the device's form: the digits in upper case (the text unchanged otherwise).
QString normaliseMac(const QString &text);

/// Whether two MAC addresses are the same, whatever the case of their digits.
bool sameMac(const QString &a, const QString &b);
