// Typing limits of edits.
#include "TypingLimit.h"

#include <QLineEdit>

TypingLimit::TypingLimit(QLineEdit *edit, int maxLength)
    : QValidator(edit), m_max(maxLength), m_previous(static_cast<int>(edit->text().size()))
{
    // the edit holds the new text while it asks; what it held before comes from here
    connect(edit, &QLineEdit::textChanged, this,
        [this](const QString &text) { m_previous = static_cast<int>(text.size()); });
}

QValidator::State TypingLimit::validate(QString &input, int &) const
{
    if (input.size() <= m_max || input.size() <= m_previous) {
        return Acceptable;
    }
    return Invalid;
}

int TypingLimit::of(const QLineEdit *edit)
{
    const auto *limit = qobject_cast<const TypingLimit *>(edit->validator());
    return limit != nullptr ? limit->maxLength() : 0;
}

void setTypingLimit(QLineEdit *edit, int maxLength)
{
    const QValidator *old = edit->validator();
    edit->setValidator(maxLength > 0 ? new TypingLimit(edit, maxLength) : nullptr);
    if (qobject_cast<const TypingLimit *>(old) != nullptr) {
        delete old;
    }
}
