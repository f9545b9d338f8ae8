// The one meaning of an edit's maximum length: the operator cannot type beyond it, while a longer
// value the device holds is shown and written back whole (QLineEdit::setMaxLength would cut it).
#pragma once

#include <QValidator>

class QLineEdit;

class TypingLimit : public QValidator
{
    Q_OBJECT

public:
    /// Limits what the operator types into `edit` to `maxLength` characters; owned by the edit.
    TypingLimit(QLineEdit *edit, int maxLength);

    int maxLength() const { return m_max; }

    /// A text longer than the limit is refused only when it grew: the operator can still shorten
    /// an over-long value the device holds, character by character.
    State validate(QString &input, int &position) const override;

    /// The limit of an edit given one by this class; 0 for none.
    static int of(const QLineEdit *edit);

private:
    int m_max;
    int m_previous; // the length of the text the edit held before the change being validated
};

/// Gives `edit` the typing limit (0 removes it).
void setTypingLimit(QLineEdit *edit, int maxLength);
