// The instance suffix of a table row from its index columns, and the columns from a suffix.
#pragma once

#include "UISnmpVar.h"

#include <QString>

namespace indexcoding {

/// Decodes one index column from the front of `suffix` into `v.Value` (shown through its option
/// list when it has one) and returns what is left of the suffix. `lastImplied`: the column is the
/// last index and its length is not written. Throws the bad-key-count library error when the
/// suffix runs out or holds what the syntax cannot, the bad-syntax one for an unknown syntax.
QString decode(VtSNMPVar &v, bool lastImplied, const QString &suffix);
/// The sub-identifiers of one index column's value (its option list's value when it has one).
QString encode(const VtSNMPVar &v, bool lastImplied);

} // namespace indexcoding
