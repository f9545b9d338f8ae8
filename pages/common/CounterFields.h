// What the statistics pages share: counters bound field by field, and the clear object that
// zeroes them on the device.
#pragma once

#include <QList>

class QComboBox;
class QLineEdit;
class VtOptionList;
class VtSNMPRequest2Edits;

/// Binds fields[i] to the request's variable i.
void bindCounterFields(VtSNMPRequest2Edits &request, const QList<QLineEdit *> &fields);

/// Writes "clear" through `request`, whose only variable is bound to `combo`. The fields show 0
/// only once the device took it; false (fields as read) when it refused or did not answer.
bool clearCounters(
    VtSNMPRequest2Edits &request, QComboBox *combo, const QList<QLineEdit *> &fields);

/// The option list of a clear object: 0 "nothing", 1 "clear".
const VtOptionList &counterClearOptions();
