// Running input-check tables.
#include "FieldChecks.h"

#include "VtUi.h"

#include <QLineEdit>

bool runFieldChecks(
    QWidget *owner, const FieldCheck *checks, std::size_t count, const char *caption)
{
    for (std::size_t i = 0; i < count; ++i) {
        const FieldCheck &row = checks[i];
        if (row.field == nullptr || !row.check || row.check(row.field->text())) {
            continue;
        }
        const char *boxCaption = row.caption != nullptr ? row.caption : caption;
        VtUi::current().messageOk(owner, QString::fromUtf8(boxCaption != nullptr ? boxCaption : ""),
            QString::fromUtf8(row.message != nullptr ? row.message : ""));
        if ((row.actions & faClear) != 0) {
            row.field->clear();
        }
        if ((row.actions & faFocus) != 0) {
            row.field->setFocus(Qt::OtherFocusReason);
        }
        return false;
    }
    return true;
}

TextCheck optional(TextCheck check)
{
    return
        [check = std::move(check)](const QString &text) { return text.isEmpty() || check(text); };
}

TextCheck notEmpty()
{
    return [](const QString &text) { return !text.isEmpty(); };
}

TextCheck atMost(int maxLength)
{
    return [maxLength](const QString &text) { return text.size() <= maxLength; };
}
