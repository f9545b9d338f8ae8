// The system information page against the simulated device: what it shows, what it writes, and
// the checks that stop a save.
#include "CaseName.h"
#include "PageHarness.h"
#include "QtPrinters.h"
#include "TFM_Information.h"

#include <ostream>

#include <QTest>

#include <gtest/gtest.h>

namespace {

using kvatest::PageHarness;
using Info = PageHarness<TFM_Information>;

const Info::Seeds kSystem = {
    {"sysDescr", "Lab access point, rack 4"},
    {"sysContact", "noc@lab.example"},
    {"sysName", "ap-rack4"},
    {"sysLocation", "Building 7, floor 2"},
};

TEST(InformationPage, ShowsTheDevicesSystemGroup)
{
    Info h(kSystem);
    EXPECT_EQ(h.page->windowTitle(), "Home \\ Information");
    EXPECT_EQ(h.text("Ed_SD"), "Lab access point, rack 4");
    EXPECT_EQ(h.text("Ed_SO"), h.device.get(QStringLiteral("sysObjectID")));
    EXPECT_NE(h.text("Ed_SU"), "Ed_SU");
    EXPECT_EQ(h.text("Ed_SC"), "noc@lab.example");
    EXPECT_EQ(h.text("Ed_SN"), "ap-rack4");
    EXPECT_EQ(h.text("Ed_SL"), "Building 7, floor 2");
    EXPECT_TRUE(h.ui.messages.isEmpty());
}

// The device may hold more than the operator may type; the page shows it whole.
TEST(InformationPage, OverLongDeviceValueIsShownWhole)
{
    const QString longName(40, QLatin1Char('n'));
    Info h({{"sysName", "placeholder"}});
    ASSERT_TRUE(h.device.set(QStringLiteral("sysName"), longName));
    h.click("Bt_Refresh");
    EXPECT_EQ(h.text("Ed_SN"), longName);
    EXPECT_EQ(h.statusText(), "Get OK!");
}

TEST(InformationPage, SaveWritesContactNameAndLocation)
{
    Info h(kSystem);
    h.edit("Ed_SC")->setText(QStringLiteral("ops@lab.example"));
    h.edit("Ed_SN")->setText(QStringLiteral("ap-rack5"));
    h.edit("Ed_SL")->setText(QStringLiteral("Building 8"));
    h.device.clearLog();
    h.click("Bt_Save");
    EXPECT_EQ(h.statusText(), "Save OK!");
    EXPECT_EQ(h.device.get(QStringLiteral("sysContact")), "ops@lab.example");
    EXPECT_EQ(h.device.get(QStringLiteral("sysName")), "ap-rack5");
    EXPECT_EQ(h.device.get(QStringLiteral("sysLocation")), "Building 8");
    const QStringList log = h.device.log();
    ASSERT_EQ(log.size(), 1) << log.join(QLatin1Char('\n')).toStdString();
    // only the writable objects travel
    EXPECT_TRUE(log.first().contains(QLatin1String(" set ")));
    EXPECT_FALSE(log.first().contains(QLatin1String("sysDescr")));
    EXPECT_FALSE(log.first().contains(QLatin1String("sysUpTime")));
}

TEST(InformationPage, RefusedSaveIsNotReportedAsSaved)
{
    Info h(kSystem);
    ASSERT_TRUE(h.device.fault(QStringLiteral("seterror sysName noAccess")));
    h.edit("Ed_SN")->setText(QStringLiteral("ap-rack5"));
    h.click("Bt_Save");
    EXPECT_NE(h.statusText(), "Save OK!");
    EXPECT_TRUE(h.statusText().startsWith(QLatin1String("Set: "))) << h.statusText().toStdString();
    EXPECT_EQ(h.device.get(QStringLiteral("sysName")), "ap-rack4");
}

struct SaveCheckCase
{
    const char *name;
    const char *field; // the field given the bad text
    int length;        // its length; 0 for empty
    const char *message;
    const char *caption;
    bool focused; // the field gets the focus
};

void PrintTo(const SaveCheckCase &c, std::ostream *out)
{
    *out << c.name;
}

const SaveCheckCase kSaveChecks[] = {
    {"BlankName", "Ed_SN", 0, "The System Name field can not be blank!", "Warning", true},
    {"LongContact", "Ed_SC", 256, "The Max Lengh of the SystemContact is 255.", "Error", false},
    {"LongName", "Ed_SN", 33, "The Max Lengh of the SystemName is 32.", "Error", false},
    {"LongLocation", "Ed_SL", 33, "The Max Lengh of the SystemLocation is 32.", "Error", false},
};

class InformationSaveCheck : public testing::TestWithParam<SaveCheckCase>
{ };

TEST_P(InformationSaveCheck, RefusesWithItsMessageAndSendsNothing)
{
    const SaveCheckCase &c = GetParam();
    Info h(kSystem);
    QLineEdit *bad = h.edit(c.field);
    bad->setText(QString(c.length, QLatin1Char('x')));
    h.edit("Ed_SD")->setFocus();
    h.device.clearLog();
    h.click("Bt_Save");
    ASSERT_EQ(h.ui.messages.size(), 1);
    EXPECT_EQ(h.ui.lastMessage().text, c.message);
    EXPECT_EQ(h.ui.lastMessage().caption, c.caption);
    EXPECT_EQ(h.page->focusWidget() == bad, c.focused);
    EXPECT_EQ(bad->text().size(), c.length); // the text stays for the operator to mend
    EXPECT_EQ(h.device.logCount(QStringLiteral("set")), 0);
    EXPECT_NE(h.statusText(), "Save OK!");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InformationSaveCheck, testing::ValuesIn(kSaveChecks), kvatest::caseName);

TEST(InformationPage, TypingStopsAtTheLimits)
{
    Info h(kSystem);
    QLineEdit *name = h.edit("Ed_SN");
    name->clear();
    QTest::keyClicks(name, QString(40, QLatin1Char('a')));
    EXPECT_EQ(name->text().size(), 32);
}

TEST(InformationPage, SilentDeviceShowsTheTimeOutAndCloses)
{
    Info h(kSystem, {"silent 60"}, {0.002, 0});
    // nothing was read: the fields keep what they showed
    EXPECT_EQ(h.text("Ed_SN"), "Ed_SN");
    EXPECT_EQ(h.text("Ed_SU"), "Ed_SU");
    EXPECT_EQ(h.statusText(), kvatest::timeoutText());
    EXPECT_TRUE(h.ui.messages.isEmpty());
    h.close();
    EXPECT_EQ(h.page, nullptr);
}

TEST(InformationPage, WrongTypedNameIsNotShown)
{
    Info h(kSystem, {"wrongtype sysName"});
    EXPECT_EQ(h.text("Ed_SN"), "(NULL)");
    EXPECT_TRUE(h.ui.messages.isEmpty());
}

} // namespace
