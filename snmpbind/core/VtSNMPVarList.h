// A page's mutable copy of a static descriptor table, with instance suffix, key count and item type.
#pragma once

#include "UISnmpVar.h"

#include <QList>
#include <QString>

class VtSNMPVarList
{
public:
    VtSNMPVarList() = default;
    /// Instance and Caption empty, then Append(table).
    explicit VtSNMPVarList(
        const UISnmpVar *table, unsigned char itemType = itScalars, int keyCount = 0);
    /// Deep copy of the descriptors, ItemType, KeyCount and Caption; Instance starts empty.
    VtSNMPVarList(const VtSNMPVarList &other);
    /// Same as Assign(other): the target keeps its Instance.
    VtSNMPVarList &operator=(const VtSNMPVarList &other);
    ~VtSNMPVarList() = default;

    /// Replaces every descriptor by a copy of the other list's (Value and CursorOid included) and
    /// copies ItemType, KeyCount and Caption; Instance is left as it was.
    void Assign(const VtSNMPVarList &other);
    /// Adds copies of the rows of a static table up to its terminating row (null Oid); a null
    /// table adds nothing. Value and CursorOid of each copy start empty.
    void Append(const UISnmpVar *table);
    void Clear();

    int Count() const { return int(m_vars.size()); }

    /// The descriptor at position i; throws VtException (-12) outside 0 <= i < Count().
    VtSNMPVar &Var(int i);
    const VtSNMPVar &Var(int i) const;

    /// Out-of-range positions answer false in every predicate below.
    bool IsImplied(int i) const;
    bool IsRequested(int i) const;
    bool IsWritable(int i) const;
    bool IsShownColumn(int i) const;
    bool IsHiddenColumn(int i) const;

    bool IsTable() const { return ItemType == itTableSelect || ItemType == itTable; }

    int ShownColumnCount() const;
    int HiddenColumnCount() const;

    QString Instance; ///< appended as "." + Instance to every Oid; empty appends nothing
    int KeyCount = 0; ///< index columns are the first KeyCount variables
    unsigned char ItemType = itScalars;
    QString Caption; ///< replaces "[VARLIST]" in result lines

private:
    int flagsAt(int i) const;

    QList<VtSNMPVar> m_vars;
};
