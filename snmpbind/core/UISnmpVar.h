// Variable descriptors: the static rows pages declare, the owned copies a list holds, and the
// syntax, flag and item-type codes they carry.
#pragma once

#include <QString>

class VtOptionList;

/// Syntax codes. Codes below 128 name the type carried in the variable binding.
enum : int {
    synBoolean = 1,
    synInteger = 2,
    synBitString = 3,
    synOctetString = 4,
    synNull = 5,
    synOid = 6,
    synIpAddress = 64,
    synCounter32 = 65,
    synGauge32 = 66,
    synTimeTicks = 67,
    synOpaque = 68,
    synIpAddressAlt = 69, ///< treated exactly like synIpAddress everywhere
    synCounter64 = 70,
    synUInteger32 = 71,
    synReal = 72, ///< 8-byte little-endian IEEE double in an OCTET STRING
    synMacAddress = 73,
    synDateAndTime = 74, ///< 11-byte DateAndTime in an OCTET STRING
    synDateTime = 75,    ///< 8-byte little-endian double day count (day 0 = 1899-12-30)
    synDisplayString = 76,
    // Pieces of a variable's bytes in a control binding; never in a descriptor.
    synBool8 = 193,
    synInt8 = 194,
    synUInt8 = 195,
    synBool16 = 196,
    synInt16 = 197,
    synUInt16 = 198,
};

/// Descriptor flags (a bit set; pages change it at run time).
enum : int {
    vfKey = 0x01, ///< index column: decoded from and encoded into the instance part of OIDs
    vfRead = 0x02,
    vfWrite = 0x04,
    vfColumn = 0x08,  ///< shown as a list-view column although not requested
    vfHidden = 0x10,  ///< shown as a zero-width list-view column
    vfSkip = 0x20,    ///< left out of reads and writes
    vfImplied = 0x40, ///< last index column encoded without a length prefix
};

/// How a variable list is requested.
enum : unsigned char {
    itScalars = 0,  ///< every OID gets ".0"; one GET
    itInstance = 1, ///< OIDs already name the instance; one GET (or GET-NEXT)
    itTableSelect =
        2,       ///< table walked with GET-NEXT; bound controls disabled until a row is selected
    itTable = 3, ///< table walked with GET-NEXT
};

/// One row of a page's static table; a table ends with a row whose Oid is null ({nullptr}).
struct UISnmpVar
{
    const char *Oid;
    const char *Name = nullptr;
    int Syntax = 0;
    int Flags = 0;
    const VtOptionList *Options = nullptr;
    const char *ReadExpr = nullptr;
    const char *WriteExpr = nullptr;
    const char *Aux = nullptr;
    const char *Value = nullptr;
    const char *CursorOid = nullptr;
};

/// A variable list's own copy of a descriptor: every text is owned, Value and CursorOid change
/// at run time. A null ReadExpr/WriteExpr/Aux stays a null QString.
struct VtSNMPVar
{
    QString Oid;
    QString Name;
    int Syntax = 0;
    int Flags = 0;
    const VtOptionList *Options = nullptr;
    QString ReadExpr;
    QString WriteExpr;
    QString Aux;
    QString Value;     ///< current value in the syntax's text form; empty before the first read
    QString CursorOid; ///< full OID last received; the get-next cursor of a table walk

    VtSNMPVar() = default;
    explicit VtSNMPVar(const UISnmpVar &row);
};

/// Text standing for a missing value in every syntax.
inline constexpr const char *kSnmpNullText = "(NULL)";
/// Value of a table column whose walk has ended.
inline constexpr const char *kSnmpNotDoneText = "(NOTDONE)";
