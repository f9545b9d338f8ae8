// The QoS page's rules as plain functions: how a rule's ports are listed, what each protocol does
// to the protocol number and the port edits, and the counts a rule carries.
#pragma once

#include <QString>

namespace qos {

/// Items of the protocol list: Any, TCP, UDP, Both, ICMP, Other.
enum ProtocolIndex {
    kProtocolAny = 0,
    kProtocolTcp = 1,
    kProtocolUdp = 2,
    kProtocolBoth = 3,
    kProtocolIcmp = 4,
    kProtocolOther = 5,
};

/// A port range as the rule list shows it: "Any" when both ends are 0, else start "/" end with a 0
/// end shown as "Any".
QString portText(const QString &start, const QString &end);

/// The "Protocol / Ports " column: the protocol text, then both hosts' port texts.
QString protocolPortsText(const QString &protocol, const QString &start1, const QString &end1,
    const QString &start2, const QString &end2);

struct ProtocolRule
{
    const char *number;  ///< what the protocol number shows; null: left as it is
    bool numberEditable; ///< the operator types the number (Other)
    bool ports;          ///< the port edits apply (TCP, UDP, Both)
};

/// What protocol item `index` does to the protocol number and the port edits.
ProtocolRule protocolRule(int index);

/// A port the device takes: a decimal number from 1 to 65535.
bool validPort(const QString &text);

/// The protocol number: a decimal number from 1 to 999.
bool validProtocolNumber(const QString &text);

/// A dotted address as a 32-bit number (the parts as they read; a missing part counts as 0).
quint32 addressValue(const QString &address);

/// Both addresses in one /24 network.
bool sameNetwork(const QString &from, const QString &to);

/// How many addresses a range holds: the last parts' difference plus 1.
int addressCount(const QString &from, const QString &to);

/// How many ports a range holds: end minus start plus 1, or 0 when either end is 0.
int portCount(const QString &start, const QString &end);

} // namespace qos
