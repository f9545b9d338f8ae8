// Edit constraints: the format language, the filtering while typing, the check on leaving an edit.
#include "CaseName.h"
#include "QtPrinters.h"
#include "RecordingUi.h"
#include "VtEditConstraint.h"
#include "VtSNMPError.h"

#include <memory>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A small page: the edit under test and a second edit the focus can move to.
class ConstraintPage
{
public:
    ConstraintPage()
    {
        auto *layout = new QVBoxLayout(&window);
        edit = new QLineEdit(&window);
        next = new QLineEdit(&window);
        third = new QLineEdit(&window);
        layout->addWidget(edit);
        layout->addWidget(next);
        layout->addWidget(third);
        window.show();
        QApplication::setActiveWindow(&window);
        edit->setFocus(Qt::OtherFocusReason);
    }

    /// The operator moves on to the next edit.
    void leave(QLineEdit *from) const
    {
        from->setFocus(Qt::OtherFocusReason);
        next->setFocus(Qt::TabFocusReason);
    }

    QWidget window;
    QLineEdit *edit;
    QLineEdit *next;
    QLineEdit *third;
    kvatest::RecordingUi ui;
    VtEditConstraint constraints{&window, true};
};

struct ConstraintCase
{
    const char *name;
    const char *spec;
    const char *input;
    bool typed;        // typed key by key, or set as a value from the device
    const char *shown; // the edit's text before leaving it
    int beeps;
    const char *message; // message box on leaving; "" when the value is accepted
};

void PrintTo(const ConstraintCase &c, std::ostream *os)
{
    *os << c.name;
}

constexpr const char *kRange1To65535 = "(VtCommon) Please enter a number between 1 and 65535!";
constexpr const char *kIntRange =
    "(VtCommon) Please enter a number between -2147483648 and 2147483647!";
constexpr const char *kListElements = "(VtCommon) Please enter a delimited number string with "
                                      "delimiter '.'.\nHere,each number is between 0 and 255!";

const ConstraintCase kConstraintCases[] = {
    {"UnsignedRangeDropsLetterAndBeepsOnce", "%u{n1x65535}", "8a0", true, "80", 1, ""},
    {"UnsignedRangeRefusesZero", "%u{n1x65535}", "0", true, "0", 0, kRange1To65535},
    {"UnsignedRangeAcceptsTop", "%u{n1x65535}", "65535", true, "65535", 0, ""},
    {"UnsignedRangeRefusesAboveTop", "%u{n1x65535}", "65536", true, "65536", 0, kRange1To65535},
    {"UnsignedAcceptsLargest32Bit", "%u", "4294967295", true, "4294967295", 0, ""},
    {"UnsignedRefusesBeyond32Bit", "%u", "4294967296", true, "4294967296", 0,
        "(VtCommon) Please enter a number between 0 and 4294967295!"},
    {"UnsignedDropsMinus", "%u", "-5", true, "5", 1, ""},
    {"NullMarkerIsNeitherFilteredNorChecked", "%u{n1x65535}", "(NULL)", false, "(NULL)", 0, ""},
    {"NotDoneMarkerIsNeitherFilteredNorChecked", "%u", "(NOTDONE)", false, "(NOTDONE)", 0, ""},
    {"TextAcceptsAnything", "%s", "a b%{}~-.", true, "a b%{}~-.", 0, ""},
    {"TextAcceptsEmpty", "%s", "", true, "", 0, ""},
    {"FixedLengthRefusesShorter", "%s{l8f}", "abcdefg", true, "abcdefg", 0,
        "(VtCommon) Please enter a string whose length is 8!"},
    {"FixedLengthAcceptsExact", "%s{l8f}", "abcdefgh", true, "abcdefgh", 0, ""},
    {"MaxLengthStopsTypingAtLimit", "%s{l8}", "123456789", true, "12345678", 0, ""},
    {"MaxLengthRefusesLongerDeviceText", "%s{l8}", "123456789", false, "123456789", 0,
        "(VtCommon) Please enter a string whose length is less than 8!"},
    {"RequiredRefusesEmpty", "%h{l10n}", "", true, "", 0, "(VtCommon) Empty value is not allowed!"},
    {"HexDropsNonHexDigit", "%h", "0aG1", true, "0a1", 1, ""},
    {"HexFixedLengthRefusesShorter", "%h{l4f}", "abc", true, "abc", 0,
        "(VtCommon) Please enter a hex string whose length is 4!"},
    {"HexMaxLengthRefusesLongerDeviceText", "%h{l4}", "abcde", false, "abcde", 0,
        "(VtCommon) Please enter a hex string whose length is less than 4!"},
    {"SignedKeepsLeadingMinusOnly", "%i", "-12-3", true, "-123", 1, ""},
    {"SignedRefusesLoneMinus", "%i", "-", true, "-", 0, kIntRange},
    {"RealKeepsOneDot", "%f{n0x1.5}", "1.2.5", true, "1.25", 1, ""},
    {"RealRefusesAboveMaximum", "%f{n0x1.5}", "2", true, "2", 0,
        "(VtCommon) Please enter a number between 0 and 1.5!"},
    {"ListAcceptsAddress", "%n.{n0x255l4f}", "10.0.0.1", true, "10.0.0.1", 0, ""},
    {"ListRefusesWrongCount", "%n.{n0x255l4f}", "10.0.1", true, "10.0.1", 0,
        "(VtCommon) Please enter a delimited number string with delimiter '.'.\nHere,the count "
        "of the number is equal to 4!"},
    {"ListRefusesElementOutOfRange", "%n.{n0x255l4f}", "10.0.0.256", true, "10.0.0.256", 0,
        kListElements},
    {"ListRefusesElementThatWouldWrapIntoRange", "%n.{n0x255}", "10.4294967296", false,
        "10.4294967296", 0, kListElements},
    {"ListRefusesTooManyElements", "%n,{l3}", "1,2,3,4", false, "1,2,3,4", 0,
        "(VtCommon) Please enter a delimited number string with delimiter ','.\nHere,the count "
        "of the number is less than 3!"},
    {"ListStopsTypingBeyondCount", "%n,{l3}", "1,2,3,4", true, "1,2,34", 0, ""},
    {"ListDropsMisplacedDelimitersAndLetters", "%n.", ".1..2a", true, "1.2", 3, ""},
};

class ConstraintLanguage : public testing::TestWithParam<ConstraintCase>
{ };

TEST_P(ConstraintLanguage, FiltersWhileTypingAndChecksOnLeaving)
{
    const ConstraintCase &c = GetParam();
    ConstraintPage page;
    page.constraints.Add(c.spec, page.edit);
    if (c.typed) {
        QTest::keyClicks(page.edit, QString::fromUtf8(c.input));
    } else {
        page.edit->setText(QString::fromUtf8(c.input));
    }
    EXPECT_EQ(page.edit->text(), QString::fromUtf8(c.shown));
    EXPECT_EQ(page.ui.beeps, c.beeps);

    page.leave(page.edit);
    if (*c.message) {
        ASSERT_EQ(page.ui.messages.size(), 1);
        EXPECT_EQ(page.ui.lastMessage().text, QString::fromUtf8(c.message));
        EXPECT_EQ(page.ui.lastMessage().caption, executableCaption());
        EXPECT_EQ(page.edit->text(), QString()) << "nothing was accepted before";
        EXPECT_TRUE(page.edit->hasFocus());
    } else {
        EXPECT_TRUE(page.ui.messages.isEmpty()) << page.ui.lastMessage().text.toStdString();
        EXPECT_EQ(page.edit->text(), QString::fromUtf8(c.shown));
        EXPECT_TRUE(page.next->hasFocus());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConstraintLanguage, testing::ValuesIn(kConstraintCases), kvatest::caseName);

struct BadSpecCase
{
    const char *name;
    const char *spec;
};

void PrintTo(const BadSpecCase &c, std::ostream *os)
{
    *os << c.name;
}

const BadSpecCase kBadSpecs[] = {
    {"UnknownType", "%x"},
    {"TooShort", "%"},
    {"NoPercent", "s"},
    {"ListWithoutDelimiter", "%n"},
    {"UnclosedOptions", "%u{n1"},
    {"TextAfterType", "%s x"},
    {"UnknownOption", "%u{q1}"},
    {"MinimumWithoutNumber", "%u{n}"},
    {"LengthWithoutNumber", "%s{l}"},
    {"WidthWithoutNumber", "%s{w}"},
    {"AdvanceWithoutCharacter", "%s{e}"},
    {"OptionTwice", "%u{n1n2}"},
    {"LengthLettersSwallowTheMinimum", "%n.{l4fn0x255}"},
};

class ConstraintSpecification : public testing::TestWithParam<BadSpecCase>
{ };

TEST_P(ConstraintSpecification, BadOneIsRefusedWithCodeMinus2)
{
    ConstraintPage page;
    try {
        page.constraints.Add(GetParam().spec, page.edit);
        FAIL() << "accepted " << GetParam().spec;
    } catch (const VtException &e) {
        EXPECT_EQ(e.Code(), -2);
        EXPECT_EQ(e.Message(), "(VtCommon) Bad format specifier of edit's constraint!");
    }
    EXPECT_FALSE(page.constraints.isConstrained(page.edit));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConstraintSpecification, testing::ValuesIn(kBadSpecs), kvatest::caseName);

TEST(ConstraintSpecificationParse, ReadsEveryOption)
{
    const EditConstraint_s r = VtEditConstraint::parseSpecification("%n;{e/l4afnn-2.5x300w120}");
    EXPECT_EQ(r.type, 'n');
    EXPECT_EQ(r.delimiter, ';');
    EXPECT_EQ(r.advanceChar, QChar(u'/'));
    EXPECT_EQ(r.length, 4);
    EXPECT_EQ(r.options,
        EditConstraint_s::Advance | EditConstraint_s::Fixed | EditConstraint_s::Required);
    EXPECT_DOUBLE_EQ(r.minimum, -2.5);
    EXPECT_DOUBLE_EQ(r.maximum, 300);
    EXPECT_EQ(r.width, 120);

    const EditConstraint_s s = VtEditConstraint::parseSpecification("%s");
    EXPECT_DOUBLE_EQ(s.minimum, 2.2250738585072014e-308);
    EXPECT_DOUBLE_EQ(s.maximum, 1.7976931348623157e+308);
    const EditConstraint_s i = VtEditConstraint::parseSpecification("%i");
    EXPECT_DOUBLE_EQ(i.minimum, -2147483648.0);
    EXPECT_DOUBLE_EQ(i.maximum, 2147483647.0);
}

TEST(ConstraintFormat, EachSpecificationTakesTheNextEdit)
{
    ConstraintPage page;
    page.constraints.AddFormat("%u{l3}%s{l2}", {page.edit, page.next});
    ASSERT_NE(page.constraints.find(page.edit), nullptr);
    ASSERT_NE(page.constraints.find(page.next), nullptr);
    EXPECT_EQ(page.constraints.find(page.edit)->type, 'u');
    EXPECT_EQ(page.constraints.find(page.next)->length, 2);

    // A bad second specification leaves the first edit unconstrained too.
    EXPECT_THROW(page.constraints.AddFormat("%u%x", {page.third, page.third}), VtException);
    EXPECT_FALSE(page.constraints.isConstrained(page.third));
}

TEST(ConstraintExit, FailedCheckGivesBackTheLastAcceptedText)
{
    ConstraintPage page;
    page.constraints.Add("%u{n1x65535}", page.edit);
    QTest::keyClicks(page.edit, "80");
    page.leave(page.edit);
    ASSERT_TRUE(page.ui.messages.isEmpty());

    page.edit->clear();
    QTest::keyClicks(page.edit, "0");
    page.leave(page.edit);
    EXPECT_EQ(page.ui.messages.size(), 1);
    EXPECT_EQ(page.edit->text(), "80");
    EXPECT_TRUE(page.edit->hasFocus());

    // An empty edit is accepted but does not become the text to give back.
    page.edit->clear();
    page.leave(page.edit);
    page.edit->setText("70000");
    page.leave(page.edit);
    EXPECT_EQ(page.edit->text(), "80");
}

TEST(ConstraintExit, PullingTheFocusBackDoesNotCheckTheOtherEdit)
{
    // Both edits hold refused values; leaving the first for the second shows one message, not
    // a round of boxes as the focus bounces between them.
    ConstraintPage page;
    page.constraints.Add("%u{n1x10}", page.edit);
    page.constraints.Add("%u{n1x10}", page.next);
    page.next->setText("99");
    page.edit->setText("50");
    int boxesDuringBox = 0;
    page.ui.onMessage = [&](const kvatest::RecordingUi::Message &) {
        boxesDuringBox = int(page.ui.messages.size());
    };
    page.leave(page.edit);
    EXPECT_EQ(page.ui.messages.size(), 1);
    EXPECT_EQ(boxesDuringBox, 1);
    EXPECT_TRUE(page.edit->hasFocus());
}

TEST(ConstraintHandlers, PageHandlersRunAfterTheFilterAndOnAcceptedValues)
{
    ConstraintPage page;
    page.constraints.Add("%u{n1x100}", page.edit);
    QStringList seen;
    page.constraints.setChangeHandler(page.edit, [&] { seen << "change " + page.edit->text(); });
    page.constraints.setExitHandler(page.edit, [&] { seen << "exit " + page.edit->text(); });

    QTest::keyClicks(page.edit, "5x");
    page.leave(page.edit);
    page.edit->setText("500");
    page.leave(page.edit);
    EXPECT_EQ(seen, QStringList({"change 5", "change 5", "exit 5", "change 500", "change 5"}))
        << seen.join(" | ").toStdString();
}

TEST(ConstraintHandlers, TagMinusOneStopsAdvanceAndUndoesAcceptance)
{
    ConstraintPage page;
    page.constraints.Add("%u{l2a}", page.edit);
    page.edit->setProperty(kTagProperty, -1);
    page.constraints.setChangeHandler(page.edit, [] {});
    QTest::keyClicks(page.edit, "12");
    EXPECT_TRUE(page.edit->hasFocus()) << "the page's handler vetoed moving on";

    // The page's exit handler refuses the value by setting the tag: the old text comes back.
    page.edit->setProperty(kTagProperty, 0);
    page.leave(page.edit);
    page.edit->setText("34");
    page.constraints.setExitHandler(page.edit, [&] { page.edit->setProperty(kTagProperty, -1); });
    page.leave(page.edit);
    EXPECT_EQ(page.edit->text(), "12");
}

TEST(ConstraintAdvance, LengthReachedOrAdvanceCharacterMovesOn)
{
    ConstraintPage page;
    page.constraints.Add("%u{l3a}", page.edit);
    QTest::keyClicks(page.edit, "123");
    EXPECT_TRUE(page.next->hasFocus());

    page.constraints.Add("%u{e.}", page.next);
    QTest::keyClicks(page.next, "12.");
    EXPECT_EQ(page.next->text(), "12");
    EXPECT_TRUE(page.third->hasFocus());
}

TEST(ConstraintLength, DeviceTextIsNeverCutButCanBeShortened)
{
    ConstraintPage page;
    page.constraints.Add("%s{l8}", page.edit);
    page.edit->setText("ABCDEFGHIJKL"); // as read from the device
    EXPECT_EQ(page.edit->text(), "ABCDEFGHIJKL");
    page.edit->end(false);
    QTest::keyClick(page.edit, Qt::Key_X);
    EXPECT_EQ(page.edit->text(), "ABCDEFGHIJKL") << "typing more is refused";
    QTest::keyClick(page.edit, Qt::Key_Backspace);
    EXPECT_EQ(page.edit->text(), "ABCDEFGHIJK") << "shortening is allowed";

    page.constraints.Remove(page.edit);
    QTest::keyClick(page.edit, Qt::Key_X);
    EXPECT_EQ(page.edit->text(), "ABCDEFGHIJKx") << "no limit once the constraint is gone";
}

} // namespace
