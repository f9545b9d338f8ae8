#include "CounterFields.h"

#include "OptionListControls.h"
#include "VtOptionList.h"
#include "VtSNMPRequest2Edits.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget> // VtSNMPRequest2Edits.h needs it complete for its inline ListView()

const VtOptionList &counterClearOptions()
{
    static const VtOptionList options{{0, "nothing"}, {1, "clear"}};
    return options;
}

void bindCounterFields(VtSNMPRequest2Edits &request, const QList<QLineEdit *> &fields)
{
    for (int i = 0; i < fields.size(); ++i) {
        request.BindControl(i, fields[i]);
    }
}

bool clearCounters(VtSNMPRequest2Edits &request, QComboBox *combo, const QList<QLineEdit *> &fields)
{
    SelectItem(combo, counterClearOptions(), QStringLiteral("clear"));
    if (!request.Set()) {
        return false;
    }
    for (QLineEdit *field : fields) {
        field->setText(QStringLiteral("0"));
    }
    return true;
}
