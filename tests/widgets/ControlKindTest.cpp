// Control kinds, option-list controls, the radio group and result lines in message targets.
#include "CaseName.h"
#include "ControlKind.h"
#include "OptionListControls.h"
#include "QtPrinters.h"
#include "VtOptionList.h"
#include "VtRadioGroup.h"

#include <functional>
#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct KindCase
{
    const char *name;
    std::function<QWidget *(QWidget *parent)> make;
    ControlKind kind;
};

void PrintTo(const KindCase &c, std::ostream *os)
{
    *os << c.name;
}

const KindCase kKinds[] = {
    {"LineEditIsEdit", [](QWidget *p) { return new QLineEdit(p); }, ControlKind::Edit},
    {"LabelIsLabel", [](QWidget *p) { return new QLabel(p); }, ControlKind::Label},
    {"LabelInStatusBarIsPanel",
        [](QWidget *p) {
            auto *bar = new QStatusBar(p);
            auto *panel = new QLabel(bar);
            bar->addWidget(panel);
            return panel;
        },
        ControlKind::StatusPanel},
    {"CheckBox", [](QWidget *p) { return new QCheckBox(p); }, ControlKind::CheckBox},
    {"Combo", [](QWidget *p) { return new QComboBox(p); }, ControlKind::Combo},
    {"RadioGroup", [](QWidget *p) { return new VtRadioGroup(p); }, ControlKind::RadioGroup},
    {"TreeWidgetIsListView", [](QWidget *p) { return new QTreeWidget(p); }, ControlKind::ListView},
    {"StatusBar", [](QWidget *p) { return new QStatusBar(p); }, ControlKind::StatusBar},
    {"PlainTextIsMemo", [](QWidget *p) { return new QPlainTextEdit(p); }, ControlKind::Memo},
    {"ButtonIsNotAControl", [](QWidget *p) { return new QPushButton(p); }, ControlKind::None},
};

class ControlKinds : public testing::TestWithParam<KindCase>
{ };

TEST_P(ControlKinds, AreRecognised)
{
    QWidget page;
    EXPECT_EQ(controlKindOf(GetParam().make(&page)), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(Cases, ControlKinds, testing::ValuesIn(kKinds), kvatest::caseName);

TEST(ControlKinds, NullIsNone)
{
    EXPECT_EQ(controlKindOf(nullptr), ControlKind::None);
}

const VtOptionList kEnable{{0, "Disable"}, {1, "Enable"}};

struct OptionControlCase
{
    const char *name;
    std::function<QWidget *(QWidget *)> make;
};

void PrintTo(const OptionControlCase &c, std::ostream *os)
{
    *os << c.name;
}

class OptionControls : public testing::TestWithParam<OptionControlCase>
{ };

TEST_P(OptionControls, FillAndSelectByTextOrValue)
{
    QWidget page;
    QWidget *control = GetParam().make(&page);
    FillItems(control, kEnable);
    EXPECT_EQ(selectedItemIndex(control), -1);

    SelectItem(control, kEnable, "1");
    EXPECT_EQ(selectedItemIndex(control), 1);
    EXPECT_EQ(selectedItemText(control), "Enable");
    SelectItem(control, kEnable, "disable"); // texts compare without case
    EXPECT_EQ(selectedItemIndex(control), 0);
    SelectItem(control, kEnable, "7"); // a value outside the list chooses nothing
    EXPECT_EQ(selectedItemIndex(control), -1);
    EXPECT_EQ(selectedItemText(control), "");

    FillItems(control, VtOptionList{{5, "Five"}});
    SelectItem(control, VtOptionList{{5, "Five"}}, "5");
    EXPECT_EQ(selectedItemText(control), "Five") << "refilling replaces the items";
}

INSTANTIATE_TEST_SUITE_P(Kinds, OptionControls,
    testing::Values(
        OptionControlCase{"Combo", [](QWidget *p) -> QWidget * { return new QComboBox(p); }},
        OptionControlCase{
            "RadioGroup", [](QWidget *p) -> QWidget * { return new VtRadioGroup(p); }}),
    kvatest::caseName);

TEST(RadioGroupWidget, ClickedItemBecomesTheIndex)
{
    VtRadioGroup group;
    group.setItems({"a", "b", "c"});
    int clicked = -2;
    QObject::connect(&group, &VtRadioGroup::itemClicked, [&](int i) { clicked = i; });
    group.button(2)->click();
    EXPECT_EQ(clicked, 2);
    EXPECT_EQ(group.itemIndex(), 2);
    group.setItemIndex(-1);
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_FALSE(group.button(2)->isChecked());
}

TEST(MessageTargets, ResultLineGoesWhereEachKindShowsIt)
{
    QWidget page;
    auto *bar = new QStatusBar(&page);
    auto *panel = new QLabel(bar);
    bar->addWidget(panel);
    auto *memo = new QPlainTextEdit(&page);
    for (QObject *target : {static_cast<QObject *>(bar), static_cast<QObject *>(panel),
             static_cast<QObject *>(memo)}) {
        writeMessageLine(target, "first");
        writeMessageLine(target, "second");
        EXPECT_EQ(messageLineOf(target), "second");
    }
    EXPECT_EQ(memo->toPlainText(), "first\nsecond") << "a memo keeps every line";
    EXPECT_EQ(bar->currentMessage(), "second");
}

} // namespace
