// The internal RADIUS server page against the simulated device: the list from the hidden table,
// the Save checks, new accounts, changes as a delete and an add (and the old account put back when
// the add is refused), deletes, a silent device and a status of the wrong type.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_LRADIUSSer.h"

#include <ostream>

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Radius = PageHarness<TFM_LRADIUSSer>;

// Row 1 is the device's own: staff, staff-pass, Enable.
const Radius::Seeds kAccounts = {
    {"dot11LocalRadiusnInfoName.2", "Bob"},
    {"dot11InternalRadiusInfoPasswd.2", "bob-secret"},
    {"dot11LocalRadiusInfoNodeStatus.2", "0"},
    {"dot11LocalRadiusnInfoName.3", "carol"},
    {"dot11InternalRadiusInfoPasswd.3", "carol-secret"},
    {"dot11LocalRadiusInfoNodeStatus.3", "1"},
};

const char kGenErr[] = "(SNMP) Cannot perform operation, General Error!";

QStringList names(const Radius &h)
{
    QStringList out;
    for (int row = 0; row < h.page->LV_RadiusAccountListUser->topLevelItemCount(); ++row) {
        out.append(h.page->LV_RadiusAccountListUser->cell(row, 0));
    }
    return out;
}

QList<QStringList> sets(Radius &h)
{
    return h.device.requestTexts(QStringLiteral("set"));
}

QStringList command(const char *name, const char *password, const char *status, int action)
{
    QStringList out{QStringLiteral("dot11LocalRadiusUserName.0 = ") + QLatin1String(name)};
    if (password != nullptr) {
        out.append(QStringLiteral("dot11LocalRadiusPassword.0 = ") + QLatin1String(password));
    }
    out.append(QStringLiteral("dot11LocalRadiusNodeStatus.0 = ") + QLatin1String(status));
    out.append(QStringLiteral("dot11LocalRadiusAction.0 = ") + QString::number(action));
    return out;
}

TEST(LRADIUSSerPage, ListsTheAccountsAndCopiesAClickedOne)
{
    Radius h(kAccounts);
    EXPECT_EQ(h.page->windowTitle(), "Advanced \\ Internal RADIUS Server");
    EXPECT_EQ(names(h), (QStringList{"staff", "Bob", "carol"}));
    EXPECT_EQ(h.page->LV_RadiusAccountListUser->cell(1, 1), "Disable");
    EXPECT_EQ(h.text("Cbox_Status"), "Enable");
    h.clickRow("LV_RadiusAccountListUser", 1);
    EXPECT_EQ(h.text("Ed_Name"), "Bob");
    EXPECT_EQ(h.text("Ed_PWD"), "bob-secret");
    EXPECT_EQ(h.edit("Ed_PWD")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(h.text("Cbox_Status"), "Disable");
    EXPECT_EQ(h.page->LV_RadiusAccountListUser->selectedRow(), 1);
}

struct SaveCheckCase
{
    const char *name;
    const char *user;
    int passwordLength;
    const char *message; // "" for none: the account is added
    const char *emptied; // the field emptied and focused
};

void PrintTo(const SaveCheckCase &c, std::ostream *out)
{
    *out << c.name;
}

const SaveCheckCase kSaveChecks[] = {
    {"BlankName", "", 8, "Please input user name !", "Ed_Name"},
    {"NameOfOtherCaseTaken", "bob", 8, "Can't use the same name !", "Ed_Name"},
    {"PasswordOf7", "dave", 7, "The length of password should be 8~64 !", "Ed_PWD"},
    {"PasswordOf8", "dave", 8, "", nullptr},
    {"PasswordOf64", "dave", 64, "", nullptr},
    {"PasswordOf65", "dave", 65, "The length of password should be 8~64 !", "Ed_PWD"},
};

class LRADIUSSerSaveCheck : public testing::TestWithParam<SaveCheckCase>
{ };

TEST_P(LRADIUSSerSaveCheck, RefusesOrAddsTheNewAccount)
{
    const SaveCheckCase &c = GetParam();
    Radius h(kAccounts);
    const QByteArray password(c.passwordLength, 'p');
    h.type("Ed_Name", c.user);
    h.type("Ed_PWD", password.constData());
    h.device.clearLog();
    h.click("Bt_RadiusAdd");
    if (*c.message == '\0') {
        EXPECT_TRUE(h.ui.messages.isEmpty());
        EXPECT_EQ(sets(h), QList<QStringList>{command(c.user, password.constData(), "1", 1)});
        EXPECT_EQ(h.statusText(), "Save OK!");
        EXPECT_TRUE(names(h).contains(QLatin1String(c.user)));
        EXPECT_EQ(h.text("Ed_Name"), "");
        return;
    }
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, "Waring");
    EXPECT_EQ(h.text(c.emptied), "");
    EXPECT_EQ(h.page->focusWidget(), h.edit(c.emptied));
    EXPECT_TRUE(sets(h).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LRADIUSSerSaveCheck, testing::ValuesIn(kSaveChecks), kvatest::caseName);

// The delete goes without the password the operator left alone; the add brings it.
TEST(LRADIUSSerPage, AChangeDeletesTheOldAccountThenAddsTheNewOne)
{
    Radius h(kAccounts);
    h.clickRow("LV_RadiusAccountListUser", 1);
    h.type("Ed_Name", "Bobby");
    h.device.clearLog();
    h.click("Bt_RadiusAdd");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(sets(h),
        (QList<QStringList>{
            command("Bob", nullptr, "0", 0), command("Bobby", "bob-secret", "0", 1)}));
    EXPECT_EQ(names(h), (QStringList{"staff", "carol", "Bobby"}));
    EXPECT_EQ(h.text("Ed_Name"), "Bobby"); // the fields keep the new account
    EXPECT_EQ(h.statusText(), "Save OK!");
}

TEST(LRADIUSSerPage, AChangeToAnotherAccountsNameSendsNothing)
{
    Radius h(kAccounts);
    h.clickRow("LV_RadiusAccountListUser", 1);
    h.type("Ed_Name", "carol");
    h.device.clearLog();
    h.click("Bt_RadiusAdd");
    EXPECT_EQ(h.ui.lastMessage().text, "The name has exist, please input username again!");
    EXPECT_EQ(h.ui.lastMessage().caption, "Waring");
    EXPECT_TRUE(sets(h).isEmpty());
    EXPECT_EQ(h.text("Ed_Name"), "carol");
    EXPECT_EQ(names(h), (QStringList{"staff", "Bob", "carol"}));

    // differing only in case, it goes through
    h.ui.clear();
    h.type("Ed_Name", "Carol");
    h.click("Bt_RadiusAdd");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(sets(h).size(), 2);
    EXPECT_EQ(names(h), (QStringList{"staff", "carol", "Carol"}));
}

// A refused delete half leaves nothing pending: the next command is a command of its own.
TEST(LRADIUSSerPage, ARefusedDeleteHalfLeavesNothingPending)
{
    Radius h(kAccounts);
    h.clickRow("LV_RadiusAccountListUser", 1);
    h.type("Ed_Name", "Bobby");
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror dot11LocalRadiusAction genErr")));
    h.click("Bt_RadiusAdd");
    EXPECT_EQ(h.statusText(), kGenErr);
    ASSERT_TRUE(h.device.fault(QStringLiteral("clear")));

    h.clickRow("LV_RadiusAccountListUser", 2);
    h.device.clearLog();
    h.click("Bt_RadiusDel");
    EXPECT_EQ(h.ui.lastMessage().text, "Are you sure that you want to delete this entry?");
    EXPECT_EQ(sets(h), QList<QStringList>{command("carol", "carol-secret", "1", 0)});
    EXPECT_EQ(names(h), (QStringList{"staff", "Bob"}));
    EXPECT_EQ(h.statusText(), "Delete OK!");
    QLabel *panel = h.page->statusBar()->findChild<QLabel *>(QStringLiteral("StatusPanel0"));
    ASSERT_NE(panel, nullptr);
    EXPECT_GE(panel->width(), 50);
    EXPECT_GE(panel->width(), panel->fontMetrics().horizontalAdvance(QStringLiteral("Delete OK!")));
}

// The device refuses the new name (an account it has that the list does not show yet): the old
// account is added back, and the refusal is said.
TEST(LRADIUSSerPage, ARefusedAddHalfPutsTheOldAccountBack)
{
    Radius h(kAccounts);
    ASSERT_TRUE(h.device.set(QStringLiteral("dot11LocalRadiusnInfoName.4"), QStringLiteral("Zed")));
    h.clickRow("LV_RadiusAccountListUser", 1);
    h.type("Ed_Name", "Zed");
    h.device.clearLog();
    h.click("Bt_RadiusAdd");
    EXPECT_EQ(sets(h),
        (QList<QStringList>{command("Bob", nullptr, "0", 0), command("Zed", "bob-secret", "0", 1),
            command("Bob", "bob-secret", "0", 1)}));
    EXPECT_NE(h.statusText(), "Save OK!");
    EXPECT_FALSE(h.statusText().isEmpty());
    EXPECT_TRUE(names(h).contains(QStringLiteral("Bob")));
    EXPECT_EQ(h.text("Ed_Name"), "Zed"); // kept for another try
}

TEST(LRADIUSSerPage, ARefusedAddIsNotReportedAsSaved)
{
    Radius h(kAccounts, {"seterror dot11LocalRadiusAction genErr"});
    h.type("Ed_Name", "dave");
    h.type("Ed_PWD", "dave-secret");
    h.click("Bt_RadiusAdd");
    EXPECT_EQ(h.statusText(), kGenErr);
    EXPECT_EQ(names(h), (QStringList{"staff", "Bob", "carol"}));
}

TEST(LRADIUSSerPage, ACancelledDeleteSendsNothing)
{
    Radius h(kAccounts);
    h.clickRow("LV_RadiusAccountListUser", 0);
    h.ui.answers = {false};
    h.device.clearLog();
    h.click("Bt_RadiusDel");
    EXPECT_TRUE(sets(h).isEmpty());
    EXPECT_EQ(h.text("Ed_Name"), "");
}

TEST(LRADIUSSerPage, SilentDeviceShowsTheTimeOutAndCloses)
{
    Radius h(kAccounts, {"silent 600"}, {0.002, 0});
    EXPECT_EQ(h.device.attemptCount(QStringLiteral("getnext")), 2); // the first read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    h.type("Ed_Name", "dave");
    h.type("Ed_PWD", "dave-secret");
    h.click("Bt_RadiusAdd");
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

// After a read that failed on the way, a listed row may have no account behind it.
TEST(LRADIUSSerPage, ARowWithNoAccountBehindItChangesNothing)
{
    Radius h(kAccounts);
    ASSERT_TRUE(h.device.fault(QStringLiteral("wrongtype dot11LocalRadiusInfoNodeStatus.1")));
    h.clickRow("LV_RadiusAccountListUser", 1);
    h.click("Bt_RadiusDel"); // OK: deletes Bob, then the read fails on row 1
    ASSERT_EQ(h.page->LV_RadiusAccountList->topLevelItemCount(), 0);
    ASSERT_EQ(names(h), (QStringList{"staff", "Bob", "carol"})); // as read before
    h.type("Ed_Name", "typed");
    h.clickRow("LV_RadiusAccountListUser", 2);
    EXPECT_EQ(h.text("Ed_Name"), "typed");
    EXPECT_EQ(h.page->LV_RadiusAccountListUser->selectedRow(), -1);
}

} // namespace
