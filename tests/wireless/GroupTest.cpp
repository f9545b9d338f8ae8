// The grouping page against the simulated device: "Load Balance" only in access-point mode, the
// user limit read-only while it is off, both written by Apply behind the progress notice, the
// limit's checks, a silent device and a wrong type; the page has no menu entry of its own.
#include "CaseName.h"
#include "PageHarness.h"
#include "PageRegistry.h"
#include "QtPrinters.h"
#include "TFM_Group.h"
#include "TMainForm.h"
#include "WirelessPages.h"

#include <memory>
#include <ostream>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Grouping = PageHarness<TFM_Group>;

bool drawnAsButton(const Grouping &h, const QWidget *control)
{
    return control->palette().color(QPalette::Base) == h.page->palette().color(QPalette::Button);
}

bool drawnAsWindow(const Grouping &h, const QWidget *control)
{
    return control->palette().color(QPalette::Base) == h.page->palette().color(QPalette::Base);
}

QStringList sets(Grouping &h)
{
    QStringList out;
    for (const kvatest::LoggedPdu &pdu : h.device.requests(QStringLiteral("set"))) {
        out.append(pdu.texts().join(QLatin1String(", ")));
    }
    return out;
}

// --- enabling ---------------------------------------------------------------------------------

struct EnablingCase
{
    const char *name;
    const char *mode;
    const char *status; // dot11UserLimitStatus
    bool loadBalanceFree;
    bool limitEditable;
};

void PrintTo(const EnablingCase &c, std::ostream *out)
{
    *out << c.name;
}

const EnablingCase kEnabling[] = {
    {"AccessPointBalanced", "1", "1", true, true},
    {"AccessPointUnbalanced", "1", "0", true, false},
    {"WdsWithAp", "2", "1", false, true},
    {"Wds", "3", "1", false, true},
    {"WirelessClientUnbalanced", "4", "0", false, false},
};

class GroupEnabling : public testing::TestWithParam<EnablingCase>
{ };

TEST_P(GroupEnabling, ByModeAndLoadBalanceAndApplyWritesBoth)
{
    const EnablingCase &c = GetParam();
    Grouping h({{"dot11ApMode", c.mode}, {"dot11UserLimitStatus", c.status},
        {"dot11UserLimit", "37"}, {"dot11LoadBalance", "1"}});
    TFM_Group &page = *h.page;
    EXPECT_EQ(page.windowTitle(), "Advanced \\ Grouping");
    EXPECT_EQ(h.text("Ed_UsrL"), "37");
    EXPECT_EQ(page.CB_LoadB->isEnabled(), c.loadBalanceFree);
    EXPECT_TRUE(
        c.loadBalanceFree ? drawnAsWindow(h, page.CB_LoadB) : drawnAsButton(h, page.CB_LoadB));
    EXPECT_TRUE(page.Ed_UsrL->isEnabled());
    EXPECT_EQ(page.Ed_UsrL->isReadOnly(), !c.limitEditable);
    EXPECT_TRUE(c.limitEditable ? drawnAsWindow(h, page.Ed_UsrL) : drawnAsButton(h, page.Ed_UsrL));
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(sets(h),
        QStringList{QStringLiteral("dot11UserLimitStatus.1 = ") + QLatin1String(c.status)
            + QStringLiteral(", dot11UserLimit.1 = 37")});
    EXPECT_EQ(h.statusText(), "Setting OK!");
    EXPECT_FALSE(page.progressShown());
    EXPECT_TRUE(page.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Cases, GroupEnabling, testing::ValuesIn(kEnabling), kvatest::caseName);

TEST(GroupPage, ChoosingLoadBalanceFreesTheLimit)
{
    Grouping h({{"dot11ApMode", "1"}, {"dot11UserLimitStatus", "0"}, {"dot11UserLimit", "12"}});
    EXPECT_TRUE(h.page->Ed_UsrL->isReadOnly());
    h.choose("CB_LoadB", "Enable");
    EXPECT_FALSE(h.page->Ed_UsrL->isReadOnly());
    EXPECT_TRUE(drawnAsWindow(h, h.page->Ed_UsrL));
    h.type("Ed_UsrL", "5");
    h.click("Bt_Apply");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11UserLimitStatus")), "1");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11UserLimit")), "5");
    // Refresh reads the device again: off there means read-only here
    h.device.set(QStringLiteral("dot11UserLimitStatus"), QStringLiteral("0"));
    h.click("Bt_Refresh");
    EXPECT_TRUE(h.page->Ed_UsrL->isReadOnly());
}

// --- the user limit ---------------------------------------------------------------------------

struct LimitCase
{
    const char *name;
    const char *typed;
    const char *shown;   // what the edit holds once typed
    const char *message; // "" for none
    const char *written; // dot11UserLimit afterwards
};

void PrintTo(const LimitCase &c, std::ostream *out)
{
    *out << c.name;
}

const LimitCase kLimits[] = {
    {"EmptyWritesZero", "", "", "", "0"},
    {"Upper", "64", "64", "", "64"},
    {"SixtyFiveRefused", "65", "65", "Please input a number between 0 and 64.", "20"},
    {"LetterRemovedAtOnce", "4x", "4", "", "4"},
};

class GroupLimit : public testing::TestWithParam<LimitCase>
{ };

TEST_P(GroupLimit, CheckedBeforeTheWrite)
{
    const LimitCase &c = GetParam();
    Grouping h({{"dot11ApMode", "1"}, {"dot11UserLimitStatus", "1"}, {"dot11UserLimit", "20"}});
    h.type("Ed_UsrL", c.typed);
    EXPECT_EQ(h.text("Ed_UsrL"), c.shown);
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    if (*c.message != '\0') {
        EXPECT_EQ(h.ui.lastMessage().caption, "Error");
        EXPECT_EQ(h.text("Ed_UsrL"), "");
        EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
    } else {
        EXPECT_EQ(h.statusText(), "Setting OK!");
    }
    EXPECT_EQ(h.device.get(QStringLiteral("dot11UserLimit")), c.written);
}

INSTANTIATE_TEST_SUITE_P(Cases, GroupLimit, testing::ValuesIn(kLimits), kvatest::caseName);

TEST(GroupPage, DeviceLimitBeyondTwoDigitsIsShownWholeAndRefused)
{
    Grouping h({{"dot11ApMode", "1"}, {"dot11UserLimitStatus", "1"}, {"dot11UserLimit", "100"}});
    EXPECT_EQ(h.text("Ed_UsrL"), "100");
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(h.ui.lastMessage().text, "Please input a number between 0 and 64.");
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

TEST(GroupPage, RefusedWriteSaysSoAndClosesTheNotice)
{
    Grouping h({{"dot11ApMode", "1"}, {"dot11UserLimitStatus", "1"}, {"dot11UserLimit", "20"}},
        {"seterror dot11UserLimit genErr"});
    h.type("Ed_UsrL", "30");
    h.click("Bt_Apply");
    EXPECT_EQ(h.statusText(), "Setting Error!");
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
    EXPECT_EQ(h.text("Ed_UsrL"), "30"); // the operator's value stays
    EXPECT_EQ(h.device.get(QStringLiteral("dot11UserLimit")), "20");
}

// --- hostile and silent devices ---------------------------------------------------------------

TEST(GroupPage, SilentDeviceOpensAfterItsFirstReadAndCloses)
{
    Grouping h({{"dot11UserLimit", "33"}}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.device.attempts().size(), 2); // the first read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    h.type("Ed_UsrL", "9"); // load balancing unknown: the limit stays editable
    h.device.clearLog();
    h.click("Bt_Apply");
    EXPECT_EQ(h.device.attemptCount(QStringLiteral("set")), 2); // the write and its retry
    EXPECT_EQ(h.statusText(), "Setting Error!");
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

TEST(GroupPage, WrongTypedLimitIsAnErrorText)
{
    Grouping h({{"dot11ApMode", "1"}, {"dot11UserLimitStatus", "1"}, {"dot11UserLimit", "21"}},
        {"wrongtype dot11UserLimit"});
    EXPECT_TRUE(h.statusText().contains(QLatin1String("Bad SNMP syntax")))
        << h.statusText().toStdString();
    EXPECT_TRUE(h.page->CB_LoadB->isEnabled());
    EXPECT_TRUE(h.page->Bt_Apply->isEnabled());
}

// --- no menu entry ----------------------------------------------------------------------------

TEST(GroupPage, OpensByClassWithoutAMenuEntry)
{
    ModuleSettings settings;
    TMainForm form(settings);
    PageRegistry registry;
    registerWirelessPages(registry);
    registerPagesWith(form, registry);
    EXPECT_EQ(form.menuEntry(QStringLiteral("TFM_Group")), nullptr);
    for (const QAction *action : form.findChildren<QAction *>()) {
        EXPECT_NE(action->text(), "Grouping");
    }
    EXPECT_TRUE(form.menuEntry(QStringLiteral("WLANPartition1"))->isEnabled());
    EXPECT_TRUE(form.menuEntry(QStringLiteral("adPerformance1"))->isEnabled());
    const std::unique_ptr<QDialog> page(form.createPage(QStringLiteral("TFM_Group")));
    ASSERT_NE(page, nullptr);
    EXPECT_STREQ(page->metaObject()->className(), "TFM_Group");
    EXPECT_EQ(page->parentWidget(), &form);
}

} // namespace
