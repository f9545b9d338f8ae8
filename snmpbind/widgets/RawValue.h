// A variable's value as bytes, for bindings that show pieces of a value or one value in several
// controls (bits in check boxes, the bytes of a MAC address in six edits).
#pragma once

#include <QByteArray>
#include <QString>

namespace rawvalue {

/// The bytes of a text in a syntax; "(NULL)" has none. Throws VtException -511 for a syntax
/// without a byte form and -518 for a text that is not of the syntax's form.
QByteArray toRaw(int syntax, const QString &text);

/// The text of bytes in a syntax. No bytes read as "(NULL)" ("" for display strings); fewer
/// bytes than the syntax needs throw -518, a syntax without a byte form -511.
QString fromRaw(int syntax, const QByteArray &raw);

/// Length of a piece of `syntax` cut from `available` bytes at its offset: fixed for numbers,
/// the rest of the value for strings and OIDs, 0 for NULL. Throws -511 for other syntaxes.
int pieceLength(int syntax, int available);

} // namespace rawvalue
