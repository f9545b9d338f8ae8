// The web redirection page against the simulated device: the list and its check boxes, the command
// group's adds and deletes, row changes in place, Save row by row, the AP modes without redirection,
// a silent device and an over-long account name.
#include "CaseName.h"
#include "CommandGroupFill.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_WebRedirection.h"

#include <ostream>

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Web = PageHarness<TFM_WebRedirection>;

const Web::Seeds kAccounts = {
    {"dot11WebRedirectionStatus", "1"},
    {"dot11WebRedirectionListAccountName.1", "Alice"},
    {"dot11WebRedirectionListAccountPasswd.1", "alice-pass"},
    {"dot11WebRedirectionListAccountStatus.1", "1"},
    {"dot11WebRedirectionListAccountName.2", "Bob"},
    {"dot11WebRedirectionListAccountPasswd.2", "bob-pass"},
    {"dot11WebRedirectionListAccountStatus.2", "0"},
    {"dot11WebRedirectionListAccountName.3", "carol"},
    {"dot11WebRedirectionListAccountPasswd.3", "carol-pass"},
    {"dot11WebRedirectionListAccountStatus.3", "1"},
};

const char kOneEnabled[] = "When Web Redirection enable,at least 1 account must be enable!";

QStringList names(const Web &h)
{
    QStringList out;
    for (int row = 0; row < h.page->LV_AccountToUser->topLevelItemCount(); ++row) {
        out.append(h.page->LV_AccountToUser->cell(row, 1));
    }
    return out;
}

void setChecked(const Web &h, int row, bool on)
{
    h.page->LV_AccountToUser->topLevelItem(row)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
}

QStringList lastSet(Web &h)
{
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    return sets.isEmpty() ? QStringList{} : sets.last().texts();
}

TEST(WebRedirectionPage, ListsTheAccountsWithTheirStateInTheCheckBoxes)
{
    Web h(kAccounts);
    EXPECT_EQ(h.page->windowTitle(), "Advanced \\ Web Redirection");
    EXPECT_EQ(names(h), (QStringList{"Alice", "Bob", "carol"}));
    QList<Qt::CheckState> states;
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(h.page->LV_AccountToUser->cell(row, 0), "Enable"); // whatever the state
        states.append(h.page->LV_AccountToUser->topLevelItem(row)->checkState(0));
    }
    EXPECT_EQ(states, (QList<Qt::CheckState>{Qt::Checked, Qt::Unchecked, Qt::Checked}));
    EXPECT_TRUE(h.page->Ckb_Status->isChecked());
    EXPECT_TRUE(h.page->Ckb_Status->isEnabled());
    EXPECT_EQ(h.text("CB_AccountStatus"), "Enable");
    EXPECT_EQ(h.text("Ed_Username"), "");
    EXPECT_EQ(h.edit("Ed_Password")->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(h.page->Btn_Edit->isEnabled());
    EXPECT_FALSE(h.page->Btn_Del->isEnabled());
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_TRUE(h.ui.messages.isEmpty());
}

struct CommandCase
{
    const char *name;
    const char *user;     // added first; "" adds nothing
    const char *password; // of the add
    int deleteRow;        // the row then deleted, -1 for none
    QStringList pdu;      // the last SET
};

void PrintTo(const CommandCase &c, std::ostream *out)
{
    *out << c.name;
}

const CommandCase kCommands[] = {
    {"AddWithPassword", "dave", "dave-pass", -1,
        {"dot11WebRedirectionAccountName.0 = dave",
            "dot11WebRedirectionAccountPasswd.0 = dave-pass",
            "dot11WebRedirectionAccountStatus.0 = 1", "dot11WebRedirectionAccountAction.0 = 1"}},
    {"AddWithoutPassword", "erin", "", -1,
        {"dot11WebRedirectionAccountName.0 = erin", "dot11WebRedirectionAccountStatus.0 = 1",
            "dot11WebRedirectionAccountAction.0 = 1"}},
    {"DeleteAfterAddWithoutPasswordCarriesNone", "erin", "", 3,
        {"dot11WebRedirectionAccountName.0 = erin", "dot11WebRedirectionAccountStatus.0 = 1",
            "dot11WebRedirectionAccountAction.0 = 0"}},
    {"DeleteBeforeAnyAddCarriesThePassword", "", "", 1,
        {"dot11WebRedirectionAccountName.0 = Bob", "dot11WebRedirectionAccountPasswd.0 = bob-pass",
            "dot11WebRedirectionAccountStatus.0 = 0", "dot11WebRedirectionAccountAction.0 = 0"}},
};

class WebRedirectionCommand : public testing::TestWithParam<CommandCase>
{ };

TEST_P(WebRedirectionCommand, SendsTheGroupInOneSet)
{
    const CommandCase &c = GetParam();
    Web h(kAccounts);
    QStringList expected = names(h);
    if (*c.user != '\0') {
        h.type("Ed_Username", c.user);
        h.type("Ed_Password", c.password);
        h.click("Btn_Add");
        expected.append(QLatin1String(c.user));
        EXPECT_EQ(names(h), expected);
    }
    if (c.deleteRow >= 0) {
        h.clickRow("LV_AccountToUser", c.deleteRow);
        h.click("Btn_Del");
        expected.removeAt(c.deleteRow);
        EXPECT_EQ(names(h), expected);
    }
    EXPECT_EQ(lastSet(h), c.pdu);
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_TRUE(h.ui.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WebRedirectionCommand, testing::ValuesIn(kCommands), kvatest::caseName);

struct AddCheckCase
{
    const char *name;
    const char *user;
    const char *password;
    const char *message; // "" for none
    const char *focus;   // the field focused after the box
};

void PrintTo(const AddCheckCase &c, std::ostream *out)
{
    *out << c.name;
}

const AddCheckCase kAddChecks[] = {
    {"BlankName", "", "", "The User Name can not be blank!", "Ed_Username"},
    {"PasswordStartingWithABlank", "dave", " x",
        "The first character and last character can't be blank.!", "Ed_Password"},
    {"PasswordEndingWithABlank", "dave", "x ",
        "The first character and last character can't be blank.!", "Ed_Password"},
    {"NameTaken", "Bob", "", "Can not use the same name!", "Ed_Username"},
    {"NameOfOtherCase", "bob", "", "", nullptr},
};

class WebRedirectionAddCheck : public testing::TestWithParam<AddCheckCase>
{ };

TEST_P(WebRedirectionAddCheck, RefusesBeforeAnythingIsSent)
{
    const AddCheckCase &c = GetParam();
    Web h(kAccounts);
    h.type("Ed_Username", c.user);
    h.type("Ed_Password", c.password);
    h.device.clearLog();
    h.click("Btn_Add");
    if (*c.message == '\0') {
        EXPECT_TRUE(h.ui.messages.isEmpty());
        EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 1);
        EXPECT_TRUE(names(h).contains(QLatin1String(c.user)));
        return;
    }
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.page->focusWidget(), h.edit(c.focus));
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WebRedirectionAddCheck, testing::ValuesIn(kAddChecks), kvatest::caseName);

TEST(WebRedirectionPage, AFullListTakesNoMoreAccounts)
{
    kvatest::PageOptions later;
    later.openNow = false;
    Web h(later);
    std::vector<QStringList> accounts;
    for (int n = 2; n <= 256; ++n) { // the device starts with one account
        accounts.push_back({QStringLiteral("user%1").arg(n), QStringLiteral("1")});
    }
    ASSERT_TRUE(kvatest::addThroughCommandGroup(h.device,
        {{"dot11WebRedirectionAccountName", synDisplayString},
            {"dot11WebRedirectionAccountStatus", synInteger},
            {"dot11WebRedirectionAccountAction", synInteger}},
        accounts));
    h.open();
    ASSERT_EQ(h.page->LV_AccountToUser->topLevelItemCount(), 256);
    h.type("Ed_Username", "one-more");
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_EQ(h.ui.lastMessage().text, "The max number is 256,is full now!");
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

TEST(WebRedirectionPage, EditWritesTheRowInPlaceAndKeepsNamesApart)
{
    Web h(kAccounts);
    h.clickRow("LV_AccountToUser", 1);
    EXPECT_EQ(h.text("Ed_Username"), ""); // a click alone fills nothing
    h.click("Btn_Edit");
    EXPECT_EQ(h.text("Ed_Index"), "2");
    EXPECT_EQ(h.text("Ed_Username"), "Bob");
    EXPECT_EQ(h.text("Ed_Password"), "bob-pass");
    EXPECT_EQ(h.text("CB_AccountStatus"), "Disable");

    // keeping its own name passes
    h.type("Ed_Password", "bob-pass2");
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_TRUE(h.ui.messages.isEmpty());
    EXPECT_EQ(lastSet(h),
        (QStringList{"dot11WebRedirectionListAccountName.2 = Bob",
            "dot11WebRedirectionListAccountPasswd.2 = bob-pass2",
            "dot11WebRedirectionListAccountStatus.2 = 0"}));
    EXPECT_EQ(h.device.get(QStringLiteral("dot11WebRedirectionListAccountPasswd.2")), "bob-pass2");
    EXPECT_EQ(h.statusText(), "Get OK!");
    EXPECT_EQ(h.text("Ed_Username"), ""); // the read set the page back to adding

    // taking another account's name does not
    h.clickRow("LV_AccountToUser", 1);
    h.click("Btn_Edit");
    h.type("Ed_Username", "carol");
    h.device.clearLog();
    h.click("Btn_Add");
    EXPECT_EQ(h.ui.lastMessage().text, "Can not use the same name!");
    EXPECT_EQ(h.page->focusWidget(), h.edit("Ed_Username"));
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

// A refused change is said so, and the read after it leaves it on screen.
TEST(WebRedirectionPage, ARefusedChangeShowsError)
{
    Web h(kAccounts, {"seterror dot11WebRedirectionListAccountPasswd.2 genErr"});
    h.clickRow("LV_AccountToUser", 1);
    h.click("Btn_Edit");
    h.type("Ed_Password", "bob-pass2");
    h.click("Btn_Add");
    EXPECT_EQ(h.statusText(), "Error!");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11WebRedirectionListAccountPasswd.2")), "bob-pass");
    EXPECT_EQ(names(h), (QStringList{"Alice", "Bob", "carol"}));
}

// The switch as last read or saved decides, not the check box.
TEST(WebRedirectionPage, TheLastAccountStaysWhileRedirectionIsRememberedOn)
{
    Web h({{"dot11WebRedirectionStatus", "1"}}); // the device's one account
    ASSERT_EQ(names(h).size(), 1);
    h.check("Ckb_Status");
    ASSERT_FALSE(h.page->Ckb_Status->isChecked());
    h.clickRow("LV_AccountToUser", 0);
    h.device.clearLog();
    h.click("Btn_Del");
    EXPECT_EQ(h.ui.lastMessage().text, kOneEnabled);
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);

    // Save with the box cleared writes the switch off and still writes the account's state
    h.click("Btn_Save");
    EXPECT_EQ(h.statusText(), "Save Ok!");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11WebRedirectionStatus")), "0");
    EXPECT_EQ(h.device.requests(QStringLiteral("set")).size(), 2);
    h.clickRow("LV_AccountToUser", 0);
    h.click("Btn_Del");
    EXPECT_TRUE(names(h).isEmpty());
}

TEST(WebRedirectionPage, SaveWritesTheSwitchThenEveryAccountsState)
{
    Web h(kAccounts);
    setChecked(h, 0, false);
    setChecked(h, 1, true);
    h.device.clearLog();
    h.click("Btn_Save");
    EXPECT_EQ(h.statusText(), "Save Ok!"); // the read after it leaves the outcome
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    ASSERT_EQ(sets.size(), 4);
    EXPECT_EQ(sets[0].texts(), QStringList{"dot11WebRedirectionStatus.0 = 1"});
    EXPECT_EQ(sets[1].texts(),
        (QStringList{"dot11WebRedirectionListAccountName.1 = Alice",
            "dot11WebRedirectionListAccountPasswd.1 = alice-pass",
            "dot11WebRedirectionListAccountStatus.1 = 0"}));
    EXPECT_EQ(h.device.get(QStringLiteral("dot11WebRedirectionListAccountStatus.2")), "1");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11WebRedirectionListAccountStatus.3")), "1");
    EXPECT_EQ(h.page->LV_AccountToUser->topLevelItem(0)->checkState(0), Qt::Unchecked);

    // redirection on with no account on is refused
    for (int row = 0; row < 3; ++row) {
        setChecked(h, row, false);
    }
    h.device.clearLog();
    h.click("Btn_Save");
    EXPECT_EQ(h.ui.lastMessage().text, kOneEnabled);
    EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

TEST(WebRedirectionPage, ARefusedRowStopsSave)
{
    Web h(kAccounts, {"seterror dot11WebRedirectionListAccountStatus.2 genErr"});
    h.device.clearLog();
    h.click("Btn_Save");
    EXPECT_EQ(h.statusText(), "Save Error!");
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    ASSERT_EQ(sets.size(), 3); // the switch, row 1, row 2; row 3 is not written
    EXPECT_TRUE(sets[2].texts().contains("dot11WebRedirectionListAccountStatus.2 = 0"));
    EXPECT_GE(h.device.logCount(QStringLiteral("getnext")), 1); // the list was read again
}

struct ModeCase
{
    const char *name;
    const char *apMode;
    bool switchUsable;
};

void PrintTo(const ModeCase &c, std::ostream *out)
{
    *out << c.name;
}

const ModeCase kModes[] = {
    {"AccessPoint", "1", true},
    {"WdsWithAp", "2", true},
    {"Wds", "3", false},
    {"WirelessClient", "4", false},
};

class WebRedirectionMode : public testing::TestWithParam<ModeCase>
{ };

TEST_P(WebRedirectionMode, OnlyAnAccessPointRedirects)
{
    const ModeCase &c = GetParam();
    Web h({{"dot11ApMode", c.apMode}, {"dot11WebRedirectionStatus", "1"},
        {"dot11WebRedirectionListAccountStatus.1", "1"}});
    EXPECT_EQ(h.page->Ckb_Status->isEnabled(), c.switchUsable);
    EXPECT_EQ(h.page->Ckb_Status->isChecked(), c.switchUsable);
    h.click("Btn_Save");
    EXPECT_EQ(h.statusText(), "Save Ok!");
    EXPECT_EQ(
        h.device.get(QStringLiteral("dot11WebRedirectionStatus")), c.switchUsable ? "1" : "0");
}

INSTANTIATE_TEST_SUITE_P(Cases, WebRedirectionMode, testing::ValuesIn(kModes), kvatest::caseName);

// A write still under way is not joined by a second one.
TEST(WebRedirectionPage, AddWaitsForTheCommandUnderWay)
{
    Web h(kAccounts, {"delay 300"});
    h.type("Ed_Username", "dave");
    h.page->Btn_Add->click();
    EXPECT_FALSE(h.page->Btn_Add->isEnabled());
    h.waitIdle();
    EXPECT_TRUE(h.page->Btn_Add->isEnabled());
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 1);
}

TEST(WebRedirectionPage, SilentDeviceShowsTheTimeOutAndCloses)
{
    Web h(kAccounts, {"silent 600"}, {0.002, 0});
    EXPECT_EQ(h.device.attemptCount(QStringLiteral("get")), 2); // the first read and its retry
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_EQ(h.page->LV_AccountToUser->topLevelItemCount(), 0);
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.click("Btn_Save");
    EXPECT_EQ(h.statusText(), "Save Error!");
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

// More than the operator may type is listed whole, sent whole, and refused by the device without
// loss.
TEST(WebRedirectionPage, AnOverLongNameIsSentWholeAndNothingIsLost)
{
    const QString longName(300, QLatin1Char('n'));
    Web h(kAccounts);
    ASSERT_TRUE(h.device.set(QStringLiteral("dot11WebRedirectionListAccountName.1"), longName));
    h.close();
    h.open();
    EXPECT_EQ(h.page->LV_AccountToUser->cell(0, 1), longName);
    h.device.clearLog();
    h.click("Btn_Save");
    EXPECT_EQ(h.statusText(), "Save Error!");
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    ASSERT_EQ(sets.size(), 2);
    EXPECT_EQ(sets[1].bindings.first().value, longName);
    EXPECT_EQ(h.device.get(QStringLiteral("dot11WebRedirectionListAccountName.1")), longName);
    EXPECT_EQ(h.page->LV_AccountToUser->cell(0, 1), longName);
}

} // namespace
