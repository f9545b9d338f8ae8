// The administration page's rules as plain values: the limit status and its two boxes, the warning
// a limit gives while VLANs or access protection are on, the user name and VLAN ID checks, and where
// a new administrator address range goes in the device's range table.
#pragma once

#include <optional>
#include <vector>

#include <QString>

/// Item index of managerIpAddressStatus: 0 no limit, 1 VLAN ID, 2 addresses, 3 both.
int limitStatusIndex(bool byVid, bool byAddress);
bool limitsByVid(int statusIndex);
bool limitsByAddress(int statusIndex);

/// What the operator is told when the administrator is limited while the device's VLANs and/or
/// network access protection are on (the device turns them off); empty when neither is on.
QString limitWarning(bool vlanOn, bool protectionOn);

/// A user name the device accepts: ASCII letters and digits, "@", ".", "_" and "-" only.
bool CheckUserName(const QString &text);

/// A VLAN ID the administrator may be limited to: a whole number from 0 to 4095.
bool CheckAdminVid(const QString &text);

/// A dotted IPv4 address as a 32-bit number (a.b.c.d = a·2^24 + b·2^16 + c·2^8 + d).
std::optional<quint32> addressNumber(const QString &text);

/// One row of the device's range table, as shown: its start and end addresses.
struct AddressRange
{
    QString start;
    QString end;
};

/// Where a new range from..to goes: the first empty row (start and end "0.0.0.0"), unless a row
/// before it holds from or to within its start and end.
struct RangePlace
{
    enum Kind {
        EmptyRow, ///< row is the first empty row
        Overlaps, ///< from or to lies within row
        NoEmptyRow,
    };

    Kind kind = NoEmptyRow;
    int row = -1;
};

RangePlace placeRange(quint32 from, quint32 to, const std::vector<AddressRange> &rows);

/// The row holding exactly this start and end; -1 when none does.
int findRange(const std::vector<AddressRange> &rows, const QString &start, const QString &end);
