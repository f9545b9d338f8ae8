// The common page library without a device: input-check tables, the guarded block and the page
// registry the menu opens pages through.
#include "CaseName.h"
#include "DeviceState.h"
#include "FieldChecks.h"
#include "PageRegistry.h"
#include "QtPrinters.h"
#include "RecordingUi.h"
#include "TFM_Page.h"
#include "VtSNMPError.h"

#include <functional>
#include <ostream>
#include <vector>

#include <QGroupBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A page with two fields and a table of checks, as pages write them.
class CheckedPage : public TFM_Page
{
public:
    CheckedPage() : TFM_Page(nullptr, QStringLiteral("Test \\ Checks"), PageContext{})
    {
        Ed_A = form().addEdit("Ed_A", QStringLiteral("A:"));
        Ed_B = form().addEdit("Ed_B", QStringLiteral("B:"));
    }

    bool check(int actionsOfB)
    {
        const FieldCheck checks[] = {
            {Ed_A, notEmpty(), "A is blank", faClearAndFocus},
            {Ed_B, atMost(3), "B too long", actionsOfB, "Error"},
        };
        return runChecks(checks, "Warning");
    }

    bool fail(int code)
    {
        return guarded([code] { throw VtException(QStringLiteral("bad binding"), code); });
    }

    QLineEdit *Ed_A;
    QLineEdit *Ed_B;
};

struct ActionCase
{
    const char *name;
    int actions;
    bool cleared;
    bool focused;
};

void PrintTo(const ActionCase &c, std::ostream *out)
{
    *out << c.name;
}

const ActionCase kActions[] = {
    {"WarnOnly", faWarnOnly, false, false},
    {"Clear", faClear, true, false},
    {"Focus", faFocus, false, true},
    {"ClearAndFocus", faClearAndFocus, true, true},
};

class FieldCheckActions : public testing::TestWithParam<ActionCase>
{ };

TEST_P(FieldCheckActions, RefusalDoesWhatTheRowSays)
{
    const ActionCase &c = GetParam();
    kvatest::RecordingUi ui;
    CheckedPage page;
    page.Ed_A->setText(QStringLiteral("ok"));
    page.Ed_B->setText(QStringLiteral("long"));
    page.Ed_A->setFocus();
    EXPECT_FALSE(page.check(c.actions));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.lastMessage().text, "B too long");
    EXPECT_EQ(ui.lastMessage().caption, "Error"); // the row's own caption wins
    EXPECT_EQ(page.Ed_B->text().isEmpty(), c.cleared);
    EXPECT_EQ(page.focusWidget() == page.Ed_B, c.focused);
}

INSTANTIATE_TEST_SUITE_P(Cases, FieldCheckActions, testing::ValuesIn(kActions), kvatest::caseName);

TEST(FieldChecks, FirstRefusalStopsTheTable)
{
    kvatest::RecordingUi ui;
    CheckedPage page;
    page.Ed_A->clear();
    page.Ed_B->setText(QStringLiteral("long"));
    EXPECT_FALSE(page.check(faFocus));
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.lastMessage().text, "A is blank");
    EXPECT_EQ(ui.lastMessage().caption, "Warning");
    page.Ed_A->setText(QStringLiteral("x"));
    page.Ed_B->setText(QStringLiteral("abc"));
    EXPECT_TRUE(page.check(faFocus));
    EXPECT_EQ(ui.messages.size(), 1);
}

TEST(FieldChecks, OptionalAcceptsEmpty)
{
    const TextCheck digits = optional([](const QString &t) { return t.toInt() > 0; });
    EXPECT_TRUE(digits(QString()));
    EXPECT_TRUE(digits(QStringLiteral("5")));
    EXPECT_FALSE(digits(QStringLiteral("x")));
}

TEST(TFM_Page, GuardedShowsTheExceptionInTheStatusBar)
{
    CheckedPage page;
    EXPECT_FALSE(page.fail(-520));
    EXPECT_EQ(page.statusText(), "bad binding");
}

// The device's "no address" shows as an empty field, and an empty field goes out as it.
TEST(TFM_Page, ZeroAddressAndEmptyFieldHelpers)
{
    QLineEdit edit;
    edit.setText(QStringLiteral("0.0.0.0"));
    TFM_Page::clearIfZeroAddress(&edit);
    EXPECT_EQ(edit.text(), "");
    TFM_Page::setIfEmpty(&edit, QStringLiteral("0.0.0.0"));
    EXPECT_EQ(edit.text(), "0.0.0.0");
    edit.setText(QStringLiteral("10.0.0.0"));
    TFM_Page::clearIfZeroAddress(&edit);
    TFM_Page::setIfEmpty(&edit, QStringLiteral("0.0.0.0"));
    EXPECT_EQ(edit.text(), "10.0.0.0");
}

TEST(TFM_Page, ControlsCarryTheirNamesAndStartWithThem)
{
    CheckedPage page;
    EXPECT_EQ(page.Ed_A->objectName(), "Ed_A");
    EXPECT_EQ(page.Ed_A->text(), "Ed_A");
    EXPECT_EQ(page.findChild<QLineEdit *>(QStringLiteral("Ed_B")), page.Ed_B);
}

// An outer group holds the groups declared inside it; the lines after it are outside again.
class OuterGroupPage : public TFM_Page
{
public:
    OuterGroupPage() : TFM_Page(nullptr, QStringLiteral("Test \\ Groups"), PageContext{})
    {
        Outer = form().beginOuterGroup("GB_Outer", QStringLiteral("Outer"));
        Inner = form().beginGroup("GB_Inner", QStringLiteral("Inner"));
        Ed_In = form().addEdit("Ed_In", QStringLiteral("In:"));
        form().endGroup();
        form().endOuterGroup();
        Ed_After = form().addEdit("Ed_After", QStringLiteral("After:"));
    }

    QGroupBox *Outer;
    QGroupBox *Inner;
    QLineEdit *Ed_In;
    QLineEdit *Ed_After;
};

TEST(PageForm, AnOuterGroupHoldsTheGroupsDeclaredInside)
{
    OuterGroupPage page;
    EXPECT_TRUE(page.Outer->isAncestorOf(page.Inner));
    EXPECT_TRUE(page.Inner->isAncestorOf(page.Ed_In));
    EXPECT_FALSE(page.Outer->isAncestorOf(page.Ed_After));
    ASSERT_EQ(page.inventory().size(), 4u);
    EXPECT_EQ(page.inventory()[0].name, "GB_Outer");
    EXPECT_EQ(page.inventory()[0].kind, "Group");
    EXPECT_EQ(page.inventory()[0].caption, "Outer");
    EXPECT_EQ(page.inventory()[1].name, "GB_Inner");
}

class CountingPage : public TFM_Page
{
public:
    CountingPage(QWidget *owner, const PageContext &context)
        : TFM_Page(owner, QStringLiteral("Test \\ Counting"), context)
    {
        ++s_alive;
    }

    ~CountingPage() override { --s_alive; }

    void FormCreate() override
    {
        ++s_created;
        // the operator closes the page at once
        QTimer::singleShot(0, this, &QDialog::reject);
    }

    static inline int s_alive = 0;
    static inline int s_created = 0;
};

TEST(PageRegistry, OpensTheRegisteredPageModallyAndDestroysIt)
{
    PageRegistry registry;
    registry.add<CountingPage>(QStringLiteral("Counting1"), QStringLiteral("CountingPage"));
    EXPECT_TRUE(registry.has(QStringLiteral("Counting1")));
    EXPECT_FALSE(registry.has(QStringLiteral("Other1")));
    EXPECT_EQ(
        registry.find(QStringLiteral("CountingPage")), registry.find(QStringLiteral("Counting1")));

    EXPECT_TRUE(registry.open(QStringLiteral("Counting1"), nullptr, PageContext{}));
    EXPECT_EQ(CountingPage::s_created, 1);
    EXPECT_EQ(CountingPage::s_alive, 0);
    EXPECT_FALSE(registry.open(QStringLiteral("Other1"), nullptr, PageContext{}));
}

// The shape of the main window's page hook: entry, class and a factory given the window.
class FakeWindow : public QWidget
{
public:
    using Factory = std::function<QDialog *(FakeWindow &)>;

    void registerPage(const QString &entry, const QString &className, Factory factory)
    {
        pages.push_back({entry, className, std::move(factory)});
    }

    const ModuleSettings &settings() const { return m_settings; }

    DeviceState &state() { return m_state; }

    struct Registered
    {
        QString entry;
        QString className;
        Factory factory;
    };

    std::vector<Registered> pages;
    ModuleSettings m_settings;
    DeviceState m_state;
};

class ContextPage : public TFM_Page
{
public:
    ContextPage(QWidget *owner, const PageContext &context)
        : TFM_Page(owner, QStringLiteral("Test \\ Context"), context)
    { }
};

TEST(PageRegistry, HandsItsPagesToTheMainWindow)
{
    PageRegistry registry;
    registry.add<ContextPage>(QStringLiteral("Context1"), QStringLiteral("ContextPage"));
    FakeWindow window;
    window.m_settings.wlanStatisticsWaitMs = 17;
    registerPagesWith(window, registry);
    ASSERT_EQ(window.pages.size(), 1u);
    EXPECT_EQ(window.pages[0].entry, "Context1");
    EXPECT_EQ(window.pages[0].className, "ContextPage");
    std::unique_ptr<QDialog> page(window.pages[0].factory(window));
    auto *p = dynamic_cast<ContextPage *>(page.get());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->parentWidget(), &window);
    EXPECT_EQ(p->context().settings.wlanStatisticsWaitMs, 17);
    EXPECT_EQ(p->context().device, &window.m_state);
}

} // namespace
