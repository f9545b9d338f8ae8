// Filling combo boxes and radio groups from an option list and choosing their item.
#include "OptionListControls.h"

#include "ControlKind.h"
#include "VtOptionList.h"
#include "VtRadioGroup.h"

#include <QComboBox>

void FillItems(QWidget *control, const VtOptionList &options)
{
    QStringList texts;
    for (int i = 0; i < options.Count(); ++i) {
        texts.append(options.Entry(i).Text);
    }
    switch (controlKindOf(control)) {
    case ControlKind::Combo: {
        auto *combo = static_cast<QComboBox *>(control);
        combo->clear();
        combo->addItems(texts);
        combo->setCurrentIndex(-1);
        break;
    }
    case ControlKind::RadioGroup:
        static_cast<VtRadioGroup *>(control)->setItems(texts);
        break;
    default:
        break;
    }
}

namespace {

// The item showing option `index`: the item at the option's own position while the control holds
// the whole list, else the item of the same text (a page refills some controls with a subset of
// the options, where positions no longer match).
int itemOfOption(const QStringList &items, const VtOptionList &options, int index)
{
    if (index < 0 || index >= options.Count()) {
        return -1;
    }
    const QString &text = options.Entry(index).Text;
    if (index < items.size() && items.at(index) == text) {
        return index;
    }
    return static_cast<int>(items.indexOf(text));
}

QStringList comboItems(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items.append(combo->itemText(i));
    }
    return items;
}

} // namespace

void SelectItem(QWidget *control, const VtOptionList &options, const QString &text)
{
    int index = options.IndexOfText(text);
    if (index < 0) {
        index = options.IndexOfValue(text);
    }
    switch (controlKindOf(control)) {
    case ControlKind::Combo: {
        auto *combo = static_cast<QComboBox *>(control);
        combo->setCurrentIndex(itemOfOption(comboItems(combo), options, index));
        break;
    }
    case ControlKind::RadioGroup: {
        auto *group = static_cast<VtRadioGroup *>(control);
        group->setItemIndex(itemOfOption(group->items(), options, index));
        break;
    }
    default:
        break;
    }
}

int selectedItemIndex(const QWidget *control)
{
    switch (controlKindOf(control)) {
    case ControlKind::Combo:
        return static_cast<const QComboBox *>(control)->currentIndex();
    case ControlKind::RadioGroup:
        return static_cast<const VtRadioGroup *>(control)->itemIndex();
    default:
        return -1;
    }
}

QString selectedItemText(const QWidget *control)
{
    switch (controlKindOf(control)) {
    case ControlKind::Combo:
        return static_cast<const QComboBox *>(control)->currentText();
    case ControlKind::RadioGroup: {
        const auto *group = static_cast<const VtRadioGroup *>(control);
        return group->itemText(group->itemIndex());
    }
    default:
        return {};
    }
}
