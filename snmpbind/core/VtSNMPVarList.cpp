// Variable lists: owned copies of static descriptor rows and the predicates requests rely on.
#include "VtSNMPVarList.h"

#include "VtSNMPError.h"

namespace {

QString ownedText(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

VtSNMPVar::VtSNMPVar(const UISnmpVar &row)
    : Oid(ownedText(row.Oid)),
      Name(ownedText(row.Name)),
      Syntax(row.Syntax),
      Flags(row.Flags),
      Options(row.Options),
      ReadExpr(ownedText(row.ReadExpr)),
      WriteExpr(ownedText(row.WriteExpr)),
      Aux(ownedText(row.Aux))
{ }

VtSNMPVarList::VtSNMPVarList(const UISnmpVar *table, unsigned char itemType, int keyCount)
    : KeyCount(keyCount), ItemType(itemType)
{
    Append(table);
}

VtSNMPVarList::VtSNMPVarList(const VtSNMPVarList &other)
    : KeyCount(other.KeyCount),
      ItemType(other.ItemType),
      Caption(other.Caption),
      m_vars(other.m_vars)
{ }

VtSNMPVarList &VtSNMPVarList::operator=(const VtSNMPVarList &other)
{
    Assign(other);
    return *this;
}

void VtSNMPVarList::Assign(const VtSNMPVarList &other)
{
    if (&other == this) {
        return;
    }
    // QString copies share storage until either side writes, so the lists never see each
    // other's changes.
    m_vars = other.m_vars;
    ItemType = other.ItemType;
    KeyCount = other.KeyCount;
    Caption = other.Caption;
}

void VtSNMPVarList::Append(const UISnmpVar *table)
{
    if (!table) {
        return;
    }
    for (const UISnmpVar *row = table; row->Oid; ++row) {
        m_vars.append(VtSNMPVar(*row));
    }
}

void VtSNMPVarList::Clear()
{
    m_vars.clear();
}

VtSNMPVar &VtSNMPVarList::Var(int i)
{
    if (i < 0 || i >= Count()) {
        RaiseCommonError(12);
    }
    return m_vars[i];
}

const VtSNMPVar &VtSNMPVarList::Var(int i) const
{
    if (i < 0 || i >= Count()) {
        RaiseCommonError(12);
    }
    return m_vars.at(i);
}

int VtSNMPVarList::flagsAt(int i) const
{
    return i >= 0 && i < Count() ? m_vars.at(i).Flags : 0;
}

bool VtSNMPVarList::IsImplied(int i) const
{
    return flagsAt(i) & vfImplied;
}

bool VtSNMPVarList::IsRequested(int i) const
{
    const int flags = flagsAt(i);
    return (flags & vfRead) && !(flags & vfSkip);
}

bool VtSNMPVarList::IsWritable(int i) const
{
    if (i < 0 || i >= Count()) {
        return false;
    }
    const int flags = flagsAt(i);
    if (flags & vfSkip) {
        return false;
    }
    // Index columns count as writable so their values can be collected from controls; the
    // request engine never sends them as variables.
    return (flags & vfWrite) || (IsTable() && i < KeyCount);
}

bool VtSNMPVarList::IsShownColumn(int i) const
{
    const int flags = flagsAt(i);
    return !(flags & (vfSkip | vfHidden)) && (flags & (vfKey | vfRead | vfColumn));
}

bool VtSNMPVarList::IsHiddenColumn(int i) const
{
    if (i < 0 || i >= Count()) {
        return false;
    }
    const int flags = flagsAt(i);
    return flags == vfWrite || (flags & (vfSkip | vfHidden));
}

int VtSNMPVarList::ShownColumnCount() const
{
    int n = 0;
    for (int i = 0; i < Count(); ++i) {
        n += IsShownColumn(i) ? 1 : 0;
    }
    return n;
}

int VtSNMPVarList::HiddenColumnCount() const
{
    int n = 0;
    for (int i = 0; i < Count(); ++i) {
        n += IsHiddenColumn(i) ? 1 : 0;
    }
    return n;
}
