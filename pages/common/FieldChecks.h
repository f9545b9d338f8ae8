// Input-check tables: each row names a field, its check, the message and caption of the box the
// operator sees when the check refuses, and whether the field is then emptied and/or focused.
#pragma once

#include <cstddef>
#include <functional>

#include <QString>

class QLineEdit;
class QWidget;

/// What happens to a refused field after its message box.
enum FieldAction : int {
    faWarnOnly = 0,
    faClear = 0x1,
    faFocus = 0x2,
    faClearAndFocus = faClear | faFocus,
};

/// True when the text is acceptable.
using TextCheck = std::function<bool(const QString &)>;

struct FieldCheck
{
    QLineEdit *field = nullptr;
    TextCheck check;
    const char *message = nullptr;
    int actions = faFocus;
    const char *caption = nullptr; ///< null: the caption the table is run with
};

/// Runs the rows in order; the first refusal shows its message box (through VtUi), empties and/or
/// focuses its field as the row says, and stops. True when every row accepted its field.
bool runFieldChecks(
    QWidget *owner, const FieldCheck *checks, std::size_t count, const char *caption);

template <std::size_t N>
bool runFieldChecks(QWidget *owner, const FieldCheck (&checks)[N], const char *caption)
{
    return runFieldChecks(owner, checks, N, caption);
}

/// Accepts an empty text, else asks `check`.
TextCheck optional(TextCheck check);
/// Refuses an empty text.
TextCheck notEmpty();
/// Refuses texts longer than `maxLength` characters.
TextCheck atMost(int maxLength);
