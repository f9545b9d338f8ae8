// Filling combo boxes and radio groups from an option list and choosing their item by value or
// text, so the option list itself stays free of widgets.
#pragma once

#include <QString>

class QWidget;
class VtOptionList;

/// Replaces the items of a combo box or radio group by the option texts, in list order.
/// Other controls are left alone.
void FillItems(QWidget *control, const VtOptionList &options);

/// Chooses the item of `text` (by option text, else by option value): the item showing that
/// option's text, also in a control refilled with a subset of the options; a text matching neither,
/// or an option the control does not offer, leaves no item chosen.
void SelectItem(QWidget *control, const VtOptionList &options, const QString &text);

/// Item index of a combo box or radio group; -1 for other controls and when none is chosen.
int selectedItemIndex(const QWidget *control);
/// Text of the chosen item; empty when none is chosen.
QString selectedItemText(const QWidget *control);
