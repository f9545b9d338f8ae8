// The administration page against the simulated device: the opening's boxes and its one warning,
// the save checks, the console and login writes, the administrator's address ranges, a silent
// device and values the page could not have typed.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_Admin2.h"

#include <ostream>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Admin = PageHarness<TFM_Admin2>;
using Seeds = std::vector<std::pair<const char *, const char *>>;

const char kVlanWarning[] = "If Limit Administrator Status enable, VLAN Status will be disable !";
const char kBothWarning[] = "If Limit Administrator Status enable, VLAN Status and \nNetwork "
                            "Access Protection Status will be disable !";

// The device prepared by hand: `set` puts values in place without the device's own rules.
std::function<void(kvatest::SimulatorProcess &)> seeded(const Seeds &seeds)
{
    return [seeds](kvatest::SimulatorProcess &d) {
        for (const auto &[name, value] : seeds) {
            EXPECT_TRUE(d.set(QLatin1String(name), QString::fromUtf8(value))) << name;
        }
    };
}

kvatest::PageOptions options()
{
    return {}; // time-outs at 0.01 of the page's
}

/// Every binding of every SET the device received, as "name.instance = value".
QStringList setBindings(kvatest::SimulatorProcess &device)
{
    QStringList out;
    for (const kvatest::LoggedPdu &pdu : device.requests(QStringLiteral("set"))) {
        out += pdu.texts();
    }
    return out;
}

/// Whether any PDU (of any kind) named the object.
bool named(kvatest::SimulatorProcess &device, const char *object)
{
    for (const kvatest::LoggedPdu &pdu : device.requests()) {
        for (const kvatest::LoggedBinding &b : pdu.bindings) {
            if (b.name == QLatin1String(object)) {
                return true;
            }
        }
    }
    return false;
}

/// Table walks begun: GET-NEXT requests that start at the columns themselves.
int walks(kvatest::SimulatorProcess &device)
{
    int n = 0;
    for (const kvatest::LoggedPdu &pdu : device.requests(QStringLiteral("getnext"))) {
        n += !pdu.bindings.isEmpty() && pdu.bindings.first().instance.isEmpty() ? 1 : 0;
    }
    return n;
}

/// The shown range list, one "number start end" per row.
QStringList shownRanges(const Admin &h)
{
    QStringList rows;
    ReportListView *list = h.page->ListView_User;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        rows.append(list->cell(r, 0) + QLatin1Char(' ') + list->cell(r, 1) + QLatin1Char(' ')
            + list->cell(r, 2));
    }
    return rows;
}

// --- opening ----------------------------------------------------------------------------------

struct OpeningCase
{
    const char *name;
    const char *status;     // managerIpAddressStatus
    const char *vlan;       // dot11VlanStatus
    const char *protection; // dot11NetworkAccessProtection
    bool vidBox;
    bool addressBox;
    const char *warning; // the one box of the opening, "" for none
};

void PrintTo(const OpeningCase &c, std::ostream *out)
{
    *out << c.name;
}

const OpeningCase kOpenings[] = {
    {"NoLimit", "0", "1", "0", false, false, ""},
    {"ByVidWarnsOnlyWhenClicked", "1", "1", "0", true, false, ""},
    {"ByAddressWithVlanOn", "2", "1", "0", false, true, kVlanWarning},
    {"ByBothWithVlanOn", "3", "1", "0", true, true, kVlanWarning},
    {"ByBothWithBothOn", "3", "1", "1", true, true, kBothWarning},
    {"ByAddressWithNothingOn", "2", "0", "0", false, true, ""},
};

class AdminOpening : public testing::TestWithParam<OpeningCase>
{ };

TEST_P(AdminOpening, SetsTheBoxesFromTheLimitStatus)
{
    const OpeningCase &c = GetParam();
    Admin h(seeded({{"managerIpAddressStatus", c.status}, {"dot11VlanStatus", c.vlan},
                {"dot11NetworkAccessProtection", c.protection}, {"manergeVLANTag", "12"}}),
        options());
    EXPECT_EQ(h.page->CheckBox_VID->isChecked(), c.vidBox);
    EXPECT_EQ(h.page->CkBx_ManagerState->isChecked(), c.addressBox);
    EXPECT_EQ(h.page->Ed_VID->isEnabled(), c.vidBox);
    EXPECT_EQ(h.text("Ed_VID"), "12");
    for (const char *control : {"Ed_FromIP", "Ed_ToIP", "Btn_Add"}) {
        EXPECT_EQ(h.find<QWidget>(control)->isEnabled(), c.addressBox) << control;
    }
    if (*c.warning == '\0') {
        EXPECT_TRUE(h.ui.messages.isEmpty());
    } else {
        ASSERT_EQ(h.ui.messages.size(), 1);
        EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.warning));
        EXPECT_EQ(h.ui.lastMessage().caption, "Warning");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, AdminOpening, testing::ValuesIn(kOpenings), kvatest::caseName);

TEST(AdminPage, OpensWithTheDevicesSettings)
{
    Admin h(seeded({{"sysName", "ap-rack4"}, {"sysLocation", "rack 4"}, {"usersName", "ops"},
                {"usersPassword.1", "s3cret"}, {"telnet", "1"}, {"ssh", "0"}, {"timeout", "0"},
                {"managerIpAddressPoolStart.2", "10.0.0.5"},
                {"managerIpAddressPoolEnd.2", "10.0.0.9"}}),
        options());
    EXPECT_EQ(h.page->windowTitle(), "Tools \\ Administration");
    EXPECT_EQ(h.text("Ed_SysName"), "ap-rack4");
    EXPECT_EQ(h.text("Ed_Location"), "rack 4");
    EXPECT_EQ(h.text("Ed_Usr"), "ops");
    for (const char *password : {"Ed_OPwd", "Ed_NPwd", "Ed_CNP"}) {
        EXPECT_EQ(h.text(password), "s3cret") << password;
        EXPECT_EQ(h.edit(password)->echoMode(), QLineEdit::Password) << password;
    }
    EXPECT_TRUE(h.page->CheckBox_Console->isChecked());
    EXPECT_TRUE(h.page->RB_Telnet->isChecked());
    EXPECT_FALSE(h.page->RB_SHH->isChecked());
    EXPECT_EQ(h.text("CB_Timeout"), "Never"); // the device's 0, the last item
    EXPECT_EQ(shownRanges(h),
        (QStringList{
            QStringLiteral("1 127.0.0.1 127.0.0.9"), QStringLiteral("2 10.0.0.5 10.0.0.9")}));
    EXPECT_EQ(h.page->ListView_IpRange->topLevelItemCount(), 4); // every row, the empty ones too
    EXPECT_FALSE(h.page->Btn_Del->isEnabled());
    EXPECT_TRUE(h.page->GB_Trap->isHidden());
    EXPECT_TRUE(h.page->GB_Control->isHidden());
}

// --- save checks ------------------------------------------------------------------------------

struct CheckCase
{
    const char *name;
    bool vidBox;       // the operator checks "Limit Administrator VID" first
    const char *field; // given the bad text
    QString value;
    const char *message;
    const char *caption;
    const char *focused; // the control that has the focus afterwards, "" for any
    bool cleared;
    bool rangesReset; // the range inputs are cleared as well
};

void PrintTo(const CheckCase &c, std::ostream *out)
{
    *out << c.name;
}

const QString kLong(65, QLatin1Char('u'));

const CheckCase kChecks[] = {
    {"VidEmpty", true, "Ed_VID", "", "Please input a number between 0 and 4095!", "Warning",
        "Ed_VID", true, false},
    {"VidAboveTheRange", true, "Ed_VID", "4096", "Please input a number between 0 and 4095!",
        "Warning", "Ed_VID", true, false},
    {"SystemNameBlank", false, "Ed_SysName", "", "The System Name field can not be blank!",
        "Warning", "Ed_SysName", false, false},
    {"SystemNameLeadingBlank", false, "Ed_SysName", " ap", "The first character can't be blank.",
        "Error", "Ed_SysName", false, false},
    {"LocationLeadingBlank", false, "Ed_Location", " rack", "The first character can't be blank.",
        "Error", "Ed_Location", false, false},
    {"OldPasswordWrong", false, "Ed_OPwd", "guess", "Please input the current password correctly!",
        "Warning", "", false, false},
    {"UserNameTooLong", false, "Ed_Usr", kLong, "Please limit user name to 64 characters!",
        "Warning", "Ed_Usr", true, true},
    {"UserNameWithABlank", false, "Ed_Usr", "ad min", "Invaild UserName!", "Warning", "Ed_Usr",
        true, true},
    {"UserNameNotAscii", false, "Ed_Usr", QStringLiteral("j\u00FCrgen"), "Invaild UserName!",
        "Warning", "Ed_Usr", true, true},
    {"NewPasswordTooLong", false, "Ed_NPwd", kLong, "Please limit password to 64 characters!",
        "Warning", "Ed_NPwd", true, true},
    {"ConfirmationDiffers", false, "Ed_CNP", "other",
        "Please input the confirm new password correctly!", "Warning", "Ed_NPwd", false, true},
};

class AdminSaveCheck : public testing::TestWithParam<CheckCase>
{ };

TEST_P(AdminSaveCheck, RefusesWithItsMessageAndWritesNothing)
{
    const CheckCase &c = GetParam();
    Admin h(seeded({{"sysName", "ap-rack4"}, {"managerIpAddressStatus", "2"}}), options());
    if (c.vidBox) {
        h.check("CheckBox_VID");
    }
    h.edit("Ed_FromIP")->setText(QStringLiteral("10.0.0.1"));
    QLineEdit *bad = h.edit(c.field);
    bad->setText(c.value);
    h.device.clearLog();
    h.ui.messages.clear();
    h.click("OK");
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.message));
    EXPECT_EQ(h.ui.lastMessage().caption, QLatin1String(c.caption));
    if (*c.focused != '\0') {
        EXPECT_EQ(h.page->focusWidget(), h.find<QWidget>(c.focused));
    }
    EXPECT_EQ(bad->text(), c.cleared ? QString() : c.value);
    EXPECT_EQ(h.text("Ed_FromIP").isEmpty(), c.rangesReset);
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, AdminSaveCheck, testing::ValuesIn(kChecks), kvatest::caseName);

// --- writes -----------------------------------------------------------------------------------

struct ConsoleCase
{
    const char *name;
    const char *action; // the control the operator clicks, "" for none
    QStringList written;
    QStringList absent; // objects no SET names
    const char *telnet; // on the device afterwards
    const char *ssh;
};

void PrintTo(const ConsoleCase &c, std::ostream *out)
{
    *out << c.name;
}

const ConsoleCase kConsoles[] = {
    {"Telnet", "RB_Telnet", {"telnet.0 = 1", "timeout.0 = 4"}, {"ssh"}, "1", "0"},
    {"Ssh", "", {"ssh.0 = 1", "timeout.0 = 4"}, {"telnet"}, "0", "1"},
    {"Disabled", "CheckBox_Console", {"telnet.0 = 0", "ssh.0 = 0"}, {"timeout"}, "0", "0"},
};

class AdminConsole : public testing::TestWithParam<ConsoleCase>
{ };

TEST_P(AdminConsole, WritesOnlyTheChosenConsole)
{
    const ConsoleCase &c = GetParam();
    Admin h(seeded({{"telnet", "0"}, {"ssh", "1"}, {"timeout", "4"}}), options());
    if (*c.action != '\0') {
        h.click(c.action);
    }
    h.device.clearLog();
    h.click("OK");
    EXPECT_EQ(h.statusText(), "Set OK!");
    EXPECT_FALSE(h.page->progressShown());
    const QStringList sets = setBindings(h.device);
    for (const QString &binding : c.written) {
        EXPECT_TRUE(sets.contains(binding))
            << binding.toStdString() << " in " << sets.join(QStringLiteral(", ")).toStdString();
    }
    for (const QString &object : c.absent) {
        for (const QString &binding : sets) {
            EXPECT_FALSE(binding.startsWith(object + QLatin1Char('.'))) << binding.toStdString();
        }
    }
    EXPECT_EQ(h.device.get(QStringLiteral("telnet")), c.telnet);
    EXPECT_EQ(h.device.get(QStringLiteral("ssh")), c.ssh);
}

INSTANTIATE_TEST_SUITE_P(Cases, AdminConsole, testing::ValuesIn(kConsoles), kvatest::caseName);

TEST(AdminPage, ANewPasswordReachesTheDevice)
{
    Admin h(seeded({{"usersName", "ops"}, {"usersPassword.1", "s3cret"}}), options());
    h.type("Ed_NPwd", "n3w-secret");
    h.type("Ed_CNP", "n3w-secret");
    h.click("OK");
    EXPECT_EQ(h.statusText(), "Set OK!");
    EXPECT_EQ(h.device.get(QStringLiteral("usersPassword.1")), "n3w-secret");
    EXPECT_EQ(h.device.get(QStringLiteral("usersName.1")), "ops");
}

TEST(AdminPage, UntouchedPasswordsRewriteTheSameLogin)
{
    Admin h(seeded({{"usersName", "ops"}, {"usersPassword.1", "s3cret"}}), options());
    h.device.clearLog();
    h.click("OK");
    EXPECT_EQ(h.statusText(), "Set OK!");
    const QStringList sets = setBindings(h.device);
    EXPECT_TRUE(sets.contains(QStringLiteral("usersName.1 = ops")));
    EXPECT_TRUE(sets.contains(QStringLiteral("usersPassword.1 = s3cret")));
    EXPECT_EQ(h.device.get(QStringLiteral("usersPassword.1")), "s3cret");
}

TEST(AdminPage, ApplyAndPingAreNeverSentAndTheTrapsOnlyRead)
{
    Admin h(options());
    h.type("Ed_SysName", "ap-rack5");
    h.click("OK");
    ASSERT_EQ(h.statusText(), "Set OK!");
    EXPECT_FALSE(named(h.device, "deviceSettingApply"));
    EXPECT_FALSE(named(h.device, "pingControlStatus"));
    EXPECT_TRUE(named(h.device, "trapStatus"));
    for (const QString &binding : setBindings(h.device)) {
        EXPECT_FALSE(binding.startsWith(QLatin1String("trap"))) << binding.toStdString();
    }
    EXPECT_EQ(h.device.get(QStringLiteral("sysName")), "ap-rack5");
}

TEST(AdminPage, LimitingTheAdministratorTurnsVlanAndProtectionOff)
{
    Admin h(seeded({{"dot11VlanStatus", "1"}, {"dot11NetworkAccessProtection", "1"},
                {"manergeVLANTag", "7"}}),
        options());
    ASSERT_TRUE(h.ui.messages.isEmpty());
    h.check("CkBx_ManagerState");
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(kBothWarning));
    h.device.clearLog();
    h.click("OK");
    EXPECT_EQ(h.statusText(), "Set OK!");
    EXPECT_EQ(h.device.get(QStringLiteral("managerIpAddressStatus")), "2");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11VlanStatus")), "0");
    EXPECT_EQ(h.device.get(QStringLiteral("dot11NetworkAccessProtection")), "0");
    // without the VID box the tag is left out
    for (const QString &binding : setBindings(h.device)) {
        EXPECT_FALSE(binding.startsWith(QLatin1String("manergeVLANTag"))) << binding.toStdString();
    }

    h.check("CheckBox_VID");
    h.type("Ed_VID", "42");
    h.click("OK");
    EXPECT_EQ(h.statusText(), "Set OK!");
    EXPECT_EQ(h.device.get(QStringLiteral("managerIpAddressStatus")), "3");
    EXPECT_EQ(h.device.get(QStringLiteral("manergeVLANTag")), "42");
}

TEST(AdminPage, ARefusedWriteIsASettingError)
{
    Admin h(options());
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror sysName genErr")));
    h.type("Ed_SysName", "ap-rack5");
    h.click("OK");
    EXPECT_EQ(h.statusText(), "Setting Error!");
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
    // the other writes were made all the same
    EXPECT_TRUE(setBindings(h.device).contains(QStringLiteral("usersName.1 = admin")));
}

// --- address ranges ---------------------------------------------------------------------------

struct AddCase
{
    const char *name;
    Seeds rows;
    const char *from;
    const char *to;
    const char *message; // "" when the range is written
    const char *caption;
    QStringList written; // the SET's bindings
    int shownAfter;      // rows of the shown list afterwards
};

void PrintTo(const AddCase &c, std::ostream *out)
{
    *out << c.name;
}

const char kInvalidRange[] = "Invalid IP address range for Administrator!";
const char kMaximum[] = "Maximum number of IP Range List is 4!!";

const Seeds kTwoRows = {
    {"managerIpAddressPoolStart.2", "10.0.0.5"}, {"managerIpAddressPoolEnd.2", "10.0.0.9"}};
const Seeds kFourRows = {{"managerIpAddressPoolStart.2", "10.0.0.5"},
    {"managerIpAddressPoolEnd.2", "10.0.0.9"}, {"managerIpAddressPoolStart.3", "10.0.1.5"},
    {"managerIpAddressPoolEnd.3", "10.0.1.9"}, {"managerIpAddressPoolStart.4", "10.0.2.5"},
    {"managerIpAddressPoolEnd.4", "10.0.2.9"}};
// a row the device holds with its start emptied: shown as empty, but not an empty row either
const Seeds kHalfEmptyRow = {{"managerIpAddressPoolStart.2", "10.0.0.5"},
    {"managerIpAddressPoolEnd.2", "10.0.0.9"}, {"managerIpAddressPoolStart.3", "10.0.1.5"},
    {"managerIpAddressPoolEnd.3", "10.0.1.9"}, {"managerIpAddressPoolEnd.4", "10.9.9.9"}};

const AddCase kAdds[] = {
    {"FirstEmptyRow", kTwoRows, "192.168.0.1", "192.168.0.9", "", "",
        {"managerIpAddressPoolStart.3 = 192.168.0.1", "managerIpAddressPoolEnd.3 = 192.168.0.9"},
        3},
    {"EnclosingARangePasses", kTwoRows, "10.0.0.1", "10.0.0.20", "", "",
        {"managerIpAddressPoolStart.3 = 10.0.0.1", "managerIpAddressPoolEnd.3 = 10.0.0.20"}, 3},
    {"Reversed", kTwoRows, "192.168.0.10", "192.168.0.5", kInvalidRange, "Warning", {}, 2},
    {"StartInsideARange", kTwoRows, "10.0.0.7", "10.0.0.30", kInvalidRange, "Warning", {}, 2},
    {"EndInsideARange", kTwoRows, "10.0.0.1", "10.0.0.5", kInvalidRange, "Warning", {}, 2},
    {"BadStart", kTwoRows, "10.0.0", "10.0.0.30", "Please input valid IP address", "Waring", {}, 2},
    {"FourRowsShown", kFourRows, "192.168.0.1", "192.168.0.9", kMaximum, "Waring", {}, 4},
    {"HalfEmptyRowIsNotOverwritten", kHalfEmptyRow, "192.168.0.1", "192.168.0.9", kMaximum,
        "Waring", {}, 3},
};

class AdminRangeAdd : public testing::TestWithParam<AddCase>
{ };

TEST_P(AdminRangeAdd, WritesTheFirstEmptyRowOrRefuses)
{
    const AddCase &c = GetParam();
    Admin h(seeded(c.rows), options());
    h.check("CkBx_ManagerState");
    h.type("Ed_FromIP", c.from);
    h.type("Ed_ToIP", c.to);
    h.device.clearLog();
    h.ui.messages.clear();
    h.click("Btn_Add");
    const QList<kvatest::LoggedPdu> sets = h.device.requests(QStringLiteral("set"));
    if (*c.message == '\0') {
        EXPECT_TRUE(h.ui.messages.isEmpty());
        ASSERT_EQ(sets.size(), 1);
        EXPECT_EQ(sets.first().texts(), c.written);
        EXPECT_EQ(h.statusText(), "Set OK!");
        EXPECT_EQ(h.text("Ed_FromIP"), QString());
        EXPECT_EQ(walks(h.device), 2) << "each list walked once";
    } else {
        ASSERT_EQ(h.ui.messages.size(), 1);
        EXPECT_EQ(h.ui.lastMessage().text, QLatin1String(c.message));
        EXPECT_EQ(h.ui.lastMessage().caption, QLatin1String(c.caption));
        EXPECT_TRUE(sets.isEmpty());
    }
    EXPECT_EQ(h.page->ListView_User->topLevelItemCount(), c.shownAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, AdminRangeAdd, testing::ValuesIn(kAdds), kvatest::caseName);

TEST(AdminRanges, DeleteRemovesTheSelectedRangeAndTheNextAddFillsTheGap)
{
    Admin h(
        seeded({{"managerIpAddressPoolStart.2", "10.0.0.5"},
            {"managerIpAddressPoolEnd.2", "10.0.0.9"}, {"managerIpAddressPoolStart.3", "10.0.1.5"},
            {"managerIpAddressPoolEnd.3", "10.0.1.9"}}),
        options());
    h.clickRow("ListView_User", 1);
    ASSERT_TRUE(h.page->Btn_Del->isEnabled());
    h.device.clearLog();
    h.click("Btn_Del");
    EXPECT_EQ(h.statusText(), "Delete OK!");
    ASSERT_EQ(h.device.requests(QStringLiteral("set")).size(), 1);
    EXPECT_EQ(h.device.requests(QStringLiteral("set")).first().texts(),
        QStringList{QStringLiteral("managerDelete.0 = 2")});
    EXPECT_EQ(walks(h.device), 2);
    // numbered from 1 again after the refresh
    EXPECT_EQ(shownRanges(h),
        (QStringList{
            QStringLiteral("1 127.0.0.1 127.0.0.9"), QStringLiteral("2 10.0.1.5 10.0.1.9")}));
    EXPECT_FALSE(h.page->Btn_Del->isEnabled());

    // the device packed its rows: the first empty one is now the third
    h.check("CkBx_ManagerState");
    h.type("Ed_FromIP", "192.168.0.1");
    h.type("Ed_ToIP", "192.168.0.9");
    h.device.clearLog();
    h.click("Btn_Add");
    ASSERT_EQ(h.device.requests(QStringLiteral("set")).size(), 1);
    EXPECT_EQ(h.device.requests(QStringLiteral("set")).first().texts(),
        (QStringList{QStringLiteral("managerIpAddressPoolStart.3 = 192.168.0.1"),
            QStringLiteral("managerIpAddressPoolEnd.3 = 192.168.0.9")}));
    EXPECT_EQ(shownRanges(h).last(), "3 192.168.0.1 192.168.0.9");
}

// The table as read now has no row with the selected range: nothing is deleted in its place.
TEST(AdminRanges, DeleteWithoutAMatchingRowWritesNothing)
{
    Admin h(seeded(kTwoRows), options());
    h.clickRow("ListView_User", 1);
    h.page->ListView_IpRange->topLevelItem(1)->setText(2, QStringLiteral("10.0.0.8"));
    h.device.clearLog();
    h.click("Btn_Del");
    EXPECT_EQ(h.statusText(), "Delete Error!");
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

// --- a silent device, hostile values ----------------------------------------------------------

TEST(AdminPage, SilentDeviceTimesOutOnceAndTheSaveEndsInItsError)
{
    Admin h({}, {"silent 60"}, {0.002, 0});
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_EQ(h.device.attemptCount(QStringLiteral("get")), 2); // the first read and its retry
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.type("Ed_SysName", "ap-rack5");
    h.device.clearLog();
    h.click("OK");
    EXPECT_EQ(h.statusText(), "Setting Error!");
    EXPECT_EQ(h.device.attemptCount(QStringLiteral("set")), 2); // the console write and its retry
    EXPECT_FALSE(h.page->progressShown());
    EXPECT_TRUE(h.page->isEnabled());
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

// A password the device's answer did not hold is never written back in its place; one the
// operator types is.
TEST(AdminPage, AnUnreadablePasswordIsNotWrittenBack)
{
    Admin h({{"usersName", "ops"}, {"usersPassword.1", "s3cret"}}, {"wrongtype usersPassword"});
    ASSERT_NE(h.text("Ed_OPwd"), "s3cret");
    h.device.clearLog();
    h.click("OK");
    EXPECT_EQ(h.statusText(), "Set OK!");
    const QStringList sets = setBindings(h.device);
    EXPECT_TRUE(sets.contains(QStringLiteral("usersName.1 = ops")));
    for (const QString &binding : sets) {
        EXPECT_FALSE(binding.startsWith(QLatin1String("usersPassword"))) << binding.toStdString();
    }
    EXPECT_EQ(h.device.get(QStringLiteral("usersPassword.1")), "s3cret");

    h.type("Ed_NPwd", "n3w-secret");
    h.type("Ed_CNP", "n3w-secret");
    h.click("OK");
    EXPECT_EQ(h.statusText(), "Set OK!");
    EXPECT_EQ(h.device.get(QStringLiteral("usersPassword.1")), "n3w-secret");
}

TEST(AdminPage, OverLongDevicePasswordIsShownWholeAndStopsTheSave)
{
    const QByteArray stored(65, 'p');
    const QString password = QString::fromLatin1(stored);
    Admin h(seeded({{"usersPassword.1", stored.constData()}}), options());
    EXPECT_EQ(h.text("Ed_OPwd"), password);
    EXPECT_EQ(h.text("Ed_NPwd"), password);
    h.click("OK");
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, "Please limit password to 64 characters!");
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
}

} // namespace
